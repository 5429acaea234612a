#pragma once
// The General page of the figure sheets: the style the objects follow,
// position and size (a style's default size), colours, border and drop
// shadow, and a style's description, category and menu flags.
#include "dialogs/sheets/CFigPage.h"
#include "platform/GlobalMem.h"

#include <QString>

class CNumEdit;
class CColorDropButton;
class CFigSymbol;
class CLinePatternButton;
class CLineWidthButton;
class CStylePickerButton;
class QPushButton;
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
        IDC_BORDER_WIDTH = 2144, IDC_SHADOW = 1305, IDC_DIM_GROUP = 1283, IDC_PICKER = 2527,
        IDC_WIDTH_LIST = 2109, IDC_PATTERN = 2539, IDC_FROM_GALLERY = 1268, IDC_FROM_FILE = 1351,
        IDC_FROM_CLIPBOARD = 1313, IDC_FROM_SELECTED = 1270, IDC_SIZE_FROM_SELECTED = 3,
    };
    // Item data of the "Based on style" entries that name no style.
    static constexpr int kMixedStyles = -2, kNoStyle = -1;

    explicit CFTabGeneral(CFTabSheet* sheet);

protected:
    void OnInitPage() override;
    bool Exchange(bool save) override;
    bool OnApply() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillStyleCombo();
    void AddShapeButtons(class QGridLayout* grid, int& row);
    // A style index from the combo or the picker.
    void ChooseStyle(int index);
    void OnStyleChosen();
    void OnBind();
    void Enable();
    CNumEdit* AddNumber(int id);
    QPushButton* AddButton(int id, const char* text);

    // The shape sources (CFTabGeneralShape.cpp).
    void OnSymbolFromGallery();
    void OnGraphicFromFile();
    void OnGraphicFromClipboard();
    void OnGraphicFromSelected();
    void OnSizeFromSelected();
    void TakeSymbol(const CFigSymbol& chosen);
    // takeSize: the picture's own size, else fitted into the current one.
    void TakePicture(HGLOBAL picture, int kind, int width, int height, bool takeSize = false);
    // A style still under its proposed name is named after the picture file.
    void NameStyleAfterFile(const QString& path);
    // Flags what the shape change altered and shows the result.
    void ShapeChanged(const CFigProps& before, double width, double height);
    void EnableShapeButtons();

    // Shows the picker's highlighted style in the combo, or the combo's own
    // selection when no cell is highlighted.
    void ShowPickerCell();

    QComboBox* m_basedOn = nullptr;
    int m_shownRow = -1;     // the combo's selection as last loaded
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
    CStylePickerButton* m_picker = nullptr;
    CLineWidthButton* m_widthList = nullptr;
    CLinePatternButton* m_pattern = nullptr;
    QPushButton* m_fromGallery = nullptr;
    QPushButton* m_fromFile = nullptr;
    QPushButton* m_fromClipboard = nullptr;
    QPushButton* m_fromSelected = nullptr;
    QPushButton* m_sizeFromSelected = nullptr;
    int m_borderWidthValue = 0;
};
