#include "lexicon/treebank_analyses.h"

#include "common/unicode_text.h"
#include "lexicon/definition_text.h"
#include "lexicon/morphgnt_analyses.h"
#include "texts/greek_cleaning.h"

#include <algorithm>

namespace veso::corpus {
namespace {

void add(std::string& description, char code, std::string_view codes,
         std::initializer_list<const char*> words) {
    const auto at = codes.find(code);
    if (at != std::string_view::npos && at < words.size()) {
        description += *(words.begin() + static_cast<std::ptrdiff_t>(at));
        description += ' ';
    }
}

// The word-class marker of the morphology file for a treebank part of speech; 0 for words that
// are not analysed (punctuation, damaged words).
char marker_of(char pos, char mood) {
    switch (pos) {
    case 'n':
        return 'N';
    case 'a':
    case 'p':
    case 'l':
    case 'm':
        return 'E';
    case 'v':
        return mood == 'p' ? 'P' : 'V';
    case 'd':
        return 'D';
    case 'r':
        return 'S';
    case 'c':
        return 'C';
    case 'g':
        return 'X';
    case 'i':
    case 'e':
        return 'I';
    default:
        return 0;
    }
}

} // namespace

bool treebank_analysis(const treebank_word& word, const betaconverter& converter, std::string& key,
                       morphology_analysis& analysis) {
    const std::string& tag = word.postag;
    if (word.artificial || tag.size() != 9 || word.lemma.empty() || word.lemma == "_") {
        return false;
    }
    const char marker = marker_of(tag[0], tag[4]);
    // Damaged words ("καG?") and the halves of words cut at a hyphen are no text words.
    const bool whole = std::none_of(word.form.begin(), word.form.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80 && c != '\'';
    });
    if (marker == 0 || !whole) {
        return false;
    }
    key = lookup_key(clean_greek(utf16_from_utf8(word.form)), converter);
    if (key.empty()) {
        return false;
    }
    std::string lemma;
    for (const char16_t c : greek_to_beta(greek_from_utf8(word.lemma), converter)) {
        if (c > 0x7F) {
            return false;
        }
        lemma += static_cast<char>(c);
    }
    lemma = normalise_headword(lemma);
    if (lemma.empty()) {
        return false;
    }
    static constexpr std::string_view cases = "ngdav";
    std::string d = " ";
    const auto tense = {"pres", "ipf", "perf", "plup", "futperf", "fut", "aor"};
    const auto voice = {"act", "mid", "pass", "mp"};
    const auto gender = {"masc", "fem", "neut", "masc/fem"};
    const auto kase = {"nom", "gen", "dat", "acc", "voc"};
    const auto number = {"sg", "pl", "dual"};
    if (tag[0] == 'v') {
        add(d, tag[3], "pirltfa", tense);
        if (marker == 'P') {
            add(d, tag[4], "p", {"part"});
            add(d, tag[5], "ampe", voice);
            add(d, tag[6], "mfnc", gender);
            add(d, tag[7], cases, kase);
            add(d, tag[2], "spd", number);
        } else {
            add(d, tag[4], "isonm", {"ind", "subj", "opt", "inf", "ipv"});
            add(d, tag[5], "ampe", voice);
            add(d, tag[1], "123", {"1st", "2nd", "3rd"});
            add(d, tag[2], "spd", number);
        }
    } else {
        add(d, tag[6], "mfnc", gender);
        add(d, tag[7], cases, kase);
        add(d, tag[1], "123", {"1st", "2nd", "3rd"});
        add(d, tag[2], "spd", number);
        add(d, tag[8], "cs", {"comp", "superl"});
    }
    analysis = morphology_analysis{marker, lemma, d, "treebank"};
    return true;
}

std::map<std::string, std::vector<morphology_analysis>>
treebank_analyses(const std::vector<treebank_sentence>& sentences, const betaconverter& converter) {
    std::map<std::string, std::vector<morphology_analysis>> result;
    std::string key;
    morphology_analysis analysis;
    for (const treebank_sentence& s : sentences) {
        for (const treebank_word& w : s.words) {
            if (!treebank_analysis(w, converter, key, analysis)) {
                continue;
            }
            auto& list = result[key];
            const std::string serialised = analysis.serialise();
            if (std::none_of(list.begin(), list.end(), [&](const morphology_analysis& a) {
                    return a.serialise() == serialised;
                })) {
                list.push_back(analysis);
            }
        }
    }
    return result;
}

} // namespace veso::corpus
