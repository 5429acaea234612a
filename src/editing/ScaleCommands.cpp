#include "editing/ScaleCommands.h"

#include "core/NumericHelpers.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/DocDefaults.h"
#include "document/FontChoice.h"
#include "document/PageLayout.h"
#include "document/UndoRecordsStaple.h"
#include "geometry/IntGeometry.h"
#include "keyword/KeywordHooks.h"
#include "platform/Prompt.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupToken.h"
#include "shapes/CConPropMask.h"
#include "undo/UndoCodes.h"
#include "undo/UndoStream.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {
// String 680.
constexpr const char* kScaleNoUndoWarning = "The Undo feature will not work for scaling the diagram and its styles.";

ScaleDialogFn g_dialog;
ScaleOptions g_lastOptions;
bool g_lastFitToPage = false;
bool g_offerToPage = true;

struct ScaleSet {
    std::vector<CFigure*> figs;
    std::vector<CConnector*> cons;
};

// The objects to scale: the selection with the members of its groups, or
// every object.
ScaleSet CollectScaleSet(const CKavoDoc& doc, bool selection)
{
    ScaleSet set;
    for (CDiagObj* o : *doc.m_pObjList) {
        const bool take = !selection || o->m_bSelected || (o->m_pGroup && [&] {
            for (const CGroup::Member& m : o->m_pGroup->m_members)
                if (m.obj && m.obj->m_bSelected)
                    return true;
            return false;
        }());
        if (!take)
            continue;
        if (o->GetType() == kObjFigure)
            set.figs.push_back(static_cast<CFigure*>(o));
        else if (o->GetType() == kObjConnector)
            set.cons.push_back(static_cast<CConnector*>(o));
    }
    return set;
}

CRect SetRect(const ScaleSet& set)
{
    CRect all;
    auto add = [&](const CDiagObj* o) {
        CRect rc;
        o->GetBoundRect(rc, 0, 0);
        rc.NormalizeRect();
        UnionRectSkipEmpty(all, rc);
    };
    for (const CFigure* f : set.figs)
        add(f);
    for (const CConnector* c : set.cons)
        add(c);
    return all;
}

// A width that was not 0 stays at least 1.
int ScaleWidth(int width, int numerator, int denominator)
{
    const int scaled = MulDiv(width, numerator, denominator);
    return width != 0 && scaled == 0 ? 1 : scaled;
}

void ScaleConnector(CKavoDoc& doc, CConnector* con, const CRect& from, const CRect& to, bool scaleLines)
{
    if (!doc.LogConnectorState(UDOC_CONPROPS, con))
        return;
    doc.InvalidateObj(con);
    MapPtBetweenRects(con->EndPoint1, from, to);
    MapPtBetweenRects(con->EndPoint2, from, to);
    if (scaleLines)
        ScaleConProps(con->m_props, to.Width(), from.Width(), nullptr);
    con->RecalcRoute();
    doc.InvalidateObj(con);
}

// A distance of the document: scaled when set (a negative one means "the
// program's default" and stays).
void ScaleDistance(int32_t& value, int numerator, int denominator)
{
    if (value > 0)
        value = ScaleWidth(value, numerator, denominator);
}

void ScaleStyles(CKavoDoc& doc, int numerator, int denominator, const ScaleOptions& options)
{
    for (int i = 0; i < doc.m_figStyles.GetCount(); ++i) {
        CFigStyle* s = doc.m_figStyles.GetAt(i);
        if (!doc.LogFigStyleProps(s))
            return;
        s->Width = MulDiv(s->Width, numerator, denominator);
        s->Height = MulDiv(s->Height, numerator, denominator);
        s->m_props.BorderWidth = ScaleWidth(s->m_props.BorderWidth, numerator, denominator);
    }
    if (options.connectors)
        for (int i = 0; i < doc.m_conStyles.GetCount(); ++i) {
            CConStyle* s = doc.m_conStyles.GetAt(i);
            if (!doc.LogConStyleProps(s))
                return;
            ScaleConProps(s->m_props, numerator, denominator, nullptr);
        }
    // The document's defaults have no undo record: the caller has reset
    // the log (ScaleCannotBeUndone).
    for (CFigStyle* s : {&doc.m_curFigStyle, &doc.m_curLblStyle})
        s->m_props.BorderWidth = ScaleWidth(s->m_props.BorderWidth, numerator, denominator);
    if (options.connectors)
        ScaleConProps(doc.m_curConStyle.m_props, numerator, denominator, nullptr);
    ScaleDistance(doc.m_nLabelToFigSpacing, numerator, denominator);
    ScaleDistance(doc.m_nLabelToConSpacing, numerator, denominator);
    for (int32_t* margin : {&doc.m_nFigMarginTop, &doc.m_nFigMarginBottom, &doc.m_nFigMarginLeft,
                            &doc.m_nFigMarginRight})
        ScaleDistance(*margin, numerator, denominator);
    ScaleDistance(doc.m_nConnectorJogRadius, numerator, denominator);
}

// The document's drop shadow, logged, so that its offsets and blur keep
// their proportion to the scaled figures.
void ScaleShadow(CKavoDoc& doc, int numerator, int denominator)
{
    CShadowSpec spec = doc.m_shadowSpec;
    spec.Scale(double(numerator) / denominator);
    if (spec == doc.m_shadowSpec || !spec.InStoredRange())
        return;
    const CShadowSpec old = doc.m_shadowSpec;
    if (!doc.UndoLogRef().UndoLog(UDOC_SHADOW, [old](UndoStream& s) { s.Raw(&old, sizeof old); }))
        return;
    doc.m_shadowSpec = spec;
    SetAppShadowDefault(spec);
}

// A figure link whose two figures are both scaled keeps its figures apart
// by the scaled distance; the other staples place their labels anew.
void ScaleFigLinks(CKavoDoc& doc, const ScaleSet& set, const CRect& from, const CRect& to)
{
    auto scaled = [&set](const CFigure* f) {
        return f && std::find(set.figs.begin(), set.figs.end(), f) != set.figs.end();
    };
    for (CDiagObj* o : *doc.m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_nType != kStapleFigLink || !scaled(s->m_pFig1) || !scaled(s->m_pFig2))
            continue;
        if (!LogStapleState(doc, s))
            return;
        s->ScaleOffset(from, to);
    }
}

// The common worker: snapping as the options say and no snap spacing for
// the duration; connectors first, then figures, then the pins.
void ScaleRectToRect(CKavoDoc& doc, const ScaleSet& set, const CRect& from, const CRect& to,
                     const ScaleOptions& options, bool selection)
{
    const int32_t snap = doc.m_bAlignToGrid, snapX = doc.m_nSnapX, snapY = doc.m_nSnapY;
    doc.m_bAlignToGrid = options.snapToGrid ? 1 : 0;
    doc.m_nSnapX = doc.m_nSnapY = 0;
    for (CConnector* c : set.cons)
        ScaleConnector(doc, c, from, to, options.connectors);
    for (CFigure* f : set.figs)
        ScaleFigure(doc, f, from, to, options.scaleText, options.scaleBorders);
    ScaleFigLinks(doc, set, from, to);
    doc.UpdateAllStaples(0);
    if (options.dropShadows && !selection)
        ScaleShadow(doc, to.Width(), from.Width());
    if (options.scaleStyles)
        ScaleStyles(doc, to.Width(), from.Width(), options);
    doc.m_nSnapX = snapX;
    doc.m_nSnapY = snapY;
    doc.m_bAlignToGrid = snap;
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, 0, nullptr);
}

bool RunScale(CKavoDoc& doc, const ScaleSet& set, const CRect& from, const CRect& to, const ScaleOptions& options,
              bool selection, bool resetUndo)
{
    if (from.IsRectEmpty() || to.IsRectEmpty())
        return false;
    // A step that would undo only part of the scaling is no undo at all.
    resetUndo = resetUndo || ScaleCannotBeUndone(options);
    if (resetUndo)
        doc.ResetUndoLog();
    else
        doc.UndoBeginStep(UDMAC_SCALE);
    ScaleRectToRect(doc, set, from, to, options, selection);
    if (!resetUndo)
        doc.UndoEndStep();
    return true;
}

// Scaled type does not take exactly the scaled room (glyphs are hinted to
// whole pixels): a figure that follows its text, a label above all, fits
// it anew around its scaled centre, so that none of it is cut off.
void RefitToScaledText(CFigure& fig, const POINT& centre)
{
    if (!(fig.m_props.Behavior.low & (kFitWidthFlag | kFitHeightFlag)) || !fig.HasText())
        return;
    if (!ResizeToText(fig, false, nullptr))
        return;
    CRect rc = fig.m_rect;
    rc.OffsetRect(centre.x - rc.CenterPoint().x, centre.y - rc.CenterPoint().y);
    fig.SetRectNoUndo(rc);
}

int SmallestTextSize(const ScaleSet& set)
{
    int smallest = 128;
    bool found = false;
    for (const CFigure* f : set.figs) {
        if (!f->HasTextAreas())
            continue;
        const int size = std::abs(int(f->m_props.m_font.m_lf.lfHeight));
        if (size > 0 && size <= smallest) {
            smallest = size;
            found = true;
        }
    }
    return found ? smallest : 0;
}
} // namespace

bool ScaleCannotBeUndone(const ScaleOptions& options)
{
    return options.scaleStyles;
}

void SetScaleDialog(ScaleDialogFn dialog)
{
    g_dialog = std::move(dialog);
}

void ResetScaleOptions()
{
    g_lastOptions = ScaleOptions();
    g_lastFitToPage = false;
    g_offerToPage = true;
}

void OfferScaleToPage(bool offer)
{
    g_offerToPage = offer;
}

CRect ScaleSourceRect(const CKavoDoc& doc, bool selection)
{
    return SetRect(CollectScaleSet(doc, selection));
}

void ScalePercentLimits(const CKavoDoc& doc, bool selection, int& lowest, int& highest)
{
    lowest = 10;
    const CRect rc = ScaleSourceRect(doc, selection);
    if (rc.Width() <= 0 || rc.Height() <= 0) {
        highest = 100;
        return;
    }
    const long long byWidth = 100LL * (doc.m_rcWorkSpace.right - rc.left) / rc.Width();
    const long long byHeight = 100LL * (doc.m_rcWorkSpace.bottom - rc.top) / rc.Height();
    highest = int(std::clamp<long long>(std::min(byWidth, byHeight), 1, INT_MAX));
    // Objects that cannot even grow to 10 percent may still take the highest.
    lowest = std::min(lowest, highest);
}

int ProposedScalePercent(const CKavoDoc& doc, bool selection)
{
    const ScaleSet set = CollectScaleSet(doc, selection);
    const CRect rc = SetRect(set);
    if (rc.Width() <= 0)
        return 0;
    int width = 64, height = 64;
    if (const int size = SmallestTextSize(set)) {
        width = rc.Width() * 4 / size;
        height = rc.Height() * 4 / size;
        FitSizeKeepAspect(width, height, rc.Width(), rc.Height(), width, height, 0);
    }
    return int(100LL * width / rc.Width());
}

bool ScaleByPercent(CKavoDoc& doc, int numerator, int denominator, bool selection, const ScaleOptions& options,
                    bool resetUndo)
{
    if (numerator <= 0 || denominator <= 0)
        return false;
    int lowest = 0, highest = 0;
    ScalePercentLimits(doc, selection, lowest, highest);
    const long long percent = 100LL * numerator / denominator;
    if (percent < lowest || percent > highest)
        return false;
    const ScaleSet set = CollectScaleSet(doc, selection);
    const CRect from = SetRect(set);
    // Whole units, the remainder dropped: 333 x 201 at 50% is 166 x 100.
    const CRect to(from.left, from.top, from.left + int(1LL * from.Width() * numerator / denominator),
                   from.top + int(1LL * from.Height() * numerator / denominator));
    return RunScale(doc, set, from, to, options, selection, resetUndo);
}

bool ScaleToRect(CKavoDoc& doc, const CRect& target, bool selection, const ScaleOptions& options, bool resetUndo)
{
    const ScaleSet set = CollectScaleSet(doc, selection);
    const CRect from = SetRect(set);
    if (from.IsRectEmpty())
        return false;
    CRect to = target;
    FitSizeCenteredInRect(to, from.Width(), from.Height());
    return RunScale(doc, set, from, to, options, selection, resetUndo);
}

void ScaleFigure(CKavoDoc& doc, CFigure* fig, const CRect& from, const CRect& to, bool scaleText, bool scaleBorder)
{
    if (from == to || !doc.LogFigRect(fig))
        return;
    // The default text size is a property too: scaled text logs them.
    if ((scaleText && !doc.LogFigText(fig, -1)) || ((scaleText || scaleBorder) && !doc.LogFigureState(fig)))
        return;
    doc.InvalidateObj(fig);
    CRect rc = fig->m_rect;
    POINT centre = rc.CenterPoint();
    MapPtBetweenRects(centre, from, to);
    if (fig->IsInvisible()) {
        // A junction keeps its size.
        rc.OffsetRect(centre.x - rc.CenterPoint().x, centre.y - rc.CenterPoint().y);
    } else {
        POINT tl = rc.TopLeft(), br = rc.BottomRight();
        MapPtBetweenRects(tl, from, to);
        MapPtBetweenRects(br, from, to);
        const int w = br.x - tl.x, h = br.y - tl.y;
        rc = CRect(centre.x - w / 2, centre.y - h / 2, centre.x - w / 2 + w, centre.y - h / 2 + h);
    }
    const bool text = scaleText && TakesCharFormat(*fig);
    if (text)
        ScaleTextSizes(*fig, to.Height(), from.Height());
    if (scaleBorder && !fig->m_bLabel)
        fig->m_props.BorderWidth = ScaleWidth(fig->m_props.BorderWidth, to.Height(), from.Height());
    fig->SetRectNoUndo(rc);
    if (text)
        RefitToScaledText(*fig, centre);
    doc.InvalidateObj(fig);
    doc.RelayAttachedCons(fig);
    doc.SetModifiedFlag(true);
}

void ScaleTextSizes(CFigure& fig, int numerator, int denominator)
{
    if (!TakesCharFormat(fig) || numerator == 0 || denominator == 0 || numerator == denominator)
        return;
    LOGFONT& lf = fig.m_props.m_font.m_lf;
    const int height = MulDiv(lf.lfHeight, numerator, denominator);
    if (height == 0)
        return;
    lf.lfHeight = height;
    std::string text, second;
    fig.GetText(text, second, -1);
    const std::string oldText = text, oldSecond = second;
    ScaleFontSizes(text, numerator, denominator, kMarkupTextLimit);
    ScaleFontSizes(second, numerator, denominator, kMarkupTextLimit);
    if (text != oldText || second != oldSecond)
        fig.SetText(text, second, -1);
}

void ScaleConProps(CConProps& props, int numerator, int denominator, CConPropMask* mask)
{
    props.End1Length = MulDiv(props.End1Length, numerator, denominator);
    props.End2Length = MulDiv(props.End2Length, numerator, denominator);
    props.LineWidth = ScaleWidth(props.LineWidth, numerator, denominator);
    props.EndBorderWidth = ScaleWidth(props.EndBorderWidth, numerator, denominator);
    props.FISize = MulDiv(props.FISize, numerator, denominator);
    props.FIBdrWidth = ScaleWidth(props.FIBdrWidth, numerator, denominator);
    props.FISpacing = MulDiv(props.FISpacing, numerator, denominator);
    if (mask)
        mask->m_bEnd1Length = mask->m_bEnd2Length = mask->m_bLineWidth = mask->m_bEndBorderWidth = mask->m_bFISize =
            mask->m_bFIBdrWidth = mask->m_bFISpacing = 1;
}

bool OnScale(CKavoDoc& doc)
{
    EnterUIMode(6, 0);
    ScaleDialogData data;
    data.selection = doc.HasSelection();
    data.options = g_lastOptions;
    data.toPageOffered = g_offerToPage;
    // A box that cannot be cleared must not open ticked.
    data.fitToPage = g_lastFitToPage && g_offerToPage;
    data.proposedPercent = ProposedScalePercent(doc, data.selection);
    ScalePercentLimits(doc, data.selection, data.lowestPercent, data.highestPercent);
    if (!g_dialog || !g_dialog(data))
        return false;
    if (data.newPercent == data.oldPercent && !data.fitToPage)
        return false;
    data.noUndo = ScaleCannotBeUndone(data.options);
    if (data.noUndo && WarnNoUndoScale) {
        bool dontShow = false;
        const int answer = ShowLoadWarning(kScaleNoUndoWarning, &dontShow);
        if (dontShow)
            WarnNoUndoScale = 0;
        if (answer != IDOK)
            return false;
    }
    g_lastOptions = data.options;
    g_lastFitToPage = data.fitToPage;
    const bool reset = data.noUndo;
    if (data.fitToPage) {
        CRect page;
        GetPageAreaRect(doc, page);
        return ScaleToRect(doc, page, data.selection, data.options, reset);
    }
    return ScaleByPercent(doc, data.newPercent, data.oldPercent, data.selection, data.options, reset);
}
