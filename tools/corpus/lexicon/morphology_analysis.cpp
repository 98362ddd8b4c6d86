#include "lexicon/morphology_analysis.h"

#include <algorithm>
#include <array>
#include <optional>

namespace veso::corpus {

std::string_view morphology_analysis::lemma() const {
    const auto comma = headwords.rfind(',');
    return comma == std::string::npos ? std::string_view(headwords)
                                      : std::string_view(headwords).substr(comma + 1);
}

void morphology_analysis::set_lemma(std::string_view lemma) {
    const auto comma = headwords.rfind(',');
    headwords = (comma == std::string::npos ? std::string() : headwords.substr(0, comma + 1)) +
                std::string(lemma);
}

std::string morphology_analysis::serialise() const {
    std::string out;
    out.reserve(headwords.size() + description.size() + notes.size() + 4);
    out += marker;
    out += ' ';
    out += headwords;
    out += description;
    out += '\t';
    out += notes;
    return out;
}

std::string morphology_value(const std::vector<morphology_analysis>& analyses,
                             std::size_t max_length, std::size_t& dropped) {
    std::string value;
    dropped = 0;
    for (const auto& a : analyses) {
        const std::string one = a.serialise();
        const std::size_t added = one.size() + (value.empty() ? 0 : 1);
        if (value.size() + added > max_length) {
            ++dropped;
            continue;
        }
        if (!value.empty()) {
            value += '\x03';
        }
        value += one;
    }
    return value;
}

std::string normalise_headword(std::string_view beta) {
    std::string out;
    out.reserve(beta.size());
    for (const char c : beta) {
        if (c == '_' || c == '^') {
            continue;
        }
        out += c == '\\' ? '/' : c;
    }
    return out;
}

std::string translate_description_word(std::string_view word) {
    if (word == "imperf") {
        return "ipf";
    }
    if (word == "imperat") {
        return "ipv";
    }
    return std::string(word);
}

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::vector<std::string_view> words_of(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ') {
            ++i;
        }
        if (i > start) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

bool contains(const std::vector<std::string_view>& list, std::string_view word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

// Stem classes of declinable words with more than one set of endings: adjectives.
bool is_adjective_class(std::string_view stem_class) {
    if (stem_class.find("adj") != std::string_view::npos ||
        stem_class.find("essa") != std::string_view::npos) {
        return true;
    }
    const auto parts = split(stem_class, '_');
    if (parts.size() >= 3 && parts.back() != "comp") {
        return true;
    }
    static constexpr std::array<std::string_view, 10> neuter_endings{
        "on", "es", "en", "an", "oon", "eon", "u", "wn", "on_comp", "ou_n"};
    const auto underscore = stem_class.find('_');
    if (underscore == std::string_view::npos) {
        return false;
    }
    const auto tail = stem_class.substr(underscore + 1);
    return std::find(neuter_endings.begin(), neuter_endings.end(), tail) != neuter_endings.end();
}

char nominal_marker(const std::vector<std::string_view>& stem_classes,
                    const std::vector<std::string_view>& description) {
    if (contains(stem_classes, "adverb") || contains(description, "adverbial")) {
        return 'D';
    }
    if (contains(stem_classes, "prep")) {
        return 'S';
    }
    if (contains(stem_classes, "conj")) {
        return 'C';
    }
    if (contains(stem_classes, "particle") || contains(stem_classes, "interrog")) {
        return 'X';
    }
    if (contains(stem_classes, "exclam")) {
        return 'I';
    }
    static constexpr std::array<std::string_view, 13> pronominal{
        "article",   "relative",  "pron1",   "pron3",      "demonstr",   "indef",      "numeral",
        "pron_adj1", "pron_adj3", "art_adj", "irreg_adj1", "irreg_adj3", "irreg_decl3"};
    for (const auto c : stem_classes) {
        if (std::find(pronominal.begin(), pronominal.end(), c) != pronominal.end() ||
            is_adjective_class(c)) {
            return 'E';
        }
    }
    if (contains(description, "comp") || contains(description, "superl")) {
        return 'E';
    }
    return 'N';
}

std::optional<morphology_analysis> parse_block(std::string_view block) {
    const auto fields = split(block, '\t');
    const std::string_view head = fields[0];
    if (head.size() < 3 || head[1] != ' ') {
        return std::nullopt;
    }
    const char pos = head[0];
    const auto headword_end = head.find(' ', 2);
    const std::string_view headwords =
        head.substr(2, headword_end == std::string_view::npos ? headword_end : headword_end - 2);
    if (headwords.empty()) {
        return std::nullopt;
    }
    // A few proper names carry an English lemma ("Curius"), which no dictionary has.
    if (std::any_of(headwords.begin(), headwords.end(),
                    [](char c) { return c >= 'A' && c <= 'Z'; })) {
        return std::nullopt;
    }
    const auto description = words_of(
        headword_end == std::string_view::npos ? std::string_view() : head.substr(headword_end));
    const auto dialects = fields.size() > 1 ? words_of(fields[1]) : std::vector<std::string_view>();
    const auto notes = fields.size() > 2 ? words_of(fields[2]) : std::vector<std::string_view>();
    const auto stem_classes =
        fields.size() > 3 ? split(fields[3], ',') : std::vector<std::string_view>();

    morphology_analysis a;
    if (pos == 'V' || pos == 'P') {
        a.marker = pos;
    } else {
        a.marker = nominal_marker(stem_classes, description);
    }
    // The analyser writes "form,lemma"; a form equal to its lemma is written once.
    auto list = split(headwords, ',');
    std::string normalised;
    for (const auto h : list) {
        const std::string n = normalise_headword(h);
        if (n.empty()) {
            continue;
        }
        if (!normalised.empty()) {
            normalised += ',';
        }
        normalised += n;
    }
    if (normalised.empty()) {
        return std::nullopt;
    }
    a.headwords = std::move(normalised);
    if (const auto comma = a.headwords.rfind(',');
        comma != std::string::npos && a.headwords.substr(0, comma) == a.lemma()) {
        a.headwords = std::string(a.lemma());
    }
    a.description = " ";
    for (const auto w : description) {
        a.description += translate_description_word(w);
        a.description += ' ';
    }
    if (!dialects.empty()) {
        a.description += '(';
        for (std::size_t i = 0; i < dialects.size(); ++i) {
            a.description += (i == 0 ? "" : " ");
            a.description += dialects[i];
        }
        a.description += ") ";
    }
    for (const auto n : notes) {
        a.notes += (a.notes.empty() ? "" : " ");
        a.notes += n;
    }
    for (const auto c : stem_classes) {
        a.notes += (a.notes.empty() ? "" : " ");
        a.notes += c;
    }
    return a;
}

} // namespace

std::vector<morphology_analysis> parse_analyser_output(std::string_view blocks) {
    std::vector<morphology_analysis> result;
    std::vector<std::string> seen;
    std::size_t pos = 0;
    while (true) {
        const auto open = blocks.find("<NL>", pos);
        if (open == std::string_view::npos) {
            break;
        }
        const auto close = blocks.find("</NL>", open + 4);
        if (close == std::string_view::npos) {
            break;
        }
        pos = close + 5;
        auto a = parse_block(blocks.substr(open + 4, close - open - 4));
        if (!a) {
            continue;
        }
        std::string text = a->serialise();
        if (std::find(seen.begin(), seen.end(), text) != seen.end()) {
            continue;
        }
        seen.push_back(std::move(text));
        result.push_back(std::move(*a));
    }
    return result;
}

} // namespace veso::corpus
