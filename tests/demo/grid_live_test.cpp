// The positions page used live with the wheel and keys: the wheel over an
// open editor moves the row and changes no cell; F4 in a second line asks
// for the long text, which the page reports on its status line.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tests/demo/live_driver.h"

using namespace live;

namespace {

// Column x-ranges of the page's grid (widths 10, 29, 43, 41, 52, 45, 49, 43,
// 38, 41, 25, each with a line); the title row is 17 high, the rows 34,
// each with a line.
constexpr int kSteuerX = 413;
constexpr int kBezeichnung1X = 150;
constexpr int kRow1FirstLineY = 26;
constexpr int kRow1SecondLineY = 42;
constexpr int kRowPitch = 35;  // a row and its line

void Wheel(int notches) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    in.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA * notches);
    SendInput(1, &in, sizeof(INPUT));
    Sleep(100);
}

class GridLive : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        path_ = std::string(folder) + "positionen.txt";
        DeleteFileA(path_.c_str());
        gallery_ = std::make_unique<Gallery>("positions");
        ASSERT_TRUE(gallery_->Started());
        save_ = gallery_->Child("Speichern");
        ASSERT_NE(save_, nullptr);
        // The grid: the largest shown window beside the button.
        int area = 0;
        for (HWND h = GetWindow(GetParent(save_), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            if (h == save_ || !IsWindowVisible(h)) continue;
            RECT r{};
            GetWindowRect(h, &r);
            const int a = (r.right - r.left) * (r.bottom - r.top);
            if (a > area) area = a, grid_ = h;
        }
        ASSERT_NE(grid_, nullptr);
        loaded_ = Saved();
        ASSERT_FALSE(loaded_.empty());
    }
    void TearDown() override {
        DeleteFileA(path_.c_str());
        if (gallery_) {
            EXPECT_TRUE(gallery_->Close()) << "exit code " << gallery_->ExitCode();
        }
        MoveMouse(POINT{1, 1});
    }
    // What "Speichern" writes now.
    std::string Saved() {
        DeleteFileA(path_.c_str());
        Click(save_, ClientWidth(save_) / 2, ClientHeight(save_) / 2);
        if (!WaitFor([&] { return GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES; })) return {};
        Sleep(100);
        return ReadWholeFile(path_);
    }
    // The page's status line: the title band above the grid, left of the button.
    RECT StatusLine() {
        HWND page = GetParent(grid_);
        const RECT g = RectIn(grid_, page), b = RectIn(save_, page);
        return RECT{0, 0, b.left - 4, g.top};
    }

    std::unique_ptr<Gallery> gallery_;
    std::string path_, loaded_;
    HWND save_ = nullptr, grid_ = nullptr;
};

}  // namespace

TEST_F(GridLive, WheelOverAnOpenEditorMovesTheRowAndChangesNoCell) {
    Click(grid_, kSteuerX, kRow1FirstLineY);
    ASSERT_TRUE(WaitFor([&] { HWND f = gallery_->Focus(); return f && GetParent(f) == grid_; }))
        << "the click opened no editor";
    HWND editor = gallery_->Focus();
    const int top = RectIn(editor, grid_).top;
    MoveMouse(grid_, kSteuerX, kRow1FirstLineY);
    Wheel(1);
    // The editor opens again one row lower, on the same column.
    EXPECT_TRUE(WaitFor([&] {
        HWND f = gallery_->Focus();
        return f && GetParent(f) == grid_ && IsWindowVisible(f) && RectIn(f, grid_).top == top + kRowPitch;
    })) << "the row did not move";
    Wheel(-1);
    EXPECT_TRUE(WaitFor([&] {
        HWND f = gallery_->Focus();
        return f && GetParent(f) == grid_ && RectIn(f, grid_).top == top;
    }));
    EXPECT_EQ(Saved(), loaded_) << "the wheel changed a cell";
}

TEST_F(GridLive, F4InASecondLineAsksForTheLongTextOnTheStatusLine) {
    HWND page = GetParent(grid_);
    const Shot before(page, StatusLine());
    Click(grid_, kBezeichnung1X, kRow1SecondLineY);
    ASSERT_TRUE(WaitFor([&] { HWND f = gallery_->Focus(); return f && GetParent(f) == grid_; }))
        << "the click opened no second-line editor";
    EXPECT_TRUE(Shot(page, StatusLine()) == before);
    Key(VK_F4);
    EXPECT_TRUE(WaitFor([&] { return !(Shot(page, StatusLine()) == before); })) << "the status line said nothing";
    // No handler gave an answer: the second line is as it was.
    EXPECT_EQ(Saved(), loaded_);
}
