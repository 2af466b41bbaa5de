#include "framework/printer.h"

#include <commdlg.h>

#include <utility>

namespace {

TPrintDialogRunner& Runner() {
    static TPrintDialogRunner runner;
    return runner;
}

// The system's print dialog; it owns the device names it returns.
std::unique_ptr<TPrinter> SystemPrintDialog(HWND Owner) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = Owner;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    if (!PrintDlgA(&pd)) return nullptr;
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    if (!pd.hDC) return nullptr;
    return std::make_unique<TDCPrinter>(pd.hDC);
}

}  // namespace

TPrinterMetrics TPrinter::Metrics() const {
    TPrinterMetrics m;
    HDC dc = Handle();
    if (!dc) return m;
    m.PixelsPerInchX = GetDeviceCaps(dc, LOGPIXELSX);
    m.PixelsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
    m.PhysicalOffsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    m.PhysicalOffsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    m.PageWidth = GetDeviceCaps(dc, HORZRES);
    m.PageHeight = GetDeviceCaps(dc, VERTRES);
    m.PhysicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    m.PhysicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    // A display-like context has no paper: the printable area is the paper.
    if (m.PhysicalWidth <= 0) m.PhysicalWidth = m.PageWidth;
    if (m.PhysicalHeight <= 0) m.PhysicalHeight = m.PageHeight;
    return m;
}

bool TPrinter::BeginDoc(const std::string& Title) {
    DOCINFOA info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = Title.c_str();
    printing_ = StartDocA(Handle(), &info) > 0;
    return printing_;
}

bool TPrinter::BeginPage() { return printing_ && StartPage(Handle()) > 0; }

void TPrinter::EndPage() {
    if (printing_) ::EndPage(Handle());
}

void TPrinter::EndDoc() {
    if (printing_) ::EndDoc(Handle());
    printing_ = false;
}

void TPrinter::Abort() {
    if (printing_) AbortDoc(Handle());
    printing_ = false;
}

TDCPrinter::~TDCPrinter() {
    if (printing_) AbortDoc(dc_);
    if (dc_) DeleteDC(dc_);
}

std::unique_ptr<TPrinter> ExecutePrintDialog(HWND Owner) {
    if (Runner()) return Runner()(Owner);
    return SystemPrintDialog(Owner);
}

TPrintDialogRunner SetPrintDialogRunner(TPrintDialogRunner Runner_) {
    return std::exchange(Runner(), std::move(Runner_));
}
