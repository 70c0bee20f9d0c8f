// Test main for the Qt layers: one QApplication on the offscreen platform for every test, with
// the fixed number and time formats the programs keep.
#include <gtest/gtest.h>

#include <QApplication>

#include "gui/fixed_formats.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    orbex::KeepFixedFormats();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
