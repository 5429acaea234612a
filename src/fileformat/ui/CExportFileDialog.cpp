#include "fileformat/ui/CExportFileDialog.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace {
// The file dialog's own name box (Qt's non-native dialog names it so).
QLineEdit* NameBox(const QFileDialog* dialog)
{
    return dialog->findChild<QLineEdit*>("fileNameEdit");
}
} // namespace

CExportFileDialog::CExportFileDialog(QWidget* parent, const QString& title, const QString& folder,
                                     const QString& filter, const QStringList& extensions)
    : CKavoFileDialog(parent, title, folder, filter), m_extensions(extensions)
{
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    connect(this, &QFileDialog::filterSelected, this, &CExportFileDialog::OnTypeChanged);
    if (QLineEdit* box = NameBox(this))
        connect(box, &QLineEdit::textEdited, this, &CExportFileDialog::FollowTypedName);
}

QString CExportFileDialog::ReplaceExtension(const QString& name, const QString& ext)
{
    if (name.isEmpty() || ext.isEmpty())
        return name;
    // Only the last part of the name can hold the extension.
    const qsizetype slash = name.lastIndexOf('/');
    const qsizetype dot = name.lastIndexOf('.');
    if (dot <= slash)
        return name + "." + ext;
    if (name.mid(dot + 1).compare(ext, Qt::CaseInsensitive) == 0)
        return name;
    return name.left(dot + 1) + ext;
}

int CExportFileDialog::TypeOfName(const QString& name, const QStringList& extensions)
{
    const qsizetype slash = name.lastIndexOf('/');
    const qsizetype dot = name.lastIndexOf('.');
    if (dot <= slash)
        return -1;
    const QString ext = name.mid(dot + 1);
    for (int i = 0; i < extensions.size(); ++i)
        if (extensions[i].split(';').contains(ext, Qt::CaseInsensitive))
            return i;
    return -1;
}

QString CExportFileDialog::TypedName() const
{
    const QLineEdit* box = NameBox(this);
    return box ? box->text() : QString();
}

void CExportFileDialog::OnTypeChanged(const QString& nameFilter)
{
    const qsizetype index = nameFilters().indexOf(nameFilter);
    QLineEdit* box = NameBox(this);
    if (index < 0 || index >= m_extensions.size() || !box)
        return;
    const QString name = box->text();
    const QString renamed = ReplaceExtension(name, m_extensions[index].section(';', 0, 0));
    if (renamed != name)
        box->setText(renamed);
}

void CExportFileDialog::FollowTypedName()
{
    QLineEdit* box = NameBox(this);
    if (!box)
        return;
    const int type = TypeOfName(box->text(), m_extensions);
    if (type < 0 || type >= nameFilters().size() || nameFilters()[type] == selectedNameFilter())
        return;
    // Qt's own type change rewrites the name's extension to the type's first
    // pattern; the name is the user's and stays as typed. The box is quiet
    // meanwhile: the rewritten name would pick a file of that name in the list
    // ("swim.jpg" for "swim.JPEG"), and the list's pick is what gets saved.
    const QString name = box->text();
    const int caret = box->cursorPosition();
    const QSignalBlocker quiet(box);
    selectNameFilter(nameFilters()[type]);
    box->setText(name);
    box->setCursorPosition(caret);
}

void CExportFileDialog::accept()
{
    FollowTypedName();
    CKavoFileDialog::accept();
}
