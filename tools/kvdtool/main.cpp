// kvdtool: diagrams without the editor, for tests and benchmarks.
//   kvdtool check IN                 load and validate; exit 0 when sound
//   kvdtool resave IN OUT            load and write again
//   kvdtool gen N OUT                a diagram of N boxes joined in rows
//   kvdtool export IN OUT [--scale PCT] [--antialias 0|1]
//                                    export in the format of OUT's extension
#include "app/ProgramState.h"
#include "core/Units.h"
#include "document/CKavoDoc.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/CKeywordWriter.h"
#include "keyword/KeywordStreams.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"
#include "render/ExportFormats.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: kvdtool check IN | resave IN OUT | gen N OUT | export IN OUT [--scale PCT] "
                 "[--antialias 0|1]\n");
    return 2;
}

bool Load(CKavoDoc& doc, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "kvdtool: cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    CMemoryKeywordSource source(std::string_view(bytes.constData(), size_t(bytes.size())));
    if (!doc.OnNewDocument() || !LoadDiagramText(doc, source)) {
        std::fprintf(stderr, "kvdtool: %s does not load\n", qPrintable(path));
        return false;
    }
    FinishDiagramLoad(doc);
    doc.SetPathName(path.toStdString(), false);
    return true;
}

bool Save(CKavoDoc& doc, const QString& path)
{
    CStringKeywordSink sink;
    CKeywordWriter writer(sink);
    if (!WriteDiagramText(writer, doc))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(sink.text.data(), qint64(sink.text.size())) != qint64(sink.text.size()))
        return false;
    return file.commit();
}

// N boxes in a square grid, each joined to its right-hand neighbour.
void Generate(CKavoDoc& doc, int count)
{
    constexpr int kW = 256, kH = 172, kGapX = 128, kGapY = 128;
    int kPerRow = 1;
    while (kPerRow * kPerRow < count)
        ++kPerRow;
    // The boxes take the document's first figure style (a new document has one).
    const CFigStyle* style = doc.m_figStyles.GetCount() > 0 ? doc.m_figStyles.GetAt(0) : nullptr;
    const CFigProps props = style ? style->m_props : CFigProps();
    const int styleIndex = style ? 0 : -1;
    CFigure* left = nullptr;
    for (int i = 0; i < count; ++i) {
        const int x = (i % kPerRow) * (kW + kGapX), y = (i / kPerRow) * (kH + kGapY);
        auto* fig = new CFigure(x, y, kH, kW, props, styleIndex, 0, "Box " + std::to_string(i + 1), "",
                                CFigure::CreateArgs(), &doc);
        fig->m_nId = doc.m_nNextId++;
        doc.AddFig(fig);
        if (left && i % kPerRow != 0)
            doc.CreateCon(left, fig, -1, -1, left->GetCenter(), fig->GetCenter(), -1, CConProps());
        left = fig;
    }
}

CRect ObjectsRect(CKavoDoc& doc)
{
    CRect all;
    for (CDiagObj* obj : *doc.m_pObjList) {
        CRect r;
        obj->GetBoundRect(r, 1, 0);
        all |= r;
    }
    if (!all.IsRectEmpty())
        all.InflateRect(1, 1);
    return all;
}

int ExportTypeOfExtension(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toUpper();
    for (int filter = 1; filter <= 7; ++filter)
        if (ext == QString::fromStdString(ExportFilterToExt(filter)) || (ext == "JPEG" && filter == 4) ||
            (ext == "TIFF" && filter == 6))
            return ExportFilterToType(filter);
    return 0;
}

int Export(CKavoDoc& doc, const QString& out, int scale, bool antialias)
{
    const int type = ExportTypeOfExtension(out);
    if (type == 0) {
        std::fprintf(stderr, "kvdtool: unknown export type for %s\n", qPrintable(out));
        return 2;
    }
    const CRect objects = ObjectsRect(doc);
    const CRect rect = ExportRectFromObjSetRect(objects, nullptr, false);
    const int width = LogicalToScreenPixels(rect.Width()) * scale / 100;
    const int height = LogicalToScreenPixels(rect.Height()) * scale / 100;
    const ExportResult r = ExportGraphic(doc, kExportAll, objects, type, out, width, height, 90, 24, antialias,
                                         nullptr);
    if (!r.ok)
        std::fprintf(stderr, "kvdtool: export to %s failed\n", qPrintable(out));
    return r.ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ResetProgramState();
    InstallExportDrawer();
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    CKavoDoc doc;
    if (command == "check")
        return Load(doc, argv[2]) ? 0 : 1;
    if (command == "resave" && argc == 4)
        return Load(doc, argv[2]) && Save(doc, argv[3]) ? 0 : 1;
    if (command == "gen" && argc == 4) {
        const int count = std::atoi(argv[2]);
        if (count <= 0 || !doc.OnNewDocument())
            return Usage();
        Generate(doc, count);
        return Save(doc, argv[3]) ? 0 : 1;
    }
    if (command == "export" && argc >= 4) {
        int scale = 100;
        bool antialias = true;
        for (int i = 4; i + 1 < argc; i += 2) {
            if (!std::strcmp(argv[i], "--scale"))
                scale = std::max(1, std::atoi(argv[i + 1]));
            else if (!std::strcmp(argv[i], "--antialias"))
                antialias = std::atoi(argv[i + 1]) != 0;
            else
                return Usage();
        }
        if (!Load(doc, argv[2]))
            return 1;
        return Export(doc, argv[3], scale, antialias);
    }
    return Usage();
}
