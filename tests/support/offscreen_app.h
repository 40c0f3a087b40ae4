#pragma once
// One QApplication on Qt's offscreen platform for a test program that renders windows; register
// it with ::testing::AddGlobalTestEnvironment(new testsupport::OffscreenApp).
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "platform/qtview/qt_platform.h"

namespace testsupport {

class OffscreenApp : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        platform::qtview::setupApplication(*app);
    }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[16] = "quelvar_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};

}  // namespace testsupport
