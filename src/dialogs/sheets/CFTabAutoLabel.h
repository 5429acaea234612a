#pragma once
// The Auto-Label page of the figure styles sheet: whether a figure made with
// the style gets a label at once, and that label's text.
#include "dialogs/sheets/CFigPage.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;

class CFTabAutoLabel : public CFigPage {
    Q_OBJECT
public:
    enum : int { IDC_AUTO = 2624, IDC_TEXT = 2627, IDC_TEXT_LABEL = 2639, IDC_NOTE = 2628 };
    explicit CFTabAutoLabel(CFTabSheet* sheet);

protected:
    void OnInitPage() override;
    bool Exchange(bool save) override;

private:
    QCheckBox* m_auto = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_label = nullptr;
    QLabel* m_note = nullptr;
    bool m_edited = false;
};
