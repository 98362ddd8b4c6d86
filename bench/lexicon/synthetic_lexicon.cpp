#include "synthetic_lexicon.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <random>
#include <set>
#include <string>

namespace veso::bench {

namespace {

constexpr std::array<const char*, 18> onsets = {"",  "b", "g", "d", "z", "q", "k", "l", "m",
                                                "n", "c", "p", "r", "s", "t", "f", "x", "y"};
constexpr std::array<const char*, 16> nuclei = {"a",  "e",  "h",  "i",  "o",  "u",  "w",  "ai",
                                                "ei", "oi", "ou", "a/", "e/", "h=", "o/", "w="};
constexpr std::array<const char*, 14> endings = {"os",  "ou", "w|", "on", "oi", "wn", "ois",
                                                 "ous", "h",  "hs", "h|", "hn", "a",  "as"};
constexpr std::array<const char*, 12> descriptions = {
    " masc nom sg",    " masc gen sg",         " fem dat sg",         " neut acc pl",
    " fem nom/voc pl", " pres ind act 3rd sg", " aor ind mid 1st sg", " pres part act masc nom sg",
    " perf inf mp",    " fut ind pass 3rd pl", " masc acc pl",        " neut gen pl"};
constexpr std::array<const char*, 20> english = {
    "the",  "of",   "and", "to",   "in",  "a",   "word",      "speech",  "reason", "account",
    "said", "esp.", "cf.", "Hom.", "Il.", "Pl.", "generally", "metaph.", "freq.",  "pass."};

std::string word(std::mt19937& random, int syllables) {
    std::string w;
    for (int s = 0; s < syllables; ++s) {
        w += onsets[random() % onsets.size()];
        w += nuclei[random() % nuclei.size()];
    }
    w += endings[random() % endings.size()];
    return w;
}

std::vector<std::string> unique_words(std::mt19937& random, std::size_t count) {
    std::set<std::string> words;
    while (words.size() < count) {
        words.insert(word(random, 1 + static_cast<int>(random() % 4)));
    }
    return {words.begin(), words.end()};
}

std::string definition(std::mt19937& random, std::size_t length) {
    std::string text;
    while (text.size() < length) {
        if (random() % 8 == 0) {
            text += "<G>" + word(random, 1 + static_cast<int>(random() % 3)) + "</G>, ";
        } else {
            text += english[random() % english.size()];
            text += ' ';
        }
    }
    return text;
}

void write_bytes(const std::filesystem::path& file,
                 const std::vector<std::pair<std::string, std::string>>& records, char separator,
                 char terminator) {
    std::ofstream out(file, std::ios::binary);
    for (const auto& [key, value] : records) {
        out << key << separator << value << terminator;
    }
}

void write_wide(const std::filesystem::path& file,
                const std::vector<std::pair<std::string, std::string>>& records) {
    std::string bytes;
    auto put = [&bytes](unsigned char c) {
        bytes += static_cast<char>(c);
        bytes += '\0';
    };
    for (const auto& [key, value] : records) {
        for (char c : key) {
            put(static_cast<unsigned char>(c));
        }
        put(1);
        for (char c : value) {
            put(static_cast<unsigned char>(c));
        }
        put(0);
    }
    std::ofstream(file, std::ios::binary) << bytes;
}

std::u16string wide(const std::string& text) {
    return {text.begin(), text.end()};
}

} // namespace

void write_synthetic_lexicon(const std::filesystem::path& folder, const synthetic_sizes& sizes) {
    std::filesystem::create_directories(folder);
    std::mt19937 random(1);
    std::vector<std::string> headwords = unique_words(random, sizes.dictionary);

    // Dictionary: most entries in d.dat, some in d_b.dat and d_a.dat, a few repeated there.
    std::vector<std::pair<std::string, std::string>> d, d_b, d_a;
    for (std::size_t i = 0; i < headwords.size(); ++i) {
        std::size_t length =
            sizes.definition_length / 4 + random() % (sizes.definition_length * 3 / 2);
        auto& file = i % 6 == 0 ? d_b : i % 6 == 1 ? d_a : d;
        file.emplace_back(headwords[i], definition(random, length));
        if (i % 50 == 0) {
            (i % 6 == 0 ? d_a : d_b).emplace_back(headwords[i], "repeated");
        }
    }
    std::sort(d_b.begin(), d_b.end());
    std::sort(d_a.begin(), d_a.end());
    write_bytes(folder / "d.dat", d, '\x01', '\0');
    write_wide(folder / "d_b.dat", d_b);
    write_bytes(folder / "d_a.dat", d_a, '\x01', '\0');

    std::vector<std::pair<std::string, std::string>> frequencies;
    for (std::size_t i = 0; i < sizes.frequency; ++i) {
        std::string counts;
        for (int field = 0; field < 31; ++field) {
            counts += (field ? "," : "") + std::to_string(random() % 5 == 0 ? random() % 300 : 0);
        }
        frequencies.emplace_back(
            headwords[i % headwords.size()] + (i < headwords.size() ? "" : "2"), counts);
    }
    std::sort(frequencies.begin(), frequencies.end());
    write_bytes(folder / "o.dat", frequencies, '\x02', '\x01');

    std::mt19937 forms_random(2);
    std::vector<std::string> forms = unique_words(forms_random, sizes.morphology);
    std::vector<std::pair<std::string, std::string>> m, m_a;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        std::string analyses;
        for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
            analyses += (analyses.empty() ? "" : "\x03");
            analyses += "NVPE"[random() % 4];
            analyses += ' ';
            analyses += headwords[random() % headwords.size()];
            analyses += descriptions[random() % descriptions.size()];
            analyses += '\x09';
        }
        (i % 10 == 0 ? m_a : m).emplace_back(forms[i], analyses);
    }
    write_bytes(folder / "m.dat", m, '\x02', '\x01');
    write_bytes(folder / "m_a.dat", m_a, '\x02', '\x01');
}

synthetic_samples synthetic_lexicon_samples(const synthetic_sizes& sizes, std::size_t count) {
    synthetic_samples samples;
    std::mt19937 random(1);
    std::vector<std::string> headwords = unique_words(random, sizes.dictionary);
    std::mt19937 forms_random(2);
    std::vector<std::string> forms = unique_words(forms_random, sizes.morphology);
    std::mt19937 pick(3);
    std::set<std::string> known(forms.begin(), forms.end());
    for (std::size_t i = 0; i < count; ++i) {
        samples.known_words.push_back(wide(forms[pick() % forms.size()]));
        samples.headwords.push_back(wide(headwords[pick() % headwords.size()]));
        std::string unknown;
        do {
            unknown = word(pick, 2 + static_cast<int>(pick() % 3)) + "q";
        } while (known.count(unknown) != 0);
        samples.unknown_words.push_back(wide(unknown));
    }
    return samples;
}

} // namespace veso::bench
