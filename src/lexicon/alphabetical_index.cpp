#include "lexicon/alphabetical_index.h"

#include "lexicon/lexicon.h"

#include <algorithm>
#include <string>

namespace veso {

namespace {

constexpr unsigned counter_period = 500;

wide_string decimal(unsigned n) {
    std::string digits = std::to_string(n);
    return wide_string(digits.begin(), digits.end());
}

} // namespace

alphabetical_index::alphabetical_index(std::shared_ptr<const sorted_table> dictionary)
    : dictionary_(std::move(dictionary)) {
    struct candidate {
        wide_string_view key;
        std::uint32_t record;
    };
    text_store keys;
    std::vector<candidate> candidates;
    candidates.reserve(dictionary_->size());
    unsigned counter = 0;
    for (std::size_t r = 0; r < dictionary_->size(); ++r) {
        wide_string key = lexicon::alphabetical_sort_key(wide_string((*dictionary_)[r].key));
        key += decimal(counter);
        candidates.push_back({keys.add(key), static_cast<std::uint32_t>(r)});
        counter = (counter + 1) % counter_period;
    }
    // The first record, in dictionary order, with a given index key wins.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const candidate& a, const candidate& b) { return a.key < b.key; });

    table_builder builder;
    entry_of_record_.assign(dictionary_->size(), no_entry);
    std::uint32_t entry = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (i > 0 && candidates[i].key == candidates[i - 1].key) {
            continue;
        }
        builder.add(candidates[i].key, (*dictionary_)[candidates[i].record].key);
        entry_of_record_[candidates[i].record] = entry++;
        record_of_entry_.push_back(candidates[i].record);
    }
    entries_ = builder.finish();
}

std::optional<std::size_t>
alphabetical_index::position_of_headword(wide_string_view headword) const {
    auto record = dictionary_->position_of(headword);
    if (!record || entry_of_record_[*record] == no_entry) {
        return std::nullopt;
    }
    return entry_of_record_[*record];
}

} // namespace veso
