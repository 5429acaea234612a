#include "dialogs/sheets/FigSheetData.h"

#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "richtext/MarkupQueries.h"
#include "shapes/CFigStyle.h"
#include "undo/UndoCodes.h"

#include <cmath>

namespace {
constexpr DWORD kSheetAttrBits = kLockTextFormat | kLockPosition | kLockSize;

bool IsSheetObject(const CFigure* f, bool labels)
{
    return !f->IsInvisible() && (f->m_bLabel != 0) == labels;
}
} // namespace

bool FigSheetData::HasChanges() const
{
    return changed || (variant == kFigSheetStyles ? mask.CountSet() : mask.CFigPropMask::CountSet()) > 0;
}

void FigSheetData::ResetChanges()
{
    mask.SetAll(0);
    changed = 0;
}

int CollectSheetObjects(const CKavoDoc& doc, bool labels, CFigure** first)
{
    int count = 0;
    if (first)
        *first = nullptr;
    for (CDiagObj* o : *doc.m_pSelList) {
        if (o->GetType() != kObjFigure || !IsSheetObject(static_cast<CFigure*>(o), labels))
            continue;
        if (first && !*first)
            *first = static_cast<CFigure*>(o);
        ++count;
    }
    return count;
}

bool LoadSheetFromSelection(FigSheetData& d, CKavoDoc& doc, bool labels)
{
    CFigure* first = nullptr;
    const int count = CollectSheetObjects(doc, labels, &first);
    if (!first)
        return false;
    d.doc = &doc;
    d.variant = kFigSheetProps;
    d.label = labels ? 1 : 0;
    d.style = first->m_nStyle;
    d.props = first->m_props;
    d.several = count > 1;
    d.stylesDiffer = 0;
    for (CDiagObj* o : *doc.m_pSelList)
        if (o->GetType() == kObjFigure && IsSheetObject(static_cast<CFigure*>(o), labels) &&
            static_cast<CFigure*>(o)->m_nStyle != first->m_nStyle)
            d.stylesDiffer = 1;
    if (!d.several) {
        d.left = first->m_rect.left;
        d.top = first->m_rect.top;
        d.width = first->m_rect.Width();
        d.height = first->m_rect.Height();
        d.text = first->m_strText;
        d.secondText = first->m_strSecondText;
        d.attrFlags = first->m_props.Behavior.low & kSheetAttrBits;
    }
    d.savedText = d.text;
    d.savedSecondText = d.secondText;
    d.hadFormatting = MarkupHasFormatting(d.text);
    d.labelAttached = labels && (first->IsConLabel() || first->IsFigLabel() || first->IsFlowLabel());
    if (!labels && first->m_pConPts)
        d.conPts.CopyFromEx(*first->m_pConPts, true);
    d.noConPts = !labels && first->HasPicture() == false && first->GetSymbol() == nullptr;
    d.snapConPtsToGrid = doc.m_bAlignToGridConPts;
    d.snapConPtsToCentres = doc.m_bSnapConPtsCenters;
    d.ResetChanges();
    return true;
}

FigPropValues MakeSheetValues(const FigSheetData& d)
{
    FigPropValues v;
    v.props = d.props;
    v.x = int(std::lround(d.left));
    v.y = int(std::lround(d.top));
    v.width = int(std::lround(d.width));
    v.height = int(std::lround(d.height));
    v.style = d.style;
    v.text = d.text;
    v.secondText = d.secondText;
    v.conPts = &d.conPts;
    return v;
}

void ApplySheetToSelection(FigSheetData& d, long long& stepMark)
{
    CKavoDoc& doc = *d.doc;
    if (d.changed)
        d.mask.m_bSheet[kSheetText] = 1;
    CUndoLog& log = doc.UndoLogRef();
    // Join only the step this sheet recorded, and only while nothing else
    // was recorded after it.
    const bool join = stepMark >= 0 && stepMark == (long long)log.m_nStepsRecorded &&
                      log.GetLastUndoStepCode() == UDMAC_FIGPROPS;
    const uint32_t before = log.m_nStepsRecorded;
    const FigPropValues values = MakeSheetValues(d);
    if (join && log.UndoReopenLastStep(-3)) {
        // The same work as ApplyPropsToSelection, inside the reopened step.
        bool answer = false;
        doc.AskApplyToGroups(answer);
        doc.ApplyPropsToKind(d.label != 0, values, d.mask, answer);
        doc.UndoEndStep();
    } else {
        doc.ApplyPropsToSelection(d.label ? 1 : 0, values, d.mask);
        if (log.m_nStepsRecorded != before)
            stepMark = (long long)log.m_nStepsRecorded;
    }
    if (doc.m_bAlignToGridConPts != d.snapConPtsToGrid || doc.m_bSnapConPtsCenters != d.snapConPtsToCentres) {
        doc.m_bAlignToGridConPts = d.snapConPtsToGrid;
        doc.m_bSnapConPtsCenters = d.snapConPtsToCentres;
        doc.SetModifiedFlag(true);
    }
}

bool SetConPtNameAndFlag(CConPtList& list, int index, const std::string& name, int32_t flag)
{
    if (index < 0 || index >= list.GetCount())
        return false;
    // The list hands out its points read-only: it is built again with the
    // same ids, positions and order.
    CConPtList next;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CConPt* p = list.GetAt(i);
        const bool edited = i == index;
        next.AddConPt(p->m_pos, edited ? name : p->m_strName, edited ? flag : p->m_nFlag, true, p->m_nId);
    }
    list.CopyFrom(next);
    return true;
}

FigSheetSample SampleFromSelection(const CKavoDoc& doc, bool labels)
{
    FigSheetSample sample;
    const CFigure* one = nullptr;
    int count = 0;
    for (CDiagObj* o : *doc.m_pSelList) {
        if (o->GetType() != kObjFigure)
            continue;
        const auto* f = static_cast<const CFigure*>(o);
        if (f->IsInvisible() || f->IsInGroup())
            continue;
        if (labels ? f->GetTextAreaCount() <= 0 : f->m_bLabel != 0)
            continue;
        one = f;
        ++count;
    }
    if (count != 1)
        return sample;
    sample.present = true;
    sample.width = one->m_rect.Width();
    sample.height = one->m_rect.Height();
    sample.text = one->m_strText.substr(0, CFigure::kMaxText);
    sample.secondText = one->m_strSecondText.substr(0, CFigure::kMaxSecondText);
    sample.symbol = one->m_props.Symbol;
    if (one->m_props.HasGraphic()) {
        sample.graphicType = one->m_props.m_nGraphicType;
        sample.graphic = one->m_props.Graphic;
    }
    if (one->m_pConPts)
        sample.conPts.CopyFromEx(*one->m_pConPts, true);
    return sample;
}
