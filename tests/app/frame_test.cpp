#include "app/catalogue_view.h"
#include "app/command_ids.h"
#include "app/loading_box.h"
#include "app/myapp.h"
#include "app/myframe.h"
#include "app/reading/reading_widgets.h"
#include "datafiles/data_manifest.h"
#include "platform/headless/memory_settings_store.h"
#include "test_ui.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>

namespace veso {
namespace {

constexpr std::u16string_view colour_key = u"SOFTWARE\\q417\\veso\\Settings\\Color";

// A program started in an empty working folder: no data/, so loading ends at once.
class FrameTest : public testing::Test {
protected:
    FrameTest() {
        auto settings = std::make_unique<platform::memory_settings_store>();
        auto ui = std::make_unique<test::test_ui>();
        store = settings.get();
        test_ui = ui.get();
        app = std::make_unique<myapp>(
            datafiles::data_location::below(std::filesystem::path(folder.path().toStdString())),
            std::move(settings), std::move(ui));
    }
    myframe& frame() { return *app->main_window(); }
    QAction* action(int id) { return frame().action_for(id); }
    std::vector<int> commands_for(const std::function<void()>& act) {
        QSignalSpy spy(&frame(), &myframe::command_started);
        act();
        std::vector<int> ids;
        for (const auto& arguments : spy) {
            ids.push_back(arguments.at(0).toInt());
        }
        return ids;
    }
    void start() {
        ASSERT_TRUE(app->init_instance({}));
        // Wide enough for the panes' own widths whatever the test screen.
        frame().resize(1800, 900);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));
        QApplication::setActiveWindow(&frame());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }

    QTemporaryDir folder;
    platform::memory_settings_store* store = nullptr;
    test::test_ui* test_ui = nullptr;
    std::unique_ptr<myapp> app;
};

TEST_F(FrameTest, StartUpShowsTheLoadingBoxThenTheLoaderEndsIt) {
    ASSERT_TRUE(app->init_instance({}));
    auto* box = frame().loading_box();
    ASSERT_NE(box, nullptr);
    // Shown by start-up even though loading (with no data folder) has already ended.
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->line_1001()->text(), QStringLiteral("Loading dictionary/morphology files....."));
    EXPECT_TRUE(box->line_1004()->text().isEmpty());
    EXPECT_TRUE(box->line_1002()->text().isEmpty());
    EXPECT_FALSE(box->isModal());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box->isVisible(); }, 5000));
    EXPECT_TRUE(app->lex().loading_finished());
}

TEST_F(FrameTest, StartUpLoadsColoursAndWritesDefaultsToAnEmptyStore) {
    start();
    EXPECT_TRUE(store->has_key(colour_key));
    EXPECT_EQ(store->write_count(), 17);
    EXPECT_EQ(app->colours().colour_of(ColourCategory::NounNominative), 0x000000D7u);
}

TEST_F(FrameTest, FrameHasThreePanesAtTheirWidthsAndAStatusBar) {
    start();
    auto& splitter = frame().splitter();
    ASSERT_EQ(splitter.count(), 3);
    EXPECT_EQ(splitter.widget(0), &frame().catalogue());
    EXPECT_EQ(splitter.widget(1), &frame().text_widget());
    const auto sizes = splitter.sizes();
    EXPECT_EQ(sizes[0], myframe::catalogue_width);
    EXPECT_EQ(sizes[1], myframe::text_width);
    EXPECT_NE(frame().statusBar(), nullptr);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Untitled - Veso Translation"));
    EXPECT_TRUE(frame().acceptDrops());
}

TEST_F(FrameTest, MenusCarryTheItemsAndTexts) {
    start();
    QStringList bar;
    for (auto* item : frame().menuBar()->actions()) {
        bar << item->text();
    }
    EXPECT_EQ(bar,
              (QStringList{"&File", "&Settings", "Page &Backward", "Page &Forward", "&Goto..."}));
    auto* file = frame().menuBar()->actions()[0]->menu();
    QStringList file_items;
    for (auto* item : file->actions()) {
        file_items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(file_items, (QStringList{"Text Explorer", "-", "About Veso", "-", "Exit"}));
    auto* settings = frame().menuBar()->actions()[1]->menu();
    QStringList settings_items;
    for (auto* item : settings->actions()) {
        settings_items << item->text();
    }
    EXPECT_EQ(settings_items,
              (QStringList{"Color-coordination off", "Color-coordinate N, P, V...",
                           "Color-coordinate by case, tense...", "Select colors..."}));
    // The start state: catalogue shown, colouring by case.
    EXPECT_TRUE(action(command::text_explorer)->isChecked());
    EXPECT_TRUE(action(command::colour_by_case)->isChecked());
    EXPECT_FALSE(action(command::colour_by_class)->isChecked());
    EXPECT_FALSE(action(command::colour_off)->isChecked());
}

TEST_F(FrameTest, AcceleratorsRunTheirCommands) {
    start();
    auto* target = &frame().text_widget();
    const std::vector<std::pair<QKeyCombination, int>> keys{
        {Qt::CTRL | Qt::Key_G, command::go_to},
        {Qt::CTRL | Qt::Key_F, command::page_forward},
        {QKeyCombination(Qt::Key_Forward), command::page_forward},
        {Qt::CTRL | Qt::Key_B, command::page_backward},
        {QKeyCombination(Qt::Key_Back), command::page_backward},
    };
    for (const auto& [key, id] : keys) {
        const auto ran =
            commands_for([&] { QTest::keyClick(target, key.key(), key.keyboardModifiers()); });
        EXPECT_EQ(ran, std::vector{id}) << key.key();
    }
    // Goto asked for a line through the goto dialog; Cancel changed nothing.
    EXPECT_EQ(test_ui->text_dialogs_run(), std::vector{platform::text_dialog::goto_line});
}

TEST_F(FrameTest, MenuItemsRunTheirCommands) {
    start();
    for (const int id : {command::page_backward, command::page_forward, command::go_to,
                         command::colour_off, command::text_explorer}) {
        EXPECT_EQ(commands_for([&] { action(id)->trigger(); }), std::vector{id});
    }
}

TEST_F(FrameTest, TextExplorerHidesAndRestoresTheCatalogueColumn) {
    start();
    action(command::text_explorer)->trigger();
    EXPECT_FALSE(app->document().catalogue_pane_shown);
    EXPECT_FALSE(action(command::text_explorer)->isChecked());
    EXPECT_EQ(frame().splitter().sizes()[0], 0);
    action(command::text_explorer)->trigger();
    EXPECT_TRUE(app->document().catalogue_pane_shown);
    EXPECT_TRUE(action(command::text_explorer)->isChecked());
    EXPECT_EQ(frame().splitter().sizes()[0], myframe::restored_catalogue_width);
    EXPECT_EQ(frame().catalogue().minimumWidth(), 100);
}

TEST_F(FrameTest, ChoosingColourByClassTwiceChecksTheOtherTwo) {
    start();
    auto& text = frame().text();
    action(command::colour_by_class)->trigger();
    EXPECT_TRUE(text.colour_by_class);
    EXPECT_TRUE(action(command::colour_by_class)->isChecked());
    action(command::colour_by_class)->trigger();
    EXPECT_FALSE(text.colour_by_class);
    EXPECT_TRUE(text.colour_by_case);
    EXPECT_TRUE(text.colour_off);
    EXPECT_FALSE(action(command::colour_by_class)->isChecked());
    EXPECT_TRUE(action(command::colour_by_case)->isChecked());
    EXPECT_TRUE(action(command::colour_off)->isChecked());
}

TEST_F(FrameTest, ColourOffWhileOffTurnsBothModesOff) {
    start();
    action(command::colour_off)->trigger();
    auto& text = frame().text();
    EXPECT_TRUE(text.colour_off);
    EXPECT_FALSE(text.colour_by_case);
    EXPECT_FALSE(text.colour_by_class);
}

TEST_F(FrameTest, AboutBoxIsModalAndClosesWithOk) {
    start();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = box->windowTitle() == QStringLiteral("About Veso");
        auto* ok = box->findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    action(command::about)->trigger();
    EXPECT_TRUE(seen);
}

TEST_F(FrameTest, FileOnTheCommandLineIsRefusedWithAMessage) {
    ASSERT_TRUE(app->init_instance({QStringLiteral("/tmp/some.ves")}));
    const auto messages = test_ui->messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(QString::fromStdU16String(messages[0].text).indexOf(QStringLiteral("some.ves")), -1);
    EXPECT_TRUE(frame().isVisible());
}

TEST_F(FrameTest, DroppedFileIsRefusedWithAMessage) {
    start();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/dropped.ves"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame(), &drop);
    const auto messages = test_ui->messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(QString::fromStdU16String(messages[0].text).indexOf(QStringLiteral("dropped.ves")),
              -1);
}

TEST_F(FrameTest, TitleFollowsTheDocument) {
    start();
    app->document().set_title(u"Agamemnon, Aeschylus (c. 525-456 BCE),   Drama");
    EXPECT_EQ(frame().windowTitle(),
              QStringLiteral("Agamemnon, Aeschylus (c. 525-456 BCE),   Drama - Veso Translation"));
}

TEST_F(FrameTest, ExitClosesTheFrame) {
    start();
    action(command::app_exit)->trigger();
    EXPECT_FALSE(frame().isVisible());
}

// One file cut short (found by its size at start-up) and one changed (found by the loader's
// checksums): one message names both once the loader has checked, and the changed file's records
// are gone.
TEST(FrameDamageTest, OneMessageNamesEveryDamagedFileAfterTheCheck) {
    QTemporaryDir folder;
    const std::filesystem::path root = folder.path().toStdString();
    std::filesystem::create_directories(root / "data");
    const auto write = [&root](const char* name, const std::string& bytes) {
        std::ofstream(root / "data" / name, std::ios::binary | std::ios::trunc) << bytes;
    };
    write("t.dat", std::string(100, 't'));
    write("m.dat", "lo/gos\x02N lo/gos masc nom sg\x09\x01");
    datafiles::data_manifest manifest;
    const std::atomic<bool> never{false};
    for (const char* name : {"m.dat", "t.dat"}) {
        const auto path = root / "data" / name;
        manifest.files.push_back(
            {name, std::filesystem::file_size(path), *datafiles::file_checksum(path, never)});
    }
    write(datafiles::manifest_file, manifest.to_text());
    write("t.dat", std::string(50, 't'));
    write("m.dat", "lo/gos\x02N lo/gos masc nom pl\x09\x01");

    auto ui = std::make_unique<test::test_ui>();
    auto* shown = ui.get();
    myapp app(datafiles::data_location::below(root),
              std::make_unique<platform::memory_settings_store>(), std::move(ui));
    ASSERT_TRUE(app.init_instance({}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown->messages().empty(); }, 20000));
    QTest::qWait(50);
    const auto messages = shown->messages();
    ASSERT_EQ(messages.size(), 1u);
    for (const char16_t* line :
         {u"    t.dat: not the size it was built with\n", u"    m.dat: its bytes have changed\n"}) {
        EXPECT_NE(messages[0].text.find(line), std::u16string::npos);
    }
    EXPECT_EQ(app.lex().analysis_of(u"lo/gos"), u"lo/gos");
}

} // namespace
} // namespace veso
