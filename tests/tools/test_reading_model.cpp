// The likelihood of analyses: matching annotations to analyses, reading annotated texts, the
// corpus's lemma and form counts, the model's order and expected counts, and the held-out
// evaluation, on small corpora whose right answers are worked out by hand.
#include "common/unicode_text.h"
#include "lexicon/annotation_match.h"
#include "lexicon/corpus_frequencies.h"
#include "lexicon/reading_evaluation.h"
#include "lexicon/reading_model.h"
#include "lexicon/treebank_evidence.h"

#include <gtest/gtest.h>
#include <map>
#include <numeric>

using namespace veso;
using namespace veso::corpus;

namespace {

morphology_analysis analysis(char marker, std::string headwords, std::string description) {
    morphology_analysis a;
    a.marker = marker;
    a.headwords = std::move(headwords);
    a.description = std::move(description);
    return a;
}

// A small morphology keyed as the program keys it.
struct small_store {
    std::map<std::string, std::vector<morphology_analysis>, std::less<>> lists;

    analyses_lookup lookup() const {
        return [this](std::string_view key) -> const std::vector<morphology_analysis>* {
            const auto it = lists.find(key);
            return it == lists.end() ? nullptr : &it->second;
        };
    }
};

annotated_text text_of(std::string name, std::vector<annotated_word> words, int author = 0) {
    return {std::move(name), author, std::move(words)};
}

reading_model::settings converged() {
    reading_model::settings s;
    s.frequencies.iterations = 200;
    return s;
}

} // namespace

TEST(ReadingModel, AnnotationsFindTheAnalysesTheyName) {
    EXPECT_EQ(comparable_lemma("*)aqhnai=os"), "a)qhnai=os");
    EXPECT_EQ(comparable_lemma("o(/ti2"), "o(/ti");
    EXPECT_EQ(comparable_lemma("a)qh=nai-pl"), "a)qh=nai");
    EXPECT_EQ(comparable_lemma("dia/-o(ri/zw"), "diori/zw");
    EXPECT_EQ(comparable_lemma("ta\\"), "ta/");

    // The analyser's two homographs of ὅτι differ only in their word class.
    const std::vector<morphology_analysis> hoti{analysis('E', "o(/stis", " neut nom/acc sg "),
                                                analysis('D', "o(/ti1", " "),
                                                analysis('C', "o(/ti2", " ")};
    EXPECT_EQ(annotated_analyses("o(/ti", "c--------", hoti), std::vector<std::size_t>{2});
    EXPECT_EQ(annotated_analyses("o(/ti", "d--------", hoti), std::vector<std::size_t>{1});
    EXPECT_EQ(annotated_analyses("o(/stis", "p-s---nn-", hoti), std::vector<std::size_t>{0});

    // The spelling outweighs the tag; within a lemma the tag decides, and ties are all kept.
    const std::vector<morphology_analysis> pote{analysis('D', "po/te", " "),
                                                analysis('D', "pote/", " ")};
    EXPECT_EQ(annotated_analyses("pote/", "c--------", pote), std::vector<std::size_t>{1});
    const std::vector<morphology_analysis> alla{
        analysis('E', "a)/llos", " fem nom/voc sg (doric aeolic) "),
        analysis('E', "a)/llos", " neut nom/voc/acc pl "),
        analysis('E', "a)/llos", " neut nom/voc/acc pl (epic) ")};
    EXPECT_EQ(annotated_analyses("a)/llos", "a-p---na-", alla), (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(tag_agreement("a-p---na-", alla[0]), 1 - 3);
    const std::vector<morphology_analysis> degrees{analysis('E', "kalo/s", " masc nom sg superl "),
                                                   analysis('E', "kalo/s", " masc nom sg comp ")};
    EXPECT_EQ(annotated_analyses("kalo/s", "a-s---mnc", degrees), std::vector<std::size_t>{1});

    // Conventions: suppletive forms, deponents, spellings one letter apart; never a stranger.
    const std::vector<morphology_analysis> eipen{analysis('V', "ei)=pon", " aor ind act 3rd sg ")};
    EXPECT_EQ(annotated_analyses("le/gw", "v3saia---", eipen), std::vector<std::size_t>{0});
    const std::vector<morphology_analysis> apekrithe{
        analysis('V', "a)pokri/nw", " aor ind pass 3rd sg ")};
    EXPECT_EQ(annotated_analyses("a)pokri/nomai", "v3saip---", apekrithe),
              std::vector<std::size_t>{0});
    const std::vector<morphology_analysis> egeneto{
        analysis('V', "gi/gnomai", " aor ind mid 3rd sg ")};
    EXPECT_EQ(annotated_analyses("gi/nomai", "v3saim---", egeneto), std::vector<std::size_t>{0});
    const std::vector<morphology_analysis> kago{analysis('N', "a)go/s", " masc nom sg "),
                                                analysis('N', "e)gw/", " nom sg ")};
    EXPECT_TRUE(annotated_analyses("ka)gw/", "p-s---mn-", kago).empty());
}

TEST(ReadingModel, ReadsTreebanksAndMorphgntAsAnnotatedWords) {
    const betaconverter converter;
    const auto xen =
        read_treebank("<treebank><sentence id='1' document_id='0032-002'>"
                      "<word id='1' form='οἱ' lemma='ὁ' postag='l-p---mn-'/>"
                      "<word id='2' form='[0]' lemma='' postag='' artificial='elliptic'/>"
                      "<word id='3' form='κ-' lemma='καί' postag='b--------'/>"
                      "<word id='4' form='ἄνω' lemma='ἄνω' postag='d--------'/>"
                      "<word id='5' form='εἶτʼ' lemma='εἶτα' postag='d---------'/>"
                      "<word id='6' form='κατακαύ-σαντας' lemma='κατακαίω' postag='v-papama-'/>"
                      "<word id='7' form='.' lemma='.' postag='u--------'/>"
                      "<word id='8' form='Καὶ' lemma='καί' postag='c--------'/>"
                      "</sentence></treebank>",
                      "xen", converter);
    EXPECT_EQ(xen.name, "xen");
    EXPECT_EQ(xen.author, 31);
    ASSERT_EQ(xen.words.size(), 4u);
    EXPECT_EQ(xen.words[0].key, "oi(");
    EXPECT_EQ(xen.words[0].lemma, "o(");
    EXPECT_EQ(xen.words[0].tag, "l-p---mn-");
    EXPECT_EQ(xen.words[1].key, "ei)=t");
    EXPECT_EQ(xen.words[1].lemma, "ei)=ta");
    EXPECT_EQ(xen.words[1].tag, "d--------");
    EXPECT_EQ(xen.words[2].key, "katakau/santas");
    EXPECT_EQ(xen.words[3].key, "*kai/");
    EXPECT_EQ(xen.words[3].lemma, "kai/");

    EXPECT_EQ(
        read_treebank("<treebank><sentence document_id='Genesis'/></treebank>", "g", converter)
            .author,
        44);
    EXPECT_EQ(read_treebank("<treebank><sentence document_id='27679'/></treebank>", "p", converter)
                  .author,
              0);
    EXPECT_TRUE(read_treebank("<treebank><sentence><word form='οἱ' lemma=", "broken", converter)
                    .words.empty());

    const auto john = read_morphgnt_book("040316 V- 3AAI-S-- ἠγάπησεν ἠγάπησεν ἠγάπησεν ἀγαπάω\n"
                                         "not a word\n"
                                         "010101 RA ----NSM- ὁ ὁ ὁ ὁ\n"
                                         "010102 V- -PAPGPM- λεγόντων λεγόντων λεγόντων λέγω",
                                         "64-Jn", converter);
    EXPECT_EQ(john.author, 44);
    ASSERT_EQ(john.words.size(), 3u);
    EXPECT_EQ(john.words[0].key, "h)ga/phsen");
    EXPECT_EQ(john.words[0].lemma, "a)gapa/w");
    EXPECT_EQ(john.words[0].tag, "v3saia---");
    EXPECT_EQ(john.words[1].tag, "l-s---mn-");
    EXPECT_EQ(john.words[2].tag, "v-pppamg-");
}

TEST(ReadingModel, CorpusCountsShareEachTokenByLemmaAndKindOfForm) {
    EXPECT_EQ(form_kind(analysis('P', "lu/w", " pres part act masc nom sg (attic epic) ")),
              "V pres part act masc nom sg");
    EXPECT_EQ(form_kind(analysis('V', "lu/w", " aor subj act 3rd pl (epic ionic) ")),
              "V aor subj act 3rd pl ~");

    // Forms a (lemma A only, 90 tokens of author 1), ab (A or B, 10 of author 2), b (B only, 10
    // of author 2). From equal shares, ab's tokens go 5/5 in the first round; the totals then
    // settle where A = 90 + 10 A / (A + B) and B = 10 + 10 B / (A + B), that is 99 and 11.
    small_store store;
    store.lists["a"] = {analysis('X', "A", " ")};
    store.lists["ab"] = {analysis('X', "A", " "), analysis('X', "B", " ")};
    store.lists["b"] = {analysis('X', "B", " ")};
    const auto words = count_listed_words("a\ttlg0085\t90\nab\ttlg0026\t10\nb\ttlg0026\t10\n");
    const corpus_frequencies one(store.lookup(), words, {1, 0});
    EXPECT_DOUBLE_EQ(one.lemma_weight("A", corpus_frequencies::every_author), 95);
    EXPECT_DOUBLE_EQ(one.lemma_weight("B", corpus_frequencies::every_author), 15);
    EXPECT_DOUBLE_EQ(one.lemma_weight("B", 2), 15); // author 2: ab split evenly, b whole
    EXPECT_DOUBLE_EQ(one.lemma_weight("A", 2), 5);
    EXPECT_EQ(one.lemma_weight("A", 3), 0); // no texts
    EXPECT_EQ(one.lemma_weight("C", 1), 0);
    const corpus_frequencies settled(store.lookup(), words, {200, 0});
    EXPECT_NEAR(settled.lemma_weight("A", corpus_frequencies::every_author), 99, 1e-9);
    EXPECT_NEAR(settled.lemma_weight("B", corpus_frequencies::every_author), 11, 1e-9);

    // Kinds of form: a noun's dative plural against an epic subjunctive. After the first round
    // (h split 5/5) the nouns' kinds are nom sg 30, dat pl 15 of 45 and the verbs' pres 20,
    // subj 5 of 25; in the second round h goes 45/3 : 25/5, that is 3 : 1, to the noun.
    small_store kinds;
    kinds.lists["e"] = {analysis('N', "C", " masc nom sg ")};
    kinds.lists["f"] = {analysis('N', "C", " masc dat pl ")};
    kinds.lists["g"] = {analysis('V', "D", " pres ind act 3rd sg ")};
    kinds.lists["h"] = {analysis('V', "D", " aor subj act 3rd pl (epic) "),
                        analysis('N', "C", " masc dat pl ")};
    const auto kind_words =
        count_listed_words("e\ttlg0085\t30\nf\ttlg0085\t10\ng\ttlg0085\t20\nh\ttlg0085\t10\n");
    const corpus_frequencies first(kinds.lookup(), kind_words, {1, 0});
    EXPECT_DOUBLE_EQ(first.form_share("N masc dat pl"), 1.0 / 3);
    EXPECT_DOUBLE_EQ(first.form_share("V aor subj act 3rd pl ~"), 0.2);
    EXPECT_DOUBLE_EQ(first.form_share("V pres ind act 3rd sg"), 0.8);
    EXPECT_EQ(first.form_share("N masc acc sg"), 0);
    const corpus_frequencies second(kinds.lookup(), kind_words, {2, 0});
    EXPECT_NEAR(second.lemma_weight("C", corpus_frequencies::every_author), 30 + 10 + 7.5, 1e-9);
    EXPECT_NEAR(second.lemma_weight("D", corpus_frequencies::every_author), 20 + 2.5, 1e-9);
}

TEST(ReadingModel, AnnotationsAndCorpusOrderTheAnalysesAndShareTheTokens) {
    // "ab" is A 37.5 : B 12.5 by the corpus (A = 30 + 10 A / 50); three annotated words say B.
    small_store store;
    store.lists["a"] = {analysis('X', "A", " ")};
    store.lists["ab"] = {analysis('X', "A", " "), analysis('X', "B", " ")};
    store.lists["b"] = {analysis('X', "B", " ")};
    // The analyser lists the rare verb first; "men" is annotated as the particle.
    store.lists["men"] = {analysis('V', "me/nw", " pres ipv act 2nd sg "),
                          analysis('X', "me/n", " ")};
    store.lists["menei"] = {analysis('V', "me/nw", " pres ind act 3rd sg ")};
    const auto words = count_listed_words("a\ttlg0085\t30\nab\ttlg0085\t10\nb\ttlg0085\t10\n"
                                          "men\ttlg0085\t100\nmen\ttlg0026\t40\n"
                                          "menei\ttlg0085\t20\nmenei\ttlg0026\t2\n");
    const std::vector<annotated_text> annotated{
        text_of("one", {{"ab", "B", "g--------"}, {"ab", "B", "g--------"}}),
        text_of("two", {{"ab", "B", "g--------"}, {"men", "me/n", "d--------"}})};
    const reading_model model(store.lookup(), words, annotated, converged());

    const auto ab = model.likelihoods("ab", store.lists["ab"], reading_model::every_author);
    const double prior_b = (12.5 + 0.01) / (50 + 0.02);
    EXPECT_NEAR(ab[1], (3 + prior_b) / 4, 1e-9);
    EXPECT_NEAR(ab[0] + ab[1], 1, 1e-12);
    EXPECT_EQ(model.reading_order("ab", store.lists["ab"]), (std::vector<std::size_t>{1, 0}));
    EXPECT_EQ(model.reading_order("men", store.lists["men"]), (std::vector<std::size_t>{1, 0}));

    // A form nobody annotated: the corpus's lemma counts order it; a lemma no text has comes last
    // and an exact tie keeps the analyser's order.
    const std::vector<morphology_analysis> unseen{analysis('X', "Z", " "), analysis('X', "B", " "),
                                                  analysis('X', "A", " ")};
    EXPECT_EQ(model.reading_order("unseen", unseen), (std::vector<std::size_t>{2, 1, 0}));
    const std::vector<morphology_analysis> twins{analysis('X', "Y", " "), analysis('X', "Z", " ")};
    EXPECT_EQ(model.reading_order("twins", twins), (std::vector<std::size_t>{0, 1}));

    // Expected counts: every analysed token once, and the particle above the verb everywhere.
    const auto counts = model.expected_lemma_tokens(words);
    for (const std::size_t author : {1u, 2u}) {
        double sum = 0;
        for (const auto& [lemma, row] : counts) {
            sum += row[author];
        }
        EXPECT_NEAR(sum, author == 1 ? 170 : 42, 1e-9);
        EXPECT_GT(counts.at("me/n")[author], counts.at("me/nw")[author]);
    }
    EXPECT_NEAR(counts.at("B")[1], 10 + 10 * model.likelihoods("ab", store.lists["ab"], 1)[1],
                1e-9);
    EXPECT_NEAR(counts.at("me/nw")[2], 2 + 40 * model.likelihoods("men", store.lists["men"], 2)[0],
                1e-9);
}

TEST(ReadingModel, HomographsNothingTellsApartAreWeighedByTheirEntries) {
    // λέγω "lay" (le/gw1) and "say" (le/gw2) have the same forms, and the annotators write λέγω
    // for both; "legwn" may also be a noun, which the annotators tell apart. The weights are 1
    // and 9, and a lemma without a weight leaves its twins as they are.
    small_store store;
    store.lists["legei"] = {analysis('V', "le/gw1", " pres ind act 3rd sg "),
                            analysis('V', "le/gw2", " pres ind act 3rd sg ")};
    store.lists["legwn"] = {analysis('P', "le/gw1", " pres part act masc nom sg "),
                            analysis('P', "le/gw2", " pres part act masc nom sg "),
                            analysis('N', "le/gwn2", " masc nom sg ")};
    store.lists["kei"] = {analysis('V', "kei/w1", " pres ind act 3rd sg "),
                          analysis('V', "kei/w2", " pres ind act 3rd sg ")};
    const auto words =
        count_listed_words("legei\ttlg0085\t100\nlegwn\ttlg0085\t50\nkei\ttlg0085\t10\n");
    const std::vector<annotated_text> annotated{
        text_of("one", {{"legei", "le/gw", "v3spia---"}, {"legwn", "le/gw", "v-sppamn-"}})};
    auto s = converged();
    s.homograph_weight = [](std::string_view lemma) {
        return lemma == "le/gw1" ? 1.0 : lemma == "le/gw2" ? 9.0 : 0.0;
    };
    const reading_model weighed(store.lookup(), words, annotated, s);
    const reading_model even(store.lookup(), words, annotated, converged());

    const auto legei = weighed.likelihoods("legei", store.lists["legei"], 1);
    EXPECT_NEAR(legei[0], 0.1, 1e-9);
    EXPECT_NEAR(legei[1], 0.9, 1e-9);
    EXPECT_EQ(weighed.reading_order("legei", store.lists["legei"]),
              (std::vector<std::size_t>{1, 0}));
    // The noun keeps its own likelihood; the verbs share theirs 1 : 9.
    const auto legwn = weighed.likelihoods("legwn", store.lists["legwn"], 1);
    const auto legwn_even = even.likelihoods("legwn", store.lists["legwn"], 1);
    EXPECT_NEAR(legwn[2], legwn_even[2], 1e-12);
    EXPECT_NEAR(legwn[1], 9 * legwn[0], 1e-9);
    EXPECT_NEAR(legwn[0] + legwn[1], legwn_even[0] + legwn_even[1], 1e-12);
    const auto kei = weighed.likelihoods("kei", store.lists["kei"], 1);
    EXPECT_NEAR(kei[0], kei[1], 1e-12);

    const auto counts = weighed.expected_lemma_tokens(words);
    EXPECT_NEAR(counts.at("le/gw2")[1] + counts.at("le/gw1")[1] + counts.at("le/gwn2")[1], 150,
                1e-9);
    EXPECT_NEAR(counts.at("le/gw2")[1], 9 * counts.at("le/gw1")[1], 1e-6);
}

TEST(ReadingModel, HeldOutTextsAreJudgedByTheOthersAlone) {
    small_store store;
    store.lists["men"] = {analysis('V', "me/nw", " pres ipv act 2nd sg "),
                          analysis('X', "me/n", " ")};
    store.lists["menei"] = {analysis('V', "me/nw", " pres ind act 3rd sg ")};
    store.lists["solo"] = {analysis('N', "C", " masc nom sg "),
                           analysis('N', "D", " masc nom sg ")};
    store.lists["d"] = {analysis('N', "D", " masc acc sg ")};
    const auto words = count_listed_words("men\ttlg0085\t5\nmenei\ttlg0085\t50\n"
                                          "solo\ttlg0085\t4\nd\ttlg0085\t40\n");
    // By the corpus alone the verb comes first for "men" (it has the tokens of "menei"); two
    // texts annotate the particle, one the verb. "solo" is annotated once as the lemma the
    // corpus favours, and once as a lemma that is none of its analyses.
    const std::vector<annotated_text> texts{
        text_of("one", {{"men", "me/n", "d--------"}, {"solo", "D", "n-s---mn-"}}, 31),
        text_of("two", {{"men", "me/n", "d--------"}, {"missing", "X", "n--------"}}, 44),
        text_of("three", {{"men", "me/nw", "v2spma---"}, {"solo", "Q", "n-s---mn-"}})};
    reading_model model(store.lookup(), words, texts, converged());
    const auto figures = model.figures();
    EXPECT_EQ(figures["annotated_words_used"], 4);
    EXPECT_EQ(figures["annotated_words_without_analysis"], 1);
    EXPECT_EQ(figures["annotated_words_whose_lemma_no_analysis_has"], 1);
    EXPECT_EQ(figures["forms_with_annotations"], 2);
    const auto before = model.likelihoods("men", store.lists["men"], 1);
    EXPECT_EQ(model.reading_order("men", store.lists["men"]), (std::vector<std::size_t>{1, 0}));

    const auto results = evaluate_held_out(model, texts);
    ASSERT_EQ(results.size(), 3u);
    // Text one: "men" judged by two's particle against three's verb, a tie the corpus breaks
    // for the verb: wrong; "solo" is annotated nowhere else and the corpus favours D: right.
    EXPECT_EQ(results[0].all.words, 2u);
    EXPECT_EQ(results[0].all.lemma_listed, 2u);
    EXPECT_EQ(results[0].all.lemma_first_before, 0u);
    EXPECT_EQ(results[0].all.lemma_first_after, 1u);
    EXPECT_EQ(results[0].unseen.words, 1u);
    EXPECT_EQ(results[0].unseen.lemma_first_after, 1u);
    // Text two: the same tie, wrong again; the form without analyses counts nowhere.
    EXPECT_EQ(results[1].all.words, 1u);
    EXPECT_EQ(results[1].all.lemma_first_after, 0u);
    // Text three: two particles against its verb; its lemma Q is no analysis of "solo".
    EXPECT_EQ(results[2].all.words, 2u);
    EXPECT_EQ(results[2].all.lemma_listed, 1u);
    EXPECT_EQ(results[2].all.lemma_first_before, 1u);
    EXPECT_EQ(results[2].all.lemma_first_after, 0u);

    // The model is as it was, and holding a text out equals never having seen it.
    EXPECT_EQ(model.likelihoods("men", store.lists["men"], 1), before);
    model.withdraw(texts[0]);
    const reading_model without_one(store.lookup(), words, {texts[1], texts[2]}, converged());
    EXPECT_EQ(model.likelihoods("men", store.lists["men"], 1),
              without_one.likelihoods("men", store.lists["men"], 1));
    EXPECT_EQ(model.likelihoods("solo", store.lists["solo"], 1),
              without_one.likelihoods("solo", store.lists["solo"], 1));
    model.restore(texts[0]);

    const auto json = held_out_json(results);
    EXPECT_EQ(json["all"]["words"], 5);
    EXPECT_DOUBLE_EQ(json["all"]["first_lemma_right_after_percent"].get<double>(), 20.0);
    EXPECT_EQ(json["classical_authors"]["words"], 2);
    EXPECT_EQ(json["bible"]["words"], 1);
    EXPECT_EQ(json["by_text"]["three"]["words"], 2);
}
