#include "lexicon/line_entries.h"

#include "common/unicode_text.h"
#include "lexicon/character_entities.h"
#include "lexicon/definition_text.h"

namespace veso::corpus {

namespace {

template <typename F> void for_each_line(std::string_view text, F&& f) {
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        f(line);
        start = end + 1;
    }
}

// A short definition's text without its HTML tags, character references resolved.
std::u16string without_html(std::string_view utf8) {
    std::string out;
    bool in_tag = false;
    for (const char c : utf8) {
        if (c == '<') {
            in_tag = true;
        } else if (c == '>' && in_tag) {
            in_tag = false;
        } else if (!in_tag) {
            out += c;
        }
    }
    return greek_from_utf8(resolve_entities(out));
}

// The headword a Markdown entry shows: the Greek words its text starts with.
std::u16string leading_greek(std::u16string_view body) {
    const auto start = body.find_first_not_of(u' ');
    if (start == std::u16string_view::npos || !is_greek_letter(body[start])) {
        return {};
    }
    // Editorial brackets within a word belong to it ("σκολῐό-δ[ειρ]ος", "διακοσκῐν<εύ>ω"); after
    // a space they open a note ("δηξίθῡμος [ῐ]").
    constexpr std::u16string_view brackets = u"[]<>";
    std::size_t end = start;
    while (end < body.size() &&
           (is_greek_unit(body[end]) || body[end] == u' ' || body[end] == u'-' ||
            (brackets.find(body[end]) != std::u16string_view::npos && body[end - 1] != u' '))) {
        ++end;
    }
    return std::u16string(body.substr(start, end - start));
}

void markdown_body(std::u16string_view body, definition_text& out) {
    using style = definition_text::style;
    bool bold = false;
    bool italic = false;
    std::size_t start = 0;
    auto flush = [&](std::size_t end) {
        if (end > start) {
            out.text(body.substr(start, end - start));
        }
    };
    auto apply = [&] {
        out.set_style(bold ? style::bold : italic ? style::italic : style::normal);
    };
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == u'*') {
            flush(i);
            if (i + 1 < body.size() && body[i + 1] == u'*') {
                bold = !bold;
                ++i;
            } else {
                italic = !italic;
            }
            apply();
            start = i + 1;
        } else if (body[i] == u'`') {
            flush(i);
            const auto close = body.find(u'`', i + 1);
            if (close == std::u16string_view::npos) {
                start = i + 1;
                continue;
            }
            const bool was_bold = bold;
            bold = true;
            apply();
            out.text(std::u16string(body.substr(i + 1, close - i - 1)) + u".");
            bold = was_bold;
            apply();
            i = close;
            start = close + 1;
        }
    }
    flush(body.size());
}

} // namespace

std::u16string headword_from_unicode(std::u16string_view lemma, const betaconverter& converter) {
    std::u16string clean;
    for (const char16_t c : lemma) {
        if (c == u'<' || c == u'>' || c == u'@' || c == u'[' || c == u']' || c == u'(' ||
            c == u')' || c == u' ' || c == u'\t' || c == u'-') {
            continue;
        }
        clean += c;
    }
    return greek_to_beta(clean, converter);
}

std::vector<source_entry> read_markdown_lsj(std::string_view file_text,
                                            const betaconverter& converter,
                                            std::size_t max_length) {
    std::vector<source_entry> entries;
    for_each_line(file_text, [&](std::string_view line) {
        const auto first = line.find('#');
        if (first == std::string_view::npos || line.substr(0, 4) != "urn:") {
            return;
        }
        const auto second = line.find('#', first + 1);
        if (second == std::string_view::npos) {
            return;
        }
        const std::u16string lemma = greek_from_utf8(line.substr(first + 1, second - first - 1));
        if (lemma.empty() || !is_greek_letter(lemma.front())) {
            return;
        }
        const std::u16string body = greek_from_utf8(line.substr(second + 1));
        definition_text text('L', converter);
        markdown_body(body, text);
        if (text.empty()) {
            return;
        }
        source_entry e;
        e.headword = headword_from_unicode(lemma, converter);
        e.shown_headword = greek_to_beta(leading_greek(body), converter);
        e.definition = text.finish(max_length, e.cut);
        entries.push_back(std::move(e));
    });
    return entries;
}

std::vector<source_entry> read_short_definitions(std::string_view file_text, char separator,
                                                 char source_letter, const betaconverter& converter,
                                                 std::size_t max_length,
                                                 short_definition_lines lines) {
    std::vector<source_entry> entries;
    bool first_line = true;
    for_each_line(file_text, [&](std::string_view line) {
        const auto at = line.find(separator);
        if (at == std::string_view::npos) {
            return;
        }
        const bool header = first_line && line.substr(0, at) == "lemma";
        first_line = false;
        if (header) {
            return;
        }
        const bool marked = line.starts_with('@');
        if (marked != (lines == short_definition_lines::marked)) {
            return;
        }
        const std::u16string lemma = greek_from_utf8(line.substr(0, at));
        const std::u16string definition = without_html(line.substr(at + 1));
        std::u16string headword = headword_from_unicode(lemma, converter);
        const auto first = definition.find_first_not_of(u" \t");
        if (headword.empty() || first == std::u16string::npos ||
            definition.substr(first).starts_with(u"@")) {
            return;
        }
        definition_text text(source_letter, converter);
        text.text(definition);
        source_entry e;
        e.headword = std::move(headword);
        e.definition = text.finish(max_length, e.cut);
        entries.push_back(std::move(e));
    });
    return entries;
}

} // namespace veso::corpus
