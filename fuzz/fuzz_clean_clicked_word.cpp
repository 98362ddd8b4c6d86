#include "fuzz_entry.h"
#include "lexicon/string_edits.h"

#include <cstdlib>

VESO_FUZZ_TARGET(fuzz_clean_clicked_word) {
    veso::wide_string word = veso::fuzz::wide_text(data, size);
    const std::size_t before = word.size();
    veso::clean_clicked_word(word);
    if (word.size() > before) {
        std::abort();
    }
    return 0;
}
