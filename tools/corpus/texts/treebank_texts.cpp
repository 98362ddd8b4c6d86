#include "texts/treebank_texts.h"

#include "texts/greek_cleaning.h"

#include <algorithm>
#include <cctype>

namespace veso::corpus {
namespace {

// The Sappho treebank writes lost letters as "G", "?" and digits, a lost line as "G_L" and a
// lost stretch of known metre with its signs ("⏑–⏑–x").
bool is_lost_mark(char16_t c) {
    return c == u'G' || c == u'?' || c == u'_' || c == u'L' || c == u'x' || c == u'\u23D1' ||
           c == u'\u2013' || (c >= u'0' && c <= u'9');
}

constexpr std::u16string_view lost_word = u"[\u2026]";

bool has_greek_letter(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t c) {
        return (c >= 0x0370 && c <= 0x03FF) || (c >= 0x1F00 && c <= 0x1FFF);
    });
}

// A damaged word: the letters that survive, with "]" where letters are lost before them, "["
// where they are lost after them and "[…]" where they are lost within. A word with no letter
// left is "[…]", with the punctuation that follows it.
std::u16string rendered_word(std::u16string_view form) {
    std::u16string out;
    std::u16string kept;
    std::size_t i = 0;
    while (i < form.size()) {
        std::size_t end = i;
        const bool lost = is_lost_mark(form[i]);
        while (end < form.size() && is_lost_mark(form[end]) == lost) {
            ++end;
        }
        if (lost) {
            out += i == 0 ? std::u16string(u"]") : end == form.size() ? u"[" : lost_word;
        } else {
            const std::u16string text = clean_greek(form.substr(i, end - i));
            out += text;
            kept += text;
        }
        i = end;
    }
    if (!has_greek_letter(kept) && out != kept) {
        return std::u16string(lost_word) + kept;
    }
    return out;
}

bool is_opening(std::u16string_view punctuation) {
    return punctuation == u"(" || punctuation == u"[" || punctuation == u"<" ||
           punctuation == u"\uFF08" || punctuation == u"\u2018" || punctuation == u"\u00AB";
}

// Punctuation as the texts write it: the colon of the treebanks is the ano teleia.
std::u16string punctuation_text(std::u16string_view form) {
    std::u16string out(form);
    for (char16_t& c : out) {
        c = c == u':' ? u'\u0387' : c == u'\uFF08' ? u'(' : c == u'\uFF09' ? u')' : c;
    }
    return out;
}

std::u16string ascii16(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

// The sentences of consecutive runs with the same citation.
struct cited_part {
    std::string subdoc;
    std::vector<const treebank_sentence*> sentences;
};

std::vector<cited_part> parts_of(const std::vector<treebank_sentence>& sentences) {
    std::vector<cited_part> parts;
    for (const auto& s : sentences) {
        if (parts.empty() || parts.back().subdoc != s.subdoc) {
            parts.push_back({s.subdoc, {}});
        }
        parts.back().sentences.push_back(&s);
    }
    return parts;
}

// The leading whole number of a citation ("15a", "29.XIV" give 15 and 29); 0 when there is none.
int leading_number(std::string_view subdoc) {
    int n = 0;
    std::size_t i = 0;
    for (; i < subdoc.size() && std::isdigit(static_cast<unsigned char>(subdoc[i])) && n < 10000;
         ++i) {
        n = n * 10 + (subdoc[i] - '0');
    }
    return i == 0 ? 0 : n;
}

} // namespace

std::u16string treebank_text(std::span<const treebank_sentence* const> sentences) {
    // The raw words first, with punctuation and hyphen cuts joined; then each word rendered.
    std::vector<std::u16string> words;
    std::u16string opening;
    bool joins_next = false; // the last word ended with the hyphen of a cut
    for (const treebank_sentence* s : sentences) {
        for (const treebank_word& w : s->words) {
            if (w.artificial || w.form.empty()) {
                continue;
            }
            const std::u16string form = utf16_from_utf8(w.form);
            if (w.punctuation()) {
                if (is_opening(form)) {
                    opening += punctuation_text(form);
                } else if (words.empty()) {
                    words.push_back(punctuation_text(form));
                } else {
                    words.back() += punctuation_text(form);
                }
                continue;
            }
            const bool cut_before = form.front() == u'-';
            const std::u16string part = cut_before ? form.substr(1) : form;
            if (!words.empty() && (cut_before || joins_next)) {
                // "οὔ -τε", "τ- ἆλλα", "κ- ἄνδρι": one word. A longer first part ("δή- αὖτε")
                // is a crasis the two parts cannot spell; they stay two words.
                const bool single_letter = words.back().size() == 1;
                if (cut_before || single_letter) {
                    words.back() += part;
                } else {
                    words.push_back(opening + part);
                    opening.clear();
                }
            } else {
                words.push_back(opening + part);
                opening.clear();
            }
            joins_next = !words.back().empty() && words.back().back() == u'-';
            if (joins_next) {
                words.back().pop_back();
            }
        }
    }
    std::u16string line;
    bool last_lost = false;
    for (const std::u16string& w : words) {
        const std::u16string text = rendered_word(w);
        const bool lost = text == lost_word;
        if (text.empty() || (lost && last_lost)) {
            continue; // one gap stands for a run of lost words
        }
        last_lost = lost;
        if (!line.empty()) {
            line += u' ';
        }
        line += text;
    }
    return line;
}

bool build_sappho_fragments(const outline_author& author, const std::filesystem::path& treebank,
                            author_texts& out, std::string& error) {
    const auto sentences = read_treebank(treebank, error);
    if (!sentences) {
        return false;
    }
    const std::vector<std::int32_t> ids = leaf_ids(author);
    std::vector<std::vector<cited_part>> fragments(ids.size());
    for (auto& part : parts_of(*sentences)) {
        const int n = leading_number(part.subdoc);
        // The epigrams of the second document and fragments after the catalogue's last are not
        // in the catalogue.
        if (part.sentences.front()->document != "0009-001" || n < 1 ||
            n > static_cast<int>(ids.size())) {
            continue;
        }
        fragments[static_cast<std::size_t>(n - 1)].push_back(std::move(part));
    }
    out.node = {author.label, 0, {}};
    built_work w;
    w.file = text_file::lyric;
    w.kind = work_kind::sectioned;
    w.author_number = author.author_number;
    w.title = author.label;
    for (std::size_t k = 0; k < ids.size(); ++k) {
        const std::u16string label = ascii16(std::to_string(k + 1));
        out.node.children.push_back({label, ids[k], {}});
        w.ids.push_back(ids[k]);
        const auto& parts = fragments[k];
        if (parts.empty()) {
            w.sections.push_back({missing_notice(u"Sappho, fragment " + label), true});
            continue;
        }
        std::u16string text;
        const bool headed = parts.size() > 1 || ascii16(parts.front().subdoc) != label;
        for (const cited_part& part : parts) {
            if (headed) {
                text += marker(ascii16(part.subdoc)) + u" ";
            }
            text += treebank_text(part.sentences);
            text.push_back(line_end);
        }
        w.sections.push_back({std::move(text), false});
    }
    out.works.push_back(std::move(w));
    return true;
}

bool build_old_oligarch(const outline_author& author, const std::filesystem::path& treebank,
                        author_texts& out, std::string& error) {
    const auto sentences = read_treebank(treebank, error);
    if (!sentences) {
        return false;
    }
    const std::vector<std::int32_t> ids = leaf_ids(author);
    if (ids.size() != 1 || author.works.size() != 1) {
        error = "the Old Oligarch is one leaf in the catalogue";
        return false;
    }
    std::u16string text;
    for (const cited_part& part : parts_of(*sentences)) {
        const auto dot = part.subdoc.find('.');
        const std::string section =
            dot == std::string::npos ? part.subdoc : part.subdoc.substr(dot + 1);
        text += marker(ascii16(section)) + u" " + treebank_text(part.sentences);
        text.push_back(line_end);
    }
    if (text.empty()) {
        error = treebank.string() + ": no sentences";
        return false;
    }
    const std::u16string& label = author.works.front().label;
    out.node = {author.label, 0, {{label, ids.front(), {}}}};
    built_work w;
    w.kind = work_kind::single;
    w.author_number = author.author_number;
    w.title = label + u", " + author.label;
    w.ids = ids;
    w.sections.push_back({std::move(text), false});
    out.works.push_back(std::move(w));
    return true;
}

} // namespace veso::corpus
