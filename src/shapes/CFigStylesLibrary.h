#pragma once
// The document's figure and label styles (one list, told apart by each
// entry's Label flag). Objects, menus, buttons and files refer to them by index.
#include "shapes/CFigStyle.h"
#include "shapes/CStylesLibrary.h"

class CFigStylesLibrary : public CStylesLibrary<CFigStyle> {
public:
    explicit CFigStylesLibrary(IStyleIndexUsers* doc) : CStylesLibrary(doc) {}
    ~CFigStylesLibrary() override { ReleaseAll(); }

    CFigStyle* NewEntry() { return AppendNew(); }
    // Refuses (0) a null record, a name longer than 30 characters or a failed
    // append; cuts the other texts to their limits. 1 added.
    int AddFigStyle(const CFigProps* props, const std::string& name, int hasButton, int inMenu,
                    int isLabel, const std::string& description, const std::string& category,
                    int width, int height, const std::string& defaultText, const std::string& textInits,
                    std::shared_ptr<TextBoxInitTexts> textInitObject, int autoLabel,
                    const std::string& autoLabelText);
    void SetEntry(int index, const CFigStyle* style);
    CFigProps* GetProps(int index) const;

    int CountLabelStyles() const;
    int CountFigStyles() const { return GetCount() - CountLabelStyles(); }
    int FindNthLabelStyle(int n) const { return FindNth(n, 1); }
    int FindNthFigStyle(int n) const { return FindNth(n, 0); }
    int LabelOrdinalOf(int index) const { return OrdinalOf(index, 1); }
    int FigOrdinalOf(int index) const { return OrdinalOf(index, 0); }
    // The most frequent (Height, Width) of the figure styles (at most 20
    // distinct pairs counted, first met wins a tie); 0, 0 without any.
    void MostCommonSize(int& width, int& height) const;

    // Symbol and icon references of the styles. Every style counts, pictures
    // and labels included, so that the purge never leaves an index naming
    // another symbol.
    bool IsSymbolUsed(int symbolIndex) const;
    void ShiftSymbolIndexes(int removedIndex);
    // Only figure styles without a picture follow a merge of copies; the icon
    // index stays.
    void RemapSymbolIndex(int from, int to);

    int BuildCategories(StyleCategoryList& list, int kind) override;
    // Releases the entry's picture (trace lines, shared-picture release) and
    // removes it.
    int Delete(int index) override;
    int RemoveWithUsers(int index) override;
    // Every entry's picture is released, the first one's too.
    void RemoveAll() override;

protected:
    bool IsUsed(int index) const override { return m_pDoc && m_pDoc->IsFigStyleUsed(index); }

private:
    int FindNth(int n, int label) const;
    int OrdinalOf(int index, int label) const;
    void ReleasePicture(CFigStyle& style);
    void ReleaseAll();
};

// Appends the default label style of a new document: flags low 0x251E1,
// label, symbol 1 ("lbl"), alignment 0x44, name "null".
void AddNewDocDefaultStyle(CFigStylesLibrary& library);
