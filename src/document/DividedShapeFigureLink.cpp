#include "document/DividedShapeFigureLink.h"

#include "document/CKavoDoc.h"
#include "document/FigSymbolCopy.h"
#include "document/FigTextFitHook.h"
#include "document/FigTextServices.h"
#include "shapes/FigFlags.h"
#include "shapes/CFigSymbol.h"

bool CSpecialFigureLink::CanSetUp() const
{
    if (!m_pFig || m_pFig->IsStyleBlank() || m_pFig->IsInvisible() || !m_pFig->HasTextAreas())
        return false;
    // Only a shape that lays its text into compartments is set up: swim
    // lanes and partitions have no text of their own and keep their size.
    const CFigSymbol* s = m_pFig->GetSymbol();
    return s && s->HasSecondTextBoxTable();
}

const CFigSymbol* CSpecialFigureLink::Symbol() const
{
    return m_pFig ? m_doc.m_figSymbols.GetAt(m_pFig->m_props.Symbol) : nullptr;
}

CFigSymbol* CSpecialFigureLink::TakeOwnSymbol()
{
    const CFigSymbol* shared = Symbol();
    if (!shared)
        return nullptr;
    const int copy = AddEditSymbolCopy(m_doc, *shared);
    if (copy < 0)
        return nullptr;
    // Recorded on the shared entry, before the figure leaves it.
    if (!m_doc.LogFigureState(m_pFig)) {
        DropEditSymbolCopy(m_doc, copy);
        return nullptr;
    }
    m_nSharedSymbol = m_pFig->m_props.Symbol;
    m_pFig->m_props.Symbol = copy;
    return m_doc.m_figSymbols.GetAt(copy);
}

void CSpecialFigureLink::ReleaseUnchangedSymbol()
{
    const CFigSymbol* shared = m_doc.m_figSymbols.GetAt(m_nSharedSymbol);
    const CFigSymbol* own = Symbol();
    if (shared && own && own != shared && SameSymbolProgram(*own, *shared)) {
        const int copy = m_pFig->m_props.Symbol;
        m_pFig->m_props.Symbol = m_nSharedSymbol;
        DropEditSymbolCopy(m_doc, copy);
    }
    m_nSharedSymbol = -1;
}

CRect CSpecialFigureLink::Rect() const
{
    return m_pFig ? m_pFig->m_rect : CRect();
}

bool CSpecialFigureLink::LogUndo(int kind)
{
    if (!m_pFig)
        return false;
    if (kind == UDOC_FIGTEXT)
        return m_doc.LogFigText(m_pFig, -1) != 0;
    if (kind == UDOC_FIGDIM)
        return m_doc.LogFigRect(m_pFig) != 0;
    return false;
}

void CSpecialFigureLink::Redraw()
{
    m_doc.InvalidateObj(m_pFig);
}

void CSpecialFigureLink::SetModified()
{
    m_doc.SetModifiedFlag(true);
}

void CSpecialFigureLink::BlankText()
{
    if (!m_pFig)
        return;
    m_strSavedText = m_pFig->m_strText;
    m_strSavedSecond = m_pFig->m_strSecondText;
    m_pFig->m_strText = " ";
    m_pFig->m_strSecondText.clear();
}

void CSpecialFigureLink::RestoreText()
{
    if (!m_pFig)
        return;
    m_pFig->m_strText = m_strSavedText;
    m_pFig->m_strSecondText = m_strSavedSecond;
}

bool CSpecialFigureLink::ReflowsText() const
{
    return m_pFig && (m_pFig->m_props.Behavior.low & kFigFlagReflowText);
}

void CSpecialFigureLink::Reflow()
{
    if (const FigTextServices& svc = GetFigTextServices(); m_pFig && svc.reflowText)
        svc.reflowText(*m_pFig);
}

void CSpecialFigureLink::FitToText(int left, int right, int top, int bottom)
{
    const int margins[4] = {left, right, top, bottom};
    if (m_pFig && g_pfnFitFigToText)
        g_pfnFitFigToText(m_doc, *m_pFig, margins);
}
