// The fuzz targets' entry points over fixed seeds and their random variations, so that every build
// runs them (libFuzzer itself needs clang and a separate build).
#include "../../fuzz/fuzz_entry.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int fuzz_conversion(const std::uint8_t* data, std::size_t size);
extern "C" int fuzz_clean_clicked_word(const std::uint8_t* data, std::size_t size);
extern "C" int fuzz_expand_markup(const std::uint8_t* data, std::size_t size);
extern "C" int fuzz_loader(const std::uint8_t* data, std::size_t size);
extern "C" int fuzz_typed_greek(const std::uint8_t* data, std::size_t size);
extern "C" int fuzz_marked_text(const std::uint8_t* data, std::size_t size);

namespace {

std::string utf16(const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// The seed inputs kept for a target under fuzz/seeds, in name order.
std::vector<std::string> seed_files(const std::string& target) {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(VESO_FUZZ_SEEDS) / target)) {
        paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> seeds;
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_FALSE(seeds.empty()) << target;
    return seeds;
}

std::vector<std::string> with_seed_files(std::vector<std::string> seeds,
                                         const std::string& target) {
    for (std::string& seed : seed_files(target)) {
        seeds.push_back(std::move(seed));
    }
    return seeds;
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
    auto all = inputs(
        with_seed_files(with_seed_files(seeds, "fuzz_conversion"), "fuzz_clean_clicked_word"), 300);
    run_all(fuzz_conversion, all);
    run_all(fuzz_clean_clicked_word, all);
}

TEST(fuzz_regression, typed_greek) {
    const std::vector<std::string> seeds = {
        "", utf16(u"\u03BB\u03CC\u03B3\u03BF\u03C2"), utf16(u" LO/GOS\u00A0"),
        utf16(u"\u03B1\u0313\u0301\u0304\u1F88\u0386\u0344\u0301")};
    run_all(fuzz_typed_greek, inputs(with_seed_files(seeds, "fuzz_typed_greek"), 300));
}

TEST(fuzz_regression, marked_text) {
    // The first byte is the width; an even second byte reads the rest as single bytes.
    const std::vector<std::string> seeds = {std::string("\x05\x00[L]"),
                                            std::string("\x30\x00[S]<I><B><N>  <I>"),
                                            std::string("\x21\x00[]x[Q] a<I>b<N>c d")};
    run_all(fuzz_marked_text, inputs(with_seed_files(seeds, "fuzz_marked_text"), 300));
}

TEST(fuzz_regression, markup) {
    // A first byte that is even reads the rest as single bytes.
    const std::string bytes(1, '\0');
    std::vector<std::string> seeds = {bytes + "<G>lo/gos</G>, word", bytes + "</G>a<G>b<<G>G></G>",
                                      bytes + "<G>*)/a</G><G>open", utf16(u"\x01<G>s</G>")};
    run_all(fuzz_expand_markup, inputs(with_seed_files(seeds, "fuzz_expand_markup"), 500));
}

TEST(fuzz_regression, loader) {
    std::vector<std::string> seeds;
    for (char file = 0; file < 6; ++file) {
        std::string content = file == 3 ? utf16(u"k\u0001v\u0000k2\u0001w\u0000")
                                        : std::string("lo/gos\x02N lo/gos\x09\x01k\x01v") +
                                              std::string(1, '\0') + "x\r\n\x1A";
        seeds.push_back(std::string(1, file) + content);
    }
    run_all(fuzz_loader, inputs(with_seed_files(seeds, "fuzz_loader"), 15));
}

} // namespace
