#include "editing/ui/ClipboardUi.h"

#include "core/AppContext.h"
#include "core/MsgBox.h"
#include "core/Trace.h"
#include "core/Units.h"
#include "document/CKavoDoc.h"
#include "editing/ClipboardCommands.h"
#include "editing/ui/PictureClipboardUi.h"
#include "fileformat/CPasteLoadObj.h"
#include "fileformat/DiagramClipboard.h"
#include "graphics/BitmapHelpers.h"
#include "platform/Ansi.h"
#include "platform/GdiObjects.h"
#include "platform/Prompt.h"
#include "render/DiagramExport.h"
#include "richtext/RichTextClipboard.h"
#include "richtext/RtfReader.h"
#include "richtext/TextUtils.h"
#include "undo/UndoCodes.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>

#include <algorithm>

namespace {
// The longest side of the copied picture in pixels: a huge selection is
// drawn smaller rather than not at all.
constexpr int kMaxPictureSide = 4096;
// Rich text longer than this is not read (the label keeps 4095 characters).
constexpr qsizetype kMaxRichTextBytes = qsizetype(kRtfReadLimit);

QByteArray Bytes(const std::string& s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

std::string Text(const QByteArray& b)
{
    return std::string(b.constData(), size_t(b.size()));
}

int PasteFormatOfMime(const QString& mime)
{
    if (mime == kDiagramMimeType)
        return kCfKavoDiagram;
    if (mime == kMimeKrtf || mime == kMimeRtf || mime == kMimeRtfWithoutObjects)
        return kCfKavoKrtf;
    if (mime == kMimeText)
        return kCfText;
    return PictureFormatOfMime(mime);
}

// A single selected figure with text (connectors not counted) offers its
// plain text.
void AddPlainText(const CKavoDoc& doc, QMimeData& data)
{
    const CFigure* fig = nullptr;
    for (const CDiagObj* o : *doc.m_pSelList) {
        if (o->GetType() != kObjFigure)
            continue;
        if (fig)
            return;
        fig = static_cast<const CFigure*>(o);
    }
    if (!fig || !fig->HasText())
        return;
    std::string plain;
    fig->GetPlainText(plain, -1);
    MarkupToClipboardText(plain);
    data.setText(AnsiToQString(plain));
}

// The selection drawn now at screen size (smaller when huge) as PNG and EMF.
void AddPictures(CKavoDoc& doc, QMimeData& data)
{
    const CRect rect = GetExportRect(doc, kExportSelected, nullptr, false);
    int width = LogicalToScreenPixels(rect.Width()), height = LogicalToScreenPixels(rect.Height());
    if (width <= 0 || height <= 0)
        return;
    const int side = std::max(width, height);
    if (side > kMaxPictureSide) {
        width = std::max(1, int(qint64(width) * kMaxPictureSide / side));
        height = std::max(1, int(qint64(height) * kMaxPictureSide / side));
    }
    if (std::unique_ptr<CBitmap> bitmap =
            RenderToBitmap(doc, kExportSelected, rect, 24, height, width, RGB(255, 255, 255), false)) {
        QByteArray png;
        QBuffer buffer(&png);
        if (buffer.open(QIODevice::WriteOnly) && bitmap->Image().save(&buffer, "PNG"))
            data.setData("image/png", png);
    }
    const std::vector<BYTE> emf = RenderToEmfBytes(doc, kExportSelected, rect);
    if (!emf.empty())
        data.setData("image/emf", QByteArray(reinterpret_cast<const char*>(emf.data()), qsizetype(emf.size())));
}

void CloseTextEditor()
{
    IAppContext* context = GetAppContext();
    IActiveView* view = context ? context->GetActiveView() : nullptr;
    if (view && view->IsTextEditorOpen())
        view->CloseTextEditor();
}

// The rich text of the data as markup: the program's own, else RTF.
bool RichTextOf(const QMimeData& data, std::string& markup)
{
    const QByteArray krtf = data.data(kMimeKrtf);
    if (!krtf.isEmpty() && krtf.size() <= kMaxRichTextBytes) {
        markup = Text(krtf);
        return true;
    }
    for (const char* mime : {kMimeRtf, kMimeRtfWithoutObjects}) {
        const QByteArray rtf = data.data(mime);
        if (!rtf.isEmpty() && RtfToMarkup(Text(rtf), markup))
            return true;
    }
    return false;
}

bool PasteText(CKavoDoc& doc, const QMimeData& data, int format)
{
    CloseTextEditor();
    const POINT pos = doc.GetNewObjPos();
    if (format == kCfKavoKrtf) {
        std::string markup;
        return RichTextOf(data, markup) && PasteMarkupAsLabel(doc, markup, pos);
    }
    if (!data.hasText())
        return false;
    // Megabytes of text are cut before they are converted.
    const std::string plain = QStringToAnsi(data.text().left(kPastedTextLimit));
    return PastePlainTextAsLabel(doc, plain, pos) != nullptr;
}

bool PasteOneFormat(CKavoDoc& doc, const QMimeData& data, int format)
{
    switch (format) {
    case kCfKavoDiagram: {
        const QByteArray text = data.data(kDiagramMimeType);
        return !text.isEmpty() && PasteDiagramObjects(doc, Text(text));
    }
    case kCfKavoKrtf:
    case kCfText: return PasteText(doc, data, format);
    case kCfDib:
    case kCfEnhMetafile: return PastePictureFromClipboard(doc, format);
    default: return false;
    }
}
} // namespace

int CopySelectedToClipboard(CKavoDoc& doc)
{
    DiagPrintf("STAT  CopySelected()\n");
    if (!doc.HasSelection())
        return 0;
    const std::string text = CopyDiagramObjects(doc);
    if (text.empty() || !doc.UndoLogRef().UndoLog(UDOC_TOCLIPBD))
        return 0;
    auto* data = new QMimeData;
    data->setData(kDiagramMimeType, Bytes(text));
    AddPlainText(doc, *data);
    AddPictures(doc, *data);
    QApplication::clipboard()->setMimeData(data);
    return 1;
}

void OnEditCopy(CKavoDoc& doc)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int copied = RunCopyCommand(doc, &CopySelectedToClipboard);
    QApplication::restoreOverrideCursor();
    if (!copied)
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Unable to copy to the clipboard");
}

std::vector<int> PasteFormatsOf(const QMimeData* data)
{
    std::vector<int> formats;
    if (!data)
        return formats;
    for (const QString& mime : data->formats()) {
        const int format = PasteFormatOfMime(mime);
        if (format && std::find(formats.begin(), formats.end(), format) == formats.end())
            formats.push_back(format);
    }
    return formats;
}

bool ClipboardCanPaste(int format)
{
    const std::vector<int> formats = PasteFormatsOf(QApplication::clipboard()->mimeData());
    return format == 0 ? !formats.empty() : std::find(formats.begin(), formats.end(), format) != formats.end();
}

bool PasteFromClipboard(CKavoDoc& doc, int format)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<int> formats = PasteFormatsOf(data);
    if (format != 0)
        formats.assign(1, format);
    bool pasted = false;
    for (size_t i = 0; i < formats.size() && !pasted; ++i)
        pasted = PasteOneFormat(doc, *data, formats[i]);
    QApplication::restoreOverrideCursor();
    return pasted;
}

bool OnEditPaste(CKavoDoc& doc, int format, const char* trace)
{
    DiagPrintf("%s", trace);
    if (PasteFromClipboard(doc, format))
        return true;
    MsgBoxPrintf(MB_ICONEXCLAMATION, "Unable to paste from the clipboard");
    return false;
}
