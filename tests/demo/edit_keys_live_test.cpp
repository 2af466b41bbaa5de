// Escape, Tab and long texts in the gallery's fields and cells, with real
// keys: Escape in a field, a form edit and a positions cell undoes the typing
// and closes no window; Tab moves on from every edit and combo of the edits
// page; a positions cell typed with a text longer than the cell is saved
// byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/demo/live_driver.h"

using namespace live;

namespace {

class EditKeysLive : public ::testing::Test {
protected:
    void Start(const char* page) {
        gallery_ = std::make_unique<Gallery>(page);
        ASSERT_TRUE(gallery_->Started()) << "gallery.exe --page " << page << " showed no window";
    }
    void TearDown() override {
        if (gallery_) {
            EXPECT_TRUE(gallery_->Close()) << "the gallery did not end cleanly, exit code " << gallery_->ExitCode();
            gallery_.reset();
        }
        MoveMouse(POINT{1, 1});
    }
    Gallery& G() { return *gallery_; }
    HWND Find(const std::string& text) {
        HWND h = G().Child(text);
        EXPECT_NE(h, nullptr) << "no window \"" << text << "\"";
        return h;
    }
    // The main window and every window an edit stands on are there and shown.
    bool Standing(HWND edit) {
        if (!IsWindow(edit) || !IsWindowVisible(G().Main())) return false;
        for (HWND h = GetParent(edit); h; h = GetParent(h))
            if (!IsWindow(h) || !IsWindowVisible(h)) return false;
        return true;
    }
    // Focus on the edit by a click near its left end.
    void ClickInto(HWND edit) {
        Click(edit, 12, ClientHeight(edit) / 2);
        ASSERT_TRUE(WaitFor([&] { return G().Focus() == edit; })) << AskedText(edit);
    }

private:
    std::unique_ptr<Gallery> gallery_;
};

std::string SavedPositionsPath() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "positionen.txt";
}

// Line `index` of a positions text (lines end with CR LF).
std::string LineOf(const std::string& text, int index) {
    size_t at = 0;
    for (int i = 0; i < index; ++i) {
        at = text.find("\r\n", at);
        if (at == std::string::npos) return {};
        at += 2;
    }
    const size_t end = text.find("\r\n", at);
    return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// The text with line `index` replaced.
std::string WithLine(const std::string& text, int index, const std::string& line) {
    const std::string old = LineOf(text, index);
    size_t at = 0;
    for (int i = 0; i < index; ++i) at = text.find("\r\n", at) + 2;
    return text.substr(0, at) + line + text.substr(at + old.size());
}

// The quoted tokens of one line (quotes kept) and the commas between them.
std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < line.size()) {
        size_t j = i + 1;
        while (j < line.size() && !(line[j] == '"' && (j + 1 >= line.size() || line[j + 1] != '"')))
            j += line[j] == '"' ? 2 : 1;
        out.push_back(line.substr(i, j + 1 - i));
        i = j + 2;  // past the quote and the comma
    }
    return out;
}

std::string Joined(const std::vector<std::string>& tokens, const std::string& original) {
    std::string out;
    for (size_t i = 0; i < tokens.size(); ++i) out += (i ? "," : "") + tokens[i];
    if (!original.empty() && original.back() == ',') out += ",";
    return out;
}

// The positions page saved through its button; the bytes written.
std::string SaveThroughTheButton(HWND save) {
    const std::string path = SavedPositionsPath();
    DeleteFileA(path.c_str());
    Click(save, ClientWidth(save) / 2, ClientHeight(save) / 2);
    if (!WaitFor([&] { return FileExists(path); })) return "<nothing saved>";
    Sleep(100);
    const std::string bytes = ReadWholeFile(path);
    DeleteFileA(path.c_str());
    return bytes;
}

// Column x-ranges of the positions grid: Stück 41..84, Bezeichnung1 127..179;
// the first position's first line at y 18..34.
constexpr int kStueckX = 60, kNameX = 150, kFirstRowY = 26;

}  // namespace

TEST_F(EditKeysLive, EscapeInAFieldAndAFormEditUndoesTheTypingAndClosesNoWindow) {
    Start("edits");
    const int windows = G().WindowCount();
    for (const char* text : {"Auftrag 4711", "einfach", "0621 123456", "Kiel"}) {
        HWND edit = Find(text);
        ASSERT_NE(edit, nullptr);
        ClickInto(edit);
        Key(VK_END);
        TypeText(L"xy");
        ASSERT_TRUE(WaitFor([&] { return AskedText(edit) != text; })) << text;
        Key(VK_ESCAPE);
        EXPECT_TRUE(WaitFor([&] { return AskedText(edit) == text; })) << text << ": " << AskedText(edit);
        Key(VK_ESCAPE);  // a second press brings the typing back no more
        Sleep(100);
        EXPECT_EQ(AskedText(edit), text);
        EXPECT_TRUE(Standing(edit)) << text << ": a window was closed";
        EXPECT_EQ(G().Focus(), edit) << text;
        EXPECT_EQ(G().WindowCount(), windows) << text;
    }
}

TEST_F(EditKeysLive, TabMovesOnFromEveryEditAndComboOfTheEditsPage) {
    Start("edits");
    HWND postcode = Find("1234");
    ASSERT_NE(postcode, nullptr);
    // Every enabled edit and combo of the page (a list-only combo has a window of its own class).
    std::vector<HWND> fields;
    HWND page = GetParent(postcode);
    for (HWND h = GetWindow(page, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        const std::string cls = ClassName(h);
        if ((cls == "Edit" || cls == "EDIT" || cls == "TI_ComboListOnly") && IsWindowVisible(h) && IsWindowEnabled(h))
            fields.push_back(h);
    }
    ASSERT_GE(fields.size(), 12u);
    std::vector<std::string> before;
    for (HWND f : fields) before.push_back(AskedText(f));
    // A complete postcode passes its check on leaving.
    ClickInto(postcode);
    Key(VK_END);
    TypeText(L"5");
    ASSERT_TRUE(WaitFor([&] { return AskedText(postcode) == "12345"; }));
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i] == postcode) before[i] = AskedText(postcode);
    std::set<HWND> left;
    HWND at = postcode;
    for (int i = 0; i < 80 && left.size() < fields.size(); ++i) {
        Key(VK_TAB);
        ASSERT_TRUE(WaitFor([&] { return G().Focus() != at; }, 1000)) << "Tab stayed in \"" << AskedText(at) << "\"";
        left.insert(at);
        at = G().Focus();
    }
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_TRUE(left.count(fields[i])) << "never left \"" << before[i] << "\"";
        EXPECT_EQ(AskedText(fields[i]), before[i]) << "Tab changed a text";
    }
    EXPECT_TRUE(G().Popups().empty());
}

TEST_F(EditKeysLive, EscapeInAPositionsCellUndoesTheTypingAndClosesNoWindow) {
    Start("positions");
    HWND save = Find("Speichern");
    ASSERT_NE(save, nullptr);
    HWND grid = PositionsGridOf(save);
    ASSERT_NE(grid, nullptr);
    const std::string loaded = SaveThroughTheButton(save);
    ASSERT_NE(LineOf(loaded, 20), "");
    for (int x : {kNameX, kStueckX}) {
        Click(grid, x, kFirstRowY);
        TypeText(L"99");
        Key(VK_ESCAPE);
        Key(VK_ESCAPE);
        Sleep(100);
        ASSERT_TRUE(IsWindow(grid) && IsWindowVisible(grid) && IsWindowVisible(G().Main())) << "a window was closed";
        HWND editor = G().Focus();
        ASSERT_TRUE(editor && IsChild(grid, editor)) << "the editor lost the focus";
        EXPECT_TRUE(IsWindowVisible(editor));
        Key(VK_RETURN);  // the editor closes: what it holds goes to the cell
        Sleep(100);
    }
    EXPECT_EQ(SaveThroughTheButton(save), loaded);
}

TEST_F(EditKeysLive, PositionsCellsTypedLongerThanTheCellAreSavedByteForByte) {
    Start("positions");
    HWND save = Find("Speichern");
    ASSERT_NE(save, nullptr);
    HWND grid = PositionsGridOf(save);
    ASSERT_NE(grid, nullptr);
    const std::string loaded = SaveThroughTheButton(save);
    const std::string line = LineOf(loaded, 20);
    std::vector<std::string> tokens = Tokens(line);
    ASSERT_GT(tokens.size(), 4u);
    // F2 in Stück (43 px), then a name far wider than Bezeichnung1 (52 px).
    Click(grid, kStueckX, kFirstRowY);
    Key(VK_F2);
    TypeText(L"1250,75");
    Key(VK_RETURN);
    Click(grid, kNameX, kFirstRowY);
    Key(VK_F2);
    TypeText(L"Sechskantschraube M12 x 80 verzinkt");
    Key(VK_RETURN);
    Sleep(100);
    tokens[2] = "\"1250,75\"";
    tokens[4] = "\"Sechskantschraube M12 x 80 verzinkt\"";
    EXPECT_EQ(SaveThroughTheButton(save), WithLine(loaded, 20, Joined(tokens, line)));
}
