// Writes undo records of any type with bodies taken from the bytes into one
// step of a small document's log, then undoes the step. Whatever a body holds
// (too short, too long, ids of missing or wrong objects, huge counts), the
// replay must stay inside the log and leave every pointer between objects
// naming a live object. Replay may change program-wide state (the default
// shadow, settings): it is reset before each input, so that an input found
// to fail fails alone.
#include "app/ProgramState.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/DocDefaults.h"
#include "platform/Prompt.h"

#include <cstdint>
#include <vector>

namespace {
class Answers : public IPromptService {
public:
    int ShowMessage(const std::string&, UINT) override { return IDOK; }
};

void Require(bool ok)
{
    if (!ok)
        __builtin_trap();
}

bool Alive(const CKavoDoc& doc, const CDiagObj* o)
{
    return !o || doc.m_pObjList->Find(o) >= 0;
}

void Populate(CKavoDoc& doc)
{
    CFigProps props;
    CFigure* figs[3];
    for (int i = 0; i < 3; ++i) {
        figs[i] = new CFigure(i * 300, 0, 100, 200, props, -1, 0, "t", "", CFigure::CreateArgs(), &doc);
        doc.AddFigWithId(figs[i]);
    }
    CConProps cp;
    CConnector* con = doc.CreateCon(figs[0], figs[1], -1, -1, figs[0]->GetCenter(), figs[1]->GetCenter(), -1, cp);
    auto* st = new CStaple(&doc);
    st->MakeLatLbl(con, con ? con->GetMidPoint() : CPoint(0, 0), figs[2], 10, 0);
    doc.AddStapleWithId(st);
}

void CheckDocument(const CKavoDoc& doc)
{
    // Figures' shadow rectangles are computed from these.
    Require(doc.m_shadowSpec.InStoredRange() && GetAppShadowDefault().InStoredRange());
    for (CDiagObj* o : *doc.m_pObjList) {
        if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            Require(f->m_nConnected >= 0 && Alive(doc, f->m_pAttachedCon1) && Alive(doc, f->m_pAttachedCon2));
        } else {
            auto* c = static_cast<CConnector*>(o);
            Require(Alive(doc, c->m_pFig1) && Alive(doc, c->m_pFig2));
        }
    }
    for (CDiagObj* s : *doc.m_pStapleList) {
        auto* st = static_cast<CStaple*>(s);
        Require(Alive(doc, st->m_pFig1) && Alive(doc, st->m_pFig2) && Alive(doc, st->m_pCon));
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetProgramState();
    Answers answers;
    IPromptService* previous = GetPromptService();
    SetPromptService(&answers);
    {
        CKavoDoc doc;
        if (doc.OnNewDocument()) {
            Populate(doc);
            doc.ResetUndoLog();
            size_t i = 0;
            while (i < size) {
                doc.UndoBeginStep(UDMAC_MOVEOBJS);
                // Records: type byte (1..46), body length byte, body bytes.
                while (i + 1 < size && data[i] != 0xFF) {
                    const int type = data[i] % 46 + 1;
                    size_t n = data[i + 1];
                    i += 2;
                    n = std::min(n, size - i);
                    std::vector<uint8_t> body(data + i, data + i + n);
                    i += n;
                    if (type == UDOC_BEGINSTEP || type == UDOC_ENDSTEP)
                        continue;
                    doc.UndoLogRef().UndoLog(type, [&body](UndoStream& s) {
                        if (!body.empty())
                            s.Raw(body.data(), body.size());
                    });
                }
                ++i;
                doc.UndoEndStep();
                doc.UndoLastStep();
                CheckDocument(doc);
            }
        }
    }
    SetPromptService(previous);
    return 0;
}
