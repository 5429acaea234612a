#pragma once
// The values of the Graphic Export Options dialog and how its width, height
// and scale fields follow each other. Sizes are in the export's pixels.
#include "platform/Colorref.h"
#include "platform/WinTypes.h"

class CGraphicExportData {
public:
    int m_nOrigWidth = 0;
    int m_nOrigHeight = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nScale = 100; // percent
    int m_nMinWidth = 0, m_nMaxWidth = 0, m_nMinHeight = 0, m_nMaxHeight = 0;
    int m_nQuality = 100;
    BOOL m_bAntialias = FALSE;
    BOOL m_bTransparent = FALSE;
    COLORREF m_crBackground = 0xFFFFFF;
    BOOL m_bQualityEnabled = FALSE;
    BOOL m_bTransparentAllowed = FALSE;
    BOOL m_bAntialiasAllowed = FALSE;

    static constexpr int kMinScale = 5, kMaxScale = 500, kScaleStep = 5;
    static constexpr int kMinQuality = 10, kMaxQuality = 100, kQualityStep = 5;

    // Width, height and their limits from the natural size and the scale.
    void InitSizes();
    // A field changed: the others follow. A natural size of 0 changes nothing.
    void OnWidthChanged(int width);
    void OnHeightChanged(int height);
    void OnScaleChanged(int scale);

    // Which controls are enabled or shown for the present values.
    bool AntialiasEnabled() const { return m_bAntialiasAllowed && !m_bTransparent; }
    bool QualityEnabled() const { return m_bQualityEnabled; }
    bool TransparentShown() const { return m_bTransparentAllowed; }
    bool BackgroundEnabled() const { return !m_bTransparent; }

private:
    bool InProportion() const;
    int ScaleOfWidth() const;
};
