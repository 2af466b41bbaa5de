// Where the page bar puts its buttons: in as many rows as it takes to keep
// every caption readable (two rows of ten at 20 pages).
#pragma once

#include <vector>

struct PageBarCell {
    int left, top, width, height;
};

struct PageBarLayout {
    std::vector<PageBarCell> cells;  // one per page, row by row
    int height = 0;                  // of the whole bar
};

// Buttons are 110 pixels wide while one row holds them all, never narrower
// than 73 (room for about twelve characters); the rows are filled evenly.
PageBarLayout LayoutPageBar(int count, int width);
