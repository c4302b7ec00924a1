// Sessions opened without the file dialog (given at start-up, chosen from the
// recent list, dropped) load exactly as File > Load Session does: the same
// messages, the same form afterwards.
#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace eee::testing_support {
namespace {

QString Sample(const char* name)
{
    return QDir(QStringLiteral(EEE_SESSIONS_DIR)).filePath(name);
}

// Every control's state, in the order the window made them.
std::vector<std::string> Snapshot(const MainWindow& window)
{
    std::vector<std::string> state;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        std::string line = w->metaObject()->className();
        line += w->isVisibleTo(&window) ? " shown " : " hidden ";
        line += w->isEnabled() ? "on " : "off ";
        if (auto* edit = qobject_cast<const QLineEdit*>(w))
            line += edit->text().toStdString();
        else if (auto* combo = qobject_cast<const QComboBox*>(w))
            line += combo->currentText().toStdString();
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            line += button->isChecked() ? "checked" : "unchecked";
        else if (auto* label = qobject_cast<const QLabel*>(w))
            line += label->text().toStdString();
        state.push_back(line);
    }
    return state;
}

std::vector<std::pair<std::string, MsgIcon>> Shown(const RecordingDialogs& dialogs)
{
    std::vector<std::pair<std::string, MsgIcon>> shown;
    for (const auto& m : dialogs.Messages)
        shown.emplace_back(m.Text.toStdString(), m.Icon);
    return shown;
}

struct FileCase
{
    const char* Name;
    std::function<QString(const QTemporaryDir&)> Path;
    bool Loads;
};
void PrintTo(const FileCase& c, std::ostream* os)
{
    *os << c.Name;
}

QString Write(const QTemporaryDir& dir, const char* name, const QByteArray& content)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return file.fileName();
}

const FileCase kFiles[] = {
    {"CustomOverheads", [](auto&) { return Sample("ecc16-var-custom-3blocks.xml"); }, true},
    {"SixTypesDaily", [](auto&) { return Sample("ecc16-var-six-types-daily-3blocks.xml"); }, true},
    {"FixedLength", [](auto&) { return Sample("ecc8-fixed-custom-4blocks.xml"); }, true},
    {"Missing", [](const QTemporaryDir& d) { return d.filePath("missing.xml"); }, false},
    {"Catalogue",
        [](auto&) {
            return QDir(QStringLiteral(EEE_SESSIONS_DIR "/../../data")).filePath("SchemeInfo.xml");
        },
        false},
    {"OutOfRange",
        [](const QTemporaryDir& d) {
            QByteArray xml = [] {
                QFile f(Sample("ecc16-var-custom-3blocks.xml"));
                return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            }();
            return Write(d, "range.xml", xml.replace("<LifeTime>20<", "<LifeTime>120<"));
        },
        false},
    {"UnknownBlockSize",
        [](const QTemporaryDir& d) {
            QByteArray xml = [] {
                QFile f(Sample("ecc16-var-custom-3blocks.xml"));
                return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            }();
            return Write(d, "blocks.xml", xml.replace("xC000", "x7000"));
        },
        true},
};

class LoadSessionFileTest : public ShownWindowTest, public ::testing::WithParamInterface<FileCase>
{
protected:
    QTemporaryDir files;
};

TEST_P(LoadSessionFileTest, GivesWhatLoadSessionGives)
{
    const QString path = GetParam().Path(files);

    // Through the menu and the file dialog...
    dialogs.OpenAnswers = {path};
    ui().LoadSession->trigger();
    ASSERT_FALSE(dialogs.Messages.empty());
    EXPECT_EQ(
        dialogs.Messages.back().Icon, GetParam().Loads ? MsgIcon::Information : MsgIcon::Error);

    // ... and in a second window, by the path alone.
    RecordingDialogs otherDialogs;
    MainWindow other(otherDialogs);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    other.Sessions().Open(path);

    EXPECT_TRUE(otherDialogs.OpenFolders.empty()) << "the file dialog was opened";
    EXPECT_EQ(Shown(otherDialogs), Shown(dialogs));
    // Both verdicts are written once the charts have repainted.
    WaitUntil([&] { return Snapshot(other) == Snapshot(*window); });
    EXPECT_EQ(Snapshot(other), Snapshot(*window));
}

INSTANTIATE_TEST_SUITE_P(Files, LoadSessionFileTest, ::testing::ValuesIn(kFiles),
    [](const ::testing::TestParamInfo<FileCase>& info) { return info.param.Name; });

TEST_F(WindowTest, StartedWithASessionOpensWithTheDefaultsThenLoadsIt)
{
    RecordingDialogs plainDialogs;
    const MainWindow plain(plainDialogs);
    const QString session = Sample("ecc16-var-custom-3blocks.xml");

    window->Sessions().OpenWhenShown(session);
    // The window is built as usual first: the delivered defaults, no message yet.
    EXPECT_EQ(Snapshot(*window), Snapshot(plain));
    EXPECT_TRUE(dialogs.Messages.empty());

    ShowActive();
    ASSERT_TRUE(WaitUntil([&] { return !dialogs.Messages.empty(); }));
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "File " + session + " loaded successfully!");
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Information);
    EXPECT_TRUE(dialogs.OpenFolders.empty());
    EXPECT_EQ(ui().LifeTime->text(), "20");
    EXPECT_EQ(ui().BlockCount->currentText(), "3");
    EXPECT_EQ(ui().BlockSize[0]->currentText(), "x6000");
    EXPECT_EQ(ui().BlockSize[1]->currentText(), "xC000");
    EXPECT_EQ(ui().BlockSize[2]->currentText(), "x6000");
    EXPECT_TRUE(ui().CustomizeOverhead->isChecked());
    EXPECT_EQ(ui().BlockOverhead->text(), "64");
    EXPECT_EQ(ui().DataTypes->currentText(), "2");
    EXPECT_EQ(ui().DataSize[0]->text(), "200");
    EXPECT_EQ(ui().Records[0]->text(), "12");
    EXPECT_EQ(ui().Updates[1]->text(), "100000");
    EXPECT_EQ(ui().Overhead[1]->text(), "16");
}

} // namespace
} // namespace eee::testing_support
