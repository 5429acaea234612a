#include "document/CKavoDoc.h"
#include "document/CStyleMenuLayout.h"
#include "frame/CustomizeCatalogue.h"
#include "frame/CustomizeEdits.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {
using List = std::vector<unsigned>;

CToolBarButtons Bar(const List& list)
{
    CToolBarButtons bar;
    EXPECT_TRUE(bar.Setup(list.data(), int(list.size()), IDB_TOOLBAR_STRIP, ToolBarImageTable(), 27, 26, 20, 20));
    return bar;
}

CStyleMenuLayout Layout(std::initializer_list<int> styles)
{
    CStyleMenuLayout l;
    l.PresetFigureButtons();
    for (int s : styles)
        l.InsertAt(l.m_nCount, s, "s" + std::to_string(s));
    return l;
}

std::vector<int> Styles(const CStyleMenuLayout& l) { return {l.m_index, l.m_index + l.m_nCount}; }
} // namespace

TEST(CustomizeCatalogueTest, NinetySixCommandsInEightCategories)
{
    const auto catalogue = CommandCatalogue();
    ASSERT_EQ(catalogue.size(), 96u);
    std::map<int, int> perCategory;
    for (const auto& e : catalogue)
        ++perCategory[e.category];
    const std::vector<int> categories = CollectCommandCategories();
    ASSERT_EQ(categories.size(), 8u);
    const int counts[] = {10, 19, 24, 9, 14, 4, 8, 8};
    const char* names[] = {"File", "Edit", "Text and Labels", "Lines and Connectors", "Figures", "Hyper", "View",
                           "General"};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(perCategory[categories[i]], counts[i]) << i;
        EXPECT_STREQ(CommandCategoryName(categories[i]), names[i]);
    }
    EXPECT_EQ(CollectCommandCategories(3).size(), 3u);
    EXPECT_EQ(catalogue.front().command, 57600u);
    EXPECT_EQ(catalogue.back().command, 33083u);
    EXPECT_EQ(CommandItemText("Changes to select mode\nSelect Mode (F3)"), "Select Mode");
    EXPECT_EQ(CommandItemText("\nAttach Mode: Freeform/None"), "Attach Mode: Freeform/None");
    EXPECT_EQ(CommandItemText("no newline"), "no newline");
}

// The Commands page lists each category's commands in this order.
TEST(CustomizeCatalogueTest, CommandsAreListedInTheirOrder)
{
    const std::vector<std::vector<unsigned>> lists = {
        {57600, 57601, 57603, 36559, 36538, 36560, 57609, 57607, 57648, 57666},
        {57643, 32768, 57635, 57634, 57637, 57632, 33039, 32787, 33035, 32818, 32819, 32820, 32821, 33027, 33028,
         32780, 32778, 33029, 33034},
        {36567, 32775, 32776, 36499, 36531, 36532, 36533, 36557, 36556, 36562, 36563, 36505, 36506, 36507, 36508,
         36509, 36510, 36564, 36534, 36535, 36536, 32795, 32796, 33123},
        {36566, 36496, 36492, 36491, 36493, 32807, 32808, 32810, 33064},
        {36565, 36497, 36498, 36494, 40006, 40009, 32791, 32785, 33190, 33191, 33192, 33193, 33194, 33195},
        {32771, 32770, 32769, 32773},
        {32779, 36502, 36517, 36518, 36521, 36520, 36523, 36524},
        {36500, 36503, 36501, 36504, 36561, 33072, 33073, 33083},
    };
    const std::vector<int> categories = CollectCommandCategories();
    ASSERT_EQ(categories.size(), lists.size());
    for (size_t i = 0; i < lists.size(); ++i) {
        std::vector<unsigned> listed;
        for (const auto& e : CommandCatalogue())
            if (e.category == categories[i])
                listed.push_back(e.command);
        EXPECT_EQ(listed, lists[i]) << CommandCategoryName(categories[i]);
    }
}

// Bar A = {1, 2, 0, 3, 4}: dropping 3 (index 3) by its own place.
TEST(CustomizeEditsTest, ToolBarDropsOnTheSameBar)
{
    struct Case {
        int d, t;
        bool fromBar;
        List after;
        CustomizeDrop result;
    } cases[] = {
        {3, 3, true, {1, 2, 3, 4}, CustomizeDrop::Changed},          // own left edge: separator before goes
        {3, 2, true, {1, 2, 3, 4}, CustomizeDrop::Changed},          // one left with a separator before: it goes
        {3, 4, true, {1, 2, 0, 3, 4}, CustomizeDrop::Unchanged},     // own right edge, separator already there
        {1, 2, true, {1, 0, 2, 0, 3, 4}, CustomizeDrop::Changed},    // own right edge: a separator before it
        {0, 1, true, {1, 2, 0, 3, 4}, CustomizeDrop::Unchanged},     // never before the first
        {1, 1, true, {1, 2, 0, 3, 4}, CustomizeDrop::Unchanged},     // nothing before it to remove
        {0, 5, true, {2, 0, 3, 4, 1}, CustomizeDrop::Changed},       // moved to the end
        {4, 0, true, {4, 1, 2, 0, 3}, CustomizeDrop::Changed},       // moved to the front
        {1, 4, true, {1, 0, 3, 2, 4}, CustomizeDrop::Changed},
        // From the Commands list no separator is edited: the command is taken
        // out and put back where it was dropped.
        {3, 3, false, {1, 2, 0, 3, 4}, CustomizeDrop::Changed},
    };
    for (const Case& c : cases) {
        CToolBarButtons a = Bar({1, 2, 0, 3, 4});
        EXPECT_EQ(DropToolBarButton(a, c.d, &a, c.t, c.fromBar), c.result) << c.d << "->" << c.t;
        EXPECT_EQ(a.Buttons(), c.after) << c.d << "->" << c.t;
    }
}

TEST(CustomizeEditsTest, ToolBarDropsBetweenBarsAndOffTheBars)
{
    CToolBarButtons a = Bar({1, 0, 2}), b = Bar({7, 8});
    EXPECT_EQ(DropToolBarButton(a, 2, &b, 1, true), CustomizeDrop::Changed);
    EXPECT_EQ(a.Buttons(), List{1});
    EXPECT_EQ(b.Buttons(), (List{7, 2, 8}));
    // The last button stays, whether dropped off or on another bar.
    EXPECT_EQ(DropToolBarButton(a, 0, nullptr, -1, true), CustomizeDrop::OnlyButton);
    EXPECT_EQ(DropToolBarButton(a, 0, &b, 0, true), CustomizeDrop::OnlyButton);
    EXPECT_EQ(a.Buttons(), List{1});
    // Off the bars: a bar's button goes, a Commands-list drag changes nothing.
    EXPECT_EQ(DropToolBarButton(b, 1, nullptr, -1, false), CustomizeDrop::Unchanged);
    EXPECT_EQ(DropToolBarButton(b, 1, nullptr, -1, true), CustomizeDrop::Changed);
    EXPECT_EQ(b.Buttons(), (List{7, 8}));
}

TEST(CustomizeEditsTest, AFullBarTakesNothingAndLosesNothing)
{
    List hundred;
    for (unsigned i = 1; i <= 100; ++i)
        hundred.push_back(1000 + i);
    CToolBarButtons full = Bar(hundred), a = Bar({1, 2});
    EXPECT_EQ(AddToolBarCommand(full, 5, 10), CustomizeDrop::BarFull);
    EXPECT_EQ(DropToolBarButton(a, 0, &full, 3, true), CustomizeDrop::BarFull);
    EXPECT_EQ(a.Buttons(), (List{1, 2})); // the moved button was not taken off its bar
    EXPECT_EQ(full.Count(), 100);
    // Moving within the full bar still works.
    EXPECT_EQ(DropToolBarButton(full, 0, &full, 100, true), CustomizeDrop::Changed);
    EXPECT_EQ(full.Buttons().back(), 1001u);
    EXPECT_EQ(AddToolBarCommand(a, 5, 1), CustomizeDrop::Changed);
    EXPECT_EQ(a.Buttons(), (List{1, 5, 2}));
}

TEST(CustomizeEditsTest, StyleDropsDecideByLayoutMembership)
{
    struct Case {
        int style, pos;
        std::vector<int> after;
        bool changed;
    } cases[] = {
        {9, 1, {1, 9, 2, 3, 4}, true},    // new style added
        {4, 0, {4, 1, 2, 3}, true},       // style already held (even if scrolled out of view) is moved
        {1, 3, {2, 3, 1, 4}, true},       // moved right: one less than the drop index
        {2, 1, {1, 2, 3, 4}, false},      // its own place
        {2, 2, {1, 2, 3, 4}, false},      // the place after it
        {9, 99, {1, 2, 3, 4, 9}, true},   // past the end: appended
    };
    for (const Case& c : cases) {
        CStyleMenuLayout l = Layout({1, 2, 3, 4});
        EXPECT_EQ(DropStyleInLayout(l, c.style, "s" + std::to_string(c.style), c.pos), c.changed) << c.style;
        EXPECT_EQ(Styles(l), c.after) << c.style << "@" << c.pos;
        for (int i = 0; i < l.m_nCount; ++i)
            EXPECT_EQ(l.m_names[i], "s" + std::to_string(l.m_index[i]));
    }
    CStyleMenuLayout full;
    for (int i = 0; i < CStyleMenuLayout::kMaxEntries; ++i)
        full.InsertAt(i, i, "x");
    EXPECT_FALSE(DropStyleInLayout(full, 500, "new", 0));
    EXPECT_EQ(full.m_nCount, CStyleMenuLayout::kMaxEntries);
    EXPECT_TRUE(DropStyleInLayout(full, 199, "x", 0)); // a move in a full layout still works
    EXPECT_EQ(full.m_index[0], 199);
    EXPECT_TRUE(RemoveStyleFromLayout(full, 199));
    EXPECT_FALSE(RemoveStyleFromLayout(full, 199));
}

TEST(CustomizeEditsTest, StyleBarWidthDragStopsAtItsLimits)
{
    EXPECT_EQ(DraggedStyleBarWidth(128, 20), 148);
    EXPECT_EQ(DraggedStyleBarWidth(128, 500), 300);
    EXPECT_EQ(DraggedStyleBarWidth(128, -500), 90);
}

TEST(CustomizeEditsTest, ApplyKeepsACopyOnceAndResetGoesBackToIt)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    doc.m_figStyles.RemoveAll();
    for (const char* name : {"A", "B", "C"}) {
        CFigProps props;
        ASSERT_EQ(doc.m_figStyles.AddFigStyle(&props, name, 1, 1, 0, "", "", 100, 50, "", "", nullptr, 0, ""), 1);
    }
    CStyleMenuLayout three;
    three.PresetFigureButtons();
    for (int i = 0; i < 3; ++i)
        three.InsertAt(i, i, doc.m_figStyles.GetAt(i)->m_strName);
    doc.m_figButtons = three;
    doc.m_lblButtons = Layout({});
    doc.m_conButtons = Layout({});
    doc.m_nSBarWidth = 128;
    doc.SetModifiedFlag(false);
    // Nothing to restore before a change: the preset sizes alone are no copy.
    EXPECT_FALSE(RestoreStyleBar(doc));
    EXPECT_EQ(doc.m_figButtons.m_nCount, 3);

    CStyleMenuLayout lbl = doc.m_lblButtons, fig = doc.m_figButtons, con = doc.m_conButtons;
    const CStyleMenuLayout* layouts[3] = {&lbl, &fig, &con};
    EXPECT_FALSE(ApplyStyleBarLayouts(doc, layouts, -1));
    EXPECT_FALSE(ApplyStyleBarLayouts(doc, layouts, 128));
    EXPECT_FALSE(doc.IsModified());

    fig.Columns = 3;
    fig.RemoveAt(0);
    EXPECT_TRUE(ApplyStyleBarLayouts(doc, layouts, 200));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_figButtons.Columns, 3);
    EXPECT_EQ(doc.m_nSBarWidth, 200);
    EXPECT_EQ(doc.m_nSBarWidthOrg, 128);
    // A second change keeps the first copy.
    EXPECT_TRUE(ApplyStyleBarLayouts(doc, layouts, 250));
    EXPECT_EQ(doc.m_nSBarWidthOrg, 128);
    EXPECT_EQ(doc.m_figButtonsRestore.Columns, 2);
    EXPECT_FALSE(SnapshotStyleBar(doc));

    doc.SetModifiedFlag(false);
    EXPECT_TRUE(RestoreStyleBar(doc));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_nSBarWidth, 128);
    EXPECT_EQ(doc.m_nSBarWidthOrg, -1);
    EXPECT_TRUE(doc.m_figButtons == three);
    EXPECT_EQ(doc.m_figButtons.m_names[0], "A");
}
