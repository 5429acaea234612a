#pragma once
// Keeps loop connectors in shape while a figure's geometry changes: before
// the change the connection points of the figure whose connectors loop back
// to it (directly, through redundant junctions, or to a figure linked with
// it) are noted as fractions of its rectangle with a fixed inset from the
// nearest side (the inset of the document's self-reference loops), and the
// junctions along each loop are tied to the figure
// by figure-link staples, so that they follow it. After the change the points
// are placed again, the staples make the junctions follow, and then the
// staples go again: they are scaffolding of this one change, kept out of the
// undo log and the staple id counter. Every lasting change (points, junction
// and connector moves) is logged before it is made.
#include "platform/CRect.h"

#include <cstdint>
#include <vector>

class CKavoDoc;
class CFigure;
class CDiagObj;
class CStaple;

class ConPtKeepTable {
public:
    static constexpr int kMaxEntries = 8;

    explicit ConPtKeepTable(CKavoDoc& doc) : m_doc(doc) {}
    ~ConPtKeepTable() { RemoveStaples(); }
    ConPtKeepTable(const ConPtKeepTable&) = delete;
    ConPtKeepTable& operator=(const ConPtKeepTable&) = delete;

    // Notes the figure's looped points before a geometry change. Junctions,
    // labels, figures with flag 0x10000000 and figures without width or
    // height keep nothing. When a staple cannot be added, the staples already
    // added go and the table stays empty: the change goes on without it.
    void Fill(CFigure* fig);
    // After the change: the points placed in the new rectangle (the figure's
    // connection points logged first), the staples brought up to date, then
    // removed. False when the undo log refused a record.
    bool Apply();
    int Count() const { return int(m_entries.size()); }
    int StapleCount() const { return int(m_staples.size()); }

private:
    struct Entry {
        int32_t conPtId;
        double fx, fy;     // fractions of the width and height
        int offX, offY;    // the inset from the nearest side(s)
    };
    // The junctions between the figure and where the loop of `con` (leaving
    // the figure by `end`) closes; false when it does not close.
    bool FindLoop(CFigure* fig, class CConnector* con, int end, std::vector<CFigure*>& between) const;
    bool TieToFig(CFigure* fig, CFigure* junction);
    void Pin(CDiagObj* obj);
    void RemoveStaples();

    CKavoDoc& m_doc;
    CFigure* m_pFig = nullptr;
    std::vector<Entry> m_entries;
    std::vector<CStaple*> m_staples;
    // The staple pointer each pinned object had before, to give back.
    std::vector<std::pair<CDiagObj*, CStaple*>> m_pins;
    int32_t m_nSavedNextStpId = 0;
};
