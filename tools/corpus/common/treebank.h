#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veso::corpus {

// One word element of a dependency treebank (the Perseus/AGDT format), as written there.
struct treebank_word {
    std::string form;
    std::string lemma;
    std::string postag;      // nine positions: part of speech, person, number, tense, mood, voice,
                             // gender, case, degree ("n-s---fn-")
    bool artificial = false; // an ellipsis node the annotators added, not text

    // A punctuation word (postag "u..."), which the text joins to the word before it.
    bool punctuation() const;
};

struct treebank_sentence {
    std::string document; // document_id
    std::string subdoc;   // the citation: "1.1" (chapter.section), "15a", "29.XIV"
    std::vector<treebank_word> words;
};

// Every sentence of a treebank file in order. Returns nothing after writing the reason into error.
std::optional<std::vector<treebank_sentence>> read_treebank(const std::filesystem::path& file,
                                                            std::string& error);
// The same from XML held in memory (tests).
std::optional<std::vector<treebank_sentence>> read_treebank_text(std::string_view xml,
                                                                 std::string& error);

} // namespace veso::corpus
