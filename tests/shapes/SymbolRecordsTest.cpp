// FigureSymbol and EndSymbol records: golden round trips, the fields read,
// and the result of broken lines.
#include "common/TestSupport.h"
#include "keyword/CKeywordWriter.h"
#include "keyword/KeywordStreams.h"
#include "shapes/CSymbolLoadObj.h"
#include "shapes/SymbolFiles.h"
#include "shapes/SymbolRecordWriter.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {
std::string ReadFixture(const QString& relative)
{
    QFile f(TestDataPath(relative));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative.toStdString();
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

struct Collect : SymbolFileSink {
    std::vector<CFigSymbol> figs;
    std::vector<CShapeDef> ends;
    void TakeFigureSymbol(const CFigSymbol& s) override { figs.push_back(s); }
    void TakeEndSymbol(const CShapeDef& s) override { ends.push_back(s); }
};

// A loader that takes symbol blocks at the top level and records every error
// it meets instead of showing it, so that a table of broken lines can be run.
class RecordingSymbolLoader : public CSymbolLoadObj {
public:
    std::vector<CFigSymbol> figs;
    std::vector<CShapeDef> ends;
    std::vector<std::pair<int, int>> errors; // line, code

protected:
    int HandleTopLevelLine(const char* p) override
    {
        if (m_nLineNo <= 2)
            return HandleHeaderLine(p);
        bool matched = false;
        const int result = OpenTopLevelBlock(p, &matched);
        if (!matched)
            m_nErrorCode = KWE_UNRECOGNIZED;
        return result;
    }
    int EndFigureSymbol() override
    {
        figs.push_back(BuiltFigSymbol());
        return KWR_DONE;
    }
    int EndEndSymbol() override
    {
        ends.push_back(BuiltEndSymbol());
        return KWR_DONE;
    }
    int ReportLineError() override
    {
        errors.emplace_back(m_nLineNo, m_nErrorCode);
        return 1;
    }
    void ReportEndOfLoad() override {}
};

std::string WriteSymbols(const Collect& c)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(w.WriteHeader());
    for (const CFigSymbol& s : c.figs)
        EXPECT_TRUE(WriteFigureSymbolRecord(w, s));
    for (const CShapeDef& s : c.ends)
        EXPECT_TRUE(WriteEndSymbolRecord(w, s));
    return sink.text;
}

Collect ReadText(const std::string& text, bool ends)
{
    Collect c;
    CMemoryKeywordSource src(text);
    int line = 0;
    EXPECT_EQ(ReadSymbolFile(src, ends, c, &line), SymbolFileReadResult::Ok) << "line " << line;
    return c;
}
} // namespace

TEST(SymbolRecords, GoldenFilesRoundTripByteForByte)
{
    for (const char* name : {"symbols/golden.kvf", "symbols/golden.kvn"}) {
        const std::string golden = ReadFixture(name);
        const bool ends = std::string(name).ends_with(".kvn");
        const Collect first = ReadText(golden, ends);
        EXPECT_EQ(WriteSymbols(first), golden) << name;
    }
}

TEST(SymbolRecords, FigureSymbolFieldsAreRead)
{
    const Collect c = ReadText(ReadFixture("symbols/golden.kvf"), false);
    ASSERT_EQ(c.figs.size(), 2u);
    const CFigSymbol& s = c.figs[0];
    EXPECT_EQ(s.m_strName, "Box 1");
    // A nominal size in 8192..16383 is not refused by the anchor-bit rule.
    EXPECT_EQ(s.Height, 10000);
    EXPECT_EQ(s.Width, 256);
    EXPECT_EQ(s.Reshape, 3);
    EXPECT_EQ(s.Silhouette, 1);
    EXPECT_EQ(s.DisplayThick, 2);
    EXPECT_EQ(s.DisplayScale, 50);
    ASSERT_EQ(s.m_nTextBoxes, 2);
    EXPECT_EQ(s.m_nFrames, 2);
    EXPECT_EQ(s.m_frameValues[0], 1 | 4);
    EXPECT_EQ(s.m_frameValues[1], 8);
    const CFltRect box = ReadOutlineRect(s.m_program.data() + s.m_nTextBoxPos);
    EXPECT_FLOAT_EQ(box.right, 30.5f);
    EXPECT_EQ(box.m_nRightMode, 1);
    EXPECT_EQ(box.m_nBottomMode, 2);
    ASSERT_EQ(s.m_conPts.GetCount(), 2);
    EXPECT_EQ(s.m_conPts.GetAt(1)->m_strName, "it's");
    EXPECT_EQ(s.m_conPts.GetAt(1)->m_pos.m_nXMode, 1);
    EXPECT_EQ(s.m_hotZone.GetCount(), 4);
    EXPECT_TRUE(s.IsProgramValid());
    // The fill list: rectangle, polygon, circle (radius anchored), chord.
    std::vector<BYTE> ops;
    WalkSubProgram(s.m_program.data(), s.m_nProgramLength, s.m_nFillPos, kOpEndFill,
                   [&](BYTE op, const BYTE* payload) {
                       ops.push_back(op);
                       if (op == kOpCircle) {
                           EXPECT_FLOAT_EQ(ReadOutlineFloat(payload + 16), 512.0f);
                           EXPECT_EQ(ReadOutlineInt(payload + 20), 2);
                       }
                   });
    EXPECT_EQ(ops, (std::vector<BYTE>{kOpRect, kOpPolygon, kOpCircle, kOpChord}));
    EXPECT_EQ(c.figs[1].m_nFrames, 0);
    EXPECT_EQ(c.figs[1].m_nTextBoxes, 1);
}

TEST(SymbolRecords, BrokenLinesGiveTheirCodes)
{
    struct Case {
        const char* body;   // lines inside the block
        bool endSymbol;
        int code;           // expected error (0 none)
    };
    const Case cases[] = {
        {"Outline\n{\nPolygon 3 0,0 1,1 2,2\n}\n", false, KWE_UNRECOGNIZED},
        {"Fill\n{\nLine 0,0 1,1\n}\n", false, KWE_UNRECOGNIZED},
        {"Fill\n{\nArc 0,0,1,1 0,0 1,1\n}\n", false, KWE_UNRECOGNIZED},
        // End symbols hold opcodes 3 to 11 only: no circle.
        {"Fill\n{\nCircle 1,1,1\n}\n", true, KWE_UNRECOGNIZED},
        {"Outline\n{\nPolyline 2049 0,0\n}\n", false, KWE_TOO_MANY_VERTICES},
        {"Fill\n{\nRect 0,0,3000,1\n}\n", false, KWE_OUT_OF_RANGE},
        {"Fill\n{\nRect 0,0,1\n}\n", false, KWE_PREMATURE_EOL},
        {"DisplayThick 11\n", false, KWE_OUT_OF_RANGE},
        {"Height 25601\n", false, KWE_OUT_OF_RANGE},
        {"Height 16000\n", false, 0},
        {"Magnify 301\n", true, KWE_OUT_OF_RANGE},
        {"Magnify 300\n", true, 0},
        {"LineTo 100\n", true, 0},
        {"LineTo 101\n", true, KWE_OUT_OF_RANGE},
        {"DisplayThick 10\n", false, 0},
        {"DisplayScale 100\n", false, 0},
        {"DisplayScale 101\n", false, KWE_OUT_OF_RANGE},
        {"Bogus 1\n", false, KWE_UNRECOGNIZED},
        {"ConnectionPoint 1 1,1 \"open\n", false, KWE_INVALID_STRING},
    };
    for (const Case& c : cases) {
        std::string text = "KAVO\nVersion 5.08\n";
        text += c.endSymbol ? "EndSymbol \"x\"\n{\n" : "FigureSymbol \"x\"\n{\n";
        text += c.body;
        text += "}\n";
        RecordingSymbolLoader loader;
        CMemoryKeywordSource src(text);
        EXPECT_TRUE(loader.Load(src)) << c.body;
        if (c.code == 0) {
            EXPECT_TRUE(loader.errors.empty()) << c.body;
        } else {
            ASSERT_EQ(loader.errors.size(), 1u) << c.body;
            EXPECT_EQ(loader.errors[0].second, c.code) << c.body;
        }
        // The symbol is still made, with a program that can be walked.
        if (c.endSymbol) {
            ASSERT_EQ(loader.ends.size(), 1u) << c.body;
            EXPECT_TRUE(loader.ends[0].IsProgramValid());
        } else {
            ASSERT_EQ(loader.figs.size(), 1u) << c.body;
            EXPECT_TRUE(loader.figs[0].IsProgramValid());
        }
    }
}

// Parts beyond the path buffer are refused with code 1; the parts before them
// and the list's end byte stay, so the program remains well formed.
TEST(SymbolRecords, PathBufferOverflowIsRefusedAndBounded)
{
    for (bool endSymbol : {false, true}) {
        std::string text = "KAVO\nVersion 5.08\n";
        text += endSymbol ? "EndSymbol \"x\"\n{\nFill\n{\n" : "FigureSymbol \"x\"\n{\nFill\n{\n";
        const int parts = endSymbol ? 200 : 600; // 33 bytes each
        for (int i = 0; i < parts; ++i)
            text += "Rect 0,0,1,1\n";
        text += "}\nOutline\n{\nRect 0,0,1,1\n}\n}\n";
        RecordingSymbolLoader loader;
        CMemoryKeywordSource src(text);
        EXPECT_TRUE(loader.Load(src));
        ASSERT_FALSE(loader.errors.empty());
        EXPECT_EQ(loader.errors[0].second, KWE_SYMBOL_CODE_FULL);
        if (endSymbol) {
            ASSERT_EQ(loader.ends.size(), 1u);
            EXPECT_TRUE(loader.ends[0].IsProgramValid());
            EXPECT_LE(loader.ends[0].m_nProgramLength, CShapeDef::kProgramSize);
        } else {
            ASSERT_EQ(loader.figs.size(), 1u);
            EXPECT_TRUE(loader.figs[0].IsProgramValid());
            EXPECT_GE(loader.figs[0].m_nOutlinePos, 0);
        }
    }
}

TEST(SymbolRecords, TooManyTextBoxesAreRefused)
{
    std::string text = "KAVO\nVersion 5.08\nFigureSymbol \"x\"\n{\n";
    for (int i = 0; i < 33; ++i)
        text += "TextBox 0,0,1,1\n";
    text += "}\n";
    RecordingSymbolLoader loader;
    CMemoryKeywordSource src(text);
    EXPECT_TRUE(loader.Load(src));
    ASSERT_EQ(loader.errors.size(), 1u);
    EXPECT_EQ(loader.errors[0].second, KWE_OUT_OF_RANGE);
    ASSERT_EQ(loader.figs.size(), 1u);
    EXPECT_EQ(loader.figs[0].m_nTextBoxes, 32);
}

// A hot zone of 2048 points with fractions and anchors spans many physical
// lines; it reads back whole.
TEST(SymbolRecords, LargestHotZoneRoundTrips)
{
    CFigSymbol s;
    s.SetName("traced");
    std::vector<CFltPoint> pts(2048);
    for (int i = 0; i < 2048; ++i)
        pts[size_t(i)] = CFltPoint(float(i) + 0.125f, float(2047 - i) + 0.5f, 1, 2);
    ASSERT_TRUE(s.m_hotZone.Set(2048, pts.data()));
    Collect c;
    c.figs.push_back(s);
    const std::string text = WriteSymbols(c);
    const Collect back = ReadText(text, false);
    ASSERT_EQ(back.figs.size(), 1u);
    EXPECT_TRUE(back.figs[0].m_hotZone == s.m_hotZone);
    EXPECT_EQ(WriteSymbols(back), text);
}
