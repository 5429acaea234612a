#include "dialogs/wizard/CWizardPages.h"

#include "controls/CFigPreviewWnd.h"
#include "dialogs/CSchemePreviewWnd.h"
#include "dialogs/LineSpacingNames.h"
#include "fileformat/CDocVariantTarget.h"
#include "controls/CFillPreviewWnd.h"
#include "controls/CNumEdit.h"
#include "controls/FontCombos.h"
#include "core/StringHelpers.h"
#include "document/ChoiceTables.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"
#include "shapes/TemplateVariants.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <cstring>
#include <iterator>

namespace {
constexpr UINT IDS_AS_IS = 807;
constexpr UINT IDS_SAMPLE_TEXT = 808;
constexpr UINT IDS_FONT_SIZE_RANGE = 810;
constexpr UINT IDS_PERCENT_SPACING = 542, IDS_SPACING = 543, IDS_SEPARATION = 544;
constexpr int kModePercent = 5, kModeSpacing = 6, kModeSeparation = 7;
constexpr int kPercentDefault = 100, kPercentHigh = 1000, kSpacingHigh = 300, kSeparationDefault = 14;
constexpr int kPreviewW = 200, kPreviewH = 60;
constexpr int kVariantPreviewW = 112, kVariantPreviewH = 124;
// The sample text is 13/24 of the preview's height; "<As Is>" shows none.
constexpr int kSampleNum = 13, kSampleDen = 24;

template <class W>
W* WithId(W* widget, int id)
{
    SetDlgCtrlID(widget, id);
    return widget;
}
} // namespace

// ---- variant group

CWizardPropertyPage::CWizardPropertyPage(CWizardSheet& sheet, int index, int group, QWidget* parent)
    : CWizardPage(index, parent), m_sheet(sheet), m_nGroup(group)
{
    m_label = WithId(new QLabel(this), kLabelId);
    m_list = WithId(new QListWidget(this), kListId);
    m_preview = WithId(new CSchemePreviewWnd(this), kPreviewId);
    m_preview->setFixedSize(kVariantPreviewW + 2, kVariantPreviewH + 2);
    m_preview->SetExtent(kVariantPreviewW, kVariantPreviewH);
    auto* row = new QHBoxLayout;
    row->addWidget(m_list);
    row->addWidget(m_preview);
    auto* all = new QVBoxLayout;
    all->addWidget(m_label);
    all->addLayout(row);
    SetContent(all);
    if (const TemplateVariants::Group* g = sheet.Variants() ? sheet.Variants()->GetGroup(group) : nullptr)
        for (int i = 0; i < TemplateVariants::kMaxItems; ++i)
            if (!g->itemNames[size_t(i)].empty()) {
                auto* item = new QListWidgetItem(AnsiToQString(g->itemNames[size_t(i)]), m_list);
                item->setData(Qt::UserRole, i);
            }
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        TemplateVariants::Group* g = m_sheet.Variants() ? m_sheet.Variants()->GetGroup(m_nGroup) : nullptr;
        if (g && item)
            g->chosen = item->data(Qt::UserRole).toInt();
        ShowPreview();
    });
}

void CWizardPropertyPage::ShowPreview()
{
    const TemplateVariants::Group* g = m_sheet.Variants() ? m_sheet.Variants()->GetGroup(m_nGroup) : nullptr;
    if (!g || g->chosen == m_nShown || g->chosen < 0 || g->chosen >= TemplateVariants::kMaxItems)
        return;
    m_nShown = g->chosen;
    m_preview->SetPictureBlock(LoadVariantFilePreview(g->fileNames[size_t(g->chosen)]));
}

void CWizardPropertyPage::OnSetActive()
{
    const TemplateVariants::Group* g = m_sheet.Variants() ? m_sheet.Variants()->GetGroup(m_nGroup) : nullptr;
    if (!g)
        return;
    m_label->setText(AnsiToQString(g->name + ":"));
    for (int r = 0; r < m_list->count(); ++r)
        if (m_list->item(r)->data(Qt::UserRole).toInt() == g->chosen)
            m_list->setCurrentRow(r);
    ShowPreview();
}

// ---- shadow and fill

CWizardPropertyPageFx::CWizardPropertyPageFx(CWizardSheet& sheet, int index, QWidget* parent)
    : CWizardPage(index, parent), m_sheet(sheet)
{
    m_shadow = WithId(new QComboBox(this), kShadowId);
    m_fill = WithId(new QComboBox(this), kFillId);
    for (const std::string& name : ShadowChoices().ComboNames(false))
        m_shadow->addItem(AnsiToQString(name));
    for (const std::string& name : FillChoices().ComboNames(false, std::string()))
        m_fill->addItem(AnsiToQString(name));
    m_preview = new CFillPreviewWnd(this);
    m_preview->Create(QRect(0, 0, 120, 90), this, kPreviewId);
    m_preview->setFixedSize(120, 90);
    auto* form = new QFormLayout;
    form->addRow(tr("&Drop shadows:"), m_shadow);
    form->addRow(tr("&Gradient fill:"), m_fill);
    auto* all = new QHBoxLayout;
    all->addLayout(form);
    all->addWidget(m_preview);
    SetContent(all);
    connect(m_shadow, &QComboBox::activated, this, &CWizardPropertyPageFx::OnShadow);
    connect(m_fill, &QComboBox::activated, this, &CWizardPropertyPageFx::OnFill);
}

void CWizardPropertyPageFx::OnSetActive()
{
    WizardChoices& c = m_sheet.m_choices;
    c.TakeSchemeColors(m_sheet.Variants());
    std::string name;
    m_shadow->setCurrentIndex(ShadowChoices().FindMatch(c.shadow, name) >= 0 ? m_shadow->findText(AnsiToQString(name))
                                                                               : -1);
    m_fill->setCurrentIndex(FillChoices().FindName(c.fill, name) >= 0 ? m_fill->findText(AnsiToQString(name)) : -1);
    ShowPreview();
}

void CWizardPropertyPageFx::OnShadow(int row)
{
    const CShadowChoice* choice = ShadowChoices().GetAt(ShadowChoices().FindByName(QStringToAnsi(m_shadow->itemText(row))));
    if (choice)
        m_sheet.m_choices.shadow = choice->m_shadow;
    ShowPreview();
}

void CWizardPropertyPageFx::OnFill(int row)
{
    const std::string name = QStringToAnsi(m_fill->itemText(row));
    if (!name.empty() && name != " ")
        FillChoices().ApplyByName(m_sheet.m_choices.fill, name, nullptr);
    ShowPreview();
}

void CWizardPropertyPageFx::ShowPreview()
{
    m_preview->SetFill(m_sheet.m_choices.fill);
    m_preview->SetShadow(m_sheet.m_choices.shadow);
}

// ---- text options

CWizardPropertyPageOpt::CWizardPropertyPageOpt(CWizardSheet& sheet, int index, QWidget* parent)
    : CWizardPage(index, parent), m_sheet(sheet)
{
    m_font = WithId(new QComboBox(this), kFontId);
    m_font->addItem(AnsiToQString(ResText(IDS_AS_IS)));
    CopyFontComboItems(m_font, false);
    m_size = WithId(new CNumEdit(this), kSizeId);
    CNumEditSpec sizeSpec;
    sizeSpec.SetInt(this, kFontSizeLow, kFontSizeHigh, &m_sheet.m_choices.fontSize, IDS_FONT_SIZE_RANGE, true);
    m_size->Configure(&sizeSpec);
    m_mode = WithId(new QComboBox(this), kModeId);
    static_assert(std::size(kLineSpacingNames) == kLineSpacingModes);
    for (const char* name : kLineSpacingNames)
        m_mode->addItem(tr(name));
    m_value = WithId(new CNumEdit(this), kValueId);
    m_valueLabel = new QLabel(tr("&At:"), this);
    m_valueLabel->setBuddy(m_value);
    m_wrap = WithId(new QCheckBox(tr("&Wrap"), this), kWrapId);
    m_preview = new CFontPreviewWnd(this);
    m_preview->Create(QRect(0, 0, kPreviewW, kPreviewH), this, kPreviewId);
    m_preview->setFixedSize(kPreviewW, kPreviewH);
    auto* form = new QFormLayout;
    form->addRow(tr("&Font:"), m_font);
    form->addRow(tr("Font &size:"), m_size);
    form->addRow(tr("&Line spacing:"), m_mode);
    form->addRow(m_valueLabel, m_value);
    form->addRow(QString(), m_wrap);
    auto* all = new QVBoxLayout;
    all->addLayout(form);
    all->addWidget(m_preview);
    all->addWidget(new QLabel(tr("Changes affect all styles in the new diagram."), this));
    SetContent(all);
    connect(m_mode, &QComboBox::activated, this, &CWizardPropertyPageOpt::OnMode);
    connect(m_font, &QComboBox::activated, this, &CWizardPropertyPageOpt::ShowPreview);
}

void CWizardPropertyPageOpt::ConfigureValue()
{
    WizardChoices& c = m_sheet.m_choices;
    const int mode = c.lineSpacingMode;
    CNumEditSpec spec;
    if (mode == kModePercent)
        spec.SetPercent(this, 0, kPercentHigh, &c.lineSpacingValue, IDS_PERCENT_SPACING, true);
    else if (mode == kModeSpacing || mode == kModeSeparation)
        spec.SetPoints(this, 0, kSpacingHigh, &c.lineSpacingValue, mode == kModeSpacing ? IDS_SPACING : IDS_SEPARATION,
                       true);
    m_value->Configure(&spec);
    const bool on = mode >= kModePercent;
    m_value->setEnabled(on);
    m_valueLabel->setEnabled(on);
    if (on)
        m_value->Load();
    else
        m_value->clear();
}

void CWizardPropertyPageOpt::OnMode(int mode)
{
    WizardChoices& c = m_sheet.m_choices;
    c.lineSpacingMode = mode;
    if (mode < kModePercent)
        c.lineSpacingValue = 0;
    else if (mode == kModePercent)
        c.lineSpacingValue = kPercentDefault;
    else if (mode == kModeSpacing)
        c.lineSpacingValue = m_sheet.m_nDefaultFontSize;
    else if (mode != kModeSeparation)
        c.lineSpacingValue = kSeparationDefault;
    ConfigureValue();
}

void CWizardPropertyPageOpt::OnSetActive()
{
    const WizardChoices& c = m_sheet.m_choices;
    const int font = c.fontName.empty() ? 0 : m_font->findText(AnsiToQString(c.fontName));
    m_font->setCurrentIndex(font < 0 ? 0 : font);
    m_size->Load();
    m_mode->setCurrentIndex(c.lineSpacingMode);
    m_wrap->setChecked(c.wrap != 0);
    ConfigureValue();
    ShowPreview();
}

bool CWizardPropertyPageOpt::OnKillActive()
{
    if (!m_size->Save(true)) {
        m_size->setFocus();
        return false;
    }
    if (m_value->isEnabled() && !m_value->Save(true)) {
        m_value->setFocus();
        return false;
    }
    WizardChoices& c = m_sheet.m_choices;
    c.fontName = m_font->currentIndex() <= 0 ? std::string() : QStringToAnsi(m_font->currentText());
    c.wrap = m_wrap->isChecked() ? 1 : 0;
    return true;
}

void CWizardPropertyPageOpt::ShowPreview()
{
    LOGFONT lf;
    const bool asIs = m_font->currentIndex() <= 0;
    std::strncpy(lf.lfFaceName, asIs ? "Arial" : QStringToAnsi(m_font->currentText()).c_str(), LF_FACESIZE - 1);
    lf.lfHeight = asIs ? kPreviewH / 4 : kPreviewH * kSampleNum / kSampleDen;
    m_preview->SetFont(lf);
    m_preview->SetText(asIs ? std::string() : ResText(IDS_SAMPLE_TEXT));
}
