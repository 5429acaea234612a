// The built-in shapes: the compiler from 1000-grid point lists into outline
// programs, the stamp shapes of flow indicators and the line ends.
#include "shapes/COutlineWriter.h"
#include "shapes/ShapeLibrary.h"

#include <QtGlobal>

#include <iterator>
#include <vector>

namespace {

constexpr int kBuiltinLine = 1;
constexpr int kBuiltinArea = 2;
constexpr int kBuiltinPairs = 3;
constexpr int kBuiltinRect = 4;
constexpr int kBuiltinEllipse = 5;

// The program-wide work array of points bounds one list.
constexpr int kMaxBuiltinPoints = 2048;

// 1000-grid coordinate to symbol space (2048 / 1000), zero staying 0.
float To2048(int v)
{
    return v == 0 ? 0.0f : static_cast<float>(v * 2.048);
}

void EmitSubProgram(COutlineWriter& w, int kind, const std::vector<CFltPoint>& pts, bool area)
{
    const int n = static_cast<int>(pts.size());
    switch (kind) {
    case kBuiltinLine:
    case kBuiltinArea:
        w.Points(area ? kOpPolygon : kOpPolyline, pts.data(), n);
        break;
    case kBuiltinPairs:
        // An unpaired last point has nothing to join and is left out.
        for (int i = 0; i + 1 < n; i += 2)
            w.Line(pts[i], pts[i + 1]);
        break;
    case kBuiltinRect:
    case kBuiltinEllipse:
        if (n >= 2) {
            CFltRect r;
            r.SetCorners(pts[0], pts[1]);
            w.Rect(kind == kBuiltinRect ? kOpRect : kOpEllipse, r);
        }
        break;
    default:
        break;
    }
    w.End(area ? kOpEndFill : kOpEndOutline);
}

struct BuiltinShape {
    const char* name;
    int rotatable;
    int lineTo;
    int kind;
    int silhouette;
    std::vector<int> points;
};

} // namespace

int ShapeLibrary::AddBuiltinShape(const char* name, int rotatable, int lineTo, int kind, int silhouette,
                                  const std::vector<int>& coords)
{
    CShapeDef* shape = NewEntry();
    if (!shape)
        return 0;
    shape->SetName(name);
    shape->Rotatable = rotatable;
    shape->Centered = rotatable == 0 ? 1 : 0;
    shape->Magnify = 100;
    shape->LineTo = lineTo;
    shape->Silhouette = silhouette;

    std::vector<CFltPoint> pts;
    for (auto it = coords.begin(); it != coords.end() && it + 1 != coords.end(); it += 2) {
        if (*it == -1 || static_cast<int>(pts.size()) >= kMaxBuiltinPoints)
            break;
        pts.emplace_back(To2048(it[0]), To2048(it[1]));
    }
    if (kind < kBuiltinLine || kind > kBuiltinEllipse)
        return 1;   // no program
    COutlineWriter w(shape->m_program.data(), CShapeDef::kProgramSize);
    shape->m_nLinePos = w.Pos();
    EmitSubProgram(w, kind, pts, false);
    if (kind == kBuiltinArea || kind == kBuiltinRect || kind == kBuiltinEllipse) {
        shape->m_nAreaPos = w.Pos();
        EmitSubProgram(w, kind, pts, true);
    }
    Q_ASSERT(w.Ok());
    shape->m_nProgramLength = w.Pos();
    return 1;
}

void ShapeLibrary::BuildStampShapes()
{
    static const BuiltinShape kStamps[] = {
        {"FI_CIRCLE", 1, 0, 5, 0, {500, 250, 1000, 750}},
        {"FI_RECTANGLE", 0, 0, 4, 0, {0, 0, 1000, 1000}},
        {"FI_DIAMOND", 0, 0, 2, 0, {0, 500, 500, 0, 1000, 500, 500, 1000, 0, 500}},
        {"FI_TRIANGLE", 0, 0, 2, 0, {500, 0, 950, 900, 50, 900, 500, 0}},
        {"FI_ARWHEAD", 1, 0, 2, 0, {1000, 300, 500, 500, 1000, 700, 1000, 300}},
        {"FI_ARWHEADS", 1, 0, 2, 0, {800, 200, 500, 500, 800, 800, 800, 200}},
        {"FI_RECT", 1, 0, 2, 0, {500, 400, 1000, 400, 1000, 600, 500, 600, 500, 400}},
        {"FI_ARWHEADTPR", 1, 0, 2, 0, {1000, 300, 500, 500, 1000, 700, 800, 500, 1000, 300}},
        {"FI_ARWFULL", 1, 0, 2, 0, {500, 500, 700, 250, 700, 400, 1000, 400, 1000, 600, 700, 600, 700, 750, 500, 500}},
        {"FI_ARWFULL2", 1, 0, 2, 0, {500, 500, 850, 200, 850, 350, 1000, 350, 1000, 650, 850, 650, 850, 800, 500, 500}},
        {"FI_STICKARW", 1, 0, 3, 0, {500, 500, 1000, 300, 500, 500, 1000, 700}},
        {"FI_STICKARW2", 1, 0, 3, 0, {500, 500, 800, 300, 500, 500, 800, 700, 500, 500, 1000, 500}},
        {"FI_CROSS", 1, 0, 3, 0, {750, 500, 500, 250, 750, 500, 500, 750, 750, 500, 1000, 250, 750, 500, 1000, 750}},
        {"FI_PLUS", 1, 0, 3, 0, {745, 250, 745, 750, 500, 500, 1000, 500}},
        {"FI_BAR", 1, 0, 3, 0, {745, 250, 745, 750}},
        {"FI_ARWFULL3", 1, 0, 2, 0, {500, 500, 700, 250, 900, 250, 750, 400, 1000, 400, 1000, 600, 750, 600, 900, 750, 700, 750, 500, 500}},
        {"FI_BULLET", 1, 0, 2, 0, {500, 500, 700, 350, 1000, 350, 1000, 650, 700, 650, 500, 500}},
        {"FI_BULLETIN", 1, 0, 2, 0, {500, 500, 700, 350, 1000, 350, 800, 500, 1000, 650, 700, 650, 500, 500}},
        {"FI_SLOPE", 1, 0, 2, 0, {500, 500, 700, 460, 850, 420, 950, 380, 1000, 340, 930, 500, 1000, 660, 950, 620, 850, 580, 700, 540, 500, 500}},
        {"FI_LIGHTNING", 1, 0, 2, 0, {500, 500, 700, 488, 680, 450, 820, 470, 800, 435, 935, 415, 1000, 565, 843, 520, 860, 565, 705, 520, 730, 556, 500, 500}},
        {"FI_ROPE", 1, 0, 2, 0, {625, 350, 925, 350, 1000, 425, 875, 650, 575, 650, 500, 575, 625, 350}},
        {"FI_BARBER1", 1, 0, 2, 0, {750, 350, 1000, 350, 750, 650, 500, 650, 750, 350}},
        {"FI_BARBER2", 1, 0, 2, 0, {625, 350, 1000, 350, 875, 650, 500, 650, 625, 350}},
        {"FI_BARBER3", 1, 0, 2, 0, {750, 425, 1000, 425, 750, 575, 500, 575, 750, 425}},
        {"FI_BARBER4", 1, 0, 2, 0, {625, 425, 1000, 425, 875, 575, 500, 575, 625, 425}},
        {"FI_PARALLEL", 1, 0, 3, 0, {500, 250, 1000, 250, 500, 750, 1000, 750}},
        {"FI_STRIPE", 1, 0, 3, 0, {500, 500, 750, 250, 500, 750, 1000, 250, 750, 750, 1000, 500}},
        {"FI_DIAG", 1, 0, 1, 0, {500, 500, 625, 400, 750, 500, 875, 600, 1000, 500}},
        {"FI_SQUIG", 1, 0, 1, 0, {500, 500, 500, 474, 534, 428, 593, 400, 658, 400, 717, 428, 750, 474, 750, 527, 784, 573, 843, 600, 908, 600, 967, 573, 1000, 527, 1000, 500}},
        {"FI_SQWAVE", 1, 0, 1, 0, {500, 500, 500, 400, 750, 400, 750, 600, 1000, 600, 1000, 500}},
    };
    static_assert(std::size(kStamps) == kStampShapeCount);
    for (const BuiltinShape& s : kStamps)
        AddBuiltinShape(s.name, s.rotatable, s.lineTo, s.kind, s.silhouette, s.points);
}

void ShapeLibrary::BuildLineEnds()
{
#define KAVO_BLOCK {500, 500, 1000, 300, 1000, 700, 500, 500}
#define KAVO_BLOCK_THIN {500, 500, 1000, 400, 1000, 600, 500, 500}
#define KAVO_BLOCK_THIN2 {500, 500, 1000, 350, 1000, 650, 500, 500}
#define KAVO_BLOCK_SHORT {500, 500, 800, 300, 800, 700, 500, 500}
#define KAVO_BLOCK_SHORTER {500, 500, 650, 300, 650, 700, 500, 500}
    static const BuiltinShape kLineEnds[] = {
        {"null", 1, 0, 0, 0, {}},
        {"block thin", 1, 100, 2, 0, KAVO_BLOCK_THIN},
        {"block thin2", 1, 100, 2, 0, KAVO_BLOCK_THIN2},
        {"block", 1, 100, 2, 0, KAVO_BLOCK},
        {"block short", 1, 60, 2, 0, KAVO_BLOCK_SHORT},
        {"block shorter", 1, 30, 2, 0, KAVO_BLOCK_SHORTER},
        {"taper", 1, 80, 2, 0, {500, 500, 1000, 300, 900, 500, 1000, 700, 500, 500}},
        {"bullet", 1, 100, 2, 0, {500, 500, 700, 350, 1000, 350, 1000, 650, 700, 650, 500, 500}},
        {"bulletin", 1, 65, 2, 0, {500, 500, 700, 350, 1000, 350, 800, 500, 1000, 650, 700, 650, 500, 500}},
        {"jagged", 1, 100, 2, 0, {500, 500, 800, 325, 800, 425, 1000, 250, 1000, 750, 800, 575, 800, 675, 500, 500}},
        {"indian", 1, 100, 2, 0, {500, 500, 750, 350, 925, 475, 1000, 405, 1000, 595, 925, 525, 750, 650, 500, 500}},
        {"sloped", 1, 85, 2, 0, {500, 500, 700, 460, 850, 420, 950, 380, 1000, 340, 930, 500, 1000, 660, 950, 620, 850, 580, 700, 540, 500, 500}},
        {"double closed", 1, 100, 2, 0, {500, 500, 750, 300, 750, 500, 1000, 300, 1000, 700, 750, 500, 750, 700, 500, 500}},
        {"stick", 1, 0, 3, 0, {500, 500, 1000, 300, 500, 500, 1000, 700}},
        {"double stick", 1, 0, 3, 0, {500, 500, 750, 300, 500, 500, 750, 700, 750, 500, 1000, 300, 750, 500, 1000, 700}},
        {"block (solid)", 1, 100, 2, 1, KAVO_BLOCK},
        {"block thin (solid)", 1, 100, 2, 1, KAVO_BLOCK_THIN},
        {"block thin2 (solid)", 1, 100, 2, 1, KAVO_BLOCK_THIN2},
        {"block short (solid)", 1, 60, 2, 1, KAVO_BLOCK_SHORT},
        {"block shorter (solid)", 1, 30, 2, 1, KAVO_BLOCK_SHORTER},
    };
#undef KAVO_BLOCK
#undef KAVO_BLOCK_THIN
#undef KAVO_BLOCK_THIN2
#undef KAVO_BLOCK_SHORT
#undef KAVO_BLOCK_SHORTER
    static_assert(std::size(kLineEnds) == kLineEndCount);
    for (const BuiltinShape& s : kLineEnds)
        AddBuiltinShape(s.name, s.rotatable, s.lineTo, s.kind, s.silhouette, s.points);
    g_nBuiltinLineEnds = kLineEndCount;
}
