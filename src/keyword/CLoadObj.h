#pragma once
// The loader base of the keyword text format: keeps the current block type,
// dispatches each line to the handler of that block, carries out the skip
// rules, reads binary data blocks and reports errors. Loaders derive from it
// and supply the top-level handler, the record handlers and the end-of-block
// operations that decide what becomes of each finished record.
#include "keyword/CKeywordParser.h"
#include "platform/GlobalMem.h"

#include <string>

// The block types (value of the current block type).
enum EBlockType : int {
    BT_TOP = 1,
    BT_FIGURE_SYMBOL = 2,
    BT_FIGURE_SYMBOL_FILL = 3,
    BT_FIGURE_SYMBOL_MINI_OUTLINE = 4,
    BT_FIGURE_SYMBOL_OUTLINE = 5,
    BT_END_SYMBOL = 6,
    BT_END_SYMBOL_FILL = 7,
    BT_END_SYMBOL_OUTLINE = 8,
    BT_FIGURE_STYLE = 9,
    BT_CONNECTOR_STYLE = 10,
    BT_FIGURE = 11,
    BT_CONNECTOR = 12,
    BT_FONT = 13,
    BT_STAPLE = 14,
    BT_STYLE_GRAPHIC_DATA = 15,
    BT_FIGURE_GRAPHIC_DATA = 16,
    BT_DEVMODE_DATA = 17,
    BT_DEVNAMES_DATA = 18,
    BT_PREVIEW_DATA = 19,
    BT_GRAPHIC = 20,
    BT_GRAPHIC_DATA = 21,
    BT_GROUP = 22,
    BT_LABEL_MENU = 23,
    BT_FIGURE_MENU = 24,
    BT_CONNECTOR_MENU = 25,
    BT_SUBMENU = 26,
    BT_LABEL_BUTTONS = 27,
    BT_FIGURE_BUTTONS = 28,
    BT_CONNECTOR_BUTTONS = 29,
    BT_LABEL_BUTTONS_RESTORE = 30,
    BT_FIGURE_BUTTONS_RESTORE = 31,
    BT_CONNECTOR_BUTTONS_RESTORE = 32,
};

// Error codes set by the loaders.
enum ELoadError : int {
    KWE_SYMBOL_CODE_FULL = 1, // reported as "Syntax Error"
    KWE_DUPLICATE_NAME = 3,
    KWE_TOO_MANY_FIG_STYLES = 5,
    KWE_TOO_MANY_CON_STYLES = 6,
    KWE_UNDEFINED_SYMBOL = 7,
    KWE_NOT_DIAGRAM = 8,
    KWE_NEWER_VERSION = 9,
    KWE_UNDEFINED_STYLE = 10,
    KWE_NEEDS_CONVERSION = 11, // reported without a line number
};

// The diagram loaders' texts of the positive codes 3, 5..11; null otherwise.
const char* DiagramLoadErrorText(int code);

class IKeywordSource;

class CLoadObj : public CKeywordParser {
public:
    CLoadObj();
    ~CLoadObj() override;

    // Reads the whole source; false when the load failed or was cancelled.
    virtual BOOL Load(IKeywordSource& source);

    int GetBlockType() const { return m_nBlockType; }
    int GetPrevBlockType() const { return m_nPrevBlockType; }
    double GetFileVersion() const { return m_dVersion; }
    // Makes `type` current, keeping the current one as the previous type.
    void SetBlockType(int type);
    // The block a block of `type` returns to when it closes.
    int ParentBlockType(int type) const;

protected:
    int HandleLine(char* line) override;
    void ReportEndOfLoad() override;
    int ReportLineError() override;
    // The text reported for an error code with its line; null when unknown.
    // Loaders of diagram text add DiagramLoadErrorText.
    virtual const char* ErrorText(int code) const;
    // Whether to keep what was read of a text cut short (the user is asked).
    virtual bool KeepPartialLoad(const std::string& question);

    // The header lines 1 and 2: "KAVO..." and "Version <real>". Gives 1 for a
    // good line, 2 with code 8 or 11 for a bad one, 6 with code 9 for a file
    // newer than this program; keeps the version.
    int HandleHeaderLine(const char* p);

    virtual int HandleTopLevelLine(const char* p) = 0;

    // The block keywords of the top level (Figure, Connector, FigureSymbol,
    // EndSymbol, FigureStyle, ConnectorStyle, Graphic, Font, Staple, Group,
    // the menu and button layouts, DevMode, DevNames, Preview): reads the
    // opening value, applies its checks and enters the block. Sets *pbMatched
    // when the line held one of them; the result is the line's result.
    int OpenTopLevelBlock(const char* p, bool* pbMatched);
    // Hooks of OpenTopLevelBlock: create or reset the record of a block
    // opened with an id (Figure, Connector, Graphic, Staple, Group), a name
    // (symbols, styles; at most 30 characters, never empty) or nothing (Font,
    // layouts). A result other than 1 keeps the block closed: 4 skips it
    // (set the code, e.g. KWE_DUPLICATE_NAME), 7 skips it silently.
    virtual int BeginIdRecord(int /*blockType*/, long long /*id*/) { return KWR_DONE; }
    virtual int BeginNamedRecord(int /*blockType*/, const std::string& /*name*/) { return KWR_DONE; }
    virtual int BeginPlainRecord(int /*blockType*/) { return KWR_DONE; }
    // Record handlers. The defaults know no key: "}" closes the block, any
    // other line is an unrecognized keyword.
    virtual int HandleFigureSymbolLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleFillPartsLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleOutlinePartsLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleEndSymbolLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleFigureStyleLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleConnectorStyleLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleFontLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleStapleLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleFigureLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleConnectorLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleBinaryDataLine(const char* p);
    virtual int HandleGraphicLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleGroupLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleMenuLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleSubmenuLine(const char* p) { return DefaultBlockLine(p); }
    virtual int HandleButtonLayoutLine(const char* p) { return DefaultBlockLine(p); }

    // End-of-block operations: 1 done, 2 stop the load.
    virtual int EndFigureSymbol() { return KWR_DONE; }
    virtual int EndEndSymbol() { return KWR_DONE; }
    virtual int EndFigure() { return KWR_DONE; }
    virtual int EndConnector() { return KWR_DONE; }
    virtual int EndFigureStyle() { return KWR_DONE; }
    virtual int EndConnectorStyle() { return KWR_DONE; }
    virtual int EndFont() { return KWR_DONE; }
    virtual int EndStaple() { return KWR_DONE; }
    virtual int EndGroup() { return KWR_DONE; }
    // Called with each figure-symbol name read in a style or figure block.
    virtual void OnFigureSymbolName(std::string& /*name*/) {}
    // A binary data block closed with all its bytes: takes the block (null
    // for a Preview block read without a buffer). The default frees it.
    virtual int EndBinaryData(int blockType, HGLOBAL data);
    // The record of a block that is given up (the rest of it skipped, or the
    // data ended inside it) is freed here; it is never added.
    virtual void DiscardRecord(int /*blockType*/) {}

    // Closes the current block on "}" (type back to the parent) and runs the
    // end-of-block operation of its record kind.
    int CloseCurrentBlock();
    int DefaultBlockLine(const char* p);
    // Gives up the current block after a failed line: type back to the
    // parent, the record discarded. Returns 5 so that the rest is skipped.
    int AbandonBlock(int errorCode);
    // Opens a data block of `size` bytes (no buffer for size 0); false when
    // the memory cannot be had.
    BOOL BeginBinaryData(int blockType, size_t size);
    void FreeBinaryData();

    int m_nBlockType = BT_TOP;
    int m_nPrevBlockType = BT_TOP;
    double m_dVersion = 0;
    // Styles-only mode (new diagrams from a template): the load ends at the
    // first Figure, Connector, Font or Staple; printer blocks are not kept.
    int m_bStylesOnly = 0;
    // Binary data being read: block, write position, bytes still expected.
    HGLOBAL m_hData = nullptr;
    size_t m_nDataPos = 0;
    long long m_nDataRemaining = -1;

private:
    int DispatchLine(int type, const char* p);
    int EndOfBlock(int closedType);
    bool ConfirmPartialLoad();
};
