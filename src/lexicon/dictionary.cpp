#include "lexicon/lexicon.h"
#include "lexicon/lexicon_state.h"
#include "lexicon/neighbour_walk.h"
#include "lexicon/string_edits.h"

#include <algorithm>
#include <array>
#include <optional>

namespace veso {

namespace {

constexpr std::size_t short_definition_length = 1400;
constexpr wide_string_view cut_marker = u" .... ";
constexpr std::size_t page_rows = 20;
constexpr std::size_t rows_before_headword = 10;

constexpr wide_string_view greek_open = u"<G>";
constexpr wide_string_view greek_close = u"</G>";

// The spellings tried after a headword as given: without "*" and homograph digits, then with
// "th", "ph", "Th", "Ph" written as single letters. Both only ever shorten the headword.
bool drop_capital_and_digits(wide_string& headword) {
    bool changed = false;
    for (wide_string_view mark : {u"*", u"1", u"2", u"3"}) {
        changed = replace_first(headword, mark, u"") || changed;
    }
    return changed;
}

bool single_letter_aspirates(wide_string& headword) {
    bool changed = false;
    changed = replace_first(headword, u"th", u"q") || changed;
    changed = replace_first(headword, u"ph", u"f") || changed;
    changed = replace_first(headword, u"Th", u"Q") || changed;
    changed = replace_first(headword, u"Ph", u"F") || changed;
    return changed;
}

// The stored definition of the headword, or of the first fallback spelling that has one. A real
// headword needs a handful of steps; the bound keeps nonsense input from costing quadratic time.
std::optional<wide_string_view> find_definition(const sorted_table& dictionary,
                                                wide_string headword) {
    constexpr int most_fallback_steps = 64;
    for (int step = 0;; ++step) {
        if (auto definition = dictionary.find(headword)) {
            return definition;
        }
        if (step == most_fallback_steps) {
            return std::nullopt;
        }
        wide_string other = headword;
        if (!drop_capital_and_digits(other)) {
            other = headword;
            if (!single_letter_aspirates(other)) {
                return std::nullopt;
            }
        }
        headword = std::move(other);
    }
}

enum class greek_mark { none, open, close };

// The mark starting at `at`, where the text has a "<".
greek_mark mark_at(wide_string_view text, std::size_t at) {
    auto is = [text](std::size_t i, char16_t c) { return i < text.size() && text[i] == c; };
    if (is(at + 1, u'G') && is(at + 2, u'>')) {
        return greek_mark::open;
    }
    return is(at + 1, u'/') && is(at + 2, u'G') && is(at + 3, u'>') ? greek_mark::close
                                                                    : greek_mark::none;
}

// The first `wanted` at or after `from`, or npos. Every mark starts with "<", so the scan jumps
// from one "<" to the next.
std::size_t find_mark(wide_string_view text, greek_mark wanted, std::size_t from) {
    for (std::size_t at = find_unit(text, u'<', from); at != wide_string_view::npos;
         at = find_unit(text, u'<', at + 1)) {
        if (mark_at(text, at) == wanted) {
            return at;
        }
    }
    return wide_string_view::npos;
}

struct first_marks_found {
    std::size_t open = wide_string_view::npos;
    std::size_t close = wide_string_view::npos;
    // Whether every "<" the scan met was one of these two marks.
    bool only_marks = true;
};

// The first "<G>" and the first "</G>" at or after `from`, in one scan; npos where there is none.
first_marks_found first_marks(wide_string_view text, std::size_t from) {
    first_marks_found found;
    for (std::size_t at = find_unit(text, u'<', from); at != wide_string_view::npos;
         at = find_unit(text, u'<', at + 1)) {
        greek_mark mark = mark_at(text, at);
        if (found.open == wide_string_view::npos && mark == greek_mark::open) {
            found.open = at;
        } else if (found.close == wide_string_view::npos && mark == greek_mark::close) {
            found.close = at;
        } else {
            found.only_marks = false;
        }
        if (found.open != wide_string_view::npos && found.close != wide_string_view::npos) {
            break;
        }
    }
    return found;
}

// Whether a mark starts at or after `from` in `done`, perhaps running on into `next`. A mark
// wholly in `next` is part of the text still to scan and does not count.
bool markup_from(const wide_string& done, std::size_t from, wide_string_view next) {
    if (find_unit(done, u'<', from) == wide_string::npos) {
        return false;
    }
    if (find_mark(done, greek_mark::open, from) != wide_string::npos ||
        find_mark(done, greek_mark::close, from) != wide_string::npos) {
        return true;
    }
    std::array<char16_t, 6> join{};
    std::size_t tail = std::min<std::size_t>(3, done.size() - std::min(from, done.size()));
    std::size_t length = 0;
    for (std::size_t i = done.size() - tail; i < done.size(); ++i) {
        join[length++] = done[i];
    }
    for (std::size_t i = 0; i < next.size() && i < 3; ++i) {
        join[length++] = next[i];
    }
    wide_string_view joined(join.data(), length);
    return joined.find(greek_open) < tail || joined.find(greek_close) < tail;
}

// Spans are converted in order into `done`, each one turned into Greek with the space to_unicode
// needs; the text in front of the first mark never changes again, so the result grows in one
// buffer. Should a converted span or a join form a new mark, the rest of the text is put together
// again and the scan goes on from just before it. `done` is overwritten, keeping its capacity.
void expand_greek_spans(wide_string_view source, const betaconverter& converter,
                        wide_string& done) {
    done.clear();
    const std::size_t original_length = source.size();
    done.reserve(source.size());
    wide_string_view text = source;
    wide_string rejoined;
    std::size_t rest = 0;
    while (true) {
        auto [open, close, only_marks] = first_marks(text, rest);
        if (open == wide_string_view::npos) {
            break;
        }
        std::size_t open_at = done.size() + (open - rest);
        if (close == wide_string_view::npos || open_at > original_length ||
            done.size() + (close - rest) > original_length) {
            break;
        }
        std::size_t watch_from;
        // No new mark can form when no "<" stands in the three characters before the span or in
        // the span itself.
        bool cannot_form_mark = false;
        if (close < open) {
            // A closing mark before any opening one is dropped.
            done.append(text.substr(rest, close - rest));
            watch_from = done.size();
        } else {
            done.append(text.substr(rest, open - rest));
            watch_from = done.size();
            cannot_form_mark = only_marks && open - rest >= 3;
            converter.to_unicode_spaced(
                text.substr(open + greek_open.size(), close - open - greek_open.size()), done);
        }
        rest = close + greek_close.size();
        watch_from = watch_from >= 3 ? watch_from - 3 : 0;
        wide_string_view next = text.substr(rest, 3);
        if (!cannot_form_mark && markup_from(done, watch_from, next)) {
            wide_string joined = done;
            joined.append(text.substr(rest));
            done.erase(watch_from);
            rejoined = std::move(joined);
            text = rejoined;
            rest = watch_from;
        }
    }
    done.append(text.substr(rest));
}

// The length of the mark ("<G>", "</G>", "<I>", "<B>" or "<N>") starting at `at`; 0 if none does.
std::size_t mark_length_at(wide_string_view text, std::size_t at) {
    const wide_string_view rest = text.substr(at);
    for (const wide_string_view mark : {u"<G>", u"</G>", u"<I>", u"<B>", u"<N>"}) {
        if (rest.starts_with(mark)) {
            return mark.size();
        }
    }
    return 0;
}

// Where a definition is cut to at most `limit` characters without breaking a mark or a Greek span:
// at the "<" of a mark the limit falls inside, or else at the "<G>" of a span still open there.
std::size_t cut_position(wide_string_view text, std::size_t limit) {
    std::size_t cut = std::min(limit, text.size());
    for (std::size_t at = cut >= 3 ? cut - 3 : 0; at < cut; ++at) {
        if (text[at] == u'<' && at + mark_length_at(text, at) > cut) {
            cut = at;
            break;
        }
    }
    const wide_string_view kept = text.substr(0, cut);
    const std::size_t open = kept.rfind(greek_open);
    const std::size_t close = kept.rfind(greek_close);
    if (open != wide_string_view::npos && (close == wide_string_view::npos || close < open)) {
        cut = open;
    }
    return cut;
}

} // namespace

void lexicon::expand_greek_markup(wide_string& text) const {
    if (find_mark(text, greek_mark::open, 0) == wide_string::npos) {
        return;
    }
    wide_string expanded;
    expand_greek_spans(text, impl_->converter, expanded);
    text = std::move(expanded);
}

wide_string lexicon::definition_of(const wide_string& headword) const {
    auto dictionary = impl_->dictionary.get();
    wide_string text(find_definition(*dictionary, headword).value_or(wide_string_view()));
    if (!text.empty()) {
        expand_greek_markup(text);
    }
    return text;
}

wide_string lexicon::stored_definition_of(const wide_string& headword) const {
    auto dictionary = impl_->dictionary.get();
    return wide_string(find_definition(*dictionary, headword).value_or(wide_string_view()));
}

wide_string lexicon::short_definition_of(const wide_string& headword) {
    definition_truncated = false;
    auto dictionary = impl_->dictionary.get();
    wide_string_view stored = find_definition(*dictionary, headword).value_or(wide_string_view());
    if (stored.size() > short_definition_length) {
        definition_truncated = true;
        stored = stored.substr(0, cut_position(stored, short_definition_length));
    }
    wide_string text(stored);
    if (!text.empty()) {
        expand_greek_markup(text);
    }
    if (definition_truncated) {
        text += cut_marker;
    }
    return text;
}

std::array<wide_string, 2> lexicon::dictionary_neighbours(const wide_string& headword) const {
    auto index = impl_->index.get();
    return neighbour_walk(index->entries(), alphabetical_sort_key(headword), 1, true);
}

void lexicon::open_dictionary_page(const wide_string& headword) {
    std::vector<wide_string> page = std::move(dictionary_page);
    dictionary_page.clear();
    auto index = impl_->index.get();
    impl_->page_index = index;
    impl_->page_position = 0;
    page_first_headword.clear();
    page_last_headword.clear();
    if (index->size() == 0) {
        return;
    }

    std::optional<std::size_t> found = index->position_of_headword(headword);
    if (!found) {
        wide_string other = headword;
        drop_capital_and_digits(other);
        found = index->position_of_headword(other);
    }
    if (!found) {
        wide_string other = headword;
        single_letter_aspirates(other);
        found = index->position_of_headword(other);
    }
    std::size_t first = 0;
    if (found) {
        first = *found >= rows_before_headword ? *found - rows_before_headword : 0;
    }

    const sorted_table& entries = index->entries();
    impl_->page_position = first;
    const std::size_t end = std::min(entries.size(), first + page_rows);
    page_first_headword.assign(entries[first].value);
    page_last_headword.assign(entries[end - 1].value);
    // The rows are written over the strings of the page before, reusing their buffers.
    std::size_t used = 0;
    for (std::size_t row = first; row < end; ++row) {
        if (page.size() < used + 2) {
            page.resize(used + 2);
        }
        page[used].assign(entries[row].value);
        expand_greek_spans(index->definition_at(row), impl_->converter, page[used + 1]);
        used += 2;
    }
    page.resize(used);
    dictionary_page = std::move(page);
}

void lexicon::next_dictionary_page() {
    const auto& index = impl_->page_index;
    if (!index || index->size() == 0) {
        return;
    }
    std::size_t target = impl_->page_position + page_rows;
    if (target >= index->size()) {
        impl_->page_position = index->size() - 1;
        return;
    }
    open_dictionary_page(wide_string(index->entries()[target].value));
}

void lexicon::previous_dictionary_page() {
    const auto& index = impl_->page_index;
    if (!index || index->size() == 0) {
        return;
    }
    open_dictionary_page(wide_string(index->entries()[impl_->page_position].value));
}

wide_string lexicon::page_position_headword() const {
    const auto& index = impl_->page_index;
    if (!index || impl_->page_position >= index->size()) {
        return {};
    }
    return wide_string(index->entries()[impl_->page_position].value);
}

} // namespace veso
