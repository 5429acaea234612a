#include "undo/UndoRecordsClipboard.h"

#include "core/AppGlobals.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void ReplayCopyToClipboard()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (data && data->hasFormat(QString::fromLatin1(kClipboardMimeTypes[0])))
        clipboard->clear();
}
