#pragma once
// A customizable toolbar: its buttons are rebuilt from a list of command ids
// (0 = separator). Buttons show the commands' actions of the command registry;
// a few commands show an embedded control (combo box, drop button, style
// picker) of a fixed width instead. Every rebuild makes the controls anew, so
// a control pointer is good only until the next list edit.
#include "frame/ToolBarButtons.h"

#include <QComboBox>
#include <QToolBar>

#include <map>
#include <vector>

class CCommandRegistry;
class QComboBox;

// The image of the button strip at `index` (20 x 20 pixels).
QPixmap ToolBarImage(int index);
// The short name a button shows as its tip ("New", "Font Family").
QString ToolBarTipText(unsigned command);

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

signals:
    // The embedded controls were made (anew).
    void controlsCreated();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

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
};

// The font-size box: a typed size of 4 to 128 points is applied on Enter,
// anything else warns; a size chosen from the list is applied when not 0.
class CFontSizeCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CFontSizeCombo(QWidget* parent = nullptr);
    // True when the size was applied.
    bool OnEnter();
    bool OnSelect(int index);
signals:
    void fontSizeChosen(int points);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
