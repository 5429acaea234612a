// The templates made of the libraries' special shapes, each shown by a
// small example: a UML class diagram (classes with compartments, an
// interface, a note, the UML line ends) and a swim-lane process (lanes with
// a header column, actions, a decision, start and end). Their variants are
// named groups of alternative styles: a "Color" group whose items carry the
// colour names the new-diagram wizard knows, and for the class diagram a
// "Size" group. A "Size" item is a whole set of styles and is merged first;
// a "Color" item holds only the styles' colour keys, so that it recolours
// whatever size was chosen.
#include "ContentDiagram.h"
#include "ContentLibraries.h"

#include "shapes/FigFlags.h"

#include <QFile>

#include <set>
#include <sstream>

namespace {

struct Palette {
    const char* name;     // the variant item: a colour name the wizard knows
    COLORREF light;       // the fill, at the top
    COLORREF dark;        // the fill, at the bottom
    COLORREF border;      // borders and lines
};

// The first is the templates' own.
constexpr Palette kPalettes[] = {
    {"Black and white (default)", RGB(255, 255, 255), RGB(255, 255, 255), RGB(48, 48, 48)},
    {"Blue", RGB(234, 242, 253), RGB(194, 214, 244), RGB(46, 84, 150)},
    {"Forest Green", RGB(234, 246, 229), RGB(192, 226, 178), RGB(40, 104, 40)},
    {"Dark Orange", RGB(255, 244, 228), RGB(255, 212, 156), RGB(178, 92, 0)},
    {"Gray", RGB(246, 246, 246), RGB(212, 212, 212), RGB(86, 86, 86)},
};

struct Size {
    const char* name;
    double scale;
    int typeSize;
};

// The second is the templates' own.
constexpr Size kSizes[] = {{"Compact", 0.8, 7}, {"Normal", 1.0, 8}, {"Large", 1.25, 10}};

// Style record keys a "Color" item keeps.
const std::set<std::string> kColourKeys = {"BorderColor", "FillColor",   "TextColor",     "FillType",
                                           "FillColorFrom", "FillColorTo", "Color",         "End1FillColor",
                                           "End2FillColor", "FIBdrClr",    "FIFillClr"};

int LibrarySymbol(CKavoDoc& doc, const char* name)
{
    CFigSymbol s;
    return FindLibrarySymbol(name, s) ? doc.m_figSymbols.AddOrReplace(&s) : -1;
}

void AddLibraryEnds(CKavoDoc& doc)
{
    for (const EndLibrary& lib : EndLibraries())
        for (const CShapeDef& s : lib.symbols)
            if (lib.title == "UML Ends")
                doc.m_endSymbols.AddOrReplace(&s);
}

int Style(CKavoDoc& doc, const char* name, const char* symbol, const Palette& p, const Size& size,
          const char* text, const char* category)
{
    const int index = LibrarySymbol(doc, symbol);
    const CFigSymbol* s = doc.m_figSymbols.GetAt(index);
    if (!s)
        return -1;
    const int style = AddFigureStyle(doc, {name, category, index, {p.light, p.dark}, p.border,
                                           int(s->Width * size.scale), int(s->Height * size.scale), text});
    if (CFigStyle* st = doc.m_figStyles.GetAt(style))
        st->m_props.m_font.m_lf.lfHeight = -size.typeSize;
    return style;
}

// A solid style: the start and end of an activity, fork bars.
int SolidStyle(CKavoDoc& doc, const char* name, const char* symbol, const Palette& p, const Size& size)
{
    const int style = Style(doc, name, symbol, {p.name, p.border, p.border, p.border}, size, "", "Control");
    if (CFigStyle* st = doc.m_figStyles.GetAt(style))
        st->HasButton = 1;
    return style;
}

// Text that wraps at the figure's width.
void Wrap(CKavoDoc& doc, int style)
{
    if (CFigStyle* st = doc.m_figStyles.GetAt(style))
        st->m_props.Behavior.low |= kFigFlagReflowText;
}

int Line(CKavoDoc& doc, ConStyleSpec spec)
{
    return AddConnectorStyle(doc, spec);
}

CFigure* Box(CKavoDoc& doc, int style, double xCm, double yCm, const std::string& text)
{
    return AddFigureAt(doc, style, Cm(xCm), Cm(yCm), text);
}

// ---- The UML class diagram ---------------------------------------------------

void BuildUmlClass(CKavoDoc& doc, const Palette& p, const Size& size)
{
    AddLibraryEnds(doc);
    const int cls = Style(doc, "Class", "class/object r3", p, size, "Class", "Classes");
    const int object = Style(doc, "Object", "class/object r2", p, size, "object: Class", "Classes");
    const int iface = Style(doc, "Interface", "class/object r3", p, size, "\\i1 \xAB" "interface\xBB\\i0 \\line Interface",
                            "Classes");
    const int active = Style(doc, "Active Class", "active class/object r3", p, size, "Active Class", "Classes");
    const int pkg = Style(doc, "Package", "package", p, size, "Package", "Packages");
    const int note = Style(doc, "Note", "note", {p.name, RGB(255, 252, 222), RGB(255, 244, 184), p.border}, size,
                           "Note", "Notes");
    Wrap(doc, note);
    const int label = AddLabelStyle(doc, "Label");
    const COLORREF c = p.border;
    const int assoc = Line(doc, {"Association", 0, true, 0, c, "null", nullptr});
    const int nav = Line(doc, {"Navigable Association", 0, true, 0, c, "arrow umlstick", nullptr});
    Line(doc, {"Aggregation", 0, true, 0, c, "null", nullptr, "aggregation", RGB(255, 255, 255)});
    const int comp = Line(doc, {"Composition", 0, true, 0, c, "null", nullptr, "composition", c});
    const int gen = Line(doc, {"Generalization", 0, true, 0, c, "arrow umlopen", nullptr, "null", RGB(255, 255, 255),
                               RGB(255, 255, 255)});
    Line(doc, {"Dependency", 0, true, 2, c, "arrow umlstick", nullptr});
    const int real = Line(doc, {"Realization", 0, true, 2, c, "arrow umlopen", nullptr, "null", RGB(255, 255, 255),
                                RGB(255, 255, 255)});
    const int anchor = Line(doc, {"Anchor", 0, false, 2, c, "null", nullptr});
    (void)object, (void)active, (void)pkg, (void)gen;

    CFigure* customer = Box(doc, cls, 3.5, 3.0,
                            "\\b1 Customer\\b0 \\sect \\ql name: String\\line email: String\\sect \\ql placeOrder()");
    CFigure* order = Box(doc, cls, 10.5, 3.0,
                         "\\b1 Order\\b0 \\sect \\ql date: Date\\line status: Status\\sect \\ql total(): Money\\line "
                         "ship()");
    CFigure* payable = Box(doc, iface, 17.5, 3.0,
                           "\\i1 \xAB" "interface\xBB\\i0 \\line \\b1 Payable\\b0 \\sect \\sect \\ql pay()");
    CFigure* memo = Box(doc, note, 3.5, 8.5, "Orders ship when they are paid");
    CFigure* line = Box(doc, cls, 10.5, 8.5, "\\b1 OrderLine\\b0 \\sect \\ql quantity: Integer\\sect \\ql "
                                             "subtotal(): Money");
    CFigure* product = Box(doc, cls, 17.5, 8.5, "\\b1 Product\\b0 \\sect \\ql name: String\\line price: Money\\sect ");
    CConnector* places = Connect(doc, customer, order, assoc);
    Connect(doc, order, line, comp);
    Connect(doc, line, product, nav);
    Connect(doc, order, payable, real);
    Connect(doc, memo, order, anchor);
    Finish(doc);
    LabelConnector(doc, places, label, "places");
    Finish(doc);
}

// ---- The swim-lane process ------------------------------------------------------

void BuildSwimLane(CKavoDoc& doc, const Palette& p, const Size& size)
{
    AddLibraryEnds(doc);
    const int lanes = Style(doc, "Lanes", "[partition 3x2]", {p.name, RGB(255, 255, 255), RGB(255, 255, 255), p.border},
                            size, "", "Lanes");
    const int laneName = AddLabelStyle(doc, "Lane Name");
    if (CFigStyle* st = doc.m_figStyles.GetAt(laneName))
        st->m_props.m_font.m_lf.lfWeight = 700;
    const int task = Style(doc, "Task", "action", p, size, "Task", "Activities");
    Wrap(doc, task);
    const int decision = Style(doc, "Decision", "condition", p, size, "", "Activities");
    const int start = SolidStyle(doc, "Start", "start", p, size);
    const int end = SolidStyle(doc, "End", "stop", p, size);
    SolidStyle(doc, "Fork/Join", "fork/join horz", p, size);
    const int label = AddLabelStyle(doc, "Label");
    const COLORREF c = p.border;
    const int flow = Line(doc, {"Flow", 0, true, 0, c, "arrow umlstick", nullptr});
    Line(doc, {"Object Flow", 0, true, 2, c, "arrow umlstick", nullptr});

    // Three lanes of 4 cm under a header column of 3 cm.
    const double top = 1.0, laneH = 4.0, header = 3.0, width = 25.0;
    CFigure* frame = AddFigure(doc, lanes, CRect(Cm(0.5), Cm(top), Cm(0.5 + width), Cm(top + 3 * laneH)), "");
    if (frame) {
        // The column divider stands at the header's right side.
        CFigSymbol* sym = doc.m_figSymbols.GetAt(frame->m_props.Symbol);
        CPoint at;
        if (sym && sym->GetDividerHandle(2, at, frame->m_rect)) {
            CFigSymbol own = *sym;
            own.MoveSpecialHandle(2, frame->m_rect, CPoint(Cm(0.5 + header), at.y), 0);
            frame->m_props.Symbol = doc.m_figSymbols.AddCopyWithNewName(&own);
        }
    }
    const char* names[] = {"Customer", "Sales", "Warehouse"};
    for (int i = 0; i < 3; ++i) {
        const double y = top + laneH * i;
        AddFigure(doc, laneName, CRect(Cm(0.7), Cm(y + 1.6), Cm(0.3 + header), Cm(y + 2.4)), names[i]);
    }
    const double y0 = top + laneH / 2, y1 = y0 + laneH, y2 = y1 + laneH;
    CFigure* s = Box(doc, start, 5.0, y0, "");
    CFigure* place = Box(doc, task, 8.5, y0, "Place order");
    CFigure* check = Box(doc, task, 8.5, y1, "Check order");
    CFigure* valid = Box(doc, decision, 12.5, y1, "");
    CFigure* correct = Box(doc, task, 12.5, y0, "Correct order");
    CFigure* confirm = Box(doc, task, 16.5, y1, "Confirm order");
    CFigure* pick = Box(doc, task, 16.5, y2, "Pick items");
    CFigure* ship = Box(doc, task, 20.5, y2, "Ship order");
    CFigure* e = Box(doc, end, 20.5, y1, "");
    Connect(doc, s, place, flow);
    Connect(doc, place, check, flow);
    Connect(doc, check, valid, flow);
    CConnector* yes = Connect(doc, valid, confirm, flow);
    CConnector* no = Connect(doc, valid, correct, flow);
    Connect(doc, correct, place, flow);
    Connect(doc, confirm, pick, flow);
    Connect(doc, pick, ship, flow);
    Connect(doc, ship, e, flow);
    Finish(doc);
    LabelConnector(doc, yes, label, "valid");
    LabelConnector(doc, no, label, "invalid");
    Finish(doc);
}

// ---- Writing ---------------------------------------------------------------------

using Builder = void (*)(CKavoDoc&, const Palette&, const Size&);

bool Make(const QString& path, Builder build, const Palette& p, const Size& size, std::string& error)
{
    CKavoDoc doc;
    if (!doc.OnNewDocument()) {
        error = path.toStdString();
        return false;
    }
    build(doc, p, size);
    return SaveTo(doc, path, error);
}

// Keeps, in the file's style records, only the colour keys.
bool KeepColourKeys(const QString& path, std::string& error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = path.toStdString();
        return false;
    }
    const QByteArray all = f.readAll();
    f.close();
    std::istringstream in(all.toStdString());
    std::string line, out;
    bool inStyle = false;
    while (std::getline(in, line)) {
        const std::string bare = line.substr(0, line.find('\r'));
        if (bare.rfind("FigureStyle \"", 0) == 0 || bare.rfind("ConnectorStyle \"", 0) == 0)
            inStyle = true;
        else if (bare == "}")
            inStyle = false;
        if (inStyle && bare.rfind("  ", 0) == 0) {
            const std::string key = bare.substr(2, bare.find(' ', 2) - 2);
            if (!kColourKeys.count(key))
                continue;
        }
        out += line + "\n";
    }
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(out.data(), qint64(out.size())) != qint64(out.size())) {
        error = path.toStdString();
        return false;
    }
    return true;
}

// The template, then one variant file per palette ("Color" group) and,
// with sizes, one per size ("Size" group).
bool MakeWithVariants(const QString& templates, const QString& variants, const char* title, Builder build,
                      bool sizes, std::string& error)
{
    if (!Make(templates + "/" + title + ".kvd", build, kPalettes[0], kSizes[1], error))
        return false;
    for (size_t i = 0; i < std::size(kPalettes); ++i) {
        const QString path = QString("%1/%2 (Color=%3,%4%5).kvv")
                                 .arg(variants, title, kPalettes[i].name)
                                 .arg(i + 1)
                                 .arg(i == 0 ? ",default" : "");
        if (!Make(path, build, kPalettes[i], kSizes[1], error) || !KeepColourKeys(path, error))
            return false;
    }
    for (size_t i = 0; sizes && i < std::size(kSizes); ++i) {
        const QString path = QString("%1/%2 (Size=%3,%4%5).kvv")
                                 .arg(variants, title, kSizes[i].name)
                                 .arg(i + 1)
                                 .arg(i == 1 ? ",default" : "");
        if (!Make(path, build, kPalettes[0], kSizes[i], error))
            return false;
    }
    return true;
}
} // namespace

bool MakeUmlClassTemplate(const QString& templates, const QString& variants, std::string& error)
{
    return MakeWithVariants(templates, variants, "UML Class Diagram", &BuildUmlClass, true, error);
}

bool MakeSwimLaneTemplate(const QString& templates, const QString& variants, std::string& error)
{
    return MakeWithVariants(templates, variants, "Swim Lane Process", &BuildSwimLane, false, error);
}
