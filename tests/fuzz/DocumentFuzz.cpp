// Drives a document with operations read from the bytes: adding figures,
// connectors, staples and groups, copying, cutting and deleting them inside
// undo steps, undoing, and failing appends and log growth. After every
// operation the lists must agree with their counts and every pointer between
// objects must name a live object.
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "platform/GlobalMem.h"
#include "platform/Prompt.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
class Answers : public IPromptService {
public:
    int ShowMessage(const std::string&, UINT) override { return (++n & 1) ? IDOK : IDCANCEL; }
    int n = 0;
};

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

bool Live(const CKavoDoc& doc, const CDiagObj* o)
{
    return !o || doc.m_pObjList->Find(o) >= 0;
}

void CheckInvariants(const CKavoDoc& doc)
{
    int figs = 0, cons = 0;
    for (CDiagObj* o : *doc.m_pObjList) {
        if (o->GetType() == kObjFigure) {
            ++figs;
            auto* f = static_cast<CFigure*>(o);
            Check(f->m_nConnected >= 0);
            Check(Live(doc, f->m_pAttachedCon1) && Live(doc, f->m_pAttachedCon2));
        } else {
            ++cons;
            auto* c = static_cast<CConnector*>(o);
            Check(Live(doc, c->m_pFig1) && Live(doc, c->m_pFig2));
        }
        Check(!o->m_pGroup ||
              std::find(doc.m_groupList.begin(), doc.m_groupList.end(), o->m_pGroup) != doc.m_groupList.end());
    }
    Check(figs == doc.m_pObjList->m_nFigCount && cons == doc.m_pObjList->m_nConCount);
    for (CDiagObj* s : *doc.m_pStapleList) {
        auto* st = static_cast<CStaple*>(s);
        Check(Live(doc, st->m_pFig1) && Live(doc, st->m_pFig2) && Live(doc, st->m_pCon));
    }
    for (CGroup* g : doc.m_groupList)
        for (const CGroup::Member& m : g->m_members)
            Check(Live(doc, m.obj));
    for (CDiagObj* o : *doc.m_pSelList)
        Check(Live(doc, o));
}

CDiagObj* Pick(const CKavoDoc& doc, uint8_t b)
{
    const int n = doc.m_pObjList->GetCount();
    return n ? doc.m_pObjList->GetAt(b % n) : nullptr;
}

CFigure* PickFig(const CKavoDoc& doc, uint8_t b)
{
    CDiagObj* o = Pick(doc, b);
    return o && o->GetType() == kObjFigure ? static_cast<CFigure*>(o) : nullptr;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Answers answers;
    IPromptService* previous = GetPromptService();
    SetPromptService(&answers);
    {
        CKavoDoc doc;
        doc.OnNewDocument();
        size_t i = 0;
        auto next = [&]() -> uint8_t { return i < size ? data[i++] : 0; };
        while (i < size) {
            const uint8_t op = next(), a = next(), b = next();
            switch (op % 20) {
            case 0:
                doc.UndoBeginStep(1 + a % 92);
                break;
            case 1:
                doc.UndoEndStep();
                break;
            case 2: {
                CFigProps props;
                auto* f = new CFigure(a * 10, b * 10, 50, 80, props, -1, a & 1, "t", "", CFigure::CreateArgs(), &doc);
                if (!doc.AddNewFig(a & 2 ? -1 : 1, f, b & 1))
                    delete f;
                break;
            }
            case 3: {
                auto* c = new CConnector(&doc);
                c->m_pFig1 = PickFig(doc, a);
                c->m_pFig2 = PickFig(doc, b);
                c->StoreIds();
                if (doc.AddConWithId(c)) {
                    for (CFigure* f : {c->m_pFig1, c->m_pFig2})
                        if (f)
                            f->AttachCon(c);
                } else {
                    delete c;
                }
                break;
            }
            case 4: {
                auto* s = new CStaple(&doc, 1 + a % 5);
                s->m_pFig1 = PickFig(doc, a);
                s->m_pFig2 = PickFig(doc, b);
                if (!doc.AddStapleWithId(s))
                    delete s;
                break;
            }
            case 5: {
                auto* g = new CGroup;
                for (CDiagObj* o : {Pick(doc, a), Pick(doc, b)})
                    if (o && !g->HasMember(o->m_nId)) {
                        g->AddMember(o, o->m_nId);
                        if (!o->m_pGroup)
                            o->m_pGroup = g;
                    }
                if (!doc.AddGroupWithId(g)) {
                    for (const CGroup::Member& m : g->m_members)
                        if (m.obj->m_pGroup == g)
                            m.obj->m_pGroup = nullptr;
                    delete g;
                }
                break;
            }
            case 6:
                doc.CutObj(Pick(doc, a), -1);
                break;
            case 7:
                if (CDiagObj* o = Pick(doc, a))
                    o->GetType() == kObjFigure ? doc.DeleteFig(static_cast<CFigure*>(o), b & 1)
                                               : doc.DeleteCon(static_cast<CConnector*>(o), b & 1, true, false);
                break;
            case 8:
                doc.UndoLastStep();
                break;
            case 9:
                if (CDiagObj* o = Pick(doc, a))
                    o->GetType() == kObjFigure ? (void)doc.AddCopyOfFig(static_cast<CFigure*>(o), b & 1 ? -1 : 1000)
                                               : (void)doc.DuplicateCon(static_cast<CConnector*>(o));
                break;
            case 10:
                if (!doc.m_groupList.empty())
                    doc.CutGroup(doc.m_groupList[a % doc.m_groupList.size()], -1);
                break;
            case 11:
                if (doc.m_pStapleList->GetCount())
                    doc.CutStaple(static_cast<CStaple*>(doc.m_pStapleList->GetAt(a % doc.m_pStapleList->GetCount())),
                                  -1);
                break;
            case 12:
                if (CDiagObj* o = Pick(doc, a))
                    (a & 1) ? (void)doc.Select(o) : doc.RemoveFromSelection(o);
                break;
            case 13:
                doc.m_pObjList->FailAppendsForTest(a & 1);
                break;
            case 14:
                SetGlobalMemoryLimit(a & 1 ? GlobalMemoryInUse() + size_t(b) * 64 : 0);
                break;
            case 16:
                if (CFigure* f = PickFig(doc, a); f && doc.LogFigureState(f)) {
                    f->m_props.BorderColor = b;
                    f->m_nStyle = b % 3 - 1;
                }
                break;
            case 17:
                if (CDiagObj* o = Pick(doc, a); o && o->GetType() == kObjConnector &&
                                                 doc.LogConnectorState(UDOC_CONPROPS, static_cast<CConnector*>(o)))
                    static_cast<CConnector*>(o)->m_props.LineWidth = b;
                break;
            case 18: {
                // A stray write into the recorded log: replay must stay in
                // bounds whatever the records then say.
                CUndoLog& log = doc.UndoLogRef();
                if (log.m_nUndoUsed > 0)
                    log.m_pUndoBase[(size_t(a) * 251 + b) % size_t(log.m_nUndoUsed)] = b;
                break;
            }
            case 19:
                if (CFigure* f = PickFig(doc, a)) {
                    if (doc.LogTextRotation(f))
                        f->m_nTextRotate = int16_t(b);
                    if (doc.LogFigColors(f))
                        f->m_props.m_fill.m_nKind = b % 4;
                    if (doc.LogFigConPts(f) && (b & 1)) {
                        f->m_pConPts = std::make_unique<CConPtList>();
                        f->m_pConPts->AddConPt(CFltPoint(float(b), 0), "p", 0, true, -1);
                    }
                    if (CFigStyle* st = doc.m_figStyles.GetAt(0); st && doc.LogFigStyleProps(st))
                        st->Width = b;
                    if (doc.m_figStyles.GetCount() < 2)
                        if (CFigStyle* added = doc.m_figStyles.NewEntry())
                            added->SetName("S");
                    if (CFigStyle* st = doc.m_figStyles.GetAt(1); st && doc.LogFigStyleState(st)) {
                        st->DefaultText.assign(b % 7, 'x');
                        st->m_conPts.AddConPt(CFltPoint(float(a), float(b)), "c", 0, false, -1);
                    }
                } else if (CDiagObj* o = Pick(doc, a); o && o->GetType() == kObjConnector) {
                    auto* c = static_cast<CConnector*>(o);
                    if (doc.LogConColors(c))
                        c->m_props.Color = b;
                    if (doc.LogConEndSymbol(c, 1 + (b & 1)))
                        c->m_props.End1 = b % 25;
                }
                break;
            default:
                if (a == 0xFF)
                    doc.DeleteContents();
                else
                    doc.SetShadowSettings(CShadowSpec(a & 1, b, a, b, a % 7, b));
                break;
            }
            CheckInvariants(doc);
        }
        SetGlobalMemoryLimit(0);
        doc.m_pObjList->FailAppendsForTest(false);
    }
    SetPromptService(previous);
    return 0;
}
