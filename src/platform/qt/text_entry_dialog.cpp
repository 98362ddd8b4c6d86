#include "platform/qt/text_entry_dialog.h"

#include "platform/qt/pictures.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace veso::platform {

text_entry_dialog::text_entry_dialog(text_dialog kind, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(this)) {
    const bool dictionary = kind == text_dialog::goto_dictionary;
    const bool word = kind == text_dialog::find_word;
    setWindowTitle(dictionary ? QStringLiteral("Goto Dictionary")
                   : word     ? QStringLiteral("Find a word")
                              : QStringLiteral("Goto"));
    // A line number or a word is short; the bound keeps odd pastes from reaching the core.
    edit_->setMaxLength(dictionary || word ? 200 : 20);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(dictionary ? QStringLiteral("Greek Lemma")
                                 : word     ? QStringLiteral("Lemma or form (Greek or Beta Code):")
                                            : QStringLiteral("Goto Line:"),
                                 this),
                      0, 0);
    layout->addWidget(edit_, 0, 1);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 0, 2, 2, 1);
    if (dictionary) {
        auto* picture = new QLabel(this);
        picture->setPixmap(picture_pixmap(picture_id::goto_dictionary, devicePixelRatioF()));
        layout->addWidget(picture, 1, 0, 1, 2);
    }
    edit_->setFocus();
}

QString text_entry_dialog::text() const {
    return edit_->text();
}

} // namespace veso::platform
