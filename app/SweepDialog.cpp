#include "app/SweepDialog.h"

#include "app/SweepPlotWidget.h"
#include "report/SweepPlotData.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QVBoxLayout>

namespace eee {

namespace {

constexpr int kExportWidth = 720;
constexpr int kExportHeight = 420;

// The parameters as the combo box lists them, with the range each starts with.
struct ParameterEntry
{
    const char* Label;
    const char* Name; // as --vary names it (without the data type)
    bool PerDataType;
    const char* From;
    const char* To;
    const char* Step;
};

constexpr ParameterEntry kParameters[] = {
    {"Lifetime (years)", "lifetime", false, "1", "40", "1"},
    {"Block size (every block)", "blocksize", false, "", "", "1"},
    {"No. of blocks", "blocks", false, "2", "6", "1"},
    {"Updates of a data type", "updates", true, "1", "100000", "*10"},
    {"Records of a data type", "records", true, "1", "1000", "*2"},
    {"Record size of a data type", "size", true, "16", "4096", "*2"},
};

} // namespace

SweepDialog::SweepDialog(IDialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
{
    setWindowTitle("Sensitivity Sweep");
    m_parameter = new QComboBox(this);
    for (const ParameterEntry& entry : kParameters)
        m_parameter->addItem(entry.Label);
    m_dataType = new QSpinBox(this);
    m_dataType->setRange(1, kMaxDataTypes);
    m_from = new QLineEdit(this);
    m_to = new QLineEdit(this);
    m_step = new QLineEdit(this);
    m_step->setToolTip("A number adds; * and a number multiplies (*10)");

    auto* form = new QFormLayout;
    form->addRow("&Parameter:", m_parameter);
    form->addRow("&Data type:", m_dataType);
    form->addRow("&From:", m_from);
    form->addRow("&To:", m_to);
    form->addRow("&Step:", m_step);

    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_plot = new SweepPlotWidget(this);
    m_pointText = new QLabel(this);
    m_pointText->setTextFormat(Qt::PlainText);
    m_pointText->setMinimumHeight(m_pointText->fontMetrics().height() + 4);

    auto* buttons = new QDialogButtonBox(this);
    m_export = buttons->addButton("&Export...", QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton("&Close", QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    m_export->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addWidget(m_plot, 1);
    layout->addWidget(m_pointText);
    layout->addWidget(buttons);

    connect(m_parameter, &QComboBox::currentIndexChanged, this, &SweepDialog::OnParameterChanged);
    connect(m_dataType, &QSpinBox::valueChanged, this, &SweepDialog::Recompute);
    for (QLineEdit* edit : {m_from, m_to, m_step})
        connect(edit, &QLineEdit::textChanged, this, &SweepDialog::Recompute);
    connect(m_plot, &SweepPlotWidget::pointHovered, m_pointText, &QLabel::setText);
    connect(m_export, &QPushButton::clicked, this, &SweepDialog::Export);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    OnParameterChanged();
}

void SweepDialog::ShowCalculation(
    const EvalConfig& config, const EvalResult&, std::vector<CatalogueBlock> blocks)
{
    m_config = config;
    m_haveConfig = true;
    m_blocks = std::move(blocks);
    m_dataType->setMaximum(std::max(1, config.DataTypeCount));
    OnParameterChanged();
}

QString SweepDialog::VaryText() const
{
    const ParameterEntry& entry = kParameters[std::max(0, m_parameter->currentIndex())];
    QString name = entry.Name;
    if (entry.PerDataType)
        name += QString(":%1").arg(m_dataType->value());
    QString text = name + "=" + m_from->text().trimmed() + ":" + m_to->text().trimmed();
    if (!m_step->text().trimmed().isEmpty())
        text += ":" + m_step->text().trimmed();
    return text;
}

void SweepDialog::OnParameterChanged()
{
    const ParameterEntry& entry = kParameters[std::max(0, m_parameter->currentIndex())];
    m_dataType->setEnabled(entry.PerDataType);
    const QSignalBlocker a(m_from), b(m_to), c(m_step);
    if (entry.Name == std::string_view("blocksize") && !m_blocks.empty()) {
        m_from->setText(QString::fromStdString(m_blocks.front().Text));
        m_to->setText(QString::fromStdString(m_blocks.back().Text));
    } else {
        m_from->setText(entry.From);
        m_to->setText(entry.To);
    }
    m_step->setText(entry.Step);
    Recompute();
}

void SweepDialog::Recompute()
{
    m_points.clear();
    std::string error;
    std::optional<SweepRequest> request;
    std::optional<std::vector<SweepValue>> values;
    if (!m_haveConfig)
        error = "There is no calculation to sweep yet.";
    else if ((request = ParseSweep(VaryText().toStdString(), error)))
        values = SweepValues(*request, m_config, m_blocks, error);
    if (values) {
        m_request = *request;
        m_points = RunSweep(m_request, m_config, *values);
        const auto accepted = std::count_if(
            m_points.begin(), m_points.end(), [](const SweepPoint& p) { return p.Ok; });
        m_status->setText(QString("%1 points, %2 refused")
                              .arg(m_points.size())
                              .arg(static_cast<qsizetype>(m_points.size()) - accepted));
    } else {
        m_status->setText(QString::fromStdString(error));
    }
    std::vector<QString> texts;
    for (const SweepPoint& p : m_points)
        texts.push_back(QString::fromStdString(SweepPointText(m_request, p)));
    m_plot->SetPlot(values ? MakeSweepPlot(m_request, m_points) : SweepPlot {}, std::move(texts));
    m_export->setEnabled(!m_points.empty());
}

void SweepDialog::Export()
{
    if (m_points.empty())
        return;
    const QString suggested = QDir::home().filePath(
        QString::fromStdString("sweep-" + m_request.Name() + ".svg").replace(':', '-'));
    const std::optional<QString> path = m_dialogs.ImageFileName(this, suggested);
    if (!path)
        return;
    const QByteArray bytes
        = SweepPlotFile(MakeSweepPlot(m_request, m_points), *path, kExportWidth, kExportHeight);
    QSaveFile file(*path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
        || !file.commit()) {
        m_dialogs.Message(this,
            QString("The plot could not be written to %1.\n%2").arg(*path, file.errorString()),
            MsgIcon::Error);
    }
}

} // namespace eee
