#include "app/shortcuts_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

namespace veso {

namespace {

// Keys the panes handle themselves, which no menu item carries.
const std::vector<shortcut_row>& pane_keys() {
    static const std::vector<shortcut_row> rows{
        {QStringLiteral("Tab, Right"),
         QStringLiteral("Text pane: next word (shows the word cursor)")},
        {QStringLiteral("Shift+Tab, Left"), QStringLiteral("Text pane: previous word")},
        {QStringLiteral("Up, Down"),
         QStringLiteral("Text pane: the word on the line above or below")},
        {QStringLiteral("Home, End"), QStringLiteral("Text pane: the page's first or last word")},
        {QStringLiteral("Esc"), QStringLiteral("Text pane: hide the word cursor")},
        {QStringLiteral("PgDown, PgUp"), QStringLiteral("Text pane: next or previous page")},
        {QStringLiteral("Menu, right click"),
         QStringLiteral("Text pane: Copy, or Copy Word for the word under the pointer")},
        {QStringLiteral("Ctrl+C"), QStringLiteral("Dictionary window: copy the page's entries")},
        {QStringLiteral("Ctrl+wheel"),
         QStringLiteral("Text, lookup and dictionary panes: larger or smaller text")},
    };
    return rows;
}

QString keys_of(const QAction& action) {
    QStringList keys;
    for (const QKeySequence& key : action.shortcuts())
        keys << key.toString(QKeySequence::NativeText);
    return keys.join(QStringLiteral(", "));
}

QString plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

} // namespace

std::vector<shortcut_row> shortcut_rows(const QMenuBar& bar) {
    std::vector<shortcut_row> rows;
    for (const QAction* item : bar.actions()) {
        if (const QMenu* menu = item->menu()) {
            for (const QAction* action : menu->actions()) {
                if (!action->shortcuts().isEmpty())
                    rows.push_back({keys_of(*action), plain(item->text()) + QStringLiteral(" > ") +
                                                          plain(action->text())});
            }
        } else if (!item->shortcuts().isEmpty()) {
            rows.push_back({keys_of(*item), plain(item->text())});
        }
    }
    rows.insert(rows.end(), pane_keys().begin(), pane_keys().end());
    return rows;
}

shortcuts_dialog::shortcuts_dialog(const std::vector<shortcut_row>& rows, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, this);
    table->setHorizontalHeaderLabels({QStringLiteral("Keys"), QStringLiteral("Does")});
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < table->rowCount(); ++row) {
        const auto& entry = rows[static_cast<std::size_t>(row)];
        table->setItem(row, 0, new QTableWidgetItem(entry.keys));
        table->setItem(row, 1, new QTableWidgetItem(entry.does));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(640, 720);
}

} // namespace veso
