#include "SessionTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace eee::test {

namespace {
constexpr const char* kDataFiles[]
    = {"SchemeInfo.xml", "SchemeInfo.xsd", "SessionData.xsd", "Defaults.xml"};

std::string Std(const QString& text)
{
    return text.toStdString();
}

const char* IconName(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Warning:
        return "warning";
    case MsgIcon::Error:
        return "error";
    case MsgIcon::Information:
        break;
    }
    return "information";
}
} // namespace

QString DeliveredFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString DeliveredFile(const QString& name)
{
    return QDir(DeliveredFolder()).filePath(name);
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << Std(path);
    ASSERT_EQ(file.write(bytes), bytes.size()) << Std(path);
}

FolderSnapshot Snapshot(const QString& folder)
{
    FolderSnapshot files;
    const QDir root(folder);
    QDirIterator it(
        folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat info
        { };
        std::string& entry = files[Std(root.relativeFilePath(path))];
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
            entry = "<gone>";
        else if (!S_ISREG(info.st_mode))
            entry = "<special file, mode " + std::to_string(info.st_mode)
                + ">"; // never read a device
        else
            entry = ReadBytes(path).toStdString();
    }
    return files;
}

ScratchMount::ScratchMount(const char* options)
{
    if (m_dir.isValid() && geteuid() == 0) {
        const QByteArray path = QFile::encodeName(m_dir.path());
        m_mounted = ::mount("tmpfs", path.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options) == 0;
    }
}

ScratchMount::~ScratchMount()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool ScratchMount::MakeReadOnly()
{
    const QByteArray path = QFile::encodeName(m_dir.path());
    return m_mounted
        && ::mount("tmpfs", path.constData(), "tmpfs",
               MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr)
        == 0;
}

bool ScratchMount::Fill()
{
    const int fd
        = ::open(QFile::encodeName(File("filler")).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const std::string chunk(4096, 'x');
    while (::write(fd, chunk.data(), chunk.size()) > 0) { }
    const bool full = errno == ENOSPC;
    // The last partial page, byte by byte.
    while (full && ::write(fd, "x", 1) > 0) { }
    ::close(fd);
    return full;
}

QByteArray SessionText::Xml() const
{
    const std::string ns = R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance")";
    const std::string location = "xsi:noNamespaceSchemaLocation=\"" + SchemaLocation + "\"";
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!--Current Session Data-->\n";
    xml += "<" + Root + " " + (AttributesSwapped ? location + " " + ns : ns + " " + location)
        + ">\n";
    xml += "  <Scheme>" + Scheme + "</Scheme>\n";
    xml += "  <LifeTime>" + LifeTime + "</LifeTime>\n";
    xml += "  <BlocksSelected>\n";
    for (const std::string& block : Blocks)
        xml += "    <BlockSize>" + block + "</BlockSize>\n";
    xml += "  </BlocksSelected>\n";
    xml += "  <CusOverheadEn>" + CusOverheadEn + "</CusOverheadEn>\n";
    xml += "  <BlockOverhead>" + BlockOverhead + "</BlockOverhead>\n";
    static constexpr const char* kFields[]
        = {"DataSize", "Updates", "Records", "Frequency", "CusOverhead"};
    for (const auto& row : Rows) {
        xml += "  <DataInfo>\n";
        for (size_t i = 0; i < row.size(); ++i)
            xml += std::string("    <") + kFields[i] + ">" + row[i] + "</" + kFields[i] + ">\n";
        xml += "  </DataInfo>\n";
    }
    xml += "</" + Root + ">\n";
    return QByteArray::fromStdString(xml);
}

Texts InputTexts(const MainWindow& window)
{
    const MainWindow::Controls& ui = window.Ui();
    auto shown = [&window](const QWidget* w) { return w->isVisibleTo(&window); };
    Texts t;
    t["Scheme"] = Std(ui.Scheme->currentText());
    t["LifeTime (Years)"] = Std(ui.LifeTime->text());
    t["No. of Blocks"] = Std(ui.BlockCount->currentText());
    for (size_t k = 0; k < ui.BlockSize.size(); ++k) {
        if (shown(ui.BlockSize[k]))
            t["Block Size " + std::to_string(k + 1)] = Std(ui.BlockSize[k]->currentText());
    }
    t["Total Data Types"] = Std(ui.DataTypes->currentText());
    t["Customize Overhead"] = ui.CustomizeOverhead->isChecked() ? "on" : "off";
    if (shown(ui.BlockOverhead))
        t["Block Overhead"] = Std(ui.BlockOverhead->text());
    for (size_t row = 0; row < ui.DataSize.size(); ++row) {
        if (!shown(ui.DataSize[row]))
            continue;
        const std::string name = "DataType" + std::to_string(row + 1) + " ";
        t[name + "size"] = Std(ui.DataSize[row]->text());
        t[name + "updates"] = Std(ui.Updates[row]->text());
        t[name + "records"] = Std(ui.Records[row]->text());
        t[name + "frequency"] = ui.Daily[row]->isChecked() ? "Daily"
            : ui.Total[row]->isChecked()                   ? "Total"
                                                           : "none";
        if (shown(ui.Overhead[row]))
            t[name + "overhead"] = Std(ui.Overhead[row]->text());
    }
    return t;
}

Texts OutputTexts(const MainWindow& window)
{
    const MainWindow::Controls& ui = window.Ui();
    return Texts {
        {"Total User Data Bytes", Std(ui.TotalUserDataBytes->text())},
        {"Total Overhead", Std(ui.TotalOverhead->text())},
        {"Total User Bytes + Overhead", Std(ui.TotalBytes->text())},
        {"Total Application Lifetime Updates", Std(ui.LifetimeUpdates->text())},
        {"Maximum EEPROM Update Requirements", Std(ui.MaxUpdateRequirement->text())},
        {"Estimated Flash Cycles", Std(ui.FlashCycles->text())},
        {"Mean Time between Refresh Cycles (days)", Std(ui.RefreshInterval->text())},
        {"verdict", Std(ui.Verdict->text())},
        {"recommendation", Std(ui.Recommendation->text())},
        {"memory usage", Std(ui.FlashUsed->text())},
        {"lifetime note", Std(ui.LifetimeNote->text())},
    };
}

Texts AllTexts(const MainWindow& window)
{
    Texts t = InputTexts(window);
    t.merge(OutputTexts(window));
    t["Submit"] = window.Ui().Submit->isEnabled() ? "enabled" : "disabled";
    return t;
}

::testing::AssertionResult SameTexts(const Texts& actual, const Texts& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "shown / expected:";
    auto show = [](const Texts& t, const std::string& key) {
        const auto found = t.find(key);
        return found == t.end() ? std::string("<not shown>")
                                : ::testing::PrintToString(found->second);
    };
    std::set<std::string> keys;
    for (const auto& [key, value] : actual)
        keys.insert(key);
    for (const auto& [key, value] : expected)
        keys.insert(key);
    for (const std::string& key : keys) {
        if (show(actual, key) != show(expected, key))
            failure << "\n  " << key << ": " << show(actual, key) << " / " << show(expected, key);
    }
    return failure;
}

::testing::AssertionResult Choose(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index < 0) {
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        return ::testing::AssertionFailure()
            << "no entry '" << Std(text) << "' in [" << Std(entries.join(", ")) << "]";
    }
    // As a pick from the drop-down list does it.
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    return ::testing::AssertionSuccess();
}

void Type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

void PrintTo(const Msg& msg, std::ostream* os)
{
    *os << IconName(msg.Icon) << " " << ::testing::PrintToString(msg.Text);
}

::testing::AssertionResult MessagesMatch(const std::vector<Msg>& shown,
    const std::vector<Expected>& expected, const QString& path, const QString& name)
{
    bool same = shown.size() == expected.size();
    for (size_t i = 0; same && i < shown.size(); ++i) {
        QString pattern = QRegularExpression::escape(QString::fromStdString(expected[i].Text));
        pattern.replace(QRegularExpression::escape("{path}"), QRegularExpression::escape(path));
        pattern.replace(QRegularExpression::escape("{name}"), QRegularExpression::escape(name));
        pattern.replace(QRegularExpression::escape("{reason}"), R"([\s\S]*\S[\s\S]*)");
        const QRegularExpression re(QRegularExpression::anchoredPattern(pattern));
        same = shown[i].Icon == expected[i].Icon
            && re.match(QString::fromStdString(shown[i].Text)).hasMatch();
    }
    if (same)
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "\nshown:";
    for (const Msg& m : shown)
        failure << "\n  " << ::testing::PrintToString(m);
    failure << "\nexpected:";
    for (const Expected& e : expected)
        failure << "\n  " << ::testing::PrintToString(Msg {e.Text, e.Icon});
    return failure;
}

void SessionWindowTest::SetUp()
{
    ASSERT_TRUE(m_module.isValid());
    ASSERT_TRUE(m_user.isValid());
    for (const char* name : kDataFiles) {
        ASSERT_TRUE(QFile::copy(DeliveredFile(name), ModuleFile(name)))
            << "missing delivered data file " << Std(DeliveredFile(name));
    }
}

void SessionWindowTest::TearDown()
{
    window.reset();
}

void SessionWindowTest::OpenWindow()
{
    OpenWindow(ModulePath());
}

void SessionWindowTest::OpenWindow(const QString& moduleFolder)
{
    Open(Std(moduleFolder));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Settle();
    dialogs.Messages.clear();
}

std::vector<Msg> SessionWindowTest::TakeMessages()
{
    std::vector<Msg> messages;
    for (const RecordingDialogs::Shown& shown : dialogs.Messages) {
        EXPECT_EQ(shown.Caption, kMessageCaption);
        messages.push_back(Msg {Std(shown.Text), shown.Icon});
    }
    dialogs.Messages.clear();
    return messages;
}

void SessionWindowTest::Save(const std::optional<QString>& answer)
{
    if (answer)
        dialogs.SaveAnswers.push_back(*answer);
    Ui().SaveSession->trigger();
    Settle();
    dialogs.SaveAnswers.clear();
}

void SessionWindowTest::Load(const std::optional<QString>& answer)
{
    if (answer)
        dialogs.OpenAnswers.push_back(*answer);
    Ui().LoadSession->trigger();
    Settle();
    dialogs.OpenAnswers.clear();
}

void SessionWindowTest::RestoreDefault()
{
    Ui().RestoreDefault->trigger();
    Settle();
}

} // namespace eee::test
