#pragma once

#include "views/dictionary_view.h"
#include "views/view_scale.h"

#include <QDialog>
#include <QSize>
#include <functional>

class QScrollBar;

namespace veso {

// Dialog 120, "Dictionary View - Veso": menu 122, the page drawn by the dictionary view and a
// vertical scroll bar. It forwards paint, size, scroll and menu events to the view.
class dictionary_dialog final : public QDialog, public dictionary_surface {
public:
    // The size of dialog resource 120 (386 x 275 dialog units) in pixels.
    static constexpr int default_width = 676;
    static constexpr int default_height = 516;

    dictionary_dialog(dictionary_view& view, std::function<void()> on_destroy,
                      const view_scale& scale, QWidget* parent = nullptr);

    // dictionary_surface
    platform::rect window_rect() const override;
    platform::text_size layout_size() const override;
    void move_window(const platform::rect& screen_rect) override;
    void set_scroll_range(int max, int page) override;
    void set_scroll_position(int position) override;
    void scroll_contents(int dy) override;
    void invalidate(bool erase) override;
    void destroy_window() override;

    QScrollBar* scroll_bar() const { return scroll_bar_; }
    QWidget* page_widget() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class page;
    void on_scroll_action(int action);
    // The mouse wheel over the page or the bar: a line up or down.
    void wheel(int delta);
    // Puts the bar where the view's scroll position is.
    void show_scroll_position();

    dictionary_view& view_;
    const view_scale& scale_;
    std::function<void()> on_destroy_;
    page* page_;
    QScrollBar* scroll_bar_;
    // The size the view was last told of; resizes to the same size are not news.
    QSize known_size_;
};

} // namespace veso
