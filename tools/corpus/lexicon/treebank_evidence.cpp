#include "lexicon/treebank_evidence.h"

#include "common/unicode_text.h"
#include "lexicon/definition_text.h"
#include "lexicon/dictionary_sources.h"
#include "lexicon/morphgnt_analyses.h"
#include "lexicon/morphology_analysis.h"
#include "lexicon/text_words.h"

#include <algorithm>
#include <map>
#include <pugixml.hpp>
#include <tuple>

namespace veso::corpus {

namespace {

// The catalogue author of a treebank, from its first TLG document id ("0032-002" is Xenophon);
// the Pedalion Genesis files carry the book's name instead.
int treebank_author(const pugi::xml_document& doc) {
    const std::string_view id =
        doc.child("treebank").child("sentence").attribute("document_id").as_string();
    if (id.starts_with("Genesis")) {
        return author_number_of_label("LXX");
    }
    if (id.size() < 5 || id[4] != '-' ||
        !std::all_of(id.begin(), id.begin() + 4, [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    return author_number_of_label("tlg" + std::string(id.substr(0, 4)));
}

std::string ascii_beta(std::u16string_view beta) {
    std::string out;
    out.reserve(beta.size());
    for (const char16_t c : beta) {
        if (c > 0x7F) {
            return {};
        }
        out += static_cast<char>(c);
    }
    return out;
}

std::string normalised_tag(std::string_view postag) {
    std::string tag(postag.substr(0, std::min<std::size_t>(postag.size(), 9)));
    tag.resize(9, '-');
    return tag;
}

// The 9-letter tag of a MorphGNT part of speech ("V-", "RA") and parse code
// (person, tense, voice, mood, case, number, gender, degree).
std::string morphgnt_tag(std::string_view pos, std::string_view parse) {
    auto code = [](char c, std::string_view from, std::string_view to) {
        const auto at = from.find(c);
        return at == std::string_view::npos ? '-' : to[at];
    };
    std::string tag(9, '-');
    if (pos == "RA") {
        tag[0] = 'l';
    } else if (pos[0] == 'R') {
        tag[0] = 'p';
    } else {
        tag[0] = code(pos[0], "NAVDPCXI", "navdrcgi");
    }
    tag[1] = code(parse[0], "123", "123");
    tag[2] = code(parse[5], "SP", "sp");
    tag[3] = code(parse[1], "PIFAXY", "pifarl");
    tag[4] = code(parse[3], "IDSONP", "imsonp");
    tag[5] = code(parse[2], "AMP", "amp");
    tag[6] = code(parse[6], "MFN", "mfn");
    tag[7] = code(parse[4], "NGDAV", "ngdav");
    tag[8] = code(parse[7], "CS", "cs");
    return tag;
}

} // namespace

std::vector<std::pair<const annotated_word*, std::uint64_t>>
distinct_words(const annotated_text& text) {
    using fields = std::tuple<std::string_view, std::string_view, std::string_view>;
    std::map<fields, std::pair<const annotated_word*, std::uint64_t>> seen;
    for (const auto& w : text.words) {
        auto& entry = seen.try_emplace(fields{w.key, w.lemma, w.tag}, &w, 0).first->second;
        ++entry.second;
    }
    std::vector<std::pair<const annotated_word*, std::uint64_t>> out;
    out.reserve(seen.size());
    for (const auto& [f, entry] : seen) {
        out.push_back(entry);
    }
    return out;
}

annotated_text read_treebank(std::string_view xml, std::string name,
                             const betaconverter& converter) {
    annotated_text text;
    text.name = std::move(name);
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size())) {
        return text;
    }
    text.author = treebank_author(doc);
    for (const auto& sentence : doc.child("treebank").children("sentence")) {
        struct candidate {
            std::u16string form;
            std::string lemma, tag;
            bool cut_before = false, cut_after = false;
        };
        std::vector<candidate> words;
        for (const auto& w : sentence.children("word")) {
            const std::string tag = normalised_tag(w.attribute("postag").as_string());
            if (w.attribute("artificial") || tag[0] == 'u') {
                continue;
            }
            candidate c;
            c.form = greek_from_utf8(w.attribute("form").as_string());
            c.cut_after = c.form.size() > 1 && c.form.back() == u'-';
            c.cut_before = c.form.size() > 1 && c.form.front() == u'-';
            // A hyphen inside a word is a line break of the source.
            std::erase(c.form, u'-');
            c.lemma = normalise_headword(ascii_beta(
                greek_to_beta(greek_from_utf8(w.attribute("lemma").as_string()), converter)));
            c.tag = tag;
            words.push_back(std::move(c));
        }
        for (std::size_t i = 0; i < words.size(); ++i) {
            const bool joined = words[i].cut_before || words[i].cut_after ||
                                (i > 0 && words[i - 1].cut_after) ||
                                (i + 1 < words.size() && words[i + 1].cut_before);
            if (joined || words[i].lemma.empty()) {
                continue;
            }
            std::string key = lookup_key(analyser_word(words[i].form), converter);
            if (key.empty()) {
                continue;
            }
            text.words.push_back({std::move(key), std::move(words[i].lemma), words[i].tag});
        }
    }
    return text;
}

annotated_text read_morphgnt_book(std::string_view text, std::string name,
                                  const betaconverter& converter) {
    annotated_text book;
    book.name = std::move(name);
    book.author = author_number_of_label("NT");
    morphgnt_word word;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!parse_morphgnt_line(line, converter, word)) {
            continue;
        }
        book.words.push_back({std::move(word.key), std::string(word.analysis.lemma()),
                              morphgnt_tag(word.part_of_speech, word.parse)});
    }
    return book;
}

std::vector<annotated_text> read_annotated_texts(const std::filesystem::path& treebanks,
                                                 const std::filesystem::path& morphgnt,
                                                 const betaconverter& converter) {
    auto files = [](const std::filesystem::path& folder, std::string_view ending) {
        std::vector<std::filesystem::path> paths;
        std::error_code ec;
        for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
            if (item.path().filename().string().ends_with(ending)) {
                paths.push_back(item.path());
            }
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    };
    std::vector<annotated_text> texts;
    for (const auto& p : files(treebanks, ".xml")) {
        texts.push_back(read_treebank(read_whole_file(p), p.stem().string(), converter));
    }
    for (const auto& p : files(morphgnt, "-morphgnt.txt")) {
        texts.push_back(read_morphgnt_book(read_whole_file(p), p.stem().string(), converter));
    }
    return texts;
}

} // namespace veso::corpus
