#pragma once
// The button list of a customizable toolbar: an ordered list of command ids
// (0 = separator) of at most 100 entries, edited by the Customize sheet and
// kept in the settings. The widget rebuilds its buttons from this list.
#include <span>
#include <vector>

constexpr int kToolBarMaxButtons = 100;
constexpr int ID_STANDARD_TOOLBAR = 0xE800;
constexpr int ID_PROPERTY_BAR = 112;
constexpr int IDB_TOOLBAR_STRIP = 2;
constexpr int kToolBarButtonCx = 27, kToolBarButtonCy = 26;
constexpr int kToolBarImageCx = 20, kToolBarImageCy = 20;

// Command ids of the style-bar collapse button and the three style pickers.
constexpr unsigned ID_COLLAPSE_STYLE_BAR = 36561;
constexpr unsigned ID_FIG_STYLE_PICKER = 36565, ID_CON_STYLE_PICKER = 36566, ID_LBL_STYLE_PICKER = 36567;

// The command of each image of the button strip, in strip order. Visible
// grid, snap to grid and the style-bar toggle own two images each: the
// second shows the other state.
std::span<const int> ToolBarImageTable();
std::span<const unsigned> DefaultStandardButtons();
std::span<const unsigned> DefaultPropertyButtons();

// The commands that a bar shows as an embedded control instead of a button,
// with the control's width in pixels; 0 for an ordinary command.
int EmbeddedControlWidth(unsigned command);
// A separator right after the font or zoom combos is this wide.
constexpr int kComboSeparatorWidth = 10;
bool IsComboCommand(unsigned command);

class CToolBarButtons {
public:
    // Fails for count < 0, bitmap id 0, an empty table or a size that is not
    // positive. A given list replaces the buttons, cut to 100 entries.
    bool Setup(const unsigned* list, int count, int bitmapId, std::span<const int> imageTable,
               int buttonCx, int buttonCy, int imageCx, int imageCy);

    const std::vector<unsigned>& Buttons() const { return m_buttons; }
    int Count() const { return int(m_buttons.size()); }
    bool Holds(unsigned command) const;
    int IndexOf(unsigned command) const;
    // The strip image of each entry: its command's first image, 0 when the
    // command has none, -1 for a separator.
    std::vector<int> AssignImages() const;
    int ImageOf(unsigned command) const;

    bool InsertButton(unsigned command, int index);
    bool RemoveButtonAt(int index, int* tracked = nullptr);
    bool RemoveCommand(unsigned command, int* tracked = nullptr);
    // Trailing, then leading, then doubled separators; the number removed.
    int TidySeparators(int* tracked = nullptr);
    bool HasSeparatorBefore(int index) const;
    bool InsertSeparatorBefore(int index);
    bool RemoveSeparatorBefore(int index);
    bool AddStyleLists();
    bool RemoveStyleLists();

    // The bar's list under "Options" "Toolbar_<barId>"; Load is false (and
    // the list unchanged) when nothing usable was saved.
    bool SaveButtons(int barId) const;
    bool LoadButtons(int barId);

private:
    bool EnsureSeparatorAt(int index);
    std::vector<unsigned> m_buttons;
    std::span<const int> m_imageTable;
    int m_bitmapId = 0;
};

// The boundary index 0..boundaries.size()-1 nearest to x; ties go to the
// lower index; -1 for no boundaries.
int NearestBoundaryIndex(std::span<const int> boundaries, int x);
