#include "platform/headless/memory_settings_store.h"
#include "view_fixture.h"
#include "views/dictionary_view.h"

namespace veso::testing {
namespace {

// A dictionary window that records what the lookup view asks of it.
class recording_host final : public dictionary_window_host, public dictionary_surface {
public:
    recording_host(lexicon& lex, platform::font_factory& fonts, platform::settings_store& settings,
                   platform::ui_services& ui)
        : view(lex, fonts, &settings, ui) {}

    void destroy_dictionary_window() override { calls.push_back("destroy"); }
    dictionary_view& create_dictionary_window() override {
        calls.push_back("create");
        view.attach(this);
        view.initialise();
        return view;
    }
    void show_dictionary_window() override {
        calls.push_back("show");
        recentre_when_shown = view.recentre_pending;
    }

    platform::rect window_rect() const override { return rect; }
    void move_window(const platform::rect& r) override {
        rect = r;
        calls.push_back("move");
    }
    void set_scroll_range(int, int) override {}
    void set_scroll_position(int) override {}
    void scroll_contents(int) override {}
    void invalidate(bool) override {}
    void destroy_window() override {}

    dictionary_view view;
    platform::rect rect{0, 0, 600, 400};
    std::vector<std::string> calls;
    bool recentre_when_shown = false;
};

const std::string long_definition = "[L] " + std::string(1500, 'x') + " tail ";

class lookupview_test : public views_fixture {
protected:
    void SetUp() override {
        start(
            {
                {"aa", "N la nom sg\t"},
                {"bbb", "V lb act\t"},
                {"cc", "N la gen sg\t\x03N lb dat pl\t"},
            },
            {{"la", long_definition}, {"lb", "[A] short text "}}, {{"la", "5"}});
        host = std::make_unique<recording_host>(*lex, fonts, settings, ui);
        lookup->set_dictionary_host(host.get());
    }
    // The state a click on "cc" in the text leaves.
    void show_cc() {
        lookup->current_word = u"cc";
        lookup->previous_word = u"aa";
        lookup->next_word = u"bbb";
        lookup->analyses = {u"N", u"la", u"5", u" nom sg"};
        lookup->definitions = {u"[T] some words here "};
        lex->definition_truncated = false;
        paint_lookup(400);
    }

    platform::memory_settings_store settings;
    std::unique_ptr<recording_host> host;
};

TEST_F(lookupview_test, NothingOnTheTopLineBeforeTheFirstClick) {
    paint_lookup();
    EXPECT_TRUE(dc.texts().empty());
    EXPECT_EQ(lookup->definitions_top(), 10);
    EXPECT_EQ(lookup->previous_box(), lookupview::span{});
}

TEST_F(lookupview_test, TopLineAnalysisLinesAndDefinitions) {
    show_cc();
    // W = 390; the neighbours are 20 and 30 pixels wide, the word 20.
    EXPECT_EQ(lookup->previous_box(), (lookupview::span{5, 25}));
    EXPECT_EQ(lookup->next_box(), (lookupview::span{355, 385}));
    EXPECT_EQ(lookup->centre_box(), (lookupview::span{180, 200}));
    const auto& t = dc.texts();
    ASSERT_GE(t.size(), 7u);
    EXPECT_TRUE(t[0].font.underline);
    EXPECT_EQ(t[2].x, 180);
    EXPECT_FALSE(t[2].font.underline);
    EXPECT_EQ(t[3].text, u"N  nom sg ");
    EXPECT_EQ(t[3].y, 40);
    EXPECT_TRUE(t[4].font.underline); // the lemma link
    EXPECT_EQ(t[4].x, 90);
    EXPECT_EQ(t[5].text, u" (5)");
    EXPECT_EQ(t[5].x, 110);
    ASSERT_EQ(lookup->lemma_boxes().size(), 1u);
    EXPECT_EQ(lookup->lemma_boxes()[0], (platform::rect{90, 40, 110, 65}));
    EXPECT_EQ(lookup->definitions_top(), 74);
    // The definition opens with its dictionary's name in italics, then its words.
    ASSERT_EQ(t.size(), 10u);
    EXPECT_EQ(t[6].text, u"Abbott-Smith");
    EXPECT_TRUE(t[6].font.italic);
    EXPECT_EQ(t[6].x, 10);
    EXPECT_EQ(t[6].y, 74);
    EXPECT_EQ(t[7].text, u" some");
    EXPECT_EQ(t[7].x, 130);
    EXPECT_EQ(t[9].text, u" here");
}

TEST_F(lookupview_test, NarrowPaneDrawsNoTopLine) {
    show_cc();
    paint_lookup(70);
    EXPECT_EQ(lookup->previous_box(), lookupview::span{});
    EXPECT_EQ(lookup->next_box(), lookupview::span{});
    EXPECT_EQ(dc.texts()[0].text, u"N  nom sg ");
}

TEST_F(lookupview_test, NeighbourClicksStepThroughTheMorphology) {
    show_cc();
    lookup->click(15, 20);
    EXPECT_EQ(lookup->current_word, u"aa");
    EXPECT_EQ(lookup->analyses, (std::vector<std::u16string>{u"N", u"la", u"5", u" nom sg"}));
    EXPECT_EQ(lookup->next_word, u"bbb");
    ASSERT_EQ(lookup->definitions.size(), 1u);

    show_cc();
    lookup->click(370, 20);
    EXPECT_EQ(lookup->current_word, u"bbb");
    EXPECT_EQ(lookup->previous_word, u"aa");
    EXPECT_EQ(lookup->next_word, u"cc");

    // On the centre word the lemma-link test runs, finds nothing and changes nothing.
    show_cc();
    lookup->click(190, 20);
    EXPECT_EQ(lookup->current_word, u"cc");
    EXPECT_TRUE(host->calls.empty());
}

TEST_F(lookupview_test, TruncatedDefinitionOffersTheFullOneBelowTheAnalyses) {
    show_cc();
    lookup->definitions = {lex->short_definition_of(u"la")};
    ASSERT_TRUE(lex->definition_truncated);
    paint_lookup(400);
    const auto& t = dc.texts();
    const auto link = std::find_if(t.begin(), t.end(), [](const auto& x) {
        return x.text == u"click to see full definition";
    });
    ASSERT_NE(link, t.end());
    EXPECT_TRUE(link->font.underline);

    lookup->click(10, lookup->definitions_top() + 1);
    EXPECT_FALSE(lex->definition_truncated);
    ASSERT_EQ(lookup->definitions.size(), 1u);
    EXPECT_EQ(lookup->definitions[0], lex->definition_of(u"la"));
    paint_lookup(400);
    for (const auto& x : dc.texts())
        EXPECT_NE(x.text, u"click to see full definition");
}

TEST_F(lookupview_test, LemmaClickOpensTheDictionaryWindowAtTheLemma) {
    settings.open_key(dictionary_view::settings_key)->write_dword(u"DictViewX", 30);
    settings.open_key(dictionary_view::settings_key)->write_dword(u"DictViewY", 40);
    settings.open_key(dictionary_view::settings_key)->write_dword(u"DictViewWidth", 500);
    settings.open_key(dictionary_view::settings_key)->write_dword(u"DictViewHeight", 300);
    show_cc();
    lookup->click(100, 50);
    EXPECT_EQ(host->calls, (std::vector<std::string>{"destroy", "create", "move", "move", "show"}));
    EXPECT_TRUE(host->recentre_when_shown);
    EXPECT_EQ(host->view.document, document.get());
    EXPECT_EQ(lex->requested_headword, u"la");
    EXPECT_EQ(host->rect, (platform::rect{30, 40, 530, 340}));
    EXPECT_EQ(lex->page_first_headword, u"la");
}

TEST_F(lookupview_test, WordClickedInTheTextFillsTheLookupPane) {
    load_text(u"cc aa\r");
    paint_text();
    text->click(30, 20);
    EXPECT_EQ(lookup->analyses.size(), 8u);
    EXPECT_EQ(lookup->definitions.size(), 2u);
    paint_lookup(400);
    EXPECT_EQ(lookup->lemma_boxes().size(), 2u);
    EXPECT_EQ(lookup->lemma_boxes()[1].top, 64);
}

} // namespace
} // namespace veso::testing
