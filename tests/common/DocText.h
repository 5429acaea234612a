#pragma once
// The document as its file would hold it: what an edit and its undo are
// compared by.
#include "document/CKavoDoc.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordStreams.h"

#include <gtest/gtest.h>

#include <string>

inline std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

// The markup of the figure's first text area.
inline std::string AreaText(const CFigure* fig)
{
    std::string text;
    fig->GetPlainText(text, 0);
    return text;
}
