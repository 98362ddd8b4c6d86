#include "platform/headless/memory_settings_store.h"
#include "view_fixture.h"
#include "views/dictionary_view.h"

namespace veso::testing {
namespace {

class recording_surface final : public dictionary_surface {
public:
    platform::rect window_rect() const override { return rect; }
    void move_window(const platform::rect& r) override { rect = r; }
    void set_scroll_range(int max, int page) override {
        range_max = max;
        range_page = page;
    }
    void set_scroll_position(int position) override { bar_position = position; }
    void scroll_contents(int dy) override { scrolled += dy; }
    void invalidate(bool) override { ++invalidations; }
    void destroy_window() override { destroyed = true; }

    platform::rect rect{100, 50, 700, 450};
    int range_max = -1;
    int range_page = -1;
    int bar_position = 0;
    int scrolled = 0;
    int invalidations = 0;
    bool destroyed = false;
};

// Forty headwords "laa", "lab", ...: every definition fits on one line of the window. The even
// ones come from LSJ, the odd ones from Autenrieth.
std::vector<lexicon_record> forty_entries() {
    const std::string letters = "abgdezhqiklmncoprstufxyw";
    std::vector<lexicon_record> result;
    for (int i = 0; i < 40; ++i) {
        const std::string headword = std::string("l") + letters[static_cast<std::size_t>(i / 24)] +
                                     letters[static_cast<std::size_t>(i % 24)];
        result.push_back({headword, std::string(i % 2 == 0 ? "[L]" : "[A]") + " meaning " +
                                        std::to_string(i) + " "});
    }
    return result;
}

class dictionary_view_test : public views_fixture {
protected:
    void SetUp() override {
        start({{"xx", "N lak nom\t"}}, forty_entries());
        view = std::make_unique<dictionary_view>(*lex, fonts, &settings, ui);
        view->attach(&surface);
        view->initialise();
        view->document = document.get();
    }
    // Opens the window as the lookup view does, at the lemma, and paints it once.
    void open_at(const std::u16string& lemma) {
        lex->open_dictionary_page(lemma);
        view->recentre_pending = true;
        lex->requested_headword = lemma;
        paint();
    }
    void paint() {
        dc.clear_records();
        view->paint(dc);
    }
    std::vector<const platform::headless_device_context::painted_text*> blue_texts() const {
        std::vector<const platform::headless_device_context::painted_text*> result;
        for (const auto& t : dc.texts()) {
            if (t.colour == platform::make_colour(0, 0, 255))
                result.push_back(&t);
        }
        return result;
    }

    platform::memory_settings_store settings;
    recording_surface surface;
    std::unique_ptr<dictionary_view> view;
};

TEST_F(dictionary_view_test, RecentringPaintHighlightsTheRequestedRowAndScrollsToIt) {
    open_at(u"lal"); // the eleventh headword: rows 1 to 20 of the index
    ASSERT_EQ(lex->dictionary_page.size(), 40u);
    ASSERT_EQ(lex->dictionary_page[20], u"lal");
    const auto& t = dc.texts();
    EXPECT_EQ(t[0].x, 10);
    EXPECT_EQ(t[0].y, 5);
    EXPECT_EQ(t[0].text, document->converter.to_unicode(lex->page_first_headword + u" ") +
                             u"  -   " +
                             document->converter.to_unicode(lex->page_last_headword + u" "));
    EXPECT_EQ(t[1].y, 40);
    EXPECT_TRUE(t[1].font.underline);
    EXPECT_EQ(t[1].font.height, 18);
    EXPECT_EQ(t[2].text, u": ");
    // The definition names its dictionary in italics, one space before its first word.
    EXPECT_EQ(t[3].text, u"LSJ");
    EXPECT_TRUE(t[3].font.italic);
    EXPECT_EQ(t[3].x, 10 + 30 + 15);
    EXPECT_EQ(t[4].text, u" meaning");
    EXPECT_EQ(t[4].x, 10 + 30 + 15 + 30);

    const auto blue = blue_texts();
    ASSERT_GE(blue.size(), 3u);
    EXPECT_EQ(blue.front()->y, 40 + 10 * 36); // headword, ": " and definition of row 11
    for (const auto* b : blue)
        EXPECT_EQ(b->y, 400);

    EXPECT_FALSE(view->recentre_pending);
    EXPECT_EQ(view->content_bottom, 40 + 20 * 36);
    EXPECT_EQ(surface.range_max, 760 - 400 + 100);
    EXPECT_EQ(surface.range_page, 46);
    EXPECT_EQ(view->scroll_pos, 300);
    EXPECT_EQ(surface.bar_position, 300);
    EXPECT_EQ(surface.scrolled, -300);

    // Later paints draw shifted by the scroll position; the requested headword stays blue.
    paint();
    EXPECT_EQ(dc.texts()[0].y, 5 - 300);
    EXPECT_EQ(blue_texts().front()->y, 100);
}

TEST_F(dictionary_view_test, ScrollingMovesByTenthsWithinTheRange) {
    open_at(u"lal");
    view->vertical_scroll(scroll_request::line_down);
    EXPECT_EQ(view->scroll_pos, 346);
    view->vertical_scroll(scroll_request::page_up);
    EXPECT_EQ(view->scroll_pos, 300);
    view->vertical_scroll(scroll_request::thumb_track, 5);
    EXPECT_EQ(view->scroll_pos, 300);
    view->vertical_scroll(scroll_request::thumb_position, 440);
    view->vertical_scroll(scroll_request::page_down);
    EXPECT_EQ(view->scroll_pos, 460);
    view->vertical_scroll(scroll_request::line_down);
    EXPECT_EQ(view->scroll_pos, 460);
    view->vertical_scroll(scroll_request::thumb_position, 10);
    view->vertical_scroll(scroll_request::line_up);
    EXPECT_EQ(view->scroll_pos, 0);
    EXPECT_EQ(surface.bar_position, 0);

    // Content shorter than the window: the range is negative and requests do nothing.
    view->content_bottom = 100;
    view->vertical_scroll(scroll_request::line_down);
    EXPECT_EQ(view->scroll_pos, 0);
}

TEST_F(dictionary_view_test, ResizeBeforeTheFirstPaintCancelsTheRecentring) {
    lex->open_dictionary_page(u"lak");
    view->recentre_pending = true;
    lex->requested_headword = u"zzz";
    view->size_changed();
    EXPECT_FALSE(view->recentre_pending);
    paint();
    EXPECT_TRUE(blue_texts().empty());
    EXPECT_EQ(view->scroll_pos, 0);
}

TEST_F(dictionary_view_test, RecentringWithoutTheRequestedRowShowsThePageLower) {
    lex->open_dictionary_page(u"lab");
    lex->dictionary_page.resize(10); // a page of five rows
    view->recentre_pending = true;
    lex->requested_headword = u"nothing";
    paint();
    EXPECT_EQ(view->scroll_pos, -100);
}

TEST_F(dictionary_view_test, PagingBackwardFirstReturnsToTheTop) {
    open_at(u"lal");
    const std::u16string first = lex->page_first_headword;
    view->page_backward();
    EXPECT_EQ(view->scroll_pos, 0);
    EXPECT_EQ(lex->page_first_headword, first);
    view->page_forward();
    const std::u16string forward = lex->page_first_headword;
    EXPECT_NE(forward, first);
    view->page_backward();
    EXPECT_EQ(lex->page_first_headword, first);
    EXPECT_GE(surface.invalidations, 3);
}

TEST_F(dictionary_view_test, GotoAcceptsBetaCodeAndUnicodeGreek) {
    lex->open_dictionary_page(u"la");
    ui.reply_to_text_dialog(u"lam");
    view->goto_lemma();
    EXPECT_EQ(lex->dictionary_page[20], u"lam");

    lex->open_dictionary_page(u"la");
    ui.reply_to_text_dialog(document->converter.to_unicode(u"lan "));
    view->goto_lemma();
    EXPECT_EQ(lex->dictionary_page[20], u"lan");

    // Accented as a Greek keyboard types it (tonos), decomposed, and mixed with Beta Code: the
    // accent does not move the page, as the alphabetical order ignores it.
    for (const std::u16string typed :
         {u"\u03BB\u03AC\u03BC", u"\u03BB\u03B1\u0301\u03BC ", u"la/\u03BC", u"LA/M"}) {
        lex->open_dictionary_page(u"la");
        ui.reply_to_text_dialog(typed);
        view->goto_lemma();
        EXPECT_EQ(lex->dictionary_page[20], u"lam");
    }

    const std::vector<std::u16string> before = lex->dictionary_page;
    ui.reply_to_text_dialog(std::nullopt);
    view->goto_lemma();
    ui.reply_to_text_dialog(u"   ");
    view->goto_lemma();
    EXPECT_EQ(lex->dictionary_page, before);
    EXPECT_EQ(lex->requested_headword, u"");
}

TEST_F(dictionary_view_test, LemmaWithoutADefinitionOpensAtItsAlphabeticalNeighbour) {
    // "lbdx" has no entry: the page opens at "lbd", where it would stand, not at the index's start.
    lookup->analyses = {u"N", u"lbdx", u"0", u" nom"};
    paint_lookup();
    ASSERT_EQ(lookup->lemma_boxes().size(), 1u);
    const platform::rect box = lookup->lemma_boxes()[0];
    lookup->click(box.left + 1, box.top + 1);
    ASSERT_EQ(lex->dictionary_page.size(), 40u);
    EXPECT_EQ(lex->dictionary_page[20], u"lbd");
    EXPECT_EQ(lex->page_first_headword, u"las");
    EXPECT_EQ(lex->requested_headword, u"lbdx");
}

TEST_F(dictionary_view_test, CloseSavesTheGeometryThatTheNextOpeningRestores) {
    EXPECT_EQ(surface.rect, (platform::rect{100, 50, 700, 450})); // nothing saved yet
    surface.rect = {-20, 30, 480, 330};
    view->close();
    EXPECT_TRUE(surface.destroyed);
    const auto value = [&](std::u16string_view name) {
        return settings.value_of(dictionary_view::settings_key, name);
    };
    EXPECT_EQ(value(u"DictViewX"), platform::memory_settings_store::value(std::uint32_t(-20)));
    EXPECT_EQ(value(u"DictViewHeight"), platform::memory_settings_store::value(300u));

    recording_surface next;
    view->attach(&next);
    view->initialise();
    EXPECT_EQ(next.rect, (platform::rect{-20, 30, 480, 330}));
}

TEST_F(dictionary_view_test, OddSavedGeometryIsIgnored) {
    settings.write_text(dictionary_view::settings_key, u"DictViewX", u"left");
    view->restore_geometry();
    EXPECT_EQ(surface.rect, (platform::rect{100, 50, 700, 450}));

    auto key = settings.open_key(dictionary_view::settings_key);
    key->write_dword(u"DictViewX", 10);
    key->write_dword(u"DictViewY", 10);
    key->write_dword(u"DictViewWidth", 0);
    key->write_dword(u"DictViewHeight", 0xFFFFFFFF);
    view->restore_geometry();
    EXPECT_EQ(surface.rect, (platform::rect{100, 50, 700, 450}));

    settings.set_available(false);
    view->save_geometry();
    view->restore_geometry();
    EXPECT_EQ(surface.rect, (platform::rect{100, 50, 700, 450}));
}

TEST_F(dictionary_view_test, NothingIsPaintedWhileThePassageLoads) {
    lex->open_dictionary_page(u"la");
    document->loading = true;
    paint();
    EXPECT_TRUE(dc.texts().empty());
}

} // namespace
} // namespace veso::testing
