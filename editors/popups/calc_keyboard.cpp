#include "editors/popups/calc_keyboard.h"

#include "editors/popups/calc_engine.h"

int CalcKeyForKeyDown(unsigned vk, bool shift, bool ctrl, bool alt) {
    (void)shift;
    if (alt) return -1;
    switch (vk) {
    case kCalcVkBack: return ckBackspace;
    case kCalcVkReturn: return ckOK;
    case kCalcVkEscape: return ckCancel;
    case kCalcVkDelete: return ckClearEntry;
    case kCalcVkF9: return ckInvert;
    default: break;
    }
    if (!ctrl) return -1;
    switch (vk) {
    case 'L': return ckMemoryClear;
    case 'M': return ckMemoryStore;
    case 'Q': return ckMemoryAdd;
    case 'R': return ckMemoryRecall;
    default: return -1;
    }
}

int CalcKeyForChar(unsigned char ch, char separator) {
    if (ch >= '0' && ch <= '9') return ck0 + (ch - '0');
    if (ch == static_cast<unsigned char>(separator) || ch == ',' || ch == '.') return ckSeparator;
    switch (ch) {
    case '+': return ckAdd;
    case '-': return ckSub;
    case '*': return ckMul;
    case '/': return ckDiv;
    case '%': return ckPercent;
    case '=': return ckResult;
    case '@': return ckSqrt;
    case 'r':
    case 'R': return ckInvert;
    default: return -1;
    }
}
