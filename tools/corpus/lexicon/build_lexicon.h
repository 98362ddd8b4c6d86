#pragma once

#include "occurrences/reading_shares.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <span>
#include <string_view>

namespace veso::corpus {

// One passage of the built text files and the author number it is filed under.
struct authored_text {
    std::int32_t author_number;
    std::u16string_view text;
};

// Writes m.dat, m_a.dat, d.dat, d_b.dat, d_a.dat and o.dat into out, keyed from the words of the
// built texts. Adds its figures to report["lexicon"]. Returns false after printing a clear message
// to standard error when the corpus cannot be used. Once the files are written, with_readings (when
// given) is handed the reading shares of the model that ordered the analyses and made o.dat's
// counts, alive only for that call; its result is the build's.
bool build_lexicon_files(const std::filesystem::path& corpus, const std::filesystem::path& out,
                         std::span<const authored_text> texts, nlohmann::json& report,
                         const std::function<bool(const reading_likelihood&)>& with_readings = {});

} // namespace veso::corpus
