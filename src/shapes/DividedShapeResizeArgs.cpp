#include "shapes/DividedShapeResizeArgs.h"

#include <algorithm>

namespace {

void Add(SpecialResizeEntry* list, int32_t& count, int divider, int slack, int weight)
{
    if (count < 0 || count >= kMaxResizeEntries)
        return;
    SpecialResizeEntry& e = list[count++];
    e.m_nDivider = divider;
    e.m_nSlack = slack;
    e.m_nWeight = weight;
    e.m_nHandlePos = 0;
}

} // namespace

void CompartmentSet::AddRow(int divider, int slack, int weight) { Add(m_rows, m_nRows, divider, slack, weight); }
void CompartmentSet::AddCol(int divider, int slack, int weight) { Add(m_cols, m_nCols, divider, slack, weight); }

void CompartmentSet::CopyFrom(const CompartmentSet& other)
{
    m_nRows = std::clamp(other.m_nRows, 0, kMaxResizeEntries);
    m_nCols = std::clamp(other.m_nCols, 0, kMaxResizeEntries);
    std::copy(other.m_rows, other.m_rows + kMaxResizeEntries, m_rows);
    std::copy(other.m_cols, other.m_cols + kMaxResizeEntries, m_cols);
}

void CompartmentSet::ResetEntries()
{
    m_nRows = m_nCols = 0;
    for (int i = 0; i < kMaxResizeEntries; ++i) {
        m_rows[i].m_nHandlePos = m_cols[i].m_nHandlePos = 0;
        m_rows[i].m_nWeight = m_cols[i].m_nWeight = 1;
    }
}
