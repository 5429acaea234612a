#pragma once
// The end symbols a connector may be given, as command ids (38301 + library
// index): shared by the end-symbol palette and the view's context menu.
#include "platform/WinTypes.h"

#include <vector>

class CConnector;
class CKavoDoc;

constexpr UINT kEndSymbolFirstCmd = 38301;

// The command ids of the end symbols offered for the connector, in library
// order. In a UML diagram (with UML support on) the built-in symbols give
// way to the UML ones, and connectors of the two UML stock kinds are offered
// only their matching symbols; "null" is always offered.
int ListEndSymbolCmds(const CKavoDoc& doc, const CConnector* con, std::vector<UINT>& ids);
// The UML-diagram test: the title (or without one the template name) starts
// with "UML" in any case, and UML support is on.
bool IsUmlDiagram(const CKavoDoc& doc);
