// The graphics layer: colours, fonts, pens, brushes, canvases and bitmaps.
#pragma once

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/font.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/pen_brush.h"
