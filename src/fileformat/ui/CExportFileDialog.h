#pragma once
// The save dialog of the export commands: the extension of the typed name
// follows the file type the user chooses.
#include "fileformat/ui/CPreviewFileDialog.h"

#include <QStringList>

class CExportFileDialog : public CKavoFileDialog {
    Q_OBJECT
public:
    // extensions: the extension of each file type, in the filter's order.
    CExportFileDialog(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                      const QStringList& extensions);

    // The name with its extension replaced by ext when it has another one
    // (compared without regard to case), or with "." + ext added when it has
    // none; an empty name stays empty.
    static QString ReplaceExtension(const QString& name, const QString& ext);

    // The file name box's text.
    QString TypedName() const;

private:
    void OnTypeChanged(const QString& nameFilter);
    QStringList m_extensions;
};
