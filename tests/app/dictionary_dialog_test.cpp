#include "app/reading/reading_widgets.h"
#include "lexicon/lexicon.h"
#include "platform/headless/memory_settings_store.h"
#include "platform/qt/qt_fonts.h"
#include "test_ui.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <fstream>
#include <gtest/gtest.h>

namespace veso {
namespace {

// The dictionary window over forty one-line entries, opened at the eleventh and scrolled to it.
class DictionaryDialogTest : public testing::Test {
protected:
    DictionaryDialogTest() {
        const std::filesystem::path data =
            std::filesystem::path(folder.path().toStdString()) / "data";
        std::filesystem::create_directories(data);
        std::ofstream out(data / "d.dat", std::ios::binary);
        for (int i = 0; i < 40; ++i) {
            out << "l" << static_cast<char>('a' + i / 20) << static_cast<char>('a' + i % 20)
                << '\x01' << "[L] meaning " << i << ' ' << '\0';
        }
        out.close();
        lex = std::make_unique<lexicon>(data);
        lex->wait_until_loaded();
        window = std::make_unique<dictionary_window>(*lex, fonts, &settings, ui);
    }

    dictionary_dialog& open() {
        lex->open_dictionary_page(u"lak");
        dictionary_view& view = window->create_dictionary_window();
        auto* dialog = static_cast<dictionary_dialog*>(window->dialog());
        dialog->resize(dictionary_dialog::default_width, 300);
        window->show_dictionary_window();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
        // As the lookup view opens it, once its size has settled.
        view.recentre_pending = true;
        lex->requested_headword = u"lak";
        dialog->page_widget()->repaint();
        return *dialog;
    }

    void wheel_over(QWidget& widget, int delta) {
        const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
        QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&widget, &event);
    }

    QTemporaryDir folder;
    platform::memory_settings_store settings;
    test::test_ui ui;
    platform::qt_font_factory fonts;
    std::unique_ptr<lexicon> lex;
    std::unique_ptr<dictionary_window> window;
};

TEST_F(DictionaryDialogTest, EveryWayOfMovingTheBarMovesThePageOrIsPutBack) {
    dictionary_dialog& dialog = open();
    const dictionary_view& view = window->view();
    QScrollBar& bar = *dialog.scroll_bar();
    const int step = view.scroll_max() / 10;
    ASSERT_GT(step, 0);
    const int start = view.scroll_pos;
    ASSERT_GT(start, 0);
    EXPECT_EQ(bar.value(), start);

    // The wheel over the bar scrolls a line, as over the page.
    wheel_over(bar, -120);
    EXPECT_EQ(view.scroll_pos, start + step);
    EXPECT_EQ(bar.value(), view.scroll_pos);
    wheel_over(*dialog.page_widget(), 120);
    EXPECT_EQ(view.scroll_pos, start);
    EXPECT_EQ(bar.value(), start);

    // "Scroll here" sets the bar's value: the page goes there.
    bar.setValue(40);
    EXPECT_EQ(view.scroll_pos, 40);
    // Arrows and the groove move by the view's step.
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.scroll_pos, 40 + step);
    bar.triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(view.scroll_pos, 40);
    // "Top" and "Bottom" do not move the page, so the bar is put back.
    bar.triggerAction(QAbstractSlider::SliderToMaximum);
    bar.triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(view.scroll_pos, 40);
    EXPECT_EQ(bar.value(), 40);
    EXPECT_EQ(bar.sliderPosition(), 40);

    window->destroy_dictionary_window();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace veso
