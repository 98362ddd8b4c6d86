#pragma once

// The layout of data/occurrences.idx, shared by the data builder that writes it and the program
// that reads it. Its checksum is the data folder's manifest's, which the builder writes last.
//
// The file is a header followed by sections, each starting on an 8-byte boundary; numbers are
// little-endian. Tokens (the words of every catalogue leaf, cut as the text view cuts them, with a
// Greek letter in their key) are numbered in catalogue order, so a sorted list of token numbers is
// in catalogue order too. A key is a token's look-up key, as the program looks it up; its lemmas
// are the distinct lemmas of its analyses, in the morphology file's order, each with a share: how
// likely that reading of the key is.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace veso::occurrences {

static_assert(std::endian::native == std::endian::little, "the index is read as it is stored");

inline constexpr std::string_view index_file_name = "occurrences.idx";
inline constexpr std::array<char, 8> index_magic{'V', 'E', 'S', 'O', 'O', 'C', 'C', '1'};
inline constexpr std::uint32_t index_version = 1;

// Author numbers run from 1 to 44; share rows and token totals are indexed by them.
inline constexpr std::size_t author_slots = 45;
// Every this many tokens the token stream has a checkpoint, where decoding can start.
inline constexpr std::uint32_t checkpoint_interval = 64;

// The data files an index was built from, whose sizes it records: a file rebuilt since makes the
// index stale.
inline constexpr std::array<std::string_view, 7> source_files{"t.dat", "s.dat",   "nt.dat", "l.dat",
                                                              "m.dat", "m_a.dat", "o.dat"};
// Text files by the number leaf_record::file holds.
inline constexpr std::array<std::string_view, 4> text_files{"t.dat", "s.dat", "nt.dat", "l.dat"};

enum class section : std::uint32_t {
    leaves,        // leaf_record, catalogue order
    author_tokens, // uint64 per author slot: tokens of that author's leaves
    checkpoints,   // checkpoint per checkpoint_interval tokens
    token_stream,  // per token: varint position delta, varint key
    keys,          // key_record, most frequent key first
    key_strings,   // the keys' Beta Code, ISO 8859-1, one after another
    postings,      // per key: its token numbers, varint deltas from the previous one (from -1)
    key_lemmas,    // uint32 lemma per lemma of each key, in its analyses' order
    share_authors, // uint8 per share row of each key: the author it holds for, 0 for any author
    shares,        // float per lemma of each share row
    lemmas,        // lemma_record, sorted by match form (beta_forms.h), then Beta Code
    lemma_strings, // the lemmas' Beta Code, ISO 8859-1, one after another
    lemma_keys,    // uint32 key per key of each lemma, most frequent key first
    lemma_counts,  // author_count per count of each lemma, in increasing author order
    form_order,    // uint32 key per key, sorted by the key's lower-case form
    count
};
inline constexpr std::size_t section_count = static_cast<std::size_t>(section::count);

struct section_entry {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;   // bytes in the file, a multiple of 8
    std::uint64_t length = 0; // bytes of the section's list, before its padding
};

struct file_header {
    std::array<char, 8> magic{};
    std::uint32_t version = 0;
    std::uint32_t sections = 0;
    std::uint64_t file_size = 0;
    std::array<char, 32> fingerprint{}; // data/tables.fingerprint of the texts indexed
    std::array<std::uint64_t, source_files.size()> source_sizes{};
    std::array<section_entry, section_count> section_table{};
};
static_assert(sizeof(file_header) % 8 == 0);

struct leaf_record {
    std::int32_t id = 0;
    std::int32_t author = 0;
    std::int32_t file = 0;        // index into text_files
    std::int32_t file_unit = 0;   // the file's UTF-16 unit that is position 0 of the loaded text
    std::int32_t range_start = 0; // the loaded text's positions the leaf shows: [start, end)
    std::int32_t range_end = 0;
    std::uint32_t first_token = 0; // the next leaf's first token ends this leaf's tokens
    std::uint32_t reserved = 0;
};

// A token's position delta is counted from the previous token of its leaf, or from the leaf's
// range_start for its first token.
struct checkpoint {
    std::uint32_t stream_offset = 0; // byte of the token's entry in token_stream
    std::int32_t position = 0;       // the token's position in its leaf's loaded text
};

// Where a key's strings, lemmas, share rows and postings begin follows from the records before
// it: each list holds the entries of every key in key order.
struct key_record {
    std::uint16_t string_length = 0;
    std::uint8_t lemma_count = 0;
    std::uint8_t share_rows = 0;     // none for a key with one lemma, whose share is 1
    std::uint32_t postings_size = 0; // bytes
};

struct lemma_record {
    std::uint16_t string_length = 0;
    std::uint16_t reserved = 0;
    std::uint32_t key_count = 0;
    std::uint32_t count_pairs = 0;
};

// A lemma's count in an author: the frequency table's (o.dat), so that the windows and the lookup
// pane show the same count. Zero counts are left out.
struct author_count {
    std::uint32_t author = 0;
    float count = 0;
};

// Unsigned numbers in 7-bit groups, low group first, the high bit saying that another follows.
template <class Bytes> void append_varint(Bytes& out, std::uint32_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(value));
}

// Reads one number at p, which must lie before end, and moves p past it. A number that runs past
// end (only in a damaged stream, which the checksum keeps out) stops at end.
inline std::uint32_t read_varint(const std::uint8_t*& p, const std::uint8_t* end) {
    std::uint32_t value = 0;
    for (int shift = 0; p < end && shift < 35; shift += 7) {
        const std::uint8_t byte = *p++;
        value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            break;
        }
    }
    return value;
}

} // namespace veso::occurrences
