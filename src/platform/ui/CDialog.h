#pragma once
// The modal dialog base the program's dialogs derive from: DoModal answers the
// id of the button that closed it (IDOK, IDCANCEL, IDYES ...), OnOK and
// OnCancel may refuse to close, and controls are addressed by numeric id
// (platform/ui/DlgItems.h).
#include "platform/WinTypes.h"

#include <QDialog>

class QAbstractButton;

class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(QWidget* parent = nullptr);

    // Runs the dialog; returns the id it was ended with.
    int DoModal();
    void EndDialog(int result);
    // Centres the dialog on its parent (or the screen without one).
    void CenterWindow();
    // Sizes the dialog to what its layout asks for, within the screen, with
    // the height that wrapped texts need at that width. DoModal does this for
    // a dialog that OnInitDialog did not size.
    void FitToContents();
    // Makes a push button end the dialog with `id` (IDOK runs OnOK, IDCANCEL
    // OnCancel) and gives it that control id.
    void BindButton(QAbstractButton* button, int id);
    // Escape and the close box act as Cancel.
    void reject() override;

protected:
    // Called once before the dialog shows.
    virtual void OnInitDialog() {}
    // Default: end with IDOK / IDCANCEL. Overrides may stay open instead.
    virtual void OnOK();
    virtual void OnCancel();

private:
    int m_result = 0;
};
