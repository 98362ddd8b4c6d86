#include "lexicon/text_words.h"

#include "common/unicode_text.h"
#include "lexicon/definition_text.h"
#include "lexicon/morphgnt_analyses.h"
#include "lexicon/string_edits.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>
#include <utility>

namespace veso::corpus {

int author_number_of_label(std::string_view label) {
    static constexpr std::pair<std::string_view, int> table[] = {
        {"tlg0085", 1},  {"tlg0026", 2},       {"tlg0027", 3},  {"tlg0028", 4},  {"tlg0548", 5},
        {"tlg0019", 6},  {"tlg0086", 7},       {"tlg0199", 8},  {"tlg0014", 9},  {"tlg0535", 10},
        {"tlg0029", 11}, {"tlg0060", 12},      {"tlg0006", 13}, {"tlg0016", 14}, {"tlg0020", 15},
        {"tlg0013", 16}, {"tlg0012", 17},      {"tlg0030", 18}, {"tlg0017", 19}, {"tlg0010", 20},
        {"tlg0034", 21}, {"tlg0540", 22},      {"tlg0525", 23}, {"tlg0033", 24}, {"tlg0059", 25},
        {"tlg0007", 26}, {"tlg0011", 28},      {"tlg0099", 29}, {"tlg0003", 30}, {"tlg0032", 31},
        {"tlg0009", 38}, {"old-oligarch", 27}, {"NT", 44},      {"LXX", 44}};
    for (const auto& [name, number] : table) {
        if (name == label) {
            return number;
        }
    }
    return 0;
}

std::u16string analyser_word(std::u16string_view word) {
    std::u16string kept;
    for (const char16_t c : word) {
        if (c == u'[' || c == u']' || c == 0x2329 || c == 0x232A || c == 0x27E8 || c == 0x27E9 ||
            c == 0x3008 || c == 0x3009 || c == 0x0323) {
            continue;
        }
        kept += c;
    }
    const std::u16string text = normalise_greek(kept);
    std::size_t start = 0;
    while (start < text.size() && !is_greek_letter(text[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < text.size() && is_greek_unit(text[end])) {
        ++end;
    }
    return text.substr(start, end - start);
}

namespace {

bool is_beta_letter(char16_t c) {
    return c < 0x80 &&
           std::u16string_view(u"abgdezhqiklmncoprstufxyw").find(c) != std::u16string_view::npos;
}

bool is_beta_vowel(char16_t c) {
    return std::u16string_view(u"aehiouw").find(c) != std::u16string_view::npos;
}

bool is_beta_mark(char16_t c) {
    return std::u16string_view(u")(/\\=+|").find(c) != std::u16string_view::npos;
}

} // namespace

bool is_word_key(std::u16string_view key) {
    std::size_t i = 0;
    while (i < key.size()) {
        if (key[i] == u'*') {
            // A capital: its marks, then its letter, then an iota written beside it.
            ++i;
            while (i < key.size() && is_beta_mark(key[i]) && key[i] != u'|') {
                ++i;
            }
            if (i == key.size() || !(is_beta_letter(key[i]) || is_greek_letter(key[i]))) {
                return false;
            }
            ++i;
            if (i < key.size() && key[i] == u'|') {
                ++i;
            }
            continue;
        }
        const char16_t letter = key[i++];
        if (is_greek_letter(letter)) {
            continue;
        }
        if (!is_beta_letter(letter)) {
            return false;
        }
        // Marks stand after vowels; rho takes a breathing only.
        while (i < key.size() && is_beta_mark(key[i])) {
            const bool breathing = key[i] == u'(' || key[i] == u')';
            if (!(is_beta_vowel(letter) || (letter == u'r' && breathing))) {
                return false;
            }
            ++i;
        }
    }
    return !key.empty();
}

bool is_word_key(std::string_view key) {
    std::u16string wide;
    wide.reserve(key.size());
    for (const char c : key) {
        wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    return is_word_key(std::u16string_view(wide));
}

bool is_no_text_word(std::u16string_view word) {
    int runs = 0;
    std::size_t run_letters = 0; // letters of the current run; 0 outside a run
    for (const char16_t c : word) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
            c == u'[' || c == u']') {
            return true;
        }
        if (is_greek_letter(c) || (c >= 0x0300 && c <= 0x036F)) {
            runs += run_letters == 0 ? 1 : 0;
            ++run_letters;
        } else if (!(c == u',' && run_letters == 1)) {
            run_letters = 0;
        }
    }
    return runs > 1;
}

namespace {

// The key the program looks the word up by, before it is narrowed to ISO 8859-1.
std::u16string wide_lookup_key(std::u16string_view word, const betaconverter& converter) {
    wide_string key = converter.to_betacode(wide_string(word));
    clean_clicked_word(key);
    return key;
}

std::size_t slot_of(std::int32_t author) {
    return author >= 1 && author < static_cast<std::int32_t>(author_slots)
               ? static_cast<std::size_t>(author)
               : 0;
}

} // namespace

text_word_counts count_text_words(std::span<const authored_text> texts,
                                  const betaconverter& converter) {
    text_word_counts result;
    std::unordered_set<std::u16string> non_word_keys;
    std::unordered_map<std::u16string, std::size_t> by_word; // word with its end, to entry
    std::vector<std::int64_t> entry_of;                      // -1 for unstorable, -2 for no word
    for (const auto& passage : texts) {
        const std::size_t slot = slot_of(passage.author_number);
        for_each_text_word(
            passage.text, 0, passage.text.size(),
            [&](std::size_t, std::u16string_view word, text_token kind) {
                // Speakers and headings are labels, not the text's words.
                if (kind == text_token::label) {
                    ++result.label_tokens;
                    return;
                }
                if (kind == text_token::no_end) {
                    ++result.unstorable_tokens;
                    return;
                }
                auto [it, inserted] = by_word.try_emplace(std::u16string(word), entry_of.size());
                if (inserted) {
                    const std::u16string wide_key = wide_lookup_key(word, converter);
                    std::string key = lookup_key(word, converter);
                    if (is_no_text_word(word) || !is_word_key(wide_key)) {
                        entry_of.push_back(-2);
                        non_word_keys.insert(wide_key);
                    } else if (key.empty() || key.size() > 2023) {
                        entry_of.push_back(-1);
                    } else {
                        entry_of.push_back(static_cast<std::int64_t>(result.words.size()));
                        text_word_counts::entry e;
                        // A word that lost its first vowel ("’γώ", "’πί") is analysed with it.
                        const bool aphaeresis = word.size() > 1 && word[0] == u'\u2019';
                        e.analysis_key = lookup_key(
                            (aphaeresis ? u"\u1F10" : u"") + analyser_word(word), converter);
                        e.key = std::move(key);
                        result.words.push_back(std::move(e));
                    }
                }
                const std::int64_t index = entry_of[it->second];
                if (index == -2) {
                    ++result.non_word_tokens;
                } else if (index < 0) {
                    ++result.unstorable_tokens;
                } else {
                    ++result.words[static_cast<std::size_t>(index)].tokens[slot];
                }
            });
    }
    result.non_word_keys = non_word_keys.size();
    // Different spellings of a word (with and without its punctuation) share one key.
    std::unordered_map<std::string, std::size_t> by_key;
    std::vector<text_word_counts::entry> merged;
    for (auto& e : result.words) {
        auto [it, inserted] = by_key.try_emplace(e.key, merged.size());
        if (inserted) {
            merged.push_back(std::move(e));
        } else {
            for (std::size_t a = 0; a < author_slots; ++a) {
                merged[it->second].tokens[a] += e.tokens[a];
            }
        }
    }
    result.words = std::move(merged);
    return result;
}

text_word_counts count_listed_words(std::string_view forms_by_author) {
    text_word_counts result;
    std::unordered_map<std::string, std::size_t> by_key;
    std::size_t start = 0;
    while (start < forms_by_author.size()) {
        auto end = forms_by_author.find('\n', start);
        if (end == std::string_view::npos) {
            end = forms_by_author.size();
        }
        const std::string_view line = forms_by_author.substr(start, end - start);
        start = end + 1;
        const auto tab1 = line.find('\t');
        const auto tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) {
            continue;
        }
        const int author = author_number_of_label(line.substr(tab1 + 1, tab2 - tab1 - 1));
        std::uint32_t count = 0;
        const auto digits = line.substr(tab2 + 1);
        std::from_chars(digits.data(), digits.data() + digits.size(), count);
        if (author == 0 || count == 0) {
            continue;
        }
        const std::string key(line.substr(0, tab1));
        auto [it, inserted] = by_key.try_emplace(key, result.words.size());
        if (inserted) {
            text_word_counts::entry e;
            e.key = key;
            e.analysis_key = key;
            result.words.push_back(std::move(e));
        }
        result.words[it->second].tokens[static_cast<std::size_t>(author)] += count;
    }
    return result;
}

} // namespace veso::corpus
