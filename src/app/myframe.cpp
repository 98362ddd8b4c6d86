#include "app/myframe.h"

#include "app/about_box.h"
#include "app/catalogue_view.h"
#include "app/colour_dialog.h"
#include "app/command_ids.h"
#include "app/loading_box.h"
#include "app/myapp.h"
#include "app/reading/reading_widgets.h"
#include "app/reading/wheel_zoom.h"
#include "app/search/search_commands.h"
#include "app/shortcuts_dialog.h"
#include "library/catalogue_tree.h"
#include "platform/qt/pictures.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QResizeEvent>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <array>

namespace veso {

namespace {

// Whether w is the widget outer or lies inside it.
bool holds(const QWidget* outer, const QWidget* w) {
    return outer != nullptr && w != nullptr && (w == outer || outer->isAncestorOf(w));
}

} // namespace

myframe::myframe(myapp& app) : app_(app), reading_(app.settings()) {
    setWindowTitle(QStringLiteral("Untitled - %1").arg(QString::fromLatin1(myapp::title)));
    setWindowIcon(platform::application_icon());
    // The panes' natural widths where the screen allows.
    QSize size(catalogue_width + text_width + lookup_width, 800);
    if (const auto* screen = QApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    }
    resize(size);
    if (const auto percent = reading_.text_scale())
        scale_.set_percent(*percent);

    create_panes();
    search_ = std::make_unique<search_commands>(
        app_, *text_view_, *lookup_view_, this,
        [this](std::int32_t id, std::int32_t position) { open_occurrence(id, position); });
    statusBar()->showMessage(QStringLiteral(" "));
    // Beside the idle message, so that menu hints never hide it.
    place_label_ = new QLabel(this);
    statusBar()->addPermanentWidget(place_label_);
    create_menus();
    loading_box_ = new aboutvesodlg(this);
    // The box only informs: the frame keeps the keyboard while it is up.
    loading_box_->setAttribute(Qt::WA_ShowWithoutActivating);
}

myframe::~myframe() {
    // The search windows sit above the frame; the dictionary dialog hangs below the lookup
    // pane and the panes refer to the core views: take them down in that order before the views
    // themselves.
    search_.reset();
    dictionary_.reset();
    delete splitter_;
    splitter_ = nullptr;
    lookup_view_.reset();
    text_view_.reset();
}

void myframe::create_panes() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(true);
    setCentralWidget(splitter_);

    auto& document = app_.document();
    catalogue_ = new textsmenu_view(document, splitter_);
    text_view_ = std::make_unique<textview>(document, app_.lex(), app_.colours(), app_.fonts());
    lookup_view_ = std::make_unique<lookupview>(document, app_.lex(), *text_view_, app_.fonts());
    dictionary_ = std::make_unique<dictionary_window>(app_.lex(), app_.fonts(), app_.settings(),
                                                      app_.ui(), scale_);
    text_view_->set_lookup_view(lookup_view_.get());
    text_view_->set_catalogue(&catalogue_->control(), [catalogue = catalogue_](int genre) {
        return catalogue->catalogue().genre_item(genre);
    });
    lookup_view_->set_dictionary_host(dictionary_.get());

    text_widget_ = new text_pane_widget(*text_view_, splitter_, scale_);
    text_widget_->on_page_key([this](int id) { run_command(id); });
    text_widget_->on_painted([this] { update_place(); });
    lookup_widget_ = new lookup_pane_widget(*lookup_view_, splitter_, scale_);
    dictionary_->set_parent_widget(lookup_widget_);
    qApp->installEventFilter(new wheel_zoom(
        [this](const QWidget* w) {
            return holds(text_widget_, w) || holds(lookup_widget_, w) ||
                   holds(dictionary_->dialog(), w);
        },
        [this](bool larger) { run_scale(larger ? command::larger_text : command::smaller_text); },
        this));
    splitter_->addWidget(catalogue_);
    splitter_->addWidget(text_widget_);
    splitter_->addWidget(lookup_widget_);
    // The last column takes what the window gains or loses, as a static splitter's does.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 0);
    splitter_->setStretchFactor(2, 1);
    splitter_->setSizes({catalogue_width, text_width, lookup_width});
}

QAction* myframe::add_command(int id, const QString& text, const QKeySequence& key) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, [this, id] { run_command(id); });
    actions_[id] = action;
    return action;
}

void myframe::create_menus() {
    auto* file = menuBar()->addMenu(QStringLiteral("&File"));
    auto* explorer = add_command(command::text_explorer, QStringLiteral("Text Explorer"),
                                 QKeySequence(Qt::CTRL | Qt::Key_T));
    explorer->setCheckable(true);
    file->addAction(explorer);
    file->addSeparator();
    file->addAction(add_command(command::resume_reading, QStringLiteral("&Resume Reading"),
                                QKeySequence(Qt::CTRL | Qt::Key_R)));
    file->addSeparator();
    file->addAction(add_command(command::about, QStringLiteral("About Veso")));
    file->addSeparator();
    file->addAction(
        add_command(command::app_exit, QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q)));

    auto* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(add_command(command::copy, QStringLiteral("&Copy"), QKeySequence::Copy));
    edit->addAction(add_command(command::copy_word, QStringLiteral("Copy &Word"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)));
    edit->addSeparator();
    // Enter belongs to the text pane only: the catalogue and dialogs keep their own.
    auto* look_up = add_command(command::look_up_word, QStringLiteral("&Look Up Word"),
                                QKeySequence(Qt::Key_Return));
    look_up->setShortcutContext(Qt::WidgetShortcut);
    text_widget_->addAction(look_up);
    edit->addAction(look_up);
    edit->addAction(add_command(command::open_in_dictionary, QStringLiteral("Open in &Dictionary"),
                                QKeySequence(Qt::CTRL | Qt::Key_D)));

    auto* view = menuBar()->addMenu(QStringLiteral("&View"));
    auto* larger = add_command(command::larger_text, QStringLiteral("&Larger Text"));
    // Ctrl+= as well: the plus sign needs Shift on most keyboards.
    larger->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    view->addAction(larger);
    view->addAction(add_command(command::smaller_text, QStringLiteral("&Smaller Text"),
                                QKeySequence(Qt::CTRL | Qt::Key_Minus)));
    view->addAction(add_command(command::normal_text_size, QStringLiteral("&Normal Text Size"),
                                QKeySequence(Qt::CTRL | Qt::Key_0)));
    view->addSeparator();
    view->addAction(
        add_command(command::next_pane, QStringLiteral("Ne&xt Pane"), QKeySequence(Qt::Key_F6)));
    view->addAction(add_command(command::previous_pane, QStringLiteral("&Previous Pane"),
                                QKeySequence(Qt::SHIFT | Qt::Key_F6)));

    auto* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
    for (const auto& [id, text, key] :
         {std::tuple{command::colour_off, "Color-coordination off", Qt::Key_1},
          std::tuple{command::colour_by_class, "Color-coordinate N, P, V...", Qt::Key_2},
          std::tuple{command::colour_by_case, "Color-coordinate by case, tense...", Qt::Key_3}}) {
        auto* mode = add_command(id, QString::fromLatin1(text), QKeySequence(Qt::CTRL | key));
        mode->setCheckable(true);
        settings->addAction(mode);
    }
    settings->addAction(add_command(command::select_colours, QStringLiteral("Select colors..."),
                                    QKeySequence(Qt::CTRL | Qt::Key_4)));

    auto* search = menuBar()->addMenu(QStringLiteral("Se&arch"));
    for (const auto& [id, text, key] :
         {std::tuple{command::occurrences_of_lemma, "Occurrences of the clicked word's &lemma",
                     Qt::Key_O},
          std::tuple{command::occurrences_of_form, "Occurrences of the clicked &form", Qt::Key_M},
          std::tuple{command::find_word, "F&ind a word...", Qt::Key_W},
          std::tuple{command::vocabulary, "&Vocabulary of this section...", Qt::Key_V}}) {
        search->addAction(
            add_command(id, QString::fromUtf8(text), QKeySequence(Qt::CTRL | Qt::SHIFT | key)));
    }

    // Items straight on the bar, with the accelerator table's keys.
    auto* backward = add_command(command::page_backward, QStringLiteral("Page &Backward"));
    backward->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_B), QKeySequence(Qt::Key_Back)});
    // Alt+F belongs to the File menu, so Page Forward's mnemonic is the "r".
    auto* forward = add_command(command::page_forward, QStringLiteral("Page Fo&rward"));
    forward->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_Forward)});
    auto* go_to = add_command(command::go_to, QStringLiteral("&Goto..."));
    go_to->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    for (auto* action : {backward, forward, go_to}) {
        action->setShortcutContext(Qt::WindowShortcut);
        menuBar()->addAction(action);
        // Also on the frame itself, so the keys work while the menu bar is hidden.
        addAction(action);
    }

    auto* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(add_command(command::keyboard_shortcuts, QStringLiteral("&Keyboard Shortcuts"),
                                QKeySequence(Qt::Key_F1)));

    connect(file, &QMenu::aboutToShow, this, &myframe::update_checks);
    connect(settings, &QMenu::aboutToShow, this, &myframe::update_checks);
    update_checks();
}

QAction* myframe::action_for(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void myframe::update_checks() {
    action_for(command::text_explorer)->setChecked(app_.document().catalogue_pane_shown);
    const colour_mode_flags flags{text_view_->colour_by_class, text_view_->colour_by_case,
                                  text_view_->colour_off};
    for (const int id : {command::colour_off, command::colour_by_class, command::colour_by_case}) {
        action_for(id)->setChecked(colour_mode_checked(id, flags));
    }
}

void myframe::run_command(int id) {
    emit command_started(id);
    auto& document = app_.document();
    switch (id) {
    case command::page_backward:
        document.page_backward();
        break;
    case command::page_forward:
        document.page_forward();
        break;
    case command::go_to:
        document.goto_line();
        break;
    case command::text_explorer:
        document.toggle_catalogue_pane();
        break;
    case command::about:
        run_about_box();
        break;
    case command::app_exit:
        close();
        break;
    case command::colour_off:
    case command::colour_by_class:
    case command::colour_by_case:
        run_colour_mode(id);
        break;
    case command::select_colours:
        run_colour_dialog();
        break;
    case command::resume_reading:
        run_resume_reading();
        break;
    case command::copy:
        run_copy();
        break;
    case command::copy_word:
        run_copy_word();
        break;
    case command::look_up_word:
        text_view_->look_up_cursor_word();
        break;
    case command::open_in_dictionary:
        run_open_in_dictionary();
        break;
    case command::larger_text:
    case command::smaller_text:
    case command::normal_text_size:
        run_scale(id);
        break;
    case command::next_pane:
    case command::previous_pane:
        move_focus_between_panes(id == command::next_pane);
        break;
    case command::keyboard_shortcuts:
        run_keyboard_shortcuts();
        break;
    case command::occurrences_of_lemma:
        search_->run_occurrences_of_lemma();
        break;
    case command::occurrences_of_form:
        search_->show_occurrences_of_form();
        break;
    case command::find_word:
        search_->run_find_word();
        break;
    case command::vocabulary:
        search_->show_vocabulary();
        break;
    default:
        break;
    }
    update_checks();
}

void myframe::run_colour_mode(int id) {
    apply_colour_mode(id, text_view_->colour_by_class, text_view_->colour_by_case,
                      text_view_->colour_off);
    text_view_->invalidate(false);
}

void myframe::run_colour_dialog() {
    // Modal, without an explicit parent, as the command runs it.
    colordlg dialog(app_.colours(), app_.settings(), app_.ui());
    dialog.exec();
    text_view_->invalidate(false);
}

void myframe::run_about_box() {
    smallaboutdlg box;
    box.exec();
}

void myframe::run_resume_reading() {
    if (const auto place = reading_.place())
        resume_reading(*place, app_.document(), &catalogue_->catalogue(), *text_view_);
}

void myframe::run_copy() {
    QWidget* focus = QApplication::focusWidget();
    if (holds(lookup_widget_, focus))
        lookup_widget_->copy_text();
    else
        text_widget_->copy_page();
}

void myframe::run_copy_word() {
    if (const auto word = text_view_->chosen_word())
        text_widget_->copy_word(*word);
}

void myframe::run_open_in_dictionary() {
    // The word under the cursor first, as Enter would look it up.
    text_view_->look_up_cursor_word();
    lookup_view_->open_first_lemma();
}

void myframe::run_scale(int id) {
    const bool changed = id == command::larger_text    ? scale_.larger()
                         : id == command::smaller_text ? scale_.smaller()
                                                       : scale_.reset();
    if (!changed)
        return;
    reading_.save_text_scale(scale_.percent());
    text_widget_->update();
    lookup_widget_->scale_changed();
    dictionary_->scale_changed();
}

void myframe::move_focus_between_panes(bool forward) {
    const std::array<QWidget*, 3> panes{catalogue_, text_widget_, lookup_widget_};
    const QWidget* focus = QApplication::focusWidget();
    // From outside the panes (the menu bar, nothing), the text pane comes next either way.
    int current = forward ? 0 : 2;
    for (int i = 0; i < 3; ++i) {
        if (holds(panes[i], focus))
            current = i;
    }
    for (int step = 1; step < 3; ++step) {
        QWidget* pane = panes[(current + (forward ? step : 3 - step)) % 3];
        // A hidden catalogue keeps its place in the splitter at zero width.
        if (pane->isVisible() && pane->width() > 0) {
            pane->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void myframe::run_keyboard_shortcuts() {
    shortcuts_dialog dialog(shortcut_rows(*menuBar()), this);
    dialog.exec();
}

void myframe::update_place() {
    if (place_.update(app_.document()))
        place_label_->setText(QString::fromStdU16String(place_.text()));
}

void myframe::open_occurrence(std::int32_t id, std::int32_t position) {
    auto& document = app_.document();
    // The catalogue selects the leaf (and loads it); a fresh load also when the leaf was already
    // selected or is not in the tree yet, so that paging starts from the section's first page.
    catalogue_->catalogue().select_item_by_id(id);
    if (document.title() != catalogue_title_of(id)) {
        document.set_title(catalogue_title_of(id));
    }
    document.select_passage(id);
    text_view_->show_page_containing(position);
    text_view_->mark_word(position);
    text_view_->invalidate(true);
    raise();
    activateWindow();
}

void myframe::update_all_views() {
    text_view_->invalidate(true);
    lookup_view_->invalidate(true);
}

void myframe::set_catalogue_column(int ideal_width, int minimum_width) {
    catalogue_->setMinimumWidth(minimum_width);
    auto sizes = splitter_->sizes();
    if (sizes.size() != 3) {
        return;
    }
    // Columns take their widths from the left; the last one gets what remains.
    const int total = sizes[0] + sizes[1] + sizes[2];
    sizes[0] = std::min(ideal_width, total);
    sizes[1] = std::min(sizes[1], total - sizes[0]);
    sizes[2] = total - sizes[0] - sizes[1];
    splitter_->setSizes(sizes);
}

void myframe::title_changed(const wide_string& title) {
    setWindowTitle(QString::fromStdU16String(title) + QStringLiteral(" - ") +
                   QString::fromLatin1(myapp::title));
}

void myframe::show_loading_box() {
    loading_box_->move(geometry().center() - loading_box_->rect().center());
    loading_box_->show();
    loading_box_->raise();
    loading_box_->repaint();
}

void myframe::end_loading_box() {
    loading_box_->done(QDialog::Accepted);
}

void myframe::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void myframe::dropEvent(QDropEvent* event) {
    for (const auto& url : event->mimeData()->urls()) {
        app_.open_file(url.isLocalFile() ? url.toLocalFile() : url.toString());
    }
    event->acceptProposedAction();
}

void myframe::closeEvent(QCloseEvent* event) {
    reading_.save_place(app_.document());
    QMainWindow::closeEvent(event);
}

void myframe::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The first layout with room for them gives the first two columns their widths and the last
    // the rest; a smaller window keeps the splitter's own division until it grows.
    const int fixed = catalogue_width + text_width + 2 * splitter_->handleWidth();
    if (!widths_set_ && splitter_->width() >= fixed) {
        widths_set_ = true;
        splitter_->setSizes({catalogue_width, text_width, splitter_->width() - fixed});
    }
}

} // namespace veso
