#pragma once
// The hyperlink commands' services for the running program: the active
// diagram, opening a link's target (diagrams through the File Open path,
// anything else with the desktop's handler) and the Set Hyperlink dialog.
#include <string>

void InstallLinkServices();

// The file a link names, resolved against the folder of the diagram that
// holds it when the link is relative; links with a scheme stay as they are.
std::string ResolveLinkTarget(const std::string& link, const std::string& docPath);
// True for the files the program opens itself as diagrams.
bool IsDiagramFile(const std::string& path);
