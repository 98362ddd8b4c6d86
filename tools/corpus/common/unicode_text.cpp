#include "common/unicode_text.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <stdexcept>

namespace veso::corpus {
namespace {

char16_t oxia_for_tonos(char16_t c) {
    switch (c) {
    case u'\u03AC': return u'\u1F71';
    case u'\u03AD': return u'\u1F73';
    case u'\u03AE': return u'\u1F75';
    case u'\u03AF': return u'\u1F77';
    case u'\u03CC': return u'\u1F79';
    case u'\u03CD': return u'\u1F7B';
    case u'\u03CE': return u'\u1F7D';
    case u'\u0390': return u'\u1FD3';
    case u'\u03B0': return u'\u1FE3';
    case u'\u0386': return u'\u1FBB';
    case u'\u0388': return u'\u1FC9';
    case u'\u0389': return u'\u1FCB';
    case u'\u038A': return u'\u1FDB';
    case u'\u038C': return u'\u1FF9';
    case u'\u038E': return u'\u1FEB';
    case u'\u038F': return u'\u1FFB';
    default: return c;
    }
}

const icu::Normalizer2& nfc() {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* n = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status) || n == nullptr) {
        throw std::runtime_error("ICU has no NFC normaliser");
    }
    return *n;
}

} // namespace

std::u16string normalise_greek(std::u16string_view text) {
    icu::UnicodeString source(false, text.data(), static_cast<int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString normal = nfc().normalize(source, status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("NFC normalisation failed");
    }
    std::u16string result(normal.getBuffer(), normal.getBuffer() + normal.length());
    for (char16_t& c : result) {
        c = oxia_for_tonos(c);
    }
    return result;
}

std::u16string greek_from_utf8(std::string_view utf8) {
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    return normalise_greek(std::u16string_view(u.getBuffer(), static_cast<size_t>(u.length())));
}

std::string to_utf8(std::u16string_view text) {
    icu::UnicodeString u(false, text.data(), static_cast<int32_t>(text.size()));
    std::string out;
    u.toUTF8String(out);
    return out;
}

} // namespace veso::corpus
