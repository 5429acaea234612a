// The commands' prompts in the string table: the Customize sheet lists each
// catalogue command under its prompt's short name, and the prompts the
// program's texts fix keep their words.
#include "frame/CommandPrompts.h"
#include "frame/CustomizeCatalogue.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandPromptsTest, CatalogueListsEachCommandUnderItsName)
{
    const char* const names[] = {
        "New Diagram", "Open Diagram", "Save Diagram", "Save HTML", "Save All", "Page Setup", "Print Preview",
        "Print", "New Window", "Help",
        "Undo", "Duplicate", "Cut", "Copy", "Paste", "Delete", "Delete Junctions", "Edit Text", "Find", "Group",
        "Ungroup", "Ungroup All", "Regroup", "Front", "Back", "Front One", "Back One", "Select All", "Deselect All",
        "Label Styles", "Font Family", "Font Size", "Text Color", "Bold", "Italic", "Underline", "Superscript",
        "Subscript", "Horizontal Text Alignment", "Vertical Text Alignment", "Left Align", "Center Align",
        "Right Align", "Top Align", "Middle Align", "Bottom Align", "Rotate Text", "Unrotate Text",
        "Rotate Text Bottom-to-top", "Rotate Text Top-to-bottom", "Left Guillemet", "Right Guillemet",
        "Detach Label",
        "Connector Styles", "Connector Color", "Line Width", "Line Pattern", "Change Curvature",
        "Attach Mode: Freeform/None", "Attach Mode: At Center", "Attach Mode: At Click", "Flip Connector",
        "Figure Styles", "Fill Color", "Border Color", "Drop Shadow", "Same Size", "Size to Text", "Insert Symbol",
        "Insert Graphic", "Align Left", "Align Center", "Align Right", "Align Top", "Align Middle", "Align Bottom",
        "Hyperlink Figure", "Back", "Forward", "Parent",
        "Zoom Percent", "Zoom Mode", "Zoom In", "Zoom Out", "Zoom Whole Page", "Zoom Page Width",
        "Zoom All Objects", "Zoom Selected",
        "Select Mode", "Seltext Mode", "Text Mode", "Connection Point Tool", "Collapse/Expand Style Bar",
        "Visible Grid On/Off", "Snap to Grid On/Off", "Rulers On/Off",
    };
    const auto catalogue = CommandCatalogue();
    ASSERT_EQ(catalogue.size(), std::size(names));
    for (size_t i = 0; i < catalogue.size(); ++i) {
        const unsigned command = catalogue[i].command;
        EXPECT_EQ(CommandItemText(CommandPrompt(command)), names[i]) << command;
        EXPECT_FALSE(CommandStatusText(command).empty()) << command << " has no status-bar text";
    }
    EXPECT_EQ(CommandItemText(nullptr), "");
}

TEST(CommandPromptsTest, PromptsSplitAtTheirNewline)
{
    const struct {
        unsigned command;
        const char* status;
        const char* name;
    } cases[] = {
        {36500, "Changes to select mode", "Select Mode (F3)"},
        {36558, "Changes to select mode", "Select Mode (ESC)"},
        {32779, "Zooms to a percentage of true size", "Zoom Percent"},
        {36564, "Rotates text (labels only)", "Rotate Text (Labels Only)"},
        {32795, "Adds a left guillemet \"<<\" to the text", "Left Guillemet"},
        {57607, "Print the active document", "Print"},
        {33122, "Staples (attaches) a label to a figure", "Attach Label to Figure"},
        {40006, "Makes objects the same height and width", "Same Size"},
        {36517, "Zooms in to next higher percentage", "Zoom In"},
        {57666, "Display instructions about how to use help", "Help"},
        {1, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandStatusText(c.command), c.status) << c.command;
        EXPECT_EQ(CommandShortName(c.command), c.name) << c.command;
    }
}
