#include "framework/print_layout.h"

#include <algorithm>
#include <cstdint>

#include "framework/rounding.h"

int MillimetresToDevice(int Millimetres, int PixelsPerInch) {
    return static_cast<int>(RoundHalfEven(static_cast<double>(PixelsPerInch) * Millimetres / 25.4));
}

PlainRect MarginPageRect(const TPrinterMetrics& m, int MarginMillimetres) {
    const int mx = MillimetresToDevice(MarginMillimetres, m.PixelsPerInchX);
    const int my = MillimetresToDevice(MarginMillimetres, m.PixelsPerInchY);
    PlainRect r;
    r.left = std::max(0, mx - m.PhysicalOffsetX);
    r.top = std::max(0, my - m.PhysicalOffsetY);
    r.right = std::min(m.PageWidth, m.PhysicalWidth - mx - m.PhysicalOffsetX);
    r.bottom = std::min(m.PageHeight, m.PhysicalHeight - my - m.PhysicalOffsetY);
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

int DeviceToTwips(int Value, int PixelsPerInch) {
    if (PixelsPerInch <= 0) return 0;
    return static_cast<int>(static_cast<int64_t>(Value) * 1440 / PixelsPerInch);
}

PlainRect DeviceRectToTwips(const PlainRect& r, int PixelsPerInchX, int PixelsPerInchY) {
    return {DeviceToTwips(r.left, PixelsPerInchX), DeviceToTwips(r.top, PixelsPerInchY),
            DeviceToTwips(r.right, PixelsPerInchX), DeviceToTwips(r.bottom, PixelsPerInchY)};
}

int RunPageLoop(int TextLength, const std::function<int(int Start)>& PrintPage) {
    int pages = 0;
    int start = 0;
    do {
        const int next = PrintPage(start);
        ++pages;
        if (next <= start) break;
        start = next;
    } while (start < TextLength);
    return pages;
}
