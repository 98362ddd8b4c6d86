#pragma once

#include "library/text_tables.h"
#include "occurrences/occurrence_search.h"
#include "occurrences/passage_text.h"

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace veso::occurrences {

// Where each leaf stands in the catalogue: its author item, its work (the item below the author)
// and the label a hit in it is shown with.
class catalogue_places {
public:
    struct place {
        int author_item = -1; // index of the author's catalogue entry
        int work_item = -1;   // index of the work's catalogue entry
        wide_string label;    // the leaf within its work ("Book 1", "5", "Book 2, 3"); empty
                              // when the leaf is the work
    };

    explicit catalogue_places(std::span<const catalogue_entry> entries = catalogue_entries());

    const place* of(std::int32_t id) const;
    wide_string_view label_of_item(int item) const;
    // An author item's label without its dates: "Homer (c. 800 BCE)" -> "Homer".
    wide_string author_name(int item) const;

private:
    std::span<const catalogue_entry> entries_;
    std::unordered_map<std::int32_t, place> places_;
};

// The rows of the occurrences window: a heading for each author and each work, then its hits,
// in catalogue order, as far as the filter lets them through.
class occurrence_list {
public:
    enum class row_kind : std::uint8_t { author, work, hit };
    struct row {
        row_kind kind;
        std::uint32_t hit; // index into the hit list (for headings: their first hit)
    };
    struct filter {
        int author = 0;              // 0: all authors
        bool other_readings = false; // also hits whose likeliest reading is another lemma
    };

    occurrence_list(const occurrence_index& index, const hit_list& hits,
                    const catalogue_places& places);

    void apply(const filter& f);
    const filter& current_filter() const { return filter_; }
    std::span<const row> rows() const { return rows_; }
    std::size_t shown_hits() const { return shown_hits_; }

    // A heading's text, or a hit's place label.
    wide_string label(const row& r) const;
    const leaf_record& leaf_of(const row& r) const;
    std::int32_t position_of(const row& r) const;
    bool likeliest(const row& r) const { return hits_.hits[r.hit].likeliest; }

private:
    const occurrence_index& index_;
    const hit_list& hits_;
    const catalogue_places& places_;
    std::vector<std::size_t> leaf_of_hit_;
    std::vector<const catalogue_places::place*> place_of_leaf_; // of the leaves with hits
    filter filter_;
    std::vector<row> rows_;
    std::size_t shown_hits_ = 0;
};

// One bar of the frequency chart: an author's count per 10,000 of its words.
struct frequency_bar {
    int author = 0;
    wide_string name;
    double count = 0;
    double per_10000 = 0;
    bool current = false; // the author being read
};

// Every author with words in the index, in catalogue order, with the lemmas' counts (summed) or,
// for a form, its tokens.
std::vector<frequency_bar> lemma_frequency_bars(const occurrence_index& index,
                                                std::span<const std::uint32_t> lemmas,
                                                const catalogue_places& places, int current_author);
std::vector<frequency_bar> form_frequency_bars(const occurrence_index& index, const hit_list& hits,
                                               const catalogue_places& places, int current_author);

} // namespace veso::occurrences
