// The fuzz targets' entry points over fixed seeds and their random variations, so that every build
// runs them (libFuzzer itself needs clang and a separate build).
#include "../../fuzz/fuzz_entry.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

extern "C" int fuzz_conversion(const std::uint8_t* data, std::size_t size);
extern "C" int fuzz_clean_clicked_word(const std::uint8_t* data, std::size_t size);
extern "C" int fuzz_expand_markup(const std::uint8_t* data, std::size_t size);
extern "C" int fuzz_loader(const std::uint8_t* data, std::size_t size);

namespace {

std::string utf16(const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// Seeds and, for each, variations with bytes flipped, inserted and removed.
std::vector<std::string> inputs(const std::vector<std::string>& seeds, int variations) {
    std::vector<std::string> result = seeds;
    std::mt19937 random(11);
    for (const std::string& seed : seeds) {
        for (int v = 0; v < variations; ++v) {
            std::string input = seed;
            for (int edits = 1 + static_cast<int>(random() % 4); edits > 0; --edits) {
                std::size_t at = input.empty() ? 0 : random() % input.size();
                switch (random() % 3) {
                case 0:
                    if (!input.empty()) {
                        input[at] = static_cast<char>(random());
                    }
                    break;
                case 1:
                    input.insert(at, 1, static_cast<char>(random()));
                    break;
                default:
                    if (!input.empty()) {
                        input.erase(at, 1);
                    }
                }
            }
            result.push_back(input);
        }
    }
    return result;
}

template <class Entry> void run_all(Entry entry, const std::vector<std::string>& all) {
    for (const std::string& input : all) {
        EXPECT_EQ(entry(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()), 0);
    }
}

TEST(fuzz_regression, conversion_and_cleaning) {
    std::vector<std::string> seeds = {"",
                                      utf16(u"o( lo/gos th=s a)lhqei/as "),
                                      utf16(u" *)/a *(=w|s1s2s3 Ch n*)a"),
                                      utf16(u"\u03BB\u1F79\u03B3\u03BF\u03C2 \u1F0C"),
                                      utf16(u"=/+/ lo\\gos, \r\r a/i/+s"),
                                      utf16(std::u16string(10001, u's'))};
    auto all = inputs(seeds, 300);
    run_all(fuzz_conversion, all);
    run_all(fuzz_clean_clicked_word, all);
}

TEST(fuzz_regression, markup) {
    // A first byte that is even reads the rest as single bytes.
    const std::string bytes(1, '\0');
    std::vector<std::string> seeds = {bytes + "<G>lo/gos</G>, word", bytes + "</G>a<G>b<<G>G></G>",
                                      bytes + "<G>*)/a</G><G>open", utf16(u"\x01<G>s</G>")};
    run_all(fuzz_expand_markup, inputs(seeds, 500));
}

TEST(fuzz_regression, loader) {
    std::vector<std::string> seeds;
    for (char file = 0; file < 6; ++file) {
        std::string content = file == 3 ? utf16(u"k\u0001v\u0000k2\u0001w\u0000")
                                        : std::string("lo/gos\x02N lo/gos\x09\x01k\x01v") +
                                              std::string(1, '\0') + "x\r\n\x1A";
        seeds.push_back(std::string(1, file) + content);
    }
    run_all(fuzz_loader, inputs(seeds, 15));
}

} // namespace
