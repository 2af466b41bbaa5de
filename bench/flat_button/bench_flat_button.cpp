// Paint speed of the flat button next to the system BUTTON.
//
//   bench_flat_button.exe [--count=N]
//
// Paints a 100 x 29 flat button captioned "Öffnen" N times (default 10,000)
// with PaintTo into a 32-bit DIB, and a system BUTTON of the same size and
// caption N times with WM_PRINTCLIENT into the same DIB, best of three runs
// each, and prints both times and their ratio in one run. Target: the flat
// button takes at most twice the system button's time.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "bench/verdict.h"
#include "controls/flat/flat_button.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/form.h"

namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 29;

double BestOfThree(int count, const std::function<void()>& paint) {
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < count; ++i) paint();
        GdiFlush();
        std::chrono::duration<double> d = std::chrono::steady_clock::now() - start;
        best = std::min(best, d.count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    int count = 10000;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--count=", 8) == 0) count = std::max(1, std::atoi(argv[i] + 8));

    Application()->Initialize();
    auto* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 100);
    auto* flat = Create<TFlatButton>(form);
    flat->SetBounds(10, 10, kWidth, kHeight);
    flat->SetCaption("Öffnen");
    flat->SetParent(form);

    HWND host = form->Handle();
    HWND system = CreateWindowExA(0, "BUTTON", "Öffnen", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 50, kWidth, kHeight,
                                  host, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(system, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);

    TBitmap target(kWidth, kHeight);
    HDC dc = target.DC();
    const double flatSeconds = BestOfThree(count, [&] { flat->PaintTo(dc, 0, 0); });
    const double systemSeconds = BestOfThree(count, [&] {
        SendMessageA(system, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    });

    std::printf("paints             %d\n", count);
    std::printf("flat button        %.3f s  (%.1f us each)\n", flatSeconds, flatSeconds * 1e6 / count);
    std::printf("system BUTTON      %.3f s  (%.1f us each)\n", systemSeconds, systemSeconds * 1e6 / count);
    const double ratio = flatSeconds / systemSeconds;
    const bool holds = BenchVerdict("paint", ratio <= 2, "the flat button takes %.2fx the system button's time (<= 2x)", ratio);

    DestroyWindow(system);
    form->Free();
    Application()->Finalize();
    return holds ? 0 : 1;
}
