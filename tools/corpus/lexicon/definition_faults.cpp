#include "lexicon/definition_faults.h"

namespace veso::corpus {

namespace {

// A UTF-8 continuation byte (0x80-0xBF) as ISO 8859-1 reads it, or as Windows-1252 reads
// 0x80-0x9F (the euro sign of "â€", curly quotes, dashes).
bool is_continuation(char16_t c) {
    constexpr std::u16string_view windows_1252 = u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ";
    return (c >= 0x80 && c <= 0xBF) || windows_1252.find(c) != std::u16string_view::npos;
}

// The lead bytes of the Latin-1 supplement (Â Ã), Greek (Î Ï) and punctuation or Latin
// Extended Additional (â á) in UTF-8, read as ISO 8859-1.
bool is_lead(char16_t c) {
    return c == u'Â' || c == u'Ã' || c == u'Î' || c == u'Ï' || c == u'â' || c == u'á';
}

bool is_name_start(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'#';
}

bool is_name_part(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'.';
}

} // namespace

const char* definition_fault(std::u16string_view definition) {
    for (std::size_t i = 0; i < definition.size(); ++i) {
        const char16_t c = definition[i];
        if (c == 0xFFFD) {
            return "replacement character U+FFFD";
        }
        if (is_lead(c) && i + 1 < definition.size() && is_continuation(definition[i + 1])) {
            return "UTF-8 read as ISO 8859-1";
        }
        if (c == u'&' && i + 1 < definition.size() && is_name_start(definition[i + 1])) {
            std::size_t end = i + 2;
            while (end < definition.size() && is_name_part(definition[end])) {
                ++end;
            }
            if (end < definition.size() && definition[end] == u';') {
                return "unresolved character reference";
            }
        }
    }
    return nullptr;
}

} // namespace veso::corpus
