#pragma once

#include "platform/device_context.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace veso::platform {

// The program's pictures are SVG drawings compiled in as Qt resources; each is drawn at the
// fixed pixel size its identifier stands for.
QString picture_resource(picture_id picture);
// Rendered once per picture and device pixel ratio; user-interface thread only.
QPixmap picture_pixmap(picture_id picture, qreal device_pixel_ratio = 1.0);
QIcon application_icon();

} // namespace veso::platform
