// The occurrence index built from the corpus, against the frequency table and the catalogue.
#include "lexicon/lexicon.h"
#include "library/catalogue_tree.h"
#include "library/mydoc.h"
#include "occurrences/occurrence_search.h"
#include "occurrences/vocabulary.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace veso {
namespace {

using namespace veso::occurrences;

const std::filesystem::path data_folder = std::filesystem::path(VESO_REAL_DATA_ROOT) / "data";

class RealOccurrences : public testing::Test {
protected:
    static void SetUpTestSuite() {
        auto opened = occurrence_index::open(data_folder, document_tables::compiled().fingerprint);
        ASSERT_TRUE(opened.index) << std::string(opened.message.begin(), opened.message.end());
        index = std::move(opened.index);
        lex = std::make_unique<lexicon>(data_folder);
        lex->wait_until_loaded();
    }
    static void TearDownTestSuite() {
        index.reset();
        lex.reset();
    }
    static inline std::unique_ptr<occurrence_index> index;
    static inline std::unique_ptr<lexicon> lex;
};

TEST_F(RealOccurrences, WrathIsFoundInHomerFromTheIliadsFirstWord) {
    const auto lemmas = index->find_lemmas(u"mh=nis");
    ASSERT_EQ(lemmas.size(), 1u);
    const hit_list hits = find_hits(*index, search_lemmas(*index, lemmas));
    ASSERT_FALSE(hits.hits.empty());
    const hit& first = hits.hits.front();
    const leaf_record& leaf = index->leaves()[index->leaf_of_token(first.token)];
    EXPECT_EQ(leaf.id, 40519);
    EXPECT_EQ(index->position_of(first.token), 0);
    EXPECT_TRUE(first.likeliest);
    EXPECT_EQ(catalogue_title_of(leaf.id),
              u"Book 1, Iliad, Homer (c. 800 BCE),   Early and Epic Poetry");
    EXPECT_GT(hits.likeliest_by_author[17], 10u);
    EXPECT_LE(std::filesystem::file_size(data_folder / "occurrences.idx"), 40'000'000u);
}

// Two independent counts: the frequency table shares the words of the built texts among their
// lemmas by the model of readings, author by author; the index lists the tokens of the leaves as
// the program loads and looks them up, each under its key's lemmas with the share it stores for
// the token's author. A lemma's shares in an author add up to the table's count (rounded there),
// which the index also carries.
TEST_F(RealOccurrences, EveryLemmasSharesPerAuthorAddUpToTheFrequencyTablesCount) {
    std::vector<std::array<double, author_slots>> counted(index->lemma_count());
    author_walk authors(*index);
    for (std::uint32_t k = 0; k < index->key_count(); ++k) {
        std::array<std::uint32_t, author_slots> per_author{};
        authors.restart();
        index->for_each_posting(k, [&](std::uint32_t token) {
            ++per_author[static_cast<std::size_t>(authors.author_of(token))];
        });
        const auto lemmas = index->lemmas_of_key(k);
        for (std::size_t place = 0; place < lemmas.size(); ++place) {
            for (std::size_t a = 1; a < author_slots; ++a) {
                counted[lemmas[place]][a] +=
                    per_author[a] *
                    static_cast<double>(index->share(k, place, static_cast<int>(a)));
            }
        }
    }
    // Rows that no catalogue leaf shows (five of Diodorus's) are counted by the table but cannot
    // be opened, so their authors' counts may only be higher there.
    std::set<std::int32_t> leaves;
    for (const catalogue_entry& entry : catalogue_entries()) {
        leaves.insert(entry.id);
    }
    std::set<int> unshown;
    for (const passage_row& row : passage_rows()) {
        if (!leaves.contains(row.id)) {
            unshown.insert(row.location.author_number);
        }
    }
    std::size_t differing = 0;
    for (std::uint32_t l = 0; l < index->lemma_count(); ++l) {
        for (unsigned a = 1; a < author_slots; ++a) {
            const auto table = static_cast<double>(lex->frequency_field(index->lemma(l), a));
            EXPECT_EQ(index->lemma_count_in(l, static_cast<int>(a)), table);
            // Half a token of rounding, and the shares' float precision.
            const double index_count = counted[l][a];
            const bool fits = unshown.contains(static_cast<int>(a))
                                  ? index_count <= table + 0.6
                                  : std::abs(index_count - table) <= 0.6;
            if (!fits && differing++ < 10) {
                const auto lemma = index->lemma(l);
                ADD_FAILURE() << std::string(lemma.begin(), lemma.end()) << " in author " << a
                              << ": table " << table << ", index " << index_count;
            }
        }
    }
    EXPECT_EQ(differing, 0u);
}

// The article's plural οἱ is also the dative of ἕ ("to him"); the model reads it as the article,
// so a hit of οἱ listed under ἕ is another reading, and the same token under ὁ is not.
TEST_F(RealOccurrences, HitsOfAFormAreLikeliestOnlyUnderTheModelsLikeliestLemma) {
    const auto article = index->find_lemmas(u"o(1");
    const auto him = index->find_lemmas(u"e(/");
    ASSERT_EQ(article.size(), 1u);
    ASSERT_EQ(him.size(), 1u);
    const auto keys = index->find_form(u"oi(");
    ASSERT_FALSE(keys.empty());
    std::set<std::uint32_t> tokens;
    for (const std::uint32_t k : keys) {
        index->for_each_posting(k, [&](std::uint32_t token) { tokens.insert(token); });
    }
    ASSERT_GT(tokens.size(), 20'000u);
    const auto listed = [&](const std::vector<std::uint32_t>& lemma) {
        std::map<std::uint32_t, bool> likeliest;
        for (const hit& h : find_hits(*index, search_lemmas(*index, lemma)).hits) {
            if (tokens.contains(h.token)) {
                likeliest[h.token] = h.likeliest;
            }
        }
        return likeliest;
    };
    const auto under_article = listed(article);
    const auto under_him = listed(him);
    ASSERT_EQ(under_article.size(), tokens.size());
    ASSERT_EQ(under_him.size(), tokens.size());
    for (const std::uint32_t token : tokens) {
        EXPECT_TRUE(under_article.at(token)) << token;
        EXPECT_FALSE(under_him.at(token)) << token;
    }
    // "τήν οἱ πόρε Φοῖβος Ἀπόλλων" in the Iliad's first book is among them.
    const auto iliad = index->leaf_with_id(40519);
    ASSERT_TRUE(iliad);
    const auto first = index->leaves()[*iliad].first_token;
    EXPECT_TRUE(std::any_of(tokens.begin(), tokens.end(), [&](std::uint32_t t) {
        return t >= first && index->leaf_of_token(t) == *iliad && index->position_of(t) == 3184;
    }));
}

TEST_F(RealOccurrences, VocabularyCountsAreTheLookupPanesCounts) {
    const auto leaf = index->leaf_with_id(40519);
    ASSERT_TRUE(leaf);
    const vocabulary_list list(*index, *leaf, lex->greek_converter());
    const auto rows = list.rows(vocabulary_order::first_appearance, 0);
    ASSERT_GT(rows.size(), 500u);
    EXPECT_EQ(rows[0].beta, u"mh=nis");
    EXPECT_EQ(rows[1].beta, u"a)ei/dw");
    std::uint32_t tokens = list.unanalysed_tokens();
    for (const auto& row : rows) {
        EXPECT_EQ(row.in_author, lex->frequency_field(row.beta, 17));
        // A homograph's number is raised, never a digit on the line (καί¹, not καί1).
        EXPECT_EQ(row.greek.find_first_of(u"0123456789"), wide_string::npos)
            << std::string(row.beta.begin(), row.beta.end());
        tokens += row.in_section;
    }
    EXPECT_EQ(tokens, list.tokens());
}

} // namespace
} // namespace veso
