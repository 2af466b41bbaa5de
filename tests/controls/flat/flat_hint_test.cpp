// The flat hint: it takes over the application's hint window and OnShowHint
// and gives both back when it goes; its window's size, place by screen
// quarter (a 1024 x 768 screen, the real cursor) and exact pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/flat/flat_hint.h"
#include "flat_test_support.h"
#include "framework/custom_control.h"
#include "framework/font.h"
#include "framework/gdi_owner.h"
#include "framework/screen.h"

namespace {

constexpr TColor kMainBorder = 16744576;  // 0xFF8080
const std::string kLongHint =
    "Importiert die markierten Auftr\xE4ge in die Datenbank und legt neue Adressen an, wo keine passende "
    "gefunden wird. Bereits importierte Auftr\xE4ge werden \xFC" "bersprungen.";

class FlatHintTest : public ::testing::Test {
protected:
    void SetUp() override {
        Screen()->SetMonitorProvider([] {
            return std::vector<TMonitorInfo>{{nullptr, {0, 0, 1024, 768}, {0, 0, 1024, 728}, true}};
        });
        Screen()->RefreshMonitors();
        GetCursorPos(&cursor_);
        form_ = ShowTestForm();
    }
    void TearDown() override {
        if (window_) window_->Free();
        form_->Free();
        Screen()->SetMonitorProvider(nullptr);
        Screen()->RefreshMonitors();
        SetCursorPos(cursor_.x, cursor_.y);
        Pump();
    }
    // A flat hint with the main window's look on the test form.
    TFlatHint* MainWindowLook() {
        auto* h = Create<TFlatHint>(form_);
        h->SetColorBorder(kMainBorder);
        h->SetColorArrowBackground(kMainBorder);
        h->SetColorArrow(clWhite);
        h->SetMaxHintWidth(600);
        TFont f;
        f.SetName("Tahoma");
        f.SetHeight(-11);
        h->SetFont(f);
        return h;
    }
    // The hint window shown for `text` with the cursor at p.
    TFlatHintWindow* ShowAt(POINT p, const std::string& text = "Empfangen") {
        if (!window_) window_ = Create<TFlatHintWindow>(nullptr);
        SetCursorPos(p.x, p.y);
        window_->ActivateHint(RECT{0, 0, 10, 10}, text);
        return window_;
    }
    RECT Bounds() const { return window_->BoundsRect(); }

    TForm* form_ = nullptr;
    TFlatHintWindow* window_ = nullptr;
    POINT cursor_{};
};

class HintedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

}  // namespace

TEST_F(FlatHintTest, TakesOverTheApplicationsHintsAndGivesThemBack) {
    auto* control = Place<HintedControl>(form_, form_, 10, 10, 80, 30);
    control->SetHint("Empfangen|Holt neue Auftr\xE4ge");
    control->SetShowHint(true);
    int appCalls = 0;
    Application()->OnShowHint = [&](std::string&, bool&, THintInfo&) { ++appCalls; };
    TFlatHint* first = MainWindowLook();
    TFlatHint* second = Create<TFlatHint>(form_);
    EXPECT_EQ(std::vector<int>({Application()->HintPause, Application()->HintShortPause, Application()->HintHidePause}),
              std::vector<int>({500, 50, 5000}));
    std::string relayed;
    second->OnShowHint = [&](std::string& text, bool&, THintInfo&) { relayed = text; };
    Application()->ShowHintFor(control, POINT{30, 30});
    EXPECT_EQ(relayed, "Empfangen");
    EXPECT_EQ(appCalls, 0);
    auto* shown = dynamic_cast<TFlatHintWindow*>(Application()->HintWindow());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->IsShowing());
    EXPECT_EQ(shown->Caption(), "Empfangen");
    Application()->CancelHint();
    // The first goes while the second still relays; then the second goes:
    // the next hint reaches the application's own handler and a plain window.
    first->Free();
    relayed.clear();
    Application()->ShowHintFor(control, POINT{30, 30});
    EXPECT_EQ(relayed, "Empfangen");
    Application()->CancelHint();
    second->Free();
    Application()->ShowHintFor(control, POINT{30, 30});
    EXPECT_EQ(appCalls, 1);
    ASSERT_NE(Application()->HintWindow(), nullptr);
    EXPECT_EQ(dynamic_cast<TFlatHintWindow*>(Application()->HintWindow()), nullptr);
    EXPECT_TRUE(Application()->HintWindow()->IsShowing());
    Application()->CancelHint();
    Application()->OnShowHint = nullptr;
}

TEST_F(FlatHintTest, WithoutAFlatHintNothingShows) {
    EXPECT_FALSE(ShowAt(POINT{100, 100})->IsShowing());
    TFlatHint* look = MainWindowLook();
    EXPECT_TRUE(ShowAt(POINT{100, 100})->IsShowing());
    window_->ReleaseHandle();
    look->Free();
    EXPECT_FALSE(ShowAt(POINT{100, 100})->IsShowing());
}

TEST_F(FlatHintTest, SizeWrapsAtMaxHintWidth) {
    TFlatHint* look = MainWindowLook();
    struct {
        int max;
        int wrap;
    } cases[] = {{600, 578}, {200, 178}, {5, 0}};  // below 22 counts as 22
    for (const auto& c : cases) {
        look->SetMaxHintWidth(c.max);
        EXPECT_EQ(look->MaxHintWidth(), c.max < 22 ? 22 : c.max);
        RECT r{0, 0, c.wrap, 0};
        {
            MemoryDC dc;
            ScopedSelect font(dc.Get(), look->Font().Handle());
            DrawTextA(dc.Get(), kLongHint.c_str(), static_cast<int>(kLongHint.size()), &r,
                      DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        }
        ShowAt(POINT{10, 10}, kLongHint);
        EXPECT_EQ(window_->Width(), r.right + 22) << c.max;
        EXPECT_EQ(window_->Height(), r.bottom + 6) << c.max;
        EXPECT_GE(window_->Width(), 22);
    }
}

TEST_F(FlatHintTest, PlacedBesideTheCursorAndKeptOnTheMonitor) {
    MainWindowLook();
    ShowAt(POINT{10, 10});
    EXPECT_EQ(std::vector<LONG>({Bounds().left, Bounds().top}), std::vector<LONG>({22, 22}));
    EXPECT_TRUE(window_->IsShowing());
    EXPECT_FALSE(GetWindowLongA(window_->WindowHandle(), GWL_STYLE) & WS_BORDER);
    ShowAt(POINT{600, 10});
    EXPECT_EQ(std::vector<LONG>({Bounds().left, Bounds().top}), std::vector<LONG>({600 - window_->Width() - 5, 15}));
    // Near the bottom-right corner the long hint is pulled back inside.
    ShowAt(POINT{1020, 760}, kLongHint);
    EXPECT_EQ(window_->Arrow(), haDownRight);
    EXPECT_LE(Bounds().right, 1024);
    EXPECT_LE(Bounds().bottom, 768);
    EXPECT_GE(Bounds().left, 0);
}

// A 100 x 30 hint with the main window's colours in each screen quarter:
// frame, strip on the cursor's side, arrow pointing at the cursor, white text area.
TEST_F(FlatHintTest, StripFrameAndArrowPixelsInEachQuarter) {
    MainWindowLook();
    const uint32_t border = Dib(kMainBorder), white = Dib(clWhite);
    struct {
        POINT cursor;
        TFlatHintArrow arrow;
        POINT strip, text;
        POINT arrowPixels[4];  // the origin first
    } cases[] = {
        {{10, 10}, haUpLeft, {13, 15}, {98, 28}, {{3, 3}, {3, 8}, {8, 3}, {10, 9}}},
        {{900, 10}, haUpRight, {86, 15}, {2, 28}, {{96, 3}, {96, 8}, {91, 3}, {89, 9}}},
        {{10, 700}, haDownLeft, {13, 15}, {98, 2}, {{3, 26}, {3, 21}, {8, 26}, {10, 20}}},
        {{900, 700}, haDownRight, {86, 15}, {2, 2}, {{96, 26}, {96, 21}, {91, 26}, {89, 20}}},
    };
    for (const auto& c : cases) {
        ShowAt(c.cursor);
        window_->SetBounds(window_->Left(), window_->Top(), 100, 30);
        const auto px = PaintToPixels(window_, 100, 30);
        auto at = [&](POINT p) { return PixelAt(px, 100, p.x, p.y); };
        EXPECT_EQ(window_->Arrow(), c.arrow);
        EXPECT_EQ(std::vector<uint32_t>({at({0, 0}), at({99, 29}), at({0, 29}), at(c.strip), at(c.text)}),
                  std::vector<uint32_t>({border, border, border, border, white}))
            << c.arrow;
        for (POINT p : c.arrowPixels) EXPECT_EQ(at(p), white) << c.arrow << " arrow at " << p.x << "," << p.y;
    }
}
