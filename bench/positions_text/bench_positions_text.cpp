// Load and save speed of the positions text.
//
//   bench_positions_text.exe [--table=datagrid|simple] FILE
//                            [--csv-command=COMMAND --csv-result=RESULT]
//
// Loads FILE into memory, then times (best of five: the machine may be busy)
// reading it into a table, writing the table back (into a fresh memory
// stream, and once more into one that keeps its buffer), and a plain scan of
// the same bytes for line ends. Python's csv module reads the same file in the
// same run, in turns with the loads and saves (csv, load, save, csv, load,
// save, ...): COMMAND runs one timed csv read (bench/positions_text/
// csv_read.py, which writes "SECONDS ROWS" into the file RESULT). Peak memory
// is the process's peak working set and peak pagefile usage, once after the
// first load (the load's own figure) and once at the end (with the save's
// output).
//
// Targets (bench/verdict.h): the load at least twice as fast as csv, the
// save (into a fresh memory stream) at least 2.5 times as fast as the load,
// the peak working set of the whole run under 100 MB, and the saved text
// byte for byte the one loaded.
//
// Tables: "datagrid" (the default) is the positions grid with its 16 columns,
// loaded and saved as the import does; "simple" an in-memory table of 16
// named columns, the least a table can cost.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/verdict.h"
#include "framework/ansi_text.h"
#include "framework/streams.h"
#include "grids/positions_text.h"

namespace {

const char* const kFieldNames[16] = {"TColumn-1",    "Pos.",          "Stueck",       "Einheit",
                                     "Bezeichnung1", "Bezeichnung2",  "BestellNummer", "Seriennummer",
                                     "Artikelnummer", "Einzelbetrag", "Steuer",        "SummeBetrag",
                                     "intern",       "ID_Artikel",    "benutzer",      "Rabatt"};
const bool kDecimal[16] = {false, true, true, false, false, false, false, true,
                           false, true, true, true,  false, false, true,  true};

// Rows of 16 cells plus a second line, the bytes kept in an append-only
// arena: the least a table can cost, so that the figures show the text code.
class SimpleTable : public PositionsTextTable {
public:
    SimpleTable() { rows_.resize(2); }

    int ColCount() const override { return 16; }
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    void SetRowCount(int Value) override { rows_.resize(static_cast<size_t>(std::max(Value, 2))); }
    int FixedRows() const override { return 1; }
    std::string FieldName(int Col) const override { return kFieldNames[Col]; }
    std::string DisplayName(int Col) const override { return kFieldNames[Col]; }
    int FindColumnByFieldName(const std::string& Name) const override {
        for (int c = 0; c < 16; ++c)
            if (AnsiSameText(Name, kFieldNames[c])) return c;
        return -1;
    }
    bool IsDecimalColumn(int Col) const override { return kDecimal[Col]; }
    std::string GetCell(int Col, int Row) override { return Fetch(Row, Col); }
    void SetCell(int Col, int Row, const std::string& Value) override { Store(Row, Col, Value); }
    std::string GetSecondLine(int Row) override { return Fetch(Row, 16); }
    void SetSecondLine(int Row, const std::string& Value) override { Store(Row, 16, Value); }
    void SetRowTexts(int Row, const RowValue* Cells, size_t Count) override {
        for (size_t i = 0; i < Count; ++i) Store(Row, Cells[i].first, Cells[i].second);
    }
    void RowTexts(int Row, const int* Cols, size_t Count, std::string_view* Texts, std::string*) override {
        for (size_t i = 0; i < Count; ++i) {
            const Cell c = Cols[i] >= 0 && Row < RowCount() ? rows_[static_cast<size_t>(Row)][static_cast<size_t>(Cols[i])]
                                                            : Cell{};
            Texts[i] = std::string_view(c.bytes ? c.bytes : "", c.size);
        }
    }

private:
    struct Cell {
        const char* bytes = nullptr;
        size_t size = 0;
    };
    using Row = std::array<Cell, 17>;
    static constexpr size_t kChunk = 1 << 20;

    std::string Fetch(int row, int slot) const {
        if (row < 0 || row >= RowCount()) return std::string();
        const Cell& c = rows_[static_cast<size_t>(row)][static_cast<size_t>(slot)];
        return std::string(c.bytes ? c.bytes : "", c.size);
    }
    void Store(int row, int slot, std::string_view value) {
        if (row >= RowCount()) rows_.resize(static_cast<size_t>(row) + 1);
        Cell& c = rows_[static_cast<size_t>(row)][static_cast<size_t>(slot)];
        c.size = value.size();
        c.bytes = nullptr;
        if (value.empty()) return;
        if (value.size() > kChunk - used_ || chunks_.empty()) {
            chunks_.push_back(std::make_unique<char[]>(std::max(kChunk, value.size())));
            used_ = 0;
        }
        char* at = chunks_.back().get() + used_;
        std::memcpy(at, value.data(), value.size());
        used_ += value.size();
        c.bytes = at;
    }

    std::vector<Row> rows_;
    std::vector<std::unique_ptr<char[]>> chunks_;
    size_t used_ = 0;
};

// One way of loading and saving the text.
class Target {
public:
    virtual ~Target() = default;
    virtual void Reset() = 0;                 // an empty table
    virtual int Load(TStream& Stream) = 0;    // rows read
    virtual void Save(TStream& Stream) = 0;
};

class SimpleTarget : public Target {
public:
    void Reset() override { table_ = std::make_unique<SimpleTable>(); }
    int Load(TStream& Stream) override { return ReadPositionsText(*table_, Stream); }
    void Save(TStream& Stream) override { WritePositionsText(*table_, Stream); }

private:
    std::unique_ptr<SimpleTable> table_ = std::make_unique<SimpleTable>();
};

}  // namespace

// The positions grid on the import's road (datagrid_table.cpp).
void DataGridBenchReset();
int DataGridBenchLoad(TStream& Stream);
void DataGridBenchSave(TStream& Stream);
void DataGridBenchFinish();

namespace {

class DataGridTarget : public Target {
public:
    ~DataGridTarget() override { DataGridBenchFinish(); }
    void Reset() override { DataGridBenchReset(); }
    int Load(TStream& Stream) override { return DataGridBenchLoad(Stream); }
    void Save(TStream& Stream) override { DataGridBenchSave(Stream); }
};

std::unique_ptr<Target> MakeTarget(const std::string& kind) {
    if (kind == "simple") return std::make_unique<SimpleTarget>();
    if (kind == "datagrid") return std::make_unique<DataGridTarget>();
    return nullptr;
}

double Seconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double BestOf5(const std::function<void()>& prepare, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < 5; ++i) {
        prepare();
        best = std::min(best, Seconds(work));
    }
    return best;
}

PROCESS_MEMORY_COUNTERS MemoryCounters() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc;
}

double PeakWorkingSetMB(const PROCESS_MEMORY_COUNTERS& pmc) {
    return static_cast<double>(pmc.PeakWorkingSetSize) / 1048576.0;
}

double PeakPagefileMB(const PROCESS_MEMORY_COUNTERS& pmc) {
    return static_cast<double>(std::max(pmc.PagefileUsage, pmc.PeakPagefileUsage)) / 1048576.0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: bench_positions_text [--table=datagrid|simple] FILE [--csv-command=COMMAND "
                 "--csv-result=RESULT]\n");
    return 2;
}

// Runs Command (one timed csv read) and returns the seconds it wrote into
// Result; 0 when it could not run, with the reason in Why.
double RunCsv(const std::string& Command, const std::string& Result, std::string& Why) {
    DeleteFileA(Result.c_str());
    std::string line = Command;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        Why = "cannot start it, error " + std::to_string(GetLastError());
        return 0;
    }
    // The result appears whole (renamed into place). Wine cannot always wait
    // on the handle of a Unix process, so the file is what is waited for.
    bool ended = false;
    for (int waited = 0; waited < 120000 && GetFileAttributesA(Result.c_str()) == INVALID_FILE_ATTRIBUTES;
         waited += 10) {
        if (!ended && WaitForSingleObject(pi.hProcess, 10) == WAIT_OBJECT_0)
            ended = true;
        else
            Sleep(10);
        if (ended && waited > 5000) break;  // ended without a result
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    double seconds = 0;
    if (FILE* f = std::fopen(Result.c_str(), "r")) {
        if (std::fscanf(f, "%lf", &seconds) != 1) seconds = 0;
        std::fclose(f);
    }
    if (seconds <= 0) Why = ended ? "it ended without a result" : "no result within 120 s";
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    std::string kind = "datagrid";
    std::string file;
    std::string csv_command, csv_result;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("--table=", 0) == 0)
            kind = a.substr(8);
        else if (a.rfind("--csv-command=", 0) == 0)
            csv_command = a.substr(14);
        else if (a.rfind("--csv-result=", 0) == 0)
            csv_result = a.substr(13);
        else if (!a.empty() && a[0] != '-')
            file = a;
        else
            return Usage();
    }
    std::unique_ptr<Target> target = MakeTarget(kind);
    if (!target) {
        std::fprintf(stderr, "table '%s' is not available in this build\n", kind.c_str());
        return 2;
    }
    if (file.empty()) return Usage();

    try {
        TMemoryStream input;
        input.LoadFromFile(file);
        const double mb = static_cast<double>(input.Size()) / 1e6;
        const char* bytes = input.Memory();
        const size_t size = static_cast<size_t>(input.Size());

        // csv, our load and the save take turns, so that all three meet the
        // same machine; the first round's load is also the loads' memory
        // peak, taken before the save's output stream exists.
        int rows = 0;
        double load = 1e300, save = 1e300, csv_seconds = 1e300;
        const bool with_csv = !csv_command.empty() && !csv_result.empty();
        std::string csv_why;
        PROCESS_MEMORY_COUNTERS after_load{};
        TMemoryStream output;
        for (int i = 0; i < 5; ++i) {
            if (with_csv) {
                const double s = RunCsv(csv_command, csv_result, csv_why);
                if (s > 0) csv_seconds = std::min(csv_seconds, s);
            }
            target->Reset();
            input.SetPosition(0);
            load = std::min(load, Seconds([&] { rows = target->Load(input); }));
            if (i == 0) after_load = MemoryCounters();
            output.Clear();
            save = std::min(save, Seconds([&] { target->Save(output); }));
        }
        if (csv_seconds >= 1e300) csv_seconds = 0;
        bool identical = output.Size() == input.Size() && std::memcmp(output.Memory(), bytes, size) == 0;
        // The table's own share of the save: the stream's buffer is kept from
        // the run before, so that its growth is not counted.
        double save_kept = BestOf5([&] { output.SetSize(0); output.SetPosition(0); }, [&] { target->Save(output); });

        size_t line_ends = 0;
        double scan = BestOf5([&] { line_ends = 0; }, [&] {
            for (const char* p = bytes; (p = static_cast<const char*>(std::memchr(p, '\n', size - (p - bytes))));
                 ++p)
                ++line_ends;
        });

        const PROCESS_MEMORY_COUNTERS overall = MemoryCounters();

        std::printf("positions text %s: %.1f MB, %d rows read, %zu line ends, table=%s\n", file.c_str(), mb,
                    rows - 1, line_ends, kind.c_str());
        std::printf("  load   %8.4f s  %7.1f MB/s\n", load, mb / load);
        std::printf("  save   %8.4f s  %7.1f MB/s   save is %.1fx as fast as load\n", save, mb / save, load / save);
        std::printf("  save   %8.4f s  %7.1f MB/s   into a stream whose buffer is kept (the table's own share)\n",
                    save_kept, mb / save_kept);
        std::printf("  scan   %8.4f s  %7.1f MB/s   load takes %.1fx the scan\n", scan, mb / scan, load / scan);
        if (csv_seconds > 0)
            std::printf("  csv    %8.4f s  %7.1f MB/s   Python's csv in the same run: our load is %.2fx as fast\n",
                        csv_seconds, mb / csv_seconds, csv_seconds / load);
        else
            std::printf("  csv    not measured%s%s\n", with_csv ? ": the csv command did not run: " : "",
                        csv_why.c_str());
        std::printf("  load peak working set %.1f MB, peak pagefile %.1f MB\n", PeakWorkingSetMB(after_load),
                    PeakPagefileMB(after_load));
        std::printf("  overall peak working set %.1f MB, peak pagefile %.1f MB (with the save's output)\n",
                    PeakWorkingSetMB(overall), PeakPagefileMB(overall));
        const double peak = PeakWorkingSetMB(overall);
        bool holds = BenchVerdict("load", csv_seconds > 0 && csv_seconds / load >= 2,
                                  "load %.3f s, csv %.3f s in the same run: %.2fx as fast as csv (>= 2x)", load,
                                  csv_seconds, csv_seconds > 0 ? csv_seconds / load : 0.0);
        holds &= BenchVerdict("save", load / save >= 2.5,
                              "save %.3f s: %.2fx as fast as the load (>= 2.5x); into a stream whose buffer is "
                              "kept %.3f s, %.2fx",
                              save, load / save, save_kept, load / save_kept);
        holds &= BenchVerdict("memory", peak < 100, "peak working set of the whole run %.1f MB (< 100 MB)", peak);
        holds &= BenchVerdict("round-trip", identical, "the saved text is %s the loaded one",
                              identical ? "byte for byte" : "NOT");
        return holds ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
