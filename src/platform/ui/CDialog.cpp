#include "platform/ui/CDialog.h"

#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include <algorithm>

CDialog::CDialog(QWidget* parent) : QDialog(parent) {}

int CDialog::DoModal()
{
    m_result = IDCANCEL;
    OnInitDialog();
    if (!testAttribute(Qt::WA_Resized))
        FitToContents();
    exec();
    return m_result;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    done(result == IDCANCEL ? QDialog::Rejected : QDialog::Accepted);
}

void CDialog::FitToContents()
{
    // Not Qt's own adjustment: it keeps a window to two thirds of the screen
    // after working out the height of wrapped texts, which then get too
    // little room.
    QSize size = sizeHint();
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size());
    if (QLayout* l = layout(); l && l->hasHeightForWidth())
        size.setHeight(std::max(size.height(), l->totalHeightForWidth(size.width())));
    resize(size.expandedTo(minimumSizeHint()));
}

void CDialog::CenterWindow()
{
    FitToContents();
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
