#include "shapes/SymbolFiles.h"

#include "core/MsgBox.h"
#include "core/ProgramFolders.h"
#include "keyword/KeywordStreams.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/TextCase.h"
#include "shapes/CSymbolLoadObj.h"
#include "shapes/ShapeLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr size_t kMaxComment = 80;
constexpr size_t kMaxBlockName = 30;
constexpr UINT kIdsBuiltinFile = 661;

constexpr const char* kTextUnrecognized = "Cannot load symbols from %s\nUnrecognized file";
constexpr const char* kTextTooNew = "Cannot load symbols from %s\nRequires newer version";
constexpr const char* kTextLineError = "Unable to load symbol from %s.\nError line %d.";
constexpr const char* kTextConflict = "Unable to load '%s' from file %s.\nName conflict.";
constexpr const char* kTextNoMemory = "Unable to load '%s' from file %s.";
constexpr const char* kTextCannotOpen = "Cannot open the symbol file %s.";

// The reader of one symbol-library file: the header, "Comment" lines and the
// symbol blocks of its kind. Any failing line ends the load; the caller shows
// one message for it.
class CSymbolFileLoadObj : public CSymbolLoadObj {
public:
    CSymbolFileLoadObj(bool endSymbols, SymbolFileSink& sink) : m_bEndSymbols(endSymbols), m_sink(sink) {}
    int FailLine() const { return m_nFailLine; }
    int FailCode() const { return m_nFailCode; }

protected:
    int HandleTopLevelLine(const char* p) override
    {
        if (m_nLineNo <= 2) {
            int result = HandleHeaderLine(p);
            if (result == KWR_DONE_ASK)
                result = KWR_STOP; // a newer file is refused, not asked about
            return result;
        }
        std::string text;
        if (MatchKeyword(p, KW_Comment))
            return ParseDelimitedCString(p, text, kMaxComment) ? KWR_DONE : KWR_STOP;
        const EKeyword block = m_bEndSymbols ? KW_EndSymbol : KW_FigureSymbol;
        if (MatchKeyword(p, block)) {
            if (!ParseDelimitedCString(p, text, kMaxBlockName) || text.empty()) {
                if (!m_nErrorCode)
                    m_nErrorCode = KWE_SYNTAX; // a block without a name
                return KWR_STOP;
            }
            BeginNamedRecord(m_bEndSymbols ? BT_END_SYMBOL : BT_FIGURE_SYMBOL, text);
            SetBlockType(m_bEndSymbols ? BT_END_SYMBOL : BT_FIGURE_SYMBOL);
            return KWR_DONE;
        }
        m_nErrorCode = KWE_UNRECOGNIZED;
        return KWR_STOP;
    }
    int EndFigureSymbol() override
    {
        m_sink.TakeFigureSymbol(BuiltFigSymbol());
        return KWR_DONE;
    }
    int EndEndSymbol() override
    {
        m_sink.TakeEndSymbol(BuiltEndSymbol());
        return KWR_DONE;
    }
    // Every reported error stops the load; nothing is shown here.
    int ReportLineError() override
    {
        if (!m_nFailCode) {
            m_nFailCode = m_nErrorCode ? m_nErrorCode : KWE_SYNTAX;
            m_nFailLine = m_nLineNo;
        }
        m_nLastResult = KWR_STOP;
        return 1;
    }
    void ReportEndOfLoad() override
    {
        if (m_nErrorCode && !m_nFailCode) {
            m_nFailCode = m_nErrorCode;
            m_nFailLine = m_nLineNo;
        }
    }

private:
    bool m_bEndSymbols;
    SymbolFileSink& m_sink;
    int m_nFailLine = 0;
    int m_nFailCode = 0;
};

std::string PathText(const QString& path)
{
    return QStringToAnsi(QDir::toNativeSeparators(path));
}

template <class Entry>
int FindEntry(const std::vector<std::unique_ptr<Entry>>& entries, const std::string& name)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i]->Name() == name)
            return int(i);
    return -1;
}

// Reads a whole file into memory; false when it cannot be opened.
bool ReadWholeFile(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}
} // namespace

SymbolFileReadResult ReadSymbolFile(IKeywordSource& source, bool endSymbols, SymbolFileSink& sink, int* pnLine)
{
    CSymbolFileLoadObj loader(endSymbols, sink);
    const BOOL ok = loader.Load(source);
    if (pnLine)
        *pnLine = loader.FailLine();
    if (ok && !loader.FailCode())
        return SymbolFileReadResult::Ok;
    switch (loader.FailCode()) {
    case KWE_NOT_DIAGRAM:
    case KWE_NEEDS_CONVERSION: return SymbolFileReadResult::Unrecognized;
    case KWE_NEWER_VERSION: return SymbolFileReadResult::TooNew;
    case 0: return SymbolFileReadResult::Cancelled;
    default: return SymbolFileReadResult::LineError;
    }
}

template <class Entry>
int SymbolFile::SortedPosition(const std::vector<std::unique_ptr<Entry>>& entries, const std::string& name)
{
    const std::string key = ToLowerAscii(name);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string other = ToLowerAscii(entries[i]->Name());
        if (other == key)
            return -1 - int(i);
        if (other > key)
            return int(i);
    }
    return int(entries.size());
}

void SymbolFile::ShowReadFailure(SymbolFileReadResult result, const QString& path, int line)
{
    const std::string text = PathText(path);
    switch (result) {
    case SymbolFileReadResult::Ok:
    case SymbolFileReadResult::Cancelled: return;
    case SymbolFileReadResult::CannotOpen: MsgBoxPrintf(MB_ICONEXCLAMATION, kTextCannotOpen, text.c_str()); return;
    case SymbolFileReadResult::Unrecognized:
        MsgBoxPrintf(MB_ICONEXCLAMATION, kTextUnrecognized, text.c_str());
        return;
    case SymbolFileReadResult::TooNew: MsgBoxPrintf(MB_ICONEXCLAMATION, kTextTooNew, text.c_str()); return;
    case SymbolFileReadResult::LineError:
        MsgBoxPrintf(MB_ICONEXCLAMATION, kTextLineError, text.c_str(), line);
        return;
    }
}

int SymbolFile::Load(bool force, const char* extension)
{
    if (m_bLoaded && !force)
        return m_bPartial ? 0 : 1;
    RemoveAll();
    m_bLoaded = true;
    m_bPartial = false;
    const QString path = GetSymbolsFolder() + AnsiToQString(m_strName) + "." + extension;
    if (!LoadFromFile(path, m_strName + "." + extension)) {
        m_bPartial = true;
        return 0;
    }
    return 1;
}

namespace {
// Collects the symbols of one file into its entries as they are read.
template <class File>
struct FileSink : SymbolFileSink {
    File& file;
    std::string name;
    FileSink(File& f, std::string n) : file(f), name(std::move(n)) {}
    void TakeFigureSymbol(const CFigSymbol& s) override
    {
        if constexpr (std::is_same_v<File, FigureSymbolFile>)
            file.Insert(s, name);
    }
    void TakeEndSymbol(const CShapeDef& s) override
    {
        if constexpr (std::is_same_v<File, EndSymbolFile>)
            file.Insert(s, name);
    }
};

template <class File>
bool LoadSymbolFile(File& file, const QString& path, const std::string& fileName, bool endSymbols,
                    void (*show)(SymbolFileReadResult, const QString&, int))
{
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes)) {
        show(SymbolFileReadResult::CannotOpen, path, 0);
        return false;
    }
    CMemoryKeywordSource source(std::string_view(bytes.constData(), size_t(bytes.size())));
    FileSink<File> sink(file, fileName);
    int line = 0;
    const SymbolFileReadResult result = ReadSymbolFile(source, endSymbols, sink, &line);
    show(result, path, line);
    return result == SymbolFileReadResult::Ok;
}
} // namespace

template <class Symbol>
int TypedSymbolFile<Symbol>::FindByName(const std::string& name) const
{
    return FindEntry(m_entries, name);
}

template <class Symbol>
bool TypedSymbolFile<Symbol>::Insert(const Symbol& symbol, const std::string& fileName)
{
    const int pos = SortedPosition(m_entries, symbol.m_strName);
    if (pos < 0) {
        if (ReportsConflict(-1 - pos))
            MsgBoxPrintf(MB_ICONEXCLAMATION, kTextConflict, symbol.m_strName.c_str(), fileName.c_str());
        return false;
    }
    try {
        auto entry = std::make_unique<Entry>();
        entry->symbol.CopyFrom(symbol);
        entry->file = fileName;
        Prepare(entry->symbol);
        m_entries.insert(m_entries.begin() + pos, std::move(entry));
    } catch (const std::bad_alloc&) {
        MsgBoxPrintf(MB_ICONEXCLAMATION, kTextNoMemory, symbol.m_strName.c_str(), fileName.c_str());
        return false;
    }
    return true;
}

template class TypedSymbolFile<CFigSymbol>;
template class TypedSymbolFile<CShapeDef>;

bool FigureSymbolFile::LoadFromFile(const QString& path, const std::string& fileName)
{
    return LoadSymbolFile(*this, path, fileName, false, &SymbolFile::ShowReadFailure);
}

void FigureSymbolFile::Prepare(CFigSymbol& symbol) const
{
    symbol.SetOversizeForDiamonds();
    if (symbol.Reshape == 0)
        symbol.ComputeReshapeKind();
    if (symbol.Reshape != 0)
        symbol.SyncSpecialOutlines();
}

bool EndSymbolFile::LoadFromFile(const QString& path, const std::string& fileName)
{
    return LoadSymbolFile(*this, path, fileName, true, &SymbolFile::ShowReadFailure);
}

bool EndSymbolFile::InsertNullLineEnd(const ShapeLibrary& library)
{
    const CShapeDef* null = library.GetAt(0);
    return null && Insert(*null, std::string());
}

void EndSymbolFile::AppendCopy(const CShapeDef& shape)
{
    auto entry = std::make_unique<Entry>();
    entry->symbol.CopyFrom(shape);
    m_entries.push_back(std::move(entry));
}

std::unique_ptr<SymbolFile> SymbolFileList::CreateFile(const std::string& title) const
{
    if (m_bEndSymbols)
        return std::make_unique<EndSymbolFile>(title);
    return std::make_unique<FigureSymbolFile>(title);
}

int SymbolFileList::Scan(bool force, const char* extension)
{
    if (!force && !m_files.empty())
        return GetCount();
    m_files.clear();
    const QString folder = GetSymbolsFolder();
    if (folder.isEmpty())
        return 0;
    QDir dir(folder);
    const QFileInfoList infos =
        dir.entryInfoList(QStringList{QString("*.") + extension}, QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& info : infos) {
        if (info.isHidden() || !info.isFile() || info.isDir())
            continue;
        m_files.push_back(CreateFile(QStringToAnsi(info.completeBaseName())));
    }
    return GetCount();
}

int SymbolFileList::LoadEndSymbols(bool force, const ShapeLibrary& library)
{
    Scan(force, kEndSymbolFileExt);
    const char* title = FindResString(kIdsBuiltinFile);
    const std::string builtin = title ? title : "Built-in";
    if (!FindFile(builtin)) {
        auto file = std::make_unique<EndSymbolFile>(builtin);
        for (int i = 0; i < g_nBuiltinLineEnds && i < library.GetCount(); ++i)
            file->AppendCopy(*library.GetAt(i));
        file->MarkLoaded();
        m_files.push_back(std::move(file));
    }
    return GetCount();
}

SymbolFile* SymbolFileList::FindFile(const std::string& title) const
{
    if (title.empty())
        return nullptr;
    for (const auto& f : m_files)
        if (f->GetName() == title)
            return f.get();
    return nullptr;
}

int SymbolFileList::FindSymbol(const std::string& name, std::string& fileTitle)
{
    const char* ext = m_bEndSymbols ? kEndSymbolFileExt : kFigureSymbolFileExt;
    for (const auto& f : m_files) {
        f->Load(false, ext);
        const int pos = f->FindByName(name);
        if (pos >= 0) {
            fileTitle = f->GetName();
            return pos;
        }
    }
    return -1;
}

SymbolFile* SymbolFileList::GetAt(int n) const
{
    return n >= 0 && n < GetCount() ? m_files[size_t(n)].get() : nullptr;
}
