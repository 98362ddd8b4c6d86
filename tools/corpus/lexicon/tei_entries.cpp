#include "lexicon/tei_entries.h"

#include "common/unicode_text.h"
#include "lexicon/character_entities.h"
#include "lexicon/headword_check.h"
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
            out += resolve_entities(child.value());
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

// Text of the source as UTF-16, with the character references that XML leaves (those the
// source's DTD declares) resolved.
std::u16string plain_text(const char* utf8) {
    return greek_from_utf8(resolve_entities(utf8));
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

// A headword as an entry shows it, with what is no Greek (English words, sigla) blanked out.
std::u16string greek_only(std::u16string_view shown) {
    std::u16string out(shown);
    for (auto& c : out) {
        if (!is_greek_unit(c) && c != u',' && c != u'-' && c != u'[' && c != u']') {
            c = u' ';
        }
    }
    return out;
}

// The headword an entry shows in Beta Code: the text of its first <orth>, empty without one.
std::u16string shown_orth(const pugi::xml_node& entry, const tei_flavour& flavour,
                          const betaconverter& converter) {
    const auto orth = entry.select_node(".//orth").node();
    if (!orth) {
        return {};
    }
    std::string text;
    collect_text(orth, text);
    return flavour.beta_code_greek ? widen(normalise_headword(text))
                                   : greek_to_beta(greek_from_utf8(text), converter);
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
        auto e = finish_entry(std::move(headword), text, max_length);
        e.shown_headword = shown_orth(node, flavour, converter);
        entries.push_back(std::move(e));
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
        // The bold form lists the headword with its endings and article ("εἴσ-οδος, -ου, ὁ"), or
        // a letter with its name ("Α, α, ἄλφα"): the headword is its longest part.
        const std::u16string beta = greek_to_beta(greek_only(greek_from_utf8(shown)), converter);
        std::u16string headword;
        std::size_t start = 0;
        while (start <= beta.size()) {
            const auto comma = std::min(beta.find(u',', start), beta.size());
            const auto words = shown_headword_words(beta.substr(start, comma - start));
            std::u16string part;
            for (const auto& w : words) {
                part += (part.empty() ? u"" : u" ") + w;
            }
            if (headword_letters(part).size() > headword_letters(headword).size()) {
                headword = part;
            }
            start = comma + 1;
        }
        if (headword.empty()) {
            continue;
        }
        definition_text text(flavour.source_letter, converter);
        tei_walker(text, flavour).walk_children(node);
        if (text.empty()) {
            continue;
        }
        auto e = finish_entry(headword, text, max_length);
        e.shown_headword = std::move(headword);
        entries.push_back(std::move(e));
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
        if (orth.empty() || !is_greek_letter(orth.front())) {
            continue;
        }
        const std::u16string shown = greek_to_beta(greek_only(orth), converter);
        const auto words = shown_headword_words(shown);
        std::u16string headword;
        for (const auto& w : words) {
            headword += (headword.empty() ? u"" : u" ") + w;
        }
        if (headword.empty()) {
            continue;
        }
        const auto full = node.find_child_by_attribute("def", "role", "full");
        definition_text text('D', converter);
        text.set_style(definition_text::style::bold);
        text.greek_unicode(orth);
        text.set_style(definition_text::style::normal);
        text.text(plain_text(full.child_value()));
        auto e = finish_entry(std::move(headword), text, max_length);
        e.shown_headword = shown;
        entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace veso::corpus
