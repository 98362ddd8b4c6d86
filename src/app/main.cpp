#include "app/myapp.h"
#include "app/myframe.h"
#include "app/reading/reading_widgets.h"
#include "datafiles/data_folder.h"
#include "platform/qt/pictures.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <filesystem>

namespace {

// With VESO_STARTUP_TIMING set, prints the wall-clock time of the text pane's first paint (ms since
// the epoch) so that a script can measure start-up; with the value "quit", then quits.
class first_paint_probe : public QObject {
public:
    explicit first_paint_probe(bool quit_after) : quit_after_(quit_after) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            QTimer::singleShot(0, this, [this] {
                std::printf("first-paint-ms %lld\n",
                            static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
                std::fflush(stdout);
                if (quit_after_) {
                    QApplication::quit();
                }
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool quit_after_;
    bool reported_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veso"));
    QApplication::setWindowIcon(veso::platform::application_icon());

    veso::myapp app(veso::datafiles::locate_data_folder(std::filesystem::current_path()));
    if (!app.init_instance(QApplication::arguments().mid(1))) {
        return 0;
    }
    std::unique_ptr<first_paint_probe> probe;
    if (const QByteArray timing = qgetenv("VESO_STARTUP_TIMING"); !timing.isEmpty()) {
        probe = std::make_unique<first_paint_probe>(timing == "quit");
        app.main_window()->text_widget().installEventFilter(probe.get());
    }
    return QApplication::exec();
}
