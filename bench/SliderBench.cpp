// Times the level sliders of the three slider pages under Wine (or on Windows): one drag
// step (a mouse move with the left button held, which stores the level and draws the moved
// slider straight to the window) against one full repaint of the page (skin, sliders, one
// copy to the window). The pages read and write an in-memory registry, so the figures are
// the pages' own cost and the machine's registry is left alone. On the audio pages the
// level's edits catch up with a drag on a timer and at its end, not at every step: the
// bench prints that catch-up too, timed as the release that shows the dragged level.
//
//   zelora_bench_sliders [--steps=N]

#include "pages/SliderPage.h"
#include "pages/audio/SoundAC3Values.h"
#include "pages/audio/SoundFFDShowValues.h"
#include "pages/video/VideoDivxValues.h"
#include "platform/registry/CountingRegistry.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/win/Dialog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace zelora::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct BenchPage {
    const char* name;
    const char* decoder;
    const PageDescription* page;
    const SliderRow* dragged;  // the slider the drag holds
    int pixelsPerStep;          // drawn by one step: the sliders of the dragged level
};

double MicrosecondsPer(int count, const std::function<void(int)>& step)
{
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) step(i);
    const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
    return spent.count() / count;
}

int Area(const Rect& r) { return r.Width() * r.Height(); }

void Run(const BenchPage& bench, HWND parent, int steps)
{
    MemoryRegistry memory;
    CountingRegistry counting(memory);
    InstalledDecoders::MarkInstalled(bench.decoder);
    // Every slider's gate open: the boxes that gate them ticked.
    RegistryStore(memory).WriteDword(RegRoot::CurrentUser, sound_ffdshow::kKeyA, "isVolume", 1);
    auto page = std::make_unique<SliderPage>(*bench.page, counting);
    if (!page->Create(parent)) {
        std::printf("%s: the page could not be created\n", bench.name);
        return;
    }
    page->Load();
    page->Layout();
    ::MoveWindow(page->Hwnd(), 0, 0, 420, 500, TRUE);
    ::ShowWindow(page->Hwnd(), SW_SHOW);
    page->Shown();
    const HWND hwnd = page->Hwnd();

    const Rect& r = bench.dragged->geometry.rect;
    const bool horizontal = bench.dragged->geometry.axis == SliderAxis::Horizontal;
    const int x0 = (r.left + r.right) / 2;
    const int y0 = (r.top + r.bottom) / 2;
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
    counting.ResetCounts();
    const int travel = bench.dragged->geometry.Travel();
    // The pointer at knob position `p` (wrapped into the travel) of the dragged slider.
    const auto at = [&](int p) {
        const int offset = 5 + p % (travel + 1);
        return horizontal ? MAKELPARAM(r.left + offset, y0) : MAKELPARAM(x0, r.top + offset);
    };
    const double step = MicrosecondsPer(steps, [&](int i) {
        ::SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, at(i));
    });
    const double writes = static_cast<double>(counting.Counts().setValue) / steps;
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x0, y0));
    const int repaints = std::max(1, steps / 10);
    // A short drag ending at a level the edits do not show yet, its release alone timed.
    double release = 0;
    for (int i = 0; i < repaints; ++i) {
        ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
        ::SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, at(i * 7));
        release += MicrosecondsPer(1, [&](int) {
            ::SendMessageW(hwnd, WM_LBUTTONUP, 0, at(i * 7));
        });
    }
    release /= repaints;
    const double repaint = MicrosecondsPer(repaints, [&](int) {
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    });
    std::printf("%-14s drag step %7.1f us (%.0f write, %5d px drawn)   full repaint %7.1f us "
                "(%6d px)   step/repaint %5.3f   release %7.1f us\n",
                bench.name, step, writes, bench.pixelsPerStep, repaint, 420 * 500, step / repaint,
                release);
}

int Main(int argc, char** argv)
{
    int steps = 2000;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--steps=", 8) == 0) steps = std::max(1, std::atoi(argv[i] + 8));

    const HWND parent = ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 440,
                                          520, nullptr, nullptr, win::ModuleInstance(), nullptr);
    const auto& divx = video_divx::kSliders;
    const auto& ffa = sound_ffdshow::kSliders;
    const auto& ac3 = sound_ac3::kSliders;
    const BenchPage pages[] = {
        {"DivX", "Divx5", &video_divx::kPage, &divx[0], Area(divx[0].geometry.rect)},
        {"ffdshow audio", "FFDShow", &sound_ffdshow::kPage, &ffa[5], Area(ffa[5].geometry.rect)},
        {"AC3Filter", "AC3Filter", &sound_ac3::kPage, &ac3[0],
         Area(ac3[0].geometry.rect) + Area(ac3[1].geometry.rect)},
    };
    std::printf("%d drag steps per page; the ffdshow drag holds LEFT, the AC3 drag the master "
                "pair\n",
                steps);
    for (const BenchPage& page : pages) Run(page, parent, steps);
    ::DestroyWindow(parent);
    return 0;
}

}  // namespace
}  // namespace zelora::bench

int main(int argc, char** argv) { return zelora::bench::Main(argc, argv); }
