#include "texts/passage_rendering.h"

#include "texts/greek_cleaning.h"

#include <charconv>
#include <optional>

namespace veso::corpus {
namespace {

std::optional<int> whole_number(std::string_view s) {
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) {
        return std::nullopt;
    }
    return value;
}

std::u16string number_text(int n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

void append_line(std::u16string& out, std::u16string_view prefix, std::u16string_view text) {
    out.append(prefix);
    out.append(text);
    out.push_back(line_end);
}

// Numbers the verse lines: the edition's number where it gives a whole number, else one more
// than the line before; lettered lines (45a) keep the count and carry no marker.
std::vector<std::optional<int>> verse_numbers(std::span<const tei_piece* const> pieces) {
    std::vector<std::optional<int>> numbers;
    int counter = 0;
    for (const tei_piece* p : pieces) {
        if (p->type != tei_piece::kind::verse) {
            numbers.emplace_back();
            continue;
        }
        if (auto n = whole_number(p->line_number)) {
            counter = *n;
            numbers.emplace_back(counter);
        } else if (p->line_number.empty()) {
            numbers.emplace_back(++counter);
        } else {
            numbers.emplace_back();
        }
    }
    return numbers;
}

// A scanned section may hold no bracket but its own line markers: division numbers that the
// edition's prose pieces carry are removed.
std::u16string without_markers(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'[') {
            const std::size_t close = text.find(u']', i);
            if (close != std::u16string_view::npos) {
                i = close;
                while (i + 1 < text.size() && text[i + 1] == u' ') {
                    ++i;
                }
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

} // namespace

std::u16string render_pieces(std::span<const tei_piece* const> pieces, line_numbering numbering) {
    std::u16string out;
    if (numbering == line_numbering::prose) {
        for (const tei_piece* p : pieces) {
            append_line(out, {}, p->text);
        }
        return out;
    }
    const auto numbers = verse_numbers(pieces);
    if (numbering == line_numbering::verse) {
        int last_marked = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            std::u16string prefix;
            if (numbers[i] && *numbers[i] % 5 == 0 && *numbers[i] > last_marked) {
                last_marked = *numbers[i];
                prefix = marker(number_text(*numbers[i])) + u" ";
            }
            append_line(out, prefix, pieces[i]->text);
        }
        return out;
    }
    // A scanned section: every piece is one physical line. Only the forced marker may read "[5]"
    // or "[3]", so the first one in the section is always on its fifth (third) line.
    const std::size_t forced = pieces.size() >= 5 ? 5 : (pieces.size() >= 3 ? 3 : 0);
    int last_marked = static_cast<int>(forced);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::u16string prefix;
        if (i + 1 == forced) {
            prefix = marker(number_text(static_cast<int>(forced))) + u" ";
        } else if (i + 1 > forced && numbers[i] && *numbers[i] % 5 == 0 && *numbers[i] >= 10 &&
                   *numbers[i] > last_marked) {
            last_marked = *numbers[i];
            prefix = marker(number_text(*numbers[i])) + u" ";
        }
        append_line(out, prefix, without_markers(pieces[i]->text));
    }
    return out;
}

std::vector<const tei_piece*> all_pieces(const tei_document& doc) {
    std::vector<const tei_piece*> out;
    out.reserve(doc.pieces.size());
    for (const tei_piece& p : doc.pieces) {
        out.push_back(&p);
    }
    return out;
}

std::vector<piece_group> group_by(std::span<const tei_piece* const> pieces, std::string_view unit) {
    std::vector<piece_group> groups;
    std::vector<const tei_piece*> before;
    for (const tei_piece* p : pieces) {
        const std::string n = p->cited(unit);
        if (n.empty()) {
            (groups.empty() ? before : groups.back().pieces).push_back(p);
            continue;
        }
        if (groups.empty() || groups.back().n != n) {
            groups.push_back({n, {}});
            if (!before.empty()) {
                groups.back().pieces = std::move(before);
                before.clear();
            }
        }
        groups.back().pieces.push_back(p);
    }
    return groups;
}

} // namespace veso::corpus
