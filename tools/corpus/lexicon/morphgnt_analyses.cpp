#include "lexicon/morphgnt_analyses.h"

#include "common/unicode_text.h"
#include "lexicon/definition_text.h"
#include "lexicon/string_edits.h"

#include <algorithm>

namespace veso::corpus {

std::string lookup_key(std::u16string_view word, const betaconverter& converter) {
    wide_string key = converter.to_betacode(wide_string(word));
    clean_clicked_word(key);
    std::string out;
    out.reserve(key.size());
    for (const char16_t c : key) {
        if (c > 0xFF) {
            return {};
        }
        out += static_cast<char>(c);
    }
    return out;
}

namespace {

std::vector<std::string_view> fields_of(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ') {
            ++i;
        }
        if (i > start) {
            fields.push_back(line.substr(start, i - start));
        }
    }
    return fields;
}

const char* code_word(char code, std::string_view codes, const char* const* words) {
    const auto at = codes.find(code);
    return at == std::string_view::npos ? nullptr : words[at];
}

void add(std::string& description, const char* word) {
    if (word != nullptr) {
        description += word;
        description += ' ';
    }
}

} // namespace

bool parse_morphgnt_line(std::string_view line, const betaconverter& converter,
                         morphgnt_word& word) {
    const auto fields = fields_of(line);
    if (fields.size() < 7 || fields[1].size() != 2 || fields[2].size() != 8) {
        return false;
    }
    const std::string_view pos = fields[1];
    const std::string_view parse = fields[2];
    word.part_of_speech = pos;
    word.parse = parse;
    word.key = lookup_key(normalise_greek(greek_from_utf8(fields[4])), converter);
    if (word.key.empty()) {
        return false;
    }
    const std::u16string lemma = greek_to_beta(greek_from_utf8(fields[6]), converter);
    morphology_analysis& a = word.analysis;
    a = morphology_analysis{};
    a.headwords.clear();
    for (const char16_t c : lemma) {
        if (c > 0x7F) {
            return false;
        }
        a.headwords += static_cast<char>(c);
    }
    a.headwords = normalise_headword(a.headwords);
    if (a.headwords.empty()) {
        return false;
    }
    static const char* const tenses[] = {"pres", "ipf", "fut", "aor", "perf", "plup"};
    static const char* const voices[] = {"act", "mid", "pass"};
    static const char* const moods[] = {"ind", "ipv", "subj", "opt", "inf", "part"};
    static const char* const persons[] = {"1st", "2nd", "3rd"};
    static const char* const cases[] = {"nom", "gen", "dat", "acc", "voc"};
    static const char* const numbers[] = {"sg", "pl"};
    static const char* const genders[] = {"masc", "fem", "neut"};
    static const char* const degrees[] = {"comp", "superl"};
    std::string d = " ";
    if (pos == "V-") {
        a.marker = parse[3] == 'P' ? 'P' : 'V';
        add(d, code_word(parse[1], "PIFAXY", tenses));
        if (a.marker == 'P') {
            add(d, "part");
            add(d, code_word(parse[2], "AMP", voices));
            add(d, code_word(parse[6], "MFN", genders));
            add(d, code_word(parse[4], "NGDAV", cases));
            add(d, code_word(parse[5], "SP", numbers));
        } else {
            add(d, code_word(parse[3], "IDSONP", moods));
            add(d, code_word(parse[2], "AMP", voices));
            add(d, code_word(parse[0], "123", persons));
            add(d, code_word(parse[5], "SP", numbers));
        }
    } else {
        if (pos == "N-") {
            a.marker = 'N';
        } else if (pos == "A-" || pos[0] == 'R') {
            a.marker = 'E';
        } else if (pos == "D-") {
            a.marker = 'D';
        } else if (pos == "P-") {
            a.marker = 'S';
        } else if (pos == "C-") {
            a.marker = 'C';
        } else if (pos == "I-") {
            a.marker = 'I';
        } else {
            a.marker = 'X';
        }
        add(d, code_word(parse[6], "MFN", genders));
        add(d, code_word(parse[4], "NGDAV", cases));
        add(d, code_word(parse[0], "123", persons));
        add(d, code_word(parse[5], "SP", numbers));
        add(d, code_word(parse[7], "CS", degrees));
    }
    a.description = std::move(d);
    a.notes = "MorphGNT";
    return true;
}

std::map<std::string, std::vector<morphology_analysis>>
read_morphgnt(const std::vector<std::string>& file_texts, const betaconverter& converter) {
    std::map<std::string, std::vector<morphology_analysis>> result;
    morphgnt_word word;
    for (const auto& text : file_texts) {
        std::size_t start = 0;
        while (start < text.size()) {
            auto end = text.find('\n', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            if (parse_morphgnt_line(std::string_view(text).substr(start, end - start), converter,
                                    word)) {
                auto& list = result[word.key];
                const std::string serialised = word.analysis.serialise();
                if (std::none_of(list.begin(), list.end(), [&](const morphology_analysis& a) {
                        return a.serialise() == serialised;
                    })) {
                    list.push_back(word.analysis);
                }
            }
            start = end + 1;
        }
    }
    return result;
}

} // namespace veso::corpus
