#include "controls/CPaletteMenu.h"

#include "core/AppGlobals.h"
#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "render/PreviewSample.h"
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

CPaletteMenu::CPaletteMenu(const ShapeLibrary* endSymbols, QWidget* parent)
    : CPaletteMenuBase(parent), m_pSymbols(endSymbols)
{
}

bool CPaletteMenu::BuildMenu(std::vector<UINT> ids, int cellHeight, int cellWidth, int borderY, int borderX,
                             int side, int columns, int separatorRow, WORD moreId)
{
    if (ids.size() > size_t(kMaxPaletteMenuIds))
        ids.resize(size_t(kMaxPaletteMenuIds));
    m_ids = ids;
    return Build(ids, cellHeight, cellWidth, borderY, borderX, side, columns, separatorRow, moreId);
}

bool CPaletteMenu::CreateGrid(const std::vector<UINT>& ids)
{
    return BuildMenu(ids, 14, 20, 4, 4, 2, 0, 0, kNoMoreEntry);
}

int CPaletteMenu::IndexOf(UINT id) const
{
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id)
            return int(i);
    return -1;
}

UINT CPaletteMenu::IdAt(int index) const
{
    return index >= 0 && size_t(index) < m_ids.size() ? m_ids[size_t(index)] : 0xFFFF;
}

void CPaletteMenu::DrawCell(CDC* dc, const CRect& rect, UINT id, bool, bool)
{
    if (!m_pSymbols || id < kEndSymbolFirstCmd)
        return;
    const CShapeDef* shape = m_pSymbols->GetAt(int(id - kEndSymbolFirstCmd));
    if (!shape)
        return;
    CRect line = rect;
    line.InflateRect(1, 1);
    DrawEndSymbolOnLine(nullptr, dc, line, true, shape, true, true);
}

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
