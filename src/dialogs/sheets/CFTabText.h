#pragma once
// The Text page of the figure sheets: the text of the current text box,
// whether the box is hidden, the alignment, the font and the text colour.
#include "dialogs/sheets/CFigPage.h"

class CColorDropButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class CFTabText : public CFigPage {
    Q_OBJECT
public:
    enum : int {
        IDC_TEXT = 3021, IDC_TEXT_LABEL = 1271, IDC_BOX_SPIN = 1296, IDC_ADD = 2549, IDC_DELETE = 2550,
        IDC_HIDDEN = 1350, IDC_LEFT = 1260, IDC_CENTER = 1261, IDC_RIGHT = 1262, IDC_TOP = 1263,
        IDC_MIDDLE = 1264, IDC_BOTTOM = 1265, IDC_FONT = 1306, IDC_SIZE = 1310, IDC_BOLD = 1307,
        IDC_ITALIC = 1308, IDC_UNDERLINE = 1309, IDC_TEXT_COLOR = 2229,
    };
    static constexpr int kMinSize = 4, kMaxSize = 128;

    explicit CFTabText(CFTabSheet* sheet);
    int CurrentBox() const { return m_box; }
    // Text boxes of the edited symbol (0 for a picture or without symbol).
    int BoxCount() const;

protected:
    void OnInitDialog() override;
    bool Exchange(bool save) override;
    void OnApply() override;
    void OnSetActive() override;

private:
    void MakeTextEdit();
    void Enable();
    void OnAlign(int id);
    void OnFontChanged();

    QPlainTextEdit* m_edit = nullptr;
    QSpinBox* m_spin = nullptr;
    QCheckBox* m_hidden = nullptr;
    QButtonGroup* m_hAlign = nullptr;
    QButtonGroup* m_vAlign = nullptr;
    QComboBox* m_font = nullptr;
    QComboBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    CColorDropButton* m_color = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    int m_box = 0;
    bool m_textEdited = false;
    bool m_sizeEdited = false;
    bool m_editWraps = false;
};
