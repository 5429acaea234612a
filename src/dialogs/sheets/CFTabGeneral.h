#pragma once
// The General page of the figure sheets: the style the objects follow,
// position and size (a style's default size), colours, border and drop
// shadow, and a style's description, category and menu flags.
#include "dialogs/sheets/CFigPage.h"

class CNumEdit;
class CColorDropButton;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CFTabGeneral : public CFigPage {
    Q_OBJECT
public:
    enum : int {
        IDC_BASED_ON = 2526, IDC_DESCRIPTION = 1252, IDC_CATEGORY = 2601, IDC_STYLE_BAR = 1266,
        IDC_IN_MENU = 1272, IDC_BIND = 1267, IDC_LEFT = 1279, IDC_TOP = 1317, IDC_HEIGHT = 1282,
        IDC_WIDTH = 1281, IDC_FILL_COLOR = 2228, IDC_TEXT_COLOR = 2229, IDC_BORDER_COLOR = 2147,
        IDC_BORDER_WIDTH = 2144, IDC_SHADOW = 1305, IDC_DIM_GROUP = 1283,
    };
    // Item data of the "Based on style" entries that name no style.
    static constexpr int kMixedStyles = -2, kNoStyle = -1;

    explicit CFTabGeneral(CFTabSheet* sheet);

protected:
    void OnInitDialog() override;
    bool Exchange(bool save) override;
    void OnApply() override;
    bool event(QEvent* event) override;

private:
    void FillStyleCombo();
    void OnStyleChosen();
    void OnBind();
    void Enable();
    CNumEdit* AddNumber(int id);

    QComboBox* m_basedOn = nullptr;
    QLineEdit* m_description = nullptr;
    QComboBox* m_category = nullptr;
    QCheckBox* m_styleBar = nullptr;
    QCheckBox* m_inMenu = nullptr;
    QCheckBox* m_bind = nullptr;
    QCheckBox* m_shadow = nullptr;
    CNumEdit* m_left = nullptr;
    CNumEdit* m_top = nullptr;
    CNumEdit* m_height = nullptr;
    CNumEdit* m_width = nullptr;
    CNumEdit* m_borderWidth = nullptr;
    CColorDropButton* m_fillColor = nullptr;
    CColorDropButton* m_textColor = nullptr;
    CColorDropButton* m_borderColor = nullptr;
    int m_borderWidthValue = 0;
};
