// The edit context menus: item layout and looks, enabling by read-only state
// and selection on edits and rich edits, the commands reaching the control,
// inserting text through the clipboard, the switch that turns it all off.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/menus/edit_context_menu.h"
#include "controls/menus/menu_picture.h"
#include "framework/bitmap.h"
#include "framework/clipboard.h"
#include "framework/edit.h"
#include "framework/rich_edit.h"
#include "framework/control_test_support.h"

namespace {

struct EditFixture {
    TForm* form = ShowTestForm();
    TWinControl* control = nullptr;
    TTextoxPopupMenu* menu = nullptr;

    EditFixture(bool rich, const std::string& text, bool rtf_menu = false) {
        if (rich) {
            auto* e = Create<TCustomRichEdit>(form);
            e->SetPlainText(true);
            control = e;
        } else {
            control = Create<TCustomEdit>(form);
        }
        control->SetBounds(5, 5, 200, 60);
        control->SetParent(form);
        control->SetText(text);
        menu = rtf_menu ? Create<TRTFoxPopupMenu>(form) : Create<TTextoxPopupMenu>(form);
        menu->SetPopupComponent(control);
    }
    ~EditFixture() {
        form->Free();
        Pump();
    }
    void Select(int start, int end) { SendMessageA(control->Handle(), EM_SETSEL, start, end); }
    void ReadOnly(bool on) { SendMessageA(control->Handle(), EM_SETREADONLY, on, 0); }
    std::string Text() const { return control->GetText(); }
    std::vector<bool> Enabled() const {
        return {menu->CutItem()->Enabled(), menu->CopyItem()->Enabled(), menu->PasteItem()->Enabled(),
                menu->SelectAllItem()->Enabled(), menu->SymbolItem()->Enabled()};
    }
};

}  // namespace

TEST(EditContextMenu, ItemsAndLooks) {
    EditFixture t(false, "");
    const std::vector<std::string> captions = {"Ausschneiden", "Kopieren", "Einf\xfcgen", "-",
                                               "Alles markieren", "Symbol einf\xfcgen"};
    ASSERT_EQ(t.menu->Items()->Count(), t.menu->StandardCount());
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(t.menu->Items()->Items(i)->Caption(), captions[static_cast<size_t>(i)]);
        EXPECT_EQ(t.menu->Items()->Items(i)->HasBitmap(), i < 3) << i;
    }
    EXPECT_EQ(t.menu->CutItem()->Bitmap().Width(), 16);
    EXPECT_EQ(t.menu->Color(), static_cast<TColor>(65535));
    EXPECT_EQ(t.menu->Options(), oxmCustomFont | oxmBanner | oxmBackground | oxmMultiLine);
    EXPECT_EQ(t.menu->Banner().Caption(), "Text bearbeiten");
    EXPECT_EQ(t.menu->Banner().Color(), static_cast<TColor>(8421504));
    EXPECT_EQ(t.menu->Background().Style(), oxmHorzGradient);
    EXPECT_EQ(t.menu->Background().Gradient(), static_cast<TColor>(16776176));
    EXPECT_EQ(t.menu->Font().Name(), "Tahoma");
    t.menu->SetBannerCaption("Notiz");
    EXPECT_EQ(t.menu->Banner().Caption(), "Notiz");
}

TEST(EditContextMenu, EnablingFollowsReadOnlyAndSelection) {
    struct Case {
        bool rich, read_only;
        int sel_start, sel_end;
        std::vector<bool> enabled;  // cut, copy, paste, select all, symbol
    } cases[] = {
        {false, false, 0, 5, {true, true, true, true, true}},
        {false, true, 0, 5, {false, true, false, true, false}},
        {false, false, 3, 3, {false, false, true, true, true}},
        {false, true, 3, 3, {false, false, false, true, false}},
        {true, false, 0, 5, {true, true, true, true, true}},
        {true, true, 0, 5, {false, true, false, true, false}},
        {true, false, 3, 3, {false, false, true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rich) + std::to_string(c.read_only) + std::to_string(c.sel_end));
        EditFixture t(c.rich, "Hallo Welt");
        t.ReadOnly(c.read_only);
        t.Select(c.sel_start, c.sel_end);
        t.menu->PreparePopup();
        EXPECT_EQ(t.Enabled(), c.enabled);
        EXPECT_TRUE(t.control->Focused());
    }
}

TEST(EditContextMenu, CommandsReachTheEdit) {
    for (bool rtf_menu : {false, true}) {
        for (bool rich : {false, true}) {
            SCOPED_TRACE(std::to_string(rtf_menu) + std::to_string(rich));
            EditFixture t(rich, "Hallo Welt", rtf_menu);
            t.Select(0, 6);
            t.menu->CutItem()->Click();
            EXPECT_EQ(t.Text(), "Welt");
            EXPECT_EQ(ClipboardText(), "Hallo ");
            t.Select(4, 4);
            t.menu->PasteItem()->Click();
            EXPECT_EQ(t.Text(), "WeltHallo ");
            t.Select(0, 4);
            t.menu->CopyItem()->Click();
            EXPECT_EQ(ClipboardText(), "Welt");
            t.menu->SelectAllItem()->Click();
            EXPECT_GE(EditSelectionLength(t.control), 10);  // a rich edit counts its final mark too
        }
    }
}

TEST(EditContextMenu, InsertTextGoesThroughTheClipboard) {
    for (bool rich : {false, true}) {
        EditFixture t(rich, "ab");
        t.Select(1, 1);
        t.menu->InsertText("\x80");
        EXPECT_EQ(ClipboardText(), "\x80");
        EXPECT_EQ(t.Text(), "a\x80" "b");
    }
}

TEST(EditContextMenu, StandardBehaviourOffLeavesEverythingAlone) {
    EditFixture t(false, "Hallo Welt");
    t.ReadOnly(true);
    t.Select(0, 5);
    t.menu->SetStandardOff(true);
    t.menu->PreparePopup();
    EXPECT_EQ(t.Enabled(), std::vector<bool>(5, true));
    t.ReadOnly(false);
    t.menu->CutItem()->Click();
    EXPECT_EQ(t.Text(), "Hallo Welt");
    t.menu->SetItemsVisible(false);
    EXPECT_TRUE(t.menu->CutItem()->Visible());
    t.menu->SetStandardOff(false);
    t.menu->SetItemsVisible(false);
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(t.menu->Items()->Items(i)->Visible());
}

TEST(EditContextMenu, AFreedItemIsForgotten) {
    EditFixture t(false, "Hallo");
    t.menu->CutItem()->Free();
    EXPECT_EQ(t.menu->CutItem(), nullptr);
    t.menu->PreparePopup();  // must not touch the freed item
    EXPECT_EQ(t.menu->Items()->Count(), 5);
    TMenuItem* extra = t.menu->AddItem("Extra");
    EXPECT_EQ(t.menu->Items()->Items(5), extra);
}

namespace {

uint32_t Rgb(int r, int g, int b) { return (static_cast<uint32_t>(r) << 16) | (g << 8) | b; }

// The open menu as the platform would show it, with its top-left at (0, 0).
struct MenuPicture {
    TBitmap bmp{260, 200};
    RECT popup{};
    explicit MenuPicture(TTextoxPopupMenu* menu) {
        bmp.Canvas().Brush().SetColor(clFuchsia);
        bmp.Canvas().FillRect(RECT{0, 0, 260, 200});
        popup = PaintKitPopupPicture(menu->Items(), bmp.DC(), 0, 0);
    }
    uint32_t At(int x, int y) {
        GdiFlush();
        return bmp.ScanLine(y)[x] & 0xFFFFFF;
    }
    int Count(uint32_t colour, RECT r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
        return n;
    }
};

}  // namespace

TEST(EditContextMenu, CaptionsAndBannerTextShowAndTheGlyphsKeyColourIsTransparent) {
    EditFixture t(false, "Hallo");
    MenuPicture pic(t.menu);
    const int margin = 3, banner = t.menu->Banner().Width();
    const RECT strip{margin, margin, margin + banner, pic.popup.bottom - margin};
    // Past the glyph column only caption text is black (clWindowText).
    const RECT text{margin + banner + 24, margin, pic.popup.right - margin, pic.popup.bottom - margin};
    EXPECT_GT(pic.Count(Rgb(0, 0, 0), text), 400);
    // The banner: gray with the caption in white, nothing else.
    const int white = pic.Count(Rgb(255, 255, 255), strip), gray = pic.Count(Rgb(128, 128, 128), strip);
    EXPECT_GT(white, 100);
    EXPECT_EQ(white + gray, banner * (strip.bottom - strip.top));

    // The paste picture: its own pixels exactly, its magenta ground not at all.
    TBitmap glyph;
    glyph.LoadFromResourceName(GetModuleHandleA(nullptr), "UIPASTETEXT0");
    ASSERT_EQ(glyph.Width(), 16);
    auto source = [&](int x, int y) {
        GdiFlush();
        return glyph.ScanLine(y)[x] & 0xFFFFFF;
    };
    const uint32_t key = source(0, 15);
    ASSERT_EQ(key, Rgb(255, 0, 255));
    EXPECT_EQ(pic.Count(key, pic.popup), 0);
    POINT at{-1, -1};
    for (int y = 0; y + 16 <= pic.popup.bottom && at.x < 0; ++y)
        for (int x = 0; x + 16 <= pic.popup.right && at.x < 0; ++x) {
            bool same = true;
            for (int gy = 0; gy < 16 && same; ++gy)
                for (int gx = 0; gx < 16 && same; ++gx)
                    if (source(gx, gy) != key && pic.At(x + gx, y + gy) != source(gx, gy)) same = false;
            if (same) at = POINT{x, y};
        }
    ASSERT_GE(at.x, 0) << "the paste picture is not in the menu";
    // Where the picture has its key colour, the menu's background shows:
    // the gradient runs from left to right, so the row above tells it.
    for (int gy = 0; gy < 16; ++gy)
        for (int gx = 0; gx < 16; ++gx)
            if (source(gx, gy) == key)
                ASSERT_EQ(pic.At(at.x + gx, at.y + gy), pic.At(at.x + gx, at.y - 1)) << gx << "," << gy;
}
