// Horizontal alignment of a text in its control: captions, grid columns and
// their titles, and edits (one meaning for the whole library).
#pragma once

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
