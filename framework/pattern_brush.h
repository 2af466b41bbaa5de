// An 8x8 checker brush of two colours (the dithered background of pressed
// and disabled buttons).
#pragma once

#include <windows.h>

#include "framework/colors.h"
#include "framework/gdi_owner.h"

GdiObject<HBRUSH> CreateCheckerBrush(TColor first, TColor second);
