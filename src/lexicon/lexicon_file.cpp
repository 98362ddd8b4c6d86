#include "lexicon/lexicon_file.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace veso {

namespace {

constexpr std::size_t read_block = std::size_t{1} << 20;

// Splits characters into fields and records. The fields are fixed buffers of their limit plus
// one: a character past the limit is written to the spare place and not counted, so the field is
// cut at its limit without a test that could be forgotten on some path.
class record_assembler {
public:
    record_assembler(const lexicon_file_format& format, table_builder& table)
        : format_(format), table_(table), key_(format.key_limit + 1),
          value_(format.value_limit + 1) {}

    void put(char16_t c) {
        if (c == format_.key_separator) {
            // A second separator in one record starts the value afresh.
            in_key_ = false;
            value_length_ = 0;
        } else if (c == format_.record_terminator) {
            // A record without a separator is damaged and not stored.
            if (!in_key_) {
                table_.add({key_.data(), key_length_}, {value_.data(), value_length_});
            }
            key_length_ = 0;
            value_length_ = 0;
            in_key_ = true;
        } else if (in_key_) {
            key_[key_length_] = c;
            key_length_ += key_length_ < format_.key_limit ? 1 : 0;
        } else {
            value_[value_length_] = c;
            value_length_ += value_length_ < format_.value_limit ? 1 : 0;
        }
    }

private:
    const lexicon_file_format& format_;
    table_builder& table_;
    std::vector<char16_t> key_;
    std::vector<char16_t> value_;
    std::size_t key_length_ = 0;
    std::size_t value_length_ = 0;
    bool in_key_ = true;
};

// Decodes blocks of bytes into characters, keeping what spans a block boundary.
class decoder {
public:
    decoder(const lexicon_file_format& format, const std::atomic<bool>& cancel,
            table_builder& table)
        : utf16_(format.utf16), cancel_(cancel), records_(format, table) {}

    // False once the file has ended (0x1A, 0xFFFF) or loading was cancelled.
    bool feed(const unsigned char* data, std::size_t size) {
        return utf16_ ? feed_utf16(data, size) : feed_bytes(data, size);
    }

    // At the end of the data: a CR still waiting for its LF is a character of its own.
    bool finish() {
        if (pending_cr_) {
            pending_cr_ = false;
            return emit(u'\r');
        }
        return true;
    }

    bool cancelled() const { return cancelled_; }

private:
    bool emit(char16_t c) {
        if (cancel_.load(std::memory_order_relaxed)) {
            cancelled_ = true;
            return false;
        }
        records_.put(c);
        return true;
    }

    bool feed_bytes(const unsigned char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            unsigned char b = data[i];
            if (pending_cr_) {
                pending_cr_ = false;
                if (b == '\n') {
                    if (!emit(u'\n')) {
                        return false;
                    }
                    continue;
                }
                if (!emit(u'\r')) {
                    return false;
                }
            }
            if (b == 0x1A) {
                return false;
            }
            if (b == '\r') {
                pending_cr_ = true;
                continue;
            }
            if (!emit(b)) {
                return false;
            }
        }
        return true;
    }

    bool feed_utf16(const unsigned char* data, std::size_t size) {
        std::size_t i = 0;
        if (has_low_byte_ && size > 0) {
            has_low_byte_ = false;
            char16_t unit = static_cast<char16_t>(low_byte_ | (data[0] << 8));
            i = 1;
            if (unit == 0xFFFF || !emit(unit)) {
                return false;
            }
        }
        for (; i + 1 < size; i += 2) {
            char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
            if (unit == 0xFFFF || !emit(unit)) {
                return false;
            }
        }
        if (i < size) {
            has_low_byte_ = true;
            low_byte_ = data[i];
        }
        return true;
    }

    bool utf16_;
    const std::atomic<bool>& cancel_;
    record_assembler records_;
    bool pending_cr_ = false;
    bool has_low_byte_ = false;
    unsigned char low_byte_ = 0;
    bool cancelled_ = false;
};

struct file_closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

bool read_lexicon_bytes(const unsigned char* data, std::size_t size,
                        const lexicon_file_format& format, const std::atomic<bool>& cancel,
                        table_builder& table) {
    decoder decode(format, cancel, table);
    if (decode.feed(data, size)) {
        decode.finish();
    }
    return !decode.cancelled();
}

bool read_lexicon_file(const std::filesystem::path& path, const lexicon_file_format& format,
                       const std::atomic<bool>& cancel, table_builder& table) {
    std::unique_ptr<std::FILE, file_closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return !cancel.load();
    }
    decoder decode(format, cancel, table);
    std::vector<unsigned char> block(read_block);
    bool going = true;
    while (going) {
        std::size_t got = std::fread(block.data(), 1, block.size(), file.get());
        if (got == 0) {
            decode.finish();
            break;
        }
        going = decode.feed(block.data(), got);
    }
    return !decode.cancelled() && !cancel.load();
}

} // namespace veso
