// The window as it opens: the delivered defaults, the first calculation and its
// verdict, the template's places, the tooltips, and start-up from other data files.
#include "WindowTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace eee::testing_support {
namespace {

const QStringList kSchemes {"ECC8 Fixed-Length", "ECC8 Var-Length", "ECC16 Fixed-Length",
    "ECC16 Var-Length", "ECC32 Fixed-Length", "ECC32 Var-Length"};
const QStringList kInitialSizes {"512", "256", "128", "64", "32", "16"};
const QStringList kInitialUpdates {"10", "20", "30", "40", "50", "100"};

QStringList Entries(const QComboBox* combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

TEST_F(WindowTest, VerdictLinesWaitForTheFirstChartPaint)
{
    // The first calculation ran during construction; the verdict is the chart's answer.
    EXPECT_EQ(ui().Verdict->text(), "Application in Spec for endurance");
    EXPECT_EQ(ui().FlashCycles->text(), "6");
    ShowActive();
    EXPECT_EQ(ui().Verdict->text(), "Application InSpec for Lifetime and Endurance");
    EXPECT_EQ(ui().Recommendation->text(), "");
    EXPECT_EQ(ui().LifetimeNote->text(), "");
}

TEST_F(ShownWindowTest, OpensWithTheDeliveredDefaultsComputed)
{
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Entries(ui().Scheme), kSchemes);
    EXPECT_EQ(ui().Scheme->currentText(), "ECC16 Var-Length");
    EXPECT_EQ(QApplication::focusWidget(), ui().Scheme);
    EXPECT_EQ(ui().LifeTime->text(), "20");

    EXPECT_EQ(Entries(ui().BlockCount), (QStringList {"2", "3", "4", "5", "6"}));
    EXPECT_EQ(ui().BlockCount->currentText(), "2");
    for (int k = 0; k < kMaxBlocks; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(Entries(ui().BlockSize[k]),
            (QStringList {"x10000", "x20000", "x4000", "x6000", "x8000", "xC000"}));
        EXPECT_EQ(ui().BlockSize[k]->isVisible(), k < 2);
    }
    EXPECT_EQ(ui().BlockSize[0]->currentText(), "x8000");
    EXPECT_EQ(ui().BlockSize[1]->currentText(), "x8000");

    EXPECT_EQ(Entries(ui().DataTypes), (QStringList {"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(ui().DataTypes->currentText(), "6");
    EXPECT_FALSE(ui().CustomizeOverhead->isChecked());
    for (int row = 0; row < kMaxDataTypes; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(ui().RowLabel[row]->isVisible());
        EXPECT_TRUE(ui().DataSize[row]->isVisible());
        EXPECT_TRUE(ui().DataSize[row]->isEnabled());
        EXPECT_EQ(ui().DataSize[row]->text(), kInitialSizes[row]);
        EXPECT_EQ(ui().Updates[row]->text(), kInitialUpdates[row]);
        EXPECT_EQ(ui().Records[row]->text(), "8");
        EXPECT_TRUE(ui().Total[row]->isChecked());
        EXPECT_FALSE(ui().Daily[row]->isChecked());
        EXPECT_FALSE(ui().Overhead[row]->isVisible());
    }
    EXPECT_FALSE(ui().BlockOverheadLabel->isVisible());
    EXPECT_FALSE(ui().BlockOverhead->isVisible());
    EXPECT_FALSE(ui().OverheadHeader->isVisible());

    // ECC16 Var-Length pads every record of these sizes to 32 bytes of overhead.
    EXPECT_EQ(ui().TotalUserDataBytes->text(), "8064");
    EXPECT_EQ(ui().TotalOverhead->text(), "1584");
    EXPECT_EQ(ui().TotalBytes->text(), "9648");
    EXPECT_EQ(ui().LifetimeUpdates->text(), "158,720");
    EXPECT_EQ(ui().MaxUpdateRequirement->text(), "100");
    EXPECT_EQ(ui().FlashCycles->text(), "6");
    EXPECT_EQ(ui().RefreshInterval->text(), "1216.66666667");
    EXPECT_EQ(ui().FlashUsed->text(), "Flash used for EEPROM emulation: 64 KB");
    EXPECT_EQ(ui().Verdict->text(), "Application InSpec for Lifetime and Endurance");
    EXPECT_FALSE(ui().Submit->isEnabled());
    EXPECT_TRUE(ui().Submit->isDefault());
}

TEST_F(ShownWindowTest, ControlsStandAtTheTemplatePlaces)
{
    EXPECT_EQ(window->windowTitle(), "Varn EEE Calculator ");
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    // 567 x 393 dialog units at 1.5 and 1.625 pixels per unit.
    EXPECT_EQ(window->Client()->size(), QSize(851, 639));
    EXPECT_EQ(window->Chart()->parentWidget(), window->Client());
    EXPECT_EQ(window->Chart()->geometry(), QRect(500, 65, 338, 236));
    EXPECT_EQ(ui().LifeTime->geometry(), DialogUnits::DialogRect(230, 24, 83, 12));
    EXPECT_EQ(ui().Submit->geometry(), DialogUnits::DialogRect(138, 356, 50, 17));

    // With the overhead column hidden the five data columns stand 10 to 50 pixels right.
    const std::array<int, 5> templateLeft {65, 123, 181, 237, 256};
    for (int row = 0; row < kMaxDataTypes; ++row) {
        SCOPED_TRACE(row);
        const std::array<QWidget*, 5> cells {ui().DataSize[row], ui().Updates[row],
            ui().Records[row], ui().Total[row], ui().Daily[row]};
        for (int column = 0; column < 5; ++column) {
            const int expected
                = DialogUnits::DialogRect(templateLeft[column], 0, 1, 1).x() + 10 * (column + 1);
            EXPECT_EQ(cells[column]->x(), expected) << "column " << column;
        }
        EXPECT_EQ(ui().RowLabel[row]->x(), DialogUnits::DialogRect(17, 0, 1, 1).x());
    }
    // The totals keep the template's place until the number of data types changes.
    EXPECT_EQ(ui().TotalUserDataBytes->geometry(), DialogUnits::DialogRect(34, 321, 61, 12));
    EXPECT_EQ(ui().TotalLabels[0]->y(), DialogUnits::DialogRect(26, 308, 79, 9).y());
}

TEST_F(ShownWindowTest, ControlsCarryTheirToolTips)
{
    EXPECT_EQ(ui().LifeTime->toolTip(), "Application Lifetime in years");
    for (int row = 0; row < kMaxDataTypes; ++row) {
        const int n = row + 1;
        EXPECT_EQ(
            ui().DataSize[row]->toolTip(), QString("Data Size of DataType%1 (in bytes)").arg(n));
        EXPECT_EQ(ui().Updates[row]->toolTip(), QString("Updates for DataType%1").arg(n));
        EXPECT_EQ(ui().Records[row]->toolTip(), QString("No. of records of DataType%1").arg(n));
        EXPECT_EQ(ui().Overhead[row]->toolTip(), QString("Overhead for DataType%1").arg(n));
        EXPECT_EQ(ui().BlockSize[row]->toolTip(), QString("Size of EE block %1").arg(n));
    }
    EXPECT_EQ(ui().TotalUserDataBytes->toolTip(), "Total bytes of data");
    EXPECT_EQ(
        ui().TotalOverhead->toolTip(), "Total overhead for writing given data bytes in Flash");
    EXPECT_EQ(ui().TotalBytes->toolTip(), "Sum of total bytes and overhead written in Flash");
    EXPECT_EQ(
        ui().BlockCount->toolTip(), "The number of flash memory blocks selected for emulation");
    // The scheme's description stands in for the list's general tooltip.
    EXPECT_EQ(ui().Scheme->toolTip(), "Scheme ECC16 with variable length of data size");
    Choose(ui().Scheme, "ECC32 Fixed-Length");
    EXPECT_EQ(ui().Scheme->toolTip(), "Scheme ECC32 with fixed length of data size");
    Choose(ui().Scheme, "ECC8 Var-Length");
    EXPECT_EQ(ui().Scheme->toolTip(), "Scheme ECC8 with variable length of data size");
}

// A module folder holding the catalogue and the schemas, and a defaults file of the test's own.
class OtherDataFilesTest : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        const QDir bin(QCoreApplication::applicationDirPath());
        for (const char* name : {"SchemeInfo.xml", "SchemeInfo.xsd", "SessionData.xsd"})
            ASSERT_TRUE(QFile::copy(bin.filePath(name), QDir(folder.path()).filePath(name)))
                << name;
    }

    void WriteDefaults(const QString& scheme, const QStringList& blocks)
    {
        QString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<SessionData xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                      "xsi:noNamespaceSchemaLocation=\"SessionData.xsd\">\n"
                      "  <Scheme>"
            + scheme + "</Scheme>\n  <LifeTime>7</LifeTime>\n  <BlocksSelected>\n";
        for (const QString& block : blocks)
            xml += "    <BlockSize>" + block + "</BlockSize>\n";
        xml += "  </BlocksSelected>\n  <CusOverheadEn>0</CusOverheadEn>\n"
               "  <BlockOverhead>0</BlockOverhead>\n";
        xml += "  <DataInfo><DataSize>40</DataSize><Updates>3</Updates><Records>2</Records>"
               "<Frequency>1</Frequency><CusOverhead>0</CusOverhead></DataInfo>\n";
        xml += "</SessionData>\n";
        QFile file(QDir(folder.path()).filePath("Defaults.xml"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(xml.toUtf8());
    }

    QTemporaryDir folder;
};

TEST_F(OtherDataFilesTest, FixedLengthDefaultsKeepTheInitialRecordSizes)
{
    // Only the scheme and the blocks of the defaults are applied, and selecting
    // the scheme at start-up is not a change of scheme.
    WriteDefaults("ECC8 Fixed-Length", {"x4000", "x8000", "x10000"});
    Open(folder.path().toStdString());
    ShowActive();
    EXPECT_TRUE(Texts(dialogs.Messages).empty());
    EXPECT_EQ(ui().Scheme->currentText(), "ECC8 Fixed-Length");
    EXPECT_EQ(ui().Scheme->toolTip(), "Scheme ECC8 with fixed length of data size");
    EXPECT_EQ(ui().BlockCount->currentText(), "3");
    EXPECT_EQ(ui().BlockSize[0]->currentText(), "x4000");
    EXPECT_EQ(ui().BlockSize[1]->currentText(), "x8000");
    EXPECT_EQ(ui().BlockSize[2]->currentText(), "x10000");
    EXPECT_TRUE(ui().BlockSize[2]->isVisible());
    EXPECT_FALSE(ui().BlockSize[3]->isVisible());
    EXPECT_EQ(ui().LifeTime->text(), "20");
    for (int row = 0; row < kMaxDataTypes; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(ui().DataSize[row]->text(), kInitialSizes[row]);
        EXPECT_TRUE(ui().DataSize[row]->isEnabled());
        EXPECT_TRUE(ui().Total[row]->isChecked());
    }
    EXPECT_EQ(ui().FlashUsed->text(), "Flash used for EEPROM emulation: 112 KB");
    EXPECT_FALSE(ui().Submit->isEnabled());
}

TEST_F(OtherDataFilesTest, WithoutDefaultsTheBlockListsStayEmpty)
{
    Open(folder.path().toStdString());
    ShowActive();
    // Nothing is said about the missing file; only the fit check finds no block to fill.
    EXPECT_EQ(Texts(dialogs.Messages),
        (std::vector<QString> {"Block size selected is less than the total data size. Please "
                               "select a bigger block size."}));
    EXPECT_EQ(ui().Scheme->currentText(), "ECC8 Fixed-Length");
    EXPECT_EQ(ui().BlockCount->currentText(), "2");
    for (int k = 0; k < kMaxBlocks; ++k) {
        EXPECT_TRUE(ui().BlockSize[k]->isVisible()) << k;
        EXPECT_EQ(ui().BlockSize[k]->count(), 0) << k;
    }
    EXPECT_EQ(ui().DataSize[0]->text(), "512");
    EXPECT_TRUE(ui().Submit->isEnabled());
    // The window stays usable: choosing a scheme loads its blocks.
    Choose(ui().Scheme, "ECC16 Var-Length");
    EXPECT_EQ(ui().BlockSize[0]->currentText(), "x10000");
    EXPECT_FALSE(ui().BlockSize[2]->isVisible());
}

} // namespace
} // namespace eee::testing_support
