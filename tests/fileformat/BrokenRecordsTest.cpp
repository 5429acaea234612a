// Broken lines and records of diagram text: the code each gives, what the
// reader keeps, and the special rules of the Globals and pictures.
#include "common/TestSupport.h"
#include "fileformat/FileFormatTestSupport.h"
#include "platform/NumText.h"

namespace {
// A header and two styles every case may refer to.
const std::string kPrefix = "KAVO Diagram File\nVersion 5.08\n"
                            "FigureStyle \"Box\"\n{\nSymbol \"lbl\"\n}\n"
                            "ConnectorStyle \"Line\"\n{\nEnd1 \"null\"\nEnd2 \"null\"\n}\n";

struct Loaded {
    std::vector<std::pair<int, int>> errors;
    int figures = 0;
    int connectors = 0;
    int staples = 0;
};

Loaded Load(CKavoDoc& doc, const std::string& body, double version = 5.08)
{
    std::string text = kPrefix + body;
    if (version != 5.08)
        text.replace(text.find("5.08"), 4, StrPrintf("%.2f", version));
    Loaded out;
    LoadText(doc, text, &out.errors);
    out.figures = doc.m_pObjList->m_nFigCount;
    out.connectors = doc.m_pObjList->m_nConCount;
    out.staples = doc.m_pStapleList->GetCount();
    return out;
}
} // namespace

TEST(BrokenRecords, EachBadLineGivesItsCode)
{
    struct Case {
        const char* body;
        int code;       // the first error
        int figures;    // figures kept
        int connectors; // connectors kept
    };
    const Case cases[] = {
        {"Scale 5\n", KWE_OUT_OF_RANGE, 0, 0},
        {"GridX 4\n", KWE_OUT_OF_RANGE, 0, 0},
        {"Bogus 1\n", KWE_UNRECOGNIZED, 0, 0},
        {"}\n", KWE_UNRECOGNIZED, 0, 0},
        // A missing symbol or style drops the whole object, not the next one.
        {"Figure 1\n{\nSymbol \"Nope\"\nBounds 0,0,1,1\n}\nFigure 2\n{\n}\n", KWE_UNDEFINED_SYMBOL, 1, 0},
        {"Figure 1\n{\nStyle \"Nope\"\n}\nFigure 2\n{\n}\n", KWE_UNDEFINED_STYLE, 1, 0},
        {"Connector 1\n{\nEnd1 \"Nope\"\n}\n", KWE_UNDEFINED_SYMBOL, 0, 0},
        {"Connector 1\n{\nStyle \"Nope\"\n}\n", KWE_UNDEFINED_STYLE, 0, 0},
        // A bad value loses only its line.
        {"Connector 1\n{\nFigure1 -2\n}\n", KWE_OUT_OF_RANGE, 0, 1},
        {"Connector 1\n{\nFigure1 1073741824\n}\n", KWE_OUT_OF_RANGE, 0, 1},
        {"Figure 1\n{\nBogus 1\n}\n", KWE_UNRECOGNIZED, 1, 0},
        {"Figure 1\n{\nTextRotate 3601\n}\n", KWE_OUT_OF_RANGE, 1, 0},
        // Coordinates past the 16-bit range are refused, never wrapped.
        {"Figure 1\n{\nBounds 44170,0,44370,100\n}\n", KWE_OUT_OF_RANGE, 1, 0},
        {"Connector 1\n{\nEndPoint1 0,-40000\n}\n", KWE_OUT_OF_RANGE, 0, 1},
        {"Figure 1\n{\nBorderWidth 101\n}\n", KWE_OUT_OF_RANGE, 1, 0},
        {"Figure 1\n{\nGraphic 77\n}\n", KWE_SYNTAX, 1, 0},
        {"Figure 1\n{\nHot 2049 0,0\n}\n", KWE_TOO_MANY_VERTICES, 1, 0},
        {"Figure 1\n{\nText \"open\n}\n", KWE_INVALID_STRING, 1, 0},
        {"Figure 1\n{\nLabel X\n}\n", KWE_BAD_BOOLEAN, 1, 0},
        {"FigureStyle \"Box\"\n{\n}\n", KWE_DUPLICATE_NAME, 0, 0},
        {"Staple 1\n{\nFlowSide 3\n}\n", KWE_OUT_OF_RANGE, 0, 0},
        {"Graphic 1\n{\nType 10\n}\n", KWE_OUT_OF_RANGE, 0, 0},
        {"Graphic 1\n{\nGraphicData 70000000\n{\n00\n}\n}\n", KWE_OUT_OF_RANGE, 0, 0},
        // Data lines beyond the stated size give up the data block.
        {"Graphic 1\n{\nCompression 0\nGraphicData 1\n{\n00\n00\n}\n}\n", KWE_OUT_OF_RANGE, 0, 0},
    };
    for (const Case& c : cases) {
        CKavoDoc doc;
        PrepareForLoad(doc);
        const Loaded r = Load(doc, c.body);
        ASSERT_FALSE(r.errors.empty()) << c.body;
        EXPECT_EQ(r.errors[0].second, c.code) << c.body;
        EXPECT_EQ(r.figures, c.figures) << c.body;
        EXPECT_EQ(r.connectors, c.connectors) << c.body;
    }
}

TEST(BrokenRecords, AValuePastItsRangeIsReportedAtItsLineAndNotKept)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    const Loaded r = Load(doc, "Figure 1\n{\nBounds 10,20,110,120\nBounds 44170,0,44370,100\n}\n");
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], std::make_pair(15, int(KWE_OUT_OF_RANGE)));
    ASSERT_EQ(r.figures, 1);
    EXPECT_EQ(static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_rect, CRect(10, 20, 110, 120));
}

TEST(BrokenRecords, AcceptedValuesAndConversions)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    const std::string face40(40, 'F');
    const Loaded r = Load(doc, "GridX 8\nAttachMode 2\nSmartConnect TRUE\n"
                               "Figure 1\n{\nStyle \"Box\"\nFillColor 1,2,3\nTypeEsc 900\nTypeSize 12\n"
                               "TypeFace \"" + face40 + "\"\nShadow TRUE\nText \"a\"\n}\n"
                               "Figure 7\n{\nBounds 0,0,10,10\n}\nFigure 9\n{\nBounds 0,0,10,10\n}\n"
                               "Group 1\n{\n1, 7,\n9\n}\n");
    EXPECT_TRUE(r.errors.empty()) << r.errors[0].second;
    EXPECT_EQ(doc.m_nGridX, 8);
    EXPECT_EQ(doc.m_nAttachMode, 1);
    auto* fig = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    EXPECT_EQ(fig->m_props.m_fill.m_nKind, 0);
    // Escapement is in tenths of a degree: 900 is a quarter turn.
    EXPECT_EQ(fig->m_props.m_font.m_lf.lfEscapement, 900);
    EXPECT_EQ(fig->m_props.m_font.m_lf.lfHeight, -12);
    EXPECT_EQ(std::string(fig->m_props.m_font.m_lf.lfFaceName), face40.substr(0, 31));
    EXPECT_EQ(fig->m_props.Shadow, 1);
    ASSERT_EQ(doc.m_groupList.size(), 1u);
    EXPECT_EQ(doc.m_groupList[0]->GetCount(), 3);
}

TEST(BrokenRecords, OldFilesTakeTheirDefaultsAndConversions)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    doc.m_bConnectorJogs = doc.m_bJunctionDots = doc.m_bOversizeTextRect = 1;
    Load(doc, "Figure 1\n{\nStyle \"Box\"\nText \"a|b^c\"\nBehavior 0x0\n}\n"
              "Connector 2\n{\nBehavior 0x2\n}\n",
         2.0);
    EXPECT_EQ(doc.m_bConnectorJogs, 0);
    EXPECT_EQ(doc.m_bJunctionDots, 0);
    EXPECT_EQ(doc.m_bOversizeTextRect, 0);
    auto* fig = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    EXPECT_EQ(fig->m_strText, "a\\line b\\sect c");
    EXPECT_EQ(fig->m_props.Behavior.low, 1u << 24); // inverted before 3.51
    auto* con = static_cast<CConnector*>(doc.m_pObjList->GetAt(1));
    EXPECT_EQ(con->m_props.Behavior.low, 2u | 128u);

    CKavoDoc styles;
    PrepareForLoad(styles);
    styles.m_bConnectorJogs = 1;
    CDiagramLoadObj loader(&styles);
    loader.SetStylesOnly(true);
    CMemoryKeywordSource src("KAVO\nVersion 4.0\nOrientation 2\nPosterRows 3\nFigure 1\n{\n}\nGridX 99\n");
    EXPECT_TRUE(loader.Load(src));
    EXPECT_EQ(styles.m_nOrientation, 1);
    EXPECT_EQ(styles.m_nPosterRows, 1);
    EXPECT_EQ(styles.m_bConnectorJogs, 1);
    EXPECT_NE(styles.m_nGridX, 99); // the load ended at the first figure
    EXPECT_EQ(styles.m_pObjList->GetCount(), 0);
}

// Keys that share a field or stand for an empty value, and the written
// masks of the behaviour words.
TEST(BrokenRecords, PropertyKeysFillTheirFieldsAndWriteMasked)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    const Loaded r = Load(doc, "FigureStyle \"S\"\n{\nCategory \"(no category)\"\nSymbol \"lbl\"\n"
                               "FillType 1\nFillColorSolid 10,20,30\n}\n"
                               "ConnectorStyle \"C\"\n{\nCategory \"(no category)\"\nEnd1 \"null\"\nEnd2 \"null\"\n}\n"
                               "Connector 1\n{\nStyle \"Line\"\nFigure1 -1\nFigure2 -1\n"
                               "End1 \"null\"\nEnd2 \"null\"\nBehavior 0xC00001FF\n}\n");
    EXPECT_TRUE(r.errors.empty()) << r.errors[0].second;
    const CFigStyle* fs = doc.m_figStyles.GetAt(doc.m_figStyles.FindByName("S"));
    ASSERT_NE(fs, nullptr);
    EXPECT_EQ(fs->Category, "");
    EXPECT_EQ(fs->m_props.m_fill.m_crColor1, RGB(10, 20, 30));
    const CConStyle* cs = doc.m_conStyles.GetAt(doc.m_conStyles.FindByName("C"));
    ASSERT_NE(cs, nullptr);
    EXPECT_EQ(cs->Category, "");
    // Of a connector's behaviour only the line-shape, flow and crossing bits
    // and "do not print" are written.
    EXPECT_NE(WriteDoc(doc).find("Behavior 0x00000000400000FF\r\n"), std::string::npos);

    // Font heights are stored as negative from version 2.3 on.
    for (const double version : {2.2, 2.3}) {
        CKavoDoc old;
        PrepareForLoad(old);
        Load(old, "Figure 1\n{\nTypeSize 12\n}\n", version);
        ASSERT_EQ(old.m_pObjList->GetCount(), 1);
        EXPECT_EQ(static_cast<CFigure*>(old.m_pObjList->GetAt(0))->m_props.m_font.m_lf.lfHeight,
                  version < 2.3 ? 12 : -12)
            << version;
    }
}

// A label loses its fill in files older than 5.05 only; a figure with text
// takes the default text format when its own is not one horizontal and one
// vertical alignment.
TEST(BrokenRecords, FigureConversionsFollowTheFileVersion)
{
    const struct {
        double version;
        const char* keys;
        int fillKind;
        int textFormat; // -1: not checked
    } cases[] = {
        {5.04, "Label TRUE\nFillType 1\n", 0, -1},
        {5.05, "Label TRUE\nFillType 1\n", 1, -1},
        {5.08, "TextFormat 18\n", -1, 18}, // centred, bottom
        {5.08, "TextFormat 10\n", -1, 34}, // 2 and 8: bit 3 is no alignment
        {5.08, "TextFormat 3\n", -1, 34},  // two horizontal bits, no vertical
        {5.08, "TextFormat 290\n", -1, 34}, // a high byte
    };
    for (const auto& c : cases) {
        CKavoDoc doc;
        PrepareForLoad(doc);
        CFigSymbol* box = doc.m_figSymbols.NewEntry();
        ASSERT_NE(box, nullptr);
        box->Clear();
        box->SetName("box");
        box->m_nTextBoxes = 1;
        const Loaded r = Load(doc, std::string("Figure 1\n{\nSymbol \"box\"\nBounds 0,0,100,50\nText \"a\"\n") + c.keys + "}\n",
                              c.version);
        ASSERT_EQ(r.figures, 1) << c.keys;
        const auto* fig = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
        if (c.fillKind >= 0) {
            EXPECT_EQ(fig->m_props.m_fill.m_nKind, c.fillKind) << c.version << " " << c.keys;
        }
        if (c.textFormat >= 0) {
            ASSERT_TRUE(fig->HasTextAreas());
            EXPECT_EQ(fig->m_props.TextFormat, c.textFormat) << c.keys;
        }
    }
}

// The printer blocks replace the document's only when their closing line is
// read, and not at all when the document keeps its own.
TEST(BrokenRecords, PrinterBlocksAreReplacedOnlyWhenKept)
{
    const std::string body = "DevMode 2\n{\nABCD\n}\nDevNames 1\n{\nCD\n}\n";
    {
        CKavoDoc doc;
        PrepareForLoad(doc);
        Load(doc, body);
        ASSERT_NE(doc.m_hDevMode, nullptr);
        EXPECT_EQ(GlobalSize(doc.m_hDevMode), 2u);
        EXPECT_EQ(GlobalSize(doc.m_hDevNames), 1u);
    }
    for (bool keep : {true, false}) {
        CRecordingPrompt prompt;
        CKavoDoc doc;
        PrepareForLoad(doc);
        HGLOBAL own = GlobalAlloc(GHND, 5);
        doc.m_hDevMode = own;
        CDiagramLoadObj loader(&doc);
        loader.SetKeepPrinterSettings(keep);
        const std::string text = kPrefix + (keep ? body : std::string("DevMode 2\n{\nABCD\n"));
        CMemoryKeywordSource src(text);
        loader.Load(src);
        // Kept: the file's block is dropped; cut short: the block never closed.
        EXPECT_EQ(doc.m_hDevMode, own);
        EXPECT_EQ(GlobalSize(doc.m_hDevMode), 5u);
    }
}

TEST(BrokenRecords, ShortPrinterBlockIsNotWritten)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    doc.m_hDevMode = GlobalAlloc(GHND, 40);
    {
        CGlobalLock lock(doc.m_hDevMode);
        lock.data()[36] = 60; // declares more than the block holds
    }
    doc.m_hDevNames = GlobalAlloc(GHND, 4);
    const std::string text = WriteDoc(doc);
    EXPECT_EQ(text.find("DevMode"), std::string::npos);
    EXPECT_EQ(text.find("DevNames"), std::string::npos);
}

// A picture without data is no picture; the figure keeps its style's.
TEST(BrokenRecords, PictureWithoutDataIsDropped)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    const Loaded r = Load(doc, "Graphic 5\n{\nType 9\nCompression 2\n}\n"
                               "Graphic 6\n{\nType 9\nGraphicData 0\n}\n");
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(doc.m_graphics.GetCount(), 0);
}

TEST(BrokenRecords, CorruptPackedPictureIsRefused)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    const Loaded r = Load(doc, "Graphic 5\n{\nType 9\nCompression 2\nGraphicData 3\n{\nFFFFFF\n}\n}\n"
                               "Figure 1\n{\nGraphic 5\n}\n");
    ASSERT_GE(r.errors.size(), 2u);
    EXPECT_EQ(doc.m_graphics.GetCount(), 0);
    EXPECT_EQ(r.figures, 1);
    EXPECT_FALSE(static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_props.HasGraphic());
}

// Hyperlinks are read back as long as they were written.
TEST(BrokenRecords, LongHyperlinkSurvives)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    const std::string link = "http://example.com/" + std::string(1000, 'x');
    Load(doc, "Figure 1\n{\nLink \"" + link + "\"\n}\n");
    ASSERT_EQ(doc.m_pObjList->GetCount(), 1);
    EXPECT_EQ(static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_strLink, link);
}

// Menu and button layouts are read with their bounds; a label menu has no
// item size.
TEST(BrokenRecords, LayoutKeysAreChecked)
{
    struct Case {
        const char* body;
        int code;
    };
    const Case cases[] = {
        {"FigureMenu\n{\nColumns 3\nItemHeight 20\nItemWidth 100\nRow \"Box\", \"Line\"\n"
         "Submenu \"More\"\n{\nColumns 1\nRow \"Box\"\n}\n}\n",
         0},
        {"FigureButtons\n{\nColumns 10\nBtnHeight 12\nRow \"Box\"\n}\n", 0},
        {"LabelMenu\n{\nItemHeight 20\n}\n", KWE_UNRECOGNIZED},
        {"FigureMenu\n{\nColumns 21\n}\n", KWE_OUT_OF_RANGE},
        {"ConnectorButtons\n{\nColumns 11\n}\n", KWE_OUT_OF_RANGE},
        {"LabelButtonsRestore\n{\nBtnHeight 101\n}\n", KWE_OUT_OF_RANGE},
        {"FigureMenu\n{\nRow \"unclosed\n}\n", KWE_INVALID_STRING},
    };
    for (const Case& c : cases) {
        CKavoDoc doc;
        PrepareForLoad(doc);
        const Loaded r = Load(doc, std::string(c.body) + "Figure 1\n{\n}\n");
        if (c.code == 0) {
            EXPECT_TRUE(r.errors.empty()) << c.body;
        } else {
            ASSERT_FALSE(r.errors.empty()) << c.body;
            EXPECT_EQ(r.errors[0].second, c.code) << c.body;
        }
        EXPECT_EQ(r.figures, 1) << c.body; // the layout block closed where it should
    }
}

// A figure whose only connection-point line fails has no list of its own
// (it offers its style's points), as after the next load.
TEST(BrokenRecords, FailedConnectionPointLeavesNoListOfItsOwn)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    const std::string style = "FigureStyle \"P\"\n{\nSymbol \"lbl\"\nConnectionPoint 1 >1024,0 \"in\" 0\n}\n";
    Load(doc, style + "Figure 1\n{\nStyle \"P\"\nConnectionPoint 1 3000,0 \"x\" 0\n}\n"
                      "Connector 2\n{\nFigure1 1\nConnectionPoint1 1\n}\n");
    auto* fig = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    EXPECT_TRUE(!fig->m_pConPts || fig->m_pConPts->GetCount() == 0);
    // The connector's end names the style's point: validation keeps it.
    EXPECT_EQ(static_cast<CConnector*>(doc.m_pObjList->GetAt(1))->m_nConPtId1, 1);
    const std::string text = WriteDoc(doc);
    CKavoDoc again;
    PrepareForLoad(again);
    ASSERT_TRUE(LoadText(again, text));
    EXPECT_EQ(WriteDoc(again), text);
}
