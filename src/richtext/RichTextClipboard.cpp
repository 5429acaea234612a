#include "richtext/RichTextClipboard.h"

#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupPositions.h"
#include "richtext/RtfReader.h"
#include "richtext/TextUtils.h"
#include "platform/Ansi.h"

#include <QByteArray>
#include <QMimeData>

namespace {

QByteArray Bytes(const std::string& s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

std::string RemoveSoftBreaks(const std::string& markup)
{
    bool c = false, f = false;
    std::string out = markup;
    RemoveMarkupTokensAll(out, c, f, {Mk::SoftLine});
    return out;
}

} // namespace

void PutRichTextOnClipboard(QMimeData& data, const std::string& text, const TextFormatRec& format, int first,
                            int last)
{
    const int count = CountMarkupChars(text);
    const bool whole = first <= 0 && (last < 0 || last >= count);
    std::string piece;
    if (ExtractRangeAsMarkup(text, piece, &format, first, last)) {
        piece = RemoveSoftBreaks(piece);
        data.setData(kMimeKrtf, Bytes(piece));
        const QByteArray rtf = Bytes(BuildRtfDocument(piece, whole));
        data.setData(kMimeRtf, rtf);
        data.setData(kMimeRtfWithoutObjects, rtf);
    }
    // The plain text of the range, hard breaks as CR LF.
    std::string plain;
    const int start = CharIndexToOffset(text, first, false);
    const int end = last < 0 ? int(text.size()) : CharIndexToOffset(text, last, true);
    if (start >= 0 && end >= start) {
        plain = text.substr(size_t(start), size_t(end - start));
        MarkupToClipboardText(plain);
    }
    data.setText(AnsiToQString(plain));
}

bool PasteRichTextFromClipboard(const QMimeData& data, std::string& text, const TextFormatRec& format, int index,
                                int& pastedCount)
{
    pastedCount = 0;
    const std::string original = text;
    const int before = CountMarkupChars(text);
    // A format that gives no character (markup of tables and codes only)
    // pastes nothing: the text stays as it was and the next format is tried,
    // so that a paste reported as empty never changes the text.
    auto took = [&](bool inserted) {
        const int added = inserted ? CountMarkupChars(text) - before : 0;
        if (added > 0) {
            pastedCount = added;
            return true;
        }
        text = original;
        return false;
    };
    if (data.hasFormat(kMimeKrtf)) {
        const QByteArray b = data.data(kMimeKrtf);
        if (took(InsertMarkupAt(text, &format, std::string(b.constData(), size_t(b.size())), index,
                                kMarkupTextLimit)))
            return true;
    }
    for (const char* rtfType : {kMimeRtf, kMimeRtfWithoutObjects}) {
        if (!data.hasFormat(rtfType))
            continue;
        const QByteArray b = data.data(rtfType);
        std::string markup;
        if (RtfToMarkup(std::string(b.constData(), size_t(b.size())), markup) &&
            took(InsertMarkupAt(text, &format, markup, index, kMarkupTextLimit)))
            return true;
    }
    if (data.hasText()) {
        std::string plain = QStringToAnsi(data.text());
        if (plain.size() > size_t(kMarkupTextLimit))
            plain.resize(size_t(kMarkupTextLimit));
        PlainTextToMarkupForPaste(plain);
        if (!plain.empty() && took(InsertStringAt(text, index, plain, kMarkupTextLimit, true)))
            return true;
    }
    return false;
}
