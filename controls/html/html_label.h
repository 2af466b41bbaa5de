// HTML labels: window-less labels that draw their text through the HTML
// engine. THTMLabel is the label of forms (anchor events, hover, hints,
// images and pictures); TSBHTM is the message box's label (links open files,
// folders and addresses through the shell, then notify the box).
//
// Both measure without painting (Measure()), so a form that is not yet
// visible can size itself to the text.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/html/html_draw.h"
#include "controls/html/html_gdi_device.h"
#include "controls/html/html_engine.h"
#include "controls/html/html_picture.h"
#include "framework/graphic_control.h"
#include "framework/image_list.h"
#include "framework/strings.h"

enum TAutoSizeType { asVertical, asHorizontal, asBoth };
enum TVAlignment { tvaTop, tvaCenter, tvaBottom };
enum TBevelCut { bvNone, bvLowered, bvRaised };

using TAnchorClick = std::function<void(TObject* Sender, const std::string& Anchor)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, std::string& Anchor)>;

class THTMLLabelBase : public TGraphicControl {
public:
    explicit THTMLLabelBase(TComponent* AOwner);
    ~THTMLLabelBase() override;

    // The lines are joined without separators; assigning removes every CR
    // and LF and stores one line.
    TStringList& HTMLText() { return html_text_; }
    void SetHTMLText(const TStrings& Value);
    void SetHTMLText(const std::string& Value);
    // All lines joined.
    // The lines joined; kept until the text changes, so painting and mouse
    // moves do not join them again.
    const std::string& LabelText() const;

    bool AutoSizing() const { return auto_sizing_; }
    void SetAutoSizing(bool Value);
    TAutoSizeType AutoSizeType() const { return auto_size_type_; }
    void SetAutoSizeType(TAutoSizeType Value);
    TBevelCut BevelInner() const { return bevel_inner_; }
    void SetBevelInner(TBevelCut Value) { bevel_inner_ = Value; Changed(); }
    TBevelCut BevelOuter() const { return bevel_outer_; }
    void SetBevelOuter(TBevelCut Value) { bevel_outer_ = Value; Changed(); }
    int BevelWidth() const { return bevel_width_; }
    void SetBevelWidth(int Value) { bevel_width_ = Value < 1 ? 1 : Value; Changed(); }
    int BorderWidth() const { return border_width_; }
    void SetBorderWidth(int Value) { border_width_ = Value; Changed(); }
    TBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TBorderStyle Value) { border_style_ = Value; Changed(); }
    TVAlignment VAlignment() const { return valignment_; }
    void SetVAlignment(TVAlignment Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value) { transparent_ = Value; Invalidate(); }

    // Runs the layout without drawing and applies the auto-size; returns
    // the text's extent. Needs no window and no paint.
    HTMLSize Measure();
    // The anchor under a point of the label ("" for none) and its rectangle.
    std::string AnchorAtPoint(int X, int Y, HTMLRect* AnchorRect = nullptr);
    // The number of anchors at the last layout.
    int AnchorCount() const { return anchor_count_; }
    int HoverIndex() const { return hover_index_; }

    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

    TAnchorClick OnAnchorEnter;
    TAnchorClick OnAnchorExit;

protected:
    void Paint() override;
    void Loaded() override;
    void FontChanged() override;
    void BoundsChanged() override;

    virtual HTMLVariant Variant() const = 0;
    virtual bool WordWrap() const { return true; }
    virtual bool HoverOn() const { return false; }
    virtual bool AnchorHintOn() const { return false; }
    virtual void FillDrawParams(HTMLDrawParams&) const {}
    virtual HTMLImageSources ImageSources() { return {}; }
    virtual void TextChanged() { Changed(); }
    // Stores the value and repaints (measuring again when auto-sizing).
    void Changed();

    std::string last_anchor_;
    HTMLRect last_rect_;
    int hover_index_ = -1;

private:
    mutable std::string joined_text_;
    mutable bool joined_valid_ = false;
    // Grow: with the room auto-sizing adds in the directions it may grow.
    HTMLRect TextRect(bool grow) const;
    HTMLDrawResult RunEngine(TCanvas& canvas, HTMLMode mode, int X, int Y);
    HTMLDrawResult RunOnScreenDC(HTMLMode mode, int X, int Y);
    bool HeightMayGrow() const;
    bool WidthMayGrow() const;
    void ApplyAutoSize(const HTMLDrawResult& r);

    TStringList html_text_;
    HTMLFontCache fonts_;
    bool auto_sizing_ = false;
    TAutoSizeType auto_size_type_ = asVertical;
    TBevelCut bevel_inner_ = bvNone, bevel_outer_ = bvNone;
    int bevel_width_ = 1;
    int border_width_ = 0;
    TBorderStyle border_style_ = bsNone;
    TVAlignment valignment_ = tvaTop;
    bool transparent_ = false;
    int anchor_count_ = 0;
    bool sizing_ = false;
};

class THTMLabel : public THTMLLabelBase {
public:
    // A value of the label's look that is assigned and read like a field
    // and repaints the label when it changes.
    template <class T>
    class LookValue {
    public:
        LookValue(THTMLabel& Owner, T Value) : owner_(Owner), value_(Value) {}
        LookValue(const LookValue&) = delete;
        LookValue& operator=(const LookValue& Other) { return *this = Other.value_; }
        LookValue& operator=(T Value) {
            if (value_ == Value) return *this;
            value_ = Value;
            owner_.Invalidate();
            return *this;
        }
        operator T() const { return value_; }

    private:
        THTMLabel& owner_;
        T value_;
    };

    explicit THTMLabel(TComponent* AOwner);
    ~THTMLabel() override;

    bool Ellipsis() const { return ellipsis_; }
    void SetEllipsis(bool Value);
    bool Hover() const { return hover_; }
    void SetHover(bool Value) { hover_ = Value; Changed(); }
    LookValue<TColor> HoverColor{*this, clNone};
    LookValue<TColor> HoverFontColor{*this, clNone};
    TColor URLColor() const { return url_color_; }
    void SetURLColor(TColor Value);
    LookValue<TColor> ShadowColor{*this, 0x808080};
    LookValue<int> ShadowOffset{*this, 2};
    bool AnchorHint = false;
    bool HTMLHint = false;
    bool HintShowFull = false;
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* Value);
    TPictureContainer* PictureContainer() const { return container_; }
    void SetPictureContainer(TPictureContainer* Value);
    THTMLPictureCache& PictureCache() { return cache_; }

    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    TAnchorClick OnAnchorClick;
    TAnchorHintEvent OnAnchorHint;

protected:
    HTMLVariant Variant() const override { return HTMLVariant::FormLabel(); }
    bool WordWrap() const override { return !ellipsis_; }
    bool HoverOn() const override { return hover_; }
    bool AnchorHintOn() const override { return AnchorHint; }
    void FillDrawParams(HTMLDrawParams& p) const override;
    HTMLImageSources ImageSources() override;
    void TextChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMHintShow(TMessage& Message) override;

private:
    bool ellipsis_ = false;
    bool hover_ = false;
    TColor url_color_ = 0xFF0000;
    TImageList* images_ = nullptr;
    // Repaints (and re-measures) when the list's images change.
    TChangeLink image_link_;
    TPictureContainer* container_ = nullptr;
    THTMLPictureCache cache_;
};

class TSBHTM : public THTMLLabelBase {
public:
    explicit TSBHTM(TComponent* AOwner);

    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // Called after a link was opened; Sender is nullptr.
    std::function<void(TObject* Sender)> OnLinkClick;

protected:
    HTMLVariant Variant() const override { return HTMLVariant::MessageLabel(); }
};
