// The built lexicon files: look-ups of known words through the program's lexicon, the colour
// category of every analysis in the morphology files, and the analyses' order and counts.
#include "common/unicode_text.h"
#include "datafiles/data_manifest.h"
#include "lexicon/lexicon.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <numeric>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::filesystem::path data_folder = std::filesystem::path(VESO_REAL_DATA_ROOT) / "data";

veso::lexicon& loaded_lexicon() {
    static veso::lexicon lex(data_folder);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    while (!lex.loading_finished() && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return lex;
}

// The last headword of every analysis of a morphology string.
std::vector<std::u16string> lemmas_of(const std::u16string& morphology) {
    std::vector<std::u16string> lemmas;
    std::size_t start = 0;
    while (start < morphology.size()) {
        auto end = morphology.find(u'\x03', start);
        if (end == std::u16string::npos) {
            end = morphology.size();
        }
        const auto analysis = morphology.substr(start, end - start);
        const auto space = analysis.find(u' ', 2);
        auto list = analysis.substr(2, space == std::u16string::npos ? space : space - 2);
        const auto comma = list.rfind(u',');
        lemmas.push_back(comma == std::u16string::npos ? list : list.substr(comma + 1));
        start = end + 1;
    }
    return lemmas;
}

std::string narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

struct known_word {
    std::u16string word; // as it stands in a text, with the space that ends it
    std::u16string lemma;
    unsigned author; // whose column must count the lemma (0: none to check)
};

} // namespace

TEST(RealLexicon, KnownWordsFindTheirLemmaDefinitionAndCount) {
    auto& lex = loaded_lexicon();
    ASSERT_TRUE(lex.loading_finished());
    const known_word words[] = {
        {u"λόγος ", u"lo/gos", 25},
        {u"ἔλυσα ", u"lu/w", 0},
        {u"ἀνθρώπων, ", u"a)/nqrwpos", 25},
        {u"μῆνιν ", u"mh=nis", 17},
        {u"θεὰ ", u"qea/1", 17},                // grave accent; LSJ numbers its only θεά
        {u"Ἀχιλῆος ", u"*)axilleu/s", 17},      // capital
        {u"ἀλλ’ ", u"a)lla/", 25},              // elided
        {u"ἄνθρωπόν ", u"a)/nqrwpos", 25},      // two acutes
        {u"ἠγάπησεν ", u"a)gapa/w", 0},         // New Testament
        {u"βασιλεύς\u0387 ", u"basileu/s", 14}, // the texts' ano teleia
        {u"πολιτείας, ", u"politei/a", 27},     // the Old Oligarch
        {u"σοφίᾳ ", u"sofi/a", 12},             // Diodorus 9.1
        {u"θῦμον, ", u"qumo/s", 0},             // Sappho 1, by the treebank's own lemma
        {u"’γώ ", u"e)gw/", 0},                 // aphaeresis, analysed with its vowel
    };
    for (const auto& w : words) {
        // The texts write the acute as oxia, as normalise_greek does, and keep the ano teleia
        // that NFC turns into a middle dot.
        std::u16string text = veso::corpus::normalise_greek(w.word);
        std::replace(text.begin(), text.end(), u'\u00B7', u'\u0387');
        const std::u16string key = lex.greek_converter().to_betacode(text);
        const std::u16string morphology = lex.analysis_of(key);
        const auto lemmas = lemmas_of(morphology);
        EXPECT_NE(std::find(lemmas.begin(), lemmas.end(), w.lemma), lemmas.end())
            << narrow(key) << " -> " << narrow(morphology);
        EXPECT_FALSE(lex.definition_of(w.lemma).empty()) << narrow(w.lemma);
        if (w.author != 0) {
            EXPECT_GT(lex.frequency_field(w.lemma, w.author), 0) << narrow(w.lemma);
        }
    }
    // Speaker labels are not counted: ΣΩ. (key *s*w, found as σέω) made σέω count 4,910 in
    // Plato, where forms such as σῶν give it about 300.
    EXPECT_LT(lex.frequency_field(u"se/w", 25), 1000);
}

namespace {

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text view's case rule for one analysis: marker and description decide the colour code.
char case_rule(char marker, const std::string& description) {
    auto has = [&](const char* s) { return description.find(s) != std::string::npos; };
    if (marker == 'N' || marker == 'E' || marker == 'P') {
        const char* cases[] = {" abl ", " acc ", " dat ", " gen ", " nom ", " nom/voc "};
        const char noun[] = {'5', '4', '3', '2', '1', '1'};
        const char participle[] = {'0', '9', '8', '7', '6', '6'};
        for (int i = 0; i < 6; ++i) {
            if (has(cases[i])) {
                return marker == 'P' ? participle[i] : noun[i];
            }
        }
        return marker == 'P' ? 'P' : 'N';
    }
    if (marker == 'V') {
        return has("act") ? 'Q' : has("mp") ? 'W' : has("mid") ? 'R' : has("pass") ? 'T' : 'V';
    }
    return marker;
}

// The category the analysis states by its own words: its one case, or its voice.
char stated_category(char marker, const std::string& description) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < description.size()) {
        const auto end = description.find(' ', i);
        if (end > i) {
            words.push_back(description.substr(i, end - i));
        }
        if (end == std::string::npos) {
            break;
        }
        i = end + 1;
    }
    auto has = [&](const char* w) {
        return std::find(words.begin(), words.end(), w) != words.end();
    };
    if (marker == 'N' || marker == 'E' || marker == 'P') {
        const char* cases[] = {"nom", "gen", "dat", "acc", "nom/voc"};
        const char noun[] = {'1', '2', '3', '4', '1'};
        const char participle[] = {'6', '7', '8', '9', '6'};
        char found = 0;
        int count = 0;
        for (int c = 0; c < 5; ++c) {
            if (has(cases[c])) {
                found = marker == 'P' ? participle[c] : noun[c];
                ++count;
            }
        }
        if (count == 1) {
            return found;
        }
        return marker == 'P' ? 'P' : 'N';
    }
    if (marker == 'V') {
        return has("act") ? 'Q' : has("mp") ? 'W' : has("mid") ? 'R' : has("pass") ? 'T' : 'V';
    }
    return marker;
}

} // namespace

// A key of the morphology files is a Greek word: Beta Code letters and marks only, no digit,
// Latin-only letter (j, v) or punctuation, and not ending in a mark that follows no letter.
bool is_beta_word(const std::string& key) {
    return !key.empty() &&
           key.find_first_not_of("abgdezhqiklmncoprstufxyw*()/\\=+|") == std::string::npos &&
           key.back() != '*';
}

TEST(RealLexicon, EveryRecordIsAWordWithDistinctAnalysesColouredByItsOwnCaseOrVoice) {
    std::size_t checked = 0;
    // Every last headword is a key of o.dat: the frequency key is the analysis's lemma.
    std::set<std::string> counted;
    {
        const std::string frequencies = read_file(data_folder / "o.dat");
        std::size_t start = 0;
        while (start < frequencies.size()) {
            const auto separator = frequencies.find('\x02', start);
            const auto end = frequencies.find('\x01', start);
            ASSERT_NE(end, std::string::npos);
            ASSERT_LT(separator, end);
            const std::string value = frequencies.substr(separator + 1, end - separator - 1);
            EXPECT_EQ(std::count(value.begin(), value.end(), ','), 43) << value;
            counted.insert(frequencies.substr(start, separator - start));
            start = end + 1;
        }
    }
    const std::string colour_codes = "1234567890QRWT";
    for (const char* name : {"m.dat", "m_a.dat"}) {
        const std::string file = read_file(data_folder / name);
        ASSERT_FALSE(file.empty()) << name;
        std::size_t start = 0;
        while (start < file.size()) {
            const auto end = file.find('\x01', start);
            ASSERT_NE(end, std::string::npos) << "unterminated record in " << name;
            const std::string record = file.substr(start, end - start);
            start = end + 1;
            const auto separator = record.find('\x02');
            ASSERT_NE(separator, std::string::npos);
            EXPECT_TRUE(is_beta_word(record.substr(0, separator))) << record.substr(0, separator);
            const std::string value = record.substr(separator + 1);
            std::set<std::string> shown; // marker, lemma and description, as the pane shows them
            std::size_t a = 0;
            while (a <= value.size()) {
                auto b = value.find('\x03', a);
                if (b == std::string::npos) {
                    b = value.size();
                }
                const std::string analysis = value.substr(a, b - a);
                a = b + 1;
                ASSERT_GE(analysis.size(), 4u) << record;
                const char marker = analysis[0];
                ASSERT_EQ(analysis[1], ' ') << record;
                const auto description_start = analysis.find(' ', 2);
                ASSERT_NE(description_start, std::string::npos) << record;
                const auto description_end = analysis.find('\t', description_start);
                ASSERT_NE(description_end, std::string::npos) << record;
                const std::string description =
                    analysis.substr(description_start, description_end - description_start);
                const std::string headwords = analysis.substr(2, description_start - 2);
                const auto comma = headwords.rfind(',');
                const std::string lemma =
                    comma == std::string::npos ? headwords : headwords.substr(comma + 1);
                EXPECT_TRUE(counted.contains(lemma)) << record;
                EXPECT_TRUE(shown.insert(marker + lemma + description).second) << record;
                ASSERT_EQ(description.back(), ' ') << record;
                if (marker != 'N' && marker != 'E' && marker != 'P' && marker != 'V') {
                    EXPECT_EQ(colour_codes.find(marker), std::string::npos) << record;
                }
                EXPECT_EQ(case_rule(marker, description), stated_category(marker, description))
                    << record.substr(0, separator) << ": " << analysis;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 400000u);
}

namespace {

// The counts of a headword in o.dat, one per author number from 1.
std::vector<long> counts_of(const std::string& headword) {
    const std::string frequencies = read_file(data_folder / "o.dat");
    const auto at = frequencies.find("\x01" + headword + "\x02");
    std::vector<long> counts;
    if (at == std::string::npos) {
        return counts;
    }
    std::size_t start = at + headword.size() + 2;
    const auto end = frequencies.find('\x01', start);
    while (start < end) {
        std::size_t comma = std::min(frequencies.find(',', start), end);
        counts.push_back(std::stol(frequencies.substr(start, comma - start)));
        start = comma + 1;
    }
    return counts;
}

} // namespace

TEST(RealLexicon, NamedLemmasShowTheBestDictionaryAndCountsForEveryAuthor) {
    auto& lex = loaded_lexicon();
    ASSERT_TRUE(lex.loading_finished());
    struct named_lemma {
        std::u16string word;
        std::u16string lemma;
        std::u16string opening; // of the definition, Greek converted
    };
    const named_lemma lemmas[] = {
        // LSJ in full, whatever its homograph digit, for every lemma it has.
        {u"καὶ ", u"kai/1", u"[L] καί, Conj., copulative, joining words and sentences"},
        {u"δὲ ", u"de/1", u"[L] δέ, <B>A. but: <N>adversative and copulative Particle"},
        {u"ὁ ", u"o(1",
         u"[L] ὁ, ἡ, τό, is, when thus written, <B>A. <N>demonstr. Pronoun. <B>B. "
         u"<N>in Att., definite or prepositive Article."},
        {u"μῆνιν ", u"mh=nis", u"[L] μῆνις, Dor. and Aeol. μᾶν -, ἡ,"},
        {u"Ἰησοῦς ", u"*)ihsou=s", u"[L] <B>Ἰησοῦς, <N>οῦ, dat. οῖ, <I>Joshua,"},
        // Without LSJ in full: LSJ's gloss, then the fullest entry, named.
        {u"ἐστὶ ", u"ei)mi/", u"[S] to be, to exist <I>Abbott-Smith <B>εἰμί, "},
        {u"πολὺς ", u"polu/s", u"[S] many, much <I>Abbott-Smith <B>πολύς, "},
        {u"ἀνὴρ ", u"a)nh/r", u"[S] a man <I>Abbott-Smith <B>ἀνήρ, "},
        // LSJ's short gloss of ἔχω is a placeholder, and its marked line says "check".
        {u"ἔχει ", u"e)/xw", u"[M] to have or to hold <I>Abbott-Smith <B>ἔχω, "},
        {u"ὅς ", u"o(/s1", u"[L] ὅς, ἥ, ὅ, gen. οὗ, ἧς, οὗ,"},
    };
    for (const auto& l : lemmas) {
        const std::u16string key =
            lex.greek_converter().to_betacode(veso::corpus::normalise_greek(l.word));
        const auto analysed = lemmas_of(lex.analysis_of(key));
        EXPECT_NE(std::find(analysed.begin(), analysed.end(), l.lemma), analysed.end())
            << narrow(key) << " -> " << narrow(lex.analysis_of(key));
        const std::u16string opening = veso::corpus::normalise_greek(l.opening);
        EXPECT_EQ(lex.definition_of(l.lemma).substr(0, opening.size()), opening) << narrow(l.lemma);
    }
    // No entry of another dictionary stands beside LSJ's under the same headword.
    EXPECT_EQ(lex.definition_of(u"kai/"), u"");
    EXPECT_EQ(lex.definition_of(u"o("), u"");

    // The Bible (44) and Sappho (38) have counts of their own; the first 31 columns stay the
    // classical authors'.
    const auto jesus = counts_of("*)ihsou=s");
    ASSERT_EQ(jesus.size(), 44u);
    EXPECT_GT(jesus[43], 900);
    EXPECT_EQ(std::accumulate(jesus.begin(), jesus.begin() + 31, 0L), 0);
    const auto and_ = counts_of("kai/1");
    ASSERT_EQ(and_.size(), 44u);
    EXPECT_GT(and_[37], 20);
    EXPECT_GT(and_[24], 20000); // Plato
}

namespace {

// Characters of UTF-8 read as ISO 8859-1 (a lead byte, then a continuation byte), the
// replacement character, or a character reference left unresolved.
bool has_decoding_slip(std::u16string_view text) {
    constexpr std::u16string_view leads = u"\u00C2\u00C3\u00CE\u00CF\u00E1\u00E2";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t next = i + 1 < text.size() ? text[i + 1] : u' ';
        if (c == 0xFFFD || (leads.find(c) != std::u16string_view::npos &&
                            ((next >= 0x80 && next <= 0xBF) || next == 0x20AC))) {
            return true;
        }
        if (c == u'&') {
            std::size_t end = i + 1;
            while (end < text.size() && text[end] < 0x80 &&
                   (std::isalnum(static_cast<int>(text[end])) != 0 || text[end] == u'#')) {
                ++end;
            }
            if (end > i + 1 && end < text.size() && text[end] == u';') {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(RealLexicon, EveryDefinitionIsUnderAOneWordKeyAndFreeOfDecodingSlips) {
    const std::regex key_pattern("[a-z()/\\\\=+|*]*[a-z][a-z()/\\\\=+|*]*[0-9]{0,2}");
    std::map<char16_t, std::size_t> by_source;
    for (const auto& [name, wide] :
         {std::pair{"d.dat", false}, {"d_b.dat", true}, {"d_a.dat", false}}) {
        const std::string bytes = read_file(data_folder / name);
        std::u16string file;
        if (wide) {
            for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
                file += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8));
            }
        } else {
            for (const char c : bytes) {
                file += static_cast<char16_t>(static_cast<unsigned char>(c));
            }
        }
        std::size_t start = 0;
        while (start < file.size()) {
            const auto end = file.find(u'\0', start);
            const auto separator = file.find(u'\x01', start);
            ASSERT_LT(separator, end) << name;
            const std::u16string key = file.substr(start, separator - start);
            const std::u16string_view definition =
                std::u16string_view(file).substr(separator + 1, end - separator - 1);
            start = end + 1;
            EXPECT_TRUE(std::regex_match(narrow(key), key_pattern)) << name << ": " << narrow(key);
            EXPECT_FALSE(has_decoding_slip(definition)) << name << ": " << narrow(key);
            ASSERT_GE(definition.size(), 4u);
            // "@" stands in the short-definition files where a lemma has no gloss.
            EXPECT_FALSE(definition.substr(4).starts_with(u"@")) << name << ": " << narrow(key);
            ++by_source[definition[1]];
        }
    }
    // Every source shows up, Logeion under its own letter.
    for (const char16_t source : {u'L', u'S', u'M', u'G', u'A', u'T', u'D'}) {
        EXPECT_GT(by_source[source], 100u) << static_cast<char>(source);
    }
    EXPECT_EQ(by_source.size(), 7u);
}

TEST(RealLexicon, AnalysesInLikelihoodOrderAndEachTokenCountedOnce) {
    auto& lex = loaded_lexicon();
    ASSERT_TRUE(lex.loading_finished());
    auto lemmas_of_word = [&](const char16_t* word) {
        const std::u16string key =
            lex.greek_converter().to_betacode(veso::corpus::normalise_greek(word));
        return lemmas_of(lex.analysis_of(key));
    };
    // In the analyser's order: ἕ before ὁ, σύ before τε, εἰμί before ὦ, μένω before μέν.
    const std::pair<const char16_t*, std::u16string> firsts[] = {{u"οἱ ", u"o(1"},
                                                                 {u"τ’ ", u"te1"},
                                                                 {u"ὦ ", u"w)=1"},
                                                                 {u"μὲν ", u"me/n"},
                                                                 {u"ἦν ", u"ei)mi/"}};
    for (const auto& [word, lemma] : firsts) {
        const auto lemmas = lemmas_of_word(word);
        ASSERT_GE(lemmas.size(), 2u) << narrow(lemma);
        EXPECT_EQ(lemmas.front(), lemma) << narrow(lemma);
    }
    // ὅτι: both of LSJ's ὅτι (conjunction and adverb) before ὅστις.
    const auto hoti = lemmas_of_word(u"ὅτι ");
    const auto first_hostis = std::find(hoti.begin(), hoti.end(), u"o(/stis");
    ASSERT_NE(first_hostis, hoti.end());
    EXPECT_EQ(hoti.front(), u"o(/ti");
    EXPECT_EQ(std::find(first_hostis, hoti.end(), u"o(/ti"), hoti.end());

    // μέν above μένω in every author who has either.
    const auto men = counts_of("me/n");
    const auto meno = counts_of("me/nw");
    ASSERT_EQ(men.size(), 44u);
    ASSERT_EQ(meno.size(), 44u);
    std::size_t authors = 0;
    for (std::size_t a = 0; a < 44; ++a) {
        if (men[a] + meno[a] > 0) {
            EXPECT_GT(men[a], meno[a]) << "author " << a + 1;
            ++authors;
        }
    }
    EXPECT_GE(authors, 30u);
    // λέγω "say" above λέγω "lay", whose forms are the same, in every author who has ten of
    // them (Hesiod has one of each); the relative ὅς is LSJ's relative, not the possessive.
    const auto say = counts_of("le/gw2");
    const auto lay = counts_of("le/gw1");
    ASSERT_EQ(say.size(), 44u);
    ASSERT_EQ(lay.size(), 44u);
    for (std::size_t a = 0; a < 44; ++a) {
        if (say[a] + lay[a] >= 10) {
            EXPECT_GT(say[a], lay[a]) << "author " << a + 1;
        }
    }
    EXPECT_EQ(lemmas_of_word(u"ὅς ").front(), u"o(/s1");

    // Each analysed token is counted once: an author's column adds up to the tokens whose form
    // has an analysis (counting every lemma of a form made Plato's 35 % more).
    const auto report = nlohmann::json::parse(read_file(data_folder / "build-report.json"));
    std::vector<double> column_sums(44, 0.0);
    {
        const std::string frequencies = read_file(data_folder / "o.dat");
        std::size_t start = 0;
        while (start < frequencies.size()) {
            const auto separator = frequencies.find('\x02', start);
            const auto end = frequencies.find('\x01', start);
            std::size_t field = separator + 1;
            for (std::size_t a = 0; a < 44; ++a) {
                column_sums[a] += std::strtod(frequencies.c_str() + field, nullptr);
                field = frequencies.find(',', field) + 1;
            }
            start = end + 1;
        }
    }
    std::size_t columns_checked = 0;
    for (const auto& [author, figures] : report["lexicon"]["coverage"]["by_author"].items()) {
        const std::size_t a = std::stoul(author);
        if (a < 1 || a > 44) {
            continue;
        }
        const double analysed =
            figures["tokens"].get<double>() * figures["analysed_percent"].get<double>() / 100.0;
        EXPECT_NEAR(column_sums[a - 1], analysed, analysed * 0.01 + 5) << "author " << a;
        ++columns_checked;
    }
    EXPECT_GE(columns_checked, 33u);

    // The held-out figures compare the analyser's order with the model's, not the model's with
    // itself.
    const auto& classical = report["lexicon"]["reading_model"]["held_out"]["classical_authors"];
    EXPECT_GT(classical["words"].get<double>(), 40000);
    EXPECT_GE(classical["first_lemma_right_after_percent"].get<double>(), 97.0);
    EXPECT_LT(classical["first_lemma_right_before_percent"].get<double>(), 93.0);

    // Ordering dropped no analysis: the files hold the same lines as the lists before ordering.
    const auto& before = report["lexicon"]["reading_model"]["analyses_before_ordering"];
    std::uint64_t lines = 0, checksum_sum = 0;
    for (const char* name : {"m.dat", "m_a.dat"}) {
        const std::string file = read_file(data_folder / name);
        std::size_t start = 0;
        while (start < file.size()) {
            const auto end = file.find('\x01', start);
            const auto separator = file.find('\x02', start);
            ASSERT_LT(separator, end);
            const std::string key = file.substr(start, separator - start);
            std::size_t a = separator + 1;
            while (a <= end) {
                const auto b = std::min(file.find('\x03', a), end);
                const std::string line = key + '\x02' + file.substr(a, b - a);
                veso::datafiles::checksum c;
                c.add({reinterpret_cast<const unsigned char*>(line.data()), line.size()});
                checksum_sum += c.value();
                ++lines;
                a = b + 1;
            }
            start = end + 1;
        }
    }
    EXPECT_EQ(lines, before["analyses"].get<std::uint64_t>());
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(checksum_sum));
    EXPECT_EQ(hex, before["line_checksum_sum"].get<std::string>());
}
