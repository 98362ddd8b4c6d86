#include "occurrences/shown_lemma.h"

namespace veso::occurrences {

namespace {

constexpr char16_t superscript_digits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";

bool is_digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

wide_string shown_lemma(wide_string_view beta, const betaconverter& converter) {
    std::size_t word_end = beta.size();
    while (word_end > 0 && is_digit(beta[word_end - 1])) {
        --word_end;
    }
    // A key of digits alone is no homograph's number.
    if (word_end == 0) {
        word_end = beta.size();
    }
    wide_string shown = converter.to_unicode_word(beta.substr(0, word_end));
    for (const char16_t digit : beta.substr(word_end)) {
        shown += superscript_digits[digit - u'0'];
    }
    return shown;
}

} // namespace veso::occurrences
