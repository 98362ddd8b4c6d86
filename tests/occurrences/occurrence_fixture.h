#pragma once

#include "../library/synthetic_library.h"
#include "occurrences/occurrence_index.h"
#include "occurrences/reading_shares.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace veso::testing {

// The synthetic library with a small morphology and frequency table, and its occurrence index
// built by the data builder's writer with equal reading shares.
class occurrence_fixture : public ::testing::Test {
protected:
    // Keys as the program looks words up, with the lemmas of their analyses in order. θεά has two
    // lemmas, εἶπεν two (in the Bible); Ἐν is not known with its capital, so it has none.
    static const std::map<std::u16string, std::vector<std::u16string>>& morphology();
    // The frequency table's count of a lemma in an author (1 to 44), as written into o.dat.
    static int frequency(const std::u16string& lemma, int author);

    void SetUp() override;
    // Writes the index again with these reading shares, and the manifest after it, as the
    // builder does, and opens it.
    void rewrite_index(const corpus::reading_likelihood& readings);
    std::filesystem::path data() const { return library.root() / "data"; }
    // Opens the index as the program does.
    occurrences::occurrence_index::opened open() const;

    synthetic_library library;
    std::unique_ptr<occurrences::occurrence_index> index;
};

} // namespace veso::testing
