#include "occurrences/occurrence_index.h"

#include "datafiles/data_folder.h"
#include "datafiles/data_manifest.h"
#include "occurrences/beta_forms.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <numeric>
#include <type_traits>

namespace veso::occurrences {

namespace {

namespace fs = std::filesystem;

wide_string widen(std::string_view text) {
    wide_string out(text.size(), u'\0');
    std::transform(text.begin(), text.end(), out.begin(),
                   [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
    return out;
}

occurrence_index::opened failure(const fs::path& folder, index_problem problem,
                                 std::string_view detail) {
    const wide_string index =
        u"The occurrence index (" + datafiles::shown_path(folder / index_file_name) + u")";
    wide_string message;
    switch (problem) {
    case index_problem::missing:
        message = index + u" is missing.";
        break;
    case index_problem::damaged:
        message = index + u" is damaged: " + widen(detail) + u".";
        break;
    case index_problem::stale:
        message = index + u" was built with other data than the files now beside it: " +
                  widen(detail) + u".";
        break;
    case index_problem::none:
        break;
    }
    message += u" Rebuild the data with\n\n    " + datafiles::build_command(folder);
    return {nullptr, problem, message};
}

// Where each item's entries begin in a list of total entries, from the number each item has, and
// the total last; false when the numbers do not come to the total.
template <class T, class Field>
bool prefix_sums(const std::vector<T>& items, Field field, std::uint64_t total,
                 std::vector<std::uint32_t>& offsets) {
    offsets.assign(items.size() + 1, 0);
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        offsets[i] = static_cast<std::uint32_t>(sum);
        sum += field(items[i]);
        if (sum > total) {
            return false;
        }
    }
    offsets.back() = static_cast<std::uint32_t>(sum);
    return sum == total;
}

// A section's list: its first `length` bytes, which must be whole items.
template <class T>
bool copy_section(const std::vector<std::uint64_t>& raw, std::uint64_t length,
                  std::vector<T>& out) {
    static_assert(std::is_trivially_copyable_v<T>);
    if (length % sizeof(T) != 0 || length > raw.size() * 8) {
        return false;
    }
    out.resize(length / sizeof(T));
    if (!out.empty()) {
        std::memcpy(static_cast<void*>(out.data()), raw.data(), length);
    }
    return true;
}

template <class T> bool all_below(const std::vector<T>& values, std::uint64_t limit) {
    return std::all_of(values.begin(), values.end(), [limit](T v) { return v < limit; });
}

} // namespace

occurrence_index::opened occurrence_index::open(const fs::path& data_folder,
                                                std::string_view fingerprint) {
    const fs::path path = data_folder / index_file_name;
    const auto fail = [&](index_problem problem, std::string_view detail) {
        return failure(data_folder, problem, detail);
    };
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return fail(index_problem::missing, {});
    }
    std::error_code ec;
    const std::uint64_t size = fs::file_size(path, ec);
    file_header header;
    if (ec || size < sizeof header || !in.read(reinterpret_cast<char*>(&header), sizeof header)) {
        return fail(index_problem::damaged, "it is shorter than its header");
    }
    datafiles::checksum sum;
    sum.add({reinterpret_cast<const unsigned char*>(&header), sizeof header});
    if (header.magic != index_magic || header.version != index_version ||
        header.sections != section_count) {
        return fail(index_problem::damaged, "it is not an occurrence index of this version");
    }
    if (header.file_size != size) {
        return fail(index_problem::damaged, "its size is " + std::to_string(size) +
                                                " bytes, not the " +
                                                std::to_string(header.file_size) + " written");
    }

    std::vector<std::vector<std::uint64_t>> raw(section_count);
    std::uint64_t expected_offset = sizeof header;
    for (std::size_t i = 0; i < section_count; ++i) {
        const section_entry& entry = header.section_table[i];
        if (entry.offset != expected_offset || entry.size % 8 != 0 ||
            entry.size > size - entry.offset || entry.length > entry.size ||
            entry.size - entry.length >= 8) {
            return fail(index_problem::damaged, "its table of sections is wrong");
        }
        raw[i].resize(entry.size / 8);
        if (!in.read(reinterpret_cast<char*>(raw[i].data()),
                     static_cast<std::streamsize>(entry.size))) {
            return fail(index_problem::damaged, "it cannot be read to its end");
        }
        sum.add({reinterpret_cast<const unsigned char*>(raw[i].data()), entry.size});
        expected_offset += entry.size;
    }
    if (expected_offset != size) {
        return fail(index_problem::damaged, "its sections do not fill it");
    }
    // The data folder's manifest, when it has one, records the index as written.
    const auto manifest = datafiles::folder_manifest::read(data_folder);
    if (manifest.found == datafiles::folder_manifest::state::present) {
        const auto& files = manifest.manifest.files;
        const auto listed = std::find_if(files.begin(), files.end(), [](const auto& entry) {
            return entry.name == index_file_name;
        });
        if (listed == files.end()) {
            return fail(index_problem::stale, "the data folder's manifest does not list it");
        }
        if (listed->size != size || listed->checksum != sum.value()) {
            return fail(index_problem::damaged,
                        "its checksum does not match the data folder's manifest");
        }
    }

    const std::string_view built_for(
        header.fingerprint.data(),
        std::find(header.fingerprint.begin(), header.fingerprint.end(), '\0') -
            header.fingerprint.begin());
    if (built_for != fingerprint) {
        return fail(index_problem::stale, "it indexes texts of other tables than this program's");
    }
    for (std::size_t i = 0; i < source_files.size(); ++i) {
        const auto now = fs::file_size(data_folder / source_files[i], ec);
        if ((ec ? 0 : now) != header.source_sizes[i]) {
            return fail(index_problem::stale, std::string(source_files[i]) + " has changed since");
        }
    }

    std::unique_ptr<occurrence_index> index(new occurrence_index());
    if (!index->take_sections(raw, header)) {
        return fail(index_problem::damaged, "its lists do not fit together");
    }
    return {std::move(index), index_problem::none, {}};
}

bool occurrence_index::take_sections(const std::vector<std::vector<std::uint64_t>>& raw,
                                     const file_header& header) {
    const auto take = [&](section s, auto& out) {
        const auto i = static_cast<std::size_t>(s);
        return copy_section(raw[i], header.section_table[i].length, out);
    };
    if (!take(section::leaves, leaves_) || !take(section::author_tokens, author_tokens_) ||
        !take(section::checkpoints, checkpoints_) || !take(section::token_stream, stream_) ||
        !take(section::keys, keys_) || !take(section::key_strings, key_strings_) ||
        !take(section::postings, postings_) || !take(section::key_lemmas, key_lemmas_) ||
        !take(section::share_authors, share_authors_) || !take(section::shares, shares_) ||
        !take(section::lemmas, lemmas_) || !take(section::lemma_strings, lemma_strings_) ||
        !take(section::lemma_keys, lemma_keys_) || !take(section::lemma_counts, lemma_counts_) ||
        !take(section::form_order, form_order_)) {
        return false;
    }

    // Tokens, leaves and checkpoints.
    if (author_tokens_.size() != author_slots) {
        return false;
    }
    const std::uint64_t tokens =
        std::accumulate(author_tokens_.begin(), author_tokens_.end(), std::uint64_t{0});
    if (tokens >= 0xFFFFFFFFu ||
        checkpoints_.size() != (tokens + checkpoint_interval - 1) / checkpoint_interval) {
        return false;
    }
    token_count_ = static_cast<std::uint32_t>(tokens);
    std::uint32_t previous_first = 0;
    for (const leaf_record& leaf : leaves_) {
        if (leaf.first_token < previous_first || leaf.first_token > token_count_ || leaf.file < 0 ||
            leaf.file >= static_cast<std::int32_t>(text_files.size()) || leaf.author < 0 ||
            leaf.author >= static_cast<std::int32_t>(author_slots) || leaf.range_start < 0 ||
            leaf.range_end < leaf.range_start || leaf.file_unit < 0) {
            return false;
        }
        previous_first = leaf.first_token;
    }
    if (token_count_ > 0 && (leaves_.empty() || leaves_.front().first_token != 0)) {
        return false;
    }
    if (!std::all_of(checkpoints_.begin(), checkpoints_.end(),
                     [this](const checkpoint& c) { return c.stream_offset <= stream_.size(); })) {
        return false;
    }

    // Keys: their strings, lemmas, share rows and postings.
    const auto key_count = keys_.size();
    const auto lemma_count = lemmas_.size();
    if (!prefix_sums(
            keys_, [](const key_record& k) { return k.string_length; }, key_strings_.size(),
            key_string_at_) ||
        !prefix_sums(
            keys_, [](const key_record& k) { return k.lemma_count; }, key_lemmas_.size(),
            key_lemma_at_) ||
        !prefix_sums(
            keys_, [](const key_record& k) { return k.share_rows; }, share_authors_.size(),
            key_row_at_) ||
        !prefix_sums(
            keys_, [](const key_record& k) { return k.share_rows * k.lemma_count; }, shares_.size(),
            key_share_at_) ||
        !prefix_sums(
            keys_, [](const key_record& k) { return k.postings_size; }, postings_.size(),
            key_postings_at_) ||
        !all_below(key_lemmas_, lemma_count) || !all_below(share_authors_, author_slots)) {
        return false;
    }
    if (!std::all_of(keys_.begin(), keys_.end(),
                     [](const key_record& k) { return k.lemma_count > 1 || k.share_rows == 0; })) {
        return false;
    }

    // Lemmas: their strings, keys and counts; the keys by form.
    if (!prefix_sums(
            lemmas_, [](const lemma_record& l) { return l.string_length; }, lemma_strings_.size(),
            lemma_string_at_) ||
        !prefix_sums(
            lemmas_, [](const lemma_record& l) { return l.key_count; }, lemma_keys_.size(),
            lemma_key_at_) ||
        !prefix_sums(
            lemmas_, [](const lemma_record& l) { return l.count_pairs; }, lemma_counts_.size(),
            lemma_count_at_) ||
        !all_below(lemma_keys_, key_count) || form_order_.size() != key_count ||
        !all_below(form_order_, key_count)) {
        return false;
    }
    return std::all_of(lemma_counts_.begin(), lemma_counts_.end(),
                       [](const author_count& c) { return c.author < author_slots; });
}

std::size_t occurrence_index::leaf_of_token(std::uint32_t token) const {
    // The last leaf starting at or before the token: empty leaves before it share its start.
    const auto after = std::upper_bound(
        leaves_.begin(), leaves_.end(), token,
        [](std::uint32_t t, const leaf_record& leaf) { return t < leaf.first_token; });
    return after == leaves_.begin() ? 0 : static_cast<std::size_t>(after - leaves_.begin()) - 1;
}

std::int32_t occurrence_index::position_of(std::uint32_t token) const {
    const std::uint32_t from = token / checkpoint_interval * checkpoint_interval;
    const checkpoint& c = checkpoints_[token / checkpoint_interval];
    const std::uint8_t* p = stream_.data() + c.stream_offset;
    const std::uint8_t* end = stream_.data() + stream_.size();
    std::size_t leaf = leaf_of_token(from);
    std::int32_t position = c.position;
    read_varint(p, end);
    read_varint(p, end);
    for (std::uint32_t t = from + 1; t <= token; ++t) {
        while (leaf + 1 < leaves_.size() && leaves_[leaf + 1].first_token <= t) {
            ++leaf;
        }
        const auto delta = static_cast<std::int32_t>(read_varint(p, end));
        position =
            leaves_[leaf].first_token == t ? leaves_[leaf].range_start + delta : position + delta;
        read_varint(p, end);
    }
    return position;
}

std::optional<std::size_t> occurrence_index::leaf_with_id(std::int32_t id) const {
    for (std::size_t i = 0; i < leaves_.size(); ++i) {
        if (leaves_[i].id == id) {
            return i;
        }
    }
    return std::nullopt;
}

std::uint64_t occurrence_index::author_tokens(int author) const {
    return author >= 0 && author < static_cast<int>(author_slots)
               ? author_tokens_[static_cast<std::size_t>(author)]
               : 0;
}

std::vector<occurrence_index::leaf_token> occurrence_index::tokens_of_leaf(std::size_t leaf) const {
    std::vector<leaf_token> tokens;
    if (leaf >= leaves_.size()) {
        return tokens;
    }
    const std::uint32_t first = leaves_[leaf].first_token;
    const std::uint32_t end =
        leaf + 1 < leaves_.size() ? leaves_[leaf + 1].first_token : token_count_;
    if (first >= end) {
        return tokens;
    }
    tokens.reserve(end - first);
    // Decode from the checkpoint at or before the leaf's first token.
    const std::uint32_t from = first / checkpoint_interval * checkpoint_interval;
    const std::uint8_t* p =
        stream_.data() + checkpoints_[first / checkpoint_interval].stream_offset;
    const std::uint8_t* stream_end = stream_.data() + stream_.size();
    std::int32_t position = leaves_[leaf].range_start;
    for (std::uint32_t t = from; t < end; ++t) {
        const auto delta = static_cast<std::int32_t>(read_varint(p, stream_end));
        const std::uint32_t key = read_varint(p, stream_end);
        if (t < first) {
            continue;
        }
        position += delta;
        if (key < keys_.size()) {
            tokens.push_back({position, key});
        }
    }
    return tokens;
}

wide_string occurrence_index::key(std::uint32_t k) const {
    return widen(std::string_view(key_strings_.data() + key_string_at_[k],
                                  key_string_at_[k + 1] - key_string_at_[k]));
}

std::span<const std::uint32_t> occurrence_index::lemmas_of_key(std::uint32_t k) const {
    return std::span(key_lemmas_)
        .subspan(key_lemma_at_[k], key_lemma_at_[k + 1] - key_lemma_at_[k]);
}

float occurrence_index::share(std::uint32_t k, std::size_t place, int author) const {
    const std::size_t lemmas = keys_[k].lemma_count;
    const std::size_t rows = keys_[k].share_rows;
    if (rows == 0 || place >= lemmas) {
        return place < lemmas ? 1.0F : 0.0F;
    }
    // The author's row, else the row for any author, else the first.
    std::size_t row = 0;
    for (std::size_t r = 0; r < rows; ++r) {
        const int row_author = share_authors_[key_row_at_[k] + r];
        if (row_author == author) {
            row = r;
            break;
        }
        if (row_author == 0) {
            row = r;
        }
    }
    return shares_[key_share_at_[k] + row * lemmas + place];
}

std::size_t occurrence_index::likeliest_place(std::uint32_t k, int author) const {
    std::size_t best = 0;
    for (std::size_t place = 1; place < keys_[k].lemma_count; ++place) {
        if (share(k, place, author) > share(k, best, author)) {
            best = place;
        }
    }
    return best;
}

wide_string occurrence_index::lemma(std::uint32_t l) const {
    return widen(std::string_view(lemma_strings_.data() + lemma_string_at_[l],
                                  lemma_string_at_[l + 1] - lemma_string_at_[l]));
}

std::span<const std::uint32_t> occurrence_index::keys_of_lemma(std::uint32_t l) const {
    return std::span(lemma_keys_)
        .subspan(lemma_key_at_[l], lemma_key_at_[l + 1] - lemma_key_at_[l]);
}

std::span<const author_count> occurrence_index::lemma_counts(std::uint32_t l) const {
    return std::span(lemma_counts_)
        .subspan(lemma_count_at_[l], lemma_count_at_[l + 1] - lemma_count_at_[l]);
}

double occurrence_index::lemma_count_in(std::uint32_t l, int author) const {
    for (const author_count& c : lemma_counts(l)) {
        if (static_cast<int>(c.author) == author) {
            return c.count;
        }
    }
    return 0;
}

std::vector<std::uint32_t> occurrence_index::find_lemmas(wide_string_view typed) const {
    const wide_string wanted = lemma_match_form(typed);
    const auto match_of = [this](std::uint32_t l) { return lemma_match_form(lemma(l)); };
    std::uint32_t low = 0;
    std::uint32_t high = lemma_count();
    while (low < high) {
        const std::uint32_t mid = low + (high - low) / 2;
        if (match_of(mid) < wanted) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    std::vector<std::uint32_t> found;
    for (std::uint32_t l = low; l < lemma_count() && match_of(l) == wanted; ++l) {
        if (lemma(l) == typed) {
            return {l};
        }
        found.push_back(l);
    }
    return found;
}

wide_string occurrence_index::lower_form_of_key(std::uint32_t k) const {
    return lower_case_form(key(k));
}

std::vector<std::uint32_t> occurrence_index::find_form(wide_string_view typed) const {
    const wide_string wanted = lower_case_form(typed);
    const auto first =
        std::partition_point(form_order_.begin(), form_order_.end(),
                             [&](std::uint32_t k) { return lower_form_of_key(k) < wanted; });
    std::vector<std::uint32_t> found;
    for (auto it = first; it != form_order_.end() && lower_form_of_key(*it) == wanted; ++it) {
        found.push_back(*it);
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace veso::occurrences
