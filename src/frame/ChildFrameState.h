#pragma once
// The program-wide maximize marker of diagram child frames: while it is set,
// a new child frame opens maximized when no other child is active. The first
// child frame that creates its client clears it.
void SetMaximizeMarker(const void* marker);
const void* GetMaximizeMarker();
bool ShouldOpenMaximized(bool childActive);
void ResetChildFrameState();
