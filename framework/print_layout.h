// Page arithmetic of printing, without a printer: the page rectangle with
// margins measured from the paper edge, the device-unit to twips conversion
// of rich text ranges, and the page loop that ends when a page makes no
// progress.
#pragma once

#include <functional>

#include "framework/plain_geometry.h"

// What a printer tells about its page, in device units.
struct TPrinterMetrics {
    int PixelsPerInchX = 0;
    int PixelsPerInchY = 0;
    int PhysicalOffsetX = 0;  // unprintable strip on the left
    int PhysicalOffsetY = 0;  // ... and on the top
    int PhysicalWidth = 0;    // the whole paper
    int PhysicalHeight = 0;
    int PageWidth = 0;  // the printable area (HORZRES, VERTRES)
    int PageHeight = 0;
};

// Device units of Millimetres at PixelsPerInch, rounded half to even.
int MillimetresToDevice(int Millimetres, int PixelsPerInch);
// The printable area's rectangle (origin at its top-left) that leaves
// MarginMillimetres from every paper edge; never inverted.
PlainRect MarginPageRect(const TPrinterMetrics& Metrics, int MarginMillimetres);
// Device units to twips (1/1440 inch) at PixelsPerInch; 0 for a bad resolution.
int DeviceToTwips(int Value, int PixelsPerInch);
PlainRect DeviceRectToTwips(const PlainRect& Rect, int PixelsPerInchX, int PixelsPerInchY);

// Prints pages from character 0 until TextLength is reached: PrintPage(start)
// prints one page and returns the first character of the next. A page that
// does not get past its start (nothing fits, or the control cannot lay out
// pages) ends the loop after printing it. Returns the number of pages.
int RunPageLoop(int TextLength, const std::function<int(int Start)>& PrintPage);
