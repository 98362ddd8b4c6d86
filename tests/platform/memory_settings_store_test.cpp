#include "platform/headless/headless_ui_services.h"
#include "platform/headless/memory_settings_store.h"

#include <gtest/gtest.h>

namespace veso::platform {
namespace {

TEST(MemorySettingsStore, KeysAreCreatedOnOpenAndValuesTyped) {
    memory_settings_store store;
    EXPECT_FALSE(store.has_key(u"A\\B"));
    auto key = store.open_key(u"A\\B");
    ASSERT_TRUE(key);
    EXPECT_TRUE(store.has_key(u"A\\B"));
    EXPECT_EQ(key->type_of(u"X"), value_type::missing);
    EXPECT_TRUE(key->write_dword(u"X", 7));
    EXPECT_EQ(key->type_of(u"X"), value_type::dword);
    EXPECT_EQ(key->read_dword(u"X"), 7u);
    store.write_text(u"A\\B", u"Y", u"text");
    EXPECT_EQ(key->type_of(u"Y"), value_type::other);
    EXPECT_FALSE(key->read_dword(u"Y"));
    EXPECT_EQ(store.write_count(), 1);
}

TEST(MemorySettingsStore, UnavailableStoreOpensNothing) {
    memory_settings_store store;
    store.set_available(false);
    EXPECT_FALSE(store.open_key(u"A"));
}

TEST(HeadlessUiServices, DialogsAnswerInOrderThenCancel) {
    headless_ui_services ui;
    ui.reply_to_text_dialog(u"12");
    ui.reply_to_colour_chooser(0x00010203);
    EXPECT_EQ(ui.run_text_dialog(text_dialog::goto_line), u"12");
    EXPECT_FALSE(ui.run_text_dialog(text_dialog::goto_dictionary));
    EXPECT_EQ(ui.choose_colour(5), 0x00010203u);
    EXPECT_FALSE(ui.choose_colour(6));
    EXPECT_EQ(ui.text_dialogs_run(),
              (std::vector{text_dialog::goto_line, text_dialog::goto_dictionary}));
    EXPECT_EQ(ui.colour_chooser_initials(), (std::vector<colour_ref>{5, 6}));
    ui.message_box(u"text", u"caption");
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, u"caption");
}

TEST(HeadlessUiServices, PostedCallsRunOnlyWhenAskedIncludingThosePostedMeanwhile) {
    headless_ui_services ui;
    std::vector<int> ran;
    ui.post_to_ui([&] {
        ran.push_back(1);
        ui.post_to_ui([&] { ran.push_back(2); });
    });
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(ui.run_posted(), 2);
    EXPECT_EQ(ran, (std::vector{1, 2}));
    EXPECT_EQ(ui.run_posted(), 0);
}

} // namespace
} // namespace veso::platform
