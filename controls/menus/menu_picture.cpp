#include "controls/menus/menu_picture.h"

#include <algorithm>
#include <vector>

#include "controls/menus/menu_paint.h"
#include "framework/colors.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"

namespace {

constexpr int kMargin = 3;

struct Placed {
    TMenuItem* item;
    RECT rect;
};

DRAWITEMSTRUCT DrawFor(TMenuItem* item, HDC dc, const RECT& r, bool selected) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemID = item->Command();
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = (selected ? ODS_SELECTED : 0) | (item->Enabled() ? 0 : ODS_GRAYED | ODS_DISABLED) |
                  (item->Checked() ? ODS_CHECKED : 0);
    d.hDC = dc;
    d.rcItem = r;
    d.itemData = reinterpret_cast<ULONG_PTR>(item);
    return d;
}

SIZE Measure(ToxMenuData& data, TMenuItem* item) {
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemID = item->Command();
    m.itemData = reinterpret_cast<ULONG_PTR>(item);
    MeasureKitItem(data, item, m, nullptr);
    return SIZE{static_cast<LONG>(m.itemWidth), static_cast<LONG>(m.itemHeight)};
}

}  // namespace

RECT PaintKitPopupPicture(TMenuItem* Parent, HDC DC, int X, int Y, int Selected) {
    ToxMenuData* data = Parent ? KitDataOf(Parent) : nullptr;
    if (!data) return RECT{X, Y, X, Y};
    // Columns: items below each other, a new column at every break.
    std::vector<std::vector<Placed>> columns(1);
    std::vector<int> widths(1, 0);
    for (int i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        if (!item->Visible()) continue;
        if (item->Break() && !columns.back().empty()) {
            columns.emplace_back();
            widths.push_back(0);
        }
        const SIZE s = Measure(*data, item);
        columns.back().push_back(Placed{item, RECT{0, 0, 0, s.cy}});
        widths.back() = std::max<int>(widths.back(), s.cx);
    }
    int x = X + kMargin, height = 0;
    for (size_t c = 0; c < columns.size(); ++c) {
        int y = Y + kMargin;
        for (Placed& p : columns[c]) {
            const int h = p.rect.bottom;
            p.rect = RECT{x, y, x + widths[c], y + h};
            y += h;
        }
        height = std::max(height, y - Y - kMargin);
        x += widths[c];
    }
    const RECT items{X + kMargin, Y + kMargin, x, Y + kMargin + height};
    const RECT whole{X, Y, x + kMargin, items.bottom + kMargin};
    {
        GdiObject<HBRUSH> menu_brush(CreateSolidBrush(ColorToCOLORREF(clMenu)));
        FillRect(DC, &whole, menu_brush.Get());
        RECT edge = whole;
        DrawEdge(DC, &edge, EDGE_RAISED, BF_RECT);
    }
    const MenuPopupGeometry geo{reinterpret_cast<HWND>(Parent), items};
    int position = 0;
    for (auto& column : columns)
        for (Placed& p : column) {
            DRAWITEMSTRUCT d = DrawFor(p.item, DC, p.rect, position++ == Selected);
            DrawKitItem(*data, p.item, d, &geo);
        }
    return whole;
}

RECT PaintKitBarPicture(TMenuItem* Root, HDC DC, int X, int Y, int Width, int Selected) {
    ToxMenuData* data = Root ? KitDataOf(Root) : nullptr;
    if (!data) return RECT{X, Y, X, Y};
    std::vector<Placed> placed;
    int x = X, height = 0;
    for (int i = 0; i < Root->Count(); ++i) {
        TMenuItem* item = Root->Items(i);
        if (!item->Visible()) continue;
        const SIZE s = Measure(*data, item);
        placed.push_back(Placed{item, RECT{x, Y, x + s.cx, Y + s.cy}});
        x += s.cx;
        height = std::max<int>(height, s.cy);
    }
    const RECT bar{X, Y, X + Width, Y + height};
    GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToCOLORREF(clMenuBar)));
    FillRect(DC, &bar, brush.Get());
    const MenuPopupGeometry geo{reinterpret_cast<HWND>(Root), bar};
    int position = 0;
    for (Placed& p : placed) {
        p.rect.bottom = Y + height;
        DRAWITEMSTRUCT d = DrawFor(p.item, DC, p.rect, position++ == Selected);
        DrawKitItem(*data, p.item, d, &geo);
    }
    return bar;
}
