#include "greek/betaconverter.h"

#include <algorithm>
#include <array>

namespace veso {

namespace {

constexpr std::size_t max_converted = 10000;

// The Greek alphabet in Beta Code, and the lower-case code point of each letter (final sigma,
// U+03C2, is skipped).
constexpr std::u16string_view beta_letters = u"abgdezhqiklmncoprstufxyw";

char16_t lower_letter(std::size_t index) {
    return static_cast<char16_t>(0x03B1 + index + (index >= 17 ? 1 : 0));
}

// The seven vowels, and where each one's breathing block starts in Greek Extended.
constexpr std::u16string_view beta_vowels = u"aehiouw";
constexpr std::array<char16_t, 7> greek_vowels = {u'\u03B1', u'\u03B5', u'\u03B7', u'\u03B9',
                                                  u'\u03BF', u'\u03C5', u'\u03C9'};

char16_t breathing_block(std::size_t vowel) {
    return static_cast<char16_t>(0x1F00 + 0x10 * vowel);
}

constexpr char16_t final_sigma = u'\u03C2';
constexpr char16_t medial_sigma = u'\u03C3';
constexpr char16_t capital_sigma = u'\u03A3';
constexpr char16_t eta = u'\u03B7';
constexpr char16_t chi = u'\u03C7';
constexpr char16_t rho = u'\u03C1';
constexpr char16_t capital_rho_with_dasia = u'\u1FEC';
constexpr char16_t capital_alpha_dasia_oxia_prosgegrammeni = u'\u1F8D';

// The vowel with that mark and nothing else, without breathing.
char16_t unbreathed(std::size_t vowel, char16_t accent) {
    static constexpr std::array<char16_t, 7> circumflexed = {
        u'\u1FB6', 0, u'\u1FC6', u'\u1FD6', 0, u'\u1FE6', u'\u1FF6'};
    switch (accent) {
    case u'\\':
        return static_cast<char16_t>(0x1F70 + 2 * vowel);
    case u'/':
        return static_cast<char16_t>(0x1F71 + 2 * vowel);
    case u'=':
        return circumflexed[vowel];
    default:
        return greek_vowels[vowel];
    }
}

int accent_offset(char16_t accent) {
    switch (accent) {
    case u'\\':
        return 2;
    case u'/':
        return 4;
    case u'=':
        return 6;
    default:
        return 0;
    }
}

// Alpha, eta and omega with iota subscript: the breathing block and the unbreathed forms.
char16_t subscripted(char16_t vowel, char16_t breathing, char16_t accent) {
    std::size_t row = vowel == u'a' ? 0 : vowel == u'h' ? 1 : 2;
    if (breathing != 0) {
        static constexpr std::array<char16_t, 3> blocks = {u'\u1F80', u'\u1F90', u'\u1FA0'};
        return static_cast<char16_t>(blocks[row] + (breathing == u'(' ? 1 : 0) +
                                     accent_offset(accent));
    }
    static constexpr std::array<char16_t, 3> bases = {u'\u1FB0', u'\u1FC0', u'\u1FF0'};
    // Varia 2, none 3, oxia 4, perispomeni 7.
    int offset = accent == u'\\' ? 2 : accent == u'/' ? 4 : accent == u'=' ? 7 : 3;
    return static_cast<char16_t>(bases[row] + offset);
}

char16_t diaeresis_form(char16_t vowel, char16_t accent) {
    bool iota = vowel == u'i';
    switch (accent) {
    case u'\\':
        return iota ? u'\u1FD2' : u'\u1FE2';
    case u'/':
        return iota ? u'\u1FD3' : u'\u1FE3';
    case u'=':
        return iota ? u'\u1FD7' : u'\u1FE7';
    default:
        return iota ? u'\u03CA' : u'\u03CB';
    }
}

void build_forward(std::map<wide_string, wide_string>& table) {
    for (std::size_t i = 0; i < beta_letters.size(); ++i) {
        if (beta_letters[i] != u's') {
            table.emplace(wide_string(1, beta_letters[i]), wide_string(1, lower_letter(i)));
        }
    }
    table.emplace(u"r(", u"\u1FE5");
    const std::array<char16_t, 3> breathing_choices = {0, u')', u'('};
    const std::array<char16_t, 4> accent_choices = {0, u'\\', u'/', u'='};
    for (std::size_t v = 0; v < beta_vowels.size(); ++v) {
        char16_t vowel = beta_vowels[v];
        bool has_subscript = vowel == u'a' || vowel == u'h' || vowel == u'w';
        bool has_circumflex = vowel != u'e' && vowel != u'o';
        bool has_diaeresis = vowel == u'i' || vowel == u'u';
        for (char16_t breathing : breathing_choices) {
            for (char16_t accent : accent_choices) {
                if (accent == u'=' && !has_circumflex) {
                    continue;
                }
                wide_string key(1, vowel);
                if (breathing != 0) {
                    key += breathing;
                }
                if (accent != 0) {
                    key += accent;
                }
                char16_t value =
                    breathing == 0
                        ? unbreathed(v, accent)
                        : static_cast<char16_t>(breathing_block(v) + (breathing == u'(' ? 1 : 0) +
                                                accent_offset(accent));
                if (key.size() > 1) {
                    table.emplace(key, wide_string(1, value));
                }
                if (has_subscript) {
                    table.emplace(key + u'|',
                                  wide_string(1, subscripted(vowel, breathing, accent)));
                }
                if (has_diaeresis && breathing == 0) {
                    table.emplace(key + u'+', wide_string(1, diaeresis_form(vowel, accent)));
                }
            }
        }
    }
}

// The capitals with breathing that to_unicode composes, in the order its rules test them, with
// their marks (breathing, then optional accent).
struct breathed_capital {
    std::size_t vowel;
    wide_string marks;
    char16_t capital;
};

std::vector<breathed_capital> breathed_capitals() {
    std::vector<breathed_capital> result;
    const std::array<const char16_t*, 8> mark_orders = {u")",  u"(",  u")\\", u"(\\",
                                                        u")/", u"(/", u")=",  u"(="};
    for (std::size_t v = 0; v < beta_vowels.size(); ++v) {
        char16_t vowel = beta_vowels[v];
        for (std::size_t m = 0; m < mark_orders.size(); ++m) {
            if ((vowel == u'e' || vowel == u'o') && m >= 6) {
                continue;
            }
            if (vowel == u'u' && m % 2 == 0) {
                continue;
            }
            if (vowel == u'u' && m >= 6) {
                continue;
            }
            result.push_back(
                {v, mark_orders[m], static_cast<char16_t>(breathing_block(v) + 8 + m)});
        }
    }
    return result;
}

void build_reverse(const std::map<wide_string, wide_string>& forward,
                   std::map<wide_string, wide_string>& table) {
    for (const auto& [key, value] : forward) {
        table.emplace(value, key);
    }
    table.emplace(wide_string(1, medial_sigma), u"s");
    table.emplace(wide_string(1, final_sigma), u"s");
    for (std::size_t i = 0; i < beta_letters.size(); ++i) {
        table.emplace(wide_string(1, static_cast<char16_t>(lower_letter(i) - 0x20)),
                      wide_string(u"*") + beta_letters[i]);
    }
    table.emplace(wide_string(1, capital_rho_with_dasia), u"*(r");
    for (const breathed_capital& c : breathed_capitals()) {
        table.emplace(wide_string(1, c.capital), u"*" + c.marks + beta_vowels[c.vowel]);
    }
    table.emplace(u"(", u"");
    table.emplace(u")", u"");
}

bool is_lower_letter(char16_t c) {
    return c >= 0x03B1 && c <= 0x03C9 && c != final_sigma;
}

int vowel_index(char16_t c) {
    for (std::size_t v = 0; v < greek_vowels.size(); ++v) {
        if (greek_vowels[v] == c) {
            return static_cast<int>(v);
        }
    }
    return -1;
}

bool is_breathing(char16_t c) {
    return c == u'(' || c == u')';
}

bool is_accent(char16_t c) {
    return c == u'\\' || c == u'/' || c == u'=';
}

// "*", a breathing, an optional accent and a lower-case vowel: the precomposed capital, or 0 when
// the combination has none. `length` receives the characters matched.
char16_t capital_with_breathing(wide_string_view text, std::size_t& length) {
    if (text.size() < 3 || !is_breathing(text[1])) {
        return 0;
    }
    std::size_t at = 2;
    char16_t accent = 0;
    if (is_accent(text[at])) {
        accent = text[at++];
    }
    if (at >= text.size()) {
        return 0;
    }
    int v = vowel_index(text[at]);
    if (v < 0) {
        return 0;
    }
    bool dasia = text[1] == u'(';
    if ((v == 1 || v == 4) && accent == u'=') {
        return 0;
    }
    if (v == 5 && (!dasia || accent == u'=')) {
        return 0;
    }
    length = at + 1;
    return static_cast<char16_t>(breathing_block(static_cast<std::size_t>(v)) + 8 +
                                 (dasia ? 1 : 0) + accent_offset(accent));
}

// Where to_unicode writes: room sized for the input, since no token yields more characters than
// it has. Applies the rules that look at the character written before.
class unicode_writer {
public:
    explicit unicode_writer(char16_t* out) : out_(out) {}

    void put(char16_t c) {
        // "C" followed by a converted eta is chi.
        if (c == eta && length_ > 0 && out_[length_ - 1] == u'C') {
            out_[length_ - 1] = chi;
        } else {
            out_[length_++] = c;
        }
    }

    // Sigma is final before a space, stop, comma, semicolon, "<", CR or LF, and before "1" or
    // "2", which is then dropped (the result says so); capital after "*"; medial otherwise.
    // `next` is the input character after it, or 0 at the end: none of those characters is ever
    // converted, so it is also the next character written.
    bool put_sigma(char16_t next) {
        switch (next) {
        case u' ':
        case u'.':
        case u',':
        case u';':
        case u'<':
        case u'\r':
        case u'\n':
            out_[length_++] = final_sigma;
            return false;
        case u'1':
        case u'2':
            out_[length_++] = final_sigma;
            return true;
        default:
            if (length_ > 0 && out_[length_ - 1] == u'*') {
                out_[length_ - 1] = capital_sigma;
            } else {
                out_[length_++] = medial_sigma;
            }
            return false;
        }
    }

    std::size_t length() const { return length_; }

private:
    char16_t* out_;
    std::size_t length_ = 0;
};

// Capitals ("*" and a letter, "*(" and rho, "*" with breathing, accent and vowel), then breathings
// before a lower-case vowel. The patterns cannot overlap, so one pass gives the same result as
// applying the rules one after the other. Rewrites in place: each match becomes one character.
void apply_capital_and_breathing_rules(wide_string& text, std::size_t from) {
    std::size_t out = from;
    const std::size_t size = text.size();
    for (std::size_t i = from; i < size; ++i) {
        char16_t c = text[i];
        wide_string_view rest(text.data() + i, size - i);
        if (c == u'*' && i + 1 < size) {
            char16_t next = text[i + 1];
            if (is_lower_letter(next)) {
                text[out++] = static_cast<char16_t>(next - 0x20);
                i += 1;
                continue;
            }
            if (next == u'(' && i + 2 < size && text[i + 2] == rho) {
                text[out++] = capital_rho_with_dasia;
                i += 2;
                continue;
            }
            std::size_t length = 0;
            if (char16_t capital = capital_with_breathing(rest, length)) {
                text[out++] = capital;
                i += length - 1;
                continue;
            }
            if (rest.substr(0, 4) == wide_string_view(u"*(/\u1FB3")) {
                text[out++] = capital_alpha_dasia_oxia_prosgegrammeni;
                i += 3;
                continue;
            }
        } else if (is_breathing(c) && i + 1 < size) {
            int v = vowel_index(text[i + 1]);
            if (v >= 0) {
                text[out++] = static_cast<char16_t>(breathing_block(static_cast<std::size_t>(v)) +
                                                    (c == u'(' ? 1 : 0));
                i += 1;
                continue;
            }
        }
        text[out++] = c;
    }
    text.resize(out);
}

} // namespace

betaconverter::betaconverter() : reverse_slot_(0x2000, -1) {
    build_forward(forward_table_);
    build_reverse(forward_table_, reverse_table_);
    std::uint8_t digit = 0;
    for (char16_t c = 0; c < mark_digit_.size(); ++c) {
        if (is_beta_mark(c)) {
            mark_digit_[c] = ++digit;
        }
    }
    letter_slot_.fill(-1);
    std::int8_t letters = 0;
    for (const auto& [key, value] : forward_table_) {
        if (key.size() > 1 && letter_slot_[key[0]] < 0) {
            letter_slot_[key[0]] = letters++;
        }
    }
    marked_letters_.assign(static_cast<std::size_t>(letters) * mark_codes, 0);
    for (std::size_t c = 0; c < bare_tokens_.size(); ++c) {
        bare_tokens_[c] = static_cast<char16_t>(c);
    }
    for (const auto& [key, value] : forward_table_) {
        if (key.size() == 1) {
            bare_tokens_[key[0]] = value[0];
        } else {
            std::size_t slot = static_cast<std::size_t>(letter_slot_[key[0]]);
            marked_letters_[slot * mark_codes + mark_code(wide_string_view(key).substr(1))] =
                value[0];
        }
    }
    for (const auto& [key, value] : reverse_table_) {
        reverse_slot_[key[0]] = static_cast<std::int16_t>(reverse_values_.size());
        reverse_values_.push_back(value);
    }
}

// The marks as base-9 digits, the first mark lowest; at most three marks, all ASCII.
std::size_t betaconverter::mark_code(wide_string_view marks) const {
    std::size_t code = 0;
    for (std::size_t i = marks.size(); i-- > 0;) {
        code = code * 9 + mark_digit(marks[i]);
    }
    return code;
}

bool betaconverter::is_beta_mark(char16_t c) {
    switch (c) {
    case u'(':
    case u')':
    case u'*':
    case u'+':
    case u'/':
    case u'=':
    case u'\\':
    case u'|':
        return true;
    default:
        return false;
    }
}

wide_string betaconverter::to_unicode(const wide_string& text) const {
    wide_string converted;
    to_unicode(text, converted);
    return converted;
}

void betaconverter::to_unicode(wide_string_view text, wide_string& out) const {
    convert(text.substr(0, std::min(text.size(), max_converted)), false, out);
}

// The same as converting `text` with a space appended, without copying `text` to append it: the
// space can only make a sigma before it final, and no capital or breathing rule takes it in.
wide_string betaconverter::to_unicode_word(wide_string_view beta) const {
    wide_string shown;
    to_unicode_spaced(beta, shown);
    if (!shown.empty()) {
        shown.pop_back();
    }
    return shown;
}

void betaconverter::to_unicode_spaced(wide_string_view text, wide_string& out) const {
    if (text.size() >= max_converted) {
        convert(text.substr(0, max_converted), false, out);
    } else {
        convert(text, true, out);
    }
}

// Appends in place, so a caller converting many spans reuses one buffer; `spaced` converts a
// space after `input` as well. The converted text is written through a pointer into room sized
// for the input: no token yields more characters than it has.
void betaconverter::convert(wide_string_view input, bool spaced, wide_string& out) const {
    const std::size_t from = out.size();
    out.resize(from + input.size() + (spaced ? 1 : 0));
    unicode_writer writer(out.data() + from);
    // "*", "(" and ")" are adjacent in ASCII; whether any was met decides the capital pass.
    auto is_capital_or_breathing = [](char16_t c) { return c >= u'(' && c <= u'*'; };
    bool has_capital_or_breathing = false;
    for (std::size_t start = 0; start < input.size();) {
        // A token is one character and the marks after it; most have no marks.
        const char16_t first = input[start];
        const char16_t next = start + 1 < input.size() ? input[start + 1] : spaced ? u' ' : 0;
        has_capital_or_breathing |= is_capital_or_breathing(first);
        if (first == u's') {
            // Sigma has no table entry: its form depends on its neighbours.
            start += writer.put_sigma(next) ? 2 : 1;
        } else if (mark_digit(next) == 0) {
            writer.put(first < bare_tokens_.size() ? bare_tokens_[first] : first);
            ++start;
        } else {
            std::size_t end = start + 1;
            while (end < input.size() && mark_digit(input[end]) != 0) {
                has_capital_or_breathing |= is_capital_or_breathing(input[end]);
                ++end;
            }
            char16_t letter = marked_letter(input.substr(start, end - start));
            if (letter != 0) {
                writer.put(letter);
            } else {
                for (std::size_t i = start; i < end; ++i) {
                    writer.put(input[i]);
                }
            }
            start = end;
        }
    }
    if (spaced) {
        writer.put(u' ');
    }
    out.resize(from + writer.length());
    if (has_capital_or_breathing) {
        apply_capital_and_breathing_rules(out, from);
    }
}

std::uint8_t betaconverter::mark_digit(char16_t c) const {
    return c < mark_digit_.size() ? mark_digit_[c] : 0;
}

// A letter and its marks as one precomposed character, or 0.
char16_t betaconverter::marked_letter(wide_string_view token) const {
    char16_t first = token[0];
    if (token.size() > 4 || first >= letter_slot_.size() || letter_slot_[first] < 0) {
        return 0;
    }
    return marked_letters_[static_cast<std::size_t>(letter_slot_[first]) * mark_codes +
                           mark_code(token.substr(1))];
}

wide_string betaconverter::to_betacode(const wide_string& text) const {
    wide_string out;
    out.reserve(text.size() + text.size() / 2);
    for (char16_t c : text) {
        if (c < reverse_slot_.size() && reverse_slot_[c] >= 0) {
            out += reverse_values_[static_cast<std::size_t>(reverse_slot_[c])];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace veso
