#include "controls/dialogs/symbol_layout.h"

#include <algorithm>

const std::string& DefaultSymbolChars() {
    static const std::string chars = [] {
        std::string s;
        auto range = [&s](int from, int to) {
            for (int c = from; c <= to; ++c) s += static_cast<char>(c);
        };
        range(132, 139);
        range(145, 153);
        range(155, 155);
        range(162, 191);
        for (int c : {215, 216, 248, 247}) s += static_cast<char>(c);
        s += "(m\xB2)(m\xB3)";
        for (int c : {141, 188, 189, 190, 178, 179, 176, 216}) s += static_cast<char>(c);
        return s;
    }();
    return chars;
}

int ClampSymbolCellSize(int Stored) { return std::min(50, std::max(20, Stored)); }

TSymbolLayout LayoutSymbols(const std::string& Chars) {
    const std::string& chars = Chars.empty() ? DefaultSymbolChars() : Chars;
    TSymbolLayout layout;
    int cols = 1;
    while (static_cast<size_t>(cols) * static_cast<size_t>(cols) < chars.size()) ++cols;
    layout.Cols = cols;
    for (size_t i = 0; i < chars.size(); ++i) {
        std::string cell;
        if (chars[i] == '(') {
            const size_t close = chars.find(')', i + 1);
            const size_t end = close == std::string::npos ? chars.size() : close;
            cell = chars.substr(i + 1, end - i - 1);
            i = end;
        } else {
            cell = chars.substr(i, 1);
        }
        layout.Cells.push_back(std::move(cell));
    }
    const int cells = static_cast<int>(layout.Cells.size());
    layout.Rows = std::max(1, (cells + cols - 1) / cols);
    return layout;
}

TSymbolWindowSize SymbolWindowSize(int CellSize, int GridLineWidth, int Cols, int Rows, int PanelHeight,
                                   int MaxWidth, int MaxHeight) {
    const long long step = CellSize + GridLineWidth;
    long long width = step * (Cols + 1LL) + 10, height = step * (Rows + 1LL) + PanelHeight + 15;
    if (MaxWidth > 0) width = std::min<long long>(width, MaxWidth);
    if (MaxHeight > 0) height = std::min<long long>(height, MaxHeight);
    return {static_cast<int>(std::min<long long>(width, 1 << 30)), static_cast<int>(std::min<long long>(height, 1 << 30))};
}

std::string LimitSymbolChars(const std::string& Chars) {
    return Chars.size() <= kSymbolCharsLimit ? Chars : Chars.substr(0, kSymbolCharsLimit);
}
