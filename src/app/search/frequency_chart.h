#pragma once

#include "occurrences/occurrence_list.h"

#include <QWidget>
#include <vector>

namespace veso {

// A horizontal bar per author: the word's frequency per 10,000 of the author's words, the author
// being read drawn in another colour and named in bold.
class frequency_chart : public QWidget {
public:
    static constexpr int row_height = 14;

    explicit frequency_chart(QWidget* parent = nullptr);
    void set_bars(std::vector<occurrences::frequency_bar> bars);
    const std::vector<occurrences::frequency_bar>& bars() const { return bars_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<occurrences::frequency_bar> bars_;
};

} // namespace veso
