#pragma once
// The pasted-object reader: diagram text copied from this program is read
// into the open document. Every id is shifted past the document's counters,
// every object is moved by the paste offset, numbered figure symbols are
// renamed past the document's own numbers, and a symbol or style that the
// document already has is not taken (the document's one is used).
#include "fileformat/CDiagramLoadObj.h"

// The clipboard format of copied objects, and its MIME type.
inline constexpr const char* kDiagramClipboardFormat = "KAVO Diagram";
inline constexpr const char* kDiagramMimeType = "application/x-kavo-diagram";

class CPasteLoadObj : public CDiagramLoadObj {
public:
    CPasteLoadObj(CKavoDoc* doc, int objIdBase, int stpIdBase, int groupIdBase, int symSuffixBase, int offsetX,
                  int offsetY);

    // Clipboard data that ends inside a record was cut short: refused whole.
    BOOL Load(IKeywordSource& source) override;

    // A pasted style that shows a button on the style bar was added.
    int m_bStyleBarFlag = 0;

protected:
    int HandleTopLevelLine(const char* p) override;
    int BeginNamedRecord(int blockType, const std::string& name) override;
    void OnFigureSymbolName(std::string& name) override;
    int EndFigureSymbol() override;
    int EndEndSymbol() override;
    int EndFigure() override;
    int EndConnector() override;
    int EndFigureStyle() override;
    int EndConnectorStyle() override;
    int EndFont() override { return KWR_DONE; }
    int EndStaple() override;
    int EndGroup() override;
    // Clipboard data is another program's: its errors are not reported line
    // by line (the paste reports its failure), and data cut short is refused.
    int ReportLineError() override { return 1; }
    bool KeepPartialLoad(const std::string&) override { return false; }

private:
    void RenameSymbol(std::string& name) const;

    int m_nObjIdBase;
    int m_nStpIdBase;
    int m_nGroupIdBase;
    int m_nSymSuffixBase;
    int m_nOffsetX;
    int m_nOffsetY;
};

// Prepares the paste mode of `doc`: the switch, the id bases from the
// counters and the symbol suffix base (largest ":N" suffix + 1, 0 without).
void BeginPasteMode(CKavoDoc& doc, int offsetX, int offsetY);
// The paste load of Serialize: reads `source` with CPasteLoadObj, then
// relinks, renumbers the pasted objects from the bases and deletes pasted
// styles that nothing uses. A paste that fails, or brings no figure or
// connector, takes back everything it had added, so the document is as it
// was. True when the paste loaded.
bool LoadPastedObjects(CKavoDoc& doc, IKeywordSource& source);
// The copied objects (those with the copy flag, i.e. selected) as the
// clipboard's diagram text.
std::string CopySelectionText(CKavoDoc& doc);
// Pastes clipboard diagram text at the document's paste offset; false (the
// document unchanged) when the text is not this program's or fails.
bool PasteDiagramText(CKavoDoc& doc, const std::string& text);
