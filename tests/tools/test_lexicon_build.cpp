// The whole lexicon build on a small corpus written here, read back through the program's lexicon.
#include "common/unicode_text.h"
#include "lexicon/build_lexicon.h"
#include "lexicon/lexicon.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <thread>

using namespace veso;

namespace {

void write(const std::filesystem::path& path, std::string_view text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class small_corpus : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("veso_lexdata_build_" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        corpus_ = root_ / "corpus";
        out_ = root_ / "data";
        std::filesystem::create_directories(out_);
        write(corpus_ / "morphology" / "analyses.tsv",
              "lo/gos\t<NL>N lo/gos  masc nom sg\t\t\tos_ou</NL>\n"
              "lo/gon\t<NL>N lo/gos  masc acc sg\t\t\tos_ou</NL>\n"
              "e)/lusa\t<NL>V e)/lu_sa,lu/w  aor ind act 1st sg\t\t\taor1</NL>\n"
              "nao/s\t<NL>N nao/s  masc nom sg\t\t\tos_ou</NL>\n"
              "*(/abel\t\n");
        write(corpus_ / "lexicon" / "lsj-perseus" / "grc.lsj.perseus-eng14.xml",
              "<TEI><text><body><entryFree key='nao/s1'><orth lang='greek'>nao/s</orth>, "
              "<tr>temple</tr></entryFree></body></text></TEI>");
        write(corpus_ / "lexicon" / "lsj-alpheios" / "ulsj-12-lambda.xml",
              "<TEI><entryFree key='λόγος'><orth lang='greek'>λόγος</orth>, <tr>word</tr>"
              "</entryFree></TEI>");
        write(corpus_ / "lexicon" / "lsj-alpheios" / "grc-lsj-defs.dat", "λύω|loose\n");
        write(corpus_ / "lexicon" / "abbott-smith" / "abbottsmithstrongs.xml",
              "<TEI><entryFree n='1'><form><foreign xml:lang='grc'><hi rend='bold'>ἀγαπάω"
              "</hi></foreign></form><sense>[for <foreign xml:lang='heb'>אהב</foreign>] "
              "<hi rend='italic'>to love</hi></sense></entryFree></TEI>");
        write(corpus_ / "texts" / "morphgnt" / "64-Jn-morphgnt.txt",
              "040316 V- 3AAI-S-- ἠγάπησεν ἠγάπησεν ἠγάπησεν ἀγαπάω\n");
        write(corpus_ / "texts" / "sappho-treebank" / "sappho.xml",
              "<treebank><sentence document_id='0009-001' subdoc='1'>"
              "<word form='θῦμον' lemma='θυμός' postag='n-s---ma-'/>"
              "<word form='λόγος' lemma='λέγω' postag='v--------'/></sentence></treebank>");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::filesystem::path root_, corpus_, out_;
};

void wait_for(const lexicon& lex) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!lex.loading_finished() && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace

TEST_F(small_corpus, BuildsTheSixFilesTheProgramReads) {
    // The texts write the ano teleia U+0387, which the program's cleaning takes off a word.
    const std::u16string homer = corpus::normalise_greek(u"λόγος λόγον, ἔλυσα ναός") + u"\u0387 " +
                                 corpus::normalise_greek(u"λόγον;; [5] ²ΧΟΡΟΣ³ ναός\r");
    const std::u16string john = corpus::normalise_greek(u"ἠγάπησεν λόγος ");
    const std::u16string sappho = corpus::normalise_greek(u"θῦμον ");
    const corpus::authored_text texts[] = {{17, homer}, {44, john}, {38, sappho}};
    nlohmann::json report;
    ASSERT_TRUE(corpus::build_lexicon_files(corpus_, out_, texts, report));
    for (const char* name : {"m.dat", "m_a.dat", "d.dat", "d_b.dat", "d_a.dat", "o.dat"}) {
        EXPECT_TRUE(std::filesystem::exists(out_ / name)) << name;
    }
    const auto& lex_report = report["lexicon"];
    // Only words: no key with punctuation, markers or labels.
    EXPECT_EQ(lex_report["files"]["m.dat"]["records"], 4);
    EXPECT_EQ(lex_report["files"]["m_a.dat"]["records"], 2);
    EXPECT_EQ(lex_report["coverage"]["by_author"]["17"]["tokens"], 5);
    EXPECT_EQ(lex_report["coverage"]["by_author"]["44"]["analysed_percent"], 100.0);
    EXPECT_EQ(lex_report["coverage"]["by_author"]["38"]["analysed_percent"], 100.0);
    EXPECT_EQ(lex_report["text_words"]["non_word_tokens_left_out"], 2);
    EXPECT_EQ(lex_report["text_words"]["label_tokens_left_out"], 1);

    lexicon lex(out_);
    wait_for(lex);
    ASSERT_TRUE(lex.loading_finished());
    EXPECT_EQ(lex.analysis_of(u"lo/gon,"), u"N lo/gos masc acc sg \tos_ou");
    // The analyser's lemma takes the dictionary's homograph digit.
    EXPECT_EQ(lex.analysis_of(u"nao/s"), u"N nao/s1 masc nom sg \tos_ou");
    EXPECT_EQ(lex.analysis_of(u"h)ga/phsen"), u"V a)gapa/w aor ind act 3rd sg \tMorphGNT");
    // A treebank word no analysis knows takes the treebank's own lemma and tag; one the
    // analyser knows keeps the analyser's.
    EXPECT_EQ(lex.analysis_of(u"qu=mon"), u"N qumo/s masc acc sg \ttreebank");
    EXPECT_EQ(lex.analysis_of(u"lo/gos"), u"N lo/gos masc nom sg \tos_ou");
    EXPECT_EQ(lex.frequency_field(u"lo/gos", 17), 2);
    EXPECT_EQ(lex.frequency_field(u"nao/s1", 17), 2);
    EXPECT_EQ(lex.frequency_field(u"lu/w", 17), 1);
    EXPECT_EQ(lex.frequency_field(u"lu/w", 1), 0);
    EXPECT_EQ(lex.definition_of(u"nao/s1").substr(0, 4), u"[L] ");
    EXPECT_NE(lex.definition_of(u"a)gapa/w").find(u"אהב"), std::u16string::npos);
    EXPECT_EQ(lex.definition_of(u"lu/w"), u"[S] loose ");
}

TEST_F(small_corpus, MissingSourcesLeaveTheirFilesEmptyAndAreReported) {
    std::filesystem::remove_all(corpus_ / "lexicon");
    std::filesystem::remove_all(corpus_ / "texts");
    nlohmann::json report;
    ASSERT_TRUE(corpus::build_lexicon_files(corpus_, out_, {}, report));
    EXPECT_EQ(report["lexicon"]["files"]["d.dat"]["records"], 0);
    EXPECT_EQ(report["lexicon"]["files"]["m.dat"]["records"], 4);
    EXPECT_FALSE(report["lexicon"]["dictionary_sources"]["unreadable"].empty());

    std::filesystem::remove(corpus_ / "morphology" / "analyses.tsv");
    EXPECT_FALSE(corpus::build_lexicon_files(corpus_, out_, {}, report));
}

TEST_F(small_corpus, DamagedSourcesDoNotStopTheBuild) {
    write(corpus_ / "morphology" / "analyses.tsv",
          "no tab here\n\tempty key\nlo/gos\t<NL>N lo/gos  masc nom sg\t\t\tos_ou\n"
          "lu/w\t<NL>V\n" +
              std::string(5000, 'x') + "\t<NL>N x  masc\t\t\tos_ou</NL>\n");
    write(corpus_ / "lexicon" / "lsj-perseus" / "grc.lsj.perseus-eng14.xml", "<TEI><entryFree");
    write(corpus_ / "lexicon" / "lsj-alpheios" / "grc-lsj-defs.dat", "|\nλύω\n|x\n");
    nlohmann::json report;
    ASSERT_TRUE(corpus::build_lexicon_files(corpus_, out_, {}, report));
    EXPECT_EQ(report["lexicon"]["files"]["m.dat"]["skipped"], 1); // the oversized key
}

TEST_F(small_corpus, AnnotatedReadingsComeFirstAndEachTokenCountsOnce) {
    // The analyser lists ναόν as νέω first. The texts use νέω far more than ναός, so the corpus
    // alone would keep that order; nine annotated words say ναόν is ναός, which LSJ keys nao/s1.
    write(corpus_ / "morphology" / "analyses.tsv",
          "nao/s\t<NL>N nao/s  masc nom sg\t\t\tos_ou</NL>\n"
          "nao/n\t<NL>V ne/w  pres ind act 1st sg\t\t\tw_stem</NL>"
          "<NL>N nao/s  masc acc sg\t\t\tos_ou</NL>\n"
          "ne/w\t<NL>V ne/w  pres ind act 1st sg\t\t\tw_stem</NL>\n");
    std::string treebank = "<treebank><sentence>";
    for (int i = 0; i < 9; ++i) {
        treebank += "<word form='ναόν' lemma='ναός' postag='n-s---ma-'/>";
    }
    write(corpus_ / "treebanks" / "pedalion" / "temples.xml", treebank + "</sentence></treebank>");
    const std::u16string homer =
        corpus::normalise_greek(u"νέω νέω νέω νέω νέω νέω ναόν ναόν ναός ναός ");
    const corpus::authored_text texts[] = {{17, homer}};
    nlohmann::json report;
    ASSERT_TRUE(corpus::build_lexicon_files(corpus_, out_, texts, report));
    // With MorphGNT's one word, ἠγάπησεν.
    EXPECT_EQ(report["lexicon"]["reading_model"]["annotated_words_used"], 10);
    EXPECT_EQ(report["lexicon"]["reading_model"]["held_out"]["all"]["words"], 10);

    lexicon lex(out_);
    wait_for(lex);
    ASSERT_TRUE(lex.loading_finished());
    EXPECT_EQ(lex.analysis_of(u"nao/n"),
              u"N nao/s1 masc acc sg \tos_ou\x03V ne/w pres ind act 1st sg \tw_stem");
    // ναόν's two tokens go (almost) wholly to ναός: 10 tokens, 10 counted.
    EXPECT_EQ(lex.frequency_field(u"nao/s1", 17), 4);
    EXPECT_EQ(lex.frequency_field(u"ne/w", 17), 6);
}

namespace {

// A record's value in a one-byte lexicon file, or nullopt.
std::optional<std::string> value_of(const std::filesystem::path& file, std::string_view key,
                                    char separator, char terminator) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find(terminator, start);
        const auto at = bytes.find(separator, start);
        if (end == std::string::npos || at > end) {
            break;
        }
        if (std::string_view(bytes).substr(start, at - start) == key) {
            return bytes.substr(at + 1, end - at - 1);
        }
        start = end + 1;
    }
    return std::nullopt;
}

} // namespace

TEST_F(small_corpus, EachHeadwordShowsLsjOrAGlossWithAFullerEntryUnderItsOwnHeadword) {
    write(corpus_ / "morphology" / "analyses.tsv",
          "kai/\t<NL>C kai/  \t\tindeclform\tconj</NL>\n"
          "o(\t<NL>E o(  masc nom sg\t\tproclitic indeclform\tarticle</NL>\n"
          "a)/eide\t<NL>V a)/eide,a)ei/dw  imperf ind act 3rd sg\tepic\t\tw_stem</NL>\n"
          "*phlhia/dew\t<NL>N *phlhi+a/dhs  masc gen sg\tepic\t\th_ou</NL>\n");
    write(corpus_ / "lexicon" / "lsj-markdown" / "CITE-LSJ-markdown-11.cex",
          "urn:cite2:hmt:lsj.markdown:n1#καί1# καί, Conj., copulative, `A` **and**\n"
          "urn:cite2:hmt:lsj.markdown:n2#καί2# καί νύ ( κε), `A` **and now**, Il. 3.373, a "
          "phrase whose text is longer than the conjunction's\n"
          "urn:cite2:hmt:lsj.markdown:n3#Δ.Η.ξίθυμος# δηξίθυμος, ον, `A` **heart-eating**\n"
          "urn:cite2:hmt:lsj.markdown:n4#ὁ1# ὁ, ἡ, τό, is, when thus written, `A` demonstr. "
          "Pronoun. `B` in Att., definite or prepositive Article.\n"
          "urn:cite2:hmt:lsj.markdown:n5#κάρα# λόγος, an entry under another word's key\n");
    write(corpus_ / "lexicon" / "abbott-smith" / "abbottsmithstrongs.xml",
          "<TEI><entryFree><form><foreign xml:lang='grc'><hi rend='bold'>καί</hi></foreign>"
          "</form><sense>conj., <hi rend='italic'>and</hi>: Mt 1:2.</sense></entryFree>"
          "<entryFree><form><foreign xml:lang='grc'><hi rend='bold'>εἴσ-οδος, -ου, ὁ</hi>"
          "</foreign></form><sense><hi rend='italic'>a means of entering</hi>: He 10:19."
          "</sense></entryFree></TEI>");
    write(corpus_ / "lexicon" / "autenrieth" / "autenrieth.xml",
          "<TEI.2><text><body><entryFree key='a)ei/dw'><orth lang='greek'>a)ei/dw</orth>: "
          "<gloss>sing</gloss>&mdash;&lsquo;lays of heroes&rsquo;, &dagger;</entryFree>"
          "</body></text></TEI.2>");
    write(corpus_ / "lexicon" / "lsj-alpheios" / "grc-lsj-defs.dat", "ἀείδω|sing\nκαί|and\n");
    write(corpus_ / "lexicon" / "shortdefs-logeion" / "shortdefsGreekEnglishLogeion",
          "Πηληϊάδης\tson of Peleus\n");
    const std::u16string homer = corpus::normalise_greek(u"καὶ ὁ ἄειδε Πηληϊάδεω καὶ ");
    const std::u16string sappho = corpus::normalise_greek(u"καὶ ");
    const std::u16string bible = corpus::normalise_greek(u"καὶ ὁ ");
    const corpus::authored_text texts[] = {{17, homer}, {38, sappho}, {44, bible}};
    nlohmann::json report;
    ASSERT_TRUE(corpus::build_lexicon_files(corpus_, out_, texts, report));

    lexicon lex(out_);
    wait_for(lex);
    ASSERT_TRUE(lex.loading_finished());
    const auto greek = [](std::u16string_view text) { return corpus::normalise_greek(text); };
    // LSJ's entry whatever its homograph digit, the conjunction rather than the phrase; the New
    // Testament lexicon's καί is not kept beside it.
    EXPECT_EQ(lex.analysis_of(u"kai/"), u"C kai/1 \tindeclform conj");
    EXPECT_EQ(lex.definition_of(u"kai/1"), greek(u"[L] καί, Conj., copulative, <B>A. and "));
    EXPECT_EQ(lex.definition_of(u"kai/"), u"");
    // The article has the article's entry; εἴσοδος is under its own headword.
    EXPECT_EQ(lex.analysis_of(u"o("), u"E o(1 masc nom sg \tproclitic indeclform article");
    EXPECT_EQ(lex.definition_of(u"o(1").substr(0, 37),
              greek(u"[L] ὁ, ἡ, τό, is, when thus written, "));
    EXPECT_EQ(lex.definition_of(u"ei)/sodos"),
              greek(u"[T] <B>εἴσ-οδος, -ου, ὁ <I>a means of entering: <N>He 10:19. "));
    // A garbled key takes the headword the entry shows; an entry under another word's key goes.
    EXPECT_EQ(lex.definition_of(u"dhci/qumos"), greek(u"[L] δηξίθυμος, ον, <B>A. heart-eating "));
    EXPECT_EQ(lex.definition_of(u"ka/ra"), u"");
    // Without LSJ's full entry: LSJ's gloss, then the fuller entry, named; references resolved.
    EXPECT_EQ(lex.definition_of(u"a)ei/dw"),
              greek(u"[S] sing <I>Autenrieth <B>ἀείδω: <I>sing <N>--'lays of heroes', \u2020 "));
    EXPECT_EQ(lex.definition_of(u"*phlhi+a/dhs"), u"[G] son of Peleus ");

    const auto& lex_report = report["lexicon"];
    const auto& check = lex_report["dictionary_sources"]["headword_check"];
    EXPECT_EQ(check["rekeyed_entries"],
              nlohmann::json::array({{"lsj-markdown", "*d.*h.ci/qumos", "dhci/qumos"}}));
    EXPECT_EQ(check["dropped_entries"],
              nlohmann::json::array({{"lsj-markdown", "ka/ra", "key and headword differ"}}));
    const auto& sources = lex_report["dictionary_sources"]["sources"];
    EXPECT_EQ(sources["abbott-smith"]["superseded_by_lsj"], 1);
    EXPECT_EQ(sources["lsj-short"]["superseded_by_lsj"], 1);
    EXPECT_EQ(sources["autenrieth"]["later_part_of_composed"], 1);
    // Homer's five tokens: καί twice and ὁ show LSJ, ἄειδε a composed entry, Πηληϊάδεω Logeion.
    const auto& homer_shows = lex_report["coverage"]["by_author"]["17"]["first_lemma_shows"];
    EXPECT_EQ(homer_shows["lsj_full_percent"], 60.0);
    EXPECT_EQ(homer_shows["composed_percent"], 20.0);
    EXPECT_EQ(homer_shows["other_percent"], 20.0);
    EXPECT_EQ(homer_shows["lsj_has_word_but_shows_other_tokens"], 0);

    // Counts for all 44 author numbers: Sappho in column 38, the Bible in column 44.
    const auto counts = value_of(out_ / "o.dat", "kai/1", '\x02', '\x01');
    std::string expected;
    for (int author = 1; author <= 44; ++author) {
        expected += (author > 1 ? "," : "") + std::to_string(author == 17                   ? 2
                                                             : author == 38 || author == 44 ? 1
                                                                                            : 0);
    }
    EXPECT_EQ(counts, expected);
}

TEST_F(small_corpus, DefinitionsDecodedWronglyStopTheBuild) {
    const std::pair<const char*, std::string> faults[] = {
        {"UTF-8 read as ISO 8859-1", "ναῦς\tship \xc3\xa2\xe2\x82\xac\xe2\x80\x9d boat\n"},
        {"an unknown character reference", "ναῦς\tship &boat;\n"},
        {"a byte that is no UTF-8", "ναῦς\tship \xff\n"},
    };
    for (const auto& [fault, line] : faults) {
        std::filesystem::remove_all(out_);
        std::filesystem::create_directories(out_);
        write(corpus_ / "lexicon" / "shortdefs-logeion" / "shortdefsGreekEnglishLogeion", line);
        nlohmann::json report;
        EXPECT_FALSE(corpus::build_lexicon_files(corpus_, out_, {}, report)) << fault;
        EXPECT_FALSE(std::filesystem::exists(out_ / "d_a.dat")) << fault;
        EXPECT_EQ(report["lexicon"]["definitions_with_character_faults"], 1) << fault;
    }
}
