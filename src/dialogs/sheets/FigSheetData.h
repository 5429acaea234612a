#pragma once
// The working copy that the figure sheets edit: the properties record, the
// values the record does not hold (place, size, texts, connection points,
// style fields) and the change mask. The pages read and write it; Apply
// writes the flagged values back to the selection or to the style.
#include "shapes/CConPtList.h"
#include "shapes/CFigProps.h"

#include <string>

class CKavoDoc;
class CFigure;
struct FigPropValues;

// Where the sheet is open: 1 the selected objects, 2 the document's styles.
enum FigSheetVariant { kFigSheetProps = 1, kFigSheetStyles = 2 };
// Style index of the styles sheet's "<All>" entry.
constexpr int kAllStylesIndex = -3;
// Positions in CFigPropMaskEx::m_bEx (values only the styles sheet edits).
enum FigSheetExFlag : int {
    kExDescription = 0,
    kExCategory = 1,
    kExHasButton = 2,
    kExInMenu = 3,
    kExAutoLabel = 4,
    kExAutoLabelText = 5,
};

// The one object of the kind selected when the styles sheet opened: what
// its "From Selected" buttons take.
struct FigSheetSample {
    bool present = false;
    int width = 0, height = 0;
    std::string text, secondText;    // cut to the style's default texts' lengths
    int symbol = 0;
    int graphicType = 0;
    HGLOBAL graphic = nullptr;       // the object's own picture; the sheet copies it
    CConPtList conPts;
};

struct FigSheetData {
    CKavoDoc* doc = nullptr;
    int variant = kFigSheetProps;
    int label = 0;
    int style = -1;
    CFigProps props;
    int several = 0;
    int stylesDiffer = 0;
    double left = 0, top = 0, width = 128, height = 96;
    std::string name, description, category;
    int hasButton = 0, inMenu = 0;
    int autoLabel = 0;
    std::string autoLabelText;
    CConPtList conPts;
    CFigPropMaskEx mask;
    int changed = 0;
    std::string text, secondText, savedText, savedSecondText;
    DWORD attrFlags = 0;          // lock bits 0x100000, 0x1000, 0x2000 of the first object
    int labelAttached = 0;
    int hadFormatting = 0;
    int noConPts = 0;
    int formatAsked = 0;           // the mixed-fonts question came once already
    // The document's positioning switches for connection points, written
    // with the rest on OK or Apply.
    int snapConPtsToGrid = 0, snapConPtsToCentres = 1;
    // A picture taken from a file, the clipboard or the sample, not yet the
    // document's: the sheet frees it unless a commit handed it over.
    HGLOBAL heldPicture = nullptr;
    FigSheetSample sample;
    // Where the one selected object shows on the screen (empty when not
    // known): the properties sheet opens beside it.
    CRect selScreenRect;
    // The text box the Text page opens on: the one under the last right
    // click on the selected figure, else the first.
    int startBox = 0;

    bool IsAll() const { return style == kAllStylesIndex; }
    bool IsPicture() const { return props.HasGraphic() && !IsAll(); }
    // Single object or a style: the fields that need one object apply.
    bool IsSingle() const { return variant == kFigSheetStyles ? !IsAll() : !several; }
    // The change state counts: the changed flag or a mask flag.
    bool HasChanges() const;
    void ResetChanges();
};

// The selected objects of the kind (labels or figures) that the properties
// sheet works on; the first one found gives the values.
int CollectSheetObjects(const CKavoDoc& doc, bool labels, CFigure** first);
// Fills the working copy from the selection; false when nothing of the kind
// is selected.
bool LoadSheetFromSelection(FigSheetData& data, CKavoDoc& doc, bool labels);
// The values handed to the document for the mask.
FigPropValues MakeSheetValues(const FigSheetData& data);

// Applies the flagged values to the selection as one undo step. A sheet's
// later Applies join the step its first Apply recorded, so that one undo
// takes back everything the sheet did; stepMark remembers that step (-1
// before it exists).
void ApplySheetToSelection(FigSheetData& data, long long& stepMark);

// The styles sheet's sample: the one selected object of the kind (any
// figure for figure styles, a figure with text boxes for label styles),
// none when there are more or fewer.
FigSheetSample SampleFromSelection(const CKavoDoc& doc, bool labels);

// The connection point's name (cut to 255 characters) and flag.
bool SetConPtNameAndFlag(CConPtList& list, int index, const std::string& name, int32_t flag);
