// Opens the calculator with its delivered defaults, waits for the first verdict
// and saves a picture of the window: eee-calc-screenshot OUT.png
#include "app/Look.h"
#include "app/MainWindow.h"
#include "app/tools/RecordingDialogs.h"
#include "chart/ChartWidget.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <clocale>
#include <cstdio>

namespace {
class AfterVerdict : public QObject
{
public:
    using QObject::QObject;
    std::function<void()> Then;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == eee::kChartUpdatedEvent && Then) {
            // Runs after the window has answered the report.
            QTimer::singleShot(50, Then);
            Then = nullptr;
        }
        return false;
    }
};
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    eee::ApplyLook(app);
    const QString out = argc > 1 ? QString(argv[1]) : QString("screenshot.png");
    eee::RecordingDialogs dialogs;
    eee::MainWindow window(dialogs);
    AfterVerdict watcher;
    window.installEventFilter(&watcher);
    bool saved = false;
    watcher.Then = [&] {
        QPixmap picture = window.screen()->grabWindow(window.winId());
        if (picture.isNull() || picture.width() < window.width())
            picture = window.grab();
        saved = picture.save(out);
        window.reject();
    };
    window.show();
    window.exec();
    for (const auto& m : dialogs.Messages)
        std::fprintf(stderr, "message: %s\n", qPrintable(m.Text));
    return saved ? 0 : 1;
}
