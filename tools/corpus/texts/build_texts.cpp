#include "texts/build_texts.h"

#include "common/unicode_text.h"
#include "texts/bible_texts.h"
#include "texts/catalogue_outline.h"
#include "texts/classical_works.h"
#include "texts/generated_tables.h"
#include "texts/text_checks.h"
#include "texts/text_layout.h"
#include "texts/treebank_texts.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <iostream>

namespace veso::corpus {
namespace {

namespace fs = std::filesystem;

bool write_file(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "veso-build-data: cannot write " << path.string() << "\n";
        return false;
    }
    return true;
}

std::string utf16le_bytes(std::u16string_view text) {
    std::string bytes;
    bytes.resize(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
}

bool build_author(const outline_author& author, const fs::path& corpus, author_texts& out,
                  std::string& error) {
    const fs::path texts = corpus / "texts";
    if (author.author_number == 38) {
        return build_sappho_fragments(author, texts / "sappho-treebank" / "sappho.xml", out, error);
    }
    if (author.author_number == 27) {
        return build_old_oligarch(author, texts / "old-oligarch-treebank" / "ps-xen-ath-pol.xml",
                                  out, error);
    }
    if (author.author_number != 44) {
        return build_classical_author(author, texts, out, error);
    }
    if (author.label == u"NT Greek Bible") {
        return build_new_testament(author, texts / "sblgnt" / "text", out, error);
    }
    return build_septuagint(author, texts / "lxx-swete" / "data",
                            texts / "lxx-brenton" / "chapters", out, error);
}

} // namespace

bool build_text_files(const fs::path& corpus, const fs::path& out, const fs::path& generated_dir,
                      built_texts& result, nlohmann::json& report) {
    const auto start = std::chrono::steady_clock::now();
    const auto& outline = catalogue_outline();
    std::vector<std::u16string> genres;
    std::vector<std::pair<std::size_t, author_texts>> authors(outline.size());
    for (std::size_t a = 0; a < outline.size(); ++a) {
        auto it = std::find(genres.begin(), genres.end(), outline[a].genre);
        if (it == genres.end()) {
            genres.push_back(outline[a].genre);
            it = genres.end() - 1;
        }
        authors[a].first = static_cast<std::size_t>(it - genres.begin());
    }
    // Two workers share the authors; each author's result lands in its own slot, so the output
    // does not depend on which worker built it.
    std::vector<std::string> errors(outline.size());
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t a = next++; a < outline.size(); a = next++) {
            if (!build_author(outline[a], corpus, authors[a].second, errors[a]) &&
                errors[a].empty()) {
                errors[a] = "cannot build " + to_utf8(outline[a].label);
            }
        }
    };
    // ICU sets its normaliser up on first use; do that here, before the second thread exists.
    normalise_greek(u"\u03AC");
    auto helper = std::async(std::launch::async, worker);
    worker();
    helper.get();
    bool failed = false;
    for (const std::string& e : errors) {
        if (!e.empty()) {
            std::cerr << "veso-build-data: " << e << "\n";
            failed = true;
        }
    }
    if (failed) {
        return false;
    }

    laid_out_texts laid = lay_out(genres, authors);
    const auto failures = check_texts(laid, outline);
    if (!failures.empty()) {
        std::cerr << "veso-build-data: the text files fail " << failures.size() << " check(s):\n";
        for (const std::string& f : failures) {
            std::cerr << "  " << f << "\n";
        }
        return false;
    }

    const std::string fingerprint = tables_fingerprint(laid);
    const char* names[] = {"t.dat", "s.dat", "nt.dat", "l.dat"};
    for (std::size_t k = 0; k < laid.files.size(); ++k) {
        if (!write_file(out / names[k], utf16le_bytes(laid.files[k]))) {
            return false;
        }
    }
    if (!write_file(out / "tables.fingerprint", fingerprint) ||
        !write_file(out / "coverage.json", coverage_json(laid, fingerprint))) {
        return false;
    }
    if (!generated_dir.empty()) {
        std::error_code ec;
        fs::create_directories(generated_dir, ec);
        for (const auto& [name, source] : generated_sources(laid, fingerprint)) {
            if (!write_file(generated_dir / name, source)) {
                return false;
            }
        }
    }

    result.files.assign(laid.files.begin(), laid.files.end());
    result.passages.clear();
    // The words of the texts: each run of sections with text, without the notices between them.
    for (const placed_work& p : laid.placed) {
        const std::u16string_view file = result.files[static_cast<std::size_t>(p.work->file)];
        const auto& sections = p.work->sections;
        std::size_t k = 0;
        while (k < sections.size()) {
            if (sections[k].missing) {
                ++k;
                continue;
            }
            const std::size_t first = k;
            while (k < sections.size() && !sections[k].missing) {
                ++k;
            }
            const std::int32_t begin = p.unit_offset + p.section_offsets[first];
            const std::int32_t end = k < sections.size() ? p.unit_offset + p.section_offsets[k]
                                                         : p.unit_offset + p.unit_length;
            result.passages.push_back(
                {p.work->author_number, file.substr(static_cast<std::size_t>(begin),
                                                    static_cast<std::size_t>(end - begin))});
        }
    }

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    auto& r = report["texts"];
    r["seconds"] = seconds;
    r["fingerprint"] = fingerprint;
    r["rows"] = laid.rows.size();
    r["catalogue_items"] = laid.catalogue.size();
    r["missing_passages"] = laid.missing.size();
    r["leaves_with_text"] = std::count_if(laid.catalogue.begin(), laid.catalogue.end(),
                                          [](const entry_data& e) { return e.id != 0; }) -
                            static_cast<std::ptrdiff_t>(laid.missing.size());
    for (std::size_t k = 0; k < laid.files.size(); ++k) {
        r["bytes"][names[k]] = laid.files[k].size() * 2;
    }
    std::cout << "veso-build-data: texts built in " << seconds << " s (fingerprint " << fingerprint
              << ")\n";
    return true;
}

} // namespace veso::corpus
