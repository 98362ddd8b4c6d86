#include "platform/qt/qt_fonts.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace veso::platform {

namespace {

// Debian packages fonts-sil-gentiumplus and fonts-gfs-didot; both cover Greek Extended.
const QStringList polytonic_fallbacks{QStringLiteral("Gentium Plus"), QStringLiteral("GFS Didot"),
                                      QStringLiteral("Gentium Book Plus")};

} // namespace

QStringList font_families_for(const std::u16string& face) {
    QStringList families{QString::fromStdU16String(face)};
    for (const auto& fallback : polytonic_fallbacks) {
        if (!families.contains(fallback)) {
            families.append(fallback);
        }
    }
    return families;
}

QFont make_qfont(const font_description& description) {
    QFont font;
    font.setFamilies(font_families_for(description.face));
    // Logical-font weights and Qt's share the 100 to 900 scale; 0 means the normal weight.
    const int weight = description.weight <= 0 ? 400 : std::clamp(description.weight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    const int cell = std::max(1, std::abs(description.height));
    font.setPixelSize(cell);
    // Scale the em so that ascent plus descent comes to the cell height asked for.
    const int measured = QFontMetrics(font).height();
    if (measured > 0 && measured != cell) {
        const int em = static_cast<int>(std::lround(double(cell) * cell / measured));
        font.setPixelSize(std::max(1, em));
    }
    return font;
}

qt_font_metrics::qt_font_metrics(const QFont& font, const QPaintDevice* device)
    : font_(font), metrics_(font, device), fixed_metrics_(font, device),
      width_model_([this](std::u16string_view text) {
          // QFontMetricsF gives Qt's fixed-point advance as a real; 64ths of a pixel are exact.
          return std::llround(64 * fixed_metrics_.horizontalAdvance(QString::fromUtf16(
                                       text.data(), static_cast<qsizetype>(text.size()))));
      }),
      dpi_(device != nullptr ? device->logicalDpiY() : 0), height_(metrics_.height()),
      ascent_(metrics_.ascent()), space_width_(metrics_.horizontalAdvance(QLatin1Char(' '))) {}

int qt_font_metrics::width(std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    if (text.size() > longest_cached_text) {
        return width_model_.width(text);
    }
    if (const int* known = widths_.find(text)) {
        return *known;
    }
    return widths_.remember(text, width_model_.width(text));
}

qt_font_metrics::shaped_text qt_font_metrics::shape(std::u16string_view text,
                                                    const QPaintDevice* device) const {
    QTextLayout layout(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())), font_,
                       device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) {
        return {};
    }
    return {line.glyphRuns(), line.ascent()};
}

namespace {

// Line and paragraph breaks, tabs and other controls: a text layout treats them otherwise than
// QPainter::drawText does.
bool has_controls(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t c) {
        return c < u' ' || c == u'\x7F' || c == u'\u2028' || c == u'\u2029';
    });
}

} // namespace

void qt_font_metrics::draw(QPainter& painter, int x, int baseline, std::u16string_view text) {
    // Decorations, right-to-left painting and controls are left to QPainter::drawText itself, and
    // over-long texts are not worth holding; all of them go the plain way.
    if (text.empty() || text.size() > longest_cached_text || font_.underline() ||
        font_.strikeOut() || font_.overline() || painter.layoutDirection() != Qt::LeftToRight ||
        has_controls(text)) {
        painter.drawText(x, baseline,
                         QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
        return;
    }
    const shaped_text* shaped = shapes_.find(text);
    if (shaped == nullptr) {
        shaped = &shapes_.remember(text, shape(text, painter.device()));
    }
    const QPointF origin(x, baseline - shaped->baseline_offset);
    for (const auto& run : shaped->runs) {
        painter.drawGlyphRun(origin, run);
    }
}

qt_font::qt_font(const font_description& description)
    : description_(description), qfont_(make_qfont(description)) {}

std::shared_ptr<qt_font_metrics> qt_font::metrics_for(const QPaintDevice* device) const {
    const int dpi = device != nullptr ? device->logicalDpiY() : 0;
    const auto found = std::find_if(metrics_.begin(), metrics_.end(),
                                    [dpi](const auto& m) { return m->logical_dpi() == dpi; });
    if (found != metrics_.end()) {
        return *found;
    }
    if (metrics_.size() >= most_resolutions) {
        metrics_.erase(metrics_.begin());
    }
    return metrics_.emplace_back(std::make_shared<qt_font_metrics>(qfont_, device));
}

std::unique_ptr<font> qt_font_factory::create_font(const font_description& description) {
    return std::make_unique<qt_font>(description);
}

} // namespace veso::platform
