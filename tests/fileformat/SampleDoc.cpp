#include "fileformat/FileFormatTestSupport.h"

#include "shapes/COutlineWriter.h"

namespace {
CFigure* AddFigure(CKavoDoc& doc, int id, const CRect& rc, int style)
{
    auto* f = new CFigure(&doc);
    f->m_nId = id;
    f->m_rect = rc;
    f->m_nStyle = style;
    if (const CFigStyle* s = doc.m_figStyles.GetAt(style))
        f->m_props = s->m_props;
    EXPECT_TRUE(doc.AddFig(f));
    return f;
}

CStaple* AddStaple(CKavoDoc& doc, int id, int type, CConnector* con, CFigure* f1, CFigure* f2)
{
    auto* s = new CStaple(&doc, type);
    s->m_nId = id;
    s->m_pCon = con;
    s->m_pFig1 = f1;
    s->m_pFig2 = f2;
    s->StoreIds();
    EXPECT_TRUE(doc.AddStaple(s));
    return s;
}

HGLOBAL DevModeBlock()
{
    // The device name, then version words, then dmSize 40 and 4 bytes of
    // driver data after the 40.
    HGLOBAL h = GlobalAlloc(GHND, 44);
    CGlobalLock lock(h);
    std::memcpy(lock.data(), "Printer", 7);
    lock.data()[36] = 40;
    lock.data()[38] = 4;
    lock.data()[43] = 0xAB;
    return h;
}
} // namespace

void BuildSampleDoc(CKavoDoc& doc)
{
    doc.m_ptViewOrigin = CPoint(10, -20);
    doc.m_fViewScale = 150.0f;
    doc.m_fMarginLeft = 64.5;
    doc.m_bTranspBMPs = 0;
    doc.m_strTemplate = "C:\\Templates\\Flow.kvt";
    doc.m_strParent = "parent.kvd";
    doc.m_nLabelToFigSpacing = 12;
    doc.m_nSBarWidthOrg = 150;
    doc.m_crDefaultText = RGB(10, 20, 30);
    doc.m_defaultFont.m_lf.lfWeight = 700;
    doc.m_fLineSpacingValue = 1.25f;
    doc.m_hDevMode = DevModeBlock();
    // Driver, device and port names, each empty.
    doc.m_hDevNames = GlobalAlloc(GHND, 11);
    {
        CGlobalLock names(doc.m_hDevNames);
        const BYTE header[6] = {8, 0, 9, 0, 10, 0};
        std::memcpy(names.data(), header, sizeof header);
    }

    CFigSymbol* tri = doc.m_figSymbols.NewEntry();
    tri->SetName("Tri");
    tri->Height = 200;
    tri->Width = 300;
    {
        COutlineWriter w(tri->m_program.data(), CFigSymbol::kProgramSize);
        const CFltPoint pts[4] = {{1024, 0}, {2048, 2048}, {0, 2048}, {1024, 0}};
        tri->m_nFillPos = w.Pos();
        w.Points(kOpPolygon, pts, 3);
        w.End(kOpEndFill);
        tri->m_nOutlinePos = w.Pos();
        w.Points(kOpPolyline, pts, 4);
        w.End(kOpEndOutline);
        tri->m_nProgramLength = w.Pos();
    }
    const int triIndex = doc.m_figSymbols.GetCount() - 1;

    CShapeDef* dart = doc.m_endSymbols.NewEntry();
    dart->SetName("Dart");
    {
        COutlineWriter w(dart->m_program.data(), CShapeDef::kProgramSize);
        dart->m_nAreaPos = w.Pos();
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 1024));
        w.End(kOpEndFill);
        dart->m_nProgramLength = w.Pos();
    }
    const int dartIndex = doc.m_endSymbols.GetCount() - 1;

    CFigStyle* process = doc.m_figStyles.NewEntry();
    process->Reset();
    process->SetName("Process");
    process->Category = "Flow";
    process->HasButton = 1;
    process->Description = "A step";
    process->DefaultText = "Step";
    process->m_props.Symbol = triIndex;
    process->m_props.m_fill.m_nKind = 2;
    process->m_props.m_fill.m_crColor2 = RGB(200, 0, 0);
    process->m_props.m_nGraphicType = 9;
    process->m_props.Graphic = MakePicture(0xFF112233);
    doc.m_graphics.RegisterAlloc(9, &process->m_props.Graphic, false);
    const CFltPoint hot[4] = {{0, 0}, {2048, 0}, {2048, 2048}, {0, 2048}};
    process->m_hotZone.SetPoints(4, hot);
    process->m_conPts.AddConPt(CFltPoint(1024, 0, 1, 0), "in", 0, true, 1);

    CFigStyle* note = doc.m_figStyles.NewEntry();
    note->Reset();
    note->SetName("Note");
    note->Label = 1;
    note->m_props.Symbol = 1;
    note->m_props.m_fill.m_nKind = 0;
    note->m_props.Behavior.low |= 1u << 6;

    CConStyle* flow = doc.m_conStyles.NewEntry();
    flow->Reset();
    flow->SetName("Flow");
    flow->AutoLabel = 1;
    flow->AutoLabelText = "yes";
    flow->FragmentCreation = 1;
    flow->FragmentLength = 40;
    flow->m_props.End2 = dartIndex;
    flow->m_props.FIType = 0;
    flow->m_props.Behavior.low = 2;

    CFigure* f1 = AddFigure(doc, 1, CRect(0, 0, 256, 172), 0);
    f1->m_strText = "\\b Hello\\b0 ";
    f1->m_strLink = "http://example.com/a";
    f1->m_props.Shadow = 3;
    f1->m_pConPts = std::make_unique<CConPtList>();
    f1->m_pConPts->AddConPt(CFltPoint(0, 1024), "left", 1, true, 1);
    f1->m_bHasConPts = 1;
    CFigure* f2 = AddFigure(doc, 2, CRect(300, 0, 400, 40), 1);
    f2->m_bLabel = 1;
    f2->m_strText = "label";
    CFigure* f3 = AddFigure(doc, 3, CRect(0, 400, 256, 572), -1);
    f3->m_nTextRotate = 900;
    f3->m_props.m_nGraphicType = 9;
    f3->m_props.Graphic = MakePicture(0xFF445566);
    doc.m_graphics.RegisterAlloc(9, &f3->m_props.Graphic, false);

    auto* con = new CConnector(&doc);
    con->m_nId = 4;
    con->m_nStyle = 0;
    con->m_props = flow->m_props;
    con->m_pFig1 = f1;
    con->m_pFig2 = f3;
    con->m_nConPtId1 = -2;
    con->StoreIds();
    con->EndPoint1 = CPoint(128, 172);
    con->EndPoint2 = CPoint(128, 400);
    EXPECT_TRUE(doc.AddCon(con));
    f1->AttachCon(con);
    f3->AttachCon(con);

    CStaple* s1 = AddStaple(doc, 1, kStapleFigLabel, nullptr, f1, f2);
    f2->m_pStaple = s1;
    CStaple* s2 = AddStaple(doc, 2, kStapleFlowLabel, con, f3, f2);
    s2->FlowSide = 2;
    CStaple* s3 = AddStaple(doc, 3, kStapleLatLabel, con, f2, nullptr);
    s3->LateralOffset = -7;
    s3->LateralConsistency = 1;
    s3->PinType = 2;

    auto* group = new CGroup;
    group->m_nId = 1;
    group->AddMember(f1, 1);
    group->AddMember(f3, 3);
    EXPECT_TRUE(doc.AddGroup(group));
    doc.m_nNextId = 5;
    doc.m_nNextStpId = 4;
    doc.m_nNextGrpId = 2;
}
