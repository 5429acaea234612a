#pragma once
// The numeric field of dialogs, pages and toolbar boxes: shows the bound
// variable of its CNumEditSpec, checks what the user types against the
// field's kind and range, and tells its dialog when the text changes (0x8103)
// and when a value was committed (0x8100), as a CDlgCommandEvent.
#include "core/NumEditSetup.h"

#include <QLineEdit>

struct CDataExchange;
class QToolButton;

constexpr int kNumEditChanged = 0x8103;
constexpr int kNumEditCommitted = 0x8100;
constexpr int IDC_NUMEDIT_SPIN = 1359;

// A dialog that exchanges all its fields at once; a field's Enter and focus
// loss run it when the field's owner is one.
class INumEditOwner {
public:
    virtual ~INumEditOwner() = default;
    virtual bool UpdateData(bool save) = 0;
};

class CNumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumEdit(QWidget* parent = nullptr);

    void Configure(const CNumEditSpec* spec);
    const CNumEditSpec& Spec() const { return m_spec; }
    bool IsDirty() const { return m_dirty; }

    // Variable to text: the text changes only when it differs.
    void Load();
    // Text to variable, only when dirty. A refused text shows the range
    // message (with messages on), is selected whole and fails.
    bool Save(bool messages);
    // One spin click: up or down by the field's step.
    void Step(bool up);
    // Enter: the box's Enter first when this is a combo box's edit part;
    // then, with an owner, save with messages, reload, notify the commit.
    bool Commit();
    // True while the field hands the focus on: what a box makes of the
    // text then (its list entry of that text) is no choice of the user's.
    bool IsLosingFocus() const { return m_losingFocus; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Notify(int code);
    bool SaveOrOwner(bool messages);
    CNumEditSpec m_spec;
    bool m_dirty = false;
    bool m_loading = false;
    bool m_losingFocus = false;
    QWidget* m_spinUp = nullptr;
};

// Runs the exchange of the field with that control id in the dialog, in the
// context's direction; false when a saved text is refused.
bool DDX_NumEdit(CDataExchange& dx, int id);
