#include "app/search/vocabulary_window.h"

#include "app/search/occurrences_window.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

namespace veso {

namespace {

QString qt_text(const wide_string& text) {
    return QString::fromStdU16String(text);
}

} // namespace

void vocabulary_model::set_rows(std::vector<occurrences::vocabulary_row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int vocabulary_model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int vocabulary_model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : first_column + 1;
}

QVariant vocabulary_model::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) {
        return {};
    }
    const auto& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole) {
        return index.column() == lemma_column || index.column() == gloss_column
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case lemma_column:
        return qt_text(row.greek);
    case in_section_column:
        return row.in_section;
    case in_author_column:
        return static_cast<qlonglong>(std::llround(row.in_author));
    case gloss_column:
        return qt_text(row.gloss);
    case first_column:
        return row.first_word;
    default:
        return {};
    }
}

QVariant vocabulary_model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case lemma_column:
        return QStringLiteral("Lemma");
    case in_section_column:
        return QStringLiteral("In section");
    case in_author_column:
        return QStringLiteral("In author");
    case gloss_column:
        return QStringLiteral("Gloss");
    case first_column:
        return QStringLiteral("First word");
    default:
        return {};
    }
}

vocabulary_window::vocabulary_window(occurrences::occurrence_data& data,
                                     const betaconverter& converter,
                                     std::function<wide_string(const wide_string&)> gloss_of,
                                     std::function<void(const wide_string&)> open_lemma,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), data_(data), converter_(converter),
      gloss_of_(std::move(gloss_of)), open_lemma_(std::move(open_lemma)),
      heading_(new QLabel(this)), order_(new QComboBox(this)), skip_common_(new QSpinBox(this)),
      export_csv_(new QPushButton(QStringLiteral("Export CSV..."), this)),
      export_cards_(new QPushButton(QStringLiteral("Export flash cards..."), this)),
      table_(new QTableView(this)), model_(new vocabulary_model(this)) {
    setWindowTitle(QStringLiteral("Vocabulary - Veso"));
    resize(820, 700);
    heading_->setWordWrap(true);
    order_->addItem(QStringLiteral("First appearance"),
                    static_cast<int>(occurrences::vocabulary_order::first_appearance));
    order_->addItem(QStringLiteral("Frequency in the author"),
                    static_cast<int>(occurrences::vocabulary_order::author_frequency));
    order_->addItem(QStringLiteral("Alphabetical"),
                    static_cast<int>(occurrences::vocabulary_order::alphabetical));
    skip_common_->setRange(0, 100000);
    skip_common_->setSingleStep(50);
    skip_common_->setSpecialValueText(QStringLiteral("none"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Sort by:"), this));
    controls->addWidget(order_);
    controls->addSpacing(16);
    controls->addWidget(new QLabel(QStringLiteral("Hide the author's most frequent:"), this));
    controls->addWidget(skip_common_);
    controls->addStretch(1);
    controls->addWidget(export_csv_);
    controls->addWidget(export_cards_);

    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->horizontalHeader()->setSectionResizeMode(vocabulary_model::gloss_column,
                                                     QHeaderView::Stretch);
    table_->setWordWrap(false);
    QFont greek = table_->font();
    greek.setPointSizeF(greek.pointSizeF() * 1.15);
    table_->setFont(greek);
    table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(greek).height() + 6);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(controls);
    layout->addWidget(table_, 1);

    connect(order_, &QComboBox::currentIndexChanged, this, [this] { refill(); });
    connect(skip_common_, &QSpinBox::valueChanged, this, [this] { refill(); });
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && index.row() < static_cast<int>(model_->rows().size())) {
            open_lemma_(model_->rows()[static_cast<std::size_t>(index.row())].beta);
        }
    });
    connect(export_csv_, &QPushButton::clicked, this, [this] { export_to(false); });
    connect(export_cards_, &QPushButton::clicked, this, [this] { export_to(true); });
}

vocabulary_window::~vocabulary_window() = default;

void vocabulary_window::show_message(const QString& message) {
    list_.reset();
    model_->set_rows({});
    heading_->setText(message);
    export_csv_->setEnabled(false);
    export_cards_->setEnabled(false);
}

void vocabulary_window::show_section(std::int32_t id, const QString& title) {
    const occurrences::occurrence_index* index = opened_index(data_);
    if (index == nullptr) {
        show_message(qt_text(data_.problem()));
        return;
    }
    const auto leaf = index->leaf_with_id(id);
    if (!leaf) {
        show_message(QStringLiteral("This section is not in the occurrence index."));
        return;
    }
    list_ = std::make_unique<occurrences::vocabulary_list>(*index, *leaf, converter_);
    const auto unanalysed = list_->unanalysed_tokens();
    heading_->setText(QStringLiteral("<b>%1</b><br>%L2 words, %L3 lemmas; %L4 %5 without an "
                                     "analysis %6 not listed.")
                          .arg(title.toHtmlEscaped())
                          .arg(list_->tokens())
                          .arg(list_->all_rows().size())
                          .arg(unanalysed)
                          .arg(unanalysed == 1 ? QStringLiteral("word") : QStringLiteral("words"))
                          .arg(unanalysed == 1 ? QStringLiteral("is") : QStringLiteral("are")));
    export_csv_->setEnabled(true);
    export_cards_->setEnabled(true);
    refill();
}

void vocabulary_window::refill() {
    if (!list_) {
        return;
    }
    const auto order = static_cast<occurrences::vocabulary_order>(order_->currentData().toInt());
    model_->set_rows(list_->rows(order, static_cast<std::uint32_t>(skip_common_->value()),
                                 [this](const wide_string& lemma) {
                                     auto [it, added] = glosses_.try_emplace(lemma);
                                     if (added) {
                                         it->second = gloss_of_(lemma);
                                     }
                                     return it->second;
                                 }));
    table_->resizeColumnToContents(vocabulary_model::lemma_column);
}

QString vocabulary_window::csv() const {
    return qt_text(occurrences::vocabulary_csv(model_->rows()));
}

QString vocabulary_window::flash_cards() const {
    return qt_text(occurrences::vocabulary_flash_cards(model_->rows()));
}

void vocabulary_window::export_to(bool cards) {
    const QString path = QFileDialog::getSaveFileName(
        this, cards ? QStringLiteral("Export flash cards") : QStringLiteral("Export CSV"), {},
        cards ? QStringLiteral("Tab-separated text (*.txt *.tsv)")
              : QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    const QByteArray bytes = (cards ? flash_cards() : csv()).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        QMessageBox::warning(this, QStringLiteral("Veso"),
                             QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    }
}

} // namespace veso
