#pragma once
// Resets every program-wide variable (settings, tables, modes) to its state at
// program start. Tests call it between cases so that none leaks into another.
void ResetProgramState();
