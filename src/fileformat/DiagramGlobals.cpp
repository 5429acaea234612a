// The Globals section: the diagram-wide settings written as bare key lines
// right after the header, and read back at the top level of the file.
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"
#include "fileformat/DocFileHooks.h"

#include <cstring>
#include <vector>

namespace {
constexpr size_t kMaxPath = 260;
constexpr size_t kMaxDefaultStyleName = 30;
constexpr COLORREF kDefaultTranspColor = 0xFF00FF;

// The style-bar layout keys, in the order of the document's array.
constexpr EKeyword g_styleBarKeys[6] = {KW_SBarFigCols,   KW_SBarLblCols,   KW_SBarConCols,
                                        KW_SBarFigHeight, KW_SBarLblHeight, KW_SBarConHeight};
constexpr EKeyword g_colorKeys[16] = {KW_Color1,  KW_Color2,  KW_Color3,  KW_Color4,  KW_Color5,  KW_Color6,
                                      KW_Color7,  KW_Color8,  KW_Color9,  KW_Color10, KW_Color11, KW_Color12,
                                      KW_Color13, KW_Color14, KW_Color15, KW_Color16};

// The Windows printer settings block: its declared size and the size of the
// driver's data after it (16-bit words after the 32-character device name).
constexpr size_t kDevModeSizeOffset = 36;
constexpr size_t kDevModeExtraOffset = 38;

uint16_t ReadWord(const BYTE* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

// The printer blocks: the settings block is written with its declared size
// plus the driver's data; a block shorter than it declares is not written,
// and neither is the names block after it.
BOOL WriteDeviceBlocks(CKeywordWriter& w, const CKavoDoc& d)
{
    if (!d.m_hDevMode)
        return TRUE;
    std::vector<BYTE> bytes;
    {
        CGlobalLock lock(d.m_hDevMode);
        if (!lock.data() || lock.size() < kDevModeExtraOffset + 2)
            return TRUE;
        bytes.assign(lock.data(), lock.data() + lock.size());
    }
    const size_t declared = ReadWord(bytes.data() + kDevModeSizeOffset);
    size_t extra = ReadWord(bytes.data() + kDevModeExtraOffset);
    // A declared size that does not even cover the fields read here is no
    // printer settings block.
    if (bytes.size() < declared || declared < kDevModeExtraOffset + 2)
        return TRUE;
    if (bytes.size() < declared + extra) {
        extra = 0;
        bytes[kDevModeExtraOffset] = bytes[kDevModeExtraOffset + 1] = 0;
    }
    if (!w.WriteRawData(KW_DevMode, bytes.data(), declared + extra))
        return FALSE;
    if (!d.m_hDevNames)
        return TRUE;
    CGlobalLock names(d.m_hDevNames);
    return w.WriteRawData(KW_DevNames, names.data(), names.data() ? names.size() : 0);
}

bool NamesFigStyle(const CKavoDoc& doc, const std::string& name)
{
    return !name.empty() && doc.m_figStyles.FindByName(name) >= 0;
}
} // namespace

bool IsPageGlobalKey(EKeyword key)
{
    switch (key) {
    case KW_Orientation:
    case KW_Paper:
    case KW_PaperWidth:
    case KW_PaperLength:
    case KW_PosterRows:
    case KW_PosterCols: return true;
    default: return false;
    }
}

int CDiagramLoadObj::ReadGlobalKey(const char* p)
{
    const char* lineStart = p;
    const EKeyword key = LeadingKeyword(p);
    if (key == KW_Count || !MatchKeyword(p, key))
        return -1;
    CKavoDoc& d = *m_pDoc;
    if (m_bStylesOnly && IsPageGlobalKey(key))
        return KWR_DONE;
    int v = 0;
    auto readInt = [&](int32_t& field, int min, int max) { return ReadInt(p, field, min, max); };
    auto readBool = [&](int32_t& field) { return ReadFlag(p, field); };
    auto readColor = [&](COLORREF& field) { return ReadColour(p, field); };
    auto readString = [&](std::string& field, size_t max) { return ReadText(p, field, max); };
    for (int i = 0; i < 16; ++i)
        if (key == g_colorKeys[i])
            return readColor(d.m_colors[i]);
    for (int i = 0; i < 6; ++i)
        if (key == g_styleBarKeys[i])
            return readInt(d.m_styleBarDefaults[i], i < 3 ? 1 : 12, i < 3 ? 10 : 100);
    switch (key) {
    case KW_X:
    case KW_Y: {
        int32_t value = 0;
        const int r = readInt(value, -16000, 16000);
        if (r == KWR_DONE)
            (key == KW_X ? d.m_ptViewOrigin.x : d.m_ptViewOrigin.y) = value;
        return r;
    }
    case KW_Scale: {
        float f;
        if (!ParseFloatInRange(p, f, 10, 1000))
            return KWR_FAILED;
        d.m_fViewScale = f;
        return KWR_DONE;
    }
    case KW_Orientation: return readInt(d.m_nOrientation, 1, 2);
    case KW_Paper: return readInt(d.m_nPaper, -32768, 32767);
    case KW_PaperWidth: return readInt(d.m_nPaperWidth, -32768, 32767);
    case KW_PaperLength: return readInt(d.m_nPaperLength, -32768, 32767);
    case KW_PageMarginLeft:
    case KW_PageMarginTop:
    case KW_PageMarginRight:
    case KW_PageMarginBottom: {
        double m;
        if (!ParseRealInRange(p, m, 0, 2560))
            return KWR_FAILED;
        (key == KW_PageMarginLeft ? d.m_fMarginLeft
         : key == KW_PageMarginTop ? d.m_fMarginTop
         : key == KW_PageMarginRight ? d.m_fMarginRight
                                      : d.m_fMarginBottom) = m;
        return KWR_DONE;
    }
    case KW_PosterRows: return readInt(d.m_nPosterRows, 1, 6);
    case KW_PosterCols: return readInt(d.m_nPosterCols, 1, 6);
    case KW_GridX: return readInt(d.m_nGridX, 8, 2560);
    case KW_GridY: return readInt(d.m_nGridY, 8, 2560);
    case KW_SnapX: return readInt(d.m_nSnapX, 8, 2560);
    case KW_SnapY: return readInt(d.m_nSnapY, 8, 2560);
    case KW_SnapConPtsCentersEdges: return readBool(d.m_bSnapConPtsCenters);
    case KW_ShadowColor: return readColor(d.m_shadowSpec.m_crColor);
    case KW_ShadowOpacity: return readInt(d.m_shadowSpec.m_nOpacity, -32768, 32767);
    case KW_ShadowEffectType: return readInt(d.m_shadowSpec.m_nType, -32768, 32767);
    case KW_ShadowX: return readInt(d.m_shadowSpec.m_nOffsetX, -32768, 32767);
    case KW_ShadowY: return readInt(d.m_shadowSpec.m_nOffsetY, -32768, 32767);
    case KW_ShadowBlurRadius: return readInt(d.m_shadowSpec.m_nBlur, -32768, 32767);
    case KW_ShowGrid: return readBool(d.m_bShowGrid);
    case KW_AlignToGrid: return readBool(d.m_bAlignToGrid);
    case KW_AlignToGridConPts: return readBool(d.m_bAlignToGridConPts);
    case KW_AttachMode: {
        const int r = readInt(d.m_nAttachMode, -32768, 32767);
        if (r == KWR_DONE) {
            if (d.m_nAttachMode == 2)
                d.m_nAttachMode = 1;
            AttachMode = d.m_nAttachMode;
        }
        return r;
    }
    case KW_SBarWidth: return readInt(d.m_nSBarWidth, 90, 300);
    case KW_SBarWidthOrg: return readInt(d.m_nSBarWidthOrg, 90, 300);
    case KW_Parent: return readString(d.m_strParent, kMaxPath);
    case KW_LargeDropMenus: return readBool(d.m_bLargeDropMenus);
    case KW_FullColorIcons: return readBool(d.m_bFullColorIcons);
    case KW_TranspBMPs: return readBool(d.m_bTranspBMPs);
    case KW_TranspColor: return readColor(d.m_crTranspColor);
    case KW_LastEnd: return readString(d.m_strLastEnd, kMaxPath);
    case KW_LastEndLen: return readInt(d.m_nLastEndLen, 0, 256);
    case KW_EnableConPts: return readBool(d.m_bEnableConPts);
    case KW_AutoLabelStyle: return readString(d.m_strAutoLabelStyle, kMaxDefaultStyleName);
    case KW_ConLabelStyle: return readString(d.m_strConLabelStyle, kMaxDefaultStyleName);
    case KW_FlowLabelStyle: return readString(d.m_strFlowLabelStyle, kMaxDefaultStyleName);
    case KW_ConPointMarks: return readInt(d.m_nConPointMarks, 0, 1);
    case KW_CornerRadius: return readInt(d.m_nCornerRadius, -32768, 32767);
    case KW_FigMarginMode: return readInt(d.m_nFigMarginMode, -32768, 32767);
    case KW_FigMarginTop: return readInt(d.m_nFigMarginTop, -32768, 32767);
    case KW_FigMarginBottom: return readInt(d.m_nFigMarginBottom, -32768, 32767);
    case KW_FigMarginLeft: return readInt(d.m_nFigMarginLeft, -32768, 32767);
    case KW_FigMarginRight: return readInt(d.m_nFigMarginRight, -32768, 32767);
    case KW_Template: return readString(d.m_strTemplate, kMaxPath);
    case KW_TextColor: return readColor(d.m_crDefaultText);
    case KW_ConnectorJogs: return readBool(d.m_bConnectorJogs);
    case KW_ConnectorJogRadius: return readInt(d.m_nConnectorJogRadius, 2, 128);
    case KW_JunctionDots: return readBool(d.m_bJunctionDots);
    case KW_FigLblPrimarySector: return readInt(d.m_nFigLblPrimarySector, 1, 12);
    case KW_SelfReferenceRadius: return readInt(d.m_nSelfReferenceRadius, 1, 500);
    case KW_OversizeTextRect: return readBool(d.m_bOversizeTextRect);
    case KW_LineSpacingMode: return readInt(d.m_nLineSpacingMode, -32768, 32767);
    case KW_LineSpacingValue: {
        float f;
        if (!ParseFloatInRange(p, f, -1000, 1000))
            return KWR_FAILED;
        d.m_fLineSpacingValue = f;
        return KWR_DONE;
    }
    case KW_IconWidth:
    case KW_IconHeight: {
        int32_t value = 0;
        const int r = readInt(value, 0, 32767);
        if (r == KWR_DONE)
            (key == KW_IconWidth ? d.m_sizeIcon.cx : d.m_sizeIcon.cy) = value;
        return r;
    }
    case KW_LabelToFigSpacing: return readInt(d.m_nLabelToFigSpacing, 0, 32767);
    case KW_LabelToConSpacing: return readInt(d.m_nLabelToConSpacing, 0, 32767);
    case KW_SmartConnect: return ParseBool(p, v) ? KWR_DONE : KWR_FAILED;
    default: break;
    }
    // The font keys of the document's default text font.
    return ReadFontKey(lineStart, d.m_defaultFont.m_lf);
}

// ---- writing

namespace {
// The view position and zoom a file keeps: those of the active view when it
// shows the document, where a view showing the page width from the top-left
// corner is stored as 0, 0, 100 (the page-width view a file opens with).
// A background document saved by Save All or autosave keeps its own.
void SavedViewPlacement(const CKavoDoc& d, CPoint& anchor, float& zoom)
{
    anchor = d.m_ptViewOrigin;
    zoom = d.m_fViewScale;
    float pageWidthZoom = 0;
    const auto placement = GetDocFileHooks().activeViewPlacement;
    if (!placement || !placement(d, anchor, zoom, pageWidthZoom))
        return;
    if (anchor == CPoint(0, 0) && (pageWidthZoom == 0 || zoom == pageWidthZoom))
        zoom = 100.0f;
}
} // namespace

BOOL WriteGlobals(CKeywordWriter& w, const CKavoDoc& d)
{
    CPoint anchor;
    float zoom = 100.0f;
    SavedViewPlacement(d, anchor, zoom);
    BOOL ok = w.WriteText(KW_TEXT_SECTION_GLOBALS) && w.WriteShort(KW_X, anchor.x) &&
              w.WriteShort(KW_Y, anchor.y) && w.WriteReal(KW_Scale, zoom) &&
              w.WriteShort(KW_Orientation, d.m_nOrientation) && w.WriteShort(KW_Paper, d.m_nPaper) &&
              w.WriteShort(KW_PaperWidth, d.m_nPaperWidth) && w.WriteShort(KW_PaperLength, d.m_nPaperLength) &&
              w.WriteReal(KW_PageMarginLeft, d.m_fMarginLeft) && w.WriteReal(KW_PageMarginTop, d.m_fMarginTop) &&
              w.WriteReal(KW_PageMarginRight, d.m_fMarginRight) &&
              w.WriteReal(KW_PageMarginBottom, d.m_fMarginBottom) && w.WriteShort(KW_PosterRows, d.m_nPosterRows) &&
              w.WriteShort(KW_PosterCols, d.m_nPosterCols);
    for (int i = 0; ok && i < 16; ++i)
        ok = w.WriteColour(g_colorKeys[i], d.m_colors[i]);
    ok = ok && w.WriteShort(KW_GridX, d.m_nGridX) && w.WriteShort(KW_GridY, d.m_nGridY) &&
         w.WriteShort(KW_SnapX, d.m_nSnapX) && w.WriteShort(KW_SnapY, d.m_nSnapY) &&
         w.WriteBool(KW_SnapConPtsCentersEdges, d.m_bSnapConPtsCenters != 0) &&
         w.WriteColour(KW_ShadowColor, d.m_shadowSpec.m_crColor) &&
         w.WriteShort(KW_ShadowOpacity, d.m_shadowSpec.m_nOpacity) &&
         w.WriteShort(KW_ShadowEffectType, d.m_shadowSpec.m_nType) &&
         w.WriteShort(KW_ShadowX, d.m_shadowSpec.m_nOffsetX) && w.WriteShort(KW_ShadowY, d.m_shadowSpec.m_nOffsetY) &&
         w.WriteShort(KW_ShadowBlurRadius, d.m_shadowSpec.m_nBlur) && w.WriteBool(KW_ShowGrid, d.m_bShowGrid != 0) &&
         w.WriteBool(KW_AlignToGrid, d.m_bAlignToGrid != 0) &&
         w.WriteBool(KW_AlignToGridConPts, d.m_bAlignToGridConPts != 0) &&
         w.WriteShort(KW_AttachMode, d.m_nAttachMode) && w.WriteShort(KW_SBarWidth, d.m_nSBarWidth);
    if (ok && d.m_nSBarWidthOrg != -1 && d.m_nSBarWidthOrg != d.m_nSBarWidth)
        ok = w.WriteShort(KW_SBarWidthOrg, d.m_nSBarWidthOrg);
    for (int i = 0; ok && i < 6; ++i)
        ok = w.WriteShort(g_styleBarKeys[i], d.m_styleBarDefaults[i]);
    ok = ok && w.WriteString(KW_Parent, d.m_strParent) && w.WriteBool(KW_LargeDropMenus, d.m_bLargeDropMenus != 0) &&
         w.WriteBool(KW_FullColorIcons, d.m_bFullColorIcons != 0);
    if (ok && (!d.m_bTranspBMPs || d.m_crTranspColor != kDefaultTranspColor))
        ok = w.WriteBool(KW_TranspBMPs, d.m_bTranspBMPs != 0) && w.WriteColour(KW_TranspColor, d.m_crTranspColor);
    ok = ok && w.WriteString(KW_LastEnd, d.m_strLastEnd) && w.WriteShort(KW_LastEndLen, d.m_nLastEndLen) &&
         w.WriteBool(KW_EnableConPts, d.m_bEnableConPts != 0);
    const std::pair<EKeyword, const std::string*> labels[] = {{KW_AutoLabelStyle, &d.m_strAutoLabelStyle},
                                                              {KW_ConLabelStyle, &d.m_strConLabelStyle},
                                                              {KW_FlowLabelStyle, &d.m_strFlowLabelStyle}};
    for (const auto& [key, name] : labels)
        if (ok && NamesFigStyle(d, *name))
            ok = w.WriteString(key, *name);
    ok = ok && w.WriteShort(KW_ConPointMarks, d.m_nConPointMarks) && w.WriteShort(KW_CornerRadius, d.m_nCornerRadius) &&
         w.WriteShort(KW_FigMarginMode, d.m_nFigMarginMode) && w.WriteShort(KW_FigMarginTop, d.m_nFigMarginTop) &&
         w.WriteShort(KW_FigMarginBottom, d.m_nFigMarginBottom) && w.WriteShort(KW_FigMarginLeft, d.m_nFigMarginLeft) &&
         w.WriteShort(KW_FigMarginRight, d.m_nFigMarginRight);
    if (ok && !d.m_strTemplate.empty())
        ok = w.WriteString(KW_Template, d.m_strTemplate);
    ok = ok && WriteFontKeys(w, d.m_defaultFont.m_lf);
    if (ok && d.m_crDefaultText != 0)
        ok = w.WriteColour(KW_TextColor, d.m_crDefaultText);
    ok = ok && w.WriteBool(KW_ConnectorJogs, d.m_bConnectorJogs != 0) &&
         w.WriteShort(KW_ConnectorJogRadius, d.m_nConnectorJogRadius) &&
         w.WriteBool(KW_JunctionDots, d.m_bJunctionDots != 0) &&
         w.WriteShort(KW_FigLblPrimarySector, d.m_nFigLblPrimarySector) &&
         w.WriteShort(KW_SelfReferenceRadius, d.m_nSelfReferenceRadius) &&
         w.WriteBool(KW_OversizeTextRect, d.m_bOversizeTextRect != 0) &&
         w.WriteShort(KW_LineSpacingMode, d.m_nLineSpacingMode) &&
         w.WriteReal(KW_LineSpacingValue, d.m_fLineSpacingValue) && w.WriteShort(KW_IconWidth, d.m_sizeIcon.cx) &&
         w.WriteShort(KW_IconHeight, d.m_sizeIcon.cy);
    if (ok && d.m_nLabelToFigSpacing >= 0)
        ok = w.WriteShort(KW_LabelToFigSpacing, d.m_nLabelToFigSpacing);
    if (ok && d.m_nLabelToConSpacing >= 0)
        ok = w.WriteShort(KW_LabelToConSpacing, d.m_nLabelToConSpacing);
    return ok && WriteDeviceBlocks(w, d);
}
