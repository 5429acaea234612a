#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/StylePickerCommands.h"

#include "controls/ValueDropControls.h"

#include "controls/CZoomCombo.h"
#include "controls/FontCombos.h"
#include "core/MsgBox.h"
#include "platform/Prompt.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "editing/ui/CKavoView.h"
#include "frame/CommandPrompts.h"
#include "frame/ui/CCommandRegistry.h"
#include "frame/ui/CommandImages.h"
#include "platform/Ansi.h"
#include "platform/StringTable.h"
#include "platform/ui/DlgItems.h"
#include "render/CZoomMapping.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QRegion>
#include <QContextMenuEvent>
#include <QFont>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kComboListRows = 12;
constexpr int kMaxTypedChars = 20;
constexpr int kMinFontSize = 4, kMaxFontSize = 128;
constexpr unsigned kZoomBoxCommand = 32779;

struct Tip {
    unsigned command;
    const char* text;
};
// The buttons' names.
constexpr Tip kTips[] = {
    {57600, "New"}, {57601, "Open"}, {57603, "Save"}, {57607, "Print"},
    {57666, "Help"}, {57632, "Delete"}, {57635, "Cut"}, {57634, "Copy"},
    {57637, "Paste"}, {33035, "Find"}, {57643, "Undo"}, {36500, "Select Mode"},
    {36503, "Seltext Mode"}, {36501, "Text Mode"}, {36504, "Connection Point Tool"},
    {36502, "Zoom Mode"}, {36517, "Zoom In"}, {36518, "Zoom Out"},
    {36520, "Zoom Page Width"}, {36521, "Zoom Whole Page"}, {32779, "Zoom Percent"},
    {33072, "Show Grid"}, {33073, "Snap to Grid"}, {32791, "Insert Symbol"},
    {32785, "Insert Graphic"}, {32770, "Back"}, {32773, "Parent"}, {32769, "Forward"},
    {36561, "Collapse/Expand Style Bar"}, {32775, "Font Family"}, {32776, "Font Size"},
    {36531, "Bold"}, {36532, "Italic"}, {36533, "Underline"},
    {36562, "Horizontal Text Alignment"}, {36563, "Vertical Text Alignment"},
    {36564, "Rotate Text"}, {36499, "Text Color"}, {36497, "Fill Color"},
    {36498, "Border Color"}, {36491, "Line Pattern"}, {36492, "Line Width"},
    {36496, "Connector Color"}, {36493, "Change Curvature"}, {32818, "Group"},
    {32819, "Ungroup"}, {33027, "Front"}, {33028, "Back"}, {36494, "Drop Shadow"},
    {36565, "Figure Styles"}, {36566, "Connector Styles"}, {36567, "Label Styles"},
    {33083, "Rulers"},
};

const Tip* FindTip(unsigned command)
{
    for (const Tip& t : kTips)
        if (t.command == command)
            return &t;
    return nullptr;
}

CKavoView* ActiveView() { return GetActiveKavoView(); }

constexpr int kBeamWidth = 2, kBeamOverhang = 3, kBeamBottomGap = 2;

// Lies over the bar's items and inverts the insertion marks drawn on it.
class CBeamOverlay : public QWidget {
public:
    explicit CBeamOverlay(QWidget* bar) : QWidget(bar)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName("dropBeams");
    }
    // A mark drawn where one stands takes it away, as inverting twice does.
    void Toggle(const QRect& rect)
    {
        const auto it = std::find(m_marks.begin(), m_marks.end(), rect);
        if (it == m_marks.end())
            m_marks.push_back(rect);
        else
            m_marks.erase(it);
        setGeometry(parentWidget()->rect());
        raise();
        setVisible(!m_marks.empty());
        update();
    }
    void Clear()
    {
        m_marks.clear();
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        for (const QRect& mark : m_marks)
            DrawInsertionBeam(p, mark);
    }

private:
    std::vector<QRect> m_marks;
};

// The three boxes' own font: a 14-pixel sans serif of normal weight and
// variable pitch, whatever font the rest of the bar uses.
QFont EmbeddedControlFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    font.setFixedPitch(false);
    return font;
}

QComboBox* MakeCombo(unsigned command, QWidget* parent)
{
    QComboBox* combo = nullptr;
    if (command == 32775) {
        combo = new QComboBox(parent);
        CopyFontComboItems(combo, false);
        combo->model()->sort(0);
        combo->insertItem(0, QString()); // the empty entry sorts first
    } else if (command == 32776) {
        combo = new CFontSizeCombo(parent);
        FillFontSizeCombo(combo);
    } else {
        auto* zoom = new CZoomCombo(parent);
        for (int i = 0; i < 6; ++i)
            zoom->addItem(QString("%1%").arg(Zoom[i]));
        combo = zoom;
    }
    combo->setFont(EmbeddedControlFont());
    // The text editor stays open while these take the focus.
    combo->setProperty("commandId", int(command));
    combo->setEnabled(false);
    combo->setMaxVisibleItems(kComboListRows);
    combo->setCurrentIndex(0);
    return combo;
}

// The zoom box is as wide as the bar's table says, or wider when its own
// font needs more room for an entry or for the largest zoom it can show.
int ZoomBoxWidth(const QComboBox& box, int tableWidth)
{
    const QFontMetrics metrics = box.fontMetrics();
    int text = metrics.horizontalAdvance(FormatZoomPercent(kZoomMax));
    for (int i = 0; i < box.count(); ++i)
        text = std::max(text, metrics.horizontalAdvance(box.itemText(i)));
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = true;
    // The edit field keeps a small margin on each side of its text.
    constexpr int kEditMargins = 2 * 2 + 2;
    const QSize needed = box.style()->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                       QSize(text + kEditMargins, metrics.height()), &box);
    return std::max(tableWidth, needed.width());
}
} // namespace

void ToggleInsertionMark(QWidget* host, const QRect& rect)
{
    auto* marks = host->findChild<CBeamOverlay*>("dropBeams", Qt::FindDirectChildrenOnly);
    if (!marks)
        marks = new CBeamOverlay(host);
    marks->Toggle(rect);
}

void DrawInsertionBeam(QPainter& p, const QRect& rect)
{
    const int x = rect.left();
    const int across = kBeamWidth + 2 * kBeamOverhang;
    // One region, so that no pixel where the bar meets a crossbar is
    // inverted twice.
    QRegion beam(x, rect.top(), kBeamWidth, rect.height());
    beam += QRect(x - kBeamOverhang, rect.top(), across, 1);
    beam += QRect(x - kBeamOverhang, rect.bottom(), across, 1);
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    for (const QRect& part : beam)
        p.fillRect(part, face);
    p.restore();
}

QString ToolBarTipText(unsigned command)
{
    const Tip* tip = FindTip(command);
    return tip ? QString::fromLatin1(tip->text) : QString();
}

namespace {
// The command of strip image `index`, and whether the image shows a
// two-state command's other state (the second of its two images); 0 for an
// index outside the strip.
unsigned StripCommand(int index, bool& second)
{
    const auto table = ToolBarImageTable();
    second = false;
    if (index < 0 || size_t(index) >= table.size())
        return 0;
    const unsigned command = unsigned(table[size_t(index)]);
    second = index > 0 && table[size_t(index - 1)] == int(command);
    return command;
}
} // namespace

QPixmap ToolBarImage(int index)
{
    bool second = false;
    const unsigned command = StripCommand(index, second);
    return CommandPixmap(command, second, kToolBarImageCx, QApplication::palette().color(QPalette::Button));
}

QIcon ToolBarIcon(int index)
{
    bool second = false;
    const unsigned command = StripCommand(index, second);
    return command ? CommandIcon(command, second) : QIcon(ToolBarImage(index));
}

void CFontSizeCombo::OnEnter()
{
    if (!ActiveView())
        return;
    DiagPrintf("USER  Font size change (enter)\n");
    const int size = std::atoi(lineEdit()->text().left(kMaxTypedChars).toLatin1().constData());
    if (size < kMinFontSize || size > kMaxFontSize) {
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Enter a font size between %d and %d", kMinFontSize, kMaxFontSize);
        return;
    }
    emit fontSizeChosen(size);
}

void CFontSizeCombo::OnSelect(int index)
{
    const int size = index < 0 ? 0 : std::atoi(itemText(index).toLatin1().constData());
    if (size != 0)
        emit fontSizeChosen(size);
}

CCustomToolBar::CCustomToolBar(int barId, CCommandRegistry& commands, QWidget* parent)
    : QToolBar(parent), m_barId(barId), m_commands(commands)
{
    setObjectName(QString("toolbar_%1").arg(barId));
    SetDlgCtrlID(this, barId);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

CCustomToolBar::~CCustomToolBar() = default;

bool CCustomToolBar::Setup(const unsigned* list, int count, int bitmapId, std::span<const int> imageTable,
                           QSize button, QSize image)
{
    if (!m_list.Setup(list, count, bitmapId, imageTable, button.width(), button.height(), image.width(),
                      image.height()))
        return false;
    m_buttonSize = button;
    m_imageSize = image;
    setIconSize(image);
    // The separators and control holders are the bar's own; the buttons'
    // actions belong to the command registry and stay.
    std::vector<QAction*> own;
    for (QAction* a : actions())
        if (a->parent() == this)
            own.push_back(a);
    clear();
    qDeleteAll(own);
    m_items.clear();
    m_shownImage.clear();
    // Marks drawn over the old layout mean nothing on the new one.
    if (m_beams)
        static_cast<CBeamOverlay*>(m_beams)->Clear();
    const std::vector<int> images = m_list.AssignImages();
    const auto& buttons = m_list.Buttons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        const unsigned command = buttons[i];
        if (command == 0 || EmbeddedControlWidth(command) > 0) {
            m_items.push_back(nullptr); // filled by CreateControls
            continue;
        }
        QAction* action = m_commands.Action(int(command));
        if (!action)
            action = m_commands.Add(int(command), ToolBarTipText(command).toStdString());
        action->setIcon(ToolBarIcon(images[i]));
        action->setIconVisibleInMenu(HasMenuPicture(command));
        if (!ToolBarTipText(command).isEmpty())
            action->setToolTip(ToolBarTipText(command));
        m_shownImage[command] = images[i];
        m_items.push_back(action);
    }
    CreateControls();
    emit controlsCreated();
    return true;
}

void CCustomToolBar::CreateControls()
{
    const auto& buttons = m_list.Buttons();
    QList<QAction*> order;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const unsigned command = buttons[i];
        if (command == 0) {
            m_items[i] = addSeparator();
            if (i > 0 && IsComboCommand(buttons[i - 1]))
                if (QWidget* line = widgetForAction(m_items[i]))
                    line->setFixedWidth(kComboSeparatorWidth);
            continue;
        }
        const int width = EmbeddedControlWidth(command);
        if (width > 0) {
            QWidget* control = MakeControl(command, width);
            m_controls[command] = control;
            m_items[i] = addWidget(control);
            m_items[i]->setData(int(command));
            // The combos start disabled; the frame enables them at idle time.
            m_items[i]->setEnabled(!IsComboCommand(command));
            continue;
        }
        addAction(m_items[i]);
        if (auto* tool = qobject_cast<QToolButton*>(widgetForAction(m_items[i])))
            tool->setFixedSize(m_buttonSize);
    }
}

QWidget* CCustomToolBar::MakeControl(unsigned command, int width)
{
    QWidget* control = nullptr;
    if (IsComboCommand(command)) {
        auto* combo = MakeCombo(command, this);
        // A right click on a box's text brings up the bar's menu, not the
        // text's editing menu.
        if (combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
        control = combo;
    } else if (QWidget* picker = MakeStylePickerControl(command, m_commands, this)) {
        control = picker;
        control->setFixedHeight(m_buttonSize.height());
    } else if (QWidget* drop = MakeValueDropControl(command, this, [this](UINT c) {
                   return ToolBarImage(m_list.ImageOf(c)).toImage();
               })) {
        control = drop;
        control->setFixedHeight(m_buttonSize.height());
    } else {
        // Drop buttons and style pickers: a button that runs the command.
        auto* button = new QToolButton(this);
        QAction* action = m_commands.Action(int(command));
        if (!action)
            action = m_commands.Add(int(command), ToolBarTipText(command).toStdString());
        action->setIcon(ToolBarIcon(m_list.ImageOf(command)));
        action->setIconVisibleInMenu(HasMenuPicture(command));
        action->setToolTip(ToolBarTipText(command));
        button->setDefaultAction(action);
        button->setFixedHeight(m_buttonSize.height());
        control = button;
    }
    if (command == kZoomBoxCommand)
        width = ZoomBoxWidth(*static_cast<QComboBox*>(control), width);
    control->setFixedWidth(width);
    control->setProperty("commandId", int(command));
    SetDlgCtrlID(control, int(command));
    control->setToolTip(ToolBarTipText(command));
    control->setStatusTip(AnsiToQString(CommandStatusText(command)));
    return control;
}

void CCustomToolBar::DestroyControls()
{
    for (auto& [command, control] : m_controls)
        delete control;
    m_controls.clear();
}

void CCustomToolBar::Rebuild()
{
    setUpdatesEnabled(false);
    DestroyControls();
    Setup(nullptr, 0, IDB_TOOLBAR_STRIP, ToolBarImageTable(), m_buttonSize, m_imageSize);
    setUpdatesEnabled(true);
    update();
}

bool CCustomToolBar::InsertButton(unsigned command, int index, bool rebuild)
{
    if (!m_list.InsertButton(command, index))
        return false;
    if (rebuild)
        Rebuild();
    return true;
}

bool CCustomToolBar::RemoveButtonAt(int index, bool rebuild, int* tracked)
{
    if (!m_list.RemoveButtonAt(index, tracked))
        return false;
    if (rebuild)
        Rebuild();
    return true;
}

bool CCustomToolBar::RemoveCommand(unsigned command, int* tracked)
{
    if (!m_list.RemoveCommand(command, tracked))
        return false;
    Rebuild();
    return true;
}

bool CCustomToolBar::AddStyleLists(bool rebuild)
{
    const bool done = m_list.AddStyleLists();
    if (rebuild)
        Rebuild();
    return done;
}

bool CCustomToolBar::RemoveStyleLists(bool rebuild)
{
    const bool done = m_list.RemoveStyleLists();
    if (rebuild)
        Rebuild();
    return done;
}

QWidget* CCustomToolBar::ControlForCmd(unsigned command) const
{
    const auto it = m_controls.find(command);
    return it == m_controls.end() ? nullptr : it->second;
}

QAction* CCustomToolBar::ActionForControl(QWidget* control) const
{
    for (QAction* item : m_items)
        if (item && widgetForAction(item) == control)
            return item;
    return nullptr;
}

QWidget* CCustomToolBar::ItemWidget(int index) const
{
    if (index < 0 || size_t(index) >= m_items.size() || !m_items[size_t(index)])
        return nullptr;
    return widgetForAction(m_items[size_t(index)]);
}

unsigned CCustomToolBar::CommandAtPoint(const QPoint& screen) const
{
    const auto& buttons = m_list.Buttons();
    for (int i = 0; i < int(buttons.size()); ++i) {
        QWidget* w = ItemWidget(i);
        if (w && buttons[size_t(i)] != 0 && w->geometry().contains(mapFromGlobal(screen)))
            return buttons[size_t(i)];
    }
    return 0;
}

int CCustomToolBar::BoundaryX(int index) const
{
    const int count = m_list.Count();
    if (index < 0 || index > count)
        return -1;
    if (count == 0)
        return 0;
    if (index == count) {
        QWidget* last = ItemWidget(count - 1);
        return last ? last->geometry().right() + 1 : 0;
    }
    QWidget* w = ItemWidget(index);
    return w ? w->geometry().left() : 0;
}

int CCustomToolBar::NearestBoundary(int screenX) const
{
    std::vector<int> bounds;
    for (int i = 0; i <= m_list.Count(); ++i)
        bounds.push_back(BoundaryX(i));
    return NearestBoundaryIndex(bounds, screenX - mapToGlobal(QPoint(0, 0)).x());
}

int CCustomToolBar::SetCmdButtonImage(unsigned command, int variant)
{
    const int index = m_list.IndexOf(command);
    const auto table = ToolBarImageTable();
    const int first = m_list.ImageOf(command);
    const int image = first + variant;
    if (index < 0 || !m_items[size_t(index)] || image < 0 || size_t(image) >= table.size()
        || table[size_t(image)] != int(command))
        return -1;
    const int previous = m_shownImage[command];
    if (previous != image) {
        m_items[size_t(index)]->setIcon(ToolBarIcon(image));
        m_items[size_t(index)]->setCheckable(true);
        m_shownImage[command] = image;
    }
    return previous;
}

void CCustomToolBar::DrawDropBeam(int index)
{
    const int x = BoundaryX(index);
    if (x < 0)
        return;
    if (!m_beams)
        m_beams = new CBeamOverlay(this);
    static_cast<CBeamOverlay*>(m_beams)->Toggle(QRect(x, 0, kBeamWidth, height() - kBeamBottomGap));
}

bool CCustomToolBar::InsertSeparatorBefore(int index)
{
    if (!m_list.InsertSeparatorBefore(index))
        return false;
    Rebuild();
    return true;
}

bool CCustomToolBar::RemoveSeparatorBefore(int index, bool rebuild)
{
    if (!m_list.RemoveSeparatorBefore(index))
        return false;
    if (rebuild)
        Rebuild();
    return true;
}

bool CCustomToolBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        contextMenuEvent(static_cast<QContextMenuEvent*>(event));
        return true;
    }
    return QToolBar::eventFilter(watched, event);
}

void CCustomToolBar::contextMenuEvent(QContextMenuEvent* event)
{
    if (CKavoView* view = ActiveView())
        view->CloseTextEditor();
    QMenu menu(this);
    struct Entry {
        const char* text;
        int command;
        bool checked;
    };
    const Entry entries[] = {
        {"Standard &Toolbar", 32826, ShowStdToolBar != 0},
        {"&Property Bar", 32824, ShowPropertyBar != 0},
        {"&Style Bar", 32825, CollapsedStyleBar == 0},
        {nullptr, 0, false},
        {"&Customize...", 32823, false},
    };
    for (const Entry& e : entries) {
        if (!e.text) {
            menu.addSeparator();
            continue;
        }
        QAction* item = menu.addAction(QString::fromLatin1(e.text));
        item->setData(e.command);
        item->setCheckable(e.command != 32823);
        item->setChecked(e.checked);
    }
    QAction* chosen = menu.exec(event->globalPos() + QPoint(2, 2));
    if (chosen)
        if (QAction* target = m_commands.Action(chosen->data().toInt()))
            target->trigger();
    event->accept();
}
