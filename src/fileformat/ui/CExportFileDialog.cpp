#include "fileformat/ui/CExportFileDialog.h"

#include <QLineEdit>

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
    const QString renamed = ReplaceExtension(name, m_extensions[index]);
    if (renamed != name)
        box->setText(renamed);
}
