#include "dialogs/CZoomIntervalsDlg.h"

#include "controls/DdxFields.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"
#include "render/CZoomMapping.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr UINT IDS_ZOOM_RANGE = 498;
constexpr UINT IDS_SCREEN_HEIGHT_RANGE = 500;
constexpr int kZoomLow = 10, kZoomHigh = 1000;
// Screen heights, in inches.
constexpr double kHeightLow = 2.0, kHeightHigh = 50.0;
constexpr double kCmPerInch = 2.54;
constexpr int kHeightDecimals = 2;

double UnitsPerInch()
{
    return Metric ? kCmPerInch : 1.0;
}
} // namespace

CZoomIntervalsDlg::CZoomIntervalsDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(tr("Zoom"));
    auto* intervals = new QGroupBox(tr("Set Intervals"), this);
    auto* grid = new QGridLayout(intervals);
    for (int i = 0; i < 6; ++i) {
        m_presets[i] = new QLineEdit(intervals);
        SetDlgCtrlID(m_presets[i], kFirstPresetId + i);
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
    m_height = new QLineEdit(screen);
    SetDlgCtrlID(m_height, kScreenHeightId);
    text->setBuddy(m_height);
    col->addWidget(text);
    auto* row = new QHBoxLayout;
    row->addWidget(m_height);   // its text carries the unit
    row->addStretch();
    col->addLayout(row);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* all = new QVBoxLayout(this);
    all->addWidget(intervals);
    all->addWidget(screen);
    all->addWidget(buttons);
}

void CZoomIntervalsDlg::OnInitDialog()
{
    for (int i = 0; i < 6; ++i)
        m_presets[i]->setText(QString::number(m_zoom[i]));
    DdxWriteDouble(this, kScreenHeightId, m_screenHeight * UnitsPerInch(), kHeightDecimals, true, false);
    CenterWindow();
}

void CZoomIntervalsDlg::OnOK()
{
    int zoom[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        zoom[i] = m_presets[i]->text().trimmed().toInt(&ok);
        if (!ok || zoom[i] < kZoomLow || zoom[i] > kZoomHigh) {
            MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_ZOOM_RANGE, kZoomLow, kZoomHigh);
            m_presets[i]->setFocus();
            m_presets[i]->selectAll();
            return;
        }
    }
    double height = 0;
    if (!DdxReadDouble(this, kScreenHeightId, height, kHeightLow * UnitsPerInch(), kHeightHigh * UnitsPerInch(),
                       kHeightDecimals, IDS_SCREEN_HEIGHT_RANGE)) {
        m_height->setFocus();
        return;
    }
    std::copy(zoom, zoom + 6, m_zoom);
    m_screenHeight = height / UnitsPerInch();
    CDialog::OnOK();
}

bool RunZoomIntervalsDialog(QWidget* parent, bool* presetsChanged)
{
    CZoomIntervalsDlg dlg(parent);
    std::copy(Zoom, Zoom + 6, dlg.m_zoom);
    dlg.m_screenHeight = ScreenHeight;
    if (dlg.DoModal() != IDOK)
        return false;
    SortZoomTable(dlg.m_zoom);
    const bool presets = !std::equal(Zoom, Zoom + 6, dlg.m_zoom);
    // A height within the field's rounding of the old one is the old one.
    const bool height = std::fabs(dlg.m_screenHeight - ScreenHeight) > 0.001;
    std::copy(dlg.m_zoom, dlg.m_zoom + 6, Zoom);
    if (height)
        ScreenHeight = dlg.m_screenHeight;
    if (presetsChanged)
        *presetsChanged = presets;
    if (presets || height)
        CfgSaveAll();
    return presets || height;
}
