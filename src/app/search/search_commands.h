#pragma once

#include "greek/wide_string.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace veso {

namespace occurrences {
class occurrence_data;
class occurrence_index;
} // namespace occurrences

class lookupview;
class myapp;
class occurrences_window;
class textview;
class vocabulary_window;

// The Search menu's commands: the occurrence data (its index opened on first use), the occurrences
// and vocabulary windows (made on first use, kept above the frame), and what the clicked word, a
// typed word or the section shown asks of them. Opening a hit is the frame's, which owns the
// catalogue and the text pane.
class search_commands {
public:
    using open_hit_function = std::function<void(std::int32_t id, std::int32_t position)>;

    search_commands(myapp& app, const textview& text, lookupview& lookup, QWidget* frame,
                    open_hit_function open_hit);
    ~search_commands();
    search_commands(const search_commands&) = delete;
    search_commands& operator=(const search_commands&) = delete;

    // The occurrences of the clicked word's lemma, asking which when it has several.
    void run_occurrences_of_lemma();
    // The same with the lemma chosen: an index into clicked_lemmas().
    void show_occurrences_of_lemma(std::size_t choice);
    void show_occurrences_of_form();
    // Asks for a word, then finds it.
    void run_find_word();
    void find_word(const QString& typed);
    void show_vocabulary();

    // The windows, once a command has made them; null before.
    occurrences_window* occurrences() const { return occurrences_window_; }
    vocabulary_window* vocabulary() const { return vocabulary_window_; }
    // The distinct lemmas of the clicked word's analyses (Beta Code).
    std::vector<wide_string> clicked_lemmas() const;

private:
    occurrences_window& occurrences_window_shown();
    vocabulary_window& vocabulary_window_shown();
    // The index, opened on first use; null, with the reason shown in the window, when it cannot be.
    const occurrences::occurrence_index* index_or_problem(occurrences_window& window);
    // A lemma or form in Greek, a homograph's number raised.
    QString greek_of(const wide_string& beta) const;
    // The author of the passage shown, or 0 when none is.
    int author_being_read() const;

    myapp& app_;
    const textview& text_;
    lookupview& lookup_;
    QWidget* frame_;
    open_hit_function open_hit_;
    std::unique_ptr<occurrences::occurrence_data> data_;
    occurrences_window* occurrences_window_ = nullptr;
    vocabulary_window* vocabulary_window_ = nullptr;
};

} // namespace veso
