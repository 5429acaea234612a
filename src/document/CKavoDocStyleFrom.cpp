// New Style From and Update Style From: styles made from, or made to
// resemble, the first selected object of a kind.
#include "document/CKavoDoc.h"

#include "core/MsgBox.h"
#include "core/StringHelpers.h"
#include "document/CStaple.h"
#include "document/StyleNameDialog.h"
#include "platform/Prompt.h"

#include <cctype>

namespace {
StyleNameDialogFn g_nameDialog;

constexpr UINT IDS_FIGURE_STYLE = 510;
constexpr UINT IDS_CONNECTOR_STYLE = 511;
constexpr UINT IDS_LABEL_STYLE = 512;
constexpr UINT IDS_STYLE_NAME_IN_USE = 517;
constexpr UINT IDS_UPDATE_STYLE = 719;
constexpr size_t kProposedLabelName = 27;

// The name with its trailing number raised by one (" 2" appended when it has
// none), kept within the name limit.
std::string NextNumberedName(const std::string& name)
{
    size_t end = name.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(name[end - 1])))
        --end;
    const std::string stem = end == name.size() ? name + " " : name.substr(0, end);
    const long long n = end == name.size() ? 2 : std::stoll(name.substr(end).substr(0, 9)) + 1;
    const std::string digits = std::to_string(n);
    return stem.substr(0, CStyle::kMaxName - std::min(digits.size(), CStyle::kMaxName)) + digits;
}

// The one figure label of a figure, or null.
CFigure* OnlyFigLabel(const CKavoDoc& doc, const CFigure* fig)
{
    CFigure* found = nullptr;
    int n = 0;
    doc.ForEachFigure([&](CFigure* f) {
        if (f->IsFigLabel() && f->m_pStaple->m_pFig1 == fig) {
            found = f;
            ++n;
        }
    });
    return n == 1 ? found : nullptr;
}

std::string LabelName(const CFigure* label)
{
    std::string text = label->m_strText;
    for (size_t pos; (pos = text.find("\\line ")) != std::string::npos;)
        text.replace(pos, 6, " ");
    return text.substr(0, kProposedLabelName);
}

template <class Library>
std::string ProposedName(const Library& lib, const std::string& base)
{
    std::string name = base;
    for (int guard = 0; lib.FindByName(name) >= 0 && guard < 1000; ++guard)
        name = NextNumberedName(name);
    return name;
}

// The dialog until Cancel or a name not in use.
template <class Library>
bool AskNewName(const Library& lib, std::string& name)
{
    for (;;) {
        if (!g_nameDialog || !g_nameDialog(name))
            return false;
        if (!name.empty() && lib.FindByName(name) < 0)
            return true;
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_STYLE_NAME_IN_USE);
    }
}

} // namespace

StyleNameDialogFn& GetStyleNameDialog()
{
    return g_nameDialog;
}

void ResetStyleNameDialog()
{
    g_nameDialog = nullptr;
}

bool CKavoDoc::NewStyleFrom(int kind)
{
    if (kind == 2) {
        CConnector* con = GetFirstSelCon(3, 2);
        if (!con)
            return false;
        std::string name = ProposedName(m_conStyles, ResText(IDS_CONNECTOR_STYLE) + " " +
                                                         std::to_string(m_conStyles.GetCount() + 1));
        if (!AskNewName(m_conStyles, name))
            return false;
        CConStyle* entry = m_conStyles.NewEntry();
        if (!entry)
            return false;
        ResetUndoLog();
        entry->SetName(name);
        entry->m_props = con->m_props;
        m_conStyles.SetChanged();
        con->m_nStyle = m_conStyles.GetCount() - 1;
        SetModifiedFlag(true);
        UpdateStyleMenusAndButtons(nullptr);
        return true;
    }
    CFigure* fig = GetFirstSelFig(kind == 1 ? 2 : 7, 2);
    if (!fig)
        return false;
    const CFigure* label = kind == 0 ? OnlyFigLabel(*this, fig) : nullptr;
    const std::string base = label ? LabelName(label)
                                   : ResText(kind == 1 ? IDS_LABEL_STYLE : IDS_FIGURE_STYLE) + " " +
                                         std::to_string(m_figStyles.GetCount() + 1);
    std::string name = ProposedName(m_figStyles, base);
    if (!AskNewName(m_figStyles, name))
        return false;
    CFigStyle style;
    if (const CFigStyle* present = fig->GetStyle())
        style.Category = present->Category;
    style.SetName(name);
    style.Label = kind == 1 ? 1 : 0;
    style.m_props = fig->m_props;
    style.Width = fig->m_rect.Width();
    style.Height = fig->m_rect.Height();
    if (fig->m_pConPts)
        style.m_conPts.CopyFrom(*fig->m_pConPts);
    style.TextInits = fig->m_strSecondText;
    if (label)
        style.DefaultText = label->m_strText;
    if (!AddNewFigStyle(style))
        return false;
    fig->m_nStyle = m_figStyles.FindByName(name);
    return true;
}

bool CKavoDoc::UpdateStyleFrom(int kind)
{
    if (kind == 2) {
        CConnector* con = GetFirstSelCon(3, 2);
        CConStyle* style = con ? m_conStyles.GetAt(con->m_nStyle) : nullptr;
        if (!style || MsgBoxResPrintf(MB_YESNO | MB_ICONQUESTION, IDS_UPDATE_STYLE, style->m_strName.c_str()) != IDYES)
            return false;
        ResetUndoLog();
        style->m_props = con->m_props;
        m_conStyles.SetChanged();
        SetModifiedFlag(true);
        // The connectors that follow the style take its new look.
        ReapplyConStyle(con->m_nStyle);
        return true;
    }
    CFigure* fig = GetFirstSelFig(kind == 1 ? 2 : 7, 2);
    const CFigStyle* style = fig ? m_figStyles.GetAt(fig->m_nStyle) : nullptr;
    if (!style || (style->Label != 0) != (kind == 1))
        return false;
    if (MsgBoxResPrintf(MB_YESNO | MB_ICONQUESTION, IDS_UPDATE_STYLE, style->m_strName.c_str()) != IDYES)
        return false;
    CFigStyle next = *style;
    next.m_props = fig->m_props;
    next.m_props.BindToStyle = style->m_props.BindToStyle;
    const bool storedText = !style->DefaultText.empty();
    // A label style keeps its size unless it holds a text of its own.
    if (kind == 0 || storedText) {
        next.Width = fig->m_rect.Width();
        next.Height = fig->m_rect.Height();
    }
    if (kind == 0) {
        next.m_conPts = CConPtList();
        if (fig->m_pConPts)
            next.m_conPts.CopyFrom(*fig->m_pConPts);
    }
    if (storedText) {
        std::string plain;
        fig->GetPlainText(plain, -1);
        next.DefaultText = kind == 0 ? fig->m_strText : plain;
    }
    return ReplaceFigStyle(fig->m_nStyle, next);
}
