// The reader's comforts around the panes: where the status bar says the reader is, the text
// scale's hit-testing, the keyboard's word cursor, the place saved for Resume Reading and the
// plain text that Copy puts on the clipboard.
#include "platform/headless/memory_settings_store.h"
#include "view_fixture.h"
#include "views/dictionary_view.h"
#include "views/marked_text.h"
#include "views/page_status.h"
#include "views/reading_settings.h"
#include "views/view_fonts.h"
#include "views/view_scale.h"

#include <array>

namespace veso::testing {
namespace {

// Seven genres as the compiled catalogue orders them, with one leaf each where a test needs one.
constexpr std::array<catalogue_entry, 21> small_catalogue{{
    {1, u"  Early and Epic Poetry", 0},
    {2, u"Homer (c. 800 BCE)", 0},
    {3, u"Iliad", 0},
    {4, u"Book 1", 900},
    {1, u"  Lyric Poetry", 0},
    {1, u"  Drama", 0},
    {2, u"Aeschylus (c. 525-456 BCE)", 0},
    {3, u"Agamemnon", 901},
    {1, u"  History", 0},
    {2, u"Herodotus (c. 484-425 BCE)", 0},
    {3, u"Book 1", 0},
    {4, u"1 - 9", 0},
    {5, u"2", 902},
    {1, u"  Oratory", 0},
    {1, u"  Philosophy", 0},
    {2, u"Plato (c. 427-347 BCE)", 0},
    {3, u"Apology", 903},
    {1, u"  Religion", 0},
    {2, u"NT Greek Bible", 0},
    {3, u"Matthew", 0},
    {4, u"5", 904},
}};

class page_status_test : public views_fixture {
protected:
    void SetUp() override { start({}); }
    void open(std::int32_t id, std::u16string_view body) {
        load_text(body);
        document->current_id = id;
        document->page_starts = {0};
    }
    wide_string status() const { return page_status_text(*document, small_catalogue); }
    std::int32_t position_of(std::u16string_view needle) const {
        const std::u16string_view text(document->text.data(), 400);
        return static_cast<std::int32_t>(text.find(needle));
    }
};

TEST(work_and_section, CitedAsReadersCiteThem) {
    EXPECT_EQ(work_and_section_of(900, small_catalogue), u"Iliad 1");
    EXPECT_EQ(work_and_section_of(902, small_catalogue), u"Herodotus 1.2");
    EXPECT_EQ(work_and_section_of(903, small_catalogue), u"Apology");
    EXPECT_EQ(work_and_section_of(4242, small_catalogue), u"");
    // The compiled catalogue.
    EXPECT_EQ(work_and_section_of(40519), u"Iliad 1");
    EXPECT_EQ(work_and_section_of(43001), u"Herodotus 1.2");
    EXPECT_EQ(work_and_section_of(45929), u"Anabasis 1.1");
    EXPECT_EQ(work_and_section_of(47465), u"Matthew 5");
    EXPECT_EQ(work_and_section_of(50104), u"Gen 1");
    EXPECT_EQ(work_and_section_of(40156), u"Olympian 1");
    EXPECT_EQ(work_and_section_of(40043), u"Agamemnon");
    EXPECT_EQ(numbering_of(40043), place_numbering::lines);
    EXPECT_EQ(numbering_of(40156), place_numbering::lines);
    EXPECT_EQ(numbering_of(43001), place_numbering::sections);
    EXPECT_EQ(numbering_of(50104), place_numbering::verses);
}

// Four lines a page (height 120); a speaker's name is no line of the poem.
TEST_F(page_status_test, VerseCountsLinesFromTheMarkersAndSkipsSpeakers) {
    open(900, u"ἄειδε θεά\rἄλγε ἔθηκε\rπολλὰς δ\rἡρώων\r[5] οἰωνοῖσί\rἐξ οὗ\r²Χορός³\r"
              u"Ἀτρεΐδης\rτίς τ\rΛητοῦς\r[10] νοῦσον\rὀλέκοντο\r");
    paint_text(400, 120);
    EXPECT_EQ(status(), u"Iliad 1 \u00B7 lines 1-4 of 11");
    document->page_forward();
    paint_text(400, 120);
    EXPECT_EQ(status(), u"Iliad 1 \u00B7 lines 5-7 of 11");
    document->page_forward();
    paint_text(400, 120);
    EXPECT_EQ(status(), u"Iliad 1 \u00B7 lines 8-11 of 11");

    page_status memo(small_catalogue);
    EXPECT_TRUE(memo.update(*document));
    EXPECT_EQ(memo.text(), status());
    EXPECT_FALSE(memo.update(*document)); // the same page painted again
    document->page_backward();
    paint_text(400, 120);
    EXPECT_TRUE(memo.update(*document));
    EXPECT_EQ(memo.text(), u"Iliad 1 \u00B7 lines 5-7 of 11");

    // A poem printed without line numbers has no lines to count.
    open(900, u"ποικιλόθρον’ ἀθανάτ’ Ἀφρόδιτα, παῖ Δίος\r");
    paint_text(400, 120);
    EXPECT_EQ(status(), u"Iliad 1");

    document->text_length = 0;
    EXPECT_EQ(status(), u"");
}

TEST_F(page_status_test, LinesBeyondTheNextMarkerAreHeldBelowIt) {
    // The edition's colometry gives six lines where the numbering leaves room for four.
    open(901, u"[5] α\rβ\rγ\rδ\rε\rζ\rη\r[10] θ\r");
    document->page_start = position_of(u"η");
    paint_text(400, 50); // one line a page
    EXPECT_EQ(status(), u"Agamemnon \u00B7 line 9 of 10");
}

TEST_F(page_status_test, BibleGivesVersesAndProseItsSections) {
    open(904, u"[1] αβγ δεζ\r[2] ηθι κλμ νξο πρσ τυφ\r[3] χψω\r");
    paint_text(200, 120);
    EXPECT_EQ(status(), u"Matthew 5 \u00B7 verses 1-3 of 3");
    // A page that starts inside a verse counts from it.
    document->page_start = position_of(u"πρσ");
    paint_text(200, 50);
    EXPECT_EQ(status(), u"Matthew 5 \u00B7 verse 2 of 3");

    open(903, u"²Ἀπολογία³\r[17a] αβγ δεζ [17b] ηθι κλμ\r[18a] νξο\r");
    paint_text(400, 400);
    EXPECT_EQ(status(), u"Apology \u00B7 sections 17a-18a");
    document->page_start = position_of(u"ηθι");
    paint_text(400, 400);
    EXPECT_EQ(status(), u"Apology \u00B7 sections 17b-18a");
}

TEST(view_scale, StepsAndBounds) {
    view_scale scale;
    EXPECT_EQ(scale.percent(), 100);
    std::vector<int> seen;
    while (scale.larger())
        seen.push_back(scale.percent());
    EXPECT_EQ(seen, (std::vector<int>{110, 125, 150, 175, 200, 250}));
    EXPECT_TRUE(scale.reset());
    EXPECT_TRUE(scale.smaller());
    EXPECT_TRUE(scale.smaller());
    EXPECT_FALSE(scale.smaller());
    EXPECT_EQ(scale.percent(), 80);
    EXPECT_FALSE(scale.set_percent(79));
    EXPECT_FALSE(scale.set_percent(251));
    EXPECT_TRUE(scale.set_percent(130)); // a saved value between steps
    EXPECT_TRUE(scale.smaller());
    EXPECT_EQ(scale.percent(), 125);
    EXPECT_TRUE(scale.set_percent(130));
    EXPECT_TRUE(scale.larger());
    EXPECT_EQ(scale.percent(), 150);
}

class scaled_text : public views_fixture {
protected:
    void SetUp() override { start({}); }
};

// At 150 % a 375 x 1500 pane is laid out as a 250 x 1000 one: the same lines, and a point on the
// screen finds the word drawn there, down to the pixel either side of a shared edge.
TEST_F(scaled_text, LayoutAndClicksAreThoseOfTheUnscaledPane) {
    load_text(u"aaa bbb ccc ddd eee fff ggg hhh\riii jjj\r");
    paint_text(250, 1000);
    const std::vector<int> lefts = text->word_lefts();
    const std::vector<int> tops = text->word_tops();

    view_scale scale;
    ASSERT_TRUE(scale.set_percent(150));
    const platform::text_size logical = scale.logical_size({375, 1500});
    EXPECT_EQ(logical, (platform::text_size{250, 1000}));
    text->restart_layout(false);
    paint_text(logical.width, logical.height);
    EXPECT_EQ(text->word_lefts(), lefts);
    EXPECT_EQ(text->word_tops(), tops);

    for (std::size_t k = 0; k < lefts.size(); ++k) {
        const int x = scale.physical(lefts[k]);
        const int y = scale.physical(tops[k]);
        EXPECT_EQ(text->word_at_point(scale.logical(x), scale.logical(y)), k) << k;
        if (k > 0 && tops[k - 1] == tops[k]) {
            EXPECT_EQ(text->word_at_point(scale.logical(x - 1), scale.logical(y)), k - 1) << k;
        }
    }
    // Left of the margin, on the screen, is left of it for the view too.
    EXPECT_EQ(text->word_at_point(scale.logical(scale.physical(25) - 1), scale.logical(20)),
              std::nullopt);
}

class word_cursor_test : public views_fixture {
protected:
    void SetUp() override {
        start({{"ddd", "N la nom sg\t"}}, {{"la", "[L] first "}});
        // Lines at 250 pixels: aaa..eee (0-4), fff ggg hhh (5-7), iii jjj (8-9).
        load_text(u"aaa bbb ccc ddd eee fff ggg hhh\riii jjj\r");
        paint_text();
    }
    std::size_t at() const { return text->cursor().index().value_or(99); }
};

TEST_F(word_cursor_test, HiddenUntilMovedThenFramedAndMovedByWordAndLine) {
    EXPECT_FALSE(text->cursor().visible());
    EXPECT_TRUE(dc.frames().empty());
    EXPECT_FALSE(text->look_up_cursor_word());

    const int requests = text->invalidate_hook().requests();
    EXPECT_TRUE(text->move_cursor(cursor_move::next));
    EXPECT_EQ(at(), 0u);
    EXPECT_EQ(text->invalidate_hook().requests(), requests + 1);
    paint_text();
    ASSERT_EQ(dc.frames().size(), 1u);
    EXPECT_EQ(dc.frames()[0].box, (platform::rect{25, 10, 67, 35}));
    EXPECT_EQ(dc.frames()[0].colour, textview::cursor_colour);
    // The frame is drawn over the words, which keep their colours.
    EXPECT_EQ(dc.texts()[3].colour, colour_for(ColourCategory::NounNominative));

    for (int i = 0; i < 3; ++i)
        text->move_cursor(cursor_move::next);
    EXPECT_EQ(at(), 3u); // ddd, its middle at x 169
    EXPECT_TRUE(text->move_cursor(cursor_move::line_down));
    EXPECT_EQ(at(), 7u); // hhh, middle 110, of fff 42, ggg 77, hhh 110
    EXPECT_TRUE(text->move_cursor(cursor_move::line_down));
    EXPECT_EQ(at(), 9u); // jjj, middle 75
    EXPECT_FALSE(text->move_cursor(cursor_move::line_down));
    EXPECT_FALSE(text->move_cursor(cursor_move::next));
    EXPECT_TRUE(text->move_cursor(cursor_move::line_up));
    EXPECT_EQ(at(), 6u); // ggg, middle 77
    EXPECT_TRUE(text->move_cursor(cursor_move::previous));
    EXPECT_EQ(at(), 5u);
    EXPECT_TRUE(text->move_cursor(cursor_move::first));
    EXPECT_FALSE(text->move_cursor(cursor_move::previous));
    EXPECT_TRUE(text->move_cursor(cursor_move::last));
    EXPECT_EQ(at(), 9u);
}

TEST_F(word_cursor_test, EnterLooksUpAsAClickAndPagesAndClicksCarryTheCursor) {
    text->move_cursor(cursor_move::first);
    for (int i = 0; i < 3; ++i)
        text->move_cursor(cursor_move::next);
    ASSERT_TRUE(text->look_up_cursor_word());
    const auto by_key = lookup->analyses;
    EXPECT_EQ(by_key, (std::vector<std::u16string>{u"N", u"la", u"0", u" nom sg"}));
    EXPECT_EQ(lookup->current_word, u"ddd");
    // A click on the same word gives the same lookup.
    lookup->analyses.clear();
    text->click(text->word_lefts()[3] + 2, 20);
    EXPECT_EQ(lookup->analyses, by_key);

    // A click moves a shown cursor; a new page puts it on its first word.
    text->click(text->word_lefts()[6] + 2, 40);
    EXPECT_EQ(at(), 6u);
    text->restart_layout(true);
    paint_text();
    EXPECT_EQ(at(), 0u);
    text->hide_cursor();
    text->click(text->word_lefts()[6] + 2, 40);
    EXPECT_FALSE(text->cursor().visible());
    paint_text();
    EXPECT_TRUE(dc.frames().empty());
}

class resume_test : public views_fixture {
protected:
    static constexpr std::int32_t iliad_book_1 = 40519; // a passage the compiled tables have
    void SetUp() override {
        start({});
        std::u16string body;
        for (char16_t c = u'a'; c <= u'n'; ++c)
            body += std::u16string(3, c) + u"\r";
        load_text(body);
        document->current_id = iliad_book_1;
        document->page_starts = {0};
    }
    platform::memory_settings_store store;
};

TEST_F(resume_test, SavedPlaceReopensThePageWithItsHistory) {
    paint_text(400, 120); // four lines a page
    document->page_forward();
    paint_text(400, 120);
    document->page_forward();
    paint_text(400, 120);
    const std::vector<std::int32_t> history = document->page_starts;
    ASSERT_EQ(history, (std::vector<std::int32_t>{0, 16, 32}));

    reading_settings settings(&store);
    settings.save_place(*document);
    ASSERT_EQ(settings.place(), (reading_place{iliad_book_1, 32}));

    // Another session, back at the passage's start.
    document->page_start = 0;
    document->page_starts = {0};
    text->restart_layout(false);
    ASSERT_TRUE(resume_reading(*settings.place(), *document, nullptr, *text));
    paint_text(400, 120);
    EXPECT_EQ(document->page_start, 32);
    EXPECT_EQ(document->page_starts, history);
    EXPECT_EQ(text->word_keys()[0], u"iii\r");
    document->page_backward();
    EXPECT_EQ(document->page_start, 16);

    // A place inside a page opens that page; one past the text, the last page.
    ASSERT_TRUE(resume_reading({iliad_book_1, 22}, *document, nullptr, *text));
    paint_text(400, 120);
    EXPECT_EQ(document->page_starts, (std::vector<std::int32_t>{0, 16}));
    ASSERT_TRUE(resume_reading({iliad_book_1, 1'999'999}, *document, nullptr, *text));
    paint_text(400, 120);
    EXPECT_EQ(document->page_starts, (std::vector<std::int32_t>{0, 16, 32, 48}));
    EXPECT_FALSE(resume_reading({4242, 0}, *document, nullptr, *text));
}

TEST_F(resume_test, NothingIsSavedWithoutAPassageAndOddValuesReadAsUnset) {
    reading_settings settings(&store);
    document->text_length = 0;
    settings.save_place(*document);
    EXPECT_EQ(settings.place(), std::nullopt);
    EXPECT_EQ(store.write_count(), 0);

    const std::u16string key(reading_settings::settings_key);
    store.write_text(key, u"ReadingPassage", u"lo/gos");
    store.write_text(key, u"ReadingPosition", u"12");
    EXPECT_EQ(settings.place(), std::nullopt);
    store.write_text(key, u"ReadingPassage", u"40519");
    store.write_text(key, u"ReadingPosition", u"2000000"); // beyond the text buffer
    EXPECT_EQ(settings.place(), std::nullopt);

    EXPECT_EQ(settings.text_scale(), std::nullopt);
    settings.save_text_scale(175);
    EXPECT_EQ(settings.text_scale(), 175);
    store.write_text(key, u"TextScale", u"900");
    EXPECT_EQ(settings.text_scale(), std::nullopt);
    EXPECT_EQ(reading_settings(nullptr).place(), std::nullopt);
}

class copy_test : public views_fixture {
protected:
    void SetUp() override {
        start({}, {{"la", "[L] <B>first, <N>the <I>one <N>meant "}, {"lb", "[L] second "}});
    }
};

TEST_F(copy_test, PageAndWordsAsPrinted) {
    load_text(u"²Ἀπολογία³\r[17a] ἄνδρες, (ὦ) δ’ ἐγὼ·\r");
    paint_text(400, 400);
    EXPECT_EQ(text->page_text(), u"Ἀπολογία\n[17a] ἄνδρες, (ὦ) δ’ ἐγὼ·");
    const std::vector<std::u16string> words{u"Ἀπολογία", u"17a", u"ἄνδρες", u"ὦ", u"δ’", u"ἐγὼ"};
    ASSERT_EQ(text->word_keys().size(), words.size());
    for (std::size_t k = 0; k < words.size(); ++k)
        EXPECT_EQ(text->word_text(k), words[k]) << k;
    EXPECT_EQ(text->word_text(words.size()), u"");
}

// What Copy gives of a definition is what the drawing shows of it, piece by piece.
TEST_F(copy_test, DefinitionsAsDrawnAndTheLookupPanesLines) {
    const std::u16string definition = u"[L] <B>λόγος, <N>ὁ, <I>word, <N>speech  tail";
    dc.clear_records();
    view_fonts fonts_in_use(fonts, 25);
    draw_marked_text(dc, definition, {10, 10, 2000, 10}, fonts_in_use.marked());
    std::u16string drawn;
    for (const auto& t : dc.texts())
        drawn += t.text;
    std::u16string collapsed;
    for (const char16_t c : drawn) {
        if (c != u' ' || (!collapsed.empty() && collapsed.back() != u' '))
            collapsed += c;
    }
    while (!collapsed.empty() && collapsed.back() == u' ')
        collapsed.pop_back();
    EXPECT_EQ(plain_marked_text(definition), collapsed);
    EXPECT_EQ(collapsed, u"LSJ λόγος, ὁ, word, speech tail");
    EXPECT_EQ(plain_marked_text(u"no opening "), u"");

    lookup->current_word = u"cc";
    lookup->previous_word = u"aa";
    lookup->next_word = u"bbb";
    lookup->analyses = {u"N", u"la", u"5", u" nom sg ", u"V", u"lb", u"0", u" act "};
    lookup->definitions = {u"[L] <B>first, <N>the <I>one <N>meant ", u"[L] second "};
    EXPECT_EQ(lookup->plain_text(), u"αα   ξξ   βββ\nN nom sg λα (5)\nV act λβ (0)\n\n"
                                    u"LSJ first, the one meant\n\nLSJ second");

    dictionary_view dictionary(*lex, fonts, nullptr, ui);
    lex->open_dictionary_page(u"la");
    EXPECT_EQ(dictionary.plain_text(), u"λα: LSJ first, the one meant\n\nλβ: LSJ second");
}

} // namespace
} // namespace veso::testing
