// The row builders take control ids and the tables' other numbers as different types: a
// number key, a list entry or a slider level given where a control id goes, or a control
// id where one of those goes, does not compile.
#include "pages/RowKinds.h"
#include "pages/SliderDrag.h"

namespace zelora {
namespace {

constexpr MaskBoxes kNoBoxes{};
constexpr ChoiceMap kNoChoices{};

template <class Id>
concept CheckRowTakes = requires(Id id) { CheckRow(id, RegValue{}, 0, 0); };
template <class Key>
concept MaskRowTakes = requires(Key key) { MaskRow(key, RegValue{}, kNoBoxes, 0, 0); };
template <class Key>
concept NumberRowTakes = requires(Key key) { NumberRow(key, RegValue{}, EditRange{}, 0, 0); };
template <class Entry>
concept ChoicePairRowTakes =
    requires(Entry entry) { ChoicePairRow(1, RegValue{}, "b", kNoChoices, entry, entry); };
template <class Entry>
concept EnableWhileSelectedTakes =
    requires(Entry entry) { EnableWhileSelected(1, entry, {}, kOnClick); };
template <class Key>
concept KeepsNumbersBy = requires(PageControls& controls, Key key) { controls.SetNumber(key, 0); };
template <class Entry>
concept GateEntry = requires(Entry entry) { SliderGate{SliderGate::Kind::ComboSelects, 1, entry}; };
template <class Level>
concept SliderLevel = requires(Level level) { SliderRow{{}, nullptr, {}, level, 1}; };

static_assert(CheckRowTakes<int>);
static_assert(!CheckRowTakes<NumberKey> && !CheckRowTakes<ListIndex> && !CheckRowTakes<LevelIndex>);
static_assert(MaskRowTakes<NumberKey> && !MaskRowTakes<int>);
static_assert(NumberRowTakes<NumberKey> && !NumberRowTakes<int>);
static_assert(KeepsNumbersBy<NumberKey> && !KeepsNumbersBy<int>);
static_assert(ChoicePairRowTakes<ListIndex> && !ChoicePairRowTakes<int>);
static_assert(EnableWhileSelectedTakes<ListIndex> && !EnableWhileSelectedTakes<int>);
static_assert(GateEntry<ListIndex> && !GateEntry<int>);
static_assert(SliderLevel<LevelIndex> && !SliderLevel<int> && !SliderLevel<ListIndex>);

}  // namespace
}  // namespace zelora
