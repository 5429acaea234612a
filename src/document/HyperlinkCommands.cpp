#include "document/HyperlinkCommands.h"

#include "core/MessageBeep.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CLinkHistory.h"
#include "platform/Prompt.h"

#include <filesystem>

namespace {

void Beep()
{
    MessageBeep(MB_ICONEXCLAMATION);
}

// The active diagram when it has been saved (links are followed from files);
// beeps or asks for a save otherwise.
CKavoDoc* SavedActiveDoc()
{
    LinkServices& s = GetLinkServices();
    CKavoDoc* doc = s.activeDoc ? s.activeDoc() : nullptr;
    if (!doc) {
        Beep();
        return nullptr;
    }
    if (doc->GetPathName().empty()) {
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_LINK_NEEDS_SAVE);
        return nullptr;
    }
    return doc;
}

bool Open(const std::string& link, int follow)
{
    LinkServices& s = GetLinkServices();
    return s.open && s.open(link, follow);
}

void VisitActive()
{
    LinkServices& s = GetLinkServices();
    if (CKavoDoc* now = s.activeDoc ? s.activeDoc() : nullptr)
        LinkHistory().SetVisitedLink(now->GetPathName());
}

void WalkHistory(bool back)
{
    CKavoDoc* doc = SavedActiveDoc();
    if (!doc)
        return;
    CLinkHistory& h = LinkHistory();
    h.SetVisitedLink(doc->GetPathName());
    std::string target;
    if (!(back ? h.GetBackLink(target, true) : h.GetForwardLink(target, true))) {
        Beep();
        return;
    }
    if (Open(target, 0))
        return;
    std::string undo;
    if (back)
        h.GetForwardLink(undo, true);
    else
        h.GetBackLink(undo, true);
    h.RemoveAll(target);
    MsgBoxResPrintf(MB_OK, IDS_LINK_OPEN_FAILED, target.c_str());
}

// The folder of a linked file, remembered for the next browse; relative
// links with a folder part are resolved against the diagram's own folder.
void RememberLinkFolder(const std::string& link, const std::string& diagramPath)
{
    namespace fs = std::filesystem;
    fs::path p(link);
    if (!p.has_parent_path())
        return;
    if (p.is_relative())
        p = fs::path(diagramPath).parent_path() / p;
    LinkDir = p.parent_path().lexically_normal().string();
}

} // namespace

LinkServices& GetLinkServices()
{
    static LinkServices services;
    return services;
}

void ResetLinkServices()
{
    GetLinkServices() = LinkServices{};
    LinkHistory().Clear();
}

void LinkFollow(CFigure* figure)
{
    CKavoDoc* doc = SavedActiveDoc();
    if (!doc || !figure)
        return;
    LinkHistory().SetVisitedLink(doc->GetPathName());
    const std::string link = figure->m_strLink;
    if (Open(link, 1)) {
        VisitActive();
        return;
    }
    LinkHistory().RemoveAll(link);
    if (MsgBoxResPrintf(MB_YESNO | MB_ICONEXCLAMATION, IDS_LINK_INVALID, link.c_str()) == IDYES)
        SetHyperlinkDlg(figure);
}

// The first selected figure of the active diagram (filter kind 1).
CFigure* FirstSelectedFigure(int groupMode)
{
    LinkServices& s = GetLinkServices();
    CKavoDoc* doc = s.activeDoc ? s.activeDoc() : nullptr;
    return doc ? doc->GetFirstSelFig(1, groupMode) : nullptr;
}

void CmdOpenHyperlink()
{
    CloseActiveTextEditor();
    DiagPrintf("USER  LinkFollow\n");
    if (CFigure* fig = FirstSelectedFigure(1))
        LinkFollow(fig);
    else
        Beep();
}

void CmdSetHyperlink()
{
    CloseActiveTextEditor();
    if (CFigure* fig = FirstSelectedFigure(0))
        SetHyperlinkDlg(fig);
    else
        Beep();
}

void CmdLinkBack()
{
    CloseActiveTextEditor();
    DiagPrintf("USER  CmdLinkBack\n");
    WalkHistory(true);
}

void CmdLinkForward()
{
    CloseActiveTextEditor();
    DiagPrintf("USER  CmdLinkForward\n");
    WalkHistory(false);
}

void LinkParent()
{
    CloseActiveTextEditor();
    DiagPrintf("USER  LinkParent\n");
    LinkServices& s = GetLinkServices();
    CKavoDoc* active = s.activeDoc ? s.activeDoc() : nullptr;
    if (!active || !active->HasParentLink()) {
        Beep();
        return;
    }
    CKavoDoc* doc = SavedActiveDoc();
    if (!doc)
        return;
    const std::string parent = *doc->GetParentLinkRec();
    LinkHistory().SetVisitedLink(doc->GetPathName());
    if (Open(parent, 0)) {
        VisitActive();
        return;
    }
    LinkHistory().RemoveAll(parent);
    if (MsgBoxResPrintf(MB_YESNO | MB_ICONEXCLAMATION, IDS_PARENT_LINK_INVALID, parent.c_str()) == IDYES)
        LinkParentSet();
}

void LinkParentSet()
{
    CloseActiveTextEditor();
    DiagPrintf("USER  LinkParentSet\n");
    LinkServices& s = GetLinkServices();
    if (!s.activeDoc || !s.activeDoc()) {
        Beep();
        return;
    }
    SetHyperlinkDlg(nullptr);
}

void SetHyperlinkDlg(CFigure* figure)
{
    LinkServices& s = GetLinkServices();
    CKavoDoc* doc = s.activeDoc ? s.activeDoc() : nullptr;
    if (!doc || (figure && figure->IsInvisible()) || !s.hyperlinkDialog)
        return;
    std::string text = figure ? figure->m_strLink : *doc->GetParentLinkRec();
    bool remove = false;
    if (!s.hyperlinkDialog(text, figure ? IDS_CHOOSE_FIGURE_LINK : IDS_CHOOSE_PARENT_LINK, remove))
        return;
    if (remove)
        text.clear();
    else if (!text.empty() && !(s.looksLikeUrl && s.looksLikeUrl(text)))
        RememberLinkFolder(text, doc->GetPathName());
    if (figure)
        figure->m_strLink = text;
    else
        *doc->GetParentLinkRec() = text;
    doc->SetModifiedFlag(true);
}
