#include "platform/ui/DlgItems.h"

#include "platform/Ansi.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>

namespace {
constexpr const char* kIdProperty = "kavoCtrlId";
}

void SetDlgCtrlID(QWidget* control, int id)
{
    if (control)
        control->setProperty(kIdProperty, id);
}

int GetDlgCtrlID(const QWidget* control)
{
    if (!control)
        return 0;
    QVariant v = control->property(kIdProperty);
    return v.isValid() ? v.toInt() : 0;
}

QWidget* GetDlgItem(const QWidget* dialog, int id)
{
    if (!dialog)
        return nullptr;
    const auto children = dialog->findChildren<QWidget*>();
    for (QWidget* w : children)
        if (GetDlgCtrlID(w) == id)
            return w;
    return nullptr;
}

std::string GetWindowText(const QWidget* control)
{
    QString text;
    if (auto* e = qobject_cast<const QLineEdit*>(control))
        text = e->text();
    else if (auto* c = qobject_cast<const QComboBox*>(control))
        text = c->currentText();
    else if (auto* l = qobject_cast<const QLabel*>(control))
        text = l->text();
    else if (auto* b = qobject_cast<const QAbstractButton*>(control))
        text = b->text();
    else if (auto* g = qobject_cast<const QGroupBox*>(control))
        text = g->title();
    else if (auto* p = qobject_cast<const QPlainTextEdit*>(control))
        text = p->toPlainText();
    else if (auto* t = qobject_cast<const QTextEdit*>(control))
        text = t->toPlainText();
    else if (control)
        text = control->windowTitle();
    return QStringToAnsi(text);
}

std::string GetDlgItemText(const QWidget* dialog, int id)
{
    return GetWindowText(GetDlgItem(dialog, id));
}

bool SetWindowText(QWidget* control, const std::string& ansi)
{
    const QString text = AnsiToQString(ansi);
    if (auto* e = qobject_cast<QLineEdit*>(control))
        e->setText(text);
    else if (auto* c = qobject_cast<QComboBox*>(control))
        c->setEditText(text);
    else if (auto* l = qobject_cast<QLabel*>(control))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(control))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(control))
        g->setTitle(text);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(control))
        p->setPlainText(text);
    else if (auto* t = qobject_cast<QTextEdit*>(control))
        t->setPlainText(text);
    else if (control)
        control->setWindowTitle(text);
    else
        return false;
    return true;
}

bool SetDlgItemText(QWidget* dialog, int id, const std::string& text)
{
    return SetWindowText(GetDlgItem(dialog, id), text);
}
