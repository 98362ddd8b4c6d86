#pragma once

#include "greek/wide_string.h"
#include "platform/device_context.h"
#include "views/marked_text.h"
#include "views/view_window.h"

#include <memory>
#include <vector>

namespace veso {

class dictionary_view;
class lexicon;
class mydoc;
class textview;

// Where the dictionary window lives: the frame owns it, the lookup view opens it at a lemma.
class dictionary_window_host {
public:
    virtual ~dictionary_window_host() = default;
    // Destroys the window when it exists.
    virtual void destroy_dictionary_window() = 0;
    // Creates the window over the lookup pane; its initialisation restores the saved geometry and
    // zeroes the scroll position. Returns the window's view.
    virtual dictionary_view& create_dictionary_window() = 0;
    virtual void show_dictionary_window() = 0;
};

// The right-hand pane: the clicked word between its morphology neighbours, one line per analysis
// with the lemma as a link, and the definitions of the lemmas.
class lookupview {
public:
    static constexpr int font_height = 25;
    static constexpr int line_pitch = 24;
    static constexpr int analyses_left = 10;
    static constexpr int analyses_top = 40;

    struct span {
        int left = 0;
        int right = 0;
        bool operator==(const span&) const = default;
    };

    lookupview(mydoc& document, lexicon& lex, const textview& text, platform::font_factory& fonts);
    ~lookupview();
    lookupview(const lookupview&) = delete;
    lookupview& operator=(const lookupview&) = delete;

    void set_dictionary_host(dictionary_window_host* host) { dictionary_host_ = host; }
    view_invalidator& invalidate_hook() { return invalidate_; }
    void invalidate(bool erase) { invalidate_(erase); }

    // window_size is the window rectangle's size. Returns the scroll height the content needs.
    int paint(platform::device_context& dc, platform::text_size window_size);
    // Left or right button down at client coordinates.
    void click(int x, int y);
    // Shows the analyses and short definitions of another word form.
    void refill_for_word(const wide_string& word);
    void open_dictionary_at(const wide_string& lemma);
    // Opens the dictionary window at the first analysis's lemma, as a click on that lemma does;
    // false when there is none to open (no analysis, or the index is still loading).
    bool open_first_lemma();

    // The pane's lines as plain Unicode: the word between its neighbours, one line per analysis,
    // then each definition as drawn.
    wide_string plain_text() const;

    // Back to the empty pane of start-up: no word, no neighbours, no analyses.
    void clear();

    // Content, written by the text view's click and by this view.
    std::vector<wide_string> definitions;
    std::vector<wide_string> analyses;
    wide_string current_word;
    wide_string previous_word = u"?";
    wide_string next_word = u"?";

    // Where things were drawn at the last paint.
    span previous_box() const { return previous_box_; }
    span next_box() const { return next_box_; }
    span centre_box() const { return centre_box_; }
    int definitions_top() const { return definitions_top_; }
    const std::vector<platform::rect>& lemma_boxes() const { return lemma_boxes_; }

private:
    struct fonts;
    wide_string display_form(const wide_string& beta) const;
    int draw_analyses(platform::device_context& dc, int left, int top);
    void expand_definitions();
    void fill_short_definitions();

    mydoc& document_;
    lexicon& lexicon_;
    const textview& text_;
    platform::font_factory& font_factory_;
    std::unique_ptr<fonts> fonts_;
    dictionary_window_host* dictionary_host_ = nullptr;
    view_invalidator invalidate_;

    span previous_box_;
    span next_box_;
    span centre_box_;
    int definitions_top_ = 0;
    std::vector<platform::rect> lemma_boxes_;
};

} // namespace veso
