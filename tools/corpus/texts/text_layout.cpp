#include "texts/text_layout.h"

#include "texts/greek_cleaning.h"

#include <algorithm>

namespace veso::corpus {
namespace {

void flatten(const catalogue_node& node, int depth, std::vector<entry_data>& out) {
    out.push_back({depth, node.label, node.children.empty() ? node.id : 0});
    for (const auto& child : node.children) {
        flatten(child, depth + 1, out);
    }
}

// The catalogue path of every leaf: "label, parent, ..., genre".
void leaf_titles(const catalogue_node& node, const std::u16string& suffix,
                 std::vector<std::pair<std::int32_t, std::u16string>>& out) {
    const std::u16string title = node.label + suffix;
    if (node.children.empty()) {
        out.emplace_back(node.id, title);
    }
    for (const auto& child : node.children) {
        leaf_titles(child, u", " + title, out);
    }
}

} // namespace

std::u16string missing_notice(std::u16string_view what) {
    std::u16string text(what);
    text += u": the text is not in the open corpus from which these files were built.";
    text.push_back(line_end);
    return text;
}

const std::vector<std::pair<std::int32_t, std::int32_t>>& table_keys() {
    static const std::vector<std::pair<std::int32_t, std::int32_t>> keys = {
        {14, -1}, {30, -1}, {31, 32}, {31, 33}, {31, 34}, {31, 35}, {31, 37},
        {23, -1}, {29, -1}, {12, -1}, {5, -1},  {38, -1}, {0, 32}};
    return keys;
}

int table_index(std::int32_t author_number, std::int32_t work_code) {
    const auto& keys = table_keys();
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if ((keys[k].first == 0 || keys[k].first == author_number) &&
            (keys[k].second == -1 || keys[k].second == work_code)) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

laid_out_texts lay_out(const std::vector<std::u16string>& genres,
                       const std::vector<std::pair<std::size_t, author_texts>>& authors) {
    laid_out_texts out;
    out.files[static_cast<std::size_t>(text_file::septuagint)] = u"\uFEFF\r\r\r";
    std::vector<std::pair<std::int32_t, std::u16string>> titles;
    for (std::size_t g = 0; g < genres.size(); ++g) {
        out.catalogue.push_back({1, genres[g], 0});
        for (const auto& [genre, author] : authors) {
            if (genre != g) {
                continue;
            }
            flatten(author.node, 2, out.catalogue);
            leaf_titles(author.node, u", " + genres[g], titles);
            for (const built_work& w : author.works) {
                std::u16string& file = out.files[static_cast<std::size_t>(w.file)];
                placed_work p{&w, static_cast<std::int32_t>(file.size()), 0, {}};
                for (const section_text& s : w.sections) {
                    p.section_offsets.push_back(static_cast<std::int32_t>(file.size()) -
                                                p.unit_offset);
                    file += s.text;
                }
                p.unit_length = static_cast<std::int32_t>(file.size()) - p.unit_offset;
                const auto count = static_cast<std::int32_t>(w.ids.size()) - 1;
                for (std::size_t k = 0; k < w.ids.size(); ++k) {
                    row_data row{w.ids[k],
                                 w.author_number,
                                 w.work_code,
                                 p.unit_offset * 2,
                                 p.unit_length * 2,
                                 0,
                                 0,
                                 w.kind};
                    if (w.kind == work_kind::sectioned) {
                        row.section = static_cast<std::int32_t>(k);
                        row.section_count =
                            w.row_section_counts.empty() ? count : w.row_section_counts[k];
                    }
                    out.rows.push_back(row);
                }
                out.placed.push_back(std::move(p));
            }
        }
    }
    std::sort(out.rows.begin(), out.rows.end(),
              [](const row_data& a, const row_data& b) { return a.id < b.id; });
    // Each sectioned work takes the first table whose key it matches, as the program looks.
    out.tables.reserve(table_keys().size());
    for (const auto& [author, code] : table_keys()) {
        out.tables.push_back({author, code, {}});
    }
    for (const placed_work& p : out.placed) {
        if (p.work->kind != work_kind::sectioned) {
            continue;
        }
        const int k = table_index(p.work->author_number, p.work->work_code);
        if (k >= 0 && out.tables[static_cast<std::size_t>(k)].starts.empty()) {
            out.tables[static_cast<std::size_t>(k)].starts = p.section_offsets;
        }
    }
    std::sort(titles.begin(), titles.end());
    for (const placed_work& p : out.placed) {
        for (std::size_t k = 0; k < p.work->sections.size(); ++k) {
            if (!p.work->sections[k].missing) {
                continue;
            }
            const std::int32_t id = p.work->ids[k];
            const auto it = std::lower_bound(titles.begin(), titles.end(),
                                             std::make_pair(id, std::u16string()));
            if (it != titles.end() && it->first == id) {
                out.missing.push_back({id, it->second});
            }
        }
    }
    std::sort(out.missing.begin(), out.missing.end(),
              [](const missing_passage& a, const missing_passage& b) { return a.id < b.id; });
    out.main_file_length = static_cast<std::int32_t>(out.files[0].size() * 2);
    out.new_testament_byte_length = static_cast<std::int32_t>(out.files[2].size() * 2);
    for (const row_data& r : out.rows) {
        if (r.kind == work_kind::chapter) {
            out.last_septuagint_offset = std::max(out.last_septuagint_offset, r.file_offset);
        }
    }
    return out;
}

} // namespace veso::corpus
