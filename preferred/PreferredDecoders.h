#pragma once
// What the preferred-decoder page shows: per format and per player bitness (registry
// view), the decoder Windows picks now, what Media Foundation players pick, and the
// registered DirectShow filters that could take the format. Reads only; never creates a key.

#include "codecs/FilterInventory.h"
#include "preferred/MediaFormats.h"
#include "platform/registry/RegistryBackend.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelora {

// HKEY_LOCAL_MACHINE, in each view: value name a subtype, REG_SZ the filter's CLSID.
inline constexpr std::string_view kPreferredKey = "SOFTWARE\\Microsoft\\DirectShow\\Preferred";
inline constexpr std::string_view kMfPreferredKey =
    "SOFTWARE\\Classes\\MediaFoundation\\Transforms\\Preferred";
inline constexpr std::string_view kMfDoNotUseKey =
    "SOFTWARE\\Classes\\MediaFoundation\\Transforms\\DoNotUse";

enum class PlayerView { Bits32, Bits64 };
inline constexpr std::array<PlayerView, 2> kPlayerViews = {PlayerView::Bits32, PlayerView::Bits64};
std::string_view ViewName(PlayerView view);  // "32비트" / "64비트"

// One backend per registry view. On a 32-bit Windows there is one view; `bits64` is then
// null and the page shows the 32-bit column alone.
struct RegistryViews {
    RegistryBackend* bits32 = nullptr;
    RegistryBackend* bits64 = nullptr;
    RegistryBackend* Of(PlayerView view) const { return view == PlayerView::Bits32 ? bits32 : bits64; }
};

// What one Preferred value (or all of a format's values together) names.
enum class ChoiceState {
    WindowsDefault,  // no value: Windows' own choice
    Filter,          // a registered filter whose file is there
    Dead,            // a class that is not registered, or whose file is gone
    Unknown,         // not a GUID text, or not a string
    Mixed,           // the format's subtypes name different decoders
};

struct Choice {
    ChoiceState state = ChoiceState::WindowsDefault;
    std::string clsid{};  // as written, for Filter and Dead
    std::string name{};   // the filter's FriendlyName, for Filter
    friend bool operator==(const Choice&, const Choice&) = default;
};

// The cell text: the name, "Windows 기본", the dead or unknown mark, or "형식마다 다름".
std::string ChoiceText(const Choice& choice);

struct Candidate {
    std::string clsid;  // empty: "Windows 기본" (remove the values)
    std::string name;
    std::string packDecoder{};  // the pack's decoder name when it is one of the pack's
};
std::string CandidateText(const Candidate& candidate);

struct FormatCell {
    Choice current;
    std::vector<Choice> bySubtype;  // in the format's subtype order
    std::string mediaFoundation;    // read-only column text
    // The filters in the category's order, then "Windows 기본"; once MarkPackDecoders has
    // run, the pack's decoders first.
    std::vector<Candidate> candidates;
    bool packMarked = false;
};

struct FormatRow {
    const MediaFormat* format = nullptr;
    std::array<std::optional<FormatCell>, 2> views;  // by PlayerView; empty: no such view
};

// Fills every row: each view's Preferred values, its filter registrations (their
// FilterData read once), the pack's decoders not yet told (MarkPackDecoders).
std::vector<FormatRow> ReadPreferredDecoders(const RegistryViews& views, const FileProbe& files);

// Tells the pack's decoders among the row's candidates, by their files, and puts them first,
// in each view not told yet: what the row's drop lists need when it comes into view. The
// fill leaves this undone: it reads each candidate's server, for every format as many keys
// again as the category's walk, where the page shows one format's lists at a time.
void MarkPackDecoders(const RegistryViews& views, FormatRow& row);

}  // namespace zelora
