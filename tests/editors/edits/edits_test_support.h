// Helpers of the edit tests: a form on the screen with two edits of a kind
// (the second takes the focus away from the first), a form that can veto
// failed checks and records dialog keys, and typing through the key pipeline.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/tools/tools_test_support.h"
#include "framework/form.h"
#include "framework/messages.h"
#include "tests/framework/user_input.h"

class TEditTestForm : public TForm {
public:
    explicit TEditTestForm(TComponent* AOwner) : TForm(AOwner) {}
    int veto = 0;  // the answer to UM_CHECKFAILED
    int check_failed_calls = 0;
    std::vector<WPARAM> dialog_keys;

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg == UM_CHECKFAILED) {
            ++check_failed_calls;
            m.Result = veto;
            return;
        }
        if (m.Msg == CM_DIALOGKEY) dialog_keys.push_back(m.WParam);
        TForm::Dispatch(m);
    }
};

template <class E>
struct TwoEdits {
    TEditTestForm* form;
    E* first;
    E* second;
    TwoEdits() {
        form = Create<TEditTestForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(40, 40, 360, 160);
        first = Place<E>(form, form, 10, 10, 150, 21);
        second = Place<E>(form, form, 10, 60, 150, 21);
        form->Show();
        Pump();
        first->SetFocus();
        Pump();
    }
    ~TwoEdits() {
        form->Free();
        Pump();
    }
    // Moves the focus to the second edit and handles what that posted.
    void Leave() {
        second->SetFocus();
        Pump();
    }
};

// Characters and keys as a user types them into the control: it must have
// the focus, and they go through the application's loop (the whole key
// pipeline: dialog codes, CM_CHILDKEY, the form's Tab/Enter/Escape).
inline void TypeChars(TWinControl* c, const std::string& s) {
    EXPECT_EQ(GetFocus(), c->Handle()) << "typing into a control without the focus";
    user_input::TypeText(s);
}

inline void SendKey(TWinControl* c, WORD key, unsigned mods = user_input::kNone) {
    EXPECT_EQ(GetFocus(), c->Handle()) << "a key for a control without the focus";
    user_input::PressKey(key, mods);
}

inline std::pair<int, int> SelOf(TWinControl* c) {
    DWORD s = 0, e = 0;
    SendMessageA(c->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return {static_cast<int>(s), static_cast<int>(e)};
}
