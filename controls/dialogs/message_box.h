// The program's message box: one modal form for every information, error
// and yes/no question. The text is a small HTML subset ("<B>", "<BR>")
// shown by the box's HTML label; text from outside belongs through
// EscapeBoxText (box_text.h) first.
//
// Keys (the focused flat button sees them first):
//  - information box: any key without Shift, Ctrl or Alt closes it (Enter
//    and Shift+Enter through the "Schließen" button; F1 does nothing). Tab,
//    Up and Down are dialog keys: they move the focus and close nothing.
//  - question box: Enter answers with the focused button ("Ja" true, "Nein"
//    false), Escape answers false, Left/Right move between the two buttons.
//  - input box: Enter takes the field's text, Escape cancels; while the
//    field's list is open both belong to the list (Enter takes its item,
//    Escape closes it) and the box stays.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/form.h"

class TDCComboBox;
class TFlatButton;
class TLabel;
class TFlatPanel;
class TImage;
class TPanel;
class TSBHTM;

class TFSB_BOX : public TForm {
public:
    explicit TFSB_BOX(TComponent* AOwner);

    // Question bar: picture, "Ja" / "Nein", help button.
    TFlatPanel* Pquestion = nullptr;
    TImage* Image2 = nullptr;
    TPanel* Panel1 = nullptr;
    TFlatButton* FB_OK = nullptr;
    TFlatButton* FB_BREAK1 = nullptr;
    TFlatButton* FBhelpQ = nullptr;
    // Information bar: picture, "Schließen", help button.
    TFlatPanel* Pmsg = nullptr;
    TImage* Image1 = nullptr;
    TPanel* Panel2 = nullptr;
    TFlatButton* FB_BREAK2 = nullptr;
    TFlatButton* FBhelpS = nullptr;
    // Holds the help label once a help button was clicked.
    TFlatPanel* FP_help = nullptr;
    // Input bar: its first row (FlatPanel1) is the place of the input field,
    // which the edit family brings; "Abbrechen" / "Übernehmen", help button.
    TFlatPanel* Pinput = nullptr;
    TFlatPanel* FlatPanel1 = nullptr;
    TPanel* Panel3 = nullptr;
    TFlatButton* FB_ICANCEL = nullptr;
    TFlatButton* FB_IOK = nullptr;
    TFlatButton* FB_HELPI = nullptr;
    // The input field and its caption on FlatPanel1: made only for the
    // input box (CreateInputField), nullptr otherwise.
    TLabel* Label1 = nullptr;
    TDCComboBox* FINPE = nullptr;

    // Made by FormCreate.
    TSBHTM* MessageLabel() const { return message_label_; }
    TSBHTM* HelpLabel() const { return help_label_; }
    const std::string& HelpText() const { return help_text_; }
    void SetHelpText(const std::string& Value) { help_text_ = Value; }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormKeyPress(TObject* Sender, char& Key);
    void FormDeactivate(TObject* Sender);
    void FBhelpQClick(TObject* Sender);
    void FB_OKSelectNext(TWinControl*& SourceControl, TWinControl*& DestControl, WORD CharCode, bool& Accept);
    void FB_BREAK1SelectNext(TWinControl*& SourceControl, TWinControl*& DestControl, WORD CharCode, bool& Accept);
    void FB_BREAK2SelectNext(TWinControl*& SourceControl, TWinControl*& DestControl, WORD CharCode, bool& Accept);
    void LinkClicked(TObject* Sender);
    // Makes Label1 and FINPE (once); FlatPanel1 takes FINPE's height + 4.
    void CreateInputField();
    void FINPEKeyPress(TObject* Sender, char& Key);
    // The list's rows: odd rows (counted from 0) light yellow, even rows
    // white, the selected row in the highlight colours.
    void FINPEDrawItem(TWinControl* Control, int Index, const RECT& Rect, unsigned State);

protected:
    // The form's border width: an inner margin of 2 pixels around the aligned bars.
    void AdjustClientRect(RECT& Rect) override;
    void Dispatch(TMessage& Message) override;

private:
    void BuildComponents();
    // The work area of the monitor the box stands on (empty when none).
    RECT CurrentWorkArea();
    // Keeps the box inside Area, no higher than it (the button bar stays
    // at the bottom and covers the end of the text).
    void KeepInside(const RECT& Area);
    // Open, enabled (no box opened from it), not closing, and no link was clicked.
    bool KeepsForeground() const;
    // Whether the input field's drop-down list is open.
    bool InputListOpen() const;

    TSBHTM* message_label_ = nullptr;
    TSBHTM* help_label_ = nullptr;
    std::string help_text_;
    bool link_clicked_ = false;
};

// Creates the box (owned by the application), white, placed on the monitor
// of the active form.
TFSB_BOX* CreateMessageBox();
// Set Box up as ShowInfo / ShowQuestion do, without showing it (pictures
// of a box are painted from such a form).
void PrepareInfoBox(TFSB_BOX* Box, const std::string& Text, const std::string& HelpText = "",
                    const std::string& Caption = "");
void PrepareQuestionBox(TFSB_BOX* Box, const std::string& Text, const std::string& HelpText = "",
                        const std::string& Caption = "");
// Sets Box up as the input box: Text above the field, Items in its list,
// Value in the field, the field focused.
void PrepareInputBox(TFSB_BOX* Box, const std::string& Text, const std::vector<std::string>& Items,
                     const std::string& Value = "", const std::string& HelpText = "", const std::string& Caption = "");
// Input box: the typed or chosen text on "Übernehmen" (Enter), nothing on
// "Abbrechen" (Escape, closing).
std::optional<std::string> ShowInput(const std::string& Text, const std::vector<std::string>& Items = {},
                                     const std::string& Value = "", const std::string& HelpText = "",
                                     const std::string& Caption = "");
// Information box; returns when it is closed.
void ShowInfo(const std::string& Text, const std::string& HelpText = "", const std::string& Caption = "");
// Yes/no box: true for "Ja".
bool ShowQuestion(const std::string& Text, const std::string& HelpText = "", const std::string& Caption = "");
// Makes Wnd the foreground window (ForceForegroundWindow).
bool BoxToForeground(HWND Wnd);

// Tests and tools: called with every box once it is on the screen, inside
// its modal loop (keys posted from here run through the loop). Empty: none.
using TBoxShownHook = std::function<void(TFSB_BOX* Box)>;
void SetBoxShownHook(TBoxShownHook Hook);
