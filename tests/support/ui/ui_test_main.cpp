#include "platform/ui/translation.h"

#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lumor::loadQtCzech();  // as the program starts
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
