#include "lexicon/definition_markup.h"

#include <array>

namespace veso {

namespace {

struct definition_source {
    char16_t letter;
    wide_string_view name;
};

constexpr std::array<definition_source, 7> sources{{
    {u'L', u"LSJ"},
    {u'S', u"LSJ short def."},
    {u'M', u"Middle Liddell"},
    {u'G', u"Logeion"},
    {u'A', u"Autenrieth"},
    {u'T', u"Abbott-Smith"},
    {u'D', u"Dodson"},
}};

// "[X]": the opening bracket, the source letter and the closing bracket.
constexpr std::size_t source_tag_length = 3;

// The style mark "<I>", "<B>" or "<N>" at `at`, if there is one.
bool mark_at(wide_string_view text, std::size_t at, text_style& style) {
    if (at + 3 > text.size() || text[at] != u'<' || text[at + 2] != u'>') {
        return false;
    }
    switch (text[at + 1]) {
    case u'I':
        style = text_style::italic;
        return true;
    case u'B':
        style = text_style::bold;
        return true;
    case u'N':
        style = text_style::normal;
        return true;
    default:
        return false;
    }
}

} // namespace

wide_string_view definition_source_name(char16_t letter) {
    for (const definition_source& source : sources) {
        if (source.letter == letter) {
            return source.name;
        }
    }
    return {};
}

char16_t definition_source_letter(wide_string_view definition) {
    const std::size_t opening = definition.find(u'[');
    if (opening == wide_string_view::npos || opening + 2 >= definition.size() ||
        definition[opening + 2] != u']' || definition[opening + 1] == u'\0') {
        return u'\0';
    }
    return definition[opening + 1];
}

definition_words::definition_words(wide_string_view definition) : text_(definition) {
    const std::size_t opening = definition.find(u'[');
    if (opening == wide_string_view::npos) {
        at_ = 0;
    } else {
        at_ = opening + (definition_source_letter(definition) != u'\0' ? source_tag_length : 1);
    }
}

bool definition_words::next(std::vector<styled_run>& runs, text_style& space_style) {
    runs.clear();
    space_style = space_style_;
    std::size_t run_start = at_;
    const auto end_run = [&](std::size_t end) {
        if (end > run_start) {
            runs.push_back({text_.substr(run_start, end - run_start), style_, italic_pending_});
            italic_pending_ = false;
        }
    };
    while (at_ < text_.size()) {
        text_style marked = style_;
        if (mark_at(text_, at_, marked)) {
            end_run(at_);
            // The step belongs to a change to italic; one undone before any text takes none.
            if (marked != text_style::italic) {
                italic_pending_ = false;
            } else if (style_ != text_style::italic) {
                italic_pending_ = true;
            }
            style_ = marked;
            at_ += 3;
            run_start = at_;
            continue;
        }
        if (text_[at_] == u' ') {
            end_run(at_);
            ++at_;
            run_start = at_;
            if (!runs.empty()) {
                space_style_ = style_;
                return true;
            }
            continue;
        }
        ++at_;
    }
    end_run(at_);
    return !runs.empty();
}

} // namespace veso
