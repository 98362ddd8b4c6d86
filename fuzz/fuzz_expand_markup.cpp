#include "fuzz_entry.h"
#include "lexicon/lexicon.h"

#include <cstdlib>
#include <filesystem>

VESO_FUZZ_TARGET(fuzz_expand_markup) {
    // No data: only the converter matters here.
    static veso::lexicon* lex = [] {
        auto* made = new veso::lexicon(std::filesystem::path("/nonexistent/veso-fuzz"));
        made->wait_until_loaded();
        return made;
    }();
    // Half the inputs as bytes, so that "<G>" and "</G>" are easy to hit.
    veso::wide_string text;
    if (size > 0 && data[0] % 2 == 0) {
        text.assign(data + 1, data + size);
    } else {
        text = veso::fuzz::wide_text(data, size);
    }
    const std::size_t before = text.size();
    lex->expand_greek_markup(text);
    if (text.size() > before) {
        std::abort();
    }
    return 0;
}
