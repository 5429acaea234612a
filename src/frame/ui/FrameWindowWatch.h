#pragma once
// What the main frame does for its own window beside the views: the cursor
// of the UI mode over the empty client area, the text editor closed when the
// program loses the activation, and the style bar rendered again when the
// desktop's colours change.
class CMainFrame;

// The cursor the frame's own client area shows in a UI mode; `Qt::ArrowCursor`
// for the select modes, -1 for modes that leave the cursor as it is.
int FrameAreaCursorRole(int uiMode);
void InstallFrameWindowWatch(CMainFrame& frame);
