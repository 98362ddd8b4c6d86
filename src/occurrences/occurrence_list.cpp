#include "occurrences/occurrence_list.h"

#include <algorithm>
#include <functional>

namespace veso::occurrences {

namespace {

constexpr std::uint8_t author_depth = 2;
constexpr std::uint8_t work_depth = 3;

// Range items ("1 - 9") only group chapters; the leaf's own label says enough.
bool is_range_label(wide_string_view label) {
    return label.find(u" - ") != wide_string_view::npos;
}

// Authors in catalogue order with the number their passages are filed under: the first leaf of
// each author item tells it. The two items of author 44 (New Testament, Septuagint) make one.
struct author_entry {
    int author;
    int item;
};
std::vector<author_entry> authors_in_order(const occurrence_index& index,
                                           const catalogue_places& places) {
    std::vector<author_entry> authors;
    for (const leaf_record& leaf : index.leaves()) {
        const auto* place = places.of(leaf.id);
        const bool known = std::any_of(authors.begin(), authors.end(), [&](const author_entry& a) {
            return a.author == leaf.author;
        });
        if (place != nullptr && !known && index.author_tokens(leaf.author) > 0) {
            authors.push_back({leaf.author, place->author_item});
        }
    }
    return authors;
}

std::vector<frequency_bar> bars(const occurrence_index& index, const catalogue_places& places,
                                int current_author, const std::function<double(int)>& count_of) {
    std::vector<frequency_bar> out;
    for (const auto& [author, item] : authors_in_order(index, places)) {
        frequency_bar bar;
        bar.author = author;
        bar.name = author == 44 ? wide_string(u"Bible (NT, LXX)") : places.author_name(item);
        bar.count = count_of(author);
        bar.per_10000 = bar.count * 10000.0 / static_cast<double>(index.author_tokens(author));
        bar.current = author == current_author;
        out.push_back(std::move(bar));
    }
    return out;
}

} // namespace

catalogue_places::catalogue_places(std::span<const catalogue_entry> entries) : entries_(entries) {
    std::vector<int> path; // entry index at each depth, from 1
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const catalogue_entry& e = entries[static_cast<std::size_t>(i)];
        path.resize(std::max<std::size_t>(e.depth, 1));
        path[path.size() - 1] = i;
        if (e.id == 0 || e.depth < work_depth) {
            continue;
        }
        place p;
        p.author_item = path[author_depth - 1];
        p.work_item = path[work_depth - 1];
        if (e.depth > work_depth) {
            p.label = e.label;
            // An item between the work and the leaf names a book, unless it is a range.
            if (e.depth > work_depth + 1) {
                const wide_string_view book = label_of_item(path[work_depth]);
                if (!is_range_label(book)) {
                    p.label = wide_string(book) + u", " + p.label;
                }
            }
        }
        places_.emplace(e.id, std::move(p));
    }
}

const catalogue_places::place* catalogue_places::of(std::int32_t id) const {
    const auto found = places_.find(id);
    return found == places_.end() ? nullptr : &found->second;
}

wide_string_view catalogue_places::label_of_item(int item) const {
    if (item < 0 || item >= static_cast<int>(entries_.size()) ||
        entries_[static_cast<std::size_t>(item)].label == nullptr) {
        return {};
    }
    return entries_[static_cast<std::size_t>(item)].label;
}

wide_string catalogue_places::author_name(int item) const {
    const wide_string_view label = label_of_item(item);
    const std::size_t bracket = label.find(u" (");
    return wide_string(label.substr(0, bracket));
}

occurrence_list::occurrence_list(const occurrence_index& index, const hit_list& hits,
                                 const catalogue_places& places)
    : index_(index), hits_(hits), places_(places) {
    leaf_of_hit_.reserve(hits.hits.size());
    place_of_leaf_.assign(index.leaves().size(), nullptr);
    std::size_t leaf = 0;
    for (const hit& h : hits.hits) {
        // Hits are in token order, so the leaf only moves forward.
        const auto& leaves = index.leaves();
        while (leaf + 1 < leaves.size() && leaves[leaf + 1].first_token <= h.token) {
            ++leaf;
        }
        leaf_of_hit_.push_back(leaf);
        if (place_of_leaf_[leaf] == nullptr) {
            place_of_leaf_[leaf] = places.of(leaves[leaf].id);
        }
    }
    apply(filter_);
}

void occurrence_list::apply(const filter& f) {
    filter_ = f;
    rows_.clear();
    shown_hits_ = 0;
    int last_author_item = -2;
    int last_work_item = -2;
    for (std::uint32_t i = 0; i < hits_.hits.size(); ++i) {
        const leaf_record& leaf = index_.leaves()[leaf_of_hit_[i]];
        if ((f.author != 0 && leaf.author != f.author) ||
            (!f.other_readings && !hits_.hits[i].likeliest)) {
            continue;
        }
        const auto* place = place_of_leaf_[leaf_of_hit_[i]];
        const int author_item = place ? place->author_item : -1;
        const int work_item = place ? place->work_item : -1;
        if (author_item != last_author_item) {
            rows_.push_back({row_kind::author, i});
            last_author_item = author_item;
            last_work_item = -2;
        }
        if (work_item != last_work_item) {
            rows_.push_back({row_kind::work, i});
            last_work_item = work_item;
        }
        rows_.push_back({row_kind::hit, i});
        ++shown_hits_;
    }
}

const leaf_record& occurrence_list::leaf_of(const row& r) const {
    return index_.leaves()[leaf_of_hit_[r.hit]];
}

std::int32_t occurrence_list::position_of(const row& r) const {
    return index_.position_of(hits_.hits[r.hit].token);
}

wide_string occurrence_list::label(const row& r) const {
    const auto* place = place_of_leaf_[leaf_of_hit_[r.hit]];
    if (place == nullptr) {
        return {};
    }
    switch (r.kind) {
    case row_kind::author:
        return wide_string(places_.label_of_item(place->author_item));
    case row_kind::work:
        return wide_string(places_.label_of_item(place->work_item));
    case row_kind::hit:
        return place->label;
    }
    return {};
}

std::vector<frequency_bar> lemma_frequency_bars(const occurrence_index& index,
                                                std::span<const std::uint32_t> lemmas,
                                                const catalogue_places& places,
                                                int current_author) {
    return bars(index, places, current_author, [&](int author) {
        double count = 0;
        for (const std::uint32_t l : lemmas) {
            count += index.lemma_count_in(l, author);
        }
        return count;
    });
}

std::vector<frequency_bar> form_frequency_bars(const occurrence_index& index, const hit_list& hits,
                                               const catalogue_places& places, int current_author) {
    return bars(index, places, current_author, [&](int author) {
        return static_cast<double>(hits.all_by_author[static_cast<std::size_t>(author)]);
    });
}

} // namespace veso::occurrences
