// Speed of grids that are on screen: what a grid that is never shown does not
// pay for (its scroll bars, the repaint of its window).
//
//   bench_grid_shown.exe [--rounds=N]
//
// Two shown windows hold two grids of 600 x 400 that differ only in their
// size; the two are measured alternately, round by round, so that both see
// the same load of the machine, and the best round of each counts (N rounds,
// default 7). Targets, each comparing a size n with 10 n where the cost may
// grow with the size, and with 1,000 n where it must not:
//   paint          the 16-column positions grid with 100,000 rows repaints
//                  (invalidate, then UpdateWindow) in at most 1.2 times the
//                  repaint with 100 rows
//   scroll         a page down with its repaint takes at most 1.2 times as
//                  long on 100,000 rows as on 1,000, and at most 1.25 times
//                  what it cannot do without: the repaint and one redraw of
//                  the vertical scroll bar (measured in turns with it)
//   second-lines   showing second lines (SecondLine := True, then the repaint)
//                  on 10,000 rows takes at most 12.5 times 1,000 rows (linear),
//                  and at most 20 us a row
//   column-fit     a column fit on 1,000 columns (with the repaint) takes at
//                  most 12.5 times one on 100 columns (linear), and at most
//                  50 us a column
//   sizing-cursor  the grid's sizing test at the cursor over the fixed column
//                  (CalcSizingState, run on every WM_SETCURSOR) takes at most
//                  1.5 times as long with 100,000 rows as with 100
// One verdict line per target; the exit code is 1 when one fails.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>

#include "bench/verdict.h"
#include "framework/application.h"
#include "grids/data_grid.h"
#include "grids/draw_grid.h"
#include "grids/source_grid_columns.h"

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 400;

int g_rounds = 7;

void Pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// One side of a comparison: Before runs untimed ahead of each round, then
// Count steps are timed together.
struct Side {
    int Count = 1;
    std::function<void()> Before = [] {};
    std::function<void()> Step;
    double Best = 1e30;  // seconds a step
};

// Measures the sides in turns, round by round; each keeps its best round.
void Alternate(std::initializer_list<Side*> Sides) {
    for (int round = 0; round < g_rounds; ++round) {
        for (Side* s : Sides) {
            s->Before();
            Pump();
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < s->Count; ++i) s->Step();
            GdiFlush();
            const std::chrono::duration<double> d = std::chrono::steady_clock::now() - start;
            s->Best = std::min(s->Best, d.count() / s->Count);
        }
    }
}

void Alternate(Side& A, Side& B) { Alternate({&A, &B}); }

HWND MakeHost(int Y) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "GridShownBenchHost";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, wc.lpszClassName, "grid", WS_POPUP | WS_CLIPCHILDREN, 10, Y, kWidth + 20,
                                kHeight + 20, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    Pump();
    return host;
}

template <class T>
T* ShownGrid(HWND Host) {
    T* grid = Create<T>(nullptr);
    grid->SetParentWindow(Host);
    grid->SetBounds(10, 10, kWidth, kHeight);
    grid->Show();
    Pump();
    return grid;
}

TDataGrid* PositionsGrid(HWND Host, int Rows) {
    auto* grid = ShownGrid<TDataGrid>(Host);
    BuildSourceGridColumns(*grid);
    grid->SetUseSecondLine(true);
    grid->SetLeftStartSecond(1);
    grid->SetRightEndSecond(grid->ColCount() - 1);
    grid->BeginUpdate();
    grid->SetRowCount(Rows + 1);
    for (int r = 1; r <= Rows; ++r) {
        grid->SetCell(0, r, r % 7 == 0 ? "tx" : "dxp");
        grid->SetCell(1, r, std::to_string(r));
        grid->SetCell(2, r, std::to_string(r % 50 + 1));
        grid->SetCell(4, r, "Schraube M6x" + std::to_string(r % 90 + 10));
        grid->SetCell(-2, r, "Lieferung ab Lager");
    }
    grid->EndUpdate(false);
    Pump();
    return grid;
}

void Repaint(TWinControl& Control) {
    InvalidateRect(Control.Handle(), nullptr, TRUE);
    UpdateWindow(Control.Handle());
}

bool Linear(const char* Name, const char* What, const Side& Small, const Side& Large, int SmallSize, int LargeSize,
            double LimitPerItem, const char* Unit) {
    const double ratio = Large.Best / Small.Best, perItem = Large.Best / LargeSize;
    const double limitRatio = 1.25 * LargeSize / SmallSize;
    return BenchVerdict(Name, ratio <= limitRatio && perItem <= LimitPerItem,
                        "%s: %d in %.2f ms, %d in %.2f ms: %.2f times (at most %.1f), %.2f us a %s (at most %.0f)",
                        What, SmallSize, Small.Best * 1e3, LargeSize, Large.Best * 1e3, ratio, limitRatio,
                        perItem * 1e6, Unit, LimitPerItem * 1e6);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--rounds=", 9) == 0) g_rounds = std::max(1, std::atoi(argv[i] + 9));

    Application()->Initialize();
    HWND hosts[2] = {MakeHost(10), MakeHost(kHeight + 60)};
    bool ok = true;
    std::printf("two shown grids of %d x %d, measured alternately, best of %d rounds\n", kWidth, kHeight, g_rounds);

    {  // Repaint and page down of the positions grid.
        TDataGrid* small = PositionsGrid(hosts[0], 100);
        TDataGrid* large = PositionsGrid(hosts[1], 100000);
        small->SetSecondLine(true);
        large->SetSecondLine(true);
        Side paintSmall{50, [&] { small->SetTopRow(1); }, [&] { Repaint(*small); }};
        Side paintLarge{50, [&] { large->SetTopRow(1); }, [&] { Repaint(*large); }};
        Alternate(paintSmall, paintLarge);
        small->Free();
        // 1,000 rows are more than the 50 pages a round goes down.
        small = PositionsGrid(hosts[0], 1000);
        small->SetSecondLine(true);
        auto page = [](TDataGrid* g) {
            return Side{50, [g] { g->SetTopRow(1); }, [g] {
                            SendMessageA(g->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
                            UpdateWindow(g->Handle());
                        }};
        };
        Side pageSmall = page(small), pageLarge = page(large);
        Alternate(pageSmall, pageLarge);
        // What a page down cannot do without: the repaint and one redraw of
        // the vertical bar.
        Side repaint{50, [&] { large->SetTopRow(1); }, [&] { Repaint(*large); }};
        int barPos = 0;
        Side bar{50, [&] { large->SetTopRow(1); }, [&] {
                     SCROLLINFO si{};
                     si.cbSize = sizeof si;
                     si.fMask = SIF_POS;
                     si.nPos = (++barPos % 50) * 20;
                     SetScrollInfo(large->Handle(), SB_VERT, &si, TRUE);
                 }};
        Side pageAgain = page(large);
        Alternate({&repaint, &bar, &pageAgain});
        const double floor = repaint.Best + bar.Best;
        std::printf("repaint, 100 rows                  %9.1f us\n", paintSmall.Best * 1e6);
        std::printf("repaint, 100,000 rows              %9.1f us\n", paintLarge.Best * 1e6);
        std::printf("page down + repaint, 1,000 rows    %9.1f us\n", pageSmall.Best * 1e6);
        std::printf("page down + repaint, 100,000 rows  %9.1f us\n", pageLarge.Best * 1e6);
        std::printf("  in turns: page down %.1f us, repaint %.1f us, a redraw of the bar %.1f us\n",
                    pageAgain.Best * 1e6, repaint.Best * 1e6, bar.Best * 1e6);
        ok &= BenchVerdict("paint", paintLarge.Best <= 1.2 * paintSmall.Best,
                           "100,000 rows repaint in %.2f times the 100-row repaint (at most 1.2)",
                           paintLarge.Best / paintSmall.Best);
        ok &= BenchVerdict("scroll", pageLarge.Best <= 1.2 * pageSmall.Best && pageAgain.Best <= 1.25 * floor,
                           "a page down with its repaint takes %.2f times as long on 100,000 rows as on 1,000 (at "
                           "most 1.2) and %.2f times a repaint and one redraw of the bar (at most 1.25)",
                           pageLarge.Best / pageSmall.Best, pageAgain.Best / floor);
        small->Free();
        large->Free();
    }
    {  // Second lines on a shown positions grid.
        TDataGrid* small = PositionsGrid(hosts[0], 1000);
        TDataGrid* large = PositionsGrid(hosts[1], 10000);
        auto side = [](TDataGrid* g) {
            return Side{1, [g] { g->SetSecondLine(false); }, [g] {
                            g->SetSecondLine(true);
                            UpdateWindow(g->Handle());
                        }};
        };
        Side s = side(small), l = side(large);
        Alternate(s, l);
        std::printf("second lines on, 1,000 rows        %9.2f ms\n", s.Best * 1e3);
        std::printf("second lines on, 10,000 rows       %9.2f ms\n", l.Best * 1e3);
        ok &= Linear("second-lines", "second lines shown", s, l, 1000, 10000, 20e-6, "row");
        small->Free();
        large->Free();
    }
    {  // The column fit after a widening, and the sizing test at the cursor.
        T_DrawGrid* grids[2] = {ShownGrid<T_DrawGrid>(hosts[0]), ShownGrid<T_DrawGrid>(hosts[1])};
        for (T_DrawGrid* g : grids) g->SetOptions(DefaultGridOptions | goColSizing | goRowSizing);
        grids[0]->SetColCount(100);
        grids[1]->SetColCount(1000);
        auto fit = [](T_DrawGrid* g) {
            return Side{1,
                        [g] {
                            g->SetDefaultColWidth(63);  // every width back to the default
                            g->SetDefaultColWidth(64);
                            g->SetColWidth(1, 80);
                        },
                        [g] {
                            g->ColumnFit(1);
                            UpdateWindow(g->Handle());
                        }};
        };
        Side s = fit(grids[0]), l = fit(grids[1]);
        Alternate(s, l);
        std::printf("column fit, 100 columns            %9.2f ms\n", s.Best * 1e3);
        std::printf("column fit, 1,000 columns          %9.2f ms\n", l.Best * 1e3);
        ok &= Linear("column-fit", "column fit", s, l, 100, 1000, 50e-6, "column");

        // Halfway down a row of the fixed column: no sizing zone there, so
        // every line the test looks at is looked at.
        grids[0]->SetRowCount(100);
        grids[1]->SetRowCount(100000);
        auto cursor = [](T_DrawGrid* g) {
            const RECT r = g->CellRect(0, 3);
            const int y = (r.top + r.bottom) / 2;
            return Side{20000, [] {}, [g, y] {
                            TGridState state{};
                            int index = 0, pos = 0, ofs = 0;
                            g->CalcSizingState(5, y, state, index, pos, ofs);
                        }};
        };
        Side cs = cursor(grids[0]), cl = cursor(grids[1]);
        Alternate(cs, cl);
        std::printf("sizing test, 100 rows              %9.3f us\n", cs.Best * 1e6);
        std::printf("sizing test, 100,000 rows          %9.3f us\n", cl.Best * 1e6);
        ok &= BenchVerdict("sizing-cursor", cl.Best <= 1.5 * cs.Best,
                           "the sizing test over 100,000 rows takes %.2f times the one over 100 (at most 1.5)",
                           cl.Best / cs.Best);
        for (T_DrawGrid* g : grids) g->Free();
    }
    for (HWND h : hosts) DestroyWindow(h);
    Application()->Finalize();
    return ok ? 0 : 1;
}
