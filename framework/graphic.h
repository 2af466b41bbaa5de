// TGraphic: the abstract picture the framework's image classes share.
//
// A graphic has a size (Width and Height, both 0 while Empty) and draws its
// whole picture into a rectangle of any canvas, stretched when the sizes
// differ. Transparent asks the graphic to leave its background colour out
// when it draws. Copies between graphics go through the persistent pair
// Assign/AssignTo: a graphic that can take another kind says so in its
// Assign, one that can turn itself into another kind in its AssignTo; when
// neither side knows the other, EConvertError. Every change of the picture
// or of its settings ends in Changed, which fires OnChange.
//
// A graphic is stored in a stream in its own file format (a bitmap as a
// .bmp file), read from the stream's position. A graphic exchanged through
// the clipboard says which format and data it takes or gives; one without a
// clipboard form refuses with EInvalidGraphic.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/component.h"
#include "framework/events.h"

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool Empty() const = 0;

    // Draws the whole picture into Rect of ACanvas; nothing while Empty.
    virtual void Draw(TCanvas& ACanvas, const RECT& Rect) = 0;

    // Reads one picture in the graphic's file format from the stream's
    // position; a picture that cannot be read raises EInvalidGraphic and
    // leaves the graphic as it was.
    virtual void LoadFromStream(TStream& Stream) = 0;
    // Writes the picture in that format at the stream's position.
    virtual void SaveToStream(TStream& Stream) const = 0;
    virtual void LoadFromClipboardFormat(uint16_t AFormat, HANDLE AData, HPALETTE APalette);
    // Leaves the three untouched when it has nothing to give.
    virtual void SaveToClipboardFormat(uint16_t& AFormat, HANDLE& AData, HPALETTE& APalette) const;

    bool Transparent() const { return transparent_; }
    // Notifies only a real change.
    virtual void SetTransparent(bool Value);

    TNotifyEvent OnChange;

protected:
    TGraphic() = default;
    virtual void Changed();

private:
    bool transparent_ = false;
};
