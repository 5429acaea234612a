#include "dialogs/options/COptionPages.h"

#include "controls/CCheckListCtrl.h"
#include "controls/CColorDropButton.h"
#include "controls/CNumEdit.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "dialogs/DialogPictures.h"
#include "dialogs/page/CPageSampleButton.h"
#include "document/AppPrinter.h"
#include "document/CKavoDoc.h"
#include "document/PageLayout.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr UINT IDS_ZOOM_RANGE = 498;
constexpr UINT IDS_SCREEN_HEIGHT_RANGE = 500;
constexpr UINT IDS_MINUTES_RANGE = 890;
constexpr double kHeightLow = 2.0, kHeightHigh = 50.0;   // inches
constexpr double kHalfInch = 128;                        // logical units
constexpr int kSampleW = 120, kSampleH = 150;
constexpr int kColorButtonW = 64, kColorButtonH = 24;

template <class W>
W* WithId(W* widget, int id)
{
    SetDlgCtrlID(widget, id);
    return widget;
}

// Each field owns its settings record, which binds the page's copy of the value.
CNumEdit* NumField(QWidget* page, int id, const CNumEditSpec& spec)
{
    auto* field = WithId(new CNumEdit(page), id);
    field->Configure(&spec);
    return field;
}

CCheckListCtrl* CheckList(QWidget* page, int id, std::span<const OptionCheckItem> items)
{
    auto* list = new CCheckListCtrl;
    list->Init(id, page);
    for (size_t i = 0; i < items.size(); ++i)
        list->AddItem(int(i), AnsiToQString(ResText(items[i].textId)), false, true);
    return list;
}

// The sheet of pages the colours are seen on: the active diagram's paper,
// poster tiling and margins, else one page of the program's default paper
// with half-inch margins.
void LoadPageSample(CPageSampleButton& sample)
{
    int paperW = 0, paperH = 0, printW = 0, printH = 0;
    if (const CKavoDoc* doc = GetActiveKavoDoc()) {
        GetDocPaperDimensions(*doc, paperW, paperH, printW, printH);
        sample.SetPaper(paperW, paperH, printW, printH, doc->m_fMarginTop, doc->m_fMarginLeft, doc->m_fMarginBottom,
                        doc->m_fMarginRight);
        sample.SetRowsCols(doc->m_nPosterRows, doc->m_nPosterCols);
        return;
    }
    GetDefaultPaperDimensions(paperW, paperH, printW, printH);
    sample.SetPaper(paperW, paperH, printW, printH, kHalfInch, kHalfInch, kHalfInch, kHalfInch);
    sample.SetRowsCols(1, 1);
}

// Field checks in page order; the first refused one keeps the focus.
bool SaveFields(std::initializer_list<CNumEdit*> fields)
{
    for (CNumEdit* f : fields)
        if (!f->Save(true)) {
            f->setFocus();
            return false;
        }
    return true;
}
} // namespace

// ---- General

COptGeneral::COptGeneral(OptionValues& values, QWidget* parent) : COptionPage("General", values, parent)
{
    auto* units = new QGroupBox(tr("Measurements"), this);
    m_english = WithId(new QRadioButton(tr("&English (inches)"), units), kEnglishId);
    m_metric = WithId(new QRadioButton(tr("&Metrics (cm)"), units), kMetricId);
    auto* unitRow = new QHBoxLayout(units);
    unitRow->addWidget(m_english);
    unitRow->addWidget(m_metric);
    CNumEditSpec spec;
    spec.SetPercent(this, kScaleImportLow, kScaleImportHigh, &m_values.scaleImport);
    m_scale = NumField(this, kScaleId, spec);
    auto* scaleRow = new QHBoxLayout;
    auto* scaleLabel = new QLabel(tr("Scale:"), this);
    scaleLabel->setBuddy(m_scale);
    scaleRow->addWidget(scaleLabel);
    scaleRow->addWidget(m_scale);
    scaleRow->addStretch();
    m_list = CheckList(this, kListId, GeneralOptionItems());
    auto* listLabel = new QLabel(tr("&Options:"), this);
    listLabel->setBuddy(m_list);
    auto* all = new QVBoxLayout(this);
    all->addWidget(units);
    all->addLayout(scaleRow);
    all->addWidget(listLabel);
    all->addWidget(m_list);
}

void COptGeneral::LoadValues()
{
    m_english->setChecked(m_values.metric == 0);
    m_metric->setChecked(m_values.metric != 0);
    m_scale->Load();
    for (int i = 0; i < kGeneralItems; ++i)
        m_list->SetCheck(i, m_values.general[size_t(i)]);
}

bool COptGeneral::SaveValues()
{
    if (!SaveFields({m_scale}))
        return false;
    m_values.metric = m_metric->isChecked() ? 1 : 0;
    for (int i = 0; i < kGeneralItems; ++i)
        m_values.general[size_t(i)] = m_list->GetCheck(i) != 0;
    return true;
}

// ---- View

COptView::COptView(OptionValues& values, QWidget* parent) : COptionPage("View", values, parent)
{
    auto* grid = new QGroupBox(tr("Grid"), this);
    m_lines = WithId(new QRadioButton(tr("&Lines"), grid), kLinesId);
    m_dots = WithId(new QRadioButton(tr("&Dots"), grid), kDotsId);
    auto* row = new QHBoxLayout(grid);
    row->addWidget(m_lines);
    row->addWidget(m_dots);
    m_list = CheckList(this, kListId, ViewOptionItems());
    auto* listLabel = new QLabel(tr("&Options:"), this);
    listLabel->setBuddy(m_list);
    auto* all = new QVBoxLayout(this);
    all->addWidget(grid);
    all->addWidget(listLabel);
    all->addWidget(m_list);
}

void COptView::LoadValues()
{
    m_dots->setChecked(m_values.gridDots != 0);
    m_lines->setChecked(m_values.gridDots == 0);
    for (int i = 0; i < kViewItems; ++i)
        m_list->SetCheck(i, m_values.view[size_t(i)]);
}

bool COptView::SaveValues()
{
    m_values.gridDots = m_dots->isChecked() ? 1 : 0;
    for (int i = 0; i < kViewItems; ++i)
        m_values.view[size_t(i)] = m_list->GetCheck(i) != 0;
    return true;
}

// ---- Zoom

COptZoom::COptZoom(OptionValues& values, QWidget* parent) : COptionPage("Zoom", values, parent)
{
    auto* intervals = new QGroupBox(tr("Set Intervals"), this);
    auto* grid = new QGridLayout(intervals);
    for (int i = 0; i < 6; ++i) {
        CNumEditSpec spec;
        spec.SetInt(this, kZoomLow, kZoomHigh, &m_values.zoom[size_t(i)], IDS_ZOOM_RANGE);
        m_presets[i] = NumField(intervals, kFirstPresetId + i, spec);
        auto* label = new QLabel(QString("&%1:").arg(i + 1), intervals);
        label->setBuddy(m_presets[i]);
        grid->addWidget(label, i % 3, i / 3 * 3);
        grid->addWidget(m_presets[i], i % 3, i / 3 * 3 + 1);
        grid->addWidget(new QLabel("%", intervals), i % 3, i / 3 * 3 + 2);
    }
    auto* screen = new QGroupBox(tr("Screen size"), this);
    auto* col = new QVBoxLayout(screen);
    auto* text = new QLabel(tr("Measure the height of the picture on your monitor and enter it here to define "
                               "precisely 100% &zoom."),
                            screen);
    text->setWordWrap(true);
    CNumEditSpec spec;
    spec.SetRealValue(this, kHeightLow, kHeightHigh, &m_values.screenHeight, Metric != 0, true, 2,
                      IDS_SCREEN_HEIGHT_RANGE);
    m_height = NumField(screen, kScreenHeightId, spec);
    text->setBuddy(m_height);
    col->addWidget(text);
    col->addWidget(m_height);
    auto* all = new QVBoxLayout(this);
    all->addWidget(intervals);
    all->addWidget(screen);
    all->addStretch();
}

void COptZoom::LoadValues()
{
    for (CNumEdit* f : m_presets)
        f->Load();
    m_height->Load();
}

bool COptZoom::SaveValues()
{
    return SaveFields({m_presets[0], m_presets[1], m_presets[2], m_presets[3], m_presets[4], m_presets[5], m_height});
}

// ---- Colors

COptColors::COptColors(OptionValues& values, QWidget* parent) : COptionPage("Colors", values, parent)
{
    auto* form = new QFormLayout;
    const auto colors = OptionColors();
    for (int i = 0; i < kOptionColors; ++i) {
        // The palette offers the program's custom colours.
        m_buttons[i] = new CColorDropButton(this);
        m_buttons[i]->CreatePalette(colors[size_t(i)].ctrlId, this, PaletteColors, true, false, true);
        m_buttons[i]->setMinimumSize(kColorButtonW, kColorButtonH);
        form->addRow(tr(colors[size_t(i)].label), m_buttons[i]);
        connect(m_buttons[i], &CDropPaletteButton::chosen, this, [this, i] {
            m_values.colors[size_t(i)] = m_buttons[i]->GetColor();
            ShowSampleColors();
        });
    }
    auto* restore = WithId(new QPushButton(tr("&Restore Defaults"), this), kRestoreId);
    connect(restore, &QPushButton::clicked, this, &COptColors::RestoreDefaults);
    m_preview = WithId(new CPageSampleButton(true, this), kPreviewId);
    m_preview->setMinimumSize(kSampleW, kSampleH);
    LoadPageSample(*m_preview);
    auto* right = new QVBoxLayout;
    right->addWidget(m_preview);
    right->addWidget(restore);
    right->addStretch();
    auto* all = new QHBoxLayout(this);
    all->addLayout(form);
    all->addLayout(right);
}

void COptColors::LoadValues()
{
    for (int i = 0; i < kOptionColors; ++i)
        m_buttons[i]->SetColor(m_values.colors[size_t(i)]);
    ShowSampleColors();
}

bool COptColors::SaveValues()
{
    return true;   // the buttons write their colour as it is chosen
}

void COptColors::ShowSampleColors()
{
    m_preview->SetColors(m_values.colors[0], m_values.colors[1], m_values.colors[2], m_values.colors[3]);
}

void COptColors::RestoreDefaults()
{
    const auto colors = OptionColors();
    for (int i = 0; i < kOptionColors; ++i) {
        m_values.colors[size_t(i)] = colors[size_t(i)].defaultColor;
        m_buttons[i]->SetColor(colors[size_t(i)].defaultColor);
    }
    ShowSampleColors();
}

// ---- Save

COptSave::COptSave(OptionValues& values, QWidget* parent) : COptionPage("Save", values, parent)
{
    m_backup = WithId(
        new QCheckBox(tr("Create &backup file (.BAK) of previous revision whenever you save a diagram"), this),
        kBackupId);
    m_autoSave = WithId(new QCheckBox(tr("Auto&save all open diagrams periodically"), this), kAutoSaveId);
    CNumEditSpec spec;
    spec.SetInt(this, kAutoSaveLow, kAutoSaveHigh, &m_values.autoSaveMinutes, IDS_MINUTES_RANGE);
    m_minutes = NumField(this, kMinutesId, spec);
    m_minutesLabel = new QLabel(tr("minutes between autosaves"), this);
    auto* row = new QHBoxLayout;
    row->addSpacing(20);
    row->addWidget(m_minutes);
    row->addWidget(m_minutesLabel);
    row->addStretch();
    auto* note = new QLabel(tr("Backup files keep the previous revision of a diagram next to it; the diagram "
                               "itself keeps its .KVD extension."),
                            this);
    note->setWordWrap(true);
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_backup);
    all->addWidget(m_autoSave);
    all->addLayout(row);
    all->addWidget(note);
    all->addStretch();
    connect(m_autoSave, &QCheckBox::toggled, this, &COptSave::EnableMinutes);
}

void COptSave::LoadValues()
{
    m_backup->setChecked(m_values.autoBackup != 0);
    m_autoSave->setChecked(m_values.autoSave != 0);
    m_minutes->Load();
    EnableMinutes();
}

bool COptSave::SaveValues()
{
    // A disabled field keeps what it holds: nothing to check.
    if (m_minutes->isEnabled() && !SaveFields({m_minutes}))
        return false;
    m_values.autoBackup = m_backup->isChecked() ? 1 : 0;
    m_values.autoSave = m_autoSave->isChecked() ? 1 : 0;
    return true;
}

void COptSave::EnableMinutes()
{
    m_minutes->setEnabled(m_autoSave->isChecked());
    m_minutesLabel->setEnabled(m_autoSave->isChecked());
}

// ---- Branch labels

COptAutoLabel::COptAutoLabel(OptionValues& values, QWidget* parent) : COptionPage("Branch Labels", values, parent)
{
    m_check = WithId(new QCheckBox(tr("Automatically label &branch (decision) symbols"), this), kCheckId);
    m_labelsBox = new QWidget(this);
    auto* grid = new QGridLayout(m_labelsBox);
    for (int i = 0; i < kBranchLabels; ++i) {
        m_edits[i] = WithId(new QLineEdit(m_labelsBox), kSectionIds[i]);
        m_edits[i]->setMaxLength(1);
        m_edits[i]->setFixedWidth(28);
    }
    // Round the decision: section 1 at the top, 2 on the right, 3 below,
    // 4 on the left.
    QLabel* decision = MakePictureStatic(m_labelsBox, 0, kBmpDecision);
    grid->addWidget(new QLabel(tr("Default labels:"), m_labelsBox), 0, 0, 1, 4);
    grid->addWidget(m_edits[0], 1, 1, Qt::AlignCenter);
    grid->addWidget(m_edits[3], 2, 0, Qt::AlignCenter);
    grid->addWidget(decision, 2, 1);
    grid->addWidget(m_edits[1], 2, 2, Qt::AlignCenter);
    grid->addWidget(m_edits[2], 3, 1, Qt::AlignCenter);
    auto* note = new QLabel(tr("Each new decision symbol gets these labels on its connectors."), m_labelsBox);
    note->setWordWrap(true);
    grid->addWidget(note, 4, 0, 1, 4);
    // The edits stay next to the picture; the room to spare goes right.
    grid->setColumnStretch(3, 1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_check);
    all->addWidget(m_labelsBox);
    all->addStretch();
    connect(m_check, &QCheckBox::toggled, this, &COptAutoLabel::EnableLabels);
}

void COptAutoLabel::LoadValues()
{
    m_check->setChecked(m_values.autoLabelDecision != 0);
    for (int i = 0; i < kBranchLabels; ++i)
        m_edits[i]->setText(AnsiToQString(m_values.branchLabels[size_t(i)]));
    EnableLabels();
}

bool COptAutoLabel::SaveValues()
{
    m_values.autoLabelDecision = m_check->isChecked() ? 1 : 0;
    for (int i = 0; i < kBranchLabels; ++i)
        m_values.branchLabels[size_t(i)] = QStringToAnsi(m_edits[i]->text());
    return true;
}

void COptAutoLabel::EnableLabels()
{
    m_labelsBox->setEnabled(m_check->isChecked());
    for (QLineEdit* e : m_edits)
        e->setVisible(m_check->isChecked());
}
