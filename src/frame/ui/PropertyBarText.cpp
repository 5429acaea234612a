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

#include <QComboBox>

namespace {
constexpr unsigned kFontFamilyBox = 32775, kFontSizeBox = 32776;

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
