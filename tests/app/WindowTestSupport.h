// The one fixture of the window and session tests: the real window driven through
// its Qt controls (the user's clicks, choices, typing and focus moves), with the
// message boxes and file dialogs recorded, and waits on conditions (the chart's
// report, the verdict of the last calculation), never on a fixed time.
#pragma once

#include "app/DialogUnits.h"
#include "app/MainWindow.h"
#include "app/SessionFiles.h"
#include "app/tools/RecordingDialogs.h"
#include "chart/ChartWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Readable failure output for the Qt values the tests compare.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QColor& colour, std::ostream* os)
{
    *os << "rgb(" << colour.red() << ", " << colour.green() << ", " << colour.blue() << ")";
}
inline void PrintTo(const QPoint& p, std::ostream* os)
{
    *os << "(" << p.x() << ", " << p.y() << ")";
}
inline void PrintTo(const QSize& s, std::ostream* os)
{
    *os << s.width() << " x " << s.height();
}
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "(" << r.x() << ", " << r.y() << ") " << r.width() << " x " << r.height();
}

namespace eee {
inline void PrintTo(const ChartRect& r, std::ostream* os)
{
    *os << "(" << r.Left << ", " << r.Top << ") to (" << r.Right << ", " << r.Bottom << ")";
}
} // namespace eee

namespace eee::testing_support {

// Counts the chart's reports as they reach the window, just before the window answers them.
class ChartReportCounter : public QObject
{
public:
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == kChartUpdatedEvent)
            ++Count;
        return false;
    }
};

// Processes events until the condition holds; false when it has not within the time,
// which is generous: a loaded machine may take seconds to paint.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 20000)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

// Chooses an entry of a list as the user does: the list shows it, then reports it.
inline void Choose(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text, Qt::MatchExactly);
    ASSERT_GE(index, 0) << "no entry " << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Replaces a field's text by typing: the old text is selected and typed over,
// one key at a time; an empty text is a Backspace over the selection.
inline void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

// The user moves into a field with the Tab key.
inline void TabInto(QWidget* widget)
{
    widget->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
}

inline std::vector<QString> Texts(const std::vector<RecordingDialogs::Shown>& shown)
{
    std::vector<QString> texts;
    for (const auto& m : shown)
        texts.push_back(m.Text);
    return texts;
}

// A fresh window over the data files beside the test program, shown and active,
// with its first chart report answered.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override { Open(); }

    void Open(std::string moduleFolder = {})
    {
        window = moduleFolder.empty() ? std::make_unique<MainWindow>(dialogs)
                                      : std::make_unique<MainWindow>(dialogs, moduleFolder);
        window->installEventFilter(&reports);
    }

    void ShowActive()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        WaitForChartReport(0);
    }

    // Waits until the chart has reported more than `seen` times and the window has answered.
    void WaitForChartReport(int seen)
    {
        ASSERT_TRUE(WaitUntil([&] { return reports.Count > seen; })) << "the chart did not report";
    }

    // Waits until the verdict lines speak of the last calculation.
    void Settle()
    {
        ASSERT_TRUE(WaitUntil([&] { return window->VerdictCurrent(); }))
            << "the chart did not report after the last calculation";
    }

    // Repaints the chart and waits for the window's answer to its report.
    void RepaintChart()
    {
        const int seen = reports.Count;
        window->Chart()->update();
        WaitForChartReport(seen);
    }

    void ClickSubmitAndWaitForVerdict()
    {
        const int seen = reports.Count;
        ASSERT_TRUE(ui().Submit->isEnabled());
        QTest::mouseClick(ui().Submit, Qt::LeftButton);
        WaitForChartReport(seen);
    }

    const MainWindow::Controls& ui() const { return window->Ui(); }

    RecordingDialogs dialogs;
    ChartReportCounter reports;
    std::unique_ptr<MainWindow> window;
};

// The window after start-up, ready for the user.
class ShownWindowTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowActive();
    }
};

} // namespace eee::testing_support
