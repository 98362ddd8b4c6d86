#pragma once

#include "greek/wide_string.h"
#include "library/document_views.h"
#include "platform/device_context.h"
#include "platform/tree_control.h"
#include "views/view_window.h"
#include "views/word_cursor.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace veso {

class ColourTable;
class catalogue_tree;
class lexicon;
class lookupview;
class mydoc;

// The middle pane: one page of the loaded passage, broken into justified lines, each word coloured
// by its morphology; a click on a word fills the lookup view. Before a passage is loaded it shows
// the start picture, whose six images select genres of the catalogue tree.
class textview final : public text_pane {
public:
    static constexpr int margin_x = 25;
    static constexpr int margin_y = 10;
    static constexpr int line_pitch = 24;
    static constexpr int key_search_limit = 80;
    static constexpr int picture_x = 10;
    static constexpr int picture_y = 10;
    static constexpr int frequent_enough = 200;
    // The keyboard cursor's frame.
    static constexpr platform::colour_ref cursor_colour = platform::make_colour(0, 120, 215);
    // Behind a marked word.
    static constexpr platform::colour_ref marked_word_colour = platform::make_colour(255, 226, 110);

    // One laid-out line of the current page.
    struct line {
        int stretch = 0;      // pixels spread over the gaps when the line is justified
        int break_count = 0;  // gaps between the line's words
        std::int32_t end = 0; // one past the line's last unit
        bool broken = false;  // a word too wide for the pane, cut at its edge
    };

    textview(mydoc& document, lexicon& lex, const ColourTable& colours,
             platform::font_factory& fonts);
    ~textview() override;
    textview(const textview&) = delete;
    textview& operator=(const textview&) = delete;

    // Wiring done by the frame.
    void set_lookup_view(lookupview* lookup) { lookup_ = lookup; }
    // The catalogue tree and its genre items in tree order (0 = Early and Epic Poetry).
    void set_catalogue(platform::tree_control* tree,
                       std::function<platform::tree_item(int genre)> genre_item);
    // The same, from the catalogue pane's logic.
    void set_catalogue(platform::tree_control& tree, const catalogue_tree& catalogue);
    view_invalidator& invalidate_hook() { return invalidate_; }

    // text_pane
    void restart_layout(bool invalidate) override;

    void invalidate(bool erase) { invalidate_(erase); }
    // Paints the start picture or the current page; window_size is the window rectangle's size.
    void paint(platform::device_context& dc, platform::text_size window_size);
    // Left or right button down at client coordinates.
    void click(int x, int y);
    // The painted word whose box holds the point, as a click finds it.
    std::optional<std::size_t> word_at_point(int x, int y) const;

    // The keyboard cursor: moving it shows it; a new page puts it on its first word.
    bool move_cursor(cursor_move move);
    const word_cursor& cursor() const { return cursor_; }
    void hide_cursor();
    // Looks the cursor's word up exactly as a click on it does; false without a cursor.
    bool look_up_cursor_word();

    // The next paint shows the page of the current section that holds position, with the pages
    // before it as page history, as if the reader had paged there (a resumed reading place).
    void show_page_containing(std::int32_t position) { pending_position_ = position; }
    // Marks the word that starts at position (an occurrence opened from a search) until the page
    // changes.
    void mark_word(std::int32_t position) { marked_word_ = position; }
    // The position of the marked word, or -1.
    std::int32_t marked_word() const { return marked_word_; }

    // The word Copy Word takes: the cursor's, else the one last clicked on this page.
    std::optional<std::size_t> chosen_word() const;

    // The page's text as plain Unicode: bold marks dropped, one line per line of the text.
    wide_string page_text() const;
    // A painted word as printed, without the punctuation around it (an elision mark stays).
    wide_string word_text(std::size_t index) const;

    // A morphology string as the flat list marker, lemma, count, description per analysis.
    std::vector<wide_string> analyses_for_word(const wide_string& morphology) const;

    bool colour_by_class = false;
    bool colour_by_case = true;
    bool colour_off = false;

    std::int32_t author_number() const { return author_number_; }
    const wide_string& clicked_word() const { return clicked_word_; }
    const std::vector<wide_string>& word_keys() const { return word_keys_; }
    const std::vector<int>& word_tops() const { return word_tops_; }
    const std::vector<int>& word_bottoms() const { return word_bottoms_; }
    const std::vector<int>& word_lefts() const { return word_lefts_; }
    const std::vector<int>& word_rights() const { return word_rights_; }
    const std::vector<line>& lines() const { return lines_; }

private:
    // Where a painted word lies in the text: [start, end), end on its ending character.
    struct word_span {
        std::int32_t start = 0;
        std::int32_t end = 0;
    };
    struct fonts;
    void paint_start_picture(platform::device_context& dc);
    void lay_out_page(platform::device_context& dc, const platform::rect& area);
    void settle_on_page_containing(platform::device_context& dc, const platform::rect& area,
                                   std::int32_t position);
    void paint_cursor(platform::device_context& dc);
    void paint_lines(platform::device_context& dc, const platform::rect& area);
    std::int32_t break_position(platform::device_context& dc, std::int32_t line_start,
                                int available) const;
    // Paints the word [start, end) and returns its width; records its key and box.
    int paint_word(platform::device_context& dc, std::int32_t start, std::int32_t end,
                   bool ended_by_space, int x, int y);
    // Where the word starting at start ends: at a space, a carriage return or a zero unit.
    std::int32_t word_end(std::int32_t start) const;
    char16_t unit(std::int32_t position) const;
    std::u16string_view units(std::int32_t from, std::int32_t to) const;
    wide_string word_at(std::int32_t start) const;
    // The look-up key of the word the unit at position belongs to.
    wide_string key_of_word_at(std::int32_t position) const;
    platform::colour_ref colour_of_key(const wide_string& key) const;
    char16_t case_code(const wide_string& key) const;
    void click_start_picture(int x, int y);
    void click_word(std::size_t index);
    void clear_boxes();

    mydoc& document_;
    lexicon& lexicon_;
    const ColourTable& colours_;
    platform::font_factory& font_factory_;
    std::unique_ptr<fonts> fonts_;
    lookupview* lookup_ = nullptr;
    platform::tree_control* tree_ = nullptr;
    std::function<platform::tree_item(int)> genre_item_;
    view_invalidator invalidate_;

    std::int32_t author_number_ = 1;
    wide_string clicked_word_;
    std::vector<wide_string> word_keys_;
    std::vector<int> word_tops_;
    std::vector<int> word_bottoms_;
    std::vector<int> word_lefts_;
    std::vector<int> word_rights_;
    std::vector<word_span> word_spans_;
    std::vector<line> lines_;
    word_cursor cursor_;
    std::optional<std::int32_t> clicked_start_; // where the word last clicked on this page starts
    std::optional<std::int32_t> pending_position_;
    std::int32_t marked_word_ = -1;
};

} // namespace veso
