#include "platform/qt/qt_ui_services.h"
#include "platform/qt/text_entry_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace veso::platform {
namespace {

// Answers the next modal dialog: types text and presses Enter, or presses Escape.
void answer_next_dialog(std::optional<QString> text, QStringList* labels = nullptr,
                        QString* title = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* dialog = dynamic_cast<text_entry_dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (labels) {
            for (const auto* label : dialog->findChildren<QLabel*>()) {
                *labels << label->text();
            }
        }
        if (title) {
            *title = dialog->windowTitle();
        }
        if (text) {
            QTest::keyClicks(dialog->edit(), *text);
            QTest::keyClick(dialog->edit(), Qt::Key_Return);
        } else {
            QTest::keyClick(dialog->edit(), Qt::Key_Escape);
        }
    });
}

TEST(QtUiServices, GotoDialogsReturnTheTextOnOkAndNothingOnCancel) {
    qt_ui_services ui;
    QStringList labels;
    QString title;
    answer_next_dialog(QStringLiteral("120"), &labels, &title);
    EXPECT_EQ(ui.run_text_dialog(text_dialog::goto_line), u"120");
    EXPECT_EQ(title, QStringLiteral("Goto"));
    EXPECT_TRUE(labels.contains(QStringLiteral("Goto Line:")));

    labels.clear();
    answer_next_dialog(std::nullopt, &labels, &title);
    EXPECT_FALSE(ui.run_text_dialog(text_dialog::goto_dictionary));
    EXPECT_EQ(title, QStringLiteral("Goto Dictionary"));
    EXPECT_TRUE(labels.contains(QStringLiteral("Greek Lemma")));
}

TEST(QtUiServices, OverlongTypingIsCutAtTheEditsLimit) {
    qt_ui_services ui;
    answer_next_dialog(QString(500, QLatin1Char('a')));
    const auto typed = ui.run_text_dialog(text_dialog::goto_dictionary);
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->size(), 200u);
}

TEST(QtUiServices, CallsPostedFromAWorkerRunOnTheUserInterfaceThread) {
    qt_ui_services ui;
    const auto ui_thread = std::this_thread::get_id();
    bool ran_on_ui = false;
    bool ran = false;
    std::thread worker([&] {
        ui.post_to_ui([&] {
            ran_on_ui = std::this_thread::get_id() == ui_thread;
            ran = true;
        });
    });
    worker.join();
    EXPECT_FALSE(ran);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
    EXPECT_TRUE(ran_on_ui);
}

} // namespace
} // namespace veso::platform
