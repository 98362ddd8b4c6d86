#include "lexicon/neighbour_walk.h"

namespace veso {

std::array<wide_string, 2> neighbour_walk(const sorted_table& table, wide_string_view word,
                                          std::size_t length, bool report_values) {
    const std::size_t size = table.size();
    auto prefix = [](wide_string_view text, std::size_t n) { return text.substr(0, n); };
    auto matches = [&](std::size_t at, wide_string_view wanted, std::size_t n) {
        return prefix(table[at].key, n) == wanted;
    };
    auto shown = [&](std::size_t at) {
        return wide_string(report_values ? table[at].value : table[at].key);
    };

    std::array<wide_string, 2> result;
    std::size_t at = table.prefix_range(prefix(word, length), length).first;
    // Takes the entry reached and its successor, and moves onto the successor (or stays on the
    // last entry).
    auto take = [&] {
        std::size_t next = at + 1 < size ? at + 1 : at;
        result = {shown(at), shown(next)};
        at = next;
    };

    bool found = false;
    while (at < size) {
        wide_string_view search = prefix(word, length);
        if (!matches(at, search, length)) {
            // Before the first match nothing after it can match either.
            break;
        }
        if (!found) {
            take();
            found = true;
        }
        wide_string_view longer = prefix(word, length + 1);
        if (matches(at, longer, length + 1)) {
            take();
            ++length;
        }
        ++at;
        if (at >= size) {
            break;
        }
        // Skip to the next entry that either leaves the current prefix (the walk ends there) or
        // shares the longer one.
        search = prefix(word, length);
        longer = prefix(word, length + 1);
        auto [search_first, search_end] = table.prefix_range(search, length);
        if (at < search_first || at >= search_end) {
            break;
        }
        auto [longer_first, longer_end] = table.prefix_range(longer, length + 1);
        if (longer_first < longer_end && at < longer_first) {
            at = longer_first;
        } else if (longer_first >= longer_end || at >= longer_end) {
            at = search_end;
        }
    }
    return result;
}

} // namespace veso
