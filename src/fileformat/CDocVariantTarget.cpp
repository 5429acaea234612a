#include "fileformat/CDocVariantTarget.h"

#include "core/ProgramFolders.h"
#include "document/CKavoDoc.h"
#include "document/ColorScheme.h"
#include "fileformat/CPreviewLoadObj.h"
#include "fileformat/CStyleImportLoadObj.h"
#include "fileformat/DocFileHooks.h"
#include "keyword/KeywordStreams.h"
#include "platform/Ansi.h"
#include "shapes/DividedShapeSetup.h"

#include <QFile>

namespace {
constexpr const char* kColorGroup = "Color";

// The scheme group of the template's variants, with its items in order.
TemplateVariants::Group* SchemeGroup(TemplateVariants& variants, const std::string& templateName)
{
    variants.BuildTemplateVariants(GetTemplatesFolder() + AnsiToQString(templateName), kColorGroup);
    return variants.GetGroup(0);
}

// The item of the n-th scheme (positions may have gaps); -1 when none.
int SchemeItem(const TemplateVariants::Group& g, int scheme)
{
    for (int i = 0, n = 0; i < TemplateVariants::kMaxItems; ++i) {
        if (g.fileNames[size_t(i)].empty())
            continue;
        if (n++ == scheme)
            return i;
    }
    return -1;
}
} // namespace

bool CDocVariantTarget::MergeDiagramFile(const QString& path)
{
    return ApplyVariantFile(m_doc, path.toStdString());
}

void CDocVariantTarget::SetFigMargins()
{
    if (!m_bOwnStep) {
        // A step opened here would close the caller's.
        ApplySpecialShapeSettings(m_doc, m_doc.m_nFigMarginLeft, m_doc.m_nFigMarginRight, m_doc.m_nFigMarginTop,
                                  m_doc.m_nFigMarginBottom, true);
        return;
    }
    ::SetFigMargins(m_doc, m_doc.m_nFigMarginLeft, m_doc.m_nFigMarginRight, m_doc.m_nFigMarginTop,
                    m_doc.m_nFigMarginBottom, true);
}

std::vector<std::string> LoadColorSchemeNames(const std::string& templateName)
{
    std::vector<std::string> names;
    TemplateVariants variants;
    if (const TemplateVariants::Group* g = SchemeGroup(variants, templateName))
        for (int i = 0; i < TemplateVariants::kMaxItems; ++i)
            if (!g->fileNames[size_t(i)].empty())
                names.push_back(g->itemNames[size_t(i)]);
    return names;
}

bool ApplyColorSchemeStyles(CKavoDoc& doc, const std::string& templateName, int scheme)
{
    TemplateVariants variants;
    TemplateVariants::Group* g = SchemeGroup(variants, templateName);
    const int item = g ? SchemeItem(*g, scheme) : -1;
    if (item < 0)
        return false;
    g->chosen = item;
    CDocVariantTarget target(doc, false);
    return variants.Apply(target);
}

HGLOBAL LoadColorSchemePreview(const std::string& templateName, int scheme)
{
    TemplateVariants variants;
    const TemplateVariants::Group* g = SchemeGroup(variants, templateName);
    const int item = g ? SchemeItem(*g, scheme) : -1;
    return item < 0 ? nullptr : LoadVariantFilePreview(g->fileNames[size_t(item)]);
}

HGLOBAL LoadVariantFilePreview(const std::string& fileName)
{
    // A variant file is a diagram file under its own extension.
    QFile file(GetVariantsFolder() + AnsiToQString(fileName));
    if (fileName.empty() || !file.open(QIODevice::ReadOnly))
        return nullptr;
    CDeviceKeywordSource source(&file);
    CPreviewLoadObj loader;
    return loader.Load(source) ? loader.TakePreview() : nullptr;
}

void InstallColorSchemeLoading()
{
    ColorSchemeServices& s = GetColorSchemeServices();
    s.loadSchemes = &LoadColorSchemeNames;
    s.applyScheme = &ApplyColorSchemeStyles;
    s.loadPreview = &LoadColorSchemePreview;
    s.redrawStyleBar = [] {
        if (GetDocFileHooks().rebuildStyleBar)
            GetDocFileHooks().rebuildStyleBar();
    };
}
