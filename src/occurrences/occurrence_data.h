#pragma once

#include "occurrences/occurrence_list.h"
#include "occurrences/passage_text.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace veso::occurrences {

// The occurrence index and what its windows read besides, opened on first use so that start-up
// and the lexicon's loading do not wait for it. An index that cannot be used is tried again at
// the next use, so a rebuilt one is found without a restart.
class occurrence_data {
public:
    occurrence_data(std::filesystem::path data_folder, std::string fingerprint);

    // The index, or null with problem() saying why and how to rebuild it.
    const occurrence_index* index();
    // Whether the index has been read (the first use takes a moment: it is read whole and checked).
    bool is_open() const { return index_ != nullptr; }
    const wide_string& problem() const { return problem_; }
    passage_text& text() { return text_; }
    // The catalogue's places of the leaves, gathered on first use too.
    const catalogue_places& places();

private:
    std::filesystem::path folder_;
    std::string fingerprint_;
    std::unique_ptr<occurrence_index> index_;
    wide_string problem_;
    passage_text text_;
    std::optional<catalogue_places> places_;
};

// What a word typed into "Find a word..." finds: the lemmas spelt so, otherwise the form.
struct word_search {
    occurrence_search search;
    bool by_form = false;
};
std::optional<word_search> search_typed_word(const occurrence_index& index, wide_string_view key);

} // namespace veso::occurrences
