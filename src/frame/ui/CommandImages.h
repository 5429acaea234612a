#pragma once
// The pictures of the commands that stand on the toolbars and in the
// Customize sheet's catalogue. Each is drawn by the program (ArtPainter) at
// any size; the commands every desktop has (new, open, save, print, cut,
// copy, paste, undo, delete, find, zoom and the like) take the desktop
// theme's icon when it has one, and the program's own picture otherwise.
#include <QIcon>
#include <QPixmap>

class ArtPainter;
class QColor;
class QPainter;
class QRectF;

// Draws the command's picture into the painter's grid; `otherState` is the
// second image of a two-state command (grid, snap, style bar). False (and
// nothing drawn) for a command without a picture.
bool PaintCommandImage(ArtPainter& art, unsigned command, bool otherState);
// The program's own picture, `size` pixels square, for the background it
// stands on; a transparent pixmap for a command without one.
QPixmap CommandPixmap(unsigned command, bool otherState, int size, const QColor& background);
// The icon the toolbars and menus show.
QIcon CommandIcon(unsigned command, bool otherState);
// Whether the menus show the command's picture beside its item (the
// alignment and centring commands).
bool HasMenuPicture(unsigned command);
// The desktop theme's name for the command's icon; null for the program's
// own commands.
const char* CommandThemeName(unsigned command);

// Families of pictures (CommandImagesFile.cpp, CommandImagesText.cpp,
// CommandImagesDiagram.cpp, CommandImagesView.cpp); each answers false for
// a command that is not its.
bool PaintFileImage(ArtPainter& art, unsigned command);
bool PaintTextImage(ArtPainter& art, unsigned command);
bool PaintDiagramImage(ArtPainter& art, unsigned command);
bool PaintViewImage(ArtPainter& art, unsigned command, bool otherState);
