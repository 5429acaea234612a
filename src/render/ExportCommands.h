#pragma once
// The document commands "&Export Graphic..." and "Save &HTML...": the flow
// between the user's choices (file and options dialogs, reached through the
// seams below so tests can answer them) and the writers.
#include "platform/CRect.h"
#include "render/DiagramExport.h"
#include "render/HtmlExport.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class CKavoDoc;

constexpr int ID_FILE_EXPORT = 40003;
constexpr int ID_SAVE_HTML = 36559;

// What the export command needs from the user and the document.
struct ExportCommandServices {
    // The save dialog: title, proposed name, filter, preselected filter index
    // and start folder in; false for Cancel; the chosen path and filter out.
    std::function<bool(const std::string& title, const QString& proposed, const std::string& filter,
                       int& filterIndex, const QString& folder, QString& path)>
        saveDialog;
    ExportOptionsFn optionsDialog;
    // The bounding rectangle of a set (grown by 1 on every side).
    std::function<CRect(CKavoDoc& doc, int which)> objSetRect;
};

// "&Export Graphic...": returns whether a file was written.
bool OnFileExport(CKavoDoc& doc, const ExportCommandServices& services);

// The HTML options dialog's checks on OK: a trailing separator on the folder,
// a folder that exists (or is created when the user agrees), an extension
// without blanks or dots. False keeps the dialog open.
bool CheckHtmlOptions(QString& folder, const std::string& extension);

// What "Save &HTML..." needs: the options dialog, the result list, the
// document services of the writer, and closing the documents it opened.
struct HtmlCommandServices {
    std::function<bool(HtmlExportOptions& options)> optionsDialog;
    std::function<void(const std::vector<QString>& files, const QString& page)> showResult;
    HtmlExportServices documents;
};
bool OnSaveHtml(CKavoDoc& doc, const HtmlCommandServices& services);
