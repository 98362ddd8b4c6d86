#pragma once

#include "lexicon/sorted_table.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace veso {

// The dictionary in alphabetical order for paging: index key (sort key and a counter 0..499) to
// headword, plus where each dictionary record stands in it, so a headword is found without
// walking the index.
class alphabetical_index {
public:
    alphabetical_index() : alphabetical_index(std::make_shared<const sorted_table>()) {}
    explicit alphabetical_index(std::shared_ptr<const sorted_table> dictionary);

    const sorted_table& entries() const { return *entries_; }
    const sorted_table& dictionary() const { return *dictionary_; }
    std::size_t size() const { return entries_->size(); }
    // The index entry whose headword is exactly `headword`.
    std::optional<std::size_t> position_of_headword(wide_string_view headword) const;
    // The definition of the headword of index entry `entry` (below size()), without a search.
    wide_string_view definition_at(std::size_t entry) const {
        return (*dictionary_)[record_of_entry_[entry]].value;
    }

private:
    std::shared_ptr<const sorted_table> dictionary_;
    std::shared_ptr<const sorted_table> entries_;
    // For each dictionary record, its index entry, or no_entry when its index key was taken.
    std::vector<std::uint32_t> entry_of_record_;
    // For each index entry, the dictionary record of its headword.
    std::vector<std::uint32_t> record_of_entry_;
    static constexpr std::uint32_t no_entry = 0xFFFFFFFF;
};

} // namespace veso
