// TFTip: the summary window shown after an import run. A read-mostly rich
// edit with clickable links above a bottom bar with "Drucken" and "&Weiter".
// Esc and the system menu close it without a result, "&Weiter" with mrOk.
// Links open through the shell ("open", shown normally), file links after
// the file-link resolver (summary_links.h); printing goes through the print
// dialog seam (framework/printer.h) with 20 mm margins, the job named after
// the first line. The context menu is the rich edit's full edit menu with
// its clipboard file links (without the symbol item).
#pragma once

#include <string>

#include "framework/form.h"

class TRichEditWithLinks;
class TFlatPanel;
class TFlatButton;
class TRTFoxPopupMenu;

inline constexpr int kSummaryPrintMarginMm = 20;
inline constexpr int kSummaryTextInset = 20;

class TFTip : public TForm {
public:
    explicit TFTip(TComponent* AOwner);

    TRichEditWithLinks* RichEdit = nullptr;
    TFlatPanel* FlatPanel1 = nullptr;
    TFlatButton* FlatButton_HK_close = nullptr;  // "Drucken"
    TFlatButton* FlatButton2 = nullptr;          // "&Weiter"
    // The text's context menu (the edit menu with file links, without the
    // symbol item).
    TRTFoxPopupMenu* PopupMenu = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormKeyPress(TObject* Sender, char& Key);
    void FlatButton2Click(TObject* Sender);
    // Prints the text; False when the dialog was cancelled or the job did
    // not start.
    bool Print();
    void RichEditHyperlinkClicked(TObject* Sender, int cpMin, int cpMax, const std::string& Text);

    // The job title: the first line, "" for an empty text.
    std::string PrintTitle() const;

protected:
    // The form's window comes before the text's: the text's rectangle is set
    // then, so the window lays the text out once, in it.
    void CreateWnd() override;

private:
    void BuildComponents();
    RECT TextRect() const;
};
