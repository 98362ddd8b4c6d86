#include "app/command_ids.h"
#include "app/reading/reading_widgets.h"
#include "platform/qt/qt_device_context.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace veso {

const view_scale& unscaled() {
    static const view_scale scale;
    return scale;
}

text_pane_widget::text_pane_widget(textview& view, QWidget* parent, const view_scale& scale)
    : QWidget(parent), view_(view), scale_(scale) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumWidth(100);
    setFocusPolicy(Qt::StrongFocus);
    view_.invalidate_hook().set_hook([this](bool) { update(); });
}

void text_pane_widget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // Laid out at the size the scale leaves and drawn through the scaled painter.
    const platform::text_size size = scale_.logical_size({width(), height()});
    painter.scale(scale_.factor(), scale_.factor());
    platform::qt_device_context dc(painter, QRect(0, 0, size.width, size.height));
    view_.paint(dc, size);
    if (painted_)
        painted_();
}

void text_pane_widget::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        const QPoint at = event->position().toPoint();
        view_.click(scale_.logical(at.x()), scale_.logical(at.y()));
    }
}

void text_pane_widget::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == 0;
    if (!plain) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Tab:
        // Some platforms deliver Shift+Tab as Tab with Shift rather than as Backtab.
        view_.move_cursor((event->modifiers() & Qt::ShiftModifier) != 0 ? cursor_move::previous
                                                                        : cursor_move::next);
        return;
    case Qt::Key_Backtab:
        view_.move_cursor(cursor_move::previous);
        return;
    case Qt::Key_Right:
        view_.move_cursor(cursor_move::next);
        return;
    case Qt::Key_Left:
        view_.move_cursor(cursor_move::previous);
        return;
    case Qt::Key_Up:
        view_.move_cursor(cursor_move::line_up);
        return;
    case Qt::Key_Down:
        view_.move_cursor(cursor_move::line_down);
        return;
    case Qt::Key_Home:
        view_.move_cursor(cursor_move::first);
        return;
    case Qt::Key_End:
        view_.move_cursor(cursor_move::last);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        view_.look_up_cursor_word();
        return;
    case Qt::Key_Escape:
        view_.hide_cursor();
        return;
    case Qt::Key_PageDown:
        if (page_key_)
            page_key_(command::page_forward);
        return;
    case Qt::Key_PageUp:
        if (page_key_)
            page_key_(command::page_backward);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool text_pane_widget::focusNextPrevChild(bool) {
    return false;
}

void text_pane_widget::copy_page() const {
    const wide_string text = view_.page_text();
    if (!text.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
}

void text_pane_widget::copy_word(std::size_t index) const {
    const wide_string word = view_.word_text(index);
    if (!word.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdU16String(word));
}

void text_pane_widget::contextMenuEvent(QContextMenuEvent* event) {
    // From the keyboard, the menu is about the cursor's word; from the mouse, the word under it.
    std::optional<std::size_t> word = view_.cursor().index();
    if (event->reason() != QContextMenuEvent::Keyboard)
        word =
            view_.word_at_point(scale_.logical(event->pos().x()), scale_.logical(event->pos().y()));
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"), [this] { copy_page(); });
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!view_.page_text().empty());
    QAction* copy_one = menu.addAction(QStringLiteral("Copy &Word"), [this, word] {
        if (word)
            copy_word(*word);
    });
    copy_one->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copy_one->setEnabled(word.has_value() && !view_.word_text(*word).empty());
    menu.exec(event->globalPos());
}

} // namespace veso
