#pragma once
// The settings centre's main window: a caption-less skinned dialog with the accordion menu
// on the left, one page at a time on the right, six image hot areas and a drag strip.

#include "pages/Page.h"
#include "platform/win/AppWindow.h"
#include "platform/win/HotAreaView.h"
#include "platform/registry/RegistryStore.h"
#include "platform/registry/Win32Registry.h"
#include "shell/SkinButton.h"

#include <array>
#include <memory>

namespace zelora {

enum class PageId {
    CodecConnect,
    CodecUpdate,
    VideoFFDShow,
    VideoDivx,
    VideoXvid,
    SoundFFDShow,
    SoundAC3,
    SoundKorrin,
    CaptionVSFilter,
    CaptionDivxG400,
    FSIntro,
};
inline constexpr int kPageCount = 11;

class MainWindow final : public win::AppWindow {
public:
    // Its own registry reads and writes (the install check) go to `registry`, which must
    // outlive the window; the pages keep to the system's.
    explicit MainWindow(RegistryBackend& registry = SystemRegistry());
    ~MainWindow() override;

    // Null until the page is first needed (shown, or reset by the install check).
    Page* PageAt(PageId id) const { return m_pages[static_cast<int>(id)].get(); }
    PageId CurrentSettingsPage() const { return m_currentSettingsPage; }
    bool HasCurrentSettingsPage() const { return m_hasCurrentSettingsPage; }
    // The current-defaults hot area and the start-up both run this.
    void InstallCheck();
    // The start-up work that shows nothing: the hidden finder and the Connect page. The
    // modal loop runs it once the window is painted; a window made without it calls it.
    void FinishStart();

protected:
    BOOL OnInit() override;
    void OnFirstIdle() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnDrawItem(DRAWITEMSTRUCT& item) override;
    bool OnEraseBackground(HDC dc) override;
    bool OnMouse(UINT msg, WPARAM keys, POINT p) override;
    void OnDestroy() override;
    void RunAboutBox() override;

private:
    Page* EnsurePage(PageId id);  // null, after its message, when it cannot be made
    void ShowFinder(bool show);  // made on the first call
    void LayOutMenu();
    void ShowPage(PageId id);
    void HideOtherPages(PageId id);
    // A top-level button (Connect, Update, the intro) chosen: the groups fold, the button is
    // selected and its page shown.
    void ChooseTopLevelPage(int buttonIndex);
    // A group's header chosen: the group unfolds and reopens the page last used in it.
    void OpenGroup(MenuGroup group);
    // A settings page's button chosen: the page is loaded, laid out at its first show,
    // shown, its button selected, and remembered as its group's last page.
    void ChooseSettingsPage(PageId id);
    void RunHotAreaAction(std::size_t area);
    void ReloadSettingsPage();  // the page in view shows what the registry holds now
    void RepaintTopButtons();
    void RepaintLeftStrip();
    void PaintVersion(HDC dc);
    SkinButton& Button(int index) { return *m_buttons[index]; }
    GroupSkinButton& Header(int index) { return static_cast<GroupSkinButton&>(*m_buttons[index]); }

    RegistryStore m_store;
    win::UniqueBitmap m_background;
    win::HotAreaView m_hotAreas;
    RECT m_dragStrip{};
    RECT m_leftStrip{};
    PageId m_currentSettingsPage = PageId::CodecConnect;
    bool m_hasCurrentSettingsPage = false;
    bool m_startFinished = false;
    std::array<std::unique_ptr<Page>, kPageCount> m_pages;
    std::unique_ptr<win::ModelessDialog> m_finder;  // the movie finder, made hidden by FinishStart
    std::array<std::unique_ptr<SkinButton>, kMenuButtonCount> m_buttons;  // kMenuButtons order
};

}  // namespace zelora
