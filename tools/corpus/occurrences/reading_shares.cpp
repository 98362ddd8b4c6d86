#include "occurrences/reading_shares.h"

namespace veso::corpus {

std::vector<double> equal_reading_shares::lemma_shares(std::string_view, std::u16string_view,
                                                       std::span<const std::u16string> lemmas,
                                                       int) const {
    return std::vector<double>(lemmas.size(), lemmas.empty() ? 0.0 : 1.0 / lemmas.size());
}

} // namespace veso::corpus
