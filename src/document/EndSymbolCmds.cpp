#include "document/EndSymbolCmds.h"

#include "core/AppGlobals.h"
#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "shapes/CShapeDef.h"
#include "shapes/ShapeLibrary.h"

#include <QFileInfo>
#include <QString>

namespace {
// Stock kinds of the two UML connector families and of their end symbols.
// 30 names the family of the UML end symbols (the arrows, aggregation,
// composition ...), so symbols are asked whether they belong to it rather
// than compared with the family number itself, which no symbol carries.
constexpr int kUmlConKindA = 28, kUmlEndKindA = 30;
constexpr int kUmlConKindB = 39, kUmlEndKindB = 40;

bool StartsWithUml(const std::string& text)
{
    return text.size() >= 3 && QString::fromLatin1(text.substr(0, 3).c_str()).compare("UML", Qt::CaseInsensitive) == 0;
}
} // namespace

bool IsUmlDiagram(const CKavoDoc& doc)
{
    if (!g_bUmlFilesPresent)
        return false;
    if (!doc.GetTitle().empty())
        return StartsWithUml(doc.GetTitle());
    const std::string templateName =
        QFileInfo(QString::fromUtf8(g_strNewTemplatePath.c_str())).fileName().toStdString();
    return StartsWithUml(templateName);
}

int ListEndSymbolCmds(const CKavoDoc& doc, const CConnector* con, std::vector<UINT>& ids)
{
    ids.clear();
    const ShapeLibrary& symbols = doc.m_endSymbols;
    const bool uml = IsUmlDiagram(doc);
    int conKind = 0;
    if (uml && con)
        if (const CConStyle* style = doc.m_conStyles.GetAt(con->m_nStyle))
            conKind = style->GetKind();
    for (int i = 0; i < symbols.GetCount(); ++i) {
        const CShapeDef* shape = symbols.GetAt(i);
        if (uml && shape) {
            const bool isNull = shape->m_strName == "null";
            if (i < g_nBuiltinLineEnds && !isNull)
                continue;
            if (!isNull && conKind == kUmlConKindA && !shape->IsKind(kUmlEndKindA))
                continue;
            if (!isNull && conKind == kUmlConKindB && !shape->IsKind(kUmlEndKindB))
                continue;
        }
        ids.push_back(kEndSymbolFirstCmd + UINT(i));
    }
    return int(ids.size());
}
