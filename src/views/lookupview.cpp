#include "views/lookupview.h"

#include "lexicon/lexicon.h"
#include "library/mydoc.h"
#include "views/dictionary_view.h"
#include "views/textview.h"
#include "views/view_fonts.h"

#include <algorithm>

namespace veso {

namespace {

constexpr std::u16string_view full_definition_link = u"click to see full definition";
constexpr int top_line_y = 5;
constexpr int top_line_bottom = 40;

} // namespace

struct lookupview::fonts : view_fonts {
    using view_fonts::view_fonts;
};

lookupview::lookupview(mydoc& document, lexicon& lex, const textview& text,
                       platform::font_factory& font_factory)
    : document_(document), lexicon_(lex), text_(text), font_factory_(font_factory),
      fonts_(std::make_unique<fonts>(font_factory, font_height)) {}

lookupview::~lookupview() = default;

wide_string lookupview::display_form(const wide_string& beta) const {
    return document_.converter.to_unicode_word(beta);
}

void lookupview::clear() {
    definitions.clear();
    analyses.clear();
    current_word.clear();
    previous_word = u"?";
    next_word = u"?";
}

int lookupview::paint(platform::device_context& dc, platform::text_size window_size) {
    const int w = window_size.width - 10;
    previous_box_ = {};
    next_box_ = {};
    centre_box_ = {};
    dc.set_text_justification(0, 0);
    dc.set_text_colour(platform::make_colour(0, 0, 0));

    if (previous_word != u"?") {
        dc.select_font(*fonts_->underline);
        const wide_string left_word = display_form(previous_word);
        const wide_string right_word = display_form(next_word);
        const platform::text_size l = dc.text_extent(left_word);
        const platform::text_size r = dc.text_extent(right_word);
        const int room = w - l.width - r.width - 20;
        if (room > 0) {
            dc.text_out(5, top_line_y, left_word);
            previous_box_ = {5, 5 + l.width};
            dc.text_out(w - r.width - 5, top_line_y, right_word);
            next_box_ = {w - r.width - 5, w - 5};
        }
        dc.select_font(*fonts_->normal);
        const wide_string centre_word = display_form(current_word);
        const platform::text_size c = dc.text_extent(centre_word);
        if (room - c.width - 10 > 0) {
            const int middle = previous_box_.right + (next_box_.left - previous_box_.right) / 2;
            const int x = middle - c.width / 2;
            dc.text_out(x, top_line_y, centre_word);
            centre_box_ = {x, middle + c.width / 2};
        }
    }

    dc.select_font(*fonts_->normal);
    const int analyses_bottom =
        analyses.empty() ? 0 : draw_analyses(dc, analyses_left, analyses_top);
    definitions_top_ = analyses_bottom + 10;

    int y_next = 0;
    for (const wide_string& definition : definitions) {
        const int top = y_next == 0 ? analyses_bottom + 10 : y_next + line_pitch;
        const platform::rect area{analyses_left, top, window_size.width - 30, top};
        y_next = draw_marked_text(dc, definition, area, fonts_->marked()) + line_pitch;
        if (lexicon_.definition_truncated) {
            dc.select_font(*fonts_->underline);
            dc.text_out(analyses_left, y_next, full_definition_link);
            dc.select_font(*fonts_->normal);
        }
        y_next += line_pitch;
    }
    return std::max(y_next + 30, analyses_bottom + 30);
}

int lookupview::draw_analyses(platform::device_context& dc, int left, int top) {
    lemma_boxes_.clear();
    int dy = 0;
    for (std::size_t k = 0; 4 * k + 3 < analyses.size(); ++k) {
        const wide_string& marker = analyses[4 * k];
        const wide_string& lemma = analyses[4 * k + 1];
        const wide_string& count = analyses[4 * k + 2];
        const wide_string& description = analyses[4 * k + 3];

        const wide_string opening = marker + u" " + description + u" ";
        dc.text_out(left, top + dy, opening);
        const platform::text_size p = dc.text_extent(opening);

        dc.select_font(*fonts_->underline);
        const wide_string shown_lemma = display_form(lemma);
        dc.text_out(left + p.width, top + dy, shown_lemma);
        const platform::text_size l = dc.text_extent(shown_lemma);
        const platform::rect box{left + p.width, top + dy, left + p.width + l.width,
                                 top + dy + l.height};
        lemma_boxes_.push_back(box);

        dc.select_font(*fonts_->normal);
        dc.text_out(box.right, top + dy, u" (" + count + u")");
        dy += line_pitch;
    }
    return top + dy;
}

void lookupview::click(int x, int y) {
    if (y > definitions_top_) {
        expand_definitions();
        return;
    }
    const bool on_previous = previous_box_.left <= x && x <= previous_box_.right;
    const bool on_next = next_box_.left <= x && x <= next_box_.right;
    if (on_previous && y < top_line_bottom) {
        refill_for_word(previous_word);
        return;
    }
    if (!(on_next && y < top_line_bottom)) {
        if (lexicon_.alphabetical_index_size() == 0)
            return;
        for (std::size_t k = 0; k < lemma_boxes_.size() && 4 * k + 1 < analyses.size(); ++k) {
            const platform::rect& box = lemma_boxes_[k];
            if (box.left <= x && x <= box.right && box.top <= y && y <= box.bottom) {
                // Copied: opening the window may end up refilling this view.
                const wide_string lemma = analyses[4 * k + 1];
                open_dictionary_at(lemma);
            }
        }
        return;
    }
    refill_for_word(next_word);
}

void lookupview::expand_definitions() {
    definitions.clear();
    lexicon_.definition_truncated = false;
    wide_string last_lemma;
    for (std::size_t i = 1; i < analyses.size(); i += 4) {
        if (analyses[i] != last_lemma) {
            definitions.push_back(lexicon_.definition_of(analyses[i]));
            last_lemma = analyses[i];
        }
    }
    invalidate_(true);
}

void lookupview::fill_short_definitions() {
    definitions.clear();
    wide_string last_lemma;
    for (std::size_t i = 1; i < analyses.size(); i += 4) {
        if (analyses[i] != last_lemma) {
            definitions.push_back(lexicon_.short_definition_of(analyses[i]));
            last_lemma = analyses[i];
        }
    }
}

void lookupview::refill_for_word(const wide_string& word) {
    definitions.clear();
    // Copied: word may be one of this view's own members.
    current_word = wide_string(word);
    const std::array<wide_string, 3> analysed = lexicon_.analyse_word(current_word, false);
    previous_word = analysed[1];
    next_word = analysed[2];
    analyses = text_.analyses_for_word(analysed[0]);
    fill_short_definitions();
    invalidate_(true);
}

bool lookupview::open_first_lemma() {
    if (analyses.size() < 2 || analyses[1] == u"?" || lexicon_.alphabetical_index_size() == 0)
        return false;
    const wide_string lemma = analyses[1];
    open_dictionary_at(lemma);
    return true;
}

wide_string lookupview::plain_text() const {
    wide_string text;
    if (previous_word != u"?") {
        text += display_form(previous_word) + u"   " + display_form(current_word) + u"   " +
                display_form(next_word) + u"\n";
    }
    for (std::size_t k = 0; 4 * k + 3 < analyses.size(); ++k) {
        wide_string description = analyses[4 * k + 3];
        while (!description.empty() && description.front() == u' ')
            description.erase(0, 1);
        while (!description.empty() && description.back() == u' ')
            description.pop_back();
        text += analyses[4 * k] + u" " + description + u" " + display_form(analyses[4 * k + 1]) +
                u" (" + analyses[4 * k + 2] + u")\n";
    }
    for (const wide_string& definition : definitions) {
        const wide_string shown = plain_marked_text(definition);
        if (!shown.empty())
            text += u"\n" + shown + u"\n";
    }
    while (!text.empty() && text.back() == u'\n')
        text.pop_back();
    return text;
}

void lookupview::open_dictionary_at(const wide_string& lemma) {
    if (dictionary_host_ != nullptr)
        dictionary_host_->destroy_dictionary_window();
    if (lexicon_.short_definition_of(lemma).empty())
        lexicon_.open_dictionary_page(lexicon_.dictionary_neighbours(lemma)[0]);
    else
        lexicon_.open_dictionary_page(lemma);
    if (dictionary_host_ == nullptr) {
        lexicon_.requested_headword = lemma;
        return;
    }
    dictionary_view& window = dictionary_host_->create_dictionary_window();
    window.document = &document_;
    window.recentre_pending = true;
    lexicon_.requested_headword = lemma;
    window.restore_geometry();
    dictionary_host_->show_dictionary_window();
}

} // namespace veso
