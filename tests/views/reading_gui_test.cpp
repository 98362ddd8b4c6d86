// The reading panes on the data built from the corpus, under the offscreen Qt platform: the Iliad's
// first book paged, a word clicked, a lemma opened in the dictionary window, paged, a goto, close.
#include "app/reading/reading_widgets.h"
#include "colours/colour_table.h"
#include "lexicon/lexicon.h"
#include "library/mydoc.h"
#include "platform/headless/headless_ui_services.h"
#include "platform/headless/memory_settings_store.h"
#include "platform/qt/qt_fonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace veso {
namespace {

namespace fs = std::filesystem;

fs::path data_root() {
    const char* override_root = std::getenv("VESO_REAL_DATA_ROOT");
    return override_root != nullptr ? override_root : VESO_REAL_DATA_ROOT;
}

void press(QWidget& widget, int x, int y) {
    const QPointF at(x, y);
    QMouseEvent event(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// Paints the widget now, as showing it would; with VESO_SCREENSHOT_DIR set, also keeps the picture
// under that name there, for a person to look at.
void paint(QWidget& widget, const char* name = nullptr) {
    const QPixmap picture = widget.grab();
    const char* folder = std::getenv("VESO_SCREENSHOT_DIR");
    if (folder != nullptr && name != nullptr)
        picture.save(QString::fromStdString((fs::path(folder) / name).string()));
}

void trigger(QDialog& dialog, const QString& text) {
    for (QAction* action : dialog.findChild<QMenuBar*>()->actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
    FAIL() << text.toStdString();
}

TEST(reading_panes, IliadBookOneFromPageToDictionary) {
    lexicon lex(data_root() / "data");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    while (!lex.loading_finished() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(lex.loading_finished());

    platform::headless_ui_services ui;
    platform::memory_settings_store settings;
    platform::qt_font_factory fonts;
    ColourTable colours;
    colours.load_colours(nullptr);
    auto document = std::make_unique<mydoc>(ui, &lex, data_root());
    textview text(*document, lex, colours, fonts);
    lookupview lookup(*document, lex, text, fonts);
    text.set_lookup_view(&lookup);
    document->attach(nullptr, &text, nullptr);
    dictionary_window dictionary(lex, fonts, &settings, ui);
    lookup.set_dictionary_host(&dictionary);

    text_pane_widget text_pane(text);
    lookup_pane_widget lookup_pane(lookup);
    dictionary.set_parent_widget(&lookup_pane);
    text_pane.resize(760, 900);
    lookup_pane.resize(420, 900);

    // The first book, paged forward and back.
    document->select_passage(40519);
    ASSERT_GT(document->text_length, 0);
    paint(text_pane);
    ASSERT_GT(text.word_keys().size(), 100u);
    const std::int32_t first_page = document->page_start;
    const std::int32_t second_page = document->next_page_start;
    const wide_string first_key = text.word_keys()[0];
    document->page_forward();
    paint(text_pane);
    EXPECT_EQ(document->page_start, second_page);
    EXPECT_NE(text.word_keys()[0], first_key);
    document->page_backward();
    paint(text_pane, "page-case-colours.png");
    EXPECT_EQ(document->page_start, first_page);
    EXPECT_EQ(text.word_keys()[0], first_key);
    text.colour_by_case = false;
    text.colour_by_class = true;
    paint(text_pane, "page-class-colours.png");
    text.colour_by_class = false;
    paint(text_pane, "page-no-colours.png");
    text.colour_by_case = true;
    paint(text_pane);

    // The first word, "μῆνιν": wrath.
    press(text_pane, text.word_lefts()[0] + 3, text.word_tops()[0] + 5);
    EXPECT_EQ(text.clicked_word(), u"mh=nin");
    ASSERT_GE(lookup.analyses.size(), 4u);
    EXPECT_NE(lookup.analyses[0], u"?");
    EXPECT_EQ(lookup.analyses[1], u"mh=nis");
    ASSERT_FALSE(lookup.definitions.empty());
    EXPECT_NE(lookup.definitions[0].find(u"wrath"), wide_string::npos);

    // Its lemma, opened in the dictionary window.
    paint(*lookup_pane.widget(), "lookup-after-click.png");
    ASSERT_FALSE(lookup.lemma_boxes().empty());
    const platform::rect box = lookup.lemma_boxes()[0];
    press(*lookup_pane.widget(), box.left + 2, box.top + 3);
    QDialog* window = dictionary.dialog();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Dictionary View - Veso"));
    EXPECT_EQ(lex.requested_headword, u"mh=nis");
    const auto& page = lex.dictionary_page;
    ASSERT_GE(page.size(), 22u);
    EXPECT_EQ(page[20], u"mh=nis");
    paint(*window);
    paint(*window, "dictionary-window.png");
    dictionary_view& view = dictionary.view();
    EXPECT_FALSE(view.recentre_pending);
    EXPECT_GT(view.scroll_pos, 0); // scrolled to the eleventh row
    // The lemma's entry is blue from 100 pixels below the top; nothing above it is.
    const QImage shown =
        static_cast<dictionary_dialog*>(window)->page_widget()->grab().toImage().convertToFormat(
            QImage::Format_RGB32);
    const auto blue_pixels = [&](int from, int to) {
        int count = 0;
        for (int y = from; y < to; ++y) {
            for (int x = 0; x < shown.width(); ++x)
                count += shown.pixel(x, y) == qRgb(0, 0, 255) ? 1 : 0;
        }
        return count;
    };
    EXPECT_GT(blue_pixels(100, 124), 20);
    EXPECT_EQ(blue_pixels(0, 96), 0);

    const wide_string first_row = lex.page_first_headword;
    trigger(*window, QStringLiteral("Page &Forward"));
    EXPECT_EQ(view.scroll_pos, 0);
    EXPECT_NE(lex.page_first_headword, first_row);
    trigger(*window, QStringLiteral("Page &Backward"));
    EXPECT_EQ(lex.page_first_headword, first_row);

    ui.reply_to_text_dialog(u"lo/gos");
    trigger(*window, QStringLiteral("&Goto..."));
    EXPECT_NE(std::find(page.begin(), page.end(), u"lo/gos"), page.end());

    window->setGeometry(120, 80, 640, 480);
    const QRect geometry = window->geometry();
    trigger(*window, QStringLiteral("&Close"));
    EXPECT_EQ(dictionary.dialog(), nullptr);
    const auto value = [&](std::u16string_view name) {
        return settings.value_of(dictionary_view::settings_key, name);
    };
    using stored = platform::memory_settings_store::value;
    EXPECT_EQ(value(u"DictViewX"), stored(static_cast<std::uint32_t>(geometry.x())));
    EXPECT_EQ(value(u"DictViewY"), stored(static_cast<std::uint32_t>(geometry.y())));
    EXPECT_EQ(value(u"DictViewWidth"), stored(640u));
    EXPECT_EQ(value(u"DictViewHeight"), stored(480u));

    // The next opening comes back where the window was closed.
    press(*lookup_pane.widget(), box.left + 2, box.top + 3);
    ASSERT_NE(dictionary.dialog(), nullptr);
    EXPECT_EQ(dictionary.dialog()->geometry().size(), QSize(640, 480));
    dictionary.destroy_dictionary_window();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Reaching a page near the end of the longest section lays out every word before it; the widths
// the Qt layer works out from letters and pairs must be those Qt measures, in the normal and the
// bold face.
TEST(reading_panes, EveryWordOfTheLongestSectionIsAsWideAsQtMeasuresIt) {
    platform::headless_ui_services ui;
    mydoc document(ui, nullptr, data_root());
    document.select_passage(40431);
    ASSERT_GT(document.section_end - document.section_start(), 500'000);
    std::vector<std::u16string> words;
    std::set<std::u16string, std::less<>> seen;
    for (std::int32_t p = document.section_start(); p < document.section_end;) {
        std::int32_t end = p;
        while (end < document.section_end && document.text[end] != u'\0' &&
               document.text[end++] != u' ') {
        }
        if (end == p)
            ++end;
        const std::u16string word(document.text.data() + p, end - p);
        if (seen.insert(word).second)
            words.push_back(word);
        p = end;
    }
    ASSERT_GT(words.size(), 20'000u);

    QImage device(10, 10, QImage::Format_RGB32);
    platform::font_description bold;
    bold.weight = 700;
    for (const auto& description : {platform::font_description{}, bold}) {
        const platform::qt_font font(description);
        const QFontMetrics qt(font.qfont(), &device);
        platform::qt_font_metrics metrics(font.qfont(), &device);
        int wrong = 0;
        for (const auto& word : words) {
            const int expected = qt.horizontalAdvance(QString::fromStdU16String(word));
            if (metrics.width(word) != expected && ++wrong < 5)
                ADD_FAILURE() << QString::fromStdU16String(word).toStdString();
        }
        EXPECT_EQ(wrong, 0) << description.weight;
        EXPECT_TRUE(metrics.widths_summed()) << description.weight;
    }
}

} // namespace
} // namespace veso
