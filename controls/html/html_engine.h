// The mini-HTML engine: lays out a text of the dialect line by line and hands
// what is to be seen to a device. It needs no window: the device measures
// text and images and draws them (GDI in the labels, fixed metrics in tests).
//
// Three modes: measuring (extent only), drawing and hit testing (which anchor
// lies under a point). Every mode runs the same layout; measuring and hit
// testing only leave the drawing out, so the three always agree.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/colors.h"

struct HTMLRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(int X, int Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
    bool operator==(const HTMLRect&) const = default;
};

struct HTMLSize {
    int cx = 0, cy = 0;
    bool operator==(const HTMLSize&) const = default;
};

// Style bits, the same values as the framework's font styles.
enum : unsigned { htmlBold = 1, htmlItalic = 2, htmlUnderline = 4, htmlStrikeOut = 8 };

// The font of a text run. Angle is in tenths of a degree (rotated text).
struct HTMLFontDesc {
    std::string Name;
    int Size = 8;  // points
    unsigned Style = 0;
    int Angle = 0;
    bool operator==(const HTMLFontDesc&) const = default;
};

enum class HTMLImageKind {
    ImageList,         // "IDX:n": image n of the label's image list
    SmallSystemIcon,   // "SSYS:path or index"
    LargeSystemIcon,   // "LSYS:path or index"
    ContainerPicture,  // a name: picture of the label's picture container
    URLPicture,        // a value holding "://": loaded through the picture cache
};

struct HTMLImageRef {
    HTMLImageKind Kind = HTMLImageKind::ImageList;
    std::string Source;  // path, name or URL (original case)
    int Index = 0;       // image-list index
};

// What the engine measures and draws with. Colours may be system colours;
// clNone means "nothing" (no background).
class HTMLDevice {
public:
    virtual ~HTMLDevice() = default;
    virtual HTMLSize TextExtent(const HTMLFontDesc& Font, std::string_view Text) = 0;
    // Optional: Right[k] is the width of Text's first k + 1 characters, so a
    // run of words is measured at once. False when the device cannot.
    virtual bool CharExtents(const HTMLFontDesc& /*Font*/, std::string_view /*Text*/, std::vector<int>& /*Right*/) {
        return false;
    }
    // Text bottom-aligned in Box (one line, no prefix, tabs expanded, clipped
    // to Box; with Ellipsis cut with "..." at Box.Right). Background clNone
    // draws transparently.
    virtual void DrawText(const HTMLFontDesc& Font, const HTMLRect& Box, std::string_view Text, TColor Color,
                          TColor Background, bool Ellipsis) = 0;
    virtual void FillRect(const HTMLRect& R, TColor Color) = 0;
    // Horizontal gradient from From at the left to To at the right.
    virtual void GradientRect(const HTMLRect& R, TColor From, TColor /*To*/) { FillRect(R, From); }
    // One-pixel line through the points.
    virtual void Polyline(const std::vector<std::pair<int, int>>& Points, TColor Color) = 0;
    virtual void FocusRect(const HTMLRect& R) = 0;
    // {0, 0} when the image is missing or cannot be loaded.
    virtual HTMLSize ImageSize(const HTMLImageRef& Image) = 0;
    // Background: what the area held when drawing began (animated pictures
    // fill their area with it first).
    virtual void DrawImage(const HTMLImageRef& Image, const HTMLRect& Box, TColor Background) = 0;
    // The picture repeated over R, clipped to R.
    virtual void TileImage(const HTMLImageRef& Image, const HTMLRect& R) = 0;
};

// The points where the engine's two users differ.
struct HTMLVariant {
    bool NeedRoomForW = false;      // a segment cut at the right edge is drawn only when more than a "W" remains
    bool BodyBackground = false;    // BODY "BACKGROUND" tiles a picture
    bool ImageListImages = false;   // IMG "IDX:" draws from the image list
    bool Pictures = false;          // IMG from the picture container or a URL
    bool GradientBands = false;     // P "BGCOLORTO"
    bool ClosingLIEndsLine = false; // "</LI>" ends the line

    static HTMLVariant MessageLabel() { return HTMLVariant{true, false, false, false, false, false}; }
    static HTMLVariant FormLabel() { return HTMLVariant{false, true, true, true, true, true}; }
};

enum class HTMLMode { Measure, Draw, HitTest };

struct HTMLDrawParams {
    std::string_view Text;
    HTMLRect Rect;
    HTMLFontDesc Font;
    TColor FontColor = 0;
    // The colour behind the text when drawing starts (hidden blink text and
    // animated pictures use it).
    TColor Background = clNone;
    int X = -1, Y = -1;   // the point of the hit test
    bool Hover = false;   // only the hovered anchor is underlined
    int HoverIndex = -1;
    int FocusAnchor = -1; // the anchor that gets a focus rectangle
    bool BlinkHidden = false;
    TColor ShadowColor = 0x808080;
    int ShadowOffset = 2;
    TColor HoverFontColor = clNone;
    TColor HoverColor = clNone;
    TColor URLColor = 0xFF0000;
    bool WordWrap = true;
    HTMLMode Mode = HTMLMode::Draw;
    HTMLVariant Variant;
};

struct HTMLDrawResult {
    bool OnAnchor = false;
    std::string Anchor;     // the link of the anchor under the point
    HTMLRect AnchorRect;    // around that anchor on all its lines
    int AnchorIndex = -1;
    int Width = 0;          // the widest line
    int Height = 0;         // the sum of the line heights
    int AnchorCount = 0;
    int LineCount = 0;
};

// Lays Params.Text out (and draws it in HTMLMode::Draw) on Device.
HTMLDrawResult HTMLRender(HTMLDevice& Device, const HTMLDrawParams& Params);
