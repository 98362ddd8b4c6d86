#include "occurrences/occurrence_index_writer.h"

#include "lexicon/lexicon.h"
#include "lexicon/morphgnt_analyses.h"
#include "lexicon/text_words.h"
#include "occurrences/beta_forms.h"
#include "occurrences/index_format.h"
#include "platform/headless/headless_ui_services.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <numeric>
#include <unordered_map>

namespace veso::corpus {

namespace {

namespace fs = std::filesystem;
using namespace veso::occurrences;

// The text file a passage-table row is read from, numbered as text_files: the document reads
// the lyric fragments (author 38) from s.dat, the New Testament (author 44, work 32) from nt.dat
// and the Septuagint (work 40) from l.dat.
std::int32_t text_file_of(const passage_location& row) {
    if (row.author_number == 38) {
        return 1;
    }
    if (row.author_number == 44 && row.work_code == 32) {
        return 2;
    }
    return row.work_code == 40 ? 3 : 0;
}

std::u16string widened(std::string_view latin1) {
    std::u16string out(latin1.size(), u'\0');
    std::transform(latin1.begin(), latin1.end(), out.begin(),
                   [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
    return out;
}

std::string narrowed(std::u16string_view text) {
    std::string out(text.size(), '\0');
    std::transform(text.begin(), text.end(), out.begin(),
                   [](char16_t c) { return static_cast<char>(c); });
    return out;
}

// Lets the word map be searched with a view of the loaded text, without a copy per token.
struct word_hash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view word) const {
        return std::hash<std::u16string_view>{}(word);
    }
};

struct key_entry {
    std::string key;
    std::u16string morphology;
    std::vector<std::uint32_t> lemmas; // numbers of the lemmas in first-seen order
};

struct token {
    std::uint32_t key;
    std::int32_t position;
};

// A section's bytes, padded with zeros to whole 8-byte words.
using section_bytes = std::vector<std::uint8_t>;

template <class T> section_bytes bytes_of(const std::vector<T>& items) {
    section_bytes out(items.size() * sizeof(T));
    if (!out.empty()) {
        std::memcpy(out.data(), items.data(), out.size());
    }
    return out;
}

void pad(section_bytes& bytes) {
    bytes.resize((bytes.size() + 7) / 8 * 8, 0);
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string trimmed_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.pop_back();
    }
    return text;
}

// The index in memory, gathered leaf by leaf, then laid out into its sections.
class index_builder {
public:
    index_builder(const lexicon& lex, const reading_likelihood& readings)
        : lexicon_(lex), readings_(readings) {
        word_keys_.reserve(1 << 20); // the corpus spells about 600,000 different words
    }

    // A leaf without words.
    void add_empty_leaf(std::int32_t id, const passage_location& row);
    // The words of the loaded text between start and end, for the leaf id.
    void add_leaf(const mydoc& doc, std::int32_t id, const passage_location& row,
                  std::int32_t start, std::int32_t end);
    std::array<section_bytes, section_count> sections();
    std::size_t token_count() const { return tokens_.size(); }
    std::size_t key_count() const { return keys_.size(); }
    std::size_t lemma_count() const { return lemmas_.size(); }

private:
    std::int32_t key_of_word(std::u16string_view word);
    std::uint32_t lemma_number(const std::u16string& lemma);
    std::vector<std::uint32_t> keys_by_frequency() const;
    std::vector<double> shares_of(const key_entry& entry, int author) const;
    // The authors a key's share rows are written for: 0 alone when the shares are the same for
    // every author.
    std::vector<int> share_row_authors(std::uint64_t key_authors) const;

    const lexicon& lexicon_;
    const reading_likelihood& readings_;
    betaconverter converter_;
    std::unordered_map<std::u16string, std::int32_t, word_hash, std::equal_to<>>
        word_keys_; // -1: not a word
    std::unordered_map<std::string, std::uint32_t> key_numbers_;
    std::vector<key_entry> keys_;
    // Per key, kept apart from the entries so that counting a token touches little memory.
    std::vector<std::uint32_t> key_tokens_;
    std::vector<std::uint64_t> key_authors_; // bit per author number whose leaves have the key
    std::unordered_map<std::u16string, std::uint32_t> lemma_numbers_;
    std::vector<std::u16string> lemmas_;
    std::vector<leaf_record> leaves_;
    std::vector<token> tokens_;
};

std::uint32_t index_builder::lemma_number(const std::u16string& lemma) {
    const auto [it, added] =
        lemma_numbers_.try_emplace(lemma, static_cast<std::uint32_t>(lemmas_.size()));
    if (added) {
        lemmas_.push_back(lemma);
    }
    return it->second;
}

std::int32_t index_builder::key_of_word(std::u16string_view word) {
    if (const auto found = word_keys_.find(word); found != word_keys_.end()) {
        return found->second;
    }
    const auto it = word_keys_.emplace(std::u16string(word), -1).first;
    // Numbers, markers, notices and damaged words are no words, as the frequency table reckons.
    const std::string key = lookup_key(word, converter_);
    if (key.empty() || key.size() > 0xFFFF || is_no_text_word(word) || !is_word_key(key)) {
        return -1;
    }
    const auto [number, new_key] =
        key_numbers_.try_emplace(key, static_cast<std::uint32_t>(keys_.size()));
    if (new_key) {
        key_entry entry;
        entry.key = key;
        // As the text view asks: the word's own Beta Code, which the look-up cleans once (the
        // key is cleaned already, and cleaning is not idempotent).
        entry.morphology = lexicon_.analysis_of(converter_.to_betacode(std::u16string(word)));
        for (const std::u16string& lemma : analysis_lemmas(entry.morphology)) {
            if (entry.lemmas.size() < 255) {
                entry.lemmas.push_back(lemma_number(lemma));
            }
        }
        keys_.push_back(std::move(entry));
        key_tokens_.push_back(0);
        key_authors_.push_back(0);
    }
    it->second = static_cast<std::int32_t>(number->second);
    return it->second;
}

void index_builder::add_empty_leaf(std::int32_t id, const passage_location& row) {
    leaf_record leaf;
    leaf.id = id;
    leaf.author = std::clamp(row.author_number, 0, 44);
    leaf.file = text_file_of(row);
    leaf.file_unit = std::max(row.file_offset, 0) / 2;
    leaf.first_token = static_cast<std::uint32_t>(tokens_.size());
    leaves_.push_back(leaf);
}

void index_builder::add_leaf(const mydoc& doc, std::int32_t id, const passage_location& row,
                             std::int32_t start, std::int32_t end) {
    leaf_record leaf;
    leaf.id = id;
    leaf.author = doc.author_number;
    leaf.file = text_file_of(row);
    leaf.file_unit = doc.file_offset / 2;
    // The text view stops at the first zero unit, where the passage read ends.
    const std::u16string_view loaded(doc.text.data(), static_cast<std::size_t>(doc.text_length));
    end = std::max(start, std::min(end, doc.text_length));
    leaf.range_start = start;
    leaf.range_end = static_cast<std::int32_t>(std::min<std::size_t>(
        loaded.find(u'\0', static_cast<std::size_t>(start)), static_cast<std::size_t>(end)));
    leaf.first_token = static_cast<std::uint32_t>(tokens_.size());
    const std::uint64_t author_bit = std::uint64_t{1} << std::clamp(leaf.author, 0, 44);
    for_each_text_word(loaded, static_cast<std::size_t>(leaf.range_start),
                       static_cast<std::size_t>(leaf.range_end),
                       [&](std::size_t start, std::u16string_view word, text_token kind) {
                           // Speakers and headings are labels, not the text's words.
                           if (kind != text_token::word) {
                               return;
                           }
                           const std::int32_t key = key_of_word(word);
                           if (key >= 0) {
                               ++key_tokens_[static_cast<std::size_t>(key)];
                               key_authors_[static_cast<std::size_t>(key)] |= author_bit;
                               tokens_.push_back({static_cast<std::uint32_t>(key),
                                                  static_cast<std::int32_t>(start)});
                           }
                       });
    leaves_.push_back(leaf);
}

// Most frequent first, so that the token stream writes the commonest keys in one byte.
std::vector<std::uint32_t> index_builder::keys_by_frequency() const {
    std::vector<std::uint32_t> order(keys_.size());
    std::iota(order.begin(), order.end(), 0U);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return key_tokens_[a] != key_tokens_[b] ? key_tokens_[a] > key_tokens_[b]
                                                : keys_[a].key < keys_[b].key;
    });
    return order;
}

std::vector<double> index_builder::shares_of(const key_entry& entry, int author) const {
    std::vector<std::u16string> lemmas;
    for (const std::uint32_t l : entry.lemmas) {
        lemmas.push_back(lemmas_[l]);
    }
    std::vector<double> shares =
        readings_.lemma_shares(entry.key, entry.morphology, lemmas, author);
    shares.resize(lemmas.size(), 0.0);
    return shares;
}

std::vector<int> index_builder::share_row_authors(std::uint64_t key_authors) const {
    if (readings_.same_for_every_author()) {
        return {0};
    }
    std::vector<int> authors;
    for (int author = 0; author < static_cast<int>(author_slots); ++author) {
        if (key_authors & (std::uint64_t{1} << author)) {
            authors.push_back(author);
        }
    }
    return authors;
}

std::array<section_bytes, section_count> index_builder::sections() {
    std::array<section_bytes, section_count> out;
    const auto at = [&out](section s) -> section_bytes& {
        return out[static_cast<std::size_t>(s)];
    };

    const std::vector<std::uint32_t> order = keys_by_frequency();
    std::vector<std::uint32_t> rank(keys_.size());
    for (std::uint32_t r = 0; r < order.size(); ++r) {
        rank[order[r]] = r;
    }

    // Tokens: authors, the stream with its checkpoints, and each key's postings.
    std::vector<std::uint64_t> author_tokens(author_slots, 0);
    section_bytes stream;
    std::vector<checkpoint> checkpoints;
    std::vector<std::vector<std::uint32_t>> postings(keys_.size());
    for (std::size_t leaf = 0; leaf < leaves_.size(); ++leaf) {
        const leaf_record& l = leaves_[leaf];
        const std::uint32_t end =
            leaf + 1 < leaves_.size() ? leaves_[leaf + 1].first_token : tokens_.size();
        const auto author = static_cast<std::size_t>(std::clamp<std::int32_t>(l.author, 0, 44));
        author_tokens[author] += end - l.first_token;
        std::int32_t previous = l.range_start;
        for (std::uint32_t t = l.first_token; t < end; ++t) {
            const token& tk = tokens_[t];
            if (t % checkpoint_interval == 0) {
                checkpoints.push_back({static_cast<std::uint32_t>(stream.size()), tk.position});
            }
            append_varint(stream, static_cast<std::uint32_t>(tk.position - previous));
            append_varint(stream, rank[tk.key]);
            previous = tk.position;
            postings[rank[tk.key]].push_back(t);
        }
    }
    at(section::leaves) = bytes_of(leaves_);
    at(section::author_tokens) = bytes_of(author_tokens);
    at(section::checkpoints) = bytes_of(checkpoints);
    at(section::token_stream) = std::move(stream);

    // Lemmas, by match form and spelling.
    std::vector<std::uint32_t> lemma_order(lemmas_.size());
    std::iota(lemma_order.begin(), lemma_order.end(), 0U);
    std::vector<std::u16string> match_forms;
    for (const auto& lemma : lemmas_) {
        match_forms.push_back(lemma_match_form(lemma));
    }
    std::sort(lemma_order.begin(), lemma_order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return match_forms[a] != match_forms[b] ? match_forms[a] < match_forms[b]
                                                : lemmas_[a] < lemmas_[b];
    });
    std::vector<std::uint32_t> lemma_id(lemmas_.size());
    for (std::uint32_t i = 0; i < lemma_order.size(); ++i) {
        lemma_id[lemma_order[i]] = i;
    }

    // Keys in rank order: strings, postings, lemmas and shares.
    std::vector<key_record> key_records;
    std::string key_strings;
    section_bytes posting_bytes;
    std::vector<std::uint32_t> key_lemmas;
    std::vector<std::uint8_t> share_authors;
    std::vector<float> shares;
    std::vector<std::vector<std::uint32_t>> keys_of_lemma(lemmas_.size());
    for (std::uint32_t r = 0; r < order.size(); ++r) {
        const key_entry& entry = keys_[order[r]];
        key_record record;
        record.string_length = static_cast<std::uint16_t>(entry.key.size());
        key_strings += entry.key;
        record.lemma_count = static_cast<std::uint8_t>(entry.lemmas.size());
        for (const std::uint32_t l : entry.lemmas) {
            key_lemmas.push_back(lemma_id[l]);
            keys_of_lemma[lemma_id[l]].push_back(r);
        }
        const std::size_t postings_start = posting_bytes.size();
        std::int64_t previous = -1;
        for (const std::uint32_t t : postings[r]) {
            append_varint(posting_bytes, static_cast<std::uint32_t>(t - previous));
            previous = t;
        }
        record.postings_size = static_cast<std::uint32_t>(posting_bytes.size() - postings_start);
        if (entry.lemmas.size() > 1) {
            const std::vector<int> authors = share_row_authors(key_authors_[order[r]]);
            record.share_rows = static_cast<std::uint8_t>(authors.size());
            for (const int author : authors) {
                share_authors.push_back(static_cast<std::uint8_t>(author));
                for (const double share : shares_of(entry, author)) {
                    shares.push_back(static_cast<float>(share));
                }
            }
        }
        key_records.push_back(record);
    }
    at(section::keys) = bytes_of(key_records);
    at(section::key_strings) = section_bytes(key_strings.begin(), key_strings.end());
    at(section::postings) = std::move(posting_bytes);
    at(section::key_lemmas) = bytes_of(key_lemmas);
    at(section::share_authors) = std::move(share_authors);
    at(section::shares) = bytes_of(shares);

    // Lemma records with their keys and their counts per author.
    std::vector<lemma_record> lemma_records;
    std::string lemma_strings;
    std::vector<std::uint32_t> lemma_keys;
    std::vector<author_count> counts;
    for (std::uint32_t id = 0; id < lemma_order.size(); ++id) {
        const std::u16string& lemma = lemmas_[lemma_order[id]];
        lemma_record record;
        record.string_length = static_cast<std::uint16_t>(lemma.size());
        lemma_strings += narrowed(lemma);
        record.key_count = static_cast<std::uint32_t>(keys_of_lemma[id].size());
        lemma_keys.insert(lemma_keys.end(), keys_of_lemma[id].begin(), keys_of_lemma[id].end());
        const std::size_t first_count = counts.size();
        for (std::uint32_t author = 1; author < author_slots; ++author) {
            const auto count = lexicon_.frequency_field(lemma, author);
            if (count > 0) {
                counts.push_back({author, static_cast<float>(count)});
            }
        }
        record.count_pairs = static_cast<std::uint32_t>(counts.size() - first_count);
        lemma_records.push_back(record);
    }
    at(section::lemmas) = bytes_of(lemma_records);
    at(section::lemma_strings) = section_bytes(lemma_strings.begin(), lemma_strings.end());
    at(section::lemma_keys) = bytes_of(lemma_keys);
    at(section::lemma_counts) = bytes_of(counts);

    // Keys by lower-case form, for the look-up of a form in any capitalisation.
    std::vector<std::u16string> forms(order.size());
    for (std::uint32_t r = 0; r < order.size(); ++r) {
        forms[r] = lower_case_form(widened(keys_[order[r]].key));
    }
    std::vector<std::uint32_t> form_order(order.size());
    std::iota(form_order.begin(), form_order.end(), 0U);
    std::sort(form_order.begin(), form_order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return forms[a] != forms[b] ? forms[a] < forms[b] : a < b;
    });
    at(section::form_order) = bytes_of(form_order);
    return out;
}

bool write_file(const fs::path& path, const file_header& header,
                const std::array<section_bytes, section_count>& sections, std::string& error) {
    const fs::path partial = fs::path(path).concat(".partial");
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        for (const section_bytes& s : sections) {
            out.write(reinterpret_cast<const char*>(s.data()),
                      static_cast<std::streamsize>(s.size()));
        }
        if (!out) {
            error = "cannot write " + partial.string();
            return false;
        }
    }
    std::error_code ec;
    fs::rename(partial, path, ec);
    if (ec) {
        error = "cannot write " + path.string() + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace

bool write_occurrence_index(const occurrence_sources& sources, const reading_likelihood& readings,
                            nlohmann::json& report, std::string& error) {
    const auto start = std::chrono::steady_clock::now();
    const fs::path data = sources.root / "data";
    lexicon lex(data);
    lex.wait_until_loaded();
    const double lexicon_seconds = seconds_since(start);
    if (lex.morphology_size() == 0) {
        error = "no morphology in " + (data / "m.dat").string();
        return false;
    }

    platform::headless_ui_services ui;
    auto doc = std::make_unique<mydoc>(ui, nullptr, sources.root);
    doc->use_tables(sources.tables);
    index_builder builder(lex, readings);
    std::optional<passage_location> loaded;
    for (const catalogue_entry& entry : sources.catalogue) {
        const auto row = entry.id == 0 ? std::nullopt : doc->location_of(entry.id);
        if (!row) {
            continue;
        }
        // A notice holds no words of the texts; its leaf is listed without tokens.
        if (std::binary_search(sources.notices.begin(), sources.notices.end(), entry.id)) {
            builder.add_empty_leaf(entry.id, *row);
            continue;
        }
        // A later section of the work already loaded is shown from its section start, as the
        // document shows it after loading the work again; only section 0 of some works is shown
        // from elsewhere, so it is always loaded.
        const bool same_work =
            loaded && row->section > 0 && row->section <= doc->section_count &&
            loaded->author_number == row->author_number && loaded->work_code == row->work_code &&
            loaded->file_offset == row->file_offset && loaded->byte_length == row->byte_length &&
            loaded->section_count == row->section_count;
        if (same_work) {
            const auto j = static_cast<std::size_t>(row->section);
            const std::int32_t end =
                row->section >= doc->section_count ? doc->text_length : doc->section_starts[j + 1];
            builder.add_leaf(*doc, entry.id, *row, doc->section_starts[j], end);
            continue;
        }
        doc->select_passage(entry.id);
        // A passage cut short is indexed as the program shows it; one that cannot be shown at
        // all means the data does not fit.
        if (doc->loading) {
            error = "cannot load passage " + std::to_string(entry.id) + " from " + data.string();
            for (const auto& m : ui.messages()) {
                error += ": " + narrowed(m.text);
            }
            return false;
        }
        loaded = row;
        builder.add_leaf(*doc, entry.id, *row, doc->page_start, doc->section_end);
    }

    const double leaves_seconds = seconds_since(start);
    auto sections = builder.sections();
    file_header header;
    header.magic = index_magic;
    header.version = index_version;
    header.sections = static_cast<std::uint32_t>(section_count);
    const std::string_view fingerprint = sources.tables.fingerprint;
    std::copy_n(fingerprint.begin(), std::min(fingerprint.size(), header.fingerprint.size()),
                header.fingerprint.begin());
    for (std::size_t i = 0; i < source_files.size(); ++i) {
        std::error_code ec;
        const auto size = fs::file_size(data / source_files[i], ec);
        header.source_sizes[i] = ec ? 0 : size;
    }
    std::uint64_t offset = sizeof header;
    for (std::size_t i = 0; i < section_count; ++i) {
        const std::uint64_t length = sections[i].size();
        pad(sections[i]);
        header.section_table[i] = {offset, sections[i].size(), length};
        offset += sections[i].size();
    }
    header.file_size = offset;
    const fs::path path = data / index_file_name;
    if (!write_file(path, header, sections, error)) {
        return false;
    }
    const double seconds = seconds_since(start);
    report["occurrences"] = {{"tokens", builder.token_count()},
                             {"keys", builder.key_count()},
                             {"lemmas", builder.lemma_count()},
                             {"bytes", header.file_size},
                             {"lexicon_seconds", lexicon_seconds},
                             {"leaves_seconds", leaves_seconds},
                             {"seconds", seconds}};
    return true;
}

bool build_occurrence_index(const fs::path& out, const reading_likelihood& readings,
                            nlohmann::json& report) {
    const auto start = std::chrono::steady_clock::now();
    const document_tables tables = document_tables::compiled();
    // The index records positions in the passages as this program's tables place them; texts
    // built for other tables (just written with --generated) are indexed after the rebuild.
    if (trimmed_file(out / "tables.fingerprint") != tables.fingerprint) {
        std::cout << "veso-build-data: occurrence index not written: the texts were built for "
                     "other tables than this builder was compiled with; rebuild the program and "
                     "run veso-build-data again\n";
        return true;
    }
    // The document reads data/ below a working folder.
    fs::path root = fs::absolute(out).lexically_normal();
    if (root.filename().empty()) {
        root = root.parent_path();
    }
    fs::path link_folder;
    if (root.filename() == "data") {
        root = root.parent_path();
    } else {
        std::error_code ec;
        link_folder = fs::temp_directory_path() /
                      ("veso-occurrences-" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(link_folder, ec);
        fs::create_directory_symlink(root, link_folder / "data", ec);
        if (ec) {
            std::cerr << "veso-build-data: cannot index " << out << ": " << ec.message() << "\n";
            return false;
        }
        root = link_folder;
    }
    std::string error;
    const bool written = write_occurrence_index(
        {root, tables, catalogue_entries(), missing_passage_ids()}, readings, report, error);
    if (!link_folder.empty()) {
        std::error_code ignored;
        fs::remove(link_folder / "data", ignored);
        fs::remove(link_folder, ignored);
    }
    if (!written) {
        std::cerr << "veso-build-data: occurrence index: " << error << "\n";
        return false;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto& figures = report["occurrences"];
    std::cout << "veso-build-data: occurrence index: " << figures["tokens"] << " tokens, "
              << figures["keys"] << " keys, " << figures["lemmas"] << " lemmas, "
              << figures["bytes"] << " bytes; " << seconds << " s\n";
    return true;
}

} // namespace veso::corpus
