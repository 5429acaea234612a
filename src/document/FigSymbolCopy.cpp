#include "document/FigSymbolCopy.h"

#include "document/CKavoDoc.h"
#include "document/UndoStepMemo.h"
#include "shapes/CFigSymbol.h"

#include <algorithm>

int AddEditSymbolCopy(CKavoDoc& doc, const CFigSymbol& shape)
{
    const int copy = doc.m_figSymbols.AddCopyWithNewName(&shape);
    if (copy < 0)
        return copy;
    doc.m_editSymbolCopies.push_back(doc.m_figSymbols.GetAt(copy)->m_strName);
    // The step being recorded owns the copy: undoing it drops the copy.
    doc.UndoLogRef().AppendStepMemo({kMemoSymbolCopy, copy});
    return copy;
}

bool DropEditSymbolCopy(CKavoDoc& doc, int copy)
{
    const CFigSymbol* sym = doc.m_figSymbols.GetAt(copy);
    if (!sym || copy != doc.m_figSymbols.GetCount() - 1)
        return false;
    auto& copies = doc.m_editSymbolCopies;
    const auto made = std::find(copies.begin(), copies.end(), sym->m_strName);
    if (made == copies.end())
        return false;
    copies.erase(made);
    return doc.m_figSymbols.Delete(copy) != 0;
}

bool SameSymbolProgram(const CFigSymbol& a, const CFigSymbol& b)
{
    const auto length = static_cast<size_t>(std::clamp(a.m_nProgramLength, 0, CFigSymbol::kProgramSize));
    return a.m_nProgramLength == b.m_nProgramLength &&
           std::equal(a.m_program.begin(), a.m_program.begin() + static_cast<std::ptrdiff_t>(length),
                      b.m_program.begin());
}
