#pragma once
// The in-place text editor: a child window laid over one text area of one
// figure. It keeps the area's markup and format prefix, its own caret and
// selection, handles keys, mouse and clipboard, draws the text with the
// program's own line layout on what the view shows under it, and after every
// change re-wraps the text, stores it into the figure and follows the figure
// when it grows. The view opens and closes it (CKavoViewTextEdit.cpp).
#include "platform/CRect.h"
#include "richtext/CTextBlock.h"
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupQueries.h"
#include "richtext/TextFormatRec.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <string>

class CKavoView;
class CFigure;
class QMimeData;

// The Windows-1252 bytes of the characters that have one; dropped counts the
// others (C1 controls included: nobody types them).
std::string KeepAnsiChars(const QString& text, int& dropped);
// The beep and status message of characters diagram text cannot hold.
void RefuseUnencodableChars();

// A label whose symbol has no text boxes shows its text in the whole label:
// that is its one text area. Other figures have the text boxes of their
// symbol.
bool GetEditableTextRect(const CFigure& fig, int area, CRect& out);
int EditableAreaFromPoint(const CFigure& fig, const POINT& pt);

// Which clipboard formats a paste reads.
enum class PasteKind { Any, PlainText, Formatted };

struct TextDialogArgs {
    CFigure* fig = nullptr;
    int section = 0;
    std::string text, prefix;
    bool placedByClick = false;
    CPoint click;            // view client pixels
    char firstChar = 0;      // typed when the editor was opened by typing
    bool takeFocus = true;
    int selStart = -1;       // -1 none, -2 everything, else selStart..selEnd
    int selEnd = -1;
};

class CTextDialog : public QWidget {
    Q_OBJECT
public:
    CTextDialog(CKavoView* view, const TextDialogArgs& args);
    ~CTextDialog() override;

    // The text area's rectangle in view client pixels becomes the window's.
    void PlaceOverText(bool keepCaret);
    void TakeFocus();
    // The edit counts as changed (a bar control is about to act on it).
    void MarkChanged() { Changed(); }
    // The next loss of focus leaves the editor open.
    void KeepOpenOnFocusLoss() { m_bKeepOpen = true; }
    void InsertCharAtCaret(char ch);
    bool GetSelectionFormat(RangeFormat& out);
    // The format bars: what the request leaves at -1 / empty stays.
    bool ApplyFormat(const FormatRequest& request);
    bool HasSelection() const { return m_nAnchor != m_nSelEnd; }
    // The alignment buttons: `bit` takes the place of the vertical group
    // (above 7) or of the horizontal one. A figure of one text area takes
    // it as its own property through the document (an undo step); an area
    // of several keeps it in its format prefix.
    void SetAlignment(unsigned bit);
    // Clears the selection and hides the caret before the view reads back.
    void PrepareClose();

    const std::string& Text() const { return m_strText; }
    const std::string& Prefix() const { return m_strPrefix; }
    CFigure* Figure() const { return m_pFig; }
    int Section() const { return m_nSection; }
    int Caret() const { return m_nCaret; }
    int SelAnchor() const { return m_nAnchor; }
    int SelEnd() const { return m_nSelEnd; }

    // Commands (also reached through the keys).
    void OnSelectAll();
    void OnEditClear();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste(PasteKind kind = PasteKind::Any);
    // Typed text as Qt delivers it (key presses, input-method commits):
    // what Windows-1252 holds is typed, the rest refused with a beep.
    void TypeText(const QString& text);

    // What the window shows, for tests and captures.
    QImage Picture();
    // The middle of the caret at a position, in the window's pixels.
    QPoint CaretPointAt(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Keys by virtual-key code; false for keys the editor leaves alone.
    bool OnKeyDown(int vk, bool shift, bool ctrl);
    void OnChar(char ch);
    void OnLButtonDown(const QPoint& p, bool shift);
    void OnMouseMove(const QPoint& p);
    void OnLButtonUp();

    // Editing; each refits and refuses (beep, old text) what does not fit.
    bool InsertStringAtCaret(const std::string& str);
    bool DeleteRange(int first, int last);
    bool DeleteSelection();
    void Backspace();
    void Enter();
    bool CommitEdit();
    bool FitText();
    // A compartment of a special shape grows to hold its text; true when
    // it holds it (then no wrapping is done).
    bool FitCompartment();
    void TakeUndoCopy();
    void RestoreUndoCopy();
    void Refuse();
    void Changed();
    void StoreText();
    // The figure changed as a whole through the document: its text and
    // prefix taken back, refitted and the window placed again.
    bool ChangeWholeFigure(const struct FontChoice& choice, int format);

    // Caret and selection.
    void MoveCaret(int index, bool extend);
    void SetCaret(int index, bool skipSoftBreak);
    int CharCount();
    int VerticalMove(int direction);
    void ScrollCaretIntoView();

    // Layout and geometry (logical units, then editor pixels).
    TextFormatRec Format() const;
    unsigned AlignWord() const;
    const CTextBlock& Block();
    CRect TextRect();
    CRect AreaRect() const;
    CPoint ToLogical(const QPoint& p) const;
    QPoint ToPixels(const CPoint& logical) const;
    int HitTest(const QPoint& p);
    QRect CaretRect();
    void PaintInto(QImage& image);

    CKavoView* m_pView;
    CFigure* m_pFig;
    int m_nSection;
    std::string m_strText, m_strPrefix;
    // The copy an edit that does not fit goes back to.
    std::string m_strUndoText, m_strUndoPrefix;
    int m_nUndoCaret = 0;
    int m_nCaret = 0, m_nAnchor = 0, m_nSelEnd = 0;
    int m_nCount = -1;          // visible positions, -1: to be counted
    int m_nDesiredX = -1;       // logical x kept by Up and Down
    bool m_bMouseSelecting = false;
    bool m_bKeepOpen = false;
    // The format for the next typed character (chosen with no selection).
    bool m_bPending = false;
    FormatRequest m_pending;
    bool m_bCaretShown = true;
    int m_nTimer2 = 0, m_nTimer3 = 0;   // the double- and triple-click windows
    QPoint m_ptLastClick;
    std::unique_ptr<CTextBlock> m_pBlock;
    bool m_bBackgroundDirty = true;
    QImage m_background;
};
