// Where the flat hint goes and how its parts lie, apart from any window: the
// arrow position by the screen quarter of the cursor, the window's place
// beside the cursor, kept on a monitor, the strip, text area and the
// 18-point arrow.
#pragma once

#include <array>

#include "framework/plain_geometry.h"

// Arrow positions: the strip is on the left for 1 and 3, on the right for 0
// and 2; the arrow points up for 0 and 1, down for 2 and 3, towards the cursor.
enum TFlatHintArrow { haUpRight = 0, haUpLeft = 1, haDownRight = 2, haDownLeft = 3 };

// Width the strip and margins add to the text; also the smallest MaxHintWidth.
inline constexpr int kFlatHintExtraWidth = 22;
inline constexpr int kFlatHintExtraHeight = 6;

struct TFlatHintPlace {
    PlainRect Bounds;
    TFlatHintArrow Arrow = haUpLeft;
};

// The quarter of a ScreenWidth x ScreenHeight screen holding Cursor (halves
// by integer division; each quarter holds its left and top edges) and the
// W x H rectangle beside the cursor on the side away from the screen's edges.
TFlatHintPlace PlaceFlatHint(PlainPoint Cursor, int W, int H, int ScreenWidth, int ScreenHeight);

// Bounds pulled inside Monitor (shrunk to its size when larger).
PlainRect KeepFlatHintOn(PlainRect Bounds, const PlainRect& Monitor);

struct TFlatHintParts {
    PlainRect Strip;
    PlainRect TextArea;
    PlainPoint ArrowOrigin;
};

// Strip, text area (inside a one-pixel frame) and arrow origin in Client.
TFlatHintParts FlatHintParts(const PlainRect& Client, TFlatHintArrow Arrow);

// The arrow's open polyline from Origin.
std::array<PlainPoint, 18> FlatHintArrowPoints(PlainPoint Origin, TFlatHintArrow Arrow);
