// Cut texts and failing streams: the reader leaves the table in a state that
// writes and reads back unchanged. (Random and hostile texts are the fuzz
// target's.)
#include "grids/positions_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/grids/positions_text_fakes.h"

using namespace positions_test;

namespace {

// What the table's line store makes of a second line.
std::string Resettled(const std::string& second_line) {
    FakeTable scratch({});
    scratch.SetSecondLine(0, second_line);
    return scratch.GetSecondLine(0);
}

// The table writes a text that reads back into the same cells; second lines
// pass through the line store once more.
void ExpectUsable(FakeTable& table, const std::string& what) {
    ASSERT_GE(table.RowCount(), 2) << what;
    FakeTable again(table.columns);
    ASSERT_EQ(Read(again, Write(table)), table.RowCount()) << what;
    for (int r = table.FixedRows(); r < table.RowCount(); ++r) {
        for (int c = 0; c < table.ColCount(); ++c) ASSERT_EQ(again.GetCell(c, r), table.GetCell(c, r)) << what;
        ASSERT_EQ(again.GetSecondLine(r), Resettled(table.GetSecondLine(r))) << what << " row " << r;
    }
}

TEST(PositionsRobustness, EveryTruncationAndEveryFailingRead) {
    const std::string& text = Fixture16();
    for (size_t len = 0; len <= text.size(); len += 3) {
        FakeTable t(PositionColumns());
        Read(t, text.substr(0, len));
        ExpectUsable(t, "length " + std::to_string(len));
        if (HasFatalFailure()) return;
    }
    for (size_t at = 0; at < text.size(); at += 97) {
        FakeTable t(PositionColumns());
        ByteStream s(text);
        s.throw_at = static_cast<int64_t>(at);
        s.max_read = 64;
        EXPECT_ANY_THROW(ReadPositionsText(t, s));
        ExpectUsable(t, "failing at " + std::to_string(at));
    }
}

}  // namespace
