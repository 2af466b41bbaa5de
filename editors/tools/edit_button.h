// TI_EditButton: a button without a window of its own, painted into the
// client or non-client area of an owner control and driven by the owner's
// mouse messages (see TI_EditButtons, which routes them).
//
// Kinds 0-6 choose the frame and background (EditButtonFrame); layouts 0-4
// place glyph and caption; disabled looks 0 embossed, 1 greyed, 2 faded
// towards white. The words the edit controls use map onto it as set out in
// edit_button_logic.h: "button style" = layout, "button look" = kind,
// ButtonStyle esNormal/esDropDown = event style.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "editors/tools/edit_button_logic.h"
#include "editors/tools/edit_drawing.h"
#include "framework/bitmap.h"
#include "framework/component.h"
#include "framework/font.h"
#include "framework/image_list.h"
#include "framework/win_control.h"

class TI_EditButtons;
class TI_EditButton;

// leaving: false when the mouse enters the button, true when it has left
// every button of the collection.
using TEditButtonHoverEvent = std::function<void(TObject* Sender, bool Leaving)>;
using TEditButtonHitTestEvent = std::function<void(TObject* Sender, int X, bool& Inside, int Y)>;
using TEditButtonStateEvent = std::function<void(TObject* Sender, int& State)>;

class TI_EditButton : public TComponent {
public:
    // Without a collection the button belongs to its owner control (freed
    // with it); in a collection, the collection frees it.
    explicit TI_EditButton(TWinControl* AOwner, TI_EditButtons* Collection = nullptr);
    ~TI_EditButton() override;

    TWinControl* OwnerControl() const { return owner_; }
    TI_EditButtons* Collection() const { return collection_; }

    // --- bounds: in the owner's window (coordinate mode) or client area --
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    // An invisible button reports width 0 and keeps its own for later.
    int Width() const { return visible_ ? bounds_.width : 0; }
    int Height() const { return bounds_.height; }
    RECT BoundsRect() const { return RECT{Left(), Top(), Left() + Width(), Top() + Height()}; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    void SetBounds(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    // Moves the button; its size (also the width kept while invisible) stays.
    void MoveTo(int ALeft, int ATop) { SetBounds(ALeft, ATop, bounds_.width, bounds_.height); }
    // Follows a size change of the owner by the anchor.
    void OwnerResized(int dx, int dy);

    // --- look ---------------------------------------------------------------
    int Kind() const { return kind_; }
    void SetKind(int value);
    int Layout() const { return layout_; }
    void SetLayout(int value);
    int State() const { return mouse_.state; }
    bool Enabled() const { return mouse_.enabled; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool Gradient() const { return gradient_; }
    void SetGradient(bool value);
    bool DoubleBuffered() const { return double_buffered_; }
    void SetDoubleBuffered(bool value) { double_buffered_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int DisabledLook() const { return disabled_look_; }
    void SetDisabledLook(int value);
    int Anchor() const { return anchor_; }
    void SetAnchor(int value) { anchor_ = value; }
    bool CoordinateMode() const { return coordinate_mode_; }
    void SetCoordinateMode(bool value) { coordinate_mode_ = value; }
    TEventStyle EventStyle() const { return mouse_.event_style; }
    void SetEventStyle(TEventStyle value) { mouse_.event_style = value; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& value) { text_ = value; }
    bool ShowCaption() const { return show_caption_; }
    void SetShowCaption(bool value);
    bool StyledCaption() const { return styled_caption_; }
    void SetStyledCaption(bool value);
    TFont& Font() { return *font_; }
    void SetFont(const TFont& value);
    // Measured size of the caption.
    SIZE CaptionSize() const { return caption_size_; }

    TBitmap& Glyph() { return *glyph_; }
    void SetGlyph(TBitmap* value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    int ImageIndex() const { return image_index_; }
    void SetImageIndex(int value);

    // --- toggling -----------------------------------------------------------
    bool Toggle() const { return mouse_.toggle; }
    void SetToggle(bool value) { mouse_.toggle = value; }
    bool AllowAllUp() const { return mouse_.allow_all_up; }
    void SetAllowAllUp(bool value) { mouse_.allow_all_up = value; }
    bool Down() const { return mouse_.down; }
    void SetDown(bool value);
    bool AutoReset() const { return auto_reset_; }
    void SetAutoReset(bool value) { auto_reset_ = value; }
    bool CollectionMember() const { return collection_ != nullptr; }

    // --- behaviour ------------------------------------------------------------
    // Records the button as its collection's last clicked one, then OnClick.
    virtual void Click();
    // Whether (x, y) in the button's coordinates space hits it (OnHitTest may say otherwise).
    bool HitTest(int X, int Y);
    // One mouse event in the owner's coordinates of this button; true when
    // the state changed visibly (the button has then repainted).
    bool MouseEvent(int X, int Y, EditButtonMouseAction Action, bool Held);
    // State from the cursor position (hot or normal); pressed and down
    // cleared unless a toggle button without auto-reset.
    void ResetState();
    // Shows the button's new look on the owner's window: painted at once,
    // or, when transparent over the client area, through a repaint of the
    // owner there (its picture is the button's background).
    void Repaint();
    // Paints the button on the owner's window now (when visible and windowed).
    void PaintNow();
    // Paints the button into canvas with its top-left at rect's top-left.
    virtual void Paint(TCanvas& Canvas, const RECT& Rect);
    // Paints into a DC that shows the owner (client or window coordinates
    // as the button's coordinate mode asks).
    void PaintOn(HDC Dc);

    TNotifyEvent OnClick;
    TEditButtonHoverEvent OnHover;
    TEditButtonHitTestEvent OnHitTest;
    TEditButtonStateEvent OnStateChange;

protected:
    virtual bool ClickWithoutPress() const { return false; }
    virtual void PaintFrame(TCanvas& Canvas, const RECT& Rect);
    virtual void PaintBackground(TCanvas& Canvas, const RECT& Rect);
    virtual void PaintGlyph(TCanvas& Canvas, const RECT& GlyphRect);
    virtual void PaintCaption(TCanvas& Canvas, const RECT& TextRect);
    // Whether glyph and caption move by (1, 1) while down.
    virtual bool ShiftsWhenDown(bool ForText) const;
    void Changed();

private:
    friend class TI_EditButtons;
    void MeasureCaption();
    SIZE GlyphSize() const;
    TColor OwnerColor() const;

    TWinControl* owner_;
    TI_EditButtons* collection_;
    AnchoredBounds bounds_;
    EditButtonMouseState mouse_;
    int kind_ = 0;
    int layout_ = 2;
    bool visible_ = true;
    bool flat_ = false;
    bool transparent_ = false;
    bool gradient_ = false;
    bool double_buffered_ = true;
    bool show_caption_ = true;
    bool styled_caption_ = true;
    bool auto_reset_ = true;
    TColor color_ = clBtnFace;
    int disabled_look_ = 1;
    int anchor_ = 0;
    bool coordinate_mode_ = false;
    std::string caption_;
    std::string text_;
    SIZE caption_size_{};
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TBitmap> glyph_;
    TImageList* images_ = nullptr;
    int image_index_ = -1;
    // What double-buffered buttons paint into; not the work bitmap, which a
    // styled caption may use while the button paints.
    SharedBitmap<struct EditButtonBitmapTag> buffer_;
};
