#pragma once

#include "greek/wide_string.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace veso {

// Append-only character storage: views into it stay valid as long as the store lives.
class text_store {
public:
    wide_string_view add(wide_string_view text);

private:
    std::vector<std::unique_ptr<char16_t[]>> blocks_;
    std::size_t used_ = 0;
    std::size_t capacity_ = 0;
};

struct table_record {
    wide_string_view key;
    wide_string_view value;
};

// An immutable map from key to value, ordered by code units, unique keys. It keeps alive the
// stores its views point into, so a snapshot can be read while a newer table is being built.
class sorted_table {
public:
    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    const table_record& operator[](std::size_t at) const { return records_[at]; }

    // First record whose key is not less than `key`.
    std::size_t lower_bound(wide_string_view key) const;
    // Position of the record with exactly this key.
    std::optional<std::size_t> position_of(wide_string_view key) const;
    std::optional<wide_string_view> find(wide_string_view key) const;
    // The records whose first `length` characters equal `prefix` (which is the whole key when
    // `prefix` is shorter than `length`): a contiguous run [first, second).
    std::pair<std::size_t, std::size_t> prefix_range(wide_string_view prefix,
                                                     std::size_t length) const;

    // The records of `older` and of `newer`; on a key present in both, `older` wins.
    static std::shared_ptr<const sorted_table> merge(const sorted_table& older,
                                                     const sorted_table& newer);

private:
    friend class table_builder;
    std::vector<table_record> records_;
    std::vector<std::shared_ptr<const text_store>> stores_;
};

// Collects records in file order and turns them into a sorted_table where the first record of
// each key wins.
class table_builder {
public:
    table_builder();
    void add(wide_string_view key, wide_string_view value);
    std::shared_ptr<const sorted_table> finish();

private:
    std::shared_ptr<text_store> store_;
    std::vector<table_record> records_;
};

} // namespace veso
