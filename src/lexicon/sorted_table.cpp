#include "lexicon/sorted_table.h"

#include <algorithm>
#include <cstring>

namespace veso {

namespace {

// Blocks grow from small (tables of a few records stay small) to large (few allocations for the
// big files).
constexpr std::size_t first_block_size = std::size_t{1} << 12;
constexpr std::size_t largest_block_size = std::size_t{1} << 22;

bool key_less(const table_record& a, const table_record& b) {
    return a.key < b.key;
}

bool starts_with(wide_string_view text, wide_string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

wide_string_view text_store::add(wide_string_view text) {
    if (text.empty()) {
        return {};
    }
    if (capacity_ - used_ < text.size()) {
        std::size_t next = blocks_.empty() ? first_block_size
                                           : std::min(largest_block_size, capacity_ * 2);
        capacity_ = std::max(next, text.size());
        blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(capacity_));
        used_ = 0;
    }
    char16_t* place = blocks_.back().get() + used_;
    std::memcpy(place, text.data(), text.size() * sizeof(char16_t));
    used_ += text.size();
    return {place, text.size()};
}

std::size_t sorted_table::lower_bound(wide_string_view key) const {
    auto at = std::lower_bound(records_.begin(), records_.end(), key,
                               [](const table_record& r, wide_string_view k) { return r.key < k; });
    return static_cast<std::size_t>(at - records_.begin());
}

std::optional<std::size_t> sorted_table::position_of(wide_string_view key) const {
    std::size_t at = lower_bound(key);
    if (at < records_.size() && records_[at].key == key) {
        return at;
    }
    return std::nullopt;
}

std::optional<wide_string_view> sorted_table::find(wide_string_view key) const {
    if (auto at = position_of(key)) {
        return records_[*at].value;
    }
    return std::nullopt;
}

std::pair<std::size_t, std::size_t> sorted_table::prefix_range(wide_string_view prefix,
                                                               std::size_t length) const {
    std::size_t first = lower_bound(prefix);
    if (prefix.size() < length) {
        bool exact = first < records_.size() && records_[first].key == prefix;
        return {first, first + (exact ? 1 : 0)};
    }
    auto end = std::partition_point(
        records_.begin() + static_cast<std::ptrdiff_t>(first), records_.end(),
        [prefix](const table_record& r) { return starts_with(r.key, prefix); });
    return {first, static_cast<std::size_t>(end - records_.begin())};
}

std::shared_ptr<const sorted_table> sorted_table::merge(const sorted_table& older,
                                                        const sorted_table& newer) {
    auto merged = std::make_shared<sorted_table>();
    merged->records_.reserve(older.size() + newer.size());
    auto a = older.records_.begin();
    auto b = newer.records_.begin();
    while (a != older.records_.end() && b != newer.records_.end()) {
        if (b->key < a->key) {
            merged->records_.push_back(*b++);
        } else {
            if (a->key == b->key) {
                ++b;
            }
            merged->records_.push_back(*a++);
        }
    }
    merged->records_.insert(merged->records_.end(), a, older.records_.end());
    merged->records_.insert(merged->records_.end(), b, newer.records_.end());
    merged->stores_ = older.stores_;
    merged->stores_.insert(merged->stores_.end(), newer.stores_.begin(), newer.stores_.end());
    return merged;
}

table_builder::table_builder() : store_(std::make_shared<text_store>()) {}

void table_builder::add(wide_string_view key, wide_string_view value) {
    records_.push_back({store_->add(key), store_->add(value)});
}

std::shared_ptr<const sorted_table> table_builder::finish() {
    // Files are usually written in key order; sorting is then only a check.
    if (!std::is_sorted(records_.begin(), records_.end(), key_less)) {
        std::stable_sort(records_.begin(), records_.end(), key_less);
    }
    auto last =
        std::unique(records_.begin(), records_.end(),
                    [](const table_record& a, const table_record& b) { return a.key == b.key; });
    records_.erase(last, records_.end());
    auto table = std::make_shared<sorted_table>();
    table->records_ = std::move(records_);
    table->records_.shrink_to_fit();
    table->stores_.push_back(std::move(store_));
    records_ = {};
    store_ = std::make_shared<text_store>();
    return table;
}

} // namespace veso
