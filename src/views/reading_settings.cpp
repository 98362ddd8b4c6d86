#include "views/reading_settings.h"

#include "library/catalogue_tree.h"
#include "library/mydoc.h"
#include "views/textview.h"
#include "views/view_scale.h"

#include <limits>

namespace veso {

namespace {

constexpr std::u16string_view value_scale = u"TextScale";
constexpr std::u16string_view value_passage = u"ReadingPassage";
constexpr std::u16string_view value_position = u"ReadingPosition";

} // namespace

std::optional<int> reading_settings::text_scale() const {
    if (store_ == nullptr)
        return std::nullopt;
    const auto key = store_->open_key(settings_key);
    const auto value = key ? key->read_dword(value_scale) : std::nullopt;
    if (!value || *value < static_cast<std::uint32_t>(view_scale::smallest) ||
        *value > static_cast<std::uint32_t>(view_scale::largest))
        return std::nullopt;
    return static_cast<int>(*value);
}

void reading_settings::save_text_scale(int percent) {
    if (store_ == nullptr)
        return;
    if (const auto key = store_->open_key(settings_key))
        key->write_dword(value_scale, static_cast<std::uint32_t>(percent));
}

std::optional<reading_place> reading_settings::place() const {
    if (store_ == nullptr)
        return std::nullopt;
    const auto key = store_->open_key(settings_key);
    if (!key)
        return std::nullopt;
    const auto passage = key->read_dword(value_passage);
    const auto position = key->read_dword(value_position);
    if (!passage || !position || *passage == 0 ||
        *passage > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()) ||
        *position >= static_cast<std::uint32_t>(mydoc::text_capacity))
        return std::nullopt;
    return reading_place{static_cast<std::int32_t>(*passage), static_cast<std::int32_t>(*position)};
}

void reading_settings::save_place(const mydoc& document) {
    if (store_ == nullptr || document.loading || document.text_length == 0 ||
        document.current_id == 0 || document.page_start < 0)
        return;
    if (const auto key = store_->open_key(settings_key)) {
        key->write_dword(value_passage, static_cast<std::uint32_t>(document.current_id));
        key->write_dword(value_position, static_cast<std::uint32_t>(document.page_start));
    }
}

bool resume_reading(const reading_place& place, mydoc& document, catalogue_pane* catalogue,
                    textview& text) {
    if (!document.location_of(place.passage))
        return false;
    if (document.current_id != place.passage || document.text_length == 0 || document.loading) {
        if (catalogue != nullptr)
            catalogue->select_item_by_id(place.passage);
        // A catalogue still being filled lacks the leaf: the passage is opened all the same,
        // unless the selection tried and the data could not be read (it has said so).
        if (!document.loading &&
            (document.current_id != place.passage || document.text_length == 0)) {
            document.set_title(catalogue_title_of(place.passage));
            document.select_passage(place.passage);
        }
    }
    if (document.loading || document.current_id != place.passage)
        return false;
    text.show_page_containing(place.position);
    text.invalidate(true);
    return true;
}

} // namespace veso
