#include "app/search/frequency_chart.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace veso {

namespace {

constexpr int name_width = 130;
constexpr int value_width = 60;
constexpr int margin = 6;

} // namespace

frequency_chart::frequency_chart(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void frequency_chart::set_bars(std::vector<occurrences::frequency_bar> bars) {
    bars_ = std::move(bars);
    setMinimumHeight(sizeHint().height());
    updateGeometry();
    update();
}

QSize frequency_chart::sizeHint() const {
    return {name_width + value_width + 300,
            2 * margin + row_height * static_cast<int>(std::max<std::size_t>(bars_.size(), 1))};
}

void frequency_chart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    double largest = 0;
    for (const auto& bar : bars_) {
        largest = std::max(largest, bar.per_10000);
    }
    const int bar_left = margin + name_width;
    const int bar_room = std::max(10, width() - bar_left - value_width - margin);
    QFont plain = font();
    QFont bold = plain;
    bold.setBold(true);
    int y = margin;
    for (const auto& bar : bars_) {
        painter.setFont(bar.current ? bold : plain);
        painter.setPen(palette().text().color());
        painter.drawText(QRect(margin, y, name_width - 8, row_height),
                         Qt::AlignRight | Qt::AlignVCenter, QString::fromStdU16String(bar.name));
        const int length =
            largest > 0 ? static_cast<int>(bar.per_10000 / largest * bar_room + 0.5) : 0;
        const QColor colour = bar.current ? QColor(200, 90, 30) : QColor(70, 110, 170);
        painter.fillRect(
            QRect(bar_left, y + 2, std::max(length, bar.count > 0 ? 1 : 0), row_height - 4),
            colour);
        painter.drawText(QRect(bar_left + length + 4, y, value_width, row_height),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(bar.per_10000, 'f', bar.per_10000 < 1 ? 2 : 1));
        y += row_height;
    }
}

} // namespace veso
