#pragma once
// The picture commands of the menus: Insert Graphic through the picture
// chooser, and the paste of clipboard pictures (Paste as Bitmap, Paste as
// Picture, and Paste itself when nothing else handles it).
class CCommandRegistry;
class QWidget;

void RegisterPictureCommands(CCommandRegistry& commands, QWidget* parent);
