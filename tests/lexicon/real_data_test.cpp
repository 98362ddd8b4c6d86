// The lexicon over the data built from the corpus.
#include "lexicon/lexicon.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace veso {
namespace {

TEST(real_lexicon, loads_and_answers_the_common_questions) {
    lexicon lex(std::filesystem::path(VESO_REAL_DATA_ROOT) / "data");
    lex.wait_until_loaded();
    ASSERT_TRUE(lex.loading_finished());
    EXPECT_GT(lex.morphology_size(), 10000u);
    EXPECT_GT(lex.dictionary_size(), 10000u);
    EXPECT_GT(lex.frequency_size(), 1000u);
    // Index keys collide only rarely.
    EXPECT_GT(lex.alphabetical_index_size(), lex.dictionary_size() * 99 / 100);

    auto analysed = lex.analyse_word(u"lo/gos,", true);
    EXPECT_NE(analysed[0].find(u"lo/gos"), wide_string::npos);
    EXPECT_NE(analysed[1], u"?");
    EXPECT_FALSE(lex.short_definition_of(u"lo/gos").empty());
    EXPECT_EQ(lex.short_definition_of(u"lo/gos").find(u"<G>"), wide_string::npos);

    lex.open_dictionary_page(u"lo/gos");
    ASSERT_EQ(lex.dictionary_page.size(), 40u);
    EXPECT_EQ(lex.dictionary_page[20], u"lo/gos");
    auto neighbours = lex.dictionary_neighbours(u"lo/gos");
    EXPECT_FALSE(neighbours[0].empty());
}

} // namespace
} // namespace veso
