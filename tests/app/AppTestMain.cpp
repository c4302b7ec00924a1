// The window tests need one QApplication for the whole run; they use the
// offscreen platform unless another one is asked for.
#include "app/Look.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
// The offscreen platform warns about window features it does not have; that is not news.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains("does not support propagateSizeHints")
        || message.contains("XDG_RUNTIME_DIR not set"))
        return;
    qt_message_output(type, context, message);
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietHandler);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    eee::ApplyLook(app);
    return RUN_ALL_TESTS();
}
