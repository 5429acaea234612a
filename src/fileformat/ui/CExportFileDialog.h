#pragma once
// The save dialog of the export commands: the file type and the extension of
// the typed name follow each other. Choosing a type gives the name that
// type's extension; typing a name with the extension of a listed type chooses
// that type, so the file written is always what its name says.
#include "fileformat/ui/CPreviewFileDialog.h"

#include <QStringList>

class CExportFileDialog : public CKavoFileDialog {
    Q_OBJECT
public:
    // extensions: the extensions of each file type, in the filter's order;
    // an entry may list several, separated by ';' ("JPG;JPEG;JPE"): the first
    // is the one a chosen type gives the name, all of them choose the type.
    CExportFileDialog(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                      const QStringList& extensions);

    // The name with its extension replaced by ext when it has another one
    // (compared without regard to case), or with "." + ext added when it has
    // none; an empty name stays empty.
    static QString ReplaceExtension(const QString& name, const QString& ext);
    // The position in `extensions` (entries as for the constructor) of the
    // type whose extension the name ends with, compared without regard to
    // case; -1 for a name without one of them.
    static int TypeOfName(const QString& name, const QStringList& extensions);

    // The file name box's text.
    QString TypedName() const;

public slots:
    // The name's own type is chosen before the dialog closes, whatever way
    // the name got into the box.
    void accept() override;

private:
    void OnTypeChanged(const QString& nameFilter);
    // Chooses the type the typed name's extension names, leaving the name
    // and the caret as the user left them.
    void FollowTypedName();
    QStringList m_extensions;
};
