// Tools > Find Configuration... on the real window with the delivered data files: the
// table of candidates, its options and sorting, and Apply, which puts a configuration
// into the form and calculates.
#include "WindowTestSupport.h"

#include "app/AdvisorDialog.h"
#include "calc/Format.h"
#include "calc/Schemes.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTableView>

namespace eee::testing_support {
namespace {

class AdvisorDialogTest : public ShownWindowTest
{
protected:
    AdvisorDialog* OpenAdvisor()
    {
        ui().FindConfiguration->trigger();
        auto* dialog = window->findChild<AdvisorDialog*>();
        EXPECT_NE(dialog, nullptr);
        if (dialog != nullptr) {
            EXPECT_TRUE(WaitUntil([&] { return dialog->isVisible(); }));
        }
        return dialog;
    }

    // The first row whose configuration is not the one in the form, and that matches.
    int RowOtherThanCurrent(AdvisorDialog& dialog, bool fixedLength)
    {
        const EvalConfig& current = window->Form().State().LastConfig;
        for (int row = 0; row < dialog.Model().rowCount(); ++row) {
            const AdvisorCandidate* c = dialog.Model().Candidate(row);
            const bool same = c->Scheme == current.Scheme && c->BlockCount() == current.BlockCount;
            if (!same && IsFixedLengthScheme(c->Scheme) == fixedLength)
                return row;
        }
        return -1;
    }

    void ApplyRow(AdvisorDialog& dialog, int row)
    {
        dialog.Ui().Table->selectRow(row);
        ASSERT_TRUE(dialog.Ui().Apply->isEnabled());
        QSignalSpy calculated(window.get(), &MainWindow::CalculationFinished);
        const int seen = reports.Count;
        QTest::mouseClick(dialog.Ui().Apply, Qt::LeftButton);
        ASSERT_TRUE(WaitUntil([&] { return calculated.count() > 0; }));
        WaitForChartReport(seen);
    }
};

TEST_F(AdvisorDialogTest, ApplyPutsTheConfigurationIntoTheFormAndCalculates)
{
    AdvisorDialog* dialog = OpenAdvisor();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return dialog->Model().rowCount() > 0; }));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_TRUE(dialog->Ui().Current->text().startsWith("Current: ECC16 Var-Length, 2 blocks"));
    EXPECT_TRUE(dialog->Ui().Headroom->text().startsWith("Headroom: every data type's updates x"));
    EXPECT_FALSE(dialog->Ui().Apply->isEnabled()) << "nothing is selected yet";

    const int row = RowOtherThanCurrent(*dialog, false);
    ASSERT_GE(row, 0);
    const AdvisorCandidate chosen = *dialog->Model().Candidate(row);
    ApplyRow(*dialog, row);

    EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.Messages.front().Text.toStdString();
    EXPECT_EQ(ui().Scheme->currentText().toStdString(), chosen.Scheme);
    EXPECT_EQ(ui().BlockCount->currentText().toInt(), chosen.BlockCount());
    for (int k = 0; k < chosen.BlockCount(); ++k)
        EXPECT_EQ(ui().BlockSize[k]->currentText().toStdString(), chosen.BlockTexts[k]);
    EXPECT_EQ(ui().FlashCycles->text().toStdString(), FormatG(chosen.FlashCycles, 15));
    EXPECT_EQ(ui().Verdict->text(), "Application InSpec for Lifetime and Endurance");
    // The workload stayed as it was.
    EXPECT_EQ(ui().DataSize[5]->text(), "16");
    EXPECT_EQ(ui().Updates[5]->text(), "100");
    // The dialog searched again on the new calculation.
    EXPECT_TRUE(dialog->Ui().Current->text().startsWith(
        QString::fromStdString("Current: " + chosen.Scheme)));
}

TEST_F(AdvisorDialogTest, FixedLengthApplyFollowsTheFormsRule)
{
    AdvisorDialog* dialog = OpenAdvisor();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return dialog->Model().rowCount() > 0; }));
    EXPECT_NE(dialog->Ui().Note->text().indexOf("every data size was set to 512 bytes"), -1);
    const int row = RowOtherThanCurrent(*dialog, true);
    ASSERT_GE(row, 0);
    const AdvisorCandidate chosen = *dialog->Model().Candidate(row);
    ApplyRow(*dialog, row);

    EXPECT_EQ(ui().Scheme->currentText().toStdString(), chosen.Scheme);
    for (int r = 0; r < kMaxDataTypes; ++r) {
        EXPECT_EQ(ui().DataSize[r]->text(), "512") << "row " << r;
        EXPECT_EQ(ui().DataSize[r]->isEnabled(), r == 0);
    }
    EXPECT_EQ(ui().FlashCycles->text().toStdString(), FormatG(chosen.FlashCycles, 15));
}

TEST_F(AdvisorDialogTest, MarginSchemesAndSortingChangeTheTable)
{
    AdvisorDialog* dialog = OpenAdvisor();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return dialog->Model().rowCount() > 0; }));
    AdvisorTableModel& model = dialog->Model();

    dialog->Ui().Schemes->setCurrentIndex(1); // this scheme only
    ASSERT_GT(model.rowCount(), 0);
    for (int row = 0; row < model.rowCount(); ++row)
        EXPECT_EQ(model.Candidate(row)->Scheme, "ECC16 Var-Length");

    dialog->Ui().Margin->setValue(99.0);
    for (int row = 0; row < model.rowCount(); ++row)
        EXPECT_LE(model.Candidate(row)->FlashCycles, 1000.0);
    EXPECT_NE(dialog->Ui().Headroom->text().indexOf("stay within 1000 flash cycles"), -1);

    dialog->Ui().Schemes->setCurrentIndex(0);
    dialog->Ui().Table->sortByColumn(AdvisorTableModel::FlashCyclesColumn, Qt::DescendingOrder);
    ASSERT_GT(model.rowCount(), 1);
    for (int row = 1; row < model.rowCount(); ++row)
        EXPECT_GE(model.Candidate(row - 1)->FlashCycles, model.Candidate(row)->FlashCycles);
    // The selection follows its configuration when the table is sorted again.
    dialog->Ui().Table->selectRow(0);
    const AdvisorCandidate selected = *model.Candidate(0);
    const int rank = model.data(model.index(0, AdvisorTableModel::RankColumn)).toInt();
    dialog->Ui().Table->sortByColumn(AdvisorTableModel::SizesColumn, Qt::AscendingOrder);
    const QModelIndexList rows = dialog->Ui().Table->selectionModel()->selectedRows();
    ASSERT_EQ(rows.size(), 1);
    const int now = rows.front().row();
    EXPECT_EQ(model.Candidate(now)->Scheme, selected.Scheme);
    EXPECT_EQ(model.Candidate(now)->BlockBytes, selected.BlockBytes);
    EXPECT_EQ(model.data(model.index(now, AdvisorTableModel::RankColumn)).toInt(), rank);
}

} // namespace
} // namespace eee::testing_support
