#pragma once
// A figure drawn with the program's own figure drawing, scaled into the
// window: the figure pages show the figure being edited in it. In point-edit
// mode its connection points can be picked, dragged and snapped (code 101 when
// a point is picked, 100 when one moved); in section mode a click picks a
// section of a multi-section symbol (code 100). A right click offers "Delete"
// (35813) and "Add" (35814) to the parent, which reads the click position in
// thousandths of the drawing rectangle.
#include "controls/PreviewMapping.h"
#include "platform/LogFont.h"
#include "shapes/CFigProps.h"

#include <QWidget>

#include <string>
#include <vector>

class CConPtList;
class CDC;
class CFigSymbol;
class CKavoDoc;

class CFigPreviewWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNotifyChanged = 100;
    static constexpr int kNotifyPointSelected = 101;
    static constexpr int kCmdDeletePoint = 35813;
    static constexpr int kCmdAddPoint = 35814;
    static constexpr int kMaxText = 4095;
    static constexpr int kMaxSections = 32;
    // The pick width around a point (the system's double-click width).
    static constexpr int kPickWidth = 4;

    explicit CFigPreviewWnd(CKavoDoc* doc, QWidget* parent = nullptr);

    bool Create(const QRect& rect, QWidget* parent, int id);
    void SetFig(const CFigProps& props);
    // An empty text shows the default one (its first section in multi-section
    // mode); longer texts keep their first 4095 characters.
    void SetText(const std::string& text, const std::string& second);
    void SetExtent(int width, int height);
    void SetShowText(bool show);
    void SetSelectedPoint(int index);
    void SetSelectedSection(int index);
    void SetGrid(int xStep, int yStep, bool snapToSides);
    CRect GetExtentRect() const { return CRect(0, 0, m_nExtentW, m_nExtentH); }

    // The editing modes and looks the pages choose.
    void SetConPtList(CConPtList* list) { m_pConPts = list; update(); }
    void SetPointEditMode(bool on) { m_bPointEdit = on; update(); }
    void SetSectionMode(bool on) { m_bSectionMode = on; update(); }
    void SetMultiSection(bool on);
    void SetSnapToCentre(bool x, bool y) { m_bSnapCentreX = x; m_bSnapCentreY = y; }
    void SetApplyInset(bool on) { m_bApplyInset = on; update(); }
    void SetHatched(bool on) { m_bHatched = on; update(); }
    void SetBlank(bool on) { m_bBlank = on; update(); }
    void SetBackgroundOnly(bool on) { m_bBackgroundOnly = on; update(); }
    // A metafile picture that fits the drawing rectangle is shown at its own
    // size, centred, instead of stretched (not in section or point-edit mode).
    void SetCentrePicture(bool on) { m_bCentrePicture = on; update(); }

    const std::string& GetText() const { return m_text; }
    int GetExtentWidth() const { return m_nExtentW; }
    int GetExtentHeight() const { return m_nExtentH; }
    int GetSelectedPoint() const { return m_nSelPoint; }
    int GetSelectedSection() const { return m_nSelSection; }
    // The last right click in thousandths of the drawing rectangle.
    CPoint GetClickPos() const { return m_clickPos; }
    bool IsDragging() const { return m_drag.point >= 0; }
    CRect GetDrawingRect() const;
    // Where the figure is drawn: the drawing rectangle, or a small metafile's
    // own size centred in it (SetCentrePicture).
    CRect GetFigureRect() const;
    // The device position of a connection point; false when it maps nowhere.
    bool GetPointDevicePos(int index, CPoint& out) const;

    // The outline traced from the figure's picture when it was drawn with the
    // hot-zone switch on, in window pixels; empty until then, and again once
    // another picture is set.
    const std::vector<POINT>& HotZoneOutline() const { return m_hotZone; }
    // Draws the traced outline (3 points or more) over the window: white,
    // then red dots whose phase moves on by one pixel on every call, cycling
    // through three phases, so repeated calls make the dots march.
    void DrawHotZoneOutline(CDC* dc);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Shows the menu of the commands at the screen point; the chosen command
    // or 0. Tests answer it themselves.
    virtual int TrackPointMenu(const std::vector<int>& commands, const QPoint& globalPos);
    void Draw(CDC* dc);

private:
    struct DragRecord {
        int point = -1;
        CPoint cursorStart, cursor;
        CPoint deviceStart, device;
        CPoint logicalStart, logical;
        bool moved = false;
    };

    const CFigSymbol* Symbol() const;
    PreviewMapping Mapping() const;
    int HitPoint(const CPoint& pt) const;
    int HitSection(const CPoint& pt) const;
    void DrawBackground(CDC* dc, const CRect& client);
    void DrawSideGuides(CDC* dc, const CRect& client);
    void DrawPoints(CDC* dc);
    void DrawSelectedSection(CDC* dc);
    void TraceHotZone(const CRect& draw);
    void OnLeftDown(const CPoint& pt);
    void OnRightDown(const CPoint& pt, const QPoint& globalPos);
    void DragTo(const CPoint& pt);
    void EndDrag();

    CKavoDoc* m_pDoc;
    std::string m_text, m_text2;
    CFigProps m_props;
    int m_nExtentW = 0, m_nExtentH = 0;
    bool m_bShowText = false;
    std::string m_defaultText;
    bool m_bApplyInset = true;
    bool m_bHatched = false;
    bool m_bSnapCentreX = false, m_bSnapCentreY = false;
    DragRecord m_drag;
    bool m_bMultiSection = false;
    CPoint m_clickPos;
    CConPtList* m_pConPts = nullptr;
    bool m_bSectionMode = false;
    bool m_bPointEdit = false;
    int m_nSelSection = -1;
    int m_nSelPoint = -1;
    bool m_bBlank = false;
    bool m_bBackgroundOnly = false;
    int m_nGridX = 0, m_nGridY = 0;
    bool m_bSnapToSides = false;
    bool m_bCentrePicture = false;
    std::vector<POINT> m_hotZone;
    int m_nDashPhase = 0;
};

// A text in a chosen font, centred (the wizard's font option).
class CFontPreviewWnd : public QWidget {
    Q_OBJECT
public:
    explicit CFontPreviewWnd(QWidget* parent = nullptr);
    bool Create(const QRect& rect, QWidget* parent, int id);
    void SetText(const std::string& text);
    void SetFont(const LOGFONT& font);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string m_text;
    LOGFONT m_font;
};
