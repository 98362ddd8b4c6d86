#include "lexicon/character_entities.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <unicode/unistr.h>

namespace veso::corpus {

namespace {

struct entity {
    std::string_view name;
    char32_t character;
};

// Sorted by name. The XML escapes, HTML's Latin-1 letters and punctuation, and the ISO 8879
// names (macron and breve vowels, brackets) that Autenrieth's TEI declares in its DTD.
constexpr std::array<entity, 75> entities{{
    {"AElig", 0xC6},   {"Dagger", 0x2021}, {"OElig", 0x152},   {"aacute", 0xE1},
    {"abreve", 0x103}, {"acirc", 0xE2},    {"aelig", 0xE6},    {"agrave", 0xE0},
    {"amacr", 0x101},  {"amp", 0x26},      {"apos", 0x27},     {"auml", 0xE4},
    {"bull", 0x2022},  {"ccedil", 0xE7},   {"dagger", 0x2020}, {"deg", 0xB0},
    {"dot", 0x2D9},    {"eacute", 0xE9},   {"ebreve", 0x115},  {"ecirc", 0xEA},
    {"egrave", 0xE8},  {"emacr", 0x113},   {"euml", 0xEB},     {"frac12", 0xBD},
    {"gt", 0x3E},      {"hellip", 0x2026}, {"iacute", 0xED},   {"ibreve", 0x12D},
    {"icirc", 0xEE},   {"igrave", 0xEC},   {"imacr", 0x12B},   {"iuml", 0xEF},
    {"laquo", 0xAB},   {"ldquo", 0x201C},  {"lowbar", 0x5F},   {"lpar", 0x28},
    {"lsqb", 0x5B},    {"lsquo", 0x2018},  {"lt", 0x3C},       {"macr", 0xAF},
    {"mdash", 0x2014}, {"middot", 0xB7},   {"nbsp", 0xA0},     {"ndash", 0x2013},
    {"ntilde", 0xF1},  {"oacute", 0xF3},   {"obreve", 0x14F},  {"ocirc", 0xF4},
    {"oelig", 0x153},  {"ograve", 0xF2},   {"omacr", 0x14D},   {"ouml", 0xF6},
    {"para", 0xB6},    {"quot", 0x22},     {"raquo", 0xBB},    {"rdquo", 0x201D},
    {"rpar", 0x29},    {"rsqb", 0x5D},     {"rsquo", 0x2019},  {"sect", 0xA7},
    {"shy", 0xAD},     {"sup1", 0xB9},     {"sup2", 0xB2},     {"szlig", 0xDF},
    {"times", 0xD7},   {"uacute", 0xFA},   {"ubreve", 0x16D},  {"ucirc", 0xFB},
    {"ugrave", 0xF9},  {"umacr", 0x16B},   {"uml", 0xA8},      {"uuml", 0xFC},
    {"verbar", 0x7C},  {"ymacr", 0x233},   {"yuml", 0xFF},
}};

// The character a reference's name (between "&" and ";") stands for, or 0.
char32_t character_of(std::string_view name) {
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        std::uint32_t value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
        const bool valid = error == std::errc() && end == digits.data() + digits.size() &&
                           value > 0 && value <= 0x10FFFF && !(value >= 0xD800 && value < 0xE000);
        return valid ? static_cast<char32_t>(value) : 0;
    }
    const auto it =
        std::lower_bound(entities.begin(), entities.end(), name,
                         [](const entity& e, std::string_view n) { return e.name < n; });
    return it != entities.end() && it->name == name ? it->character : 0;
}

} // namespace

std::string resolve_entities(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto amp = utf8.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(utf8.substr(i));
            break;
        }
        out.append(utf8.substr(i, amp - i));
        const auto semicolon = utf8.find(';', amp + 1);
        const char32_t c = semicolon == std::string_view::npos || semicolon - amp > 12
                               ? 0
                               : character_of(utf8.substr(amp + 1, semicolon - amp - 1));
        if (c == 0) {
            out += '&';
            i = amp + 1;
            continue;
        }
        icu::UnicodeString(static_cast<UChar32>(c)).toUTF8String(out);
        i = semicolon + 1;
    }
    return out;
}

} // namespace veso::corpus
