// The desktop host's pieces that need no screen: the Run menu as FLTK items,
// shortcut texts, key codes and characters, and the text window's line store.
#include "hosts/fltk/key_translation.h"
#include "hosts/fltk/menu_layout.h"
#include "core/run_menu.h"
#include "hosts/text_lines.h"

#include <FL/Enumerations.H>
#include <gtest/gtest.h>

#include <string>

using namespace tavro;

namespace {

using tavro::MenuLayout;

const Fl_Menu_Item* item_labelled(const MenuLayout& layout, const std::string& label)
{
    for (const Fl_Menu_Item& item : layout.items) {
        if (item.text != nullptr && label == item.text) {
            return &item;
        }
    }
    return nullptr;
}

TEST(MenuLayout, TheRunMenuBecomesOneSubmenuOfTwelveItems)
{
    const MenuLayout layout = tavro::layout_menu("&Run", run_menu_items, RUN_MENU_ITEM_COUNT);
    // The title, 16 entries less 4 separators, and the two terminators.
    ASSERT_EQ(layout.items.size(), 15u);
    EXPECT_STREQ(layout.items[0].text, "&Run");
    EXPECT_TRUE(layout.items[0].flags & FL_SUBMENU);
    EXPECT_EQ(layout.items[13].text, nullptr);
    EXPECT_EQ(layout.items[14].text, nullptr);

    const Fl_Menu_Item* animate = item_labelled(layout, "&Animate");
    ASSERT_NE(animate, nullptr);
    EXPECT_EQ(animate->shortcut_, FL_CTRL | 'a');
    EXPECT_EQ(tavro::command_of(*animate), COMMAND_ANIMATE);
    EXPECT_FALSE(animate->flags & FL_MENU_TOGGLE);

    const Fl_Menu_Item* quit = item_labelled(layout, "&Quit");
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(tavro::command_of(*quit), COMMAND_QUIT);
    EXPECT_EQ(quit->shortcut_, FL_CTRL | 'q');
}

TEST(MenuLayout, SeparatorsDivideGrayedItemsAreInactiveCheckedItemsToggle)
{
    const MenuLayout layout = tavro::layout_menu("&Run", run_menu_items, RUN_MENU_ITEM_COUNT);
    for (const char* above_divider : {"Advance one &frame", "&Logging", "Play &One Script", "&Quit"}) {
        const Fl_Menu_Item* item = item_labelled(layout, above_divider);
        ASSERT_NE(item, nullptr) << above_divider;
        EXPECT_TRUE(item->flags & FL_MENU_DIVIDER) << above_divider;
    }
    EXPECT_FALSE(item_labelled(layout, "&Halt animation")->flags & FL_MENU_DIVIDER);

    const Fl_Menu_Item* logging = item_labelled(layout, "&Logging");
    EXPECT_TRUE(logging->flags & FL_MENU_TOGGLE);
    EXPECT_TRUE(logging->flags & FL_MENU_VALUE);

    int inactive = 0;
    for (const Fl_Menu_Item& item : layout.items) {
        inactive += (item.flags & FL_MENU_INACTIVE) != 0 ? 1 : 0;
    }
    EXPECT_EQ(inactive, 4);
}

TEST(MenuLayout, CheckMarksFollowTheCommandIdentifier)
{
    MenuLayout layout = tavro::layout_menu("&Run", run_menu_items, RUN_MENU_ITEM_COUNT);
    tavro::set_menu_check(layout, COMMAND_LOGGING, false);
    const Fl_Menu_Item* logging = item_labelled(layout, "&Logging");
    EXPECT_TRUE(logging->flags & FL_MENU_TOGGLE);
    EXPECT_FALSE(logging->flags & FL_MENU_VALUE);

    tavro::set_menu_check(layout, COMMAND_RECORD, true);
    const Fl_Menu_Item* record = item_labelled(layout, "&Record Script");
    EXPECT_TRUE(record->flags & FL_MENU_TOGGLE);
    EXPECT_TRUE(record->flags & FL_MENU_VALUE);
    EXPECT_FALSE(item_labelled(layout, "&Playback Script")->flags & FL_MENU_VALUE);
}

TEST(MenuLayout, ShortcutTextsNameModifiersAndOneKey)
{
    EXPECT_EQ(tavro::shortcut_of("Ctrl+Q"), FL_CTRL | 'q');
    EXPECT_EQ(tavro::shortcut_of("Shift+Ctrl+X"), FL_SHIFT | FL_CTRL | 'x');
    EXPECT_EQ(tavro::shortcut_of("Alt+1"), FL_ALT | '1');
    EXPECT_EQ(tavro::shortcut_of(""), 0);
    EXPECT_EQ(tavro::shortcut_of("Ctrl+"), 0);
    EXPECT_EQ(tavro::shortcut_of("Ctrl+F1"), 0);
    EXPECT_EQ(tavro::shortcut_of("Q"), 0);
}

TEST(KeyTranslation, BothCtrlKeysAndBothEnterKeysGiveOneVirtualKey)
{
    EXPECT_EQ(tavro::virtual_key_of(FL_Control_L), 17);
    EXPECT_EQ(tavro::virtual_key_of(FL_Control_R), 17);
    EXPECT_EQ(tavro::virtual_key_of(FL_Enter), 13);
    EXPECT_EQ(tavro::virtual_key_of(FL_KP_Enter), 13);
    EXPECT_EQ(tavro::virtual_key_of('q'), 81);
    EXPECT_EQ(tavro::virtual_key_of(FL_Menu), 0);
}

TEST(KeyTranslation, CharactersTypedWithAndWithoutCtrl)
{
    // Ctrl with a letter types its control character whatever text the key reports.
    EXPECT_EQ(tavro::translated_character('h', "\b", 1, true), 8);
    EXPECT_EQ(tavro::translated_character('a', "", 0, true), 1);
    EXPECT_EQ(tavro::translated_character('z', "z", 1, true), 26);
    EXPECT_EQ(tavro::translated_character('a', "A", 1, false), 'A');
    EXPECT_EQ(tavro::translated_character(FL_Shift_L, nullptr, 0, false), 0);
    EXPECT_EQ(tavro::translated_character(0xe9, "\xc3\xa9", 2, false), 0xe9);     // e acute
    EXPECT_EQ(tavro::translated_character(0x20ac, "\xe2\x82\xac", 3, false), 0);  // the euro sign
}

TEST(TextLines, KeepsTheNewestLinesThatFit)
{
    tavro::TextLines lines(3);
    for (int i = 1; i <= 10000; ++i) {
        lines.put("line " + std::to_string(i));
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines.from_newest(0), "line 10000");
    EXPECT_EQ(lines.from_newest(2), "line 9998");
    lines.clear();
    EXPECT_EQ(lines.size(), 0u);
    lines.put("");
    EXPECT_EQ(lines.from_newest(0), "");
}

}  // namespace
