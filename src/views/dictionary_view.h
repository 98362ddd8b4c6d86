#pragma once

#include "greek/wide_string.h"
#include "platform/device_context.h"
#include "platform/geometry.h"
#include "platform/settings_store.h"
#include "platform/ui_services.h"

#include <memory>
#include <optional>
#include <string_view>

namespace veso {

class betaconverter;
class lexicon;
class mydoc;

// What the dictionary view asks of the dialog window that shows it.
class dictionary_surface {
public:
    virtual ~dictionary_surface() = default;
    // The window rectangle in screen coordinates.
    virtual platform::rect window_rect() const = 0;
    // The window's size as the page is laid out: its size on the screen, divided by the text
    // scale when the page is drawn larger or smaller.
    virtual platform::text_size layout_size() const {
        const platform::rect r = window_rect();
        return {r.width(), r.height()};
    }
    // Moves and sizes the window, at the top of the z-order, without activating it.
    virtual void move_window(const platform::rect& screen_rect) = 0;
    // The vertical scroll bar: range 0..max, page size; visible but disabled when it cannot scroll.
    virtual void set_scroll_range(int max, int page) = 0;
    virtual void set_scroll_position(int position) = 0;
    // Moves what is shown by dy pixels (negative: up).
    virtual void scroll_contents(int dy) = 0;
    virtual void invalidate(bool erase) = 0;
    virtual void destroy_window() = 0;
};

enum class scroll_request {
    line_up,
    line_down,
    page_up,
    page_down,
    thumb_position,
    thumb_track,
    top,
    bottom,
    end_scroll,
};

// The dictionary window's content and behaviour: one alphabetical page of the lexicon with the
// requested headword in blue, paging, scrolling by tenths, goto, and the saved geometry.
class dictionary_view {
public:
    static constexpr int font_height = 18;
    static constexpr int title_y = 5;
    static constexpr int entries_top = 40;
    static constexpr int left_margin = 10;
    static constexpr int continuation_margin = 20;
    static constexpr int entry_gap = 36;
    static constexpr int recentre_offset = 100;
    static constexpr int requested_row_index = 21;
    static constexpr std::u16string_view settings_key =
        u"SOFTWARE\\q417\\veso\\Settings\\WindowSettings";

    dictionary_view(lexicon& lex, platform::font_factory& fonts, platform::settings_store* settings,
                    platform::ui_services& ui);
    ~dictionary_view();
    dictionary_view(const dictionary_view&) = delete;
    dictionary_view& operator=(const dictionary_view&) = delete;

    // The window the view is shown in; null while it has none.
    void attach(dictionary_surface* surface) { surface_ = surface; }
    // Dialog initialisation: restores the geometry and scrolls to the top.
    void initialise();

    void paint(platform::device_context& dc);
    void size_changed();
    void vertical_scroll(scroll_request request, int thumb_position = 0);

    // Menu 122.
    void close();
    void page_backward();
    void page_forward();
    void goto_lemma();
    // The goto with the text already typed: Beta Code or Greek, as typed_to_betacode reads it.
    void goto_text(const wide_string& typed);

    void restore_geometry();
    void save_geometry();

    // The range the scroll bar gets: content height below the window plus 100 pixels.
    int scroll_max() const;

    // The page's entries as plain Unicode: each headword, ": " and its definition as drawn.
    wide_string plain_text() const;

    mydoc* document = nullptr;
    bool recentre_pending = false;
    int content_bottom = 0;
    int scroll_pos = 0;

private:
    struct fonts;
    const betaconverter& converter() const;
    wide_string display_form(const wide_string& beta) const;
    void set_scroll(int new_pos);

    lexicon& lexicon_;
    platform::font_factory& font_factory_;
    platform::settings_store* settings_;
    platform::ui_services& ui_;
    std::unique_ptr<fonts> fonts_;
    dictionary_surface* surface_ = nullptr;
};

} // namespace veso
