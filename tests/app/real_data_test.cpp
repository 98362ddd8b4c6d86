#include "app/catalogue_view.h"
#include "app/loading_box.h"
#include "app/myapp.h"
#include "app/myframe.h"
#include "app/reading/reading_widgets.h"
#include "platform/headless/memory_settings_store.h"
#include "test_ui.h"

#include <QTest>
#include <gtest/gtest.h>

namespace veso {
namespace {

// The program over the data built from the corpus.
class RealDataFrameTest : public testing::Test {
protected:
    RealDataFrameTest() {
        auto ui = std::make_unique<test::test_ui>();
        test_ui = ui.get();
        app = std::make_unique<myapp>(datafiles::data_location::below(VESO_REAL_DATA_ROOT),
                                      std::make_unique<platform::memory_settings_store>(),
                                      std::move(ui));
        EXPECT_TRUE(app->init_instance({}));
        frame().resize(1800, 900);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    }
    myframe& frame() { return *app->main_window(); }
    catalogue_tree& catalogue() { return frame().catalogue().catalogue(); }
    void select_leaf(std::int32_t id) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return catalogue().built(); }, 10000));
        for (int slot = 0; slot < catalogue().filled_slots(); ++slot) {
            if (catalogue().item_id(slot) == id) {
                auto& control = frame().catalogue().control();
                frame().catalogue().setCurrentItem(
                    control.widget_item(catalogue().item_handle(slot)));
                return;
            }
        }
        FAIL() << "no leaf carries " << id;
    }

    test::test_ui* test_ui = nullptr;
    std::unique_ptr<myapp> app;
};

TEST_F(RealDataFrameTest, LoadingBoxClosesWhenTheLexiconIsLoaded) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame().loading_box()->isVisible(); }, 120000));
    EXPECT_TRUE(app->lex().loading_finished());
    EXPECT_GT(app->lex().morphology_size(), 0u);
}

TEST_F(RealDataFrameTest, SelectedLeavesLoadTheirIdentifiers) {
    for (const std::int32_t id : {40519, 40043, 50104, 45000}) {
        select_leaf(id);
        EXPECT_EQ(app->document().current_id, id);
        EXPECT_GT(app->document().text_length, 0) << id;
        EXPECT_FALSE(app->document().loading) << id;
    }
    for (const auto& m : test_ui->messages()) {
        ADD_FAILURE() << QString::fromStdU16String(m.text).toStdString();
    }
}

TEST_F(RealDataFrameTest, PageForwardKeyMovesThroughThePassage) {
    select_leaf(40519);
    const auto first_page = app->document().page_start;
    frame().text_widget().repaint();
    frame().run_command(40039);
    frame().text_widget().repaint();
    EXPECT_GT(app->document().page_start, first_page);
}

} // namespace
} // namespace veso
