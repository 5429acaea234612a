#pragma once
// "Insert &Graphic...": the Import Graphic chooser, the picture load with the
// import options, and the new picture figure. The chooser is reached through
// a function the caller passes, so that tests can answer it.
#include "platform/GlobalMem.h"

#include <QString>

#include <functional>
#include <string>

class CKavoDoc;

constexpr int ID_INSERT_GRAPHIC = 32785;

// What the chooser is asked, and what it answers.
struct ImportDialogRequest {
    std::string title;       // "Import Graphic"
    std::string filter;      // the import filter ("|"-separated)
    std::string defaultExt;  // of the remembered file type; empty for none
    int filterIndex = 1;     // in: the remembered index; out: where the user left it (1-based)
    QString folder;          // the import folder
    QString path;            // out: the chosen file
};
// False for Cancel.
using ImportDialogFn = std::function<bool(ImportDialogRequest& request)>;

// A picture loaded through the chooser.
struct ImportedGraphic {
    HGLOBAL handle = nullptr;
    int kind = 0;            // on failure: the file type tried (2 and 3 are metafiles)
    int width = 0, height = 0;
    QString path;
};
enum class ImportResult { Cancelled, Loaded, Failed };

// The chooser on the import folder with the remembered file type, then the
// picture loaded on white with the Clean Background and Transparent Edges
// settings. A load remembers the folder and the file type chosen.
ImportResult ImportGraphicFile(const ImportDialogFn& dialog, ImportedGraphic& out);

// Tells the user why a chosen file did not load: too many pixels (worded for
// inserting a figure, or for using the picture in one), or a damaged file or
// one of no known kind.
void ReportFailedImport(const ImportedGraphic& picture, bool inserting);

// The command: the picture becomes a figure at the next new-object position,
// its size scaled by the ScaleImport percent, in one undo step. Failures are
// reported to the user. True when a figure was added.
bool OnInsertGraphic(CKavoDoc& doc, const ImportDialogFn& dialog);
