#include "dialogs/sheets/CFTabFill.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/CFillPreviewWnd.h"
#include "controls/CNumEdit.h"
#include "controls/CTextDropButton.h"
#include "dialogs/sheets/CFTabSheet.h"
#include "controls/CColorDropButton.h"
#include "dialogs/sheets/SheetColorButton.h"
#include "document/ChoiceTables.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"

#include <algorithm>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace {
constexpr UINT IDS_ANGLE_RANGE = 887;
constexpr int kBlendPlatform = 2;
constexpr int kKindIds[] = {CFTabFill::IDC_NO_FILL, CFTabFill::IDC_SOLID, CFTabFill::IDC_LINEAR,
                            CFTabFill::IDC_ELLIPTICAL};
constexpr int kBlendIds[] = {CFTabFill::IDC_BLEND_LINEAR, CFTabFill::IDC_BELL, CFTabFill::IDC_PLATFORM};

int KindOfId(int id)
{
    for (int k = 0; k < 4; ++k)
        if (kKindIds[k] == id)
            return k;
    return 0;
}
} // namespace

CFTabFill::CFTabFill(CFTabSheet* sheet) : CFigPage(sheet, "Fill") {}

CNumEdit* CFTabFill::AddPercent(int id, int* value, int min, int max, int message)
{
    auto* e = new CNumEdit(this);
    SetDlgCtrlID(e, id);
    CNumEditSpec spec;
    if (id == IDC_ANGLE)
        spec.SetInt(this, min, max, value, message);
    else
        spec.SetPercent(this, min, max, value, message);
    // The geometry fields count as the fill's "rest"; with several objects
    // an empty field leaves each object's gradient as it is.
    spec.BindResult(&D().mask.m_fill.m_bRest, D().several != 0);
    D().mask.m_fill.m_bRest = 0;
    e->Configure(&spec);
    return e;
}

void CFTabFill::OnInitPage()
{
    CFillSpec& f = D().props.m_fill;
    auto* grid = new QGridLayout(this);
    m_kind = new QButtonGroup(this);
    const char* kindText[] = {"&No fill", "&Solid color", "&Linear gradient", "&Elliptical gradient"};
    for (int k = 0; k < 4; ++k) {
        auto* r = new QRadioButton(kindText[k], this);
        SetDlgCtrlID(r, kKindIds[k]);
        m_kind->addButton(r, kKindIds[k]);
        grid->addWidget(r, k, 0);
    }
    m_preview = new CFillPreviewWnd(this);
    SetDlgCtrlID(m_preview, IDC_PREVIEW);
    m_preview->setMinimumSize(110, 90);
    grid->addWidget(m_preview, 0, 2, 4, 2);

    m_solid = MakeSheetColorButton(this, IDC_FILL_COLOR, false);
    m_from = MakeSheetColorButton(this, IDC_FROM, false);
    m_to = MakeSheetColorButton(this, IDC_TO, false);
    grid->addWidget(AddLabel("Fill color:", m_solid), 4, 0);
    grid->addWidget(m_solid, 4, 1);
    grid->addWidget(AddLabel("From:", m_from), 5, 0);
    grid->addWidget(m_from, 5, 1);
    grid->addWidget(AddLabel("To:", m_to), 5, 2);
    grid->addWidget(m_to, 5, 3);

    m_angle = AddPercent(IDC_ANGLE, &f.m_nAngle, 0, 359, IDS_ANGLE_RANGE);
    grid->addWidget(AddLabel("Angle:", m_angle), 6, 0);
    grid->addWidget(m_angle, 6, 1);
    m_angleList = new CTextDropButton(this);
    m_angleList->CreateList(IDC_ANGLE_LIST, this, kFirstAngleString, 8, 0);
    m_angleList->SetValueTarget(&m_angleChoice);
    m_angleList->setMinimumSize(32, 22);
    grid->addWidget(m_angleList, 6, 2);
    connect(m_angleList, &CDropPaletteButton::chosen, this, [this] {
        D().props.m_fill.m_nAngle = m_angleChoice;
        D().mask.m_fill.m_bRest = 1;
        UpdateData(false);
        Changed();
    });
    m_blend = new QButtonGroup(this);
    const char* blendText[] = {"Li&near", "&Bell curve", "&Platform"};
    for (int b = 0; b < 3; ++b) {
        auto* r = new QRadioButton(blendText[b], this);
        SetDlgCtrlID(r, kBlendIds[b]);
        m_blend->addButton(r, kBlendIds[b]);
        grid->addWidget(r, 7, b);
    }
    m_centre = AddPercent(IDC_CENTER, &f.m_nFocus, 0, 100);
    grid->addWidget(AddLabel("Ce&nter:", m_centre), 8, 0);
    grid->addWidget(m_centre, 8, 1);
    m_xOffset = AddPercent(IDC_X_OFFSET, &f.m_nCentreX, 0, 100);
    m_yOffset = AddPercent(IDC_Y_OFFSET, &f.m_nCentreY, 0, 100);
    grid->addWidget(AddLabel("&X offset:", m_xOffset), 9, 0);
    grid->addWidget(m_xOffset, 9, 1);
    grid->addWidget(AddLabel("&Y offset:", m_yOffset), 9, 2);
    grid->addWidget(m_yOffset, 9, 3);
    m_intensity = AddPercent(IDC_INTENSITY, &f.m_nIntensity, 0, 100);
    m_spread = AddPercent(IDC_SPREAD, &f.m_nGrowth, 0, 100);
    grid->addWidget(AddLabel("&Intensity:", m_intensity), 10, 0);
    grid->addWidget(m_intensity, 10, 1);
    grid->addWidget(AddLabel("Sprea&d:", m_spread), 10, 2);
    grid->addWidget(m_spread, 10, 3);
    m_gamma = new QCheckBox("&Gamma correction", this);
    SetDlgCtrlID(m_gamma, IDC_GAMMA);
    grid->addWidget(m_gamma, 11, 0, 1, 2);
    m_presets = new QComboBox(this);
    SetDlgCtrlID(m_presets, IDC_PRESETS);
    // The names come from the fill choice table, so every preset can be
    // found again by its name.
    for (const std::string& name : FillChoices().ComboNames(true, {}))
        m_presets->addItem(AnsiToQString(name));
    grid->addWidget(AddLabel("P&resets:", m_presets), 12, 0);
    grid->addWidget(m_presets, 12, 1, 1, 3);
    grid->setRowStretch(13, 1);

    connect(m_kind, &QButtonGroup::idClicked, this, [this](int id) { OnKind(id); });
    connect(m_blend, &QButtonGroup::idClicked, this, [this](int id) { OnBlend(id); });
    connect(m_gamma, &QCheckBox::clicked, this, [this](bool on) {
        D().props.m_fill.m_nGamma = on;
        D().mask.m_fill.m_bRest = 1;
        UpdateData(false);
        Changed();
    });
    for (CColorDropButton* b : {m_solid, m_from})
        OnSheetColorChosen(b, this, [this](COLORREF c) {
            D().props.m_fill.m_crColor1 = c;
            D().mask.m_fill.m_bColor1 = 1;
            UpdateData(false);
            Changed();
        });
    OnSheetColorChosen(m_to, this, [this](COLORREF c) {
        D().props.m_fill.m_crColor2 = c;
        D().mask.m_fill.m_bColor2 = 1;
        UpdateData(false);
        Changed();
    });
    connect(m_presets, &QComboBox::activated, this, [this] { OnPreset(); });
}

QLabel* CFTabFill::AddLabel(const char* text, QWidget* buddy)
{
    auto* label = new QLabel(text, this);
    label->setBuddy(buddy);
    m_labels.push_back(label);
    return label;
}

void CFTabFill::BindCentre()
{
    // The platform blend has a centre of its own.
    CFillSpec& f = D().props.m_fill;
    CNumEditSpec spec = m_centre->Spec();
    spec.intValue = f.m_nVariant == kBlendPlatform ? &f.m_nBand : &f.m_nFocus;
    m_centre->Configure(&spec);
}

bool CFTabFill::event(QEvent* e)
{
    if (e->type() == CDlgCommandEvent::EventType()) {
        const auto* c = static_cast<CDlgCommandEvent*>(e);
        if (c->Code() == kNumEditChanged)
            Changed();
        else if (c->Code() == kNumEditCommitted)
            UpdateData(false);
        return true;
    }
    return CFigPage::event(e);
}

void CFTabFill::OnKind(int id)
{
    if (!Exchange(true))
        return;
    CFillSpec& f = D().props.m_fill;
    f.m_nKind = KindOfId(id);
    // A gradient needs a blend the kind offers.
    if (f.m_nKind == 3)
        f.DropBandVariant();
    D().mask.m_fill.m_bRest = 1;
    UpdateData(false);
    Changed();
}

void CFTabFill::OnBlend(int id)
{
    if (!Exchange(true))
        return;
    CFillSpec& f = D().props.m_fill;
    for (int b = 0; b < 3; ++b)
        if (kBlendIds[b] == id)
            f.m_nVariant = b;
    D().mask.m_fill.m_bRest = 1;
    UpdateData(false);
    Changed();
}

void CFTabFill::OnPreset()
{
    const std::string name = QStringToAnsi(m_presets->currentText());
    if (name.empty() || name == " ")
        return;
    CFillMask mask;
    if (!FillChoices().ApplyByName(D().props.m_fill, name, &mask))
        return;
    D().mask.m_fill.OrWith(mask);
    UpdateData(false);
    Changed();
}

void CFTabFill::ShowForKind()
{
    const FigSheetData& d = D();
    const int kind = d.props.m_fill.m_nKind;
    const bool gradient = kind == 2 || kind == 3;
    m_solid->setVisible(kind == 1);
    m_from->setVisible(gradient);
    m_to->setVisible(gradient);
    m_angle->setVisible(kind == 2);
    m_angleList->setVisible(kind == 2);
    m_centre->setVisible(kind == 2);
    for (int b = 0; b < 3; ++b)
        m_blend->button(kBlendIds[b])->setVisible(gradient && (b != kBlendPlatform || kind == 2));
    m_xOffset->setVisible(kind == 3);
    m_yOffset->setVisible(kind == 3);
    m_intensity->setVisible(gradient);
    m_spread->setVisible(kind == 3);
    m_gamma->setVisible(gradient);
    // One picture figure takes only no fill or a solid colour behind it.
    const bool picture = d.IsPicture() && d.IsSingle();
    for (int id : {IDC_LINEAR, IDC_ELLIPTICAL})
        m_kind->button(id)->setEnabled(!picture);
    for (QWidget* w : std::initializer_list<QWidget*>{m_to, m_gamma, m_presets})
        w->setEnabled(!picture);
    for (QAbstractButton* b : m_blend->buttons())
        b->setEnabled(!picture);
    // A label goes and greys with its control.
    for (QLabel* label : m_labels) {
        label->setHidden(label->buddy()->isHidden());
        label->setEnabled(label->buddy()->isEnabled());
    }
}

bool CFTabFill::Exchange(bool save)
{
    if (save) {
        for (CNumEdit* e : {m_angle, m_centre, m_xOffset, m_yOffset, m_intensity, m_spread})
            if (!e->isHidden() && !e->Save(true)) {
                e->setFocus();
                return false;
            }
        return true;
    }
    const CFillSpec& f = D().props.m_fill;
    m_kind->button(kKindIds[std::clamp(f.m_nKind, 0, 3)])->setChecked(true);
    m_blend->button(kBlendIds[std::clamp(f.m_nVariant, 0, 2)])->setChecked(true);
    BindCentre();
    for (CNumEdit* e : {m_angle, m_centre, m_xOffset, m_yOffset, m_intensity, m_spread})
        e->Load();
    m_angleChoice = f.m_nAngle;
    m_solid->SetColor(f.m_crColor1);
    m_from->SetColor(f.m_crColor1);
    m_to->SetColor(f.m_crColor2);
    m_gamma->setChecked(f.m_nGamma != 0);
    std::string name;
    FillChoices().FindName(f, name);
    const int row = m_presets->findText(AnsiToQString(name.empty() ? " " : name));
    m_presets->setCurrentIndex(row);
    m_preview->SetFill(f);
    ShowForKind();
    return true;
}
