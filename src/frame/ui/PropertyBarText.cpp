#include "frame/ui/PropertyBarText.h"

#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "editing/TextFormatCommands.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "frame/ui/CCommandRegistry.h"
#include "frame/ui/CCustomToolBar.h"
#include "platform/Ansi.h"
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupQueries.h"

#include <QComboBox>

namespace {
constexpr unsigned kFontFamilyBox = 32775, kFontSizeBox = 32776;
constexpr int kSubscript = 36556, kSuperscript = 36557;
constexpr int kLeftGuillemet = 32795, kRightGuillemet = 32796;
constexpr unsigned kHAlignGroup = 0x07, kVAlignGroup = 0x70;

// The six alignment buttons and the alignment each sets.
struct AlignCommand {
    int id;
    unsigned bits, group;
};
constexpr AlignCommand kAlignCommands[] = {
    {36505, 4, kHAlignGroup},  {36506, 2, kHAlignGroup},  {36507, 1, kHAlignGroup},
    {36508, 64, kVAlignGroup}, {36509, 32, kVAlignGroup}, {36510, 16, kVAlignGroup},
};

// The face or size goes to the text being edited, which keeps the keyboard
// focus; else to the first target of the text commands.
void ApplyFontBox(const ActiveViewFn& activeView, const FormatRequest& request, const FontChoice& choice)
{
    CKavoView* view = activeView ? activeView() : nullptr;
    CKavoDoc* doc = view ? view->GetDocument() : nullptr;
    if (!doc)
        return;
    if (CTextDialog* editor = view->TextEditor()) {
        editor->ApplyFormat(request);
        editor->TakeFocus();
        return;
    }
    ApplyCharFormat(*doc, choice);
}
} // namespace

void RegisterTextFormatCommands(CCommandRegistry& commands, const ActiveViewFn& activeView)
{
    const auto onDoc = [activeView](std::function<void(CKavoDoc&)> fn) {
        return [activeView, fn] {
            CKavoView* view = activeView ? activeView() : nullptr;
            if (CKavoDoc* doc = view ? view->GetDocument() : nullptr)
                fn(*doc);
        };
    };
    for (int id : {kCmdBold, kCmdItalic, kCmdUnderline})
        commands.SetHandler(id, onDoc([id](CKavoDoc& doc) { ToggleCharAttr(doc, id); }));
    commands.SetHandler(kCmdDropShadow, onDoc([](CKavoDoc& doc) { ToggleDropShadow(doc); }));
    // Alignment goes to the text being edited in place, else to the current
    // label style, the current figure style or the selected figures.
    for (const AlignCommand& c : kAlignCommands)
        commands.SetHandler(c.id, onDoc([activeView, c](CKavoDoc& doc) {
            if (CTextDialog* editor = activeView()->TextEditor()) {
                editor->SetAlignment(c.bits);
                return;
            }
            ApplyTextAlignment(doc, c.bits, c.group);
        }));
    // Sub- and superscript belong to text being edited: they turn off when
    // the whole marked text has them, else on.
    for (int id : {kSubscript, kSuperscript})
        commands.SetHandler(id, [activeView, id] {
            CKavoView* view = activeView ? activeView() : nullptr;
            CTextDialog* editor = view && view->GetDocument() ? view->TextEditor() : nullptr;
            if (!editor)
                return;
            RangeFormat now;
            const bool has = editor->GetSelectionFormat(now);
            FormatRequest request;
            int& attr = id == kSubscript ? request.sub : request.super;
            attr = has && (id == kSubscript ? now.sub : now.super) ? 0 : 1;
            editor->ApplyFormat(request);
        });
    // The guillemets are typed at the editor's caret.
    for (const auto& [id, ch] : {std::pair{kLeftGuillemet, '\xAB'}, std::pair{kRightGuillemet, '\xBB'}})
        commands.SetHandler(id, [activeView, ch = ch] {
            CKavoView* view = activeView ? activeView() : nullptr;
            if (CTextDialog* editor = view && view->GetDocument() ? view->TextEditor() : nullptr)
                editor->InsertCharAtCaret(ch);
        });
}

void ConnectFontBoxes(CCustomToolBar& bar, QObject* context, const ActiveViewFn& activeView)
{
    if (auto* sizes = qobject_cast<CFontSizeCombo*>(bar.ControlForCmd(kFontSizeBox)))
        QObject::connect(sizes, &CFontSizeCombo::fontSizeChosen, context, [activeView](int points) {
            FormatRequest request;
            request.size = points;
            FontChoice choice;
            choice.height = points;
            ApplyFontBox(activeView, request, choice);
        });
    if (auto* faces = qobject_cast<QComboBox*>(bar.ControlForCmd(kFontFamilyBox)))
        QObject::connect(faces, qOverload<int>(&QComboBox::activated), context, [activeView, faces](int index) {
            if (!activeView || !activeView())
                return;
            DiagPrintf("USER  Font name change\n");
            // The empty entry stands for "no change".
            const std::string face = QStringToAnsi(faces->itemText(index));
            if (face.empty())
                return;
            FormatRequest request;
            request.face = face;
            FontChoice choice;
            choice.face = face;
            ApplyFontBox(activeView, request, choice);
        });
}
