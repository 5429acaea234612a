#pragma once
// The display device context text is measured on when no other is given: a
// memory context with the screen's capabilities in MM_TEXT, kept for the
// program's life so that fonts realised on it stay cached between layouts.
class CDC;

CDC* DisplayMeasureDC();
void ResetDisplayMeasureDC();
