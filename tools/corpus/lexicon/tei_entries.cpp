#include "lexicon/tei_entries.h"

#include "common/unicode_text.h"
#include "lexicon/morphology_analysis.h"
#include "lexicon/record_file.h"

#include <cstring>

namespace veso::corpus {

bool load_xml(pugi::xml_document& document, const std::string& path, std::string& error) {
    const auto result =
        document.load_file(path.c_str(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!result) {
        error = path + ": " + result.description();
        return false;
    }
    return true;
}

namespace {

using style = definition_text::style;

bool attribute_is(const pugi::xml_node& node, const char* name, const char* value) {
    return std::strcmp(node.attribute(name).value(), value) == 0;
}

bool is_greek_element(const pugi::xml_node& node) {
    return attribute_is(node, "lang", "greek") || attribute_is(node, "lang", "grc") ||
           attribute_is(node, "xml:lang", "grc");
}

void collect_text(const pugi::xml_node& node, std::string& out) {
    for (const auto& child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            out += child.value();
        } else if (child.type() == pugi::node_element) {
            collect_text(child, out);
        }
    }
}

bool has_bold(const pugi::xml_node& node) {
    for (const auto& child : node.children()) {
        if (child.type() == pugi::node_element &&
            ((std::strcmp(child.name(), "hi") == 0 &&
              std::strstr(child.attribute("rend").value(), "bold") != nullptr) ||
             has_bold(child))) {
            return true;
        }
    }
    return false;
}

// English text as it goes into a definition: "<" and ">" cannot stand there, they would read as
// marks.
std::u16string plain_text(const char* utf8) {
    std::u16string text = greek_from_utf8(utf8);
    for (auto& c : text) {
        if (c == u'<') {
            c = 0xAB;
        } else if (c == u'>') {
            c = 0xBB;
        }
    }
    return text;
}

class tei_walker {
public:
    tei_walker(definition_text& out, const tei_flavour& flavour) : out_(out), flavour_(flavour) {}

    void walk_children(const pugi::xml_node& node) {
        for (const auto& child : node.children()) {
            walk(child);
        }
    }

    void walk(const pugi::xml_node& node) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            out_.text(plain_text(node.value()));
            return;
        }
        if (node.type() != pugi::node_element) {
            return;
        }
        const char* name = node.name();
        if (std::strcmp(name, "pb") == 0 || std::strcmp(name, "lb") == 0) {
            return;
        }
        const style before = out_.current_style();
        if (is_greek_element(node)) {
            std::string text;
            collect_text(node, text);
            if (std::strcmp(name, "orth") == 0 || has_bold(node)) {
                out_.set_style(style::bold);
            }
            if (flavour_.beta_code_greek) {
                out_.greek_beta(text);
            } else {
                out_.greek_unicode(greek_from_utf8(text));
            }
            out_.set_style(before);
            return;
        }
        if (std::strcmp(name, flavour_.translation_element) == 0) {
            out_.set_style(flavour_.translation_style);
        } else if (std::strcmp(name, "title") == 0) {
            out_.set_style(style::italic);
        } else if (std::strcmp(name, "hi") == 0) {
            const char* rend = node.attribute("rend").value();
            if (std::strstr(rend, "bold") != nullptr) {
                out_.set_style(style::bold);
            } else if (std::strstr(rend, "ital") != nullptr) {
                out_.set_style(style::italic);
            }
        } else if (std::strcmp(name, "sense") == 0) {
            sense_label(node.attribute("n").value());
        }
        walk_children(node);
        out_.set_style(before);
    }

private:
    void sense_label(std::string label) {
        while (!label.empty() && (label.back() == ' ' || label.back() == '.')) {
            label.pop_back();
        }
        if (label.empty()) {
            return;
        }
        const style before = out_.current_style();
        out_.text(std::u16string_view(u" "));
        out_.set_style(style::bold);
        out_.text(plain_text((label + ".").c_str()));
        out_.set_style(before);
        out_.text(std::u16string_view(u" "));
    }

    definition_text& out_;
    const tei_flavour& flavour_;
};

source_entry finish_entry(std::u16string headword, definition_text& text, std::size_t max_length) {
    source_entry e;
    e.headword = std::move(headword);
    e.definition = text.finish(max_length, e.cut);
    return e;
}

std::u16string trim(std::u16string text) {
    const auto first = text.find_first_not_of(u" \t\r\n,*");
    const auto last = text.find_last_not_of(u" \t\r\n,.");
    if (first == std::u16string::npos) {
        return {};
    }
    return text.substr(first, last - first + 1);
}

void find_entries(const pugi::xml_node& node, const char* name,
                  std::vector<pugi::xml_node>& found) {
    for (const auto& child : node.children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (std::strcmp(child.name(), name) == 0) {
            found.push_back(child);
        } else {
            find_entries(child, name, found);
        }
    }
}

} // namespace

std::vector<source_entry> read_tei_entries(const pugi::xml_document& document,
                                           const tei_flavour& flavour,
                                           const betaconverter& converter, std::size_t max_length) {
    std::vector<pugi::xml_node> nodes;
    find_entries(document, "entryFree", nodes);
    std::vector<source_entry> entries;
    entries.reserve(nodes.size());
    for (const auto& node : nodes) {
        const char* key = node.attribute("key").value();
        std::u16string headword = flavour.beta_code_greek
                                      ? widen(normalise_headword(key))
                                      : greek_to_beta(greek_from_utf8(key), converter);
        if (headword.empty()) {
            continue;
        }
        definition_text text(flavour.source_letter, converter);
        tei_walker(text, flavour).walk_children(node);
        if (text.empty()) {
            continue;
        }
        entries.push_back(finish_entry(std::move(headword), text, max_length));
    }
    return entries;
}

std::vector<source_entry> read_abbott_smith(const pugi::xml_document& document,
                                            const betaconverter& converter,
                                            std::size_t max_length) {
    static constexpr tei_flavour flavour{'T', false, "gloss", definition_text::style::italic};
    std::vector<pugi::xml_node> nodes;
    find_entries(document, "entryFree", nodes);
    std::vector<source_entry> entries;
    for (const auto& node : nodes) {
        const auto bold = node.select_node(".//form//hi[@rend='bold']").node();
        std::string shown;
        collect_text(bold, shown);
        std::u16string headword = greek_from_utf8(shown);
        if (const auto comma = headword.rfind(u','); comma != std::u16string::npos) {
            headword = headword.substr(comma + 1);
        }
        headword = trim(std::move(headword));
        if (headword.empty() || !is_greek_letter(headword.front())) {
            continue;
        }
        definition_text text(flavour.source_letter, converter);
        tei_walker(text, flavour).walk_children(node);
        if (text.empty()) {
            continue;
        }
        entries.push_back(finish_entry(greek_to_beta(headword, converter), text, max_length));
    }
    return entries;
}

std::vector<source_entry> read_dodson(const pugi::xml_document& document,
                                      const betaconverter& converter, std::size_t max_length) {
    std::vector<pugi::xml_node> nodes;
    find_entries(document, "entry", nodes);
    std::vector<source_entry> entries;
    for (const auto& node : nodes) {
        const std::u16string orth = greek_from_utf8(node.child_value("orth"));
        std::u16string headword = orth.substr(0, orth.find(u','));
        headword = trim(std::move(headword));
        if (headword.empty() || !is_greek_letter(headword.front())) {
            continue;
        }
        const auto full = node.find_child_by_attribute("def", "role", "full");
        definition_text text('D', converter);
        text.set_style(definition_text::style::bold);
        text.greek_unicode(orth);
        text.set_style(definition_text::style::normal);
        text.text(plain_text(full.child_value()));
        entries.push_back(finish_entry(greek_to_beta(headword, converter), text, max_length));
    }
    return entries;
}

} // namespace veso::corpus
