#include "frame/ui/FindReplaceUi.h"

#include "core/AppContext.h"
#include "core/MessageBeep.h"
#include "core/MsgBox.h"
#include "core/Trace.h"
#include "dialogs/CKavoFindDlg.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/FindReplace.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QPointer>

#include <string>

namespace {
constexpr unsigned IDS_TEXT_NOT_FOUND = 653;
constexpr unsigned IDS_REPLACED_COUNT = 654;

// Kept between uses of the dialog; the match is forgotten when it opens.
struct FindState {
    QPointer<CKavoFindDlg> dialog;
    FindOptions options;
    std::string replaceText;
    FindMatch match;
};

FindState& State()
{
    static FindState state;
    return state;
}

void SaveDialogState(const CKavoFindDlg& dlg)
{
    FindState& s = State();
    s.options.findText = dlg.FindText();
    s.options.matchCase = dlg.MatchCase();
    s.options.wholeWord = dlg.WholeWord();
    if (dlg.IsReplace())
        s.replaceText = dlg.ReplaceText();
}

QRect DialogArea()
{
    const CKavoFindDlg* dlg = State().dialog;
    return dlg && dlg->isVisible() ? dlg->frameGeometry() : QRect();
}

CFigure* MatchFigure(CKavoDoc& doc)
{
    return static_cast<CFigure*>(doc.m_pObjList->FindById(State().match.id, kObjFigure));
}

// The next hit shown in the editor, or the not-found message.
void FindNext(CKavoDoc& doc, CKavoView* view)
{
    FindState& s = State();
    if (!FindNextText(doc, s.options, s.match)) {
        s.match = FindMatch();
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_TEXT_NOT_FOUND);
        return;
    }
    if (view)
        view->ShowFindMatch(MatchFigure(doc), s.match.area, s.match.start, s.match.end, DialogArea());
}

// Replaces the match the editor shows, and nothing more: the next match
// is the user's next Find Next. The editor's own changes are stored first,
// so a match they broke is refused.
void ReplaceOne(CKavoDoc& doc, CKavoView* view)
{
    FindState& s = State();
    const bool shown = view && view->EditedFigure() && view->EditedFigure()->m_nId == s.match.id &&
                       view->EditedSection() == s.match.area;
    if (view)
        view->CloseEditor();
    if (!shown || !ReplaceCurrentMatch(doc, s.match, s.replaceText))
        MessageBeep(MB_ICONEXCLAMATION);
}

// A hit that could not be replaced fails the command: it beeps. The count
// of those replaced goes to the status bar; none found at all is told.
void ReplaceAll(CKavoDoc& doc, CKavoView* view)
{
    FindState& s = State();
    if (view)
        view->CloseEditor();
    int refused = 0;
    const int count = ReplaceAllText(doc, s.options, s.replaceText, &refused);
    s.match = FindMatch();
    if (refused > 0)
        MessageBeep(MB_ICONEXCLAMATION);
    if (count > 0) {
        if (IAppContext* app = GetAppContext())
            app->SetStatusBarText(FormatWithTexts(FindResString(IDS_REPLACED_COUNT), {std::to_string(count)}));
    } else if (refused == 0) {
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_TEXT_NOT_FOUND);
    }
}

void OnFindReplaceMsg(CMainFrame& frame, CKavoFindDlg* dlg, CKavoFindDlg::Report report)
{
    SaveDialogState(*dlg);
    if (report == CKavoFindDlg::Report::Terminating) {
        if (State().dialog == dlg)
            State().dialog = nullptr;
        dlg->deleteLater();
        return;
    }
    CKavoDoc* doc = frame.GetActiveDocument();
    if (!doc)
        return;
    CKavoView* view = frame.GetActiveView();
    switch (report) {
    case CKavoFindDlg::Report::FindNext:
        DiagPrintf("USER  Find next\n");
        if (view)
            view->CloseEditor();
        FindNext(*doc, view);
        break;
    case CKavoFindDlg::Report::Replace:
        ReplaceOne(*doc, view);
        break;
    case CKavoFindDlg::Report::ReplaceAll:
        ReplaceAll(*doc, view);
        break;
    case CKavoFindDlg::Report::Terminating:
        break;
    }
}
} // namespace

void OpenFindReplace(CMainFrame& frame, bool replace)
{
    FindState& s = State();
    s.match = FindMatch();
    if (CKavoFindDlg* open = s.dialog) {
        if (open->IsReplace() == replace) {
            open->raise();
            open->activateWindow();
            return;
        }
        open->close(); // reports its state as it goes
    }
    auto* dlg = new CKavoFindDlg(&frame, replace, s.options.findText, s.replaceText, s.options.matchCase,
                                 s.options.wholeWord);
    QObject::connect(dlg, &CKavoFindDlg::Reported, &frame,
                     [&frame, dlg](CKavoFindDlg::Report report) { OnFindReplaceMsg(frame, dlg, report); });
    s.dialog = dlg;
    dlg->show();
    dlg->raise();
    dlg->activateWindow();
}

CKavoFindDlg* ActiveFindDialog()
{
    return State().dialog;
}

void InstallFindCommands(CMainFrame& frame)
{
    CCommandRegistry& commands = frame.Commands();
    for (const bool replace : {false, true}) {
        const int id = replace ? 33036 : 33035;
        commands.SetHandler(id, [&frame, replace] {
            if (frame.GetActiveDocument())
                OpenFindReplace(frame, replace);
        });
        // The dialog searches the active diagram: with none left it closes.
        commands.SetUpdate(id, [&frame](CmdUI& ui) {
            const bool any = frame.GetActiveDocument() != nullptr;
            ui.Enable(any);
            if (!any)
                CloseFindReplace();
        });
    }
}

void CloseFindReplace()
{
    if (CKavoFindDlg* dlg = State().dialog)
        dlg->close();
}
