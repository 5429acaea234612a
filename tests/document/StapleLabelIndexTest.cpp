// The table of each figure's label staples against a plain scan of the
// staple list, after every action of random sequences of the document's
// edits with undos and reloads mixed in: a table left stale by any of them
// would clip connector ends against labels the figure no longer has, or
// miss new ones.
#include "UndoPropertyEdits.h"
#include "document/CStaple.h"
#include "fileformat/FileFormatTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>

namespace {
std::vector<const CStaple*> ScanLabelsOf(const CKavoDoc& doc, const CFigure* fig)
{
    std::vector<const CStaple*> out;
    for (const CDiagObj* o : *doc.m_pStapleList) {
        const auto* st = static_cast<const CStaple*>(o);
        if (st->m_nType == kStapleFigLabel && st->m_pFig1 == fig && st->m_pFig2)
            out.push_back(st);
    }
    return out;
}

// Empty when the table agrees with the scan for every figure the document
// or a staple names.
std::string Disagreement(const CKavoDoc& doc)
{
    std::set<const CFigure*> figs;
    for (const CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjFigure)
            figs.insert(static_cast<const CFigure*>(o));
    for (const CDiagObj* o : *doc.m_pStapleList)
        if (const CFigure* f = static_cast<const CStaple*>(o)->m_pFig1)
            figs.insert(f);
    for (const CFigure* f : figs) {
        const std::vector<const CStaple*> expected = ScanLabelsOf(doc, f);
        if (doc.FigLabelStaplesOf(f) != expected) {
            std::ostringstream out;
            out << "figure " << f->m_nId << ": the table holds " << doc.FigLabelStaplesOf(f).size()
                << " label staples, the list " << expected.size();
            return out.str();
        }
    }
    return {};
}

// A saved and reopened copy of the document.
std::unique_ptr<CKavoDoc> Reloaded(CKavoDoc& doc, const QTemporaryDir& dir)
{
    const std::string path = dir.filePath("reload.kvd").toStdString();
    auto out = std::make_unique<CKavoDoc>();
    if (!doc.OnSaveDocument(path) || !out->OpenDocumentUnlocked(path, false))
        return nullptr;
    return out;
}

TEST(StapleLabelIndex, AgreesWithTheStapleListThroughEditsUndoAndReload)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto& table = UndoPropertyEditTable();
    int total = 0;
    for (const UndoPropertyEdit& e : table)
        total += e.weight;
    int labelled = 0;   // actions after which some figure had a label
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        std::vector<uint32_t> record;
        auto doc = std::make_unique<CKavoDoc>();
        ASSERT_TRUE(doc->OnNewDocument());
        for (int i = 0; i < 160; ++i) {
            const uint32_t roll = rng() % 100;
            std::string what;
            if (roll < 25) {
                doc->UndoLastStep();
                what = "undo";
            } else if (roll < 28) {
                doc = Reloaded(*doc, dir);
                ASSERT_TRUE(doc) << "seed " << seed << " action " << i << ": reload failed";
                what = "reload";
            } else {
                int pick = int(rng() % uint32_t(total));
                size_t e = 0;
                for (; pick >= table[e].weight; ++e)
                    pick -= table[e].weight;
                EditArgs args(&rng, &record);
                table[e].run(*doc, args);
                what = table[e].name;
            }
            const std::string wrong = Disagreement(*doc);
            ASSERT_EQ(wrong, "") << "seed " << seed << " action " << i << " (" << what << ")";
            for (const CDiagObj* o : *doc->m_pStapleList)
                if (static_cast<const CStaple*>(o)->m_nType == kStapleFigLabel) {
                    ++labelled;
                    break;
                }
        }
    }
    // The sequences must reach labelled figures for the comparison to mean much.
    EXPECT_GT(labelled, 100);
}
} // namespace
