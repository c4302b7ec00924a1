// Dropping files onto the window: one session file loads as File > Load Session
// does, wherever it is dropped; anything else is refused and changes nothing.
#include "WindowTestSupport.h"

#include "app/SessionDropFilter.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <sys/stat.h>

namespace eee::testing_support {
namespace {

QString Sample(const char* name)
{
    return QDir(QStringLiteral(EEE_SESSIONS_DIR)).filePath(name);
}

QByteArray SampleXml()
{
    QFile file(Sample("ecc16-var-custom-3blocks.xml"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return file.fileName();
}

// What makes a file a session: its first element, however the file begins.
struct SniffCase
{
    const char* Name;
    std::function<QString(const QTemporaryDir&)> Make;
    bool Session;
};
void PrintTo(const SniffCase& c, std::ostream* os)
{
    *os << c.Name;
}

QByteArray Utf16(const QByteArray& utf8)
{
    const QString text
        = QString::fromUtf8(utf8).replace("version='1.0'", "version='1.0' encoding='UTF-16'");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

const SniffCase kSniffCases[] = {
    {"Sample", [](auto&) { return Sample("ecc8-fixed-daily-3blocks.xml"); }, true},
    {"NoDeclaration",
        [](auto& d) { return Write(d, "bare.xml", "<SessionData><Scheme/></SessionData>"); }, true},
    {"CommentsInstructionsAndDoctypeFirst",
        [](auto& d) {
            return Write(d, "lead.xml",
                "<?xml version='1.0'?>\n<!-- <Other/> -->\n<?note 3?>\n<!DOCTYPE SessionData>\n"
                "<SessionData/>");
        },
        true},
    {"Utf16", [](auto& d) { return Write(d, "utf16.xml", Utf16(SampleXml())); }, true},
    {"OtherNameWithSessionInside",
        [](auto& d) { return Write(d, "other.xml", "<Catalogue><SessionData/></Catalogue>"); },
        false},
    {"LongerRootName", [](auto& d) { return Write(d, "longer.xml", "<SessionDataX/>"); }, false},
    {"NamespacedRoot",
        [](auto& d) { return Write(d, "ns.xml", "<s:SessionData xmlns:s='urn:x'/>"); }, true},
    {"NotXml", [](auto& d) { return Write(d, "pic.png", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)); },
        false},
    {"Empty", [](auto& d) { return Write(d, "empty.xml", ""); }, false},
    {"Folder", [](const QTemporaryDir& d) { return d.path(); }, false},
    {"Missing", [](const QTemporaryDir& d) { return d.filePath("missing.xml"); }, false},
    {"Fifo",
        [](const QTemporaryDir& d) {
            const QString path = d.filePath("pipe.xml");
            EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            return path;
        },
        false},
};

class SessionSniffTest : public ::testing::TestWithParam<SniffCase>
{ };

TEST_P(SessionSniffTest, FirstElementDecides)
{
    QTemporaryDir dir;
    EXPECT_EQ(SessionDropFilter::IsSessionFile(GetParam().Make(dir)), GetParam().Session);
}

INSTANTIATE_TEST_SUITE_P(Files, SessionSniffTest, ::testing::ValuesIn(kSniffCases),
    [](const ::testing::TestParamInfo<SniffCase>& info) { return info.param.Name; });

// A drag onto the window as the desktop delivers it: enter, then drop.
struct DropCase
{
    const char* Name;
    std::function<void(QMimeData&, const QTemporaryDir&)> Fill;
    Qt::DropActions Actions;
    bool OntoField; // dropped onto a field rather than the window's background
    bool Loads;
};
void PrintTo(const DropCase& c, std::ostream* os)
{
    *os << c.Name;
}

QUrl SessionUrl()
{
    return QUrl::fromLocalFile(QDir::cleanPath(Sample("ecc16-var-custom-3blocks.xml")));
}

constexpr Qt::DropActions kCopyOrMove = Qt::CopyAction | Qt::MoveAction;

const DropCase kDrops[] = {
    {"Session", [](QMimeData& m, auto&) { m.setUrls({SessionUrl()}); }, kCopyOrMove, false, true},
    {"SessionOntoAField", [](QMimeData& m, auto&) { m.setUrls({SessionUrl()}); }, kCopyOrMove, true,
        true},
    {"SessionWithItsPathAsText",
        [](QMimeData& m, auto&) {
            m.setUrls({SessionUrl()});
            m.setText(SessionUrl().toLocalFile());
        },
        kCopyOrMove, true, true},
    {"SessionThatCanOnlyMove", [](QMimeData& m, auto&) { m.setUrls({SessionUrl()}); },
        Qt::MoveAction, false, false},
    {"TwoSessions",
        [](QMimeData& m, auto&) {
            m.setUrls({SessionUrl(),
                QUrl::fromLocalFile(QDir::cleanPath(Sample("ecc8-fixed-daily-3blocks.xml")))});
        },
        kCopyOrMove, false, false},
    {"OtherXml",
        [](QMimeData& m, const QTemporaryDir& d) {
            m.setUrls({QUrl::fromLocalFile(Write(d, "other.xml", "<Catalogue/>"))});
        },
        kCopyOrMove, false, false},
    {"OtherFileOntoAField",
        [](QMimeData& m, const QTemporaryDir& d) {
            const QString path = Write(d, "notes.txt", "12");
            m.setUrls({QUrl::fromLocalFile(path)});
            m.setText(path);
        },
        kCopyOrMove, true, false},
    {"Folder",
        [](QMimeData& m, const QTemporaryDir& d) { m.setUrls({QUrl::fromLocalFile(d.path())}); },
        kCopyOrMove, false, false},
    {"RemoteFile",
        [](QMimeData& m, auto&) { m.setUrls({QUrl("https://example.invalid/session.xml")}); },
        kCopyOrMove, false, false},
};

class SessionDropTest : public ShownWindowTest, public ::testing::WithParamInterface<DropCase>
{
protected:
    QTemporaryDir files;
};

TEST_P(SessionDropTest, LoadsOneSessionAndRefusesTheRest)
{
    const DropCase& c = GetParam();
    QMimeData data;
    c.Fill(data, files);
    QWidget* target = c.OntoField ? static_cast<QWidget*>(ui().Updates[1]) : ui().Verdict;
    const QPoint at = target->rect().center();
    const QString fieldBefore = ui().Updates[1]->text();

    QDragEnterEvent enter(at, c.Actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_EQ(enter.isAccepted(), c.Loads);
    QDropEvent drop(QPointF(at), c.Actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(drop.isAccepted(), c.Loads);
    if (c.Loads) {
        EXPECT_EQ(drop.dropAction(), Qt::CopyAction)
            << "a move would let the source delete the file";
    }

    if (c.Loads) {
        // The load follows the drop, once the drag has ended.
        EXPECT_TRUE(dialogs.Messages.empty());
        ASSERT_TRUE(WaitUntil([&] { return !dialogs.Messages.empty(); }));
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text,
            "File " + SessionUrl().toLocalFile() + " loaded successfully!");
        EXPECT_TRUE(dialogs.OpenFolders.empty());
        EXPECT_EQ(ui().Updates[1]->text(), "100000");
    } else {
        // Everything the drop could have queued has run.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialogs.Messages.empty());
        EXPECT_EQ(ui().Updates[1]->text(), fieldBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Drops, SessionDropTest, ::testing::ValuesIn(kDrops),
    [](const ::testing::TestParamInfo<DropCase>& info) { return info.param.Name; });

} // namespace
} // namespace eee::testing_support
