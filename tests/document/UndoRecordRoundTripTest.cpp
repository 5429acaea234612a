// Every record type of the undo log, written by the operation that logs it,
// followed by a change and Undo: the document must come back byte for byte
// (objects, staples, groups, styles and document-wide settings).
#include "DocTestSupport.h"

#include "core/ProgramFolders.h"
#include "core/Trace.h"
#include "document/CStaple.h"
#include "document/DocDefaults.h"
#include "undo/UndoCodes.h"
#include "document/UndoRecordsStaple.h"

#include "core/AppGlobals.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

#include <cstring>
#include <functional>

namespace {
template <class T>
std::string Hex(const T& value)
{
    static const char digits[] = "0123456789abcdef";
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string N(long long v)
{
    return std::to_string(v);
}

std::string ConPts(const CConPtList* list)
{
    if (!list)
        return "-";
    std::string out;
    for (int i = 0; i < list->GetCount(); ++i) {
        const CConPt* p = list->GetAt(i);
        out += "[" + N(p->m_nId) + " " + p->m_strName + " " + N(p->m_nFlag) + " " + Hex(p->m_pos) + "]";
    }
    return out;
}

// Everything an undo record can touch, in list order.
std::string DeepSnapshot(CKavoDoc& doc)
{
    std::string out;
    for (CDiagObj* o : *doc.m_pObjList) {
        out += N(o->GetType()) + ":" + N(o->m_nId) + " sel" + N(o->m_bSelected);
        if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            out += " r" + N(f->m_rect.left) + "," + N(f->m_rect.top) + "," + N(f->m_rect.right) + "," +
                   N(f->m_rect.bottom) + " t=" + f->m_strText + "|" + f->m_strSecondText + "|" + f->m_strLink +
                   " rot" + N(f->m_nTextRotate) + " ai" + N(f->AssociationIndicator) + " st" + N(f->m_nStyle) +
                   " c" + N(f->m_nConnected) + " p" + Hex(f->m_props) + " cp" + ConPts(f->m_pConPts.get());
        } else {
            auto* c = static_cast<CConnector*>(o);
            out += " e" + N(c->m_pFig1 ? c->m_pFig1->m_nId : -1) + "," + N(c->m_pFig2 ? c->m_pFig2->m_nId : -1) +
                   " cp" + N(c->m_nConPtId1) + "," + N(c->m_nConPtId2) + " p1 " + N(c->EndPoint1.x) + "," +
                   N(c->EndPoint1.y) + " p2 " + N(c->EndPoint2.x) + "," + N(c->EndPoint2.y) + " st" +
                   N(c->m_nStyle) + " p" + Hex(c->m_props);
        }
        out += "\n";
    }
    for (CDiagObj* o : *doc.m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        out += "staple " + N(s->m_nId) + " t" + N(s->m_nType) + " c" + N(s->m_pCon ? s->m_pCon->m_nId : -1) +
               " f" + N(s->m_pFig1 ? s->m_pFig1->m_nId : -1) + "," + N(s->m_pFig2 ? s->m_pFig2->m_nId : -1) +
               " pos" + N(s->ConPos) + " " + N(s->Fig1PosX) + "," + N(s->Fig1PosY) + " " + N(s->Fig2PosX) + "," +
               N(s->Fig2PosY) + " off" + N(s->OffsetX) + "," + N(s->OffsetY) + " fs" + N(s->FlowSide) + " lat" +
               N(s->LateralOffset) + "," + N(s->LateralConsistency) + " pin" + N(s->PinType) + " sel" +
               N(s->m_bSelected) + "\n";
    }
    for (CGroup* g : doc.m_groupList) {
        out += "group " + N(g->m_nId) + ":";
        for (const CGroup::Member& m : g->m_members)
            out += " " + N(m.id) + (m.obj ? "" : "?");
        out += "\n";
    }
    for (int i = 0; i < doc.m_figStyles.GetCount(); ++i) {
        const CFigStyle* s = doc.m_figStyles.GetAt(i);
        out += "fstyle " + s->m_strName + " " + Hex(s->m_props) + " " + N(s->Width) + "x" + N(s->Height) + " " +
               s->DefaultText + " cp" + ConPts(&s->m_conPts) + "\n";
    }
    for (int i = 0; i < doc.m_conStyles.GetCount(); ++i) {
        const CConStyle* s = doc.m_conStyles.GetAt(i);
        out += "cstyle " + s->m_strName + " " + Hex(s->m_props) + " " + s->AutoLabelText + "\n";
    }
    out += "shadow " + Hex(doc.m_shadowSpec) + " spacing " + N(doc.m_nLineSpacingMode) + " " +
           Hex(doc.m_fLineSpacingValue) + " margins " + N(doc.m_nFigMarginLeft) + "," + N(doc.m_nFigMarginTop) +
           "," + N(doc.m_nFigMarginRight) + "," + N(doc.m_nFigMarginBottom) + " modified " + N(doc.IsModified());
    return out;
}

struct World {
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CFigure* loose = nullptr;
    CFigure* label = nullptr;
    CConnector* con = nullptr;
    CStaple* staple = nullptr;
    CGroup* group = nullptr;
};

struct RecordCase {
    int type;
    bool ownsStep;   // the operation opens and closes its own step
    std::function<void(CKavoDoc&, World&)> change;
};

void LogEmpty(CKavoDoc& doc, int type)
{
    ASSERT_TRUE(doc.UndoLogRef().UndoLog(type, [](UndoStream&) {}));
}

const std::vector<RecordCase>& Cases()
{
    static const std::vector<RecordCase> cases = {
        {UDOC_FIGDIM, false, [](CKavoDoc& d, World& w) { ASSERT_TRUE(d.SetFigRect(w.a, CRect(1, 2, 300, 400))); }},
        {UDOC_FIGCREATE, false,
         [](CKavoDoc& d, World&) {
             CFigure* f = NewFig(d, 900, 900);
             f->m_nId = 77;
             ASSERT_TRUE(d.AddFigUndo(f));
         }},
        {UDOC_FIGPROPS, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogFigureState(w.a));
             w.a->m_props.BorderColor = RGB(1, 2, 3);
             w.a->m_props.TextColor = RGB(4, 5, 6);
             w.a->m_props.m_fill.m_nKind = 3;
             w.a->m_nStyle = 0;
             w.a->m_pConPts.reset();
             w.a->m_bHasConPts = 0;
         }},
        {UDOC_CONPROPS, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogConnectorState(UDOC_CONPROPS, w.con));
             w.con->m_props.LineWidth = 7;
             w.con->m_props.Color = RGB(9, 9, 9);
             w.con->m_nStyle = 0;
         }},
        {UDOC_OBJORDER, false, [](CKavoDoc& d, World& w) { ASSERT_TRUE(d.MoveObjInList(w.a, 4)); }},
        {UDOC_CONCREATE, false,
         [](CKavoDoc& d, World& w) {
             auto* c = new CConnector(&d);
             c->m_nId = 88;
             c->EndPoint1 = CPoint(0, 0);
             c->EndPoint2 = CPoint(50, 50);
             ASSERT_TRUE(d.AddConUndo(c));
             d.Select(c);
             (void)w;
         }},
        {UDOC_CONMOVE, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogConnectorEnds(UDOC_CONMOVE, w.con));
             w.con->EndPoint1 = CPoint(-40, -40);
             w.con->m_nConPtId2 = 5;
         }},
        {UDOC_CONROTATE, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogConnectorEnds(UDOC_CONROTATE, w.con));
             w.con->EndPoint2 = CPoint(1234, -5);
             w.con->m_nConPtId1 = 2;
         }},
        {UDOC_STPCREATE, false,
         [](CKavoDoc& d, World& w) {
             auto* st = new CStaple(&d);
             st->MakeFigLink(w.a, 10, 20, w.loose, 30, 40, 0, 0);
             st->m_nId = 99;
             ASSERT_TRUE(d.AddStapleUndo(st));
         }},
        {UDOC_PASTE, false, [](CKavoDoc& d, World&) { LogEmpty(d, UDOC_PASTE); }},
        {UDOC_FIGTEXT, false,
         [](CKavoDoc& d, World& w) { ASSERT_TRUE(d.SetFigTextArea(w.a, -1, "changed", "second")); }},
        {UDOC_CONFLIP, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(LogConFlip(d, w.con));
             FlipConWithStaples(d, w.con);
         }},
        {UDOC_STPMOD, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(LogStapleState(d, w.staple));
             w.staple->ConPos = 9;
             w.staple->LateralOffset = -3;
             w.staple->PinType = 5;
             w.staple->LateralConsistency = 4;
         }},
        {UDOC_DELFIG, false,
         [](CKavoDoc& d, World& w) { ASSERT_TRUE(d.CutFig(w.loose, d.m_pObjList->GetPosition(w.loose))); }},
        {UDOC_DELCON, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.CutCon(w.con, true, false, d.m_pObjList->GetPosition(w.con)));
         }},
        {UDOC_DELSTP, false, [](CKavoDoc& d, World& w) { ASSERT_TRUE(d.CutStaple(w.staple, 1)); }},
        {UDOC_TOCLIPBD, false, [](CKavoDoc& d, World&) { LogEmpty(d, UDOC_TOCLIPBD); }},
        {UDOC_SHADOW, true,
         [](CKavoDoc& d, World&) {
             CShadowSpec spec = d.m_shadowSpec;
             spec.m_nOffsetX += 5;
             d.SetShadowSettings(spec);
         }},
        {UDOC_FSMOD, false,
         [](CKavoDoc& d, World&) {
             CFigStyle* s = d.m_figStyles.GetAt(1);
             ASSERT_TRUE(d.LogFigStyleProps(s));
             s->m_props.BorderColor = RGB(200, 0, 0);
         }},
        {UDOC_CSMOD, false,
         [](CKavoDoc& d, World&) {
             CConStyle* s = d.m_conStyles.GetAt(1);
             ASSERT_TRUE(d.LogConStyleProps(s));
             s->m_props.LineWidth = 12;
         }},
        {UDOC_TXTROTATE, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogTextRotation(w.a));
             w.a->m_nTextRotate = 90;
         }},
        // The step frame itself: an empty step puts the modified flag back.
        {UDOC_ENDSTEP, false, [](CKavoDoc& d, World&) { d.SetModifiedFlag(true); }},
        {UDOC_BEGINSTEP, false, [](CKavoDoc&, World&) {}},
        {UDOC_VIEW, false, [](CKavoDoc& d, World&) { ASSERT_TRUE(d.LogView(10, 20, 150.0)); }},
        {UDOC_FIGCONPTS, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogFigConPts(w.a));
             w.a->m_pConPts->AddConPt(CFltPoint(2048, 0), "extra", 0, true, -1);
         }},
        {UDOC_FIGMARGINS, false,
         [](CKavoDoc& d, World&) {
             ASSERT_TRUE(d.UndoLogMargins(d.m_nFigMarginLeft, d.m_nFigMarginRight, d.m_nFigMarginTop,
                                          d.m_nFigMarginBottom, true));
             d.StoreFigMargins(1, 2, 3, 4);
         }},
        {UDOC_DOCLINESPACING, false, [](CKavoDoc& d, World&) { ASSERT_TRUE(d.SetLineSpacing(2, 3.25f)); }},
        {UDOC_GROUP, false,
         [](CKavoDoc& d, World& w) {
             auto* g = new CGroup();
             g->m_nId = 55;
             g->AddMember(w.loose, w.loose->m_nId);
             g->AddMember(w.label, w.label->m_nId);
             ASSERT_TRUE(d.AddGroupUndo(g));
         }},
        {UDOC_UNGROUP, false, [](CKavoDoc& d, World& w) { ASSERT_TRUE(d.CutGroup(w.group, 1)); }},
        {UDOC_GRPCREATE, false,
         [](CKavoDoc& d, World& w) {
             auto* g = new CGroup();
             g->AddMember(w.loose, w.loose->m_nId);
             g->AddMember(w.label, w.label->m_nId);
             ASSERT_TRUE(d.AddGroupWithId(g));
             ASSERT_TRUE(d.LogIdRecord(UDOC_GRPCREATE, g->m_nId));
         }},
        {UDOC_GRPDELOBJ, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogGroupMemberRemoved(w.group, w.a));
             w.group->RemoveMember(w.a->m_nId);
         }},
        {UDOC_FSTYLECLRS, false,
         [](CKavoDoc& d, World&) {
             ASSERT_TRUE(d.LogFigStyleColors());
             for (int i = 0; i < d.m_figStyles.GetCount(); ++i) {
                 d.m_figStyles.GetAt(i)->m_props.BorderColor = RGB(0, 0, 99);
                 d.m_figStyles.GetAt(i)->m_props.m_fill.m_nKind = 2;
             }
         }},
        {UDOC_CSTYLECLRS, false,
         [](CKavoDoc& d, World&) {
             ASSERT_TRUE(d.LogConStyleColors());
             for (int i = 0; i < d.m_conStyles.GetCount(); ++i)
                 d.m_conStyles.GetAt(i)->m_props.Color = RGB(0, 99, 0);
         }},
        {UDOC_FIGCOLORS, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogFigColors(w.a));
             w.a->m_props.BorderColor = RGB(7, 7, 7);
             w.a->m_props.m_fill.m_nKind = 4;
         }},
        {UDOC_CONCOLORS, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogConColors(w.con));
             w.con->m_props.Color = RGB(3, 3, 3);
             w.con->m_props.End1FillColor = RGB(4, 4, 4);
         }},
        {UDOC_FIGASSIND, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogFigAssInd(w.a));
             w.a->AssociationIndicator = 4;
         }},
        {UDOC_CONENDSYM, false,
         [](CKavoDoc& d, World& w) {
             ASSERT_TRUE(d.LogConEndSymbol(w.con, 2));
             w.con->m_props.End2 = 0;
         }},
        {UDOC_FIGSTYLE, false,
         [](CKavoDoc& d, World&) {
             // The first style of the library comes back as well.
             CFigStyle* s = d.m_figStyles.GetAt(0);
             ASSERT_TRUE(d.LogFigStyleState(s));
             s->m_props.BorderColor = RGB(1, 100, 1);
             s->Width = 333;
             s->DefaultText = "changed";
         }},
        {UDOC_LBLSTYLE, false, [](CKavoDoc& d, World&) { LogEmpty(d, UDOC_LBLSTYLE); }},
        {UDOC_CONSTYLE, false,
         [](CKavoDoc& d, World&) {
             CConStyle* s = d.m_conStyles.GetAt(0);
             ASSERT_TRUE(d.LogConStyleState(s));
             s->m_props.LineWidth = 21;
             s->AutoLabelText = "changed";
         }},
        {UDOC_FIGSTYLEADD, false, [](CKavoDoc& d, World&) { LogEmpty(d, UDOC_FIGSTYLEADD); }},
        {UDOC_LBLSTYLEADD, false, [](CKavoDoc& d, World&) { LogEmpty(d, UDOC_LBLSTYLEADD); }},
        {UDOC_CONSTYLEADD, false, [](CKavoDoc& d, World&) { LogEmpty(d, UDOC_CONSTYLEADD); }},
        {UDOC_FIGSTYLEDEL, false, [](CKavoDoc& d, World&) { LogEmpty(d, UDOC_FIGSTYLEDEL); }},
        {UDOC_LBLSTYLEDEL, false, [](CKavoDoc& d, World&) { LogEmpty(d, UDOC_LBLSTYLEDEL); }},
        {UDOC_CONSTYLEDEL, false, [](CKavoDoc& d, World&) { LogEmpty(d, UDOC_CONSTYLEDEL); }},
    };
    return cases;
}

// Records whose body holds nothing to put back (or only the view's place).
bool ChangesNothing(int type)
{
    switch (type) {
    case UDOC_PASTE:
    case UDOC_TOCLIPBD:
    case UDOC_BEGINSTEP:
    case UDOC_VIEW:
    case UDOC_LBLSTYLE:
        return true;
    default:
        return type >= UDOC_FIGSTYLEADD;
    }
}

class UndoRoundTrip : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        CFigProps fp;
        ASSERT_TRUE(doc.m_figStyles.AddFigStyle(&fp, "First", 0, 0, 0, "", "", 100, 50, "one", "", nullptr, 0, ""));
        ASSERT_TRUE(doc.m_figStyles.AddFigStyle(&fp, "Second", 0, 0, 0, "", "", 80, 40, "two", "", nullptr, 0, ""));
        CConProps cp;
        ASSERT_TRUE(doc.m_conStyles.AddConStyle(&cp, "Line", 0, 0, "", "", 0, "lbl", 0, 0, 0, 0));
        ASSERT_TRUE(doc.m_conStyles.AddConStyle(&cp, "Arrow", 0, 0, "", "", 0, "", 0, 0, 0, 0));
        for (const char* name : {"None", "Arrow"})
            doc.m_endSymbols.NewEntry()->m_strName = name;

        w.a = NewFig(doc, 0, 0, "a");
        w.b = NewFig(doc, 500, 0, "b");
        w.loose = NewFig(doc, 0, 600, "loose");
        w.label = NewFig(doc, 200, 200, "label");
        for (CFigure* f : {w.a, w.b, w.loose, w.label})
            ASSERT_TRUE(doc.AddFigWithId(f));
        w.a->m_pConPts = std::make_unique<CConPtList>();
        w.a->m_pConPts->AddConPt(CFltPoint(0, 1024), "west", 0, true, -1);
        // Two points at one place: the records bring back both.
        w.a->m_pConPts->AddConPt(CFltPoint(0, 1024), "west 2", 0, true, -1);
        w.a->m_bHasConPts = 1;
        w.a->m_nStyle = 1;
        CConProps props;
        props.End2 = 1;
        w.con = doc.CreateCon(w.a, w.b, -1, -1, w.a->GetCenter(), w.b->GetCenter(), 1, props);
        ASSERT_TRUE(w.con);
        // Ends clipped to the outlines, as every later route change leaves them.
        w.con->RecalcRoute();
        w.staple = new CStaple(&doc);
        w.staple->MakeLatLbl(w.con, w.con->GetMidPoint(), w.label, 20, 1);
        ASSERT_TRUE(doc.AddStapleWithId(w.staple));
        w.group = new CGroup();
        w.group->AddMember(w.a, w.a->m_nId);
        w.group->AddMember(w.b, w.b->m_nId);
        ASSERT_TRUE(doc.AddGroupWithId(w.group));
        w.a->m_pGroup = w.b->m_pGroup = w.group;
        doc.Select(w.b);
        doc.SetModifiedFlag(false);
        doc.ResetUndoLog();
    }
    World w;
};

TEST_F(UndoRoundTrip, EveryRecordTypeRestoresTheDocument)
{
    ASSERT_EQ(Cases().size(), size_t(kUndoRecordTypeCount));
    const int32_t looseId = w.loose->m_nId, conId = w.con->m_nId, stapleId = w.staple->m_nId,
                  groupId = w.group->m_nId;
    for (size_t i = 0; i < Cases().size(); ++i) {
        const RecordCase& c = Cases()[i];
        ASSERT_EQ(c.type, int(i) + 1);
        SCOPED_TRACE(UndoRecordTypeName(c.type));
        const std::string before = DeepSnapshot(doc);
        if (!c.ownsStep)
            doc.UndoBeginStep(UDMAC_FIGPROPS);
        c.change(doc, w);
        if (!c.ownsStep)
            doc.UndoEndStep();
        if (!ChangesNothing(c.type)) {
            EXPECT_NE(DeepSnapshot(doc), before);
        }
        EXPECT_NE(doc.UndoLastStep(), 0);
        EXPECT_EQ(DeepSnapshot(doc), before);
        // Cut objects come back as new ones with their old ids.
        w.loose = static_cast<CFigure*>(doc.m_pObjList->FindById(looseId, kObjFigure));
        w.con = static_cast<CConnector*>(doc.m_pObjList->FindById(conId, kObjConnector));
        w.staple = doc.FindStapleById(stapleId);
        w.group = doc.FindGroupById(groupId);
        ASSERT_TRUE(w.loose && w.con && w.staple && w.group);
    }
}

// Undoing a copy empties the clipboard only while it holds our diagram data.
TEST_F(UndoRoundTrip, UndoingACopyClearsOnlyOurClipboardData)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (bool ours : {true, false}) {
        auto* data = new QMimeData;
        if (ours)
            data->setData(QString::fromLatin1(kClipboardMimeTypes[0]), QByteArray("objects"));
        else
            data->setText("someone else's text");
        clipboard->setMimeData(data);
        doc.UndoBeginStep(UDMAC_COPYOBJS);
        ASSERT_TRUE(doc.UndoLogRef().UndoLog(UDOC_TOCLIPBD, [](UndoStream&) {}));
        doc.UndoEndStep();
        EXPECT_EQ(doc.UndoLastStep(), UDMAC_COPYOBJS);
        const QMimeData* now = clipboard->mimeData();
        if (ours) {
            EXPECT_TRUE(!now || !now->hasFormat(QString::fromLatin1(kClipboardMimeTypes[0])));
        } else {
            EXPECT_EQ(now ? now->text() : QString(), QString("someone else's text"));
        }
    }
}

// The trace lines each logged record writes, field by field, exactly once.
TEST_F(UndoRoundTrip, RecordsTraceTheirFields)
{
    QTemporaryDir dir;
    SetProgramFolderForTest(dir.path());
    g_bDiagnostics = true;
    InitDiagnostics();
    auto lines = [&dir] {
        QFile f(dir.path() + "/Diags.log");
        std::string out;
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray& line : f.readAll().split('\n'))
                if (line.startsWith("UNDO      "))
                    out += line.toStdString() + "\n";
        return out;
    };
    w.con->m_nConPtId2 = 3;
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.LogConnectorEnds(UDOC_CONMOVE, w.con));
    ASSERT_TRUE(doc.CutFig(w.loose, 3));
    ASSERT_TRUE(doc.LogConnectorState(UDOC_DELCON, w.con, 5));
    ASSERT_TRUE(doc.LogIdRecord(UDOC_GROUP, 7));
    ASSERT_TRUE(doc.LogFigAssInd(w.a));
    doc.UndoEndStep();
    EXPECT_EQ(lines(), "UNDO      ID=5\nUNDO      fid1=1\nUNDO      fid2=2\nUNDO      nConPtId1=-1\n"
                       "UNDO      nConPtId2=3\n"
                       "UNDO      ID=3\nUNDO      order=3\nUNDO      nConnected=0\nUNDO      selected=0\n"
                       "UNDO      ID=5\nUNDO      order=5\nUNDO      Fig1ID=1\nUNDO      Fig2ID=2\n"
                       "UNDO      selected=0\n"
                       "UNDO      ID=1\n");
}

// A shadow record whose fields lie outside what a file can hold is damage:
// neither the document nor the program's default takes it (every later
// figure's shadow rectangle would overflow). One inside the bounds is taken.
TEST_F(UndoRoundTrip, ShadowRecordsOutsideTheFileBoundsAreNotReplayed)
{
    const struct {
        CShadowSpec spec;
        bool replayed;
    } cases[] = {
        {CShadowSpec(1, 0xFFFFFF, -32768, 32767, 32767, 255), true},
        {CShadowSpec(1, 0, 0x7FFFFFFF, 8, 4, 153), false},
        {CShadowSpec(1, 0, 8, -40000, 4, 153), false},
        {CShadowSpec(1, 0, 8, 8, 1 << 30, 153), false},
        {CShadowSpec(1, 0, 8, 8, 4, 70000), false},
        {CShadowSpec(99999, 0, 8, 8, 4, 153), false},
        {CShadowSpec(1, 0x01000000, 8, 8, 4, 153), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spec.m_nOffsetX);
        const CShadowSpec before = doc.m_shadowSpec;
        SetAppShadowDefault(before);
        doc.UndoBeginStep(UDMAC_SETSHADOWS);
        ASSERT_TRUE(doc.UndoLogRef().UndoLog(UDOC_SHADOW, [&c](UndoStream& s) { s.Raw(&c.spec, sizeof c.spec); }));
        doc.UndoEndStep();
        EXPECT_EQ(doc.UndoLastStep(), UDMAC_SETSHADOWS);
        const CShadowSpec expected = c.replayed ? c.spec : before;
        EXPECT_TRUE(doc.m_shadowSpec == expected);
        EXPECT_TRUE(GetAppShadowDefault() == expected);
        doc.m_shadowSpec = CShadowSpec();
    }
}

} // namespace

// A document with styles of one kind only logs an empty list for the other
// kind: Undo replays that empty list and goes on to the records logged
// before it (the styles' colours and a figure's colours all come back).
TEST(StyleColourUndo, AnEmptyStyleListDoesNotStopTheUndo)
{
    for (const bool figStyles : {true, false}) {
        SCOPED_TRACE(figStyles ? "figure styles only" : "connector styles only");
        CKavoDoc d;
        ASSERT_TRUE(d.OnNewDocument());
        d.m_figStyles.RemoveAll();
        d.m_conStyles.RemoveAll();
        CFigProps fp;
        CConProps cp;
        if (figStyles)
            ASSERT_TRUE(d.m_figStyles.AddFigStyle(&fp, "Only", 0, 0, 0, "", "", 100, 50, "", "", nullptr, 0, ""));
        else
            ASSERT_TRUE(d.m_conStyles.AddConStyle(&cp, "Only", 0, 0, "", "", 0, "", 0, 0, 0, 0));
        CFigure* f = NewFig(d, 0, 0, "a");
        ASSERT_TRUE(d.AddFigWithId(f));
        const COLORREF figBorder = f->m_props.BorderColor;
        d.ResetUndoLog();
        d.UndoBeginStep(UDMAC_FIGPROPS);
        ASSERT_TRUE(d.LogFigColors(f));
        ASSERT_TRUE(d.LogFigStyleColors());
        ASSERT_TRUE(d.LogConStyleColors());
        f->m_props.BorderColor = RGB(7, 7, 7);
        if (figStyles)
            d.m_figStyles.GetAt(0)->m_props.BorderColor = RGB(0, 0, 99);
        else
            d.m_conStyles.GetAt(0)->m_props.Color = RGB(0, 99, 0);
        d.UndoEndStep();
        EXPECT_EQ(d.UndoLastStep(), UDMAC_FIGPROPS);
        EXPECT_EQ(f->m_props.BorderColor, figBorder);
        if (figStyles)
            EXPECT_EQ(d.m_figStyles.GetAt(0)->m_props.BorderColor, fp.BorderColor);
        else
            EXPECT_EQ(d.m_conStyles.GetAt(0)->m_props.Color, cp.Color);
    }
}

// The records that carry nothing to put back (paste, style added, removed
// or a label style) are passed over: the records logged before them in the
// step still come back.
TEST_F(UndoRoundTrip, ARecordWithNothingToRestoreLetsTheReplayGoOn)
{
    const COLORREF border = w.a->m_props.BorderColor;
    for (const int type : {UDOC_PASTE, UDOC_LBLSTYLE, UDOC_FIGSTYLEADD, UDOC_LBLSTYLEADD, UDOC_CONSTYLEADD,
                           UDOC_FIGSTYLEDEL, UDOC_LBLSTYLEDEL, UDOC_CONSTYLEDEL}) {
        SCOPED_TRACE(UndoRecordTypeName(type));
        doc.UndoBeginStep(UDMAC_FIGPROPS);
        ASSERT_TRUE(doc.LogFigColors(w.a));
        w.a->m_props.BorderColor = RGB(7, 7, 7);
        LogEmpty(doc, type);
        doc.UndoEndStep();
        EXPECT_NE(doc.UndoLastStep(), 0);
        EXPECT_EQ(w.a->m_props.BorderColor, border);
    }
}
