#pragma once
// The program-wide state that loading, saving and drawing a diagram rely on.
// A program that reads or writes diagrams without it loses data silently: a
// connector's flow indicator names a stamp shape, and without the stamp
// shapes the name is not found and the indicator is dropped on load.

// The part the tests' reset of the program state shares: the stamp shapes,
// the hot zones and figure outlines recomputed from pictures, the rich-text
// hooks of figure text, the colour-scheme loading and the drawing of figure
// text. Calling it again rebuilds the same state.
void InstallDiagramModel();

// InstallDiagramModel, the image library, and the drawing that the preview of
// a saved file and the export need: set up once at start by every program
// that loads, saves and exports diagrams (the editor and kvdtool).
void StartDiagramModel();
