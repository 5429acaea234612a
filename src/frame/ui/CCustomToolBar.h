#pragma once
// A customizable toolbar: its buttons are rebuilt from a list of command ids
// (0 = separator). Buttons show the commands' actions of the command registry;
// a few commands show an embedded control (combo box, drop button, style
// picker) of a fixed width instead. Every rebuild makes the controls anew, so
// a control pointer is good only until the next list edit.
#include "controls/CNumCombo.h"
#include "frame/ToolBarButtons.h"

#include <QComboBox>
#include <QIcon>
#include <QToolBar>

#include <map>
#include <vector>

class CCommandRegistry;
class QComboBox;
class QPainter;

// The image of the button strip at `index` (20 x 20 pixels): the program's
// own picture of its command, for the buttons' face colour.
QPixmap ToolBarImage(int index);
// The icon of the strip's image `index`: the desktop theme's for a standard
// command when the theme has it, else the program's own at every size.
QIcon ToolBarIcon(int index);
// The short name a button shows as its tip ("New", "Font Family").
QString ToolBarTipText(unsigned command);

// Inverts the insertion mark of a drag: a 2-pixel bar down the rectangle's
// left side with short crossbars at its top and bottom. Drawing it twice
// restores what was there.
void DrawInsertionBeam(QPainter& p, const QRect& rect);
// Toggles such a mark over `host` (in its coordinates); the marks lie on a
// see-through layer above the host's children.
void ToggleInsertionMark(QWidget* host, const QRect& rect);

class CCustomToolBar : public QToolBar {
    Q_OBJECT
public:
    CCustomToolBar(int barId, CCommandRegistry& commands, QWidget* parent);
    ~CCustomToolBar() override;

    int BarId() const { return m_barId; }
    bool Setup(const unsigned* list, int count, int bitmapId, std::span<const int> imageTable, QSize button,
               QSize image);
    void Rebuild();
    const CToolBarButtons& Buttons() const { return m_list; }
    // The list to edit in place; the caller rebuilds the bar after.
    CToolBarButtons& EditButtons() { return m_list; }

    bool InsertButton(unsigned command, int index, bool rebuild = true);
    bool RemoveButtonAt(int index, bool rebuild = true, int* tracked = nullptr);
    bool RemoveCommand(unsigned command, int* tracked = nullptr);
    bool AddStyleLists(bool rebuild = true);
    bool RemoveStyleLists(bool rebuild = true);
    bool SaveButtons() const { return m_list.SaveButtons(m_barId); }
    bool LoadButtons() { return m_list.LoadButtons(m_barId); }

    // The embedded control of the command, or null.
    QWidget* ControlForCmd(unsigned command) const;
    // The bar's item holding an embedded control (its enabled state is the control's).
    QAction* ActionForControl(QWidget* control) const;
    // The widget showing entry `index` (button, control or separator), or null.
    QWidget* ItemWidget(int index) const;
    // The command under a screen point, or 0.
    unsigned CommandAtPoint(const QPoint& screen) const;
    // -1 for an index outside 0..count; 0 for an empty bar; the left side of
    // that entry, or the right side of the last one for index == count.
    int BoundaryX(int index) const;
    // The index 0..count whose boundary lies nearest to a screen x.
    int NearestBoundary(int screenX) const;
    // Shows image (first image of the command + variant) on the command's
    // button; the previous image, or -1 when the command or its image is missing.
    int SetCmdButtonImage(unsigned command, int variant);
    // Inverts the insertion mark at the boundary of `index`, over the bar's
    // height less 2 pixels at the bottom: a second call at the same index
    // takes it away again.
    void DrawDropBeam(int index);

    bool HasSeparatorBefore(int index) const { return m_list.HasSeparatorBefore(index); }
    bool InsertSeparatorBefore(int index);
    bool RemoveSeparatorBefore(int index, bool rebuild = true);
    int TidySeparators(int* tracked = nullptr) { return m_list.TidySeparators(tracked); }

signals:
    // The embedded controls were made (anew).
    void controlsCreated();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void DestroyControls();
    QWidget* MakeControl(unsigned command, int width);

    int m_barId;
    CCommandRegistry& m_commands;
    CToolBarButtons m_list;
    QSize m_buttonSize, m_imageSize;
    std::map<unsigned, QWidget*> m_controls;
    std::map<unsigned, int> m_shownImage;
    std::vector<QAction*> m_items;   // one per list entry
    QWidget* m_beams = nullptr;      // the insertion marks, over the items
};

// The font-size box: a typed size of 4 to 128 points is applied on Enter,
// anything else warns; a size chosen from the list is applied when not 0.
class CFontSizeCombo : public CNumCombo {
    Q_OBJECT
public:
    explicit CFontSizeCombo(QWidget* parent = nullptr) : CNumCombo(parent) {}
    void OnEnter() override;
    void OnSelect(int index) override;
signals:
    void fontSizeChosen(int points);
};
