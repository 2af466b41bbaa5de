// HTML engine speed on a message-box text: 21 lines with bold runs and
// "<br>" breaks, laid out and drawn with word wrap into a 400-pixel wide
// bitmap, next to DrawTextA with DT_WORDBREAK on the same plain text; and
// measuring alone next to DT_CALCRECT. Best of five rounds, ratios printed.
// Then long texts without tags (400 KB and 1.6 MB, plain and with entities)
// measured as the message box does before it shows: the verdict holds when
// four times the text takes at most five times as long (linear layout).
// And the first measure of a new label (THTMLabel: its fonts not made yet, as
// when a form shows a label the first time) next to what a plain label pays
// the first time: a DC, a new font and DrawTextA with DT_CALCRECT.
//
//   bench_html_text.exe [--rounds=N]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "bench/verdict.h"
#include "controls/html/html_draw.h"
#include "controls/html/html_gdi_device.h"
#include "controls/html/html_label.h"
#include "controls/html/html_text.h"
#include "framework/bitmap.h"

namespace {

std::string MessageText() {
    std::string s = "<B>Folgender Fehler ist aufgetreten:</B><br>";
    for (int i = 1; i < 21; ++i) {
        s += "Auftrag " + std::to_string(4700 + i) + ": die Adresse <B>Müller &amp; Söhne GmbH</B> wurde ";
        s += "mit einer ähnlichen Anschrift zusammengeführt";
        if (i < 20) s += "<br>";
    }
    return s;
}

// Words of a server reply, without tags, up to Size bytes; Entity goes
// between the words when given.
std::string LongText(size_t Size, const char* Entity) {
    static const char* const kWords[] = {"Auftrag", "4711", "Adresse", "M\xFCller", "S\xF6hne", "GmbH",
                                         "Lieferung", "zusammengef\xFChrt", "Rechnung", "offen"};
    std::string s;
    s.reserve(Size + 32);
    for (size_t i = 0; s.size() < Size; ++i) {
        s += kWords[i % 10];
        s += ' ';
        if (Entity && i % 3 == 0) s += Entity;
    }
    s.resize(Size);
    return s;
}

double BestSeconds(int rounds, int reps, const std::function<void()>& f) {
    double best = 1e9;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < reps; ++i) f();
        GdiFlush();
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / reps;
        best = std::min(best, s);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 5;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--rounds=", 9) == 0) rounds = std::max(1, std::atoi(argv[i] + 9));
    const std::string html = MessageText();
    std::string plain = HTMLPlainText(HTMLDecodeEntities(html));
    // The very first label of the process (a figure only: one sample, and the
    // font mapper's own start is in it).
    double processFirst = 0;
    {
        THTMLabel* label = Create<THTMLabel>(nullptr);
        label->Font().SetName("Tahoma");
        label->Font().SetSize(8);
        label->SetBounds(0, 0, 400, 600);
        label->SetHTMLText(html);
        const auto t0 = std::chrono::steady_clock::now();
        label->Measure();
        processFirst = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        label->Free();
    }
    const int reps = 200;
    TBitmap bmp(400, 600);
    TCanvas& c = bmp.Canvas();
    c.Font().SetName("Tahoma");
    c.Font().SetSize(8);
    c.Brush().SetColor(clWhite);
    HDC dc = c.Handle();
    c.TextWidth("x");  // selects the canvas font

    // As a label does: the fonts stay made between runs.
    HTMLFontCache fonts;
    HTMLDrawParams p;
    p.Text = html;
    p.Rect = HTMLRect{0, 0, 400, 600};
    p.Variant = HTMLVariant::MessageLabel();
    p.Mode = HTMLMode::Draw;
    double engineDraw = BestSeconds(rounds, reps, [&] { HTMLDrawText(c, p, {}, &fonts); });
    p.Mode = HTMLMode::Measure;
    HTMLDrawResult measured{};
    double engineMeasure = BestSeconds(rounds, reps, [&] { measured = HTMLDrawText(c, p, {}, &fonts); });

    RECT r{0, 0, 400, 600};
    double gdiDraw = BestSeconds(rounds, reps, [&] {
        RECT d = r;
        DrawTextA(dc, plain.data(), static_cast<int>(plain.size()), &d, DT_WORDBREAK | DT_NOPREFIX);
    });
    RECT calc{};
    double gdiMeasure = BestSeconds(rounds, reps, [&] {
        calc = r;
        DrawTextA(dc, plain.data(), static_cast<int>(plain.size()), &calc, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    });

    std::printf("text: %zu bytes, %d lines laid out (%d x %d px); DT_CALCRECT: %ld x %ld px\n", html.size(),
                HTMLDrawText(c, p).LineCount, measured.Width, measured.Height, calc.right, calc.bottom);
    std::printf("layout + draw : %8.1f us   DrawTextA DT_WORDBREAK: %8.1f us   ratio %.2f (target <= 4)\n",
                engineDraw * 1e6, gdiDraw * 1e6, engineDraw / gdiDraw);
    std::printf("measure only  : %8.1f us   DrawTextA DT_CALCRECT : %8.1f us   ratio %.2f (target <= 2)\n",
                engineMeasure * 1e6, gdiMeasure * 1e6, engineMeasure / gdiMeasure);
    bool holds = BenchVerdict("draw", engineDraw / gdiDraw <= 4, "layout and drawing take %.2fx DrawTextA (<= 4x)",
                              engineDraw / gdiDraw);
    holds &= BenchVerdict("measure", engineMeasure / gdiMeasure <= 2,
                          "measuring takes %.2fx DrawTextA with DT_CALCRECT (<= 2x)", engineMeasure / gdiMeasure);

    // The first measure of a new label, and its second one.
    double firstMeasure = 1e9, secondMeasure = 1e9, gdiFirst = 1e9;
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < 20; ++k) {
            THTMLabel* label = Create<THTMLabel>(nullptr);
            label->Font().SetName("Tahoma");
            label->Font().SetSize(8);
            label->SetBounds(0, 0, 400, 600);
            label->SetHTMLText(html);
            auto t0 = std::chrono::steady_clock::now();
            label->Measure();
            auto t1 = std::chrono::steady_clock::now();
            label->Measure();
            auto t2 = std::chrono::steady_clock::now();
            label->Free();
            firstMeasure = std::min(firstMeasure, std::chrono::duration<double>(t1 - t0).count());
            secondMeasure = std::min(secondMeasure, std::chrono::duration<double>(t2 - t1).count());

            t0 = std::chrono::steady_clock::now();
            HDC mem = CreateCompatibleDC(nullptr);
            HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
            HGDIOBJ old = SelectObject(mem, font);
            RECT first = r;
            DrawTextA(mem, plain.data(), static_cast<int>(plain.size()), &first,
                      DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
            SelectObject(mem, old);
            DeleteObject(font);
            DeleteDC(mem);
            t1 = std::chrono::steady_clock::now();
            gdiFirst = std::min(gdiFirst, std::chrono::duration<double>(t1 - t0).count());
        }
    }
    std::printf("new label, first measure : %8.1f us   its second: %8.1f us   new DC + font + DT_CALCRECT: %8.1f us"
                "   ratio %.2f (target <= 3)\n",
                firstMeasure * 1e6, secondMeasure * 1e6, gdiFirst * 1e6, firstMeasure / gdiFirst);
    std::printf("the process's first label, first measure: %.1f us\n", processFirst * 1e6);
    holds &= BenchVerdict("first-measure", firstMeasure / gdiFirst <= 3,
                          "the first measure of a new label takes %.2fx a new DC, font and DT_CALCRECT (<= 3x)",
                          firstMeasure / gdiFirst);

    // Long texts without tags, wrapped at 400 pixels as in a message box.
    const int longRounds = std::min(rounds, 3);
    bool linear = true;
    for (const char* entity : {static_cast<const char*>(nullptr), "&amp; "}) {
        double seconds[2] = {0, 0};
        const size_t sizes[2] = {400 * 1024, 1600 * 1024};
        for (int k = 0; k < 2; ++k) {
            const std::string text = LongText(sizes[k], entity);
            p.Text = text;
            p.Rect = HTMLRect{0, 0, 400, 600};
            HTMLDrawResult r{};
            seconds[k] = BestSeconds(longRounds, 1, [&] { r = HTMLDrawText(c, p, {}, &fonts); });
            std::printf("measure %s %7zu KB: %8.1f ms (%d lines)\n", entity ? "with entities" : "plain        ",
                        sizes[k] / 1024, seconds[k] * 1e3, r.LineCount);
        }
        const double ratio = seconds[1] / seconds[0];
        linear = linear && ratio <= 5.0;
        std::printf("  1600 KB / 400 KB: %.2f (linear: target <= 5)\n", ratio);
    }
    holds &= BenchVerdict("linear", linear, "1.6 MB of text without tags takes at most 5x the time of 400 KB");
    return holds ? 0 : 1;
}
