#include "colours/colour_table.h"
#include "view_fixture.h"

namespace veso::testing {
namespace {

using text_record = platform::headless_device_context::painted_text;

// Width 250 leaves 200 pixels between the margins; a three-letter word with its space is 35.
class textview_layout : public views_fixture {
protected:
    void SetUp() override { start({}); }
};

TEST_F(textview_layout, FullLinesAreStretchedToTheMarginAndParagraphEndsAreNot) {
    load_text(u"aaa bbb ccc ddd eee fff ggg hhh\riii jjj\r");
    paint_text();
    const auto& lines = text->lines();
    ASSERT_EQ(lines.size(), 4u); // the last one is the empty line at the text's end
    // Six words measure 210 >= 200: five stay, 25 pixels spread over their four gaps.
    EXPECT_EQ(lines[0].stretch, 25);
    EXPECT_EQ(lines[0].break_count, 4);
    EXPECT_EQ(lines[1].stretch, 0);
    EXPECT_EQ(lines[2].stretch, 0);

    const std::vector<int> lefts{25, 67, 108, 149, 190, 25, 60, 95, 25, 60};
    EXPECT_EQ(text->word_lefts(), lefts);
    EXPECT_EQ(text->word_rights()[4], 225); // the justified line ends at the right margin
    EXPECT_EQ(text->word_tops()[5], 10 + 24);
    EXPECT_EQ(text->word_bottoms()[5], 10 + 24 + 25);
    EXPECT_EQ(text->word_keys()[2], u"ccc ");
    EXPECT_EQ(text->word_keys()[7], u"hhh\r");
    EXPECT_EQ(painted()[7], u"hhh"); // the paragraph's last word without its carriage return
    // The layout takes one more (empty) line at the text's end, one unit at a time.
    EXPECT_EQ(document->next_page_start, 42);
    EXPECT_FALSE(document->past_section_end);
}

TEST_F(textview_layout, WordReachingExactlyTheWidthMovesDownAndLeavesTheLineUnstretched) {
    load_text(u"aaaaaaaaaaaaaa bbbbb ccc\r"); // 145 + 55 = 200
    paint_text();
    ASSERT_EQ(text->lines().size(), 3u);
    EXPECT_EQ(text->lines()[0].stretch, 0);
    EXPECT_EQ(painted()[0], u"aaaaaaaaaaaaaa ");
    EXPECT_EQ(text->word_tops()[1], 34);
    EXPECT_EQ(text->word_lefts()[1], 25);
}

TEST_F(textview_layout, SecondSpaceIsAWordOfItsOwnWithTheNextWordsKey) {
    load_text(u"aaa  bbb ccc\r");
    paint_text();
    EXPECT_EQ(painted(), (std::vector<std::u16string>{u"aaa ", u" ", u"bbb ", u"ccc"}));
    EXPECT_EQ(text->word_keys()[1], u"bbb ");
    EXPECT_EQ(text->word_rights()[1] - text->word_lefts()[1], 5);
}

TEST_F(textview_layout, BoldRunsSwitchFontsAndHideTheirMarkers) {
    load_text(u"aaa \u00B2bbb ccc ddd\u00B3 eee \u00B2fff\u00B3\r");
    paint_text(400);
    EXPECT_EQ(painted(), (std::vector<std::u16string>{u"aaa ", u"bbb ", u"ccc ", u"ddd", u" ",
                                                      u"eee ", u"fff"}));
    const auto weights = [&] {
        std::vector<int> result;
        for (const auto& t : dc.texts())
            result.push_back(t.font.weight);
        return result;
    }();
    // "ddd" closes bold with a space still in the bold face; a paragraph's last word is bold too.
    EXPECT_EQ(weights, (std::vector<int>{400, 700, 700, 700, 700, 400, 700}));
    EXPECT_EQ(text->word_rights()[1] - text->word_lefts()[1], 3 * 11 + 5);
    // Bold words are labels and carry no key; the words around them keep theirs.
    EXPECT_EQ(text->word_keys(),
              (std::vector<std::u16string>{u"aaa ", u"", u"", u"", u"eee ", u""}));
    // The font after the paragraph is normal again.
    ASSERT_NE(dc.selected_font(), nullptr);
    EXPECT_EQ(dc.selected_font()->description().weight, 400);
}

TEST_F(textview_layout, WordWiderThanThePaneIsBrokenAtTheEdgeAndPagingMovesOn) {
    load_text(u"aaaaaaaaaaaaaaaaaaaaaaaaa bb\r"); // 25 letters: 250 pixels
    paint_text();
    ASSERT_GE(text->lines().size(), 2u);
    EXPECT_TRUE(text->lines()[0].broken);
    EXPECT_EQ(text->lines()[0].end, 20);
    EXPECT_EQ(painted()[0], std::u16string(20, u'a'));
    EXPECT_EQ(painted()[1], u"aaaaa ");
    EXPECT_EQ(painted()[2], u"bb");
    EXPECT_EQ(text->word_keys()[0], std::u16string(25, u'a') + u" ");
    // Both pieces carry the whole word's key, so a click on the second looks the word up.
    EXPECT_EQ(text->word_keys()[1], text->word_keys()[0]);
    text->click(text->word_lefts()[1] + 2, text->word_tops()[1] + 2);
    EXPECT_EQ(text->clicked_word(), std::u16string(25, u'a'));
}

TEST_F(textview_layout, TinyOrEmptyPanesStillEndTheirPage) {
    load_text(u"aaa bbb ccc\r");
    for (const platform::text_size size : {platform::text_size{0, 0}, platform::text_size{40, 30},
                                           platform::text_size{-100, 5000}}) {
        dc.clear_records();
        text->paint(dc, size);
        EXPECT_GT(document->next_page_start, 0);
        EXPECT_LE(text->lines().size(), 5000u / 24 + 1);
    }
}

TEST_F(textview_layout, PageEndsWhenTheNextLineWouldReachTheBottomMargin) {
    std::u16string body;
    for (int i = 0; i < 40; ++i)
        body += u"aaa ";
    body += u"\r";
    load_text(body);
    paint_text(250, 110); // lines at y 0, 24, 48, 72; 96 + 25 >= 100 ends the page
    ASSERT_EQ(text->lines().size(), 4u);
    EXPECT_EQ(document->next_page_start, 4 * 5 * 4);
    EXPECT_EQ(text->word_keys().size(), 20u);

    // Repainting the same page keeps one box per word.
    paint_text(250, 110);
    EXPECT_EQ(text->word_keys().size(), 20u);
    EXPECT_EQ(text->word_lefts().size(), 20u);

    document->page_start = document->next_page_start;
    paint_text(250, 110);
    EXPECT_EQ(text->word_keys().size(), 20u);
    EXPECT_EQ(document->next_page_start, 160);
}

TEST_F(textview_layout, LayoutStopsAtTheSectionEnd) {
    load_text(u"aaa bbb\rccc ddd\reee fff\r");
    document->section_end = 12; // within "ccc ddd"
    paint_text();
    EXPECT_EQ(painted(), (std::vector<std::u16string>{u"aaa ", u"bbb", u"ccc "}));
    EXPECT_TRUE(document->past_section_end);
    EXPECT_EQ(document->next_page_start, 14);
}

TEST_F(textview_layout, AWordIsShownOnThePagePageForwardReachesAndMarkedUntilThePageChanges) {
    std::u16string body;
    for (int i = 0; i < 60; ++i)
        body += u"aaa bbb ccc ddd\r";
    load_text(body);
    document->attach(nullptr, text.get(), nullptr);
    document->page_starts = {0};
    const std::int32_t target = 16 * 37 + 8; // "ccc" on line 38

    // Page Forward from the start until the page holds the word.
    std::vector<std::int32_t> paged{0};
    paint_text(250, 110);
    while (document->next_page_start <= target) {
        document->page_forward();
        paged.push_back(document->page_start);
        paint_text(250, 110);
    }
    ASSERT_GT(paged.size(), 3u);

    // An occurrence opened there: its page, reached as paging reaches it, with the word marked.
    document->page_start = 0;
    document->page_starts = {0};
    text->restart_layout(false);
    text->show_page_containing(target);
    text->mark_word(target);
    paint_text(250, 110);
    EXPECT_EQ(document->page_starts, paged);
    EXPECT_EQ(document->page_start, paged.back());
    ASSERT_EQ(dc.rectangles().size(), 1u);
    // Four words a line of sixteen units: the third word of the target's line on this page.
    const auto word = static_cast<std::size_t>((target - paged.back()) / 16 * 4 + 2);
    const auto& mark = dc.rectangles().front();
    EXPECT_EQ(mark.area.left, text->word_lefts()[word]);
    EXPECT_EQ(mark.area.top, text->word_tops()[word]);
    EXPECT_EQ(mark.area.width(), 30); // the word without its space
    EXPECT_EQ(mark.colour, textview::marked_word_colour);

    // Repainting keeps the mark; turning the page ends it.
    paint_text(250, 110);
    EXPECT_EQ(dc.rectangles().size(), 1u);
    document->page_backward();
    paint_text(250, 110);
    EXPECT_TRUE(dc.rectangles().empty());
    EXPECT_EQ(text->marked_word(), -1);
}

TEST_F(textview_layout, TheTextsLastWordIsPaintedWithoutACarriageReturn) {
    load_text(u"aaa bbb");
    paint_text();
    EXPECT_EQ(painted(), (std::vector<std::u16string>{u"aaa ", u"bbb"}));
}

TEST_F(textview_layout, StartPictureAndItsGenreRectangles) {
    recording_tree tree;
    text->set_catalogue(&tree, [](int genre) { return platform::tree_item(100 + genre); });
    paint_text();
    ASSERT_EQ(dc.pictures().size(), 1u);
    EXPECT_EQ(dc.pictures()[0].picture, platform::picture_id::start_page);
    EXPECT_EQ(dc.pictures()[0].x, 10);
    EXPECT_TRUE(text->word_keys().empty());

    text->click(200, 100);
    EXPECT_EQ(tree.collapsed_items,
              (std::vector<platform::tree_item>{100, 101, 102, 103, 104, 105}));
    EXPECT_EQ(tree.selected_items, std::vector<platform::tree_item>{100});

    text->click(5, 5);
    EXPECT_EQ(tree.collapsed_items.size(), 12u);
    EXPECT_EQ(tree.selected_items.size(), 1u);

    // Bounds belong to the rectangles; overlapping ones go to the first in order.
    text->click(144, 408);
    text->click(314, 261);
    EXPECT_EQ(tree.selected_items, (std::vector<platform::tree_item>{100, 104, 102}));
}

// Morphology for the colour and click tests: descriptions end at a tab.
std::vector<lexicon_record> colour_morphology() {
    return {
        {"nomn", "N lnoun masc nom sg\t"},
        {"partp", "P lpart pres act nom/voc sg\t"},
        {"partq", "P lpart pres act\t"},
        {"verbv", "V lverb pres ind mp 3rd sg\t"},
        {"advd", "D ladv adverbial\t"},
        {"order1", "N lfive nom sg\t\x03N lthree gen sg\t\x03N lzero dat sg\t"},
        {"order2", "N lfive nom sg\t\x03N lzero dat sg\t\x03N lthree gen sg\t"},
        {"order3", "N lfive nom sg\t\x03N lzero dat sg\t\x03N lone5 gen sg\t"},
    };
}
std::vector<lexicon_record> colour_frequencies() {
    return {{"lfive", "5"}, {"lthree", "300"}, {"lone5", "150"}, {"lnoun", "7,8"}};
}

class textview_colours : public views_fixture {
protected:
    void SetUp() override { start(colour_morphology(), {}, colour_frequencies()); }
    std::vector<platform::colour_ref> colours_painted() {
        paint_text(600, 400);
        std::vector<platform::colour_ref> result;
        for (const auto& t : dc.texts())
            result.push_back(t.colour);
        return result;
    }
};

TEST_F(textview_colours, CaseModeColoursByCaseAndVoice) {
    load_text(u"nomn partp partq verbv advd unknown\r");
    EXPECT_EQ(colours_painted(), (std::vector<platform::colour_ref>{
                                     colour_for(ColourCategory::NounNominative),
                                     colour_for(ColourCategory::PartNominative),
                                     colour_for(ColourCategory::PartDefault),
                                     colour_for(ColourCategory::VerbMiddlePassive), black, black}));
}

TEST_F(textview_colours, CaseRuleZeroCountsAndTheFrequentEnoughThreshold) {
    load_text(u"order1 order2 order3\r");
    EXPECT_EQ(colours_painted(),
              (std::vector<platform::colour_ref>{colour_for(ColourCategory::NounNominative),
                                                 colour_for(ColourCategory::NounGenitive),
                                                 colour_for(ColourCategory::NounNominative)}));
}

TEST_F(textview_colours, ClassModeUsesTheMarkerAndOffModePaintsBlack) {
    load_text(u"nomn partp verbv advd Nothing\r");
    text->colour_by_class = true;
    EXPECT_EQ(colours_painted(),
              (std::vector<platform::colour_ref>{colour_for(ColourCategory::NounDefault),
                                                 colour_for(ColourCategory::PartDefault),
                                                 colour_for(ColourCategory::VerbDefault), black,
                                                 colour_for(ColourCategory::NounDefault)}));
    text->colour_by_class = false;
    text->colour_by_case = false;
    EXPECT_EQ(colours_painted(), std::vector<platform::colour_ref>(5, black));
}

TEST_F(textview_colours, AuthorNumberIsTakenBeforeThePageIsColoured) {
    document->author_number = 2;
    const auto groups = text->analyses_for_word(u"N lnoun masc nom sg\t");
    EXPECT_EQ(groups[2], u"7"); // the view still has the previous author
    load_text(u"nomn\r");
    paint_text();
    EXPECT_EQ(text->author_number(), 2);
    EXPECT_EQ(text->analyses_for_word(u"N lnoun masc nom sg\t")[2], u"8");
}

TEST(analyses_for_word, SplitsMarkersLemmasCountsAndDescriptions) {
    lexicon_folder folder;
    folder.write_frequencies({{"b", "12"}});
    lexicon lex(folder.data());
    wait_for(lex);
    platform::headless_ui_services ui;
    auto document = std::make_unique<mydoc>(ui, &lex, folder.root());
    platform::headless_font_factory fonts;
    const ColourTable colours = distinct_colours();
    textview view(*document, lex, colours, fonts);

    // A description with no control character after it reads as empty.
    EXPECT_EQ(
        view.analyses_for_word(u"N a,b masc nom\tjunk\x03V c act"),
        (std::vector<std::u16string>{u"N", u"b", u"12", u" masc nom", u"V", u"c", u"0", u""}));
    EXPECT_EQ(view.analyses_for_word(u"V c act\x03N b"),
              (std::vector<std::u16string>{u"V", u"c", u"0", u" act", u"N", u"b", u"12", u""}));
    EXPECT_EQ(view.analyses_for_word(u"lo/gos "), std::vector<std::u16string>(4, u"?"));
    EXPECT_EQ(view.analyses_for_word(u""), std::vector<std::u16string>(4, u"?"));
    // A trailing separator reads as one more analysis that cannot be read.
    EXPECT_EQ(view.analyses_for_word(u"N b x\t\x03").size(), 8u);
}

class textview_clicks : public views_fixture {
protected:
    void SetUp() override {
        start(
            {
                {"abcd", "N lab nom sg\t"},
                {"abxy", "V lab act\t"},
                {"mmm", "N la nom sg\t\x03N la gen sg\t\x03N lb dat sg\t\x03N la acc sg\t"},
                {"nnn", "V lv act\t"},
                {"zzz", "N lz nom\t"},
            },
            {{"la", "[la] first"}, {"lb", "[lb] second"}, {"lab", "[lab] joined"}});
    }
};

TEST_F(textview_clicks, SharedEdgeGoesToTheRightHandWordAndGapsToNothing) {
    load_text(u"mmm nnn\r");
    paint_text();
    const int edge = text->word_rights()[0];
    ASSERT_EQ(edge, text->word_lefts()[1]);
    text->click(edge, 20);
    EXPECT_EQ(lookup->current_word, u"nnn");
    EXPECT_EQ(lookup->analyses, (std::vector<std::u16string>{u"V", u"lv", u"0", u" act"}));

    lookup->current_word.clear();
    text->click(edge, 100); // below the last line
    EXPECT_TRUE(lookup->current_word.empty());
}

TEST_F(textview_clicks, DefinitionsOncePerRunOfEqualLemmas) {
    load_text(u"mmm\r");
    paint_text();
    const int requests = lookup->invalidate_hook().requests();
    text->click(30, 20);
    EXPECT_EQ(text->clicked_word(), u"mmm");
    EXPECT_EQ(lookup->analyses.size(), 16u);
    ASSERT_EQ(lookup->definitions.size(), 3u);
    EXPECT_NE(lookup->definitions[0].find(u"first"), std::u16string::npos);
    EXPECT_NE(lookup->definitions[1].find(u"second"), std::u16string::npos);
    EXPECT_NE(lookup->definitions[2].find(u"first"), std::u16string::npos);
    EXPECT_EQ(lookup->previous_word, u"abxy");
    EXPECT_EQ(lookup->next_word, u"nnn");
    EXPECT_EQ(lookup->invalidate_hook().requests(), requests + 1);
}

TEST_F(textview_clicks, HyphenatedWordIsJoinedWithTheNextWordOrTheOneAfter) {
    load_text(u"ab- cd ab- qq xy\r");
    paint_text();
    text->click(30, 20); // "ab-" + "cd"
    EXPECT_EQ(lookup->analyses, (std::vector<std::u16string>{u"N", u"lab", u"0", u" nom sg"}));
    const int third = text->word_lefts()[2];
    text->click(third + 2, 20); // "ab-" + "qq" is unknown; "ab-" + "xy" is a verb
    EXPECT_EQ(lookup->analyses, (std::vector<std::u16string>{u"V", u"lab", u"0", u" act"}));
    EXPECT_EQ(lookup->current_word, u"ab");
}

TEST_F(textview_clicks, BoldLabelsAreNeitherColouredNorLookedUp) {
    load_text(u"²zzz zzz³ zzz\r");
    paint_text();
    ASSERT_EQ(text->word_keys().size(), 3u);
    std::vector<platform::colour_ref> colours;
    for (const auto& t : dc.texts())
        colours.push_back(t.colour);
    EXPECT_EQ(colours.front(), black);
    EXPECT_NE(colours.back(), black);

    text->click(text->word_lefts()[2] + 2, 20);
    EXPECT_EQ(lookup->current_word, u"zzz");
    for (std::size_t label : {0u, 1u}) {
        text->click(text->word_lefts()[label] + 2, 20);
        EXPECT_TRUE(lookup->current_word.empty());
        EXPECT_TRUE(lookup->analyses.empty());
        EXPECT_TRUE(lookup->definitions.empty());
        EXPECT_EQ(lookup->previous_word, u"?");
    }
}

TEST_F(textview_clicks, UnknownWordGetsQuestionMarksAndMorphologyNeighbours) {
    load_text(u"mmx\r");
    paint_text();
    text->click(30, 20);
    EXPECT_EQ(lookup->analyses, std::vector<std::u16string>(4, u"?"));
    EXPECT_EQ(lookup->definitions.size(), 1u);
    const auto neighbours = lex->morphology_neighbours(u"mmx");
    EXPECT_EQ(lookup->previous_word, neighbours[0]);
    EXPECT_EQ(lookup->next_word, neighbours[1]);
    EXPECT_EQ(lookup->previous_word, u"mmm");
}

} // namespace
} // namespace veso::testing
