#pragma once
// The diagram document: the one write path of the model. It owns every object
// of one diagram (figures, labels, junctions and connectors in drawing order,
// staples, groups), its copies of the style and symbol libraries, the page,
// grid and snap settings, the current styles, the id counters and the undo
// log. Operations log undo records before they change anything, mark the
// document modified and ask the views to redraw (IDocView).
#include "core/AppContext.h"
#include "core/CSerialStamp.h"
#include "core/GridSnap.h"
#include "shapes/CConStyle.h"
#include "document/CDocGraphics.h"
#include "shapes/CFigStyle.h"
#include "document/CGroup.h"
#include "document/CDocFileModes.h"
#include "document/CFigPickList.h"
#include "document/CMoveSet.h"
#include "document/CObjList.h"
#include "document/CStyleMenu.h"
#include "document/CStyleMenuLayout.h"
#include "document/ShadowDescription.h"
#include "document/StapleLabelIndex.h"
#include "document/DividedShapeFigureLink.h"
#include "undo/CUndoLog.h"
#include "platform/GlobalMem.h"
#include "shapes/CConStylesLibrary.h"
#include "shapes/CFigStylesLibrary.h"
#include "shapes/LibraryUsers.h"
#include "shapes/ShapeLibrary.h"
#include "shapes/SymbolLibrary.h"

#include <memory>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

class CFigure;
class CConnector;
class CKeywordWriter;
class IKeywordSink;
class IKeywordSource;
class CStaple;
struct AttachKind;
class IDocView;
class CDC;
class CObjIndex;

// The document of the active window, or null (no context, no active
// document, or one of another kind).
CKavoDoc* GetActiveKavoDoc();

class CKavoDoc : public ISymbolUsers,
                 public IStyleIndexUsers,
                 public IActiveDocument,
                 public IUndoHost,
                 public ISpecialShapeDoc,
                 public CDocFileModes {
public:
    CKavoDoc();
    ~CKavoDoc() override;
    CKavoDoc(const CKavoDoc&) = delete;
    CKavoDoc& operator=(const CKavoDoc&) = delete;

    // ---- life cycle
    bool InitializeDocument();
    // Whether the object, selection and staple lists exist (construction
    // did not run out of memory).
    bool HasLists() const { return m_pObjList && m_pSelList && m_pStapleList; }
    void ResetPageInfo();
    void DeleteContents();
    // The new-document default style, or the template loaded by the loader
    // (not part of the model yet: a template path gives false).
    bool OnNewDocument(const std::string& templatePath = std::string());
    // The title: the whole path (cut to 259 characters) when the setting
    // FullPathCaptions is on, else the file name; " (read-only)" appended
    // for a read-only file. The recent-file list is the frame's.
    void SetPathName(const std::string& path, bool addToRecent = true);
    const std::string& GetPathName() const { return m_strPathName; }
    const std::string& GetTitle() const { return m_strTitle; }
    // The name a diagram without a path goes by ("Diagram1").
    void SetTitle(const std::string& title) { m_strTitle = title; }
    bool IsModified() const { return m_bModified != 0; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified ? 1 : 0; }

    // ---- consistency of the lists and id counters (fileformat/CKavoDocValidate.cpp):
    // true when every check passed; with pnResult given, failed checks are
    // repaired where they can be, and the last failure's number and values
    // are returned.
    bool Validate(int* pnResult = nullptr, int* pValue1 = nullptr, int* pValue2 = nullptr,
                  int* pValue3 = nullptr);

    // A figure or figure style takes a picture (merged with an identical one:
    // *handle may be replaced) or drops one.
    int RegisterSharedMemAlloc(int kind, HGLOBAL* handle) { return m_graphics.RegisterAlloc(kind, handle, false); }
    int RegisterSharedMemDealloc(int kind, HGLOBAL handle) { return m_graphics.RegisterDealloc(kind, handle); }
    // Rebuilds the graphics list from the figure styles and figures after a
    // file load (fileformat/DiagramGraphics.cpp).
    void ReconstructGraphicsList();

    // ---- save and load, the held file (fileformat/CKavoDocSave*.cpp,
    // CKavoDocFile*.cpp)
    // The whole diagram (or the preview, or the copied objects) as text;
    // FALSE when a line could not be written.
    BOOL Save(CKeywordWriter& w, bool saveAllDefs, bool saveAllObjs);
    // Stores through `sink` or loads from `source` (exactly one given) with
    // the loader the load mode picks; false when the save or load failed.
    bool Serialize(IKeywordSink* sink, IKeywordSource* source);
    void PostLoad();
    bool RenumberIDs(int keepExisting);
    bool OnOpenDocument(const std::string& path);
    bool OnSaveDocument(const std::string& path);
    void OnCloseDocument();
    bool OpenDocumentUnlocked(const std::string& path, bool lock);
    bool DoAutoBackup(const std::string& path);
    bool AutoSave();
    bool DeleteAutoSaveTempFile();
    void AfterSave();

    // ---- the link to a parent diagram
    std::string* GetParentLinkRec() { return &m_strParent; }
    bool HasParentLink() const { return !m_strParent.empty(); }

    // ---- views
    void AddView(IDocView* view);
    void RemoveView(IDocView* view);
    void UpdateAllViews(IDocView* sender, int hint, const CRect* rect);
    // Redraws the object's area unless the update lock is set.
    void InvalidateObj(const CDiagObj* obj);
    // The spatial index of the objects (ObjIndex.h); a cache, so a const
    // document hands it out too.
    CObjIndex& ObjIndex() const { return *m_pObjIndex; }

    // ---- current styles
    // Each stores the index and refreshes the working copy (even when the
    // index is unchanged); answers whether the index changed.
    bool SetCurFigStyle(int index) override;
    bool SetCurConStyle(int index) override;
    bool SetCurLblStyle(int index) override;
    void ResetCurLblStyle();
    void ClearCurStyleMark() { m_bCurFigStyleChanged = 0; }
    void ClearCurConStyleMark();
    void ShowPendingMessage();
    int GetConStubLen() const { return m_nFigMarginMode == 1 ? m_nFigMarginLeft : 12; }
    bool IsOversizeTextRect() const;
    bool UseFullColorIcons() const;
    void EnterStyleCreateMode(int kind);
    void SetShadowSettings(const CShadowSpec& spec);
    // The document's shadow settings copied out (nothing for null).
    void GetShadowSettings(CShadowSpec* out) const
    {
        if (out)
            *out = m_shadowSpec;
    }

    // ---- style menus and button layouts (CKavoDocStyleMenus.cpp)
    // After a load: layouts with content resolved, the others rebuilt from
    // the libraries; then the styles' flags follow the layouts.
    void InitStyleMenus();
    void SyncStyleFlags();
    // The six layouts brought in line with the libraries; *changed set when a
    // button layout changed (menus do not count).
    void UpdateStyleMenusAndButtons(int* changed);
    // The layouts of no content: buttons undefined, their saved sizes the
    // presets, menus empty.
    void ResetStyleLayouts();

    // ---- figure and label styles (CKavoDocStyles.cpp). Style edits are not
    // undoable: each resets the undo log.
    // Adds the style (category "(no category)" stored empty); false, with
    // message 438, when the library refuses it (empty, too long or duplicate
    // name, full library).
    bool AddNewFigStyle(const CFigStyle& style);
    // Replaces the contents of a style, texts cut to their limits, and
    // re-applies it to its figures.
    bool ReplaceFigStyle(int index, const CFigStyle& style);
    bool ReplaceFigStyleFrom(int index, const CFigStyle& style) { return ReplaceFigStyle(index, style); }
    // Every index the document holds (current figure and label styles, the
    // three slots, the figures') stays on its style or becomes -1.
    bool DeleteFigStyle(int index);
    // 1 renamed or unchanged, 0 refused (bad index, empty or used name).
    int RenameFigStyle(int index, const std::string& name);
    void RenumberFigStyleIndexes(int deleted, bool beforeDelete);
    // The style shared by the selected figures (or labels), -1 when mixed or
    // none. A query: nothing changes.
    int GetCommonSelStyle(bool labels) const;
    void UpdateFiguresOfStyle(int index, int oldSymbol);
    // Every figure style and then every connector style applied again to the
    // objects that follow it (styles taken in from another file); the undo
    // log is reset afterwards.
    void ReapplyAllStyles();
    void ReapplyConStyle(int index);
    // New Style From (kind 0 figure, 1 label, 2 connector): a new style from
    // the first selected object of the kind, named in the style-name dialog
    // (CKavoDocStyleFrom.cpp); the object then takes it.
    bool NewStyleFrom(int kind);
    // Update Style From: the object's style made to resemble it, after a Yes.
    bool UpdateStyleFrom(int kind);

    // ---- applying properties (CKavoDocApplyProps.cpp). Target 0 figures,
    // 1 labels, 2 both; one undo step UDMAC_FIGPROPS.
    void ApplyPropsToSelection(int target, const struct FigPropValues& values, const CFigPropMask& mask);
    // False when the undo log refused a record.
    bool ApplyPropsToKind(bool labels, const FigPropValues& values, const CFigPropMask& mask, bool groupAnswer);
    // False, with nothing changed, when the undo log refuses a record.
    bool ApplyFigProps(CFigure* fig, const FigPropValues& values, const CFigPropMask& mask, bool groupAnswer);
    void ApplyTextFormatToSel(WORD format);
    // The rotation on every selected free single-area label, UDMAC_TXTROTATE.
    void ApplyTextRotationToSel(int rotation);
    // The font choice on every selected figure with text areas, one undo
    // step UDMAC_FIGPROPS (CKavoDocApplyText.cpp).
    void ApplyFontToSel(const struct FontChoice& choice);
    // Activate/De-activate container: the first selected container's flag
    // 0x20000000 flipped, UDMAC_ACTIVATECONTAINER.
    bool OnActivateContainer();
    // The masked connector properties on every selected connector, one undo
    // step UDMAC_CONPROPS.
    void ApplyConProps(const CConProps& props, const CConPropMask& mask);
    // The end symbol (index in m_endSymbols) at one end, logged (records 35
    // and 37); the end's fill is the line colour for a filled symbol, else
    // white. SetConEndSymbol wraps it in a step unless nothing changes.
    bool ChangeConEndSymbol(CConnector* con, int end, int symbol);
    void SetConEndSymbol(CConnector* con, int end, int symbol);
    // Which end of the connector the point refers to.
    bool PickConEnd(const CConnector* con, const POINT& pt, int& end) const;
    // The points of a loop connector from the figure back to itself at the
    // position kind (1..8); false for no figure, a radius of 0 or less, kind
    // 0, a figure without width or height, or a connection point already at
    // the start.
    static bool MakeSelfRefPoints(const CFigure* fig, int kind, int radius, std::vector<POINT>& points);
    // The loop connector through those points (the windows' seam makes
    // it); the connectors are laid out again. AddSelfRef wraps it in one
    // UDMAC_ADDSELFREF step, undone when no loop was made.
    bool MakeSelfRef(CFigure* fig, int kind, int radius);
    bool AddSelfRef(CFigure* fig, int kind, int radius);
    // The loop itself: connectors with the current connector properties
    // from the figure through junctions at the inner points and back to the
    // figure (the first and last points stand for the figure), drawn as one
    // line. The last connector made; null when the list holds no inner
    // point or the connectors could not be made.
    CConnector* MakeSelfLoopCon(CFigure& fig, const std::vector<POINT>& points);
    // The look most figures share (with a symbol-name prefix, those of such
    // symbols; without figures, the figure styles) written into the record:
    // each property whose commonest value holds 80 percent.
    void ApplyDominantProps(CFigProps& props, const char* prefix) const;

    // ---- object lists: appends
    bool AddFig(CFigure* fig);
    bool AddCon(CConnector* con);
    bool AddStaple(CStaple* staple);
    bool AddGroup(CGroup* group);
    bool AddFigUndo(CFigure* fig);
    bool AddConUndo(CConnector* con);
    bool AddStapleUndo(CStaple* staple);
    bool AddGroupUndo(CGroup* group);
    bool AddFigWithId(CFigure* fig);
    bool AddConWithId(CConnector* con);
    bool AddStapleWithId(CStaple* staple);
    bool AddGroupWithId(CGroup* group);
    CFigure* CreateFigAt(const POINT& pt, int data);
    // A connector with the style's properties between the two ends (each a
    // figure or null, with its connection point and end point), given a
    // fresh id and attached to its end figures. Null when it cannot be added.
    CConnector* CreateCon(CFigure* end1, CFigure* end2, int conPt1, int conPt2, const POINT& pt1,
                          const POINT& pt2, int style, const CConProps& props);
    // Whether the two connectors meeting at an automatic junction can be
    // joined into one.
    bool CanMergeAtJct(const CFigure* jct) const;
    // A new figure in one undo step of the kind (-1: inside the caller's
    // step); a special shape's row may replace the kind and sets the figure
    // up; with the label flag and a text a figure label is made and stapled.
    // With pinToHost (a creation that is not freeform) a figure of a pin kind
    // takes its row's creation step and is linked to the host it lies on.
    CFigure* AddNewFig(int kind, CFigure* fig, bool noSelect, bool label = false,
                       const std::string& labelText = std::string(), const CFigStyle* sourceStyle = nullptr,
                       bool pinToHost = false);
    // A picture figure of the block (kind 1, 2, 3 or 9) at pos with the given
    // size, added in an undo step of insertMode; with NonRectBounds its hot
    // zone is traced from the picture. False (the block still the caller's)
    // when nothing was added. Defined with the picture import.
    bool AddGraphicAsFig(int insertMode, HGLOBAL block, int kind, const POINT& pos, int width, int height);
    // ---- figure labels around a figure (CKavoDocFigLabels.cpp): position
    // codes 1..12 clockwise from the top left.
    void CalcFigLblRect(const CFigure* fig, const CSize& size, int code, CRect& out, int gap) const;
    // The label spacings: x between a label and its figure, y between a
    // label and its connector; LabelGapFor gives the gap a spacing setting
    // stands for.
    void GetLabelSpacing(int& x, int& y) const;
    int LabelGapFor(int spacing) const;
    int GetFigLblGap() const;
    int GetConLblGap() const;
    // The label style of automatic figure labels: the style named by
    // m_strAutoLabelStyle, else the current label style (index -1 then).
    const CFigStyle& GetAutoLblStyle(int& index) const;
    // The two flow-label slots where the connector meets the figure
    // (LabelPlacement.h); false when there are none.
    bool CalcFlowLblRects(const CConnector* con, const CFigure* fig, const CSize& size, int gap, int inflate,
                          CRect& r1, CRect& r2, int& corner1, int& corner2) const;
    CFigure* AddAutoFigLabel(CFigure* fig, const std::string& text);
    // The label of a figure-label staple goes to position `code` at the
    // label gap, with that position's anchors, offset and text alignment
    // (its properties, the staple and its rectangle logged first). 1 moved,
    // 0 already there (or not a figure label), -1 a record refused.
    int PlaceFigLblAt(CStaple* staple, int code);
    // ---- label drop targets (CKavoDocLabelTargets.cpp)
    // The figure (front first; no label, visible, in no group) beside which a
    // label of `size` at pt takes a position code, and the code; with
    // SnapToFigLblPrimarySlotOnly only the primary position counts, and the
    // figure must be the first thing met from pt toward its centre.
    CFigure* FindFigLblPosAt(const POINT& pt, int tol, const CSize& size, int& code) const;
    // That position when it is free and the figure in no group: the figure,
    // the code and the label's rectangle there; null otherwise.
    CFigure* FindFreeFigLblPosAt(const POINT& pt, int tol, const CSize& size, int& code, CRect& rect) const;
    // Finds a free position and staples the label there (not logged as a
    // step of its own).
    bool TryStapleToFigAt(const POINT& pt, int tol, const CSize& size, CFigure*& fig, CFigure* label, int& code);
    CStaple* FindFigLblStapleAtPos(const CFigure* fig, int code) const;
    // The n-th figure-label staple of the figure (from 0, list order).
    CStaple* FindFigLblStaple(const CFigure* fig, int n) const;
    int CountFigLabels(const CFigure* fig) const;
    // The free flow-label slot under pt (connectors front first, end 1 then
    // end 2); `within` limits the connectors and figures looked at.
    bool FindFlowLblSlotAt(const CSize& size, int inflate, int gap, const POINT& pt, const CRect* within,
                           CFigure*& fig, CConnector*& con, CRect& rect, int& slot, int& corner) const;
    CStaple* FindFlowLblStaple(const CConnector* con, const CFigure* fig, int slot) const;
    // The connector (front first; in no group, carrying no connector or
    // lateral label) beside which a lateral label of `size` at pt goes: the
    // signed offset (+gap on the side PlaceLatLbl puts a positive offset,
    // else -gap), the label's rectangle and alignment. With maxDist >= 0 the
    // point must lie within it of the line.
    bool FindLatLblSlotAt(const CSize& size, int gap, int consistency, const POINT& pt, int maxDist,
                          CConnector*& con, int& offset, CRect& rect, WORD& align) const;

    // ---- flow-label upkeep (CKavoDocFlowLabels.cpp): the flow labels where
    // `con` meets `fig`. Cut (their labels too when asked; 0 for a null
    // argument), or moved onto a new connector and or figure (each staple
    // logged; false when a record is refused or an argument is null).
    int CutFlowLbls(CFigure* fig, CConnector* con, bool deleteLabels);
    bool ReplaceFlowLblCon(CFigure* fig, CConnector* oldCon, CConnector* newCon);
    bool ReplaceFlowLblFig(CFigure* fig, CConnector* con, CFigure* newFig);
    bool ReplaceFlowLblConFig(CFigure* fig, CConnector* oldCon, CConnector* newCon, CFigure* newFig);
    // A flow label whose connector and attached ends all are in the drag set.
    bool IsFlowLblInSet(const CFigure* label) const;
    // ---- labels: stapling, attach and detach (CKavoDocLabels.cpp)
    // Pins the label at position code 1..12 of the figure (any other code:
    // where it is, by the centres); the label's properties are logged.
    CStaple* StapleLblAsFigLbl(CFigure* label, CFigure* fig, int code);
    CStaple* StapleLblAsFlowLbl(CFigure* label, CFigure* fig, CConnector* con, int slot);
    // Each in its undo step, or joined to the last step when `join` and its
    // code is the attach's own.
    bool AttachLblAsFigLbl(CFigure* label, CFigure* fig, int code, bool join);
    bool AttachLblAsFlowLbl(CFigure* label, CFigure* fig, CConnector* con, int slot, bool join);
    // A lateral label beside the connector at the point's place on it.
    CStaple* StapleLblAsLatLbl(CFigure* label, CConnector* con, const POINT& pt, int offset, int consistency);
    bool AttachLblAsLatLbl(CFigure* label, CConnector* con, const POINT& pt, int offset, int consistency,
                           bool join);
    // ---- connector labels and new-label sizes (CKavoDocConLabels.cpp)
    // The style a label setting names when the figure-style library has it,
    // else the current label style (index m_nCurLblStyle then).
    const CFigStyle& GetLblStyleNamed(const std::string& name, int& index) const;
    int GetConLblStyleIndex() const;
    int GetFlowLblStyleIndex() const;
    int GetAutoLblStyleIndex() const;
    // The size a new label's default text takes in each kind's style (one
    // short line, 70 wide and 30 high, while it has no text).
    CSize GetNewLblSize() const;
    CSize GetConLblStyleSize() const;
    CSize GetNewLatLblSize() const;
    CSize GetNewFlowLblSize() const;
    CSize GetNewFigLblSize() const;
    // The lateral offset of a label beside the connector: the connector
    // spacing, doubled for a fresh fragment (both ends free, length exactly
    // the style's fragment length, fragment creation on).
    int GetLatLblOffset(const CConnector* con) const;
    // Puts the label directly in front of its connector (logged).
    bool PutLblInFrontOfCon(CFigure* label, const CConnector* con);
    // Pins the label on the connector at pt (connector-label flags, text
    // centred; its properties logged).
    CStaple* StapleLblAsConLbl(CFigure* label, CConnector* con, const POINT& pt);
    // The label a new connector of a style with an automatic label gets:
    // beside it (side 1 +offset, else -offset) when the current connector
    // style places it so, else on its middle; inside the caller's step.
    CFigure* CreateAutoConLbl(CConnector* con, const std::string& text, int side);
    // Cuts the label's staple; a connector label loses its connector-label
    // flags. False when a record is refused.
    bool UnstapleLbl(CFigure* label);
    // Attach Label to Figure and Detach Label.
    bool OnAttachLblToFig();
    void OnDetachLbl();
    // Make Same Size: kind 0 height, 1 width, 2 both (CKavoDocSameSize.cpp).
    void MakeSameSize(int kind, bool applyToGroups);
    void OnSameWidth();
    void OnSameHeight();
    void OnSameSize();
    CFigure* AddCopyOfFig(const CFigure* fig, int idOffset);
    CConnector* AddCopyOfCon(const CConnector* con, int idOffset);
    CConnector* DuplicateCon(const CConnector* con);
    CStaple* AddCopyOfStaple(const CStaple* staple, int idOffset, int objIdOffset);
    CGroup* AddCopyOfGroup(const CGroup* group, int idOffset, int memberIdOffset);

    // ---- cut (logged) and delete (not logged)
    bool CutFig(CFigure* fig, int position);
    bool CutCon(CConnector* con, bool keepJunctions, bool merge, int position);
    bool CutStaple(CStaple* staple, int position);
    bool CutGroup(CGroup* group, int position);
    bool CutObj(CDiagObj* obj, int position);
    // Takes the object out of every group (logged); false, with nothing
    // changed in the group the record was refused for, when the log refuses.
    bool RemoveFromGroups(CDiagObj* obj);
    void DeleteFig(CFigure* fig, bool redraw);
    void DeleteCon(CConnector* con, bool redraw, bool keepJunctions, bool merge);
    // Takes the connector out and frees it, every reference to it dropped,
    // and changes nothing else (the removal that undo replays).
    void RemoveConOnly(CConnector* con, bool redraw);
    // Flips the connector and the staples on it, logged (its ends first, so
    // that undo puts the route back as it was).
    bool FlipCon(CConnector* con);
    void DeleteStaple(CStaple* staple);
    // Cuts a junction no connector uses any more; whether it was cut.
    bool CutOrphanJunction(CFigure* jct);
    void DeleteGroup(CGroup* group);
    // The figure-link staple between two figures, or null.
    CStaple* FindFigLinkStaple(const CFigure* a, const CFigure* b) const;
    CGroup* FindGroupById(int32_t id) const;
    // The connectors joined to `start` through redundant junctions, in line
    // order from one end of the chain to the other.
    std::vector<CConnector*> GetConChain(CConnector* start) const;
    // Logged changes: the figure's rectangle (record 1) and an object's
    // z-order position (record 5, 1-based).
    bool SetFigRect(CFigure* fig, const CRect& rc);
    // The figure's rectangle (logged) and then its connectors re-laid
    // (CKavoDocFigMove.cpp); false when a record is refused.
    bool MoveFigToRect(CFigure* fig, const CRect& rc);
    // Redraws the connectors ending on the figure and re-lays those whose
    // ends no longer meet their figures where they should (each logged
    // first). How many were re-laid; -1 when a record is refused.
    int RelayAttachedCons(const CFigure* fig);
    // The same for many figures, gathering the connectors in one walk.
    int RelayAttachedCons(const std::vector<CFigure*>& figs);
    int RelayCons(const std::vector<CConnector*>& cons);
    bool MoveObjInList(CDiagObj* obj, int position);
    // The texts of one area (-1: both whole), logged as record 11.
    bool SetFigTextArea(CFigure* fig, int area, const std::string& text, const std::string& secondText);
    // The step an in-place text edit of one area is undone by: the figure's
    // place in the order, the area's texts, its rectangle and its properties.
    bool LogTextEditStep(CFigure* fig, int area);
    CStaple* FindStapleById(int32_t id) const;
    // ---- staple maintenance and lookups (StapleMaintenance.cpp, Trunks.cpp)
    int UpdateAllStaples(int log);
    CStaple* FindConLblStaple(const CConnector* con) const;
    CStaple* FindLatLblStaple(const CConnector* con) const;
    CStaple* FindLatLblStapleOfLabel(const CFigure* label) const;
    CStaple* FindConOrLatLblStaple(const CConnector* con) const;
    CStaple* FindFigLink(const CFigure* fig, const CFigure* leader) const;
    CStaple* FindFigLinkFrom(const CFigure* fig) const;
    CStaple* FindFigLinkTo(const CFigure* fig) const;
    CStaple* FindFigLinkBetween(const CFigure* a, const CFigure* b) const;
    bool AreFigsLinked(const CFigure* a, const CFigure* b) const { return FindFigLinkBetween(a, b) != nullptr; }
    // Figures joined by figure links, followed both ways, form a cluster:
    // a figure's redraw while the drop shadow shows covers the whole
    // cluster, and its shadow is cast over the outlines of the cluster's
    // other figures that have a drop shadow, each outline once per drawing
    // pass. `outlined` holds the pass's figures whose outline was cast;
    // reached figures are added to it. (A set of the pass, not a flag on the
    // figure: export draws bands of one document on several threads.)
    void GetLinkedClusterRect(CRect& rect, const CFigure* fig) const;
    // `outlineOf` gives a figure's outline polygon as drawing shapes it; by
    // default its outline points, else its rectangle.
    using FigOutlineFn = std::vector<CPoint> (*)(const CFigure& fig);
    void CollectLinkedShadowOutlines(std::vector<std::vector<CPoint>>& outlines, const CFigure* fig,
                                     std::unordered_set<const CFigure*>& outlined,
                                     FigOutlineFn outlineOf = nullptr) const;
    // The figure-label staples of the figure, in staple-list order.
    const std::vector<const CStaple*>& FigLabelStaplesOf(const CFigure* fig) const
    {
        return m_stapleLabels.LabelsOf(*m_pStapleList, fig);
    }
    // The figure links at either end of the figure, in staple-list order.
    const std::vector<const CStaple*>& FigLinkStaplesOf(const CFigure* fig) const
    {
        return m_stapleLabels.LinksOf(*m_pStapleList, fig);
    }
    int MoveConLabel(CStaple* staple, CConnector* con, const POINT& pt);
    // A connector label anchored where `pt` lies on the label; null on failure.
    CStaple* CreateConLblStaple(CConnector* con, const POINT& pt, CFigure* label);
    // From the head: staples never given an id are removed and deleted.
    void DiscardUnaddedStaples(std::vector<CStaple*>& staples);
    void InvalidateStapled(CDiagObj* obj);
    void RefreshStapleSnapshots();
    void RefreshFigSnapshots(const CFigure* fig);
    int UpdateTrunks(int redraw);
    bool IsEndPairKinds(int endSymbolA, int endSymbolB) const;
    CFigure* FindTrunkNodeFor(const CFigure* fig) const;
    CFigure* FindLinkedJunction(const CFigure* fig, const CFigure* node) const;
    // The figure link node -> interface at the meeting point.
    bool LinkInterface(CFigure* fig, CFigure* node, const POINT& meet);
    // Commands 32828..32830 on the one selected association label.
    int OnAssociationDirection(int command);
    int GetGroupPosition(const CGroup* group) const;

    // ---- selection (the older entry points; they add or remove one object)
    bool Select(CDiagObj* obj);
    void RemoveFromSelection(CDiagObj* obj);
    void ClearSelection();

    // ---- counts and lookups (CKavoDocSelection.cpp). Filter kinds and group
    // modes of the selection look-ups: group mode 0 ungrouped objects only,
    // 1 all, 2 ungrouped preferred.
    int GetObjCount() const { return m_pObjList->m_nFigCount + m_pObjList->m_nConCount; }
    int GetSelCount() const { return m_pSelList->m_nFigCount + m_pSelList->m_nConCount; }
    int GetSelFigCount() const { return m_pSelList->m_nFigCount; }
    int GetConCount() const { return m_pObjList->m_nConCount; }
    int CountVisibleFigs() const;
    int CountAttachedLbls() const;
    CFigure* GetFirstSelFig(int filter, int groupMode, int* count = nullptr) const;
    int CountSelFigs(int filter, int groupMode) const;
    CConnector* GetFirstSelCon(int filter, int groupMode, int* count = nullptr) const;
    int CountSelCons(int filter, int groupMode) const;
    CDiagObj* GetFirstSelObj(int filter, int groupMode, int* count = nullptr) const;
    CFigure* GetTopSelFig() const;
    bool IsConSelectedOnFig(const CFigure* fig) const;
    int GetConsOnFig(const CFigure* fig, CConnector*& first, CConnector*& second) const;
    int GetUnmarkedConsOnFig(const CFigure* fig, CConnector*& first, CConnector*& second) const;
    int GetUnselectedConsOnFig(const CFigure* fig, CConnector*& first, CConnector*& second) const;
    int CountMarkedObjs() const;
    bool OverlapsLaterObj(const CDiagObj* obj, int passOn) const;
    void ClearTempFlags();

    // ---- selection changes (modes: 1 clear first, 2 add, 3 toggle)
    int SelectObj(CDiagObj* obj, int mode, int lock, int hint);
    int SelectConAndEnds(CConnector* con, int mode, int lock, bool withEnds);
    void SelectInRect(const CRect& rc, int mode);
    bool AddFigToSel(CFigure* fig, int mode, bool redraw);
    bool AddConToSel(CConnector* con, int mode, bool redraw);
    bool AddObjToSel(CDiagObj* obj, int mode, bool redraw);
    void AddGroupToSel(CGroup* group, int mode, bool redraw);
    void RemoveFigFromSel(CFigure* fig, bool redraw);
    void RemoveConFromSel(CConnector* con, bool redraw);
    void ClearSel(bool redraw);
    // The Deselect All command: 0 when nothing was selected.
    int DeselectAllObjs();
    void SelectAll();
    // The move context of the selection against the object list.
    void RefreshSelection(int hint = 0);
    void ReselectAfterUndo();
    void SelectMarked(int mode);

    // ---- hit tests (CKavoDocHitTest.cpp)
    CDiagObj* ObjFromPoint(int x, int y, int tolerance, bool skipReplaced, int styleFilter, int passA, int passB,
                           POINT* out = nullptr, bool conEnds = false) const;
    CConnector* ConFromPoint(int x, int y, int tolerance, bool skipReplaced, POINT* out = nullptr) const;
    CFigure* FindTopFig(int x, int y, int filterPass, bool skipReplaced, bool skipExcluded, const CDiagObj* excluded,
                        int styleFilter, int passA, int passB) const;
    CConnector* SelConEndFromPoint(const POINT& pt, int& end, int handleSize) const;
    CConnector* FreeConEndFromPoint(int x, int y, int handleSize, CFigure** fig) const;
    CConnector* FindConNearPoint(int x, int y) const;
    // Union of the bounding rectangles (kind, extra) of a set: type 1 the
    // selection, 2 objects with the set flag, others all of the list (the
    // object list when none is given).
    CRect GetObjSetRect(int setType, int kind, int extra, const CObjList* list, bool skipHidden) const;
    void InvalidateGroup(const CGroup* group);
    void RefreshObj(CDiagObj* obj, int hint);
    bool InvalidateAttachedCons(const CDiagObj* obj);
    void IsFigAttached(const CDiagObj* obj);
    void ValidateCons();
    void DumpObjs() const;

    // ---- marking passes and cascades (CKavoDocMarks.cpp)
    void BeginMarkPass();
    void EndMarkPass(int mode);
    void MarkObj(CDiagObj* obj, int mode, bool clear = false);
    void MarkFigCascade(CFigure* fig, int mode, bool clear = false);
    void MarkObjCascade(CConnector* con, int mode, bool withEnds, bool clear = false);
    void MarkGroupMembers(CGroup* group, int mode, bool clear = false);
    void MarkJctCons(CFigure* jct, int mode, bool clear = false);
    // One step of a mark cascade: run at once, or queued behind the one
    // running (the cascade works from a list, see CKavoDocMarks.cpp).
    void RunMarkCascadeStep(int kind, void* target, int mode, bool withEnds, bool clear);
    void MarkSelection(int mode);
    CConnector* GetConEndFig(int end, CConnector* con, bool sameDirection);
    void MarkChainFromFig(CFigure* fig, int conMode);
    void MarkAttachedCons(CFigure* fig);
    void MarkConChain(CConnector* con);
    void MarkFigLinkCons(CFigure* fig);
    void FindObjsInsideFig(CFigure* container, int mode);
    void SaveAndClearMarks();
    void MergeSavedMarks();
    void UpdateGroupMarks();
    void MarkForCut();
    void CutObjAndCascade(CDiagObj* obj);
    void CutCascadedObjs();
    void CutReplacingObjs();

    // ---- moving and z-order (CKavoDocMove.cpp)
    // The pin switch (the arrow-key nudge; off for the move drag) slides a
    // pinned figure whose host stays only along the host's side.
    int MoveSelection(int dx, int dy, int passOn, bool pinSwitch);
    int MoveObjList(const CObjList* list, int dx, int dy, int passOn, bool pinSwitch);
    bool ResizeFigWithUndo(CFigure* fig, const CRect& rc, int passOn);
    bool SetTextRotationWithUndo(CFigure* fig, int rotation, int passOn);
    void TrackDragObjs(CDC* dc, int dx, int dy);
    void TrackFigDrag(CDC* dc, bool show, CFigure* fig, int dx, int dy);
    void BringToFront();
    void SendToBack();
    void BringForwardOne();
    void SendBackOne();
    // 1-based positions; the object now at `to`, the object itself when the
    // positions are equal, null when either is out of range.
    CDiagObj* MoveObjInList(int from, int to, bool redraw);
    CStaple* MoveStapleInList(int from, int to);
    CGroup* MoveGroupInList(int from, int to);
    bool MoveObjToFrontWithUndo(CDiagObj* obj, bool redraw);

    // ---- flow edits (CKavoDocFlow.cpp)
    int DeleteJunctions();
    CConnector* MergeConsAtJct(CConnector* c1, CConnector* c2, bool relabel);
    void FlipSelCons();
    int DetachSelFromFlow();
    // Both join the last undo step (the move that dropped the figure) unless
    // `ownStep` asks for a step of their own.
    bool SplitConAtFig(CFigure* fig, CConnector* con, const POINT& pt, bool ownStep = false);
    bool ReplaceJctByFig(CFigure* fig, CFigure* jct, bool ownStep = false);
    bool ReattachConEnd(CConnector* con, int end, CFigure* fig, int32_t conPtId, const POINT& pt);
    bool AttachToStapleWithUndo(CStaple* staple, CDiagObj* obj, int role);
    int SnapObjToGrid(CDiagObj* obj);
    void SelectFlagged(int mode);
    void ClearSetFlags();
    // The figure's attachment slots as the open undo step found them.
    void MemoFigSlots(const CFigure* fig);

    // ---- connection points added, moved and deleted by hand or by
    // connector drawing (CKavoDocConPts.cpp). Each replaces the figure's
    // list through the figure-property change, which logs the records.
    // Junctions, figures whose points are switched off and, in trunk
    // diagrams, trunk objects and shape kinds 17..25 take no points.
    bool AcceptsConPts(const CFigure* fig) const;
    // Steps UDMAC_ADDCONPT, UDMAC_DELCONPT, UDMAC_MOVECONPT; false (no step
    // left behind) when nothing changed.
    bool AddConPtWithUndo(CFigure* fig, const POINT& pt, const char* name, bool automatic);
    bool DelConPtWithUndo(CFigure* fig, int32_t key);
    bool MoveConPtWithUndo(CFigure* fig, int32_t key, const POINT& pt);
    // Inside the caller's step; the new point's key in `key`.
    bool AddAutoConPt(CFigure* fig, const POINT& pt, int32_t& key, bool automatic, bool second);
    // An automatic point no connector end uses is removed: one point, or
    // every such point of every figure.
    bool DropAutoConPt(CFigure* fig, int32_t key);
    void PurgeAutoConPts();
    int CountConsAtConPt(const CFigure* fig, int32_t key) const;
    // "&Use Connection Points": switches their use in the document and the
    // setting; switched off in the connection-point mode, the select mode
    // comes back. Views redrawn, settings saved.
    void OnUseConPts();

    // ---- connector drawing and junctions (CKavoDocConDraw.cpp,
    // CKavoDocJunctions.cpp)
    // The attach target of a connector end at `pt` (logical): the point is
    // kept in the work space and, with a reference point, pulled onto its
    // line within the tolerance. False outside the work space.
    bool FindConTarget(const POINT& pt, int tol, const POINT* ref, const ConTargetRules& rules,
                       ConTarget& out) const;
    // 0 valid, 1 figure to itself, 2 duplicate, 3 too short, 4 connector to
    // itself; only two-entry lists are checked.
    int CheckConPicks(const CFigPickList& list, bool rerouting) const;
    // The connectors of the list joined by junctions, inside the caller's
    // step; a re-route replaces `existing` at `end`. False when something
    // could not be made (the caller rolls its step back).
    bool CreateConFromPicks(CFigPickList& list, CConnector* existing, int end, CDiagObj** newObj);
    // The same in its own step (new connector 2, re-route 9); a failure
    // leaves no step and keeps the earlier ones.
    bool CreateConWithUndo(CFigPickList& list, CConnector* existing, int end, CDiagObj** newObj);
    // A junction at the point splits the connector (null when snipping or on
    // failure); snipping leaves two free ends pulled back by the gap. With
    // joinEnds a point on a free end puts the junction there instead.
    CFigure* SplitCon(CConnector* con, const POINT& pt, bool snip, int gap, bool joinEnds);
    CFigure* SplitConWithUndo(CConnector* con, const POINT& pt, int code);
    bool SnipConWithUndo(CConnector* con, const POINT& pt, int gap);
    // The selected ungrouped junctions are cut, their connectors freed and
    // pulled back by the gap; one step. How many junctions were cut.
    int DeleteJunctsSnip(int gap);
    // The ends of a connector of the current style placed by one click at
    // the point (length along its direction, centred there); false when the
    // style is not of fixed length.
    bool CalcFixedConEnds(const POINT& pt, CPoint& end1, CPoint& end2) const;
    // Attach mode 0 freeform, 1 centres, 3 click point: the document's and
    // the setting.
    void SetAttachMode(int mode);
    // The two halves of the connector split at the figure, added and
    // attached, its staples moved to them and the connector cut; inside
    // the caller's step.
    bool SplitConHalves(CFigure* fig, CConnector* con, const POINT& pt, CConnector* halves[2]);
    // A re-route of one end: the end re-attached to the pick's target.
    bool RerouteConEnd(CConnector* con, int end, const CFigPick& to, CDiagObj** newObj);

    // ---- groups (CKavoDocGroups.cpp)
    void OnGroup();
    void OnUngroup();
    void OnUngroupAll();
    void OnRegroup();
    bool CanGroup() const;
    bool SelHasGroupedObj() const;
    bool UngroupMarked();
    void SelectGroup(CGroup* group, bool redraw);
    // Closes a group or regroup step that succeeded and selects the group.
    void FinishGroupCommand(CGroup* group);
    void DeselectGroupObj(CDiagObj* obj, bool redraw);
    CGroup* GroupHandleHitTest(const POINT& pt, int size, int& handle) const;
    CDiagObj* GetFrontMember(const CGroup* group) const;
    CDiagObj* GetBackMember(const CGroup* group) const;
    int AskApplyToGroups(bool& answer);
    void MarkRelatedForGroup();

    // ---- snapping and placement (CKavoDocSnap.cpp)
    // The point snapped to the grid and guides with snapping on, or into the
    // polygon (steps 1) with snapping off.
    void SnapPt(POINT& pt, int polyCount = 0, const POINT* poly = nullptr) const;
    bool SnapPtMoved(const POINT& pt) const;
    void CollectConGuides(const POINT& pt, bool keep);
    bool CollectMoveSetGuides();
    int CollectConEndGuides(const CFigure* fig, bool keep);
    void StartPasteOffset(const POINT& pt);
    CPoint GetNewObjPos();

    // ---- pins: placed figures linked to their hosts (CKavoDocPins.cpp)
    // Twice the active view's hit tolerance, or the larger grid step when
    // snapping to the grid is on and that is larger; the inner snap is 2/3.
    int GetPinSnapDistance() const;
    int GetPinInnerSnap() const;
    // The best host of the row for the drag rectangle (front-most on a
    // tie); moveFlag skips the objects of the current move. margin -1: no
    // search rectangle.
    CFigure* FindPinHostForKind(const CRect& drag, const AttachKind& row, const CFigure* placed, int moveFlag,
                                int& distance, int margin) const;
    // Over the table; greatest -1: no limit on the distance.
    CFigure* FindPinHost(const CRect& drag, const CFigure* placed, const AttachKind** row, int moveFlag,
                         int& distance, int margin, int greatest) const;
    // Makes or renews the figure link (logged); null when refused. Without a
    // host only the placed figure's text is centred again.
    CStaple* PinFigToHost(CFigure* placed, CFigure* host, int rowId);
    void AlignPinText(CFigure* fig, const CStaple* link);
    // A just-added figure left on its host's place by the snap is linked.
    bool PinNewFig(CFigure* fig, int moveFlag);
    CStaple* GetPinLink(const CFigure* fig) const;
    // The nudge of a pinned figure whose host stays: only along the host's
    // side. 1 with the host and row id to renew the link, else 0.
    int LimitPinMove(CFigure* fig, int& dx, int& dy, CFigure** host, int& rowId) const;
    CFigure* FindDraggedPin() const;
    bool IsPinned(const CFigure* fig, bool twoWay) const;
    bool IsPinnedOn(const CFigure* a, const CFigure* b) const;
    bool HostHasPinOfKind(const CFigure* fig, int kind) const;
    bool IsPinnedOnKind(const CFigure* fig, int kind) const;
    CStaple* FindTwoWayLink(const CFigure* fig) const;
    // Detach (command 32832): the link of the one selected pinned figure is
    // cut in one undo step.
    void OnDetach();
    bool DetachFromPin();
    bool CutSelPinLink();
    bool CanDetach() const;

    // ---- the move context (built by the editing layer when installed)
    int BuildMoveContext(const CObjList* moving, const CObjList* objects, int unused, int mode);
    using MoveContextBuilder = int (*)(CKavoDoc& doc, const CObjList* moving, const CObjList* objects, int mode);
    static void SetMoveContextBuilder(MoveContextBuilder builder);
    // The single-guide snap of a move offset.
    void SnapMoveOffset(int& dx, int& dy) const;
    // A deleted object leaves the objects of the current move.
    void RemoveFromMoveSet(CDiagObj* obj);
    // The memory of the last dissolved group as an undo step found it.
    void RestoreLastUngroup(const std::vector<int32_t>& memo);
    // The point kept inside the work space and snapped to the grid.
    void ClampPtToWorkSpace(POINT& pt) const;

    // ---- undo log (the log itself is CUndoLog)
    CUndoLog& UndoLogRef() { return m_undo; }
    void ResetUndoLog() { m_undo.ResetUndoLog(); }
    int CanUndo() const { return m_undo.CanUndo(); }
    int InUndoStep() const { return m_undo.InUndoStep(); }
    bool NotInUndoStep() const { return !InUndoStep(); }
    void HoldUndoLog() { m_undo.HoldUndoLog(); }
    void ReleaseUndoLog() { m_undo.ReleaseUndoLog(); }
    // The records of this document's operations.
    int LogIdRecord(int type, int32_t id);
    int LogFigureCut(const CFigure* fig, int position);
    int LogConnectorEnds(int type, const CConnector* con);
    // The whole state of a figure (record 3) or connector (record 4, or 15
    // with its position), before a property change or a cut.
    int LogFigureState(const CFigure* fig);
    int LogConnectorState(int type, const CConnector* con, int position = 0);
    int LogGroupMemberRemoved(const CGroup* group, const CDiagObj* obj);
    int LogGroupCut(const CGroup* group, int position);
    int LogObjOrder(const CDiagObj* obj);
    // The texts of one area (-1 both whole) and the rectangle of a figure.
    int LogFigText(const CFigure* fig, int area);
    int LogFigRect(const CFigure* fig);
    // The active view's scroll position and zoom (record 24).
    int LogView(int x, int y, double zoom);
    // The document's line spacing (record 27), then the new one.
    bool SetLineSpacing(int mode, float value);
    // Smaller records, each before its change: a figure style's or connector
    // style's properties (by name), a figure's text rotation, connection
    // points, colours with fill, direction indicator; a connector's colours
    // and the end symbol at one end (by name).
    int LogFigStyleProps(const CFigStyle* style);
    int LogConStyleProps(const CConStyle* style);
    int LogTextRotation(const CFigure* fig);
    int LogFigConPts(const CFigure* fig);
    int LogFigColors(const CFigure* fig);
    int LogFigAssInd(const CFigure* fig);
    int LogConColors(const CConnector* con);
    int LogConEndSymbol(const CConnector* con, int end);
    // The colours (and fills) of every figure style and every connector
    // style, by name.
    // Objects with a style (all, or the selected ones) take their colours
    // from it again, each logged first when recordUndo.
    void ReapplyStyleColours(bool all, bool recordUndo);
    // "Apply Color Scheme..." (see ColorScheme.h).
    void OnApplyColorScheme();
    int LogFigStyleColors();
    int LogConStyleColors();
    // A whole figure or connector style; undo puts it back over the style of
    // the same name, the first entry included.
    int LogFigStyleState(const CFigStyle* style);
    int LogConStyleState(const CConStyle* style);
    // The Undo command: replays the last step.
    int UndoLastStep();
    // The Undo menu item: its text ("&Undo", then the last step's name and
    // the shortcut) and whether it is enabled.
    bool GetUndoMenuState(std::string& text) const { return m_undo.GetUndoMenuText(text) != 0; }

    // ---- IUndoHost
    bool IsUndoHostModified() const override { return IsModified(); }
    void SetUndoHostModified(bool modified) override { SetModifiedFlag(modified); }
    bool ReplayUndoRecord(int type, UndoReader& reader) override;
    std::vector<int32_t> TakeUndoStepMemo() override;
    // The staple replay remembers the last staple it restored.
    void NoteStapleRestored(CStaple* staple) { m_pLastRestoredStaple = staple; }
    void FinishUndoReplay(const std::vector<int32_t>* memo, bool relink) override;

    // ---- ISymbolUsers / IStyleIndexUsers
    CFigStylesLibrary* GetFigStyles() override { return &m_figStyles; }
    CConStylesLibrary* GetConStyles() override { return &m_conStyles; }
    bool IsSymbolUsedByFigures(int index) const override;
    // The highest symbol index a figure or the current styles hold.
    int HighestSymbolUsedByFigures() const;
    void ShiftFigureSymbolIndexes(int removed) override;
    void RemapFigureSymbolIndex(int from, int to) override;
    bool IsEndShapeUsedByConnectors(int index) const override;
    void ShiftConnectorEndShapeIndexes(int removed) override;
    bool IsFigStyleUsed(int index) const override;
    bool IsConStyleUsed(int index) const override;
    void BeforeFigStyleRemoved(int index) override;
    void AfterFigStyleRemoved(int index) override;
    void AfterConStyleRemoved(int index) override;
    void ReleaseSharedPicture(int kind, HGLOBAL handle) override;

    // ---- ISpecialShapeDoc (the figure text margins of special shapes)
    void GetFigMargins(int& left, int& right, int& top, int& bottom) const override;
    void StoreFigMargins(int left, int right, int top, int bottom) override;
    int FigureCount() const override { return m_pObjList->m_nFigCount; }
    ISpecialFigure* Figure(int index) override;
    void ApplyMarginsToStyles(int left, int right, int top, int bottom) override;
    void UndoBeginStep(int code) override { m_undo.UndoBeginStep(code); }
    bool UndoLogMargins(int left, int right, int top, int bottom, bool styles) override;
    void UndoEndStep() override { m_undo.UndoEndStep(); }
    void GetSnapSpacing(int& x, int& y) const override;
    void SetSnapSpacing(int x, int y) override;

    // ---- IActiveDocument
    bool HasSelection() const override { return !m_pSelList->IsEmpty(); }
    void DeselectAll() override { ClearSelection(); }
    void OnDeselectAll() override { DeselectAllObjs(); }
    void ClearTextObjIndex() override { m_nTextObjIndex = -1; }
    bool IsShowingConPts() const override { return m_bShowingConPts != 0; }
    void SetShowingConPts() override { m_bShowingConPts = 1; }

    // The figures and connectors of the object list.
    template <class Fn>
    void ForEachFigure(Fn fn) const;
    template <class Fn>
    void ForEachConnector(Fn fn) const;

    // ---- members, in declaration order
    int32_t m_fileOpState[6] = {};
    int32_t m_docWords[4] = {0, 0, 1, 0};
    int32_t m_bReadOnly = 0;
    CShadowSpec m_shadowSpec;
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    SymbolLibrary m_figSymbols;
    // Names of the symbol copies that reshape and stretch steps of these
    // contents made; only such a copy may go when its step is undone.
    std::vector<std::string> m_editSymbolCopies;
    ShapeLibrary m_endSymbols;
    CFigStylesLibrary m_figStyles{this};
    CConStylesLibrary m_conStyles{this};
    CPoint m_ptViewOrigin;
    float m_fViewScale = 100.0f;
    int32_t m_nCurFigStyle = -1;
    int32_t m_nCurConStyle = -1;
    // The connector style last shown in the connector styles sheet (-1
    // none): the sheet opens there when no connector style is current.
    int32_t m_nLastConStyleShown = -1;
    int32_t m_nCurLblStyle = -1;
    CFigStyle m_curFigStyle;
    CConStyle m_curConStyle;
    CFigStyle m_curLblStyle;
    int32_t m_bCurFigStyleChanged = 0;
    int32_t m_bCurConStyleChanged = 0;
    std::string m_strCurConStyleName;
    int32_t m_styleSlots[3] = {-1, -1, -1};
    std::string m_strLastEnd;
    int32_t m_nLastEndLen = 0;
    int32_t m_bSnapConPtsCenters = 1;
    int32_t m_bEnableConPts = 0;
    int32_t m_nFigLblPrimarySector = 0;
    int32_t m_bHasAutoSaveCopy = 0;
    int32_t m_nLineSpacingMode = 0;
    float m_fLineSpacingValue = 0;
    std::string m_strPendingMessage;
    CGroup m_lastUngroup;
    int32_t m_nPaper = 1;
    int32_t m_nPaperLength = 2794;
    int32_t m_nPaperWidth = 2159;
    int32_t m_nOrientation = 1;
    int32_t m_nPosterRows = 1;
    int32_t m_nPosterCols = 1;
    CRect m_rcWorkSpace{-16000, -16000, 16000, 16000};
    CRect m_rcPage;
    CRect m_rcPrintable;
    CRect m_rcSpare;
    double m_fMarginTop = 128.0, m_fMarginBottom = 128.0, m_fMarginLeft = 128.0, m_fMarginRight = 128.0;
    COLORREF m_colors[16] = {};
    int32_t m_nGridX = 0, m_nGridY = 0, m_nSnapX = 0, m_nSnapY = 0;
    int32_t m_nCornerRadius = 0;
    int32_t m_bFullColorIcons = 0;
    int32_t m_bLargeDropMenus = 0;
    int32_t m_nConPointMarks = 0;
    int32_t m_bTranspBMPs = 1;
    COLORREF m_crTranspColor = 0xFF00FF;
    int32_t m_bShowGrid = 0;
    int32_t m_bAlignToGrid = 0;
    int32_t m_bAlignToGridConPts = 0;
    int32_t m_nAttachMode = 0;
    std::string m_strAutoLabelStyle, m_strConLabelStyle, m_strFlowLabelStyle;
    std::string m_strParent;
    std::string m_strTemplate;
    int32_t m_nFigMarginMode = 0;
    int32_t m_nFigMarginTop = 12, m_nFigMarginBottom = 12, m_nFigMarginLeft = 12, m_nFigMarginRight = 12;
    CSize m_sizeIcon{16, 16};
    int32_t m_nSelfReferenceRadius = 0;
    int32_t m_nLabelToFigSpacing = -1, m_nLabelToConSpacing = -1;
    int32_t m_nSBarWidth = 128;
    int32_t m_nSBarWidthOrg = -1;
    int32_t m_styleBarDefaults[6] = {2, 1, 2, 28, 20, 32};
    int32_t m_bConnectorJogs = 0;
    int32_t m_nConnectorJogRadius = 18;
    int32_t m_bJunctionDots = 0;
    int32_t m_bOversizeTextRect = 0;
    CFontDesc m_defaultFont;           // the default text font and colour of the Globals
    COLORREF m_crDefaultText = 0;
    CStyleMenuLayout m_lblButtons, m_figButtons, m_conButtons;
    // The layouts to go back to; their BtnHeight and Columns are the saved
    // values a rebuilt layout takes.
    CStyleMenuLayout m_lblButtonsRestore, m_figButtonsRestore, m_conButtonsRestore;
    CSerialStamp m_figStyleStamp, m_lblStyleStamp;   // renewed on every style edit
    CLabelStyleMenu m_lblMenu;
    CFigureStyleMenu m_figMenu;
    CConnectorStyleMenu m_conMenu;
    CMoveSet m_moveSet;          // the objects of the current drag
    int32_t m_nNextId = 1;
    int32_t m_nNextStpId = 1;
    int32_t m_nNextGrpId = 1;
    std::unique_ptr<CObjList> m_pObjList;
    std::unique_ptr<CObjList> m_pStapleList;
    std::vector<CGroup*> m_groupList;   // owned
    CDocGraphics m_graphics;
    std::unique_ptr<CObjList> m_pSelList;
    // The objects by where they draw (declared after the lists it watches,
    // so that it goes first).
    std::unique_ptr<CObjIndex> m_pObjIndex;
    int32_t m_nUpdateLock = 0;
    CRect m_rcSelBounds;
    int32_t m_bPasteState = 0;
    int32_t m_bMarking = 0;
    int32_t m_nTextObjIndex = -1;
    int32_t m_bShowingConPts = 0;
    CSnapGuides m_snapGuides;
    int32_t m_bCutting = 0;       // the cut switch of MarkForCut
    CConnector* m_pDragTargetCon = nullptr;   // shown while a connector label is dragged

private:
    // ObjFromPoint over some of the objects, in list order.
    CDiagObj* ObjFromPointAmong(std::span<CDiagObj* const> objects, int x, int y, int tolerance, bool skipReplaced,
                                int styleFilter, int passA, int passB, POINT* out, bool conEnds) const;
    // Two connectors meeting at a shared end (`at`, or the first figure both
    // end at) joined into one; the shared figure is cut too when asked.
    CConnector* JoinCons(CConnector* c1, CConnector* c2, bool relabel, bool cutShared, CFigure* at);
    bool CanDetachFromFlow(CFigure* fig, CConnector*& a, CConnector*& b) const;
    bool AppendGroup(CGroup* group);
    void UnlinkFromGroups(CDiagObj* obj);
    void DeleteAllObjects();
    void DeleteAllStaples();
    void DeleteAllGroups();
    bool ReplayFigureState(UndoReader& reader);
    // The records of CKavoDocRecords.cpp; false for a type it does not know
    // or a body it cannot read.
    bool ReplaySmallRecord(int type, UndoReader& reader);
    bool ReplayStyleState(int type, UndoReader& reader);
    // After a replay (CKavoDocUndoDriver.cpp): attachments, staples, groups,
    // counters and the selection as the step found them.
    void RelinkAfterUndo(const std::vector<int32_t>* memo);
    void RelinkLinks(const std::vector<int32_t>* memo);
    void RestoreSelectionAfterUndo(const std::vector<int32_t>* memo);
    void RestorePinnedStaples(const std::vector<int32_t>& memo);

    CUndoLog m_undo{this};
    CSpecialFigureLink m_specialFig{*this, nullptr};
    int32_t m_bConRemovedByUndo = 0;
    CStaple* m_pLastRestoredStaple = nullptr;   // during a replay
    mutable StapleLabelIndex m_stapleLabels;
    CFigure* m_pFigBeingAdded = nullptr;        // while AddNewFig closes its step
    std::vector<IDocView*> m_views;
    int32_t m_bModified = 0;
    std::string m_strTitle;
    std::string m_strPathName;
};

#include "document/CConnector.h"
#include "document/CFigure.h"

template <class Fn>
void CKavoDoc::ForEachFigure(Fn fn) const
{
    for (CDiagObj* o : *m_pObjList)
        if (o->GetType() == kObjFigure)
            fn(static_cast<CFigure*>(o));
}

template <class Fn>
void CKavoDoc::ForEachConnector(Fn fn) const
{
    for (CDiagObj* o : *m_pObjList)
        if (o->GetType() == kObjConnector)
            fn(static_cast<CConnector*>(o));
}
