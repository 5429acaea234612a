#pragma once
// A document without style libraries: the purges must then leave every
// entry alone. (Everything else about the users of the libraries is tested
// with a real document.)
#include "shapes/LibraryUsers.h"

class NoLibrariesDoc : public ISymbolUsers {
public:
    CFigStylesLibrary* GetFigStyles() override { return nullptr; }
    CConStylesLibrary* GetConStyles() override { return nullptr; }
    bool IsSymbolUsedByFigures(int) const override { return false; }
    void ShiftFigureSymbolIndexes(int) override {}
    void RemapFigureSymbolIndex(int, int) override {}
    bool IsEndShapeUsedByConnectors(int) const override { return false; }
    void ShiftConnectorEndShapeIndexes(int) override {}
};
