// What the occurrences and vocabulary windows show, on the synthetic library's index.
#include "lexicon/lexicon.h"
#include "occurrence_fixture.h"
#include "occurrences/beta_forms.h"
#include "occurrences/occurrence_list.h"
#include "occurrences/short_gloss.h"
#include "occurrences/shown_lemma.h"
#include "occurrences/typed_word.h"
#include "occurrences/vocabulary.h"

namespace veso::testing {
namespace {

using namespace veso::occurrences;

class OccurrenceViewsTest : public occurrence_fixture {
protected:
    std::uint32_t lemma(std::u16string_view beta) const {
        const auto found = index->find_lemmas(beta);
        EXPECT_EQ(found.size(), 1u);
        return found.empty() ? 0 : found.front();
    }
    // The rows as "kind label" strings.
    static std::vector<std::u16string> described(const occurrence_list& list) {
        std::vector<std::u16string> out;
        for (const auto& row : list.rows()) {
            const char16_t kind = row.kind == occurrence_list::row_kind::author ? u'A'
                                  : row.kind == occurrence_list::row_kind::work ? u'W'
                                                                                : u'-';
            out.push_back(std::u16string(1, kind) + u" " + list.label(row));
        }
        return out;
    }

    betaconverter converter;
    catalogue_places places{library.catalogue()};
};

TEST_F(OccurrenceViewsTest, HitsAreGroupedByAuthorAndWorkAndFilteredByAuthorAndReading) {
    // θεά's second lemma θεός is never its likeliest reading: hidden until other readings show.
    const std::uint32_t theos[] = {lemma(u"qeo/s")};
    const hit_list hits = find_hits(*index, search_lemmas(*index, theos));
    occurrence_list list(*index, hits, places);
    EXPECT_TRUE(list.rows().empty());
    EXPECT_EQ(list.shown_hits(), 0u);

    list.apply({0, true});
    const auto rows = described(list);
    ASSERT_GE(rows.size(), 8u);
    EXPECT_EQ(std::vector(rows.begin(), rows.begin() + 4),
              (std::vector<std::u16string>{u"A Homer (c. 800 BCE)", u"W Iliad", u"- Book 1",
                                           u"- Book 1"}));
    EXPECT_EQ(list.shown_hits(), hits.all);
    EXPECT_FALSE(list.likeliest(list.rows()[2]));

    list.apply({24, true});
    EXPECT_EQ(described(list),
              (std::vector<std::u16string>{u"A Pindar (c. 522-443 BCE)", u"W Olympian 1", u"- 1",
                                           u"- 1", u"- 1", u"- 2", u"- 2", u"- 2", u"- 3", u"- 3",
                                           u"- 3", u"W Pythian 1", u"- 1", u"- 1", u"- 1", u"- 2",
                                           u"- 2", u"- 2"}));
    // A hit opens at its own place: the row's leaf and the token's position there.
    const auto& last = list.rows().back();
    EXPECT_EQ(list.leaf_of(last).id, 403);
    EXPECT_EQ(list.leaf_of(last).range_start <= list.position_of(last) &&
                  list.position_of(last) < list.leaf_of(last).range_end,
              true);
}

TEST_F(OccurrenceViewsTest, BarsGiveCountsPerTenThousandWordsOfEachAuthor) {
    const std::uint32_t logos[] = {lemma(u"lo/gos")};
    const auto bars = lemma_frequency_bars(*index, logos, places, 14);
    std::vector<std::u16string> names;
    for (const auto& bar : bars) {
        names.push_back(bar.name);
        const double tokens = static_cast<double>(index->author_tokens(bar.author));
        EXPECT_DOUBLE_EQ(bar.per_10000, bar.count * 10000 / tokens);
        EXPECT_EQ(bar.current, bar.author == 14);
        EXPECT_EQ(bar.count, frequency(u"lo/gos", bar.author));
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Homer", u"Aeschylus", u"Pindar", u"Sappho",
                                                  u"Herodotus", u"Bible (NT, LXX)"}));

    // A form's bars count its tokens.
    const hit_list arche = find_hits(*index, search_form(index->find_form(u"a)rxh=|")));
    for (const auto& bar : form_frequency_bars(*index, arche, places, 0)) {
        EXPECT_EQ(bar.count, bar.author == 44 ? 6.0 : 0.0) << bar.author;
    }
}

TEST_F(OccurrenceViewsTest, VocabularyCountsEachWordUnderItsLikeliestLemmaOnce) {
    // Agamemnon: Μῆνιν ἄειδε θεά / Πηληϊάδεω Ἀχιλῆος (the fourth word has no analysis).
    const vocabulary_list list(*index, *index->leaf_with_id(100), converter);
    EXPECT_EQ(list.tokens(), 5u);
    EXPECT_EQ(list.unanalysed_tokens(), 1u);
    const auto greek = [](const std::vector<vocabulary_row>& rows) {
        std::vector<std::u16string> out;
        for (const auto& r : rows) {
            out.push_back(r.greek);
        }
        return out;
    };
    const auto built = [](std::vector<std::u16string> words) {
        for (auto& w : words) {
            w = with_oxia(w);
        }
        return words;
    };
    const auto first = list.rows(vocabulary_order::first_appearance, 0);
    EXPECT_EQ(greek(first),
              built(std::vector<std::u16string>{u"μῆνις", u"ἀείδω", u"θεά", u"Ἀχιλεύς"}));
    EXPECT_EQ(first[3].first_word, 5u);
    EXPECT_EQ(first[2].in_section, 1u);
    EXPECT_EQ(first[2].in_author, frequency(u"qea/", 1));

    // In author 1 the frequency table ranks lemmas by length (its counts are 100 + length).
    EXPECT_EQ(greek(list.rows(vocabulary_order::author_frequency, 0)),
              built(std::vector<std::u16string>{u"Ἀχιλεύς", u"ἀείδω", u"μῆνις", u"θεά"}));
    EXPECT_EQ(greek(list.rows(vocabulary_order::alphabetical, 0)),
              built(std::vector<std::u16string>{u"ἀείδω", u"Ἀχιλεύς", u"θεά", u"μῆνις"}));
    // The author's four commonest lemmas (Ἀχιλεύς, κεφάλαιον, ἄλλος, ἀείδω), wherever they occur,
    // are left out.
    const auto rare = list.rows(vocabulary_order::first_appearance, 4);
    EXPECT_EQ(greek(rare), built(std::vector<std::u16string>{u"μῆνις", u"θεά"}));

    // The same section counted twice in Pindar's ode: ἄειδε θεὰ on each of three lines.
    const vocabulary_list ode(*index, *index->leaf_with_id(401), converter);
    ASSERT_EQ(ode.all_rows().size(), 2u);
    EXPECT_EQ(ode.all_rows()[0].in_section, 3u);
    EXPECT_EQ(ode.all_rows()[1].in_section, 3u);
}

TEST_F(OccurrenceViewsTest, ExportsQuoteWhatWouldSplitAFieldOrACard) {
    const vocabulary_list list(*index, *index->leaf_with_id(100), converter);
    const auto rows = list.rows(vocabulary_order::first_appearance, 0, [](const std::u16string& l) {
        return l == u"mh=nis" ? std::u16string(u"wrath, \"anger\"") : std::u16string(u"x\ty");
    });
    const std::u16string csv = vocabulary_csv(rows);
    EXPECT_EQ(csv.substr(0, csv.find(u"\r\n", csv.find(u"\r\n") + 2)),
              u"lemma,greek,in_section,in_author,gloss,first_word\r\n"
              u"mh=nis,μῆνις,1,106,\"wrath, \"\"anger\"\"\",1");
    const std::u16string cards = with_oxia(u"μῆνις\twrath, \"anger\"\nἀείδω\tx y\nθεά\tx y\n");
    EXPECT_EQ(vocabulary_flash_cards(rows).substr(0, cards.size()), cards);
}

TEST(ShownLemma, RaisesAHomographsNumber) {
    const betaconverter converter;
    EXPECT_EQ(shown_lemma(u"kai/1", converter), with_oxia(u"καί¹"));
    EXPECT_EQ(shown_lemma(u"le/gw2", converter), with_oxia(u"λέγω²"));
    EXPECT_EQ(shown_lemma(u"o(10", converter), u"ὁ¹⁰");
    EXPECT_EQ(shown_lemma(u"mh=nis", converter), u"μῆνις");
    EXPECT_EQ(shown_lemma(u"12", converter), u"12");
    EXPECT_EQ(shown_lemma(u"", converter), u"");
}

TEST(ShortGloss, TakesTheFirstTranslationOfEachSource) {
    const betaconverter converter;
    // LSJ prints translations in bold after the sense label; titles are italic.
    EXPECT_EQ(
        short_gloss(u"[L] <G>mh=nis,</G>Dor. <B>A. <N>gen. <I>R. <N>390e:-- <B>wrath; <N>from "
                    u"Hom. downwds. ",
                    converter),
        u"wrath");
    EXPECT_EQ(short_gloss(u"[L] <B><G>lo/gos,</G><N>o(, verbal noun <B>I. computation, reckoning "
                          u"<N>(cf. ",
                          converter),
              u"computation, reckoning");
    // Abbott-Smith and Autenrieth in italics, Dodson after the headword, short definitions whole.
    EXPECT_EQ(short_gloss(u"[T] <B><G>kai/,</G><N>conj., <I>and. <B>I. <N>Copulative. ", converter),
              u"and");
    EXPECT_EQ(short_gloss(u"[A] <B><G>pa/n-ormos:</G><I>offering moorage at all points, "
                          u"<N>&lsquo;convenient&rsquo;, Od. ",
                          converter),
              u"offering moorage at all points");
    EXPECT_EQ(
        short_gloss(u"[D] <B><G>*(/agabos, ou, o(</G><N>Agabus, a Christian prophet. ", converter),
        u"Agabus, a Christian prophet");
    EXPECT_EQ(short_gloss(u"[M] aeolic for <G>*mou=sa</G> ", converter), u"aeolic for Μοῦσα");
    // A short definition followed by a fuller entry, named: the short one alone.
    EXPECT_EQ(short_gloss(u"[S] sing <I>Autenrieth <B><G>a)ei/dw</G> <N>fut. <G>a)ei/somai</G>, "
                          u"<I>sing <N>--I. trans. ",
                          converter),
              u"sing");
    EXPECT_EQ(
        short_gloss(u"[M] = <G>e(/lwr</G>, Il. <I>Autenrieth <B><G>e(lw/rion</G> <N>= ", converter),
        u"= ἕλωρ, Il");
    // A colon or semicolon ends the translation, and the next sense's label with it.
    EXPECT_EQ(short_gloss(u"[L] <G>dama/zw</G> <B>overpower: A.I <N>Il. ", converter),
              u"overpower");
    EXPECT_EQ(
        short_gloss(u"[L] <G>o)/llumi</G> <B>A.I. destroy, make an end of, <N>Il. ", converter),
        u"destroy, make an end of");
    EXPECT_EQ(short_gloss(u"[L] <B>w(s: <N>--Summary: <B>A. <N>as ADVERB. <B>Aa. <N>w(=s, <B>so, "
                          u"thus. Ab. <N>w(s (without accent) ",
                          converter),
              u"so, thus");
    // What stands in brackets is an etymology, and "(" in Greek is a breathing; brackets hold
    // the gloss only when nothing else does.
    EXPECT_EQ(short_gloss(u"[L] <G>o(/s,</G> (With Gr. <G>o(/s</G> cf. Skt. <B>yas, yā, yad, "
                          u"<N>Lith. <B>jis <N>(he).) <B>A. <N>Pron. <B>this, that ",
                          converter),
              u"this, that");
    EXPECT_EQ(
        short_gloss(u"[L] <G>xari/eis</G> ( Boeot. <B>graceful, beautiful <N>Od. ", converter),
        u"graceful, beautiful");
    EXPECT_EQ(short_gloss(u"[L] <G>ko/rh</G> <B>A..1. girl, <N>Il. ", converter), u"girl");
    // A name's English stands in italics; an editor cited with a page, or a title, does not.
    EXPECT_EQ(short_gloss(u"[L] <B>Ἥρα, <N>Ion. <B>Ἥρη,, <N>ἡ, <I>Hera, <N>Il. 16.432 . <B>3. "
                          u"<N>Pythag. name for <B>nine, <N>Theol.Ar. 58",
                          converter),
              u"Hera");
    EXPECT_EQ(short_gloss(u"[L] <G>*)=isis</G>, (written Ἔσιος <I>Schwyzer <N>749), <I>Isis, "
                          u"<N>Egyptian goddess",
                          converter),
              u"Isis");
    EXPECT_EQ(short_gloss(u"[L] <B>βουλή, <N>Dor. <I>Schwyzer <N>80, <I>Fr. <N>2 <B>will, "
                          u"determination",
                          converter),
              u"will, determination");
    // Long texts are cut at a word, and nothing at all gives nothing.
    const std::u16string gloss = short_gloss(
        u"[S] " + std::u16string(20, u'w') + u" " + std::u16string(70, u'v') + u" end ", converter);
    EXPECT_EQ(gloss, std::u16string(20, u'w') + u" \u2026");
    EXPECT_EQ(short_gloss(u"", converter), u"");
}

TEST(TypedWord, GreekAsAnyKeyboardTypesItAndBetaCodeGiveOneKey) {
    const betaconverter converter;
    const auto key = [&](std::u16string_view typed) {
        return typed_word_key(typed, converter).value_or(u"(none)");
    };
    EXPECT_EQ(key(with_oxia(u"λόγος")), u"lo/gos");                     // oxia
    EXPECT_EQ(key(u"\u03BB\u03CC\u03B3\u03BF\u03C2"), u"lo/gos");       // tonos
    EXPECT_EQ(key(u"\u03BB\u03BF\u0301\u03B3\u03BF\u03C2"), u"lo/gos"); // decomposed
    EXPECT_EQ(key(u"\u1F00\u0301\u03BD\u03B8\u03C1\u03C9\u03C0\u03BF\u03C2"), u"a)/nqrwpos");
    EXPECT_EQ(key(u"\u0391\u0313\u0301\u03BD\u03B8\u03C1\u03C9\u03C0\u03BF\u03C2"), u"*)/anqrwpos");
    EXPECT_EQ(key(u"  lo\\gos, "), u"lo/gos"); // a grave and a comma, as clicked
    EXPECT_EQ(key(u"\u03BA\u03B1\u1F76"), u"kai/");
    EXPECT_EQ(key(u""), u"(none)");
    EXPECT_EQ(key(u"   "), u"(none)");
    EXPECT_EQ(key(u"café"), u"(none)");
    EXPECT_EQ(key(u"LO/GOS"), u"lo/gos"); // Beta Code in capitals
    EXPECT_EQ(key(u"lo/gosλ"), u"lo/gosl");
    EXPECT_EQ(key(u"1234"), u"(none)");
}

TEST(BetaForms, CapitalsLowerAndLemmasMatchWithoutDigits) {
    EXPECT_EQ(lower_case_form(u"*)/anqrwpos"), u"a)/nqrwpos");
    EXPECT_EQ(lower_case_form(u"*mh=nin"), u"mh=nin");
    EXPECT_EQ(lower_case_form(u"*(r"), u"r(");
    EXPECT_EQ(lower_case_form(u"lo/gos"), u"lo/gos");
    EXPECT_EQ(lemma_match_form(u"*)axileu/s"), u"a)xileu/s");
    EXPECT_EQ(lemma_match_form(u"ei)mi/1"), u"ei)mi/");
    EXPECT_EQ(analysis_lemmas(u"V e)sti,ei)mi/ pres ind\t\u0003V ei)mi/ ipf\t\u0003N o( masc\t"),
              (std::vector<std::u16string>{u"ei)mi/", u"o("}));
    EXPECT_TRUE(analysis_lemmas(u"d'").empty());
}

} // namespace
} // namespace veso::testing
