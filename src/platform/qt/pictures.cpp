#include "platform/qt/pictures.h"

#include <QPainter>
#include <QSvgRenderer>
#include <map>
#include <utility>

namespace veso::platform {

QString picture_resource(picture_id picture) {
    switch (picture) {
    case picture_id::start_page:
        return QStringLiteral(":/veso/pictures/start_page.svg");
    case picture_id::loading_box:
        return QStringLiteral(":/veso/pictures/loading_box.svg");
    case picture_id::goto_dictionary:
        return QStringLiteral(":/veso/pictures/goto_dictionary.svg");
    case picture_id::about_box:
        return QStringLiteral(":/veso/pictures/about_box.svg");
    }
    return {};
}

QPixmap picture_pixmap(picture_id picture, qreal device_pixel_ratio) {
    static std::map<std::pair<picture_id, qreal>, QPixmap> cache;
    const auto key = std::make_pair(picture, device_pixel_ratio);
    if (const auto found = cache.find(key); found != cache.end()) {
        return found->second;
    }
    const auto size = picture_pixel_size(picture);
    QPixmap pixmap(QSize(size.width, size.height) * device_pixel_ratio);
    pixmap.setDevicePixelRatio(device_pixel_ratio);
    pixmap.fill(Qt::white);
    QSvgRenderer renderer(picture_resource(picture));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size.width, size.height));
    painter.end();
    cache.emplace(key, pixmap);
    return pixmap;
}

QIcon application_icon() {
    static const QIcon icon(QStringLiteral(":/veso/pictures/veso.svg"));
    return icon;
}

} // namespace veso::platform
