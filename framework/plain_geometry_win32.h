// Conversions between the window-free PlainRect and the system's RECT (same
// layout and meaning).
#pragma once

#include <windows.h>

#include "framework/plain_geometry.h"

inline PlainRect ToPlainRect(const RECT& r) { return PlainRect{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const PlainRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
