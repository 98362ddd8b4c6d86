#include "lexicon/morphology_store.h"

#include "datafiles/data_manifest.h"
#include "lexicon/dictionary_sources.h"
#include "lexicon/lsj_homographs.h"
#include "lexicon/morphgnt_analyses.h"
#include "lexicon/record_file.h"
#include "lexicon/treebank_analyses.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

namespace veso::corpus {
namespace {

// Analyses the lookup pane would show alike (same marker, lemma and description) are kept once;
// returns how many went.
std::size_t drop_repeated(morphology_store::analyses& list) {
    const std::size_t before = list.size();
    for (std::size_t i = 1; i < list.size();) {
        const auto& a = list[i];
        const bool seen = std::any_of(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(i),
                                      [&](const morphology_analysis& b) {
                                          return a.marker == b.marker && a.lemma() == b.lemma() &&
                                                 a.description == b.description;
                                      });
        if (seen) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return before - list.size();
}

} // namespace

void morphology_store::read_analyser_output(std::string_view file_text) {
    std::size_t start = 0;
    while (start < file_text.size()) {
        auto end = file_text.find('\n', start);
        if (end == std::string_view::npos) {
            end = file_text.size();
        }
        const std::string_view line = file_text.substr(start, end - start);
        start = end + 1;
        const auto tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0) {
            continue;
        }
        ++analyser_keys_;
        auto list = parse_analyser_output(line.substr(tab + 1));
        if (list.empty()) {
            ++analyser_keys_without_analysis_;
            continue;
        }
        const std::string_view key = line.substr(0, tab);
        if (!is_word_key(key)) {
            ++source_keys_not_words_;
            continue;
        }
        repeated_analyses_dropped_ += drop_repeated(list);
        main_.emplace(std::string(key), std::move(list));
    }
}

void morphology_store::read_morphgnt(const std::filesystem::path& folder,
                                     const betaconverter& converter) {
    std::vector<std::string> texts;
    std::error_code ec;
    std::vector<std::filesystem::path> paths;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
        if (item.path().filename().string().ends_with("-morphgnt.txt")) {
            paths.push_back(item.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    for (const auto& p : paths) {
        texts.push_back(read_whole_file(p));
    }
    for (auto& [key, list] : corpus::read_morphgnt(texts, converter)) {
        if (!is_word_key(key)) {
            ++source_keys_not_words_;
            continue;
        }
        morphgnt_.emplace(key, std::move(list));
    }
    for (const auto& [key, list] : morphgnt_) {
        if (!main_.contains(key)) {
            added_.emplace(key, list);
        }
    }
}

void morphology_store::read_treebanks(const std::vector<std::filesystem::path>& files,
                                      const betaconverter& converter) {
    for (const auto& file : files) {
        std::string error;
        const auto sentences = read_treebank(file, error);
        if (!sentences) {
            continue; // the texts' build has already refused a treebank it cannot read
        }
        for (auto& [key, list] : treebank_analyses(*sentences, converter)) {
            if (!is_word_key(key)) {
                ++source_keys_not_words_;
                continue;
            }
            auto& known = treebank_[key];
            for (auto& a : list) {
                known.push_back(std::move(a));
            }
            drop_repeated(known);
        }
    }
}

void morphology_store::add_text_words(const text_word_counts& words) {
    for (const auto& w : words.words) {
        if (main_.contains(w.key) || added_.contains(w.key)) {
            continue;
        }
        if (const auto it = main_.find(w.analysis_key); it != main_.end()) {
            main_.emplace(w.key, it->second);
            ++text_keys_borrowed_;
        } else if (const auto gnt = morphgnt_.find(w.analysis_key); gnt != morphgnt_.end()) {
            added_.emplace(w.key, gnt->second);
            ++text_keys_borrowed_;
        } else if (auto tree = treebank_.find(w.key);
                   tree != treebank_.end() ||
                   (tree = treebank_.find(w.analysis_key)) != treebank_.end()) {
            added_.emplace(w.key, tree->second);
            ++text_keys_from_treebanks_;
        }
    }
}

std::string without_accents(std::string_view headword) {
    std::string out;
    out.reserve(headword.size());
    for (const char c : headword) {
        if (c != '/' && c != '\\' && c != '=' && !(c >= '0' && c <= '9')) {
            out += c;
        }
    }
    return out;
}

std::string join_preverb(std::string_view lemma) {
    const auto dash = lemma.rfind('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 >= lemma.size()) {
        return std::string(lemma);
    }
    std::string prefix = without_accents(join_preverb(lemma.substr(0, dash)));
    std::string verb(lemma.substr(dash + 1));
    const auto is_vowel = [](char c) {
        return std::string_view("aeiouhw").find(c) != std::string_view::npos;
    };
    std::size_t letter = 0;
    while (letter < verb.size() && !(verb[letter] >= 'a' && verb[letter] <= 'z')) {
        ++letter;
    }
    if (letter < verb.size() && is_vowel(verb[letter])) {
        const bool rough = verb.find('(') != std::string::npos && verb.find('(') < letter + 3;
        // The verb loses its breathing; the preverb elides its vowel (not peri, pro, amfi) and
        // aspirates its last consonant before a rough breathing.
        std::string bare = verb.substr(letter);
        const auto breathing = bare.find_first_of("()");
        if (breathing != std::string::npos && breathing < 3) {
            bare.erase(breathing, 1);
        }
        verb = bare;
        if (!prefix.empty() && is_vowel(prefix.back()) && prefix != "peri" && prefix != "pro" &&
            prefix.size() > 2) {
            prefix.pop_back();
        }
        if (prefix == "e)k") {
            prefix = "e)c";
        }
        if (rough && !prefix.empty()) {
            char& last = prefix.back();
            last = last == 'p' ? 'f' : last == 't' ? 'q' : last == 'k' ? 'x' : last;
        }
    } else if (!prefix.empty() && prefix.back() == 'n' && letter < verb.size()) {
        const char next = verb[letter];
        if (std::string_view("pbfmy").find(next) != std::string_view::npos) {
            prefix.back() = 'm';
        } else if (std::string_view("kgxc").find(next) != std::string_view::npos) {
            prefix.back() = 'g';
        } else if (next == 'l' || next == 'r') {
            prefix.back() = next;
        }
    }
    return prefix + verb;
}

void morphology_store::match_headwords(const dictionary& dictionary) {
    const auto& definitions = dictionary.definitions;
    std::unordered_map<std::string, std::string> spelling;
    // Dictionary headwords by their letters and breathings alone, where that is unambiguous.
    std::unordered_map<std::string, std::string> by_letters;
    std::unordered_set<std::string> ambiguous;
    for (const auto& [headword, definition] : definitions) {
        if (!std::all_of(headword.begin(), headword.end(), [](char16_t c) { return c < 0x80; })) {
            continue;
        }
        const std::string h(headword.begin(), headword.end());
        const std::string letters = without_accents(h);
        if (ambiguous.contains(letters)) {
            continue;
        }
        const auto [it, inserted] = by_letters.emplace(letters, h);
        // Homographs of one word share their letters: the first of them stands for all.
        if (!inserted && without_homograph_digits(it->second) != without_homograph_digits(h)) {
            by_letters.erase(it);
            ambiguous.insert(letters);
        }
    }
    auto known = [&](const std::string& h) { return definitions.contains(widen(h)); };
    auto dictionary_spelling = [&](const std::string& lemma, char marker) -> std::string {
        std::string base = lemma;
        if (base.ends_with("-pl")) {
            base.resize(base.size() - 3);
        }
        while (!base.empty() &&
               (base.back() == '%' || (base.back() >= '1' && base.back() <= '9'))) {
            base.pop_back();
        }
        const std::string joined = join_preverb(base);
        // LSJ first: a word it has in full is shown in full, whatever the homograph digit.
        for (const std::string& form : {lemma, base, joined}) {
            if (auto key = dictionary.lsj.key_for(form, marker)) {
                return *key;
            }
        }
        if (known(lemma)) {
            return lemma;
        }
        for (const std::string& candidate : {base, base + "1", base + "2"}) {
            if (!candidate.empty() && known(candidate)) {
                return candidate;
            }
        }
        if (joined != base && known(joined)) {
            return joined;
        }
        if (const auto it = by_letters.find(without_accents(joined)); it != by_letters.end()) {
            return it->second;
        }
        // A name no dictionary has as a name (*ni/kh) takes LSJ's entry of the word, which the
        // program would find without the capital if LSJ did not number its homographs.
        if (const auto star = base.find('*'); star != std::string::npos) {
            std::string lower = base;
            lower.erase(star, 1);
            if (auto key = dictionary.lsj.key_for(lower, marker)) {
                return *key;
            }
        }
        return lemma;
    };
    auto rename = [&](analyses& list) {
        for (auto& a : list) {
            const std::string lemma(a.lemma());
            auto it = spelling.find(a.marker + lemma);
            if (it == spelling.end()) {
                it = spelling.emplace(a.marker + lemma, dictionary_spelling(lemma, a.marker)).first;
            }
            if (it->second != lemma) {
                a.set_lemma(it->second);
                ++headwords_renamed_;
            }
        }
    };
    // Respelt lemmas can make two analyses alike.
    for (auto* table : {&main_, &added_}) {
        for (auto& [key, list] : *table) {
            rename(list);
            repeated_analyses_dropped_ += drop_repeated(list);
        }
    }
}

void morphology_store::order_analyses(
    const std::function<std::vector<std::size_t>(std::string_view key, const analyses& list)>&
        order) {
    for (auto* table : {&main_, &added_}) {
        for (auto& [key, list] : *table) {
            analyses ordered;
            ordered.reserve(list.size());
            for (const auto i : order(key, list)) {
                ordered.push_back(std::move(list[i]));
            }
            list = std::move(ordered);
        }
    }
}

const morphology_store::analyses* morphology_store::find(std::string_view key) const {
    std::string k(key);
    while (true) {
        if (const auto it = main_.find(k); it != main_.end()) {
            return &it->second;
        }
        if (const auto it = added_.find(k); it != added_.end()) {
            return &it->second;
        }
        const auto star = k.find('*');
        if (star == std::string::npos) {
            return nullptr;
        }
        k.erase(star, 1);
    }
}

void morphology_store::for_each_lemma(const std::function<void(std::string_view)>& f) const {
    for (const auto* table : {&main_, &added_}) {
        for (const auto& [key, list] : *table) {
            for (const auto& a : list) {
                f(a.lemma());
            }
        }
    }
}

void morphology_store::records(std::vector<record>& main, std::vector<record>& added) const {
    auto fill = [&](const std::unordered_map<std::string, analyses>& table,
                    std::vector<record>& out) {
        std::vector<const std::string*> keys;
        keys.reserve(table.size());
        for (const auto& [key, list] : table) {
            keys.push_back(&key);
        }
        std::sort(keys.begin(), keys.end(),
                  [](const std::string* a, const std::string* b) { return *a < *b; });
        out.reserve(keys.size());
        for (const auto* key : keys) {
            std::size_t dropped = 0;
            const std::string value =
                morphology_value(table.at(*key), morphology_format.max_value, dropped);
            dropped_analyses_ += dropped;
            out.emplace_back(widen(*key), widen(value));
        }
    };
    fill(main_, main);
    fill(added_, added);
}

nlohmann::json morphology_store::figures() const {
    return {{"analyser_keys", analyser_keys_},
            {"analyser_keys_without_analysis", analyser_keys_without_analysis_},
            {"morphgnt_keys", morphgnt_.size()},
            {"text_keys_taking_bare_word_analyses", text_keys_borrowed_},
            {"text_keys_taking_treebank_analyses", text_keys_from_treebanks_},
            {"source_keys_not_words", source_keys_not_words_},
            {"repeated_analyses_dropped", repeated_analyses_dropped_},
            {"headwords_respelled_as_dictionary", headwords_renamed_},
            {"analyses_dropped_over_field_limit", dropped_analyses_}};
}

nlohmann::json morphology_store::analyses_fingerprint() const {
    std::uint64_t count = 0, sum = 0;
    for (const auto* table : {&main_, &added_}) {
        for (const auto& [key, list] : *table) {
            for (const auto& a : list) {
                const std::string line = key + '\x02' + a.serialise();
                datafiles::checksum c;
                c.add({reinterpret_cast<const unsigned char*>(line.data()), line.size()});
                sum += c.value();
                ++count;
            }
        }
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(sum));
    return {{"analyses", count}, {"line_checksum_sum", hex}};
}

} // namespace veso::corpus
