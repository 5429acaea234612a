#include "dialogs/sheets/CFTabConnect.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/CFigPreviewWnd.h"
#include "core/MsgBox.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "platform/Ansi.h"
#include "platform/StringTable.h"
#include "platform/ui/DlgItems.h"
#include "core/Units.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {
constexpr UINT IDS_POINT_OF = 721;
constexpr DWORD kNoBorderTerminate = 0x1000000, kNoCentreConnect = 0x2000000;
constexpr int32_t kRemoveWhenUnused = 1;
// Figures of this kind (lanes and the like) keep their points on the centre
// line along their longer side.
constexpr DWORD kHighCentreLine = 4;
// The point last current on any Connections page, by id (0: none): the next
// page opens on it when the figure has it.
int g_lastPointId = 0;
} // namespace

int CFTabConnect::LastPointId()
{
    return g_lastPointId;
}

void CFTabConnect::SetLastPointId(int id)
{
    g_lastPointId = id;
}

CFTabConnect::CFTabConnect(CFTabSheet* sheet) : CFigPage(sheet, "Connections") {}

void CFTabConnect::OnInitPage()
{
    FigSheetData& d = D();
    auto* grid = new QGridLayout(this);
    m_preview = new CFigPreviewWnd(d.doc, this);
    SetDlgCtrlID(m_preview, IDC_PREVIEW);
    m_preview->setMinimumSize(160, 120);
    m_preview->SetPointEditMode(true);
    m_preview->SetConPtList(&d.conPts);
    grid->addWidget(m_preview, 0, 0, 4, 2);
    m_current = g_lastPointId > 0 ? d.conPts.IndexFromId(g_lastPointId) : -1;
    m_spin = new QSpinBox(this);
    SetDlgCtrlID(m_spin, IDC_SPIN);
    m_count = new QLabel(this);
    SetDlgCtrlID(m_count, IDC_COUNT);
    m_add = new QPushButton("Add", this);
    m_delete = new QPushButton("Delete", this);
    SetDlgCtrlID(m_add, IDC_ADD);
    SetDlgCtrlID(m_delete, IDC_DELETE);
    grid->addWidget(m_spin, 0, 2);
    grid->addWidget(m_count, 0, 3);
    grid->addWidget(m_add, 1, 2);
    grid->addWidget(m_delete, 1, 3);
    m_name = new QLineEdit(this);
    m_name->setMaxLength(255);
    SetDlgCtrlID(m_name, IDC_NAME);
    m_nameLabel = new QLabel("&Name or description:", this);
    m_nameLabel->setBuddy(m_name);
    grid->addWidget(m_nameLabel, 4, 0, 1, 2);
    grid->addWidget(m_name, 5, 0, 1, 4);
    m_remove = new QCheckBox("&Remove when not in use", this);
    m_terminate = new QCheckBox("&Terminate connections to connect points at border", this);
    m_centre = new QCheckBox("Enable standard &center connect (terminated at border)", this);
    m_snapGrid = new QCheckBox("Snap to &grid", this);
    m_snapCentres = new QCheckBox("Snap to centers and &edges", this);
    SetDlgCtrlID(m_remove, IDC_REMOVE);
    SetDlgCtrlID(m_terminate, IDC_TERMINATE);
    SetDlgCtrlID(m_centre, IDC_CENTER);
    SetDlgCtrlID(m_snapGrid, IDC_SNAP_GRID);
    SetDlgCtrlID(m_snapCentres, IDC_SNAP_CENTERS);
    grid->addWidget(m_remove, 6, 0, 1, 4);
    grid->addWidget(m_terminate, 7, 0, 1, 4);
    grid->addWidget(m_centre, 8, 0, 1, 4);
    grid->addWidget(new QLabel("Positioning with mouse", this), 9, 0, 1, 4);
    grid->addWidget(m_snapGrid, 10, 0, 1, 2);
    grid->addWidget(m_snapCentres, 10, 2, 1, 2);
    m_note = new QLabel("Note: Connection points are not displayed or used unless enabled.  (see Attach in "
                        "Connectors/Paths menu).",
                        this);
    m_note->setWordWrap(true);
    SetDlgCtrlID(m_note, IDC_NOTE);
    grid->addWidget(m_note, 11, 0, 1, 4);
    grid->setRowStretch(12, 1);

    connect(m_add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(m_spin, &QSpinBox::valueChanged, this, [this](int v) {
        if (Loading())
            return;
        m_current = v - 1;
        UpdateData(false);
    });
    connect(m_name, &QLineEdit::textEdited, this, [this] {
        if (m_current < 0)
            return;
        const CConPt* p = D().conPts.GetAt(m_current);
        SetConPtNameAndFlag(D().conPts, m_current, QStringToAnsi(m_name->text()), p ? p->m_nFlag : 0);
        PointsChanged();
    });
    connect(m_remove, &QCheckBox::clicked, this, [this](bool on) {
        const CConPt* p = m_current >= 0 ? D().conPts.GetAt(m_current) : nullptr;
        if (!p)
            return;
        const int32_t flag = on ? (p->m_nFlag | kRemoveWhenUnused) : (p->m_nFlag & ~kRemoveWhenUnused);
        SetConPtNameAndFlag(D().conPts, m_current, p->m_strName, flag);
        PointsChanged();
    });
    // The switches are shown the other way round: checked while the flag is off.
    for (const auto& entry : {std::pair{m_terminate, kNoBorderTerminate}, std::pair{m_centre, kNoCentreConnect}}) {
        const DWORD bit = entry.second;
        connect(entry.first, &QCheckBox::clicked, this, [this, bit](bool on) {
            DWORD& low = D().props.Behavior.low;
            low = on ? (low & ~bit) : (low | bit);
            D().mask.m_behavior.low |= bit;
            Changed();
        });
    }
    // The positioning switches are the document's; the sheet writes them
    // with the rest on OK or Apply.
    connect(m_snapGrid, &QCheckBox::clicked, this, [this](bool on) {
        D().snapConPtsToGrid = on;
        D().changed = 1;
        UpdateData(false);
        Changed();
    });
    connect(m_snapCentres, &QCheckBox::clicked, this, [this](bool on) {
        D().snapConPtsToCentres = on;
        D().changed = 1;
        UpdateData(false);
        Changed();
    });
}

bool CFTabConnect::event(QEvent* e)
{
    if (e->type() != CDlgCommandEvent::EventType())
        return CFigPage::event(e);
    const auto* c = static_cast<CDlgCommandEvent*>(e);
    if (c->ControlId() == IDC_PREVIEW && c->Code() == CFigPreviewWnd::kNotifyChanged) {
        m_current = m_preview->GetSelectedPoint();
        PointsChanged();
    } else if (c->ControlId() == IDC_PREVIEW && c->Code() == CFigPreviewWnd::kNotifyPointSelected) {
        m_current = m_preview->GetSelectedPoint();
        UpdateData(false);
    } else if (c->Code() == 0 && c->ControlId() == CFigPreviewWnd::kCmdDeletePoint) {
        OnDelete();
    } else if (c->Code() == 0 && c->ControlId() == CFigPreviewWnd::kCmdAddPoint) {
        // The preview's "Add" puts the point where the user right-clicked.
        const CPoint at = m_preview->GetClickPos();
        double x = at.x, y = at.y;
        ScaleFloatPair2048(x, y);
        AddPointAt(CFltPoint(float(x), float(y)));
    }
    return true;
}

void CFTabConnect::PointsChanged()
{
    D().mask.m_bSheet[kSheetConPts] = 1;
    UpdateData(false);
    Changed();
}

int CFTabConnect::LaneForm() const
{
    const FigSheetData& d = D();
    if (d.IsAll() || !(d.props.Behavior.high & kHighCentreLine))
        return kNoLane;
    return d.height < d.width ? kLaneWide : kLaneTall;
}

void CFTabConnect::OnAdd()
{
    // A free place along the middle line the points of this figure use.
    CFltPoint pos;
    D().conPts.FindFreePos(pos, LaneForm() == kLaneTall, LaneForm() != kLaneTall);
    AddPointAt(pos);
}

void CFTabConnect::AddPointAt(const CFltPoint& pos)
{
    CConPtList& list = D().conPts;
    if (list.GetCount() >= kMaxPoints)
        return;
    const int id = list.AddConPt(pos, std::string(), 0, true, -1);
    if (id <= 0)
        return;
    m_current = list.IndexFromId(id);
    PointsChanged();
}

void CFTabConnect::OnDelete()
{
    CConPtList& list = D().conPts;
    if (m_current < 0 || m_current >= list.GetCount())
        return;
    const bool last = m_current == list.GetCount() - 1;
    list.RemoveConPt(list.GetIdAt(m_current));
    if (list.GetCount() == 0)
        m_current = -1;
    else if (last)
        m_current = list.GetCount() - 1;
    PointsChanged();
}

bool CFTabConnect::PageDisabled() const
{
    const FigSheetData& d = D();
    return d.label || (d.variant == kFigSheetProps && d.several) || d.noConPts || d.IsAll();
}

bool CFTabConnect::Exchange(bool save)
{
    if (save)
        return true;
    FigSheetData& d = D();
    const int count = d.conPts.GetCount();
    if (m_current >= count)
        m_current = count > 0 ? 0 : -1;
    if (m_current < 0 && count > 0)
        m_current = 0;
    m_spin->setRange(count > 0 ? 1 : 0, std::max(count, 0));
    m_spin->setValue(m_current + 1);
    m_preview->SetFig(d.props);
    m_preview->SetExtent(int(d.width), int(d.height));
    m_preview->SetConPtList(&d.conPts);
    m_preview->SetSelectedPoint(m_current);
    int gx = 0, gy = 0;
    if (d.snapConPtsToGrid)
        d.doc->GetSnapSpacing(gx, gy);
    m_preview->SetGrid(gx, gy, d.snapConPtsToCentres != 0);
    const int lane = LaneForm();
    m_preview->SetSnapToCentre(lane == kLaneTall, lane == kLaneWide);
    if (m_current >= 0)
        g_lastPointId = d.conPts.GetIdAt(m_current);
    const CConPt* p = m_current >= 0 ? d.conPts.GetAt(m_current) : nullptr;
    const QString name = p ? AnsiToQString(p->m_strName) : QString();
    if (m_name->text() != name)
        m_name->setText(name);
    m_remove->setChecked(p && (p->m_nFlag & kRemoveWhenUnused));
    m_terminate->setChecked(!(d.props.Behavior.low & kNoBorderTerminate));
    m_centre->setChecked(!(d.props.Behavior.low & kNoCentreConnect));
    m_snapGrid->setChecked(d.snapConPtsToGrid != 0);
    m_snapCentres->setChecked(d.snapConPtsToCentres != 0);
    const char* format = FindResString(IDS_POINT_OF);
    m_count->setText(AnsiToQString(FormatWithTexts(format ? format : "", {std::to_string(m_current + 1),
                                                                         std::to_string(count)})));
    // Enabling.
    const bool off = PageDisabled();
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        w->setEnabled(!off);
    if (!off) {
        m_spin->setEnabled(count >= 2);
        m_add->setEnabled(count < kMaxPoints);
        m_delete->setEnabled(count >= 1);
        m_name->setEnabled(count >= 1);
        m_nameLabel->setEnabled(count >= 1);
        m_remove->setEnabled(count >= 1);
        m_centre->setEnabled(count >= 1);
        m_snapGrid->setEnabled(d.width > 0 && d.height > 0);
        m_snapCentres->setEnabled(lane == kNoLane);
    }
    m_note->setVisible(!d.doc->m_bEnableConPts && !off);
    return true;
}
