#include "texts/classical_works.h"

#include "common/unicode_text.h"
#include "texts/beta_code_tei.h"
#include "texts/greek_cleaning.h"
#include "texts/passage_rendering.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

namespace veso::corpus {
namespace {

namespace fs = std::filesystem;

std::u16string ascii16(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The sources of one author, parsed once.
class perseus_library {
public:
    explicit perseus_library(fs::path data) : data_(std::move(data)) {}

    // "tlg0012.tlg001": the Greek edition of that work.
    const tei_document* edition(const std::string& key, std::string& error) {
        if (auto it = cache_.find(key); it != cache_.end()) {
            return it->second.get();
        }
        const auto dot = key.find('.');
        const fs::path folder = data_ / key.substr(0, dot) / key.substr(dot + 1);
        std::vector<fs::path> candidates;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(".xml") && name.find("grc") != std::string::npos) {
                candidates.push_back(entry.path());
            }
        }
        if (candidates.empty()) {
            error = "no Greek edition of " + key + " in " + folder.string();
            return nullptr;
        }
        std::sort(candidates.begin(), candidates.end());
        auto doc = read_tei(candidates.back(), error);
        if (!doc) {
            return nullptr;
        }
        if (doc->pieces.empty()) {
            error = candidates.back().string() + ": no text in the edition";
            return nullptr;
        }
        auto stored = std::make_unique<tei_document>(std::move(*doc));
        const tei_document* result = stored.get();
        cache_.emplace(key, std::move(stored));
        return result;
    }

private:
    fs::path data_;
    std::map<std::string, std::unique_ptr<tei_document>> cache_;
};

// Hands out an author's leaf identifiers in tree order.
class id_source {
public:
    explicit id_source(std::vector<std::int32_t> ids) : ids_(std::move(ids)) {}
    std::int32_t next() { return next_ < ids_.size() ? ids_[next_++] : 0; }
    std::vector<std::int32_t> take(std::size_t n) {
        std::vector<std::int32_t> out;
        for (std::size_t i = 0; i < n; ++i) {
            out.push_back(next());
        }
        return out;
    }
    bool exhausted() const { return next_ == ids_.size(); }

private:
    std::vector<std::int32_t> ids_;
    std::size_t next_ = 0;
};

catalogue_node leaf(std::u16string label, std::int32_t id) {
    return {std::move(label), id, {}};
}

section_text notice_section(std::u16string_view what) {
    return {missing_notice(what), true};
}

built_work single_work(const outline_author& author, std::int32_t id, std::u16string title) {
    built_work w;
    w.kind = work_kind::single;
    w.author_number = author.author_number;
    w.title = std::move(title);
    w.ids = {id};
    return w;
}

std::u16string chapter_label(const std::string& n) {
    return ascii16(lower(n));
}

struct context {
    const outline_author& author;
    perseus_library& library;
    author_texts& out;
    std::string& error;
    id_source ids;
};

// Authors whose level-3 items are all single passages, one edition each ("" for a gap; several
// joined with "+").
bool build_singles(context& c, const std::vector<std::string>& keys, line_numbering numbering) {
    if (keys.size() != c.author.works.size()) {
        c.error = "source list does not match the works of " + to_utf8(c.author.label);
        return false;
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::u16string& label = c.author.works[i].label;
        const std::int32_t id = c.ids.next();
        c.out.node.children.push_back(leaf(label, id));
        built_work w = single_work(c.author, id, label + u", " + c.author.label);
        if (keys[i].empty()) {
            w.sections.push_back(notice_section(w.title));
        } else {
            std::u16string text;
            std::size_t start = 0;
            while (start < keys[i].size()) {
                std::size_t end = keys[i].find('+', start);
                if (end == std::string::npos) {
                    end = keys[i].size();
                }
                const tei_document* doc =
                    c.library.edition(keys[i].substr(start, end - start), c.error);
                if (doc == nullptr) {
                    return false;
                }
                const auto pieces = all_pieces(*doc);
                text += render_pieces(pieces, numbering);
                start = end + 1;
            }
            w.sections.push_back({std::move(text), false});
        }
        c.out.works.push_back(std::move(w));
    }
    return true;
}

std::vector<std::string> numbered_keys(const std::string& group, int first, int last) {
    std::vector<std::string> keys;
    for (int i = first; i <= last; ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "tlg%03d", i);
        keys.push_back(group + "." + buf);
    }
    return keys;
}

std::vector<std::string> listed_keys(const std::string& group, std::initializer_list<int> works) {
    std::vector<std::string> keys;
    for (int i : works) {
        if (i == 0) {
            keys.emplace_back();
            continue;
        }
        char buf[16];
        std::snprintf(buf, sizeof buf, "tlg%03d", i);
        keys.push_back(group + "." + buf);
    }
    return keys;
}

built_work sectioned_work(const outline_author& author, std::int32_t work_code,
                          std::u16string title) {
    built_work w;
    w.kind = work_kind::sectioned;
    w.author_number = author.author_number;
    w.work_code = work_code;
    w.title = std::move(title);
    return w;
}

// Homer: each poem's books are the sections.
bool build_homer(context& c) {
    const char* keys[] = {"tlg0012.tlg001", "tlg0012.tlg002"};
    for (std::size_t k = 0; k < 2; ++k) {
        const tei_document* doc = c.library.edition(keys[k], c.error);
        if (doc == nullptr) {
            return false;
        }
        const auto& work = c.author.works[k];
        built_work w = sectioned_work(c.author, 0, work.label + u", " + c.author.label);
        w.marker_scanned = true;
        catalogue_node node{work.label, 0, {}};
        const auto pieces = all_pieces(*doc);
        const auto books = group_by(pieces, "book");
        if (books.size() != static_cast<std::size_t>(work.leaves)) {
            c.error = "the edition of " + to_utf8(work.label) + " has " +
                      std::to_string(books.size()) + " books, the catalogue " +
                      std::to_string(work.leaves);
            return false;
        }
        for (std::size_t b = 0; b < books.size(); ++b) {
            const std::int32_t id = c.ids.next();
            w.ids.push_back(id);
            node.children.push_back(leaf(u"Book " + ascii16(std::to_string(b + 1)), id));
            w.sections.push_back({render_pieces(books[b].pieces, line_numbering::scanned), false});
        }
        c.out.node.children.push_back(std::move(node));
        c.out.works.push_back(std::move(w));
    }
    return true;
}

// The Homeric Hymns: one sectioned work, one section a hymn.
bool build_hymns(context& c) {
    built_work w = sectioned_work(c.author, 0, c.author.label);
    w.marker_scanned = true;
    for (std::size_t i = 0; i < c.author.works.size(); ++i) {
        const auto keys =
            numbered_keys("tlg0013", static_cast<int>(i + 1), static_cast<int>(i + 1));
        const tei_document* doc = c.library.edition(keys[0], c.error);
        if (doc == nullptr) {
            return false;
        }
        const std::int32_t id = c.ids.next();
        w.ids.push_back(id);
        c.out.node.children.push_back(leaf(c.author.works[i].label, id));
        const auto pieces = all_pieces(*doc);
        std::vector<const tei_piece*> lines;
        for (const tei_piece* p : pieces) {
            if (p->type == tei_piece::kind::verse) {
                lines.push_back(p);
            }
        }
        w.sections.push_back({render_pieces(lines, line_numbering::scanned), false});
    }
    c.out.works.push_back(std::move(w));
    return true;
}

// Verse poems of a lyric edition, one section each, in the edition's order.
bool lyric_poems(context& c, const std::string& key, std::vector<section_text>& sections) {
    const tei_document* doc = c.library.edition(key, c.error);
    if (doc == nullptr) {
        return false;
    }
    const auto pieces = all_pieces(*doc);
    for (const auto& poem : group_by(pieces, "poem")) {
        std::vector<const tei_piece*> lines;
        for (const tei_piece* p : poem.pieces) {
            if (p->type == tei_piece::kind::verse || p->type == tei_piece::kind::prose) {
                lines.push_back(p);
            }
        }
        sections.push_back({render_pieces(lines, line_numbering::scanned), false});
    }
    return true;
}

// Bacchylides: the fifteen epinicians and six dithyrambs as one work of 21 sections.
bool build_bacchylides(context& c) {
    built_work w = sectioned_work(c.author, 0, c.author.label);
    w.marker_scanned = true;
    if (!lyric_poems(c, "tlg0199.tlg001", w.sections) ||
        !lyric_poems(c, "tlg0199.tlg002", w.sections)) {
        return false;
    }
    if (w.sections.size() != c.author.works.size()) {
        c.error = "Bacchylides: " + std::to_string(w.sections.size()) + " odes in the editions, " +
                  std::to_string(c.author.works.size()) + " in the catalogue";
        return false;
    }
    for (const auto& work : c.author.works) {
        const std::int32_t id = c.ids.next();
        w.ids.push_back(id);
        c.out.node.children.push_back(leaf(work.label, id));
    }
    // The rows of the epinicians count one section more than the work has, as the table of
    // passages has always given them.
    for (std::size_t i = 0; i < w.ids.size(); ++i) {
        w.row_section_counts.push_back(i <= 14 ? 21 : 20);
    }
    c.out.works.push_back(std::move(w));
    return true;
}

std::vector<std::int32_t> id_span(std::int32_t first, std::int32_t last) {
    std::vector<std::int32_t> ids;
    for (std::int32_t i = first; i <= last; ++i) {
        ids.push_back(i);
    }
    return ids;
}

std::vector<std::int32_t> joined(std::vector<std::int32_t> a, const std::vector<std::int32_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Pindar: four books of odes, each a sectioned work. The Isthmian rows count ten sections,
// of which the edition has eight; the last two rows carry no leaf.
bool build_pindar(context& c) {
    struct book {
        const char* key;
        const char16_t* name;
        std::vector<std::int32_t> rows;
        std::size_t leaves;
    };
    const book books[] = {
        {"tlg0033.tlg001", u"Olympian", joined(id_span(40156, 40163), id_span(40501, 40506)), 14},
        {"tlg0033.tlg002", u"Pythian", joined(id_span(40507, 40508), id_span(40164, 40173)), 12},
        {"tlg0033.tlg003", u"Nemean", id_span(40174, 40184), 11},
        {"tlg0033.tlg004", u"Isthmian", id_span(40185, 40194), 8},
    };
    std::size_t work_index = 0;
    for (const book& b : books) {
        built_work w = sectioned_work(c.author, 0, std::u16string(b.name) + u", " + c.author.label);
        w.marker_scanned = true;
        if (!lyric_poems(c, b.key, w.sections)) {
            return false;
        }
        if (w.sections.size() != b.leaves) {
            c.error = "Pindar, " + to_utf8(b.name) + ": " + std::to_string(w.sections.size()) +
                      " odes in the edition, " + std::to_string(b.leaves) + " in the catalogue";
            return false;
        }
        w.ids = b.rows;
        for (std::size_t i = 0; i < b.leaves; ++i) {
            const std::int32_t id = c.ids.next();
            if (id != b.rows[i]) {
                c.error = "Pindar: leaf identifiers out of step with the rows";
                return false;
            }
            c.out.node.children.push_back(leaf(c.author.works[work_index++].label, id));
        }
        c.out.works.push_back(std::move(w));
    }
    return true;
}

// A book of chapters: the chapter leaves under range items.
struct book_chapters {
    std::vector<catalogue_node> chapters; // leaves
    std::vector<section_text> texts;
};

// Chapters of one book from a citation group; merge_after lets a chapter absorb the ones after
// it (Strabo's fragments of book 7, Anabasis 7.8).
book_chapters chapters_of(std::span<const tei_piece* const> book_pieces, context& c,
                          std::size_t keep = 0) {
    book_chapters out;
    auto groups = group_by(book_pieces, "chapter");
    if (keep != 0 && groups.size() > keep) {
        for (std::size_t i = keep; i < groups.size(); ++i) {
            groups[keep - 1].pieces.insert(groups[keep - 1].pieces.end(), groups[i].pieces.begin(),
                                           groups[i].pieces.end());
        }
        groups.resize(keep);
    }
    for (const auto& g : groups) {
        out.chapters.push_back(leaf(chapter_label(g.n), c.ids.next()));
        out.texts.push_back({render_pieces(g.pieces, line_numbering::prose), false});
    }
    return out;
}

// A prose history: books (level 3) of chapter ranges; the whole work is one sectioned passage.
struct history_book {
    std::string source_book; // the book's n in the edition
    std::size_t keep = 0;    // chapters kept when the edition has more than the catalogue
    const tei_document* edition = nullptr; // another edition than the work's own
};

// A row without a leaf and the text it holds.
struct leafless_row {
    std::int32_t id;
    section_text text;
};

bool build_history(context& c, const std::string& key, const std::vector<history_book>& books,
                   std::int32_t work_code, std::vector<leafless_row> extra_rows = {},
                   std::size_t extra_rows_after = 0) {
    const tei_document* doc = c.library.edition(key, c.error);
    if (doc == nullptr) {
        return false;
    }
    built_work w = sectioned_work(c.author, work_code, c.author.label);
    // Each edition is split into its books once, however many of them are built from it.
    std::map<const tei_document*, std::vector<piece_group>> books_of_edition;
    for (std::size_t b = 0; b < books.size(); ++b) {
        const auto& work = c.author.works[b];
        const tei_document* edition = books[b].edition != nullptr ? books[b].edition : doc;
        auto split = books_of_edition.find(edition);
        if (split == books_of_edition.end()) {
            split = books_of_edition.emplace(edition, group_by(all_pieces(*edition), "book")).first;
        }
        const auto& source_books = split->second;
        const auto it =
            std::find_if(source_books.begin(), source_books.end(),
                         [&](const piece_group& g) { return g.n == books[b].source_book; });
        if (it == source_books.end()) {
            c.error = to_utf8(c.author.label) + ": the edition has no book " + books[b].source_book;
            return false;
        }
        book_chapters chapters = chapters_of(it->pieces, c, books[b].keep);
        if (chapters.chapters.size() != static_cast<std::size_t>(work.leaves)) {
            c.error = to_utf8(c.author.label) + ", " + to_utf8(work.label) + ": " +
                      std::to_string(chapters.chapters.size()) + " chapters in the edition, " +
                      std::to_string(work.leaves) + " in the catalogue";
            return false;
        }
        for (std::size_t i = 0; i < chapters.chapters.size(); ++i) {
            w.ids.push_back(chapters.chapters[i].id);
            w.sections.push_back(std::move(chapters.texts[i]));
            // Rows without a leaf sit after the given section.
            if (!extra_rows.empty() && w.ids.size() == extra_rows_after) {
                for (leafless_row& row : extra_rows) {
                    w.ids.push_back(row.id);
                    w.sections.push_back(std::move(row.text));
                }
            }
        }
        catalogue_node node{work.label, 0, chapter_ranges(chapters.chapters)};
        c.out.node.children.push_back(std::move(node));
    }
    c.out.works.push_back(std::move(w));
    return true;
}

// Diodorus: books 9 and 10 come from a later edition in Beta Code (perseus-later), books 11 to
// 17 from the work's own. The later edition's five fragments of uncertain place ("10a") fill the
// five rows without a leaf (46578 to 46582), which follow the 66th section (book 10, chapter 29).
bool build_diodorus(context& c, const fs::path& later_folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(later_folder, ec)) {
        if (entry.path().extension() == ".xml") {
            files.push_back(entry.path());
        }
    }
    if (files.size() != 1) {
        c.error = "expected one edition of Diodorus' books 9 and 10 in " + later_folder.string();
        return false;
    }
    const auto later = read_beta_code_tei(files.front(), c.error);
    if (!later) {
        return false;
    }
    const auto pieces = all_pieces(*later);
    const auto source_books = group_by(pieces, "book");
    const auto uncertain = std::find_if(source_books.begin(), source_books.end(),
                                        [](const piece_group& g) { return g.n == "10a"; });
    const auto uncertain_chapters = uncertain == source_books.end()
                                        ? std::vector<piece_group>{}
                                        : group_by(uncertain->pieces, "chapter");
    const std::vector<std::int32_t> rows = id_span(46578, 46582);
    if (uncertain_chapters.size() != rows.size()) {
        c.error = "Diodorus: the later edition has " + std::to_string(uncertain_chapters.size()) +
                  " fragments of uncertain place, the passage table five rows for them";
        return false;
    }
    std::vector<leafless_row> extra;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        extra.push_back(
            {rows[i], {render_pieces(uncertain_chapters[i].pieces, line_numbering::prose), false}});
    }
    std::vector<history_book> books = {{"9", 0, &*later}, {"10", 0, &*later}};
    for (int b = 11; b <= 17; ++b) {
        books.push_back({std::to_string(b), 0, nullptr});
    }
    return build_history(c, "tlg0060.tlg001", books, 0, std::move(extra), 66);
}

std::vector<history_book> numbered_books(int first, int last) {
    std::vector<history_book> books;
    for (int b = first; b <= last; ++b) {
        books.push_back({std::to_string(b), 0});
    }
    return books;
}

// Apollodorus: the Library's three books and the Epitome, 40 chapters, ranges with subjects.
bool build_apollodorus(context& c) {
    const tei_document* library = c.library.edition("tlg0548.tlg001", c.error);
    const tei_document* epitome = library ? c.library.edition("tlg0548.tlg002", c.error) : nullptr;
    if (epitome == nullptr) {
        return false;
    }
    struct range {
        std::size_t first;
        std::size_t count;
        const char16_t* label;
    };
    const std::vector<std::vector<range>> ranges = {
        {{0, 6, u"1 - 6 (Theogony)"}, {6, 3, u"7 - 9 (Family of Deucalion)"}},
        {{0, 8, u"1 - 8 (Family of Inachus)"}},
        {{0, 3, u"1 - 3 (Family of Agenor: Europa)"},
         {3, 4, u"4 - 7 (Family of Agenor: Cadmus)"},
         {7, 2, u"8 - 9 (Family of Pelasgus)"},
         {9, 3, u"10 - 12 (Family of Atlas)"},
         {12, 1, u"13 (Family of Asopus)"},
         {13, 2, u"14 - 15 (Kings of Athens)"},
         {15, 1, u"16 (Theseus)"}},
        {{0, 7, u"1 - 7"}},
    };
    const char16_t* epitome_subjects[] = {
        u"1 (Theseus continued)",    u"2 (Pelops and his House)", u"3 (The Gathering against Troy)",
        u"4 (The War at Troy)",      u"5 (The Fall of Troy)",     u"6 (The Returns)",
        u"7 (Wanderings of Ulysses)"};
    built_work w = sectioned_work(c.author, 0, c.author.label);
    const auto library_pieces = all_pieces(*library);
    const auto books = group_by(library_pieces, "book");
    const auto epitome_pieces = all_pieces(*epitome);
    for (std::size_t b = 0; b < 4; ++b) {
        book_chapters chapters;
        if (b < 3) {
            if (b >= books.size()) {
                c.error = "Apollodorus: the Library has fewer than three books";
                return false;
            }
            chapters = chapters_of(books[b].pieces, c);
        } else {
            chapters = chapters_of(epitome_pieces, c);
            for (std::size_t i = 0; i < chapters.chapters.size() && i < 7; ++i) {
                chapters.chapters[i].label = epitome_subjects[i];
            }
        }
        if (chapters.chapters.size() != static_cast<std::size_t>(c.author.works[b].leaves)) {
            c.error = "Apollodorus, " + to_utf8(c.author.works[b].label) + ": " +
                      std::to_string(chapters.chapters.size()) + " chapters in the edition";
            return false;
        }
        catalogue_node node{c.author.works[b].label, 0, {}};
        for (const range& r : ranges[b]) {
            catalogue_node range_node{r.label, 0, {}};
            for (std::size_t i = r.first; i < r.first + r.count; ++i) {
                range_node.children.push_back(chapters.chapters[i]);
            }
            node.children.push_back(std::move(range_node));
        }
        for (std::size_t i = 0; i < chapters.chapters.size(); ++i) {
            w.ids.push_back(chapters.chapters[i].id);
            w.sections.push_back(std::move(chapters.texts[i]));
        }
        c.out.node.children.push_back(std::move(node));
    }
    c.out.works.push_back(std::move(w));
    return true;
}

std::u16string roman(int n) {
    static const std::pair<int, const char16_t*> numerals[] = {
        {10, u"X"}, {9, u"IX"}, {5, u"V"}, {4, u"IV"}, {1, u"I"}};
    std::u16string out;
    for (const auto& [value, text] : numerals) {
        while (n >= value) {
            out += text;
            n -= value;
        }
    }
    return out;
}

// Xenophon: five sectioned works (work codes 32 to 37) among eight single passages.
bool build_xenophon(context& c) {
    for (const auto& work : c.author.works) {
        const std::u16string& label = work.label;
        const std::u16string title = label + u", " + c.author.label;
        if (label == u"Agesilaus" || label == u"Constitution of the Lacedaemonians") {
            const bool agesilaus = label == u"Agesilaus";
            const tei_document* doc =
                c.library.edition(agesilaus ? "tlg0032.tlg009" : "tlg0032.tlg010", c.error);
            if (doc == nullptr) {
                return false;
            }
            built_work w = sectioned_work(c.author, agesilaus ? 32 : 34, title);
            catalogue_node node{label, 0, {}};
            const auto pieces = all_pieces(*doc);
            const auto chapters = group_by(pieces, "chapter");
            for (std::size_t i = 0; i < chapters.size(); ++i) {
                const int n = static_cast<int>(i + 1);
                const std::int32_t id = c.ids.next();
                node.children.push_back(leaf(
                    agesilaus ? u"Part " + ascii16(std::to_string(n)) : u"Part " + roman(n), id));
                w.ids.push_back(id);
                w.sections.push_back(
                    {render_pieces(chapters[i].pieces, line_numbering::prose), false});
            }
            if (chapters.size() != static_cast<std::size_t>(work.leaves)) {
                c.error = "Xenophon, " + to_utf8(label) + ": " + std::to_string(chapters.size()) +
                          " chapters in the edition";
                return false;
            }
            c.out.node.children.push_back(std::move(node));
            c.out.works.push_back(std::move(w));
            continue;
        }
        if (label == u"Anabasis" || label == u"Cyropaedia" || label == u"Hellenica") {
            const std::string key = label == u"Anabasis"     ? "tlg0032.tlg006"
                                    : label == u"Cyropaedia" ? "tlg0032.tlg007"
                                                             : "tlg0032.tlg001";
            const std::int32_t code = label == u"Anabasis" ? 33 : label == u"Cyropaedia" ? 35 : 37;
            const tei_document* doc = c.library.edition(key, c.error);
            if (doc == nullptr) {
                return false;
            }
            built_work w = sectioned_work(c.author, code, title);
            catalogue_node node{label, 0, {}};
            const auto pieces = all_pieces(*doc);
            const auto books = group_by(pieces, "book");
            for (std::size_t b = 0; b < books.size(); ++b) {
                // The edition divides Anabasis book 7 into eight chapters; the catalogue has
                // seven, so the eighth is read with the seventh.
                const std::size_t keep = (code == 33 && books[b].n == "7") ? 7 : 0;
                book_chapters chapters = chapters_of(books[b].pieces, c, keep);
                for (std::size_t i = 0; i < chapters.chapters.size(); ++i) {
                    w.ids.push_back(chapters.chapters[i].id);
                    w.sections.push_back(std::move(chapters.texts[i]));
                }
                node.children.push_back(
                    {u"Book " + ascii16(books[b].n), 0, chapter_ranges(chapters.chapters)});
            }
            if (w.ids.size() != static_cast<std::size_t>(work.leaves)) {
                c.error = "Xenophon, " + to_utf8(label) + ": " + std::to_string(w.ids.size()) +
                          " chapters in the edition, " + std::to_string(work.leaves) +
                          " in the catalogue";
                return false;
            }
            c.out.node.children.push_back(std::move(node));
            c.out.works.push_back(std::move(w));
            continue;
        }
        static const std::map<std::u16string, std::string> singles = {
            {u"Apology of Socrates", "tlg0032.tlg005"},
            {u"Hiero", "tlg0032.tlg008"},
            {u"Memorabilia", "tlg0032.tlg002"},
            {u"On Horsemanship", "tlg0032.tlg013"},
            {u"On Hunting", "tlg0032.tlg014"},
            {u"On the Cavalry Commander", "tlg0032.tlg012"},
            {u"Symposium", "tlg0032.tlg004"},
            {u"Ways and Means", "tlg0032.tlg011"}};
        const auto it = singles.find(label);
        if (it == singles.end()) {
            c.error = "Xenophon: no source for " + to_utf8(label);
            return false;
        }
        const tei_document* doc = c.library.edition(it->second, c.error);
        if (doc == nullptr) {
            return false;
        }
        const std::int32_t id = c.ids.next();
        c.out.node.children.push_back(leaf(label, id));
        built_work w = single_work(c.author, id, title);
        const auto pieces = all_pieces(*doc);
        w.sections.push_back({render_pieces(pieces, line_numbering::prose), false});
        c.out.works.push_back(std::move(w));
    }
    return true;
}

} // namespace

std::vector<catalogue_node> chapter_ranges(const std::vector<catalogue_node>& chapters) {
    std::vector<catalogue_node> ranges;
    std::size_t i = 0;
    while (i < chapters.size()) {
        const std::size_t size =
            std::min<std::size_t>(ranges.empty() ? 9 : 10, chapters.size() - i);
        catalogue_node range;
        const std::u16string& first = chapters[i].label;
        const std::u16string& last = chapters[i + size - 1].label;
        range.label = (ranges.empty() && size == 9) ? first + u" - 9" : first + u" - " + last;
        range.children.assign(chapters.begin() + static_cast<std::ptrdiff_t>(i),
                              chapters.begin() + static_cast<std::ptrdiff_t>(i + size));
        ranges.push_back(std::move(range));
        i += size;
    }
    return ranges;
}

bool build_classical_author(const outline_author& author, const fs::path& texts, author_texts& out,
                            std::string& error) {
    perseus_library library(texts / "perseus" / "data");
    out.node = {author.label, 0, {}};
    context c{author, library, out, error, id_source(leaf_ids(author))};
    const auto prose = line_numbering::prose;
    const auto verse = line_numbering::verse;
    bool ok = false;
    switch (author.author_number) {
    case 17:
        ok = build_homer(c);
        break;
    case 15:
        ok = build_singles(c, listed_keys("tlg0020", {3, 1, 2}), verse);
        break;
    case 16:
        ok = build_hymns(c);
        break;
    case 8:
        ok = build_bacchylides(c);
        break;
    case 24:
        ok = build_pindar(c);
        break;
    case 1:
        ok = build_singles(c, listed_keys("tlg0085", {5, 7, 6, 2, 3, 4, 1}), verse);
        break;
    case 28:
        ok = build_singles(c, listed_keys("tlg0011", {3, 2, 5, 4, 7, 6, 1}), verse);
        break;
    case 13:
        ok = build_singles(c,
                           listed_keys("tlg0006", {2, 6, 17, 1, 12, 7, 14, 9, 4, 5, 10, 13, 18, 3,
                                                   16, 15, 19, 8, 11}),
                           verse);
        break;
    case 6:
        ok = build_singles(c, listed_keys("tlg0019", {1, 6, 3, 10, 9, 2, 7, 5, 11, 8, 4}), verse);
        break;
    case 14:
        ok = build_history(c, "tlg0016.tlg001", numbered_books(1, 9), 0);
        break;
    case 30:
        ok = build_history(c, "tlg0003.tlg001", numbered_books(1, 8), 0);
        break;
    case 31:
        ok = build_xenophon(c);
        break;
    case 5:
        ok = build_apollodorus(c);
        break;
    case 12:
        ok = build_diodorus(c, texts / "perseus-later" / "data" / "tlg0060" / "tlg001");
        break;
    case 29: {
        std::vector<history_book> books = numbered_books(6, 14);
        books[1].keep = 7; // book 7's fragments are read with its seventh chapter
        ok = build_history(c, "tlg0099.tlg001", books, 0);
        break;
    }
    case 26:
        ok = build_singles(c, listed_keys("tlg0007", {15, 24, 35, 32, 38, 12, 7, 10, 1}), prose);
        break;
    case 23:
        ok = build_history(c, "tlg0525.tlg001", numbered_books(1, 10), 0);
        break;
    case 4:
        ok = build_singles(c, numbered_keys("tlg0028", 1, 6), prose);
        break;
    case 3:
        ok = build_singles(c, numbered_keys("tlg0027", 1, 4), prose);
        break;
    case 22:
        ok = build_singles(c, numbered_keys("tlg0540", 1, 34), prose);
        break;
    case 20: {
        auto keys = listed_keys(
            "tlg0010", {7, 13, 14, 11, 20, 16, 18, 17, 15, 9, 10, 21, 8, 12, 19, 4, 5, 2, 6, 3, 1});
        std::string letters;
        for (const auto& k : numbered_keys("tlg0010", 22, 30)) {
            letters += (letters.empty() ? "" : "+") + k;
        }
        keys.push_back(letters);
        ok = build_singles(c, keys, prose);
        break;
    }
    case 19:
        ok = build_singles(c, numbered_keys("tlg0017", 1, 12), prose);
        break;
    case 2:
        ok = build_singles(c, numbered_keys("tlg0026", 1, 3), prose);
        break;
    case 21:
        ok = build_singles(c, numbered_keys("tlg0034", 1, 1), prose);
        break;
    case 9:
        ok = build_singles(c, numbered_keys("tlg0014", 1, 63), prose);
        break;
    case 18:
        ok = build_singles(c, listed_keys("tlg0030", {1, 0, 2, 3, 4, 5, 6}), prose);
        break;
    case 10:
        ok = build_singles(c, numbered_keys("tlg0535", 1, 1), prose);
        break;
    case 11:
        ok = build_singles(c, numbered_keys("tlg0029", 4, 6), prose);
        break;
    case 25:
        ok = build_singles(c,
                           listed_keys("tlg0059", {13, 14, 2,  18, 29, 5,  32, 3,  35, 21, 1,  23,
                                                   25, 15, 27, 19, 34, 26, 36, 16, 20, 28, 24, 33,
                                                   9,  4,  12, 10, 22, 30, 7,  8,  11, 6,  17, 31}),
                           prose);
        break;
    case 7:
        ok = build_singles(c, listed_keys("tlg0086", {29, 9, 25, 10, 34, 35, 38, 45}), prose);
        break;
    default:
        error = "no classical source for " + to_utf8(author.label);
        return false;
    }
    if (ok && !c.ids.exhausted()) {
        error = to_utf8(author.label) + ": fewer leaves built than the catalogue gives";
        return false;
    }
    return ok;
}

} // namespace veso::corpus
