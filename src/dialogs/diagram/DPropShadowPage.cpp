#include "dialogs/diagram/DPropShadowPage.h"

#include "controls/CColorDropButton.h"
#include "controls/CFillPreviewWnd.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "document/ChoiceTables.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>

namespace {
constexpr UINT IDS_OFFSET_RANGE = 483;
} // namespace

CDPropShadow::CDPropShadow(DiagramProps& values, const CKavoDoc* doc, QWidget* parent)
    : CDPropPage(values, "Shadows", parent)
{
    m_preview = new CFillPreviewWnd(this);
    SetDlgCtrlID(m_preview, kPreviewId);
    m_preview->setMinimumSize(120, 120);
    CFillSpec white;
    white.m_nKind = 1;
    white.m_crColor1 = 0xFFFFFF;
    m_preview->SetFill(white);
    m_color = new CColorDropButton(this);
    m_color->CreatePalette(kColorId, this, doc ? doc->m_colors : PaletteColors, true, false, true);
    auto* colorLabel = new QLabel(tr("Shadow color"), this);
    m_presets = new QComboBox(this);
    SetDlgCtrlID(m_presets, kPresetsId);
    for (const std::string& name : ShadowChoices().ComboNames(true))
        m_presets->addItem(AnsiToQString(name));

    int* values3[] = {&m_transparency, &m_diffusion, &m_offset};
    const int fieldIds[] = {kTransparencyId, kDiffusionId, kOffsetId};
    const int sliderIds[] = {kTransparencySliderId, kDiffusionSliderId, kOffsetSliderId};
    const int maxima[] = {100, 100, 36};
    const char* labels[] = {"&Transparency:", "&Diffusion:", "&Offset:"};
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_presets, 0, 0, 1, 3);
    for (int i = 0; i < 3; ++i) {
        CNumEditSpec spec;
        if (i < 2)
            spec.SetPercent(this, 0, maxima[i], values3[i]);
        else
            spec.SetPoints(this, 0, maxima[i], values3[i], IDS_OFFSET_RANGE);
        m_fields[i] = MakeNumEdit(this, fieldIds[i], spec);
        m_sliders[i] = MakeSlider(sliderIds[i], maxima[i], values3[i]);
        auto* label = new QLabel(tr(labels[i]), this);
        label->setBuddy(m_fields[i]);
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(m_sliders[i], i + 1, 1);
        grid->addWidget(m_fields[i], i + 1, 2);
    }
    grid->addWidget(colorLabel, 4, 0);
    grid->addWidget(m_color, 4, 1);
    grid->addWidget(m_preview, 0, 3, 5, 1);
    grid->setRowStretch(5, 1);
    connect(m_color, &CDropPaletteButton::chosen, this, &CDPropShadow::OnColorChosen);
    connect(m_presets, &QComboBox::activated, this, &CDPropShadow::OnPreset);
}

QSlider* CDPropShadow::MakeSlider(int id, int max, int* value)
{
    auto* slider = new QSlider(Qt::Horizontal, this);
    SetDlgCtrlID(slider, id);
    slider->setRange(0, max);
    connect(slider, &QSlider::actionTriggered, this, [this, slider, value] {
        // The position the action moves to is already set.
        *value = slider->sliderPosition();
        if (StorePage())
            LoadPage();
    });
    return slider;
}

void CDPropShadow::OnColorChosen()
{
    if (!StorePage())
        return;
    m_crColor = m_color->GetColor();
    StorePage();
    LoadPage();
}

void CDPropShadow::OnPreset(int index)
{
    const std::string name = QStringToAnsi(m_presets->itemText(index));
    if (name.empty() || name == " ")
        return;
    ShadowChoices().ApplyByName(m_values.shadow, name, nullptr);
    LoadPage();
}

void CDPropShadow::LoadPage()
{
    const CShadowSpec& s = m_values.shadow;
    m_transparency = TransparencyOfOpacity(s.m_nOpacity);
    m_diffusion = DiffusionOfSoftness(s.m_nBlur);
    m_offset = OffsetPointsOfUnits(s.m_nOffsetX);
    m_crColor = s.m_crColor;
    for (int i = 0; i < 3; ++i)
        m_fields[i]->Load();
    const int positions[] = {m_transparency, m_diffusion, m_offset};
    for (int i = 0; i < 3; ++i)
        if (m_sliders[i]->value() != positions[i])
            m_sliders[i]->setValue(positions[i]);
    m_color->SetColor(s.m_crColor);
    // A figure with a drop shadow draws the diagram's description as a drop
    // shadow whatever its effect type (a new diagram's is 0): the preview and
    // the preset show the shadow as the figures draw it.
    CShadowSpec drawn = s;
    drawn.m_nType = 1;
    m_preview->SetShadow(drawn);
    // A shadow that is not shown compares as none.
    CShadowSpec compared = drawn;
    if (!compared.IsVisible())
        compared.m_nType = 0;
    std::string name;
    const int preset = ShadowChoices().FindMatch(compared, name);
    m_presets->setCurrentIndex(preset >= 0 ? m_presets->findText(AnsiToQString(name)) : m_presets->count() - 1);
}

bool CDPropShadow::StorePage()
{
    for (CNumEdit* field : m_fields)
        if (!field->Save(true)) {
            field->setFocus();
            return false;
        }
    // Only what the user changed is computed back: the conversions round,
    // and an untouched value must stay exact.
    CShadowSpec& s = m_values.shadow;
    bool changed = false;
    if (m_transparency != TransparencyOfOpacity(s.m_nOpacity)) {
        s.m_nOpacity = OpacityOfTransparency(m_transparency);
        changed = true;
    }
    if (m_diffusion != DiffusionOfSoftness(s.m_nBlur)) {
        s.m_nBlur = SoftnessOfDiffusion(m_diffusion);
        changed = true;
    }
    if (m_offset != OffsetPointsOfUnits(s.m_nOffsetX) || m_offset != OffsetPointsOfUnits(s.m_nOffsetY)) {
        s.m_nOffsetX = s.m_nOffsetY = OffsetUnitsOfPoints(m_offset);
        changed = true;
    }
    if (m_crColor != s.m_crColor) {
        s.m_crColor = m_crColor;
        changed = true;
    }
    if (changed)
        s.m_nType = 1;
    return true;
}
