#include "texts/tei_document.h"

#include "texts/greek_cleaning.h"

#include <algorithm>
#include <cctype>
#include <pugixml.hpp>
#include <unordered_set>

namespace veso::corpus {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool greek_language(std::string_view lang) {
    const std::string l = lower(lang);
    return l.empty() || l == "grc" || l == "greek" || l == "gr" || l == "el";
}

bool is_division(std::string_view name) {
    return name == "div" || name == "div1" || name == "div2" || name == "div3" || name == "div4" ||
           name == "div5";
}

// Walks the body and cuts it into pieces. Raw text is collected until a piece ends; inline
// insertions that must survive cleaning (bold labels, markers) are cleaned on their own.
class tei_walker {
public:
    explicit tei_walker(tei_document& doc) : doc_(doc) {}

    void walk(const pugi::xml_node& node) {
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                add_raw(child.value());
            } else if (child.type() == pugi::node_element) {
                element(child);
            }
        }
    }

    void finish() { end_piece(); }

    // Editions nest a handful of levels; anything far deeper is damaged input, not text.
    bool too_deep() const { return too_deep_; }

private:
    static constexpr int depth_limit = 200;

    void element(const pugi::xml_node& node) {
        if (depth_ >= depth_limit) {
            too_deep_ = true;
            return;
        }
        ++depth_;
        element_at_depth(node);
        --depth_;
    }

    void element_at_depth(const pugi::xml_node& node) {
        const std::string name = lower(node.name());
        static const std::unordered_set<std::string> skipped = {
            "teiheader", "note", "bibl", "gap",       "figure", "stage",     "castlist",
            "rdg",       "ref",  "pb",   "fw",        "interp", "interpgrp", "index",
            "sic",       "orig", "abbr", "witdetail", "table",  "graphic",   "listperson"};
        if (skipped.contains(name)) {
            if ((name == "sic" || name == "orig" || name == "abbr") &&
                lower(node.parent().name()) != "choice") {
                walk(node); // outside a choice they are the only reading
            }
            return;
        }
        if (name == "foreign") {
            const char* lang = node.attribute("xml:lang").value();
            if (*lang == '\0') {
                lang = node.attribute("lang").value();
            }
            if (greek_language(lang)) {
                walk(node);
            }
            return;
        }
        if (is_division(name)) {
            division(node);
            return;
        }
        if (name == "p" || name == "item" || name == "argument" || name == "opener" ||
            name == "closer" || name == "epigraph" || name == "trailer") {
            end_piece();
            walk(node);
            end_piece();
            return;
        }
        if (name == "l") {
            verse_line(node);
            return;
        }
        if (name == "lb") {
            add_raw(u" ");
            return;
        }
        if (name == "milestone") {
            milestone(node);
            return;
        }
        if (name == "speaker") {
            end_piece();
            emit_whole(tei_piece::kind::speaker, node);
            return;
        }
        if (name == "head") {
            end_piece();
            emit_whole(tei_piece::kind::heading, node);
            return;
        }
        if (name == "said") {
            said(node);
            return;
        }
        if (name == "label") {
            std::u16string text = clean_greek(node_text(node));
            if (!text.empty()) {
                add_clean(bold(text) + u" ");
            }
            return;
        }
        walk(node); // q, said, quote, add, del, hi, name, seg, lg, sp, choice, app, lem, ...
    }

    void division(const pugi::xml_node& node) {
        const std::string type = lower(node.attribute("type").value());
        if (type == "edition" || type == "translation" || type == "commentary") {
            if (type == "edition") {
                walk(node);
            }
            return;
        }
        std::string unit = lower(node.attribute("subtype").value());
        if (unit.empty()) {
            unit = type;
        }
        const std::string n = node.attribute("n").value();
        end_piece();
        speaker_.clear(); // each part of a play names its first speaker again
        cite_.emplace_back(unit, n);
        const bool lowest = !has_child_division(node);
        if (lowest && !n.empty() && !has_section_milestone(node)) {
            pending_marker_ = marker(utf16_from_utf8(n)) + u" ";
        }
        walk(node);
        end_piece();
        pending_marker_.clear();
        cite_.pop_back();
    }

    static bool has_child_division(const pugi::xml_node& node) {
        for (pugi::xml_node child : node.children()) {
            if (is_division(lower(child.name()))) {
                return true;
            }
        }
        return false;
    }

    static bool has_section_milestone(const pugi::xml_node& node) {
        return static_cast<bool>(node.find_node([](const pugi::xml_node& n) {
            return lower(n.name()) == "milestone" &&
                   lower(n.attribute("unit").value()) == "section";
        }));
    }

    void milestone(const pugi::xml_node& node) {
        const std::string unit = lower(node.attribute("unit").value());
        if (in_verse_) {
            return;
        }
        if (unit == "para") {
            // A section marker just before the paragraph break belongs to the paragraph after it.
            flush_raw();
            std::u16string trailing = take_trailing_markers(clean_);
            end_piece();
            pending_marker_ = trailing + pending_marker_;
        } else if (unit == "section" || unit == "chapter") {
            const std::string n = node.attribute("n").value();
            // Numbers only ("12", "327a"); a few editions name a part in English instead.
            if (!n.empty() && std::isdigit(static_cast<unsigned char>(n[0]))) {
                add_clean(marker(utf16_from_utf8(n)) + u" ");
            }
        }
    }

    static std::u16string take_trailing_markers(std::u16string& text) {
        std::u16string taken;
        while (true) {
            const std::size_t end = text.find_last_not_of(u' ');
            if (end == std::u16string::npos || text[end] != u']') {
                return taken;
            }
            const std::size_t open = text.rfind(u'[', end);
            if (open == std::u16string::npos || text.find(u' ', open) < end) {
                return taken;
            }
            taken = text.substr(open, end - open + 1) + u" " + taken;
            text.erase(open);
        }
    }

    void verse_line(const pugi::xml_node& node) {
        // Line 0 repeats the first speaker's name for display; the speaker is already shown.
        if (std::string_view(node.attribute("n").value()) == "0") {
            return;
        }
        end_piece();
        in_verse_ = true;
        line_number_ = node.attribute("n").value();
        walk(node);
        finish_verse();
        in_verse_ = false;
    }

    // Plays whose speeches are <said who="#Name"> name the speaker at each change, as the
    // editions with <speaker> do: on a line of its own before the speech, or inline where the
    // change falls within a verse line. Dialogues whose speeches carry their own <label> (and
    // reported speech) show nothing more.
    void said(const pugi::xml_node& node) {
        std::string who = node.attribute("who").value();
        if (!who.empty() && who.front() == '#') {
            who.erase(0, 1);
        }
        const bool labelled = static_cast<bool>(node.find_node([](const pugi::xml_node& n) {
            const std::string child = lower(n.name());
            return child == "label" || child == "speaker";
        }));
        const bool verse =
            in_verse_ || static_cast<bool>(node.find_node(
                             [](const pugi::xml_node& n) { return lower(n.name()) == "l"; }));
        const std::u16string name = clean_greek(utf16_from_utf8(who));
        if (!name.empty() && name != speaker_ && !labelled && verse &&
            std::string_view(node.attribute("direct").value()) != "false") {
            speaker_ = name;
            if (!in_verse_) {
                end_piece();
                push(tei_piece::kind::speaker, bold(name), {});
            } else if (collapse_spaces(clean_).empty() && clean_greek(raw_).empty()) {
                push(tei_piece::kind::speaker, bold(name), {}); // the line starts the speech
            } else {
                add_clean(u" " + bold(name) + u" ");
            }
        }
        walk(node);
    }

    void emit_whole(tei_piece::kind type, const pugi::xml_node& node) {
        std::u16string text = clean_greek(node_text(node));
        if (!text.empty()) {
            push(type, bold(text), {});
        }
    }

    static std::u16string node_text(const pugi::xml_node& node) {
        std::u16string out;
        for (pugi::xml_node n = node.first_child(); n;) {
            if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
                out += utf16_from_utf8(n.value());
            }
            const std::string name = lower(n.name());
            if (n.type() == pugi::node_element && name != "note" && name != "bibl" &&
                n.first_child()) {
                n = n.first_child();
                continue;
            }
            while (n && !n.next_sibling() && n != node) {
                n = n.parent();
            }
            if (!n || n == node) {
                break;
            }
            n = n.next_sibling();
        }
        return out;
    }

    void add_raw(std::u16string_view text) { raw_ += text; }
    void add_raw(const char* utf8) { raw_ += utf16_from_utf8(utf8); }

    void add_clean(const std::u16string& text) {
        flush_raw();
        clean_ += text;
    }

    void flush_raw() {
        if (!raw_.empty()) {
            std::u16string text = clean_greek(raw_);
            if (!text.empty()) {
                if (!pending_marker_.empty() && !in_verse_) {
                    clean_ += pending_marker_;
                    pending_marker_.clear();
                }
                clean_ += u" ";
                clean_ += text;
                clean_ += u" ";
            }
            raw_.clear();
        }
    }

    void end_piece() {
        if (in_verse_) {
            return;
        }
        flush_raw();
        std::u16string text = collapse_spaces(clean_);
        clean_.clear();
        if (!text.empty() && !only_markers(text)) {
            push(tei_piece::kind::prose, std::move(text), {});
        }
    }

    // A paragraph that holds nothing but markers moves them to the next paragraph instead.
    bool only_markers(const std::u16string& text) {
        std::size_t i = 0;
        while (i < text.size()) {
            if (text[i] == u' ') {
                ++i;
                continue;
            }
            if (text[i] != u'[') {
                return false;
            }
            const std::size_t close = text.find(u']', i);
            if (close == std::u16string::npos) {
                return false;
            }
            i = close + 1;
        }
        pending_marker_ = text + u" ";
        return true;
    }

    void finish_verse() {
        flush_raw();
        std::u16string text = collapse_spaces(clean_);
        clean_.clear();
        if (!text.empty()) {
            push(tei_piece::kind::verse, std::move(text), line_number_);
        }
    }

    void push(tei_piece::kind type, std::u16string text, std::string number) {
        tei_piece piece;
        piece.type = type;
        piece.text = std::move(text);
        piece.line_number = std::move(number);
        piece.cite = cite_;
        doc_.pieces.push_back(std::move(piece));
    }

    tei_document& doc_;
    std::vector<std::pair<std::string, std::string>> cite_;
    std::u16string raw_;
    std::u16string clean_;
    std::u16string pending_marker_;
    std::u16string speaker_; // the speaker last named in the current division
    std::string line_number_;
    bool in_verse_ = false;
    int depth_ = 0;
    bool too_deep_ = false;
};

std::optional<tei_document> parse(pugi::xml_document& xml, const pugi::xml_parse_result& result,
                                  std::string& error) {
    if (!result) {
        error = std::string("XML error: ") + result.description();
        return std::nullopt;
    }
    pugi::xml_node body =
        xml.find_node([](const pugi::xml_node& n) { return lower(n.name()) == "body"; });
    if (!body) {
        error = "no <body>";
        return std::nullopt;
    }
    tei_document doc;
    tei_walker walker(doc);
    walker.walk(body);
    walker.finish();
    if (walker.too_deep()) {
        error = "elements nested more than 200 deep";
        return std::nullopt;
    }
    return doc;
}

} // namespace

std::string tei_piece::cited(std::string_view unit) const {
    for (const auto& [u, n] : cite) {
        if (u == unit) {
            return n;
        }
    }
    return {};
}

std::optional<tei_document> read_tei(const std::filesystem::path& file, std::string& error) {
    pugi::xml_document xml;
    const auto result = xml.load_file(file.c_str(), pugi::parse_default | pugi::parse_ws_pcdata);
    auto doc = parse(xml, result, error);
    if (!doc) {
        error = file.string() + ": " + error;
    }
    return doc;
}

std::optional<tei_document> read_tei_text(std::string_view xml_text, std::string& error) {
    pugi::xml_document xml;
    const auto result = xml.load_buffer(xml_text.data(), xml_text.size(),
                                        pugi::parse_default | pugi::parse_ws_pcdata);
    return parse(xml, result, error);
}

} // namespace veso::corpus
