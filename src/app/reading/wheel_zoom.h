#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace veso {

// Ctrl with the mouse wheel scales the text, as the View menu's Larger and Smaller Text do, over
// the widgets the frame names (the text pane, the lookup pane, the dictionary window). One step
// a notch; a touchpad's finer steps are added up to notches. Installed on the application, so
// that the widgets' own wheel handling (scrolling) never sees a zooming wheel.
class wheel_zoom : public QObject {
public:
    using scales_text = std::function<bool(const QWidget* under_cursor)>;
    using step = std::function<void(bool larger)>;

    wheel_zoom(scales_text over, step on_step, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    scales_text over_;
    step on_step_;
    int pending_ = 0; // eighths of a degree turned that make no whole notch yet
};

} // namespace veso
