#pragma once
// The owner-drawn button every drawn button of the program rests on: a face
// with a bevel, a bitmap and a text, acting as a push button, a toggle, or
// one of a group of mutually exclusive buttons (a radio group by group id).
#include "platform/CRect.h"
#include "platform/Colorref.h"

#include <QPushButton>

#include <memory>

class CBitmap;
class CDC;

class CFaceButton : public QPushButton {
    Q_OBJECT
public:
    // Alignment values of SetOptions.
    static constexpr int kAlignLeft = 0, kAlignRight = 2, kAlignCenter = 6;
    // The command a group member sends its parent's descendants when pressed.
    static constexpr int kGroupCommand = 0x600;

    explicit CFaceButton(QWidget* parent = nullptr);
    ~CFaceButton() override;

    // Deletes the old bitmaps and loads the resources (0 loads nothing);
    // false when a load fails.
    bool SetBitmaps(int normalId, int disabledId);
    // Out-of-range values take their defaults (bevel 2, alignments centred,
    // text position 50 %); a transparent colour of -1 means 0x00FE01. The
    // button comes up.
    void SetOptions(int groupId, bool releaseByClick, int bevel, int textAlign, int bitmapAlign, int textXPercent,
                    int textYPercent, COLORREF faceColor, COLORREF pressedColor, COLORREF transparentColor);
    void SetPlainClick(bool on) { m_bPlainClick = on; }

    void Press();
    void Release();
    bool IsPressed() const { return m_bPressed; }
    // Every member of the group among the parent's descendants comes up.
    static void ReleaseAllInGroup(int groupId, QWidget* parent);
    // The group command: a member of the recorded group other than the one
    // recorded releases itself; false when the command is not for it.
    bool OnGroupCommand();

    int GroupId() const { return m_nGroup; }
    int Bevel() const { return m_nBevel; }
    int TextAlign() const { return m_nTextAlign; }
    int BitmapAlign() const { return m_nBitmapAlign; }
    int TextXPercent() const { return m_nTextX; }
    int TextYPercent() const { return m_nTextY; }
    COLORREF TransparentColor() const { return m_crTransparent; }

    // Draws the whole button into the device context (the paint event's work).
    virtual void DrawItem(CDC* dc, const CRect& rect);

protected:
    virtual void DrawBitmap(CDC* dc, const CRect& rect, bool disabled);
    virtual void DrawText(CDC* dc, const CRect& rect, bool disabled);
    virtual void DrawContent(CDC* dc, const CRect& rect, bool disabled, bool notPressed);
    bool HasBitmap() const { return m_normal != nullptr; }
    // The look's pressed state: the push state for a plain-click button.
    bool ShowsPressed() const;
    // The press a button-down makes; the drop buttons replace it.
    virtual void OnLButtonDown(QMouseEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void DrawBevel(CDC* dc, const CRect& rect, bool pressed);
    static void SendGroupCommand(QWidget* parent);

    bool m_bPlainClick = false;
    bool m_bPressed = false;
    int m_nGroup = 0;
    bool m_bReleaseByClick = false;
    std::unique_ptr<CBitmap> m_normal, m_disabled;
    int m_nTextX = 50, m_nTextY = 50;
    int m_nBevel = 2;
    int m_nTextAlign = kAlignCenter;
    int m_nBitmapAlign = kAlignCenter;
    COLORREF m_crTransparent = RGB(1, 254, 0);
    COLORREF m_crFace = CLR_INVALID;
    COLORREF m_crPressed = CLR_INVALID;
};
