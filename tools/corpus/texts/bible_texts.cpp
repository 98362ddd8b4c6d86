#include "texts/bible_texts.h"

#include "common/unicode_text.h"
#include "texts/greek_cleaning.h"

#include <fstream>
#include <map>
#include <sstream>

namespace veso::corpus {
namespace {

namespace fs = std::filesystem;

std::u16string ascii16(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

bool read_lines(const fs::path& file, std::vector<std::string>& lines, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot read " + file.string();
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
    }
    return true;
}

struct verse {
    std::string label;
    std::u16string text;
};

struct chapter {
    std::string label;
    std::vector<verse> verses;
    bool missing = false;
    std::u16string notice;
};

std::u16string render_chapter(const chapter& ch, std::u16string_view heading) {
    if (ch.missing) {
        return missing_notice(ch.notice);
    }
    std::u16string out;
    if (!heading.empty()) {
        out += bold(heading);
        out.push_back(line_end);
    }
    for (const verse& v : ch.verses) {
        out += marker(ascii16(v.label));
        out.push_back(u' ');
        out += v.text;
        out.push_back(line_end);
    }
    return out;
}

// --- New Testament ---------------------------------------------------------------------------

const char* const nt_books[] = {"Matt", "Mark",  "Luke",  "John",  "Acts", "Rom",    "1Cor",
                                "2Cor", "Gal",   "Eph",   "Phil",  "Col",  "1Thess", "2Thess",
                                "1Tim", "2Tim",  "Titus", "Phlm",  "Heb",  "Jas",    "1Pet",
                                "2Pet", "1John", "2John", "3John", "Jude", "Rev"};

bool read_nt_book(const fs::path& file, std::u16string& title, std::vector<chapter>& chapters,
                  std::string& error) {
    std::vector<std::string> lines;
    if (!read_lines(file, lines, error)) {
        return false;
    }
    for (const std::string& line : lines) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos) {
            if (title.empty() && !line.empty()) {
                title = clean_greek(utf16_from_utf8(line));
            }
            continue;
        }
        const auto space = line.rfind(' ', tab);
        const auto colon = line.find(':', space == std::string::npos ? 0 : space);
        if (space == std::string::npos || colon == std::string::npos || colon > tab) {
            error =
                file.string() + ": unreadable verse reference in \"" + line.substr(0, tab) + "\"";
            return false;
        }
        const std::string ch = line.substr(space + 1, colon - space - 1);
        const std::string vs = line.substr(colon + 1, tab - colon - 1);
        if (chapters.empty() || chapters.back().label != ch) {
            chapters.push_back({ch, {}, false, {}});
        }
        chapters.back().verses.push_back({vs, clean_greek(utf16_from_utf8(line.substr(tab + 1)))});
    }
    return true;
}

// --- Septuagint ------------------------------------------------------------------------------

// Swete's token files: "book.chapter.verse token" a line.
bool read_swete(const fs::path& file, std::vector<chapter>& chapters, std::string& error) {
    std::vector<std::string> lines;
    if (!read_lines(file, lines, error)) {
        return false;
    }
    std::string raw;
    auto finish_verse = [&] {
        if (!chapters.empty() && !chapters.back().verses.empty()) {
            chapters.back().verses.back().text = clean_greek(utf16_from_utf8(raw));
        }
        raw.clear();
    };
    for (const std::string& line : lines) {
        if (line.empty()) {
            continue;
        }
        const auto space = line.find(' ');
        const std::string ref = line.substr(0, space);
        const auto d1 = ref.find('.');
        const auto d2 = ref.find('.', d1 == std::string::npos ? 0 : d1 + 1);
        if (space == std::string::npos || d1 == std::string::npos || d2 == std::string::npos) {
            error = file.string() + ": unreadable line \"" + line.substr(0, 40) + "\"";
            return false;
        }
        const std::string ch = ref.substr(d1 + 1, d2 - d1 - 1);
        const std::string vs = ref.substr(d2 + 1);
        if (chapters.empty() || chapters.back().label != ch) {
            finish_verse();
            chapters.push_back({ch, {}, false, {}});
        }
        if (chapters.back().verses.empty() || chapters.back().verses.back().label != vs) {
            finish_verse();
            chapters.back().verses.push_back({vs, {}});
        }
        raw += line.substr(space + 1);
        raw += ' ';
    }
    finish_verse();
    return true;
}

// Brenton's chapter files: title, "n.", then one verse a line.
bool read_brenton(const fs::path& folder, const std::string& book, int count,
                  std::vector<chapter>& chapters, std::string& error) {
    for (int c = 1; c <= count; ++c) {
        char name[64];
        std::snprintf(name, sizeof name, "grcbrent_%s_%02d_read.txt", book.c_str(), c);
        std::vector<std::string> lines;
        if (!read_lines(folder / name, lines, error)) {
            return false;
        }
        chapter ch{std::to_string(c), {}, false, {}};
        int v = 0;
        for (std::size_t i = 2; i < lines.size(); ++i) {
            std::u16string text = clean_greek(utf16_from_utf8(lines[i]));
            if (!text.empty()) {
                ch.verses.push_back({std::to_string(++v), std::move(text)});
            }
        }
        chapters.push_back(std::move(ch));
    }
    return true;
}

// Both adjustments leave the chapters alone when the source is not shaped as expected; the count
// check that follows then names the book.
void merge_into_previous(std::vector<chapter>& chapters, std::size_t index) {
    if (index == 0 || index >= chapters.size()) {
        return;
    }
    auto& target = chapters[index - 1];
    for (auto& v : chapters[index].verses) {
        target.verses.push_back(std::move(v));
    }
    chapters.erase(chapters.begin() + static_cast<std::ptrdiff_t>(index));
}

// Splits the chapter at the first verse labelled at (the new chapter takes the label given).
bool split_at(std::vector<chapter>& chapters, std::size_t index, const std::string& at,
              const std::string& label) {
    if (index >= chapters.size()) {
        return false;
    }
    auto& verses = chapters[index].verses;
    for (std::size_t i = 1; i < verses.size(); ++i) {
        if (verses[i].label == at) {
            chapter second{label, {}, false, {}};
            second.verses.assign(verses.begin() + static_cast<std::ptrdiff_t>(i), verses.end());
            verses.resize(i);
            chapters.insert(chapters.begin() + static_cast<std::ptrdiff_t>(index + 1),
                            std::move(second));
            return true;
        }
    }
    return false;
}

std::size_t find_chapter(const std::vector<chapter>& chapters, const std::string& label) {
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        if (chapters[i].label == label) {
            return i;
        }
    }
    return chapters.size();
}

// One book of the catalogue: its Swete files, or Brenton, or a gap, and the adjustments that
// bring Swete's chapter division to the catalogue's count.
bool septuagint_book(const std::u16string& name, int leaves, const fs::path& swete,
                     const fs::path& brenton, std::vector<chapter>& chapters, std::string& error) {
    auto swete_files = [&](std::initializer_list<const char*> files, const char* prefix) {
        for (const char* f : files) {
            std::vector<chapter> part;
            if (!read_swete(swete / (std::string(f) + ".txt"), part, error)) {
                return false;
            }
            for (auto& ch : part) {
                ch.label = prefix + ch.label;
                chapters.push_back(std::move(ch));
            }
        }
        return true;
    };
    auto gap = [&](const char16_t* what) {
        for (int c = 1; c <= leaves; ++c) {
            chapter ch{std::to_string(c), {}, true, {}};
            ch.notice = std::u16string(what) + u", chapter " + ascii16(std::to_string(c));
            chapters.push_back(std::move(ch));
        }
        return true;
    };
    auto renumber = [&] {
        for (std::size_t i = 0; i < chapters.size(); ++i) {
            chapters[i].label = std::to_string(i + 1);
        }
    };
    static const std::map<std::u16string, const char*> plain = {
        {u"Gen", "01.Genesis"},
        {u"Ex", "02.Exodus"},
        {u"Leu", "03.Leviticus"},
        {u"Num", "04.Numeri"},
        {u"Deut", "05.Deuteronomium"},
        {u"Ruth", "10.Ruth"},
        {u"Idt", "20.Judith"},
        {u"TobBA", "21.Tobias"},
        {u"Ps", "27.Psalmi"},
        {u"Prou", "29.Proverbia"},
        {u"Cant", "31.Canticum"},
        {u"Iob", "32.Job"},
        {u"PsSal", "35.Psalmi_Salomonis"},
        {u"Os", "36.Osee"},
        {u"Am", "37.Amos"},
        {u"Mich", "38.Michaeas"},
        {u"Abd", "40.Abdias"},
        {u"Ion", "41.Jonas"},
        {u"Nah", "42.Nahum"},
        {u"Hab", "43.Habacuc"},
        {u"Soph", "44.Sophonias"},
        {u"Agg", "45.Aggaeus"},
        {u"Zach", "46.Zacharias"},
        {u"Is", "48.Isaias"},
        {u"Bar", "50.Baruch"},
        {u"Ez", "53.Ezechiel"},
        {u"Sus", "54.Susanna_translatio_Graeca"},
        {u"SusTh", "55.Susanna_Theodotionis_versio"},
        {u"Dan", "56.Daniel_translatio_Graeca"},
        {u"DanTh", "57.Daniel_Theodotionis_versio"},
        {u"Bel", "58.Bel_et_Draco_translatio_Graeca"},
        {u"BelTh", "59.Bel_et_Draco_Theodotionis_versio"}};
    bool ok = true;
    if (auto it = plain.find(name); it != plain.end()) {
        ok = swete_files({it->second}, "");
    } else if (name == u"Ios") {
        // Swete's Joshua 24 runs on to the death of Joshua (24:29-33b); that is the 25th leaf.
        ok = swete_files({"06.Josue"}, "") && split_at(chapters, chapters.size() - 1, "29", "25");
    } else if (name == u"IudA") {
        ok = gap(u"Judges, text A");
    } else if (name == u"IudB") {
        ok = read_brenton(brenton, "008_JDG", leaves, chapters, error);
    } else if (name == u"Regn") {
        // Four books of 31, 24, 22 and 25 chapters; the catalogue has 100 leaves, so the last two
        // chapters of the third and of the fourth book are read together.
        ok = swete_files({"11.Regnorum_I", "12.Regnorum_II", "13.Regnorum_III", "14.Regnorum_IV"},
                         "n");
        if (ok) {
            merge_into_previous(chapters, 31 + 24 + 21);
            merge_into_previous(chapters, chapters.size() - 1);
        }
    } else if (name == u"Par") {
        ok = swete_files({"15.Paralipomenon_I", "16.Paralipomenon_II"}, "r");
    } else if (name == u"Esdr") {
        ok = swete_files({"17.Esdras_A", "18.Esdras_B"}, "r");
    } else if (name == u"Est") {
        // The prologue (addition A) is the first "1"; chapter 4 is split where addition D begins.
        ok = swete_files({"19.Esther"}, "");
        if (ok && !chapters.empty()) {
            chapters[0].label = "1";
            ok = split_at(chapters, find_chapter(chapters, "4"), "1b", "4");
        }
    } else if (name == u"TobS") {
        ok = gap(u"Tobit, text S");
    } else if (name == u"Mac") {
        ok = swete_files({"23.Machabaeorum_i", "24.Machabaeorum_ii", "25.Machabaeorum_iii",
                          "26.Machabaeorum_iv"},
                         "c");
    } else if (name == u"Od") {
        // Swete prints the fourth ode in two parts (iva, ivb): one leaf.
        ok = swete_files({"28.Odae"}, "");
        if (ok) {
            const std::size_t b = find_chapter(chapters, "ivb");
            ok = b < chapters.size() && b > 0;
            if (ok) {
                merge_into_previous(chapters, b);
                chapters[b - 1].label = "4";
            }
        }
    } else if (name == u"Eccl") {
        ok = read_brenton(brenton, "022_ECC", leaves, chapters, error);
    } else if (name == u"Sap") {
        // Swete's file numbers the chapters after 14 one too high; they are counted afresh.
        ok = swete_files({"33.Sapientia_Salomonis"}, "");
        renumber();
    } else if (name == u"Sir") {
        // The prologue is read with chapter 1 and chapter 51 with chapter 50.
        ok = swete_files({"34.Ecclesiasticus"}, "");
        if (ok && chapters.size() > 2) {
            merge_into_previous(chapters, chapters.size() - 1);
            merge_into_previous(chapters, 1);
            chapters.front().label = "1";
        }
    } else if (name == u"Ioel") {
        // Swete's chapter 2 holds the Hebrew chapters 2 and 3 (3 begins at 2:28); counted 1 to 4.
        ok = swete_files({"39.Joel"}, "") && split_at(chapters, 1, "28", "3");
        renumber();
    } else if (name == u"Mal") {
        // Swete's chapter 4 is read with chapter 3.
        ok = swete_files({"47.Malachias"}, "");
        if (ok) {
            merge_into_previous(chapters, chapters.size() - 1);
        }
    } else if (name == u"Ier") {
        // Swete has 52 chapters; the catalogue 46: chapters 46 to 52 make the last leaf.
        ok = swete_files({"49.Jeremias"}, "");
        while (ok && chapters.size() > 46) {
            merge_into_previous(chapters, chapters.size() - 1);
        }
    } else if (name == u"Lam") {
        // Lamentations' five chapters and the Epistle of Jeremiah as the sixth.
        ok = swete_files({"51.Threni_seu_Lamentationes", "52.Epistula_Jeremiae"}, "");
        if (ok && !chapters.empty()) {
            chapters.back().label = "6";
        }
    } else {
        error = "no Septuagint source for " + to_utf8(name);
        return false;
    }
    if (ok && chapters.size() != static_cast<std::size_t>(leaves)) {
        error = "Septuagint, " + to_utf8(name) + ": " + std::to_string(chapters.size()) +
                " chapters built, the catalogue has " + std::to_string(leaves);
        return false;
    }
    if (!ok && error.empty()) {
        error = "Septuagint, " + to_utf8(name) + ": the chapter mapping does not fit the source";
    }
    return ok;
}

} // namespace

bool build_new_testament(const outline_author& author, const fs::path& sblgnt_text,
                         author_texts& out, std::string& error) {
    out.node = {author.label, 0, {}};
    built_work w;
    w.file = text_file::new_testament;
    w.kind = work_kind::sectioned;
    w.author_number = author.author_number;
    w.work_code = 32;
    w.title = author.label;
    const auto ids = leaf_ids(author);
    std::size_t next = 0;
    for (std::size_t b = 0; b < author.works.size(); ++b) {
        std::u16string title;
        std::vector<chapter> chapters;
        if (b >= std::size(nt_books) ||
            !read_nt_book(sblgnt_text / (std::string(nt_books[b]) + ".txt"), title, chapters,
                          error)) {
            if (error.empty()) {
                error = "no New Testament source for " + to_utf8(author.works[b].label);
            }
            return false;
        }
        if (chapters.size() != static_cast<std::size_t>(author.works[b].leaves)) {
            error = "New Testament, " + to_utf8(author.works[b].label) + ": " +
                    std::to_string(chapters.size()) + " chapters";
            return false;
        }
        catalogue_node book{author.works[b].label, 0, {}};
        for (std::size_t c = 0; c < chapters.size(); ++c) {
            const std::int32_t id = next < ids.size() ? ids[next++] : 0;
            book.children.push_back({ascii16(chapters[c].label), id, {}});
            w.ids.push_back(id);
            w.sections.push_back({render_chapter(chapters[c], c == 0 ? title : u""), false});
        }
        out.node.children.push_back(std::move(book));
    }
    out.works.push_back(std::move(w));
    return true;
}

bool build_septuagint(const outline_author& author, const fs::path& swete_data,
                      const fs::path& brenton_chapters, author_texts& out, std::string& error) {
    out.node = {author.label, 0, {}};
    const auto ids = leaf_ids(author);
    std::size_t next = 0;
    for (const auto& work : author.works) {
        std::vector<chapter> chapters;
        if (!septuagint_book(work.label, work.leaves, swete_data, brenton_chapters, chapters,
                             error)) {
            return false;
        }
        catalogue_node book{work.label, 0, {}};
        for (const chapter& ch : chapters) {
            const std::int32_t id = next < ids.size() ? ids[next++] : 0;
            book.children.push_back({ascii16(ch.label), id, {}});
            built_work w;
            w.file = text_file::septuagint;
            w.kind = work_kind::chapter;
            w.author_number = author.author_number;
            w.work_code = 40;
            w.title = ascii16(ch.label) + u", " + work.label + u", " + author.label;
            w.ids = {id};
            w.sections.push_back({render_chapter(ch, u""), ch.missing});
            out.works.push_back(std::move(w));
        }
        out.node.children.push_back(std::move(book));
    }
    return true;
}

} // namespace veso::corpus
