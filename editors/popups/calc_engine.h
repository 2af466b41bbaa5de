// The arithmetic of the pocket calculator, without a window: the display
// text, the value and operand, one memory register, the pending binary
// operator and the error state, driven one key code at a time. The key
// codes are the calculator's button codes; the popup draws the keys and
// hands their clicks here.
#pragma once

#include <string>

enum TCalcKey : int {
    ck0 = 0,  // ck0 + n is the digit n
    ckDiv = 10,
    ckSqrt = 11,
    ckMul = 12,
    ckPercent = 13,
    ckSub = 14,
    ckInvert = 15,
    ckNegate = 16,
    ckSeparator = 17,
    ckAdd = 18,
    ckResult = 19,
    ckBackspace = 20,
    ckClearEntry = 21,
    ckClear = 22,
    ckMemoryClear = 23,
    ckMemoryRecall = 24,
    ckMemoryStore = 25,
    ckMemoryAdd = 26,
    ckOK = 27,
    ckCancel = 28,
};
inline constexpr int kCalcKeyCount = 29;

// What a key asks of the popup beyond the engine's own state.
enum class CalcAction { None, Accept, Cancel };

// The texts shown for a failed operation.
extern const char* const kCalcDivisionByZero;
extern const char* const kCalcInvalidOperation;
extern const char* const kCalcOverflow;

class CalcEngine {
public:
    // Display "0", nothing pending, ready for a new number. The decimal
    // separator is read from FormatSettings when a key needs it.
    CalcEngine();

    // One key. Codes outside 0..28 do nothing.
    CalcAction Press(int code);
    // Puts a number text on the display (the edit's text when the
    // calculator opens) and reads it into the value, ready for a new number.
    void SetDisplay(const std::string& text);

    const std::string& Display() const { return display_; }
    double Value() const { return value_; }
    double Operand() const { return operand_; }
    double Memory() const { return memory_; }
    bool Error() const { return error_; }
    int Pending() const { return pending_; }
    bool NewNumber() const { return new_number_; }

private:
    void Digit(char digit);
    void Separator();
    void BinaryOperator(int code);
    void Evaluate(int code);
    void Backspace();
    // The display read into the value, when it is a number.
    void ReadDisplay();
    void ShowValue();
    void Fail(const char* message);

    std::string display_;
    double value_ = 0;
    double operand_ = 0;
    double memory_ = 0;
    bool error_ = false;
    int pending_ = 0;  // a binary operator's code, 0 for none
    bool new_number_ = true;
};
