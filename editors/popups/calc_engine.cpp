#include "editors/popups/calc_engine.h"

#include <cmath>

#include "editors/tools/number_text.h"
#include "framework/sysutils.h"

const char* const kCalcDivisionByZero = "Division durch Null";
const char* const kCalcInvalidOperation = "Ung\xFCltige Gleitkommaoperation";
const char* const kCalcOverflow = "Gleitkomma\xFC" "berlauf";

namespace {

bool IsBinary(int code) { return code == ckDiv || code == ckMul || code == ckSub || code == ckAdd; }

}  // namespace

CalcEngine::CalcEngine() { ShowValue(); }

void CalcEngine::SetDisplay(const std::string& text) {
    display_ = text;
    ReadDisplay();
    new_number_ = true;
}

void CalcEngine::ReadDisplay() {
    double v = 0;
    // Whole numbers beyond 32 bits are numbers too: the value is what the
    // display shows.
    if (IsNumberText(display_, FormatSettings, IntegerRange::Any) && TryStrToFloat(display_, v) && std::isfinite(v))
        value_ = v;
}

void CalcEngine::ShowValue() {
    // A negated zero is still shown as "0".
    display_ = FloatToStr(value_ == 0 ? 0.0 : value_);
}

void CalcEngine::Fail(const char* message) {
    error_ = true;
    display_ = message;
}

CalcAction CalcEngine::Press(int code) {
    if (code >= ck0 && code <= ck0 + 9) {
        Digit(static_cast<char>('0' + code));
    } else if (code == ckSeparator) {
        Separator();
    } else if (IsBinary(code)) {
        BinaryOperator(code);
    } else if (code == ckSqrt || code == ckPercent || code == ckInvert || code == ckNegate || code == ckResult) {
        Evaluate(code);
    } else if (code == ckBackspace) {
        Backspace();
    } else if (code == ckClearEntry) {
        if (!error_) {
            display_ = "0";
            new_number_ = true;
        }
    } else if (code == ckClear) {
        // Everything goes, the pending operator too: "5 =" after C shows 5.
        error_ = false;
        display_ = "0";
        new_number_ = true;
        operand_ = value_ = 0;
        pending_ = 0;
    } else if (code == ckMemoryClear) {
        if (!error_) memory_ = 0;
    } else if (code == ckMemoryRecall) {
        display_ = FloatToStr(memory_ == 0 ? 0.0 : memory_);
        // A digit typed now starts a new number instead of extending the
        // recalled one.
        new_number_ = true;
    } else if (code == ckMemoryStore) {
        if (!error_) {
            ReadDisplay();
            memory_ = value_;
            new_number_ = true;  // "4 MS 3" types a new 3, not 43
        }
    } else if (code == ckMemoryAdd) {
        if (!error_) {
            ReadDisplay();
            const double sum = memory_ + value_;
            if (std::isfinite(sum)) memory_ = sum;
            new_number_ = true;
        }
    } else if (code == ckOK) {
        return CalcAction::Accept;
    } else if (code == ckCancel) {
        return CalcAction::Cancel;
    }
    return CalcAction::None;
}

void CalcEngine::Digit(char digit) {
    if (error_) return;
    if (new_number_) {
        if (digit == '0' && display_ == "0") return;
        display_.assign(1, digit);
        new_number_ = false;
        return;
    }
    if (digit == '0' && display_ == "0") return;
    if (display_ == "0")
        display_.assign(1, digit);
    else
        display_ += digit;
}

void CalcEngine::Separator() {
    if (error_) return;
    const char sep = FormatSettings.DecimalSeparator;
    // A new number started with the separator is "0," (never the old
    // result with a separator behind it).
    if (new_number_) {
        display_ = std::string("0") + sep;
        new_number_ = false;
        return;
    }
    if (display_.find(sep) == std::string::npos) display_ += sep;
}

void CalcEngine::BinaryOperator(int code) {
    if (pending_ == code) Evaluate(ckResult);
    pending_ = code;
    new_number_ = true;
    ReadDisplay();
    operand_ = value_;
}

void CalcEngine::Evaluate(int code) {
    ReadDisplay();
    if (!error_) {
        double v = value_;
        const char* failure = nullptr;
        switch (code) {
        case ckSqrt:
            if (v < 0)
                failure = kCalcInvalidOperation;
            else
                v = std::sqrt(v);
            break;
        case ckPercent: v = operand_ * v / 100; break;
        case ckInvert:
            if (v == 0)
                failure = kCalcDivisionByZero;
            else
                v = 1 / v;
            break;
        case ckNegate: v = -v; break;
        case ckResult:
            switch (pending_) {
            case ckDiv:
                if (v == 0)
                    failure = kCalcDivisionByZero;
                else
                    v = operand_ / v;
                break;
            case ckMul: v = operand_ * v; break;
            case ckSub: v = operand_ - v; break;
            case ckAdd: v = operand_ + v; break;
            default: break;
            }
            pending_ = 0;
            break;
        default: break;
        }
        if (!failure && !std::isfinite(v)) failure = kCalcOverflow;
        if (failure)
            Fail(failure);
        else
            value_ = v;
    }
    if (!error_) ShowValue();
    new_number_ = true;
}

void CalcEngine::Backspace() {
    if (error_ || new_number_) return;
    if (display_.size() >= 2)
        display_.pop_back();
    else
        display_.clear();
    // Nothing left but a sign is no number either.
    if (display_.empty() || display_ == "-") {
        display_ = "0";
        new_number_ = true;
    }
}
