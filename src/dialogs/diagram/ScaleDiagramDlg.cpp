#include "dialogs/diagram/ScaleDiagramDlg.h"

#include "core/MessageBeep.h"
#include "dialogs/ContextHelp.h"
#include "core/MsgBox.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {
constexpr UINT IDS_SCALE_PERCENT_RANGE = 612;
constexpr UINT IDS_SCALE_TO_PAGE_GRID = 614;
// The spin rests in the middle of its three positions: where it went tells
// the direction, and it goes back after every click.
constexpr int kSpinRest = 2, kSpinUp = 3;
constexpr uint32_t kHelpTopic = 300;
} // namespace

ScaleDiagramDlg::ScaleDiagramDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(tr("Scale Diagram"));
    InstallContextHelp(this, kHelpTopic);
    auto* include = new QGroupBox(tr("Include"), this);
    auto* inc = new QVBoxLayout(include);
    inc->addWidget(AddCheck(include, kFigBordersId, "Figure &borders", &m_bFigBorders));
    inc->addWidget(AddCheck(include, kConnectorsId, "&Connectors", &m_bConnectors));
    inc->addWidget(AddCheck(include, kTextId, "&Text", &m_bText));
    inc->addWidget(AddCheck(include, kShadowsId, "&Drop shadows", &m_bDropShadows));

    m_scale = new QLineEdit(this);
    SetDlgCtrlID(m_scale, kScaleId);
    m_spin = new QSpinBox(this);
    SetDlgCtrlID(m_spin, kSpinId);
    m_spin->setRange(1, 3);
    m_spin->setValue(kSpinRest);
    m_spin->setFixedWidth(m_spin->sizeHint().height()); // arrows only, beside the field
    m_spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    // The spin's own number means nothing to the user: only its arrows show.
    if (auto* number = m_spin->findChild<QLineEdit*>())
        number->hide();
    auto* scaleLabel = new QLabel(tr("&Scale:"), this);
    scaleLabel->setBuddy(m_scale);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(scaleLabel);
    scaleRow->addWidget(m_scale);
    scaleRow->addWidget(m_spin);

    auto* right = new QVBoxLayout;
    right->addLayout(scaleRow);
    right->addWidget(AddCheck(this, kToPageId, "To &page", &m_bToPage));
    right->addWidget(AddCheck(this, kKeepAlignedId, "&Keep aligned to grid", &m_bKeepAligned));
    right->addWidget(AddCheck(this, kSelectedId, "Selected &objects only", &m_bSelectedOnly));
    right->addWidget(AddCheck(this, kStylesId, "Scale St&yles", &m_bScaleStyles));
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(include);
    body->addLayout(right);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* all = new QVBoxLayout(this);
    all->addLayout(body);
    all->addWidget(buttons);

    connect(m_spin, &QSpinBox::valueChanged, this, &ScaleDiagramDlg::OnSpin);
    for (int id : {kKeepAlignedId, kStylesId, kSelectedId})
        connect(static_cast<QCheckBox*>(GetDlgItem(this, id)), &QCheckBox::clicked, this,
                &ScaleDiagramDlg::OnOptionToggled);
    connect(static_cast<QCheckBox*>(GetDlgItem(this, kToPageId)), &QCheckBox::clicked, this,
            &ScaleDiagramDlg::OnToPageToggled);
}

QCheckBox* ScaleDiagramDlg::AddCheck(QWidget* parent, int id, const char* text, int* value)
{
    auto* box = new QCheckBox(tr(text), parent);
    SetDlgCtrlID(box, id);
    m_checks.emplace_back(box, value);
    return box;
}

void ScaleDiagramDlg::StoreChecks()
{
    for (auto& [box, value] : m_checks)
        *value = box->isChecked() ? 1 : 0;
}

void ScaleDiagramDlg::LoadChecks()
{
    for (auto& [box, value] : m_checks)
        box->setChecked(*value != 0);
    GetDlgItem(this, kStylesId)->setVisible(!m_bSelectedOnly);
}

int ScaleDiagramDlg::FactorToPercent(int factor) const
{
    return MulDiv(100, factor, m_nBase);
}

int ScaleDiagramDlg::PercentToFactor(int percent) const
{
    return MulDiv(std::clamp(percent, m_nLowest, m_nHighest), m_nBase, 100);
}

void ScaleDiagramDlg::AskLimits()
{
    m_nLowest = 10;
    m_nHighest = 1000;
    m_nBase = 100;
    if (m_limits)
        m_limits(m_bSelectedOnly != 0, m_nLowest, m_nHighest);
    m_nLowest = std::max(m_nLowest, m_nCallerLowest);
    // Objects that cannot even grow to the lowest percentage leave one
    // choice, the highest, rather than a range no percentage satisfies.
    m_nHighest = std::max(m_nHighest, 1);
    m_nLowest = std::clamp(m_nLowest, 1, m_nHighest);
}

void ScaleDiagramDlg::OnInitDialog()
{
    if (m_bSelectedOnly)
        m_bScaleStyles = 0;
    LoadChecks();
    GetDlgItem(this, kSelectedId)->setEnabled(m_bEnableSelected);
    GetDlgItem(this, kKeepAlignedId)->setEnabled(m_bEnableKeepAligned);
    GetDlgItem(this, kToPageId)->setEnabled(m_bEnableToPage);
    AskLimits();
    const bool enable = !m_bToPage;
    m_scale->setEnabled(enable && m_bEnableScale);
    m_spin->setEnabled(enable && m_bEnableSpin);
    // The unchanged size when the limits allow it; outside them a beep and
    // an empty field to type into, rather than a percentage OK refuses.
    SetFactor(m_nBase);
    CenterWindow();
}

void ScaleDiagramDlg::ShowPercent()
{
    if (m_bToPage)
        return;
    const QString text = QString("%1%").arg(Percent());
    if (m_scale->text() != text)
        m_scale->setText(text);
}

bool ScaleDiagramDlg::SetFactor(int factor)
{
    const int percent = FactorToPercent(factor);
    if (percent < m_nLowest || percent > m_nHighest) {
        MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    StoreChecks();
    m_nFactor = factor;
    ShowPercent();
    return true;
}

bool ScaleDiagramDlg::TypedPercent(int& percent) const
{
    const std::string text = QStringToAnsi(m_scale->text());
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    size_t end = i;
    if (end < text.size() && (text[end] == '-' || text[end] == '+'))
        ++end;
    const size_t digits = end;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) && end - digits < 9)
        ++end;
    if (end == digits)
        return false;
    percent = std::atoi(text.substr(i, end - i).c_str());
    return true;
}

void ScaleDiagramDlg::TakeTypedValue()
{
    int percent = 0;
    if (!m_bToPage && TypedPercent(percent) && percent != Percent())
        SetFactor(PercentToFactor(percent));
}

void ScaleDiagramDlg::OnSpin(int position)
{
    if (position == kSpinRest)
        return;
    const bool up = position == kSpinUp;
    {
        const QSignalBlocker quiet(m_spin);
        m_spin->setValue(kSpinRest);
    }
    TakeTypedValue();
    SetFactor(m_nFactor + (up ? 1 : -1));
}

void ScaleDiagramDlg::OnOptionToggled()
{
    StoreChecks();
    GetDlgItem(this, kStylesId)->setVisible(!m_bSelectedOnly);
    AskLimits();
    TakeTypedValue();
}

void ScaleDiagramDlg::OnToPageToggled()
{
    StoreChecks();
    if (m_bToPage)
        m_scale->clear();
    else
        ShowPercent();
    m_scale->setEnabled(!m_bToPage && m_bEnableScale);
    m_spin->setEnabled(!m_bToPage && m_bEnableSpin);
}

void ScaleDiagramDlg::OnOK()
{
    StoreChecks();
    if (!m_bToPage) {
        int percent = 0;
        if (!TypedPercent(percent) || percent < m_nLowest || percent > m_nHighest) {
            MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_SCALE_PERCENT_RANGE, m_nLowest, m_nHighest);
            m_scale->setFocus();
            m_scale->selectAll();
            return;
        }
        if (percent != Percent())
            m_nFactor = PercentToFactor(percent);
    } else if (m_bKeepAligned) {
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_SCALE_TO_PAGE_GRID);
        return;
    }
    CDialog::OnOK();
}

bool RunScaleDiagramDialog(QWidget* parent, CKavoDoc& doc, ScaleDialogData& data)
{
    ScaleDiagramDlg dlg(parent);
    dlg.m_bSelectedOnly = data.selection ? 1 : 0;
    dlg.m_bEnableSelected = data.selection ? 1 : 0;
    dlg.m_bFigBorders = data.options.scaleBorders ? 1 : 0;
    dlg.m_bText = data.options.scaleText ? 1 : 0;
    dlg.m_bScaleStyles = data.options.scaleStyles ? 1 : 0;
    dlg.m_bKeepAligned = data.options.snapToGrid ? 1 : 0;
    dlg.m_bToPage = data.fitToPage ? 1 : 0;
    dlg.m_bEnableToPage = data.toPageOffered ? 1 : 0;
    dlg.m_bConnectors = data.options.connectors ? 1 : 0;
    dlg.m_bDropShadows = data.options.dropShadows ? 1 : 0;
    dlg.m_nCallerLowest = data.lowestPercent;
    dlg.m_limits = [&doc](bool selection, int& lowest, int& highest) {
        ScalePercentLimits(doc, selection, lowest, highest);
    };
    if (dlg.DoModal() != IDOK)
        return false;
    data.selection = dlg.m_bSelectedOnly != 0;
    data.options.scaleBorders = dlg.m_bFigBorders != 0;
    data.options.scaleText = dlg.m_bText != 0;
    data.options.scaleStyles = dlg.m_bScaleStyles != 0 && !data.selection;
    data.options.snapToGrid = dlg.m_bKeepAligned != 0;
    data.fitToPage = dlg.m_bToPage != 0;
    data.oldPercent = 100;
    data.newPercent = dlg.Percent();
    data.options.connectors = dlg.m_bConnectors != 0;
    data.options.dropShadows = dlg.m_bDropShadows != 0;
    return true;
}
