#pragma once
// The small pictures the dialogs show beside their controls, by bitmap id:
//   120  a decision with its four branches (Branch Labels options page)
//   309  a small flowchart on a page (every page of the new diagram wizard)
//   324  a connector with rounded corners     325  a jog over a crossing
//   326  a dot where three connectors meet   327  dots at connection points
//   358  a connector routed at right angles  359  a dot where three connectors meet
//   384  a figure label   385  a connector label   386  a flow label
//   356, 357  a connector's second and first end (the Ends page)
//   368-370  round, bevel and miter corners; 371-374  straight, curved,
//            smoothed and rounded connectors (the Line page)
//   395-397  a label in line, above and below (the Auto-Label page)
//   398-401  a stamp pointing right, left, up and down (the Stamp page)
// A bitmap of the same id among the program's resources (":/bitmaps/<id>.png")
// is shown in place of the drawn one.
#include <QImage>

class QLabel;
class QWidget;

enum DialogBitmap {
    kBmpDecision = 120,
    kBmpWizard = 309,
    kBmpRoundedCorners = 324,
    kBmpJogs = 325,
    kBmpJunctionDots = 326,
    kBmpConPointDots = 327,
    kBmpOrthogonal = 358,
    kBmpConJunctionDots = 359,
    kBmpFigureLabel = 384,
    kBmpConnectorLabel = 385,
    kBmpFlowLabel = 386,
    kBmpSecondEnd = 356,
    kBmpFirstEnd = 357,
    kBmpRoundJoin = 368,
    kBmpBevelJoin = 369,
    kBmpMiterJoin = 370,
    kBmpStraight = 371,
    kBmpCurved = 372,
    kBmpSmoothed = 373,
    kBmpRounded = 374,
    kBmpLabelInLine = 395,
    kBmpLabelAbove = 396,
    kBmpLabelBelow = 397,
    kBmpStampRight = 398,
    kBmpStampLeft = 399,
    kBmpStampUp = 400,
    kBmpStampDown = 401,
};

// The picture; a null image for an id that is neither drawn nor a resource.
QImage DialogPicture(int bitmapId);
// The connector pages' pictures (DialogPicturesConnector.cpp); null for
// another id.
QImage DrawnConnectorPicture(int bitmapId);

// A picture static of the dialog (control id ctrlId, 0 for none). With
// mapLightGrey, light grey (0xC0C0C0) pixels take the dialog's button-face
// colour so that the picture's backdrop is the dialog's own.
QLabel* MakePictureStatic(QWidget* parent, int ctrlId, int bitmapId, bool mapLightGrey = false);
// A control with its picture static at its left, as one widget for a
// layout cell.
QWidget* PictureBeside(QWidget* control, int ctrlId, int bitmapId);
