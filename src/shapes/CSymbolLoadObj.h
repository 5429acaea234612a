#pragma once
// The readers of the FigureSymbol and EndSymbol records and of their parts
// lists (Fill, Outline, MiniOutline), shared by the diagram loaders and the
// symbol-library files. Each part line is compiled into the record's outline
// program as it is read; the finished program is checked as a whole before
// the symbol takes it, so no record read from a file is ever walked before it
// has been validated. What becomes of a finished symbol is decided by the
// deriving loader in EndFigureSymbol and EndEndSymbol.
#include "keyword/CLoadObj.h"
#include "shapes/CFigSymbol.h"
#include "shapes/CShapeDef.h"

#include <array>
#include <memory>
#include <vector>

class CSymbolLoadObj : public CLoadObj {
public:
    // Room for the path code of the parts lists; the end byte of each list is
    // always kept free, so a list can be closed whatever was refused before.
    static constexpr int kFigurePathLimit = 16382;
    static constexpr int kEndPathLimit = 4094;
    static constexpr int kMaxListPoints = 2048;
    // Symbol coordinates and the points of hot zones and connection points.
    static constexpr double kCoordMin = -2900;
    static constexpr double kCoordMax = 2900;

    CSymbolLoadObj();
    ~CSymbolLoadObj() override;

protected:
    // Resets the record of a symbol block and gives it its name.
    int BeginNamedRecord(int blockType, const std::string& name) override;
    void DiscardRecord(int blockType) override;

    int HandleFigureSymbolLine(const char* p) override;
    int HandleEndSymbolLine(const char* p) override;
    int HandleFillPartsLine(const char* p) override;
    int HandleOutlinePartsLine(const char* p) override;

    // The symbol being read; complete (program set) when EndFigureSymbol or
    // EndEndSymbol runs.
    CFigSymbol& BuiltFigSymbol() { return *m_pFigSymbol; }
    CShapeDef& BuiltEndSymbol() { return *m_pEndSymbol; }

    // A "ConnectionPoint" line after its key: index, point, name and, when
    // readFlag, an optional flag 0..1 (missing reads as 0). Added to `list`.
    int ReadConnectionPoint(const char* p, CConPtList& list, bool readFlag);
    // A "Hot" line after its key: the point list into `zone` (a count of 0
    // empties it; 1 to 3 points cannot form a zone and leave it empty).
    int ReadHotZone(const char* p, CHotZone& zone);

private:
    bool InEndSymbol() const;
    int PathLimit() const { return InEndSymbol() ? kEndPathLimit : kFigurePathLimit; }
    BYTE* PathBytes();
    int OpenPartsList(int blockType, int32_t& position);
    int ReadPart(const char* p, bool fillList);
    int AppendPart(BYTE op, const CKwCoord* c, int coordCount, const CKwCoordPoint* pts, int pointCount);
    int ReadTextBox(const char* p, bool framed);
    // Stores the compiled path code and the text boxes in the symbol; sets
    // code 1 when the boxes do not fit the program area.
    void FinishFigureSymbol();
    void FinishEndSymbol();
    void ResetPath();

    std::unique_ptr<CFigSymbol> m_pFigSymbol;
    std::unique_ptr<CShapeDef> m_pEndSymbol;
    // The path code being compiled, its write position and the sub-program
    // positions (-1 absent).
    std::array<BYTE, CFigSymbol::kProgramSize> m_path{};
    int m_nPathPos = 0;
    int32_t m_nFillPos = -1, m_nOutlinePos = -1, m_nMiniPos = -1;
    std::vector<CFltRect> m_textBoxes;
    std::vector<CKwCoordPoint> m_points; // scratch for point lists
};

// Converts between the reader's coordinates and symbol-space floats.
CFltPoint KwPointToFlt(const CKwCoordPoint& p);
CKwCoordPoint FltPointToKw(const CFltPoint& p);
