#pragma once
// Tools > Options (33082): the Options sheet over the program's settings;
// after OK each changed value is stored and its follow-up carried out, the
// views redrawn once and the settings saved once.
class CMainFrame;
struct OptionValues;

void InstallOptionsCommand(CMainFrame& frame);
// Stores what differs between `wanted` and the settings, with follow-ups.
void ApplyOptionValues(CMainFrame& frame, const OptionValues& wanted);
