#pragma once

#include "greek/wide_string.h"
#include "occurrences/index_format.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace veso::occurrences {

// Why the index could not be used.
enum class index_problem { none, missing, damaged, stale };

// The occurrence index of data/occurrences.idx, read whole into memory and checked when opened.
// Tokens, keys and lemmas are numbered as index_format.h describes. Only reads after opening, so
// one index may serve several threads.
class occurrence_index {
public:
    struct opened {
        std::unique_ptr<occurrence_index> index; // null unless problem is none
        index_problem problem = index_problem::none;
        wide_string message; // what is wrong and the command that rebuilds the index
    };
    // Reads data_folder/occurrences.idx and checks its size, its checksum against the folder's
    // manifest (when the folder has one), that every list in it stays within its bounds, and that
    // it was built from the data files now in the folder for the text tables with this
    // fingerprint.
    static opened open(const std::filesystem::path& data_folder, std::string_view fingerprint);

    std::uint32_t token_count() const { return token_count_; }
    std::span<const leaf_record> leaves() const { return leaves_; }
    // The leaf holding a token (an index into leaves()), and the token's position in that leaf's
    // loaded text; the token must be below token_count().
    std::size_t leaf_of_token(std::uint32_t token) const;
    std::int32_t position_of(std::uint32_t token) const;
    std::optional<std::size_t> leaf_with_id(std::int32_t id) const;
    // Tokens of the leaves filed under the author number.
    std::uint64_t author_tokens(int author) const;

    struct leaf_token {
        std::int32_t position;
        std::uint32_t key;
    };
    std::vector<leaf_token> tokens_of_leaf(std::size_t leaf) const;

    std::uint32_t key_count() const { return static_cast<std::uint32_t>(keys_.size()); }
    wide_string key(std::uint32_t k) const;
    std::span<const std::uint32_t> lemmas_of_key(std::uint32_t k) const;
    // The share of the key's place-th lemma in texts of the author.
    float share(std::uint32_t k, std::size_t place, int author) const;
    // The place of the lemma with the highest share in texts of the author (the first of equal
    // ones); 0 for a key without lemmas.
    std::size_t likeliest_place(std::uint32_t k, int author) const;
    // Calls visit(token) for each token of the key, in increasing order.
    template <class Visit> void for_each_posting(std::uint32_t k, Visit&& visit) const;

    std::uint32_t lemma_count() const { return static_cast<std::uint32_t>(lemmas_.size()); }
    wide_string lemma(std::uint32_t l) const;
    std::span<const std::uint32_t> keys_of_lemma(std::uint32_t l) const;
    // The lemma's count in each author that has one (see author_count).
    std::span<const author_count> lemma_counts(std::uint32_t l) const;
    double lemma_count_in(std::uint32_t l, int author) const;

    // Lemmas spelt as typed (Beta Code). A lemma spelt exactly so is the only answer; otherwise
    // every lemma with the same letters and accents in any case and with any homograph digit.
    std::vector<std::uint32_t> find_lemmas(wide_string_view typed) const;
    // Keys of the form typed (a cleaned Beta Code key) in any capitalisation, most frequent first.
    std::vector<std::uint32_t> find_form(wide_string_view typed) const;

private:
    occurrence_index() = default;
    bool take_sections(const std::vector<std::vector<std::uint64_t>>& raw,
                       const file_header& header);
    wide_string lower_form_of_key(std::uint32_t k) const;

    std::uint32_t token_count_ = 0;
    std::vector<leaf_record> leaves_;
    std::vector<std::uint64_t> author_tokens_;
    std::vector<checkpoint> checkpoints_;
    std::vector<std::uint8_t> stream_;
    std::vector<key_record> keys_;
    std::vector<char> key_strings_;
    std::vector<std::uint8_t> postings_;
    std::vector<std::uint32_t> key_lemmas_;
    std::vector<std::uint8_t> share_authors_;
    std::vector<float> shares_;
    std::vector<lemma_record> lemmas_;
    std::vector<char> lemma_strings_;
    std::vector<std::uint32_t> lemma_keys_;
    std::vector<author_count> lemma_counts_;
    std::vector<std::uint32_t> form_order_;

    // Where each key's and lemma's entries begin in the lists above (one more than there are keys
    // or lemmas, the last being the list's end).
    std::vector<std::uint32_t> key_string_at_, key_lemma_at_, key_row_at_, key_share_at_;
    std::vector<std::uint32_t> key_postings_at_;
    std::vector<std::uint32_t> lemma_string_at_, lemma_key_at_, lemma_count_at_;
};

template <class Visit>
void occurrence_index::for_each_posting(std::uint32_t k, Visit&& visit) const {
    const std::uint8_t* p = postings_.data() + key_postings_at_[k];
    const std::uint8_t* end = postings_.data() + key_postings_at_[k + 1];
    std::uint64_t token = 0;
    bool first = true;
    while (p < end) {
        const std::uint32_t delta = read_varint(p, end);
        token = first ? std::uint64_t{delta} - 1 : token + delta;
        first = false;
        if (token >= token_count_) {
            return;
        }
        visit(static_cast<std::uint32_t>(token));
    }
}

} // namespace veso::occurrences
