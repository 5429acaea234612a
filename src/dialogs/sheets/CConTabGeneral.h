#pragma once
// The connector sheets' General page: in the styles sheet the style's
// description, category and style-bar and menu presence; in the properties
// sheet the style the connectors are based on. In both the bind-to-style
// flag and the line-drawing assistance of the flag word.
#include "dialogs/sheets/CConPage.h"

class CConStyleButton;
class QComboBox;
class QButtonGroup;
class QLineEdit;

class CCTabGeneral : public CConPage {
    Q_OBJECT
public:
    static constexpr int kDescription = 1252, kCategory = 2601, kBasedOn = 2526, kBind = 1267;
    static constexpr int kStylesPicker = 2527;
    static constexpr int kInDropMenu = 1272, kStyleBar = 1266;
    static constexpr int kManual = 2597, kGuided = 2598, kAutomated = 2599, kDots = 2547, kDotsPicture = 2600;

    explicit CCTabGeneral(CConSheetData& data, QWidget* parent = nullptr);
    void OnInitPage() override;
    // The category list again (after an apply added one).
    void FillCategories();

protected:
    bool Exchange(bool save) override;
    void UpdateControls() override;

private:
    void FillBasedOn();
    void OnBasedOn(int row);
    void OnBind();
    QLineEdit* m_description;
    QComboBox* m_category;
    QComboBox* m_basedOn;
    // The "Styles" picker beside the based-on list, choosing as it does.
    CConStyleButton* m_picker;
    QButtonGroup* m_assist;
};
