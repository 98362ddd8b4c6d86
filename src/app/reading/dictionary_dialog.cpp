#include "app/reading/dictionary_dialog.h"

#include "platform/qt/qt_device_context.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace veso {

// The drawn page. The view draws in window coordinates with its own scroll offset, at the text
// scale.
class dictionary_dialog::page : public QWidget {
public:
    page(dictionary_view& view, dictionary_dialog& dialog, const view_scale& scale)
        : QWidget(&dialog), view_(view), dialog_(dialog), scale_(scale) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.scale(scale_.factor(), scale_.factor());
        const platform::text_size size = scale_.logical_size({width(), height()});
        platform::qt_device_context dc(painter, QRect(0, 0, size.width, size.height));
        view_.paint(dc);
    }
    void wheelEvent(QWheelEvent* event) override {
        dialog_.wheel(event->angleDelta().y());
        event->accept();
    }

private:
    dictionary_view& view_;
    dictionary_dialog& dialog_;
    const view_scale& scale_;
};

dictionary_dialog::dictionary_dialog(dictionary_view& view, std::function<void()> on_destroy,
                                     const view_scale& scale, QWidget* parent)
    : QDialog(parent), view_(view), scale_(scale), on_destroy_(std::move(on_destroy)),
      page_(new page(view, *this, scale)), scroll_bar_(new QScrollBar(Qt::Vertical, this)) {
    setWindowTitle(QStringLiteral("Dictionary View - Veso"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    auto* menu = new QMenuBar(this);
    menu->addAction(QStringLiteral("&Close"), this, [this] { view_.close(); });
    menu->addAction(QStringLiteral("Page &Backward"), this, [this] { view_.page_backward(); });
    menu->addAction(QStringLiteral("Page &Forward"), this, [this] { view_.page_forward(); });
    menu->addAction(QStringLiteral("&Goto..."), this, [this] { view_.goto_lemma(); });

    // Ctrl+C copies the page's entries; kept off the menu bar, which has its four items.
    auto* copy = new QAction(QStringLiteral("Copy"), this);
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] {
        const wide_string text = view_.plain_text();
        if (!text.empty())
            QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
    });
    addAction(copy);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu);
    layout->addWidget(page_, 1);
    layout->addWidget(scroll_bar_);

    scroll_bar_->setRange(0, 0);
    scroll_bar_->setEnabled(false);
    connect(scroll_bar_, &QAbstractSlider::actionTriggered, this,
            [this](int action) { on_scroll_action(action); });
    connect(scroll_bar_, &QAbstractSlider::sliderReleased, this, [this] {
        view_.vertical_scroll(scroll_request::thumb_position, scroll_bar_->sliderPosition());
    });
    // The bar's own ways of moving that are no scroll action ("Scroll here" in its context menu):
    // the page goes where the bar went. The view's own moves come with the signals blocked.
    connect(scroll_bar_, &QAbstractSlider::valueChanged, this, [this](int value) {
        if (scroll_bar_->isSliderDown() || value == view_.scroll_pos)
            return;
        view_.vertical_scroll(scroll_request::thumb_position, value);
        show_scroll_position();
    });
    // The wheel over the bar scrolls as over the page, rather than moving the bar alone.
    scroll_bar_->installEventFilter(this);

    resize(default_width, default_height);
    known_size_ = size();
}

void dictionary_dialog::on_scroll_action(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        view_.vertical_scroll(scroll_request::line_down);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        view_.vertical_scroll(scroll_request::line_up);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        view_.vertical_scroll(scroll_request::page_down);
        break;
    case QAbstractSlider::SliderPageStepSub:
        view_.vertical_scroll(scroll_request::page_up);
        break;
    case QAbstractSlider::SliderToMinimum:
        view_.vertical_scroll(scroll_request::top);
        break;
    case QAbstractSlider::SliderToMaximum:
        view_.vertical_scroll(scroll_request::bottom);
        break;
    case QAbstractSlider::SliderMove:
        if (scroll_bar_->isSliderDown()) {
            // The thumb follows the mouse while dragged; the page moves when it is released.
            view_.vertical_scroll(scroll_request::thumb_track);
            return;
        }
        break;
    default:
        break;
    }
    // The view decides where the bar stands, not the slider's own step: a request the view does
    // not follow puts the bar back.
    show_scroll_position();
}

void dictionary_dialog::show_scroll_position() {
    scroll_bar_->setSliderPosition(view_.scroll_pos);
}

void dictionary_dialog::wheel(int delta) {
    if (delta != 0)
        view_.vertical_scroll(delta > 0 ? scroll_request::line_up : scroll_request::line_down);
    show_scroll_position();
}

bool dictionary_dialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_bar_ && event->type() == QEvent::Wheel) {
        wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QWidget* dictionary_dialog::page_widget() const {
    return page_;
}

platform::rect dictionary_dialog::window_rect() const {
    const QRect r = geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

platform::text_size dictionary_dialog::layout_size() const {
    return scale_.logical_size({width(), height()});
}

void dictionary_dialog::move_window(const platform::rect& screen_rect) {
    setGeometry(screen_rect.left, screen_rect.top, screen_rect.width(), screen_rect.height());
    known_size_ = QSize(screen_rect.width(), screen_rect.height());
    // At the top of the z-order without taking the focus.
    if (isVisible())
        raise();
}

void dictionary_dialog::set_scroll_range(int max, int page_size) {
    const QSignalBlocker block(scroll_bar_);
    scroll_bar_->setRange(0, std::max(0, max));
    scroll_bar_->setPageStep(std::max(1, page_size));
    scroll_bar_->setSingleStep(std::max(1, page_size));
    scroll_bar_->setEnabled(max > 0);
}

void dictionary_dialog::set_scroll_position(int position) {
    const QSignalBlocker block(scroll_bar_);
    scroll_bar_->setValue(position);
}

void dictionary_dialog::scroll_contents(int) {
    page_->update();
}

void dictionary_dialog::invalidate(bool) {
    page_->update();
}

void dictionary_dialog::destroy_window() {
    if (on_destroy_)
        on_destroy_();
}

void dictionary_dialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (event->size() == known_size_)
        return;
    known_size_ = event->size();
    view_.size_changed();
}

} // namespace veso
