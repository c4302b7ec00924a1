// Start-up harnesses, timed as whole processes by startup.sh.
//
// bench_startup_window: the calculator's window with its delivered defaults;
// the process ends as soon as the window has answered the chart's first report,
// that is when the first verdict is written.
//
// bench_startup_floor: a bare Qt dialog with the same kinds and numbers of
// controls and nothing behind them; the process ends after its first paint.
//
// Both print one line "widgets=N peak_rss_kb=K" before they end.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

#ifdef EEE_STARTUP_WINDOW
#include "app/Look.h"
#include "app/MainWindow.h"
#include "app/tools/RecordingDialogs.h"
#include "chart/ChartWidget.h"

#include <map>
#endif

namespace {

long PeakRssKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Quits the application, after the event at hand has been handled, the first
// time the watched object receives an event of the given type.
class QuitAfterFirst : public QObject
{
public:
    explicit QuitAfterFirst(QEvent::Type type)
        : m_type(type)
    { }
    bool Done = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!Done && event->type() == m_type) {
            Done = true;
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QEvent::Type m_type;
};

#ifndef EEE_STARTUP_WINDOW
// A stand-in for the chart: a widget that paints a few filled rectangles.
class PlainChart : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(236, 233, 216));
        painter.fillRect(QRect(40, 18, 248, 178), QColor(0, 255, 0));
        painter.drawText(10, 12, "x 10");
    }
};

// The same numbers of controls of each kind as the calculator's window, in a grid.
void BuildFloor(QDialog& dialog)
{
    auto* menu = new QMenuBar(&dialog);
    for (const char* title : {"&File", "&Edit", "&Tools", "&Help"})
        menu->addMenu(title)->addAction("Item");
    auto* client = new QWidget(&dialog);
    client->setGeometry(0, 22, 851, 639);
    dialog.setFixedSize(851, 661);

    int slot = 0;
    auto place = [&slot](QWidget* w) {
        w->setGeometry(10 + (slot % 8) * 104, 10 + (slot / 8) * 30, 96, 22);
        ++slot;
    };
    for (int i = 0; i < 8; ++i)
        place(new QGroupBox("Group", client));
    for (int i = 0; i < 34; ++i)
        place(new QLabel("Caption text", client));
    for (int i = 0; i < 33; ++i) {
        auto* edit = new QLineEdit("512", client);
        edit->setAlignment(Qt::AlignCenter);
        place(edit);
    }
    for (int i = 0; i < 9; ++i) {
        auto* combo = new QComboBox(client);
        for (const char* entry : {"x4000", "x6000", "x8000", "xC000", "x10000", "x20000"})
            combo->addItem(entry);
        place(combo);
    }
    for (int i = 0; i < 12; ++i)
        place(new QRadioButton(client));
    place(new QCheckBox("Check", client));
    place(new QPushButton("Submit", client));
    auto* chart = new PlainChart(client);
    chart->setGeometry(500, 65, 338, 236);
}
#endif

// The offscreen platform's notes about itself are not part of the measurement.
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
    qInstallMessageHandler(QuietHandler);
    // Measured without a display, as the tests run.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

#ifdef EEE_STARTUP_WINDOW
    eee::ApplyLook(app);
    eee::RecordingDialogs dialogs;
    eee::MainWindow window(dialogs);
    QuitAfterFirst watcher(eee::kChartUpdatedEvent);
    window.installEventFilter(&watcher);
    window.show();
    app.exec();
    const QString verdict = window.Ui().Verdict->text();
    const bool ok = watcher.Done && dialogs.Messages.empty()
        && verdict == "Application InSpec for Lifetime and Endurance";
    if (argc > 1 && QString(argv[1]) == "--census") {
        std::map<QString, int> kinds;
        for (QWidget* w : window.findChildren<QWidget*>())
            ++kinds[w->metaObject()->className()];
        for (const auto& [kind, count] : kinds)
            std::printf("%s %d\n", qPrintable(kind), count);
    }
    const auto widgets = window.findChildren<QWidget*>().size();
#else
    if (QStyle* style = QStyleFactory::create("Windows"))
        app.setStyle(style);
    QDialog window;
    BuildFloor(window);
    QuitAfterFirst watcher(QEvent::Paint);
    window.installEventFilter(&watcher);
    window.show();
    app.exec();
    const bool ok = watcher.Done;
    const auto widgets = window.findChildren<QWidget*>().size();
#endif
    std::printf("widgets=%d peak_rss_kb=%ld\n", static_cast<int>(widgets), PeakRssKb());
    return ok ? 0 : 1;
}
