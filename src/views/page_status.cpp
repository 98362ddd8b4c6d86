#include "views/page_status.h"

#include "library/coverage.h"
#include "library/line_number.h"
#include "library/mydoc.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace veso {

namespace {

constexpr char16_t carriage_return = u'\r';
constexpr char16_t bold_on = u'\u00B2';
constexpr char16_t bold_off = u'\u00B3';
constexpr std::u16string_view part_separator = u" \u00B7 ";
// The catalogue's genres in tree order: the first three are poetry, the seventh the Bible.
constexpr int poetry_genres = 3;
constexpr int bible_genre = 6;
// How far past a line the next line-number marker is looked for; markers stand every fifth line.
constexpr int marker_lookahead_lines = 50;
// Stephanus and Bekker numbers carry a letter or two after the digits ("327a", "1094b").
constexpr std::size_t longest_marker_suffix = 3;

struct path_item {
    int depth;
    std::u16string_view label;
};

struct catalogue_path {
    std::vector<path_item> items; // the genre first, the leaf last
    int genre = -1;
};

catalogue_path path_of(std::int32_t id, std::span<const catalogue_entry> entries) {
    catalogue_path path;
    if (id == 0)
        return path;
    const auto leaf = std::find_if(entries.begin(), entries.end(),
                                   [id](const catalogue_entry& e) { return e.id == id; });
    if (leaf == entries.end())
        return path;
    int depth = leaf->depth + 1;
    for (auto it = std::make_reverse_iterator(leaf + 1); it != entries.rend(); ++it) {
        if (it->depth < depth) {
            path.items.push_back({it->depth, it->label ? it->label : u""});
            depth = it->depth;
        }
        if (it->depth == 1)
            ++path.genre;
    }
    std::reverse(path.items.begin(), path.items.end());
    return path;
}

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    return text;
}

bool is_digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "Book 9 (Archaic age; Seven sages)" is cited as 9.
std::u16string_view cited_form(std::u16string_view label) {
    label = trimmed(label);
    if (label.starts_with(u"Book "))
        label.remove_prefix(5);
    if (label.ends_with(u')')) {
        if (const auto open = label.find(u" ("); open != std::u16string_view::npos)
            label = label.substr(0, open);
    }
    return trimmed(label);
}

// "12", "5a".
bool is_number(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_digit(text[i]))
        ++i;
    if (i == 0)
        return false;
    while (i < text.size() && text[i] >= u'a' && text[i] <= u'z')
        ++i;
    return i == text.size();
}

// The catalogue groups long runs of chapters under items such as "1 - 9".
bool is_range(std::u16string_view label) {
    const auto dash = label.find(u" - ");
    return dash != std::u16string_view::npos && is_number(trimmed(label.substr(0, dash))) &&
           is_number(trimmed(label.substr(dash + 3)));
}

std::u16string_view author_name(std::u16string_view label) {
    return trimmed(label.substr(0, label.find(u" (")));
}

// The text between bounds, read line by line.
class section_text {
public:
    section_text(const mydoc& document, std::int32_t lower, std::int32_t upper)
        : text_(document.text.data()), lower_(lower), upper_(upper) {}

    std::int32_t lower() const { return lower_; }
    std::int32_t upper() const { return upper_; }
    char16_t at(std::int32_t i) const { return text_[static_cast<std::size_t>(i)]; }
    bool is_blank(std::int32_t i) const {
        const char16_t c = at(i);
        return c == u' ' || c == carriage_return || c == u'\0';
    }
    std::int32_t line_start(std::int32_t p) const {
        while (p > lower_ && at(p - 1) != carriage_return)
            --p;
        return p;
    }
    std::int32_t line_end(std::int32_t p) const {
        while (p < upper_ && at(p) != carriage_return && at(p) != u'\0')
            ++p;
        return p;
    }
    // The line after the one ending at end, or upper when there is none.
    std::int32_t next_line(std::int32_t end) const {
        return end < upper_ && at(end) == carriage_return ? end + 1 : upper_;
    }
    std::u16string_view units(std::int32_t from, std::int32_t to) const {
        return {text_ + from, static_cast<std::size_t>(std::max(to - from, 0))};
    }

    // A line of the poem: Greek that is not a speaker's name or a heading (wholly bold).
    bool is_verse(std::int32_t start, std::int32_t end) const {
        const std::u16string_view line = trimmed(units(start, end));
        if (line.empty() || (line.front() == bold_on && line.back() == bold_off))
            return false;
        return holds_greek(line);
    }
    // The label of a marker "[n]" or "[na]" starting at i.
    std::optional<std::u16string_view> marker_at(std::int32_t i) const {
        if (i < lower_ || i >= upper_ || at(i) != u'[')
            return std::nullopt;
        std::int32_t j = i + 1;
        while (j < upper_ && is_digit(at(j)))
            ++j;
        if (j == i + 1)
            return std::nullopt;
        const std::int32_t digits_end = j;
        while (j < upper_ && j - digits_end < static_cast<std::int32_t>(longest_marker_suffix) &&
               at(j) >= u'a' && at(j) <= u'z')
            ++j;
        if (j >= upper_ || at(j) != u']')
            return std::nullopt;
        return units(i + 1, j);
    }
    std::optional<int> line_number_marker(std::int32_t start, std::int32_t end) const {
        while (start < end && at(start) == u' ')
            ++start;
        const auto marker = marker_at(start);
        if (!marker || !std::all_of(marker->begin(), marker->end(), is_digit))
            return std::nullopt;
        return wide_to_int(*marker);
    }

    // The number of the verse line starting at start: the last line-number marker at or above
    // it plus the lines of verse between, but short of the next marker below.
    int verse_number(std::int32_t start) const {
        int count = 0;
        std::optional<int> anchor;
        for (std::int32_t s = start;; s = line_start(s - 1)) {
            const std::int32_t e = line_end(s);
            if (is_verse(s, e)) {
                anchor = line_number_marker(s, e);
                if (anchor)
                    break;
                ++count;
            }
            if (s <= lower_)
                break;
        }
        int number = anchor.value_or(0) + count;
        if (count == 0)
            return number;
        std::int32_t s = next_line(line_end(start));
        for (int n = 0; n < marker_lookahead_lines && s < upper_ && at(s) != u'\0'; ++n) {
            const std::int32_t e = line_end(s);
            if (is_verse(s, e)) {
                if (const auto next = line_number_marker(s, e)) {
                    number = std::min(number, *next - 1);
                    break;
                }
            }
            s = next_line(e);
        }
        return std::max(number, 1);
    }
    // The first verse line starting in [from, to], or nothing.
    std::optional<std::int32_t> first_verse_line(std::int32_t from, std::int32_t to) const {
        for (std::int32_t s = line_start(from); s <= to && s < upper_;) {
            const std::int32_t e = line_end(s);
            if (is_verse(s, e))
                return s;
            s = next_line(e);
        }
        return std::nullopt;
    }
    // The last verse line starting in [from, at's line], or nothing.
    std::optional<std::int32_t> last_verse_line(std::int32_t from, std::int32_t at_unit) const {
        for (std::int32_t s = line_start(at_unit); s >= from;) {
            if (is_verse(s, line_end(s)))
                return s;
            if (s <= lower_)
                break;
            s = line_start(s - 1);
        }
        return std::nullopt;
    }

    // The last marker starting in [from, to).
    std::optional<std::u16string_view> last_marker(std::int32_t from, std::int32_t to) const {
        for (std::int32_t i = to - 1; i >= from; --i) {
            if (const auto marker = marker_at(i))
                return marker;
        }
        return std::nullopt;
    }
    std::optional<std::u16string_view> first_marker(std::int32_t from, std::int32_t to) const {
        for (std::int32_t i = from; i < to; ++i) {
            if (const auto marker = marker_at(i))
                return marker;
        }
        return std::nullopt;
    }

private:
    const char16_t* text_;
    std::int32_t lower_;
    std::int32_t upper_;
};

wide_string range_text(std::u16string_view one, std::u16string_view many, const wide_string& first,
                       const wide_string& last) {
    wide_string result(first == last ? one : many);
    result += u' ';
    result += first;
    if (first != last) {
        result += u'-';
        result += last;
    }
    return result;
}

// "lines 1-25 of 611" for the units [first, last] of the page.
wide_string lines_on_page(const section_text& text, std::int32_t first, std::int32_t last) {
    // Without line numbers (Sappho's fragments run on as prose) the lines are not the poem's.
    const auto top = text.first_verse_line(first, last);
    if (!top || !text.first_marker(text.lower(), text.upper()))
        return {};
    const auto bottom = text.last_verse_line(*top, last).value_or(*top);
    std::int32_t end = text.upper() - 1;
    while (end > text.lower() && text.is_blank(end))
        --end;
    const auto final_line = text.last_verse_line(text.lower(), end).value_or(bottom);
    const int from = text.verse_number(*top);
    const int to = std::max(text.verse_number(bottom), from);
    const int of = std::max(text.verse_number(final_line), to);
    return range_text(u"line", u"lines", int_to_wide(from), int_to_wide(to)) + u" of " +
           int_to_wide(of);
}

// "verses 3-12 of 48", "sections 17a-18b": the marker in force where the page starts, the last
// one on the page, and for verses the chapter's last.
wide_string markers_on_page(const section_text& text, std::int32_t first, std::int32_t end,
                            place_numbering numbering) {
    auto from = text.last_marker(text.lower(), first + 1);
    if (!from)
        from = text.first_marker(first, end);
    if (!from)
        return {};
    const auto to = text.last_marker(first, end).value_or(*from);
    if (numbering == place_numbering::sections)
        return range_text(u"section", u"sections", wide_string(*from), wide_string(to));
    const auto of = text.last_marker(text.lower(), text.upper()).value_or(to);
    return range_text(u"verse", u"verses", wide_string(*from), wide_string(to)) + u" of " +
           wide_string(of);
}

} // namespace

wide_string work_and_section_of(std::int32_t id, std::span<const catalogue_entry> entries) {
    const catalogue_path path = path_of(id, entries);
    std::vector<std::u16string_view> below;
    std::u16string_view author;
    for (const path_item& item : path.items) {
        if (item.depth == 2)
            author = author_name(item.label);
        else if (item.depth > 2 && !is_range(item.label))
            below.push_back(item.label);
    }
    if (below.empty())
        return wide_string(author);
    // Herodotus and Thucydides have their books straight below the author.
    std::size_t next = 0;
    wide_string result(is_number(cited_form(below[0])) ? author : trimmed(below[next++]));
    bool after_number = false;
    for (; next < below.size(); ++next) {
        const std::u16string_view cited = cited_form(below[next]);
        const bool number = is_number(cited);
        if (!result.empty())
            result += number && after_number ? u'.' : u' ';
        result += number ? cited : trimmed(below[next]);
        after_number = number;
    }
    return result;
}

place_numbering numbering_of(std::int32_t id, std::span<const catalogue_entry> entries) {
    const int genre = path_of(id, entries).genre;
    if (genre >= 0 && genre < poetry_genres)
        return place_numbering::lines;
    return genre == bible_genre ? place_numbering::verses : place_numbering::sections;
}

wide_string page_status_text(const mydoc& document, std::span<const catalogue_entry> entries) {
    if (document.loading || document.text_length == 0)
        return {};
    wide_string status = work_and_section_of(document.current_id, entries);

    const std::int32_t length = std::clamp(document.text_length, 0, mydoc::text_capacity);
    const std::int32_t section_start = document.section_start();
    const std::int32_t lower = std::clamp(std::min(section_start, document.page_start), 0, length);
    const std::int32_t upper = std::clamp(document.section_end, lower, length);
    const section_text text(document, lower, upper);

    std::int32_t first = std::max(document.page_start, lower);
    while (first < upper && (text.at(first) == u' ' || text.at(first) == carriage_return))
        ++first;
    const std::int32_t end = std::clamp(document.next_page_start, first, upper);
    wide_string place;
    if (first < upper && text.at(first) != u'\0') {
        std::int32_t last = std::max(end - 1, first);
        while (last > first && text.is_blank(last))
            --last;
        const place_numbering numbering = numbering_of(document.current_id, entries);
        place = numbering == place_numbering::lines
                    ? lines_on_page(text, first, last)
                    : markers_on_page(text, first, std::max(end, first + 1), numbering);
    }
    if (!place.empty()) {
        if (!status.empty())
            status += part_separator;
        status += place;
    }
    return status;
}

bool page_status::update(const mydoc& document) {
    const page_key key{document.current_id,      document.section,     document.page_start,
                       document.next_page_start, document.text_length, document.loading};
    if (key == key_)
        return false;
    key_ = key;
    wide_string text = page_status_text(document, entries_);
    if (text == text_)
        return false;
    text_ = std::move(text);
    return true;
}

} // namespace veso
