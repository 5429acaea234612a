#pragma once
// A combo box whose edit part is a numeric field: Enter in the field and a
// choice from the list each reach one operation of the box, which the font
// size and zoom boxes of the toolbar fill in.
#include <QComboBox>

class CNumEdit;

// The control id of a combo box's edit part.
constexpr int IDC_COMBO_EDIT = 1001;

class CNumCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CNumCombo(QWidget* parent = nullptr);
    CNumEdit* Edit() const { return m_edit; }

    // Enter pressed in the edit part (before the field's own commit).
    virtual void OnEnter() {}
    // An entry chosen from the list.
    virtual void OnSelect(int /*index*/) {}

private:
    CNumEdit* m_edit;
};
