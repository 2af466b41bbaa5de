// Paint and scroll speed of the positions grid.
//
//   bench_grid_paint.exe [--count=N]
//
// Paints the 16-column positions grid (800 x 500, every row with a kind, a
// number, a name and a second line) N times (default 200) with
// WM_PRINTCLIENT into a bitmap, once with 100 rows and once with 100,000,
// and then pages through the 100,000 rows N times (SB_PAGEDOWN and a
// paint), best of three runs each. Targets:
//   paint     a 100,000-row grid paints in at most 1.2 times a 100-row one
//   scroll    a page down and its paint stay within twice the first paint
// One verdict line per target ("target NAME holds" or "target NAME fails");
// the exit code is 1 when one fails.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "bench/verdict.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/form.h"
#include "grids/data_grid.h"
#include "grids/source_grid_columns.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 500;

double BestOfThree(int count, const std::function<void()>& before, const std::function<void()>& step) {
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        before();
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < count; ++i) step();
        GdiFlush();
        std::chrono::duration<double> d = std::chrono::steady_clock::now() - start;
        best = std::min(best, d.count());
    }
    return best / count;
}

void Fill(TDataGrid& grid, int rows) {
    grid.BeginUpdate();
    grid.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        grid.SetCell(0, r, r % 7 == 0 ? "tx" : "dxp");
        grid.SetCell(1, r, std::to_string(r));
        grid.SetCell(2, r, std::to_string(r % 50 + 1));
        grid.SetCell(4, r, "Schraube M6x" + std::to_string(r % 90 + 10));
        grid.SetCell(-2, r, "Lieferung ab Lager");
    }
    grid.EndUpdate(false);
}

bool Verdict(const char* name, bool holds, const std::string& text) {
    return BenchVerdict(name, holds, "%s", text.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    int count = 200;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--count=", 8) == 0) count = std::max(1, std::atoi(argv[i] + 8));

    Application()->Initialize();
    auto* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, kWidth + 40, kHeight + 60);
    auto* grid = Create<TDataGrid>(form);
    BuildSourceGridColumns(*grid);
    grid->SetUseSecondLine(true);
    grid->SetLeftStartSecond(1);
    grid->SetRightEndSecond(grid->ColCount() - 1);
    grid->SetBounds(10, 10, kWidth, kHeight);
    grid->SetParent(form);
    HWND window = grid->Handle();
    TBitmap target(grid->ClientWidth(), grid->ClientHeight());
    HDC dc = target.DC();
    const auto paint = [&] { SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT); };
    const auto top = [&] { grid->SetTopRow(1); };

    Fill(*grid, 100);
    grid->SetSecondLine(true);
    const double small = BestOfThree(count, top, paint);
    Fill(*grid, 100000);
    grid->SetSecondLine(false);
    grid->SetSecondLine(true);
    const double large = BestOfThree(count, top, paint);
    const double page = BestOfThree(count, top, [&] {
        SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
        paint();
    });

    std::printf("paints             %d, grid %d x %d\n", count, grid->ClientWidth(), grid->ClientHeight());
    std::printf("100 rows           %.1f us a paint\n", small * 1e6);
    std::printf("100,000 rows       %.1f us a paint\n", large * 1e6);
    std::printf("page down + paint  %.1f us (top row now %d)\n", page * 1e6, grid->TopRow());
    char text[160];
    std::snprintf(text, sizeof text, "100,000 rows paint in %.2f times the 100-row paint (at most 1.2)", large / small);
    bool ok = Verdict("paint", large <= 1.2 * small, text);
    std::snprintf(text, sizeof text, "a page down with its paint takes %.2f times the first paint (at most 2)",
                  page / large);
    ok = Verdict("scroll", page <= 2.0 * large, text) && ok;

    form->Free();
    Application()->Finalize();
    return ok ? 0 : 1;
}
