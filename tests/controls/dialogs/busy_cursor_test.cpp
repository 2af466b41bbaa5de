// The busy cursor: loaded once from the program's resources, no temporary
// file left, On/Off not counted.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "controls/dialogs/busy_cursor.h"
#include "foundation/folders.h"
#include "framework/application.h"
#include "framework/form.h"

TEST(BusyCursor, LoadsOnceLeavesNoFileOffAlwaysRestoresAndMissingStaysUnregistered) {
    Application()->Initialize();
    const HCURSOR arrow = Screen()->Cursors(-4000);  // an unregistered id
    // The first call of a run may be an Off: it still loads the four cursors.
    BusyCursorOff();
    for (TCursor id : {crCursor_ajax01, crCursor_ajax02, crCursor_ajax03, crCursor_ajax04})
        EXPECT_NE(Screen()->Cursors(id), arrow) << id;
    std::string folder;
    GetTempFolder("XCURSOR", folder);
    WIN32_FIND_DATAA found;
    const HANDLE left = FindFirstFileA((folder + "*.ani").c_str(), &found);
    EXPECT_EQ(left, INVALID_HANDLE_VALUE);  // no cursor file left behind
    if (left != INVALID_HANDLE_VALUE) FindClose(left);

    // A window of ours under the mouse chooses the cursor again after Off.
    TForm* under = Create<TForm>(nullptr);
    POINT mouse{};
    GetCursorPos(&mouse);
    under->SetBounds(mouse.x - 50, mouse.y - 50, 100, 100);
    under->Show();
    Application()->ProcessMessages();
    BusyCursorOn();
    BusyCursorOn();
    EXPECT_EQ(Screen()->Cursor(), crCursor_ajax03);
    EXPECT_EQ(GetCursor(), Screen()->Cursors(crCursor_ajax03));  // shown at once
    BusyCursorOff();
    EXPECT_EQ(Screen()->Cursor(), crDefault);
    for (int i = 0; i < 10; ++i, Sleep(10)) Application()->ProcessMessages();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    under->Free();

    DoneBusyCursors();
    EXPECT_EQ(Screen()->Cursors(crCursor_ajax03), arrow);
    // Loaded again on the next use.
    BusyCursorOn();
    EXPECT_NE(Screen()->Cursors(crCursor_ajax03), arrow);
    BusyCursorOff();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));  // also with no window of ours under the mouse
    DoneBusyCursors();
    // A missing resource leaves its id unregistered.
    LoadAnimatedCursor("NO_SUCH_CURSOR", -4100);
    EXPECT_EQ(Screen()->Cursors(-4100), arrow);
}
