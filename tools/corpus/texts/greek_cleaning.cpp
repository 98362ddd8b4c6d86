#include "texts/greek_cleaning.h"

#include "common/unicode_text.h"

#include <algorithm>

namespace veso::corpus {
namespace {

bool is_space(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\u00A0' ||
           c == u'\u2002' || c == u'\u2003' || c == u'\u2009' || c == u'\u200A' || c == u'\u202F';
}

bool is_elision_mark(char16_t c) {
    return c == u'\u02BC' || c == u'\'' || c == u'\u1FBD' || c == u'\u1FBF' || c == u'\u2019';
}

// Characters that editions use for apparatus and that the reading text leaves out; the bold
// markup characters are reserved for the builder's own headings.
bool is_dropped(char16_t c) {
    switch (c) {
    case u'[':
    case u']':
    case u'{':
    case u'}':
    case u'<':
    case u'>':
    case u'|':
    case u'\u27E8':
    case u'\u27E9':
    case u'\u2329':
    case u'\u232A':
    case u'\u3008':
    case u'\u3009':
    case u'\u2020':
    case u'\u2021':
    case u'*':
    case u'\u2E00':
    case u'\u2E01':
    case u'\u2E02':
    case u'\u2E03':
    case u'\u2E04':
    case u'\u2E05':
    case u'\u27E6':
    case u'\u27E7':
    case u'\u00B6':
    case u'\u00A7':
    case u'\uFEFF':
    case u'\uFFFF':
    case u'\uFFFE':
    case bold_open:
    case bold_close:
    case u'\u00B9':
    case u'=':
    case u'\u2E0C':
    case u'\u2E0D':
    case u'_':
    case u'#':
    case u'\u0060':
    case u'&':
    case u'\u00AF':
    case u'\u02D8':
    case u'\u00D7':
    case u'\u2022':
    case u'\u221A':
    case u'\u00A3':
    case u'\\':
    case u'\u00AA':
    case u'\u00A8':
    case u'\u00B4':
    case u'/':
    case u'\u00BA':
    case u'\u02C8':
    case u'\u02CC':
    case u'!': // lacunae in the papyrus texts
        return true;
    default:
        return c < 0x20 || (c >= 0x80 && c < 0xA0) || (c >= 0x2070 && c <= 0x209F) ||
               (c >= 0x1D2C && c <= 0x1DBF);
    }
}

bool is_latin_letter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

// A lower-case Greek consonant, with or without a breathing (ῥ).
bool is_greek_consonant(char16_t c) {
    return (c >= 0x03B2 && c <= 0x03C8 && c != 0x03B5 && c != 0x03B7 && c != 0x03B9 &&
            c != 0x03BF && c != 0x03C5) ||
           c == 0x1FE4 || c == 0x1FE5;
}

bool is_capital_vowel(char16_t c) {
    return c == 0x0391 || c == 0x0395 || c == 0x0397 || c == 0x0399 || c == 0x039F || c == 0x03A5 ||
           c == 0x03A9;
}

bool is_letter_before_elision(char16_t c) {
    return (c >= 0x0370 && c <= 0x03FF) ||
           (c >= 0x1F00 && c <= 0x1FFF && c != 0x1FBD && c != 0x1FBF) ||
           (c >= 0x0300 && c <= 0x036F);
}

char16_t greek_look_alike(char16_t c) {
    switch (c) {
    case u'A':
        return u'\u0391';
    case u'B':
        return u'\u0392';
    case u'E':
        return u'\u0395';
    case u'H':
        return u'\u0397';
    case u'I':
        return u'\u0399';
    case u'K':
        return u'\u039A';
    case u'M':
        return u'\u039C';
    case u'N':
        return u'\u039D';
    case u'O':
        return u'\u039F';
    case u'P':
        return u'\u03A1';
    case u'T':
        return u'\u03A4';
    case u'X':
        return u'\u03A7';
    case u'Y':
        return u'\u03A5';
    case u'Z':
        return u'\u0396';
    case u'o':
        return u'\u03BF';
    default:
        return c;
    }
}

// Numbers glued to a Greek word are verse numbers, note references or scanning slips
// ("(9)καὶ", "⸀1ἄλλῳ", "θρό9νου", "Ζην?ς"): a bracketed group without Greek letters, digits and
// question marks of unread letters go.
std::u16string without_glued_numbers(std::u16string_view word) {
    std::u16string out;
    out.reserve(word.size());
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char16_t c = word[i];
        if (c == u'(') {
            const std::size_t close = word.find(u')', i);
            if (close != std::u16string_view::npos &&
                std::none_of(word.begin() + static_cast<std::ptrdiff_t>(i),
                             word.begin() + static_cast<std::ptrdiff_t>(close),
                             is_letter_before_elision)) {
                i = close;
                continue;
            }
        }
        const bool closes_number = c == u')' && i > 0 && word[i - 1] >= u'0' && word[i - 1] <= u'9';
        if ((c >= u'0' && c <= u'9') || c == u'?' || closes_number) {
            continue;
        }
        out.push_back(c);
    }
    return out;
}

} // namespace

std::u16string utf16_from_utf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            len = 2;
        } else if ((b & 0xF0) == 0xE0 && i + 2 < utf8.size()) {
            cp = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
            len = 3;
        } else if ((b & 0xF8) == 0xF0 && i + 3 < utf8.size()) {
            cp = ((b & 0x07u) << 18) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 12) |
                 ((static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(utf8[i + 3]) & 0x3Fu);
            len = 4;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::u16string collapse_spaces(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    bool pending_space = false;
    for (char16_t c : text) {
        if (is_space(c)) {
            pending_space = !out.empty();
            continue;
        }
        if (pending_space) {
            out.push_back(u' ');
            pending_space = false;
        }
        out.push_back(c);
    }
    return out;
}

std::u16string clean_greek(std::u16string_view raw) {
    std::u16string kept;
    kept.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char16_t c = raw[i];
        if (is_elision_mark(c)) {
            // After a letter it marks elision; before a word's first consonant, aphaeresis
            // ("’ς", "’πί"). Before a vowel it is a quotation mark or a stray breathing.
            const bool elision = !kept.empty() && is_letter_before_elision(kept.back());
            const bool aphaeresis = (kept.empty() || !is_letter_before_elision(kept.back())) &&
                                    i + 1 < raw.size() && is_greek_consonant(raw[i + 1]);
            if (elision || aphaeresis) {
                kept.push_back(u'\u2019');
            } else if (i + 1 < raw.size() && is_capital_vowel(raw[i + 1])) {
                // A smooth breathing set before its capital ("᾿Ισραήλ") belongs on it.
                kept.push_back(raw[++i]);
                kept.push_back(u'\u0313');
            }
            continue;
        }
        if (c == u'\u2014') {
            kept += u" \u2014 "; // a dash stands between words, not inside one
        } else if (c == u'\u02BD') {
            kept.push_back(u'\u2018'); // a reversed comma opens a quotation
        } else if (is_space(c)) {
            kept.push_back(u' ');
        } else if (!is_dropped(c) && !(c >= 0xD800 && c <= 0xDFFF)) {
            kept.push_back(c);
        }
    }
    // Words that contain Latin letters are notes or translations, not the edition's Greek.
    std::u16string words;
    words.reserve(kept.size());
    std::size_t start = 0;
    while (start <= kept.size()) {
        std::size_t end = kept.find(u' ', start);
        if (end == std::u16string::npos) {
            end = kept.size();
        }
        std::u16string word(kept.data() + start, end - start);
        bool latin = false;
        bool greek = false;
        for (char16_t c : word) {
            latin = latin || is_latin_letter(c);
            greek = greek || is_letter_before_elision(c);
        }
        if (greek) {
            word = without_glued_numbers(word);
        }
        // A Greek word with a Latin look-alike capital is a slip of the scanner, not English.
        if (latin && greek) {
            latin = false;
            for (char16_t& c : word) {
                c = greek_look_alike(c);
                latin = latin || is_latin_letter(c);
            }
        }
        if (!word.empty() && !latin) {
            if (!words.empty()) {
                words.push_back(u' ');
            }
            words.append(word);
        }
        start = end + 1;
    }
    // Marks that do not combine into a precomposed letter (dots under uncertain letters, a
    // second breathing) are apparatus, not text.
    std::u16string normal = normalise_greek(words);
    std::erase_if(normal, [](char16_t c) { return c >= 0x0300 && c <= 0x036F; });
    // NFC turns the ano teleia into the middle dot; the texts write the Greek mark, which the
    // program's word cleaning removes.
    std::replace(normal.begin(), normal.end(), u'\u00B7', u'\u0387');
    return normal;
}

std::u16string bold(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    std::u16string out;
    out.reserve(text.size() + 2);
    out.push_back(bold_open);
    out.append(text);
    out.push_back(bold_close);
    return out;
}

std::u16string marker(std::u16string_view number) {
    std::u16string out = u"[";
    out.append(number);
    out.push_back(u']');
    return out;
}

} // namespace veso::corpus
