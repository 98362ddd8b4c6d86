// Built definitions of every source drawn with the views' own drawing code: every word shows.
#include "lexicon/definition_markup.h"
#include "lexicon/lexicon.h"
#include "platform/headless/headless_device_context.h"
#include "platform/headless/headless_fonts.h"
#include "views/marked_text.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

const std::filesystem::path data_folder = std::filesystem::path(VESO_REAL_DATA_ROOT) / "data";

std::u16string read_units(const std::filesystem::path& path, bool wide) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::u16string units;
    if (wide) {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           (static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
    } else {
        for (const char c : bytes) {
            units += static_cast<char16_t>(static_cast<unsigned char>(c));
        }
    }
    return units;
}

// Every hundredth definition of each source ("[L]", "[T]", ...), at most 60 a source.
void sample(const std::u16string& file, std::map<char16_t, std::vector<std::u16string>>& out) {
    std::size_t start = 0;
    std::size_t n = 0;
    while (start < file.size()) {
        const auto end = file.find(u'\0', start);
        if (end == std::u16string::npos) {
            break;
        }
        const auto separator = file.find(u'\x01', start);
        if (separator < end && ++n % 100 == 0) {
            const auto definition = file.substr(separator + 1, end - separator - 1);
            if (definition.size() > 2 && out[definition[1]].size() < 60) {
                out[definition[1]].push_back(definition);
            }
        }
        start = end + 1;
    }
}

std::vector<std::u16string> words_of(const std::u16string& text) {
    std::vector<std::u16string> words;
    std::u16string word;
    for (const char16_t c : text + u" ") {
        if (c == u' ') {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

std::u16string without_marks(const std::u16string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto three = std::u16string_view(text).substr(i, 3);
        if (three == u"<I>" || three == u"<B>" || three == u"<N>") {
            out += u' ';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

TEST(RealLexiconDrawing, EveryWordOfSampledDefinitionsIsDrawn) {
    std::map<char16_t, std::vector<std::u16string>> samples;
    sample(read_units(data_folder / "d.dat", false), samples);
    sample(read_units(data_folder / "d_b.dat", true), samples);
    sample(read_units(data_folder / "d_a.dat", false), samples);
    for (const char16_t source : {u'L', u'T', u'D', u'A', u'M', u'S', u'G'}) {
        EXPECT_FALSE(samples[source].empty()) << static_cast<char>(source);
    }

    // An empty folder: only the markup expansion of the lexicon is used.
    const auto empty = std::filesystem::temp_directory_path() / "veso_lexdata_no_data";
    std::filesystem::create_directories(empty);
    veso::lexicon lex(empty);
    veso::platform::headless_font_factory factory;
    const auto normal = factory.create_font({});
    const auto italic = factory.create_font({u"Palatino Linotype", 25, 400, true, false});
    const auto bold = factory.create_font({u"Palatino Linotype", 25, 700, false, false});
    const veso::marked_text_fonts fonts{normal.get(), italic.get(), bold.get()};

    for (const auto& [source, definitions] : samples) {
        for (auto text : definitions) {
            ASSERT_EQ(text.substr(0, 4), std::u16string(u"[") + source + u"] ");
            lex.expand_greek_markup(text);
            veso::platform::headless_device_context dc;
            veso::draw_marked_text(dc, text, {10, 0, 600, 100000}, fonts);
            std::u16string drawn;
            for (const auto& piece : dc.texts()) {
                drawn += piece.text;
                drawn += u' ';
            }
            // The dictionary's name first, then the definition's words.
            std::vector<std::u16string> expected =
                words_of(std::u16string(veso::definition_source_name(source)));
            for (auto& word : words_of(without_marks(text.substr(4))))
                expected.push_back(std::move(word));
            EXPECT_EQ(words_of(drawn), expected) << "source " << static_cast<char>(source);
        }
    }
    std::filesystem::remove_all(empty);
}
