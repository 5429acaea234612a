#include "platform/ui/CDialog.h"

#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QScreen>

CDialog::CDialog(QWidget* parent) : QDialog(parent) {}

int CDialog::DoModal()
{
    m_result = IDCANCEL;
    OnInitDialog();
    exec();
    return m_result;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    done(result == IDCANCEL ? QDialog::Rejected : QDialog::Accepted);
}

void CDialog::CenterWindow()
{
    adjustSize();
    QRect area = parentWidget() ? parentWidget()->frameGeometry()
                                : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid())
        move(area.center() - rect().center());
}

void CDialog::BindButton(QAbstractButton* button, int id)
{
    SetDlgCtrlID(button, id);
    connect(button, &QAbstractButton::clicked, this, [this, id] {
        if (id == IDOK)
            OnOK();
        else if (id == IDCANCEL)
            OnCancel();
        else
            EndDialog(id);
    });
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::reject()
{
    // Escape and the close box act as Cancel.
    OnCancel();
}
