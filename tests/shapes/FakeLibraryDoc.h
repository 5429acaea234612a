#pragma once
// A stand-in for the document: figures and connectors reduced to the library
// indexes they hold, with the renumbering rules the document applies.
#include "shapes/CConStylesLibrary.h"
#include "shapes/CFigStylesLibrary.h"
#include "shapes/LibraryUsers.h"

#include <utility>
#include <vector>

struct FakeFigure {
    FakeFigure(int symbolIndex = 0, int iconIndex = -1, int showsPicture = 0, int styleIndex = -1)
        : symbol(symbolIndex), icon(iconIndex), picture(showsPicture), style(styleIndex) {}
    int symbol = 0;
    int icon = -1;
    int picture = 0;
    int style = -1;
    std::shared_ptr<TextBoxInitTexts> inits;
    int styleFlags = 1;
};

struct FakeConnector {
    FakeConnector(int e1 = 0, int e2 = 0, int styleIndex = -1) : end1(e1), end2(e2), style(styleIndex) {}
    int end1 = 0;
    int end2 = 0;
    int style = -1;
    int styleFlags = 1;
};

class FakeLibraryDoc : public ISymbolUsers, public IStyleIndexUsers {
public:
    CFigStylesLibrary figStyles{this};
    CConStylesLibrary conStyles{this};
    std::vector<FakeFigure> figures;
    std::vector<FakeConnector> connectors;
    std::vector<std::pair<int, HGLOBAL>> released;
    bool hasStyleLibraries = true;

    CFigStylesLibrary* GetFigStyles() override { return hasStyleLibraries ? &figStyles : nullptr; }
    CConStylesLibrary* GetConStyles() override { return hasStyleLibraries ? &conStyles : nullptr; }

    bool IsSymbolUsedByFigures(int i) const override
    {
        for (const FakeFigure& f : figures) {
            if (f.symbol == i || f.icon == i)
                return true;
        }
        return false;
    }
    void ShiftFigureSymbolIndexes(int removed) override
    {
        for (FakeFigure& f : figures) {
            f.symbol -= f.symbol >= removed ? 1 : 0;
            f.icon -= f.icon >= removed ? 1 : 0;
        }
    }
    void RemapFigureSymbolIndex(int from, int to) override
    {
        for (FakeFigure& f : figures) {
            if (!f.picture && f.symbol == from)
                f.symbol = to;
        }
    }
    bool IsEndShapeUsedByConnectors(int i) const override
    {
        for (const FakeConnector& c : connectors) {
            if (c.end1 == i || c.end2 == i)
                return true;
        }
        return false;
    }
    void ShiftConnectorEndShapeIndexes(int removed) override
    {
        for (FakeConnector& c : connectors) {
            c.end1 -= c.end1 >= removed ? 1 : 0;
            c.end2 -= c.end2 >= removed ? 1 : 0;
        }
    }

    bool IsFigStyleUsed(int i) const override
    {
        for (const FakeFigure& f : figures) {
            if (f.style == i)
                return true;
        }
        return false;
    }
    bool IsConStyleUsed(int i) const override
    {
        for (const FakeConnector& c : connectors) {
            if (c.style == i)
                return true;
        }
        return false;
    }
    void BeforeFigStyleRemoved(int i) override
    {
        const CFigStyle* s = figStyles.GetAt(i);
        for (FakeFigure& f : figures) {
            if (f.style == i) {
                f.inits = s && s->m_pTextBoxInits ? std::make_shared<TextBoxInitTexts>(*s->m_pTextBoxInits) : nullptr;
                f.styleFlags = 0;
            }
        }
    }
    void AfterFigStyleRemoved(int i) override
    {
        for (FakeFigure& f : figures) {
            if (f.style == i) {
                f.style = -1;
            } else if (f.style > i) {
                --f.style;
                f.inits = figStyles.GetAt(f.style)->m_pTextBoxInits;
            }
        }
    }
    void AfterConStyleRemoved(int i) override
    {
        for (FakeConnector& c : connectors) {
            if (c.style == i) {
                c.style = -1;
                c.styleFlags = 0;
            } else if (c.style > i) {
                --c.style;
            }
        }
    }
    void ReleaseSharedPicture(int kind, HGLOBAL h) override { released.push_back({kind, h}); }
};
