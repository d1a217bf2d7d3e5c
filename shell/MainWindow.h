#pragma once
// The settings centre's main window: a caption-less skinned dialog with the accordion menu
// on the left, one page of the page table at a time on the right, six image hot areas and
// a drag strip.

#include "pages/Page.h"
#include "platform/win/AppWindow.h"
#include "platform/win/HotAreaView.h"
#include "platform/registry/RegistryStore.h"
#include "preferred/PreferredDecoders.h"
#include "shell/SkinButton.h"

#include <array>
#include <memory>

namespace zelora {

// The main window's title and the caption of every box Zelora shows.
inline constexpr wchar_t kProgramName[] = L"Zelora";

class MainWindow final : public win::AppWindow {
public:
    // The window, its pages and the finder read and write `registry`, which must outlive
    // the window, as must `registry64`: the 64-bit view for the preferred decoders page,
    // null on a Windows without one.
    explicit MainWindow(RegistryBackend& registry, RegistryBackend* registry64 = nullptr);
    ~MainWindow() override;

    // The page of kPages[index]; null until it is first needed (shown, or reset by the
    // install check).
    Page* PageAt(std::size_t index) const { return m_pages[index].get(); }
    std::size_t CurrentSettingsPage() const { return m_currentSettingsPage; }
    bool HasCurrentSettingsPage() const { return m_hasCurrentSettingsPage; }
    // The current-defaults hot area and the start-up both run this.
    void InstallCheck();
    // The start-up work that shows nothing: the hidden finder and the Connect page. The
    // modal loop runs it once the window is painted; a window made without it calls it.
    void FinishStart();
    // Keys: the menu's arrows, then Tab and Shift+Tab along TabStops.
    bool PreTranslate(MSG& msg) override;

protected:
    BOOL OnInit() override;
    void OnFirstIdle() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnDrawItem(DRAWITEMSTRUCT& item) override;
    bool OnEraseBackground(HDC dc) override;
    bool OnMouse(UINT msg, WPARAM keys, POINT p) override;
    bool OnDpiChanged(Dpi from, Dpi to, const RECT& suggested) override;
    void OnDestroy() override;
    void RunAboutBox() override;

private:
    // The keyboard's stops: the menu from the top, the images below it, the page in view,
    // the images at the foot from the left, then minimize and close.
    void TabStops(win::FocusStops& stops) const;
    // An arrow key on a menu button; true when consumed.
    bool MenuArrow(const MSG& msg);

    Page* EnsurePage(std::size_t index);  // null, after its message, when it cannot be made
    void ShowFinder(bool show);  // made on the first call
    void LayOutMenu();
    // The background, drag strip and left strip for the window's DPI.
    void PlaceSkin();
    void PlacePage(Page& page) const;  // over the content area
    void ShowPage(std::size_t index);
    void HideOtherPages(std::size_t index);
    // A top-level button (Connect, Update, the intro) chosen: the groups fold, the button is
    // selected and its page shown.
    void ChooseTopLevelPage(int buttonIndex);
    // A group's header chosen: the group unfolds and reopens the page last used in it.
    void OpenGroup(MenuGroup group);
    // A settings page's button chosen: the page is loaded, laid out at its first show,
    // shown, its button selected, and remembered as its group's last page.
    void ChooseSettingsPage(std::size_t index);
    void RunHotAreaAction(std::size_t area);
    void ReloadSettingsPage();  // the page in view shows what the registry holds now
    void RepaintTopButtons();
    void RepaintLeftStrip();
    void PaintVersion(HDC dc);
    SkinButton& Button(int index) { return *m_buttons[index]; }
    GroupSkinButton& Header(int index) { return static_cast<GroupSkinButton&>(*m_buttons[index]); }

    RegistryStore m_store;
    RegistryViews m_views;
    win::UniqueBitmap m_background;
    win::HotAreaView m_hotAreas;
    RECT m_dragStrip{};
    RECT m_leftStrip{};
    std::size_t m_currentSettingsPage = 0;
    bool m_hasCurrentSettingsPage = false;
    bool m_startFinished = false;
    std::array<std::unique_ptr<Page>, kPageCount> m_pages;  // kPages order
    std::unique_ptr<win::ModelessDialog> m_finder;  // the movie finder, made hidden by FinishStart
    std::array<std::unique_ptr<SkinButton>, kMenuButtonCount> m_buttons;  // kMenuButtons order
    win::KeyboardFocus m_keyboard{[this](win::FocusStops& stops) { TabStops(stops); }};
};

}  // namespace zelora
