#include "fileformat/CDiagramLoadObj.h"

#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/OldNames.h"
#include "keyword/BlockPacking.h"
#include "keyword/KeywordStreams.h"

#include <algorithm>

namespace {
// Largest packed picture block read.
constexpr int kMaxLegacyGraphicData = 4000000;
} // namespace

CDiagramLoadObj::CDiagramLoadObj(CKavoDoc* doc) : m_pDoc(doc)
{
    m_font = LOGFONT();
}

CDiagramLoadObj::~CDiagramLoadObj()
{
    if (m_hGraphic)
        GlobalFree(m_hGraphic);
    if (m_figStyle.m_props.Graphic && !m_pDoc->m_graphics.FindByHandle(1, m_figStyle.m_props.Graphic))
        GlobalFree(m_figStyle.m_props.Graphic);
}

const char* CDiagramLoadObj::ErrorText(int code) const
{
    if (const char* text = CLoadObj::ErrorText(code))
        return text;
    if (code == KWE_SYMBOL_CODE_FULL)
        return KeywordErrorText(KWE_SYNTAX);
    return DiagramLoadErrorText(code);
}

int CDiagramLoadObj::HandleTopLevelLine(const char* p)
{
    if (m_nLineNo <= 2) {
        const int result = HandleHeaderLine(p);
        // Files older than 4.1 and 4.12 had these drawing options off.
        if (m_nLineNo == 2 && result != KWR_STOP && !m_bStylesOnly) {
            if (m_dVersion < 4.1)
                m_pDoc->m_bConnectorJogs = m_pDoc->m_bJunctionDots = 0;
            if (m_dVersion < 4.12)
                m_pDoc->m_bOversizeTextRect = 0;
        }
        return result;
    }
    const int global = ReadGlobalKey(p);
    if (global >= 0)
        return global;
    bool matched = false;
    const int result = OpenTopLevelBlock(p, &matched);
    if (matched)
        return result;
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

int CDiagramLoadObj::BeginIdRecord(int blockType, long long id)
{
    switch (blockType) {
    case BT_FIGURE:
        m_pFig = std::make_unique<CFigure>(m_pDoc);
        m_pFig->m_nId = int32_t(id);
        break;
    case BT_CONNECTOR:
        m_pCon = std::make_unique<CConnector>(m_pDoc);
        m_pCon->m_nId = int32_t(id);
        break;
    case BT_STAPLE:
        m_pStaple = std::make_unique<CStaple>(m_pDoc);
        m_pStaple->m_nId = int32_t(id);
        break;
    case BT_GROUP:
        m_pGroup = std::make_unique<CGroup>();
        m_pGroup->m_nId = int32_t(id);
        break;
    case BT_GRAPHIC:
        if (m_hGraphic)
            GlobalFree(m_hGraphic);
        m_hGraphic = nullptr;
        m_nGraphicType = 0;
        m_nGraphicId = uint32_t(id);
        break;
    default: break;
    }
    return KWR_DONE;
}

int CDiagramLoadObj::BeginNamedRecordAnyName(int blockType, const std::string& name)
{
    switch (blockType) {
    case BT_FIGURE_STYLE:
        // A record dropped at its end may have left its own picture behind.
        CDiagramLoadObj::DiscardRecord(BT_FIGURE_STYLE);
        m_figStyle.SetName(name);
        return KWR_DONE;
    case BT_CONNECTOR_STYLE:
        m_conStyle.Reset();
        m_conStyle.SetName(name);
        return KWR_DONE;
    default: return CSymbolLoadObj::BeginNamedRecord(blockType, name);
    }
}

int CDiagramLoadObj::BeginNamedRecord(int blockType, const std::string& name)
{
    bool duplicate = false;
    switch (blockType) {
    case BT_FIGURE_SYMBOL: duplicate = m_pDoc->m_figSymbols.FindByName(name) >= 0; break;
    case BT_END_SYMBOL: {
        const int at = m_pDoc->m_endSymbols.FindByName(name);
        duplicate = at >= 0 && at >= g_nBuiltinLineEnds;
        break;
    }
    case BT_FIGURE_STYLE: duplicate = m_pDoc->m_figStyles.FindByName(name) >= 0; break;
    case BT_CONNECTOR_STYLE: duplicate = m_pDoc->m_conStyles.FindByName(name) >= 0; break;
    default: break;
    }
    if (duplicate) {
        m_nErrorCode = KWE_DUPLICATE_NAME;
        return KWR_SKIP_BLOCK;
    }
    if (blockType == BT_FIGURE_STYLE) {
        CDiagramLoadObj::DiscardRecord(BT_FIGURE_STYLE);
        m_figStyle.SetName(name);
        return KWR_DONE;
    }
    if (blockType == BT_CONNECTOR_STYLE) {
        m_conStyle.Reset();
        m_conStyle.SetName(name);
        return KWR_DONE;
    }
    return CSymbolLoadObj::BeginNamedRecord(blockType, name);
}

int CDiagramLoadObj::BeginPlainRecord(int blockType)
{
    if (blockType == BT_FONT)
        m_font = LOGFONT();
    else
        BeginLayout(blockType);
    return KWR_DONE;
}

void CDiagramLoadObj::DiscardRecord(int blockType)
{
    switch (blockType) {
    case BT_FIGURE:
        if (m_pFig && m_pFig->m_props.Graphic && !m_pDoc->m_graphics.FindByHandle(1, m_pFig->m_props.Graphic))
            GlobalFree(m_pFig->m_props.Graphic);
        m_pFig.reset();
        break;
    case BT_CONNECTOR: m_pCon.reset(); break;
    case BT_LABEL_MENU:
    case BT_FIGURE_MENU:
    case BT_CONNECTOR_MENU: m_pMenu.reset(); break;
    case BT_STAPLE: m_pStaple.reset(); break;
    case BT_GROUP: m_pGroup.reset(); break;
    case BT_GRAPHIC:
        if (m_hGraphic)
            GlobalFree(m_hGraphic);
        m_hGraphic = nullptr;
        break;
    case BT_FIGURE_STYLE:
        if (m_figStyle.m_props.Graphic && !m_pDoc->m_graphics.FindByHandle(1, m_figStyle.m_props.Graphic))
            GlobalFree(m_figStyle.m_props.Graphic);
        m_figStyle.m_props.Graphic = nullptr;
        m_figStyle.m_props.m_nGraphicType = 0;
        m_figStyle.Reset();
        break;
    case BT_CONNECTOR_STYLE: m_conStyle.Reset(); break;
    default: CSymbolLoadObj::DiscardRecord(blockType); break;
    }
}

namespace {
// The characters that end a key: one table look-up a character.
struct KeyEnds {
    bool ends[256] = {};
    constexpr KeyEnds()
    {
        for (const char c : {'\0', ' ', '\t', ',', '=', '\n', '\r', '#', '"'})
            ends[uint8_t(c)] = true;
    }
};
constexpr KeyEnds kKeyEnds;
} // namespace

EKeyword LeadingKeyword(const char* p)
{
    const char* e = p;
    while (!kKeyEnds.ends[uint8_t(*e)])
        ++e;
    return LookupKeyword(std::string_view(p, size_t(e - p)));
}

int CDiagramLoadObj::ReadInt(const char*& p, int32_t& field, int min, int max)
{
    int v;
    if (!ParseShortAsInt(p, v, min, max))
        return KWR_FAILED;
    field = v;
    return KWR_DONE;
}

int CDiagramLoadObj::ReadFlag(const char*& p, int32_t& field)
{
    int v;
    if (!ParseBool(p, v))
        return KWR_FAILED;
    field = v;
    return KWR_DONE;
}

// ---- end of the symbol, style, font, staple and group blocks

int CDiagramLoadObj::EndFigureSymbol()
{
    CFigSymbol& s = BuiltFigSymbol();
    std::string name = s.m_strName;
    if (RenameOldSwimLaneSymbol(m_dVersion, name))
        s.SetName(name);
    s.SetOversizeForDiamonds();
    if (s.Reshape == 0)
        s.ComputeReshapeKind();
    CFigSymbol* entry = m_pDoc->m_figSymbols.NewEntry();
    if (!entry)
        return KWR_STOP;
    entry->CopyFrom(s);
    return KWR_DONE;
}

int CDiagramLoadObj::EndEndSymbol()
{
    CShapeDef& s = BuiltEndSymbol();
    // A built-in line end of the same name stays as built.
    const int at = m_pDoc->m_endSymbols.FindByName(s.m_strName);
    if (at >= 0 && at < g_nBuiltinLineEnds)
        return KWR_DONE;
    CShapeDef* entry = m_pDoc->m_endSymbols.NewEntry();
    if (!entry)
        return KWR_STOP;
    entry->CopyFrom(s);
    return KWR_DONE;
}

int CDiagramLoadObj::EndFont()
{
    try {
        m_fontTable.push_back(m_font);
    } catch (const std::bad_alloc&) {
        return KWR_STOP;
    }
    return KWR_DONE;
}

int CDiagramLoadObj::EndStaple()
{
    CStaple* staple = m_pStaple.release();
    if (!staple)
        return KWR_STOP;
    if (staple->m_nId >= m_pDoc->m_nNextStpId)
        m_pDoc->m_nNextStpId = staple->m_nId + 1;
    if (!m_pDoc->AddStaple(staple)) {
        delete staple;
        return KWR_STOP;
    }
    return KWR_DONE;
}

int CDiagramLoadObj::EndGroup()
{
    CGroup* group = m_pGroup.release();
    if (!group)
        return KWR_STOP;
    if (group->m_nId >= m_pDoc->m_nNextGrpId)
        m_pDoc->m_nNextGrpId = group->m_nId + 1;
    if (!m_pDoc->AddGroup(group)) {
        delete group;
        return KWR_STOP;
    }
    return KWR_DONE;
}

// ---- binary data: printer blocks, pictures

int CDiagramLoadObj::EndBinaryData(int blockType, HGLOBAL data)
{
    switch (blockType) {
    case BT_DEVMODE_DATA:
    case BT_DEVNAMES_DATA: {
        // The document's block is replaced only here, at the closing line,
        // and only when the file's printer settings are kept.
        const bool devMode = blockType == BT_DEVMODE_DATA;
        const bool drop = m_bStylesOnly || (devMode && m_bKeepPrinter);
        if (drop || !data) {
            if (data)
                GlobalFree(data);
            return KWR_DONE;
        }
        HGLOBAL& target = devMode ? m_pDoc->m_hDevMode : m_pDoc->m_hDevNames;
        if (target)
            GlobalFree(target);
        target = data;
        return KWR_DONE;
    }
    case BT_GRAPHIC_DATA: {
        if (m_hGraphic)
            GlobalFree(m_hGraphic);
        m_hGraphic = nullptr;
        if (!data)
            return KWR_DONE;
        if (m_nCompression == PACK_NONE) {
            m_hGraphic = data;
            return KWR_DONE;
        }
        m_hGraphic = m_nCompression == PACK_RUNS ? UnpackRuns(data) : UnpackBlocks(data);
        GlobalFree(data);
        if (!m_hGraphic) {
            // A packed stream that does not unpack is dropped with the line.
            m_nErrorCode = KWE_OUT_OF_RANGE;
            return KWR_FAILED;
        }
        return KWR_DONE;
    }
    case BT_STYLE_GRAPHIC_DATA:
    case BT_FIGURE_GRAPHIC_DATA: {
        CFigProps& props = blockType == BT_STYLE_GRAPHIC_DATA ? m_figStyle.m_props : m_pFig->m_props;
        // Data of kind 0 is no picture.
        if (data && m_nLegacyGraphicType == 0) {
            GlobalFree(data);
            return KWR_DONE;
        }
        if (data)
            TakePicture(props, m_nLegacyGraphicType, data);
        return KWR_DONE;
    }
    case BT_PREVIEW_DATA:
        // A preview is packed by runs; a later picture without its own
        // Compression key takes that packing.
        m_nCompression = PACK_RUNS;
        return CLoadObj::EndBinaryData(blockType, data);
    default: return CLoadObj::EndBinaryData(blockType, data);
    }
}

int CDiagramLoadObj::ReadLegacyGraphicData(const char* p, int dataBlockType, CFigProps& props,
                                           const CFigStyle* style)
{
    int size;
    if (!ParseIntInRange(p, size, 0, kMaxLegacyGraphicData))
        return KWR_SKIP_BLOCK;
    int type = 2;
    const char* q = p;
    if (SkipBlanks(q)) {
        if (!ParseShortAsInt(p, type, 0, 9))
            return KWR_FAILED;
    } else {
        m_nErrorCode = 0;
    }
    if (size == 1 && style) {
        // The style's picture, or without one its symbol and icon.
        if (style->m_props.HasGraphic()) {
            TakePicture(props, style->m_props.m_nGraphicType, style->m_props.Graphic);
        } else {
            props.Symbol = style->m_props.Symbol;
            props.Icon = style->m_props.Icon;
        }
        return KWR_DONE;
    }
    if (size < 2)
        return KWR_DONE;
    m_nLegacyGraphicType = type;
    return BeginBinaryData(dataBlockType, size_t(size)) ? KWR_DONE : KWR_STOP;
}

void CDiagramLoadObj::TakePicture(CFigProps& props, int kind, HGLOBAL handle)
{
    if (props.Graphic && props.Graphic != handle && !m_pDoc->m_graphics.FindByHandle(1, props.Graphic))
        GlobalFree(props.Graphic);
    props.Graphic = handle;
    props.m_nGraphicType = kind;
}

// ---- text conversions of old files

void CDiagramLoadObj::ConvertAsIs(std::string& text) const
{
    if (m_dVersion > 5.07)
        return;
    static const std::string from = "<As Is>";
    for (size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += 5)
        text.replace(pos, from.size(), "Arial");
}

void CDiagramLoadObj::ConvertOldText(std::string& text) const
{
    if (m_dVersion < 2.3) {
        std::string out;
        for (char c : text) {
            switch (c) {
            case '`': out += "\\softline  "; break; // became a grave accent and a blank first
            case '~': out += "\\softline "; break;
            case '^': out += "\\sect "; break;
            case '|': out += "\\line "; break;
            default: out += c; break;
            }
        }
        text = out;
    }
    ConvertAsIs(text);
}

// ---- entry points

bool LoadDiagramText(CKavoDoc& doc, IKeywordSource& source, bool stylesOnly, bool keepPrinter)
{
    CDiagramLoadObj loader(&doc);
    loader.SetStylesOnly(stylesOnly);
    loader.SetKeepPrinterSettings(keepPrinter);
    return loader.Load(source) != 0;
}

void FinishDiagramLoad(CKavoDoc& doc)
{
    RelinkDocument(doc, true);
    doc.ReconstructGraphicsList();
    int result = 0;
    doc.Validate(&result);
}
