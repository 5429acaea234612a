#pragma once
// A button that shows the current choice on its face and, pressed, drops a
// palette of owner-drawn cells, one per possible value. Members of the family
// say what the values are and how a cell and the face look; choosing a cell
// sets the button's value and tells the owner window:
//   code 1124 before the palette drops, 0 after a choice, and 2 whenever the
//   highlighted cell changes (when asked for; GetSelectedId then says which).
#include "controls/CFaceButton.h"
#include "controls/CPaletteMenuBase.h"

#include <QImage>
#include <QTimer>

#include <string>

class CDropPaletteButton;

// The palette of a drop button: cells 33400 + index (or of a category's
// range), drawn by the owner button.
class CPalettePopup : public CPaletteMenuBase {
    Q_OBJECT
public:
    explicit CPalettePopup(CDropPaletteButton* owner);
    bool Create(UINT firstId, int count, int cellHeight, int cellWidth, int borderY, int borderX, int side,
                int columns, int separatorRow, WORD moreId);
    UINT FirstId() const { return m_nFirstId; }

protected:
    void DrawCell(CDC* dc, const CRect& rect, UINT id, bool isCurrent, bool highlighted) override;
    bool IsCurrentCell(UINT id) const override;
    void OnHighlightChanged(UINT id, bool highlighted) override;

private:
    CDropPaletteButton* m_pOwner;
    UINT m_nFirstId = kPaletteFirstId;
};

class CDropPaletteButton : public CFaceButton {
    Q_OBJECT
public:
    static constexpr int kBeforeDropNotify = 1124;
    static constexpr int kHighlightNotify = 2;
    static constexpr int kOpenTimerId = 10;
    static constexpr int kOpenDelayMs = 190;
    static constexpr WORD kNone = 0xFFFF;

    explicit CDropPaletteButton(QWidget* parent = nullptr);
    ~CDropPaletteButton() override;

    // Fills the values, builds the palette (first id 33400, more entry 33200
    // when asked) and takes the place of the dialog item `ctrlId` of
    // `parent`. False when the palette cannot be built.
    bool CreatePalette(int ctrlId, QWidget* parent, int cellHeight, int cellWidth, int borderY, int borderX, int side,
                       int columns, int separatorRow, bool hasMore, bool notifyOnHighlight, bool showArrow,
                       bool whiteBackground, int textAlign, bool delayedOpen);
    // Two columns of 120 x 7 cells below the button, borders 3 and 8.
    bool CreateWidePalette(int ctrlId, QWidget* parent, bool showArrow);

    void BindValue(int* value) { m_pBound = value; }
    void SetBoundValue(int value);
    // The value of the highlighted cell while the palette is open, else 0xFFFF.
    WORD GetSelectedId() const;
    WORD CurrentValue() const { return m_nCurValue; }
    void SetCurrentValue(WORD value) { m_nCurValue = value; }
    WORD LastChosen() const { return m_nLastChosen; }
    CPaletteItemList& ItemList() { return m_list; }
    const CPaletteItemList& ItemList() const { return m_list; }
    CPalettePopup* Popup() { return m_popup.get(); }
    bool IsOpenTimerRunning() const { return m_openTimer.isActive(); }
    int OpenDelay() const { return m_openTimer.interval(); }
    void SetNotifyOnHighlight(bool on) { m_bNotifyOnHighlight = on; }
    void SetDelayedOpen(bool on) { m_bDelayedOpen = on; }

    virtual bool FillValues(CPaletteItemList& list) = 0;
    virtual void FillRange(CPaletteItemList& list, int count, int first);
    // -1 for the more entries and for ids outside the list.
    virtual int ValueOfCommand(UINT id) const;
    virtual bool HasValue(WORD value) const;
    virtual void DrawCell(CDC* dc, const CRect& rect, WORD value, bool isCurrent) = 0;
    // Default: the window text in the rectangle less 5 and 2 pixels.
    virtual void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled);
    virtual void DestroyPopup();
    // Default: tells the owner (code 1124).
    virtual void BeforeDrop();
    virtual void Drop();
    virtual void Select(WORD value);
    // A palette command as the menu delivers it.
    void OnMenuCommand(UINT id);
    void OnPaletteHighlight(UINT id, bool highlighted);

    void DrawItem(CDC* dc, const CRect& rect) override;

    // The bar's image of the command for the toolbar variants' faces.
    void SetFaceImage(const QImage& image);
    // Draws an image at (x, y), greyed when disabled.
    static void BlitImage(CDC* dc, const QImage& image, int x, int y, bool disabled);
    // The width of a text in the button font.
    static int GuiTextWidth(const std::string& text);

signals:
    // After a choice, with the owner told (code 0).
    void chosen(WORD value);

protected:
    // Builds the plain popup from the item list with the stored layout.
    bool BuildPopup();
    void OnLButtonDown(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void AttachToDialogItem(int ctrlId, QWidget* parent);
    bool HasBoundValue() const { return m_pBound != nullptr; }
    int BoundValue() const { return m_pBound ? *m_pBound : -1; }
    bool ShowsArrow() const { return m_bArrow; }
    void SetShowArrow(bool on) { m_bArrow = on; }
    int FaceTextAlign() const { return m_nFaceAlign; }
    // The face image centred in the rectangle less `reserveRight`; false
    // when there is none. `imageRect` receives where it went.
    bool DrawFaceImage(CDC* dc, const CRect& rect, bool disabled, int reserveRight, CRect* imageRect = nullptr);

    struct Layout {
        int cellHeight = 0, cellWidth = 0, borderY = 0, borderX = 0;
        int side = 0, columns = 0, separatorRow = 0;
        bool hasMore = false;
    } m_layout;

private:
    void AfterTrack(UINT id);
    void DrawArrow(CDC* dc, const CRect& rect, bool pressed, bool disabled);

    CPaletteItemList m_list;
    QImage m_faceImage;
    std::unique_ptr<CPalettePopup> m_popup;
    WORD m_nLastChosen = kNone;
    QTimer m_openTimer;
    bool m_bDelayedOpen = false;
    bool m_bOpenedByPress = false;
    WORD m_nCurValue = kNone;
    WORD m_nHighlightCmd = kNone;
    bool m_bNotifyOnHighlight = false;
    int* m_pBound = nullptr;
    bool m_bArrow = true;
    int m_nFaceAlign = kAlignCenter;
    bool m_bWhiteBackground = false;
};

// The in-place text editor of the active view, or null when none is open.
class CTextDialog* ActiveTextEditor();
