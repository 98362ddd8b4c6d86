#include "views/textview.h"

#include "colours/colour_table.h"
#include "lexicon/lexicon.h"
#include "lexicon/string_edits.h"
#include "library/catalogue_tree.h"
#include "library/mydoc.h"
#include "views/lookupview.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace veso {

namespace {

constexpr char16_t carriage_return = u'\r';
constexpr char16_t bold_on = u'\u00B2';
constexpr char16_t bold_off = u'\u00B3';

// The start picture's click rectangles (bounds included), in the order they are tested; the
// index is the genre's place in the tree.
struct genre_rectangle {
    int x_from, x_to, y_from, y_to, genre;
};
constexpr std::array<genre_rectangle, 6> genre_rectangles{{
    {150, 296, 37, 145, 0},
    {323, 484, 89, 247, 1},
    {314, 439, 261, 406, 2},
    {163, 283, 200, 380, 3},
    {30, 144, 264, 408, 4},
    {12, 131, 86, 244, 5},
}};
constexpr int genres_on_start_picture = 6;

std::optional<ColourCategory> category_of_code(char16_t code) {
    switch (code) {
    case u'N':
    case u'E':
        return ColourCategory::NounDefault;
    case u'1':
        return ColourCategory::NounNominative;
    case u'2':
        return ColourCategory::NounGenitive;
    case u'3':
        return ColourCategory::NounDative;
    case u'4':
        return ColourCategory::NounAccusative;
    case u'5':
        return ColourCategory::NounAblative;
    case u'P':
        return ColourCategory::PartDefault;
    case u'6':
        return ColourCategory::PartNominative;
    case u'7':
        return ColourCategory::PartGenitive;
    case u'8':
        return ColourCategory::PartDative;
    case u'9':
        return ColourCategory::PartAccusative;
    case u'0':
        return ColourCategory::PartAblative;
    case u'V':
        return ColourCategory::VerbDefault;
    case u'Q':
        return ColourCategory::VerbActive;
    case u'R':
        return ColourCategory::VerbMiddle;
    case u'W':
        return ColourCategory::VerbMiddlePassive;
    case u'T':
        return ColourCategory::VerbPassive;
    default:
        return std::nullopt;
    }
}

// Case codes of nouns and participles, tested in this order against the description.
struct case_code_entry {
    std::u16string_view needle;
    char16_t noun;
    char16_t participle;
};
constexpr std::array<case_code_entry, 6> case_codes{{
    {u" abl ", u'5', u'0'},
    {u" acc ", u'4', u'9'},
    {u" dat ", u'3', u'8'},
    {u" gen ", u'2', u'7'},
    {u" nom ", u'1', u'6'},
    {u" nom/voc ", u'1', u'6'},
}};

struct voice_code_entry {
    std::u16string_view needle;
    char16_t code;
};
constexpr std::array<voice_code_entry, 4> voice_codes{{
    {u"act", u'Q'},
    {u"mp", u'W'},
    {u"mid", u'R'},
    {u"pass", u'T'},
}};

constexpr char16_t no_colour_code = u'\0';

bool contains(const wide_string& text, std::u16string_view needle) {
    return text.find(needle) != wide_string::npos;
}

} // namespace

struct textview::fonts {
    std::unique_ptr<platform::font> normal;
    std::unique_ptr<platform::font> bold;
};

textview::textview(mydoc& document, lexicon& lex, const ColourTable& colours,
                   platform::font_factory& font_factory)
    : document_(document), lexicon_(lex), colours_(colours), font_factory_(font_factory),
      fonts_(std::make_unique<fonts>()) {
    platform::font_description description;
    description.height = 25;
    fonts_->normal = font_factory_.create_font(description);
    description.weight = 700;
    fonts_->bold = font_factory_.create_font(description);
}

textview::~textview() = default;

void textview::set_catalogue(platform::tree_control* tree,
                             std::function<platform::tree_item(int)> genre_item) {
    tree_ = tree;
    genre_item_ = std::move(genre_item);
}

void textview::set_catalogue(platform::tree_control& tree, const catalogue_tree& catalogue) {
    set_catalogue(&tree, [&catalogue](int genre) { return catalogue.genre_item(genre); });
}

void textview::clear_boxes() {
    word_keys_.clear();
    word_tops_.clear();
    word_bottoms_.clear();
    word_lefts_.clear();
    word_rights_.clear();
    word_spans_.clear();
}

void textview::restart_layout(bool invalidate) {
    clear_boxes();
    lines_.clear();
    pending_position_.reset();
    marked_word_ = -1;
    clicked_start_.reset();
    if (cursor_.visible())
        cursor_.place(0);
    if (invalidate)
        invalidate_(true);
}

char16_t textview::unit(std::int32_t position) const {
    if (position < 0 || position >= mydoc::text_capacity)
        return u'\0';
    return document_.text[static_cast<std::size_t>(position)];
}

std::u16string_view textview::units(std::int32_t from, std::int32_t to) const {
    from = std::clamp<std::int32_t>(from, 0, mydoc::text_capacity);
    to = std::clamp<std::int32_t>(to, from, mydoc::text_capacity);
    return {document_.text.data() + from, static_cast<std::size_t>(to - from)};
}

void textview::paint(platform::device_context& dc, platform::text_size window_size) {
    // Refreshed first, so that the first page of a new author is coloured with its counts.
    author_number_ = document_.author_number;
    const platform::rect area{margin_x, margin_y, window_size.width - margin_x,
                              window_size.height - margin_y};
    if (document_.text_length == 0 || document_.loading) {
        paint_start_picture(dc);
        return;
    }
    dc.set_text_justification(0, 0);
    dc.set_text_colour(platform::make_colour(0, 0, 0));
    dc.select_font(*fonts_->normal);
    if (pending_position_) {
        settle_on_page_containing(dc, area, *pending_position_);
        pending_position_.reset();
    }
    lay_out_page(dc, area);
    paint_lines(dc, area);
    dc.set_text_justification(0, 0);
    dc.select_font(*fonts_->normal);
    paint_cursor(dc);
}

void textview::settle_on_page_containing(platform::device_context& dc, const platform::rect& area,
                                         std::int32_t position) {
    const std::int32_t section_start = document_.section_start();
    // The work's start lies before the section after a Goto to line 0: it is shown on its own.
    std::int32_t start = position == 0 ? 0 : section_start;
    std::vector<std::int32_t> starts{start};
    // Pages as paging forward would lay them out, up to the one holding the position.
    while (start < position) {
        document_.page_start = start;
        lay_out_page(dc, area);
        const std::int32_t next = lines_.empty() ? start : lines_.back().end;
        if (next <= start || next > position || unit(next) == u'\0' ||
            next >= document_.section_end || document_.past_section_end)
            break;
        starts.push_back(next);
        start = next;
    }
    document_.page_start = starts.back();
    document_.page_starts = std::move(starts);
}

void textview::paint_cursor(platform::device_context& dc) {
    cursor_.fit(word_keys_.size());
    if (const auto index = cursor_.index()) {
        dc.draw_frame(
            {word_lefts_[*index], word_tops_[*index], word_rights_[*index], word_bottoms_[*index]},
            cursor_colour);
    }
}

void textview::paint_start_picture(platform::device_context& dc) {
    dc.draw_picture(platform::picture_id::start_page, picture_x, picture_y);
}

void textview::lay_out_page(platform::device_context& dc, const platform::rect& area) {
    clear_boxes();
    lines_.clear();
    const int available = area.right - area.left;
    const int bottom = area.bottom;
    const std::int32_t section_end = document_.section_end;
    document_.past_section_end = false;

    std::int32_t p = document_.page_start;
    int y = 0;
    platform::text_size measured{};
    while (true) {
        while (unit(p) == u' ' || unit(p) == carriage_return)
            ++p;
        const std::int32_t line_start = p;
        int word_count = 0;
        int line_width = 0;
        std::int32_t q0 = p;
        int w0 = measured.width;
        bool full = false;
        bool ended_by_itself = false;
        bool crossed_section_end = false;
        while (true) {
            q0 = p;
            w0 = measured.width;
            while (true) {
                const char16_t c = unit(p);
                if (c == u'\0' || c == carriage_return || p >= mydoc::text_capacity)
                    break;
                ++p;
                if (c == u' ')
                    break;
            }
            // The line's width is the sum of its words' widths, as painting places them; this
            // also spares measuring the line again from its start for every word.
            const platform::text_size word = dc.text_extent(units(q0, p));
            line_width += word.width;
            measured = {line_width, word.height};
            ++word_count;
            const char16_t c = unit(p);
            if (c == u'\0' || c == carriage_return || p > section_end) {
                if (p > section_end) {
                    p = q0;
                    measured.width = w0;
                    crossed_section_end = true;
                }
                ended_by_itself = true;
                break;
            }
            if (measured.width >= available) {
                full = true;
                break;
            }
        }
        if (full || (ended_by_itself && measured.width > available))
            p = q0;

        line laid_out;
        if (p == line_start && !crossed_section_end && word_end(line_start) > line_start) {
            // Not even one word fits: break it at the pane's edge, always moving on by at least
            // one character so that paging ends.
            p = break_position(dc, line_start, available);
            laid_out.end = p;
            laid_out.broken = true;
        } else if (p == line_start) {
            ++p;
            laid_out.end = p + 1;
        } else {
            --word_count;
            while (unit(p - 1) == u' ' && p - 1 > line_start) {
                --p;
                --word_count;
            }
            laid_out.stretch = measured.width > available ? available - w0 : 0;
            laid_out.break_count = word_count;
            laid_out.end = p + 1;
        }
        lines_.push_back(laid_out);
        y += line_pitch;

        if (p > section_end) {
            document_.past_section_end = true;
            break;
        }
        if (unit(p) == u'\0' || y + measured.height >= bottom || !(p < section_end))
            break;
    }
}

std::int32_t textview::break_position(platform::device_context& dc, std::int32_t line_start,
                                      int available) const {
    const std::int32_t last = word_end(line_start);
    std::int32_t end = line_start + 1;
    while (end < last && dc.text_extent(units(line_start, end + 1)).width <= available)
        ++end;
    return end;
}

std::int32_t textview::word_end(std::int32_t start) const {
    std::int32_t end = start;
    while (end < mydoc::text_capacity) {
        const char16_t c = unit(end);
        if (c == u'\0' || c == u' ' || c == carriage_return)
            break;
        ++end;
    }
    return end;
}

void textview::paint_lines(platform::device_context& dc, const platform::rect& area) {
    std::int32_t q = document_.page_start;
    int y = 0;
    for (const line& laid_out : lines_) {
        if (laid_out.stretch > 0)
            dc.set_text_justification(laid_out.stretch, laid_out.break_count);
        else
            dc.set_text_justification(0, 0);
        int x = 0;
        while (q < laid_out.end && (unit(q) == u' ' || unit(q) == carriage_return))
            ++q;
        std::int32_t word_start = q;
        for (; q < laid_out.end; ++q) {
            const char16_t c = unit(q);
            if (c == u' ') {
                x += paint_word(dc, word_start, q, true, area.left + x, area.top + y);
                word_start = q + 1;
            } else if (c == carriage_return || c == u'\0') {
                // The text's final zero unit ends its last word as a carriage return does.
                if (c == carriage_return || word_start < q)
                    x += paint_word(dc, word_start, q, false, area.left + x, area.top + y);
                word_start = q + 1;
            }
        }
        if (laid_out.broken && word_start < q)
            paint_word(dc, word_start, q, false, area.left + x, area.top + y);
        y += line_pitch;
    }
    dc.set_text_justification(0, 0);
    document_.next_page_start = q;
}

int textview::paint_word(platform::device_context& dc, std::int32_t start, std::int32_t end,
                         bool ended_by_space, int x, int y) {
    std::u16string_view word = units(start, end);
    const bool opens_bold = !word.empty() && word.front() == bold_on;
    // Bold runs are speakers' names and headings: labels, not words of the text, so they are
    // neither coloured nor looked up (the lexicon builder leaves them out as well).
    const bool label = opens_bold || dc.selected_font() == fonts_->bold.get();
    const wide_string key = label ? wide_string() : key_of_word_at(start);
    dc.set_text_colour(label ? platform::make_colour(0, 0, 0) : colour_of_key(key));

    if (opens_bold) {
        word.remove_prefix(1);
        dc.select_font(*fonts_->bold);
    }
    const bool closes_bold = !word.empty() && word.back() == bold_off;
    if (closes_bold)
        word.remove_suffix(1);
    if (start == marked_word_) {
        const platform::text_size box = dc.text_extent(word);
        dc.fill_rectangle({x, y, x + box.width, y + box.height}, marked_word_colour);
    }

    platform::text_size size;
    const auto draw = [&](std::u16string_view text) {
        const platform::text_size piece = dc.text_extent(text);
        dc.text_out(x + size.width, y, text);
        size.width += piece.width;
        size.height = std::max(size.height, piece.height);
    };
    if (!ended_by_space) {
        draw(word);
        if (closes_bold)
            dc.select_font(*fonts_->normal);
    } else if (!closes_bold) {
        draw(units(end - static_cast<std::int32_t>(word.size()), end + 1));
    } else if (!opens_bold) {
        draw(word);
        draw(u" ");
        dc.select_font(*fonts_->normal);
    } else {
        draw(word);
        dc.select_font(*fonts_->normal);
        draw(u" ");
    }
    word_keys_.push_back(key);
    word_tops_.push_back(y);
    word_bottoms_.push_back(y + size.height);
    word_lefts_.push_back(x);
    word_rights_.push_back(x + size.width);
    word_spans_.push_back({start, end});
    return size.width;
}

wide_string textview::key_of_word_at(std::int32_t position) const {
    // A piece of a word broken at the pane's edge carries the whole word's key: look back for the
    // word's start. Further back than the key search reaches, the key would be empty anyway.
    std::int32_t start = position;
    for (int back = 0; start > 0; ++back, --start) {
        const char16_t before = unit(start - 1);
        if (before == u' ' || before == carriage_return || before == u'\0')
            break;
        if (back == key_search_limit)
            return {};
    }
    return document_.converter.to_betacode(word_at(start));
}

wide_string textview::word_at(std::int32_t start) const {
    if (unit(start) == u' ')
        ++start;
    for (int n = 0; n < key_search_limit; ++n) {
        const char16_t c = unit(start + n);
        if (c == u' ' || c == carriage_return || c == bold_off) {
            if (n > 0)
                return wide_string(units(start, start + n + 1));
            break;
        }
    }
    return {};
}

platform::colour_ref textview::colour_of_key(const wide_string& key) const {
    char16_t code = no_colour_code;
    if (colour_by_class) {
        const wide_string analysis = lexicon_.analysis_of(key);
        code = analysis.empty() ? no_colour_code : analysis.front();
    } else if (colour_by_case) {
        code = case_code(key);
    } else {
        return platform::make_colour(0, 0, 0);
    }
    const std::optional<ColourCategory> category = category_of_code(code);
    return category ? colours_.colour_of(*category) : platform::make_colour(0, 0, 0);
}

char16_t textview::case_code(const wide_string& key) const {
    const wide_string analysis = lexicon_.analysis_of(key);
    const std::vector<wide_string> groups = analyses_for_word(analysis);
    if (groups.empty() || groups.front() == u"?")
        return no_colour_code;

    std::size_t best = 0;
    long long best_count = 0;
    bool zero_seen = false;
    for (std::size_t k = 0; 4 * k + 3 < groups.size(); ++k) {
        const wide_string& count = groups[4 * k + 2];
        if (count == u"0") {
            best = 0;
            zero_seen = true;
            continue;
        }
        long long value = 0;
        for (char16_t c : count) {
            if (c < u'0' || c > u'9')
                break;
            value = std::min<long long>(value * 10 + (c - u'0'), 1'000'000'000'000LL);
        }
        if (value > best_count) {
            best_count = value;
            best = k;
        }
    }
    if (best > 0 && zero_seen && best_count < frequent_enough)
        best = 0;

    const wide_string& marker = groups[4 * best];
    const wide_string& description = groups[4 * best + 3];
    const char16_t m = marker.empty() ? no_colour_code : marker.front();
    if (m == u'N' || m == u'E' || m == u'P') {
        for (const case_code_entry& entry : case_codes) {
            if (contains(description, entry.needle))
                return m == u'P' ? entry.participle : entry.noun;
        }
        return m == u'P' ? u'P' : u'N';
    }
    if (m == u'V') {
        for (const voice_code_entry& entry : voice_codes) {
            if (contains(description, entry.needle))
                return entry.code;
        }
        return u'V';
    }
    return m;
}

std::vector<wide_string> textview::analyses_for_word(const wide_string& morphology) const {
    std::vector<wide_string> groups;
    const wide_string& s = morphology;
    std::size_t pos = 0;
    while (true) {
        const std::size_t space = s.find(u' ', pos);
        if (space == wide_string::npos || space == s.size() - 1) {
            groups.insert(groups.end(), 4, u"?");
            return groups;
        }
        groups.emplace_back(1, s[pos]);
        pos = std::min(pos + 2, s.size());
        std::size_t e = s.find(u' ', pos);
        if (e == wide_string::npos)
            e = s.size();
        wide_string lemma;
        for (std::size_t i = pos; i < e; ++i) {
            if (s[i] == u',')
                lemma.clear();
            else
                lemma.push_back(s[i]);
        }
        const int count = lexicon_.frequency_field(lemma, static_cast<unsigned>(author_number_));
        groups.push_back(std::move(lemma));
        const std::string digits = std::to_string(count);
        groups.emplace_back(digits.begin(), digits.end());
        // The description runs to the first control character; without one it reads as empty.
        std::size_t d = e;
        while (d < s.size() && s[d] > 9)
            ++d;
        if (d == s.size())
            d = e;
        groups.push_back(s.substr(e, d - e));
        const std::size_t f = s.find(u'\u0003', d);
        if (f == wide_string::npos)
            return groups;
        pos = f + 1;
    }
}

void textview::click(int x, int y) {
    if (document_.text_length == 0) {
        click_start_picture(x, y);
        return;
    }
    if (const auto index = word_at_point(x, y)) {
        if (cursor_.visible() && cursor_.index() != index) {
            cursor_.place(*index);
            invalidate_(false);
        }
        clicked_start_ = word_spans_[*index].start;
        click_word(*index);
    }
}

std::optional<std::size_t> textview::chosen_word() const {
    if (cursor_.visible())
        return cursor_.index();
    // By place rather than index: a resized pane lays the same words out again.
    for (std::size_t i = 0; clicked_start_ && i < word_spans_.size(); ++i) {
        if (word_spans_[i].start == *clicked_start_)
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> textview::word_at_point(int x, int y) const {
    for (std::size_t i = word_keys_.size(); i-- > 0;) {
        if (word_tops_[i] <= y && y <= word_bottoms_[i] && word_lefts_[i] <= x &&
            x <= word_rights_[i])
            return i;
    }
    return std::nullopt;
}

bool textview::move_cursor(cursor_move move) {
    std::vector<platform::rect> boxes(word_keys_.size());
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = {word_lefts_[i], word_tops_[i], word_rights_[i], word_bottoms_[i]};
    if (!cursor_.move(move, boxes))
        return false;
    invalidate_(false);
    return true;
}

void textview::hide_cursor() {
    if (!cursor_.visible())
        return;
    cursor_.hide();
    invalidate_(false);
}

bool textview::look_up_cursor_word() {
    const auto index = cursor_.index();
    if (!index || *index >= word_keys_.size())
        return false;
    click_word(*index);
    return true;
}

wide_string textview::page_text() const {
    if (document_.text_length == 0 || document_.loading)
        return {};
    std::int32_t from = document_.page_start;
    while (unit(from) == u' ' || unit(from) == carriage_return)
        ++from;
    wide_string text;
    for (std::int32_t p = from; p < document_.next_page_start && unit(p) != u'\0'; ++p) {
        const char16_t c = unit(p);
        if (c == carriage_return)
            text += u'\n';
        else if (c != bold_on && c != bold_off)
            text += c;
    }
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\n'))
        text.pop_back();
    return text;
}

wide_string textview::word_text(std::size_t index) const {
    if (index >= word_spans_.size())
        return {};
    wide_string word;
    for (const char16_t c : units(word_spans_[index].start, word_spans_[index].end)) {
        if (c != bold_on && c != bold_off && c != u' ')
            word += c;
    }
    const auto is_word_character = [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
               (c >= 0x00C0 && c <= 0x024F && c != 0x00D7 && c != 0x00F7) ||
               (c >= 0x0300 && c <= 0x03FF && c != 0x037E && c != 0x0387) ||
               (c >= 0x1F00 && c <= 0x1FFF);
    };
    std::size_t first = 0;
    while (first < word.size() && !is_word_character(word[first]))
        ++first;
    std::size_t last = word.size();
    while (last > first && !is_word_character(word[last - 1]))
        --last;
    // An elided word keeps its elision mark.
    if (last > first && last < word.size() && word[last] == u'\u2019')
        ++last;
    return word.substr(first, last - first);
}

void textview::click_start_picture(int x, int y) {
    if (tree_ == nullptr || !genre_item_)
        return;
    for (int genre = 0; genre < genres_on_start_picture; ++genre) {
        const platform::tree_item item = genre_item_(genre);
        if (item != platform::no_tree_item)
            tree_->collapse(item);
    }
    for (const genre_rectangle& r : genre_rectangles) {
        if (r.x_from <= x && x <= r.x_to && r.y_from <= y && y <= r.y_to) {
            const platform::tree_item item = genre_item_(r.genre);
            if (item != platform::no_tree_item)
                tree_->select(item);
            return;
        }
    }
}

void textview::click_word(std::size_t index) {
    const wide_string& key = word_keys_[index];
    if (key.empty()) {
        // A label, or a word too long to have a key: nothing to look up.
        clicked_word_.clear();
        if (lookup_ != nullptr) {
            lookup_->clear();
            lookup_->invalidate(true);
        }
        return;
    }
    clicked_word_ = key;
    const std::array<wide_string, 3> analysed = lexicon_.analyse_word(key, true);
    wide_string morphology = analysed[0];
    clean_clicked_word(clicked_word_);
    if (lookup_ == nullptr)
        return;
    lookup_->current_word = clicked_word_;
    lookup_->previous_word = analysed[1];
    lookup_->next_word = analysed[2];

    // A word hyphenated at a line's end: look up the whole word, joined with the next word or,
    // when that gives nothing, with the word after it.
    if (key.find(u'-') != wide_string::npos && index + 1 < word_keys_.size()) {
        wide_string joined = key + word_keys_[index + 1];
        replace_first(joined, u"-", u"");
        clean_clicked_word(joined);
        wide_string joined_analysis = lexicon_.analysis_of(joined);
        if (joined_analysis == joined && index + 2 < word_keys_.size()) {
            joined = key + word_keys_[index + 2];
            replace_first(joined, u"-", u"");
            joined_analysis = lexicon_.analysis_of(joined);
        }
        morphology = std::move(joined_analysis);
    }

    lookup_->analyses = analyses_for_word(morphology);
    lookup_->definitions.clear();
    wide_string last_lemma;
    for (std::size_t i = 1; i < lookup_->analyses.size(); i += 4) {
        const wide_string& lemma = lookup_->analyses[i];
        if (lemma != last_lemma) {
            lookup_->definitions.push_back(lexicon_.short_definition_of(lemma));
            last_lemma = lemma;
        }
    }
    if (!lookup_->analyses.empty() && lookup_->analyses.front() == u"?") {
        const std::array<wide_string, 2> neighbours = lexicon_.morphology_neighbours(clicked_word_);
        lookup_->previous_word = neighbours[0];
        lookup_->next_word = neighbours[1];
    }
    lookup_->invalidate(true);
}

} // namespace veso
