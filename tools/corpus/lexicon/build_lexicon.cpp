#include "lexicon/build_lexicon.h"

#include "common/unicode_text.h"
#include "lexicon/definition_faults.h"
#include "lexicon/dictionary_sources.h"
#include "lexicon/frequency_table.h"
#include "lexicon/morphgnt_analyses.h"
#include "lexicon/morphology_analysis.h"
#include "lexicon/morphology_store.h"
#include "lexicon/reading_evaluation.h"
#include "lexicon/reading_model.h"
#include "lexicon/record_file.h"
#include "lexicon/text_words.h"
#include "lexicon/treebank_evidence.h"

#include <chrono>
#include <ctime>
#include <future>
#include <iostream>

namespace veso::corpus {

namespace {

bool write_file(const std::filesystem::path& out, const char* name, const record_format& format,
                const std::vector<record>& records, nlohmann::json& report) {
    std::size_t skipped = 0;
    std::string error;
    if (!write_record_file(out / name, format, records, skipped, error)) {
        std::cerr << "veso-build-data: " << error << "\n";
        return false;
    }
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(out / name, ec);
    report["files"][name] = {
        {"records", records.size() - skipped}, {"skipped", skipped}, {"bytes", ec ? 0 : bytes}};
    return true;
}

// A definition whose characters show a source read in the wrong encoding, or a character
// reference left unresolved, stops the build: such text must never reach the reader.
bool definitions_are_clean(const dictionary& dictionary, nlohmann::json& report) {
    std::size_t faulty = 0;
    for (const auto& [headword, definition] : dictionary.definitions) {
        if (const char* fault = definition_fault(definition.text)) {
            if (faulty < 10) {
                std::cerr << "veso-build-data: the definition of " << to_utf8(headword) << " ("
                          << definition.source << ") holds a " << fault << "\n";
            }
            ++faulty;
        }
    }
    report["definitions_with_character_faults"] = faulty;
    if (faulty > 0) {
        std::cerr << "veso-build-data: " << faulty
                  << " definitions hold characters decoded wrongly; no lexicon file written\n";
    }
    return faulty == 0;
}

} // namespace

bool build_lexicon_files(const std::filesystem::path& corpus, const std::filesystem::path& out,
                         std::span<const authored_text> texts, nlohmann::json& report,
                         const std::function<bool(const reading_likelihood&)>& with_readings) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    auto seconds_since = [](std::chrono::steady_clock::time_point from) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
    };
    nlohmann::json& lex = report["lexicon"];
    const betaconverter converter;

    const auto analyses_path = corpus / "morphology" / "analyses.tsv";
    if (!std::filesystem::exists(analyses_path)) {
        std::cerr << "veso-build-data: " << analyses_path << " is missing\n";
        return false;
    }

    // The dictionaries and the morphology are independent until the headwords are matched.
    nlohmann::json dictionary_report;
    double dictionary_seconds = 0;
    auto dictionaries = std::async(std::launch::async, [&] {
        const auto begin = std::chrono::steady_clock::now();
        auto result = read_dictionaries(corpus / "lexicon", converter, dictionary_report);
        dictionary_seconds = seconds_since(begin);
        return result;
    });

    // The annotated texts too: they are needed only once the headwords have their last spelling.
    auto annotations = std::async(std::launch::async, [&] {
        return read_annotated_texts(corpus / "treebanks" / "pedalion",
                                    corpus / "texts" / "morphgnt", converter);
    });

    morphology_store store;
    store.read_analyser_output(read_whole_file(analyses_path));
    store.read_morphgnt(corpus / "texts" / "morphgnt", converter);
    store.read_treebanks({corpus / "texts" / "sappho-treebank" / "sappho.xml",
                          corpus / "texts" / "old-oligarch-treebank" / "ps-xen-ath-pol.xml"},
                         converter);
    text_word_counts words;
    if (!texts.empty()) {
        words = count_text_words(texts, converter);
        lex["words_from"] = "built texts";
    } else {
        words = count_listed_words(read_whole_file(corpus / "morphology" / "forms-by-author.tsv"));
        lex["words_from"] = "morphology/forms-by-author.tsv (no built texts)";
    }
    store.add_text_words(words);
    lex["text_words"] = {{"distinct_keys", words.words.size()},
                         {"label_tokens_left_out", words.label_tokens},
                         {"non_word_tokens_left_out", words.non_word_tokens},
                         {"non_word_keys_left_out", words.non_word_keys},
                         {"unstorable_tokens", words.unstorable_tokens}};
    lex["phase_seconds"]["morphology_and_text_words"] = seconds_since(start);

    const auto dictionary = dictionaries.get();
    lex["dictionary_sources"] = dictionary_report;
    lex["phase_seconds"]["dictionaries"] = dictionary_seconds;
    if (!definitions_are_clean(dictionary, lex)) {
        return false;
    }
    store.match_headwords(dictionary);

    // The model reads the analyses with their final lemmas, so that what it learns is about the
    // headwords written; the annotators' lemmas are compared without homograph digits. Held-out
    // texts are judged before the analyses take the model's order, which is then the "after".
    auto phase_start = std::chrono::steady_clock::now();
    auto phase_done = [&](const char* name) {
        lex["phase_seconds"][name] = seconds_since(phase_start);
        phase_start = std::chrono::steady_clock::now();
    };
    const auto annotated = annotations.get();
    reading_model::settings model_settings;
    // Homographs no evidence tells apart (λέγω "lay" and "say") are weighed by the length of
    // their LSJ entries: LSJ writes at length of the words authors use most. Short glosses say
    // nothing of that, so homographs without a full entry stay equally likely.
    model_settings.homograph_weight = [&dictionary](std::string_view lemma) {
        std::u16string headword;
        for (const char c : lemma) {
            headword += static_cast<char16_t>(static_cast<unsigned char>(c));
        }
        const auto it = dictionary.definitions.find(headword);
        return it == dictionary.definitions.end() || it->second.kind != definition_kind::lsj_full
                   ? 0.0
                   : static_cast<double>(it->second.text.size());
    };
    reading_model model([&store](std::string_view key) { return store.find(key); }, words,
                        annotated, model_settings);
    nlohmann::json& readings = lex["reading_model"];
    readings = model.figures();
    readings["annotated_texts"] = annotated.size();
    phase_done("reading_model");
    readings["held_out"] = held_out_json(evaluate_held_out(model, annotated));
    phase_done("held_out_evaluation");
    readings["analyses_before_ordering"] = store.analyses_fingerprint();
    store.order_analyses([&model](std::string_view key, const morphology_store::analyses& list) {
        return model.reading_order(key, list);
    });
    const frequency_table frequencies(store, model.expected_lemma_tokens(words));
    phase_done("order_and_counts");
    const auto coverage = measure_coverage(store, words, frequencies, dictionary);
    lex["coverage"] = coverage.to_json();
    lex["unanalysed"] = coverage.unanalysed_json();

    std::vector<record> full, wide, fallback;
    for (const auto& [headword, d] : dictionary.definitions) {
        auto& list = d.file == dictionary_file::full   ? full
                     : d.file == dictionary_file::wide ? wide
                                                       : fallback;
        list.emplace_back(headword, d.text);
    }
    std::vector<record> main_morphology, added_morphology;
    store.records(main_morphology, added_morphology);
    lex["morphology"] = store.figures();
    const bool written = write_file(out, "m.dat", morphology_format, main_morphology, lex) &&
                         write_file(out, "m_a.dat", morphology_format, added_morphology, lex) &&
                         write_file(out, "d.dat", dictionary_format, full, lex) &&
                         write_file(out, "d_b.dat", wide_dictionary_format, wide, lex) &&
                         write_file(out, "d_a.dat", dictionary_format, fallback, lex) &&
                         write_file(out, "o.dat", frequency_format, frequencies.records(), lex);
    if (!written) {
        return false;
    }
    const double seconds = seconds_since(start);
    lex["seconds"] = seconds;
    lex["cpu_seconds"] = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    std::cout << "veso-build-data: lexicon: " << main_morphology.size() << " + "
              << added_morphology.size() << " word forms, " << dictionary.definitions.size()
              << " definitions, " << frequencies.size() << " headwords; tokens analysed "
              << coverage.overall_analysed_percent() << " %, defined "
              << coverage.overall_defined_percent() << " %; " << seconds << " s\n";
    return !with_readings || with_readings(model_reading_shares(model));
}

} // namespace veso::corpus
