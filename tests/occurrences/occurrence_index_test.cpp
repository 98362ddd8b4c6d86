// The occurrence index of the synthetic library, checked against a plain scan of the passages the
// document loads, and read back after damage.
#include "common/data_manifest_writer.h"
#include "datafiles/data_manifest.h"
#include "lexicon/string_edits.h"
#include "lexicon/text_words.h"
#include "occurrence_fixture.h"
#include "occurrences/beta_forms.h"
#include "occurrences/occurrence_search.h"
#include "occurrences/passage_text.h"
#include "platform/headless/headless_ui_services.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <set>
#include <tuple>

namespace veso::testing {
namespace {

using namespace veso::occurrences;

struct scanned_token {
    std::int32_t id;
    std::int32_t position;
    int author;
    std::u16string key;  // as the program finds it in the morphology, or as cleaned
    std::u16string form; // the word in lower case, as Beta Code
    std::vector<std::u16string> lemmas;
    bool operator<(const scanned_token& o) const {
        return std::tie(id, position) < std::tie(o.id, o.position);
    }
};

char16_t lower(char16_t c) {
    if (c >= u'\u0391' && c <= u'\u03A9') {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c == u'\u1F08' || c == u'\u1F18') { // Ἀ, Ἐ
        return static_cast<char16_t>(c - 8);
    }
    return c;
}

// Every leaf loaded through the document, its shown range split at spaces, line ends and zero
// units; the words with a Greek letter are tokens, looked up as the program looks them up.
std::vector<scanned_token> scan(const synthetic_library& library,
                                const std::map<std::u16string, std::vector<std::u16string>>& m) {
    platform::headless_ui_services ui;
    auto doc = std::make_unique<mydoc>(ui, nullptr, library.root());
    doc->use_tables(library.tables());
    const betaconverter converter;
    std::vector<scanned_token> tokens;
    for (const catalogue_entry& entry : library.catalogue()) {
        if (entry.id == 0 || !doc->location_of(entry.id)) {
            continue;
        }
        // The notice of a missing text (140) holds no words of the texts.
        if (entry.id == 140) {
            continue;
        }
        doc->select_passage(entry.id);
        std::u16string word;
        std::int32_t start = 0;
        for (std::int32_t i = doc->page_start; i <= doc->section_end; ++i) {
            const char16_t c = i < doc->section_end ? doc->text[i] : u' ';
            if (c != u' ' && c != u'\r' && c != 0) {
                if (word.empty()) {
                    start = i;
                }
                word += c;
                continue;
            }
            std::u16string key = converter.to_betacode(word);
            clean_clicked_word(key);
            // Keys beyond ISO 8859-1 cannot be in the lexicon files.
            const bool storable =
                std::all_of(key.begin(), key.end(), [](char16_t k) { return k <= 0xFF; });
            scanned_token t{entry.id, start, doc->author_number, key, {}, {}};
            while (!m.contains(key) && replace_first(key, u"*", u"")) {
            }
            if (m.contains(key)) {
                t.lemmas = m.at(key);
            }
            // Numbers and markers are no words, as the frequency table reckons.
            if (!word.empty() && storable && !corpus::is_no_text_word(word) &&
                corpus::is_word_key(t.key)) {
                std::u16string lowered;
                for (const char16_t w : word) {
                    lowered += lower(w);
                }
                t.form = converter.to_betacode(lowered);
                clean_clicked_word(t.form);
                tokens.push_back(std::move(t));
            }
            word.clear();
        }
    }
    return tokens;
}

using located = std::tuple<std::int32_t, std::int32_t, bool>; // id, position, likeliest

std::vector<located> listed(const occurrence_index& index, const hit_list& hits) {
    std::vector<located> out;
    for (const hit& h : hits.hits) {
        out.emplace_back(index.leaves()[index.leaf_of_token(h.token)].id,
                         index.position_of(h.token), h.likeliest);
    }
    return out;
}

class OccurrenceIndexTest : public occurrence_fixture {};

TEST_F(OccurrenceIndexTest, EveryLemmaAndFormListsExactlyTheTokensAPlainScanFinds) {
    const auto tokens = scan(library, morphology());
    ASSERT_GT(tokens.size(), 100u);

    std::array<std::uint64_t, author_slots> per_author{};
    for (const auto& t : tokens) {
        ++per_author[static_cast<std::size_t>(t.author)];
    }
    for (int a = 0; a < static_cast<int>(author_slots); ++a) {
        EXPECT_EQ(index->author_tokens(a), per_author[static_cast<std::size_t>(a)]) << a;
    }
    EXPECT_EQ(index->token_count(), tokens.size());

    std::set<std::u16string> lemmas;
    for (const auto& t : tokens) {
        lemmas.insert(t.lemmas.begin(), t.lemmas.end());
    }
    EXPECT_EQ(index->lemma_count(), lemmas.size());
    for (const std::u16string& lemma : lemmas) {
        const auto found = index->find_lemmas(lemma);
        ASSERT_EQ(found.size(), 1u);
        ASSERT_EQ(index->lemma(found.front()), lemma);
        const hit_list hits = find_hits(*index, search_lemmas(*index, found));
        std::vector<located> expected;
        std::array<std::uint32_t, author_slots> likeliest_by_author{};
        for (const auto& t : tokens) {
            const auto at = std::find(t.lemmas.begin(), t.lemmas.end(), lemma);
            if (at != t.lemmas.end()) {
                // Equal shares: the first lemma is the likeliest reading.
                expected.emplace_back(t.id, t.position, at == t.lemmas.begin());
                likeliest_by_author[static_cast<std::size_t>(t.author)] += at == t.lemmas.begin();
            }
        }
        EXPECT_EQ(listed(*index, hits), expected) << std::string(lemma.begin(), lemma.end());
        EXPECT_EQ(hits.likeliest_by_author, likeliest_by_author);
        // The frequency table's counts, whatever the tokens listed.
        for (int author = 1; author <= 44; ++author) {
            EXPECT_EQ(index->lemma_count_in(found.front(), author), frequency(lemma, author));
        }
    }

    std::set<std::u16string> forms;
    for (const auto& t : tokens) {
        forms.insert(t.form);
    }
    for (const std::u16string& form : forms) {
        const hit_list hits = find_hits(*index, search_form(index->find_form(form)));
        std::vector<located> expected;
        for (const auto& t : tokens) {
            if (t.form == form) {
                expected.emplace_back(t.id, t.position, true);
            }
        }
        EXPECT_EQ(listed(*index, hits), expected) << std::string(form.begin(), form.end());
        EXPECT_EQ(hits.all, expected.size());
    }
}

// Shares that differ by author, as a model of readings gives them: a form's last lemma is the
// likeliest in the texts of even-numbered authors, its first elsewhere.
class shares_by_author_parity final : public corpus::reading_likelihood {
public:
    std::vector<double> lemma_shares(std::string_view, std::u16string_view,
                                     std::span<const std::u16string> lemmas,
                                     int author) const override {
        std::vector<double> shares(lemmas.size(), 0.25 / static_cast<double>(lemmas.size()));
        (author % 2 == 0 ? shares.back() : shares.front()) += 0.75;
        return shares;
    }
    bool same_for_every_author() const override { return false; }
};

TEST_F(OccurrenceIndexTest, EachTokensLikeliestReadingIsTheOneItsAuthorsSharesFavour) {
    rewrite_index(shares_by_author_parity());
    const auto tokens = scan(library, morphology());
    std::set<std::u16string> lemmas;
    std::set<bool> last_chosen; // whether the test met tokens of both kinds of author
    for (const auto& t : tokens) {
        lemmas.insert(t.lemmas.begin(), t.lemmas.end());
        if (t.lemmas.size() > 1) {
            last_chosen.insert(t.author % 2 == 0);
        }
    }
    EXPECT_EQ(last_chosen.size(), 2u);
    for (const std::u16string& lemma : lemmas) {
        const auto found = index->find_lemmas(lemma);
        ASSERT_EQ(found.size(), 1u);
        const hit_list hits = find_hits(*index, search_lemmas(*index, found));
        std::vector<located> expected;
        for (const auto& t : tokens) {
            if (std::find(t.lemmas.begin(), t.lemmas.end(), lemma) != t.lemmas.end()) {
                const auto& best = t.author % 2 == 0 ? t.lemmas.back() : t.lemmas.front();
                expected.emplace_back(t.id, t.position, best == lemma);
            }
        }
        EXPECT_EQ(listed(*index, hits), expected) << std::string(lemma.begin(), lemma.end());
        // The counts stay the frequency table's, whatever the shares.
        EXPECT_EQ(index->lemma_count_in(found.front(), 17), frequency(lemma, 17));
    }
}

TEST_F(OccurrenceIndexTest, LeavesShowWhatTheDocumentShowsAndTheirTextIsReadFromTheRightFile) {
    platform::headless_ui_services ui;
    auto doc = std::make_unique<mydoc>(ui, nullptr, library.root());
    doc->use_tables(library.tables());
    passage_text text(data());
    std::size_t checked = 0;
    for (const leaf_record& leaf : index->leaves()) {
        if (leaf.id == 140) { // a notice: listed, without words
            EXPECT_EQ(leaf.range_start, leaf.range_end);
            continue;
        }
        doc->select_passage(leaf.id);
        EXPECT_EQ(leaf.author, doc->author_number) << leaf.id;
        EXPECT_EQ(leaf.range_start, doc->page_start) << leaf.id;
        // The shown text ends at the section's end or at the zero units after the passage.
        std::u16string loaded(doc->text.data() + doc->page_start,
                              doc->text.data() + doc->section_end);
        loaded.erase(std::find(loaded.begin(), loaded.end(), u'\0'), loaded.end());
        EXPECT_EQ(leaf.range_end, doc->page_start + static_cast<std::int32_t>(loaded.size()))
            << leaf.id;
        EXPECT_EQ(text.units(leaf, leaf.range_start, leaf.range_end), loaded) << leaf.id;
        ++checked;
    }
    // Every leaf of the catalogue with a row: the single passages, the sections of the poem, the
    // prose, the two odes, the Septuagint, the New Testament and the fragments.
    EXPECT_EQ(checked, 21u);
}

TEST_F(OccurrenceIndexTest, ContextLinesStayInsideTheirSection) {
    passage_text text(data());
    const auto line_of = [&](std::int32_t id, std::u16string_view word) {
        const hit_list hits = find_hits(*index, search_form(index->find_form(word)));
        for (const hit& h : hits.hits) {
            const leaf_record& leaf = index->leaves()[index->leaf_of_token(h.token)];
            if (leaf.id == id) {
                return keyword_in_context(text, leaf, index->position_of(h.token), 2);
            }
        }
        return keyword_line{};
    };
    const keyword_line first = line_of(100, u"mh=nin");
    EXPECT_EQ(first.before, u"");
    EXPECT_EQ(first.word, u"Μῆνιν");
    EXPECT_EQ(first.after, with_oxia(u"ἄειδε θεά"));
    const keyword_line prose = line_of(301, u"kai/");
    EXPECT_EQ(prose.before, with_oxia(u"λόγος 1"));
    EXPECT_EQ(prose.word, u"καὶ");
    EXPECT_EQ(prose.after, u"ἄλλος");
}

TEST_F(OccurrenceIndexTest, TypedLemmasMatchWithoutCapitalsOrHomographDigits) {
    // An exact spelling is the only answer; otherwise every lemma that differs only so.
    EXPECT_EQ(index->find_lemmas(u"o(").size(), 1u);
    const auto achilles = index->find_lemmas(u"a)xileu/s");
    ASSERT_EQ(achilles.size(), 1u);
    EXPECT_EQ(index->lemma(achilles.front()), u"*)axileu/s");
    EXPECT_TRUE(index->find_lemmas(u"lo/gou").empty());
    // Capitalised keys are the same form: Ἐν at a chapter's start and ἐν.
    const auto en = index->find_form(u"e)n");
    ASSERT_EQ(en.size(), 2u);
    EXPECT_EQ(index->lemmas_of_key(en[0]).size() + index->lemmas_of_key(en[1]).size(), 1u);
}

// The index file with one change, and the data folder's manifest written again, so that only the
// lists are wrong.
void rewrite(const std::filesystem::path& path, section s, std::size_t at,
             const std::function<void(std::uint8_t*)>& change) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    in.close();
    file_header header;
    std::memcpy(&header, bytes.data(), sizeof header);
    const section_entry& entry = header.section_table[static_cast<std::size_t>(s)];
    change(reinterpret_cast<std::uint8_t*>(bytes.data() + entry.offset + at));
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::string error;
    EXPECT_TRUE(corpus::write_data_manifest(path.parent_path(), error)) << error;
}

TEST_F(OccurrenceIndexTest, DamagedMissingAndStaleIndexesAreRefusedWithTheRebuildCommand) {
    const auto path = data() / "occurrences.idx";
    const auto manifest = data() / "data.manifest";
    std::filesystem::copy_file(path, library.root() / "index.good");
    std::filesystem::copy_file(manifest, library.root() / "manifest.good");
    const auto restore = [&] {
        const auto overwrite = std::filesystem::copy_options::overwrite_existing;
        std::filesystem::copy_file(library.root() / "index.good", path, overwrite);
        std::filesystem::copy_file(library.root() / "manifest.good", manifest, overwrite);
    };
    const auto problem = [&] {
        const auto opened = open();
        EXPECT_EQ(opened.index == nullptr, opened.problem != index_problem::none);
        if (opened.problem != index_problem::none) {
            EXPECT_NE(opened.message.find(u"veso-build-data --corpus ../shared/corpus --out"),
                      std::u16string::npos);
        }
        return opened.problem;
    };

    // A byte changed anywhere, or the file cut short: the manifest's checksum or size differs.
    const auto size = std::filesystem::file_size(path);
    for (std::uintmax_t at = 0; at < size; at += 97) {
        restore();
        std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
        file.seekg(static_cast<std::streamoff>(at));
        const char old = static_cast<char>(file.get());
        file.seekp(static_cast<std::streamoff>(at));
        file.put(static_cast<char>(old ^ 0x10));
        file.close();
        EXPECT_EQ(problem(), index_problem::damaged) << at;
    }
    restore();
    std::filesystem::resize_file(path, size - 8);
    EXPECT_EQ(problem(), index_problem::damaged);

    // Lists that do not fit together under a right checksum: a key claiming more lemmas, a lemma
    // pointing past the keys, a leaf in an unknown file.
    restore();
    rewrite(path, section::keys, 2, [](std::uint8_t* lemma_count) { ++*lemma_count; });
    EXPECT_EQ(problem(), index_problem::damaged);
    restore();
    rewrite(path, section::lemma_keys, 0, [&](std::uint8_t* key) {
        const std::uint32_t past = index->key_count();
        std::memcpy(key, &past, 4);
    });
    EXPECT_EQ(problem(), index_problem::damaged);
    restore();
    rewrite(path, section::leaves, offsetof(leaf_record, file),
            [](std::uint8_t* file) { *file = 9; });
    EXPECT_EQ(problem(), index_problem::damaged);

    restore();
    std::filesystem::remove(path);
    EXPECT_EQ(problem(), index_problem::missing);

    // Built with other files than those now beside it, or not listed by the manifest.
    restore();
    EXPECT_EQ(occurrence_index::open(data(), "other-tables").problem, index_problem::stale);
    std::ofstream(data() / "m.dat", std::ios::binary | std::ios::app) << "x";
    EXPECT_EQ(problem(), index_problem::stale);
    std::ofstream(manifest, std::ios::binary | std::ios::trunc)
        << datafiles::data_manifest{}.to_text();
    EXPECT_EQ(problem(), index_problem::stale);
}

} // namespace
} // namespace veso::testing
