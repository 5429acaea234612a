#pragma once
// A figure of the document as the special-shape set-up sees it.
#include "shapes/DividedShapeSetup.h"

#include <string>

class CKavoDoc;
class CFigure;

class CSpecialFigureLink : public ISpecialFigure {
public:
    CSpecialFigureLink(CKavoDoc& doc, CFigure* fig) : m_doc(doc), m_pFig(fig) {}
    void Reset(CFigure* fig)
    {
        m_pFig = fig;
        m_nSharedSymbol = -1;
    }

    bool CanSetUp() const override;
    const CFigSymbol* Symbol() const override;
    CFigSymbol* TakeOwnSymbol() override;
    void ReleaseUnchangedSymbol() override;
    CRect Rect() const override;
    bool LogUndo(int kind) override;
    void Redraw() override;
    void SetModified() override;
    void BlankText() override;
    void RestoreText() override;
    bool ReflowsText() const override;
    // Wraps the text again into the areas, through the rich-text services.
    void Reflow() override;
    // Fits the figure to its text through the rich-text layer's hook.
    void FitToText(int left, int right, int top, int bottom) override;

private:
    CKavoDoc& m_doc;
    CFigure* m_pFig;
    int m_nSharedSymbol = -1;   // the entry the figure left for its own copy
    std::string m_strSavedText;
    std::string m_strSavedSecond;
};
