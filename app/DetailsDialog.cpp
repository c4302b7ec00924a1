#include "DetailsDialog.h"

#include "DetailsDialogModel.h"
#include "calc/Format.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace eee {

DetailsDialog::DetailsDialog(QWidget* parent)
    : QDialog(parent)
    , m_model(new DetailsDialogModel(this))
    , m_sorted(new QSortFilterProxyModel(this))
{
    setWindowTitle("Calculation Details");
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole); // numbers sort as numbers, not as text

    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    m_table = new QTableView(this);
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::AscendingOrder);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumHeight(140);

    m_trace = new QPlainTextEdit(this);
    m_trace->setReadOnly(true);
    m_trace->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_trace->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_copy = buttons->addButton("&Copy", QDialogButtonBox::ActionRole);
    connect(m_copy, &QPushButton::clicked, this,
        [this] { QGuiApplication::clipboard()->setText(CopyText()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(new QLabel("Breakdown by data type:", this));
    layout->addWidget(m_table, 1);
    layout->addWidget(new QLabel("Formula trace:", this));
    layout->addWidget(m_trace, 2);
    layout->addWidget(buttons);
    resize(760, 560);
}

void DetailsDialog::ShowCalculation(const EvalConfig& config, const EvalResult& result)
{
    const Breakdown breakdown = MakeBreakdown(config, result);
    m_model->SetBreakdown(breakdown);
    QStringList trace;
    for (const std::string& line : breakdown.Trace)
        trace << QString::fromStdString(line);
    m_trace->setPlainText(trace.join('\n'));

    // The type that drives the erases most, in one line above the table.
    const auto top = std::max_element(breakdown.DataTypes.begin(), breakdown.DataTypes.end(),
        [](const DataTypeShare& a, const DataTypeShare& b) {
            return a.CyclesSharePercent < b.CyclesSharePercent;
        });
    QString summary
        = "Estimated Flash Cycles: " + QString::fromStdString(FormatG(result.FlashCycles, 15));
    if (top != breakdown.DataTypes.end() && top->CyclesSharePercent > 0.0)
        summary += QString(". DataType%1 drives the most erases: %2 % of the cycles.")
                       .arg(top->DataType)
                       .arg(QString::fromStdString(PercentText(top->CyclesSharePercent)));
    m_summary->setText(summary);
}

QString DetailsDialog::CopyText() const
{
    QStringList lines;
    QStringList header;
    for (int c = 0; c < m_sorted->columnCount(); ++c)
        header << m_sorted->headerData(c, Qt::Horizontal).toString();
    lines << header.join('\t');
    for (int r = 0; r < m_sorted->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < m_sorted->columnCount(); ++c)
            row << m_sorted->index(r, c).data().toString();
        lines << row.join('\t');
    }
    lines << QString() << m_trace->toPlainText();
    return lines.join('\n') + '\n';
}

} // namespace eee
