// The program folders' diagrams, written by the program's own writer: the
// first-start sample and the templates. They are the first diagrams a user
// sees, so they show what the program draws: filled and shaded shapes with
// their own symbols, a decision diamond, arrows, labelled and curved
// connectors with flow indicators, a shape with compartments, a shadow and
// formatted text.
#include "ContentDiagram.h"
#include "KvdTool.h"

#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "keyword/KeywordStreams.h"
#include "shapes/COutlineWriter.h"
#include "shapes/ShapeLibrary.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

int Cm(double cm)
{
    return int(std::lround(cm * 256.0 / 2.54));
}

namespace {
constexpr int kSymbolSpace = 2048;

// ---- Figure symbols --------------------------------------------------------

// A closed polygon symbol: filled, outlined, and with the polygon as its hot
// zone, so that connectors end on its edges and its shadow follows it.
// `textBox` is where its text goes (empty: the whole figure).
int AddPolygonSymbol(CKavoDoc& doc, const char* name, const std::vector<CFltPoint>& polygon,
                     const CFltRect& textBox = CFltRect())
{
    CFigSymbol* s = doc.m_figSymbols.NewEntry();
    if (!s)
        return -1;
    s->SetName(name);
    COutlineWriter w(s->m_program.data(), CFigSymbol::kProgramSize);
    s->m_nFillPos = w.Pos();
    w.Points(kOpPolygon, polygon.data(), int(polygon.size()));
    w.End(kOpEndFill);
    std::vector<CFltPoint> closed = polygon;
    closed.push_back(polygon.front());
    s->m_nOutlinePos = w.Pos();
    w.Points(kOpPolyline, closed.data(), int(closed.size()));
    w.End(kOpEndOutline);
    if (textBox.right > textBox.left) {
        s->m_nTextBoxPos = w.Pos();
        WriteOutlineRect(s->m_program.data() + w.Pos(), textBox);
        s->m_nTextBoxes = 1;
        w = COutlineWriter(s->m_program.data(), CFigSymbol::kProgramSize, w.Pos() + kOutlineRectBytes);
    }
    s->m_nProgramLength = w.Pos();
    // Closed, so that a line reaching the figure across its last edge stops
    // there too.
    s->m_hotZone.SetPoints(int(closed.size()), closed.data());
    return doc.m_figSymbols.GetCount() - 1;
}

std::vector<CFltPoint> RectanglePts()
{
    return {{0, 0}, {kSymbolSpace, 0}, {kSymbolSpace, kSymbolSpace}, {0, kSymbolSpace}};
}

std::vector<CFltPoint> DiamondPts()
{
    const float h = kSymbolSpace / 2.0f;
    return {{h, 0}, {kSymbolSpace, h}, {h, kSymbolSpace}, {0, h}};
}

// A parallelogram leaning right by a sixth of its width.
std::vector<CFltPoint> ParallelogramPts()
{
    const float s = kSymbolSpace / 6.0f;
    return {{s, 0}, {kSymbolSpace, 0}, {kSymbolSpace - s, kSymbolSpace}, {0, kSymbolSpace}};
}

// A rectangle with half-round ends for a figure `aspect` times as wide as it
// is high: each end is a half circle of the figure's height.
std::vector<CFltPoint> TerminatorPts(double aspect)
{
    const double r = kSymbolSpace / 2.0;       // the radius across the height
    const double rx = r / aspect;              // the same radius across the width
    constexpr int kSteps = 12;                 // points on each half circle
    constexpr double kPi = 3.14159265358979323846;
    std::vector<CFltPoint> pts;
    for (int i = 0; i <= kSteps; ++i) {        // right end, top to bottom
        const double a = -kPi / 2 + kPi * i / kSteps;
        pts.emplace_back(float(kSymbolSpace - rx + rx * std::cos(a)), float(r + r * std::sin(a)));
    }
    for (int i = 0; i <= kSteps; ++i) {        // left end, bottom to top
        const double a = kPi / 2 + kPi * i / kSteps;
        pts.emplace_back(float(rx + rx * std::cos(a)), float(r + r * std::sin(a)));
    }
    return pts;
}

// A box with three rows (name, attributes, operations): the special shape
// whose compartments keep their text apart and grow with it.
int AddClassSymbol(CKavoDoc& doc)
{
    CFigSymbol* s = doc.m_figSymbols.NewEntry();
    if (!s)
        return -1;
    s->SetName("class/object r3");
    constexpr float kRow1 = 560, kRow2 = 1300;
    COutlineWriter w(s->m_program.data(), CFigSymbol::kProgramSize);
    s->m_nFillPos = w.Pos();
    w.Rect(kOpRect, CFltRect(0, 0, kSymbolSpace, kSymbolSpace));
    w.End(kOpEndFill);
    s->m_nOutlinePos = w.Pos();
    w.Rect(kOpRect, CFltRect(0, 0, kSymbolSpace, kSymbolSpace));
    w.Line({0, kRow1}, {kSymbolSpace, kRow1});
    w.Line({0, kRow2}, {kSymbolSpace, kRow2});
    w.End(kOpEndOutline);
    s->m_nTextBoxPos = w.Pos();
    const CFltRect boxes[3] = {CFltRect(0, 0, kSymbolSpace, kRow1), CFltRect(0, kRow1, kSymbolSpace, kRow2),
                               CFltRect(0, kRow2, kSymbolSpace, kSymbolSpace)};
    for (const CFltRect& b : boxes) {
        WriteOutlineRect(s->m_program.data() + w.Pos(), b);
        w = COutlineWriter(s->m_program.data(), CFigSymbol::kProgramSize, w.Pos() + kOutlineRectBytes);
    }
    s->m_nTextBoxes = 3;
    // Each compartment is framed by its row: the second text-box table
    // makes the box a special shape that is set up for the figure margins.
    s->m_nFrames = 3;
    std::copy(std::begin(boxes), std::end(boxes), s->m_frames);
    s->m_nProgramLength = w.Pos();
    s->ComputeReshapeKind();
    std::vector<CFltPoint> hot = RectanglePts();
    hot.push_back(hot.front());
    s->m_hotZone.SetPoints(int(hot.size()), hot.data());
    return doc.m_figSymbols.GetCount() - 1;
}

} // namespace

// ---- Styles -----------------------------------------------------------------

int AddFigureStyle(CKavoDoc& doc, const FigStyleSpec& spec)
{
    CFigStyle* s = doc.m_figStyles.NewEntry();
    if (!s)
        return -1;
    s->Reset();
    s->SetName(spec.name);
    s->Category = spec.category;
    s->HasButton = 1;
    s->InMenu = 1;
    s->Width = spec.width;
    s->Height = spec.height;
    s->DefaultText = spec.defaultText;
    s->m_props.Symbol = spec.symbol;
    s->m_props.BorderColor = spec.border;
    s->m_props.TextColor = RGB(32, 32, 32);
    s->m_props.m_fill.m_crColor1 = spec.fill.from;
    s->m_props.m_fill.m_crColor2 = spec.fill.to;
    s->m_props.m_fill.m_nKind = spec.fill.from == spec.fill.to ? 1 : 2;
    s->m_props.m_fill.m_nAngle = 90;   // light at the top, darker below
    return doc.m_figStyles.GetCount() - 1;
}

int AddLabelStyle(CKavoDoc& doc, const char* name)
{
    CFigStyle* s = doc.m_figStyles.NewEntry();
    if (!s)
        return -1;
    s->Reset();
    s->SetName(name);
    s->Category = "Labels";
    s->Label = 1;
    s->HasButton = 1;
    s->InMenu = 1;
    s->m_props.Symbol = 1;   // the built-in label rectangle
    s->m_props.m_fill.m_nKind = 0;
    s->m_props.BorderColor = RGB(255, 255, 255);
    s->m_props.TextColor = RGB(64, 64, 64);
    return doc.m_figStyles.GetCount() - 1;
}

int AddConnectorStyle(CKavoDoc& doc, const ConStyleSpec& spec)
{
    CConStyle* c = doc.m_conStyles.NewEntry();
    if (!c)
        return -1;
    c->Reset();
    c->SetName(spec.name);
    c->Category = "Lines";
    c->HasButton = 1;
    c->InMenu = 1;
    CConProps& p = c->m_props;
    p.Color = spec.color;
    p.LineWidth = 2;
    p.PenStyle = spec.penStyle;
    p.End1 = doc.m_endSymbols.FindByName(spec.end1);
    if (p.End1 > 0) {
        p.End1Length = 36;
        p.End1FillColor = spec.end1Fill;
    }
    p.End2 = doc.m_endSymbols.FindByName(spec.end2);
    p.End2Length = 36;
    p.End2FillColor = spec.end2Fill == kLineColour ? spec.color : spec.end2Fill;
    p.Behavior.low |= spec.shape;
    if (spec.orthogonal)
        p.Behavior.low |= kGuidedOrthogonalBit;
    if (spec.flowStamp) {
        p.FIType = StampShapes().FindByName(spec.flowStamp);
        p.FISize = 20;
        p.FISpacing = 120;
        p.FIBdrWidth = 1;
        p.FIBdrClr = spec.color;
        p.FIFillClr = RGB(255, 192, 0);
    }
    return doc.m_conStyles.GetCount() - 1;
}

// ---- Objects ----------------------------------------------------------------

CFigure* AddFigure(CKavoDoc& doc, int style, const CRect& rect, const std::string& text)
{
    auto* fig = new CFigure(&doc);
    fig->m_rect = rect;
    fig->m_nStyle = style;
    if (const CFigStyle* s = doc.m_figStyles.GetAt(style)) {
        fig->m_props = s->m_props;
        fig->m_bLabel = s->Label;
    }
    fig->m_strText = text;
    if (!doc.AddNewFig(-1, fig, true)) {
        delete fig;
        return nullptr;
    }
    return fig;
}

CFigure* AddFigureAt(CKavoDoc& doc, int style, int x, int y, const std::string& text)
{
    const CFigStyle* s = doc.m_figStyles.GetAt(style);
    const int w = s ? s->Width : 256, h = s ? s->Height : 172;
    return AddFigure(doc, style, CRect(x - w / 2, y - h / 2, x - w / 2 + w, y - h / 2 + h), text);
}

CConnector* Connect(CKavoDoc& doc, CFigure* a, CFigure* b, int style)
{
    const CConStyle* s = doc.m_conStyles.GetAt(style);
    if (!a || !b || !s)
        return nullptr;
    return doc.CreateCon(a, b, -1, -1, a->m_rect.CenterPoint(), b->m_rect.CenterPoint(), style, s->m_props);
}

void LabelConnector(CKavoDoc& doc, CConnector* con, int labelStyle, const std::string& text)
{
    if (!con)
        return;
    const CPoint a = con->EndPoint1, b = con->EndPoint2;
    const bool vertical = std::abs(b.y - a.y) > std::abs(b.x - a.x);
    const CPoint mid((a.x + b.x) / 2, (a.y + b.y) / 2);
    const CPoint at = vertical ? CPoint(a.x, mid.y) : CPoint(mid.x, a.y);
    const int w = Cm(1.0), h = Cm(0.55);
    // Right of a vertical leg, above a horizontal one.
    const CRect rect = vertical ? CRect(at.x + Cm(0.2), at.y - h / 2, at.x + Cm(0.2) + w, at.y + h / 2)
                                : CRect(at.x - w / 2, at.y - h - Cm(0.05), at.x + w / 2, at.y - Cm(0.05));
    CFigure* label = AddFigure(doc, labelStyle, rect, text);
    if (label)
        doc.CreateConLblStaple(con, at, label);
}

void Finish(CKavoDoc& doc)
{
    std::vector<CFigure*> figs;
    for (CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjFigure)
            figs.push_back(static_cast<CFigure*>(o));
    doc.RelayAttachedCons(figs);
    doc.UpdateAllStaples(0);
    doc.InitStyleMenus();
    doc.SetModifiedFlag(true);
}

bool SaveTo(CKavoDoc& doc, const QString& path, std::string& error)
{
    doc.m_bLockFile = 0;
    error = path.toStdString();
    if (!doc.OnSaveDocument(path.toStdString()))
        return false;
    // Saved once more as read back: symbol copies that differ only below the
    // file's precision are merged by that save, so the shipped file is the
    // one a resave writes.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    CKavoDoc again;
    again.DeleteContents();
    CMemoryKeywordSource source(std::string_view(bytes.constData(), size_t(bytes.size())), true);
    if (!again.Serialize(nullptr, &source))
        return false;
    again.m_bLockFile = 0;
    if (!again.OnSaveDocument(path.toStdString()))
        return false;
    error.clear();
    return true;
}

namespace {

// ---- The flowchart styles shared by the sample and the template -------------

struct FlowStyles {
    int process = -1, decision = -1, terminator = -1, data = -1, label = -1;
    int flow = -1, dataFlow = -1;
};

constexpr double kTerminatorAspect = 2.5;

FlowStyles AddFlowStyles(CKavoDoc& doc)
{
    FlowStyles st;
    const int rect = AddPolygonSymbol(doc, "Process", RectanglePts());
    const int diamond = AddPolygonSymbol(doc, "Decision", DiamondPts(), CFltRect(384, 512, 1664, 1536));
    const int term = AddPolygonSymbol(doc, "Terminator", TerminatorPts(kTerminatorAspect), CFltRect(256, 0, 1792, 2048));
    const int data = AddPolygonSymbol(doc, "Data", ParallelogramPts(), CFltRect(341, 0, 1707, 2048));
    const int w = Cm(3.2), h = Cm(1.3);
    st.process = AddFigureStyle(doc, {"Process", "Flowchart", rect, {RGB(235, 243, 252), RGB(190, 214, 240)},
                                      RGB(46, 84, 150), w, h, "Process"});
    st.decision = AddFigureStyle(doc, {"Decision", "Flowchart", diamond, {RGB(255, 246, 214), RGB(255, 221, 128)},
                                       RGB(176, 128, 0), Cm(3.4), Cm(1.9), "Decision?"});
    st.terminator = AddFigureStyle(doc, {"Start/End", "Flowchart", term, {RGB(231, 245, 224), RGB(176, 220, 150)},
                                         RGB(68, 124, 40), int(h * kTerminatorAspect), h, "Start"});
    st.data = AddFigureStyle(doc, {"Data", "Flowchart", data, {RGB(253, 233, 222), RGB(248, 203, 173)},
                                   RGB(180, 84, 20), w, h, "Data"});
    st.label = AddLabelStyle(doc, "Label");
    st.flow = AddConnectorStyle(doc, {"Flow", 0, false, 0, RGB(64, 64, 64), "block (solid)", nullptr});
    st.dataFlow = AddConnectorStyle(doc, {"Data Flow", 0, false, 2, RGB(46, 84, 150), "block thin2", "FI_ARWHEAD"});
    return st;
}

// ---- The diagrams ------------------------------------------------------------

void BuildSample(CKavoDoc& doc)
{
    const FlowStyles st = AddFlowStyles(doc);
    const int classSym = AddClassSymbol(doc);
    const int classStyle = AddFigureStyle(doc, {"Class", "Structure", classSym,
                                                {RGB(255, 255, 236), RGB(255, 255, 236)}, RGB(96, 96, 96), Cm(4.0),
                                                Cm(3.0), ""});
    const int title = AddLabelStyle(doc, "Title");
    const int x0 = Cm(4.0), x1 = Cm(9.5), x2 = Cm(15.0);
    const int row[5] = {Cm(3.4), Cm(5.8), Cm(8.6), Cm(11.4), Cm(13.8)};
    // What it says is what the program does as it starts: typing over a
    // shape edits its text and a double click opens its properties.
    AddFigure(doc, title, CRect(Cm(1.0), Cm(0.3), Cm(18.0), Cm(2.3)),
              "\\fs32\\b1 Order handling\\b0\\fs20 \\line \\i1 A sample diagram: drag a shape; point at it and type to "
              "change its text;\\line double-click it for its properties\\i0 ");
    CFigure* start = AddFigureAt(doc, st.terminator, x0, row[0], "Order received");
    CFigure* check = AddFigureAt(doc, st.process, x0, row[1], "Check stock");
    check->m_props.Shadow = 1;
    CFigure* inStock = AddFigureAt(doc, st.decision, x0, row[2], "In stock?");
    CFigure* ship = AddFigureAt(doc, st.process, x0, row[3], "\\b1 Ship\\b0  the order");
    ship->m_props.Shadow = 1;
    CFigure* done = AddFigureAt(doc, st.terminator, x0, row[4], "Done");
    CFigure* delivery = AddFigureAt(doc, st.data, x1, row[1], "Delivery");
    CFigure* reorder = AddFigureAt(doc, st.process, x1, row[2], "Reorder from\\line the supplier");
    CFigure* invoice = AddFigureAt(doc, st.data, x1, row[3], "Invoice");
    CFigure* order = AddFigure(doc, classStyle, CRect(x2 - Cm(2.0), row[3] - Cm(2.0), x2 + Cm(2.0), row[3] + Cm(2.0)),
                               "\\b1 Order\\b0 \\sect \\ql id: Number\\line date: Date\\line items: List\\sect \\ql "
                               "ship()\\line cancel()");

    Connect(doc, start, check, st.flow);
    Connect(doc, check, inStock, st.flow);
    CConnector* yes = Connect(doc, inStock, ship, st.flow);
    CConnector* no = Connect(doc, inStock, reorder, st.flow);
    Connect(doc, reorder, delivery, st.flow);
    Connect(doc, delivery, check, st.flow);
    Connect(doc, ship, done, st.flow);
    Connect(doc, ship, invoice, st.dataFlow);
    Connect(doc, invoice, order, st.dataFlow);
    Finish(doc);
    LabelConnector(doc, yes, st.label, "yes");
    LabelConnector(doc, no, st.label, "no");
    Finish(doc);
}

// The flowchart template: its styles, shown by a small example.
void BuildFlowchart(CKavoDoc& doc)
{
    const FlowStyles st = AddFlowStyles(doc);
    const int x = Cm(3.0);
    CFigure* start = AddFigureAt(doc, st.terminator, x, Cm(1.0), "Start");
    CFigure* step = AddFigureAt(doc, st.process, x, Cm(3.2), "Process");
    CFigure* ask = AddFigureAt(doc, st.decision, x, Cm(5.8), "Decision?");
    CFigure* input = AddFigureAt(doc, st.data, x + Cm(5.0), Cm(5.8), "Data");
    CFigure* end = AddFigureAt(doc, st.terminator, x, Cm(8.6), "End");
    Connect(doc, start, step, st.flow);
    Connect(doc, step, ask, st.flow);
    CConnector* yes = Connect(doc, ask, end, st.flow);
    CConnector* no = Connect(doc, ask, input, st.flow);
    Finish(doc);
    LabelConnector(doc, yes, st.label, "yes");
    LabelConnector(doc, no, st.label, "no");
    Finish(doc);
}

// The block-diagram template: blocks, a highlighted block and two kinds of
// link, shown by a small example.
void BuildBlockDiagram(CKavoDoc& doc)
{
    const int rect = AddPolygonSymbol(doc, "Block", RectanglePts());
    const int w = Cm(3.4), h = Cm(1.6);
    const int block = AddFigureStyle(doc, {"Block", "Blocks", rect, {RGB(250, 250, 250), RGB(214, 219, 226)},
                                           RGB(70, 80, 96), w, h, "Block"});
    const int highlight = AddFigureStyle(doc, {"Highlight", "Blocks", rect, {RGB(255, 236, 232), RGB(246, 176, 160)},
                                               RGB(170, 40, 20), w, h, "Highlight"});
    const int label = AddLabelStyle(doc, "Label");
    const int link = AddConnectorStyle(doc, {"Link", 0, true, 0, RGB(70, 80, 96), "null", nullptr});
    const int directed = AddConnectorStyle(doc, {"Directed", 0, true, 0, RGB(70, 80, 96), "block (solid)", nullptr});
    const int signal = AddConnectorStyle(doc, {"Signal", 0, false, 1, RGB(170, 40, 20), "block thin2",
                                               "FI_ARWHEAD"});
    CFigure* in = AddFigureAt(doc, block, Cm(2.0), Cm(1.2), "Input");
    CFigure* core = AddFigureAt(doc, highlight, Cm(7.0), Cm(1.2), "\\b1 Core\\b0 ");
    CFigure* out = AddFigureAt(doc, block, Cm(12.0), Cm(1.2), "Output");
    CFigure* store = AddFigureAt(doc, block, Cm(7.0), Cm(4.4), "Storage");
    CFigure* monitor = AddFigureAt(doc, block, Cm(12.0), Cm(4.4), "Monitor");
    Connect(doc, in, core, directed);
    Connect(doc, core, out, directed);
    CConnector* data = Connect(doc, core, store, link);
    Connect(doc, store, monitor, signal);
    Finish(doc);
    LabelConnector(doc, data, label, "data");
    Finish(doc);
}

bool MakeDiagram(const QString& path, void (*build)(CKavoDoc&), std::string& error)
{
    CKavoDoc doc;
    if (!doc.OnNewDocument()) {
        error = path.toStdString();
        return false;
    }
    if (build)
        build(doc);
    else
        Finish(doc);
    return SaveTo(doc, path, error);
}

} // namespace

bool AddFlowchartStyles(CKavoDoc& doc, int& box, int& arrow)
{
    const FlowStyles st = AddFlowStyles(doc);
    box = st.process;
    arrow = st.flow;
    return box >= 0 && arrow >= 0;
}

bool MakeProgramContent(const std::string& folder, std::string& error)
{
    const QDir root(QString::fromStdString(folder));
    root.mkpath("Samples");
    root.mkpath("Template");
    root.mkpath("Template/Variants");
    return WriteSymbolLibraries(root.filePath("Symbols"), error) && WriteClipart(root.filePath("Clipart"), error) &&
           MakeUmlClassTemplate(root.filePath("Template"), root.filePath("Template/Variants"), error) &&
           MakeSwimLaneTemplate(root.filePath("Template"), root.filePath("Template/Variants"), error) &&
           MakeDiagram(root.filePath("Samples/InitialSample.kvd"), &BuildSample, error) &&
           MakeDiagram(root.filePath("Template/Empty.kvd"), nullptr, error) &&
           MakeDiagram(root.filePath("Template/Flowchart.kvd"), &BuildFlowchart, error) &&
           MakeDiagram(root.filePath("Template/Block Diagram.kvd"), &BuildBlockDiagram, error);
}
