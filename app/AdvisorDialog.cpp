#include "AdvisorDialog.h"
#include "form/AdvisorCatalogueReader.h"

#include "MainWindow.h"
#include "calc/AdvisorText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace eee {

namespace {
QString ToQ(const std::string& text)
{
    return QString::fromStdString(text);
}
} // namespace

AdvisorDialog::AdvisorDialog(MainWindow& window, IDialogs& dialogs, IDataSource& data)
    : QDialog(&window)
    , m_window(window)
    , m_dialogs(dialogs)
    , m_data(data)
{
    setWindowTitle("Find Configuration");
    auto* layout = new QVBoxLayout(this);

    m_ui.Current = new QLabel(this);
    m_ui.Headroom = new QLabel(this);
    m_ui.Current->setWordWrap(true);
    m_ui.Headroom->setWordWrap(true);
    layout->addWidget(m_ui.Current);
    layout->addWidget(m_ui.Headroom);

    auto* options = new QHBoxLayout;
    auto* marginLabel = new QLabel("Cycles margin:", this);
    m_ui.Margin = new QDoubleSpinBox(this);
    m_ui.Margin->setRange(kMinMarginPercent, kMaxMarginPercent);
    m_ui.Margin->setDecimals(1);
    m_ui.Margin->setSuffix(" %");
    m_ui.Margin->setToolTip("Share of the 100000 flash cycles kept in reserve");
    marginLabel->setBuddy(m_ui.Margin);
    m_ui.Schemes = new QComboBox(this);
    for (const SchemeScopeNames& scope : kSchemeScopes)
        m_ui.Schemes->addItem(scope.Label, static_cast<int>(scope.Scope));
    options->addWidget(marginLabel);
    options->addWidget(m_ui.Margin);
    options->addSpacing(12);
    options->addWidget(m_ui.Schemes);
    options->addStretch();
    layout->addLayout(options);

    m_ui.Table = new QTableView(this);
    m_model = new AdvisorTableModel(this);
    m_ui.Table->setModel(m_model);
    m_ui.Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ui.Table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ui.Table->verticalHeader()->hide();
    m_ui.Table->setWordWrap(false);
    m_ui.Table->horizontalHeader()->setStretchLastSection(true);
    // Unsorted until the user asks: the rows stand in the advisor's ranking.
    m_ui.Table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_ui.Table->setSortingEnabled(true);
    m_ui.Table->setMinimumHeight(260);
    layout->addWidget(m_ui.Table, 1);

    m_ui.Note = new QLabel(this);
    m_ui.Note->setWordWrap(true);
    m_ui.Searched = new QLabel(this);
    layout->addWidget(m_ui.Note);
    layout->addWidget(m_ui.Searched);

    auto* buttons = new QDialogButtonBox(this);
    m_ui.Apply = buttons->addButton("Apply", QDialogButtonBox::ApplyRole);
    m_ui.Close = buttons->addButton(QDialogButtonBox::Close);
    m_ui.Apply->setToolTip("Put the selected configuration into the form and calculate");
    layout->addWidget(buttons);

    connect(m_ui.Apply, &QPushButton::clicked, this, &AdvisorDialog::ApplySelected);
    connect(m_ui.Close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_ui.Margin, &QDoubleSpinBox::valueChanged, this, &AdvisorDialog::Search);
    connect(m_ui.Schemes, &QComboBox::currentIndexChanged, this, &AdvisorDialog::Search);
    connect(m_ui.Table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &AdvisorDialog::UpdateApply);
    connect(m_ui.Table, &QTableView::doubleClicked, this, &AdvisorDialog::ApplySelected);
    // Each calculation of the window, an applied configuration's too, is searched anew.
    connect(&m_window, &MainWindow::CalculationFinished, this, [this] {
        if (isVisible())
            Search();
    });
    UpdateApply();
}

void AdvisorDialog::Open()
{
    std::vector<std::string> problems;
    m_catalogue = ReadAdvisorCatalogue(m_data, problems);
    for (const std::string& problem : problems)
        m_dialogs.Message(&m_window, ToQ(problem), MsgIcon::Error);
    Search();
    if (!isVisible()) {
        // Wide enough for every column of the first table.
        const int width = m_ui.Table->horizontalHeader()->length() + 2 * m_ui.Table->frameWidth()
            + m_ui.Table->verticalScrollBar()->sizeHint().width();
        m_ui.Table->setMinimumWidth(std::clamp(width, 500, 1100));
        adjustSize();
    }
    // Opened again while open: brought to the front.
    if (isVisible())
        raise();
    show();
    activateWindow();
}

void AdvisorDialog::Search()
{
    const FormState& s = m_window.Form().State();
    if (s.Calculations == 0) {
        m_model->SetCandidates({});
        m_ui.Current->setText("No calculation yet: press Submit in the main window first.");
        m_ui.Headroom->clear();
        m_ui.Note->clear();
        m_ui.Searched->clear();
        UpdateApply();
        return;
    }
    const EvalConfig& config = s.LastConfig;
    const EvalResult& result = s.LastResult;
    AdvisorOptions options;
    options.MarginPercent = m_ui.Margin->value();
    options.Schemes = static_cast<SchemeScope>(m_ui.Schemes->currentData().toInt());
    Advice advice = Advise(m_catalogue, WorkloadFromConfig(config), options);

    m_ui.Current->setText(ToQ(CurrentSentence(config, result)));
    m_ui.Headroom->setText(
        ToQ(HeadroomSentence(FindHeadroom(config, advice.CyclesLimit), advice.CyclesLimit)));

    m_ui.Note->setText(ToQ(advice.Note()));
    m_ui.Searched->setText(QString("%1 configurations searched; %2")
                               .arg(advice.Searched)
                               .arg(advice.Qualified ? "the smallest within the limit are shown."
                                                     : "none is within the limit."));
    m_model->SetCandidates(std::move(advice.Candidates));
    m_ui.Table->resizeColumnsToContents();
    // A sort the user chose stays in force for the new rows.
    const QHeaderView* header = m_ui.Table->horizontalHeader();
    if (header->sortIndicatorSection() >= 0)
        m_model->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    UpdateApply();
}

void AdvisorDialog::ApplySelected()
{
    const QModelIndexList rows = m_ui.Table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const AdvisorCandidate* candidate = m_model->Candidate(rows.front().row());
    if (candidate == nullptr)
        return;
    // The form's own session record with the scheme and blocks replaced: the form's rules
    // and messages apply as for a loaded session.
    FormModel& form = m_window.Form();
    const SessionRecord record
        = RecordWithConfiguration(form.Sessions().RecordFromForm(form.GetBlockCount()),
            candidate->Scheme, candidate->BlockTexts);
    m_window.ApplyRecord(record);
}

void AdvisorDialog::UpdateApply()
{
    m_ui.Apply->setEnabled(m_ui.Table->selectionModel()->hasSelection());
}

} // namespace eee
