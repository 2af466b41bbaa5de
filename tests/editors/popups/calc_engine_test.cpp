#include "editors/popups/calc_engine.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "editors/popups/calc_keyboard.h"
#include "framework/format_settings.h"

namespace {

// Presses the keys of a script: numbers digit by digit, the other words as
// the captions of their keys.
void Press(CalcEngine& calc, const std::string& script) {
    static const std::map<std::string, int> words = {
        {"/", ckDiv},    {"sqrt", ckSqrt}, {"*", ckMul},   {"%", ckPercent},  {"-", ckSub},
        {"1|x", ckInvert}, {"+|-", ckNegate}, {",", ckSeparator}, {"+", ckAdd}, {"=", ckResult},
        {"BKS", ckBackspace}, {"CE", ckClearEntry}, {"C", ckClear}, {"MC", ckMemoryClear},
        {"MR", ckMemoryRecall}, {"MS", ckMemoryStore}, {"M+", ckMemoryAdd}};
    std::istringstream in(script);
    std::string word;
    while (in >> word) {
        auto it = words.find(word);
        if (it != words.end()) {
            calc.Press(it->second);
            continue;
        }
        for (char c : word) {
            ASSERT_TRUE(c >= '0' && c <= '9') << word;
            calc.Press(ck0 + (c - '0'));
        }
    }
}

class CalcEngineTest : public ::testing::Test {
protected:
    void SetUp() override { InitFormatSettings(); }
    void TearDown() override { InitFormatSettings(); }
};

struct SequenceCase {
    const char* script;
    const char* display;
};

TEST_F(CalcEngineTest, SequencesShowTheirResults) {
    const SequenceCase cases[] = {
        {"2 + 3 +", "5"},              // the repeated operator evaluates first
        {"2 + 3 * 4 =", "12"},         // "*" replaces the pending "+", operand 3
        {"50 + 10 %", "5"},            // operand x value / 100
        {"50 + 10 % =", "55"},
        {"9 - 12 =", "-3"},
        {"7 / 2 =", "3,5"},
        {"16 sqrt", "4"},
        {"4 1|x", "0,25"},
        {"5 +|-", "-5"},
        {"0 +|-", "0"},
        {"1 , 5", "1,5"},
        {"1 , 5 ,", "1,5"},            // a second separator is ignored
        {"0 0 0", "0"},                // "0" on "0" stays
        {"1 , 5 BKS", "1,"},
        {"1 , 5 BKS BKS", "1"},
        {"1 , 5 BKS BKS BKS", "0"},
        {"12 CE", "0"},
        {"2 + 3 = 7", "7"},            // a result is followed by a new number
        {"1 , 5 * 2 =", "3"},
        {"10 / 4 = * 2 =", "5"},
        {"4 MS C MR 2", "2"},          // a digit after recall starts a new number
        {"2 + , 5 =", "2,5"},          // a separator first starts with zero
    };
    for (const SequenceCase& c : cases) {
        CalcEngine calc;
        Press(calc, c.script);
        EXPECT_EQ(calc.Display(), c.display) << c.script;
        EXPECT_FALSE(calc.Error()) << c.script;
    }
}

TEST_F(CalcEngineTest, BackspaceToNothingStartsANewNumber) {
    CalcEngine calc;
    Press(calc, "1 BKS");
    EXPECT_EQ(calc.Display(), "0");
    EXPECT_TRUE(calc.NewNumber());
    Press(calc, "7");
    EXPECT_EQ(calc.Display(), "7");
}

struct FailureCase {
    const char* script;
    const char* message;
};

TEST_F(CalcEngineTest, FailedOperationsShowTheirMessage) {
    const FailureCase cases[] = {
        {"1 / 0 =", "Division durch Null"},
        {"0 1|x", "Division durch Null"},
        {"4 +|- sqrt", "Ung\xFCltige Gleitkommaoperation"},
    };
    for (const FailureCase& c : cases) {
        CalcEngine calc;
        Press(calc, c.script);
        EXPECT_TRUE(calc.Error()) << c.script;
        EXPECT_EQ(calc.Display(), c.message) << c.script;
    }
    // 1E200 * 1E200 leaves the range of a double.
    CalcEngine calc;
    calc.SetDisplay("1E200");
    Press(calc, "* =");
    EXPECT_TRUE(calc.Error());
    EXPECT_EQ(calc.Display(), "Gleitkomma\xFC" "berlauf");
}

TEST_F(CalcEngineTest, ErrorStateKeepsTheDisplayUntilClear) {
    // The separator too: appended it would turn the message into
    // "Division durch Null,".
    for (const char* key : {"7", ",", "+", "CE", "BKS", "MC", "MS", "M+", "*", "=", "sqrt", "%"}) {
        CalcEngine calc;
        Press(calc, "4 MS 1 / 0 =");
        Press(calc, key);
        EXPECT_EQ(calc.Display(), "Division durch Null") << key;
        EXPECT_EQ(calc.Memory(), 4) << key;
    }
    CalcEngine calc;
    Press(calc, "1 / 0 = C");
    EXPECT_FALSE(calc.Error());
    EXPECT_EQ(calc.Display(), "0");
    Press(calc, "8");
    EXPECT_EQ(calc.Display(), "8");
}

TEST_F(CalcEngineTest, RecallWorksInTheErrorState) {
    CalcEngine calc;
    Press(calc, "4 MS 1 / 0 = MR");
    EXPECT_EQ(calc.Display(), "4");
    EXPECT_EQ(calc.Press(ckCancel), CalcAction::Cancel);
    EXPECT_EQ(calc.Press(ckOK), CalcAction::Accept);
}

TEST_F(CalcEngineTest, Memory) {
    CalcEngine calc;
    Press(calc, "4 MS 3 M+");
    EXPECT_EQ(calc.Memory(), 7);
    Press(calc, "C MR");
    EXPECT_EQ(calc.Display(), "7");
    Press(calc, "MC");
    EXPECT_EQ(calc.Memory(), 0);
    EXPECT_EQ(calc.Display(), "7");
}

TEST_F(CalcEngineTest, ClearForgetsThePendingOperator) {
    CalcEngine calc;
    Press(calc, "8 * C 5 =");
    EXPECT_EQ(calc.Display(), "5");
    EXPECT_EQ(calc.Pending(), 0);
}

TEST_F(CalcEngineTest, SeparatorFollowsTheSettings) {
    FormatSettings.DecimalSeparator = '.';
    CalcEngine calc;
    Press(calc, "1 , 5 * 2 =");
    EXPECT_EQ(calc.Display(), "3");
    Press(calc, "7 / 2 =");
    EXPECT_EQ(calc.Display(), "3.5");
}

TEST_F(CalcEngineTest, OpeningWithAText) {
    CalcEngine calc;
    calc.SetDisplay("12,5");
    EXPECT_EQ(calc.Value(), 12.5);
    Press(calc, "* 2 =");
    EXPECT_EQ(calc.Display(), "25");
    // Without "=", the pending operator stays pending.
    calc.SetDisplay("12,5");
    Press(calc, "* 2");
    EXPECT_EQ(calc.Display(), "2");
    EXPECT_EQ(calc.Pending(), ckMul);
}

TEST_F(CalcEngineTest, KeysWithoutACharacter) {
    struct KeyCase {
        unsigned vk;
        bool shift, ctrl, alt;
        int code;
    };
    const KeyCase cases[] = {
        {kCalcVkBack, false, false, false, ckBackspace}, {kCalcVkReturn, false, false, false, ckOK},
        {kCalcVkEscape, false, false, false, ckCancel},  {kCalcVkDelete, false, false, false, ckClearEntry},
        {kCalcVkF9, false, false, false, ckInvert},      {'L', false, true, false, ckMemoryClear},
        {'M', false, true, false, ckMemoryStore},        {'Q', false, true, false, ckMemoryAdd},
        {'R', false, true, false, ckMemoryRecall},       {'R', false, false, false, -1},
        {'5', false, false, false, -1},                  {kCalcVkF9, false, false, true, -1},
    };
    for (const KeyCase& c : cases) EXPECT_EQ(CalcKeyForKeyDown(c.vk, c.shift, c.ctrl, c.alt), c.code) << c.vk;
}

TEST_F(CalcEngineTest, TypedCharacters) {
    const std::pair<char, int> cases[] = {
        {'5', ck0 + 5}, {'0', ck0}, {'+', ckAdd}, {'-', ckSub}, {'*', ckMul}, {'/', ckDiv}, {'%', ckPercent},
        {'=', ckResult}, {'@', ckSqrt}, {'r', ckInvert}, {'R', ckInvert}, {',', ckSeparator}, {'.', ckSeparator},
        // German Shift+8 and "#": no operator.
        {'(', -1}, {'#', -1}, {'\r', -1}, {'\x1b', -1}, {'\x12', -1},
    };
    for (auto [ch, code] : cases) EXPECT_EQ(CalcKeyForChar(static_cast<unsigned char>(ch), ','), code) << ch;
}

}  // namespace

// The calculator computes with the number it shows, however many digits.
TEST_F(CalcEngineTest, WholeNumbersBeyond32BitsAreWhatTheDisplayShows) {
    const SequenceCase cases[] = {
        {"3000000000 + 1 =", "3000000001"},
        {"9999999999 * 2 =", "19999999998"},
        {"2147483648 - 1 =", "2147483647"},
        {"99999999999999999999 / 1 =", "1E20"},
    };
    for (const SequenceCase& c : cases) {
        CalcEngine calc;
        Press(calc, c.script);
        EXPECT_EQ(calc.Display(), c.display) << c.script;
    }
    CalcEngine calc;
    calc.SetDisplay("5000000000");
    EXPECT_EQ(calc.Value(), 5000000000.0);
    Press(calc, "MS");
    EXPECT_EQ(calc.Memory(), 5000000000.0);
}
