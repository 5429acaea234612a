#include "editing/ClipboardCommands.h"

#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "document/Placement.h"
#include "fileformat/DiagramClipboard.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupPositions.h"
#include "richtext/MarkupToken.h"
#include "richtext/TextUtils.h"
#include "undo/UndoCodes.h"

#include <memory>
#include <new>

namespace {
// The current label style, made the first label style of the library when
// none is current. Without any label style the document's own label
// properties stay (index -1).
const CFigStyle& PasteLabelStyle(CKavoDoc& doc, int& index)
{
    for (int i = 0; doc.m_nCurLblStyle < 0 && i < doc.m_figStyles.GetCount(); ++i)
        if (doc.m_figStyles.GetAt(i)->Label)
            doc.SetCurLblStyle(i);
    index = doc.m_nCurLblStyle;
    return doc.m_curLblStyle;
}

std::unique_ptr<CFigure> MakePasteLabel(CKavoDoc& doc, const POINT& pos)
{
    int index = -1;
    const CFigStyle& style = PasteLabelStyle(doc, index);
    const int width = style.Width > 0 ? style.Width : 15, height = style.Height > 0 ? style.Height : 15;
    return std::unique_ptr<CFigure>(new (std::nothrow) CFigure(pos.x, pos.y, height, width, style.m_props, index, 1,
                                                               std::string(), std::string(), CFigure::CreateArgs(),
                                                               &doc));
}

CFigure* AddPasteLabel(CKavoDoc& doc, std::unique_ptr<CFigure> label, const std::string& text)
{
    if (!label || text.empty())
        return nullptr;
    label->SetText(text, std::string(), -1);
    doc.ClearSelection();
    CFigure* added = doc.AddNewFig(UDMAC_PASTE, label.get(), false);
    if (!added)
        return nullptr;
    label.release();
    // The fit joins the paste: undoing the paste removes the label anyway.
    doc.HoldUndoLog();
    FitFigToText(doc, added, 0, true, true, nullptr);
    doc.ReleaseUndoLog();
    doc.SetModifiedFlag(true);
    return added;
}
} // namespace

int RunCopyCommand(CKavoDoc& doc, const std::function<int(CKavoDoc&)>& copy)
{
    DiagPrintf("USER  Copy\n");
    doc.UndoBeginStep(UDMAC_COPYOBJS);
    const int copied = copy ? copy(doc) : 0;
    doc.UndoEndStep();
    if (doc.UndoLogRef().IsUndoStepAbandoned())
        doc.UndoLastStep();
    doc.BuildMoveContext(doc.m_pSelList.get(), doc.m_pObjList.get(), 0, 1);
    return copied;
}

CFigure* PastePlainTextAsLabel(CKavoDoc& doc, const std::string& plain, const POINT& pos)
{
    // Cut before the conversion, so that no markup is cut in two.
    std::string text = plain.substr(0, size_t(kPastedTextLimit));
    // Lines end in LF, CR LF or CR: each becomes one line break.
    ReplaceAllSubStrings(text, "\r\n", "\n");
    ReplaceChar(text, '\r', '\n');
    ReplaceAllSubStrings(text, "\n", "\r\n");
    PlainTextToMarkupForPaste(text);
    std::string markup;
    if (!InsertStringAt(markup, 0, text, kMarkupTextLimit, true))
        return nullptr;
    return AddPasteLabel(doc, MakePasteLabel(doc, pos), markup);
}

CFigure* PasteMarkupAsLabel(CKavoDoc& doc, const std::string& markup, const POINT& pos)
{
    std::unique_ptr<CFigure> label = MakePasteLabel(doc, pos);
    if (!label)
        return nullptr;
    const TextFormatRec format = FigureSectionFormat(*label, 0);
    std::string text;
    if (!InsertMarkupAt(text, &format, markup, 0, kMarkupTextLimit) || CountMarkupChars(text) == 0)
        return nullptr;
    return AddPasteLabel(doc, std::move(label), text);
}

CSize DuplicateOffset(const CKavoDoc& doc)
{
    if (doc.m_bAlignToGrid)
        return CSize(2 * doc.m_nSnapX, 2 * doc.m_nSnapY);
    return CSize(16, 16);
}

bool OnDuplicate(CKavoDoc& doc)
{
    DiagPrintf("USER  Duplicate\n");
    const CSize offset = DuplicateOffset(doc);
    const bool duplicated = DuplicateSelectionInPlace(doc, offset.cx, offset.cy);
    ResetPasteOffset();
    doc.RefreshSelection();
    return duplicated;
}
