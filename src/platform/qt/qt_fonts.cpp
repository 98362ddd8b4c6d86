#include "platform/qt/qt_fonts.h"

#include <QFontMetrics>
#include <QPaintDevice>
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
    : metrics_(font, device), dpi_(device != nullptr ? device->logicalDpiY() : 0),
      height_(metrics_.height()), ascent_(metrics_.ascent()),
      space_width_(metrics_.horizontalAdvance(QLatin1Char(' '))) {}

int qt_font_metrics::measure(std::u16string_view text) const {
    return metrics_.horizontalAdvance(
        QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

int qt_font_metrics::width(std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    if (text.size() > longest_cached_text) {
        return measure(text);
    }
    if (const auto found = newer_.find(text); found != newer_.end()) {
        return found->second;
    }
    if (const auto found = older_.find(text); found != older_.end()) {
        const int width = found->second;
        remember(text, width);
        return width;
    }
    const int width = measure(text);
    remember(text, width);
    return width;
}

void qt_font_metrics::remember(std::u16string_view text, int width) {
    if (newer_.size() >= generation_size) {
        older_ = std::move(newer_);
        newer_ = width_table{};
    }
    newer_.emplace(std::u16string(text), width);
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
