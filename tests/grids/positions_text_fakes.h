// Shared by the positions text tests (native and through the grid): a table
// with named columns, a byte stream with adjustable failures, the fixture
// and a scoped decimal separator.
#pragma once

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "framework/ansi_text.h"
#include "framework/format_settings.h"
#include "framework/streams.h"
#include "framework/strings.h"
#include "framework/sysutils.h"
#include "grids/positions_text.h"

namespace positions_test {

struct FakeColumn {
    std::string field;
    bool decimal = false;
};

class FakeTable : public PositionsTextTable {
public:
    explicit FakeTable(std::vector<FakeColumn> columns) : columns(std::move(columns)) {}

    int ColCount() const override { return static_cast<int>(columns.size()); }
    int RowCount() const override { return rows; }
    void SetRowCount(int Value) override { rows = std::max(Value, 2); }
    int FixedRows() const override { return fixed_rows; }
    std::string FieldName(int Col) const override { return columns.at(Col).field; }
    std::string DisplayName(int Col) const override {
        const std::string name = Trim(columns.at(Col).field);
        return name.empty() ? "TColumn" : name;
    }
    int FindColumnByFieldName(const std::string& Name) const override {
        for (size_t i = 0; i < columns.size(); ++i)
            if (AnsiSameText(columns[i].field, Name)) return static_cast<int>(i);
        return -1;
    }
    bool IsDecimalColumn(int Col) const override { return columns.at(Col).decimal; }
    std::string GetCell(int Col, int Row) override { return Find(cells, {Col, Row}); }
    void SetCell(int Col, int Row, const std::string& Value) override {
        if (Col < 0 || Col >= ColCount()) throw std::logic_error("column outside the table");
        cells[{Col, Row}] = Value;
    }
    std::string GetSecondLine(int Row) override { return Find(second_lines, Row); }
    // Like the grid's second-line store: split into lines, joined by CR LF.
    void SetSecondLine(int Row, const std::string& Value) override {
        std::string joined;
        for (const std::string& l : SplitLines(Value)) joined += l + "\r\n";
        second_lines[Row] = joined.substr(0, joined.empty() ? 0 : joined.size() - 2);
    }

    std::vector<FakeColumn> columns;
    int rows = 2;
    int fixed_rows = 1;
    std::map<std::pair<int, int>, std::string> cells;
    std::map<int, std::string> second_lines;

private:
    template <class M>
    static std::string Find(const M& map, const typename M::key_type& key) {
        auto it = map.find(key);
        return it == map.end() ? std::string() : it->second;
    }
};

// The 16 columns of the positions grid of the main window.
inline std::vector<FakeColumn> PositionColumns() {
    return {{"TColumn-1", false},    {"Pos.", true},          {"Stueck", true},         {"Einheit", false},
            {"Bezeichnung1", false}, {"Bezeichnung2", false}, {"BestellNummer", false}, {"Seriennummer", true},
            {"Artikelnummer", false}, {"Einzelbetrag", true}, {"Steuer", true},         {"SummeBetrag", true},
            {"intern", false},       {"ID_Artikel", false},   {"benutzer", true},       {"Rabatt", true}};
}

// Byte stream whose reads can be cut into small pieces, whose writes can
// stop after a number of bytes, and whose reads can throw at an offset.
class ByteStream : public TStream {
public:
    explicit ByteStream(std::string bytes = std::string()) : data(std::move(bytes)) {}

    int64_t Read(void* Buffer, int64_t Count) override {
        if (throw_at >= 0 && pos >= throw_at) {
            if (throw_kind == 1) throw std::bad_alloc();
            if (throw_kind == 2) throw 42;
            throw std::runtime_error("read failed");
        }
        int64_t n = std::min<int64_t>({Count, static_cast<int64_t>(data.size()) - pos, max_read});
        if (throw_at >= 0) n = std::min<int64_t>(n, throw_at - pos);
        if (n <= 0) return 0;
        std::memcpy(Buffer, data.data() + pos, static_cast<size_t>(n));
        pos += n;
        return n;
    }
    int64_t Write(const void* Buffer, int64_t Count) override {
        const int64_t n = std::min<int64_t>(Count, write_limit - static_cast<int64_t>(data.size()));
        if (n <= 0) return 0;
        data.append(static_cast<const char*>(Buffer), static_cast<size_t>(n));
        return n;
    }
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override {
        const int64_t base = Origin == TSeekOrigin::soBeginning ? 0
                             : Origin == TSeekOrigin::soCurrent ? pos
                                                               : static_cast<int64_t>(data.size());
        return pos = std::clamp<int64_t>(base + Offset, 0, static_cast<int64_t>(data.size()));
    }

    std::string data;
    int64_t pos = 0;
    int64_t max_read = INT64_MAX;
    int64_t write_limit = INT64_MAX;
    int64_t throw_at = -1;
    int throw_kind = 0;  // 0 runtime_error, 1 bad_alloc, 2 a plain int
};

struct DecimalSeparatorScope {
    const char saved = FormatSettings.DecimalSeparator;
    explicit DecimalSeparatorScope(char sep) { FormatSettings.DecimalSeparator = sep; }
    ~DecimalSeparatorScope() { FormatSettings.DecimalSeparator = saved; }
};

inline std::string Write(PositionsTextTable& table) {
    ByteStream s;
    WritePositionsText(table, s);
    return s.data;
}

inline int Read(PositionsTextTable& table, const std::string& text) {
    ByteStream s(text);
    return ReadPositionsText(table, s);
}

inline std::string FixturePath(const std::string& name) {
    std::string dir = __FILE__;
    dir.erase(dir.find_last_of("/\\") + 1);
#ifdef _WIN32
    if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;  // the build tree is a Unix path under Wine
#endif
    return dir + "fixtures/" + name;
}

inline std::string LoadFixtureFrom(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("file missing: " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The 16-column fixture, read once.
inline const std::string& Fixture16() {
    static const std::string bytes = LoadFixtureFrom(FixturePath("positions16.txt"));
    return bytes;
}

}  // namespace positions_test
