// The report tests draw with fonts: one QGuiApplication for the whole run, offscreen
// unless another platform is asked for.
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
