#include "controls/StylePickKinds.h"

#include "core/UIMode.h"
#include "document/CKavoDoc.h"

namespace {

int FindOfKind(const CKavoDoc& doc, StylePickKind kind, const char* name)
{
    const int index = kind == StylePickKind::Connector ? doc.m_conStyles.FindByName(name)
                                                       : doc.m_figStyles.FindByName(name);
    return KindStyleAt(&doc, kind, index) ? index : -1;
}

int FirstOfKind(const CKavoDoc& doc, StylePickKind kind)
{
    switch (kind) {
    case StylePickKind::Label: return doc.m_figStyles.FindNthLabelStyle(0);
    case StylePickKind::Figure: return doc.m_figStyles.FindNthFigStyle(0);
    case StylePickKind::Connector: return doc.m_conStyles.GetCount() > 0 ? 0 : -1;
    }
    return -1;
}

} // namespace

int StyleCommandBase(StylePickKind kind)
{
    switch (kind) {
    case StylePickKind::Label: return kLblStyleCmdFirst;
    case StylePickKind::Figure: return kFigStyleCmdFirst;
    case StylePickKind::Connector: return kConStyleCmdFirst;
    }
    return kFigStyleCmdFirst;
}

CStyleMenu& KindMenu(CKavoDoc& doc, StylePickKind kind)
{
    switch (kind) {
    case StylePickKind::Label: return doc.m_lblMenu;
    case StylePickKind::Figure: return doc.m_figMenu;
    case StylePickKind::Connector: break;
    }
    return doc.m_conMenu;
}

CSerialStamp& KindStamp(CKavoDoc& doc, StylePickKind kind)
{
    // The connector styles have no stamp of their own in the document: one
    // for all documents serves, as advancing it only makes the connector
    // pickers look at their layouts again.
    static CSerialStamp connectorStamp;
    switch (kind) {
    case StylePickKind::Label: return doc.m_lblStyleStamp;
    case StylePickKind::Figure: return doc.m_figStyleStamp;
    case StylePickKind::Connector: break;
    }
    return connectorStamp;
}

StyleLibRef KindLibrary(CKavoDoc& doc, StylePickKind kind)
{
    return kind == StylePickKind::Connector ? StyleLibRef(doc.m_conStyles) : StyleLibRef(doc.m_figStyles);
}

const CStyle* KindStyleAt(const CKavoDoc* doc, StylePickKind kind, int index)
{
    if (!doc)
        return nullptr;
    if (kind == StylePickKind::Connector)
        return doc->m_conStyles.GetAt(index);
    const CFigStyle* s = doc->m_figStyles.GetAt(index);
    if (!s || (s->Label != 0) != (kind == StylePickKind::Label))
        return nullptr;
    return s;
}

int KindCurrentStyle(const CKavoDoc& doc, StylePickKind kind)
{
    switch (kind) {
    case StylePickKind::Label: return doc.m_nCurLblStyle;
    case StylePickKind::Figure: return doc.m_nCurFigStyle;
    case StylePickKind::Connector: break;
    }
    return doc.m_nCurConStyle;
}

void FillKindCategories(CKavoDoc& doc, StylePickKind kind, DropMenuDesc& desc)
{
    CStyleMenu& menu = KindMenu(doc, kind);
    if (!menu.HasItems())
        menu.RebuildFromLibrary(KindLibrary(doc, kind));
    FillDropMenuFromLayout(menu, desc);
}

int SelectDefaultStyle(const CKavoDoc* doc, StylePickKind kind)
{
    if (!doc)
        return -1;
    const int current = KindCurrentStyle(*doc, kind);
    if (current != -1)
        return current;
    static const char* const kLabelNames[] = {"Label", nullptr};
    static const char* const kFigureNames[] = {"Router", "Process", nullptr};
    static const char* const kConnectorNames[] = {"Ethernet", "Solid Arrow", "Solid Arw", nullptr};
    const char* const* names = kind == StylePickKind::Label    ? kLabelNames
                               : kind == StylePickKind::Figure ? kFigureNames
                                                               : kConnectorNames;
    for (; *names; ++names)
        if (const int index = FindOfKind(*doc, kind, *names); index >= 0)
            return index;
    return FirstOfKind(*doc, kind);
}

bool PickerNeedsRefresh(const PickerRefreshCheck& check)
{
    return check.stampChanged || check.layoutDiffers || (check.followsActiveDoc && check.activeDocDiffers);
}
