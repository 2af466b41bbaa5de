// What the windowed flat button and the window-less flat speed button share:
// colours, glyph strip and layout, the paint state machine, exclusive
// groups, pressing with the mouse, accelerators, ModalResult and the hover
// look through the process-wide hover watch of their kind. Base is
// TCustomControl or TGraphicControl (both instantiated in the .cpp).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/flat/button_layout.h"
#include "controls/flat/flat_face.h"
#include "controls/flat/hover_tracker.h"
#include "framework/bitmap.h"
#include "framework/control.h"
#include "framework/messages.h"

class TCanvas;

using TFlatCustomPaint = std::function<void(TObject* Sender, TCanvas& Canvas, TFlatButtonState& State,
                                            bool MouseInControl, bool& Handled)>;

// Broadcast to a parent's controls when a grouped flat button goes down:
// WParam the group index, LParam the sending control.
inline constexpr UINT CM_FLATBUTTONPRESSED = CM_BASE + 0x200;

template <class Base>
class TFlatButtonBase : public Base, private THoverClient {
public:
    // Hover: the watch of this kind of button (counted for the object's life).
    TFlatButtonBase(TComponent* AOwner, THoverTracker& Hover);
    ~TFlatButtonBase() override;

    // --- look --------------------------------------------------------------
    TColor ColorFocused() const { return color_focused_; }
    void SetColorFocused(TColor v) { SetStateColor(color_focused_, v); }
    TColor ColorDown() const { return color_down_; }
    void SetColorDown(TColor v) { SetStateColor(color_down_, v); }
    TColor ColorBorder() const { return color_border_; }
    void SetColorBorder(TColor v) { SetStateColor(color_border_, v); }
    TColor ColorHighLight() const { return color_highlight_; }
    void SetColorHighLight(TColor v) { SetStateColor(color_highlight_, v); }
    TColor ColorShadow() const { return color_shadow_; }
    void SetColorShadow(TColor v) { SetStateColor(color_shadow_, v); }
    TTransparentMode TransparentMode() const { return transparent_mode_; }
    void SetTransparentMode(TTransparentMode v);
    bool UseAdvColors() const { return use_adv_colors_; }
    void SetUseAdvColors(bool v);
    // Lightness shifts 0..100 of the advanced colours.
    int AdvColorFocused() const { return adv_focused_; }
    void SetAdvColorFocused(int v) { SetAdvColor(adv_focused_, v); }
    int AdvColorDown() const { return adv_down_; }
    void SetAdvColorDown(int v) { SetAdvColor(adv_down_, v); }
    int AdvColorBorder() const { return adv_border_; }
    void SetAdvColorBorder(int v) { SetAdvColor(adv_border_, v); }
    int Round() const { return round_; }

    // --- glyph and layout --------------------------------------------------
    TBitmap& Glyph() { return *glyph_; }
    // Takes a copy; a strip whose width is 2..4 times its height sets NumGlyphs.
    void SetGlyph(const TBitmap& v);
    int NumGlyphs() const { return num_glyphs_; }
    void SetNumGlyphs(int v);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);
    int Margin() const { return margin_; }
    // Values below -1 are ignored.
    void SetMargin(int v);

    // --- toggling ----------------------------------------------------------
    int GroupIndex() const { return group_index_; }
    void SetGroupIndex(int v);
    bool Down() const { return down_; }
    // Only group members go down; a down member comes up only with AllowAllUp.
    void SetDown(bool v);
    bool AllowAllUp() const { return allow_all_up_; }
    void SetAllowAllUp(bool v);

    int ModalResult() const { return modal_result_; }
    void SetModalResult(int v) { modal_result_ = v; }

    TFlatButtonState State() const { return state_; }
    bool MouseInControl() const { return mouse_in_control_; }

    // Enabled and visible only: hands ModalResult to the form, then OnClick.
    void Click() override;

    TFlatCustomPaint OnCustomPaint;

protected:
    // The hover look stays while this is true (a focused button).
    virtual bool KeepsHover() const { return false; }
    // Called on a left press (the windowed button takes the focus).
    virtual void Pressed() {}
    // May veto a click.
    virtual bool BeforeClick() { return true; }
    // Whether an Alt+accelerator may click now.
    virtual bool AcceptsAccel() const { return true; }

    // Paints the face on Canvas (the control's own, or its parent's for a
    // window-less button) unless OnCustomPaint did: the layout measured with
    // or without "<br>" line breaks, the state and colours from the button;
    // Finish adds what only one kind has (caption text and format, key label,
    // default border, parent background) before painting.
    void PaintFace(TCanvas& Canvas, bool LineBreaks, const std::function<void(TFlatFace&)>& Finish);
    // Stores the clamped value; true when it changed.
    bool SetRoundValue(int v);
    void HoverOff() override;
    void UpdateTracking();

    void BeforeDestruction() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMLButtonDblClk(TMessage& Message) override;
    // The capture was taken away: the press ends without a click.
    void WMCancelMode(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMSysColorChange(TMessage& Message) override;
    void CMParentColorChanged(TMessage& Message) override;

    TFlatButtonState state_ = bsUp;
    bool mouse_in_control_ = false;
    bool dragging_ = false;
    bool down_ = false;
    int group_index_ = 0;

private:
    THoverTracker& hover_;
    void HoverTick() override;
    bool UnderMouse() const;
    // The hover look on, with the watch's timer taking it off again once the
    // mouse has gone (another watched control loses its look).
    void HoverOn();
    // Ends a press that lost the mouse: the state it had before, no click,
    // the hover look as the mouse now stands.
    void CancelPress();
    void SetStateColor(TColor& field, TColor v);
    void SetAdvColor(int& field, int v);
    void CalcAdvColors();
    void BaseColorChanged();
    void BroadcastGroup();
    void GroupPressed(TMessage& Message);
    bool InsideForRelease(int X, int Y) const;

    TTransparentMode transparent_mode_ = tmNone;
    int modal_result_ = 0;
    bool use_adv_colors_ = false;
    int adv_focused_ = 10;
    int adv_down_ = 10;
    int adv_border_ = 50;
    int num_glyphs_ = 1;
    TColor color_focused_ = kFlatColor;
    TColor color_down_ = kFlatColorDown;
    TColor color_border_ = kFlatColorBorder;
    TColor color_highlight_ = clWhite;
    TColor color_shadow_ = clBlack;
    std::unique_ptr<TBitmap> glyph_;
    bool allow_all_up_ = false;
    TButtonLayout layout_ = blGlyphTop;
    int spacing_ = 4;
    int margin_ = -1;
    int round_ = 0;
};
