#include "editing/FindReplace.h"

#include "core/Trace.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigTextServices.h"
#include "editing/SizeToText.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupPositions.h"
#include "richtext/MarkupQueries.h"
#include "richtext/TextUtils.h"
#include "shapes/CFigSymbol.h"
#include "undo/CUndoLog.h"
#include "undo/UndoCodes.h"

#include <algorithm>
#include <vector>

namespace {

std::string AreaMarkup(const CFigure& fig, int area)
{
    std::string text;
    fig.GetPlainText(text, area);
    return text;
}

// The figures in ascending id order: the order the search visits them in,
// whatever their drawing order.
std::vector<const CFigure*> FiguresById(const CKavoDoc& doc)
{
    std::vector<const CFigure*> figs;
    for (const CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjFigure)
            figs.push_back(static_cast<const CFigure*>(o));
    std::sort(figs.begin(), figs.end(), [](const CFigure* a, const CFigure* b) { return a->m_nId < b->m_nId; });
    return figs;
}

// The first hit in the figure from (area, from); later areas from 0.
bool FindInFigure(const CFigure& fig, const FindOptions& options, int area, int from, FindMatch& hit)
{
    const int areas = SearchableAreaCount(fig);
    for (int a = std::max(area, 0); a < areas; ++a, from = 0) {
        int start = 0, end = 0;
        if (FindInMarkup(AreaMarkup(fig, a), options.findText.c_str(), options.matchCase, options.wholeWord, from,
                         start, end)) {
            hit = {fig.m_nId, a, start, end};
            return true;
        }
    }
    return false;
}

CFigure* MatchFigure(const CKavoDoc& doc, const FindMatch& match)
{
    CDiagObj* obj = match.id >= 0 ? doc.m_pObjList->FindById(match.id, kObjFigure) : nullptr;
    return static_cast<CFigure*>(obj);
}

// A replace command that changed nothing leaves no step to undo.
void EndReplaceStep(CKavoDoc& doc, int code, bool changed)
{
    doc.UpdateAllStaples(0);
    doc.UndoEndStep();
    CUndoLog& log = doc.UndoLogRef();
    if (!changed && log.GetLastUndoStepCode() == code)
        log.DiscardLastUndoStep();
}

} // namespace

int SearchableAreaCount(const CFigure& fig)
{
    if (fig.HasPicture() || fig.IsInvisible())
        return 0;
    const CFigSymbol* symbol = fig.GetSymbol();
    if (!symbol)
        return 0;
    return symbol->m_nTextBoxes > 0 ? fig.GetTextAreaCount() : 1;
}

bool IsValidMatch(const CFigure& fig, int area, int start, int end)
{
    if (area < 0 || area >= SearchableAreaCount(fig) || start < 0 || start >= end || !fig.HasText())
        return false;
    return end <= CountMarkupChars(AreaMarkup(fig, area));
}

bool IsValidMatch(const CKavoDoc& doc, const FindMatch& match)
{
    const CFigure* fig = MatchFigure(doc, match);
    return fig && IsValidMatch(*fig, match.area, match.start, match.end);
}

bool FindNextText(const CKavoDoc& doc, const FindOptions& options, FindMatch& match)
{
    const std::vector<const CFigure*> figs = FiguresById(doc);
    if (figs.empty() || options.findText.empty())
        return false;
    size_t first = 0;
    int area = 0, from = 0;
    if (IsValidMatch(doc, match)) {
        first = size_t(std::find_if(figs.begin(), figs.end(), [&](const CFigure* f) { return f->m_nId == match.id; }) -
                       figs.begin());
        area = match.area;
        from = match.start + 1;
    }
    // Every figure once from the start point on, then the start figure again
    // from its beginning, for hits before the start point.
    for (size_t k = 0; k <= figs.size(); ++k) {
        const CFigure& fig = *figs[(first + k) % figs.size()];
        FindMatch hit;
        if (FindInFigure(fig, options, k == 0 ? area : 0, k == 0 ? from : 0, hit)) {
            match = hit;
            return true;
        }
    }
    return false;
}

bool ReplaceMatch(CKavoDoc& doc, const FindMatch& match, const std::string& replacement)
{
    CFigure* fig = MatchFigure(doc, match);
    if (!fig || !IsValidMatch(*fig, match.area, match.start, match.end))
        return false;
    std::string text, second;
    fig->GetText(text, second, match.area);
    const TextFormatRec format = FigureSectionFormat(*fig, match.area);
    std::string inserted = replacement;
    PlainTextToMarkup(inserted);
    if (!ReplaceCharRange(text, match.start, match.end, &format, inserted))
        return false;
    if (!doc.LogFigText(fig, -1) || !doc.LogFigRect(fig) || !LogFitFollowers(doc, fig))
        return false;
    doc.InvalidateObj(fig);
    fig->SetText(text, second, match.area);
    if (const FigTextServices& svc = GetFigTextServices(); svc.reflowText)
        svc.reflowText(*fig);
    doc.InvalidateObj(fig);
    if ((fig->m_props.Behavior.low & (kFitWidthFlag | kFitHeightFlag)) && !IsSpecialTextArea(*fig, match.area))
        FitFigToText(doc, fig, 1, true, false, nullptr);
    doc.SetModifiedFlag(true);
    return true;
}

bool ReplaceCurrentMatch(CKavoDoc& doc, const FindMatch& match, const std::string& replacement)
{
    DiagPrintf("USER  Replace\n");
    if (!IsValidMatch(doc, match))
        return false;
    doc.UndoBeginStep(UDMAC_REPLACE);
    const bool done = ReplaceMatch(doc, match, replacement);
    EndReplaceStep(doc, UDMAC_REPLACE, done);
    return done;
}

int ReplaceAllText(CKavoDoc& doc, const FindOptions& options, const std::string& replacement, int* refused)
{
    DiagPrintf("USER  Replace all\n");
    if (refused)
        *refused = 0;
    if (options.findText.empty())
        return 0;
    std::string inserted = replacement;
    PlainTextToMarkup(inserted);
    // The search goes on after the text put in; an empty replacement leaves
    // it where the hit was, so that "abab" less "ab" is empty.
    const int step = CountMarkupChars(inserted);
    int count = 0;
    doc.UndoBeginStep(UDMAC_REPLACEALL);
    // A snapshot of the list: replacing refits figures, it never adds any.
    std::vector<int32_t> ids;
    for (const CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjFigure)
            ids.push_back(o->m_nId);
    for (int32_t id : ids) {
        int area = 0, from = 0;
        for (;;) {
            CFigure* fig = MatchFigure(doc, FindMatch{id});
            FindMatch hit;
            if (!fig || !FindInFigure(*fig, options, area, from, hit))
                break;
            // A hit that cannot be replaced (the area would grow past its
            // limit) is stepped over; a replaced one either shortens the
            // text or moves the search on, so the loop always ends.
            const bool replaced = ReplaceMatch(doc, hit, replacement);
            count += replaced ? 1 : 0;
            if (!replaced && refused)
                ++*refused;
            area = hit.area;
            from = replaced ? hit.start + step : hit.start + 1;
        }
    }
    EndReplaceStep(doc, UDMAC_REPLACEALL, count > 0);
    return count;
}
