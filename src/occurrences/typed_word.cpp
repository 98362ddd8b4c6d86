#include "occurrences/typed_word.h"

#include "greek/typed_greek.h"
#include "lexicon/string_edits.h"

#include <algorithm>

namespace veso::occurrences {

namespace {

bool is_beta_letter(char16_t c) {
    return c >= u'a' && c <= u'z';
}

bool is_beta_unit(char16_t c) {
    return is_beta_letter(c) || betaconverter::is_beta_mark(c) || c == u'*' || c == u'\'' ||
           (c >= u'0' && c <= u'9');
}

} // namespace

std::optional<wide_string> typed_word_key(wide_string_view typed, const betaconverter& converter) {
    wide_string key = typed_to_betacode(converter, typed);
    clean_clicked_word(key);
    if (key.empty() || !std::all_of(key.begin(), key.end(), is_beta_unit) ||
        std::none_of(key.begin(), key.end(), is_beta_letter)) {
        return std::nullopt;
    }
    return key;
}

} // namespace veso::occurrences
