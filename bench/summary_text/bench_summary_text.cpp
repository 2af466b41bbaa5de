// The summary window shown with a long report: lines of text, every line
// with a web link, as an import run with many orders writes it. Times the
// window from its creation until it is on the screen with its text laid out,
// for a report of four times Size bytes (1 MB by default, about 14,000
// links): it must show within Limit seconds (10 by default). The control's
// own layout grows faster than the text, so no ratio between sizes is a
// target; laying the text out a second time (a new format rectangle after
// the text went in) took ten times as long.
//
//   bench_summary_text.exe [--size=BYTES] [--limit=SECONDS]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/verdict.h"
#include "controls/dialogs/rich_edit_links.h"
#include "controls/dialogs/summary_window.h"
#include "framework/application.h"

namespace {

std::string Report(size_t Size, int& Links) {
    std::string s;
    Links = 0;
    for (int i = 0; s.size() < Size; ++i) {
        s += "Auftrag " + std::to_string(4700 + i) + " eingelesen, Beleg siehe http://server/belege/" +
             std::to_string(i) + " und weiter\r\n";
        ++Links;
    }
    return s;
}

double ShowSeconds(const std::string& Text) {
    auto t0 = std::chrono::steady_clock::now();
    TFTip* tip = Create<TFTip>(nullptr);
    tip->SetCaption("Informationen:");
    tip->RichEdit->SetText(Text);
    tip->Show();
    Application()->ProcessMessages();
    UpdateWindow(tip->Handle());
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    tip->Free();
    Application()->ProcessMessages();
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    size_t size = 256 * 1024;
    double limit = 10.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--size=", 7) == 0) size = std::strtoul(argv[i] + 7, nullptr, 10);
        if (std::strncmp(argv[i], "--limit=", 8) == 0) limit = std::atof(argv[i] + 8);
    }
    Application()->Initialize();
    int links = 0;
    const std::string text = Report(size * 4, links);
    const double shown = ShowSeconds(text);
    std::printf("%zu bytes with %d links: summary shown in %.2f s\n", text.size(), links, shown);
    const bool ok = BenchVerdict("summary_shown", shown <= limit, "%zu bytes shown in %.2f s (at most %.0f s)", text.size(),
                       shown, limit);
    Application()->Finalize();
    return ok ? 0 : 1;
}
