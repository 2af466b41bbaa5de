// The kinds shared by the grids and the edit controls of both families: the
// number kind of a numeric field, how an edit's button reacts (its event
// style), which glyph a choice button shows and how an edit frames itself.
// One header below grids and editors, so both name them the same way.
#pragma once

// Number kinds of grid columns and number edits.
enum TEditDataType_ { deInteger, deFloat, deCurrency };

// esNormal clicks on the release inside the button, esDropDown already on
// the press (and opens a drop-down).
enum TEventStyle { esNormal, esDropDown };

// The glyph of a choice edit's button: form, combo arrow, ellipsis, or the
// user's own glyph and width.
enum TChoiceBtnStyle { btsForm, btsCombo, btsEllipsis, btsCustom };

// The frame an edit paints over its border.
enum TControlStyle { fcsNormal, fsFlat, fsNone, fsSingle };
