#include "app/search/search_commands.h"

#include "app/myapp.h"
#include "app/search/occurrences_window.h"
#include "app/search/vocabulary_window.h"
#include "occurrences/occurrence_data.h"
#include "occurrences/short_gloss.h"
#include "occurrences/shown_lemma.h"
#include "occurrences/typed_word.h"
#include "views/lookupview.h"
#include "views/textview.h"

#include <QInputDialog>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace veso {

namespace {

void bring_forward(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

search_commands::search_commands(myapp& app, const textview& text, lookupview& lookup,
                                 QWidget* frame, open_hit_function open_hit)
    : app_(app), text_(text), lookup_(lookup), frame_(frame), open_hit_(std::move(open_hit)),
      data_(std::make_unique<occurrences::occurrence_data>(
          app.data().folder(), std::string(app.document().tables().fingerprint))) {}

search_commands::~search_commands() {
    // The windows read the occurrence data.
    delete occurrences_window_;
    delete vocabulary_window_;
}

occurrences_window& search_commands::occurrences_window_shown() {
    if (occurrences_window_ == nullptr) {
        occurrences_window_ = new occurrences_window(*data_, open_hit_, frame_);
    }
    bring_forward(*occurrences_window_);
    return *occurrences_window_;
}

vocabulary_window& search_commands::vocabulary_window_shown() {
    if (vocabulary_window_ == nullptr) {
        vocabulary_window_ = new vocabulary_window(
            *data_, app_.lex().greek_converter(),
            [this](const wide_string& lemma) {
                return occurrences::short_gloss(app_.lex().stored_definition_of(lemma),
                                                app_.lex().greek_converter());
            },
            [this](const wide_string& lemma) { lookup_.open_dictionary_at(lemma); }, frame_);
    }
    bring_forward(*vocabulary_window_);
    return *vocabulary_window_;
}

const occurrences::occurrence_index* search_commands::index_or_problem(occurrences_window& window) {
    const auto* index = opened_index(*data_);
    if (index == nullptr) {
        window.show_message(QString::fromStdU16String(data_->problem()));
    }
    return index;
}

int search_commands::author_being_read() const {
    const auto& document = app_.document();
    return document.text_length > 0 && !document.loading ? document.author_number : 0;
}

std::vector<wide_string> search_commands::clicked_lemmas() const {
    std::vector<wide_string> lemmas;
    for (std::size_t i = 1; i < lookup_.analyses.size(); i += 4) {
        const wide_string& lemma = lookup_.analyses[i];
        if (lemma != u"?" && std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end()) {
            lemmas.push_back(lemma);
        }
    }
    return lemmas;
}

QString search_commands::greek_of(const wide_string& beta) const {
    return QString::fromStdU16String(occurrences::shown_lemma(beta, app_.lex().greek_converter()));
}

void search_commands::run_occurrences_of_lemma() {
    const std::vector<wide_string> lemmas = clicked_lemmas();
    if (lemmas.size() < 2) {
        show_occurrences_of_lemma(0);
        return;
    }
    QStringList choices;
    for (const wide_string& lemma : lemmas) {
        choices << greek_of(lemma);
    }
    bool chosen = false;
    const QString choice = QInputDialog::getItem(frame_, QStringLiteral("Occurrences"),
                                                 QStringLiteral("The clicked word's lemma:"),
                                                 choices, 0, false, &chosen);
    if (chosen) {
        show_occurrences_of_lemma(static_cast<std::size_t>(choices.indexOf(choice)));
    }
}

void search_commands::show_occurrences_of_lemma(std::size_t choice) {
    auto& window = occurrences_window_shown();
    const std::vector<wide_string> lemmas = clicked_lemmas();
    if (text_.clicked_word().empty()) {
        window.show_message(QStringLiteral("Click a word in the text first."));
        return;
    }
    if (lemmas.empty()) {
        window.show_message(QStringLiteral("The clicked word has no analysis, so no lemma: "
                                           "\"Occurrences of the clicked form\" lists where it "
                                           "occurs."));
        return;
    }
    const auto* index = index_or_problem(window);
    if (index == nullptr) {
        return;
    }
    const wide_string& lemma = lemmas[std::min(choice, lemmas.size() - 1)];
    const QString greek = greek_of(lemma);
    const auto found = index->find_lemmas(lemma);
    if (found.empty() || index->lemma(found.front()) != lemma) {
        window.show_message(QStringLiteral("The lemma %1 occurs nowhere in the texts.").arg(greek));
        return;
    }
    const std::uint32_t chosen[] = {found.front()};
    window.show_search(occurrences::search_lemmas(*index, chosen),
                       QStringLiteral("%1 (lemma)").arg(greek), author_being_read());
}

void search_commands::show_occurrences_of_form() {
    auto& window = occurrences_window_shown();
    const wide_string& key = text_.clicked_word();
    if (key.empty()) {
        window.show_message(QStringLiteral("Click a word in the text first."));
        return;
    }
    const auto* index = index_or_problem(window);
    if (index == nullptr) {
        return;
    }
    const QString greek = greek_of(key);
    const auto keys = index->find_form(key);
    if (keys.empty()) {
        window.show_message(QStringLiteral("The form %1 occurs nowhere in the texts.").arg(greek));
        return;
    }
    window.show_search(occurrences::search_form(keys), QStringLiteral("%1 (form)").arg(greek),
                       author_being_read());
}

void search_commands::run_find_word() {
    if (const auto typed = app_.ui().run_text_dialog(platform::text_dialog::find_word)) {
        find_word(QString::fromStdU16String(*typed));
    }
}

void search_commands::find_word(const QString& typed) {
    auto& window = occurrences_window_shown();
    const auto key =
        occurrences::typed_word_key(typed.toStdU16String(), app_.lex().greek_converter());
    if (!key) {
        window.show_message(typed.trimmed().isEmpty()
                                ? QStringLiteral("Type a word to find.")
                                : QStringLiteral("\"%1\" is no Greek word: type it in Greek "
                                                 "letters or in Beta Code (λόγος or lo/gos).")
                                      .arg(typed.trimmed()));
        return;
    }
    const auto* index = index_or_problem(window);
    if (index == nullptr) {
        return;
    }
    const QString greek = greek_of(*key);
    const auto found = occurrences::search_typed_word(*index, *key);
    if (!found) {
        window.show_message(
            QStringLiteral("No lemma or form %1 (Beta Code %2) occurs in the texts.")
                .arg(greek, QString::fromStdU16String(*key)));
        return;
    }
    window.show_search(found->search,
                       QStringLiteral("%1 (%2)").arg(greek, found->by_form
                                                                ? QStringLiteral("form")
                                                                : QStringLiteral("lemma")),
                       author_being_read());
}

void search_commands::show_vocabulary() {
    auto& window = vocabulary_window_shown();
    const auto& document = app_.document();
    if (author_being_read() == 0) {
        window.show_message(QStringLiteral("Choose a passage in the catalogue first."));
        return;
    }
    if (!app_.lex().loading_finished()) {
        window.show_message(QStringLiteral("The dictionary is still loading; open the vocabulary "
                                           "again in a moment."));
        return;
    }
    window.show_section(document.current_id, QString::fromStdU16String(document.title()));
}

} // namespace veso
