#include "app/search/occurrences_window.h"

#include "app/search/frequency_chart.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace veso {

namespace {

using occurrences::occurrence_list;

QString qt_text(const wide_string& text) {
    return QString::fromStdU16String(text);
}

// A hit: its place, then the context left of the word (right-aligned), the word in bold at a
// fixed column, and the context right of it. Headings are bold (authors) or bold italic (works).
class keyword_delegate : public QStyledItemDelegate {
public:
    static constexpr int place_width = 90;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        if (option.state & QStyle::State_Selected) {
            painter->fillRect(option.rect, option.palette.highlight());
        }
        const QColor ink = option.state & QStyle::State_Selected
                               ? option.palette.highlightedText().color()
                               : option.palette.text().color();
        const auto kind =
            static_cast<occurrence_list::row_kind>(index.data(occurrence_model::kind_role).toInt());
        QFont font = option.font;
        QRect area = option.rect.adjusted(4, 0, -4, 0);
        if (kind != occurrence_list::row_kind::hit) {
            font.setBold(true);
            font.setItalic(kind == occurrence_list::row_kind::work);
            painter->setFont(font);
            painter->setPen(ink);
            if (kind == occurrence_list::row_kind::work) {
                area.adjust(12, 0, 0, 0);
            }
            painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                              index.data(Qt::DisplayRole).toString());
            painter->restore();
            return;
        }
        // Another reading of the word is marked with an asterisk and grey type.
        const bool other = index.data(occurrence_model::other_reading_role).toBool();
        painter->setPen(other && !(option.state & QStyle::State_Selected) ? QColor(130, 130, 130)
                                                                          : ink);
        painter->setFont(font);
        // A long place ("13 (Family of Asopus), 13") is cut short; its tooltip has it whole.
        const QFontMetrics plain(font);
        const QString place = plain.elidedText(index.data(Qt::DisplayRole).toString() +
                                                   (other ? QStringLiteral(" *") : QString()),
                                               Qt::ElideMiddle, place_width - 28);
        painter->drawText(QRect(area.left() + 24, area.top(), place_width - 28, area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, place);
        const int left = area.left() + place_width;
        const int centre = left + (area.width() - place_width) * 2 / 5;
        QFont bold = font;
        bold.setBold(true);
        const QFontMetrics strong(bold);
        const QString before = plain.elidedText(
            index.data(occurrence_model::before_role).toString(), Qt::ElideLeft, centre - left - 6);
        painter->drawText(QRect(left, area.top(), centre - left - 6, area.height()),
                          Qt::AlignRight | Qt::AlignVCenter, before);
        const QString word = index.data(occurrence_model::word_role).toString();
        painter->setFont(bold);
        painter->drawText(QRect(centre, area.top(), area.right() - centre, area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, word);
        const int after_left = centre + strong.horizontalAdvance(word) + 6;
        painter->setFont(font);
        const QString after = plain.elidedText(index.data(occurrence_model::after_role).toString(),
                                               Qt::ElideRight, area.right() - after_left);
        painter->drawText(QRect(after_left, area.top(), area.right() - after_left, area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, after);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {400, QFontMetrics(option.font).height() + 6};
    }
};

} // namespace

const occurrences::occurrence_index* opened_index(occurrences::occurrence_data& data) {
    if (data.is_open()) {
        return data.index();
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const occurrences::occurrence_index* index = data.index();
    QApplication::restoreOverrideCursor();
    return index;
}

occurrence_model::occurrence_model(occurrences::occurrence_data& data, QObject* parent)
    : QAbstractListModel(parent), data_(data) {}

void occurrence_model::set_list(const occurrences::occurrence_list* list) {
    beginResetModel();
    list_ = list;
    lines_.assign(list ? list->rows().size() : 0, std::nullopt);
    shown_ = list ? std::min<int>(batch, static_cast<int>(list->rows().size())) : 0;
    endResetModel();
}

int occurrence_model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

bool occurrence_model::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && list_ != nullptr && shown_ < static_cast<int>(list_->rows().size());
}

void occurrence_model::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) {
        return;
    }
    const int more = std::min<int>(batch, static_cast<int>(list_->rows().size()) - shown_);
    beginInsertRows({}, shown_, shown_ + more - 1);
    shown_ += more;
    endInsertRows();
}

const occurrences::keyword_line& occurrence_model::line_of(int row) const {
    auto& line = lines_[static_cast<std::size_t>(row)];
    if (!line) {
        const auto& r = list_->rows()[static_cast<std::size_t>(row)];
        line =
            occurrences::keyword_in_context(data_.text(), list_->leaf_of(r), list_->position_of(r));
    }
    return *line;
}

QVariant occurrence_model::data(const QModelIndex& index, int role) const {
    if (list_ == nullptr || !index.isValid() || index.row() >= shown_) {
        return {};
    }
    const auto& r = list_->rows()[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return qt_text(list_->label(r));
    case kind_role:
        return static_cast<int>(r.kind);
    case before_role:
        return r.kind == occurrence_list::row_kind::hit ? qt_text(line_of(index.row()).before)
                                                        : QVariant();
    case word_role:
        return r.kind == occurrence_list::row_kind::hit ? qt_text(line_of(index.row()).word)
                                                        : QVariant();
    case after_role:
        return r.kind == occurrence_list::row_kind::hit ? qt_text(line_of(index.row()).after)
                                                        : QVariant();
    case other_reading_role:
        return r.kind == occurrence_list::row_kind::hit && !list_->likeliest(r);
    default:
        return {};
    }
}

void hit_list_view::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && on_open &&
        currentIndex().isValid()) {
        on_open(currentIndex());
        return;
    }
    QListView::keyPressEvent(event);
}

occurrences_window::occurrences_window(occurrences::occurrence_data& data,
                                       std::function<void(std::int32_t, std::int32_t)> open_hit,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window), data_(data), open_hit_(std::move(open_hit)),
      heading_(new QLabel(this)), totals_(new QLabel(this)), chart_(new frequency_chart(this)),
      author_filter_(new QComboBox(this)),
      other_readings_(new QCheckBox(QStringLiteral("Show other readings (marked *)"), this)),
      view_(new hit_list_view(this)), model_(new occurrence_model(data, this)),
      split_(new QSplitter(Qt::Vertical, this)) {
    setWindowTitle(QStringLiteral("Occurrences - Veso"));
    resize(900, 800);
    heading_->setWordWrap(true);
    totals_->setWordWrap(true);

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("Show:"), this));
    filters->addWidget(author_filter_);
    filters->addSpacing(16);
    filters->addWidget(other_readings_);
    filters->addStretch(1);

    view_->setModel(model_);
    view_->setItemDelegate(new keyword_delegate(view_));
    view_->setUniformItemSizes(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->on_open = [this](const QModelIndex& index) { open_row(index.row()); };
    connect(view_, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { open_row(index.row()); });

    // The chart and the hits share the height as the reader drags their divider.
    auto* chart_area = new QScrollArea(this);
    chart_area->setWidget(chart_);
    chart_area->setWidgetResizable(true);
    chart_area->setFrameShape(QFrame::NoFrame);
    auto* hits = new QWidget(this);
    auto* hits_layout = new QVBoxLayout(hits);
    hits_layout->setContentsMargins(0, 0, 0, 0);
    hits_layout->addLayout(filters);
    hits_layout->addWidget(view_, 1);
    split_->addWidget(chart_area);
    split_->addWidget(hits);
    split_->setChildrenCollapsible(false);
    author_filter_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    author_filter_->setMinimumContentsLength(26);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(totals_);
    layout->addWidget(split_, 1);

    connect(author_filter_, &QComboBox::currentIndexChanged, this, [this] { apply_filter(); });
    connect(other_readings_, &QCheckBox::toggled, this, [this] { apply_filter(); });
}

occurrences_window::~occurrences_window() {
    model_->set_list(nullptr);
}

void occurrences_window::show_message(const QString& message) {
    model_->set_list(nullptr);
    list_.reset();
    hits_ = {};
    heading_->setFont(font());
    heading_->setText(message);
    totals_->clear();
    chart_->set_bars({});
    chart_->hide();
    author_filter_->setEnabled(false);
    other_readings_->setEnabled(false);
}

void occurrences_window::show_search(const occurrences::occurrence_search& search,
                                     const QString& heading, int current_author) {
    const occurrences::occurrence_index* index = data_.index();
    if (index == nullptr) {
        show_message(qt_text(data_.problem()));
        return;
    }
    model_->set_list(nullptr);
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    heading_->setFont(large);
    by_form_ = search.lemmas.empty();
    current_author_ = current_author;
    hits_ = occurrences::find_hits(*index, search);
    list_ = std::make_unique<occurrences::occurrence_list>(*index, hits_, data_.places());
    heading_->setText(heading);
    chart_->set_bars(
        by_form_ ? occurrences::form_frequency_bars(*index, hits_, data_.places(), current_author)
                 : occurrences::lemma_frequency_bars(*index, search.lemmas, data_.places(),
                                                     current_author));
    chart_->show();
    // The whole chart when it takes less than half the height, else half.
    const int room = split_->height();
    const int chart_height = std::min(chart_->sizeHint().height() + 4, room / 2);
    split_->setSizes({chart_height, room - chart_height});

    const QSignalBlocker block_authors(author_filter_);
    const QSignalBlocker block_readings(other_readings_);
    author_filter_->clear();
    author_filter_->addItem(QStringLiteral("All authors"), 0);
    for (const auto& bar : chart_->bars()) {
        if (bar.author == current_author) {
            author_filter_->addItem(QStringLiteral("This author (%1)").arg(qt_text(bar.name)),
                                    bar.author);
        }
    }
    author_filter_->setEnabled(author_filter_->count() > 1);
    other_readings_->setChecked(false);
    other_readings_->setEnabled(!by_form_ && hits_.likeliest < hits_.all);
    apply_filter();
}

void occurrences_window::apply_filter() {
    if (!list_) {
        return;
    }
    list_->apply({author_filter_->currentData().toInt(), other_readings_->isChecked()});
    model_->set_list(list_.get());
    // A new list starts at its top, whatever the last one showed.
    view_->scrollToTop();
    update_totals();
}

void occurrences_window::update_totals() {
    const auto& f = list_->current_filter();
    const auto count = [&](const std::array<std::uint32_t, occurrences::author_slots>& by) {
        std::uint64_t n = 0;
        for (std::size_t a = 0; a < by.size(); ++a) {
            n += f.author == 0 || static_cast<int>(a) == f.author ? by[a] : 0;
        }
        return n;
    };
    QString text;
    if (by_form_) {
        text = QStringLiteral("%L1 occurrences").arg(count(hits_.all_by_author));
    } else {
        text = QStringLiteral("%L1 occurrences where this is the likeliest reading, %L2 with "
                              "other readings")
                   .arg(count(hits_.likeliest_by_author))
                   .arg(count(hits_.all_by_author));
    }
    text += f.author == 0 ? QStringLiteral(" in all authors") : QStringLiteral(" in this author");
    text += QStringLiteral("; %L1 shown. Bars: per 10,000 words of each author.")
                .arg(list_->shown_hits());
    totals_->setText(text);
}

bool occurrences_window::open_row(int row) {
    if (!list_ || row < 0 || row >= static_cast<int>(list_->rows().size())) {
        return false;
    }
    const auto& r = list_->rows()[static_cast<std::size_t>(row)];
    if (r.kind != occurrence_list::row_kind::hit) {
        return false;
    }
    open_hit_(list_->leaf_of(r).id, list_->position_of(r));
    return true;
}

} // namespace veso
