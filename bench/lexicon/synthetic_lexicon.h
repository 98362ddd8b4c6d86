#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veso::bench {

// Sizes of a lexicon like the real one.
struct synthetic_sizes {
    std::size_t morphology = 900000;
    std::size_t dictionary = 120000;
    std::size_t definition_length = 1000;
    std::size_t frequency = 120000;
};

// Writes the six lexicon files into folder (created if needed): morphology keys are word forms
// built from Greek syllables in Beta Code, their analyses name headwords of the dictionary, and
// definitions are English-like text with Greek spans. Each file is written in key order, as the
// data builder writes them. Deterministic for given sizes.
void write_synthetic_lexicon(const std::filesystem::path& folder, const synthetic_sizes& sizes);

// Beta Code words of the kinds the look-ups are asked for, taken from the written files.
struct synthetic_samples {
    std::vector<std::u16string> known_words;
    std::vector<std::u16string> unknown_words;
    std::vector<std::u16string> headwords;
};
synthetic_samples synthetic_lexicon_samples(const synthetic_sizes& sizes, std::size_t count);

} // namespace veso::bench
