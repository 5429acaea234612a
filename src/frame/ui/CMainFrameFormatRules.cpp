// Update rules of the property bar's commands: the text format buttons, the
// colour, line, curvature and shadow buttons, label rotation and the boxes.
// Each is enabled only while it has something to act on in the active
// diagram: the open text editor, the current style of a creation mode, or a
// selected object of its kind. Without a diagram every one is disabled.
#include "frame/ui/CMainFrame.h"

#include "controls/CColorDropButton.h"
#include "controls/CLinePatternButton.h"
#include "controls/CTextDropButton.h"
#include "core/NumEditSetup.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "editing/ui/CKavoView.h"
#include "editing/TextFormatCommands.h"
#include "editing/ui/CTextDialog.h"
#include "frame/SelectionKinds.h"
#include "frame/ui/PropertyBarText.h"
#include "platform/Ansi.h"
#include "richtext/MarkupQueries.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {
using namespace selkind;

constexpr int kSelectMode = 0, kSelectTextMode = 1, kFigCreateMode = 2, kTextEntryMode = 3, kConCreateMode = 4;

bool InSelectMode()
{
    return g_nUIMode == kSelectMode || g_nUIMode == kSelectTextMode;
}

// Where the text commands read and write: the open editor's selection, the
// current label style in text entry, the current figure style while
// creating, else the first selected figure with text.
struct TextShown {
    bool exists = false;
    bool bold = false, italic = false, underline = false, sub = false, super = false;
    unsigned align = 0;
    bool alignLocked = false;   // a selected figure's style fixes its alignment
    std::string face;           // empty when mixed
    int size = 0;               // the font height; 0 when mixed
    COLORREF color = kNoColor;  // kNoColor when mixed
};

TextShown FromProps(const CFigProps& props)
{
    TextShown s;
    s.exists = true;
    const LOGFONT& lf = props.m_font.m_lf;
    s.bold = lf.lfWeight > 400;
    s.italic = lf.lfItalic != 0;
    s.underline = lf.lfUnderline != 0;
    s.align = props.TextFormat;
    s.face = lf.lfFaceName;
    s.size = lf.lfHeight;
    s.color = props.TextColor;
    return s;
}

TextShown FindTextFormatSource(const CMainFrame& frame)
{
    const CKavoView* view = frame.GetActiveView();
    const CKavoDoc* doc = frame.GetActiveDocument();
    if (!view || !doc)
        return {};
    if (CTextDialog* editor = view->TextEditor()) {
        TextShown s;
        s.exists = true;
        RangeFormat f;
        if (editor->GetSelectionFormat(f)) {
            s.bold = f.bold > 0;
            s.italic = f.italic > 0;
            s.underline = f.underline > 0;
            s.sub = f.sub > 0;
            s.super = f.super > 0;
            s.align = f.align;
            s.face = f.face;
            s.size = f.size;
            s.color = f.color;
        }
        return s;
    }
    // The one the text commands read and toggle: the current label style,
    // the current figure style, else the first selected figure whose text
    // takes a character format, one that shows its text in the whole figure
    // (no text boxes of its own) among them.
    const CFigProps* props = TextFormatSource(*doc);
    if (!props)
        return {};
    TextShown s = FromProps(*props);
    if (InSelectMode())
        s.alignLocked = (props->Behavior.low & kLockTextFormat) != 0;
    return s;
}

// Alignment bits of the six alignment buttons 36505..36510.
constexpr unsigned kAlignBits[] = {4, 2, 1, 64, 32, 16};
} // namespace

void CMainFrame::InstallFormatRules()
{
    const auto doc = [this] { return GetActiveDocument(); };
    const auto editing = [this] {
        const CKavoView* v = GetActiveView();
        return v && v->TextEditor() && GetActiveDocument();
    };
    const std::pair<int, bool TextShown::*> toggles[] = {
        {36531, &TextShown::bold}, {36532, &TextShown::italic}, {36533, &TextShown::underline}};
    for (const auto& [id, flag] : toggles)
        m_commands.SetUpdate(id, [this, flag = flag](CmdUI& ui) {
            const TextShown s = FindTextFormatSource(*this);
            ui.Enable(s.exists);
            ui.SetCheck(s.exists && s.*flag);
        });
    for (const auto& [id, flag] : {std::pair{36556, &TextShown::sub}, {36557, &TextShown::super}})
        m_commands.SetUpdate(id, [this, editing, flag = flag](CmdUI& ui) {
            ui.Enable(editing());
            ui.SetCheck(editing() && FindTextFormatSource(*this).*flag);
        });
    for (int id : {32795, 32796})
        m_commands.SetUpdate(id, [editing](CmdUI& ui) { ui.Enable(editing()); });
    for (int i = 0; i < 6; ++i)
        m_commands.SetUpdate(36505 + i, [this, i](CmdUI& ui) {
            const TextShown s = FindTextFormatSource(*this);
            ui.Enable(s.exists && !s.alignLocked);
            ui.SetRadio(s.exists && (s.align & kAlignBits[i]) != 0);
        });
    for (int id : {36562, 36563})
        m_commands.SetUpdate(id, [this](CmdUI& ui) {
            const TextShown s = FindTextFormatSource(*this);
            ui.Enable(s.exists && !s.alignLocked);
        });
    for (int id : {32775, 32776})
        m_commands.SetUpdate(id, [this](CmdUI& ui) { ui.Enable(FindTextFormatSource(*this).exists); });
    m_commands.SetUpdate(36564, [this, doc](CmdUI& ui) {
        ui.Enable(GetActiveView() && ShowPropertyBar && doc() && InSelectMode() &&
                  doc()->GetFirstSelFig(kRotatableLabels, kUngrouped));
    });
    m_commands.SetUpdate(36499, [doc, editing](CmdUI& ui) {
        const CKavoDoc* d = doc();
        ui.Enable(d && (editing() || (InSelectMode() && TextFormatSource(*d)) ||
                        g_nUIMode == kFigCreateMode || g_nUIMode == kTextEntryMode));
    });
    m_commands.SetUpdate(36497, [doc](CmdUI& ui) {
        const CKavoDoc* d = doc();
        ui.Enable(d && ((InSelectMode() && d->GetFirstSelFig(kVisibleObjects, kGroupScope)) ||
                        g_nUIMode == kFigCreateMode));
    });
    m_commands.SetUpdate(36498, [doc](CmdUI& ui) {
        const CKavoDoc* d = doc();
        ui.Enable(d && ((InSelectMode() && d->GetFirstSelFig(kBorderedFigures, kGroupScope)) ||
                        g_nUIMode == kFigCreateMode));
    });
    m_commands.SetUpdate(36496, [doc](CmdUI& ui) {
        const CKavoDoc* d = doc();
        ui.Enable(d && ((InSelectMode() && d->GetFirstSelCon(kAnyConnector, kGroupScope)) ||
                        g_nUIMode == kConCreateMode));
    });
    for (int id : {36491, 36492})
        m_commands.SetUpdate(id, [this, doc](CmdUI& ui) {
            const CKavoDoc* d = doc();
            const bool lines = d && InSelectMode() &&
                               (d->GetFirstSelCon(kAnyConnector, kGroupScope) ||
                                d->GetFirstSelFig(kBorderedFigures, kGroupScope));
            ui.Enable(GetActiveView() && d &&
                      (lines || g_nUIMode == kFigCreateMode || g_nUIMode == kConCreateMode));
        });
    m_commands.SetUpdate(36493, [this, doc](CmdUI& ui) {
        const CKavoDoc* d = doc();
        const CKavoView* v = GetActiveView();
        ui.Enable(d && (d->GetFirstSelCon(kAnyConnector, kGroupScope) ||
                        (g_nUIMode == kConCreateMode && v && !v->IsFixedConMode())));
    });
    // A plain figure that draws a body (a filled symbol or a picture) can
    // carry a shadow; so can the current figure style while creating.
    m_commands.SetUpdate(36494, [this, doc](CmdUI& ui) {
        const CKavoDoc* d = doc();
        const CFigProps* props = nullptr;
        if (d && InSelectMode()) {
            const CFigure* fig = d->GetFirstSelFig(kPlainFigures, kGroupScope);
            props = fig && fig->IsHollow() ? &fig->m_props : nullptr;
        } else if (d && g_nUIMode == kFigCreateMode && d->m_curFigStyle.m_props.m_fill.m_nKind != 0) {
            props = &d->m_curFigStyle.m_props;
        }
        ui.Enable(GetActiveView() && ShowPropertyBar && props);
        ui.SetCheck(GetActiveView() && ShowPropertyBar && props && props->Shadow != 0);
    });
}

namespace {
// The front-most selected figure (the last in drawing order).
const CFigure* FrontSelectedFigure(const CKavoDoc& doc)
{
    for (auto it = doc.m_pObjList->end(); it != doc.m_pObjList->begin();) {
        const CDiagObj* o = *--it;
        if (o->m_bSelected && o->GetType() == kObjFigure)
            return static_cast<const CFigure*>(o);
    }
    return nullptr;
}

// The fill the fill-colour button shows: no colour for a transparent fill.
COLORREF FillShown(const CFigProps& props)
{
    return props.m_fill.m_nKind == 0 ? kPaletteNoColor : props.m_fill.m_crColor1;
}

// What the line buttons show: the connector's line, else the figure's
// border; the current style's in the creation modes.
struct LineShown {
    bool exists = false;
    int pattern = 0, width = 0;
};

LineShown FindLineShown(const CKavoDoc& doc)
{
    LineShown s;
    const CConProps* con = nullptr;
    const CFigProps* fig = nullptr;
    if (InSelectMode()) {
        if (const CConnector* c = doc.GetFirstSelCon(kAnyConnector, kGroupScope))
            con = &c->m_props;
        else if (const CFigure* f = doc.GetFirstSelFig(kBorderedFigures, kGroupScope))
            fig = &f->m_props;
    } else if (g_nUIMode == kFigCreateMode) {
        fig = &doc.m_curFigStyle.m_props;
    } else if (g_nUIMode == kConCreateMode) {
        con = &doc.m_curConStyle.m_props;
    }
    if (con)
        s = {true, con->PenStyle, con->LineWidth};
    else if (fig)
        s = {true, fig->PenStyle, fig->BorderWidth};
    return s;
}

template <class Control>
Control* BarControl(const CMainFrame& frame, int command)
{
    return dynamic_cast<Control*>(frame.GetBarControlForCmd(command));
}

void ShowColor(const CMainFrame& frame, int command, bool exists, COLORREF color)
{
    if (auto* button = BarControl<CColorDropButton>(frame, command); button && exists && color != kNoColor)
        button->SetColor(color);
}

void MirrorFontBoxes(const CMainFrame& frame, const TextShown& source)
{
    if (!source.exists)
        return;
    // The family box selects the face, the empty entry when it is mixed or
    // not among the faces; never while its list is open.
    if (auto* faces = BarControl<QComboBox>(frame, 32775); faces && !faces->view()->isVisible()) {
        const QString face = AnsiToQString(source.face);
        if (faces->currentText() != face) {
            const int at = face.isEmpty() ? 0 : faces->findText(face);
            faces->setCurrentIndex(at < 0 ? 0 : at);
        }
    }
    // The size box shows the size unless the user is at it.
    if (auto* sizes = BarControl<QComboBox>(frame, 32776);
        sizes && !sizes->view()->isVisible() && !sizes->hasFocus()) {
        const QString text = QString::fromStdString(FormatFontSizeText(source.size));
        if (sizes->currentText() != text)
            sizes->setEditText(text);
    }
}
} // namespace

void MirrorPropertyBar(const CMainFrame& frame)
{
    const CKavoDoc* doc = frame.GetActiveDocument();
    if (!doc || !frame.GetActiveView())
        return;
    const TextShown text = FindTextFormatSource(frame);
    MirrorFontBoxes(frame, text);
    ShowColor(frame, 36499, text.exists, text.color);

    // Fill: the selected figure (the front-most one when only attached
    // labels are selected), the current figure style while creating.
    if (auto* fill = BarControl<CColorDropButton>(frame, 36497)) {
        const CFigProps* props = nullptr;
        if (InSelectMode()) {
            const CFigure* f = doc->GetSelCount() == doc->CountAttachedLbls()
                                   ? FrontSelectedFigure(*doc)
                                   : doc->GetFirstSelFig(kVisibleObjects, kGroupScope);
            props = f ? &f->m_props : nullptr;
        } else if (g_nUIMode == kFigCreateMode) {
            props = &doc->m_curFigStyle.m_props;
        }
        fill->SetColor(props ? FillShown(*props) : kPaletteNoColor);
    }
    const CFigure* bordered = InSelectMode() ? doc->GetFirstSelFig(kBorderedFigures, kGroupScope) : nullptr;
    if (g_nUIMode == kFigCreateMode)
        ShowColor(frame, 36498, true, doc->m_curFigStyle.m_props.BorderColor);
    else
        ShowColor(frame, 36498, bordered != nullptr, bordered ? bordered->m_props.BorderColor : 0);
    const CConnector* con = doc->GetFirstSelCon(kAnyConnector, kGroupScope);
    const CConProps* conProps = g_nUIMode == kConCreateMode ? &doc->m_curConStyle.m_props
                                : con && InSelectMode()     ? &con->m_props
                                                            : nullptr;
    ShowColor(frame, 36496, conProps != nullptr, conProps ? conProps->Color : 0);

    if (const LineShown line = FindLineShown(*doc); line.exists) {
        if (auto* pattern = BarControl<CLinePatternButton>(frame, 36491))
            pattern->SetPattern(line.pattern);
        if (auto* width = BarControl<CLineWidthButton>(frame, 36492))
            width->SetWidth(line.width);
    }
    // Curvature: the connector's shape bits, the current connector's while
    // drawing connectors.
    const CConProps* shape = g_nUIMode == kConCreateMode ? &doc->m_curConStyle.m_props : con ? &con->m_props : nullptr;
    if (auto* curve = BarControl<CCurvatureButton>(frame, 36493); curve && shape)
        curve->SetCurvature(shape->Behavior.low & 0x1A);

    // The alignment drop buttons: left and top without a source.
    if (auto* h = BarControl<CCommandDropButton>(frame, 36562))
        h->SetSetting(WORD(text.exists ? text.align & 0x07 : 4));
    if (auto* v = BarControl<CCommandDropButton>(frame, 36563))
        v->SetSetting(WORD(text.exists ? text.align & 0x70 : 64));
    // Rotation: the rotatable label's, else the first selected figure's.
    if (auto* rotate = BarControl<CCommandDropButton>(frame, 36564)) {
        const CFigure* label = doc->GetFirstSelFig(kRotatableLabels, kUngrouped);
        const CFigure* shown = label ? label : doc->GetFirstSelFig(kAnyFigure, kAllObjects);
        if (shown)
            rotate->SetSetting(WORD(shown->m_nTextRotate));
    }
}
