// Diagrams written before hot zones were traced on the picture's own outline
// carry hot zones of the old kind: after such a file is read, every style and
// figure that already has one gets it traced anew from its picture.
#include "render/HotZoneDocPass.h"

#include "core/AppContext.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "render/HotZoneTrace.h"

#include <vector>

namespace {

// Entries the program provides itself carry a non-zero spare flag word; their
// hot zones come with the program and are left alone.
bool IsBuiltInStyle(const CFigStyle& style)
{
    return style.m_nSpare != 0;
}

} // namespace

void GetHotZoneFromKGR(CKavoDoc& doc)
{
    std::vector<POINT> pts(kMaxTracePts);
    CFigStylesLibrary* styles = doc.GetFigStyles();
    for (int i = 0; styles && i < styles->GetCount(); ++i) {
        CFigStyle* style = styles->GetAt(i);
        if (!style || IsBuiltInStyle(*style) || !style->m_props.HasGraphic() ||
            !style->m_hotZone.HasPoints())
            continue;
        DiagPrintf("HZ: GetHotZoneFromKGR() for %s\n", style->m_strName.c_str());
        int count = 0;
        GetHotZoneFromGraphic(style->m_props.Graphic, style->m_props.m_nGraphicType, &count,
                              pts.data());
        style->SetHotZone(count, pts.data());
    }
    doc.ForEachFigure([&](CFigure* fig) {
        if (!fig->HasPicture() || !fig->m_outline.HasPoints())
            return;
        int count = 0;
        GetHotZoneFromGraphic(fig->m_props.Graphic, fig->m_props.m_nGraphicType, &count,
                              pts.data());
        fig->SetPolyPoints(count, pts.data());
    });
    if (IAppContext* app = GetAppContext())
        app->UpdateAllDocuments();
}
