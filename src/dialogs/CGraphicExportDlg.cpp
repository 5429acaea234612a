#include "dialogs/CGraphicExportDlg.h"

#include "core/Settings.h"
#include "core/HelpRequest.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QEvent>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {
constexpr DWORD kHelpContext = 318;

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QSpinBox* NumberEdit(QWidget* parent, int id)
{
    auto* box = new QSpinBox(parent);
    SetDlgCtrlID(box, id);
    return box;
}
} // namespace

CGraphicExportDlg::CGraphicExportDlg(QWidget* parent)
    : CDialog(parent), m_width(NumberEdit(this, 1282)), m_height(NumberEdit(this, 1281)),
      m_scale(NumberEdit(this, 1318)), m_qualityEdit(NumberEdit(this, 2692)),
      m_quality(new QSlider(Qt::Horizontal, this)), m_qualityLabel(new QLabel("Quality:", this)),
      m_antialias(new QCheckBox("&Anti-alias (smooth)", this)),
      m_transparent(new QCheckBox("&Transparent", this)),
      m_backgroundLabel(new QLabel("&Background:", this)), m_background(new QPushButton(this))
{
    setWindowTitle("Graphic Export Options");
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    SetDlgCtrlID(m_qualityLabel, 2701);
    SetDlgCtrlID(m_antialias, 2603);
    SetDlgCtrlID(m_transparent, 1227);
    SetDlgCtrlID(m_backgroundLabel, 2704);
    SetDlgCtrlID(m_background, 2703);
    m_backgroundLabel->setBuddy(m_background);
    m_scale->setRange(kMinScale, kMaxScale);
    m_scale->setSingleStep(kScaleStep);
    m_qualityEdit->setRange(kMinQuality, kMaxQuality);
    m_qualityEdit->setSingleStep(kQualityStep);
    m_quality->setRange(kMinQuality, kMaxQuality);
    m_quality->setSingleStep(kQualityStep);

    auto* form = new QFormLayout;
    form->addRow("Width:", m_width);
    form->addRow("Height:", m_height);
    form->addRow("&Scale:", m_scale);
    auto* quality = new QHBoxLayout;
    quality->addWidget(m_quality);
    quality->addWidget(m_qualityEdit);
    form->addRow(m_qualityLabel, quality);
    form->addRow(m_backgroundLabel, m_background);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* col = new QVBoxLayout(this);
    col->addLayout(form);
    col->addWidget(m_antialias);
    col->addWidget(m_transparent);
    col->addWidget(buttons);

    connect(m_width, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_updating)
            return;
        OnWidthChanged(v);
        ShowSizes();
    });
    connect(m_height, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_updating)
            return;
        OnHeightChanged(v);
        ShowSizes();
    });
    connect(m_scale, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_updating)
            return;
        OnScaleChanged(v);
        ShowSizes();
    });
    connect(m_quality, &QSlider::valueChanged, this, [this](int v) {
        m_nQuality = v;
        m_qualityEdit->setValue(v);
    });
    connect(m_qualityEdit, &QSpinBox::valueChanged, m_quality, &QSlider::setValue);
    connect(m_transparent, &QCheckBox::toggled, this, [this](bool on) {
        m_bTransparent = on;
        UpdateControls();
    });
    connect(m_background, &QPushButton::clicked, this, &CGraphicExportDlg::PickBackground);
}

bool CGraphicExportDlg::event(QEvent* e)
{
    if (e->type() == QEvent::EnterWhatsThisMode) {
        QWhatsThis::leaveWhatsThisMode();
        ShowContextHelp(kHelpContext);
        return true;
    }
    return CDialog::event(e);
}

void CGraphicExportDlg::OnInitDialog()
{
    InitSizes();
    m_updating = true;
    m_width->setRange(m_nMinWidth, m_nMaxWidth);
    m_height->setRange(m_nMinHeight, m_nMaxHeight);
    m_updating = false;
    ShowSizes();
    m_quality->setValue(m_nQuality);
    m_qualityEdit->setValue(m_nQuality);
    m_antialias->setChecked(m_bAntialias);
    m_transparent->setChecked(m_bTransparent);
    m_shownBackground = m_crBackground;
    UpdateControls();
    CenterWindow();
}

void CGraphicExportDlg::ShowSizes()
{
    m_updating = true;
    m_width->setValue(m_nWidth);
    m_height->setValue(m_nHeight);
    m_scale->setValue(m_nScale);
    m_updating = false;
}

void CGraphicExportDlg::UpdateControls()
{
    m_antialias->setEnabled(AntialiasEnabled());
    m_qualityLabel->setEnabled(QualityEnabled());
    m_quality->setEnabled(QualityEnabled());
    m_qualityEdit->setEnabled(QualityEnabled());
    m_transparent->setVisible(TransparentShown());
    m_backgroundLabel->setEnabled(BackgroundEnabled());
    m_background->setEnabled(BackgroundEnabled());
    // While transparent the button shows the button face, not the colour.
    const QColor shown = m_bTransparent ? palette().color(QPalette::Button) : ToQColor(m_shownBackground);
    m_background->setStyleSheet(QString("background-color: %1").arg(shown.name()));
}

void CGraphicExportDlg::PickBackground()
{
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, ToQColor(PaletteColors[i]));
    const QColor c = QColorDialog::getColor(ToQColor(m_shownBackground), this);
    if (c.isValid()) {
        m_shownBackground = RGB(c.red(), c.green(), c.blue());
        UpdateControls();
    }
}

void CGraphicExportDlg::OnOK()
{
    m_nWidth = m_width->value();
    m_nHeight = m_height->value();
    m_nScale = m_scale->value();
    m_nQuality = m_qualityEdit->value();
    m_bAntialias = m_antialias->isChecked();
    m_bTransparent = m_transparent->isChecked();
    if (!m_bTransparent)
        m_crBackground = m_shownBackground;
    CDialog::OnOK();
}
