// Colour names and numbers as texts ("clRed", "clBtnFace", "255", "$0000FF")
// without exceptions: the Try functions answer false for a text that is no
// colour, so callers reading colours from stored or typed texts never raise.
#pragma once

#include <string>

#include "framework/colors.h"

// "clBlack" ... "clWhite", "clNone", "clDefault" and the system colours
// ("clBtnFace", "clHighlight", "clInfoText", ...), case-insensitive.
bool TryIdentToColor(const std::string& Ident, TColor& Color);
// A colour name, or a decimal or "$"-hexadecimal number.
bool TryStringToColor(const std::string& S, TColor& Color);
