#pragma once

#include "app/reading/dictionary_dialog.h"
#include "views/dictionary_view.h"
#include "views/lookupview.h"
#include "views/textview.h"
#include "views/view_scale.h"

#include <QDialog>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>
#include <functional>

namespace veso {

// The text scale a pane draws at when the frame gives it none.
const view_scale& unscaled();

// The middle pane: forwards paint, size, mouse and key events to the text view, and its repaint
// requests back to Qt. It draws at the frame's text scale. Keys: Tab, Shift+Tab and the arrows
// move the word cursor, Home and End go to the page's first and last word, Enter looks the word
// up, Escape hides the cursor, PageDown and PageUp turn the page; the context menu copies.
class text_pane_widget : public QWidget {
public:
    text_pane_widget(textview& view, QWidget* parent = nullptr,
                     const view_scale& scale = unscaled());

    // Called with Page Forward's or Page Backward's command id for PageDown and PageUp.
    void on_page_key(std::function<void(int command)> handler) { page_key_ = std::move(handler); }
    // Called after each paint, once the page's layout is known.
    void on_painted(std::function<void()> handler) { painted_ = std::move(handler); }
    // Puts the page's text, or one word of it, on the clipboard.
    void copy_page() const;
    void copy_word(std::size_t index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Tab belongs to the word cursor, not to focus changes (F6 moves between the panes).
    bool focusNextPrevChild(bool next) override;

private:
    textview& view_;
    const view_scale& scale_;
    std::function<void(int)> page_key_;
    std::function<void()> painted_;
};

// The right-hand pane: the lookup view in a vertically scrolling area. Clicks reach the view in
// content coordinates, so they stay on target when the pane is scrolled.
class lookup_pane_widget : public QScrollArea {
public:
    lookup_pane_widget(lookupview& view, QWidget* parent = nullptr,
                       const view_scale& scale = unscaled());

    // Lays the pane out again after the text scale changed.
    void scale_changed();
    void copy_text() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class canvas;
    lookupview& view_;
    const view_scale& scale_;
    canvas* canvas_;
};

class dictionary_dialog;

// The frame's dictionary window: constructed once with the frame, its dialog created and
// destroyed each time the lookup view opens it at a lemma.
class dictionary_window final : public dictionary_window_host {
public:
    dictionary_window(lexicon& lex, platform::font_factory& fonts,
                      platform::settings_store* settings, platform::ui_services& ui,
                      const view_scale& scale = unscaled());
    ~dictionary_window() override;
    dictionary_window(const dictionary_window&) = delete;
    dictionary_window& operator=(const dictionary_window&) = delete;

    // The widget the dialog is created over (the lookup pane).
    void set_parent_widget(QWidget* parent) { parent_ = parent; }

    void destroy_dictionary_window() override;
    dictionary_view& create_dictionary_window() override;
    void show_dictionary_window() override;

    dictionary_view& view() { return view_; }
    // The open dialog, or null.
    QDialog* dialog() const;
    // Lays the open page out again after the text scale changed.
    void scale_changed();

private:
    dictionary_view view_;
    const view_scale& scale_;
    QWidget* parent_ = nullptr;
    QPointer<dictionary_dialog> dialog_;
};

} // namespace veso
