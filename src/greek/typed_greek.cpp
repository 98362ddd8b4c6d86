#include "greek/typed_greek.h"

#include "greek/betaconverter.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace veso {

namespace {

constexpr char16_t combining_macron = u'\u0304';
constexpr char16_t combining_breve = u'\u0306';

// The tonos letters of modern Greek keyboards and the oxia letters the lexicon writes. NFC turns
// every oxia into its tonos twin, so this runs after normalising.
char16_t oxia_for_tonos(char16_t c) {
    switch (c) {
    case u'\u03AC':
        return u'\u1F71';
    case u'\u03AD':
        return u'\u1F73';
    case u'\u03AE':
        return u'\u1F75';
    case u'\u03AF':
        return u'\u1F77';
    case u'\u03CC':
        return u'\u1F79';
    case u'\u03CD':
        return u'\u1F7B';
    case u'\u03CE':
        return u'\u1F7D';
    case u'\u0390':
        return u'\u1FD3';
    case u'\u03B0':
        return u'\u1FE3';
    case u'\u0386':
        return u'\u1FBB';
    case u'\u0388':
        return u'\u1FC9';
    case u'\u0389':
        return u'\u1FCB';
    case u'\u038A':
        return u'\u1FDB';
    case u'\u038C':
        return u'\u1FF9';
    case u'\u038E':
        return u'\u1FEB';
    case u'\u038F':
        return u'\u1FFB';
    default:
        return c;
    }
}

bool is_white(char16_t c) {
    return u_isUWhiteSpace(c) != 0;
}

// Canonical composition with the length marks taken out: decomposed first, so that a macron or
// breve inside a precomposed letter goes as well.
icu::UnicodeString composed_without_length_marks(wide_string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decomposer = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* composer = icu::Normalizer2::getNFCInstance(status);
    const icu::UnicodeString source(text.data(), static_cast<int32_t>(text.size()));
    if (U_FAILURE(status)) {
        return source;
    }
    icu::UnicodeString decomposed = decomposer->normalize(source, status);
    decomposed.findAndReplace(icu::UnicodeString(combining_macron), icu::UnicodeString());
    decomposed.findAndReplace(icu::UnicodeString(combining_breve), icu::UnicodeString());
    icu::UnicodeString result = composer->normalize(decomposed, status);
    return U_FAILURE(status) ? source : result;
}

} // namespace

wide_string typed_to_betacode(const betaconverter& converter, wide_string_view typed) {
    std::size_t first = 0;
    std::size_t end = typed.size();
    while (first < end && is_white(typed[first])) {
        ++first;
    }
    while (end > first && is_white(typed[end - 1])) {
        --end;
    }
    const icu::UnicodeString text = composed_without_length_marks(typed.substr(first, end - first));

    wide_string beta;
    beta.reserve(static_cast<std::size_t>(text.length()) * 2);
    const std::map<wide_string, wide_string>& reverse = converter.reverse_table();
    for (int32_t i = 0; i < text.length(); ++i) {
        const char16_t c = oxia_for_tonos(text.charAt(i));
        if (c < 0x80) {
            beta += c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
            continue;
        }
        if (u_charType(c) == U_NON_SPACING_MARK) {
            continue;
        }
        if (const auto found = reverse.find(wide_string(1, c)); found != reverse.end()) {
            beta += found->second;
            continue;
        }
        // A capital the converter has no form for (an accent without breathing, an adscript):
        // the capital mark and the small letter's Beta Code, which the lexicon's look-ups read.
        const auto lower = static_cast<char16_t>(u_tolower(c));
        if (lower != c) {
            if (const auto small = reverse.find(wide_string(1, lower)); small != reverse.end()) {
                beta += u'*';
                beta += small->second;
                continue;
            }
        }
        beta += c;
    }
    return beta;
}

} // namespace veso
