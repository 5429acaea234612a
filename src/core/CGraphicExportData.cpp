#include "core/CGraphicExportData.h"

void CGraphicExportData::InitSizes()
{
    m_nWidth = m_nOrigWidth * m_nScale / 100;
    m_nHeight = m_nOrigHeight * m_nScale / 100;
    m_nMinWidth = m_nOrigWidth * 10 / 100;
    m_nMaxWidth = m_nOrigWidth * 400 / 100;
    m_nMinHeight = m_nOrigHeight * 10 / 100;
    m_nMaxHeight = m_nOrigHeight * 400 / 100;
}

bool CGraphicExportData::InProportion() const
{
    return m_nOrigWidth * m_nHeight / m_nOrigHeight == m_nWidth ||
           m_nOrigHeight * m_nWidth / m_nOrigWidth == m_nHeight;
}

int CGraphicExportData::ScaleOfWidth() const
{
    return m_nWidth * 100 / m_nOrigWidth;
}

void CGraphicExportData::OnWidthChanged(int width)
{
    m_nWidth = width;
    if (m_nOrigWidth <= 0 || m_nOrigHeight <= 0)
        return;
    if (!InProportion())
        m_nHeight = m_nOrigHeight * m_nWidth / m_nOrigWidth;
    m_nScale = ScaleOfWidth();
}

void CGraphicExportData::OnHeightChanged(int height)
{
    m_nHeight = height;
    if (m_nOrigWidth <= 0 || m_nOrigHeight <= 0)
        return;
    if (!InProportion())
        m_nWidth = m_nOrigWidth * m_nHeight / m_nOrigHeight;
    m_nScale = ScaleOfWidth();
}

void CGraphicExportData::OnScaleChanged(int scale)
{
    m_nScale = scale;
    m_nWidth = m_nScale * m_nOrigWidth / 100;
    m_nHeight = m_nScale * m_nOrigHeight / 100;
}
