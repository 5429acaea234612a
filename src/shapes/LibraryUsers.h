#pragma once
// What the libraries need of the document that owns them: the indexes its
// figures and connectors hold into the symbol, shape and style libraries, and
// the release of shared pictures. The document implements these; the
// libraries never reach its objects any other way.
#include "platform/GlobalMem.h"

class CFigStylesLibrary;
class CConStylesLibrary;

class ISymbolUsers {
public:
    virtual ~ISymbolUsers() = default;

    // The document's style libraries; null when it has none.
    virtual CFigStylesLibrary* GetFigStyles() = 0;
    virtual CConStylesLibrary* GetConStyles() = 0;

    // Whether some figure holds the index as its symbol or its icon (figures
    // showing a picture included: their indexes must stay valid too).
    virtual bool IsSymbolUsedByFigures(int index) const = 0;
    // Every figure's symbol and icon index >= removed goes down by one.
    virtual void ShiftFigureSymbolIndexes(int removed) = 0;
    // Every figure without a picture whose symbol index is `from` gets `to`.
    virtual void RemapFigureSymbolIndex(int from, int to) = 0;

    // Whether some connector has the index as one of its end shapes.
    virtual bool IsEndShapeUsedByConnectors(int index) const = 0;
    // Every connector's end-shape index >= removed goes down by one.
    virtual void ShiftConnectorEndShapeIndexes(int removed) = 0;
};

class IStyleIndexUsers {
public:
    virtual ~IStyleIndexUsers() = default;

    virtual bool IsFigStyleUsed(int index) const = 0;
    virtual bool IsConStyleUsed(int index) const = 0;
    // Before figure style `index` goes: its figures take their own copy of the
    // style's text-box initial texts and clear their style-derived flag word.
    virtual void BeforeFigStyleRemoved(int index) = 0;
    // After it went: its figures get -1, greater indexes go down by one and
    // share the texts of the style now at their index. -1 never changes.
    virtual void AfterFigStyleRemoved(int index) = 0;
    // After connector style `index` went: its connectors get -1 and clear
    // their style-derived flag word, greater indexes go down by one.
    virtual void AfterConStyleRemoved(int index) = 0;
    // Drops one use of a shared picture.
    virtual void ReleaseSharedPicture(int kind, HGLOBAL handle) = 0;
};
