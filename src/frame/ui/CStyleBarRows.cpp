#include "frame/ui/CStyleBarRows.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/CStyleButtons.h"
#include "controls/ChildControl.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "frame/ui/CStyleBarSlotButton.h"
#include "platform/Ansi.h"
#include "platform/StringTable.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>

namespace {

// Combo-box drop-downs list up to 13 names, 14 pixels each.
constexpr int kComboItemHeight = 14;
constexpr int kComboMaxItems = 13;
constexpr int kComboSelChange = 1;
constexpr int kScrollBarWidth = 10;

// Off the bar at once, deleted later: the control may be in the middle of
// its own event (a button whose release rearranged the bar).
template <class Widget>
void Destroy(Widget*& w)
{
    if (w) {
        w->hide();
        w->setParent(nullptr);
        w->deleteLater();
    }
    w = nullptr;
}

CStylePickerButton* MakeStyleBarPicker(StyleBarRowKind kind)
{
    constexpr auto variant = CStylePickerButton::Variant::StyleBar;
    switch (kind) {
    case kLabelRow: return new CLblStyleButton(variant);
    case kFigureRow: return new CFigStyleButton(variant);
    case kConnectorRow: break;
    }
    return new CConStyleButton(variant);
}

} // namespace

CStyleButtonRow::CStyleButtonRow(const StyleRowSpec& spec) : m_spec(spec) {}

CStyleButtonRow::~CStyleButtonRow() = default;   // the bar owns the controls

void CStyleButtonRow::LoadLayout(CKavoDoc& doc)
{
    m_layout.m_nCount = 0;
    if (!DocLayout(doc).IsDefined())
        doc.InitStyleMenus();
    m_layout = DocLayout(doc);
}

void CStyleButtonRow::DestroyControls()
{
    Destroy(m_picker);
    Destroy(m_combo);
    for (CStyleBarSlotButton*& b : m_buttons)
        Destroy(b);
    m_buttons.clear();
    Destroy(m_scroll);
    m_bPicker = m_bCombo = m_nButtons = m_bScrollCreated = 0;
    m_pDoc = nullptr;
}

void CStyleButtonRow::ShowControls(bool show)
{
    for (QWidget* w : {static_cast<QWidget*>(m_picker), static_cast<QWidget*>(m_combo), static_cast<QWidget*>(m_scroll)})
        if (w)
            w->setVisible(show);
    for (CStyleBarSlotButton* b : m_buttons)
        b->setVisible(show);
}

void CStyleButtonRow::FillComboBox(CKavoDoc* doc)
{
    if (!m_bCombo || !doc || !m_combo)
        return;
    m_combo->clear();
    // The box keeps its names sorted, as the user looks a name up.
    std::vector<std::pair<QString, int>> names;
    for (int index : StylesOfKind(*doc))
        if (const std::string* name = StyleName(*doc, index))
            names.emplace_back(AnsiToQString(*name), index);
    std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    {
        // One change for the whole list, not one per name.
        const QSignalBlocker quiet(m_combo);
        for (const auto& [name, index] : names)
            m_combo->addItem(name, index);
    }
    const int n = int(names.size());
    const int shown = n < kComboMaxItems ? n + 1 : kComboMaxItems;
    m_nComboDropHeight = m_nComboHeight + kComboItemHeight * shown;
    m_combo->setMaxVisibleItems(shown);
    m_combo->setCurrentIndex(-1);
    m_nComboSel = -1;
    if (g_nUIMode == m_spec.uiMode) {
        SelectInCombo(doc, CurrentStyle(*doc));
        m_nComboSel = m_combo->currentIndex();
    }
}

void CStyleButtonRow::PrepareFlags(CKavoDoc& doc, bool showCombos)
{
    m_bPicker = StylesOfKind(doc).empty() ? 0 : 1;
    m_bCombo = showCombos ? 1 : 0;
}

StyleRowFit CStyleButtonRow::FitInput() const
{
    StyleRowFit fit;
    fit.hasPicker = m_bPicker != 0;
    fit.hasCombo = m_bCombo != 0;
    fit.count = m_layout.m_nCount;
    fit.columns = m_layout.Columns;
    fit.btnHeight = m_layout.BtnHeight;
    fit.capacity = m_spec.capacity;
    return fit;
}

void CStyleButtonRow::TakeFit(const StyleRowFit& fit)
{
    m_nPickerHeight = kStyleBarPickerHeight;
    m_nComboHeight = kStyleBarComboHeight;
    m_nGridLines = fit.gridLines;
    m_nVisible = std::min(fit.visible, m_spec.capacity);
    m_bScroll = fit.scroll ? 1 : 0;
    m_nMaxOffset = fit.maxOffset;
    m_nOffset = std::clamp(m_nOffset, 0, m_nMaxOffset);
}

bool CStyleButtonRow::CreatePicker(CKavoDoc* doc, QWidget* bar, int& top, const QFont& font)
{
    // The row's "More Styles" button: every style of the kind by category,
    // with the row's caption on its face.
    const char* caption = FindResString(UINT(m_spec.captionString));
    CStylePickerButton* picker = MakeStyleBarPicker(m_spec.kind);
    picker->setText(AnsiToQString(caption ? caption : ""));
    picker->setFont(font);
    m_picker = picker;
    if (!CreateChildControl(picker, QRect(0, top, bar->width(), m_nPickerHeight), bar, m_spec.pickerId)) {
        Destroy(m_picker);
        m_bPicker = m_bCombo = 0;
        return false;
    }
    top += m_nPickerHeight;
    // The palette opens beside the bar, not over its rows.
    if (!picker->Create(m_spec.pickerId, bar, CPaletteMenuBase::kSideRight, doc, false)) {
        m_bCombo = 0;
        return false;
    }
    return true;
}

bool CStyleButtonRow::CreateCombo(QWidget* bar, int& top, const QFont& font)
{
    m_combo = new QComboBox;
    m_combo->setFont(font);
    if (!CreateChildControl(m_combo, QRect(0, top, bar->width(), m_nComboHeight), bar, m_spec.comboId)) {
        delete m_combo;
        m_combo = nullptr;
        m_bCombo = 0;
        return false;
    }
    QComboBox* combo = m_combo;
    QObject::connect(combo, &QComboBox::activated, combo, [combo] { NotifyParent(combo, kComboSelChange); });
    top += m_nComboHeight;
    return true;
}

void CStyleButtonRow::CreateButtons(CKavoDoc* doc, QWidget* bar, int top)
{
    const int columns = m_layout.Columns;
    if (columns < 1)
        return;
    const int gridWidth = bar->width() - (m_bScroll ? kScrollBarWidth + 1 : 1);
    const int colWidth = gridWidth / columns;
    for (int i = 0; i < m_nVisible; ++i) {
        const int col = i % columns, line = i / columns;
        const int left = col * colWidth;
        const int right = col == columns - 1 ? gridWidth : left + colWidth;
        auto* b = new CStyleBarSlotButton(m_spec.kind);
        const int entry = m_nOffset + i;
        b->Setup(entry < m_layout.m_nCount ? m_layout.m_index[entry] : -1, doc);
        const QRect rect(left, top + line * m_layout.BtnHeight, right - left, m_layout.BtnHeight);
        if (!CreateChildControl(b, rect, bar, m_spec.firstButtonId + i)) {
            delete b;
            return;
        }
        m_buttons.push_back(b);
        m_nButtons = i + 1;
    }
}

void CStyleButtonRow::CreateScrollBar(QWidget* bar, int top)
{
    m_scroll = new QScrollBar(Qt::Vertical);
    const QRect rect(bar->width() - (kScrollBarWidth + 1), top, kScrollBarWidth, m_nGridLines * m_layout.BtnHeight);
    if (!CreateChildControl(m_scroll, rect, bar, m_spec.scrollId)) {
        delete m_scroll;
        m_scroll = nullptr;
        return;
    }
    m_bScrollCreated = 1;
    QScrollBar* scroll = m_scroll;
    QObject::connect(scroll, &QScrollBar::actionTriggered, scroll, [this, scroll](int action) {
        int code = -1;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: code = kScrollLineUp; break;
        case QAbstractSlider::SliderSingleStepAdd: code = kScrollLineDown; break;
        case QAbstractSlider::SliderPageStepSub: code = kScrollPageUp; break;
        case QAbstractSlider::SliderPageStepAdd: code = kScrollPageDown; break;
        case QAbstractSlider::SliderMove: code = kScrollThumbTrack; break;
        case QAbstractSlider::SliderToMinimum: code = kScrollTop; break;
        case QAbstractSlider::SliderToMaximum: code = kScrollBottom; break;
        default: return;
        }
        Scroll(code, scroll->sliderPosition(), MarkedStyle());
    });
}

bool CStyleButtonRow::CreateControls(CKavoDoc* doc, QWidget* bar, int& top, const QFont& comboFont,
                                     const QFont& pickerFont)
{
    m_pDoc = doc;
    if (m_bPicker && doc && !CreatePicker(doc, bar, top, pickerFont))
        return false;
    if (m_bCombo && !CreateCombo(bar, top, comboFont))
        return false;
    CreateButtons(doc, bar, top);
    if (m_bScroll && m_nGridLines > 0)
        CreateScrollBar(bar, top);
    top += m_nGridLines * std::max(m_layout.BtnHeight, 0);
    return true;
}

int CStyleButtonRow::PickerSelection() const
{
    return m_picker ? m_picker->GetCurSel() : -1;
}

void CStyleButtonRow::SelectInPicker(int style)
{
    if (m_picker)
        m_picker->SetSample(style);
}

CStyleBarSlotButton* CStyleButtonRow::Button(int i) const
{
    return i >= 0 && i < int(m_buttons.size()) ? m_buttons[size_t(i)] : nullptr;
}

int CStyleButtonRow::FindButton(int style) const
{
    if (style < 0)
        return -1;
    for (int i = 0; i < int(m_buttons.size()); ++i)
        if (m_buttons[size_t(i)]->StyleIndex() == style)
            return i;
    return -1;
}

void CStyleButtonRow::InvalidateStyle(int style)
{
    if (CStyleBarSlotButton* b = Button(FindButton(style)))
        b->update();
}

int CStyleButtonRow::MarkedStyle() const
{
    return m_pDoc && g_nUIMode == m_spec.uiMode ? CurrentStyle(*m_pDoc) : -1;
}

int CStyleButtonRow::PressedStyle() const
{
    for (const CStyleBarSlotButton* b : m_buttons)
        if (b->IsPressed())
            return b->StyleIndex();
    return -1;
}

void CStyleButtonRow::RefreshButtons(int press)
{
    // -2 keeps the style pressed now pressed wherever it moves to.
    if (press == -2)
        press = PressedStyle();
    for (int i = 0; i < int(m_buttons.size()); ++i) {
        CStyleBarSlotButton* b = m_buttons[size_t(i)];
        const int entry = m_nOffset + i;
        b->SetStyleIndex(entry < m_layout.m_nCount ? m_layout.m_index[entry] : -1);
        if (press >= 0 && b->StyleIndex() == press)
            b->Press();
        else
            b->Release();
    }
}

void CStyleButtonRow::Scroll(int code, int thumbPos, int press)
{
    m_nOffset = StyleRowScroll(code, thumbPos, m_nOffset, m_layout.Columns, m_nGridLines, m_nMaxOffset);
    RefreshButtons(press);
    UpdateScrollBar();
}

void CStyleButtonRow::ScrollToShow(int style)
{
    if (FindButton(style) >= 0)
        return;
    const int entry = m_layout.FindIndex(style);
    if (entry < 0)
        return;
    m_nOffset = StyleRowOffsetToShow(entry, m_nOffset, m_layout.Columns, m_nGridLines, m_nMaxOffset);
    RefreshButtons(-2);
    UpdateScrollBar();
}

void CStyleButtonRow::UpdateScrollBar()
{
    if (!m_scroll || m_layout.Columns < 1)
        return;
    m_nOffset = std::min(m_nOffset, m_nMaxOffset);
    const QSignalBlocker quiet(m_scroll);
    m_scroll->setRange(0, m_nMaxOffset / m_layout.Columns);
    m_scroll->setPageStep(1);
    m_scroll->setSingleStep(1);
    m_scroll->setValue(m_nOffset / m_layout.Columns);
}

int CStyleButtonRow::ButtonHitTest(const QPoint& screen, int& style) const
{
    style = -1;
    for (int i = 0; i < int(m_buttons.size()); ++i) {
        const CStyleBarSlotButton* b = m_buttons[size_t(i)];
        if (QRect(b->mapToGlobal(QPoint(0, 0)), b->size()).contains(screen)) {
            style = b->StyleIndex();
            return i;
        }
    }
    return -1;
}

bool CStyleButtonRow::IsMyButton(const QWidget* w) const
{
    return w && std::find(m_buttons.begin(), m_buttons.end(), w) != m_buttons.end();
}

bool CStyleButtonRow::ScrollBarHitTest(const QPoint& screen) const
{
    if (!m_bScroll || !m_scroll || !m_scroll->parentWidget())
        return false;
    const QWidget* bar = m_scroll->parentWidget();
    const QPoint topLeft = bar->mapToGlobal(QPoint(m_scroll->x(), 0));
    return QRect(topLeft, QSize(m_scroll->width(), bar->height())).contains(screen);
}

QRect CStyleButtonRow::ButtonRect(int button) const
{
    const CStyleBarSlotButton* b = Button(button);
    return b ? QRect(b->mapToGlobal(QPoint(0, 0)), b->size()) : QRect();
}

void CStyleButtonRow::SelectInCombo(CKavoDoc* doc, int style)
{
    if (!m_combo)
        return;
    const std::string* name = doc && style >= 0 && IsStyleOfKind(*doc, style) ? StyleName(*doc, style) : nullptr;
    m_combo->setCurrentIndex(name ? m_combo->findData(style) : -1);
}

void CStyleButtonRow::ReleaseButtons()
{
    for (CStyleBarSlotButton* b : m_buttons)
        b->Release();
}
