#include "texts/beta_code_tei.h"

#include "common/unicode_text.h"
#include "texts/greek_cleaning.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>
#include <sstream>

namespace veso::corpus {
namespace {

// Placeholders (U+E000, U+E001) for the parentheses of "&lpar;" and "&rpar;", which Beta Code
// would read as breathings.
constexpr std::string_view open_parenthesis_utf8 = "\xEE\x80\x80";
constexpr std::string_view close_parenthesis_utf8 = "\xEE\x80\x81";

char16_t greek_letter(char c) {
    static constexpr std::string_view latin = "abgdezhqiklmncoprstufxyw";
    const auto at = latin.find(c);
    if (at == std::string_view::npos) {
        return 0;
    }
    // α to ρ, then σ (skipping final sigma) to ω.
    return static_cast<char16_t>(0x03B1 + at + (at >= 17 ? 1 : 0));
}

char16_t combining_mark(char c) {
    switch (c) {
    case ')':
        return u'\u0313';
    case '(':
        return u'\u0314';
    case '/':
        return u'\u0301';
    case '\\':
        return u'\u0300';
    case '=':
        return u'\u0342';
    case '+':
        return u'\u0308';
    case '|':
        return u'\u0345';
    default:
        return 0;
    }
}

char lower_ascii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_beta_letter(char c) {
    return greek_letter(lower_ascii(c)) != 0;
}

// The document's text without what the parser cannot read: the comment before the declaration,
// the document type with its internal subset and the entities nobody declared.
std::string readable_xml(std::string_view text) {
    if (const auto declaration = text.find("<?xml"); declaration != std::string_view::npos) {
        text.remove_prefix(declaration);
    }
    std::string out;
    out.reserve(text.size());
    const auto doctype = text.find("<!DOCTYPE");
    const auto subset_end = doctype == std::string_view::npos ? doctype : text.find("]>", doctype);
    for (std::size_t i = 0; i < text.size();) {
        if (i == doctype && subset_end != std::string_view::npos) {
            i = subset_end + 2;
            continue;
        }
        if (text[i] == '&') {
            const auto end = text.find(';', i);
            const std::string_view name = end == std::string_view::npos
                                              ? std::string_view()
                                              : text.substr(i + 1, end - i - 1);
            if (name == "lpar" || name == "rpar") {
                out += name == "lpar" ? open_parenthesis_utf8 : close_parenthesis_utf8;
                i = end + 1;
                continue;
            }
            const bool predefined = name == "amp" || name == "lt" || name == "gt" ||
                                    name == "quot" || name == "apos" ||
                                    (!name.empty() && name.front() == '#');
            if (!name.empty() && !predefined &&
                name.find_first_of(" <&") == std::string_view::npos) {
                i = end + 1;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

bool in_other_language(pugi::xml_node node) {
    for (; node; node = node.parent()) {
        if (std::string_view(node.name()) == "foreign") {
            const std::string_view lang = node.attribute("lang").value();
            return !(lang.empty() || lang == "greek" || lang == "grc");
        }
    }
    return false;
}

void convert_greek(pugi::xml_node node) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            if (!in_other_language(child)) {
                child.set_value(to_utf8(greek_from_beta_code(child.value())).c_str());
            }
        } else if (child.type() == pugi::node_element) {
            convert_greek(child);
        }
    }
}

// Each paragraph of a book cut at its chapter milestones into <div2 type="chapter" n="...">
// divisions; what precedes the first milestone stays a paragraph of the book.
void chapters_as_divisions(pugi::xml_node book) {
    std::vector<pugi::xml_node> paragraphs;
    for (pugi::xml_node p : book.children("p")) {
        paragraphs.push_back(p);
    }
    for (pugi::xml_node p : paragraphs) {
        pugi::xml_node target = book.insert_child_before("p", p);
        while (pugi::xml_node moved = p.first_child()) {
            const bool chapter = std::string_view(moved.name()) == "milestone" &&
                                 std::string_view(moved.attribute("unit").value()) == "chapter";
            if (chapter) {
                pugi::xml_node division = book.insert_child_before("div2", p);
                division.append_attribute("type") = "chapter";
                division.append_attribute("n") = moved.attribute("n").value();
                target = division.append_child("p");
                p.remove_child(moved);
                continue;
            }
            target.append_move(moved);
        }
        book.remove_child(p);
    }
}

} // namespace

std::u16string greek_from_beta_code(std::string_view beta) {
    std::u16string out;
    out.reserve(beta.size());
    for (std::size_t i = 0; i < beta.size();) {
        const char c = beta[i];
        if (c == '*') {
            // A capital: its marks stand before the letter.
            std::size_t j = i + 1;
            std::u16string marks;
            while (j < beta.size() && combining_mark(beta[j]) != 0) {
                marks += combining_mark(beta[j++]);
            }
            if (j < beta.size() && is_beta_letter(beta[j])) {
                out += static_cast<char16_t>(greek_letter(lower_ascii(beta[j])) - 0x20);
                out += marks;
                i = j + 1;
                continue;
            }
            out += u'*';
            ++i;
            continue;
        }
        if (is_beta_letter(c)) {
            const char letter = lower_ascii(c);
            ++i;
            if (letter == 's') {
                const char next = i < beta.size() ? beta[i] : ' ';
                if (next == '1' || next == '2' || next == '3') {
                    out += next == '1' ? u'\u03C3' : next == '2' ? u'\u03C2' : u'\u03F2';
                    ++i;
                } else {
                    out +=
                        is_beta_letter(next) || combining_mark(next) != 0 ? u'\u03C3' : u'\u03C2';
                }
                continue;
            }
            out += greek_letter(letter);
            while (i < beta.size() && combining_mark(beta[i]) != 0) {
                out += combining_mark(beta[i++]);
            }
            continue;
        }
        if (c == '\'') {
            out += u'\u2019';
        } else if (c == ':') {
            out += u'\u0387';
        } else if (beta.substr(i).starts_with(open_parenthesis_utf8) ||
                   beta.substr(i).starts_with(close_parenthesis_utf8)) {
            out += beta.substr(i).starts_with(open_parenthesis_utf8) ? u'(' : u')';
            i += open_parenthesis_utf8.size();
            continue;
        } else {
            // Anything else as it is, a UTF-8 sequence whole.
            const std::size_t start = i;
            while (i + 1 < beta.size() &&
                   (static_cast<unsigned char>(beta[i + 1]) & 0xC0) == 0x80) {
                ++i;
            }
            out += utf16_from_utf8(beta.substr(start, i - start + 1));
        }
        ++i;
    }
    // NFC makes the ano teleia a middle dot; the texts keep the Greek mark.
    std::u16string normal = normalise_greek(out);
    std::replace(normal.begin(), normal.end(), u'\u00B7', u'\u0387');
    return normal;
}

std::optional<tei_document> read_beta_code_tei_text(std::string_view file_text,
                                                    std::string& error) {
    const std::string text = readable_xml(file_text);
    pugi::xml_document xml;
    const auto result =
        xml.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!result) {
        error = std::string("XML error: ") + result.description();
        return std::nullopt;
    }
    pugi::xml_node body =
        xml.find_node([](const pugi::xml_node& n) { return std::string_view(n.name()) == "body"; });
    if (!body) {
        error = "no <body>";
        return std::nullopt;
    }
    convert_greek(body);
    for (pugi::xml_node book : body.children("div1")) {
        chapters_as_divisions(book);
    }
    std::ostringstream unicode;
    xml.save(unicode, "", pugi::format_raw);
    return read_tei_text(unicode.str(), error);
}

std::optional<tei_document> read_beta_code_tei(const std::filesystem::path& file,
                                               std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot read " + file.string();
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    auto doc = read_beta_code_tei_text(text, error);
    if (!doc) {
        error = file.string() + ": " + error;
    }
    return doc;
}

} // namespace veso::corpus
