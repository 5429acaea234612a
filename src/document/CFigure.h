#pragma once
// A figure, label or junction: a rectangle drawn with the outline of a
// figure symbol, two texts split into text areas, an optional picture and
// outline polygon, its own connection points, and the first two connectors
// attached to it.
#include "core/GridSnap.h"
#include "shapes/CConPtList.h"
#include "document/CDiagObj.h"
#include "shapes/CFigProps.h"
#include "document/ShadowDescription.h"
#include "geometry/CHotZone.h"

#include <memory>
#include <string>
#include <vector>

class CConnector;
class CFigSymbol;
class CFigStyle;
class CDC;
class CRgn;

class CFigure : public CDiagObj {
public:
    static constexpr size_t kMaxText = 4095;
    static constexpr size_t kMaxSecondText = 1024;
    static constexpr int kMaxTextAreas = 32;
    static constexpr const char* kSectionSeparator = "\\sect ";

    // Sizing flags of the full constructor.
    struct CreateArgs {
        bool newFigureSizing = false;
        bool clearVerticalCentring = false;
        bool labelPreset = false;
    };

    // A figure of the given size at (x, y) with the appearance record, style
    // index, label flag and texts.
    CFigure(int x, int y, int height, int width, const CFigProps& props, int style, int label,
            const std::string& text, const std::string& secondText, const CreateArgs& args, CKavoDoc* doc);
    // An empty figure for loading.
    explicit CFigure(CKavoDoc* doc = nullptr);
    // A copy that is neither selected nor visited and has no attached
    // connectors (the count is kept; the caller attaches again).
    CFigure(const CFigure& o);
    CFigure& operator=(const CFigure& o);
    ~CFigure() override;

    int32_t m_nStyle = -1;
    CFigProps m_props;
    std::string m_strText;        // rich text, areas separated by "\sect "
    std::string m_strSecondText;
    int16_t m_nTextRotate = 0;
    double m_dIndicatorAngle = 0; // radians, 0 .. 2 pi
    CConnector* m_pIndicatorCon = nullptr;
    std::string m_strLink;
    CRect m_rect;
    int32_t m_bLabel = 0;
    CConnector* m_pAttachedCon1 = nullptr;
    CConnector* m_pAttachedCon2 = nullptr;
    int32_t m_nConnected = 0;
    int32_t m_nSavedConnected = 0;   // scratch copy while the list relinks
    int32_t TerminalJct = 0;
    int32_t AutoDelJct = 0;
    int32_t AssociationIndicator = 0;
    CHotZone m_outline;
    int32_t m_bHasConPts = 0;
    std::unique_ptr<CConPtList> m_pConPts;

    // ---- CDiagObj
    int GetType() const override { return kObjFigure; }
    FigFlagSet* GetFlagWord() override { return &m_props.Behavior; }
    void GetBoundRect(CRect& out, int mode, int tolerance) const override;
    // What its drawing covers: the rectangle with the shadow (the centre
    // point of an invisible figure). Unlike the bounds the selection plays no
    // part: a picture of the drawing is the same selected or not.
    void GetDrawnRect(CRect& out) const;
    int HitTest(int x, int y, int tolerance, bool strictRect, bool noTextAreas) const override;

    void ClearContents();
    // Forgets the picture (the document's graphics list keeps the memory).
    void ReleasePicture();
    FigFlagSet SetPropFlags(DWORD low, DWORD high, DWORD maskLow, DWORD maskHigh);

    // ---- texts
    // Area -1 sets both texts whole; otherwise replaces one section.
    void SetText(const std::string& text, const std::string& secondText, int area);
    void GetText(std::string& text, std::string& secondText, int area) const;
    void GetPlainText(std::string& out, int area) const;
    bool HasText() const;
    int GetTextAreaCount() const;
    const LOGFONT& GetFont() const { return m_props.m_font.m_lf; }
    DWORD GetTextAlign(DWORD high) const { return (high & 0xFFFF0000) | m_props.TextFormat; }

    // ---- geometry
    CPoint GetCenter() const { return m_rect.CenterPoint(); }
    CPoint CenterPoint() const { return m_rect.CenterPoint(); }
    void GetCenterXY(int& x, int& y) const;
    CPoint GetHandlePoint(int code) const;
    int CompassCell(int x, int y) const;
    CPoint GetConLabelAnchor() const;
    // Computes the moved rectangle; with apply the figure takes it. Snap
    // requests are dropped for the move unless keepSnapFlags. Whether the
    // rectangle changed.
    bool Offset(int dx, int dy, bool keepSnapFlags, bool apply);
    // The rectangle moved side by side (without changing the figure), with
    // the same flag handling as Offset.
    void OffsetRect(CRect& out, int dl, int dt, int dr, int db, bool keepSnapFlags);
    // The nearest point of the drawn outline parts to `pt` (replaced); 0 for
    // a picture figure, a junction or a symbol without an outline program.
    int NearestOutlinePoint(POINT& pt) const;
    // The figure's rectangle (size fixed by the caller); whether it changed.
    bool SetBounds(const CRect& rc, bool apply);
    // The rectangle snapped and sized for a move (handle 0) or a resize by
    // a handle: the document's grid and snapping switch, the anchor and
    // aspect bits of the flag word; low 128 / 256 take the text width /
    // height when given (not -1). Out (optional) receives the result.
    bool SetBounds(const CRect& rc, int height, int width, bool apply, int textHeight, int textWidth, int handle,
                   CRect* out = nullptr);
    // The rectangle a drag of the handle to (x, y) gives (anchors, symmetric
    // sizing and kept aspect by the flag word); with apply the figure takes
    // it. The flag word is restored whole.
    bool Resize(CRect& out, int handle, int x, int y, bool apply);
    void SetRectNoUndo(const CRect& rc) { m_rect = rc; m_rect.NormalizeRect(); }
    // ---- style and kind (CFigureKind.cpp)
    // Copies the style's connection points into a figure that has no list
    // of its own yet (points the figure was given are kept).
    void SyncConPtsFromStyle();
    // The selected properties set on the figure (CFigureSetProps.cpp); inStep
    // lets the figure's lock flags hold back place, size and text format.
    void SetProps(const struct FigPropValues& values, const CFigPropMask& mask, bool inStep);
    void Relink(const CObjList& objects) override;
    // The flag preset of the figure's kind applied to the given word; the
    // figure takes the bits the preset changed and those of the mask.
    FigFlagSet ApplyKindFlags(DWORD low, DWORD high, DWORD maskLow, DWORD maskHigh);
    // While a stapled label is sized without applying: the rectangle of that
    // size where its staple would put it.
    void FollowStapleForSize(CRect& rc) const;
    bool SetPolyPoints(int count, const POINT* points);

    // ---- text areas and handles
    // The symbol's text box `area` in the rectangle; 0 when there is none.
    int GetTextAreaRect(int area, CRect& out) const;
    // The first area (0..31) containing the point, hidden areas skipped on
    // request; -1 when none.
    int TextAreaFromPoint(const POINT& pt, bool skipHidden) const;
    // The handle (1..9) whose size x size square holds the point, tried in
    // the order 1, 7, 3, 9, 4, 6, 2, 8; a junction answers 5 at its centre.
    int HitTestHandles(const POINT& pt, int size) const;
    // A lateral label cannot be sized from the sides its position blocks.
    bool HandleAllowed(int handle) const;

    // ---- feedback drawing
    struct FeedbackContext {
        int crossHalfSize = 4;
        COLORREF background = 0xFFFFFF;
    };
    // Draws the figure while it is created, dragged or resized, on a device
    // context whose raster mode the caller has set: a picture figure as its
    // outline (R2_NOT), and the centre cross (R2_XORPEN) when asked. The
    // shape itself is drawn by the shape drawing code.
    void DrawFeedback(CDC* dc, const FeedbackContext& ctx, const RECT* rectOverride, bool centreCross) const;

    // ---- classification
    bool HasPicture() const { return m_props.HasGraphic(); }
    bool IsStapled() const { return m_pStaple != nullptr; }
    bool IsInGroup() const { return m_pGroup != nullptr; }
    // The row of the two-way figure link this figure takes part in, or null
    // (CKavoDocPins.cpp).
    const struct AttachKind* GetTwoWayLinkKind() const;
    bool HasConnected() const { return m_nConnected != 0; }
    // Attachment bookkeeping (CFigureAttach.cpp): the count goes up on every
    // attach, down (never below 0) on every detach; two slots remember the
    // first connectors. Traced under "ACDC".
    void AttachCon(CConnector* con);
    void DetachCon(CConnector* con);
    void UpdateAttached(CConnector* con);
    void ClearAttached();
    CConnector* OtherAttachedCon(const CConnector* con) const;
    // The centre for -1 and -2, else the own connection point's position.
    int GetConPtPos(int32_t id, const RECT& rect, CFltPoint& out) const;
    // The key of the point whose square of half-size `tolerance` holds pt;
    // with `nearest` (or low flag 0x2000000 without 0x8000000) the nearest
    // point. -1 when none (CFigureConPts.cpp).
    int ConPtFromPoint(const POINT& pt, int tolerance, bool nearest) const;
    // Where a connector end aimed from `from` meets this figure moved by the
    // offset: its centre (toCentre, or a junction), the target itself (low
    // flag 0x1000000 with a point id), a stapled figure label outside the
    // rectangle, the outline or rectangle, else the target.
    CPoint ClipConnectorEnd(int32_t id, const POINT& from, const CSize& offset, const POINT* fixedTarget,
                            bool toCentre) const;
    bool IsStyleBlank() const;
    bool IsInvisible() const;
    bool IsTwoWayJct() const;
    bool IsRedundantJct() const;
    bool IsBranchJct() const;
    bool IsHollow() const;
    bool HasTextAreas() const;
    bool IsConLabel() const;
    bool IsLatLabel() const;
    bool IsFigLabel() const;
    bool IsFlowLabel() const;
    bool IsFreeLabel() const;
    bool IsPlainFig() const;
    bool IsVisibleFig() const;
    bool IsFigWithoutCons() const;
    bool CanRotateText() const;
    bool IsPartition() const;
    // Whether typing may grow the figure (its text expands it sideways or
    // downward); text of a fixed-size figure is edited in the sheet.
    bool IsNotFixedSize() const;
    // Trunk diagrams (Trunks.cpp).
    bool IsTrunkObj() const;
    bool IsTrunkNode() const;
    bool IsTrunkLatLabel() const;
    // A label with a direction indicator on an interface connector's lateral
    // staple; hands out the connector and the staple.
    bool IsTrunkIfLabel(CConnector** con, CStaple** staple) const;
    bool ShadowAllowed() const;
    void GetShadow(CShadowSpec& out) const;
    bool HasOutline() const;
    // Where the outline comes from: 1 the own outline polygon, 2 the
    // symbol's outline (figures without picture), 3 the style's hot zone,
    // 0 none.
    int GetOutlineSource() const;
    // All four corners of the rectangle lie in the region.
    bool IsAllInRgn(const CRgn& region) const;
    // Drag feedback: the figure drawn at its rectangle moved by (dx, dy).
    void OffsetAndDraw(CDC* dc, const FeedbackContext& ctx, int dx, int dy, bool centreCross);
    // The outline mapped into rc (default: the rectangle); 0 when none.
    int GetOutlinePoints(std::vector<CPoint>& points, const RECT* rc = nullptr) const;
    bool HitTestRect(const POINT& pt, int tolerance) const;
    bool HitTestCenter(const POINT& pt, int size) const;
    bool IsAllInRect(const RECT& rc) const;
    // A picture figure whose style is missing or shows another picture.
    bool IsStyleStale() const;
    bool SymbolHasFill() const;

    // The figure symbol and style this figure uses, from its document.
    const CFigSymbol* GetSymbol() const;
    const CFigStyle* GetStyle() const;

protected:
    int ClassifyStockKind() const override;

private:
    void CopyFields(const CFigure& o);
    int AttachedCount() const { return m_nConnected; }
};

// Section `area` of a text split by "\sect ", "" when missing.
std::string GetTextSection(const std::string& text, int area);
// The text with section `area` replaced (missing separators appended).
std::string ReplaceTextSection(const std::string& text, int area, const std::string& section);
// True when the text is made only of "\sect " separators (or is empty).
bool IsOnlySeparators(const std::string& text);
