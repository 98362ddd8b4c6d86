#include "occurrences/occurrence_search.h"

#include <algorithm>
#include <bit>

namespace veso::occurrences {

author_walk::author_walk(const occurrence_index& index) {
    for (const leaf_record& leaf : index.leaves()) {
        if (runs_.empty() || runs_.back().author != leaf.author) {
            runs_.push_back({leaf.first_token, leaf.author});
        }
    }
}

int author_walk::author_of(std::uint32_t token) {
    while (run_ + 1 < runs_.size() && runs_[run_ + 1].first_token <= token) {
        ++run_;
    }
    return runs_.empty() ? 0 : runs_[run_].author;
}

occurrence_search search_lemmas(const occurrence_index& index,
                                std::span<const std::uint32_t> lemmas) {
    occurrence_search search;
    search.lemmas.assign(lemmas.begin(), lemmas.end());
    for (const std::uint32_t l : lemmas) {
        for (const std::uint32_t k : index.keys_of_lemma(l)) {
            search.keys.push_back(k);
        }
    }
    std::sort(search.keys.begin(), search.keys.end());
    search.keys.erase(std::unique(search.keys.begin(), search.keys.end()), search.keys.end());
    return search;
}

occurrence_search search_form(std::span<const std::uint32_t> keys) {
    occurrence_search search;
    search.keys.assign(keys.begin(), keys.end());
    return search;
}

hit_list find_hits(const occurrence_index& index, const occurrence_search& search) {
    // One bit per token for listed tokens and for likeliest readings: the keys' lists merge into
    // catalogue order by reading the bits in order.
    const std::size_t words = (index.token_count() + 63) / 64;
    std::vector<std::uint64_t> listed(words, 0);
    std::vector<std::uint64_t> likeliest(words, 0);
    author_walk authors(index);
    for (const std::uint32_t k : search.keys) {
        // Whether one of the lemmas searched is the key's likeliest reading, per author; -1 until
        // asked.
        std::array<signed char, author_slots> is_likeliest;
        is_likeliest.fill(-1);
        const auto key_lemmas = index.lemmas_of_key(k);
        authors.restart();
        index.for_each_posting(k, [&](std::uint32_t token) {
            const int author = authors.author_of(token);
            signed char& flag = is_likeliest[static_cast<std::size_t>(author)];
            if (flag < 0) {
                if (search.lemmas.empty() || key_lemmas.empty()) {
                    flag = search.lemmas.empty() ? 1 : 0;
                } else {
                    const std::uint32_t best = key_lemmas[index.likeliest_place(k, author)];
                    flag = std::find(search.lemmas.begin(), search.lemmas.end(), best) !=
                                   search.lemmas.end()
                               ? 1
                               : 0;
                }
            }
            const std::uint64_t bit = std::uint64_t{1} << (token % 64);
            listed[token / 64] |= bit;
            if (flag) {
                likeliest[token / 64] |= bit;
            }
        });
    }

    hit_list result;
    std::size_t count = 0;
    for (const std::uint64_t w : listed) {
        count += static_cast<std::size_t>(std::popcount(w));
    }
    result.hits.reserve(count);
    authors.restart();
    for (std::size_t w = 0; w < words; ++w) {
        std::uint64_t bits = listed[w];
        while (bits != 0) {
            const auto token = static_cast<std::uint32_t>(w * 64 + std::countr_zero(bits));
            bits &= bits - 1;
            const bool best = (likeliest[w] >> (token % 64)) & 1;
            result.hits.push_back({token, best});
            const auto author = static_cast<std::size_t>(authors.author_of(token));
            ++result.all_by_author[author];
            if (best) {
                ++result.likeliest_by_author[author];
            }
        }
    }
    result.all = result.hits.size();
    for (const std::uint32_t n : result.likeliest_by_author) {
        result.likeliest += n;
    }
    return result;
}

} // namespace veso::occurrences
