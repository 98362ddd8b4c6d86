#pragma once

#include "greek/betaconverter.h"
#include "lexicon/dictionary_sources.h"
#include "lexicon/morphology_analysis.h"
#include "lexicon/record_file.h"
#include "lexicon/text_words.h"

#include <filesystem>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace veso::corpus {

// A headword without accents and homograph digit, for matching spellings whose accent differs.
std::string without_accents(std::string_view headword);
// A compound the analyser wrote as preverb and verb ("dia/-o(ri/zw") joined as the dictionary
// writes it ("diori/zw"), up to its accent: elision, aspiration and assimilated nasals.
std::string join_preverb(std::string_view lemma);

// The analyses of every word form, from the analyser (m.dat) and, for New Testament forms the
// analyser missed, from MorphGNT (m_a.dat), keyed as the program looks words up.
class morphology_store {
public:
    using analyses = std::vector<morphology_analysis>;

    // analyses.tsv: key TAB analyser output, one line a key.
    void read_analyser_output(std::string_view file_text);
    // Every *-morphgnt.txt file of the folder.
    void read_morphgnt(const std::filesystem::path& folder, const betaconverter& converter);
    // The treebank files' own lemmas and tags, for forms no other source analyses.
    void read_treebanks(const std::vector<std::filesystem::path>& files,
                        const betaconverter& converter);
    // Adds the keys of the built texts: a key the analyser lists is kept as it is; another key
    // takes the analyses of the word's bare Greek letters, or MorphGNT's, or a treebank's.
    void add_text_words(const text_word_counts& words);
    // Writes every last headword as the dictionary spells it: as LSJ keys the homograph the
    // analysis means where LSJ has the word in full, otherwise as another dictionary spells it
    // (homograph digit, "-pl" plurals, joined preverbs, accents).
    void match_headwords(const dictionary& dictionary);
    // Puts every form's analyses in the order given for it: the indexes of its list, each once.
    void order_analyses(const std::function<std::vector<std::size_t>(std::string_view key,
                                                                     const analyses& list)>& order);

    // What the program finds for a key: the key itself, then without its first "*", and so on.
    const analyses* find(std::string_view key) const;
    void for_each_lemma(const std::function<void(std::string_view)>& f) const;

    void records(std::vector<record>& main, std::vector<record>& added) const;
    nlohmann::json figures() const;
    // How many analyses the stored forms have, and the sum of the checksums of every
    // "key 0x02 analysis" line: both stay the same whatever order the analyses take.
    nlohmann::json analyses_fingerprint() const;

private:
    std::unordered_map<std::string, analyses> main_;
    std::unordered_map<std::string, analyses> added_;
    std::unordered_map<std::string, analyses> morphgnt_;
    std::unordered_map<std::string, analyses> treebank_;
    std::size_t analyser_keys_ = 0;
    std::size_t analyser_keys_without_analysis_ = 0;
    std::size_t source_keys_not_words_ = 0;
    std::size_t repeated_analyses_dropped_ = 0;
    std::size_t text_keys_from_treebanks_ = 0;
    std::size_t text_keys_borrowed_ = 0;
    mutable std::size_t dropped_analyses_ = 0;
    std::size_t headwords_renamed_ = 0;
};

} // namespace veso::corpus
