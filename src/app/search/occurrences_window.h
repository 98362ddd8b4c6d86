#pragma once

#include "occurrences/occurrence_data.h"

#include <QAbstractListModel>
#include <QListView>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QSplitter;

namespace veso {

class frequency_chart;

// The occurrence index, read on its first use under a wait cursor; null with data.problem() saying
// why it cannot be used.
const occurrences::occurrence_index* opened_index(occurrences::occurrence_data& data);

// The rows of an occurrence list for a list view, handed over a few hundred at a time as the view
// scrolls; a hit's line of context is read when it is first shown.
class occurrence_model : public QAbstractListModel {
public:
    static constexpr int batch = 500;
    enum role { kind_role = Qt::UserRole, before_role, word_role, after_role, other_reading_role };

    occurrence_model(occurrences::occurrence_data& data, QObject* parent = nullptr);
    // The list to show (null for none); the model keeps a pointer to it.
    void set_list(const occurrences::occurrence_list* list);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    const occurrences::occurrence_list* list() const { return list_; }

private:
    const occurrences::keyword_line& line_of(int row) const;

    occurrences::occurrence_data& data_;
    const occurrences::occurrence_list* list_ = nullptr;
    int shown_ = 0;
    mutable std::vector<std::optional<occurrences::keyword_line>> lines_;
};

// The list of hits: Enter opens the current hit as a double-click does.
class hit_list_view : public QListView {
public:
    std::function<void(const QModelIndex&)> on_open;
    using QListView::QListView;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// "Occurrences": the word searched, its total, its frequency per author as a bar chart, and its
// hits as lines of context grouped by author and work, filtered by author and by reading.
class occurrences_window : public QWidget {
public:
    // open_hit(id, position) opens a hit in the main window.
    occurrences_window(occurrences::occurrence_data& data,
                       std::function<void(std::int32_t, std::int32_t)> open_hit,
                       QWidget* parent = nullptr);
    ~occurrences_window() override;

    // Shows the tokens of a search; heading names what was searched; current_author is the
    // author being read (0 when none).
    void show_search(const occurrences::occurrence_search& search, const QString& heading,
                     int current_author);
    // Shows a message instead of hits (an unknown word, a missing index).
    void show_message(const QString& message);

    QLabel& heading() const { return *heading_; }
    QLabel& totals() const { return *totals_; }
    frequency_chart& chart() const { return *chart_; }
    QComboBox& author_filter() const { return *author_filter_; }
    QCheckBox& other_readings() const { return *other_readings_; }
    hit_list_view& hits_view() const { return *view_; }
    occurrence_model& model() const { return *model_; }
    // Opens the hit at the row (as a double-click does); false for a heading.
    bool open_row(int row);

private:
    void apply_filter();
    void update_totals();

    occurrences::occurrence_data& data_;
    std::function<void(std::int32_t, std::int32_t)> open_hit_;
    QLabel* heading_;
    QLabel* totals_;
    frequency_chart* chart_;
    QComboBox* author_filter_;
    QCheckBox* other_readings_;
    hit_list_view* view_;
    occurrence_model* model_;
    QSplitter* split_;
    bool by_form_ = false;
    int current_author_ = 0;
    occurrences::hit_list hits_;
    std::unique_ptr<occurrences::occurrence_list> list_;
};

} // namespace veso
