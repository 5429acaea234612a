// Pastes arbitrary clipboard contents into a text: the system's own markup,
// RTF from other programs and plain text, each alone or together, into an
// empty text and into a formatted one. Nothing may crash or hang; the text
// stays within its limit and its groups balance, pasted or not, and a paste
// that reports no character leaves the text as it was.
#include "richtext/MarkupPositions.h"
#include "richtext/MarkupToken.h"
#include "richtext/RichTextClipboard.h"

#include <QByteArray>
#include <QMimeData>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Braces outside escapes never close more than they opened and all close.
bool Balanced(const std::string& text)
{
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
            continue;
        }
        depth += text[i] == '{' ? 1 : text[i] == '}' ? -1 : 0;
        if (depth < 0)
            return false;
    }
    return depth == 0;
}

void Paste(const QMimeData& data, std::string text, int index)
{
    const TextFormatRec format = MakeTextFormat("Arial", 10, 0x22, 0);
    const std::string before = text;
    int pasted = 0;
    const bool ok = PasteRichTextFromClipboard(data, text, format, index, pasted);
    Check(text.size() <= size_t(kMarkupTextLimit));
    Check(Balanced(text));
    // A paste reports the characters it added; one that added none changed
    // nothing.
    Check(ok == (pasted > 0));
    if (!ok)
        Check(text == before);
    CountMarkupChars(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the formats on the clipboard; the rest is their
    // content (cut to keep a round quick).
    const int formats = data[0] & 7;
    const QByteArray payload(reinterpret_cast<const char*>(data + 1), qsizetype(std::min<size_t>(size - 1, 20000)));
    QMimeData mime;
    if (formats & 1)
        mime.setData(kMimeKrtf, payload);
    if (formats & 2)
        mime.setData(kMimeRtf, payload);
    if (formats & 4 || formats == 0)
        mime.setText(QString::fromLatin1(payload));
    Paste(mime, std::string(), 0);
    const std::string formatted =
        "{\\colortbl \\red0\\green0\\blue0;\\red255\\green0\\blue0;}{\\fonttbl {\\f0 Arial;}}one \\b1\\cf1 two\\b0\\cf0  "
        "three\\line four";
    for (int index : {0, 4, 13, 99})
        Paste(mime, formatted, index);
    return 0;
}
