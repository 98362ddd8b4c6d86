#include "app/reading/wheel_zoom.h"

#include <QWheelEvent>
#include <QWidget>

namespace veso {

namespace {

constexpr int eighths_per_notch = 120;

} // namespace

wheel_zoom::wheel_zoom(scales_text over, step on_step, QObject* parent)
    : QObject(parent), over_(std::move(over)), on_step_(std::move(on_step)) {}

bool wheel_zoom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType()) {
        return false;
    }
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier) || !over_(static_cast<QWidget*>(watched))) {
        return false;
    }
    const int turned = wheel->angleDelta().y();
    // A turn the other way starts afresh rather than first undoing what was pending.
    if ((turned > 0) != (pending_ > 0)) {
        pending_ = 0;
    }
    pending_ += turned;
    while (pending_ >= eighths_per_notch || pending_ <= -eighths_per_notch) {
        const bool larger = pending_ > 0;
        pending_ += larger ? -eighths_per_notch : eighths_per_notch;
        on_step_(larger);
    }
    wheel->accept();
    return true;
}

} // namespace veso
