#include "FormWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace eee {

namespace {
// How far each of the five data columns moves while the overhead column is hidden.
constexpr int kColumnShiftPixels = 10;

QString ToQ(const std::string& text)
{
    return QString::fromStdString(text);
}

void SetTextIfChanged(QLineEdit* edit, const std::string& text)
{
    const QString value = ToQ(text);
    if (edit->text() != value)
        edit->setText(value);
}

void SetTextIfChanged(QLabel* label, const std::string& text)
{
    const QString value = ToQ(text);
    if (label->text() != value)
        label->setText(value);
}

void SyncCombo(QComboBox* combo, const ComboState& state)
{
    bool same = combo->count() == static_cast<int>(state.Entries.size());
    for (int i = 0; same && i < combo->count(); ++i)
        same = combo->itemText(i) == ToQ(state.Entries[static_cast<size_t>(i)]);
    if (!same) {
        combo->clear();
        for (const auto& entry : state.Entries)
            combo->addItem(ToQ(entry));
    }
    if (combo->currentIndex() != state.Selected)
        combo->setCurrentIndex(state.Selected);
}
} // namespace

FormWidgets::FormWidgets(QDialog& window, ChartModel& chart)
    : m_template(window, chart)
    , m_ui(m_template.Ui())
{
    ListInputFields();
}

void FormWidgets::ListInputFields()
{
    m_inputs.push_back({m_ui.LifeTime, FieldId {FieldKind::LifeTime, 0}, false});
    m_inputs.push_back({m_ui.BlockOverhead, FieldId {FieldKind::BlockOverhead, 0}, true});
    for (int row = 0; row < kMaxDataTypes; ++row) {
        m_inputs.push_back({m_ui.DataSize[row], FieldId {FieldKind::DataSize, row}, true});
        m_inputs.push_back({m_ui.Updates[row], FieldId {FieldKind::Updates, row}, true});
        m_inputs.push_back({m_ui.Records[row], FieldId {FieldKind::Records, row}, true});
        m_inputs.push_back({m_ui.Overhead[row], FieldId {FieldKind::Overhead, row}, true});
    }
}

void FormWidgets::AddToolTips(const std::string& schemeToolTip)
{
    m_ui.LifeTime->setToolTip("Application Lifetime in years");
    for (int row = 0; row < kMaxDataTypes; ++row) {
        m_ui.DataSize[row]->setToolTip(QString("Data Size of DataType%1 (in bytes)").arg(row + 1));
        m_ui.Updates[row]->setToolTip(QString("Updates for DataType%1").arg(row + 1));
        m_ui.Records[row]->setToolTip(QString("No. of records of DataType%1").arg(row + 1));
        m_ui.Overhead[row]->setToolTip(QString("Overhead for DataType%1").arg(row + 1));
    }
    m_ui.TotalUserDataBytes->setToolTip("Total bytes of data");
    m_ui.TotalOverhead->setToolTip("Total overhead for writing given data bytes in Flash");
    m_ui.TotalBytes->setToolTip("Sum of total bytes and overhead written in Flash");
    m_ui.BlockCount->setToolTip("The number of flash memory blocks selected for emulation");
    for (int k = 0; k < kMaxBlocks; ++k)
        m_ui.BlockSize[k]->setToolTip(QString("Size of EE block %1").arg(k + 1));
    m_ui.Scheme->setToolTip(ToQ(schemeToolTip));
}

QLineEdit* FormWidgets::FieldWidget(FieldId field) const
{
    const auto row = static_cast<size_t>(std::clamp(field.Row, 0, kMaxDataTypes - 1));
    switch (field.Kind) {
    case FieldKind::DataSize:
        return m_ui.DataSize[row];
    case FieldKind::Updates:
        return m_ui.Updates[row];
    case FieldKind::Records:
        return m_ui.Records[row];
    case FieldKind::Overhead:
        return m_ui.Overhead[row];
    case FieldKind::BlockOverhead:
        return m_ui.BlockOverhead;
    case FieldKind::TotalUserDataBytes:
        return m_ui.TotalUserDataBytes;
    case FieldKind::TotalOverhead:
        return m_ui.TotalOverhead;
    case FieldKind::TotalBytes:
        return m_ui.TotalBytes;
    case FieldKind::MaxUpdateRequirement:
        return m_ui.MaxUpdateRequirement;
    case FieldKind::FlashCycles:
        return m_ui.FlashCycles;
    case FieldKind::LifeTime:
        break;
    }
    return m_ui.LifeTime;
}

std::optional<FieldId> FormWidgets::FieldOf(const QObject* control) const
{
    for (const InputField& input : m_inputs) {
        if (input.Edit == control)
            return input.Field;
    }
    return std::nullopt;
}

void FormWidgets::Sync(const FormState& s)
{
    ++m_syncing;
    const FormFields& f = s.Fields;

    SyncCombo(m_ui.Scheme, s.SchemeList);
    SyncCombo(m_ui.BlockCount, s.BlockCountList);
    SyncCombo(m_ui.DataTypes, s.DataTypesList);
    for (int k = 0; k < kMaxBlocks; ++k) {
        SyncCombo(m_ui.BlockSize[k], s.BlockLists[k]);
        m_ui.BlockSize[k]->setVisible(s.BlockListVisible[k]);
    }

    SetTextIfChanged(m_ui.LifeTime, f.LifeTime);
    SetTextIfChanged(m_ui.BlockOverhead, f.BlockOverhead);
    m_ui.CustomizeOverhead->setChecked(s.CusOverheadChecked);
    m_ui.BlockOverheadLabel->setVisible(s.OverheadColumnVisible);
    m_ui.BlockOverhead->setVisible(s.OverheadColumnVisible);
    m_ui.OverheadHeader->setVisible(s.OverheadColumnVisible);
    for (int row = 0; row < kMaxDataTypes; ++row) {
        const auto r = static_cast<size_t>(row);
        SetTextIfChanged(m_ui.DataSize[r], f.DataSize[r]);
        SetTextIfChanged(m_ui.Updates[r], f.Updates[r]);
        SetTextIfChanged(m_ui.Records[r], f.Records[r]);
        SetTextIfChanged(m_ui.Overhead[r], f.Overhead[r]);
        (f.Frequency[r] != 0 ? m_ui.Daily[r] : m_ui.Total[r])->setChecked(true);
        const bool shown = s.RowVisible[r];
        for (QWidget* w : std::initializer_list<QWidget*> {m_ui.RowLabel[r], m_ui.DataSize[r],
                 m_ui.Updates[r], m_ui.Records[r], m_ui.Total[r], m_ui.Daily[r]})
            w->setVisible(shown);
        m_ui.DataSize[r]->setEnabled(s.DataSizeEnabled[r]);
        m_ui.Overhead[r]->setVisible(s.OverheadFieldVisible[r]);
    }

    SetTextIfChanged(m_ui.TotalUserDataBytes, f.TotalUserDataBytes);
    SetTextIfChanged(m_ui.TotalOverhead, f.TotalOverhead);
    SetTextIfChanged(m_ui.TotalBytes, f.TotalBytes);
    SetTextIfChanged(m_ui.MaxUpdateRequirement, f.MaxUpdateRequirement);
    SetTextIfChanged(m_ui.FlashCycles, f.FlashCycles);
    SetTextIfChanged(m_ui.LifetimeUpdates, s.LifetimeUpdatesText);
    SetTextIfChanged(m_ui.RefreshInterval, s.RefreshIntervalText);
    SetTextIfChanged(m_ui.Verdict, s.VerdictLine);
    SetTextIfChanged(m_ui.Recommendation, s.RecommendationLine);
    SetTextIfChanged(m_ui.LifetimeNote, s.LifetimeNote);
    SetTextIfChanged(m_ui.FlashUsed, s.FlashUsedLine);
    m_ui.Submit->setEnabled(s.SubmitEnabled);
    if (m_ui.Scheme->toolTip() != ToQ(s.SchemeToolTip) && !m_ui.Scheme->toolTip().isEmpty())
        m_ui.Scheme->setToolTip(ToQ(s.SchemeToolTip));

    PlaceMovableControls(s);
    --m_syncing;
}

void FormWidgets::PlaceMovableControls(const FormState& s)
{
    // With the overhead column hidden, the five data columns spread right into its room.
    const int shift = s.OverheadColumnVisible ? 0 : kColumnShiftPixels;
    for (int column = 0; column < 5; ++column) {
        const int dx = shift * (column + 1);
        m_ui.ColumnHeaders[column]->setGeometry(
            m_template.HeaderPlaces()[column].translated(dx, 0));
        for (int row = 0; row < kMaxDataTypes; ++row) {
            const std::array<QWidget*, 5> cells {m_ui.DataSize[row], m_ui.Updates[row],
                m_ui.Records[row], m_ui.Total[row], m_ui.Daily[row]};
            QWidget* w = cells[static_cast<size_t>(column)];
            w->setGeometry(m_template.CellPlaces()[column][row].translated(dx, 0));
        }
    }

    // The totals stand just below the last data type row shown.
    if (s.TotalsBelowRow < 1)
        return;
    const int row = std::clamp(s.TotalsBelowRow, 1, kMaxDataTypes) - 1;
    const int bottom = m_template.CellPlaces()[0][row].bottom() + 1;
    const int labelHeight = m_ui.TotalLabels[2]->height();
    for (QLabel* l : m_ui.TotalLabels)
        l->move(l->x(), bottom + 5);
    for (QLineEdit* e : {m_ui.TotalUserDataBytes, m_ui.TotalOverhead, m_ui.TotalBytes})
        e->move(e->x(), bottom + labelHeight + 9);
}

} // namespace eee
