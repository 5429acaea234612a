// Pastes the bytes as the program's own clipboard data into a small
// diagram. A paste that fails leaves the document's text and undo log as
// they were; one that succeeds leaves live links only, and when it brought
// no symbols, styles or pictures its undo gives the text back byte for byte.
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "editing/MoveContext.h"
#include "fileformat/DiagramClipboard.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordHooks.h"
#include "keyword/KeywordStreams.h"
#include "platform/Prompt.h"
#include "render/ModelStartup.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {
class Answers : public IPromptService {
public:
    int ShowMessage(const std::string&, UINT) override { return IDOK; }
};

int NoTrace(const char*, ...)
{
    return 0;
}

#define Check(ok) CheckAt(ok, __LINE__)
void CheckAt(bool ok, int line)
{
    if (!ok) {
        fprintf(stderr, "check failed at line %d\n", line);
        __builtin_trap();
    }
}

std::string Text(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    WriteDiagramText(w, doc, {});
    return sink.text;
}

bool Live(const CKavoDoc& doc, const CDiagObj* o)
{
    return !o || doc.m_pObjList->Find(o) >= 0;
}

void CheckLinks(const CKavoDoc& doc)
{
    for (CDiagObj* o : *doc.m_pObjList) {
        if (o->GetType() == kObjConnector) {
            auto* c = static_cast<CConnector*>(o);
            Check(Live(doc, c->m_pFig1) && Live(doc, c->m_pFig2));
        }
        Check(!o->m_pGroup ||
              std::find(doc.m_groupList.begin(), doc.m_groupList.end(), o->m_pGroup) != doc.m_groupList.end());
    }
    for (CDiagObj* s : *doc.m_pStapleList) {
        auto* st = static_cast<CStaple*>(s);
        Check(Live(doc, st->m_pFig1) && Live(doc, st->m_pFig2) && Live(doc, st->m_pCon));
    }
    for (CDiagObj* o : *doc.m_pSelList)
        Check(Live(doc, o));
}

struct Libraries {
    int figSymbols, endSymbols, figStyles, conStyles;
    explicit Libraries(const CKavoDoc& d)
        : figSymbols(d.m_figSymbols.GetCount()), endSymbols(d.m_endSymbols.GetCount()),
          figStyles(d.m_figStyles.GetCount()), conStyles(d.m_conStyles.GetCount())
    {
    }
    bool operator==(const Libraries&) const = default;
};

bool AnyPicture(const CKavoDoc& doc)
{
    bool any = false;
    doc.ForEachFigure([&](const CFigure* f) { any |= f->HasPicture(); });
    return any;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Answers answers;
    static const bool installed = [] {
        InstallDiagramModel();
        InstallMoveContext();
        return true;
    }();
    (void)installed;
    SetPromptService(&answers);
    g_pfnKwTrace = NoTrace;

    CKavoDoc doc;
    if (!doc.OnNewDocument())
        return 0;
    CFigProps props;
    auto* a = new CFigure(100, 100, 100, 200, props, -1, 0, "A", "", CFigure::CreateArgs(), &doc);
    auto* b = new CFigure(600, 100, 100, 200, props, -1, 0, "B", "", CFigure::CreateArgs(), &doc);
    if (!doc.AddFigWithId(a) || !doc.AddFigWithId(b))
        return 0;
    doc.CreateCon(a, b, -1, -1, CPoint(300, 150), CPoint(600, 150), -1, CConProps());
    doc.ResetUndoLog();
    const std::string before = Text(doc);
    const Libraries libraries(doc);

    const std::string clip(reinterpret_cast<const char*>(data), size);
    if (!PasteDiagramObjects(doc, clip)) {
        Check(!doc.CanUndo());
        Check(Text(doc) == before);
        return 0;
    }
    CheckLinks(doc);
    if (Libraries(doc) == libraries && !AnyPicture(doc)) {
        doc.UndoLastStep();
        CheckLinks(doc);
        const std::string after = Text(doc);
        if (after != before) {
            fprintf(stderr, "UNDO MISMATCH\n----\n%s\n----\n%s\n", before.c_str(), after.c_str());
            __builtin_trap();
        }
    }
    return 0;
}
