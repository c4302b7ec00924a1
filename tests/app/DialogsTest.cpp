// File names between the window and the files layer: every name on the disk,
// whatever its encoding, names the same file when it comes back from the window.
#include "app/Dialogs.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace eee {
namespace {

struct NameCase
{
    const char* Name;
    std::string Bytes;
};

class FileName : public ::testing::TestWithParam<NameCase>
{ };

TEST_P(FileName, ComesBackAsTheSameBytes)
{
    const std::string& bytes = GetParam().Bytes;
    EXPECT_EQ(EncodePath(DecodePath(bytes)), bytes);
}

TEST_P(FileName, NamesAFileThatCanBeOpenedAndCreated)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path
        = QFile::encodeName(folder.path()).toStdString() + "/" + GetParam().Bytes;
    // Created by another program under its own name; chosen in the window.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "x", 1), 1);
    ::close(fd);
    const QString shown = DecodePath(path);
    std::ifstream in(EncodePath(shown));
    EXPECT_TRUE(in.good());

    // Saved from the window under the name shown: the same file again.
    const std::string saved = EncodePath(shown + ".bak");
    EXPECT_EQ(saved, path + ".bak");
}

INSTANTIATE_TEST_SUITE_P(Names, FileName,
    ::testing::Values(NameCase {"Ascii", "SessionData.xml"}, NameCase {"Utf8", "na\xc3\xafve.xml"},
        NameCase {"Latin1", "caf\xe9.xml"}, NameCase {"Latin1Saved", "na\xefve.xml"},
        NameCase {"BrokenUtf8Sequence", "a\xc3(b\xe2\x82.xml"},
        NameCase {"FourByteCharacter", "\xf0\x9f\x98\x80-and-\xff\xfe.xml"},
        NameCase {"EncodedSurrogate", "\xed\xb3\xa9.xml"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FileName, TextNamesAreWhatQtMakesOfThem)
{
    const QString naive = QString::fromUtf8("na\xc3\xafve.xml");
    EXPECT_EQ(EncodePath(naive), QFile::encodeName(naive).toStdString());
    EXPECT_EQ(DecodePath("na\xc3\xafve.xml"), naive);
    EXPECT_EQ(DecodePath("/home/user/SessionData.xml"), QString("/home/user/SessionData.xml"));
}

TEST(FileName, EveryByteComesBack)
{
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    EXPECT_EQ(EncodePath(DecodePath(bytes)), bytes);
}

// A message shows names and texts from files as they are: markup in them is not obeyed.
TEST(QtDialogs, MessagesAreShownAsPlainText)
{
    const QString text = "File <h1>Loaded OK</h1><img src=\"x.png\"> loading failed!";
    Qt::TextFormat format = Qt::AutoText;
    QString shown;
    // The box is modal: it is looked at and closed from its own event loop.
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            format = box->textFormat();
            shown = box->text();
            box->accept();
        }
    });
    QtDialogs().Message(nullptr, text, MsgIcon::Error);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown, text);
}

} // namespace
} // namespace eee
