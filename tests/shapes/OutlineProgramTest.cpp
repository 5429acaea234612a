// The outline byte code: payload sizes, the validator's refusals and the
// bounded walker.
#include "shapes/COutlineWriter.h"
#include "shapes/OutlineProgram.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A program with every drawing opcode in an outline sub-program, and the
// offsets at which each operation starts.
struct EveryOpProgram {
    std::vector<BYTE> bytes = std::vector<BYTE>(4096, 0xEE);
    std::vector<std::pair<BYTE, int>> ops;   // opcode, start offset
    int length = 0;

    EveryOpProgram()
    {
        COutlineWriter w(bytes.data(), static_cast<int>(bytes.size()));
        const CFltRect r(10, 20, 300, 400);
        const CFltPoint pts[3] = {{1, 2}, {3, 4}, {5, 6}};
        auto mark = [&](BYTE op) { ops.push_back({op, w.Pos()}); };
        mark(kOpRect); w.Rect(kOpRect, r);
        mark(kOpPolyline); w.Points(kOpPolyline, pts, 3);
        mark(kOpPolygon); w.Points(kOpPolygon, pts, 2);
        mark(kOpEllipse); w.Rect(kOpEllipse, r);
        mark(kOpRoundRect); w.RoundRect(r, {30, 40});
        mark(kOpArc); w.ArcLike(kOpArc, r, pts[0], pts[1]);
        mark(kOpChord); w.ArcLike(kOpChord, r, pts[0], pts[1]);
        mark(kOpPie); w.ArcLike(kOpPie, r, pts[0], pts[1]);
        mark(kOpLine); w.Line(pts[0], pts[2]);
        mark(kOpCircle); w.Circle({1024, 1024}, 500);
        mark(kOpEndOutline); w.End(kOpEndOutline);
        length = w.Pos();
        EXPECT_TRUE(w.Ok());
    }
};

bool Valid(const EveryOpProgram& p, int length, OutlineOpSet set = OutlineOpSet::FigureSymbol)
{
    const OutlineSubProgram sub{0, kOpEndOutline};
    return ValidateOutlineProgram(p.bytes.data(), length, kFigSymbolProgramSize, &sub, 1, set);
}

} // namespace

TEST(OutlineProgram, EveryOpcodeAdvancesByItsDocumentedSize)
{
    EveryOpProgram p;
    // Opcode byte plus payload: 32, 4 + 16n, 32, 48, 64, 64, 64, 32, 24.
    const int expected[] = {33, 1 + 4 + 48, 1 + 4 + 32, 33, 49, 65, 65, 65, 33, 25, 1};
    ASSERT_EQ(p.ops.size(), std::size(expected));
    for (size_t i = 0; i < p.ops.size(); ++i) {
        EXPECT_EQ(OutlineOpSize(p.bytes.data(), p.length, p.ops[i].second), expected[i])
            << "opcode " << int(p.ops[i].first);
        if (i + 1 < p.ops.size()) {
            EXPECT_EQ(p.ops[i].second + expected[i], p.ops[i + 1].second);
        }
    }
    std::vector<BYTE> visited;
    EXPECT_TRUE(WalkSubProgram(p.bytes.data(), p.length, 0, kOpEndOutline,
                               [&](BYTE op, BYTE* payload) {
                                   visited.push_back(op);
                                   EXPECT_EQ(payload - p.bytes.data(), p.ops[visited.size() - 1].second + 1);
                               }));
    EXPECT_EQ(visited.size(), p.ops.size() - 1);
    EXPECT_EQ(OutlineFixedPayload(kOpRoundRect), 48);
    EXPECT_EQ(OutlineFixedPayload(kOpPolyline), -1);
}

TEST(OutlineProgram, ValidatorRefusesMalformedPrograms)
{
    EveryOpProgram p;
    EXPECT_TRUE(Valid(p, p.length));
    // Without its end byte the sub-program runs off the end.
    EXPECT_FALSE(Valid(p, p.length - 1));
    // A payload cut by the length.
    EXPECT_FALSE(Valid(p, p.ops[1].second + 10));
    // Circles are figure-symbol operations only.
    EXPECT_FALSE(Valid(p, p.length, OutlineOpSet::EndSymbol));
    struct Patch { const char* what; int op; BYTE value; };
    for (const Patch& c : {Patch{"unknown opcode", 0, 0x7F}, Patch{"hot zone inside", 0, kOpHot},
                           Patch{"fill end in outline", 3, kOpEndFill}, Patch{"zero opcode", 8, 0}}) {
        EveryOpProgram q;
        q.bytes[q.ops[c.op].second] = c.value;
        EXPECT_FALSE(Valid(q, q.length)) << c.what;
    }
    // Negative and oversized point counts.
    for (int32_t n : {-1, 0x7FFFFFFF, 1000}) {
        EveryOpProgram q;
        std::memcpy(q.bytes.data() + q.ops[1].second + 1, &n, 4);
        EXPECT_FALSE(Valid(q, q.length)) << n;
    }
    // Length beyond the area, a start outside the program.
    const OutlineSubProgram outside{p.length, kOpEndOutline};
    EXPECT_FALSE(ValidateOutlineProgram(p.bytes.data(), p.length, kFigSymbolProgramSize, &outside, 1,
                                        OutlineOpSet::FigureSymbol));
    EXPECT_FALSE(ValidateOutlineProgram(p.bytes.data(), 5000, 4096, nullptr, 0, OutlineOpSet::EndSymbol));
}

TEST(OutlineProgram, TextBoxesMustFitAndStayWithinTheirLimit)
{
    std::vector<BYTE> bytes(kFigSymbolProgramSize, 0);
    bytes[0] = kOpEndOutline;
    const OutlineSubProgram sub{0, kOpEndOutline};
    auto ok = [&](int length, int pos, int count) {
        return ValidateOutlineProgram(bytes.data(), length, kFigSymbolProgramSize, &sub, 1,
                                      OutlineOpSet::FigureSymbol, pos, count);
    };
    EXPECT_TRUE(ok(1 + 32 * 2, 1, 2));
    EXPECT_FALSE(ok(1 + 32 * 2 - 1, 1, 2));
    EXPECT_TRUE(ok(1 + 32 * 32, 1, 32));
    EXPECT_FALSE(ok(1 + 32 * 33, 1, 33));
    EXPECT_FALSE(ok(100, -1, 1));
    EXPECT_FALSE(ok(100, 1, -1));
}

TEST(OutlineProgram, WalkerStopsAtTheLengthOfAnUncheckedProgram)
{
    EveryOpProgram p;
    int visits = 0;
    // Cut inside the polyline's points: the walk stops there and reports it.
    EXPECT_FALSE(WalkSubProgram(p.bytes.data(), p.ops[1].second + 20, 0, kOpEndOutline,
                                [&](BYTE, BYTE*) { ++visits; }));
    EXPECT_EQ(visits, 1);
}

TEST(OutlineProgram, WriterRefusesWhatDoesNotFit)
{
    BYTE area[40] = {};
    COutlineWriter w(area, sizeof area);
    w.Rect(kOpRect, CFltRect(0, 0, 1, 1));
    EXPECT_TRUE(w.Ok());
    w.Line({0, 0}, {1, 1});
    EXPECT_FALSE(w.Ok());
    EXPECT_EQ(w.Pos(), 33);
}
