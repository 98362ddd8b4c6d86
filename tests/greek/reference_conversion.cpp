#include "reference_conversion.h"

namespace veso::test {

namespace {

void replace_all(wide_string& text, const wide_string& pattern, const wide_string& replacement) {
    std::size_t at = 0;
    while ((at = text.find(pattern, at)) != wide_string::npos) {
        text.replace(at, pattern.size(), replacement);
        at += replacement.size();
    }
}

wide_string one(char16_t c) {
    return wide_string(1, c);
}

} // namespace

reference_conversion::reference_conversion(const betaconverter& converter) : converter_(converter) {
    groups_.push_back({{u"C\u03B7", u"\u03C7"}});

    groups_.push_back({{u"s ", u"\u03C2 "},
                       {u"s.", u"\u03C2."},
                       {u"s,", u"\u03C2,"},
                       {u"s;", u"\u03C2;"},
                       {u"s<", u"\u03C2<"},
                       {u"s\r", u"\u03C2\r"},
                       {u"s1", u"\u03C2"},
                       {u"s2", u"\u03C2"},
                       {u"s\n", u"\u03C2\n"},
                       {u"*s", u"\u03A3"},
                       {u"s", u"\u03C3"}});

    std::vector<std::pair<wide_string, wide_string>> capitals;
    for (char16_t lower = 0x03B1; lower <= 0x03C9; ++lower) {
        if (lower == 0x03C2) {
            continue;
        }
        capitals.emplace_back(u"*" + one(lower), one(static_cast<char16_t>(lower - 0x20)));
        if (lower == 0x03C1) {
            capitals.emplace_back(u"*(\u03C1", u"\u1FEC");
        }
    }
    groups_.push_back(capitals);

    const wide_string vowels = u"\u03B1\u03B5\u03B7\u03B9\u03BF\u03C5\u03C9";
    const std::vector<wide_string> marks = {u")", u"(", u")\\", u"(\\", u")/", u"(/", u")=", u"(="};
    const std::vector<std::vector<char16_t>> capital_values = {
        {0x1F08, 0x1F09, 0x1F0A, 0x1F0B, 0x1F0C, 0x1F0D, 0x1F0E, 0x1F0F},
        {0x1F18, 0x1F19, 0x1F1A, 0x1F1B, 0x1F1C, 0x1F1D},
        {0x1F28, 0x1F29, 0x1F2A, 0x1F2B, 0x1F2C, 0x1F2D, 0x1F2E, 0x1F2F},
        {0x1F38, 0x1F39, 0x1F3A, 0x1F3B, 0x1F3C, 0x1F3D, 0x1F3E, 0x1F3F},
        {0x1F48, 0x1F49, 0x1F4A, 0x1F4B, 0x1F4C, 0x1F4D},
        {0, 0x1F59, 0, 0x1F5B, 0, 0x1F5D},
        {0x1F68, 0x1F69, 0x1F6A, 0x1F6B, 0x1F6C, 0x1F6D, 0x1F6E, 0x1F6F}};
    std::vector<std::pair<wide_string, wide_string>> breathed;
    for (std::size_t v = 0; v < vowels.size(); ++v) {
        for (std::size_t m = 0; m < capital_values[v].size(); ++m) {
            if (capital_values[v][m] != 0) {
                breathed.emplace_back(u"*" + marks[m] + vowels[v], one(capital_values[v][m]));
            }
        }
    }
    groups_.push_back(breathed);

    std::vector<std::pair<wide_string, wide_string>> lower_breathing = {{u"*(/\u1FB3", u"\u1F8D"}};
    const std::vector<char16_t> psili = {0x1F00, 0x1F10, 0x1F20, 0x1F30, 0x1F40, 0x1F50, 0x1F60};
    for (std::size_t v = 0; v < vowels.size(); ++v) {
        lower_breathing.emplace_back(u")" + one(vowels[v]), one(psili[v]));
        lower_breathing.emplace_back(u"(" + one(vowels[v]),
                                     one(static_cast<char16_t>(psili[v] + 1)));
    }
    groups_.push_back(lower_breathing);
}

wide_string reference_conversion::to_unicode(const wide_string& text) const {
    wide_string input = text.substr(0, 10000);
    wide_string out;
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = start + 1;
        while (end < input.size() && betaconverter::is_beta_mark(input[end])) {
            ++end;
        }
        wide_string token = input.substr(start, end - start);
        auto found = converter_.forward_table().find(token);
        out += found == converter_.forward_table().end() ? token : found->second;
        start = end;
    }
    for (const auto& group : groups_) {
        for (const auto& [pattern, replacement] : group) {
            replace_all(out, pattern, replacement);
        }
    }
    return out;
}

} // namespace veso::test
