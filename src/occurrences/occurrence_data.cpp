#include "occurrences/occurrence_data.h"

namespace veso::occurrences {

occurrence_data::occurrence_data(std::filesystem::path data_folder, std::string fingerprint)
    : folder_(std::move(data_folder)), fingerprint_(std::move(fingerprint)), text_(folder_) {}

const occurrence_index* occurrence_data::index() {
    if (!index_) {
        auto opened = occurrence_index::open(folder_, fingerprint_);
        index_ = std::move(opened.index);
        problem_ = std::move(opened.message);
    }
    return index_.get();
}

const catalogue_places& occurrence_data::places() {
    if (!places_) {
        places_.emplace();
    }
    return *places_;
}

std::optional<word_search> search_typed_word(const occurrence_index& index, wide_string_view key) {
    if (const auto lemmas = index.find_lemmas(key); !lemmas.empty()) {
        return word_search{search_lemmas(index, lemmas), false};
    }
    if (const auto keys = index.find_form(key); !keys.empty()) {
        return word_search{search_form(keys), true};
    }
    return std::nullopt;
}

} // namespace veso::occurrences
