// The program folders' diagrams, written by the program's own writer: the
// first-start sample and the templates.
#include "KvdTool.h"

#include "document/CKavoDoc.h"
#include "render/PreviewRender.h"

#include <QDir>

namespace {
struct StyleSpec {
    const char* name;
    COLORREF fill;
    COLORREF border;
    bool button;
};

void AddFigureStyles(CKavoDoc& doc, std::initializer_list<StyleSpec> specs)
{
    for (const StyleSpec& spec : specs) {
        CFigStyle* s = doc.m_figStyles.NewEntry();
        s->Reset();
        s->SetName(spec.name);
        s->Category = "Basic";
        s->HasButton = spec.button ? 1 : 0;
        s->InMenu = 1;
        s->m_props.Symbol = 1;  // the built-in rectangle ("lbl"); "null" draws nothing
        s->m_props.m_fill.m_nKind = 1;
        s->m_props.m_fill.m_crColor1 = spec.fill;
        s->m_props.BorderColor = spec.border;
    }
}

void AddConnectorStyle(CKavoDoc& doc, const char* name, bool arrow)
{
    CConStyle* c = doc.m_conStyles.NewEntry();
    c->Reset();
    c->SetName(name);
    c->HasButton = 1;
    c->InMenu = 1;
    if (arrow)
        c->m_props.End2 = doc.m_endSymbols.FindByName("block");
}

bool SaveTo(CKavoDoc& doc, const QString& path, std::string& error)
{
    doc.m_bLockFile = 0;
    if (doc.OnSaveDocument(path.toStdString()))
        return true;
    error = path.toStdString();
    return false;
}

// A template holds styles and no objects, so its own rendering would be
// blank: its preview shows a few boxes drawn in its figure styles instead.
HGLOBAL TemplatePreview(void (*addStyles)(CKavoDoc&))
{
    CKavoDoc sample;
    sample.OnNewDocument();
    const int first = sample.m_figStyles.GetCount();
    addStyles(sample);
    GenerateDiagram(sample, 4);
    const int styles = sample.m_figStyles.GetCount() - first;
    int n = 0;
    for (CDiagObj* o : *sample.m_pObjList)
        if (o->GetType() == kObjFigure && styles > 0) {
            auto* f = static_cast<CFigure*>(o);
            f->m_nStyle = first + n++ % styles;
            f->m_props = sample.m_figStyles.GetAt(f->m_nStyle)->m_props;
        }
    return RenderDocPreview(sample);
}

bool SaveTemplate(const QString& path, void (*addStyles)(CKavoDoc&), std::string& error)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    addStyles(doc);
    doc.m_hPreview = TemplatePreview(addStyles);
    return SaveTo(doc, path, error);
}
} // namespace

bool MakeProgramContent(const std::string& folder, std::string& error)
{
    const QDir root(QString::fromStdString(folder));
    root.mkpath("Samples");
    root.mkpath("Template");
    {
        CKavoDoc doc;
        doc.OnNewDocument();
        AddFigureStyles(doc, {{"Process", RGB(204, 229, 255), RGB(0, 64, 128), true}});
        AddConnectorStyle(doc, "Flow", true);
        GenerateDiagram(doc, 9);
        for (CDiagObj* o : *doc.m_pObjList)
            if (o->GetType() == kObjFigure) {
                auto* f = static_cast<CFigure*>(o);
                f->m_nStyle = 1;
                f->m_props = doc.m_figStyles.GetAt(1)->m_props;
            }
        if (!SaveTo(doc, root.filePath("Samples/InitialSample.kvd"), error))
            return false;
    }
    const auto empty = [](CKavoDoc&) {};
    const auto flowchart = [](CKavoDoc& doc) {
        AddFigureStyles(doc, {{"Process", RGB(204, 229, 255), RGB(0, 64, 128), true},
                              {"Decision", RGB(255, 242, 204), RGB(128, 96, 0), true},
                              {"Start/End", RGB(221, 255, 221), RGB(0, 96, 0), true}});
        AddConnectorStyle(doc, "Flow", true);
    };
    const auto blocks = [](CKavoDoc& doc) {
        AddFigureStyles(doc, {{"Block", RGB(240, 240, 240), RGB(64, 64, 64), true},
                              {"Highlight", RGB(255, 221, 221), RGB(160, 0, 0), true}});
        AddConnectorStyle(doc, "Link", false);
        AddConnectorStyle(doc, "Directed", true);
    };
    return SaveTemplate(root.filePath("Template/Empty.kvd"), empty, error) &&
           SaveTemplate(root.filePath("Template/Flowchart.kvd"), flowchart, error) &&
           SaveTemplate(root.filePath("Template/Block Diagram.kvd"), blocks, error);
}
