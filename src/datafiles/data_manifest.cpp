#include "datafiles/data_manifest.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <set>
#include <system_error>

namespace veso::datafiles {

namespace {

constexpr std::string_view header = "veso data manifest 1\n";
constexpr std::size_t block_size = 64 * 1024;
// Far more than any data folder's manifest needs; a bigger file is not one.
constexpr std::uintmax_t manifest_limit = 1 << 20;

template <class Number> bool parse_number(std::string_view text, Number& value, int base) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::optional<manifest_entry> parse_line(std::string_view line) {
    const std::size_t first_tab = line.find('\t');
    const std::size_t second_tab =
        first_tab == std::string_view::npos ? first_tab : line.find('\t', first_tab + 1);
    if (second_tab == std::string_view::npos) {
        return std::nullopt;
    }
    manifest_entry entry;
    entry.name = line.substr(0, first_tab);
    const std::string_view size = line.substr(first_tab + 1, second_tab - first_tab - 1);
    const std::string_view sum = line.substr(second_tab + 1);
    const bool lower_hex = std::all_of(sum.begin(), sum.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
    if (!valid_entry_name(entry.name) || !parse_number(size, entry.size, 10) || sum.size() != 16 ||
        !lower_hex || !parse_number(sum, entry.checksum, 16)) {
        return std::nullopt;
    }
    return entry;
}

} // namespace

void checksum::add(std::span<const unsigned char> bytes) {
    std::uint64_t state = state_;
    for (const unsigned char byte : bytes) {
        state = (state ^ byte) * 0x100000001b3;
    }
    state_ = state;
}

std::optional<std::uint64_t> file_checksum(const std::filesystem::path& path,
                                           const std::atomic<bool>& cancel) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::array<unsigned char, block_size> block;
    checksum sum;
    while (in) {
        if (cancel.load(std::memory_order_relaxed)) {
            return std::nullopt;
        }
        in.read(reinterpret_cast<char*>(block.data()), block.size());
        sum.add(std::span(block.data(), static_cast<std::size_t>(in.gcount())));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return sum.value();
}

bool valid_entry_name(std::string_view name) {
    const bool allowed = std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-' || c == '_' || c == '/';
    });
    if (name.empty() || !allowed || name.front() == '/') {
        return false;
    }
    // No part may be empty, "." or "..".
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        const std::string_view part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

std::string data_manifest::to_text() const {
    std::string text(header);
    for (const manifest_entry& entry : files) {
        std::array<char, 16> sum{};
        char* end = std::to_chars(sum.data(), sum.data() + sum.size(), entry.checksum, 16).ptr;
        const std::string digits(sum.data(), end);
        text += entry.name + '\t' + std::to_string(entry.size) + '\t' +
                std::string(16 - digits.size(), '0') + digits + '\n';
    }
    return text;
}

std::optional<data_manifest> data_manifest::parse(std::string_view text) {
    if (!text.starts_with(header)) {
        return std::nullopt;
    }
    text.remove_prefix(header.size());
    data_manifest manifest;
    std::set<std::string, std::less<>> names;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        auto entry = parse_line(text.substr(0, end));
        if (!entry || !names.insert(entry->name).second) {
            return std::nullopt;
        }
        manifest.files.push_back(std::move(*entry));
        text.remove_prefix(end + 1);
    }
    return manifest;
}

folder_manifest folder_manifest::read(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / manifest_file;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return {};
    }
    folder_manifest result{state::unreadable, {}};
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || size > manifest_limit || !in) {
        return result;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.gcount() != static_cast<std::streamsize>(text.size())) {
        return result;
    }
    if (auto manifest = data_manifest::parse(text)) {
        result = {state::present, std::move(*manifest)};
    }
    return result;
}

} // namespace veso::datafiles
