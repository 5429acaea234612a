#include "fileformat/CStyleImportLoadObj.h"

#include "document/CKavoDoc.h"
#include "core/StringHelpers.h"
#include "core/Trace.h"
#include "document/OldNames.h"
#include "fileformat/DocFileHooks.h"
#include "platform/Prompt.h"

namespace {
bool IsBlockKeyword(EKeyword key)
{
    switch (key) {
    case KW_Graphic:
    case KW_FigureSymbol:
    case KW_EndSymbol:
    case KW_FigureStyle:
    case KW_ConnectorStyle:
    case KW_Figure:
    case KW_Connector:
    case KW_Font:
    case KW_Staple:
    case KW_Group:
    case KW_DevMode:
    case KW_DevNames:
    case KW_Preview: return true;
    default: return false;
    }
}

constexpr COLORREF kWhite = 0xFFFFFF;
// The kinds named by the overwrite question.
constexpr UINT kIdsFigureSymbol = 559;
constexpr UINT kIdsEndSymbol = 560;
constexpr UINT kIdsFigureStyle = 561;
constexpr UINT kIdsConnectorStyle = 562;
} // namespace

// ---- Copy Styles From

CStyleCopyLoadObj::CStyleCopyLoadObj(CKavoDoc* doc) : CDiagramLoadObj(doc)
{
    // The styles come before the objects: the load ends at the first object,
    // and the file's printer settings are not taken.
    SetStylesOnly(true);
}

int CStyleCopyLoadObj::HandleTopLevelLine(const char* p)
{
    // The other diagram's Globals keys and layouts stay its own.
    if (m_nLineNo > 2 && !IsBlockKeyword(LeadingKeyword(p)))
        return KWR_DONE;
    return CDiagramLoadObj::HandleTopLevelLine(p);
}

int CStyleCopyLoadObj::BeginNamedRecord(int blockType, const std::string& name)
{
    return BeginNamedRecordAnyName(blockType, name);
}

bool CStyleCopyLoadObj::Replace(UINT kindId, const std::string& name)
{
    return m_question.ShouldOverwrite(ResText(kindId).c_str(), name);
}

int CStyleCopyLoadObj::EndFigureSymbol()
{
    const CFigSymbol& s = BuiltFigSymbol();
    const int at = m_pDoc->m_figSymbols.FindByName(s.m_strName);
    if (at < 0)
        return CDiagramLoadObj::EndFigureSymbol();
    if (Replace(kIdsFigureSymbol, s.m_strName))
        m_pDoc->m_figSymbols.SetEntry(at, &s);
    return KWR_DONE;
}

int CStyleCopyLoadObj::EndEndSymbol()
{
    const CShapeDef& s = BuiltEndSymbol();
    const int at = m_pDoc->m_endSymbols.FindByName(s.m_strName);
    if (at < 0)
        return CDiagramLoadObj::EndEndSymbol();
    if (at >= g_nBuiltinLineEnds && Replace(kIdsEndSymbol, s.m_strName))
        m_pDoc->m_endSymbols.SetEntry(at, &s);
    return KWR_DONE;
}

int CStyleCopyLoadObj::EndFigureStyle()
{
    const int at = m_pDoc->m_figStyles.FindByName(m_figStyle.m_strName);
    if (at < 0)
        return CDiagramLoadObj::EndFigureStyle();
    // The replaced style's picture goes with the rebuild of the graphics
    // list after the load; the record's own picture belongs to the library
    // entry now. A record the user declined keeps its picture, which the
    // next record or the loader frees.
    if (Replace(kIdsFigureStyle, m_figStyle.m_strName)) {
        m_pDoc->m_figStyles.SetEntry(at, &m_figStyle);
        ReleaseRecordPicture();
    }
    return KWR_DONE;
}

int CStyleCopyLoadObj::EndConnectorStyle()
{
    const int at = m_pDoc->m_conStyles.FindByName(m_conStyle.m_strName);
    if (at < 0)
        return CDiagramLoadObj::EndConnectorStyle();
    if (Replace(kIdsConnectorStyle, m_conStyle.m_strName))
        m_pDoc->m_conStyles.SetEntry(at, &m_conStyle);
    return KWR_DONE;
}

// ---- template variants

CVariantLoadObj::CVariantLoadObj(CKavoDoc* doc) : CDiagramLoadObj(doc) {}

int CVariantLoadObj::HandleTopLevelLine(const char* p)
{
    return CDiagramLoadObj::HandleTopLevelLine(p);
}

int CVariantLoadObj::BeginIdRecord(int blockType, long long id)
{
    // Objects, staples and groups of a variant file are passed over.
    if (blockType == BT_FIGURE || blockType == BT_CONNECTOR || blockType == BT_STAPLE || blockType == BT_GROUP)
        return KWR_SKIP_QUIET;
    return CDiagramLoadObj::BeginIdRecord(blockType, id);
}

int CVariantLoadObj::BeginPlainRecord(int blockType)
{
    if (blockType == BT_FONT)
        return KWR_SKIP_QUIET;
    return CDiagramLoadObj::BeginPlainRecord(blockType);
}

int CVariantLoadObj::BeginNamedRecord(int blockType, const std::string& name)
{
    // Only styles the diagram has are read, each starting as a copy of the
    // diagram's style so that the variant changes only the keys it gives.
    if (blockType == BT_FIGURE_STYLE) {
        const CFigStyle* s = m_pDoc->m_figStyles.GetAt(m_pDoc->m_figStyles.FindByName(name));
        if (!s)
            return KWR_SKIP_QUIET;
        m_figStyle = *s;
        return KWR_DONE;
    }
    if (blockType == BT_CONNECTOR_STYLE) {
        const CConStyle* s = m_pDoc->m_conStyles.GetAt(m_pDoc->m_conStyles.FindByName(name));
        if (!s)
            return KWR_SKIP_QUIET;
        m_conStyle = *s;
        return KWR_DONE;
    }
    // A variant carries the symbols of its template, which the diagram made
    // from that template already holds: a known name is no error.
    if (blockType == BT_FIGURE_SYMBOL || blockType == BT_END_SYMBOL)
        return BeginNamedRecordAnyName(blockType, name);
    return CDiagramLoadObj::BeginNamedRecord(blockType, name);
}

int CVariantLoadObj::EndFigureSymbol()
{
    // The diagram's own symbol of that name stays: its figures and styles are
    // fitted to it. Only a symbol the diagram lacks is added.
    std::string name = BuiltFigSymbol().m_strName;
    RenameOldSwimLaneSymbol(m_dVersion, name);
    if (m_pDoc->m_figSymbols.FindByName(name) >= 0)
        return KWR_DONE;
    return CDiagramLoadObj::EndFigureSymbol();
}

int CVariantLoadObj::EndEndSymbol()
{
    if (m_pDoc->m_endSymbols.FindByName(BuiltEndSymbol().m_strName) >= 0)
        return KWR_DONE;
    return CDiagramLoadObj::EndEndSymbol();
}

int CVariantLoadObj::EndConnectorStyle()
{
    const int at = m_pDoc->m_conStyles.FindByName(m_conStyle.m_strName);
    if (at >= 0)
        m_pDoc->m_conStyles.SetEntry(at, &m_conStyle);
    return KWR_DONE;
}

int CVariantLoadObj::EndFigureStyle()
{
    const int at = m_pDoc->m_figStyles.FindByName(m_figStyle.m_strName);
    CFigStyle* style = m_pDoc->m_figStyles.GetAt(at);
    if (!style)
        return KWR_DONE;
    // A flat fill over a gradient keeps the gradient kind with the colour.
    const int kind = style->m_props.m_fill.m_nKind;
    if (kind != 0 && kind != 1 && m_figStyle.m_props.m_fill.m_nKind == 1)
        m_figStyle.m_props.m_fill.m_nKind = kind;
    m_pDoc->m_figStyles.SetEntry(at, &m_figStyle);
    ReleaseRecordPicture();
    CFigProps& p = style->m_props;
    if (!style->Label && p.m_fill.m_nKind != 0 && p.m_fill.m_nKind != 1 && p.m_fill.m_crColor1 == kWhite &&
        p.TextColor == kWhite)
        p.TextColor = p.BorderColor;
    return KWR_DONE;
}

bool CopyStylesFrom(CKavoDoc& doc, const std::string& path)
{
    doc.ResetLoadSaveModes();
    doc.m_bImportStyles = 1;
    const bool ok = doc.OpenDocumentUnlocked(path, false);
    doc.ResetLoadSaveModes();
    return ok;
}

bool RunCopyStylesFrom(CKavoDoc& doc, const std::string& path)
{
    if (GetDocFileHooks().closeTextEditor)
        GetDocFileHooks().closeTextEditor();
    DiagPrintf("USER  Copy styles from %s\n", path.c_str());
    if (!CopyStylesFrom(doc, path))
        return false;
    doc.UpdateStyleMenusAndButtons(nullptr);
    if (GetDocFileHooks().rebuildStyleBar)
        GetDocFileHooks().rebuildStyleBar();
    return true;
}

bool ApplyVariantFile(CKavoDoc& doc, const std::string& path)
{
    doc.ResetLoadSaveModes();
    doc.m_bApplyVariant = 1;
    const bool ok = doc.OpenDocumentUnlocked(path, false);
    doc.ResetLoadSaveModes();
    return ok;
}
