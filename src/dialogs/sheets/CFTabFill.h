#pragma once
// The Fill page of the figure sheets: no fill, a solid colour or a linear or
// elliptical gradient with its colours, blend and geometry, a preview, and
// the named fills of the fill choice table as presets.
#include "dialogs/sheets/CFigPage.h"

#include <vector>

class CFillPreviewWnd;
class CNumEdit;
class CColorDropButton;
class CTextDropButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;

class CFTabFill : public CFigPage {
    Q_OBJECT
public:
    enum : int {
        IDC_NO_FILL = 2792, IDC_SOLID = 2791, IDC_LINEAR = 2794, IDC_ELLIPTICAL = 2795, IDC_FILL_COLOR = 2801,
        IDC_FROM = 2229, IDC_TO = 2230, IDC_ANGLE = 2803, IDC_BLEND_LINEAR = 2793, IDC_BELL = 2805,
        IDC_PLATFORM = 2806, IDC_CENTER = 2799, IDC_X_OFFSET = 2809, IDC_Y_OFFSET = 2788,
        IDC_INTENSITY = 2815, IDC_SPREAD = 2790, IDC_GAMMA = 2827, IDC_PRESETS = 2818, IDC_PREVIEW = 1239,
        IDC_ANGLE_LIST = 2796,
    };
    // "0\tVertical", "45\tDiagonal" ... "315": the angle list's entries.
    static constexpr UINT kFirstAngleString = 35820;
    explicit CFTabFill(CFTabSheet* sheet);

protected:
    void OnInitPage() override;
    bool Exchange(bool save) override;
    bool event(QEvent* event) override;

private:
    CNumEdit* AddPercent(int id, int* value, int min, int max, int message = 0);
    void BindCentre();
    void OnKind(int id);
    void OnBlend(int id);
    void OnPreset();
    void ShowForKind();
    QLabel* AddLabel(const char* text, QWidget* buddy);

    QButtonGroup* m_kind = nullptr;
    QButtonGroup* m_blend = nullptr;
    CColorDropButton* m_solid = nullptr;
    CColorDropButton* m_from = nullptr;
    CColorDropButton* m_to = nullptr;
    CNumEdit* m_angle = nullptr;
    CTextDropButton* m_angleList = nullptr;
    int m_angleChoice = 0;
    CNumEdit* m_centre = nullptr;
    CNumEdit* m_xOffset = nullptr;
    CNumEdit* m_yOffset = nullptr;
    CNumEdit* m_intensity = nullptr;
    CNumEdit* m_spread = nullptr;
    QCheckBox* m_gamma = nullptr;
    QComboBox* m_presets = nullptr;
    CFillPreviewWnd* m_preview = nullptr;
    std::vector<QLabel*> m_labels;
};
