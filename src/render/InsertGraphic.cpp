#include "render/InsertGraphic.h"

#include "core/MsgBox.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "document/CKavoDoc.h"
#include "graphics/ImageLibrary.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "render/PictureColours.h"
#include "render/PictureImport.h"
#include "undo/UndoCodes.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr UINT IDS_IMPORT_GRAPHIC = 465;
constexpr UINT IDS_BAD_METAFILE = 534;
constexpr UINT IDS_BAD_GRAPHIC = 618;
constexpr const char* kTextTooLargeToInsert =
    "This picture is too large to insert (%d x %d pixels). Pictures of up to %d megapixels can be inserted.";
constexpr const char* kTextTooLargeToUse =
    "This picture is too large to use (%d x %d pixels). Pictures of up to %d megapixels can be used.";

// The remembered import folder, or the clip-art folder while none is
// remembered or the remembered one is gone.
QString ImportFolder()
{
    const QString remembered = AnsiToQString(ImpDir);
    if (!remembered.isEmpty() && QDir(remembered).exists())
        return remembered;
    const QString clipart = GetClipartFolder();
    return QDir(clipart).exists() ? clipart : QDir::homePath();
}

int ScaledByImport(int size)
{
    return ScaleImport != 100 ? size * ScaleImport / 100 : size;
}
} // namespace

ImportResult ImportGraphicFile(const ImportDialogFn& dialog, ImportedGraphic& out)
{
    out = ImportedGraphic();
    if (!dialog)
        return ImportResult::Cancelled;
    ImportDialogRequest request;
    LoadCStringRes(request.title, IDS_IMPORT_GRAPHIC);
    request.filter = BuildImportFilter();
    ImportTypeToFilter(ImpType, request.defaultExt, request.filterIndex);
    request.folder = ImportFolder();
    if (!dialog(request) || request.path.isEmpty())
        return ImportResult::Cancelled;
    ImpType = ImportFilterToType(request.filterIndex);
    out.path = request.path;
    int hasTransparency = 0;
    out.handle = LoadGraphicFromFile(request.path, out.kind, out.width, out.height, kPictureWhite,
                                     ImportCleanBackground != 0, ImportTranspEdges != 0, hasTransparency);
    if (!out.handle)
        return ImportResult::Failed;
    ImpDir = QStringToAnsi(QFileInfo(request.path).absolutePath());
    return ImportResult::Loaded;
}

void ReportFailedImport(const ImportedGraphic& picture, bool inserting)
{
    const bool metafile = picture.kind == 2 || picture.kind == 3;
    QSize size;
    if (!metafile && PictureFileTooLarge(picture.path, size))
        MsgBoxPrintf(MB_ICONEXCLAMATION, inserting ? kTextTooLargeToInsert : kTextTooLargeToUse, size.width(),
                     size.height(), int(kMaxImagePixels >> 20));
    else
        MsgBoxResPrintf(MB_ICONEXCLAMATION, metafile ? IDS_BAD_METAFILE : IDS_BAD_GRAPHIC);
}

bool OnInsertGraphic(CKavoDoc& doc, const ImportDialogFn& dialog)
{
    ImportedGraphic picture;
    const ImportResult result = ImportGraphicFile(dialog, picture);
    if (result == ImportResult::Cancelled)
        return false;
    if (result == ImportResult::Failed) {
        ReportFailedImport(picture, true);
        return false;
    }
    const CPoint pos = doc.GetNewObjPos();
    if (!doc.AddGraphicAsFig(UDMAC_IMPORT, picture.handle, picture.kind, pos, ScaledByImport(picture.width),
                             ScaledByImport(picture.height))) {
        GlobalFree(picture.handle);
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_BAD_GRAPHIC);
        return false;
    }
    return true;
}
