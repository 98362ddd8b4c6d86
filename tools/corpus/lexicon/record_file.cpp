#include "lexicon/record_file.h"

#include <fstream>

namespace veso::corpus {

bool fits_latin1(std::u16string_view text) {
    for (const char16_t c : text) {
        if (c > 0xFF) {
            return false;
        }
    }
    return true;
}

namespace {

bool has_forbidden_unit(std::u16string_view field, const record_format& format) {
    for (const char16_t c : field) {
        if (c == format.key_separator || c == format.record_terminator) {
            return true;
        }
        if (format.utf16 && c == 0xFFFF) {
            return true;
        }
        if (!format.utf16 && (c == 0x0D || c == 0x1A)) {
            return true;
        }
    }
    return false;
}

} // namespace

const char* record_problem(const record& r, const record_format& format) {
    if (r.first.empty()) {
        return "empty key";
    }
    if (r.first.size() > format.max_key) {
        return "key too long";
    }
    if (r.second.size() > format.max_value) {
        return "value too long";
    }
    if (!format.utf16 && (!fits_latin1(r.first) || !fits_latin1(r.second))) {
        return "character beyond ISO 8859-1";
    }
    if (has_forbidden_unit(r.first, format) || has_forbidden_unit(r.second, format)) {
        return "separator, terminator or control character inside a field";
    }
    return nullptr;
}

namespace {

void put_unit(std::string& out, char16_t c, bool utf16) {
    if (utf16) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    } else {
        out.push_back(static_cast<char>(static_cast<unsigned char>(c)));
    }
}

} // namespace

bool write_record_file(const std::filesystem::path& path, const record_format& format,
                       const std::vector<record>& records, std::size_t& skipped,
                       std::string& error) {
    std::string bytes;
    skipped = 0;
    for (const auto& r : records) {
        if (record_problem(r, format) != nullptr) {
            ++skipped;
            continue;
        }
        for (const char16_t c : r.first) {
            put_unit(bytes, c, format.utf16);
        }
        put_unit(bytes, format.key_separator, format.utf16);
        for (const char16_t c : r.second) {
            put_unit(bytes, c, format.utf16);
        }
        put_unit(bytes, format.record_terminator, format.utf16);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        error = "cannot open " + path.string() + " for writing";
        return false;
    }
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

std::u16string widen(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char c : text) {
        out += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    return out;
}

} // namespace veso::corpus
