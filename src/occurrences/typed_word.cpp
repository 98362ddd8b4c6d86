#include "occurrences/typed_word.h"

#include "lexicon/string_edits.h"

#include <algorithm>

namespace veso::occurrences {

namespace {

bool is_space(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u00A0';
}

bool is_beta_letter(char16_t c) {
    return c >= u'a' && c <= u'z';
}

bool is_beta_unit(char16_t c) {
    return is_beta_letter(c) || betaconverter::is_beta_mark(c) || c == u'*' || c == u'\'' ||
           (c >= u'0' && c <= u'9');
}

} // namespace

std::optional<wide_string> typed_word_key(wide_string_view typed, const betaconverter& converter) {
    while (!typed.empty() && is_space(typed.front())) {
        typed.remove_prefix(1);
    }
    while (!typed.empty() && is_space(typed.back())) {
        typed.remove_suffix(1);
    }
    wide_string key(typed);
    const bool ascii = std::all_of(key.begin(), key.end(), [](char16_t c) { return c < 0x80; });
    if (!ascii) {
        key = converter.to_betacode(key);
    }
    clean_clicked_word(key);
    if (key.empty() || !std::all_of(key.begin(), key.end(), is_beta_unit) ||
        std::none_of(key.begin(), key.end(), is_beta_letter)) {
        return std::nullopt;
    }
    return key;
}

} // namespace veso::occurrences
