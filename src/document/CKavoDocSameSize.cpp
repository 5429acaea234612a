// Make Same Size: the selected figures take the width, the height or both
// of a reference figure, in one undo step.
#include "document/CKavoDoc.h"

#include "core/Trace.h"
#include "document/CFigure.h"
#include "document/FigPropValues.h"
#include "shapes/CFigPropMask.h"
#include "undo/UndoCodes.h"

namespace {
constexpr int kSameHeight = 0, kSameWidth = 1, kSameBoth = 2;

bool TakesSize(const CDiagObj* o)
{
    if (o->GetType() != kObjFigure)
        return false;
    const auto* f = static_cast<const CFigure*>(o);
    return !f->m_bLabel && !f->IsInvisible();
}

// The first selected figure that is visible and no label, one outside any
// group preferred.
CFigure* SameSizeReference(const CObjList& sel)
{
    CFigure* grouped = nullptr;
    for (CDiagObj* o : sel) {
        if (!TakesSize(o))
            continue;
        if (!o->m_pGroup)
            return static_cast<CFigure*>(o);
        if (!grouped)
            grouped = static_cast<CFigure*>(o);
    }
    return grouped;
}
} // namespace

void CKavoDoc::MakeSameSize(int kind, bool applyToGroups)
{
    if (GetSelCount() < 2)
        return;
    CFigure* ref = SameSizeReference(*m_pSelList);
    if (!ref)
        return;
    FigPropValues values;
    values.width = ref->m_rect.Width();
    values.height = ref->m_rect.Height();
    CFigPropMask mask;
    mask.m_bSheet[kSheetWidth] = kind != kSameHeight;
    mask.m_bSheet[kSheetHeight] = kind != kSameWidth;
    std::vector<CFigure*> changed;
    UndoBeginStep(UDMAC_SAMESIZE);
    for (CDiagObj* o : *m_pSelList) {
        if (o == ref || !TakesSize(o))
            continue;
        auto* f = static_cast<CFigure*>(o);
        values.props = f->m_props;
        if (!ApplyFigProps(f, values, mask, applyToGroups))
            break;
        changed.push_back(f);
    }
    RelayAttachedCons(changed);
    UndoEndStep();
}

void CKavoDoc::OnSameWidth()
{
    DiagPrintf("USER  Make same size - width\n");
    bool answer = false;
    AskApplyToGroups(answer);
    MakeSameSize(kSameWidth, answer);
}

void CKavoDoc::OnSameHeight()
{
    DiagPrintf("USER  Make same size - height\n");
    bool answer = false;
    AskApplyToGroups(answer);
    MakeSameSize(kSameHeight, answer);
}

void CKavoDoc::OnSameSize()
{
    DiagPrintf("USER  Make same size - both\n");
    bool answer = false;
    AskApplyToGroups(answer);
    MakeSameSize(kSameBoth, answer);
}
