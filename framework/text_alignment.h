// Horizontal alignment of a caption in its control.
#pragma once

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
