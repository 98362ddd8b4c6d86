// The whole lexicon build on a small corpus written here, read back through the program's lexicon.
#include "common/unicode_text.h"
#include "lexicon/build_lexicon.h"
#include "lexicon/lexicon.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
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
