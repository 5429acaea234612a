#pragma once
// A style chosen on the style bar while objects are selected restyles them:
// the selected figures, labels or connectors of the style's kind take the
// style (its index and all its properties) in one undo step.
class CKavoDoc;

// command: 36600 + figure style, 37100 + connector style, 37600 + label
// style. False when nothing of that kind is selected or the style is
// unknown.
bool ApplyStyleCommandToSel(CKavoDoc& doc, int command);
