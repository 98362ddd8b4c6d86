#include "views/marked_text.h"

#include <algorithm>
#include <vector>

namespace veso {

namespace {

enum class text_style { normal, italic, bold };

struct style_mark {
    std::size_t position;
    text_style style;
};

std::vector<style_mark> find_marks(wide_string_view text, std::size_t from) {
    std::vector<style_mark> marks;
    for (std::size_t i = from; i + 3 <= text.size(); ++i) {
        const wide_string_view candidate = text.substr(i, 3);
        if (candidate == u"<I>")
            marks.push_back({i, text_style::italic});
        else if (candidate == u"<B>")
            marks.push_back({i, text_style::bold});
        else if (candidate == u"<N>")
            marks.push_back({i, text_style::normal});
    }
    marks.push_back({text.size(), text_style::normal});
    return marks;
}

} // namespace

int draw_marked_text(platform::device_context& dc, wide_string_view text,
                     const platform::rect& area, const marked_text_fonts& fonts,
                     std::optional<int> continuation_margin) {
    const std::size_t opening = text.find(u'[');
    int y = area.top;
    if (opening == wide_string_view::npos)
        return y;
    const std::vector<style_mark> marks = find_marks(text, opening);

    const platform::rect clip = dc.clip_box();
    dc.select_font(*fonts.normal);
    int left = area.left;
    int x = left;
    long long count = 0;
    std::size_t segment_start = opening;
    const auto signed_size = static_cast<long long>(text.size());

    for (const style_mark& mark : marks) {
        bool first_piece = true;
        std::size_t i = segment_start;
        do {
            ++count;
            if (i < text.size() && text[i] == u' ') {
                // Normally the piece runs from the previous space to the word's end; the first
                // piece of a segment starts after its mark and keeps this space.
                const long long index = static_cast<long long>(i);
                long long from = index - count;
                long long length = count;
                if (first_piece) {
                    from += 4;
                    length -= 3;
                }
                from = std::clamp(from, 0LL, signed_size);
                length = std::min(length, signed_size - from);
                if (length > 0) {
                    const wide_string_view piece = text.substr(static_cast<std::size_t>(from),
                                                               static_cast<std::size_t>(length));
                    const platform::text_size size = dc.text_extent(piece);
                    if (x + size.width > area.right) {
                        y += 24;
                        x = left;
                    }
                    // Pieces outside the part being repainted are laid out but not drawn.
                    if (y < clip.bottom && y + size.height > clip.top)
                        dc.text_out(x, y, piece);
                    x += size.width;
                    if (continuation_margin)
                        left = *continuation_margin;
                }
                count = 0;
                first_piece = false;
            }
            ++i;
        } while (i < mark.position);

        switch (mark.style) {
        case text_style::bold:
            dc.select_font(*fonts.bold);
            break;
        case text_style::italic:
            dc.select_font(*fonts.italic);
            if (x != left)
                x += 5;
            break;
        case text_style::normal:
            dc.select_font(*fonts.normal);
            break;
        }
        segment_start = mark.position;
    }
    return y;
}

wide_string plain_marked_text(wide_string_view text) {
    const std::size_t opening = text.find(u'[');
    if (opening == wide_string_view::npos)
        return {};
    // The drawing skips the "[" and the two characters after it, and draws nothing after the
    // last space.
    const std::size_t last_space = text.rfind(u' ');
    if (last_space == wide_string_view::npos || last_space < opening + 3)
        return {};
    const wide_string_view shown = text.substr(opening + 3, last_space - opening - 3);
    wide_string plain;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const wide_string_view rest = shown.substr(i);
        if (rest.starts_with(u"<I>") || rest.starts_with(u"<B>") || rest.starts_with(u"<N>")) {
            i += 2;
            continue;
        }
        const char16_t c =
            shown[i] == u'\t' || shown[i] == u'\r' || shown[i] == u'\n' ? u' ' : shown[i];
        if (c == u' ' && (plain.empty() || plain.back() == u' '))
            continue;
        plain += c;
    }
    while (!plain.empty() && plain.back() == u' ')
        plain.pop_back();
    return plain;
}

} // namespace veso
