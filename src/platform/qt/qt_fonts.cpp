#include "platform/qt/qt_fonts.h"

#include <QFontMetrics>
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

qt_font::qt_font(const font_description& description)
    : description_(description), qfont_(make_qfont(description)) {}

std::unique_ptr<font> qt_font_factory::create_font(const font_description& description) {
    return std::make_unique<qt_font>(description);
}

} // namespace veso::platform
