#include "lexicon/annotation_match.h"

#include "lexicon/morphology_store.h"

#include <algorithm>
#include <array>
#include <utility>

namespace veso::corpus {

std::string comparable_lemma(std::string_view beta) {
    std::string lemma(beta);
    if (lemma.ends_with("-pl")) {
        lemma.resize(lemma.size() - 3);
    }
    if (lemma.find('-') != std::string::npos) {
        lemma = join_preverb(lemma);
    }
    std::string out;
    out.reserve(lemma.size());
    std::string capital_marks; // a capital's breathing and accent come before its letter
    bool capital = false;
    for (const char c : lemma) {
        if (c == '*') {
            capital = true;
        } else if (c == ')' || c == '(' || c == '/' || c == '\\' || c == '=' || c == '+' ||
                   c == '|') {
            (capital ? capital_marks : out) += c == '\\' ? '/' : c;
        } else if (c >= 'a' && c <= 'z') {
            out += c;
            out += capital_marks;
            capital_marks.clear();
            capital = false;
        } else if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
            capital = false;
        }
    }
    return out;
}

namespace {

// A comparable lemma without accents, breathings, diaeresis or iota subscript.
std::string lemma_letters(std::string_view comparable) {
    std::string out;
    for (const char c : comparable) {
        if (c >= 'a' && c <= 'z') {
            out += c;
        }
    }
    return out;
}

// The tag letters each description word allows, by tag position.
struct feature {
    std::string_view word;
    std::size_t position;
    std::string_view letters;
};

constexpr std::array<feature, 33> features{{
    {"1st", 1, "1"},  {"2nd", 1, "2"},   {"3rd", 1, "3"},     {"sg", 2, "s"},    {"pl", 2, "p"},
    {"dual", 2, "d"}, {"pres", 3, "p"},  {"ipf", 3, "i"},     {"fut", 3, "f"},   {"aor", 3, "a"},
    {"perf", 3, "r"}, {"plup", 3, "l"},  {"futperf", 3, "t"}, {"ind", 4, "i"},   {"subj", 4, "s"},
    {"opt", 4, "o"},  {"ipv", 4, "m"},   {"inf", 4, "n"},     {"part", 4, "p"},  {"act", 5, "a"},
    {"mid", 5, "me"}, {"pass", 5, "pe"}, {"mp", 5, "mpe"},    {"masc", 6, "mc"}, {"fem", 6, "fc"},
    {"neut", 6, "n"}, {"nom", 7, "n"},   {"gen", 7, "g"},     {"dat", 7, "d"},   {"acc", 7, "a"},
    {"voc", 7, "v"},  {"comp", 8, "c"},  {"superl", 8, "s"},
}};

// The markers that match a tag's part of speech, and those that the analyser may use for it
// too: the two schemes draw the lines between particles, adverbs and conjunctions differently.
struct markers {
    std::string_view match;
    std::string_view allowed;
};

markers markers_of(char part_of_speech) {
    switch (part_of_speech) {
    case 'n':
        return {"N", "E"};
    case 'a':
        return {"E", "N"};
    case 'p':
        return {"EN", ""};
    case 'm':
        return {"E", "N"};
    case 'l':
        return {"E", ""};
    case 'v':
        return {"VP", ""};
    case 'd':
        return {"DX", "CS"};
    case 'c':
        return {"C", "XD"};
    case 'b':
        return {"CX", "D"};
    case 'r':
        return {"S", "D"};
    case 'i':
    case 'e':
        return {"I", ""};
    case 'g':
        return {"X", "D"};
    default:
        return {"", ""};
    }
}

// Lemmas the annotators file suppletive forms under, with the analyser's headwords for them.
struct suppletive {
    std::string_view lemma;
    std::array<std::string_view, 7> headwords;
};

constexpr std::array<suppletive, 7> suppletives{{
    {"legw", {"eipon", "erw", "erew"}},
    {"oraw", {"eidon"}},
    {"mala", {"mallon", "malista"}},
    {"polus", {"pleiwn", "pleistos", "pleon"}},
    {"agaqos", {"ameinwn", "beltiwn", "kreisswn", "kreittwn", "aristos", "beltistos", "kratistos"}},
    {"kakos", {"xeirwn", "hsswn", "httwn", "kakistos", "xeiristos"}},
    {"oligos", {"elasswn", "elattwn", "elaxistos"}},
}};

std::size_t edit_distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string without_middle_ending(std::string_view letters) {
    return letters.ends_with("omai") ? std::string(letters.substr(0, letters.size() - 4)) + "w"
                                     : std::string(letters);
}

// Whether two lemmas with different letters are the same word under the two conventions: a
// suppletive form filed under its base word, a deponent's middle against its active, or spellings
// one letter apart (γίνομαι, γίγνομαι; the adverb μόνον, the adjective μόνος).
bool related_lemmas(std::string_view annotated, std::string_view analysed) {
    for (const auto& s : suppletives) {
        if (s.lemma == annotated &&
            std::find(s.headwords.begin(), s.headwords.end(), analysed) != s.headwords.end()) {
            return true;
        }
    }
    if (without_middle_ending(annotated) == without_middle_ending(analysed)) {
        return true;
    }
    return annotated.size() >= 4 && analysed.size() >= 4 && edit_distance(annotated, analysed) <= 1;
}

} // namespace

int tag_agreement(std::string_view tag, const morphology_analysis& analysis) {
    if (tag.size() < 9) {
        return 0;
    }
    int score = 0;
    if (const auto m = markers_of(tag[0]); !m.match.empty()) {
        score += m.match.find(analysis.marker) != std::string_view::npos     ? 1
                 : m.allowed.find(analysis.marker) != std::string_view::npos ? 0
                                                                             : -1;
    }
    // Per position: whether the description speaks of it, and whether it allows the tag's letter.
    std::array<std::pair<bool, bool>, 9> said{};
    std::string_view d = analysis.description;
    if (const auto dialects = d.find('('); dialects != std::string_view::npos) {
        d = d.substr(0, dialects);
    }
    std::size_t i = 0;
    while (i < d.size()) {
        const auto end = d.find_first_of(" /", i);
        const auto word = d.substr(i, end == std::string_view::npos ? end : end - i);
        i = end == std::string_view::npos ? d.size() : end + 1;
        for (const auto& f : features) {
            if (f.word == word && tag[f.position] != '-') {
                said[f.position].first = true;
                if (f.letters.find(tag[f.position]) != std::string_view::npos) {
                    said[f.position].second = true;
                }
            }
        }
    }
    for (const auto& [spoken, allowed] : said) {
        if (spoken) {
            score += allowed ? 1 : -1;
        }
    }
    return score;
}

std::vector<std::size_t> annotated_analyses(std::string_view lemma, std::string_view tag,
                                            const std::vector<morphology_analysis>& list) {
    const std::string wanted = comparable_lemma(lemma);
    const std::string wanted_letters = lemma_letters(wanted);
    std::vector<std::size_t> best;
    int best_score = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string have = comparable_lemma(list[i].lemma());
        const std::string have_letters = lemma_letters(have);
        const int level = have == wanted                                 ? 3
                          : have_letters == wanted_letters               ? 2
                          : related_lemmas(wanted_letters, have_letters) ? 1
                                                                         : 0;
        if (level == 0 || wanted_letters.empty()) {
            continue;
        }
        // The lemma's spelling outweighs any agreement of the tag (nine features at most).
        const int score = level * 100 + tag_agreement(tag, list[i]);
        if (best.empty() || score > best_score) {
            best.assign(1, i);
            best_score = score;
        } else if (score == best_score) {
            best.push_back(i);
        }
    }
    return best;
}

} // namespace veso::corpus
