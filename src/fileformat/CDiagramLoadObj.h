#pragma once
// The full reader of diagram text: the header, the Globals keys, pictures,
// symbols, styles, figures, connectors, staples and groups, each record built
// here and handed to the document when its block closes. Stored ids are kept
// as read; the caller relinks them after the whole text was read
// (FinishDiagramLoad).
#include "document/CGroup.h"
#include "document/CStyleMenu.h"
#include "document/CStyleMenuLayout.h"
#include "shapes/CConStyle.h"
#include "shapes/CFigStyle.h"
#include "shapes/CSymbolLoadObj.h"

#include <memory>
#include <vector>

class CKavoDoc;
class CFigure;
class CConnector;
class CStaple;

// Keys of the Globals section that styles-only mode passes over.
bool IsPageGlobalKey(EKeyword key);
// The key that a line begins with, KW_Count when its first word is none.
EKeyword LeadingKeyword(const char* p);

class CDiagramLoadObj : public CSymbolLoadObj {
public:
    explicit CDiagramLoadObj(CKavoDoc* doc);
    ~CDiagramLoadObj() override;

    // Styles-only mode (a new diagram made from a template).
    void SetStylesOnly(bool on) { m_bStylesOnly = on ? 1 : 0; }
    // Printer settings of the file are dropped instead of stored.
    void SetKeepPrinterSettings(bool keep) { m_bKeepPrinter = keep; }

protected:
    const char* ErrorText(int code) const override;
    int HandleTopLevelLine(const char* p) override;
    int BeginIdRecord(int blockType, long long id) override;
    int BeginNamedRecord(int blockType, const std::string& name) override;
    int BeginPlainRecord(int blockType) override;
    void DiscardRecord(int blockType) override;
    // The figure-style record's picture has passed to a library entry: the
    // record lets go of it, so that discarding the record cannot free it.
    void ReleaseRecordPicture()
    {
        m_figStyle.m_props.Graphic = nullptr;
        m_figStyle.m_props.m_nGraphicType = 0;
    }

    int HandleFigureStyleLine(const char* p) override;
    int HandleConnectorStyleLine(const char* p) override;
    int HandleFontLine(const char* p) override;
    int HandleStapleLine(const char* p) override;
    int HandleFigureLine(const char* p) override;
    int HandleConnectorLine(const char* p) override;
    int HandleGraphicLine(const char* p) override;
    int HandleGroupLine(const char* p) override;
    int HandleMenuLine(const char* p) override;
    int HandleSubmenuLine(const char* p) override;
    int HandleButtonLayoutLine(const char* p) override;

    int EndFigureSymbol() override;
    int EndEndSymbol() override;
    int EndFigure() override;
    int EndConnector() override;
    int EndFigureStyle() override;
    int EndConnectorStyle() override;
    int EndFont() override;
    int EndStaple() override;
    int EndGroup() override;
    int EndBinaryData(int blockType, HGLOBAL data) override;

    // BeginNamedRecord without the duplicate-name check (loaders that decide
    // at the record's end what becomes of a known name).
    int BeginNamedRecordAnyName(int blockType, const std::string& name);

    // ---- one value into a field: the line's result (the field is kept
    // when the value fails).
    int ReadInt(const char*& p, int32_t& field, int min = -32768, int max = 32767);
    int ReadFlag(const char*& p, int32_t& field);
    int ReadColour(const char*& p, COLORREF& field) { return ParseColor(p, field) ? KWR_DONE : KWR_FAILED; }
    int ReadText(const char*& p, std::string& field, size_t max)
    {
        return ParseDelimitedCString(p, field, max) ? KWR_DONE : KWR_FAILED;
    }

    // ---- shared key readers; each returns -1 when the key is not its own,
    // else the line's result.
    int ReadGlobalKey(const char* p);
    int ReadFontKey(const char*& p, LOGFONT& lf);
    int ReadFigPropKey(const char*& p, CFigProps& props, bool* pbDropRecord);
    int ReadFillKey(const char*& p, CFillSpec& fill);
    int ReadConPropKey(const char*& p, CConProps& props, bool* pbDropRecord);
    // ---- menu and button layouts (DiagramLayouts.cpp): each is built here
    // and replaces the document's layout of its kind when its block closes.
    void BeginLayout(int blockType);
    int ReadLayoutKey(const char* p, bool buttons);
    int ReadLayoutRow(const char* p, bool buttons);
    CStyleMenuLayout* DocButtonLayout(int blockType) const;
    CStyleMenu* DocMenu(int blockType) const;
    // The keys both style records have: Category, HasButton, InMenu, Description.
    int ReadStyleKey(const char*& p, CStyle& style);
    // A "GraphicData" key of older files (styles and figures): size, type.
    int ReadLegacyGraphicData(const char* p, int dataBlockType, CFigProps& props, const CFigStyle* style);
    // Gives the record being read a picture; a block of its own that it had
    // before (one the graphics list does not hold) is freed.
    void TakePicture(CFigProps& props, int kind, HGLOBAL handle);
    // The text conversions of files older than 2.3 and 5.07.
    void ConvertOldText(std::string& text) const;
    void ConvertAsIs(std::string& text) const;

    CKavoDoc* m_pDoc;
    bool m_bKeepPrinter = false;
    CStyleMenuLayout m_layout;             // the button layout being read
    std::unique_ptr<CStyleMenu> m_pMenu;   // the menu being read
    CStyleSubmenu m_submenu;               // its submenu block being read
    CStyleSubmenu m_looseSubmenu;          // keys standing directly in the menu
    bool m_bLooseSubmenu = false;
    CFigStyle m_figStyle;
    CConStyle m_conStyle;
    std::unique_ptr<CFigure> m_pFig;
    std::unique_ptr<CConnector> m_pCon;
    std::unique_ptr<CStaple> m_pStaple;
    std::unique_ptr<CGroup> m_pGroup;
    // The picture being read; the packing value is not reset per record.
    int m_nGraphicType = 0;
    uint32_t m_nGraphicId = 0;
    HGLOBAL m_hGraphic = nullptr;
    int m_nCompression = 1;
    int m_nLegacyGraphicType = 0;  // picture kind of a legacy GraphicData block
    LOGFONT m_font;
    std::vector<LOGFONT> m_fontTable;
};

// The document text of `source` into `doc` with this reader; false when the
// load failed or was cancelled. The relinking and clean-up after a load are
// FinishDiagramLoad's.
bool LoadDiagramText(CKavoDoc& doc, IKeywordSource& source, bool stylesOnly = false, bool keepPrinter = false);
// After the whole text was read: ids become pointers, the graphics list is
// rebuilt from the objects, and the document is validated with repair.
void FinishDiagramLoad(CKavoDoc& doc);
// Stored ids of objects, staples and groups become pointers. After a load
// (keepUnresolvedEnds) a connector end whose figure is missing, or is its
// other end's, keeps its ids for validation to report and clear; otherwise
// such an end is made free here.
void RelinkDocument(CKavoDoc& doc, bool keepUnresolvedEnds = false);
