// Drives the diagram record readers (Globals, pictures, symbols, styles,
// objects, staples, groups), the post-load relinking, graphics-list rebuild
// and validation, the writers on whatever was read, and the symbol-library
// file reader. Nothing may crash, hang or touch memory outside its buffers,
// and whatever was read from bad bytes writes text that reads back without
// error and writes again byte for byte.
#include "document/CKavoDoc.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordHooks.h"
#include "keyword/KeywordStreams.h"
#include "platform/Prompt.h"
#include "shapes/SymbolFiles.h"
#include "shapes/SymbolRecordWriter.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {
// Goes on with every load, so that every line is read.
class Answers : public IPromptService {
public:
    int ShowMessage(const std::string&, UINT) override { return IDOK; }
};

int NoTrace(const char*, ...)
{
    return 0;
}

// Checks each symbol read and writes it again.
struct Sink : SymbolFileSink {
    CStringKeywordSink text;
    CKeywordWriter writer{text};
    Sink() { writer.WriteHeader(); }
    void TakeFigureSymbol(const CFigSymbol& s) override
    {
        Check(s.IsProgramValid());
        WriteFigureSymbolRecord(writer, s);
    }
    void TakeEndSymbol(const CShapeDef& s) override
    {
        Check(s.IsProgramValid());
        WriteEndSymbolRecord(writer, s);
    }
    static void Check(bool ok)
    {
        if (!ok)
            __builtin_trap();
    }
};

std::string Write(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    WriteDiagramText(w, doc);
    return sink.text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Answers answers;
    SetPromptService(&answers);
    g_pfnKwTrace = NoTrace;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    CKavoDoc doc;
    if (!doc.OnNewDocument())
        return 0;
    doc.DeleteContents();
    CMemoryKeywordSource source(bytes);
    LoadDiagramText(doc, source);
    FinishDiagramLoad(doc);
    const std::string text = Write(doc);

    CKavoDoc again;
    if (again.OnNewDocument()) {
        again.DeleteContents();
        CMemoryKeywordSource second(text);
        const bool ok = LoadDiagramText(again, second);
        FinishDiagramLoad(again);
        const std::string text2 = Write(again);
        if (!ok || text2 != text) {
            fprintf(stderr, "MISMATCH\n----\n%s\n----\n%s\n", text.c_str(), text2.c_str());
            __builtin_trap();
        }
    }

    // Symbols that were read write text that reads back to the same text.
    for (bool ends : {false, true}) {
        Sink sink;
        CMemoryKeywordSource src(bytes);
        ReadSymbolFile(src, ends, sink, nullptr);
        Sink again;
        CMemoryKeywordSource written(sink.text.text);
        Sink::Check(ReadSymbolFile(written, ends, again, nullptr) == SymbolFileReadResult::Ok);
        Sink::Check(again.text.text == sink.text.text);
    }
    return 0;
}
