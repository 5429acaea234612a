#pragma once
// The web-page export: one image and one page with its image map per diagram,
// linked diagrams exported as further pages, linked documents copied beside
// them. One session spans a whole export, recursive pages included.
#include "platform/CRect.h"
#include "platform/Colorref.h"
#include "render/HtmlPage.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CKavoDoc;

struct HtmlExportOptions {
    QString folder;                // ends with a separator
    int format = 4;                // 4 JPEG, 5 PNG, 7 GIF
    std::string extension = "htm";
    int scope = 0;                 // 0 all objects, 1 the selection
    int scale = 100;
    int quality = 85;
    int bits = 24;
    HtmlLinkOptions links;
    bool antialias = true;
    COLORREF background = 0xFFFFFF;  // the image's background (0x030201: none)
};

// What the writer needs of the document and the application.
struct HtmlExportServices {
    // The bounding rectangle of the objects of a scope (grown by 1 on every side).
    std::function<CRect(CKavoDoc& doc, int scope)> objSetRect;
    // The open document of a diagram path, or null (the session then reads
    // the diagram itself).
    std::function<CKavoDoc*(const QString& path)> openDiagram;
};

struct HtmlExportSession {
    HtmlExportOptions options;
    HtmlExportServices services;
    HtmlNames names;
    std::vector<QString> written;  // every file written, in order
    // Linked diagrams that were not open, read by the export itself without a
    // window; they close when the session ends.
    std::vector<std::shared_ptr<CKavoDoc>> opened;
    bool Listed(const QString& path) const;
    // The diagram at path read quietly into `opened`, or null when it cannot be read.
    CKavoDoc* OpenQuietly(const QString& path);
};

// Writes the diagram's image and page; 1 on success, 0 when the options,
// the image or the page fail (nothing is then referred to that is missing).
int HtmlImageMapWriter(CKavoDoc& doc, const HtmlExportOptions& options, HtmlExportSession& session);
