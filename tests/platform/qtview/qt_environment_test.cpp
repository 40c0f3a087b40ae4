// One QApplication for the whole test program, set up as the program sets it up.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "platform/qtview/qt_platform.h"

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        app = std::make_unique<QApplication>(argc, argv);
        platform::qtview::setupApplication(*app);
    }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[16] = "qtview_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
