#pragma once

#include "app/reading/dictionary_dialog.h"
#include "views/dictionary_view.h"
#include "views/lookupview.h"
#include "views/textview.h"

#include <QDialog>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

namespace veso {

// The middle pane: forwards paint, size and mouse events to the text view, and its repaint
// requests back to Qt.
class text_pane_widget : public QWidget {
public:
    text_pane_widget(textview& view, QWidget* parent = nullptr);

    // Shows and marks the word at the text position at the next paint, whose device measures
    // the page as it is painted.
    void show_word_at(std::int32_t position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    textview& view_;
    std::int32_t word_to_show_ = -1;
};

// The right-hand pane: the lookup view in a vertically scrolling area. Clicks reach the view in
// content coordinates, so they stay on target when the pane is scrolled.
class lookup_pane_widget : public QScrollArea {
public:
    lookup_pane_widget(lookupview& view, QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class canvas;
    lookupview& view_;
    canvas* canvas_;
};

class dictionary_dialog;

// The frame's dictionary window: constructed once with the frame, its dialog created and
// destroyed each time the lookup view opens it at a lemma.
class dictionary_window final : public dictionary_window_host {
public:
    dictionary_window(lexicon& lex, platform::font_factory& fonts,
                      platform::settings_store* settings, platform::ui_services& ui);
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

private:
    dictionary_view view_;
    QWidget* parent_ = nullptr;
    QPointer<dictionary_dialog> dialog_;
};

} // namespace veso
