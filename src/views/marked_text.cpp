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
        const bool spaced = words_written_ > 0 && line_has_text_;
        lay_out(runs, spaced, space_style);
        if (line_has_text_ && x_ + width() > right_) {
            new_line();
            if (spaced)
                lay_out(runs, false, space_style);
        }
        for (const piece& p : pieces_) {
            if (p.italic_step && x_ != left_)
                x_ += italic_step;
            select(p.style);
            // Pieces outside the part being repainted are laid out but not drawn.
            if (y_ < clip_.bottom && y_ + p.size.height > clip_.top)
                dc_.text_out(x_, y_, p.text);
            x_ += p.size.width;
            line_has_text_ = true;
            // Lines after the first start at the continuation margin.
            if (margin_)
                left_ = *margin_;
        }
        ++words_written_;
    }

private:
    // What one text_out draws: a run, the space before a run in the run's style, or a space
    // alone in another style.
    struct piece {
        wide_string_view text;
        text_style style;
        bool italic_step;
        platform::text_size size;
    };

    // The word's pieces, measured, each measured once.
    void lay_out(const std::vector<styled_run>& runs, bool spaced, text_style space_style) {
        pieces_.clear();
        bool space_pending = spaced;
        for (const styled_run& run : runs) {
            if (space_pending && (run.style != space_style || run.starts_italic)) {
                pieces_.push_back({u" ", space_style, false, {}});
                space_pending = false;
            }
            if (space_pending) {
                spaced_run_.assign(1, u' ');
                spaced_run_.append(run.text);
                pieces_.push_back({spaced_run_, run.style, false, {}});
                space_pending = false;
            } else {
                pieces_.push_back({run.text, run.style, run.starts_italic, {}});
            }
        }
        for (piece& p : pieces_) {
            select(p.style);
            p.size = dc_.text_extent(p.text);
        }
    }

    // The width the word takes after the current position, italic steps included.
    int width() const {
        int total = 0;
        for (const piece& p : pieces_)
            total += p.size.width + (p.italic_step ? italic_step : 0);
        return total;
    }

    void select(text_style style) {
        if (selected_ == style)
            return;
        selected_ = style;
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

    void new_line() {
        y_ += line_pitch;
        left_ = margin_.value_or(left_);
        x_ = left_;
        line_has_text_ = false;
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
    std::optional<text_style> selected_;
    std::vector<piece> pieces_;
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

wide_string plain_marked_text(wide_string_view text) {
    if (text.find(u'[') == wide_string_view::npos)
        return {};
    wide_string plain(definition_source_name(definition_source_letter(text)));
    definition_words words(text);
    std::vector<styled_run> runs;
    text_style space_style = text_style::normal;
    while (words.next(runs, space_style)) {
        if (!plain.empty())
            plain += u' ';
        for (const styled_run& run : runs)
            plain += run.text;
    }
    return plain;
}

} // namespace veso
