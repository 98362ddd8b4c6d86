#include "app/colour_dialog.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace veso {

namespace {

// Paints each label in its item's colour (no item is ever selected, so none is highlighted).
class colour_label_delegate : public QStyledItemDelegate {
public:
    explicit colour_label_delegate(CTreeCtrlEx& tree) : QStyledItemDelegate(&tree), tree_(tree) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QColor colour = tree_.label_colour(tree_.itemFromIndex(index));
        option->palette.setColor(QPalette::Text, colour);
        option->palette.setColor(QPalette::WindowText, colour);
    }

private:
    CTreeCtrlEx& tree_;
};

// Dialog units of "MS Shell Dlg" 8 in pixels.
int px_x(int units) {
    return units * 3 / 2;
}
int px_y(int units) {
    return units * 13 / 8;
}

} // namespace

CTreeCtrlEx::CTreeCtrlEx(ColourTable& table, platform::settings_store* settings,
                         platform::ui_services& ui, QWidget* parent)
    : QTreeWidget(parent), control_(*this), table_(table), settings_(settings), ui_(ui) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    // Long labels scroll sideways rather than being cut short.
    setTextElideMode(Qt::ElideNone);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setItemDelegate(new colour_label_delegate(*this));
    // Nothing is ever selected: not by a click, nor by dragging onto an item, nor by the keyboard,
    // so no label loses its colour to the highlight.
    setSelectionMode(QAbstractItemView::NoSelection);
    logic_.fill_colour_tree(control_, table_);
}

QColor CTreeCtrlEx::label_colour(const QTreeWidgetItem* item) const {
    const auto colour = logic_.item_colour(control_.handle_of(item));
    if (colour == colour_tree::no_colour) {
        return palette().color(QPalette::WindowText);
    }
    return QColor(platform::red_of(colour), platform::green_of(colour), platform::blue_of(colour));
}

void CTreeCtrlEx::mousePressEvent(QMouseEvent* event) {
    // The tree's own handling never runs: a click neither selects nor expands.
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        return;
    }
    const QPoint at = event->position().toPoint();
    if (logic_.click(at.x(), at.y(), control_, ui_, table_, settings_)) {
        viewport()->update();
    }
}

// The second press of a double click would open the chooser again; like the first, it must not
// expand or collapse either.
void CTreeCtrlEx::mouseDoubleClickEvent(QMouseEvent*) {}

// A press's own handling never ran, so neither may the drag and release that follow it.
void CTreeCtrlEx::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton)
        QTreeWidget::mouseMoveEvent(event);
}

void CTreeCtrlEx::mouseReleaseEvent(QMouseEvent*) {}

colordlg::colordlg(ColourTable& table, platform::settings_store* settings,
                   platform::ui_services& ui, QWidget* parent)
    : QDialog(parent), tree_(new CTreeCtrlEx(table, settings, ui, this)) {
    setWindowTitle(QStringLiteral("Choose colors..."));
    setFixedSize(px_x(156), px_y(223));
    tree_->setGeometry(px_x(7), px_y(7), px_x(88), px_y(209));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(px_x(99), px_y(7), px_x(50), px_y(14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace veso
