#include "lexicon_fixture.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace veso::test {

std::string byte_records(const records& pairs, char separator, char terminator) {
    std::string bytes;
    for (const auto& [key, value] : pairs) {
        for (char16_t c : key) {
            bytes += static_cast<char>(c);
        }
        bytes += separator;
        for (char16_t c : value) {
            bytes += static_cast<char>(c);
        }
        bytes += terminator;
    }
    return bytes;
}

std::string wide_records(const records& pairs) {
    std::string bytes;
    auto put = [&bytes](char16_t c) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    };
    for (const auto& [key, value] : pairs) {
        for (char16_t c : key) {
            put(c);
        }
        put(0x0001);
        for (char16_t c : value) {
            put(c);
        }
        put(0x0000);
    }
    return bytes;
}

data_folder::data_folder() {
    static std::atomic<int> serial{0};
    path_ = std::filesystem::temp_directory_path() /
            ("veso-lexicon-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(path_);
}

data_folder::~data_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void data_folder::write(const std::string& file, const std::string& bytes) const {
    std::ofstream out(path_ / file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void data_folder::morphology(const records& pairs, const std::string& file) const {
    write(file, byte_records(pairs, '\x02', '\x01'));
}

void data_folder::dictionary(const records& pairs, const std::string& file) const {
    write(file, byte_records(pairs, '\x01', '\0'));
}

void data_folder::wide_dictionary(const records& pairs) const {
    write("d_b.dat", wide_records(pairs));
}

void data_folder::frequency(const records& pairs) const {
    write("o.dat", byte_records(pairs, '\x02', '\x01'));
}

std::unique_ptr<lexicon> data_folder::load() const {
    auto result = std::make_unique<lexicon>(path_);
    result->wait_until_loaded();
    return result;
}

std::array<wide_string, 2> walked_neighbours(const std::map<wide_string, wide_string>& table,
                                             const wide_string& word, std::size_t length,
                                             bool report_values) {
    auto prefix = [](const wide_string& s, std::size_t n) { return s.substr(0, n); };
    auto shown = [&](std::map<wide_string, wide_string>::const_iterator at) {
        return report_values ? at->second : at->first;
    };
    wide_string search = prefix(word, length);
    wide_string longer = prefix(word, length + 1);
    std::array<wide_string, 2> result;
    bool found = false;
    auto at = table.begin();
    auto take = [&] {
        auto next = std::next(at);
        if (next == table.end()) {
            result = {shown(at), shown(at)};
        } else {
            result = {shown(at), shown(next)};
            at = next;
        }
    };
    while (at != table.end()) {
        if (prefix(at->first, length) == search) {
            if (!found) {
                take();
                found = true;
            }
            if (prefix(at->first, length + 1) == longer) {
                take();
                search = longer;
                ++length;
                longer = prefix(word, length + 1);
            }
        } else if (found) {
            break;
        }
        ++at;
    }
    return result;
}

} // namespace veso::test
