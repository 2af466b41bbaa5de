// The printer object and the print dialog, behind a seam: tests and tools
// install their own dialog runner, so nothing ever waits for a real dialog
// or needs a real printer.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/print_layout.h"

// A chosen printer with its device context; one document at a time.
class TPrinter {
public:
    virtual ~TPrinter() = default;
    virtual HDC Handle() const = 0;
    virtual TPrinterMetrics Metrics() const;
    // False when the job could not start (nothing is printed then).
    virtual bool BeginDoc(const std::string& Title);
    virtual bool BeginPage();
    virtual void EndPage();
    virtual void EndDoc();
    // Ends a started job without finishing it.
    virtual void Abort();
    bool Printing() const { return printing_; }

protected:
    bool printing_ = false;
};

// A printer on a device context it owns (DeleteDC when it goes).
class TDCPrinter : public TPrinter {
public:
    explicit TDCPrinter(HDC DC) : dc_(DC) {}
    ~TDCPrinter() override;
    TDCPrinter(const TDCPrinter&) = delete;
    TDCPrinter& operator=(const TDCPrinter&) = delete;
    HDC Handle() const override { return dc_; }

private:
    HDC dc_;
};

// Shows the print dialog for Owner; the chosen printer, or nullptr when the
// user cancelled or there is no printer.
std::unique_ptr<TPrinter> ExecutePrintDialog(HWND Owner);

// Replaces the dialog (an empty function restores the system's); returns the
// previous runner.
using TPrintDialogRunner = std::function<std::unique_ptr<TPrinter>(HWND Owner)>;
TPrintDialogRunner SetPrintDialogRunner(TPrintDialogRunner Runner);
