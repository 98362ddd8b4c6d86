#include "app/catalogue_view.h"
#include "app/command_ids.h"
#include "app/loading_box.h"
#include "app/myapp.h"
#include "app/myframe.h"
#include "app/reading/reading_widgets.h"
#include "app/search/occurrences_window.h"
#include "app/search/search_commands.h"
#include "app/search/vocabulary_window.h"
#include "app/shortcuts_dialog.h"
#include "datafiles/data_manifest.h"
#include "platform/headless/memory_settings_store.h"
#include "test_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWheelEvent>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

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
    // The frame made its status bar itself (asking statusBar() here would make one), shown below
    // the panes along the window's bottom edge.
    const auto* status = frame().findChild<QStatusBar*>();
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->isVisible());
    EXPECT_GE(status->geometry().top(), splitter.geometry().bottom());
    EXPECT_EQ(status->geometry().bottom(), frame().rect().bottom());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Untitled - Veso Translation"));
    EXPECT_TRUE(frame().acceptDrops());
}

TEST_F(FrameTest, MenusCarryTheItemsAndTexts) {
    start();
    QStringList bar;
    for (auto* item : frame().menuBar()->actions()) {
        bar << item->text();
    }
    EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "&View", "&Settings", "Se&arch", "Page &Backward",
                                "Page Fo&rward", "&Goto...", "&Help"}));
    auto* file = frame().menuBar()->actions()[0]->menu();
    QStringList file_items;
    for (auto* item : file->actions()) {
        file_items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(file_items, (QStringList{"Text Explorer", "-", "&Resume Reading", "-", "About Veso",
                                       "-", "Exit"}));
    auto* settings = frame().menuBar()->actions()[3]->menu();
    QStringList settings_items;
    for (auto* item : settings->actions()) {
        settings_items << item->text();
    }
    EXPECT_EQ(settings_items,
              (QStringList{"Color-coordination off", "Color-coordinate N, P, V...",
                           "Color-coordinate by case, tense...", "Select colors..."}));
    QStringList search_items;
    for (auto* item : frame().menuBar()->actions()[4]->menu()->actions()) {
        search_items << item->text();
    }
    EXPECT_EQ(search_items, (QStringList{"Occurrences of the clicked word's &lemma",
                                         "Occurrences of the clicked &form", "F&ind a word...",
                                         "&Vocabulary of this section..."}));
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
        {Qt::CTRL | Qt::SHIFT | Qt::Key_O, command::occurrences_of_lemma},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_M, command::occurrences_of_form},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_W, command::find_word},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_V, command::vocabulary},
    };
    for (const auto& [key, id] : keys) {
        const auto ran =
            commands_for([&] { QTest::keyClick(target, key.key(), key.keyboardModifiers()); });
        EXPECT_EQ(ran, std::vector{id}) << key.key();
    }
    // Goto asked for a line and Find a word for a word through their dialogs; Cancel changed
    // nothing.
    EXPECT_EQ(test_ui->text_dialogs_run(),
              (std::vector{platform::text_dialog::goto_line, platform::text_dialog::find_word}));
    // No key is shared by two commands.
    std::set<QAction*> actions;
    for (auto* a : frame().actions()) {
        actions.insert(a);
    }
    for (auto* a : frame().menuBar()->actions()) {
        actions.insert(a);
        if (a->menu() != nullptr) {
            for (auto* item : a->menu()->actions()) {
                actions.insert(item);
            }
        }
    }
    std::set<QKeySequence> shortcuts;
    for (auto* a : actions) {
        for (const auto& key : a->shortcuts()) {
            EXPECT_TRUE(shortcuts.insert(key).second) << key.toString().toStdString();
        }
    }
}

// The letter after the "&" of a menu text, in lower case; 0 when it has none.
QChar mnemonic_of(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'&') {
            if (text[i + 1] != u'&')
                return text[i + 1].toLower();
            ++i;
        }
    }
    return QChar();
}

// Every mnemonic of the bar and of each menu, as "where: letter", for the clashes among them.
QStringList mnemonic_clashes(const QList<QAction*>& actions, const QString& where) {
    QStringList clashes;
    QSet<QChar> seen;
    for (const QAction* action : actions) {
        const QChar letter = mnemonic_of(action->text());
        if (!letter.isNull() && seen.contains(letter))
            clashes << where + QStringLiteral(": ") + letter;
        seen.insert(letter);
        if (action->menu() != nullptr)
            clashes << mnemonic_clashes(action->menu()->actions(), action->text());
    }
    return clashes;
}

TEST_F(FrameTest, AltFOpensTheFileMenuEveryTimeAndNoMnemonicsClash) {
    start();
    EXPECT_EQ(mnemonic_clashes(frame().menuBar()->actions(), QStringLiteral("bar")), QStringList());
    QMenu* file = frame().menuBar()->actions()[0]->menu();
    for (int press = 0; press < 3; ++press) {
        const auto ran =
            commands_for([&] { QTest::keyClick(&frame(), Qt::Key_F, Qt::AltModifier); });
        EXPECT_TRUE(ran.empty()) << press;
        EXPECT_TRUE(QTest::qWaitFor([&] { return file->isVisible(); }, 2000)) << press;
        file->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !file->isVisible(); }, 2000));
    }
}

TEST_F(FrameTest, SearchWindowsSayWhatIsMissingOrWrong) {
    start();
    frame().search().show_occurrences_of_form();
    ASSERT_NE(frame().search().occurrences(), nullptr);
    const auto said = [&] { return frame().search().occurrences()->heading().text(); };
    EXPECT_EQ(said(), QStringLiteral("Click a word in the text first."));
    frame().search().find_word(QStringLiteral("  "));
    EXPECT_EQ(said(), QStringLiteral("Type a word to find."));
    frame().search().find_word(QStringLiteral("café"));
    EXPECT_TRUE(said().contains(QStringLiteral("is no Greek word"))) << said().toStdString();
    // This folder has no data: the index is missing, and the window says how to build it.
    frame().search().find_word(QStringLiteral("λόγος"));
    EXPECT_TRUE(said().contains(QStringLiteral("occurrences.idx) is missing")));
    EXPECT_TRUE(said().contains(QStringLiteral("veso-build-data --corpus")));
    EXPECT_EQ(frame().search().occurrences()->model().rowCount(), 0);

    frame().search().show_vocabulary();
    ASSERT_NE(frame().search().vocabulary(), nullptr);
    EXPECT_EQ(frame().search().vocabulary()->heading().text(),
              QStringLiteral("Choose a passage in the catalogue first."));
}

TEST_F(FrameTest, MenuItemsRunTheirCommands) {
    start();
    // A text longer than one page, laid out by painting the text pane.
    auto& document = app->document();
    std::u16string body;
    for (int line = 0; line < 300; ++line)
        body += u"\u03BB\u1F79\u03B3\u03BF\u03C2 \u03BA\u03B1\u1F76\r";
    std::copy(body.begin(), body.end(), document.text.begin());
    document.text_length = static_cast<std::int32_t>(body.size()) + 200;
    document.section_end = document.text_length;
    document.page_starts = {0};
    frame().text_widget().repaint();
    const std::int32_t second_page = document.next_page_start;
    ASSERT_GT(second_page, 0);

    const auto run = [&](int id) {
        EXPECT_EQ(commands_for([&] { action(id)->trigger(); }), std::vector{id});
    };
    run(command::page_forward);
    EXPECT_EQ(document.page_start, second_page);
    frame().text_widget().repaint();
    run(command::page_backward);
    EXPECT_EQ(document.page_start, 0);
    run(command::go_to);
    EXPECT_EQ(test_ui->text_dialogs_run(), std::vector{platform::text_dialog::goto_line});
    run(command::colour_by_class);
    EXPECT_TRUE(frame().text().colour_by_class);
    EXPECT_FALSE(frame().text().colour_by_case);
    run(command::colour_off);
    EXPECT_TRUE(frame().text().colour_off);
    EXPECT_FALSE(frame().text().colour_by_class);
    run(command::text_explorer);
    EXPECT_FALSE(document.catalogue_pane_shown);
    EXPECT_EQ(frame().splitter().sizes()[0], 0);
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
    QString version;
    QString credits;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = box->windowTitle() == QStringLiteral("About Veso");
        for (const auto* label : box->findChildren<QLabel*>()) {
            if (label->text().startsWith(QStringLiteral("Version")))
                version = label->text();
        }
        QPushButton* ok = nullptr;
        QPushButton* credits_button = nullptr;
        for (auto* button : box->findChildren<QPushButton*>()) {
            (button->text() == QStringLiteral("OK") ? ok : credits_button) = button;
        }
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(credits_button, nullptr);
        QTimer::singleShot(0, [&] {
            auto* page = QApplication::activeModalWidget()->findChild<QTextBrowser*>();
            ASSERT_NE(page, nullptr);
            credits = page->toPlainText();
            QApplication::activeModalWidget()->close();
        });
        QTest::mouseClick(credits_button, Qt::LeftButton);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    action(command::about)->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(version,
              QStringLiteral("Version " VESO_TEST_VERSION
                             " \u00B7 free software under the GNU GPL, version 3 or later"));
    // The sources and their licences, the non-commercial ones named as such.
    for (const char* needle :
         {"GPL-3.0-or-later", "PerseusDL/canonical-greekLit", "SBLGNT", "CC BY 4.0", "lxx-swete",
          "Eumaeus/cite_lsj_cex", "CC BY-NC-SA 3.0: non-commercial use only",
          "Greek-Dependency-Trees", "pedalion-trees", "Abbott-Smith", "helmadik/shortdefs"}) {
        EXPECT_TRUE(credits.contains(QString::fromUtf8(needle))) << needle;
    }
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

// A text put straight into the document, as a load leaves it, and painted.
void open_text(myapp& app, std::u16string_view body) {
    auto& document = app.document();
    std::copy(body.begin(), body.end(), document.text.begin());
    std::fill_n(document.text.begin() + static_cast<std::ptrdiff_t>(body.size()), 200, u'\0');
    document.text_length = static_cast<std::int32_t>(body.size()) + 200;
    document.section_end = document.text_length;
    document.page_start = 0;
    document.page_starts = {0};
    document.loading = false;
    app.main_window()->text().restart_layout(false);
    app.main_window()->text_widget().repaint();
}

TEST_F(FrameTest, EveryKeyIsListedAndNoneIsBoundTwice) {
    start();
    const auto rows = shortcut_rows(*frame().menuBar());
    QStringList listed;
    for (const auto& row : rows)
        listed << row.does;
    std::set<QString> keys;
    for (const QAction* action : frame().findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_TRUE(keys.insert(key.toString()).second) << key.toString().toStdString();
        }
    }
    for (const char* item :
         {"File > Resume Reading", "Edit > Copy", "Edit > Open in Dictionary", "View > Larger Text",
          "View > Next Pane", "Settings > Select colors...", "Page Backward", "Goto...",
          "Help > Keyboard Shortcuts"}) {
        EXPECT_TRUE(listed.contains(QString::fromUtf8(item))) << item;
    }
    // The items with keys, and the keys and wheel the panes take themselves.
    EXPECT_EQ(rows.size(), keys.size() - 3 + 9); // Ctrl+= and the two bar keys share rows
}

TEST_F(FrameTest, KeysOfTheTextPaneMoveTheCursorTurnPagesAndCycleFocus) {
    start();
    open_text(*app, u"aaa bbb ccc\rddd eee\r");
    auto* pane = &frame().text_widget();
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_Tab);
    QTest::keyClick(pane, Qt::Key_Tab);
    EXPECT_EQ(frame().text().cursor().index(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), pane); // Tab stays in the pane
    QTest::keyClick(pane, Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(pane, Qt::Key_Down);
    EXPECT_EQ(frame().text().cursor().index(), 3u); // below "aaa", "ddd"
    QTest::keyClick(pane, Qt::Key_Return);
    EXPECT_EQ(frame().lookup().current_word, u"ddd");
    QTest::keyClick(pane, Qt::Key_Escape);
    EXPECT_FALSE(frame().text().cursor().visible());
    EXPECT_EQ(commands_for([&] { QTest::keyClick(pane, Qt::Key_PageDown); }),
              std::vector{command::page_forward});
    EXPECT_EQ(commands_for([&] { QTest::keyClick(pane, Qt::Key_PageUp); }),
              std::vector{command::page_backward});

    QTest::keyClick(pane, Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), &frame().lookup_widget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_TRUE(frame().catalogue().hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &frame().lookup_widget());
    // A hidden catalogue is passed over.
    action(command::text_explorer)->trigger();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), pane);
}

TEST_F(FrameTest, CopyTakesTheFocusedPanesText) {
    start();
    open_text(*app, u"\u00B2\u1F08\u03C0\u03BF\u03BB\u03BF\u03B3\u03AF\u03B1\u00B3\r[17a] "
                    u"\u1F04\u03BD\u03B4\u03C1\u03B5\u03C2,\r");
    auto* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    frame().text_widget().setFocus();
    QTest::keyClick(&frame().text_widget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QString::fromStdU16String(frame().text().page_text()));
    EXPECT_TRUE(clipboard->text().startsWith(QStringLiteral("\u1F08\u03C0\u03BF")));

    auto& lookup = frame().lookup();
    lookup.current_word = u"lo/gos";
    lookup.previous_word = u"lo/gon";
    lookup.next_word = u"lo/gou";
    lookup.analyses = {u"N", u"lo/gos", u"35", u" masc nom sg "};
    frame().lookup_widget().setFocus();
    QTest::keyClick(&frame().lookup_widget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QString::fromStdU16String(lookup.plain_text()));
    EXPECT_TRUE(clipboard->text().endsWith(
        QStringLiteral("N masc nom sg \u03BB\u1F79\u03B3\u03BF\u03C2 (35)")));

    // Copy Word takes the word last clicked when no cursor is shown.
    frame().text_widget().setFocus();
    const auto& text = frame().text();
    QTest::mouseClick(&frame().text_widget(), Qt::LeftButton, {},
                      QPoint(text.word_lefts()[1] + 2, text.word_tops()[1] + 2));
    action(command::copy_word)->trigger();
    EXPECT_EQ(clipboard->text(), QStringLiteral("17a"));
}

TEST_F(FrameTest, TextScaleKeysScaleTheClicksAndAreSaved) {
    start();
    open_text(*app, u"aaa bbb ccc ddd eee fff ggg hhh\r");
    const auto unscaled_lefts = frame().text().word_lefts();
    auto* pane = &frame().text_widget();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(pane, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(frame().scale().percent(), 150);
    EXPECT_EQ(store->value_of(reading_settings::settings_key, u"TextScale"),
              platform::memory_settings_store::value(std::uint32_t{150}));
    pane->repaint();
    const auto& text = frame().text();
    // Laid out at two thirds of the pane's width: the same left edges while the line fits.
    EXPECT_EQ(text.word_lefts()[1], unscaled_lefts[1]);
    for (std::size_t k : {std::size_t{2}, std::size_t{5}}) {
        const QPoint on_screen((text.word_lefts()[k] + 3) * 3 / 2,
                               (text.word_tops()[k] + 3) * 3 / 2);
        QTest::mouseClick(pane, Qt::LeftButton, {}, on_screen);
        EXPECT_EQ(text.clicked_word(), text.word_keys()[k].substr(0, 3)) << k;
    }
    QTest::keyClick(pane, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(frame().scale().percent(), 100);
    QTest::keyClick(pane, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(frame().scale().percent(), 90);
}

TEST_F(FrameTest, CtrlWheelScalesTheTextOverThePanesOnly) {
    start();
    open_text(*app, u"aaa bbb ccc\r");
    auto wheel = [](QWidget* target, int eighths, Qt::KeyboardModifiers modifiers) {
        const QPointF at(5, 5);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, eighths), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    };
    wheel(&frame().text_widget(), 120, Qt::ControlModifier);
    EXPECT_EQ(frame().scale().percent(), 110);
    EXPECT_EQ(store->value_of(reading_settings::settings_key, u"TextScale"),
              platform::memory_settings_store::value(std::uint32_t{110}));
    // A touchpad's small steps add up to a notch; the wheel alone, or over the catalogue, does
    // not scale.
    wheel(frame().lookup_widget().viewport(), -60, Qt::ControlModifier);
    EXPECT_EQ(frame().scale().percent(), 110);
    wheel(frame().lookup_widget().viewport(), -60, Qt::ControlModifier);
    EXPECT_EQ(frame().scale().percent(), 100);
    wheel(&frame().text_widget(), 120, Qt::NoModifier);
    wheel(frame().centralWidget(), 120, Qt::ControlModifier);
    EXPECT_EQ(frame().scale().percent(), 100);
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
