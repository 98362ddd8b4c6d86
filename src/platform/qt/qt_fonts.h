#pragma once

#include "platform/device_context.h"

#include <QFont>
#include <QFontMetrics>
#include <QStringList>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPaintDevice;

namespace veso::platform {

// The faces tried for every font, in order: the face asked for, then installed polytonic Greek
// faces, so that every Greek Extended character has a real glyph.
QStringList font_families_for(const std::u16string& face);

// A QFont for the description. The height is the cell height (ascent plus descent), as a logical
// font's positive height is, so 25 gives lines about 25 pixels high whatever the face.
QFont make_qfont(const font_description& description);

// The metrics of one font on devices of one resolution, with the widths of the texts measured so
// far. Shaping a text is the dear part of painting; a view measures each word and then draws it,
// and the same words recur on every page, so each text is shaped for its width once. The cache
// is bounded: when the newer of its two generations fills up, the older one is dropped.
class qt_font_metrics {
public:
    static constexpr std::size_t generation_size = 4096;
    // Longer texts are measured every time rather than held.
    static constexpr std::size_t longest_cached_text = 256;

    qt_font_metrics(const QFont& font, const QPaintDevice* device);

    int logical_dpi() const { return dpi_; }
    int height() const { return height_; }
    int ascent() const { return ascent_; }
    int space_width() const { return space_width_; }
    // The advance of the text as QFontMetrics::horizontalAdvance gives it.
    int width(std::u16string_view text);
    std::size_t cached_texts() const { return newer_.size() + older_.size(); }

private:
    struct text_hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view text) const {
            return std::hash<std::u16string_view>{}(text);
        }
    };
    using width_table = std::unordered_map<std::u16string, int, text_hash, std::equal_to<>>;

    int measure(std::u16string_view text) const;
    void remember(std::u16string_view text, int width);

    QFontMetrics metrics_;
    int dpi_;
    int height_;
    int ascent_;
    int space_width_;
    width_table newer_;
    width_table older_;
};

// Fonts are used on the GUI thread only, as Qt's painting on widgets is.
class qt_font : public font {
public:
    explicit qt_font(const font_description& description);
    const font_description& description() const override { return description_; }
    const QFont& qfont() const { return qfont_; }
    // The metrics for painting on the device, made on first use at its resolution and kept.
    std::shared_ptr<qt_font_metrics> metrics_for(const QPaintDevice* device) const;

private:
    // Screens of a few resolutions at most; beyond that the oldest metrics make way.
    static constexpr std::size_t most_resolutions = 4;

    font_description description_;
    QFont qfont_;
    mutable std::vector<std::shared_ptr<qt_font_metrics>> metrics_;
};

class qt_font_factory : public font_factory {
public:
    std::unique_ptr<font> create_font(const font_description& description) override;
};

} // namespace veso::platform
