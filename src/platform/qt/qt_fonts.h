#pragma once

#include "platform/device_context.h"
#include "platform/qt/kerning_width_model.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QStringList>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPaintDevice;
class QPainter;

namespace veso::platform {

// The faces tried for every font, in order: the face asked for, then installed polytonic Greek
// faces, so that every Greek Extended character has a real glyph.
QStringList font_families_for(const std::u16string& face);

// A QFont for the description. The height is the cell height (ascent plus descent), as a logical
// font's positive height is, so 25 gives lines about 25 pixels high whatever the face.
QFont make_qfont(const font_description& description);

// Values for texts, bounded: when the newer of two generations fills up, the older is dropped,
// so texts in use stay while the rest make way.
template <class Value> class text_memo {
public:
    explicit text_memo(std::size_t generation_size) : generation_size_(generation_size) {}

    const Value* find(std::u16string_view text) {
        if (const auto found = newer_.find(text); found != newer_.end()) {
            return &found->second;
        }
        if (const auto found = older_.find(text); found != older_.end()) {
            return &remember(text, std::move(found->second));
        }
        return nullptr;
    }
    const Value& remember(std::u16string_view text, Value value) {
        if (newer_.size() >= generation_size_) {
            older_ = std::move(newer_);
            newer_ = table{};
        }
        return newer_.insert_or_assign(std::u16string(text), std::move(value)).first->second;
    }
    std::size_t size() const { return newer_.size() + older_.size(); }

private:
    struct text_hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view text) const {
            return std::hash<std::u16string_view>{}(text);
        }
    };
    using table = std::unordered_map<std::u16string, Value, text_hash, std::equal_to<>>;

    std::size_t generation_size_;
    table newer_;
    table older_;
};

// The metrics of one font on devices of one resolution, with the texts measured and shaped so
// far. Shaping a text is the dear part of painting; a view measures each word and then draws it,
// and the same words recur on every page, so each text is shaped for its glyphs once, and its width
// is worked out once, from its letters and their pairs where the face allows.
class qt_font_metrics {
public:
    // Widths are small and a long passage's pages are all laid out to reach a late one (a hit
    // 200 pages into Plato's Laws needs some 20,000 distinct words), so far more widths are held
    // than shapes, which only the page shown needs.
    static constexpr std::size_t width_generation_size = 65536;
    static constexpr std::size_t shape_generation_size = 4096;
    // Longer texts are measured and shaped every time rather than held.
    static constexpr std::size_t longest_cached_text = 256;

    qt_font_metrics(const QFont& font, const QPaintDevice* device);
    // The width model measures through this object.
    qt_font_metrics(const qt_font_metrics&) = delete;
    qt_font_metrics& operator=(const qt_font_metrics&) = delete;

    int logical_dpi() const { return dpi_; }
    int height() const { return height_; }
    int ascent() const { return ascent_; }
    int space_width() const { return space_width_; }
    // The advance of the text as QFontMetrics::horizontalAdvance gives it.
    int width(std::u16string_view text);
    std::size_t cached_texts() const { return widths_.size(); }
    // Whether widths are now added up from letters and pairs rather than measured whole.
    bool widths_summed() const { return width_model_.trusted(); }
    // Draws the text with its baseline starting at (x, baseline), as QPainter::drawText does.
    void draw(QPainter& painter, int x, int baseline, std::u16string_view text);

private:
    // The glyphs of a text laid out with its baseline at (0, baseline_offset).
    struct shaped_text {
        QList<QGlyphRun> runs;
        qreal baseline_offset = 0;
    };

    shaped_text shape(std::u16string_view text, const QPaintDevice* device) const;

    QFont font_;
    QFontMetrics metrics_;
    // Unrounded, for the sums of characters and pairs the widths are worked out from.
    QFontMetricsF fixed_metrics_;
    kerning_width_model width_model_;
    int dpi_;
    int height_;
    int ascent_;
    int space_width_;
    text_memo<int> widths_{width_generation_size};
    text_memo<shaped_text> shapes_{shape_generation_size};
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
