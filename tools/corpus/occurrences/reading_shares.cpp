#include "occurrences/reading_shares.h"

#include "lexicon/reading_model.h"

#include <algorithm>
#include <numeric>

namespace veso::corpus {

std::vector<double> equal_reading_shares::lemma_shares(std::string_view, std::u16string_view,
                                                       std::span<const std::u16string> lemmas,
                                                       int) const {
    return std::vector<double>(lemmas.size(), lemmas.empty() ? 0.0 : 1.0 / lemmas.size());
}

std::vector<double> model_reading_shares::lemma_shares(std::string_view key,
                                                       std::u16string_view morphology,
                                                       std::span<const std::u16string> lemmas,
                                                       int author) const {
    std::vector<double> shares(lemmas.size(), 0.0);
    const auto* list = model_.lookup()(key);
    if (list != nullptr && !list->empty()) {
        const auto likelihoods = model_.likelihoods(key, *list,
                                                    author == 0 ? reading_model::every_author
                                                                : static_cast<std::size_t>(author));
        for (std::size_t i = 0; i < list->size(); ++i) {
            const std::string_view lemma = (*list)[i].lemma();
            const auto place = std::find_if(lemmas.begin(), lemmas.end(), [&](const auto& l) {
                return std::equal(
                    l.begin(), l.end(), lemma.begin(), lemma.end(),
                    [](char16_t a, char b) { return a == static_cast<unsigned char>(b); });
            });
            if (place != lemmas.end()) {
                shares[static_cast<std::size_t>(place - lemmas.begin())] += likelihoods[i];
            }
        }
    }
    // Analyses the stored value had no room for take their share with them; a value the model
    // does not know keeps every lemma equally likely.
    const double sum = std::accumulate(shares.begin(), shares.end(), 0.0);
    if (sum <= 0) {
        return equal_reading_shares().lemma_shares(key, morphology, lemmas, author);
    }
    for (double& share : shares) {
        share /= sum;
    }
    return shares;
}

} // namespace veso::corpus
