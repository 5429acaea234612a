#include "controls/StyleChoiceSeams.h"

#include "controls/CStylePickList.h"
#include "controls/StylePickCategories.h"
#include "document/CKavoDoc.h"
#include "shapes/StyleCategoryList.h"

int g_bStyleChoiceSettingsChanged = 0;

StyleChoiceSeams& GetStyleChoiceSeams()
{
    static StyleChoiceSeams seams;
    return seams;
}

namespace {

bool KindHasCategory(CKavoDoc& doc, StylePickKind kind, const std::string& name)
{
    const StyleLibRef lib = KindLibrary(doc, kind);
    for (int i = 0; i < lib.Count(); ++i)
        if (const CStyle* s = KindStyleAt(&doc, kind, i); s && CStylePickList::InCategory(s->Category, name))
            return true;
    return false;
}

} // namespace

std::string StyleChoiceCategory(CKavoDoc* doc, StylePickKind kind, int command, const std::string& categoryName)
{
    const bool ofCategory = IsMoreEntryId(UINT(command)) && UINT(command) != kMoreId;
    if (ofCategory && doc && !categoryName.empty() && KindHasCategory(*doc, kind, categoryName))
        return categoryName;
    return kAllCategories;
}

bool ChooseStyleForPicker(StyleChoiceRequest& request, int& current)
{
    const auto& run = GetStyleChoiceSeams().runDialog;
    if (!run || !request.doc || !run(request))
        return false;
    g_bStyleChoiceSettingsChanged = 1;
    KindStamp(*request.doc, request.kind).AssignNext();
    if (request.rebuildBar && GetStyleChoiceSeams().rebuildStyleBar)
        GetStyleChoiceSeams().rebuildStyleBar();
    current = request.selected;
    return true;
}
