#include "document/ConStyleEdits.h"

#include "core/MsgBox.h"
#include "document/CKavoDoc.h"
#include "platform/Prompt.h"
#include "shapes/CConStylesLibrary.h"

namespace {
constexpr int kAllStyles = -3;

void AfterLibraryChange(CKavoDoc& doc)
{
    doc.m_conStyles.SetChanged();
    doc.UpdateStyleMenusAndButtons(nullptr);
    doc.SetModifiedFlag(true);
}

// What a change record carries from one style to others: the category,
// the two style-bar flags, the description and the flagged properties. The
// auto-label and stamp attributes are each style's own and are not copied:
// a label text's later sections differ from style to style.
void StoreMasked(CConStyle& style, const ConStyleValues& v, const CConPropMaskEx& m)
{
    const int32_t* ex = m.m_bEx;
    if (ex[kConExCategory])
        style.Category = v.category.substr(0, CStyle::kMaxCategory);
    if (ex[kConExStyleBar])
        style.HasButton = v.hasButton;
    if (ex[kConExDropMenu])
        style.InMenu = v.inMenu;
    if (ex[kConExDescription])
        style.Description = v.description.substr(0, CStyle::kMaxDescription);
    style.m_props.CopyMasked(&v.props, &m);
    // The cached stock kind follows the new values.
    style.StockNameKind::Reset();
}

void StoreValues(CConStyle& style, const ConStyleValues& v)
{
    CConPropMaskEx all;
    all.SetAll(1);
    StoreMasked(style, v, all);
    style.AutoLabel = v.autoLabel;
    style.AutoLabelPosition = v.labelPosition;
    style.AutoLabelText = v.labelText.substr(0, CConStyle::kMaxAutoLabelText);
    style.FragmentCreation = v.stamp;
    style.FragmentLength = v.stampLength;
    style.FragmentAngle = v.stampAngle;
    // The whole flag word, not only the bits a mask can select.
    style.m_props = v.props;
}
} // namespace

int AddConStyle(CKavoDoc& doc, const ConStyleValues& v)
{
    doc.ResetUndoLog();
    if (!doc.m_conStyles.AddConStyle(&v.props, v.name, v.hasButton, v.inMenu, v.description, v.category,
                                     v.autoLabel, v.labelText, v.labelPosition, v.stamp, v.stampLength,
                                     v.stampAngle)) {
        MsgBoxPrintf(MB_ICONEXCLAMATION, "%s", "Unable to add another connector style");
        return 0;
    }
    AfterLibraryChange(doc);
    return 1;
}

bool DeleteConStyle(CKavoDoc& doc, int index)
{
    if (!doc.m_conStyles.GetAt(index))
        return false;
    doc.ResetUndoLog();
    const int32_t current = doc.m_nCurConStyle;
    if (!doc.m_conStyles.RemoveWithUsers(index))
        return false;
    // The current style steps down with the styles after it; deleting the
    // current style itself makes the one before it current.
    if (current >= index)
        doc.m_nCurConStyle = current - 1;
    int32_t& shown = doc.m_nLastConStyleShown;
    if (shown == index)
        shown = -1;
    else if (shown > index)
        --shown;
    AfterLibraryChange(doc);
    return true;
}

void ModifyConStyle(CKavoDoc& doc, int index, const ConStyleValues& v)
{
    CConStyle* style = doc.m_conStyles.GetAt(index);
    if (!style)
        return;
    doc.ResetUndoLog();
    StoreValues(*style, v);
    AfterLibraryChange(doc);
    doc.ReapplyConStyle(index);
}

void ModifyAllConStyles(CKavoDoc& doc, int index, const ConStyleValues& source, const CConPropMaskEx& mask)
{
    CConStylesLibrary& lib = doc.m_conStyles;
    doc.ResetUndoLog();
    for (int i = 0; i < lib.GetCount(); ++i) {
        if (index != kAllStyles && i != index)
            continue;
        StoreMasked(*lib.GetAt(i), source, mask);
        doc.ReapplyConStyle(i);
    }
    AfterLibraryChange(doc);
}

int RenameConStyle(CKavoDoc& doc, int index, const std::string& name)
{
    CConStyle* style = doc.m_conStyles.GetAt(index);
    if (!style || name.empty() || name.size() > CStyle::kMaxName)
        return 0;
    if (style->m_strName == name)
        return 1;
    if (doc.m_conStyles.FindByName(name) >= 0)
        return 0;
    doc.ResetUndoLog();
    style->SetName(name);
    AfterLibraryChange(doc);
    return 1;
}
