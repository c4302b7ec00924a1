#include "WearSimulationDialog.h"

#include "WearChart.h"
#include "calc/Format.h"
#include "calc/WearSimulationText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>

namespace eee {

namespace {

constexpr int kPollMs = 100;
constexpr int kProgressSteps = 1000;
constexpr int kFigureRows = 7; // the most SimulationWearLines() gives
const char* const kNoCalculation = "No calculation yet: press Submit in the calculator.";

QString ToQ(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Thousands(double value)
{
    return ToQ(WithThousandsSeparators(value));
}

QTableWidgetItem* Cell(const QString& text, bool number)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

// Shared by the dialog and the thread that simulates: the thread reads the input and
// the cancel flag and writes the progress and the output; the dialog reads the output
// only once the thread has finished.
struct WearSimulationDialog::Run
{
    EvalConfig Config;
    EvalResult Evaluation;
    int Number = 0;
    Simulator Simulate;
    std::atomic<bool> Cancel {false};
    std::atomic<int64_t> Done {0};
    std::atomic<int64_t> Total {0};
    SimulationResult Output;
};

WearSimulationDialog::WearSimulationDialog(QWidget* parent)
    : QDialog(parent)
    , m_simulator(
          [](const EvalConfig& config, const EvalResult& result, const SimulationOptions& options) {
              return SimulateWear(config, result, options);
          })
    , m_moment(new QTimer(this))
    , m_poll(new QTimer(this))
{
    setWindowTitle("Wear Simulation");
    BuildControls();
    m_moment->setSingleShot(true);
    connect(m_moment, &QTimer::timeout, this, &WearSimulationDialog::ShowProgress);
    connect(m_poll, &QTimer::timeout, this, [this] {
        if (!m_run)
            return;
        const int64_t total = m_run->Total.load();
        const int64_t done = m_run->Done.load();
        if (total > 0)
            m_ui.Progress->setValue(static_cast<int>(
                std::clamp<int64_t>(done * kProgressSteps / total, 0, kProgressSteps)));
    });
}

WearSimulationDialog::~WearSimulationDialog()
{
    // The thread reads nothing of the dialog; it only has to stop before its QThread goes.
    if (m_thread) {
        m_run->Cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

void WearSimulationDialog::BuildControls()
{
    m_ui.Chart = new WearChart(this);
    m_ui.Chart->setMinimumSize(420, 200);
    m_ui.Chart->SetContent({{}, 0.0, {}, 0.0, {}, "No simulation yet."});

    // One row a figure; a run that did not reach its end shows only the first.
    m_ui.Figures = new QWidget(this);
    m_figures = new QGridLayout(m_ui.Figures);
    m_figures->setContentsMargins(0, 0, 0, 0);
    m_figures->setColumnStretch(1, 1);
    for (int row = 0; row < kFigureRows; ++row) {
        auto* value = new QLabel(m_ui.Figures);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* label = new QLabel(m_ui.Figures);
        label->hide();
        value->hide();
        m_figures->addWidget(label, row, 0);
        m_figures->addWidget(value, row, 1);
    }

    m_ui.BytesTitle = new QLabel("Bytes programmed:", this);
    m_ui.Bytes = new QTableWidget(0, 3, this);
    m_ui.Bytes->setHorizontalHeaderLabels({"Kind", "Bytes", "Share"});
    m_ui.Bytes->verticalHeader()->hide();
    m_ui.Bytes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ui.Bytes->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ui.Bytes->setTabKeyNavigation(false);
    m_ui.Bytes->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_ui.Bytes->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_ui.Bytes->horizontalHeader()->setStretchLastSection(false);
    // As tall as its rows: the chart takes the room the dialog has to spare.
    m_ui.Bytes->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_ui.Bytes->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);

    m_ui.Note = new QLabel(kNoCalculation, this);
    m_ui.Note->setWordWrap(true);
    m_ui.Note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_ui.Note->font();
    bold.setBold(true);
    m_ui.Note->setFont(bold);

    m_ui.Progress = new QProgressBar(this);
    m_ui.Progress->setRange(0, kProgressSteps);
    m_ui.Progress->hide();
    m_ui.Cancel = new QPushButton("Ca&ncel", this);
    m_ui.Cancel->setAutoDefault(false);
    m_ui.Cancel->setToolTip("Stop the simulation");
    m_ui.Cancel->hide();
    m_ui.Close = new QPushButton("&Close", this);
    m_ui.Close->setDefault(true);

    auto* bytes = new QVBoxLayout;
    bytes->addWidget(m_ui.BytesTitle);
    bytes->addWidget(m_ui.Bytes);
    bytes->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_ui.Figures, 0, Qt::AlignTop);
    middle->addSpacing(12);
    middle->addLayout(bytes, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ui.Progress, 1);
    buttons->addWidget(m_ui.Cancel);
    buttons->addStretch();
    buttons->addWidget(m_ui.Close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_ui.Chart, 1);
    layout->addLayout(middle);
    layout->addWidget(m_ui.Note);
    layout->addLayout(buttons);

    connect(m_ui.Cancel, &QPushButton::clicked, this, &WearSimulationDialog::CancelRun);
    connect(m_ui.Close, &QPushButton::clicked, this, &WearSimulationDialog::reject);
    resize(760, 620);
}

void WearSimulationDialog::SetSimulator(Simulator simulator)
{
    m_simulator = std::move(simulator);
}

void WearSimulationDialog::ShowCalculation(const EvalConfig& config, const EvalResult& result)
{
    m_calculation = Calculation {config, result};
    ++m_calculationNumber;
    if (isVisible())
        Start();
}

void WearSimulationDialog::Open()
{
    show();
    raise();
    activateWindow();
    if (m_calculation && m_shownNumber != m_calculationNumber)
        Start();
}

void WearSimulationDialog::reject()
{
    // Nobody looks at a closed dialog's simulation: it stops, and runs again when opened.
    CancelRun();
    QDialog::reject();
}

void WearSimulationDialog::Start()
{
    if (!m_calculation)
        return;
    if (m_thread) {
        // The running simulation is of an older calculation: it stops, then this one starts.
        m_restart = m_run->Number != m_calculationNumber;
        if (m_restart)
            m_run->Cancel = true;
        return;
    }
    auto run = std::make_shared<Run>();
    run->Config = m_calculation->Config;
    run->Evaluation = m_calculation->Result;
    run->Number = m_calculationNumber;
    run->Simulate = m_simulator;
    m_run = run;
    m_thread = QThread::create([run] {
        SimulationOptions options;
        options.Cancel = &run->Cancel;
        options.Progress = [raw = run.get()](int64_t done, int64_t total) {
            raw->Done = done;
            raw->Total = total;
        };
        run->Output = run->Simulate(run->Config, run->Evaluation, options);
    });
    connect(m_thread, &QThread::finished, this, &WearSimulationDialog::Finished);
    m_ui.Progress->setValue(0);
    m_moment->start(kWearProgressDelayMs);
    m_thread->start();
}

void WearSimulationDialog::CancelRun()
{
    if (m_run)
        m_run->Cancel = true;
}

void WearSimulationDialog::ShowProgress()
{
    if (!m_thread)
        return;
    m_ui.Progress->show();
    m_ui.Cancel->show();
    m_ui.Note->setText("Simulating the last calculation...");
    m_poll->start(kPollMs);
}

void WearSimulationDialog::Finished()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    const std::shared_ptr<Run> run = std::move(m_run);
    m_moment->stop();
    m_poll->stop();
    m_ui.Progress->hide();
    m_ui.Cancel->hide();
    if (m_restart) {
        m_restart = false;
        Start();
        return;
    }
    // A cancelled simulation is shown as such, and runs again when the dialog is opened.
    m_shownNumber = run->Output.Cancelled ? -1 : run->Number;
    ShowResult(run->Output, run->Config);
    emit SimulationShown();
}

void WearSimulationDialog::ShowResult(const SimulationResult& r, const EvalConfig& config)
{
    m_result = r;

    const std::vector<SimulationLine> lines = SimulationWearLines(r);
    for (int row = 0; row < kFigureRows; ++row) {
        const bool shown = row < static_cast<int>(lines.size());
        for (int column = 0; column < 2; ++column) {
            auto* label = static_cast<QLabel*>(m_figures->itemAtPosition(row, column)->widget());
            const SimulationLine* line = shown ? &lines[static_cast<size_t>(row)] : nullptr;
            label->setText(!line  ? QString()
                    : column == 0 ? ToQ(line->Label) + ":"
                                  : ToQ(line->Value));
            label->setVisible(shown);
        }
    }

    WearBarsContent chart;
    if (r.Fits) {
        for (int j = 0; j < std::clamp(r.BlockCount, 0, kMaxBlocks); ++j)
            chart.Bars.push_back(
                {ToQ(BlockName(j)), r.BlockErases[j], ToQ(ErasesText(r.BlockErases[j]))});
    }
    chart.Estimate = r.EstimatedCycles;
    chart.EstimateText = "Estimate " + Thousands(r.EstimatedCycles);
    chart.Limit = config.CyclesLimit;
    chart.LimitText = "Endurance limit " + Thousands(config.CyclesLimit);
    chart.EmptyText = "No erases to show: the simulation did not reach its end.";
    m_ui.Chart->SetContent(std::move(chart));

    m_ui.BytesTitle->setText(ToQ(SimulationBytesTitle(r)) + ":");
    const std::vector<SimulationBytes> kinds
        = r.Fits ? SimulationByteKinds(r, config.DataTypeCount) : std::vector<SimulationBytes> {};
    const int64_t total = SimulationBytesTotal(r);
    m_ui.Bytes->setRowCount(static_cast<int>(kinds.size()));
    for (int k = 0; k < static_cast<int>(kinds.size()); ++k) {
        const SimulationBytes& kind = kinds[static_cast<size_t>(k)];
        m_ui.Bytes->setItem(k, 0, Cell(ToQ(kind.Label), false));
        m_ui.Bytes->setItem(k, 1, Cell(Thousands(static_cast<double>(kind.Bytes)), true));
        m_ui.Bytes->setItem(k, 2, Cell(ToQ(ShareText(kind.Bytes, total)), true));
    }

    m_ui.Note->setText(ToQ(r.Note));
}

QStringList WearSimulationDialog::FigureLines() const
{
    QStringList lines;
    for (int row = 0; row < kFigureRows; ++row) {
        const auto* label = static_cast<QLabel*>(m_figures->itemAtPosition(row, 0)->widget());
        const auto* value = static_cast<QLabel*>(m_figures->itemAtPosition(row, 1)->widget());
        if (!label->isHidden())
            lines << label->text() + " " + value->text();
    }
    return lines;
}

} // namespace eee
