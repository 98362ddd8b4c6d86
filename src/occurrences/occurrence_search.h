#pragma once

#include "occurrences/occurrence_index.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace veso::occurrences {

// What a search lists: the tokens of some keys, and for each whether one of the lemmas searched
// is its likeliest reading.
struct occurrence_search {
    std::vector<std::uint32_t> lemmas; // empty when a form was searched
    std::vector<std::uint32_t> keys;
};

// Every token of the keys that have one of the lemmas; the likeliest readings are those where one
// of the lemmas has the highest share in the token's author.
occurrence_search search_lemmas(const occurrence_index& index,
                                std::span<const std::uint32_t> lemmas);
// Every token of the keys, each a likeliest reading.
occurrence_search search_form(std::span<const std::uint32_t> keys);

struct hit {
    std::uint32_t token;
    bool likeliest;
};

// The tokens a search lists, in catalogue order, with the counts per author number.
struct hit_list {
    std::vector<hit> hits;
    std::array<std::uint32_t, author_slots> all_by_author{};
    std::array<std::uint32_t, author_slots> likeliest_by_author{};
    std::uint64_t all = 0;
    std::uint64_t likeliest = 0;
};
hit_list find_hits(const occurrence_index& index, const occurrence_search& search);

// The author number of each token, found by walking forward through runs of leaves.
class author_walk {
public:
    explicit author_walk(const occurrence_index& index);
    // Tokens asked for must not decrease until restart().
    int author_of(std::uint32_t token);
    void restart() { run_ = 0; }

private:
    struct run {
        std::uint32_t first_token;
        int author;
    };
    std::vector<run> runs_;
    std::size_t run_ = 0;
};

} // namespace veso::occurrences
