// Document validation: each check failing once, with and without repair, and
// the trace lines it writes.
#include "document/CStaple.h"
#include "document/DocTestSupport.h"
#include "fileformat/FileFormatTestSupport.h"
#include "platform/NumText.h"

#include <functional>

namespace {
class ValidationTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        f1 = NewFig(doc, 0, 0);
        f1->m_nId = 1;
        f2 = NewFig(doc, 400, 0);
        f2->m_nId = 2;
        ASSERT_TRUE(doc.AddFig(f1));
        ASSERT_TRUE(doc.AddFig(f2));
        con = NewCon(doc, f1, f2);
        con->m_nId = 3;
        ASSERT_TRUE(doc.AddCon(con));
        doc.m_nNextId = 4;
        doc.m_nNextStpId = 1;
    }

    // Runs the check without repair (nothing changes), then with repair.
    int CheckTwice(const std::function<std::string()>& state)
    {
        const std::string before = state();
        EXPECT_FALSE(doc.Validate());
        EXPECT_EQ(state(), before) << "changed without repair";
        int result = 0;
        EXPECT_FALSE(doc.Validate(&result));
        return result;
    }

    CFigure* f1 = nullptr;
    CFigure* f2 = nullptr;
    CConnector* con = nullptr;
    TraceRecorder m_trace;
    std::vector<std::string>& g_trace = TraceRecorder::Lines();
};

std::string Ids(const CConnector* c)
{
    return std::to_string(c->m_nFigId1) + "/" + std::to_string(c->m_nFigId2) + "/" +
           std::to_string(c->m_nConPtId1) + "/" + std::to_string(c->m_nConPtId2) + "/" +
           std::to_string(reinterpret_cast<uintptr_t>(c->m_pFig1)) + "/" +
           std::to_string(reinterpret_cast<uintptr_t>(c->m_pFig2));
}
} // namespace

TEST_F(ValidationTest, ConsistentDocumentPasses)
{
    EXPECT_TRUE(doc.Validate());
    ASSERT_FALSE(g_trace.empty());
    EXPECT_EQ(g_trace.back(), "VALIDATION SUCCEEDED!\n");
}

TEST_F(ValidationTest, ConnectorEndChecksRepairTheIds)
{
    // Stored id 5 while the pointer names figure 1.
    con->m_nFigId1 = 5;
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 140);
    EXPECT_EQ(con->m_nFigId1, 1);
    EXPECT_EQ(g_trace[0], "VALIDATION FAILED 00140: con 3 has FId1=5 and non-matching m_pFig1 id=1\n");

    con->m_nFigId2 = -1; // free end id, pointer set
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 205);
    EXPECT_EQ(con->m_nFigId2, 2);

    con->m_pFig1 = nullptr;
    f1->m_nConnected = 0;
    f1->m_pAttachedCon1 = nullptr;
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 120);
    EXPECT_EQ(con->m_nFigId1, -1);
}

TEST_F(ValidationTest, EndPointingAtANonFigureIsCleared)
{
    auto* other = NewCon(doc, nullptr, nullptr);
    other->m_nId = 9;
    ASSERT_TRUE(doc.AddCon(other));
    doc.m_nNextId = 10;
    other->m_pFig1 = reinterpret_cast<CFigure*>(static_cast<CDiagObj*>(con));
    other->m_nFigId1 = -1;
    CheckTwice([&] { return Ids(other); });
    EXPECT_EQ(other->m_pFig1, nullptr);
    other->m_pFig1 = reinterpret_cast<CFigure*>(static_cast<CDiagObj*>(con));
    other->m_nFigId1 = 3;
    g_trace.clear();
    CheckTwice([&] { return Ids(other); });
    EXPECT_EQ(other->m_pFig1, nullptr);
    EXPECT_EQ(other->m_nFigId1, -1);
    EXPECT_NE(std::find(g_trace.begin(), g_trace.end(),
                        "VALIDATION FAILED 00130: con 9 has FId1=3 and m_pFig1 that doesn't point to fig\n"),
              g_trace.end());
}

TEST_F(ValidationTest, ConnectionPointIdsAreCheckedOnRepairedValues)
{
    con->m_nConPtId1 = 7; // figure 1 has no point 7
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 142);
    EXPECT_EQ(con->m_nConPtId1, -1);
    // The automatic attach modes name no point and pass.
    con->m_nConPtId1 = -2;
    con->m_nConPtId2 = -3;
    EXPECT_TRUE(doc.Validate());
    // A point id on an end that repair has just freed.
    con->m_nConPtId2 = 4;
    con->m_pFig2 = nullptr;
    f2->m_nConnected = 0;
    f2->m_pAttachedCon1 = nullptr;
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 241);
    EXPECT_EQ(con->m_nConPtId2, -1);
    EXPECT_EQ(con->m_nFigId2, -1);
}

TEST_F(ValidationTest, AttachmentCountsAndFields)
{
    // A connector with both ends on one figure counts twice.
    con->m_pFig2 = f1;
    con->m_nFigId2 = 1;
    f2->m_nConnected = 0;
    f2->m_pAttachedCon1 = nullptr;
    EXPECT_EQ(CheckTwice([&] { return std::to_string(f1->m_nConnected); }), 600);
    EXPECT_EQ(f1->m_nConnected, 2);

    f2->m_pAttachedCon1 = con; // f2 has no connector now
    EXPECT_EQ(CheckTwice([&] { return std::to_string(f2->m_pAttachedCon1 != nullptr); }), 601);
    EXPECT_EQ(f2->m_pAttachedCon1, nullptr);

    f1->m_pAttachedCon2 = con; // both fields the same connector
    f1->m_pAttachedCon1 = con;
    int result = 0;
    EXPECT_FALSE(doc.Validate(&result));
    EXPECT_EQ(result, 607); // reported, never repaired
    EXPECT_EQ(f1->m_pAttachedCon2, con);
}

TEST_F(ValidationTest, NonConnectorAttachmentIsCleared)
{
    f1->m_pAttachedCon1 = reinterpret_cast<CConnector*>(static_cast<CDiagObj*>(f2));
    CheckTwice([&] { return std::to_string(f1->m_pAttachedCon1 != nullptr); });
    EXPECT_NE(std::find(g_trace.begin(), g_trace.end(), "VALIDATION FAILED 00300: fig 1 has non-con as m_pAttachedCon1\n"),
              g_trace.end());
}

TEST_F(ValidationTest, LabelStaplesAreReconnected)
{
    auto* st = new CStaple(&doc, kStapleFigLabel);
    st->m_nId = 1;
    st->m_pFig1 = f2; // should be f1, the figure the label pins to
    st->m_nFig1Id = 2;
    st->m_pFig2 = f2;
    st->m_nFig2Id = 2;
    ASSERT_TRUE(doc.AddStaple(st));
    doc.m_nNextStpId = 2;
    f1->m_pStaple = st;
    EXPECT_EQ(CheckTwice([&] { return std::to_string(st->m_nFig1Id); }), 420);
    EXPECT_EQ(st->m_pFig1, f1);
    EXPECT_EQ(st->m_nFig1Id, 1);
}

TEST_F(ValidationTest, CountersMustLieAboveEveryId)
{
    struct Case {
        int next;
        bool ok;
    };
    // A counter equal to the largest id would hand that id out again.
    for (const Case& c : {Case{4, true}, Case{3, false}, Case{0, false}, Case{100, true}}) {
        doc.m_nNextId = c.next;
        g_trace.clear();
        EXPECT_EQ(doc.Validate(), c.ok) << c.next;
        if (!c.ok) {
            EXPECT_EQ(g_trace.back(), StrPrintf("VALIDATION FAILED 00800: bad m_nNextId (%d) max is 3\n", c.next));
            EXPECT_EQ(doc.m_nNextId, c.next); // counters are never changed
        }
    }
    doc.m_nNextId = 4;
    auto* st = new CStaple(&doc, kStapleFigLink);
    st->m_nId = 5;
    ASSERT_TRUE(doc.AddStaple(st));
    doc.m_nNextStpId = 5;
    int result = 0, v1 = 0, v2 = 0;
    EXPECT_FALSE(doc.Validate(&result, &v1, &v2));
    EXPECT_EQ(result, 810);
    EXPECT_EQ(v1, 5);
    EXPECT_EQ(v2, 5);
}

TEST_F(ValidationTest, ListCountsAreReportedNotChanged)
{
    doc.m_pObjList->m_nFigCount = 5;
    int result = 0, v1 = 0, v2 = 0;
    EXPECT_FALSE(doc.Validate(&result, &v1, &v2));
    EXPECT_EQ(result, 520);
    EXPECT_EQ(v1, 5);
    EXPECT_EQ(v2, 2);
    EXPECT_EQ(doc.m_pObjList->m_nFigCount, 5);
    EXPECT_EQ(g_trace[0], "VALIDATION FAILED 00520: object list figure count 5 disagress with actual 2\n");
    doc.m_pObjList->m_nFigCount = 2;
}

namespace {
// A diagram in which each row of the check table plants one fault: f1 holds
// connectors con and con2, f2 holds con, f3 none; lbl is a label figure and
// con3 a connector with free ends.
struct Scene {
    CKavoDoc doc;
    CFigure* f1 = nullptr;
    CFigure* f2 = nullptr;
    CFigure* f3 = nullptr;
    CFigure* lbl = nullptr;
    CConnector* con = nullptr;
    CConnector* con2 = nullptr;
    CConnector* con3 = nullptr;
    CStaple* st = nullptr;

    Scene()
    {
        EXPECT_TRUE(doc.OnNewDocument());
        f1 = Add(NewFig(doc, 0, 0));
        f2 = Add(NewFig(doc, 400, 0));
        f3 = Add(NewFig(doc, 800, 0));
        lbl = Add(NewFig(doc, 0, 400));
        lbl->m_bLabel = 1;
        con = Add(NewCon(doc, f1, f2));
        con2 = Add(NewCon(doc, f1, nullptr));
        con3 = Add(NewCon(doc, nullptr, nullptr));
        doc.m_nNextId = 8;
        doc.m_nNextStpId = 2;
    }
    template <class T>
    T* Add(T* obj)
    {
        obj->m_nId = doc.m_pObjList->GetCount() + 1;
        EXPECT_TRUE(doc.m_pObjList->AddTail(obj));
        return obj;
    }
    // Group 1 with the entries given (an object and its id, or null and an
    // id); each object named joins it.
    CGroup* Group(std::initializer_list<std::pair<CDiagObj*, int>> entries)
    {
        auto* g = new CGroup();
        g->m_nId = 1;
        for (const auto& [obj, id] : entries) {
            g->m_members.push_back({obj, id});
            if (obj)
                obj->m_pGroup = g;
        }
        EXPECT_TRUE(doc.AddGroup(g));
        doc.m_nNextGrpId = 2;
        return g;
    }
    // A staple of the type with id 1, pinning `pinned`.
    CStaple* Pin(int type, CFigure* pinned, CFigure* fig1, CFigure* fig2)
    {
        st = new CStaple(&doc, type);
        st->m_nId = 1;
        st->m_pFig1 = fig1;
        st->m_nFig1Id = fig1 ? fig1->m_nId : -1;
        st->m_pFig2 = fig2;
        st->m_nFig2Id = fig2 ? fig2->m_nId : -1;
        EXPECT_TRUE(doc.AddStaple(st));
        pinned->m_pStaple = st;
        return st;
    }
};

std::string Ptr(const void* p)
{
    return std::to_string(reinterpret_cast<uintptr_t>(p));
}

// Every field validation reads or repairs.
std::string State(const Scene& s)
{
    std::string out;
    for (const CObjList* list : {s.doc.m_pObjList.get(), s.doc.m_pStapleList.get()}) {
        for (CDiagObj* o : *list) {
            out += std::to_string(o->m_nId) + " " + Ptr(o->m_pStaple);
            if (o->GetType() == kObjFigure) {
                auto* f = static_cast<CFigure*>(o);
                out += " " + Ptr(f->m_pAttachedCon1) + " " + Ptr(f->m_pAttachedCon2) + " " +
                       std::to_string(f->m_nConnected);
            } else if (o->GetType() == kObjConnector) {
                out += " " + Ids(static_cast<CConnector*>(o));
            } else if (o->GetType() == kObjStaple) {
                auto* st = static_cast<CStaple*>(o);
                out += " " + Ptr(st->m_pFig1) + " " + std::to_string(st->m_nFig1Id) + " " + Ptr(st->m_pFig2) + " " +
                       std::to_string(st->m_nFig2Id);
            }
            out += "\n";
        }
        out += std::to_string(list->m_nFigCount) + "/" + std::to_string(list->m_nConCount) + "\n";
    }
    for (CDiagObj* o : *s.doc.m_pObjList)
        if (o->GetType() == kObjFigure) {
            const CRect& rc = static_cast<CFigure*>(o)->m_rect;
            out += StrPrintf("rect %d,%d,%d,%d\n", rc.left, rc.top, rc.right, rc.bottom);
        }
    for (const CDiagObj* o : *s.doc.m_pObjList)
        out += "in group " + Ptr(o->m_pGroup) + "\n";
    for (const CGroup* g : s.doc.m_groupList) {
        out += "group " + std::to_string(g->m_nId);
        for (const CGroup::Member& m : g->m_members)
            out += " " + std::to_string(m.id) + "@" + Ptr(m.obj);
        out += "\n";
    }
    out += StrPrintf("paper %d %d %d\n", s.doc.m_nPaper, s.doc.m_nPaperWidth, s.doc.m_nPaperLength);
    return out + std::to_string(s.doc.m_nNextId) + "/" + std::to_string(s.doc.m_nNextStpId) + "/" +
           std::to_string(s.doc.m_nNextGrpId);
}

template <class To>
To* Posing(CDiagObj* o)
{
    return reinterpret_cast<To*>(o);
}

bool Traced(const std::string& line)
{
    const auto& lines = TraceRecorder::Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}
} // namespace

// Each check once: its trace line without repair (nothing changes), then with
// repair; a repaired fault is gone on the next run, an unrepaired one is left
// as it was.
TEST(ValidationChecks, EachCheckReportsAndRepairsItsFault)
{
    struct Row {
        int check;
        std::function<void(Scene&)> plant;
        std::string line;
        bool repaired;
    };
    const Row rows[] = {
        {100, [](Scene& s) { s.f1->m_pStaple = Posing<CStaple>(s.f2); },
         "m_pStaple doesn't point to staple in object of ID=1\n", true},
        {110,
         [](Scene& s) {
             s.con2->m_nFigId1 = -1;
             s.con2->m_pFig1 = Posing<CFigure>(s.con3);
         },
         "con 6 has NULL FId1, m_pFig1 pts to non-Fig 7\n", true},
        {400, [](Scene& s) { s.Pin(kStapleConLabel, s.lbl, s.f2, nullptr); },
         "fig 4 has CONLBL staple 1 not connected to this fig\n", true},
        {400, [](Scene& s) { s.Pin(kStapleLatLabel, s.lbl, s.f2, nullptr); },
         "fig 4 has LATLBL staple 1 not connected to this fig\n", true},
        {410, [](Scene& s) { s.Pin(kStapleFigLabel, s.lbl, s.f3, s.f2); },
         "fig 4 has FIGLBL staple 1 not connected to this fig\n", true},
        {510,
         [](Scene& s) {
             auto* odd = new CStaple(&s.doc, kStapleFigLink);
             odd->m_nId = 9;
             s.doc.m_nNextId = 10;
             ASSERT_TRUE(s.doc.m_pObjList->AddTail(odd));
         },
         "object id=9 ix=7 type (2) not recognized\n", false},
        {530, [](Scene& s) { s.doc.m_pObjList->m_nConCount = 5; },
         "object list connector count 5 disagress with actual 3\n", false},
        {602, [](Scene& s) { s.f2->m_pAttachedCon2 = s.con2; }, "fig=2 has incorrect m_pAttachedCon fields\n", true},
        {603, [](Scene& s) { s.f2->m_pAttachedCon1 = s.con2; }, "fig=2 has incorrect m_pAttachedCon1 field\n", false},
        {604, [](Scene& s) { s.f1->m_pAttachedCon1 = nullptr; }, "fig=1 has incorrect m_pAttachedCon1 field\n", false},
        {605,
         [](Scene& s) {
             s.f1->m_pAttachedCon1 = s.con3;
             s.f1->m_pAttachedCon2 = nullptr;
         },
         "fig=1 has incorrect m_pAttachedCon1 field\n", false},
        {606, [](Scene& s) { s.f1->m_pAttachedCon2 = s.con3; }, "fig=1 has incorrect m_pAttachedCon1 field\n", false},
        {700, [](Scene& s) { ASSERT_TRUE(s.doc.m_pStapleList->AddTail(s.f3)); }, "staple=3 has bad type\n", false},
        {456, [](Scene& s) { s.doc.m_pStapleList->m_nConCount = 2; },
         "staple list has non-zero fig count (0) or con count (2)\n", false},
        // Repeated ids: the later object takes the next free id.
        {90, [](Scene& s) { s.f3->m_nId = 2; }, "object id=2 ix=2 repeats an earlier id\n", true},
        {90, [](Scene& s) { s.con3->m_nId = 1; }, "object id=1 ix=6 repeats an earlier id\n", true},
        {91,
         [](Scene& s) {
             s.Pin(kStapleFigLink, s.f3, s.f1, s.f3);
             auto* second = new CStaple(&s.doc, kStapleFigLink);
             second->m_nId = 1;
             ASSERT_TRUE(s.doc.AddStaple(second));
         },
         "staple id=1 ix=1 repeats an earlier id\n", true},
        {92,
         [](Scene& s) {
             for (CFigure* f : {s.f1, s.f2}) {
                 auto* g = new CGroup();
                 g->m_nId = 3;
                 g->AddMember(f, f->m_nId);
                 f->m_pGroup = g;
                 ASSERT_TRUE(s.doc.AddGroup(g));
             }
             s.doc.m_nNextGrpId = 4;
         },
         "group id=3 ix=1 repeats an earlier id\n", true},
        // A rectangle a file gave inverted, a paper of no size.
        {320, [](Scene& s) { s.f3->m_rect = CRect(900, 100, 800, 0); },
         "fig 3 has inverted bounds (width -100, height -100)\n", true},
        {820,
         [](Scene& s) {
             s.doc.m_nPaperWidth = -5;
             s.doc.m_nPaperLength = 2794;
         },
         "bad paper size width -5 length 2794\n", true},
        // Groups: fewer than two members, an entry of no object, an object
        // listed twice, an object naming a group that does not list it.
        {900, [](Scene& s) { s.Group({{s.f1, 1}}); }, "group 1 ix=0 has 1 members\n", true},
        {910, [](Scene& s) { s.Group({{s.f1, 1}, {nullptr, 42}, {s.f2, 2}}); },
         "group 1 has member id=42 that names no object\n", true},
        {915, [](Scene& s) { s.Group({{s.f1, 1}, {s.f2, 2}, {s.f1, 1}}); }, "group 1 lists object 1 twice\n",
         true},
        {930,
         [](Scene& s) {
             CGroup* g = s.Group({{s.f1, 1}, {s.f2, 2}});
             s.f3->m_pGroup = g;
         },
         "object 3 has m_pGroup that doesn't list it\n", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Scene s;
        TraceRecorder trace;
        ASSERT_TRUE(s.doc.Validate()) << "the scene is sound";
        row.plant(s);
        const std::string before = State(s);
        TraceRecorder::Lines().clear();
        EXPECT_FALSE(s.doc.Validate());
        EXPECT_TRUE(Traced(StrPrintf("VALIDATION FAILED %05d: ", row.check) + row.line));
        EXPECT_EQ(State(s), before) << "changed without repair";
        int result = 0;
        EXPECT_FALSE(s.doc.Validate(&result));
        TraceRecorder::Lines().clear();
        s.doc.Validate();
        if (row.repaired) {
            EXPECT_FALSE(Traced(StrPrintf("VALIDATION FAILED %05d: ", row.check) + row.line)) << "not repaired";
        } else {
            EXPECT_EQ(State(s), before) << "a check without repair changed the document";
        }
        // Objects planted into a list they do not belong to leave it before
        // the document frees its lists.
        if (row.check == 700)
            s.doc.m_pStapleList->Remove(s.f3);
        if (row.check == 510) {
            CDiagObj* odd = s.doc.m_pObjList->GetAt(7);
            s.doc.m_pObjList->Remove(odd);
            delete odd;
        }
    }
}

namespace {
std::string Diagram(const std::string& body)
{
    return "KAVO Diagram File\nVersion 5.08\n" + body;
}

std::string Fig(int id, int x)
{
    return StrPrintf("Figure %d\n{\nBounds %d,0,%d,100\n}\n", id, x, x + 100);
}

std::string Con(int id, int fig1, int fig2)
{
    return StrPrintf("Connector %d\n{\nFigure1 %d\nFigure2 %d\nConnectionPoint2 4\n}\n", id, fig1, fig2);
}
} // namespace

// Ends the loader cannot attach are repaired by validation, which reports
// them as it reports every repair of a load.
TEST(ValidationOnLoad, DanglingEndsAndSelfLoopsAreReported)
{
    TraceRecorder trace;
    CKavoDoc doc;
    PrepareForLoad(doc);
    ASSERT_TRUE(LoadText(doc, Diagram(Fig(1, 0) + Con(2, 7, 1) + Con(3, 1, 1))));
    EXPECT_TRUE(Traced("VALIDATION FAILED 00120: con 2 has FId1=7 m_pFig1=NULL\n"));
    EXPECT_TRUE(Traced("VALIDATION FAILED 00220: con 3 has FId2=1 m_pFig2=NULL\n"));
    EXPECT_TRUE(Traced("VALIDATION FAILED 00241: con 3 has m_nConPtId2=4 and m_pFig2=NULL or not fig\n"));
    auto* dangling = static_cast<CConnector*>(doc.m_pObjList->FindById(2));
    auto* loop = static_cast<CConnector*>(doc.m_pObjList->FindById(3));
    ASSERT_TRUE(dangling && loop);
    EXPECT_EQ(dangling->m_nFigId1, -1);
    EXPECT_EQ(loop->m_nFigId1, 1);
    EXPECT_EQ(loop->m_nFigId2, -1) << "a connector never has both ends on one figure";
    EXPECT_EQ(loop->m_nConPtId2, -1);
    TraceRecorder::Lines().clear();
    EXPECT_TRUE(doc.Validate()) << "repaired whole";
}

// A figure of an undefined style is dropped by the reader (code 10), so the
// connector that ends at it names a figure that is not there: check 220 frees
// that end and the other end stays on its figure.
TEST(ValidationOnLoad, AnEndAtADroppedFigureIsFreed)
{
    TraceRecorder trace;
    CKavoDoc doc;
    PrepareForLoad(doc);
    std::vector<std::pair<int, int>> errors;
    ASSERT_TRUE(LoadText(doc,
                         Diagram(Fig(1, 0) + "Figure 3\n{\nStyle \"NoSuchStyle\"\nBounds 400,0,500,100\n}\n" +
                                 Con(2, 1, 3)),
                         &errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].second, int(KWE_UNDEFINED_STYLE));
    EXPECT_EQ(doc.m_pObjList->FindById(3), nullptr);
    EXPECT_TRUE(Traced("VALIDATION FAILED 00220: con 2 has FId2=3 m_pFig2=NULL\n"));
    auto* con = static_cast<CConnector*>(doc.m_pObjList->FindById(2));
    ASSERT_TRUE(con);
    EXPECT_EQ(con->m_nFigId2, -1);
    EXPECT_EQ(con->m_pFig2, nullptr);
    EXPECT_EQ(con->m_nConPtId2, -1);
    EXPECT_EQ(con->m_nFigId1, 1);
    ASSERT_TRUE(con->m_pFig1);
    EXPECT_EQ(con->m_pFig1->m_nConnected, 1);
    TraceRecorder::Lines().clear();
    EXPECT_TRUE(doc.Validate()) << "repaired whole";
}

// Two objects of one id: the later takes a new one. A connector end names a
// figure, so its id finds the figure even where a connector comes first;
// the end keeps that figure and its stored id follows the new number.
TEST(ValidationOnLoad, RepeatedIdsAreRenumberedAndTheEndsKeepTheirFigure)
{
    TraceRecorder trace;
    CKavoDoc doc;
    PrepareForLoad(doc);
    ASSERT_TRUE(LoadText(doc, Diagram(Con(5, -1, -1) + Fig(5, 0) + Con(6, 5, -1))));
    EXPECT_TRUE(Traced("VALIDATION FAILED 00090: object id=5 ix=1 repeats an earlier id\n"));
    EXPECT_TRUE(Traced("VALIDATION FAILED 00140: con 6 has FId1=5 and non-matching m_pFig1 id=7\n"));
    auto* fig = static_cast<CFigure*>(doc.m_pObjList->GetAt(1));
    auto* con = static_cast<CConnector*>(doc.m_pObjList->GetAt(2));
    EXPECT_EQ(fig->m_nId, 7);
    EXPECT_EQ(con->m_pFig1, fig);
    EXPECT_EQ(con->m_nFigId1, 7);
    EXPECT_EQ(doc.m_nNextId, 8);
    TraceRecorder::Lines().clear();
    EXPECT_TRUE(doc.Validate());
}

// Undo finds objects by id: with two figures of one id, undoing a move of
// the second moved the first.
TEST(ValidationOnLoad, UndoAfterRepeatedIdsTakesBackTheObjectItLogged)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    ASSERT_TRUE(LoadText(doc, Diagram(Fig(1, 0) + Fig(1, 300))));
    auto* first = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    auto* second = static_cast<CFigure*>(doc.m_pObjList->GetAt(1));
    ASSERT_NE(first->m_nId, second->m_nId);
    doc.ResetUndoLog();
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.SetFigRect(second, CRect(300, 200, 400, 300)));
    doc.UndoEndStep();
    doc.UndoLastStep();
    EXPECT_EQ(first->m_rect, CRect(0, 0, 100, 100));
    EXPECT_EQ(second->m_rect, CRect(300, 0, 400, 100));
}

// Two connectors of one id beside a label whose staple holds the id of a
// connector that is missing (7). The repeated id must not become 7: the
// save's relink would pin the label to that connector and the label would
// move to another line. The staple stays free.
TEST(ValidationOnLoad, RenumberedIdsAvoidIdsThatStaplesStillHold)
{
    TraceRecorder trace;
    CKavoDoc doc;
    PrepareForLoad(doc);
    ASSERT_TRUE(LoadText(doc, ReadFile(TestDataPath("fileformat/staple-holds-missing-id.kvd"))));
    EXPECT_TRUE(Traced("VALIDATION FAILED 00090: object id=4 ix=4 repeats an earlier id\n"));
    ASSERT_EQ(doc.m_pStapleList->GetCount(), 1);
    auto* st = static_cast<CStaple*>(doc.m_pStapleList->GetAt(0));
    EXPECT_EQ(st->m_pCon, nullptr);
    EXPECT_EQ(st->m_nConId, 7);
    auto* repeated = doc.m_pObjList->GetAt(4);
    ASSERT_EQ(repeated->GetType(), kObjConnector);
    EXPECT_GT(repeated->m_nId, 7);
    EXPECT_GT(doc.m_nNextId, repeated->m_nId);

    // The save's renumbering leaves the label free.
    ASSERT_TRUE(doc.RenumberIDs(0));
    EXPECT_EQ(st->m_pCon, nullptr);
    const std::string text = WriteDoc(doc);
    const size_t staple = text.find("Staple 1");
    ASSERT_NE(staple, std::string::npos);
    EXPECT_EQ(text.find("Connector -1", staple), text.find("Connector ", staple)) << text.substr(staple);
}

// What a damaged file may hold beside sound objects: an inverted rectangle,
// a paper of negative width, a group of one member, one of members that are
// not there, one that lists an object twice. Each is reported and repaired;
// an object in two groups (nested groups) is sound.
TEST(ValidationOnLoad, BoundsPaperAndGroupsAreReportedAndRepaired)
{
    TraceRecorder trace;
    CKavoDoc doc;
    PrepareForLoad(doc);
    ASSERT_TRUE(LoadText(doc, Diagram("Paper 1\nPaperWidth -5\n" + Fig(1, 0) + Fig(2, 200) + Fig(3, 400) +
                                      "Figure 4\n{\nBounds 700,100,600,0\n}\n" +
                                      "Group 1\n{\n1,2\n}\nGroup 2\n{\n2,3\n}\nGroup 3\n{\n4\n}\n"
                                      "Group 4\n{\n98,99\n}\nGroup 5\n{\n3,4,3\n}\n")));
    for (const char* line : {"VALIDATION FAILED 00320: fig 4 has inverted bounds (width -100, height -100)\n",
                             "VALIDATION FAILED 00820: bad paper size width -5 length 2794\n",
                             "VALIDATION FAILED 00900: group 3 ix=2 has 1 members\n",
                             "VALIDATION FAILED 00910: group 4 has member id=-1 that names no object\n",
                             "VALIDATION FAILED 00900: group 4 ix=2 has 0 members\n",
                             "VALIDATION FAILED 00915: group 5 lists object 3 twice\n"})
        EXPECT_TRUE(Traced(line)) << line;
    const auto* fig4 = static_cast<const CFigure*>(doc.m_pObjList->FindById(4));
    ASSERT_TRUE(fig4);
    EXPECT_EQ(fig4->m_rect, CRect(600, 0, 700, 100));
    EXPECT_EQ(doc.m_nPaperWidth, 2159);
    EXPECT_EQ(doc.m_nPaperLength, 2794);
    // Groups 1, 2 and 5 stay; figure 4 is in group 5 alone now.
    std::vector<int> ids;
    for (const CGroup* g : doc.m_groupList)
        ids.push_back(g->m_nId);
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(doc.m_groupList[2]->GetCount(), 2);
    ASSERT_TRUE(fig4->m_pGroup);
    EXPECT_EQ(fig4->m_pGroup->m_nId, 5);
    TraceRecorder::Lines().clear();
    EXPECT_TRUE(doc.Validate()) << "repaired whole";
}
