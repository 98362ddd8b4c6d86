#include "fuzz_entry.h"
#include "greek/betaconverter.h"
#include "greek/typed_greek.h"

#include <cstdlib>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

// Typed text in any canonically equivalent form gives the same key, and the key holds no Greek
// letter the converter knows (nor a tonos letter, which the lexicon never writes).
VESO_FUZZ_TARGET(fuzz_typed_greek) {
    static const veso::betaconverter converter;
    const veso::wide_string typed = veso::fuzz::wide_text(data, size);
    const veso::wide_string beta = veso::typed_to_betacode(converter, typed);

    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decomposer = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status)) {
        std::abort();
    }
    const icu::UnicodeString decomposed = decomposer->normalize(
        icu::UnicodeString(typed.data(), static_cast<int32_t>(typed.size())), status);
    const veso::wide_string decomposed_text(decomposed.getBuffer(),
                                            static_cast<std::size_t>(decomposed.length()));
    if (U_FAILURE(status) || veso::typed_to_betacode(converter, decomposed_text) != beta) {
        std::abort();
    }
    for (const char16_t c : beta) {
        const bool tonos = c == 0x0386 || (c >= 0x0388 && c <= 0x038A) || c == 0x038C ||
                           c == 0x038E || c == 0x038F || c == 0x0390 ||
                           (c >= 0x03AC && c <= 0x03B0) || (c >= 0x03CC && c <= 0x03CE);
        if (tonos || (c >= 0x80 && converter.reverse_table().count(veso::wide_string(1, c)) != 0)) {
            std::abort();
        }
    }
    return 0;
}
