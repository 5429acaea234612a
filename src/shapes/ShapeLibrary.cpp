#include "shapes/ShapeLibrary.h"

#include "shapes/CConStylesLibrary.h"

#include <algorithm>

int g_nBuiltinLineEnds = 0;

ShapeLibrary& StampShapes()
{
    static ShapeLibrary library;
    return library;
}

void ResetShapeLibraryState()
{
    g_nBuiltinLineEnds = 0;
    StampShapes().RemoveAll();
}

void ShapeLibrary::SetEntry(int index, const CShapeDef* shape)
{
    CShapeDef* entry = GetAt(index);
    if (entry && shape)
        entry->CopyFrom(*shape);
}

int ShapeLibrary::AddOrReplace(const CShapeDef* shape)
{
    if (!shape)
        return -1;
    const int existing = FindByName(shape->m_strName);
    if (existing >= 0) {
        m_entries[static_cast<size_t>(existing)]->CopyFrom(*shape);
        return existing;
    }
    CShapeDef* entry = NewEntry();
    if (!entry)
        return -1;
    entry->CopyFrom(*shape);
    return FindByName(shape->m_strName);
}

int ShapeLibrary::Delete(int index)
{
    if (index < g_nBuiltinLineEnds || index < 0 || index >= GetCount())
        return 0;
    RemoveAt(index);
    return 1;
}

void ShapeLibrary::ClearUseFlags()
{
    for (auto& e : m_entries)
        e->m_nUseFlag = 0;
}

void ShapeLibrary::PurgeUnused(ISymbolUsers& doc, int first)
{
    CConStylesLibrary* styles = doc.GetConStyles();
    int i = std::max({g_nBuiltinLineEnds, first, 0});
    while (i < GetCount()) {
        const bool keep = !styles || styles->IsEndShapeUsed(i) || doc.IsEndShapeUsedByConnectors(i);
        if (keep || !Delete(i)) {
            ++i;
            continue;
        }
        doc.ShiftConnectorEndShapeIndexes(i);
        styles->ShiftEndShapeIndexes(i);
    }
}
