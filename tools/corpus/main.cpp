// veso-build-data: builds the program's ten data files (and the generated C++ tables) from the open
// Greek corpus.
#include "common/data_manifest_writer.h"
#include "datafiles/data_manifest.h"
#include "lexicon/build_lexicon.h"
#include "occurrences/occurrence_index_writer.h"
#include "texts/build_texts.h"

#include <CLI/CLI.hpp>
#include <chrono>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"veso-build-data: build data/ from the open Greek corpus"};
    std::filesystem::path corpus = "../shared/corpus";
    std::filesystem::path out = "data";
    std::filesystem::path generated;
    bool texts_only = false;
    app.add_option("--corpus", corpus, "the corpus folder (with MANIFEST.md)");
    app.add_option("--out", out, "where to write the data files");
    app.add_option("--generated", generated,
                   "where to write the generated C++ tables (src/library/generated)");
    app.add_flag("--texts-only", texts_only, "build only the four text files");
    CLI11_PARSE(app, argc, argv);

    if (!std::filesystem::exists(corpus / "MANIFEST.md")) {
        std::cerr << "veso-build-data: no corpus at " << corpus << " (MANIFEST.md is missing)\n";
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::cerr << "veso-build-data: cannot create " << out << ": " << ec.message() << "\n";
        return 1;
    }
    // The last build's manifest describes files about to be replaced: left in place, it would
    // mark them damaged while the index builder reads them back.
    std::filesystem::remove(out / veso::datafiles::manifest_file, ec);

    const auto start = std::chrono::steady_clock::now();
    nlohmann::json report;
    veso::corpus::built_texts texts;
    if (!veso::corpus::build_text_files(corpus, out, generated, texts, report)) {
        return 1;
    }
    // The occurrence index shares each token among its lemmas as the lexicon's model of readings
    // does, so it is built while that model is at hand.
    if (!texts_only && !veso::corpus::build_lexicon_files(
                           corpus, out, texts.passages, report,
                           [&](const veso::corpus::reading_likelihood& readings) {
                               return veso::corpus::build_occurrence_index(out, readings, report);
                           })) {
        return 1;
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    report["build_seconds"] = seconds;
    std::ofstream(out / "build-report.json") << report.dump(2) << "\n";
    // Last, so that it records every file as written.
    if (std::string error; !veso::corpus::write_data_manifest(out, error)) {
        std::cerr << "veso-build-data: " << error << "\n";
        return 1;
    }
    std::cout << "veso-build-data: data written to " << out << " in " << seconds << " s\n";
    return 0;
}
