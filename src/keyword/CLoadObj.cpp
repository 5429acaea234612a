#include "keyword/CLoadObj.h"

#include "core/MessageBeep.h"
#include "keyword/KeywordStreams.h"
#include "platform/NumText.h"
#include "platform/Prompt.h"

#include <algorithm>

namespace {
struct LoadErrorText {
    int code;
    const char* text;
};
constexpr LoadErrorText g_loadErrorTexts[] = {
    {KWE_DUPLICATE_NAME, "Duplicate Figure Name"},
    {KWE_TOO_MANY_FIG_STYLES, "Too Many Figure Style Definitions"},
    {KWE_TOO_MANY_CON_STYLES, "Too Many Connector Style Definitions"},
    {KWE_UNDEFINED_SYMBOL, "Undefined symbol name"},
    {KWE_NOT_DIAGRAM, "Not a diagram file"},
    {KWE_NEWER_VERSION, "The diagram was created with a newer version of this program."},
    {KWE_UNDEFINED_STYLE, "Undefined style name"},
    {KWE_NEEDS_CONVERSION,
     "The diagram you are trying to open requires a conversion before it can be loaded."},
};

// Shown when the data ends inside a block or inside a continued line, or a
// zero byte cuts the text short: what was read so far may be kept, but the
// user is told.
constexpr const char* kTextEndsInBlock = "The file ends inside a block; the object being read there is lost.";
constexpr const char* kTextZeroByte = "The file holds a zero byte here; the text after it cannot be read.";
constexpr const char* kTextEndsInLine = "The file ends inside a continued line; that line is lost.";
constexpr const char* kTextKeepPartial = "Click OK to keep what was loaded, or Cancel to stop loading.";

// Bytes on a binary data line, by file version.
size_t DataBytesPerLine(double version)
{
    return version < KW_VERSION_WIDE_DATA ? 16 : 32;
}

bool IsDataBlock(int type)
{
    return (type >= BT_STYLE_GRAPHIC_DATA && type <= BT_PREVIEW_DATA) || type == BT_GRAPHIC_DATA;
}
} // namespace

const char* DiagramLoadErrorText(int code)
{
    for (const auto& e : g_loadErrorTexts)
        if (e.code == code)
            return e.text;
    return nullptr;
}

CLoadObj::CLoadObj() = default;

CLoadObj::~CLoadObj()
{
    FreeBinaryData();
}

void CLoadObj::SetBlockType(int type)
{
    m_nPrevBlockType = m_nBlockType;
    m_nBlockType = type;
}

int CLoadObj::ParentBlockType(int type) const
{
    switch (type) {
    case BT_FIGURE_SYMBOL_FILL:
    case BT_FIGURE_SYMBOL_MINI_OUTLINE:
    case BT_FIGURE_SYMBOL_OUTLINE: return BT_FIGURE_SYMBOL;
    case BT_END_SYMBOL_FILL:
    case BT_END_SYMBOL_OUTLINE: return BT_END_SYMBOL;
    case BT_STYLE_GRAPHIC_DATA: return BT_FIGURE_STYLE;
    case BT_FIGURE_GRAPHIC_DATA: return BT_FIGURE;
    case BT_GRAPHIC_DATA: return BT_GRAPHIC;
    case BT_SUBMENU: return m_nPrevBlockType;
    default: return BT_TOP;
    }
}

BOOL CLoadObj::Load(IKeywordSource& source)
{
    m_nBlockType = m_nPrevBlockType = BT_TOP;
    m_nErrorCode = 0;
    m_bSkip = 0;
    m_nSkipDepth = 0;
    FreeBinaryData();
    const int result = Parse(source);
    bool ok = result != KWR_STOP && result != KWR_DONE_ASK;
    if (ok && result == KWR_END && DataEnded())
        ok = ConfirmPartialLoad();
    ReportEndOfLoad();
    return ok ? TRUE : FALSE;
}

// The data ended at the physical end of the text or at a NUL. Inside a block
// or inside a continued line that means the file was cut short (a crash while
// it was written): the record or line being read is given up, and the user
// decides whether to keep the rest; a NUL followed by more text means damage
// as well.
bool CLoadObj::ConfirmPartialLoad()
{
    const bool insideBlock = m_nBlockType != BT_TOP || (m_bSkip && m_nSkipDepth > 0);
    const bool insideLine = EndedInsideLine();
    if (!insideBlock && !insideLine && !NulBeforeEnd())
        return true;
    for (int type = m_nBlockType, guard = 0; type != BT_TOP && guard < 8; type = ParentBlockType(type), ++guard) {
        if (IsDataBlock(type))
            FreeBinaryData();
        else
            DiscardRecord(type);
        m_nBlockType = ParentBlockType(type);
    }
    m_nBlockType = BT_TOP;
    // A zero byte that cuts the text short stands at the start of the line
    // after the last one read.
    std::string text = StrPrintf("Error Loading Diagram - Line %d", NulBeforeEnd() ? NulLine() : m_nLineNo);
    text += "\n\n";
    if (NulBeforeEnd())
        text += std::string(kTextZeroByte) + "\n";
    if (insideLine)
        text += std::string(kTextEndsInLine) + "\n";
    if (insideBlock)
        text += std::string(kTextEndsInBlock) + "\n";
    text += kTextKeepPartial;
    return KeepPartialLoad(text);
}

bool CLoadObj::KeepPartialLoad(const std::string& question)
{
    return ShowPrompt(question, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

int CLoadObj::HandleLine(char* line)
{
    m_bAnchorSyntax = 0;
    const char* p = line;
    if (IsEndOfLine(*p))
        return KWR_DONE;
    if (m_nLineNo >= 3) {
        while (IsBlank(*p) || IsSeparator(*p))
            ++p;
        if (IsEndOfLine(*p) || IsComment(*p))
            return KWR_DONE;
    }
    if (m_bSkip && m_nSkipDepth <= 0 && *p != '{') {
        // The line that asked for its block to be skipped opened none: there
        // is nothing to skip, and this line (perhaps the enclosing block's
        // "}") is read as usual.
        m_bSkip = 0;
        m_nSkipDepth = 0;
    }
    if (*p == '{') {
        // Outside skip mode the keyword line before it opened the block.
        if (m_bSkip && ++m_nSkipDepth == 0)
            m_bSkip = 0;
        return KWR_DONE;
    }
    if (m_bSkip) {
        // Skip mode ends only where the skipped block closes, at depth 0.
        if (*p == '}' && --m_nSkipDepth == 0)
            m_bSkip = 0;
        return KWR_DONE;
    }
    const int type = m_nBlockType;
    int result = DispatchLine(type, p);
    if (result == KWR_SKIP_REST) {
        if (type == BT_TOP) {
            // No block encloses a top-level line: skipping "the rest of the
            // block" would swallow the file up to a stray "}".
            result = KWR_FAILED;
        } else if (m_nBlockType == type) {
            // The closing "}" of the block is consumed by skip mode and never
            // reaches the handler: the block is given up here.
            AbandonBlock(m_nErrorCode);
        }
    }
    return result;
}

int CLoadObj::DispatchLine(int type, const char* p)
{
    switch (type) {
    case BT_TOP: return HandleTopLevelLine(p);
    case BT_FIGURE_SYMBOL: return HandleFigureSymbolLine(p);
    case BT_FIGURE_SYMBOL_FILL:
    case BT_END_SYMBOL_FILL: return HandleFillPartsLine(p);
    case BT_FIGURE_SYMBOL_MINI_OUTLINE:
    case BT_FIGURE_SYMBOL_OUTLINE:
    case BT_END_SYMBOL_OUTLINE: return HandleOutlinePartsLine(p);
    case BT_END_SYMBOL: return HandleEndSymbolLine(p);
    case BT_FIGURE_STYLE: return HandleFigureStyleLine(p);
    case BT_CONNECTOR_STYLE: return HandleConnectorStyleLine(p);
    case BT_FIGURE: return HandleFigureLine(p);
    case BT_CONNECTOR: return HandleConnectorLine(p);
    case BT_FONT: return HandleFontLine(p);
    case BT_STAPLE: return HandleStapleLine(p);
    case BT_STYLE_GRAPHIC_DATA:
    case BT_FIGURE_GRAPHIC_DATA:
    case BT_DEVMODE_DATA:
    case BT_DEVNAMES_DATA:
    case BT_PREVIEW_DATA:
    case BT_GRAPHIC_DATA: return HandleBinaryDataLine(p);
    case BT_GRAPHIC: return HandleGraphicLine(p);
    case BT_GROUP: return HandleGroupLine(p);
    case BT_LABEL_MENU:
    case BT_FIGURE_MENU:
    case BT_CONNECTOR_MENU: return HandleMenuLine(p);
    case BT_SUBMENU: return HandleSubmenuLine(p);
    default:
        if (type >= BT_LABEL_BUTTONS && type <= BT_CONNECTOR_BUTTONS_RESTORE)
            return HandleButtonLayoutLine(p);
        // No such block: the loader is broken, and the load stops with the
        // warning sound of the other refusals.
        MessageBeep(MB_ICONEXCLAMATION);
        return KWR_STOP;
    }
}

int CLoadObj::EndOfBlock(int closedType)
{
    switch (closedType) {
    case BT_FIGURE_SYMBOL: return EndFigureSymbol();
    case BT_END_SYMBOL: return EndEndSymbol();
    case BT_FIGURE: return EndFigure();
    case BT_CONNECTOR: return EndConnector();
    case BT_FIGURE_STYLE: return EndFigureStyle();
    case BT_CONNECTOR_STYLE: return EndConnectorStyle();
    case BT_FONT: return EndFont();
    case BT_STAPLE: return EndStaple();
    case BT_GROUP: return EndGroup();
    default: return KWR_DONE;
    }
}

int CLoadObj::CloseCurrentBlock()
{
    const int closed = m_nBlockType;
    SetBlockType(ParentBlockType(closed));
    return EndOfBlock(closed);
}

int CLoadObj::DefaultBlockLine(const char* p)
{
    if (*p == '}')
        return CloseCurrentBlock();
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

int CLoadObj::AbandonBlock(int errorCode)
{
    const int type = m_nBlockType;
    if (type != BT_TOP) {
        SetBlockType(ParentBlockType(type));
        if (IsDataBlock(type))
            FreeBinaryData();
        else
            DiscardRecord(type);
    }
    m_nErrorCode = errorCode;
    return KWR_SKIP_REST;
}

BOOL CLoadObj::BeginBinaryData(int blockType, size_t size)
{
    FreeBinaryData();
    if (size) {
        m_hData = GlobalAlloc(GHND, size);
        if (!m_hData)
            return FALSE;
    }
    m_nDataPos = 0;
    m_nDataRemaining = static_cast<long long>(size);
    SetBlockType(blockType);
    return TRUE;
}

void CLoadObj::FreeBinaryData()
{
    if (m_hData)
        GlobalFree(m_hData);
    m_hData = nullptr;
    m_nDataPos = 0;
    m_nDataRemaining = -1;
}

int CLoadObj::EndBinaryData(int /*blockType*/, HGLOBAL data)
{
    if (data)
        GlobalFree(data);
    return KWR_DONE;
}

// Data lines hold 32 bytes (16 in old files), the last one what remains of
// the stated size. A line too short or one past the stated size gives up the
// block; a block that closes before all its bytes came is dropped.
int CLoadObj::HandleBinaryDataLine(const char* p)
{
    if (*p == '}') {
        const int closed = m_nBlockType;
        SetBlockType(ParentBlockType(closed));
        if (m_hData && m_nDataRemaining != 0) {
            FreeBinaryData();
            m_nErrorCode = KWE_PREMATURE_EOL;
            return KWR_FAILED;
        }
        HGLOBAL data = m_hData;
        m_hData = nullptr;
        FreeBinaryData();
        return EndBinaryData(closed, data);
    }
    if (!m_hData)
        return KWR_DONE; // read without a buffer: the lines are passed over
    if (m_nDataRemaining <= 0)
        return AbandonBlock(KWE_OUT_OF_RANGE);
    const size_t n = std::min<size_t>(DataBytesPerLine(m_dVersion), size_t(m_nDataRemaining));
    BOOL ok;
    {
        CGlobalLock lock(m_hData);
        ok = lock.data() && ParseHexBytes(p, lock.data() + m_nDataPos, n);
    }
    if (!ok)
        return AbandonBlock(m_nErrorCode ? m_nErrorCode : KWE_PREMATURE_EOL);
    m_nDataPos += n;
    m_nDataRemaining -= static_cast<long long>(n);
    return KWR_DONE;
}

int CLoadObj::HandleHeaderLine(const char* p)
{
    if (m_nLineNo == 1) {
        if (MatchPrefix(p, KW_TEXT_OLD_MAGIC)) {
            m_nErrorCode = KWE_NEEDS_CONVERSION;
            return KWR_STOP;
        }
        if (!MatchKeyword(p, KW_TEXT_MAGIC)) {
            m_nErrorCode = KWE_NOT_DIAGRAM;
            return KWR_STOP;
        }
        return KWR_DONE;
    }
    double version;
    if (!MatchKeyword(p, KW_Version)) {
        m_nErrorCode = KWE_NOT_DIAGRAM;
        return KWR_STOP;
    }
    if (!ParseRealInRange(p, version, 0, 100))
        return KWR_STOP;
    m_dVersion = version;
    if (version > KW_FILE_VERSION) {
        m_nErrorCode = KWE_NEWER_VERSION;
        return KWR_DONE_ASK;
    }
    return KWR_DONE;
}

const char* CLoadObj::ErrorText(int code) const
{
    if ((code <= KWE_PREMATURE_EOL && code >= KWE_UNRECOGNIZED) || code == KWE_SYNTAX)
        return KeywordErrorText(code);
    return nullptr;
}

int CLoadObj::ReportLineError()
{
    const char* text = ErrorText(m_nErrorCode);
    if (!text || m_nErrorCode == KWE_NEEDS_CONVERSION)
        return 0;
    ShowLoadError(text, m_nLineNo);
    return 1;
}

// After the loop: an error still set is one that stopped the load. Read
// errors and conversion requests are shown without a line number; a read
// error is always explained, whatever the loader.
void CLoadObj::ReportEndOfLoad()
{
    if (!m_nErrorCode)
        return;
    if (ReportLineError())
        return;
    const char* text = nullptr;
    if (m_nErrorCode == KWE_NO_ACCESS)
        text = KeywordErrorText(KWE_NO_ACCESS);
    else if (m_nErrorCode == KWE_NEEDS_CONVERSION)
        text = DiagramLoadErrorText(KWE_NEEDS_CONVERSION);
    else
        text = KeywordErrorText(KWE_READ_ERROR);
    ShowLoadError(text, 0);
}
