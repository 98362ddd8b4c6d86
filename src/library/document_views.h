#pragma once

#include "greek/wide_string.h"

#include <cstdint>

namespace veso {

// What the document asks of the panes and the frame around it. The catalogue tree, the text view
// and the frame implement these; tests use recording fakes.
class catalogue_pane {
public:
    virtual ~catalogue_pane() = default;
    // Selects the item carrying id (which loads its passage, as a reader's selection does).
    virtual void select_item_by_id(std::int32_t id) = 0;
};

class text_pane {
public:
    virtual ~text_pane() = default;
    // Forgets the laid-out page; with invalidate, also asks for a repaint with erasing.
    virtual void restart_layout(bool invalidate) = 0;
};

class document_frame {
public:
    virtual ~document_frame() = default;
    // The framework's update of all views after a load (hint 0).
    virtual void update_all_views() = 0;
    // Splitter column 0 (the catalogue pane): ideal and minimum width, then recalculate.
    virtual void set_catalogue_column(int ideal_width, int minimum_width) = 0;
    // The document title changed; the frame shows it in its caption.
    virtual void title_changed(const wide_string& title) = 0;
};

} // namespace veso
