#pragma once

#include "platform/headless/headless_ui_services.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace veso::test {

// Scripted dialogs and recorded messages, with calls posted to the real event loop.
class test_ui : public platform::headless_ui_services {
public:
    void post_to_ui(std::function<void()> call) override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call),
                                  Qt::QueuedConnection);
    }
};

} // namespace veso::test
