#include "views/marked_text.h"

#include "lexicon/definition_markup.h"

#include <vector>

namespace veso {

namespace {

constexpr int line_pitch = 24;
constexpr int italic_step = 5;

// Lays words out one after another, one space apart, wrapping at the area's right edge.
class word_writer {
public:
    word_writer(platform::device_context& dc, const platform::rect& area,
                const marked_text_fonts& fonts, std::optional<int> continuation_margin)
        : dc_(dc), fonts_(fonts), clip_(dc.clip_box()), right_(area.right),
          margin_(continuation_margin), left_(area.left), x_(area.left), y_(area.top),
          line_has_text_(continuation_margin.has_value()) {}

    int y() const { return y_; }

    // Draws a word, preceded by one space in `space_style` unless it starts a line or the text.
    void write(const std::vector<styled_run>& runs, text_style space_style) {
        bool space_pending = words_written_ > 0 && line_has_text_;
        if (line_has_text_ && x_ + width_of(runs, space_pending, space_style) > right_) {
            new_line();
            space_pending = false;
        }
        for (const styled_run& run : runs) {
            if (space_pending && (run.style != space_style || run.starts_italic)) {
                draw(u" ", space_style);
                space_pending = false;
            }
            if (run.starts_italic && x_ != left_)
                x_ += italic_step;
            if (space_pending) {
                spaced_run_.assign(1, u' ');
                spaced_run_.append(run.text);
                draw(spaced_run_, run.style);
                space_pending = false;
            } else {
                draw(run.text, run.style);
            }
        }
        ++words_written_;
    }

private:
    void select(text_style style) {
        switch (style) {
        case text_style::normal:
            dc_.select_font(*fonts_.normal);
            break;
        case text_style::italic:
            dc_.select_font(*fonts_.italic);
            break;
        case text_style::bold:
            dc_.select_font(*fonts_.bold);
            break;
        }
    }

    int measure(wide_string_view text, text_style style) {
        select(style);
        return dc_.text_extent(text).width;
    }

    // The width the word takes after the current position, its space and italic steps included.
    int width_of(const std::vector<styled_run>& runs, bool spaced, text_style space_style) {
        int width = spaced ? measure(u" ", space_style) : 0;
        for (const styled_run& run : runs)
            width += measure(run.text, run.style) + (run.starts_italic ? italic_step : 0);
        return width;
    }

    void new_line() {
        y_ += line_pitch;
        left_ = margin_.value_or(left_);
        x_ = left_;
        line_has_text_ = false;
    }

    void draw(wide_string_view text, text_style style) {
        if (text.empty())
            return;
        select(style);
        const platform::text_size size = dc_.text_extent(text);
        // Pieces outside the part being repainted are laid out but not drawn.
        if (y_ < clip_.bottom && y_ + size.height > clip_.top)
            dc_.text_out(x_, y_, text);
        x_ += size.width;
        line_has_text_ = true;
        // Lines after the first start at the continuation margin.
        if (margin_)
            left_ = *margin_;
    }

    platform::device_context& dc_;
    const marked_text_fonts& fonts_;
    const platform::rect clip_;
    const int right_;
    const std::optional<int> margin_;
    int left_;
    int x_;
    int y_;
    bool line_has_text_;
    int words_written_ = 0;
    wide_string spaced_run_;
};

} // namespace

int draw_marked_text(platform::device_context& dc, wide_string_view text,
                     const platform::rect& area, const marked_text_fonts& fonts,
                     std::optional<int> continuation_margin) {
    if (text.find(u'[') == wide_string_view::npos)
        return area.top;

    word_writer writer(dc, area, fonts, continuation_margin);
    std::vector<styled_run> runs;
    const wide_string_view source = definition_source_name(definition_source_letter(text));
    if (!source.empty()) {
        runs.push_back({source, text_style::italic, false});
        writer.write(runs, text_style::normal);
    }
    definition_words words(text);
    text_style space_style = text_style::normal;
    while (words.next(runs, space_style))
        writer.write(runs, space_style);
    dc.select_font(*fonts.normal);
    return writer.y();
}

} // namespace veso
