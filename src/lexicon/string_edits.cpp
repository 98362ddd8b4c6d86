#include "lexicon/string_edits.h"

#include <array>

namespace veso {

bool replace_first(wide_string& text, wide_string_view needle, wide_string_view replacement) {
    std::size_t at = text.find(needle);
    if (at == wide_string::npos) {
        return false;
    }
    text.replace(at, needle.size(), replacement);
    return true;
}

void clean_clicked_word(wide_string& word) {
    replace_first(word, u"\\", u"/");

    static constexpr std::array<char16_t, 16> dropped_once = {
        u']',      u'[',  u'-',      u',',      u'.',      u';',      u':',      u'"',
        u'\u0387', u'\r', u'\u00B2', u'\u00B3', u'\u2018', u'\u2019', u'\u2020', u' '};
    for (char16_t c : dropped_once) {
        replace_first(word, wide_string_view(&c, 1), u"");
    }

    std::size_t first_acute = word.find(u'/');
    std::size_t second_acute =
        first_acute == wide_string::npos ? wide_string::npos : word.find(u'/', first_acute + 1);
    if (second_acute != wide_string::npos) {
        if (!replace_first(word, u"/+", u"")) {
            word.erase(second_acute, 1);
        }
    } else {
        replace_first(word, u"+", u"");
    }

    // The acute's position is the one found before the edits above; it may now lie past the end.
    if (first_acute != wide_string::npos && word.find(u'=') != wide_string::npos &&
        first_acute < word.size()) {
        word.erase(first_acute, 1);
    }

    std::size_t carriage_return = word.find(u'\r');
    if (carriage_return != wide_string::npos) {
        word.erase(carriage_return);
    }
}

} // namespace veso
