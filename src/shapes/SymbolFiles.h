#pragma once
// Symbol-library files: the figure-symbol files ("kvf") and end-symbol files
// ("kvn") of the program's symbols folder that the galleries show. A
// SymbolFileList is filled by scanning the folder; each SymbolFile loads its
// symbols on first use, keeping them sorted by name without regard to case.
#include "shapes/CFigSymbol.h"
#include "shapes/CShapeDef.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

class ShapeLibrary;
class IKeywordSource;

inline constexpr const char* kFigureSymbolFileExt = "kvf";
inline constexpr const char* kEndSymbolFileExt = "kvn";
// A conflict with one of this many leading entries of an end-symbol file is
// dropped without a message.
inline constexpr int kSilentEndConflicts = 20;

// A symbol of a library file with the file it came from.
template <class Symbol>
struct CSymbolFileEntry {
    Symbol symbol;
    std::string file;
    const std::string& Name() const { return symbol.m_strName; }
};
using CFigSymbolEntry = CSymbolFileEntry<CFigSymbol>;
using CEndSymbolEntry = CSymbolFileEntry<CShapeDef>;

// How a symbol file was read.
enum class SymbolFileReadResult {
    Ok,
    CannotOpen,
    Unrecognized,   // line 1 is not "KAVO"
    TooNew,         // version above 5.08
    Cancelled,
    LineError,      // with the failing line number
};

// Reads one symbol-library file's text: figure symbols (endSymbols false) or
// end symbols. Each finished symbol is passed to `take`. *pnLine receives the
// failing line.
struct SymbolFileSink {
    virtual ~SymbolFileSink() = default;
    virtual void TakeFigureSymbol(const CFigSymbol&) {}
    virtual void TakeEndSymbol(const CShapeDef&) {}
};
SymbolFileReadResult ReadSymbolFile(IKeywordSource& source, bool endSymbols, SymbolFileSink& sink, int* pnLine);

class SymbolFile {
public:
    explicit SymbolFile(std::string title) : m_strName(std::move(title)) {}
    virtual ~SymbolFile() = default;

    const std::string& GetName() const { return m_strName; }
    bool IsLoaded() const { return m_bLoaded; }
    // The last load failed; the entries read before the failure were kept.
    bool IsPartial() const { return m_bPartial; }

    // Loads the file once from the symbols folder + title + "." + extension
    // (force: discard the entries and read again). 1 when the file was read
    // whole; 0 when it failed (a message was shown; the entries read before
    // the failure stay).
    int Load(bool force, const char* extension);
    // Reads the file at `path` into the entries; false on failure (message shown).
    virtual bool LoadFromFile(const QString& path, const std::string& fileName) = 0;
    virtual int FindByName(const std::string& name) const = 0;
    virtual int GetCount() const = 0;
    virtual void RemoveAll() = 0;

protected:
    // The one message of a failed read (nothing for a cancelled one).
    static void ShowReadFailure(SymbolFileReadResult result, const QString& path, int line);
    // The position before which a name goes in a list sorted without regard
    // to case, or -1 - i when entry i has an equal name.
    template <class Entry>
    static int SortedPosition(const std::vector<std::unique_ptr<Entry>>& entries, const std::string& name);

    std::string m_strName;
    bool m_bLoaded = false;
    bool m_bPartial = false;
};

// The entries of one kind of symbol file, kept sorted by name.
template <class Symbol>
class TypedSymbolFile : public SymbolFile {
public:
    using Entry = CSymbolFileEntry<Symbol>;
    using SymbolFile::SymbolFile;
    int FindByName(const std::string& name) const override;
    int GetCount() const override { return int(m_entries.size()); }
    void RemoveAll() override { m_entries.clear(); }
    const Entry* GetAt(int n) const { return n >= 0 && n < GetCount() ? m_entries[size_t(n)].get() : nullptr; }
    // Inserts in name order; false when dropped (conflict or no memory), with
    // the message of the case.
    bool Insert(const Symbol& symbol, const std::string& fileName);

protected:
    // Whether a conflict with entry `index` is reported.
    virtual bool ReportsConflict(int /*index*/) const { return true; }
    // What a symbol gets when it becomes an entry.
    virtual void Prepare(Symbol& /*symbol*/) const {}

    std::vector<std::unique_ptr<Entry>> m_entries;
};

class FigureSymbolFile : public TypedSymbolFile<CFigSymbol> {
public:
    using TypedSymbolFile::TypedSymbolFile;
    bool LoadFromFile(const QString& path, const std::string& fileName) override;

protected:
    // The oversize rule of diamonds and the special-shape kind.
    void Prepare(CFigSymbol& symbol) const override;
};

class EndSymbolFile : public TypedSymbolFile<CShapeDef> {
public:
    using TypedSymbolFile::TypedSymbolFile;
    bool LoadFromFile(const QString& path, const std::string& fileName) override;
    // A copy of the library's first line end ("null") with no file name.
    bool InsertNullLineEnd(const ShapeLibrary& library);
    // Appends copies as they stand (the built-in list keeps its order).
    void AppendCopy(const CShapeDef& shape);
    void MarkLoaded() { m_bLoaded = true; }

protected:
    bool ReportsConflict(int index) const override { return index >= kSilentEndConflicts; }
};

class SymbolFileList {
public:
    explicit SymbolFileList(bool endSymbols) : m_bEndSymbols(endSymbols) {}

    // Without force a filled list is returned as it is. Otherwise the entries
    // go first; then every file of the symbols folder matching "*." + the
    // extension, neither hidden nor a folder nor a special file, is listed by
    // its title in the order the file system gives. Returns the file count.
    int Scan(bool force, const char* extension);
    // Scans the end-symbol files, then adds the "Built-in" file with copies
    // of the library's first g_nBuiltinLineEnds line ends unless a file of
    // that title exists. Returns the file count.
    int LoadEndSymbols(bool force, const ShapeLibrary& library);
    SymbolFile* FindFile(const std::string& title) const;
    // The position of the symbol in the first file (list order) that holds
    // it, with that file's title; -1 when none does. Loads files as needed.
    int FindSymbol(const std::string& name, std::string& fileTitle);
    int GetCount() const { return int(m_files.size()); }
    SymbolFile* GetAt(int n) const;

private:
    std::unique_ptr<SymbolFile> CreateFile(const std::string& title) const;

    bool m_bEndSymbols;
    std::vector<std::unique_ptr<SymbolFile>> m_files;
};
