#include "occurrences/short_gloss.h"

#include "lexicon/definition_markup.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace veso::occurrences {

namespace {

constexpr std::size_t longest_gloss = 80;
// The first translation stands near an entry's start; the rest of a long entry is not read.
constexpr std::size_t read_at_most = 8000;

struct run {
    char16_t style = u'N'; // N normal, I italic, B bold
    wide_string text;
    bool starts_definition = false;
    std::size_t from = 0; // where its text stands in the definition
    std::size_t to = 0;
};

bool starts_with(wide_string_view text, std::size_t at, wide_string_view prefix) {
    return text.substr(at, prefix.size()) == prefix;
}

// What the sources' HTML entities stand for; an unknown one is dropped.
wide_string_view entity_text(wide_string_view name) {
    if (name == u"lsquo" || name == u"rsquo") {
        return u"'";
    }
    if (name == u"ldquo" || name == u"rdquo" || name == u"quot") {
        return u"\"";
    }
    if (name == u"mdash" || name == u"ndash") {
        return u"\u2014";
    }
    if (name == u"amp") {
        return u"&";
    }
    return {};
}

// The runs of text by type style until accept(run) takes a finished run. Greek spans are
// converted when asked, else stand as a space: looking for English, there is no need.
template <class Accept>
std::vector<run> runs_of(wide_string_view text, const betaconverter& converter, bool convert,
                         Accept accept) {
    text = text.substr(0, read_at_most);
    std::vector<run> runs(1);
    runs.front().starts_definition = true;
    std::size_t i = 0;
    while (i < text.size()) {
        if (starts_with(text, i, u"<G>")) {
            const std::size_t end = std::min(text.find(u"</G>", i + 3), text.size());
            if (convert) {
                runs.back().text +=
                    converter.to_unicode(wide_string(text.substr(i + 3, end - i - 3)) + u" ");
            } else {
                runs.back().text += u' ';
            }
            i = std::min(end + 4, text.size());
        } else if (text[i] == u'<' && i + 2 < text.size() && text[i + 2] == u'>' &&
                   (text[i + 1] == u'I' || text[i + 1] == u'B' || text[i + 1] == u'N')) {
            runs.back().to = i;
            if (accept(runs.back())) {
                return runs;
            }
            runs.push_back({text[i + 1], {}, false, i + 3, i + 3});
            i += 3;
        } else if (text[i] == u'&') {
            const std::size_t semicolon = text.find(u';', i);
            if (semicolon != wide_string_view::npos && semicolon - i <= 8) {
                runs.back().text += entity_text(text.substr(i + 1, semicolon - i - 1));
                i = semicolon + 1;
            } else {
                runs.back().text += text[i++];
            }
        } else {
            runs.back().text += text[i++];
        }
    }
    runs.back().to = text.size();
    accept(runs.back());
    return runs;
}

// The text of the runs, Greek converted.
wide_string converted_text(wide_string_view text, const betaconverter& converter) {
    wide_string out;
    for (const run& r : runs_of(text, converter, true, [](const run&) { return false; })) {
        out += r.text;
        out += u' ';
    }
    return out;
}

bool has_english(const wide_string& text) {
    int letters = 0;
    for (const char16_t c : text) {
        letters = c >= u'a' && c <= u'z' ? letters + 1 : 0;
        if (letters == 3) {
            return true;
        }
    }
    return false;
}

// Latin or Greek.
bool has_letter(const wide_string& text) {
    return std::any_of(text.begin(), text.end(), [](char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c >= u'\u0370';
    });
}

bool is_space(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// One level of a sense label: a letter, a capital and a small letter (LSJ's "Ab."), or a Roman or
// Arabic number.
bool is_label_part(wide_string_view part) {
    if (part.empty() || part.size() > 4) {
        return false;
    }
    const bool digits =
        std::all_of(part.begin(), part.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    const bool roman = std::all_of(part.begin(), part.end(),
                                   [](char16_t c) { return c == u'I' || c == u'V' || c == u'X'; });
    const auto small = [](char16_t c) { return c >= u'a' && c <= u'z'; };
    const auto capital = [](char16_t c) { return c >= u'A' && c <= u'Z'; };
    return digits || roman || (part.size() == 1 && (small(part[0]) || capital(part[0]))) ||
           (part.size() == 2 && capital(part[0]) && small(part[1]));
}

// A sense label: its levels joined by full stops ("A.", "A.I.", "II.2."), or one in brackets,
// followed by a full stop or closing bracket.
bool is_label(wide_string_view word) {
    if (word.empty() || (word.back() != u'.' && word.back() != u')')) {
        return false;
    }
    wide_string_view core = word.substr(0, word.size() - 1);
    if (!core.empty() && core.back() == u')') {
        core.remove_suffix(1);
    }
    if (!core.empty() && core.front() == u'(') {
        core.remove_prefix(1);
    }
    if (core.empty()) {
        return false;
    }
    for (std::size_t start = 0; start <= core.size();) {
        const std::size_t stop = std::min(core.find(u'.', start), core.size());
        // LSJ's labels sometimes come doubled in the stored text: "A..1." for "A.1.".
        if (stop == start && start > 0) {
            start = stop + 1;
            continue;
        }
        if (!is_label_part(core.substr(start, stop - start))) {
            return false;
        }
        start = stop + 1;
    }
    return true;
}

wide_string tidied(wide_string_view text) {
    // A colon or semicolon ends the translation; what follows is the next sense or a note.
    const std::size_t stop = text.find_first_of(u":;");
    if (stop != wide_string_view::npos &&
        text.substr(0, stop).find_first_not_of(u" ") != wide_string_view::npos) {
        text = text.substr(0, stop);
    }
    // Words separated by single spaces; punctuation set off by the space after a Greek span goes
    // with the word before it.
    std::vector<wide_string> words;
    wide_string word;
    const auto finish_word = [&] {
        if (word.empty()) {
            return;
        }
        if (!words.empty() && word.find_first_not_of(u",.;:)") == wide_string::npos) {
            words.back() += word;
        } else {
            words.push_back(word);
        }
        word.clear();
    };
    for (const char16_t c : text) {
        if (is_space(c)) {
            finish_word();
        } else {
            word += c;
        }
    }
    finish_word();
    // Labels before the translation, and the next sense's label after a full stop when the bold
    // type runs on ("so, thus. Ab."; "ἕλωρ, Il." cites the Iliad).
    std::size_t first = 0;
    while (first < words.size() && is_label(words[first])) {
        ++first;
    }
    std::size_t last = words.size();
    while (last > first + 1 && is_label(words[last - 1]) && words[last - 2].back() == u'.') {
        --last;
    }
    wide_string out;
    for (std::size_t i = first; i < last; ++i) {
        if (!out.empty() && out.size() + 1 + words[i].size() > longest_gloss) {
            out += u" \u2026";
            return out;
        }
        if (!out.empty()) {
            out += u' ';
        }
        out += words[i];
    }
    while (!out.empty() && (out.back() == u',' || out.back() == u';' || out.back() == u':' ||
                            out.back() == u'.' || out.back() == u'\u2014')) {
        out.pop_back();
    }
    return out;
}

// The fuller entry a short definition goes on to ("<I>Autenrieth <B>..."), as a definition of its
// own ("[A] <B>...").
std::optional<wide_string> named_entry(wide_string_view rest) {
    if (!rest.starts_with(u"<I>")) {
        return std::nullopt;
    }
    rest.remove_prefix(3);
    for (const char16_t letter : wide_string_view(u"LATD")) {
        const wide_string_view name = definition_source_name(letter);
        if (rest.starts_with(name) && rest.substr(name.size()).starts_with(u' ')) {
            return u"[" + wide_string(1, letter) + u"] " +
                   wide_string(rest.substr(name.size() + 1));
        }
    }
    return std::nullopt;
}

// Whether the text after a run begins with a number, in normal type: the run named a work cited.
bool cites_a_page(wide_string_view after) {
    if (after.starts_with(u"<N>")) {
        after.remove_prefix(3);
    }
    const std::size_t first = after.find_first_not_of(u' ');
    return first != wide_string_view::npos && after[first] >= u'0' && after[first] <= u'9';
}

// Whether the entry's headword, its first Greek letter, is a capital: in Beta Code ("<G>*(/hra")
// one marked with an asterisk.
bool names_someone(wide_string_view definition) {
    for (std::size_t i = 0; i < definition.size(); ++i) {
        if (starts_with(definition, i, u"<G>")) {
            const std::size_t letter = definition.find_first_of(
                u"*abcdefghiklmnopqrstuvwxyzABCDEFGHIKLMNOPQRSTUVWXYZ", i + 3);
            return letter != wide_string_view::npos && definition[letter] == u'*';
        }
        const char16_t c = definition[i];
        if (c >= u'\u0370' && c < u'\u1F00') {
            return c >= u'\u0386' && c <= u'\u03AB';
        }
        // Greek Extended: the capitals are the second half of each row of eight up to U+1F6F,
        // then the last five of the rows from U+1FB8.
        if (c >= u'\u1F00' && c <= u'\u1FFF') {
            return c <= u'\u1F6F' ? (c & 0x8) != 0 : (c & 0xF) >= 0x8 && (c & 0xF) <= 0xC;
        }
    }
    return false;
}

} // namespace

wide_string short_gloss(wide_string_view definition, const betaconverter& converter) {
    char16_t source = 0;
    if (definition.size() >= 4 && definition[0] == u'[' && definition[2] == u']') {
        source = definition[1];
        definition.remove_prefix(definition[3] == u' ' ? 4 : 3);
    }
    char16_t wanted = 0;
    switch (source) {
    case u'L':
        wanted = u'B';
        break;
    case u'T':
    case u'A':
        wanted = u'I';
        break;
    case u'D':
        wanted = u'N';
        break;
    default:
        break;
    }
    if (wanted == 0) {
        // A short definition, which may go on to a fuller entry named in italics: the gloss is
        // what stands before the first change of type style.
        const std::vector<run> runs =
            runs_of(definition, converter, false, [](const run&) { return true; });
        wide_string gloss =
            tidied(converted_text(definition.substr(0, runs.front().to), converter));
        if (has_letter(gloss)) {
            return gloss;
        }
        if (const auto fuller = named_entry(definition.substr(runs.front().to))) {
            return short_gloss(*fuller, converter);
        }
    }
    // LSJ gives a name's English in italics ("Ἥρα, Ion. Ἥρη, ἡ, Hera"), where italics are
    // otherwise titles and editors: taken only in the entry of a name, neither abbreviated nor
    // followed by a number as a cited work is ("Schwyzer 80").
    const bool name = wanted == u'B' && names_someone(definition);
    // What stands in brackets is an etymology or an aside: "(Cf. Skt. yas, yā, yad)" is in bold
    // in LSJ's ὅς. Brackets are counted outside Greek, whose Beta Code writes "(" for the rough
    // breathing. The runs come in order, so the text is scanned once.
    std::size_t scanned = 0;
    int depth = 0;
    const auto in_brackets = [&](std::size_t until) {
        for (until = std::min(until, definition.size()); scanned < until; ++scanned) {
            if (definition.compare(scanned, 3, u"<G>") == 0) {
                const std::size_t close = definition.find(u"</G>", scanned);
                if (close == wide_string_view::npos || close >= until) {
                    scanned = until;
                    break;
                }
                scanned = close + 3;
            } else if (definition[scanned] == u'(') {
                ++depth;
            } else if (definition[scanned] == u')' && depth > 0) {
                --depth;
            }
        }
        return depth > 0;
    };
    const auto is_translation = [&](const run& r, bool outside_brackets) {
        const bool italic_name =
            name && r.style == u'I' && r.text.find(u'.') == wide_string::npos &&
            !cites_a_page(definition.substr(std::min(r.to, definition.size())));
        return (r.style == wanted || italic_name) && !r.starts_definition && has_english(r.text) &&
               (!outside_brackets || !in_brackets(r.from));
    };
    // A translation outside brackets, else one within them.
    for (const bool outside_brackets : {true, false}) {
        const auto accept = [&](const run& r) { return is_translation(r, outside_brackets); };
        const std::vector<run> runs = runs_of(definition, converter, false, accept);
        if (accept(runs.back())) {
            const run& found = runs.back();
            return tidied(
                converted_text(definition.substr(found.from, found.to - found.from), converter));
        }
    }
    return tidied(converted_text(definition, converter));
}

} // namespace veso::occurrences
