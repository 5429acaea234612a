#include "ContentLibraries.h"

#include "KvdTool.h"

#include "keyword/CKeywordWriter.h"
#include "keyword/KeywordStreams.h"
#include "shapes/SymbolFiles.h"
#include "shapes/SymbolRecordWriter.h"

#include <QDir>
#include <QFile>

std::vector<FigureLibrary> FigureLibraries()
{
    return {
        {"Basic Shapes", "Rectangles, ellipses, polygons, stars, cylinders and cubes", BasicShapes()},
        {"Flowchart", "Flowchart symbols", FlowchartShapes()},
        {"Arrows", "Block arrows: drag the diamond handle to reshape head and shaft", ArrowShapes()},
        {"Boxes and Compartments", "Boxes with rows or columns, rounded and framed boxes", CompartmentShapes()},
        {"UML Class", "Classes, objects, active classes, stereotypes, qualifiers and notes", UmlClassShapes()},
        {"UML Packages and Components", "Packages, subsystems, models, components, artifacts and nodes",
         UmlPackageShapes()},
        {"UML Behaviour", "States, activities, actions, use cases and control nodes", UmlBehaviourShapes()},
        {"UML Interaction", "Actors, robustness icons, frames, combined fragments, activations",
         UmlInteractionShapes()},
        {"Swim Lanes and Partitions", "Swim lanes and partitions of every grid size", LaneShapes()},
    };
}

std::vector<EndLibrary> EndLibraries()
{
    return {
        {"UML Ends", "Generalization, aggregation, composition and the other UML line ends", UmlEndSymbols()},
        {"More Ends", "Circles, squares, diamonds, bars and crow's feet", MoreEndSymbols()},
    };
}

bool FindLibrarySymbol(const std::string& name, CFigSymbol& out)
{
    for (const FigureLibrary& lib : FigureLibraries())
        for (const SymbolSketch& s : lib.symbols) {
            CFigSymbol made;
            if (s.Make(made) && made.m_strName == name) {
                out = made;
                return true;
            }
        }
    return false;
}

namespace {
bool WriteText(const QString& path, const std::string& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(text.data(), qint64(text.size())) == qint64(text.size());
}

template <class Write>
bool WriteLibrary(const QString& path, const std::string& comment, Write writeSymbols)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    const bool ok = w.WriteHeader() && w.WriteString(KW_Comment, comment) && w.WriteText("\r\n") && writeSymbols(w);
    return ok && WriteText(path, sink.text);
}
} // namespace

bool WriteSymbolLibraries(const QString& folder, std::string& error)
{
    QDir().mkpath(folder);
    for (const FigureLibrary& lib : FigureLibraries()) {
        const QString path = folder + "/" + QString::fromStdString(lib.title) + "." + kFigureSymbolFileExt;
        const bool ok = WriteLibrary(path, lib.comment, [&](CKeywordWriter& w) {
            for (const SymbolSketch& s : lib.symbols) {
                CFigSymbol symbol;
                if (!s.Make(symbol) || !WriteFigureSymbolRecord(w, symbol) || !w.WriteText("\r\n"))
                    return false;
            }
            return true;
        });
        if (!ok) {
            error = path.toStdString();
            return false;
        }
    }
    for (const EndLibrary& lib : EndLibraries()) {
        const QString path = folder + "/" + QString::fromStdString(lib.title) + "." + kEndSymbolFileExt;
        const bool ok = WriteLibrary(path, lib.comment, [&](CKeywordWriter& w) {
            for (const CShapeDef& s : lib.symbols)
                if (!WriteEndSymbolRecord(w, s) || !w.WriteText("\r\n"))
                    return false;
            return true;
        });
        if (!ok) {
            error = path.toStdString();
            return false;
        }
    }
    return true;
}
