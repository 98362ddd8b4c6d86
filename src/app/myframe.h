#pragma once

#include "app/colour_modes.h"
#include "library/document_views.h"
#include "views/page_status.h"
#include "views/reading_settings.h"
#include "views/view_scale.h"

#include <QMainWindow>
#include <map>
#include <memory>

class QAction;
class QLabel;
class QSplitter;

namespace veso {

class aboutvesodlg;
class dictionary_window;
class lookup_pane_widget;
class lookupview;
class myapp;
class search_commands;
class text_pane_widget;
class textsmenu_view;
class textview;

// The main frame: a one-row, three-column splitter with the catalogue, text and lookup panes, a
// status bar, the loading box, the dictionary window, and the menu bar with its accelerators.
// Around them the reader's comforts: where the reader is (status bar), Resume Reading, the text
// scale of the three reading surfaces, Copy, the word cursor's commands, pane focus by F6 and
// the Keyboard Shortcuts list.
class myframe : public QMainWindow, public document_frame {
    Q_OBJECT
public:
    static constexpr int catalogue_width = 180;
    static constexpr int text_width = 550;
    static constexpr int lookup_width = 1000;
    static constexpr int restored_catalogue_width = 200;

    explicit myframe(myapp& app);
    ~myframe() override;

    // document_frame
    void update_all_views() override;
    void set_catalogue_column(int ideal_width, int minimum_width) override;
    void title_changed(const wide_string& title) override;

    // Runs a command of the menu and accelerator tables by its id.
    void run_command(int id);
    // The action carrying the command, or null.
    QAction* action_for(int id) const;
    // Brings the checks of the menu items in line with the flags.
    void update_checks();

    void show_loading_box();
    // Closes the loading box; harmless when it is already closed.
    void end_loading_box();
    aboutvesodlg* loading_box() const { return loading_box_; }

    QSplitter& splitter() const { return *splitter_; }
    textsmenu_view& catalogue() const { return *catalogue_; }
    textview& text() const { return *text_view_; }
    lookupview& lookup() const { return *lookup_view_; }
    text_pane_widget& text_widget() const { return *text_widget_; }
    lookup_pane_widget& lookup_widget() const { return *lookup_widget_; }
    const view_scale& scale() const { return scale_; }
    // The status bar's account of the page: "Iliad 1 · lines 1-25 of 611".
    QLabel& place_label() const { return *place_label_; }
    dictionary_window& dictionary() const { return *dictionary_; }

    // The Search menu's commands and windows.
    search_commands& search() const { return *search_; }
    // Opens a hit: the leaf's passage, the page holding the position, the word marked.
    void open_occurrence(std::int32_t id, std::int32_t position);

signals:
    // Emitted as each command starts.
    void command_started(int id);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Keeps the place being read for Resume Reading.
    void closeEvent(QCloseEvent* event) override;

private:
    void create_panes();
    void create_menus();
    QAction* add_command(int id, const QString& text, const QKeySequence& key = {});
    void run_colour_mode(int id);
    void run_colour_dialog();
    void run_about_box();
    void run_resume_reading();
    void run_copy();
    void run_copy_word();
    void run_open_in_dictionary();
    void run_scale(int id);
    // Moves the keyboard focus to the next (or previous) of the three panes that is shown.
    void move_focus_between_panes(bool forward);
    void run_keyboard_shortcuts();
    void update_place();

    myapp& app_;
    QSplitter* splitter_ = nullptr;
    textsmenu_view* catalogue_ = nullptr;
    std::unique_ptr<textview> text_view_;
    std::unique_ptr<lookupview> lookup_view_;
    std::unique_ptr<dictionary_window> dictionary_;
    text_pane_widget* text_widget_ = nullptr;
    lookup_pane_widget* lookup_widget_ = nullptr;
    aboutvesodlg* loading_box_ = nullptr;
    std::map<int, QAction*> actions_;
    std::unique_ptr<search_commands> search_;
    bool widths_set_ = false;
    view_scale scale_;
    reading_settings reading_;
    page_status place_;
    QLabel* place_label_ = nullptr;
};

} // namespace veso
