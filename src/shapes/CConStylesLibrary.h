#pragma once
// The document's connector styles, referred to by index from connectors,
// menus, buttons and files.
#include "shapes/CConStyle.h"
#include "shapes/CStylesLibrary.h"

class CConStylesLibrary : public CStylesLibrary<CConStyle> {
public:
    explicit CConStylesLibrary(IStyleIndexUsers* doc) : CStylesLibrary(doc) {}

    CConStyle* NewEntry() { return AppendNew(); }
    // Refuses (0) a null record, a name longer than 30 characters or a failed
    // append; cuts the other texts to their limits. 1 added.
    int AddConStyle(const CConProps* props, const std::string& name, int hasButton, int inMenu,
                    const std::string& description, const std::string& category, int autoLabel,
                    const std::string& autoLabelText, int autoLabelPosition, int fragmentCreation,
                    int fragmentLength, int fragmentAngle);
    void SetEntry(int index, const CConStyle* style);
    CConProps* GetProps(int index) const;

    bool IsEndShapeUsed(int shapeIndex) const;
    void ShiftEndShapeIndexes(int removedIndex);

    // Every entry, whatever its kind (connector styles have one kind).
    int BuildCategories(StyleCategoryList& list, int kind) override;
    int Delete(int index) override;
    int RemoveWithUsers(int index) override;
    void RemoveAll() override;

protected:
    bool IsUsed(int index) const override { return m_pDoc && m_pDoc->IsConStyleUsed(index); }
};
