#include "dialogs/diagram/DPropGeneralPages.h"

#include "controls/CCheckListCtrl.h"
#include "controls/DdxFields.h"
#include "controls/DlgControls.h"
#include "core/FieldText.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "dialogs/DialogPictures.h"
#include "document/CKavoDoc.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr UINT IDS_NO_MARGIN_LIMIT = 806, IDS_FULL_COLOR = 862, IDS_NO_LABEL_STYLE = 516;
constexpr UINT IDS_GRID_RANGE = 484, IDS_SNAP_RANGE = 488;
constexpr UINT IDS_FIRST_POSITION = 761;
constexpr int kSpacingMin = 8, kSpacingMax = 2560;
constexpr int kGridDecimals = 3;

QString Res(UINT id)
{
    return AnsiToQString(ResText(id));
}

QLabel* Buddy(const char* text, QWidget* control, QWidget* parent)
{
    auto* label = new QLabel(QObject::tr(text), parent);
    label->setBuddy(control);
    return label;
}

// An editable box of preset spacings that shows the value as it is, preset
// or not, and tells through *dirty whether the user changed it.
QComboBox* MakeSpacingCombo(QWidget* page, int id, bool* dirty)
{
    auto* combo = new QComboBox(page);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    SetDlgCtrlID(combo, id);
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, page, [dirty] { *dirty = true; });
    QObject::connect(combo, &QComboBox::activated, page, [dirty] { *dirty = true; });
    return combo;
}

void LoadSpacing(QWidget* page, QComboBox* combo, int id, int value)
{
    CDataExchange dx{false, page};
    DlgGridComboExchange(dx, id, value, kSpacingMin, kSpacingMax, nullptr, nullptr);
    const QString text = AnsiToQString(FormatLengthField(value, kGridDecimals, true, !Metric));
    if (combo->findText(text, Qt::MatchExactly) < 0)
        combo->setEditText(text);
}
} // namespace

CDPropGeneral::CDPropGeneral(DiagramProps& values, QWidget* parent) : CDPropPage(values, "General", parent)
{
    m_list = new CCheckListCtrl(this);
    m_list->Init(kOptionsId, this);
    auto* col = new QVBoxLayout(this);
    col->addWidget(Buddy("O&ptions:", m_list, this));
    col->addWidget(m_list);
}

void CDPropGeneral::LoadPage()
{
    m_list->clear();
    m_list->AddItem(0, Res(IDS_NO_MARGIN_LIMIT), m_values.noMarginLimit != 0, true);
    m_bFullColorListed = FullColorIcons == 0;
    if (m_bFullColorListed)
        m_list->AddItem(1, Res(IDS_FULL_COLOR), m_values.fullColorIcons != 0, true);
}

bool CDPropGeneral::StorePage()
{
    m_values.noMarginLimit = m_list->GetCheck(0) ? 1 : 0;
    if (m_bFullColorListed)
        m_values.fullColorIcons = m_list->GetCheck(1) ? 1 : 0;
    return true;
}

CDPropGrid::CDPropGrid(DiagramProps& values, QWidget* parent) : CDPropPage(values, "Grid and Snap", parent)
{
    m_showGrid = new QCheckBox(tr("S&how grid *"), this);
    SetDlgCtrlID(m_showGrid, kShowGridId);
    m_snap = new QCheckBox(tr("&Snap to grid"), this);
    SetDlgCtrlID(m_snap, kSnapId);
    m_grid = MakeSpacingCombo(this, kGridSpacingId, &m_gridDirty);
    m_snapSpacing = MakeSpacingCombo(this, kSnapSpacingId, &m_snapDirty);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_showGrid, 0, 0, 1, 2);
    grid->addWidget(Buddy("Sp&acing:", m_grid, this), 1, 0);
    grid->addWidget(m_grid, 1, 1);
    grid->addWidget(m_snap, 2, 0, 1, 2);
    grid->addWidget(Buddy("Spa&cing:", m_snapSpacing, this), 3, 0);
    grid->addWidget(m_snapSpacing, 3, 1);
    grid->addWidget(new QLabel(tr("* The appearance of the grid can be set in Tools Options."), this), 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    connect(m_showGrid, &QCheckBox::toggled, this, &CDPropGrid::Enable);
    connect(m_snap, &QCheckBox::toggled, this, &CDPropGrid::Enable);
}

void CDPropGrid::Enable()
{
    m_grid->setEnabled(m_showGrid->isChecked());
    m_snapSpacing->setEnabled(m_snap->isChecked());
}

void CDPropGrid::LoadPage()
{
    m_showGrid->setChecked(m_values.showGrid != 0);
    m_snap->setChecked(m_values.snapToGrid != 0);
    LoadSpacing(this, m_grid, kGridSpacingId, m_values.gridSpacing);
    LoadSpacing(this, m_snapSpacing, kSnapSpacingId, m_values.snapSpacing);
    m_gridDirty = m_snapDirty = false;
    Enable();
}

bool CDPropGrid::StorePage()
{
    CDataExchange dx{true, this};
    int grid = m_values.gridSpacing, snap = m_values.snapSpacing;
    if (!DlgGridComboExchange(dx, kGridSpacingId, grid, kSpacingMin, kSpacingMax, &m_gridDirty, nullptr,
                              IDS_GRID_RANGE) ||
        !DlgGridComboExchange(dx, kSnapSpacingId, snap, kSpacingMin, kSpacingMax, &m_snapDirty, nullptr,
                              IDS_SNAP_RANGE))
        return false;
    m_values.gridSpacing = grid;
    m_values.snapSpacing = snap;
    m_values.showGrid = m_showGrid->isChecked() ? 1 : 0;
    m_values.snapToGrid = m_snap->isChecked() ? 1 : 0;
    return true;
}

CDPropLabels::CDPropLabels(DiagramProps& values, const CKavoDoc& doc, QWidget* parent)
    : CDPropPage(values, "Labels", parent)
{
    static constexpr int kIds[] = {kFigLabelId, kConLabelId, kFlowLabelId};
    static constexpr const char* kTexts[] = {"F&igure label style", "&Connector label style:", "&Flow label style:"};
    static constexpr int kPictureIds[] = {kFigPictureId, kConPictureId, kFlowPictureId};
    static constexpr int kBitmaps[] = {kBmpFigureLabel, kBmpConnectorLabel, kBmpFlowLabel};
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 3; ++i) {
        m_styles[i] = new QComboBox(this);
        SetDlgCtrlID(m_styles[i], kIds[i]);
        for (int s = 0; s < doc.m_figStyles.GetCount(); ++s)
            if (const CFigStyle* style = doc.m_figStyles.GetAt(s); style && style->Label)
                m_styles[i]->addItem(AnsiToQString(style->m_strName));
        m_styles[i]->addItem(Res(IDS_NO_LABEL_STYLE));
        SetComboDropHeight(m_styles[i], 12);
        grid->addWidget(Buddy(kTexts[i], m_styles[i], this), i, 0);
        grid->addWidget(m_styles[i], i, 1);
        grid->addWidget(MakePictureStatic(this, kPictureIds[i], kBitmaps[i]), i, 2);
    }
    m_position = new QComboBox(this);
    SetDlgCtrlID(m_position, kPositionId);
    for (int i = 0; i < 12; ++i)
        m_position->addItem(Res(IDS_FIRST_POSITION + UINT(i)));
    grid->addWidget(Buddy("Prim&ary position:", m_position, this), 3, 0);
    grid->addWidget(m_position, 3, 1);
    grid->setRowStretch(4, 1);
}

void CDPropLabels::LoadPage()
{
    const std::string* names[] = {&m_values.figLabelStyle, &m_values.conLabelStyle, &m_values.flowLabelStyle};
    for (int i = 0; i < 3; ++i) {
        int index = names[i]->empty() ? -1 : m_styles[i]->findText(AnsiToQString(*names[i]), Qt::MatchExactly);
        // An empty name, or one the library no longer has, is "none".
        if (index < 0)
            index = m_styles[i]->count() - 1;
        m_styles[i]->setCurrentIndex(index);
    }
    const int pos = m_values.primaryPosition;
    m_position->setCurrentIndex(pos >= 1 && pos <= 12 ? pos - 1 : 7);
}

bool CDPropLabels::StorePage()
{
    std::string* names[] = {&m_values.figLabelStyle, &m_values.conLabelStyle, &m_values.flowLabelStyle};
    for (int i = 0; i < 3; ++i) {
        const bool none = m_styles[i]->currentIndex() == m_styles[i]->count() - 1;
        const std::string name = none ? std::string() : QStringToAnsi(m_styles[i]->currentText());
        // A name the library does not have shows as "none"; it stays as it
        // was unless the user picked another entry.
        if (!(none && m_styles[i]->findText(AnsiToQString(*names[i]), Qt::MatchExactly) < 0))
            *names[i] = name;
    }
    const int pos = m_values.primaryPosition;
    const int chosen = m_position->currentIndex() + 1;
    // An out-of-range position shows as "Below" and stays unless changed.
    if (!((pos < 1 || pos > 12) && chosen == 8))
        m_values.primaryPosition = chosen;
    return true;
}
