#include "views/dictionary_view.h"

#include "greek/typed_greek.h"
#include "lexicon/lexicon.h"
#include "library/mydoc.h"
#include "views/marked_text.h"
#include "views/view_fonts.h"

#include <algorithm>

namespace veso {

namespace {

constexpr std::u16string_view value_x = u"DictViewX";
constexpr std::u16string_view value_y = u"DictViewY";
constexpr std::u16string_view value_width = u"DictViewWidth";
constexpr std::u16string_view value_height = u"DictViewHeight";
// A saved size outside this range is not a window anyone could use: it is ignored.
constexpr int largest_saved_extent = 16384;

constexpr platform::colour_ref black = platform::make_colour(0, 0, 0);
constexpr platform::colour_ref blue = platform::make_colour(0, 0, 255);

} // namespace

struct dictionary_view::fonts : view_fonts {
    using view_fonts::view_fonts;
};

dictionary_view::dictionary_view(lexicon& lex, platform::font_factory& font_factory,
                                 platform::settings_store* settings, platform::ui_services& ui)
    : lexicon_(lex), font_factory_(font_factory), settings_(settings), ui_(ui),
      fonts_(std::make_unique<fonts>(font_factory, font_height)) {}

dictionary_view::~dictionary_view() = default;

const betaconverter& dictionary_view::converter() const {
    return document != nullptr ? document->converter : lexicon_.greek_converter();
}

wide_string dictionary_view::display_form(const wide_string& beta) const {
    return converter().to_unicode_word(beta);
}

void dictionary_view::initialise() {
    restore_geometry();
    scroll_pos = 0;
}

int dictionary_view::scroll_max() const {
    const int height = surface_ != nullptr ? surface_->layout_size().height : 0;
    return content_bottom - height + recentre_offset;
}

void dictionary_view::paint(platform::device_context& dc) {
    if (document != nullptr && document->loading)
        return;
    dc.set_text_justification(0, 0);
    dc.set_text_colour(black);
    dc.select_font(*fonts_->normal);
    const wide_string title = converter().to_unicode(lexicon_.page_first_headword + u" ") +
                              u"  -   " +
                              converter().to_unicode(lexicon_.page_last_headword + u" ");
    dc.text_out(left_margin, title_y - scroll_pos, title);

    const int window_width = surface_ != nullptr ? surface_->layout_size().width : 0;
    platform::rect area{left_margin, entries_top - scroll_pos, window_width - 30, 0};
    int highlight_y = 0;
    const marked_text_fonts marked{fonts_->normal.get(), fonts_->italic.get(), fonts_->bold.get()};
    const std::vector<wide_string>& page = lexicon_.dictionary_page;
    for (std::size_t k = 0; 2 * k < page.size(); ++k) {
        const wide_string& headword = page[2 * k];
        const bool highlighted = headword == lexicon_.requested_headword ||
                                 (recentre_pending && 2 * k + 1 == requested_row_index);
        if (highlighted) {
            highlight_y = area.top;
            dc.set_text_colour(blue);
        }
        const wide_string shown = display_form(headword);
        dc.select_font(*fonts_->underline);
        dc.text_out(area.left, area.top, shown);
        const int headword_width = dc.text_extent(shown).width;
        dc.select_font(*fonts_->normal);
        dc.text_out(area.left + headword_width, area.top, u": ");
        const int colon_width = dc.text_extent(u": ").width;

        area.left += headword_width + colon_width;
        const wide_string_view definition =
            2 * k + 1 < page.size() ? wide_string_view(page[2 * k + 1]) : wide_string_view();
        const int last_line = draw_marked_text(dc, definition, area, marked, continuation_margin);
        area.left = left_margin;
        area.top = last_line + entry_gap;
        if (highlighted)
            dc.set_text_colour(black);
    }

    if (recentre_pending) {
        content_bottom = area.top;
        const int max = scroll_max();
        if (surface_ != nullptr)
            surface_->set_scroll_range(max, max / 10);
        recentre_pending = false;
        scroll_pos = highlight_y - recentre_offset;
        if (surface_ != nullptr) {
            surface_->set_scroll_position(scroll_pos);
            surface_->scroll_contents(-scroll_pos);
        }
    }
}

wide_string dictionary_view::plain_text() const {
    wide_string text;
    const std::vector<wide_string>& page = lexicon_.dictionary_page;
    for (std::size_t k = 0; 2 * k < page.size(); ++k) {
        if (!text.empty())
            text += u"\n\n";
        text += display_form(page[2 * k]) + u": ";
        if (2 * k + 1 < page.size())
            text += plain_marked_text(page[2 * k + 1]);
    }
    return text;
}

void dictionary_view::size_changed() {
    const int max = scroll_max();
    recentre_pending = false;
    if (surface_ == nullptr)
        return;
    surface_->set_scroll_range(max, max / 10);
    surface_->set_scroll_position(scroll_pos);
    surface_->scroll_contents(-scroll_pos);
    surface_->invalidate(true);
}

void dictionary_view::vertical_scroll(scroll_request request, int thumb_position) {
    const int max = scroll_max();
    const int step = max / 10;
    int target = scroll_pos;
    switch (request) {
    case scroll_request::line_up:
    case scroll_request::page_up:
        // A bar that cannot scroll is disabled; its requests move nothing.
        if (scroll_pos > 0 && step > 0)
            target -= std::min(step, scroll_pos);
        break;
    case scroll_request::line_down:
    case scroll_request::page_down:
        if (scroll_pos < max && step > 0)
            target += std::min(step, max - scroll_pos);
        break;
    case scroll_request::thumb_position:
        target = thumb_position;
        break;
    case scroll_request::thumb_track:
    case scroll_request::top:
    case scroll_request::bottom:
    case scroll_request::end_scroll:
        break;
    }
    set_scroll(target);
}

void dictionary_view::set_scroll(int new_pos) {
    if (new_pos == scroll_pos)
        return;
    const int change = new_pos - scroll_pos;
    scroll_pos = new_pos;
    if (surface_ != nullptr) {
        surface_->set_scroll_position(scroll_pos);
        surface_->scroll_contents(-change);
    }
}

void dictionary_view::close() {
    save_geometry();
    if (surface_ != nullptr)
        surface_->destroy_window();
}

void dictionary_view::page_forward() {
    if (scroll_pos != 0) {
        scroll_pos = 0;
        if (surface_ != nullptr) {
            surface_->set_scroll_position(0);
            surface_->invalidate(false);
        }
    }
    lexicon_.next_dictionary_page();
    if (surface_ != nullptr)
        surface_->invalidate(true);
}

void dictionary_view::page_backward() {
    if (scroll_pos != 0) {
        scroll_pos = 0;
        if (surface_ != nullptr)
            surface_->set_scroll_position(0);
    } else {
        lexicon_.previous_dictionary_page();
    }
    if (surface_ != nullptr)
        surface_->invalidate(true);
}

void dictionary_view::goto_lemma() {
    const std::optional<std::u16string> typed =
        ui_.run_text_dialog(platform::text_dialog::goto_dictionary);
    if (typed)
        goto_text(*typed);
}

void dictionary_view::goto_text(const wide_string& typed) {
    const wide_string lemma = typed_to_betacode(converter(), typed);
    if (lemma.empty())
        return;
    lexicon_.open_dictionary_page(lexicon_.dictionary_neighbours(lemma)[0]);
    if (surface_ != nullptr)
        surface_->invalidate(true);
}

void dictionary_view::restore_geometry() {
    if (settings_ == nullptr || surface_ == nullptr)
        return;
    const std::unique_ptr<platform::settings_key> key = settings_->open_key(settings_key);
    if (!key || key->type_of(value_x) != platform::value_type::dword)
        return;
    const auto x = key->read_dword(value_x);
    const auto y = key->read_dword(value_y);
    const auto width = key->read_dword(value_width);
    const auto height = key->read_dword(value_height);
    if (!x || !y || !width || !height)
        return;
    const int w = static_cast<int>(*width);
    const int h = static_cast<int>(*height);
    if (w <= 0 || h <= 0 || w > largest_saved_extent || h > largest_saved_extent)
        return;
    const int left = static_cast<int>(*x);
    const int top = static_cast<int>(*y);
    if (left < -largest_saved_extent || left > largest_saved_extent ||
        top < -largest_saved_extent || top > largest_saved_extent)
        return;
    surface_->move_window({left, top, left + w, top + h});
}

void dictionary_view::save_geometry() {
    if (settings_ == nullptr || surface_ == nullptr)
        return;
    const std::unique_ptr<platform::settings_key> key = settings_->open_key(settings_key);
    if (!key)
        return;
    const platform::rect r = surface_->window_rect();
    key->write_dword(value_x, static_cast<std::uint32_t>(r.left));
    key->write_dword(value_y, static_cast<std::uint32_t>(r.top));
    key->write_dword(value_width, static_cast<std::uint32_t>(r.width()));
    key->write_dword(value_height, static_cast<std::uint32_t>(r.height()));
}

} // namespace veso
