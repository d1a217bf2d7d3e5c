#include "pages/SliderPage.h"

#include "pages/NumericEdit.h"
#include "platform/win/Controls.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <cassert>
#include <string>

namespace zelora {
namespace {

constexpr COLORREF kLevelEditBackground = RGB(255, 242, 192);

}  // namespace

SliderPage::SliderPage(const PageDescription& description, RegistryBackend& registry)
    : SettingsPage(description, registry),
      m_sliders(description.sliders),
      m_levelKeys(description.levelKeys),
      m_set(description.sliders),
      m_levelBrush(::CreateSolidBrush(kLevelEditBackground))
{
}

void SliderPage::Load()
{
    SettingsPage::Load();
    MirrorLevelTexts();
}

void SliderPage::ResetDefaults()
{
    const std::span<const ValueRow> values = Description().values;
    Model().ShowResetStates(values);
    MirrorLevelTexts();
    Model().PushTexts();
    Model().SaveAll(values);
    m_set.Invalidate(Hwnd(), SliderMask(~0u));
}

SliderMask SliderPage::LiveSliders()
{
    return zelora::LiveSliders(m_sliders, Controls(), DecoderInstalled());
}

BOOL SliderPage::OnInit()
{
    const BOOL result = SettingsPage::OnInit();
    m_set.LoadStrips(Hwnd());
    const auto names = Description().sliderNames;
    for (std::size_t i = 0; i < m_sliders.size() && i < names.size(); ++i)
        if (m_sliders[i].editId) win::SetAccessibleName(Item(m_sliders[i].editId), names[i]);
    SetFocusParts(*this);
    SetAccessibleSource(*this);
    return result;
}

RECT SliderPage::FocusPartRect(int slider) const
{
    return win::ToRect(WindowDpi()(m_sliders[static_cast<std::size_t>(slider)].geometry.rect));
}

void SliderPage::SetFocusedPart(int slider)
{
    if (slider == m_focusedSlider) return;
    const auto mask = [](int i) { return i < 0 ? SliderMask{0} : SliderMask{1} << i; };
    m_set.Invalidate(Hwnd(), mask(m_focusedSlider) | mask(slider));
    m_focusedSlider = slider;
}

bool SliderPage::PartTakesFocus(int slider) const
{
    return ((const_cast<SliderPage*>(this)->LiveSliders() >> slider) & 1u) != 0;
}

bool SliderPage::PartKey(int slider, WPARAM key)
{
    const LevelScale& scale = *m_sliders[static_cast<std::size_t>(slider)].scale;
    const std::int32_t level = Level(static_cast<std::size_t>(slider));
    const std::int32_t page = std::max<std::int32_t>(1, (scale.maxLevel - scale.minLevel) / 10);
    std::int32_t next = level;
    switch (key) {
    case VK_UP: case VK_RIGHT: next = level + 1; break;
    case VK_DOWN: case VK_LEFT: next = level - 1; break;
    case VK_PRIOR: next = level + page; break;
    case VK_NEXT: next = level - page; break;
    case VK_HOME: next = scale.minLevel; break;
    case VK_END: next = scale.maxLevel; break;
    default: return false;
    }
    if (PartTakesFocus(slider)) SetLevel(static_cast<std::size_t>(slider), std::clamp(next, scale.minLevel, scale.maxLevel));
    return true;
}

std::int32_t SliderPage::Level(std::size_t slider)
{
    const SliderRow& sliderRow = m_sliders[slider];
    return sliderRow.editId != 0 ? DecimalTextToInt(Controls().GetEditText(sliderRow.editId))
                                 : Controls().GetNumber(LevelRow(sliderRow.level).numberKey);
}

win::AccessibleFacts SliderPage::Part(int slider) const
{
    const auto i = static_cast<std::size_t>(slider);
    auto& self = const_cast<SliderPage&>(*this);
    win::AccessibleFacts facts;
    const auto names = Description().sliderNames;
    facts.name = i < names.size() ? names[i] : win::WindowText(Item(m_sliders[i].labelId));
    facts.role = ROLE_SYSTEM_SLIDER;
    facts.value = win::Wide(std::to_string(self.Level(i)));
    facts.state = !PartTakesFocus(slider)      ? STATE_SYSTEM_UNAVAILABLE
                  : slider == m_focusedSlider ? STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED
                                              : STATE_SYSTEM_FOCUSABLE;
    return facts;
}

void SliderPage::TellLevelChanged(SliderMask sliders)
{
    ForEachSlider(sliders, m_sliders.size(),
                  [&](std::size_t i) { NotifyAccessible(EVENT_OBJECT_VALUECHANGE, static_cast<int>(i)); });
}

void SliderPage::SetLevel(std::size_t slider, std::int32_t level)
{
    const SliderRow& sliderRow = m_sliders[slider];
    const ValueRow& row = LevelRow(sliderRow.level);
    const SliderMask shown = SlidersOfLevel(m_sliders, sliderRow.level);
    if (sliderRow.editId != 0)
        SetLevelTexts(shown, std::to_string(level));
    else
        Controls().SetNumber(row.numberKey, level);
    Model().Commit(row, level);
    m_set.Invalidate(Hwnd(), shown);
    TellLevelChanged(shown);
}

INT_PTR SliderPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Every drag ends with the page's capture gone (released or taken): the edits show
    // where it ended.
    if (msg == WM_CAPTURECHANGED) {
        m_set.OnCaptureLost();
        CatchUpLevelTexts();
    }
    return SettingsPage::OnMessage(msg, wParam, lParam);
}

bool SliderPage::OnMouse(UINT msg, WPARAM keys, POINT client)
{
    // Only a press asks which sliders are live: a drag goes on whatever the gates say.
    const SliderMask live = msg == WM_LBUTTONDOWN ? LiveSliders() : 0;
    if (const auto touch = m_set.OnMouse(Hwnd(), msg, keys, client, live)) Apply(*touch);
    return false;  // the default processing follows every mouse message
}

void SliderPage::OnTimer(UINT_PTR id)
{
    if (id == LaggingEdits::kTimerId) CatchUpLevelTexts();
}

bool SliderPage::OnControlNotification(int id, int code)
{
    if (code == EN_CHANGE) {
        // Edit texts are read back below, so those a drag left behind reach their edits
        // first; the level typed into keeps what was typed.
        const int slider = SliderOfEdit(m_sliders, id);
        const auto typed = static_cast<std::size_t>(slider);
        CatchUpLevelTexts(slider < 0 ? 0 : SlidersOfLevel(m_sliders, m_sliders[typed].level));
        if (slider >= 0) {
            OnLevelEdit(slider);
            return true;
        }
    }
    const bool handled = SettingsPage::OnControlNotification(id, code);
    if (handled) m_set.Invalidate(Hwnd(), SlidersGatedBy(m_sliders, id));
    return handled;
}

HBRUSH SliderPage::OnControlColor(HDC dc, HWND control, UINT msg)
{
    if (msg == WM_CTLCOLOREDIT && SliderOfEdit(m_sliders, ::GetDlgCtrlID(control)) >= 0) {
        ::SetBkColor(dc, kLevelEditBackground);
        return m_levelBrush.Get();
    }
    return SettingsPage::OnControlColor(dc, control, msg);
}

void SliderPage::PaintOverSkin(win::BackBuffer& buffer)
{
    m_set.Paint(Hwnd(), buffer, LiveSliders(), [this](std::size_t i) { return Knob(i); });
    if (m_focusedSlider >= 0) win::DrawFocusMark(buffer.Dc(), FocusPartRect(m_focusedSlider));
}

const ValueRow& SliderPage::LevelRow(LevelIndex level) const
{
    const auto index = static_cast<std::size_t>(level);
    const std::span<const ValueRow> values = Description().values;
    if (index < m_levelKeys.size()) {
        for (const ValueRow& row : values)
            if (row.numberKey == m_levelKeys[index]) return row;
    } else {
        for (const SliderRow& sliderRow : m_sliders) {
            if (sliderRow.level != level) continue;
            for (const ValueRow& row : values)
                if (row.controlId == sliderRow.editId) return row;
            break;
        }
    }
    assert(false && "a slider's level has no value row");
    return values.front();
}

int SliderPage::Knob(std::size_t slider)
{
    const SliderRow& sliderRow = m_sliders[slider];
    if (sliderRow.editId != 0) return KnobForLevelText(*sliderRow.scale, Controls().GetEditText(sliderRow.editId));
    return sliderRow.scale->position(Controls().GetNumber(LevelRow(sliderRow.level).numberKey));
}

void SliderPage::Apply(const SliderTouch& touch)
{
    const SliderRow& sliderRow = m_sliders[static_cast<std::size_t>(touch.slider)];
    const LevelStep step = StepTo(*sliderRow.scale, touch.position);
    const ValueRow& row = LevelRow(sliderRow.level);
    const SliderMask shown = SlidersOfLevel(m_sliders, sliderRow.level);
    if (sliderRow.editId != 0) {
        SetLevelMembers(shown, std::to_string(step.level));
        m_lagging.Lag(Hwnd(), shown);
    } else {
        Controls().SetNumber(row.numberKey, step.level);
    }
    Model().Commit(row, step.level);
    m_set.DrawLive(Hwnd(), shown, step.knob);
    TellLevelChanged(shown);
}

void SliderPage::OnLevelEdit(int slider)
{
    // A closed gate (or a missing decoder) undoes the typing and writes nothing: the page's
    // own text may be older than what is stored.
    if (((LiveSliders() >> slider) & 1u) == 0) {
        Model().PushTexts();
        return;
    }
    const SliderRow& sliderRow = m_sliders[static_cast<std::size_t>(slider)];
    Model().PullTexts();
    std::string text = Controls().GetEditText(sliderRow.editId);
    ClampLevelText(*sliderRow.scale, text);
    const SliderMask shown = SlidersOfLevel(m_sliders, sliderRow.level);
    SetLevelTexts(shown, text);
    Model().Commit(LevelRow(sliderRow.level), DecimalTextToInt(text));
    m_set.Invalidate(Hwnd(), shown);
    TellLevelChanged(shown);
}

void SliderPage::SetLevelTexts(SliderMask sliders, const std::string& text)
{
    SetLevelMembers(sliders, text);
    Model().PushTexts();
}

void SliderPage::SetLevelMembers(SliderMask sliders, const std::string& text)
{
    ForEachSlider(sliders, m_sliders.size(),
                  [&](std::size_t i) { Controls().SetEditText(m_sliders[i].editId, text); });
}

void SliderPage::CatchUpLevelTexts(SliderMask keep)
{
    ForEachSlider(m_lagging.Take(Hwnd()) & ~keep, m_sliders.size(),
                  [&](std::size_t i) { Model().PushText(m_sliders[i].editId); });
}

void SliderPage::MirrorLevelTexts()
{
    for (const SliderRow& sliderRow : m_sliders) {
        if (sliderRow.editId == 0) continue;
        const int own = LevelRow(sliderRow.level).controlId;
        if (own != sliderRow.editId) Controls().SetEditText(sliderRow.editId, Controls().GetEditText(own));
    }
}

}  // namespace zelora
