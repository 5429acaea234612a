#pragma once
// What a drop in the Customize sheet does to the bars' lists: toolbar buttons
// moved, removed, separated or added, style buttons added to or moved within
// a style-bar row, and the style bar's layouts applied to the document. Kept
// apart from the widgets so that every case can be checked without a window.
#include "frame/ToolBarButtons.h"

#include <array>
#include <string>

class CKavoDoc;
class CStyleMenuLayout;

enum class CustomizeDrop {
    Unchanged,
    Changed,
    OnlyButton,   // the bar's last button may not go
    BarFull,      // the target bar holds 100 entries
};

// A button of bar `from` at index `d` dropped on bar `to` at insertion index
// `t` (`to` null: dropped off the bars). `fromBar` tells a drag that started
// on the bar from one that started in the Commands list: only the first may
// take separators or remove the button.
CustomizeDrop DropToolBarButton(CToolBarButtons& from, int d, CToolBarButtons* to, int t, bool fromBar);
// A command from the Commands list that no bar holds, dropped at index `t`.
CustomizeDrop AddToolBarCommand(CToolBarButtons& to, unsigned command, int t);
// The number of entries that are not separators.
int CountButtons(const CToolBarButtons& bar);

// A style dropped into a row's layout at entry `pos`. A style the layout
// holds already (anywhere, shown or scrolled out of view) is moved there; a
// new one is added unless the layout is full (200 entries). False when
// nothing changed.
bool DropStyleInLayout(CStyleMenuLayout& layout, int style, const std::string& name, int pos);
// A style button dropped off its row leaves the layout.
bool RemoveStyleFromLayout(CStyleMenuLayout& layout, int style);

constexpr int kMinStyleBarWidth = 90, kMaxStyleBarWidth = 300;
// The style bar's width while its grip is dragged by dx from `startWidth`.
int DraggedStyleBarWidth(int startWidth, int dx);

// The document's label, figure and connector layouts, in that order.
std::array<CStyleMenuLayout*, 3> StyleBarLayouts(CKavoDoc& doc);

// The document keeps a copy of its three layouts and bar width before the
// first change, so that Reset to Default can go back to it. True when a
// copy was taken now (an existing copy is kept).
bool SnapshotStyleBar(CKavoDoc& doc);
// Back to that copy; true when anything was restored.
bool RestoreStyleBar(CKavoDoc& doc);

// The Style Bar page's apply step: the document takes the three layouts
// (label, figure, connector) and, unless `width` is -1, the bar width. True
// when the document changed (it kept its copy first and is modified).
bool ApplyStyleBarLayouts(CKavoDoc& doc, const CStyleMenuLayout* layouts[3], int width);
