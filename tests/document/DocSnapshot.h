#pragma once
// A comparable picture of a whole document, one line per item: every object
// in drawing order with all its fields and links (by id), the staples, the
// groups, the selection in its order, the styles, the shadow, line spacing
// and margin settings, the id counters and the modified flag. Undo must give
// back a document whose picture equals the one taken before the step.
//
// Left out: the mark words (scratch flags of document walks), a staple's
// snapshots of its objects (caches the staple re-takes when it re-links) and
// the figure's saved attachment count (a scratch copy).
#include "document/CKavoDoc.h"
#include "document/CStaple.h"

#include <cstdio>
#include <sstream>
#include <string>

namespace docsnap {

inline std::string Hex(const void* data, size_t n)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    out.reserve(n * 2);
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < n; ++i) {
        out += digits[p[i] >> 4];
        out += digits[p[i] & 15];
    }
    return out;
}

template <class T>
std::string Bytes(const T& v)
{
    return Hex(&v, sizeof v);
}

inline int32_t IdOf(const CIdObj* o)
{
    return o ? o->m_nId : -1;
}

inline void ConPts(std::ostream& out, const CConPtList* list)
{
    if (!list) {
        out << " conpts=none";
        return;
    }
    out << " conpts=" << list->GetCount() << "[";
    for (int i = 0; i < list->GetCount(); ++i) {
        const CConPt* p = list->GetAt(i);
        out << Bytes(p->m_pos) << "," << p->m_nFlag << "," << p->m_strName << "," << p->m_nId << ";";
    }
    out << "]";
}

inline void Common(std::ostream& out, const CDiagObj* o)
{
    out << " id=" << o->m_nId << " sel=" << o->m_bSelected << " grp=" << IdOf(o->m_pGroup)
        << " stp=" << IdOf(o->m_pStaple);
}

inline void Figure(std::ostream& out, const CFigure* f)
{
    out << "fig";
    Common(out, f);
    out << " style=" << f->m_nStyle << " props=" << Bytes(f->m_props) << " text=" << f->m_strText
        << " text2=" << f->m_strSecondText << " rot=" << f->m_nTextRotate << " angle=" << Bytes(f->m_dIndicatorAngle)
        << " ind=" << IdOf(f->m_pIndicatorCon) << " link=" << f->m_strLink << " rect=" << f->m_rect.left << ","
        << f->m_rect.top << "," << f->m_rect.right << "," << f->m_rect.bottom << " label=" << f->m_bLabel
        << " att=" << IdOf(f->m_pAttachedCon1) << "," << IdOf(f->m_pAttachedCon2) << " n=" << f->m_nConnected
        << " jct=" << f->TerminalJct << "," << f->AutoDelJct << " assind=" << f->AssociationIndicator
        << " outline=" << Hex(f->m_outline.GetPoints(), size_t(f->m_outline.GetCount()) * sizeof(CFltPoint))
        << " hascp=" << f->m_bHasConPts;
    ConPts(out, f->m_pConPts.get());
}

inline void Connector(std::ostream& out, const CConnector* c)
{
    out << "con";
    Common(out, c);
    out << " ends=" << IdOf(c->m_pFig1) << "," << IdOf(c->m_pFig2) << " ids=" << c->m_nFigId1 << "," << c->m_nFigId2
        << " cp=" << c->m_nConPtId1 << "," << c->m_nConPtId2 << " sup=" << c->SuppressEnd1 << "," << c->SuppressEnd2
        << " p1=" << c->EndPoint1.x << "," << c->EndPoint1.y << " p2=" << c->EndPoint2.x << "," << c->EndPoint2.y
        << " style=" << c->m_nStyle << " props=" << Bytes(c->m_props) << " orient=" << c->m_nOrientHint;
}

inline void Staple(std::ostream& out, const CStaple* s)
{
    out << "staple id=" << s->m_nId << " type=" << s->m_nType << " sel=" << s->m_bSelected << " objs="
        << IdOf(s->m_pCon) << "," << IdOf(s->m_pFig1) << "," << IdOf(s->m_pFig2) << " ids=" << s->m_nConId << ","
        << s->m_nFig1Id << "," << s->m_nFig2Id << " pos=" << s->ConPos << "," << s->Fig1PosX << "," << s->Fig1PosY
        << "," << s->Fig2PosX << "," << s->Fig2PosY << " off=" << s->OffsetX << "," << s->OffsetY
        << " flow=" << s->FlowSide << " lat=" << s->LateralOffset << "," << s->LateralConsistency
        << " pin=" << s->PinType;
}

inline void Group(std::ostream& out, const char* what, const CGroup* g)
{
    out << what << " id=" << g->m_nId << " sel=" << g->m_bSelected << " members=";
    for (const CGroup::Member& m : g->m_members)
        out << m.id << (m.obj ? (m.obj->m_nId == m.id ? "" : "!") : "?") << ";";
}

} // namespace docsnap

inline std::string FullSnapshot(const CKavoDoc& doc)
{
    using namespace docsnap;
    std::ostringstream out;
    out << "counters " << doc.m_nNextId << "," << doc.m_nNextStpId << "," << doc.m_nNextGrpId
        << " modified=" << doc.IsModified() << "\n";
    for (const CDiagObj* o : *doc.m_pObjList) {
        if (o->GetType() == kObjFigure)
            Figure(out, static_cast<const CFigure*>(o));
        else
            Connector(out, static_cast<const CConnector*>(o));
        out << "\n";
    }
    out << "counts " << doc.m_pObjList->m_nFigCount << "," << doc.m_pObjList->m_nConCount << "\n";
    for (const CDiagObj* s : *doc.m_pStapleList) {
        Staple(out, static_cast<const CStaple*>(s));
        out << "\n";
    }
    for (const CGroup* g : doc.m_groupList) {
        Group(out, "group", g);
        out << "\n";
    }
    Group(out, "lastungroup", &doc.m_lastUngroup);
    out << "\nselection";
    for (const CDiagObj* o : *doc.m_pSelList)
        out << " " << o->m_nId;
    out << "\n";
    for (int i = 0; i < doc.m_figStyles.GetCount(); ++i) {
        const CFigStyle* s = doc.m_figStyles.GetAt(i);
        out << "figstyle " << s->m_strName << " props=" << Bytes(s->m_props) << " size=" << s->Width << ","
            << s->Height;
        ConPts(out, &s->m_conPts);
        out << "\n";
    }
    for (int i = 0; i < doc.m_conStyles.GetCount(); ++i) {
        const CConStyle* s = doc.m_conStyles.GetAt(i);
        out << "constyle " << s->m_strName << " props=" << Bytes(s->m_props) << "\n";
    }
    out << "shadow " << Bytes(doc.m_shadowSpec) << " spacing " << doc.m_nLineSpacingMode << ","
        << Bytes(doc.m_fLineSpacingValue) << " margins " << doc.m_nFigMarginLeft << "," << doc.m_nFigMarginRight
        << "," << doc.m_nFigMarginTop << "," << doc.m_nFigMarginBottom << " snap " << doc.m_nSnapX << ","
        << doc.m_nSnapY << "\n";
    return out.str();
}

// The first line where two pictures differ, with its neighbour, for a failure
// message.
inline std::string SnapshotDiff(const std::string& expected, const std::string& actual)
{
    std::istringstream a(expected), b(actual);
    std::string la, lb;
    int line = 1;
    for (;; ++line) {
        const bool ga = bool(std::getline(a, la)), gb = bool(std::getline(b, lb));
        if (!ga && !gb)
            return "no difference";
        if (!ga || !gb || la != lb)
            return "line " + std::to_string(line) + "\n  expected: " + (ga ? la : "<end>") +
                   "\n  actual:   " + (gb ? lb : "<end>");
    }
}
