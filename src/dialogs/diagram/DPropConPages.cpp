#include "dialogs/diagram/DPropConPages.h"

#include "controls/CTextDropButton.h"
#include "core/StringHelpers.h"
#include "dialogs/DialogPictures.h"
#include "dialogs/LineSpacingNames.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr UINT IDS_CORNER_RANGE = 485, IDS_LOOP_RANGE = 783;
constexpr UINT IDS_JUNCTION_DOTS = 792, IDS_CONPT_DOTS = 793;
constexpr UINT IDS_CORNER_SIZES = 35800, IDS_LOOP_SIZES = 35804;
constexpr UINT IDS_MARGIN_RANGE = 539, IDS_PERCENT_SPACING = 542, IDS_FIXED_SPACING = 543, IDS_FIXED_SEPARATION = 544;
constexpr double kPointsPerUnit = 72.0 / 256.0;

QLabel* Buddy(const QString& text, QWidget* control, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    return label;
}

QHBoxLayout* WithPicture(QWidget* control, QWidget* picture)
{
    auto* row = new QHBoxLayout;
    row->addWidget(control, 1);
    row->addWidget(picture);
    return row;
}
} // namespace

CDPropCon::CDPropCon(DiagramProps& values, QWidget* parent) : CDPropPage(values, "Connectors", parent)
{
    CNumEditSpec spec;
    spec.SetInt(this, 1, 432, &m_values.cornerRadius, IDS_CORNER_RANGE);
    m_corner = MakeNumEdit(this, kCornerId, spec);
    spec.SetInt(this, 2, 128, &m_values.jogRadius, IDS_LOOP_RANGE);
    m_loop = MakeNumEdit(this, kLoopId, spec);

    auto* rounded = new QGroupBox(tr("Rounded connectors"), this);
    auto* rg = new QGridLayout(rounded);
    rg->addWidget(Buddy(tr("Corner radius:"), m_corner, rounded), 0, 0);
    rg->addWidget(m_corner, 0, 1);
    rg->addWidget(MakeSizeButton(kCornerButtonId, IDS_CORNER_SIZES, &m_values.cornerRadius), 0, 2);
    rg->addWidget(MakePictureStatic(rounded, kRoundedPictureId, kBmpRoundedCorners), 0, 3, Qt::AlignRight);
    rg->setColumnStretch(3, 1);

    auto* jogs = new QGroupBox(tr("Jogs"), this);
    auto* jg = new QGridLayout(jogs);
    m_jogs = new QCheckBox(tr("&Enable"), jogs);
    SetDlgCtrlID(m_jogs, kJogsId);
    m_loopButton = MakeSizeButton(kLoopButtonId, IDS_LOOP_SIZES, &m_values.jogRadius);
    jg->addWidget(m_jogs, 0, 0, 1, 3);
    jg->addWidget(Buddy(tr("Loop radius:"), m_loop, jogs), 1, 0);
    jg->addWidget(m_loop, 1, 1);
    jg->addWidget(m_loopButton, 1, 2);
    jg->addWidget(MakePictureStatic(jogs, kJogsPictureId, kBmpJogs), 0, 3, 2, 1, Qt::AlignRight);
    jg->setColumnStretch(3, 1);

    m_junctionDots = new QCheckBox(AnsiToQString(ResText(IDS_JUNCTION_DOTS)), this);
    SetDlgCtrlID(m_junctionDots, kJunctionDotsId);
    m_conPtDots = new QCheckBox(AnsiToQString(ResText(IDS_CONPT_DOTS)), this);
    SetDlgCtrlID(m_conPtDots, kConPtDotsId);
    auto* col = new QVBoxLayout(this);
    col->addWidget(rounded);
    col->addWidget(jogs);
    col->addLayout(WithPicture(m_junctionDots, MakePictureStatic(this, kJunctionPictureId, kBmpJunctionDots)));
    col->addLayout(WithPicture(m_conPtDots, MakePictureStatic(this, kConPtPictureId, kBmpConPointDots)));
    col->addStretch();
    connect(m_jogs, &QCheckBox::clicked, this, [this] {
        if (StorePage())
            LoadPage();
    });
}

CTextDropButton* CDPropCon::MakeSizeButton(int id, UINT firstString, int* value)
{
    auto* button = new CTextDropButton(this);
    button->CreateList(id, this, firstString, 4, 0);
    // The chosen entry's size goes into the value; the field follows.
    button->SetValueTarget(value);
    connect(button, &CDropPaletteButton::chosen, this, [this] { LoadPage(); });
    return button;
}

void CDPropCon::LoadPage()
{
    m_corner->Load();
    m_loop->Load();
    m_jogs->setChecked(m_values.jogs != 0);
    m_junctionDots->setChecked(m_values.junctionDots != 0);
    m_conPtDots->setChecked(m_values.conPtDots != 0);
    m_loop->setEnabled(m_values.jogs != 0);
    m_loopButton->setEnabled(m_values.jogs != 0);
}

bool CDPropCon::StorePage()
{
    if (!m_corner->Save(true)) {
        m_corner->setFocus();
        return false;
    }
    if (!m_loop->Save(true)) {
        m_loop->setFocus();
        return false;
    }
    m_values.jogs = m_jogs->isChecked() ? 1 : 0;
    m_values.junctionDots = m_junctionDots->isChecked() ? 1 : 0;
    m_values.conPtDots = m_conPtDots->isChecked() ? 1 : 0;
    return true;
}

CDPropFormat::CDPropFormat(DiagramProps& values, const CKavoDoc* doc, QWidget* parent)
    : CDPropPage(values, "Text Format", parent), m_doc(doc)
{
    auto* margins = new QGroupBox(tr("Text margins"), this);
    m_scalable = new QRadioButton(tr("&Scalable"), margins);
    SetDlgCtrlID(m_scalable, kScalableId);
    m_fixed = new QRadioButton(tr("&Fixed"), margins);
    SetDlgCtrlID(m_fixed, kFixedId);
    CNumEditSpec spec;
    spec.SetRealValue(this, 0.25, 72, &m_marginPoints, false, true, 2, IDS_MARGIN_RANGE);
    m_margin = MakeNumEdit(this, kMarginId, spec);
    m_marginLabel = Buddy(tr("&Margin:"), m_margin, margins);
    auto* mg = new QGridLayout(margins);
    mg->addWidget(m_scalable, 0, 0, 1, 2);
    mg->addWidget(m_fixed, 1, 0, 1, 2);
    mg->addWidget(m_marginLabel, 2, 0);
    mg->addWidget(m_margin, 2, 1);

    m_kind = new QComboBox(this);
    SetDlgCtrlID(m_kind, kSpacingKindId);
    for (const char* kind : kLineSpacingNames)
        m_kind->addItem(tr(kind));
    m_value = new CNumEdit(this);
    SetDlgCtrlID(m_value, kSpacingValueId);
    m_valueLabel = Buddy(tr("&At:"), m_value, this);
    auto* grid = new QGridLayout;
    grid->addWidget(Buddy(tr("&Line spacing:"), m_kind, this), 0, 0);
    grid->addWidget(m_kind, 0, 1);
    grid->addWidget(m_valueLabel, 1, 0);
    grid->addWidget(m_value, 1, 1);
    auto* col = new QVBoxLayout(this);
    col->addWidget(margins);
    col->addLayout(grid);
    col->addStretch();
    for (QRadioButton* radio : {m_scalable, m_fixed})
        connect(radio, &QRadioButton::clicked, this, [this] {
            if (StorePage())
                LoadPage();
        });
    connect(m_kind, &QComboBox::activated, this, &CDPropFormat::OnKindChosen);
}

void CDPropFormat::BindValueField()
{
    CNumEditSpec spec;
    switch (m_values.lineSpacingKind) {
    case 5: spec.SetPercent(this, 0, 1000, &m_spacingValue, IDS_PERCENT_SPACING); break;
    case 6: spec.SetInt(this, 0, 300, &m_spacingValue, IDS_FIXED_SPACING); break;
    case 7: spec.SetInt(this, 0, 300, &m_spacingValue, IDS_FIXED_SEPARATION); break;
    default: spec.SetInt(this, 0, 0, nullptr); break;
    }
    m_value->Configure(&spec);
}

void CDPropFormat::OnKindChosen(int kind)
{
    if (!StorePage())
        return;
    m_values.lineSpacingKind = kind;
    m_values.lineSpacingValue = DefaultLineSpacingValue(m_doc, kind);
    LoadPage();
}

void CDPropFormat::LoadPage()
{
    const bool fixed = m_values.textFormat == 1;
    m_scalable->setChecked(!fixed);
    m_fixed->setChecked(fixed);
    m_marginPoints = m_values.margin * kPointsPerUnit;
    m_margin->Load();
    m_margin->setVisible(fixed);
    m_margin->setEnabled(fixed);
    m_marginLabel->setVisible(fixed);
    const int kind = m_values.lineSpacingKind;
    m_kind->setCurrentIndex(kind >= 0 && kind <= 7 ? kind : 0);
    m_spacingValue = int(std::lround(m_values.lineSpacingValue));
    BindValueField();
    m_value->Load();
    const bool valued = kind >= 5 && kind <= 7;
    m_value->setVisible(valued);
    m_value->setEnabled(valued);
    m_valueLabel->setVisible(valued);
}

bool CDPropFormat::StorePage()
{
    const double oldPoints = m_marginPoints;
    if (m_values.textFormat == 1 && !m_margin->Save(true)) {
        m_margin->setFocus();
        return false;
    }
    const int shown = m_spacingValue;
    if (m_value->isEnabled() && !m_value->Save(true)) {
        m_value->setFocus();
        return false;
    }
    m_values.textFormat = m_fixed->isChecked() ? 1 : 0;
    // Whole units, at least 1; an unedited margin keeps its exact value.
    if (m_marginPoints != oldPoints)
        m_values.margin = std::max(1, int(std::lround(m_marginPoints / kPointsPerUnit)));
    if (m_spacingValue != shown)
        m_values.lineSpacingValue = float(m_spacingValue);
    return true;
}
