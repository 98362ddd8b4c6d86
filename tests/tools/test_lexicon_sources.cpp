// Parsers of the lexicon sources on small inputs written here, and the record files they feed.
#include "common/unicode_text.h"
#include "lexicon/character_entities.h"
#include "lexicon/definition_faults.h"
#include "lexicon/definition_text.h"
#include "lexicon/headword_check.h"
#include "lexicon/line_entries.h"
#include "lexicon/lsj_homographs.h"
#include "lexicon/morphgnt_analyses.h"
#include "lexicon/morphology_analysis.h"
#include "lexicon/morphology_store.h"
#include "lexicon/record_file.h"
#include "lexicon/tei_entries.h"
#include "lexicon/text_words.h"
#include "lexicon/treebank_analyses.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace veso;
using namespace veso::corpus;

namespace {

const betaconverter& converter() {
    static const betaconverter c;
    return c;
}

std::string ascii(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

pugi::xml_document xml(const char* text) {
    pugi::xml_document document;
    document.load_string(text, pugi::parse_default | pugi::parse_ws_pcdata);
    return document;
}

} // namespace

TEST(AnalyserOutput, MarkersHeadwordsAndDescriptionVocabulary) {
    const auto a =
        parse_analyser_output("<NL>V e)/lu_sa,lu/w  aor ind act 1st sg\t\t\taor1,reg_conj</NL>"
                              "<NL>V lu/w  imperf ind mp 3rd sg\tattic\tunaugmented\treg_conj</NL>"
                              "<NL>V lu/w  aor imperat mid 2nd sg\t\t\treg_conj</NL>"
                              "<NL>P lu/sas,lu/w  aor part act masc nom/voc sg\t\t\taor1</NL>"
                              "<NL>N a)gaqo/s  masc nom sg\t\t\tos_h_on</NL>"
                              "<NL>N lo/gos  masc gen sg\t\t\tos_ou</NL>"
                              "<NL>N a(/pac,a(/pac \t\tindeclform\tadverb</NL>"
                              "<NL>N e(/neka,e(/neka \t\tindeclform\tprep</NL>"
                              "<NL>N o(  masc nom sg\t\tproclitic indeclform\tarticle</NL>"
                              "<NL>E Rheitus  masc gen sg\t\t\tos_ou</NL>");
    ASSERT_EQ(a.size(), 9u);
    EXPECT_EQ(a[0].marker, 'V');
    EXPECT_EQ(a[0].headwords, "e)/lusa,lu/w");
    EXPECT_EQ(a[0].lemma(), "lu/w");
    EXPECT_EQ(a[0].description, " aor ind act 1st sg ");
    EXPECT_EQ(a[1].description, " ipf ind mp 3rd sg (attic) ");
    EXPECT_EQ(a[2].description, " aor ipv mid 2nd sg ");
    EXPECT_EQ(a[3].marker, 'P');
    EXPECT_EQ(a[4].marker, 'E'); // adjective
    EXPECT_EQ(a[5].marker, 'N');
    EXPECT_EQ(a[6].marker, 'D');
    EXPECT_EQ(a[6].headwords, "a(/pac"); // a form equal to its lemma is written once
    EXPECT_EQ(a[7].marker, 'S');
    EXPECT_EQ(a[8].marker, 'E'); // article
}

TEST(AnalyserOutput, DamagedBlocksAndDuplicatesAreSkipped) {
    EXPECT_TRUE(parse_analyser_output("").empty());
    EXPECT_TRUE(parse_analyser_output("<NL>V</NL><NL>N  </NL><NL>unclosed").empty());
    const auto a = parse_analyser_output("<NL>N lo/gos  masc nom sg\t\t\tos_ou</NL>"
                                         "<NL>N lo/gos  masc nom sg\t\t\tos_ou</NL>");
    EXPECT_EQ(a.size(), 1u);
}

TEST(MorphologyValue, SeparatorsTabAndFieldLimit) {
    auto a = parse_analyser_output("<NL>N lo/gos  masc nom sg\t\t\tos_ou</NL>"
                                   "<NL>N lo/gos  masc acc sg\t\t\tos_ou</NL>");
    std::size_t dropped = 9;
    EXPECT_EQ(morphology_value(a, 4087, dropped),
              "N lo/gos masc nom sg \tos_ou\x03N lo/gos masc acc sg \tos_ou");
    EXPECT_EQ(dropped, 0u);
    EXPECT_EQ(morphology_value(a, 30, dropped), "N lo/gos masc nom sg \tos_ou");
    EXPECT_EQ(dropped, 1u);
    a[0].set_lemma("lo/gos1");
    EXPECT_EQ(a[0].headwords, "lo/gos1");
}

TEST(HeadwordSpelling, LengthMarksGraveAndPreverbs) {
    EXPECT_EQ(normalise_headword("a)_/nqrw^pos"), "a)/nqrwpos");
    EXPECT_EQ(normalise_headword("qea\\"), "qea/");
    EXPECT_EQ(without_accents("e)/neimi2"), "e)neimi");
    EXPECT_EQ(join_preverb("dia/-o(ri/zw"), "diori/zw");
    EXPECT_EQ(join_preverb("e)pi/-i(/sthmi"), "e)fi/sthmi");
    EXPECT_EQ(join_preverb("su/n-le/gw"), "sulle/gw");
    EXPECT_EQ(join_preverb("e)n-ba/llw"), "e)mba/llw");
    EXPECT_EQ(join_preverb("peri/-a)/gw"), "peria/gw");
    EXPECT_EQ(join_preverb("lo/gos"), "lo/gos");
}

TEST(DefinitionText, MarkupTheDrawingShowsWordForWord) {
    definition_text d('L', converter());
    d.set_style(definition_text::style::bold);
    d.greek_beta("lo/gos");
    d.set_style(definition_text::style::normal);
    d.text(std::string_view(", o(, "));
    d.set_style(definition_text::style::italic);
    d.text(std::u16string_view(u"word—speech"));
    d.set_style(definition_text::style::normal);
    d.text(std::u16string_view(u", cf. λέγω. Also ‘x’"));
    bool cut = true;
    const std::u16string out = d.finish(19999, cut);
    EXPECT_FALSE(cut);
    EXPECT_EQ(ascii(out),
              "[L] <B><G>lo/gos,</G><N>o(, <I>word--speech, <N>cf. <G>le/gw.</G>Also 'x' ");
    // Every style mark follows a space or a Greek span, whose conversion ends in a space.
    for (std::size_t i = 1; i < out.size(); ++i) {
        if (out[i] == u'<' && out.compare(i, 4, u"</G>") != 0 && out.compare(i, 3, u"<G>") != 0) {
            EXPECT_TRUE(out[i - 1] == u' ' || out.compare(i - 4, 4, u"</G>") == 0) << ascii(out);
        }
    }
}

TEST(DefinitionText, LongTextIsCutAtASentenceEnd) {
    definition_text d('M', converter());
    std::string text;
    for (int i = 0; i < 50; ++i) {
        text += "Sentence number one. ";
    }
    d.text(std::string_view(text));
    bool cut = false;
    const std::u16string out = d.finish(100, cut);
    EXPECT_TRUE(cut);
    EXPECT_LE(out.size(), 100u);
    EXPECT_EQ(out.back(), u' ');
    EXPECT_EQ(out[out.size() - 2], u'.');
}

TEST(DefinitionText, UnicodeGreekBecomesBetaCode) {
    EXPECT_EQ(ascii(greek_to_beta(u"ᾱ̓́νθρωπος", converter())), "a)/nqrwpos");
    EXPECT_EQ(ascii(greek_to_beta(u"ἀλλ’", converter())), "a)ll'");
    EXPECT_EQ(ascii(greek_to_beta(u"λόγος", converter())), "lo/gos"); // tonos
}

TEST(TeiEntries, PerseusBetaCodeAndAlpheiosUnicode) {
    const auto perseus =
        xml("<TEI><text><body><div1><entryFree id='n1' key='lo/gos1'>"
            "<orth lang='greek'>lo/gos</orth>, <gen lang='greek'>o(</gen>, "
            "<sense n='A' level='1'><tr>computation</tr>, <bibl><author>Hdt.</author> "
            "<title>Hist.</title> 3.1</bibl>.</sense></entryFree>"
            "<entryFree id='n2' key=''><orth lang='greek'>x</orth></entryFree>"
            "</div1></body></text></TEI>");
    const auto p = read_tei_entries(perseus, lsj_perseus_flavour, converter(), 19999);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(ascii(p[0].headword), "lo/gos1");
    EXPECT_EQ(ascii(p[0].definition),
              "[L] <B><G>lo/gos,</G><N><G>o(,</G><B>A. computation, <N>Hdt. <I>Hist. <N>3.1. ");
    // A dash and a letter with an under-dot inside Beta Code are characters, not bytes; the
    // references Autenrieth's DTD declares are resolved.
    const auto beta = xml("<entryFree key='gi/gnomai'><orth lang='greek'>gi/gnomai</orth> "
                          "<etym lang='greek'>g\u1e47-to</etym> <foreign lang='greek'>"
                          "xrusou=\u2014nhh/sato</foreign> &amp;mdash;&amp;dagger;&amp;lsquo;x"
                          "&amp;rsquo;</entryFree>");
    const auto g = read_tei_entries(beta, lsj_perseus_flavour, converter(), 19999);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].definition, u"[L] <B><G>gi/gnomai</G><N><G>gn-to</G><G>xrusou=</G>--"
                               u"<G>nhh/sato</G>--\u2020'x' ");
    const auto alpheios = xml("<entryFree key='λᾱ́ας'><orth lang='greek'>λᾶας</orth>, "
                              "<tr>stone</tr> (cf. λίθος)</entryFree>");
    const auto a = read_tei_entries(alpheios, lsj_alpheios_flavour, converter(), 19999);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(ascii(a[0].headword), "la/as");
    EXPECT_EQ(ascii(a[0].definition), "[L] <B><G>la=as,</G>stone <N>(cf. <G>li/qos</G>) ");
}

TEST(TeiEntries, AbbottSmithAndDodson) {
    const auto abbott =
        xml("<body><entryFree n='00002'><form><foreign xml:lang='grc'><hi rend='bold'>Α, α, "
            "ἄλφα</hi></foreign> (Heb. <foreign xml:lang='heb'>אב</foreign>)</form>"
            "<sense><hi rend='italic'>alpha</hi>, a letter.</sense></entryFree></body>");
    const auto a = read_abbott_smith(abbott, converter(), 19999);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(ascii(a[0].headword), "a)/lfa");
    EXPECT_NE(a[0].definition.find(u"אב"), std::u16string::npos);
    EXPECT_EQ(a[0].definition.substr(0, 4), u"[T] ");
    // The headword is the word the form lists, not its ending or article.
    const auto entrance =
        xml("<body><entryFree><form><foreign xml:lang='grc'><hi rend='bold'>εἴσ-οδος, -ου, ὁ"
            "</hi></foreign></form><sense><hi rend='italic'>entrance</hi></sense></entryFree>"
            "</body>");
    const auto e = read_abbott_smith(entrance, converter(), 19999);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(ascii(e[0].headword), "ei)/sodos");
    const auto dodson = xml("<lexicon><entry n='Ἀαρών | 0002'><orth>Ἀαρών, ὁ</orth>"
                            "<def role='brief'>Aaron</def><def role='full'>Aaron, brother of "
                            "Moses.</def></entry></lexicon>");
    const auto d = read_dodson(dodson, converter(), 19999);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(ascii(d[0].headword), "*)aarw/n");
    EXPECT_EQ(ascii(d[0].definition), "[D] <B><G>*)aarw/n, o(</G><N>Aaron, brother of Moses. ");
}

TEST(LineEntries, MarkdownAndShortDefinitions) {
    const auto md = read_markdown_lsj(
        "urn:cite2:hmt:lsj.markdown:n1#κάβειος2# κάβειος, `A` **gem**, *Cat.* 8.\n"
        "not a record\n",
        converter(), 19999);
    ASSERT_EQ(md.size(), 1u);
    EXPECT_EQ(ascii(md[0].headword), "ka/beios2");
    EXPECT_EQ(ascii(md[0].definition), "[L] <G>ka/beios,</G><B>A. gem, <I>Cat. <N>8. ");
    const auto sd = read_short_definitions(
        "lemma\tdef\nλόγος\tthe word\n<ἀνά>γνωστος\thard <span lang=\"grc\">x</span> &amp; y\n"
        "ἔμπτυ\t\n",
        '\t', 'S', converter(), 19999);
    ASSERT_EQ(sd.size(), 2u);
    EXPECT_EQ(ascii(sd[0].headword), "lo/gos");
    EXPECT_EQ(ascii(sd[0].definition), "[S] the word ");
    EXPECT_EQ(ascii(sd[1].headword), "a)na/gnwstos");
    EXPECT_EQ(ascii(sd[1].definition), "[S] hard x & y ");

    // Lemmas marked "@" are read apart from the others; "@" alone is no definition.
    const std::string_view marked_file = "@ἔχω|check\nἔχω|@\nλόγος|word\n@Κῦρος|Cyrus\n";
    const auto unmarked = read_short_definitions(marked_file, '|', 'S', converter(), 19999);
    ASSERT_EQ(unmarked.size(), 1u);
    EXPECT_EQ(ascii(unmarked[0].headword), "lo/gos");
    const auto marked = read_short_definitions(marked_file, '|', 'S', converter(), 19999,
                                               short_definition_lines::marked);
    ASSERT_EQ(marked.size(), 2u);
    EXPECT_EQ(ascii(marked[0].headword), "e)/xw");
    EXPECT_EQ(ascii(marked[1].headword), "*ku=ros");
    EXPECT_EQ(ascii(marked[1].definition), "[S] Cyrus ");
}

TEST(MorphGnt, ParseCodesBecomeTheDescriptionVocabulary) {
    morphgnt_word w;
    ASSERT_TRUE(parse_morphgnt_line("040316 V- 3AAI-S-- ἠγάπησεν ἠγάπησεν ἠγάπησεν ἀγαπάω",
                                    converter(), w));
    EXPECT_EQ(w.key, "h)ga/phsen");
    EXPECT_EQ(w.analysis.serialise(), "V a)gapa/w aor ind act 3rd sg \tMorphGNT");
    ASSERT_TRUE(
        parse_morphgnt_line("010101 V- -PMPGSM- x λεγομένου λεγομένου λέγω", converter(), w));
    EXPECT_EQ(w.analysis.serialise(), "P le/gw pres part mid masc gen sg \tMorphGNT");
    ASSERT_TRUE(parse_morphgnt_line("010101 RA ----NSF- ἡ ἡ ἡ ὁ", converter(), w));
    EXPECT_EQ(w.analysis.marker, 'E');
    EXPECT_FALSE(parse_morphgnt_line("010101 N- short", converter(), w));
}

TEST(TextWords, OnlyGreekWordsAreKeyedAndCounted) {
    // The built texts use oxia, never tonos, and write the ano teleia U+0387.
    const std::u16string plato =
        normalise_greek(u"λόγος, λόγος\r²ΣΩ.³ ²ΚΑΤΑ ΜΑΘΘΑΙΟΝ³ ἀλλ’ Ἄνθρωπόν  [5] 1 μῆνιν") +
        u"\u0387 " + normalise_greek(u"Constitution is λόγος;γ μετ’αὐτοῦ ]αλ[ ὅ,τι ’γώ θεὰ ");
    const std::u16string bible = normalise_greek(u"λόγος ");
    const authored_text texts[] = {{25, plato}, {44, bible}};
    const auto counts = count_text_words(texts, converter());
    std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> seen;
    std::map<std::string, std::string> analysed_as;
    for (const auto& w : counts.words) {
        seen[w.key] = {w.tokens[25], w.tokens[44]};
        analysed_as[w.key] = w.analysis_key;
    }
    const std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> expected = {
        {"lo/gos", {2, 1}}, {"a)ll", {1, 0}}, {"*)/anqrwpon", {1, 0}}, {"mh=nin", {1, 0}},
        {"o(/ti", {1, 0}},  {"gw/", {1, 0}},  {"qea/", {1, 0}}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(analysed_as["gw/"], "e)gw/"); // aphaeresis: analysed with its lost vowel
    EXPECT_EQ(counts.label_tokens, 3u);
    // [5], 1, the two English words, the words run together and the damaged word.
    EXPECT_EQ(counts.non_word_tokens, 7u);
    EXPECT_EQ(counts.non_word_keys, 7u);
    EXPECT_EQ(author_number_of_label("tlg0059"), 25);
    EXPECT_EQ(author_number_of_label("tlg0009"), 38);
    EXPECT_EQ(author_number_of_label("old-oligarch"), 27);
    EXPECT_EQ(author_number_of_label("LXX-Brenton"), 0);
    EXPECT_EQ(analyser_word(u"[λόγος]"), normalise_greek(u"λόγος"));
}

TEST(TextWords, WordKeysHoldLettersAndTheirMarksOnly) {
    for (const char* key : {"lo/gos", "*)/anqrwpon", "*)/a|sw", "w(=|", "r(h/twr", "i+/", "qea/"}) {
        EXPECT_TRUE(is_word_key(std::string_view(key))) << key;
    }
    for (const char* key : {"mh=nin\xb7", "5*eu)loghto/s", "2a)/llw|", "ui(o/s;", "lo/gos)",
                            "(lo/gos", "b(ouleu/sontai", "*", "", "a)ll'", "bre/xw-"}) {
        EXPECT_FALSE(is_word_key(std::string_view(key))) << key;
    }
    EXPECT_TRUE(is_word_key(std::u16string_view(u"\u03DDoi"))); // digamma has no Beta Code
    EXPECT_FALSE(is_word_key(std::u16string_view(u"a\u0387"))); // the ano teleia is no letter
}

TEST(MorphologyStore, KeepsWordKeysAndShowsAlikeAnalysesOnce) {
    morphology_store store;
    store.read_analyser_output(
        "a)/eide\t<NL>V a)/eide,a)ei/dw  imperf ind act 3rd sg\tepic\t\tw_stem</NL>"
        "<NL>V a)ei/dw  pres imperat act 2nd sg\tepic\t\tw_stem</NL>"
        "<NL>V a)ei/dw  imperf ind act 3rd sg\tepic\tunaugmented\tw_stem</NL>\n"
        "b(ouleu/sontai\t<NL>V bouleu/w  fut ind mid 3rd pl\t\t\tw_stem</NL>\n");
    const auto* list = store.find("a)/eide");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].serialise(), "V a)/eide,a)ei/dw ipf ind act 3rd sg (epic) \tw_stem");
    EXPECT_EQ((*list)[1].description, " pres ipv act 2nd sg (epic) ");
    EXPECT_EQ(store.find("b(ouleu/sontai"), nullptr);
    EXPECT_EQ(store.figures()["source_keys_not_words"], 1);
    EXPECT_EQ(store.figures()["repeated_analyses_dropped"], 1);
}

TEST(TreebankAnalyses, LemmaAndTagInTheMorphologyFormat) {
    std::string key;
    morphology_analysis a;
    ASSERT_TRUE(treebank_analysis({"θῦμον", "θυμός", "n-s---ma-", false}, converter(), key, a));
    EXPECT_EQ(key, "qu=mon");
    EXPECT_EQ(a.serialise(), "N qumo/s masc acc sg \ttreebank");
    ASSERT_TRUE(
        treebank_analysis({"λίσσομαί", "λίσσομαι", "v1spie---", false}, converter(), key, a));
    EXPECT_EQ(key, "li/ssomai");
    EXPECT_EQ(a.serialise(), "V li/ssomai pres ind mp 1st sg \ttreebank");
    ASSERT_TRUE(treebank_analysis({"ἔχοισα", "ἔχω", "v-sppafn-", false}, converter(), key, a));
    EXPECT_EQ(a.serialise(), "P e)/xw pres part act fem nom sg \ttreebank");
    ASSERT_TRUE(treebank_analysis({"ὅτι", "ὅτι2", "c--------", false}, converter(), key, a));
    EXPECT_EQ(a.serialise(), "C o(/ti2 \ttreebank");
    EXPECT_FALSE(treebank_analysis({",", "punc1", "u--------", false}, converter(), key, a));
    EXPECT_FALSE(treebank_analysis({"καG?", "_", "z--------", false}, converter(), key, a));
    EXPECT_FALSE(treebank_analysis({"κ-", "καί", "c--------", false}, converter(), key, a));
    EXPECT_FALSE(treebank_analysis({"[0]", "", "", true}, converter(), key, a));
}

TEST(RecordFiles, LayoutEncodingAndRejectedRecords) {
    const auto dir = std::filesystem::temp_directory_path() / "veso_lexdata_records";
    std::filesystem::create_directories(dir);
    std::size_t skipped = 0;
    std::string error;
    const std::vector<record> records = {
        {u"a", u"x\x03y\u00e9"},  {u"", u"empty key"}, {u"b\x02", u"separator in key"},
        {u"c", u"\u05d0 Hebrew"}, {u"d", u"cr\rlf"},   {u"e", std::u16string(4088, u'z')}};
    ASSERT_TRUE(write_record_file(dir / "m.dat", morphology_format, records, skipped, error));
    EXPECT_EQ(skipped, 5u);
    std::ifstream in(dir / "m.dat", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("a\x02x\x03y\xe9\x01"));

    ASSERT_TRUE(write_record_file(dir / "d_b.dat", wide_dictionary_format, {{u"c", u"\u05d0"}},
                                  skipped, error));
    std::ifstream wide(dir / "d_b.dat", std::ios::binary);
    const std::string units((std::istreambuf_iterator<char>(wide)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(units, std::string("c\0\x01\0\xd0\x05\0\0", 8));
    EXPECT_FALSE(
        write_record_file(dir / "missing" / "x.dat", dictionary_format, {}, skipped, error));
    EXPECT_FALSE(error.empty());
    std::filesystem::remove_all(dir);
}

TEST(HeadwordCheck, EveryEntryStaysUnderTheHeadwordItShows) {
    auto entry = [](std::u16string key, std::u16string shown) {
        source_entry e;
        e.headword = std::move(key);
        e.shown_headword = std::move(shown);
        e.definition = u"[L] x ";
        return e;
    };
    std::vector<source_entry> entries = {
        entry(u"kai/2", u"kai/ nu/ (ke)"),         // a phrase homograph: its first word is the key
        entry(u"*d.*h.to/s1", u"dhto/s, h/, o/n"), // a garbled key takes the headword and digit
        entry(u"qr", u"qr=nac"),                   // a key cut short
        entry(u"a)a/sxetos", u"a)a/ - sxetos"),    // a headword shown divided
        entry(u"ou(/tws", u"ou(/tw(s)"),           // letters the word may lack
        entry(u"o(", u"ei)/s-odos, -ou, o("),      // an ending and an article are no headword
        entry(u"gera/neion", u"nera/n-eion"),      // two words: which is right cannot be told
        entry(u"*)/areios *pa/gos", u"*)/areios *pa/gos"),
        entry(u"a)ll'", u""),
        entry(u"lo/gos", u""), // short definitions show no headword
        entry(u"lo/gos", u""), // a second entry under a key
    };
    headword_checks checks;
    check_headwords("test", entries, checks);
    std::vector<std::string> kept;
    for (const auto& e : entries) {
        kept.push_back(ascii(e.headword));
    }
    EXPECT_EQ(kept, (std::vector<std::string>{"kai/2", "dhto/s1", "qr=nac", "a)a/sxetos", "ou(/tws",
                                              "lo/gos"}));
    ASSERT_EQ(checks.rekeyed.size(), 2u);
    EXPECT_EQ(checks.rekeyed[0].new_key, "dhto/s1");
    EXPECT_EQ(checks.rekeyed[1].old_key, "qr");
    std::vector<std::string> dropped;
    for (const auto& d : checks.dropped) {
        dropped.push_back(d.key + ": " + d.reason);
    }
    EXPECT_EQ(dropped, (std::vector<std::string>{
                           "o(: key and headword differ", "gera/neion: key and headword differ",
                           "*)/areios *pa/gos: headword of several words", "a)ll': key is no word",
                           "lo/gos: second entry under its key"}));
}

TEST(CharacterFaults, ReferencesAreResolvedAndDecodingSlipsFound) {
    EXPECT_EQ(resolve_entities("a&mdash;b &#x3b1;&#946; &emacr; &dagger;"), "a\u2014b \u03b1\u03b2 "
                                                                            "\u0113 \u2020");
    EXPECT_EQ(resolve_entities("AT&T &nosuch; &#0; &"), "AT&T &nosuch; &#0; &");
    for (const std::u16string_view clean :
         {u"[L] les \u00CEles d' Hy\u00E8res ", u"[A] AT&T, x & y; \u00E1 ", u"[S] \u00C3 "}) {
        EXPECT_EQ(definition_fault(clean), nullptr) << ascii(std::u16string(clean));
    }
    for (const std::u16string_view faulty :
         {u"[L] g\u00E1\u00B9-to ", u"[L] x \u00E2\u20AC\u201D y", u"[L] \u00CE\u00B7 ",
          u"[L] caf\u00C3\u00A9 ", u"[S] \uFFFD ", u"[A] &lsquo;x ", u"[A] &#8212; "}) {
        EXPECT_NE(definition_fault(faulty), nullptr) << ascii(std::u16string(faulty));
    }
}

TEST(LsjHomographs, AnAnalysisTakesTheHomographItMeans) {
    lsj_homographs lsj;
    lsj.add("kai/1", u"[L] <G>kai/,</G>Conj., copulative, joining words <B>A. and ", true);
    lsj.add("kai/2",
            u"[L] <G>kai/ nu/</G>( <G>ke</G>), <B>A. and now, <N>Il. 3.373, 8.90, and "
            u"a longer text than the conjunction's ",
            false);
    lsj.add("mh/n1", u"[L] <G>mh/n,</G>Dor. and Aeol. <G>ma/n,</G>Particle, <B>A. verily ", true);
    lsj.add("mh/n2",
            u"[L] <G>mh/n,</G><G>o(,</G><B>A. month, <N>a text longer than the "
            u"particle's, as nouns' texts are ",
            true);
    lsj.add("le/gw1", u"[L] <B><G>le/gw</G><N>(A), <B>A. lay ", true);
    lsj.add("le/gw2", u"[L] <B><G>le/gw</G><N>(B), <B>A. pick up, <N>count, say, speak ", true);
    lsj.add("ce/nos", u"[L] <G>ce/nos,</G><G>o(,</G><B>A. guest-friend ", true);
    // The relative and the possessive ὅς; the possessive's opening cites Apollonius' book on
    // pronouns, which says nothing of its own class.
    lsj.add("o(/s1",
            u"[L] <G>o(/s, h(/, o(/,</G>gen. <G>ou(=,</G><B>A. <N>as demonstr., a long entry "
            u"of the relative pronoun",
            true);
    lsj.add("o(/s2", u"[L] <G>o(/s, h(/, o(/n</G>cf. A.D. <I>Pron. <N>107.11 :--POSSESS. ", true);
    EXPECT_EQ(entry_word_class("kai/1", u"[L] <G>kai/,</G>Conj., copulative "), 'C');
    EXPECT_EQ(entry_word_class("mh/n2", u"[L] <G>mh/n,</G><G>o(,</G><B>A. month "), 'N');
    EXPECT_EQ(entry_word_class("kalo/s", u"[L] <G>kalo/s,</G><G>h/, o/n,</G>beautiful "), 'E');
    EXPECT_EQ(entry_word_class("o(1", u"[L] <G>o(, h(, to/,</G>is, when thus written "), 0);
    EXPECT_EQ(entry_word_class("le/gw1", u"[L] <B><G>le/gw</G><N>(A), <B>A. lay "), 'V');

    EXPECT_EQ(lsj.key_for("kai/", 'C'), "kai/1"); // a word before a phrase
    EXPECT_EQ(lsj.key_for("mh/n", 'X'), "mh/n1"); // the class before the length
    EXPECT_EQ(lsj.key_for("mh/n", 'N'), "mh/n2");
    EXPECT_EQ(lsj.key_for("mh/n2", 'X'), "mh/n2");   // a key LSJ has is kept
    EXPECT_EQ(lsj.key_for("le/gw3", 'V'), "le/gw2"); // a digit LSJ lacks: the fullest verb
    EXPECT_EQ(entry_word_class("dra/w2", u"[L] <G>dra/w</G>(B), = o(ra/w, A.D. <I>Adv. <N>139.8"),
              'V');
    EXPECT_EQ(lsj.key_for("o(/s", 'E'), "o(/s1");
    EXPECT_EQ(lsj.key_for("ce/nos1", 'N'), "ce/nos");
    EXPECT_EQ(lsj.key_for("ka/ra", 'N'), std::nullopt);
    EXPECT_TRUE(lsj.has("kai/3"));
    EXPECT_FALSE(lsj.has("*kai/"));
}
