// The form's handlers as the user meets them: a change of scheme, typing,
// the lifetime's instant check, data type rows, the overhead column, block
// counts and out-of-range values found at the next form read.
#include "WindowTestSupport.h"

namespace eee::testing_support {
namespace {

constexpr const char* kSizeRange = "Please enter an integer between 1 and 4096.";

TEST_F(ShownWindowTest, SchemeChangeResetsTheFormButKeepsCustomizeOverhead)
{
    Choose(ui().BlockCount, "4");
    TypeInto(ui().LifeTime, "30");
    QTest::mouseClick(ui().Daily[1], Qt::LeftButton);
    ASSERT_TRUE(ui().Daily[1]->isChecked());
    Choose(ui().DataTypes, "3");
    ui().CustomizeOverhead->click();
    TypeInto(ui().BlockOverhead, "7");
    TypeInto(ui().Overhead[0], "5");
    TypeInto(ui().Updates[0], "11");
    TypeInto(ui().Records[3], "9");
    const QString cycles = ui().FlashCycles->text();

    Choose(ui().Scheme, "ECC8 Fixed-Length");

    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(ui().BlockCount->currentText(), "2");
    for (int k = 0; k < kMaxBlocks; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(ui().BlockSize[k]->count(), 4);
        EXPECT_EQ(ui().BlockSize[k]->currentIndex(), 0);
        EXPECT_EQ(ui().BlockSize[k]->currentText(), "x10000"); // first in alphabetical order
        EXPECT_EQ(ui().BlockSize[k]->isVisible(), k < 2);
    }
    EXPECT_EQ(ui().LifeTime->text(), "20");
    EXPECT_EQ(ui().DataTypes->currentText(), "6");
    const QStringList updates {"10", "20", "30", "40", "50", "100"};
    for (int row = 0; row < kMaxDataTypes; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(ui().DataSize[row]->isVisible());
        EXPECT_EQ(ui().DataSize[row]->text(), "8");
        EXPECT_EQ(ui().DataSize[row]->isEnabled(), row == 0);
        EXPECT_EQ(ui().Updates[row]->text(), updates[row]);
        EXPECT_EQ(ui().Records[row]->text(), "8");
        EXPECT_TRUE(ui().Total[row]->isChecked());
        EXPECT_FALSE(ui().Daily[row]->isChecked());
        EXPECT_EQ(ui().Overhead[row]->text(), "0");
        EXPECT_TRUE(ui().Overhead[row]->isVisible()); // still customized, six rows
    }
    EXPECT_TRUE(ui().CustomizeOverhead->isChecked());
    EXPECT_TRUE(ui().BlockOverhead->isVisible());
    EXPECT_EQ(ui().BlockOverhead->text(), "0");
    // Customized overheads of 0: the totals are the user data alone.
    EXPECT_EQ(ui().TotalUserDataBytes->text(), "384");
    EXPECT_EQ(ui().TotalOverhead->text(), "0");
    EXPECT_EQ(ui().TotalBytes->text(), "384");
    EXPECT_EQ(ui().Scheme->toolTip(), "Scheme ECC8 with fixed length of data size");
    // A change of scheme calculates nothing: the last results stay.
    EXPECT_EQ(ui().FlashCycles->text(), cycles);
    EXPECT_TRUE(ui().Submit->isEnabled());

    Choose(ui().Scheme, "ECC16 Var-Length");
    const QStringList sizes {"512", "256", "128", "64", "32", "16"};
    for (int row = 0; row < kMaxDataTypes; ++row) {
        EXPECT_EQ(ui().DataSize[row]->text(), sizes[row]) << row;
        EXPECT_TRUE(ui().DataSize[row]->isEnabled()) << row;
    }
    EXPECT_EQ(ui().BlockSize[0]->count(), 6);
    EXPECT_EQ(ui().Scheme->toolTip(), "Scheme ECC16 with variable length of data size");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(ShownWindowTest, FixedLengthSchemeCopiesRowOneWhileItIsTyped)
{
    Choose(ui().Scheme, "ECC16 Fixed-Length");
    QLineEdit* first = ui().DataSize[0];
    first->selectAll();
    QTest::keyClicks(first, "2");
    for (int row = 0; row < kMaxDataTypes; ++row)
        EXPECT_EQ(ui().DataSize[row]->text(), "2") << row;
    QTest::keyClicks(first, "4");
    for (int row = 0; row < kMaxDataTypes; ++row)
        EXPECT_EQ(ui().DataSize[row]->text(), "24") << row;
    EXPECT_TRUE(dialogs.Messages.empty());

    // The copies are taken at the next form read.
    TabInto(ui().Updates[0]);
    EXPECT_EQ(ui().TotalUserDataBytes->text(), QString::number(24 * 8 * 6));

    // In a variable-length scheme row 1 is typed alone.
    Choose(ui().Scheme, "ECC16 Var-Length");
    TypeInto(first, "24");
    EXPECT_EQ(ui().DataSize[1]->text(), "256");
}

TEST_F(ShownWindowTest, LifetimeIsCheckedAtEveryKeystroke)
{
    TypeInto(ui().LifeTime, "");
    EXPECT_EQ(ui().LifeTime->text(), "");
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_FALSE(ui().Submit->isEnabled());

    // Focus elsewhere shows that the failed check brings it back to the field.
    ui().Scheme->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(ui().LifeTime, "0");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Please enter a number between 1 and 99.");
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Warning);
    EXPECT_EQ(dialogs.Messages[0].Caption, "Varn EEE-CALC");
    EXPECT_EQ(QApplication::focusWidget(), ui().LifeTime);
    EXPECT_EQ(ui().LifeTime->selectedText(), "0");
    EXPECT_FALSE(ui().Submit->isEnabled());

    // Typing over the selection with a good value enables Submit without a word.
    QTest::keyClicks(ui().LifeTime, "1.5");
    EXPECT_EQ(ui().LifeTime->text(), "1.5");
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(ui().Submit->isEnabled());
}

TEST_F(ShownWindowTest, NumberFieldsRefuseEveryKeyButADigit)
{
    for (QLineEdit* edit : {ui().DataSize[0], ui().Updates[0], ui().Records[0]}) {
        TypeInto(edit, "1a.-2 e+");
        EXPECT_EQ(edit->text(), "12");
    }
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(ShownWindowTest, DataTypeRowsMoveTheTotalsUnderTheLastRowShown)
{
    const std::array<int, 3> labelLeft {
        ui().TotalLabels[0]->x(), ui().TotalLabels[1]->x(), ui().TotalLabels[2]->x()};
    const std::array<QLineEdit*, 3> totals {
        ui().TotalUserDataBytes, ui().TotalOverhead, ui().TotalBytes};
    const std::array<QRect, 3> totalsBefore {
        totals[0]->geometry(), totals[1]->geometry(), totals[2]->geometry()};
    const int labelHeight = ui().TotalLabels[2]->height();

    auto expectTotalsBelow = [&](int row) {
        SCOPED_TRACE(row);
        const QRect size = ui().DataSize[row]->geometry();
        const int bottom = size.y() + size.height();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(ui().TotalLabels[i]->pos(), QPoint(labelLeft[i], bottom + 5)) << i;
            EXPECT_EQ(totals[i]->geometry(),
                QRect(totalsBefore[i].x(), bottom + labelHeight + 9, totalsBefore[i].width(),
                    totalsBefore[i].height()))
                << i;
        }
    };

    Choose(ui().DataTypes, "1");
    for (int row = 0; row < kMaxDataTypes; ++row) {
        SCOPED_TRACE(row);
        const bool shown = row == 0;
        for (QWidget* w : std::initializer_list<QWidget*> {ui().RowLabel[row], ui().DataSize[row],
                 ui().Updates[row], ui().Records[row], ui().Total[row], ui().Daily[row]})
            EXPECT_EQ(w->isVisible(), shown);
        EXPECT_FALSE(ui().Overhead[row]->isVisible());
    }
    expectTotalsBelow(0);
    // Only data type 1 counts now.
    EXPECT_EQ(ui().TotalUserDataBytes->text(), "4096");
    EXPECT_EQ(ui().TotalOverhead->text(), "304");
    EXPECT_EQ(ui().TotalBytes->text(), "4400");
    EXPECT_TRUE(ui().Submit->isEnabled());

    Choose(ui().DataTypes, "6");
    for (int row = 0; row < kMaxDataTypes; ++row)
        EXPECT_TRUE(ui().Records[row]->isVisible()) << row;
    expectTotalsBelow(5);
    EXPECT_EQ(ui().TotalUserDataBytes->text(), "8064");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(ShownWindowTest, CustomizeOverheadShowsItsColumnAndMovesTheOthersLeft)
{
    Choose(ui().DataTypes, "4");
    auto cells = [this](int row) {
        return std::array<QWidget*, 5> {ui().DataSize[row], ui().Updates[row], ui().Records[row],
            ui().Total[row], ui().Daily[row]};
    };
    std::array<QRect, 5> headers;
    std::array<std::array<QRect, 5>, kMaxDataTypes> places;
    for (int column = 0; column < 5; ++column)
        headers[column] = ui().ColumnHeaders[column]->geometry();
    for (int row = 0; row < kMaxDataTypes; ++row)
        for (int column = 0; column < 5; ++column)
            places[row][column] = cells(row)[column]->geometry();
    const QRect writeFrequency = ui().WriteFrequencyHeader->geometry();
    const QRect rowLabel = ui().RowLabel[0]->geometry();

    auto expectShiftedBy = [&](int perColumn) {
        for (int column = 0; column < 5; ++column) {
            const int dx = perColumn * (column + 1);
            EXPECT_EQ(ui().ColumnHeaders[column]->geometry(), headers[column].translated(dx, 0))
                << column;
            for (int row = 0; row < kMaxDataTypes; ++row)
                EXPECT_EQ(cells(row)[column]->geometry(), places[row][column].translated(dx, 0))
                    << "row " << row << " column " << column;
        }
        EXPECT_EQ(ui().WriteFrequencyHeader->geometry(), writeFrequency);
        EXPECT_EQ(ui().RowLabel[0]->geometry(), rowLabel);
    };

    const QString overheadBefore = ui().TotalOverhead->text();
    ui().CustomizeOverhead->click();
    ASSERT_TRUE(ui().CustomizeOverhead->isChecked());
    // The click itself recomputes nothing.
    EXPECT_EQ(ui().TotalOverhead->text(), overheadBefore);
    EXPECT_TRUE(ui().BlockOverheadLabel->isVisible());
    EXPECT_TRUE(ui().BlockOverhead->isVisible());
    EXPECT_TRUE(ui().OverheadHeader->isVisible());
    for (int row = 0; row < kMaxDataTypes; ++row)
        EXPECT_EQ(ui().Overhead[row]->isVisible(), row < 4) << row;
    expectShiftedBy(-10);
    // With the column shown the data columns stand at the template's places.
    EXPECT_EQ(ui().DataSize[2]->geometry(), DialogUnits::DialogRect(65, 249, 48, 12));
    EXPECT_EQ(ui().Records[2]->geometry(), DialogUnits::DialogRect(181, 249, 48, 12));
    EXPECT_TRUE(ui().Submit->isEnabled());

    Choose(ui().DataTypes, "6");
    for (int row = 0; row < kMaxDataTypes; ++row)
        EXPECT_TRUE(ui().Overhead[row]->isVisible()) << row;
    expectShiftedBy(-10);
    // The customized overheads, all 0 so far, replace the scheme's.
    EXPECT_EQ(ui().TotalOverhead->text(), "0");
    TypeInto(ui().Overhead[0], "5");
    TypeInto(ui().BlockOverhead, "100");
    TabInto(ui().Overhead[1]);
    EXPECT_EQ(ui().TotalOverhead->text(), "140");
    EXPECT_EQ(ui().TotalBytes->text(), "8204");

    ui().CustomizeOverhead->click();
    ASSERT_FALSE(ui().CustomizeOverhead->isChecked());
    EXPECT_FALSE(ui().BlockOverheadLabel->isVisible());
    EXPECT_FALSE(ui().BlockOverhead->isVisible());
    EXPECT_FALSE(ui().OverheadHeader->isVisible());
    for (int row = 0; row < kMaxDataTypes; ++row)
        EXPECT_FALSE(ui().Overhead[row]->isVisible()) << row;
    expectShiftedBy(0);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(ShownWindowTest, BlockCountShowsAsManyListsAndHiddenListsKeepTheirChoice)
{
    Choose(ui().BlockCount, "4");
    Choose(ui().BlockSize[3], "x20000");
    Choose(ui().BlockCount, "3");
    for (int k = 0; k < kMaxBlocks; ++k)
        EXPECT_EQ(ui().BlockSize[k]->isVisible(), k < 3) << k;
    EXPECT_EQ(ui().BlockSize[3]->currentText(), "x20000");
    EXPECT_EQ(ui().BlockSize[0]->currentText(), "x8000");
    EXPECT_TRUE(ui().Submit->isEnabled());

    Choose(ui().BlockCount, "4");
    EXPECT_TRUE(ui().BlockSize[3]->isVisible());
    EXPECT_EQ(ui().BlockSize[3]->currentText(), "x20000");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(ShownWindowTest, BlockSizeChoiceEnablesSubmit)
{
    ASSERT_FALSE(ui().Submit->isEnabled());
    Choose(ui().BlockSize[1], "x6000");
    EXPECT_TRUE(ui().Submit->isEnabled());
}

TEST_F(ShownWindowTest, OutOfRangeSizeIsReportedAtTheNextFormRead)
{
    TypeInto(ui().DataSize[1], "5000");
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(ui().TotalUserDataBytes->text(), "8064");

    auto expectReported = [&](size_t count) {
        ASSERT_EQ(dialogs.Messages.size(), count);
        EXPECT_EQ(dialogs.Messages.back().Text, kSizeRange);
        EXPECT_EQ(dialogs.Messages.back().Icon, MsgIcon::Warning);
        EXPECT_EQ(QApplication::focusWidget(), ui().DataSize[1]);
        EXPECT_EQ(ui().DataSize[1]->selectedText(), "5000");
        // The totals keep their last values.
        EXPECT_EQ(ui().TotalUserDataBytes->text(), "8064");
        EXPECT_EQ(ui().TotalBytes->text(), "9648");
    };

    // Moving into another data field reads the form.
    TabInto(ui().Updates[0]);
    expectReported(1);
    EXPECT_FALSE(ui().Submit->isEnabled());

    // So does a click on a Total or Daily button.
    QTest::mouseClick(ui().Daily[2], Qt::LeftButton);
    expectReported(2);
    EXPECT_FALSE(ui().Submit->isEnabled());

    // And Submit, which then calculates nothing.
    Choose(ui().BlockSize[0], "x10000");
    ASSERT_TRUE(ui().Submit->isEnabled());
    QTest::mouseClick(ui().Submit, Qt::LeftButton);
    expectReported(3);
    EXPECT_EQ(ui().FlashCycles->text(), "6");
    EXPECT_TRUE(ui().Submit->isEnabled());

    // Moving into a field that the form itself focused does not read it again.
    EXPECT_EQ(dialogs.Messages.size(), 3u);
}

TEST_F(ShownWindowTest, FocusIntoAFieldTakesTheTypedValues)
{
    TypeInto(ui().Records[0], "10");
    EXPECT_EQ(ui().TotalUserDataBytes->text(), "8064");
    EXPECT_FALSE(ui().Submit->isEnabled());

    // A click into another data field reads the form and recomputes the totals.
    QTest::mouseClick(ui().Updates[4], Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), ui().Updates[4]);
    EXPECT_EQ(ui().TotalUserDataBytes->text(), QString::number(8064 + 2 * 512));
    EXPECT_TRUE(ui().Submit->isEnabled());

    // A focus the program gives does not.
    TypeInto(ui().Records[0], "8");
    ui().Records[1]->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(ui().TotalUserDataBytes->text(), QString::number(8064 + 2 * 512));

    // Shift+Tab back into a field does.
    QTest::keyClick(ui().Records[1], Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), ui().Updates[1]);
    EXPECT_EQ(ui().TotalUserDataBytes->text(), "8064");
    EXPECT_TRUE(dialogs.Messages.empty());
}

} // namespace
} // namespace eee::testing_support
