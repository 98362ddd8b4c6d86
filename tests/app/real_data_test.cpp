#include "app/catalogue_view.h"
#include "app/command_ids.h"
#include "app/loading_box.h"
#include "app/myapp.h"
#include "app/myframe.h"
#include "app/reading/reading_widgets.h"
#include "app/search/occurrences_window.h"
#include "app/search/search_commands.h"
#include "app/search/vocabulary_window.h"
#include "platform/headless/memory_settings_store.h"
#include "test_ui.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <cstdlib>
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
    QApplication::setActiveWindow(&frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    auto& document = app->document();
    // Each press shows the page the last paint said comes next; Ctrl+B goes back page by page.
    std::vector<std::int32_t> starts{document.page_start};
    for (const auto key :
         {QKeyCombination(Qt::CTRL | Qt::Key_F), QKeyCombination(Qt::Key_Forward)}) {
        frame().text_widget().repaint();
        const std::int32_t next = document.next_page_start;
        QTest::keyClick(&frame().text_widget(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(document.page_start, next);
        EXPECT_GT(document.page_start, starts.back());
        starts.push_back(document.page_start);
    }
    frame().text_widget().repaint();
    QTest::keyClick(&frame().text_widget(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(document.page_start, starts[1]);
}

TEST_F(RealDataFrameTest, StatusBarSaysWhereTheReaderIs) {
    const auto place = [&] {
        frame().text_widget().repaint();
        return frame().place_label().text();
    };
    select_leaf(40519);
    const QString iliad = place();
    EXPECT_TRUE(iliad.startsWith(QStringLiteral("Iliad 1 \u00B7 lines 1-"))) << iliad.toStdString();
    EXPECT_TRUE(iliad.endsWith(QStringLiteral(" of 611"))) << iliad.toStdString();
    frame().run_command(40039);
    const QString second = place();
    EXPECT_NE(second, iliad);
    EXPECT_TRUE(second.endsWith(QStringLiteral(" of 611"))) << second.toStdString();
    select_leaf(47465);
    const QString matthew = place();
    EXPECT_TRUE(matthew.startsWith(QStringLiteral("Matthew 5 \u00B7 verses 1-")))
        << matthew.toStdString();
    EXPECT_TRUE(matthew.endsWith(QStringLiteral(" of 48"))) << matthew.toStdString();
    select_leaf(47343); // Sappho's first fragment carries no line numbers
    EXPECT_EQ(place(), QStringLiteral("Sappho 1"));
    select_leaf(40417);
    EXPECT_TRUE(place().startsWith(QStringLiteral("Apology \u00B7 sections 17a-")))
        << place().toStdString();
}

TEST_F(RealDataFrameTest, ResumeReadingReopensThePageLastRead) {
    select_leaf(40520); // Iliad, Book 2
    auto& document = app->document();
    for (int page = 0; page < 2; ++page) {
        frame().text_widget().repaint();
        frame().run_command(40039);
    }
    frame().text_widget().repaint();
    const std::int32_t page_start = document.page_start;
    const std::vector<std::int32_t> history = document.page_starts;
    ASSERT_EQ(history.size(), 3u);
    frame().close(); // keeps the place
    frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));

    select_leaf(40043);
    ASSERT_EQ(document.current_id, 40043);
    frame().run_command(command::resume_reading);
    frame().text_widget().repaint();
    EXPECT_EQ(document.current_id, 40520);
    EXPECT_EQ(document.page_start, page_start);
    EXPECT_EQ(document.page_starts, history);
    EXPECT_EQ(document.title(), catalogue_title_of(40520));
    // The catalogue shows the leaf of the passage reopened.
    int slot = 0;
    while (slot < catalogue().filled_slots() && catalogue().item_id(slot) != 40520)
        ++slot;
    ASSERT_LT(slot, catalogue().filled_slots());
    EXPECT_EQ(catalogue().selected_item(), catalogue().item_handle(slot));
    frame().run_command(40038);
    EXPECT_EQ(document.page_start, history[1]);
}

TEST_F(RealDataFrameTest, OpeningAHitShowsThePageThatHoldsItWithTheWordMarked) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return catalogue().built(); }, 10000));
    frame().search().find_word(QStringLiteral("μῆνις"));
    auto* window = frame().search().occurrences();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->heading().text(), QStringLiteral("μῆνις (lemma)"));
    const auto* list = window->model().list();
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->rows().size(), 4u);
    // Homer, the Iliad, then Book 1's hits: the poem's first word and the wrath of line 75,
    // which lies on a later page.
    EXPECT_EQ(window->model().index(0).data().toString(), QStringLiteral("Homer (c. 800 BCE)"));
    EXPECT_EQ(window->model().index(2).data().toString(), QStringLiteral("Book 1"));
    const std::int32_t position = list->position_of(list->rows()[3]);
    ASSERT_TRUE(window->open_row(3));
    frame().text_widget().repaint();

    const auto& document = app->document();
    EXPECT_EQ(document.current_id, 40519);
    EXPECT_EQ(document.title(), u"Book 1, Iliad, Homer (c. 800 BCE),   Early and Epic Poetry");
    EXPECT_EQ(frame().catalogue().currentItem()->text(0), QStringLiteral("Book 1"));
    EXPECT_EQ(frame().text().marked_word(), position);
    EXPECT_EQ(document.page_starts.front(), 0);
    EXPECT_GT(document.page_starts.size(), 1u);
    EXPECT_LE(document.page_start, position);
    EXPECT_LT(position, document.next_page_start);

    if (const char* dir = std::getenv("VESO_SCREENSHOT_DIR")) {
        frame().grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/hit_opened.png"));
        window->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/occurrences.png"));
    }
    // Turning the page ends the mark.
    frame().run_command(40039);
    frame().text_widget().repaint();
    EXPECT_EQ(frame().text().marked_word(), -1);

    // The next search's list starts at its top, wherever the last one was scrolled to.
    frame().search().find_word(QStringLiteral("λόγος"));
    window->hits_view().scrollToBottom();
    ASSERT_GT(window->hits_view().verticalScrollBar()->value(), 0);
    frame().search().find_word(QStringLiteral("θεά"));
    EXPECT_EQ(window->hits_view().verticalScrollBar()->value(), 0);

    // A Greek word the texts never show empties the list and says so.
    frame().search().find_word(QStringLiteral("xyzzy"));
    EXPECT_EQ(window->heading().text(),
              QStringLiteral("No lemma or form χψζζψ (Beta Code xyzzy) occurs in the texts."));
    EXPECT_EQ(window->model().rowCount(), 0);
}

TEST_F(RealDataFrameTest, VocabularyOfTheShownSection) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->lex().loading_finished(); }, 120000));
    select_leaf(40519);
    frame().search().show_vocabulary();
    auto* window = frame().search().vocabulary();
    ASSERT_NE(window, nullptr);
    const auto& rows = window->model().rows();
    ASSERT_GT(rows.size(), 500u);
    EXPECT_EQ(rows[0].greek, u"μῆνις");
    EXPECT_EQ(rows[0].gloss, u"wrath");
    if (const char* dir = std::getenv("VESO_SCREENSHOT_DIR")) {
        window->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/vocabulary.png"));
    }
}

} // namespace
} // namespace veso
