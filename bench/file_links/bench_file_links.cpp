// File links in bulk, as a paste of a large folder makes them: paths added
// to one link list (each added once, case ignored) for 10,000 and 100,000
// paths, and a selection of 1,000 and 10,000 links scanned for linked files
// (each link looked up on the disk). Both must grow linearly: ten times the
// work at most 20 (collecting) and 15 (scanning) times the time; 100,000
// paths within two seconds.
//
//   bench_file_links.exe [--rounds=N]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "bench/verdict.h"
#include "controls/dragdrop/doc_roots.h"
#include "controls/dragdrop/file_link_rules.h"
#include "framework/application.h"
#include "framework/strings.h"

namespace {

double BestSeconds(int rounds, const std::function<void()>& f) {
    double best = 1e9;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

const TDocRoots kRoots{"S:\\Docs\\", "I:\\Intern\\"};

void CollectPaths(int count) {
    TStringList list;
    TLinkCollector links(kRoots, list, 0);
    for (int i = 0; i < count; ++i) {
        const std::string name = "S:\\Docs\\Auftrag " + std::to_string(i / 100) + "\\Rechnung " + std::to_string(i) + ".pdf";
        links.Add(name);
        if (i % 10 == 0) links.Add(name);  // pasted twice: kept once
    }
    if (list.Count() != count) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 3;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--rounds=", 9) == 0) rounds = std::max(1, std::atoi(argv[i] + 9));
    Application()->Initialize();

    const double small = BestSeconds(rounds, [] { CollectPaths(10000); });
    const double large = BestSeconds(rounds, [] { CollectPaths(100000); });
    std::printf("collecting links: 10,000 paths %.3f s, 100,000 paths %.3f s\n", small, large);
    bool ok = BenchVerdict("collect_linear", large <= 20 * small + 0.01, "100,000 paths %.3f s, 10,000 paths %.3f s "
                           "(at most 20x)", large, small);
    ok &= BenchVerdict("collect_100000", large <= 2.0, "100,000 paths in %.3f s (at most 2 s)", large);

    // A folder of 100 files, linked again and again in a selection.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "bench_file_links\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < 100; ++i) {
        const std::string name = folder + "Datei " + std::to_string(i) + ".pdf";
        CloseHandle(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    auto selection = [&](int links) {
        std::string text;
        for (int i = 0; i < links; ++i) {
            std::string link = "file://" + folder + "Datei " + std::to_string(i % 100) + ".pdf";
            std::replace(link.begin(), link.end(), ' ', '*');
            text += link + " ";
        }
        return text;
    };
    const std::string few = selection(1000), many = selection(10000);
    const TDocRoots none;
    auto scan = [&](const std::string& text, int expected) {
        TStringList found;
        ScanFileLinks(none, text, found);
        if (found.Count() != expected) std::abort();
    };
    const double scanSmall = BestSeconds(rounds, [&] { scan(few, 1000); });
    const double scanLarge = BestSeconds(rounds, [&] { scan(many, 10000); });
    std::printf("scanning links: 1,000 links %.3f s, 10,000 links %.3f s\n", scanSmall, scanLarge);
    ok &= BenchVerdict("scan_linear", scanLarge <= 15 * scanSmall + 0.01,
                       "10,000 links %.3f s, 1,000 links %.3f s (at most 15x)", scanLarge, scanSmall);
    for (int i = 0; i < 100; ++i) DeleteFileA((folder + "Datei " + std::to_string(i) + ".pdf").c_str());
    RemoveDirectoryA(folder.c_str());
    Application()->Finalize();
    return ok ? 0 : 1;
}
