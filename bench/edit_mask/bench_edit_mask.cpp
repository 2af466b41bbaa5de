// How the edit mask answers long input: a paste far longer than its mask,
// a paste that fills a mask of thousands of positions, a refused key at the end of a long text in a long mask, and a long text
// typed key by key. Each case is timed (best of three) and gets a verdict
// line; the program exits non-zero when a target fails.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/verdict.h"
#include "editors/tools/edit_mask.h"

namespace {

double BestSeconds(const std::function<void()>& run, int rounds = 3) {
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

TMaskPositions Compile(const std::string& mask) {
    TMaskPositions p;
    CompileEditMask(mask, p);
    return p;
}

// A paste of n digits into an empty "0{3}": three of them are taken.
double Paste(size_t n) {
    const TMaskPositions p = Compile("0{3}");
    const std::string typed(n, '7');
    return BestSeconds([&] {
        std::string text;
        int a = 0, b = 0;
        if (!InsertMaskedText(text, typed, p, a, b) || text != "777") std::printf("wrong paste result\n");
    });
}

// A paste of n digits into an empty "0{n}": every position takes one, so the
// whole text goes through the matcher (no cap shortens it).
double LongPaste(size_t n) {
    const TMaskPositions p = Compile("0{" + std::to_string(n) + "}");
    const std::string typed(n, '7');
    return BestSeconds([&] {
        std::string text;
        int a = 0, b = 0;
        if (!InsertMaskedText(text, typed, p, a, b) || text != typed) std::printf("wrong long paste result\n");
    }, 25);
}

int failed = 0;

void Verdict(const char* name, bool holds, const std::string& text) {
    if (!BenchVerdict(name, holds, "%s", text.c_str())) failed = 1;
}

std::string Printf(const char* format, double a, double b = 0) {
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

}  // namespace

int main() {
    const double paste100 = Paste(100000), paste200 = Paste(200000);
    std::printf("paste 100,000 digits into \"0{3}\"      %.4f s\n", paste100);
    std::printf("paste 200,000 digits into \"0{3}\"      %.4f s\n", paste200);

    const double long4 = LongPaste(4000), long32 = LongPaste(32000);
    std::printf("paste 4,000 digits into \"0{4000}\"     %.5f s\n", long4);
    std::printf("paste 32,000 digits into \"0{32000}\"   %.5f s\n", long32);

    // A key that fits nowhere, after 4,000 letters in "a{32766}0".
    const TMaskPositions longMask = Compile("a{32766}0");
    const std::string letters(4000, 'x');
    const double refused = BestSeconds([&] {
        std::string text = letters;
        int a = 4000, b = 4000;
        if (InsertMaskedText(text, "!", longMask, a, b)) std::printf("the key was taken\n");
    });
    std::printf("refused key after 4,000 letters in \"a{32766}0\"   %.4f s\n", refused);

    // A paste of 40,000 letters that nothing of "0{32767}" takes.
    const TMaskPositions digits = Compile("0{32767}");
    const std::string words(40000, 'q');
    const double nothing = BestSeconds([&] {
        std::string text;
        int a = 0, b = 0;
        if (InsertMaskedText(text, words, digits, a, b)) std::printf("letters were taken\n");
    });
    std::printf("paste 40,000 letters into \"0{32767}\"  %.4f s\n", nothing);

    // 2,000 letters typed key by key into "a{32766}0".
    const double typing = BestSeconds([&] {
        std::string text;
        int a = 0, b = 0;
        for (int k = 0; k < 2000; ++k) InsertMaskedText(text, "k", longMask, a, b);
        if (text.size() != 2000) std::printf("typing lost keys\n");
    });
    std::printf("2,000 keys typed into \"a{32766}0\"      %.4f s\n", typing);

    std::printf("verdicts:\n");
    Verdict("paste", paste200 <= 0.05,
            Printf("200,000 digits in %.4f s (<= 0.05 s), %.2fx the time of 100,000", paste200, paste200 / paste100));
    Verdict("long-paste", long32 <= 0.05 && long32 <= 16 * long4,
            Printf("32,000 digits into a mask of 32,000 positions in %.5f s (<= 0.05 s), %.2fx the time of "
                   "4,000 (at most 16x: within twice linear; a quadratic cost gives 64x)",
                   long32, long32 / long4));
    Verdict("refused", refused <= 0.05, Printf("one refused key in %.4f s (<= 0.05 s)", refused));
    Verdict("nothing", nothing <= 0.1, Printf("a paste that does not fit refused in %.4f s (<= 0.1 s)", nothing));
    Verdict("typing", typing <= 1.0, Printf("2,000 keys in %.4f s (<= 1 s)", typing));
    return failed;
}
