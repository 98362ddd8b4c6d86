#include "occurrences/passage_text.h"

#include <algorithm>
#include <vector>

namespace veso::occurrences {

namespace {

// Units read on each side of a token: six words of the longest prose stay well inside.
constexpr std::int32_t context_reach = 240;

bool separates(char16_t c) {
    return c == u' ' || c == u'\r' || c == u'\n' || c == 0;
}

// The words of text, bold markers removed.
std::vector<wide_string> words_of(wide_string_view text) {
    std::vector<wide_string> words;
    wide_string word;
    for (const char16_t c : text) {
        if (separates(c)) {
            if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        } else if (c != u'\u00B2' && c != u'\u00B3') {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

wide_string joined(std::vector<wide_string>::const_iterator first,
                   std::vector<wide_string>::const_iterator last) {
    wide_string out;
    for (auto it = first; it != last; ++it) {
        if (!out.empty()) {
            out += u' ';
        }
        out += *it;
    }
    return out;
}

} // namespace

passage_text::passage_text(std::filesystem::path data_folder) : folder_(std::move(data_folder)) {}

wide_string passage_text::units(const leaf_record& leaf, std::int32_t from, std::int32_t to) {
    from = std::max(from, leaf.range_start);
    to = std::min(to, leaf.range_end);
    if (from >= to || leaf.file < 0 || leaf.file >= static_cast<std::int32_t>(files_.size())) {
        return {};
    }
    std::ifstream& file = files_[static_cast<std::size_t>(leaf.file)];
    if (!file.is_open()) {
        file.open(folder_ / text_files[static_cast<std::size_t>(leaf.file)], std::ios::binary);
    }
    file.clear();
    std::vector<unsigned char> bytes(static_cast<std::size_t>(to - from) * 2);
    file.seekg((static_cast<std::streamoff>(leaf.file_unit) + from) * 2);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const auto got = static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)) / 2;
    wide_string out(got, u'\0');
    for (std::size_t i = 0; i < got; ++i) {
        out[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    // A unit 0xFFFF ends the document's read.
    out.resize(std::min(out.find(u'\uFFFF'), out.size()));
    return out;
}

keyword_line keyword_in_context(passage_text& text, const leaf_record& leaf, std::int32_t position,
                                int words_each_side) {
    const std::int32_t start = std::max(position - context_reach, leaf.range_start);
    const wide_string before_text = text.units(leaf, start, position);
    const wide_string rest = text.units(leaf, position, position + context_reach);
    std::size_t word_end = 0;
    while (word_end < rest.size() && !separates(rest[word_end])) {
        ++word_end;
    }
    keyword_line line;
    const std::vector<wide_string> word = words_of(wide_string_view(rest).substr(0, word_end));
    line.word = word.empty() ? wide_string() : word.front();

    std::vector<wide_string> before = words_of(before_text);
    // The first word read may be cut at the start of the stretch.
    const bool cut = start > leaf.range_start && !before.empty() && !separates(before_text.front());
    const auto first_whole = before.begin() + (cut ? 1 : 0);
    const auto shown = std::min<std::ptrdiff_t>(before.end() - first_whole, words_each_side);
    line.before = joined(before.end() - shown, before.end());

    std::vector<wide_string> after = words_of(wide_string_view(rest).substr(word_end));
    const bool after_cut =
        position + context_reach < leaf.range_end && !after.empty() && !separates(rest.back());
    if (after_cut) {
        after.pop_back();
    }
    line.after = joined(after.begin(),
                        after.begin() + std::min<std::ptrdiff_t>(after.size(), words_each_side));
    return line;
}

} // namespace veso::occurrences
