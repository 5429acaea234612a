#pragma once
// The Shadows page of Diagram Properties: the diagram's drop shadow as
// transparency, diffusion, offset and colour, each with a slider and a
// field kept in step, a preview and the named presets.
#include "dialogs/diagram/DPropPage.h"

class CColorDropButton;
class CFillPreviewWnd;
class CKavoDoc;
class QComboBox;
class QSlider;

class CDPropShadow : public CDPropPage {
    Q_OBJECT
public:
    CDPropShadow(DiagramProps& values, const CKavoDoc* doc, QWidget* parent = nullptr);
    static constexpr int kPreviewId = 1239, kColorId = 2787, kPresetsId = 2670;
    static constexpr int kTransparencySliderId = 2784, kTransparencyId = 2140;
    static constexpr int kDiffusionSliderId = 2783, kDiffusionId = 2139;
    static constexpr int kOffsetSliderId = 2789, kOffsetId = 2786;
    void LoadPage() override;
    bool StorePage() override;

private:
    QSlider* MakeSlider(int id, int max, int* value);
    void OnColorChosen();
    void OnPreset(int index);
    CFillPreviewWnd* m_preview;
    CColorDropButton* m_color;
    QComboBox* m_presets;
    CNumEdit* m_fields[3];
    QSlider* m_sliders[3];
    int m_transparency = 0, m_diffusion = 0, m_offset = 0;
    COLORREF m_crColor = 0;
};
