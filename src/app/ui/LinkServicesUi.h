#pragma once
// The hyperlink commands' services for the running program: the active
// diagram, opening a link's target (diagrams in place of the active one or in
// a window of their own, anything else with the desktop's handler) and the
// Set Hyperlink dialog.
#include <string>

class CKavoDoc;

void InstallLinkServices();

// How a link was opened.
enum LinkOpenResult { kLinkFailed = 0, kLinkOpenedNew = 1, kLinkOpenedInPlace = 2 };

// Opens the link of `from` (a saved diagram): a web address or another
// document through the desktop, a diagram in place of `from` when `replace`
// is set or `from` is the only diagram window, else in a window of its own.
// With `setParent` the diagram reached gets `from`'s path as its parent link
// unless it has one.
LinkOpenResult OpenLinkFrom(CKavoDoc* from, const std::string& link, bool setParent, bool replace);

// The file a link names, resolved against the folder of the diagram that
// holds it when the link is relative; links with a scheme stay as they are.
std::string ResolveLinkTarget(const std::string& link, const std::string& docPath);
// True for the files the program opens itself as diagrams.
bool IsDiagramFile(const std::string& path);
// A web address the desktop can be given: a scheme and, for the web
// schemes, a host; "www." and "ftp." hosts get their scheme. Empty when the
// text is no usable address.
std::string WebAddressForLink(const std::string& link);
