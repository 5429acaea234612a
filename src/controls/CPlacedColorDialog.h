#pragma once
// The colour dialog a colour drop button opens for a colour outside its
// palette: shown full at a given screen point (kept inside the main window),
// it leaves an open in-place text editor marked changed and gives it the
// keyboard focus back when it closes.
#include "platform/Colorref.h"
#include "platform/LogFont.h"

#include <QColorDialog>
#include <QFontDialog>

class CPlacedColorDialog : public QColorDialog {
    Q_OBJECT
public:
    CPlacedColorDialog(COLORREF initial, int x, int y, QWidget* parent = nullptr);
    ~CPlacedColorDialog() override;

    void SetCustomColors(const COLORREF* colors16);
    void GetCustomColors(COLORREF* colors16) const;
    COLORREF GetColor() const;
    // Places the dialog and runs it; true on OK.
    bool RunModal();
    // Moves the dialog's top-left corner to the point, kept inside the main
    // window with its size (what OnInitDialog does).
    void OnInitDialog();

private:
    int m_x, m_y;
};

// The font dialog of the figure Text page. Text colour is chosen elsewhere,
// so this dialog offers no colour choice (controls 1091 and 1139 hidden).
// It opens on the caller's font: a face this machine lacks is shown as the
// face that stands in for it, and what the user leaves untouched (face,
// style, size) comes back exactly as it was given.
class CNoColorFontDialog : public QFontDialog {
    Q_OBJECT
public:
    static constexpr int kColorLabelId = 1091, kColorComboId = 1139;

    // The font's height is in logical units at 96 pixels per inch.
    CNoColorFontDialog(const LOGFONT& font, DWORD flags, QWidget* parent = nullptr);
    void OnInitDialog();
    // After OK the chosen font into the record (face, height, weight,
    // italic, underline, strike-out); the rest of the record stays.
    void GetLogFont(LOGFONT& font) const;

    // The font the dialog shows for a record: the face as this machine
    // draws it, in its style nearest to the record's weight and slant.
    static QFont ShownFont(const LOGFONT& font);

private:
    DWORD m_flags;
    LOGFONT m_given;
    QFont m_shown;   // the dialog's own font right after opening
};
