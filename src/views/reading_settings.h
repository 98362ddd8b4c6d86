#pragma once

#include "library/document_views.h"
#include "platform/settings_store.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace veso {

class mydoc;
class textview;

// A place in the texts: the catalogue leaf and the first unit of the page shown.
struct reading_place {
    std::int32_t passage = 0;
    std::int32_t position = 0;
    bool operator==(const reading_place&) const = default;
};

// The reader's own settings, kept per user with the colours: the text scale and the place last
// read. Values that are missing or make no sense read as unset.
class reading_settings {
public:
    static constexpr std::u16string_view settings_key = u"SOFTWARE\\q417\\veso\\Settings\\Reading";

    // store may be null: nothing is kept.
    explicit reading_settings(platform::settings_store* store) : store_(store) {}

    // The saved scale in percent, or nothing.
    std::optional<int> text_scale() const;
    void save_text_scale(int percent);

    std::optional<reading_place> place() const;
    // The document's passage and page; nothing is saved while no passage is open.
    void save_place(const mydoc& document);

private:
    platform::settings_store* store_;
};

// Reopens a place: selects its leaf in the catalogue (which titles the document and loads the
// passage, as a reader's selection does) unless that passage is open, then has the text view
// show the page. False when the place names no passage or its text cannot be loaded.
bool resume_reading(const reading_place& place, mydoc& document, catalogue_pane* catalogue,
                    textview& text);

} // namespace veso
