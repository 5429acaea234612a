// The style menus and button layouts in the diagram text: written, read
// back into the document and written again the same.
#include "fileformat/FileFormatTestSupport.h"

namespace {

void AddStyles(CKavoDoc& doc)
{
    CFigProps fp;
    for (auto [name, label, cat] : {std::tuple{"Box", 0, "Basic"}, {"Oval", 0, "Round"}, {"Note", 1, ""},
                                    {"Tag", 1, ""}})
        ASSERT_EQ(doc.m_figStyles.AddFigStyle(&fp, name, 1, 1, label, "", cat, 100, 50, "", "", nullptr, 0, ""), 1);
    CConProps cp;
    ASSERT_EQ(doc.m_conStyles.AddConStyle(&cp, "Line", 1, 1, "", "", 0, "", 0, 0, 0, 0), 1);
}

std::vector<std::string> Names(const CStyleMenuLayout& l)
{
    return {l.m_names, l.m_names + l.m_nCount};
}

} // namespace

TEST(StyleLayoutsFile, LayoutsAreWrittenAndReadBack)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    AddStyles(doc);
    doc.InitStyleMenus();
    doc.m_figButtons.Columns = 3;
    doc.m_figButtons.SwapEntries(0, 1);
    doc.m_lblButtonsRestore.AppendName("Tag");
    const std::string text = WriteDoc(doc);
    EXPECT_NE(text.find("FigureMenu"), std::string::npos);
    EXPECT_NE(text.find("LabelButtonsRestore"), std::string::npos);
    // Equal restore layouts are not written.
    EXPECT_EQ(text.find("FigureButtonsRestore"), std::string::npos);

    CKavoDoc back;
    PrepareForLoad(back);
    std::vector<std::pair<int, int>> errors;
    ASSERT_TRUE(LoadText(back, text, &errors));
    EXPECT_TRUE(errors.empty()) << errors[0].first << ": " << errors[0].second;
    back.InitStyleMenus();
    EXPECT_EQ(Names(back.m_figButtons), (std::vector<std::string>{"Oval", "Box"}));
    EXPECT_EQ(back.m_figButtons.Columns, 3);
    EXPECT_EQ(back.m_figButtons.m_index[0], back.m_figStyles.FindByName("Oval"));
    ASSERT_EQ(back.m_figMenu.m_nCount, 2);
    EXPECT_EQ(back.m_figMenu.m_sub[1].m_strName, "Round");
    EXPECT_EQ(back.m_figMenu.m_sub[1].ItemWidth, 36);
    ASSERT_EQ(back.m_lblMenu.m_nCount, 1);
    EXPECT_EQ(back.m_lblMenu.m_sub[0].m_strName, "");
    EXPECT_EQ(back.m_lblMenu.m_sub[0].m_nCount, 2);
    EXPECT_EQ(Names(back.m_lblButtonsRestore), (std::vector<std::string>{"Tag"}));
    const auto layouts = [](const std::string& t) { return t.substr(0, t.find("## Graphics Section")); };
    EXPECT_EQ(layouts(WriteDoc(back)), layouts(text));
}

TEST(StyleLayoutsFile, BadLayoutsAreHandled)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    AddStyles(doc);
    std::string rows;
    for (int i = 0; i < 60; ++i)
        rows += "Row \"s" + std::to_string(i) + "\"\r\n";
    const std::string text = "KAVO Diagram File\r\nVersion 5.08\r\n"
                             "FigureButtons\r\n{\r\nColumns 2\r\nBtnHeight 28\r\nRow \"Gone\", \"Box\"\r\n}\r\n"
                             "ConnectorMenu\r\n{\r\nSubmenu \"A\"\r\n{\r\nColumns 4\r\n" +
                             rows + "}\r\n}\r\nLabelButtons\r\n{\r\nColumns 99\r\n}\r\n";
    std::vector<std::pair<int, int>> errors;
    LoadText(doc, text, &errors);
    EXPECT_EQ(errors.size(), 1u);   // the out-of-range column count
    ASSERT_EQ(doc.m_conMenu.m_nCount, 1);
    EXPECT_EQ(doc.m_conMenu.m_sub[0].m_nCount, CStyleSubmenu::kMaxEntries);
    doc.InitStyleMenus();
    EXPECT_EQ(doc.m_figButtons.m_index[0], -1);
    int changed = 0;
    doc.UpdateStyleMenusAndButtons(&changed);
    // The loaded layout decided the flags: "Oval" has no button any more.
    EXPECT_EQ(Names(doc.m_figButtons), (std::vector<std::string>{"Box"}));
    EXPECT_EQ(changed, 0);
    // No name of the submenu exists, nor its category: the menu is blank.
    EXPECT_TRUE(doc.m_conMenu.IsBlank());
}
