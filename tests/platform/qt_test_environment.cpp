// Every test binary that touches widgets links this: one QApplication for the whole run.
#include <QApplication>
#include <gtest/gtest.h>

namespace {

class qt_environment : public testing::Environment {
public:
    void SetUp() override {
        if (QApplication::instance() == nullptr) {
            application_ = new QApplication(argc_, argv_);
        }
    }
    void TearDown() override {
        delete application_;
        application_ = nullptr;
    }

private:
    int argc_ = 1;
    char name_[10] = "veso-test";
    char* argv_[2] = {name_, nullptr};
    QApplication* application_ = nullptr;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new qt_environment);

} // namespace
