#include "shapes/SymbolLibrary.h"

#include "core/StringHelpers.h"
#include "shapes/CFigStylesLibrary.h"
#include "shapes/COutlineWriter.h"
#include "shapes/ShapeLibrary.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace {

// Entries below this index are built in: "null" and "lbl".
constexpr int kFirstOwnSymbol = 2;

bool AllDigits(const std::string& s)
{
    if (s.empty())
        return false;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

std::string NextColonSeriesName(const std::string& name)
{
    if (name.empty())
        return "1";
    if (AllDigits(name)) {
        long long n = 0;
        const auto r = std::from_chars(name.data(), name.data() + name.size(), n);
        if (r.ec == std::errc() && n < LLONG_MAX)
            return std::to_string(n + 1);
    } else if (HasColonNumberSuffix(name)) {
        const int n = GetColonSuffixNumber(name);
        if (n < INT_MAX) {
            std::string next = name;
            SetColonSuffixNumber(next, n + 1);
            return next;
        }
    }
    return name + ":1";
}

void SymbolLibrary::SetEntry(int index, const CFigSymbol* symbol)
{
    CFigSymbol* entry = GetAt(index);
    if (entry && symbol)
        entry->CopyFrom(*symbol);
}

int SymbolLibrary::AddOrReplace(const CFigSymbol* symbol)
{
    if (!symbol)
        return -1;
    CFigSymbol copy(*symbol);
    if (copy.Reshape == 0)
        copy.ComputeReshapeKind();
    const int existing = FindByName(copy.m_strName);
    // The built-in entries shape every label and empty figure: a symbol that
    // happens to share their name is added as a numbered copy instead.
    if (existing >= 0 && existing < kFirstOwnSymbol)
        return AddCopyWithNewName(&copy);
    if (existing >= 0) {
        m_entries[static_cast<size_t>(existing)]->CopyFrom(copy);
        return existing;
    }
    CFigSymbol* entry = NewEntry();
    if (!entry)
        return -1;
    entry->CopyFrom(copy);
    return FindByName(copy.m_strName);
}

int SymbolLibrary::AddCopyWithNewName(const CFigSymbol* symbol)
{
    if (!symbol)
        return -1;
    std::string name = NextColonSeriesName(symbol->m_strName);
    while (FindByName(name) >= 0)
        name = NextColonSeriesName(name);
    CFigSymbol* entry = NewEntry();
    if (!entry)
        return -1;
    entry->CopyFrom(*symbol);
    entry->SetName(name);
    return FindByName(name);
}

int SymbolLibrary::Delete(int index)
{
    if (index < kFirstOwnSymbol || index >= GetCount())
        return 0;
    RemoveAt(index);
    return 1;
}

void SymbolLibrary::ClearUseFlags()
{
    for (auto& e : m_entries)
        e->m_nUseFlag = 0;
}

int SymbolLibrary::HighestNumberSuffix() const
{
    int highest = 0;
    for (const auto& e : m_entries) {
        if (HasColonNumberSuffix(e->m_strName)) {
            const int n = GetColonSuffixNumber(e->m_strName);
            highest = n > highest ? n : highest;
        }
    }
    return highest;
}

void SymbolLibrary::MergeNumberedDuplicates(ISymbolUsers& doc)
{
    for (int q = kFirstOwnSymbol; q < GetCount(); ++q) {
        const CFigSymbol& sq = *m_entries[static_cast<size_t>(q)];
        if (!HasColonNumberSuffix(sq.m_strName))
            continue;
        const std::string base = StripColonSuffix(sq.m_strName);
        const int n = GetColonSuffixNumber(sq.m_strName);
        const int b = FindByName(sq.m_strName);
        // An odd name (":5", "Box:0") is passed over; the rest are still merged.
        if (b < 0 || n == 0 || base.empty())
            continue;
        for (int p = kFirstOwnSymbol; p < GetCount(); ++p) {
            const CFigSymbol& sp = *m_entries[static_cast<size_t>(p)];
            if (p == q || !HasColonNumberSuffix(sp.m_strName))
                continue;
            if (StripColonSuffix(sp.m_strName) != base || GetColonSuffixNumber(sp.m_strName) <= n ||
                !sp.IsSameShape(sq))
                continue;
            const int d = FindByName(sp.m_strName);
            if (d >= 0)
                RemapSymbolIndex(doc, d, b);
        }
    }
}

void SymbolLibrary::PurgeUnused(ISymbolUsers& doc, int first)
{
    CFigStylesLibrary* styles = doc.GetFigStyles();
    int i = std::max(first, int(kFirstOwnSymbol));
    while (i < GetCount()) {
        const bool keep = m_entries[static_cast<size_t>(i)]->InternalIcon || !styles ||
                          styles->IsSymbolUsed(i) || doc.IsSymbolUsedByFigures(i);
        if (keep || !Delete(i)) {
            ++i;
            continue;
        }
        // Nothing holds i itself, so every index above it moves down by one;
        // the same i is examined again.
        doc.ShiftFigureSymbolIndexes(i);
        styles->ShiftSymbolIndexes(i);
    }
}

void RemapSymbolIndex(ISymbolUsers& doc, int from, int to)
{
    doc.RemapFigureSymbolIndex(from, to);
    if (CFigStylesLibrary* styles = doc.GetFigStyles())
        styles->RemapSymbolIndex(from, to);
}

void PurgeUnusedLibraryEntries(ISymbolUsers& doc, SymbolLibrary& symbols, ShapeLibrary& shapes)
{
    symbols.MergeNumberedDuplicates(doc);
    symbols.PurgeUnused(doc);
    shapes.PurgeUnused(doc);
}

void PurgeUnusedEntriesFrom(ISymbolUsers& doc, SymbolLibrary& symbols, ShapeLibrary& shapes, int firstSymbol,
                            int firstShape)
{
    symbols.PurgeUnused(doc, firstSymbol);
    shapes.PurgeUnused(doc, firstShape);
}

void BuildBuiltInFigSymbols(SymbolLibrary& library)
{
    if (CFigSymbol* null = library.NewEntry()) {
        null->Clear();
        null->SetName("null");
    }
    CFigSymbol* lbl = library.NewEntry();
    if (!lbl)
        return;
    lbl->Clear();
    lbl->SetName("lbl");
    COutlineWriter w(lbl->m_program.data(), CFigSymbol::kProgramSize);
    lbl->m_nOutlinePos = 0;
    w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
    w.End(kOpEndOutline);
    lbl->m_nProgramLength = w.Pos();
}
