// The keys of the menus and of the frame's own commands, pressed on the main
// window with a diagram open: each runs its command, and only that one.
#include "common/DiagramFixture.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "undo/UndoCodes.h"

#include "document/DocSnapshot.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace {
struct KeyRow {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int id;
};

const KeyRow kKeys[] = {
    {Qt::Key_N, Qt::ControlModifier, 57600},     // New
    {Qt::Key_O, Qt::ControlModifier, 57601},     // Open
    {Qt::Key_S, Qt::ControlModifier, 57603},     // Save
    {Qt::Key_P, Qt::ControlModifier, 57607},     // Print
    {Qt::Key_Z, Qt::ControlModifier, 57643},     // Undo
    {Qt::Key_X, Qt::ControlModifier, 57635},     // Cut
    {Qt::Key_C, Qt::ControlModifier, 57634},     // Copy
    {Qt::Key_V, Qt::ControlModifier, 57637},     // Paste
    {Qt::Key_Delete, Qt::NoModifier, 57632},     // Delete
    {Qt::Key_D, Qt::ControlModifier, 32768},     // Duplicate
    {Qt::Key_A, Qt::ControlModifier, 33029},     // Select All
    {Qt::Key_Plus, Qt::ControlModifier, 32780},  // Front One
    {Qt::Key_Minus, Qt::ControlModifier, 32778}, // Back One
    {Qt::Key_G, Qt::ControlModifier, 32818},     // Group
    {Qt::Key_U, Qt::ControlModifier, 32819},     // Ungroup
    {Qt::Key_R, Qt::ControlModifier, 32821},     // Regroup
    {Qt::Key_F, Qt::ControlModifier, 33035},     // Find
    {Qt::Key_H, Qt::ControlModifier, 33036},     // Replace
    // On no menu: the zoom keys and the mode keys the buttons name.
    {Qt::Key_Plus, Qt::NoModifier, 36511},
    {Qt::Key_Minus, Qt::NoModifier, 36512},
    {Qt::Key_F3, Qt::NoModifier, 36500},
    {Qt::Key_F4, Qt::NoModifier, 36503},
    {Qt::Key_F5, Qt::NoModifier, 36501},
    {Qt::Key_F6, Qt::NoModifier, 36504},
    {Qt::Key_F7, Qt::NoModifier, 36502},
};

void CollectShortcuts(const QList<QAction*>& actions, std::map<int, QKeySequence>& out)
{
    for (QAction* a : actions) {
        if (a->menu())
            CollectShortcuts(a->menu()->actions(), out);
        else if (!a->shortcut().isEmpty())
            out[a->data().toInt()] = a->shortcut();
    }
}

struct ShortcutTest : testing::Test {
    DiagramFixture fx;   // outlives the view the frame holds
    CMainFrame frame;
    CKavoView* view = nullptr;

    void SetUp() override
    {
        view = new CKavoView(&fx.doc);
        frame.AddViewFrame(view, "d");
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        view->setFocus();
    }
    void Press(const KeyRow& k)
    {
        frame.OnIdleUpdateCmdUI();
        QTest::keyClick(view, k.key, k.modifiers);
    }
};
} // namespace

TEST_F(ShortcutTest, EveryKeyRunsItsOwnCommandAndNoOther)
{
    std::vector<int> ran;
    for (const KeyRow& k : kKeys) {
        frame.Commands().SetHandler(k.id, [&ran, id = k.id] { ran.push_back(id); });
        frame.Commands().SetUpdate(k.id, [](CmdUI& ui) { ui.Enable(true); });
    }
    for (const KeyRow& k : kKeys) {
        ran.clear();
        Press(k);
        EXPECT_EQ(ran, std::vector<int>{k.id}) << "command " << k.id;
    }
    // The table holds every key the menus show.
    std::map<int, QKeySequence> shown;
    CollectShortcuts(frame.menuBar()->actions(), shown);
    for (const auto& [id, keys] : shown) {
        const auto row = std::find_if(std::begin(kKeys), std::end(kKeys), [id = id](const KeyRow& k) { return k.id == id; });
        ASSERT_NE(row, std::end(kKeys)) << "command " << id << " " << keys.toString().toStdString();
        EXPECT_EQ(keys, QKeySequence(QKeyCombination(row->modifiers, row->key))) << "command " << id;
    }
    EXPECT_GE(shown.size(), 18u);
}

// The real commands behind three keys: the document changes, and the undo
// key takes it back to what it was.
TEST_F(ShortcutTest, SelectAllDeleteAndUndoByKeys)
{
    fx.Connect(fx.AddBox(100, 100, 300, 200, "A"), fx.AddBox(600, 100, 300, 200, "B"));
    fx.doc.ResetUndoLog();
    fx.doc.SetModifiedFlag(false);
    const std::string before = FullSnapshot(fx.doc);
    Press({Qt::Key_A, Qt::ControlModifier, 33029});
    EXPECT_EQ(fx.doc.GetSelCount(), 3);
    Press({Qt::Key_Delete, Qt::NoModifier, 57632});
    EXPECT_EQ(fx.doc.GetObjCount(), 0);
    view->FlushPaint();
    Press({Qt::Key_Z, Qt::ControlModifier, 57643});
    EXPECT_EQ(fx.doc.GetObjCount(), 3);
    // The view shows the diagram as undone, as a whole new rendering would.
    view->FlushPaint();
    const QImage shown = view->Surface().copy();
    view->InvalidateAll();
    view->FlushPaint();
    EXPECT_TRUE(shown == view->Surface());
    fx.doc.ClearSel(false);
    fx.doc.SetModifiedFlag(false);
    const std::string after = FullSnapshot(fx.doc);
    EXPECT_EQ(after, before) << SnapshotDiff(before, after);
}

TEST(MenuShortcutTest, ReadsOnlyKeysFromTheMenuText)
{
    const struct {
        const char* text;
        QKeySequence keys;
    } cases[] = {
        {"&Copy\tCtrl+C", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"Delete\tDel", QKeySequence(Qt::Key_Delete)},
        {"Fr&ont One\tCtrl+Plus", QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {"Back O&ne\tCtrl+Minus", QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        {"Zoom Mode\tF7", QKeySequence(Qt::Key_F7)},
        {"&Fine\t1/2 pt", QKeySequence()},
        {"&Very Heavy\t3 pt", QKeySequence()},
        {"&Page Width", QKeySequence()},
        {"Odd\tHyper+C", QKeySequence()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuShortcut(c.text), c.keys) << c.text;
}
