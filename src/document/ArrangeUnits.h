#pragma once
// Arrange units of the selection: what Align and Space Evenly move as one.
// A unit is an ungrouped figure, a free connector, or a whole group that has
// a selected member.
class CKavoDoc;

// The number of units among the selected objects. Labels count only with
// takeLabels, and then not figure or flow labels (they follow their figure);
// connector and lateral labels also need takeLooseConLabels and a connector
// that exists and is not selected itself.
int CountArrangeUnits(const CKavoDoc& doc, bool takeLabels, bool takeLooseConLabels);
