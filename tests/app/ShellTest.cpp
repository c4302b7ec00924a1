// The window's shell: closing by Exit, Ctrl+Q, Escape and the close box, the
// accelerators, the menus, the About box and the program's message boxes.
#include "WindowTestSupport.h"

#include "app/AboutBox.h"
#include "app/RecentSessions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

namespace eee::testing_support {
namespace {

constexpr int kUntouched = 42;

// Answers the next modal dialog of type T that opens: `inspect` sees it, then it is closed.
template <typename T> class ModalAnswer : public QObject
{
public:
    explicit ModalAnswer(std::function<void(T*)> inspect)
        : m_inspect(std::move(inspect))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start(5);
    }
    bool Seen = false;

private:
    void Poll()
    {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            m_timer.stop();
            Seen = true;
            m_inspect(dialog);
            if (dialog->isVisible())
                dialog->reject();
        }
    }
    std::function<void(T*)> m_inspect;
    QTimer m_timer;
};

TEST_F(ShownWindowTest, CtrlQWithABadFieldStaysOpenAndEscapeCloses)
{
    window->setResult(kUntouched);
    TypeInto(ui().Records[2], "31000");
    QTest::keyClick(ui().Records[2], Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Please enter an integer between 1 and 30000.");
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Warning);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->result(), kUntouched);
    EXPECT_EQ(QApplication::focusWidget(), ui().Records[2]);

    // An empty field is just as bad.
    TypeInto(ui().Records[2], "8");
    TypeInto(ui().Updates[5], "");
    QTest::keyClick(ui().Updates[5], Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Text, "Please enter an integer.");
    EXPECT_TRUE(window->isVisible());

    // Escape closes at once, without reading the form.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(dialogs.Messages.size(), 2u);
}

TEST_F(ShownWindowTest, CtrlQWithAValidFormClosesWithOk)
{
    window->setResult(kUntouched);
    QTest::keyClick(ui().LifeTime, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(ShownWindowTest, CloseBoxClosesWithABadField)
{
    TypeInto(ui().DataSize[0], "0");
    window->setResult(kUntouched);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(ShownWindowTest, SessionAcceleratorsWorkFromAnyField)
{
    ui().DataSize[3]->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(ui().DataSize[3], Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.SaveFolders.size(), 1u);
    ui().BlockCount->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(ui().BlockCount, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.OpenFolders.size(), 1u);
    // Both dialogs were cancelled: nothing to report.
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_TRUE(window->isVisible());
}

// Within each menu every entry has a mnemonic of its own, so Alt and a letter always
// reaches the entry it names (Recent Sessions and Export Report once shared R).
TEST_F(ShownWindowTest, EveryMenuEntryHasAMnemonicOfItsOwn)
{
    for (QAction* menu : ui().Menu->actions()) {
        QMap<QChar, QString> taken;
        for (QAction* entry : menu->menu()->actions()) {
            if (entry->isSeparator())
                continue;
            const QString text = entry->text();
            const qsizetype amp = text.indexOf('&');
            ASSERT_TRUE(amp >= 0 && amp + 1 < text.size()) << text.toStdString();
            const QChar key = text[amp + 1].toLower();
            EXPECT_FALSE(taken.contains(key))
                << text.toStdString() << " and " << taken.value(key).toStdString();
            taken.insert(key, text);
        }
    }
}

TEST_F(ShownWindowTest, MenusOfferTheCommandsWithTheirAccelerators)
{
    const QList<QAction*> menus = ui().Menu->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Edit");
    EXPECT_EQ(menus[2]->text(), "&Tools");
    EXPECT_EQ(menus[3]->text(), "&Help");

    const QList<QAction*> file = menus[0]->menu()->actions();
    ASSERT_EQ(file.size(), 6);
    EXPECT_EQ(file[0], ui().LoadSession);
    EXPECT_EQ(file[1]->menu(), window->Sessions().Recent().Menu());
    EXPECT_EQ(file[2], ui().SaveSession);
    EXPECT_EQ(file[3], ui().ExportReport);
    EXPECT_TRUE(file[4]->isSeparator());
    EXPECT_EQ(file[5], ui().Exit);
    EXPECT_EQ(ui().LoadSession->text(), "&Load Session");
    EXPECT_EQ(ui().LoadSession->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(ui().SaveSession->text(), "&Save Session");
    EXPECT_EQ(ui().SaveSession->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(ui().Exit->text(), "&Exit");
    EXPECT_EQ(ui().Exit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(menus[1]->menu()->actions(), QList<QAction*> {ui().RestoreDefault});
    EXPECT_EQ(ui().RestoreDefault->text(), "&Restore Default");
    EXPECT_TRUE(ui().RestoreDefault->shortcut().isEmpty());
    EXPECT_EQ(menus[2]->menu()->actions(),
        (QList<QAction*> {ui().FindConfiguration, ui().CalculationDetails, ui().RetentionCheck,
            ui().WearSimulation, ui().SensitivitySweep}));
    EXPECT_EQ(ui().WearSimulation->text(), "&Wear Simulation...");
    EXPECT_EQ(ui().SensitivitySweep->text(), "&Sensitivity Sweep...");
    EXPECT_EQ(menus[3]->menu()->actions(), (QList<QAction*> {ui().UserGuide, ui().About}));
    EXPECT_EQ(ui().UserGuide->text(), "&User Guide");
    EXPECT_EQ(ui().About->text(), "&About");
}

TEST(AboutBox, ShowsItsFourLinesAndCloses)
{
    AboutBox about(nullptr);
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.minimumSize(), about.maximumSize());

    QList<QLabel*> lines;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            lines << label;
    }
    std::sort(lines.begin(), lines.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    QStringList texts;
    for (QLabel* label : lines) {
        texts << label->text();
        EXPECT_TRUE(label->alignment().testFlag(Qt::AlignHCenter)) << label->text().toStdString();
    }
    EXPECT_EQ(texts,
        (QStringList {"Varn Calculator", "Based on Varn flash family", "Corvant Semiconductor Inc.",
            "Version 0.5.4"}));

    const QList<QPushButton*> buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), " OK");
    EXPECT_TRUE(buttons[0]->isDefault());

    about.show();
    buttons[0]->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);

    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(ShownWindowTest, HelpAboutOpensTheAboutBoxOverTheWindow)
{
    QWidget* parent = nullptr;
    ModalAnswer<AboutBox> answer([&](AboutBox* box) {
        parent = box->parentWidget();
        const QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
        if (!buttons.isEmpty())
            buttons[0]->click();
    });
    ui().About->trigger();
    EXPECT_TRUE(answer.Seen);
    EXPECT_EQ(parent, window.get());
    EXPECT_TRUE(window->isVisible());
}

TEST(MessageBoxes, CarryTheProgramCaptionTheIconAndOneOkButton)
{
    EXPECT_STREQ(kMessageCaption, "Varn EEE-CALC");
    QtDialogs real;
    const std::vector<std::pair<MsgIcon, QMessageBox::Icon>> icons {
        {MsgIcon::Warning, QMessageBox::Warning},
        {MsgIcon::Error, QMessageBox::Critical},
        {MsgIcon::Information, QMessageBox::Information},
    };
    for (const auto& [icon, boxIcon] : icons) {
        QString title, text;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        ModalAnswer<QMessageBox> answer([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            shownIcon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
        });
        real.Message(nullptr, "Please enter an integer.", icon);
        ASSERT_TRUE(answer.Seen);
        EXPECT_EQ(title, "Varn EEE-CALC");
        EXPECT_EQ(text, "Please enter an integer.");
        EXPECT_EQ(shownIcon, boxIcon);
        EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

} // namespace
} // namespace eee::testing_support
