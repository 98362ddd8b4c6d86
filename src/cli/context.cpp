#include "cli/commands.h"
#include "datafiles/data_integrity.h"
#include "lexicon/lexicon.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace veso::cli {

command_context::command_context() = default;
command_context::~command_context() = default;

const std::shared_ptr<datafiles::data_integrity>& command_context::data() {
    if (!data_) {
        data_ = std::make_shared<datafiles::data_integrity>(
            datafiles::locate_data_folder(std::filesystem::current_path()));
    }
    return data_;
}

lexicon& command_context::loaded_lexicon() {
    if (!lexicon_) {
        lexicon_ = std::make_unique<lexicon>(data());
        lexicon_->wait_until_loaded();
    }
    return *lexicon_;
}

std::string to_utf8(const wide_string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            // A lone surrogate cannot be written in UTF-8.
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

wide_string from_utf8(const std::string& text) {
    wide_string out;
    out.reserve(text.size());
    std::size_t i = 0;
    auto continuation = [&](std::size_t at) {
        return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        char32_t c = 0xFFFD;
        std::size_t length = 1;
        if (lead < 0x80) {
            c = lead;
        } else if (lead >= 0xC2 && lead < 0xE0 && continuation(i + 1)) {
            c = ((lead & 0x1F) << 6) | (text[i + 1] & 0x3F);
            length = 2;
        } else if (lead >= 0xE0 && lead < 0xF0 && continuation(i + 1) && continuation(i + 2)) {
            c = ((lead & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F);
            length = 3;
            if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) {
                c = 0xFFFD;
            }
        } else if (lead >= 0xF0 && lead < 0xF5 && continuation(i + 1) && continuation(i + 2) &&
                   continuation(i + 3)) {
            c = ((lead & 0x07) << 18) | ((text[i + 1] & 0x3F) << 12) | ((text[i + 2] & 0x3F) << 6) |
                (text[i + 3] & 0x3F);
            length = 4;
            if (c < 0x10000 || c > 0x10FFFF) {
                c = 0xFFFD;
            }
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += length;
    }
    return out;
}

void exit_on_failure(int status) {
    if (status != 0) {
        std::cout.flush();
        std::exit(status);
    }
}

void print_json(const nlohmann::json& object) {
    std::cout << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

} // namespace veso::cli
