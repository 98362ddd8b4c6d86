#pragma once

#include "occurrences/occurrence_data.h"
#include "occurrences/vocabulary.h"

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace veso {

// The rows of a vocabulary list for a table view.
class vocabulary_model : public QAbstractTableModel {
public:
    enum column { lemma_column, in_section_column, in_author_column, gloss_column, first_column };

    using QAbstractTableModel::QAbstractTableModel;
    void set_rows(std::vector<occurrences::vocabulary_row> rows);
    const std::vector<occurrences::vocabulary_row>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<occurrences::vocabulary_row> rows_;
};

// "Vocabulary": every lemma of the section shown, with its counts in the section and in the
// author, its short gloss and where it first appears; sorted three ways, the author's commonest
// lemmas hidden by a threshold, exported as CSV or as flash cards.
class vocabulary_window : public QWidget {
public:
    // gloss_of gives a lemma's short gloss; open_lemma opens the dictionary window at a lemma;
    // converter shows the lemmas in Greek.
    vocabulary_window(occurrences::occurrence_data& data, const betaconverter& converter,
                      std::function<wide_string(const wide_string&)> gloss_of,
                      std::function<void(const wide_string&)> open_lemma,
                      QWidget* parent = nullptr);
    ~vocabulary_window() override;

    // Shows the vocabulary of the leaf carrying id; title names the section.
    void show_section(std::int32_t id, const QString& title);
    void show_message(const QString& message);

    QLabel& heading() const { return *heading_; }
    QComboBox& order() const { return *order_; }
    QSpinBox& skip_common() const { return *skip_common_; }
    QTableView& table() const { return *table_; }
    vocabulary_model& model() const { return *model_; }
    // The exports of what is shown.
    QString csv() const;
    QString flash_cards() const;

private:
    void refill();
    void export_to(bool cards);

    occurrences::occurrence_data& data_;
    const betaconverter& converter_;
    std::function<wide_string(const wide_string&)> gloss_of_;
    std::function<void(const wide_string&)> open_lemma_;
    QLabel* heading_;
    QComboBox* order_;
    QSpinBox* skip_common_;
    QPushButton* export_csv_;
    QPushButton* export_cards_;
    QTableView* table_;
    vocabulary_model* model_;
    std::unique_ptr<occurrences::vocabulary_list> list_;
    std::map<wide_string, wide_string> glosses_;
};

} // namespace veso
