// The window needs a QApplication; the tests run it on the offscreen platform.
#include "app/Look.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    eee::ApplyLook(app);
    return RUN_ALL_TESTS();
}
