#pragma once
// The symbol galleries: a list of categories, one per symbol-library file of
// the program, and a scrolling grid of the chosen file's symbols with their
// names. The figure gallery picks a figure symbol (Insert Symbol), the end
// gallery an end symbol. Each remembers its last category for the program's
// run; the library files are read once and kept.
#include "platform/ui/CDialog.h"

#include <string>
#include <vector>

class CFigSymbol;
class CGalleryListBox;
class CShapeDef;
class CSymbolGalleryGrid;
class CFigureSymbolGrid;
class CEndSymbolGrid;
class QCheckBox;
class QLabel;
class QPushButton;
class SymbolFile;
class SymbolFileList;

class CSymbolGalleryDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kCategoryListId = 2578;
    static constexpr int kRefreshCommand = 101;

    // The symbol to show first; empty for the remembered category.
    std::string m_strStartName;

    int GetCategory() const;
    int GetSel() const;
    CSymbolGalleryGrid* Grid() const { return m_pGrid; }

protected:
    struct Layout {
        const char* title;
        int gridId;
        int nameId;
        int columns;
        int rows;
        unsigned helpTopic;
    };
    CSymbolGalleryDlg(SymbolFileList& files, const char* extension, int& remembered, const Layout& layout,
                      QWidget* parent);
    void Build(CSymbolGalleryGrid* grid, QWidget* extra);
    void OnInitDialog() override;
    // The grid's commands: a selection change, a double click (OK).
    bool event(QEvent* event) override;

    // Fills the file set (a scan, or the end symbols with the built-in list).
    virtual void LoadFileSet() = 0;
    // Hands the grid the file's symbols.
    virtual void ShowFile(SymbolFile* file) = 0;
    virtual std::string NameAt(int index) const = 0;
    SymbolFile* CurrentFile() const { return m_pFile; }

private:
    void FillCategories();
    // Widens the category list to show every name whole.
    void FitListToNames();
    void SelectCategory(int row);
    void ShowSelectedName();
    void OnRefresh();

    SymbolFileList& m_files;
    const char* m_extension;
    int& m_nRemembered;
    Layout m_layout;
    std::vector<int> m_fileOfRow;   // the file list position of each category
    SymbolFile* m_pFile = nullptr;
    CGalleryListBox* m_pList = nullptr;
    CSymbolGalleryGrid* m_pGrid = nullptr;
    QLabel* m_pName = nullptr;
    QPushButton* m_pOk = nullptr;
};

class CFigureSymbolGalleryDlg : public CSymbolGalleryDlg {
    Q_OBJECT
public:
    static constexpr int kGridId = 2500;
    static constexpr int kNameId = 2502;
    static constexpr int kShowTextId = 2501;
    static constexpr unsigned kHelpTopic = 313;
    explicit CFigureSymbolGalleryDlg(QWidget* parent = nullptr);
    // The chosen symbol, null for none.
    const CFigSymbol* GetSelected() const;

protected:
    void LoadFileSet() override;
    void ShowFile(SymbolFile* file) override;
    std::string NameAt(int index) const override;

private:
    CFigureSymbolGrid* m_pFigGrid = nullptr;
    QCheckBox* m_pShowText = nullptr;
};

class CEndSymbolGalleryDlg : public CSymbolGalleryDlg {
    Q_OBJECT
public:
    static constexpr int kGridId = 2520;
    static constexpr int kNameId = 2521;
    static constexpr unsigned kHelpTopic = 314;
    explicit CEndSymbolGalleryDlg(QWidget* parent = nullptr);
    const CShapeDef* GetSelected() const;

protected:
    void LoadFileSet() override;
    void ShowFile(SymbolFile* file) override;
    std::string NameAt(int index) const override;

private:
    CEndSymbolGrid* m_pEndGrid = nullptr;
};

// Runs a gallery starting on `startName`; true with the chosen symbol copied
// out for OK on a selected cell.
bool RunFigureSymbolGallery(QWidget* parent, const std::string& startName, CFigSymbol& chosen);
bool RunEndSymbolGallery(QWidget* parent, const std::string& startName, CShapeDef& chosen);
// Insert Symbol picks from the figure gallery.
void InstallSymbolGallerySeam();
// Forgets the loaded files (the symbols folder changed); with
// forgetCategories also the remembered categories.
void ResetSymbolGalleries(bool forgetCategories = true);
