#pragma once
// The Text page of the figure sheets: the text of the current text box,
// whether the box is hidden, the alignment, the font and the text colour.
#include "dialogs/sheets/CFigPage.h"
#include "platform/LogFont.h"

class CColorDropButton;
class CFigPreviewWnd;
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
        IDC_ITALIC = 1308, IDC_UNDERLINE = 1309, IDC_TEXT_COLOR = 2229, IDC_FONT_DIALOG = 1314,
        IDC_FROM_SELECTED = 1273, IDC_PREVIEW = 1239,
    };
    static constexpr int kMinSize = 4, kMaxSize = 128;

    explicit CFTabText(CFTabSheet* sheet);
    int CurrentBox() const { return m_box; }
    // Text boxes of the edited symbol (0 for a picture or without symbol).
    int BoxCount() const;
    // One object or style whose symbol has two or more text boxes: the
    // format is each box's own, kept as a prefix in the second text.
    bool BoxMode() const;

protected:
    void OnInitPage() override;
    bool Exchange(bool save) override;
    bool OnApply() override;
    void OnPageActive() override;
    bool event(QEvent* event) override;

private:
    void MakeTextEdit();
    void Enable();
    void OnAlign(int id);
    void OnFontChanged();
    void OnFontDialog();
    void OnFromSelected();
    // The format the controls show: the box's own in box mode, else the
    // properties'.
    LOGFONT& Font();
    WORD& AlignWord();
    COLORREF& Color();
    void LoadBoxFormat();
    // The box's prefix into the second text; false when it does not fit.
    bool StoreBoxFormat();
    // A format control changed: in box mode the box's prefix too.
    void FormatChanged();
    // The figure as the page would leave it, its current box marked.
    void ShowInPreview();

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
    QPushButton* m_fromSelected = nullptr;
    CFigPreviewWnd* m_preview = nullptr;
    LOGFONT m_boxFont{};
    WORD m_boxAlign = 0;
    COLORREF m_boxColor = 0;
    int m_box = 0;
    bool m_textEdited = false;
    bool m_sizeEdited = false;
    bool m_editWraps = false;
};
