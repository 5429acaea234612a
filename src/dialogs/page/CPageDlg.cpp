#include "dialogs/page/CPageDlg.h"

#include "controls/WindowHelpers.h"
#include "controls/CDlgCommandEvent.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/page/CPageSampleButton.h"
#include "document/PageLayout.h"
#include "document/PaperSizes.h"
#include "platform/Ansi.h"
#include "platform/DevModeBlock.h"
#include "platform/PrinterSeam.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr UINT IDS_WIDTH_RANGE = 888, IDS_HEIGHT_RANGE = 889, IDS_MARGIN_RANGE = 546, IDS_NUMBER_RANGE = 891;
constexpr UINT IDS_ZERO_PAPER = 832;
constexpr uint32_t kHelpTopic = 319;
constexpr double kPageMin = 256, kPageMax = 9216; // 1 to 36 inches
constexpr int kMaxTiles = 6;
constexpr int kMarginIds[4] = {CPageDlg::kTopId, CPageDlg::kBottomId, CPageDlg::kLeftId, CPageDlg::kRightId};

class CComboPaperList : public IPaperSizeCombo {
public:
    explicit CComboPaperList(QComboBox* combo) : m_combo(combo) {}
    void ResetContent() override { m_combo->clear(); }
    bool AddPaper(const std::string& name, int code) override
    {
        m_combo->addItem(AnsiToQString(name), code);
        return true;
    }

private:
    QComboBox* m_combo;
};

// Repainting is held while a list fills and comes back however the filling
// ends, so that the box never stays blank.
class CHoldRedraw {
public:
    explicit CHoldRedraw(QWidget* w) : m_w(w) { m_w->setUpdatesEnabled(false); }
    ~CHoldRedraw() { m_w->setUpdatesEnabled(true); }
    CHoldRedraw(const CHoldRedraw&) = delete;
    CHoldRedraw& operator=(const CHoldRedraw&) = delete;

private:
    QWidget* m_w;
};

// The printer's own names of its papers, in the order of its paper numbers.
bool PrinterPaperNames(HGLOBAL devNames, std::vector<std::string>& names)
{
    DevNamesStrings printer;
    IPrinterService* printers = GetPrinterService();
    return printers && ReadDevNames(devNames, printer) &&
           printers->DevicePaperNames(printer.device, printer.port, &names) >= 0;
}

QLabel* Buddy(const QString& text, QWidget* control, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    return label;
}
} // namespace

CPageDlg::CPageDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(tr("Page Setup"));
    InstallContextHelp(this, kHelpTopic);
    const int ids[] = {kWidthId, kHeightId, kTopId, kBottomId, kLeftId, kRightId, kRowsId, kColsId};
    for (int id : ids) {
        auto* field = new CNumEdit(this);
        SetDlgCtrlID(field, id);
    }
    m_paper = new QComboBox(this);
    SetDlgCtrlID(m_paper, kPaperId);
    m_sample = new CPageSampleButton(false, this);
    SetDlgCtrlID(m_sample, kSampleId);
    m_sample->setMinimumSize(160, 160);
    m_portrait = new QRadioButton(tr("P&ortrait"), this);
    SetDlgCtrlID(m_portrait, kPortraitId);
    m_landscape = new QRadioButton(tr("&Landscape"), this);
    SetDlgCtrlID(m_landscape, kLandscapeId);
    m_cropMarks = new QCheckBox(tr("Print &crop marks"), this);
    SetDlgCtrlID(m_cropMarks, kCropMarksId);

    auto* paper = new QGroupBox(tr("Paper"), this);
    auto* pg = new QGridLayout(paper);
    pg->addWidget(Buddy(tr("Si&ze:"), m_paper, paper), 0, 0);
    pg->addWidget(m_paper, 0, 1, 1, 3);
    pg->addWidget(Buddy(tr("&Width:"), Field(kWidthId), paper), 1, 0);
    pg->addWidget(Field(kWidthId), 1, 1);
    pg->addWidget(Buddy(tr("&Height:"), Field(kHeightId), paper), 1, 2);
    pg->addWidget(Field(kHeightId), 1, 3);
    pg->addWidget(m_portrait, 2, 0, 1, 2);
    pg->addWidget(m_landscape, 2, 2, 1, 2);

    auto* margins = new QGroupBox(tr("Margins"), this);
    auto* mg = new QGridLayout(margins);
    const char* names[] = {"&Top:", "&Bottom:", "L&eft:", "&Right:"};
    for (int i = 0; i < 4; ++i) {
        mg->addWidget(Buddy(tr(names[i]), Field(kMarginIds[i]), margins), i / 2, (i % 2) * 2);
        mg->addWidget(Field(kMarginIds[i]), i / 2, (i % 2) * 2 + 1);
    }
    auto* poster = new QGroupBox(tr("Poster"), this);
    auto* po = new QGridLayout(poster);
    po->addWidget(Buddy(tr("Ro&ws:"), Field(kRowsId), poster), 0, 0);
    po->addWidget(Field(kRowsId), 0, 1);
    po->addWidget(Buddy(tr("Colu&mns:"), Field(kColsId), poster), 0, 2);
    po->addWidget(Field(kColsId), 0, 3);
    po->addWidget(m_cropMarks, 1, 0, 1, 4);

    auto* left = new QVBoxLayout;
    left->addWidget(paper);
    left->addWidget(margins);
    left->addWidget(poster);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(m_sample, 1);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* all = new QVBoxLayout(this);
    all->addLayout(body);
    all->addWidget(buttons);

    connect(m_paper, &QComboBox::activated, this, &CPageDlg::OnPaperChosen);
    connect(m_portrait, &QRadioButton::clicked, this, &CPageDlg::OnOrientation);
    connect(m_landscape, &QRadioButton::clicked, this, &CPageDlg::OnOrientation);
    OrderTabsByLayout(this);
}

CPageDlg::~CPageDlg()
{
    GlobalFree(m_hDevMode);
    GlobalFree(m_hDevNames);
}

CNumEdit* CPageDlg::Field(int id) const
{
    return static_cast<CNumEdit*>(GetDlgItem(this, id));
}

void CPageDlg::SetMarginRanges(int paperW, int paperH, int printW, int printH)
{
    const MarginRanges r = GetPageMarginRangesFromPaperDimensions(paperW, paperH, printW, printH);
    const double across = std::max(m_fPageW, 0.0), down = std::max(m_fPageH, 0.0);
    m_fMarginMin[kTop] = r.topMin;
    m_fMarginMax[kTop] = std::min<double>(r.topMax, down);
    m_fMarginMin[kBottom] = r.bottomMin;
    m_fMarginMax[kBottom] = std::min<double>(r.bottomMax, down);
    m_fMarginMin[kLeft] = r.leftMin;
    m_fMarginMax[kLeft] = std::min<double>(r.leftMax, across);
    m_fMarginMin[kRight] = r.rightMin;
    m_fMarginMax[kRight] = std::min<double>(r.rightMax, across);
    for (int i = 0; i < 4; ++i)
        m_fMarginMax[i] = std::min(std::max(m_fMarginMax[i], m_fMarginMin[i]), kPageMax);
    m_nRowsLimit = std::clamp(m_nMaxRows, 1, kMaxTiles);
    m_nColsLimit = std::clamp(m_nMaxCols, 1, kMaxTiles);
}

void CPageDlg::BindFields()
{
    const bool metric = Metric != 0;
    const double step = metric ? 10.0 : 25.6;
    CNumEditSpec spec;
    spec.SetMeasure(this, kPageMin, kPageMax, &m_fPageW, metric, true, 2, IDS_WIDTH_RANGE, false, step);
    Field(kWidthId)->Configure(&spec);
    spec.SetMeasure(this, kPageMin, kPageMax, &m_fPageH, metric, true, 2, IDS_HEIGHT_RANGE, false, step);
    Field(kHeightId)->Configure(&spec);
    Field(kWidthId)->setReadOnly(true);
    Field(kHeightId)->setReadOnly(true);
    // A margin may go down to what the printer cannot print, not further.
    for (int i = 0; i < 4; ++i) {
        spec.SetMeasure(this, 0, kPageMax, &m_fMargin[i], metric, true, 2, IDS_MARGIN_RANGE, false, step,
                        &m_fMarginMin[i], &m_fMarginMax[i]);
        Field(kMarginIds[i])->Configure(&spec);
    }
    spec.SetInt(this, 1, kMaxTiles, &m_nRows, IDS_NUMBER_RANGE, false, 1, nullptr, &m_nRowsLimit);
    Field(kRowsId)->Configure(&spec);
    spec.SetInt(this, 1, kMaxTiles, &m_nCols, IDS_NUMBER_RANGE, false, 1, nullptr, &m_nColsLimit);
    Field(kColsId)->Configure(&spec);
}

void CPageDlg::FillPaperCombo()
{
    CHoldRedraw hold(m_paper);
    m_paper->clear();
    if (!m_hDevMode || !m_hDevNames) {
        CComboPaperList list(m_paper);
        FillPaperSizeCombo(list);
        return;
    }
    std::vector<short> codes;
    std::vector<PrinterPaperSize> sizes;
    std::vector<std::string> names;
    // A printer that does not answer, or names other papers than it has,
    // leaves the list empty.
    if (GetPrinterPapers(m_hDevNames, codes, sizes) == 0 || !PrinterPaperNames(m_hDevNames, names) ||
        names.size() != codes.size())
        return;
    for (size_t i = 0; i < codes.size(); ++i)
        m_paper->addItem(AnsiToQString(names[i].substr(0, 63)), int(codes[i]));
}

void CPageDlg::OnInitDialog()
{
    DiagPrintf("DIAG  CPageDlg::OnInitDialog() ENTRY\n");
    SetMarginRanges(int(m_fPageW), int(m_fPageH), m_nPrintW, m_nPrintH);
    m_sample->SetColors(PageColor, OffPageColor, MarginsColor, GridColor);
    BindFields();
    FillPaperCombo();
    UpdateSample();
    UpdateData(false);
    CenterWindow();
}

void CPageDlg::UpdateSample()
{
    m_sample->SetPaper(int(m_fPageW), int(m_fPageH), m_nPrintW, m_nPrintH, m_fMargin[kTop], m_fMargin[kLeft],
                       m_fMargin[kBottom], m_fMargin[kRight]);
    m_sample->SetRowsCols(m_nRows, m_nCols);
}

bool CPageDlg::UpdateData(bool save)
{
    const int ids[] = {kWidthId, kHeightId, kTopId, kBottomId, kLeftId, kRightId, kRowsId, kColsId};
    if (save) {
        for (int id : ids)
            if (Field(id)->isEnabled() && !Field(id)->Save(true)) {
                Field(id)->setFocus();
                return false;
            }
        m_nOrientation = m_landscape->isChecked() ? 2 : 1;
        if (m_paper->currentIndex() >= 0)
            m_nPaperId = m_paper->currentData().toInt();
        m_bCropMarks = m_cropMarks->isChecked() ? 1 : 0;
        SetDevModeShort(m_hDevMode, devmode::kOrientation, short(m_nOrientation), DM_ORIENTATION);
        SetDevModeShort(m_hDevMode, devmode::kPaperSize, short(m_nPaperId), DM_PAPERSIZE);
        return true;
    }
    DevModeFields fields;
    if (m_hDevMode && ReadDevModeFields(m_hDevMode, fields)) {
        if (fields.fields & DM_ORIENTATION)
            m_nOrientation = fields.orientation;
        if (fields.fields & DM_PAPERSIZE)
            m_nPaperId = fields.paperSize;
    }
    m_sample->SetRowsCols(m_nRows, m_nCols);
    const int index = m_paper->findData(m_nPaperId);
    m_paper->setCurrentIndex(index >= 0 ? index : (m_paper->count() > 0 ? 0 : -1));
    m_portrait->setChecked(m_nOrientation == 1);
    m_landscape->setChecked(m_nOrientation != 1);
    m_cropMarks->setChecked(m_bCropMarks != 0);
    for (int id : ids)
        Field(id)->Load();
    const bool sized = m_fPageW != 0 && m_fPageH != 0;
    m_portrait->setEnabled(sized);
    m_landscape->setEnabled(sized);
    for (int id : kMarginIds)
        Field(id)->setEnabled(sized);
    return true;
}

void CPageDlg::RecomputePage()
{
    if (!UpdateData(true))
        return;
    int width = 0, length = 0;
    if (!LookupPaperSize(m_nPaperId, width, length))
        PaperFromUnits(int(m_fPageW), int(m_fPageH), width, length);
    int paperW = 0, paperH = 0, printW = 0, printH = 0;
    if (GetPaperDimensions(m_nPaperId, length, width, m_nOrientation, m_hDevMode, m_hDevNames, paperW, paperH, printW,
                           printH)) {
        m_fPageW = paperW;
        m_fPageH = paperH;
        m_nPrintW = printW;
        m_nPrintH = printH;
    }
    SetMarginRanges(int(m_fPageW), int(m_fPageH), m_nPrintW, m_nPrintH);
    CRect paper, printable, area;
    GetPaperAndPrintableRects(int(m_fPageW), int(m_fPageH), m_nPrintW, m_nPrintH, paper, printable);
    FitMarginsToPrintableArea(paper, printable, m_fMargin[kTop], m_fMargin[kLeft], m_fMargin[kBottom],
                              m_fMargin[kRight], area, m_nRows, m_nCols);
    GetMaxRowsColsFromPaper(int(m_fPageW), int(m_fPageH), m_nPrintW, m_nPrintH, m_nMaxRows, m_nMaxCols);
    SetMarginRanges(int(m_fPageW), int(m_fPageH), m_nPrintW, m_nPrintH);
    m_nRows = std::min(m_nRows, m_nRowsLimit);
    m_nCols = std::min(m_nCols, m_nColsLimit);
    UpdateSample();
    UpdateData(false);
    if (m_nPrintW == 0 || m_nPrintH == 0 || m_fPageW == 0 || m_fPageH == 0)
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_ZERO_PAPER);
}

void CPageDlg::OnPaperChosen(int index)
{
    const int code = m_paper->itemData(index).toInt();
    // The user-defined paper and one of unknown size keep the page as it is.
    int width = 0, length = 0;
    if (code == DMPAPER_USER || (!LookupPaperSize(code, width, length) && !(m_hDevMode && m_hDevNames)))
        return;
    m_nPaperId = code;
    SetDevModeShort(m_hDevMode, devmode::kPaperSize, short(code), DM_PAPERSIZE);
    RecomputePage();
}

void CPageDlg::OnOrientation()
{
    RecomputePage();
}

bool CPageDlg::event(QEvent* e)
{
    if (e->type() != CDlgCommandEvent::EventType())
        return CDialog::event(e);
    const auto* command = static_cast<CDlgCommandEvent*>(e);
    if (command->Code() != kNumEditCommitted)
        return true;
    const int id = command->ControlId();
    if (id == kRowsId || id == kColsId)
        m_sample->SetRowsCols(m_nRows, m_nCols);
    else
        RecomputePage();
    return true;
}

void CPageDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    CDialog::OnOK();
}
