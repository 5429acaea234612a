#include "app/ui/PictureCommandsUi.h"

#include "core/MsgBox.h"
#include "core/Trace.h"
#include "dialogs/CPictureFileDialog.h"
#include "document/CKavoDoc.h"
#include "editing/ui/PictureClipboardUi.h"
#include "fileformat/CPasteLoadObj.h"
#include "frame/ui/CCommandRegistry.h"
#include "platform/Prompt.h"
#include "render/InsertGraphic.h"
#include "render/PictureClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace {
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_PASTE_AS_PICTURE = 32783;
constexpr int ID_PASTE_AS_BITMAP = 32784;

void PastePicture(const char* trace, int format)
{
    DiagPrintf("%s", trace);
    CKavoDoc* doc = GetActiveKavoDoc();
    if (!doc)
        return;
    if (!PastePictureFromClipboard(*doc, format))
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Unable to paste from the clipboard");
}

bool ClipboardHasDiagram()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(kDiagramMimeType);
}
} // namespace

void RegisterPictureCommands(CCommandRegistry& c, QWidget* parent)
{
    c.SetHandler(ID_INSERT_GRAPHIC, [parent] {
        if (CKavoDoc* doc = GetActiveKavoDoc())
            OnInsertGraphic(*doc, MakeImportDialog(parent));
    });
    // The frame's paste commands own these when it installed them; these
    // stand in for a registry without them.
    if (!c.HasHandler(ID_PASTE_AS_BITMAP)) {
        c.SetHandler(ID_PASTE_AS_BITMAP, [] { PastePicture("USER  Paste as Bitmap\n", CF_DIB); });
        c.SetUpdate(ID_PASTE_AS_BITMAP,
                    [](CmdUI& ui) { ui.Enable(GetActiveKavoDoc() && ClipboardHasPicture(CF_DIB)); });
    }
    if (!c.HasHandler(ID_PASTE_AS_PICTURE)) {
        c.SetHandler(ID_PASTE_AS_PICTURE, [] { PastePicture("USER  Paste as Picture\n", CF_ENHMETAFILE); });
        c.SetUpdate(ID_PASTE_AS_PICTURE,
                    [](CmdUI& ui) { ui.Enable(GetActiveKavoDoc() && ClipboardHasPicture(CF_ENHMETAFILE)); });
    }
    // The paste of diagram objects owns Paste when it is there; its handler
    // passes a clipboard without diagram data on to the picture paste.
    if (!c.HasHandler(ID_EDIT_PASTE))
        c.SetHandler(ID_EDIT_PASTE, [] {
            if (!ClipboardHasDiagram())
                PastePicture("USER  Paste\n", 0);
        });
}
