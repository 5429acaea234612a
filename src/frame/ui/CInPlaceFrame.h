#pragma once
// The frame that carries this program's toolbars, property bar and style bar
// inside another program's window while a diagram embedded in that
// program's document is edited in place. Linux desktops offer no such
// embedding: nothing ever activates a diagram in place, so this frame only
// answers as one that cannot be made.
class QWidget;

class CInPlaceFrame {
public:
    static constexpr int ID_RESIZE_BAR = 0xE803;

    // Window creation: -1, as when the resize bar cannot be made.
    int OnCreate() { return -1; }
    // The bars in the container's frame window: false, as when the first of
    // them cannot be made, which ends in-place activation.
    bool OnCreateControlBars(QWidget* /*containerFrame*/, QWidget* /*containerDoc*/) { return false; }
};
