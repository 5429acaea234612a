#pragma once
// Drop buttons whose cells are texts of the string table: a text list (a
// name and a value text per entry, each converting to a value such as a line
// width) and a list of three commands (text alignment, text rotation).
#include "controls/CDropPaletteButton.h"

#include <functional>
#include <string>

constexpr int kMaxTextListEntries = 10;

// The value of a text list's string id: -1 for an id outside its list.
int TextListValueOfString(UINT firstStringId, UINT stringId);
// The string id holding the value in the list that starts at firstStringId;
// 0xFFFF when the value is not in it.
UINT TextListStringOfValue(UINT firstStringId, int value);

class CTextDropButton : public CDropPaletteButton {
    Q_OBJECT
public:
    explicit CTextDropButton(QWidget* parent = nullptr) : CDropPaletteButton(parent) {}
    // Entry k shows string firstStringId + k ("Fine\t1/2 pt"); at most 10.
    bool CreateList(int ctrlId, QWidget* parent, UINT firstStringId, int count, int itemHeight);
    // The int that receives the converted value (read before each drop).
    void SetValueTarget(int* value) { m_pValue = value; }
    int EntryCount() const { return m_nCount; }
    const std::string& EntryText(int index) const { return m_texts[size_t(index)]; }

    virtual int ValueOfString(UINT stringId) const { return TextListValueOfString(m_nFirstString, stringId); }
    virtual UINT StringOfValue(int value) const { return TextListStringOfValue(m_nFirstString, value); }

    bool FillValues(CPaletteItemList& list) override;
    void DrawCell(CDC* dc, const CRect& rect, WORD value, bool isCurrent) override;
    void BeforeDrop() override;
    void Select(WORD value) override;

private:
    UINT m_nFirstString = 0;
    int m_nCount = 0;
    std::string m_texts[kMaxTextListEntries];
    int* m_pValue = nullptr;
};

// Line widths in logical units: None, Fine, Medium, Heavy, Very Heavy.
class CLineWidthButton : public CTextDropButton {
    Q_OBJECT
public:
    static constexpr UINT kFirstString = 35760;
    explicit CLineWidthButton(QWidget* parent = nullptr);
    bool Create(int ctrlId, QWidget* parent) { return CreateList(ctrlId, parent, kFirstString, 5, 0); }
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int width);
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;

private:
    int m_nWidth = 1;
};

// Three commands; the setting is the value of the chosen one.
class CCommandDropButton : public CDropPaletteButton {
    Q_OBJECT
public:
    struct Entry {
        UINT command;
        WORD setting;
        UINT textId;
    };
    // The 20 x 20 toolbar image of a command (an empty image when none);
    // set by the bar that holds the buttons.
    using ImageSource = std::function<QImage(UINT command)>;

    CCommandDropButton(const Entry (&entries)[3], WORD defaultSetting, QWidget* parent = nullptr);
    bool Create(int ctrlId, QWidget* parent);
    void SetSetting(WORD setting);
    WORD GetSetting() const { return m_nSetting; }
    void SetImageSource(ImageSource source) { m_images = std::move(source); }
    // The face shows the chosen command's image instead of a frame.
    void SetToolbarFace(bool on) { m_bToolbarFace = on; }
    virtual std::string CommandText(UINT command) const;
    const Entry& EntryAt(int index) const { return m_entries[index]; }

    bool FillValues(CPaletteItemList& list) override;
    void DrawCell(CDC* dc, const CRect& rect, WORD value, bool isCurrent) override;
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;
    void BeforeDrop() override;
    void Select(WORD value) override;

protected:
    // Alignment members keep an in-place text edit open across the drop.
    bool m_bMarkEditorChanged = false;

private:
    void DrawImage(CDC* dc, int x, int y, UINT command, bool disabled) const;
    Entry m_entries[3];
    WORD m_nSetting;
    bool m_bToolbarFace = false;
    ImageSource m_images;
};

class CHAlignDropButton : public CCommandDropButton {
    Q_OBJECT
public:
    explicit CHAlignDropButton(QWidget* parent = nullptr);
};

class CVAlignDropButton : public CCommandDropButton {
    Q_OBJECT
public:
    explicit CVAlignDropButton(QWidget* parent = nullptr);
};

class CRotateDropButton : public CCommandDropButton {
    Q_OBJECT
public:
    explicit CRotateDropButton(QWidget* parent = nullptr);
};
