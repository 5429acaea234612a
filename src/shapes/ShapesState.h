#pragma once
// Resets the program-wide state of the shapes subsystem: the outline work
// copy, the special-shape hooks and switches, the stamp-shape library and the
// count of built-in line ends.
void ResetShapesState();
