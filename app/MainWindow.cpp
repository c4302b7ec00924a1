#include "MainWindow.h"

#include "AboutBox.h"
#include "SessionFiles.h"
#include "ToolWindows.h"
#include "chart/ChartWidget.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFocusEvent>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

// Resources of a static library must be registered by hand.
static void InitWindowResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace eee {

MainWindow::MainWindow(IDialogs& dialogs, std::string moduleFolder)
    : QDialog(nullptr,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_dialogs(dialogs)
    , m_files(std::move(moduleFolder))
    , m_source(m_files)
    , m_form(m_source, *this, m_chartModel)
{
    InitWindowResources();
    setWindowTitle("Varn EEE Calculator ");
    setWindowIcon(QIcon(":/res/varn-eee-calc.png"));
    m_widgets = std::make_unique<FormWidgets>(*this, m_chartModel);
    WireControls();

    ToolWindows::FormAccess access;
    access.CurrentRecord
        = [this] { return m_form.Sessions().RecordFromForm(m_form.GetBlockCount()); };
    access.ApplyRecord = [this](const SessionRecord& record) { ApplyRecord(record); };
    m_tools = new ToolWindows(*this, m_dialogs, m_files, m_source, m_chartModel, std::move(access));
    connect(this, &MainWindow::CalculationFinished, m_tools, &ToolWindows::ShowCalculation);
    WireMenu();

    Initialise();

    m_sessions = new SessionFiles(
        *this, m_dialogs, m_files.ModuleFolder(), m_widgets->FileMenu(), Ui().LoadSession);
    connect(m_sessions, &SessionFiles::LoadRequested, this, &MainWindow::LoadSessionCommand);
}

MainWindow::~MainWindow() = default;

void MainWindow::WireControls()
{
    const Controls& ui = Ui();
    // The user's actions go to the form; the form's state comes back by Sync.
    connect(ui.Scheme, &QComboBox::activated, this, [this](int index) {
        m_form.UserSelectScheme(index);
        Sync();
    });
    connect(ui.BlockCount, &QComboBox::activated, this, [this](int index) {
        m_form.UserSelectBlockCount(index);
        Sync();
    });
    for (int k = 0; k < kMaxBlocks; ++k) {
        connect(ui.BlockSize[k], &QComboBox::activated, this, [this, k](int index) {
            m_form.UserSelectBlockSize(k, index);
            Sync();
        });
    }
    connect(ui.DataTypes, &QComboBox::activated, this, [this](int index) {
        m_form.UserSelectDataTypes(index);
        Sync();
    });
    connect(ui.CustomizeOverhead, &QCheckBox::clicked, this, [this](bool checked) {
        m_form.UserSetCustomizeOverhead(checked);
        Sync();
    });
    connect(ui.Submit, &QPushButton::clicked, this, &MainWindow::RunCalculation);
    for (const FormWidgets::InputField& input : m_widgets->InputFields()) {
        const FieldId field = input.Field;
        connect(input.Edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            if (m_widgets->Syncing())
                return;
            m_form.UserEditText(field, text.toStdString());
            Sync();
        });
        if (input.FocusRecomputes)
            input.Edit->installEventFilter(this);
    }
    for (int row = 0; row < kMaxDataTypes; ++row) {
        connect(ui.Total[row], &QRadioButton::clicked, this, [this, row] {
            m_form.UserClickFrequency(row, false);
            Sync();
        });
        connect(ui.Daily[row], &QRadioButton::clicked, this, [this, row] {
            m_form.UserClickFrequency(row, true);
            Sync();
        });
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && !m_widgets->Syncing()
        && !m_form.NotificationsIgnored()) {
        // Only the user's own moves into a field recompute; focus that comes back
        // after a message box or a menu, or that the form moves itself, does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
            || reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason) {
            if (const std::optional<FieldId> field = m_widgets->FieldOf(watched)) {
                m_form.OnInputFocus(*field);
                Sync();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindow::WireMenu()
{
    const Controls& ui = Ui();
    connect(ui.LoadSession, &QAction::triggered, this, &MainWindow::LoadSessionCommand);
    connect(ui.SaveSession, &QAction::triggered, this, &MainWindow::SaveSessionCommand);
    connect(ui.Exit, &QAction::triggered, this, &MainWindow::OnExit);
    connect(ui.RestoreDefault, &QAction::triggered, this, &MainWindow::RestoreDefaultCommand);
    connect(ui.UserGuide, &QAction::triggered, this, &MainWindow::OnUserGuide);
    connect(ui.About, &QAction::triggered, this, &MainWindow::OnAbout);
    connect(ui.ExportReport, &QAction::triggered, this,
        [this] { m_tools->ExportReport(m_sessions->Folder(), m_sessions->CurrentFile()); });
    connect(
        ui.FindConfiguration, &QAction::triggered, m_tools, &ToolWindows::OpenFindConfiguration);
    connect(
        ui.CalculationDetails, &QAction::triggered, m_tools, &ToolWindows::OpenCalculationDetails);
    connect(ui.RetentionCheck, &QAction::triggered, m_tools, &ToolWindows::OpenRetentionCheck);
    connect(ui.WearSimulation, &QAction::triggered, m_tools, &ToolWindows::OpenWearSimulation);
    connect(ui.SensitivitySweep, &QAction::triggered, m_tools, &ToolWindows::OpenSensitivitySweep);
}

void MainWindow::Initialise()
{
    // The defaults file gives the scheme and the blocks the window opens with;
    // when it cannot be read the form keeps its initial values, silently.
    SessionRecord defaults;
    std::string error;
    std::optional<SessionRecord> record;
    if (m_files.ReadSession(defaults, "Defaults.xml", error))
        record = std::move(defaults);
    m_form.Startup(record);
    Sync();
    m_widgets->AddToolTips(m_form.State().SchemeToolTip);
    Ui().Scheme->setFocus(Qt::OtherFocusReason);
}

void MainWindow::Sync()
{
    const FormState& s = m_form.State();
    if (s.Calculations != m_shownCalculations) {
        m_shownCalculations = s.Calculations;
        emit CalculationFinished(s.LastConfig, s.LastResult);
    }
    m_widgets->Sync(s);
}

// The form's requests

void MainWindow::ShowMessage(const std::string& text, MsgIcon icon)
{
    Sync();
    m_dialogs.Message(this, QString::fromStdString(text), icon);
}

void MainWindow::FocusField(FieldId field)
{
    QLineEdit* edit = m_widgets->FieldWidget(field);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void MainWindow::Invalidate()
{
    update();
    Chart()->update();
}

std::optional<std::string> MainWindow::AskSaveFileName()
{
    Sync();
    return m_sessions->AskSaveFileName();
}

std::optional<std::string> MainWindow::AskOpenFileName()
{
    Sync();
    return m_sessions->AskOpenFileName();
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == kChartUpdatedEvent) {
        m_form.ShowVerdict();
        m_verdictFor = m_form.State().Calculations;
        Sync();
        return true;
    }
    return QDialog::event(event);
}

// Commands

void MainWindow::RunCalculation()
{
    m_form.RunCalculation();
    Sync();
}

void MainWindow::SaveSessionCommand()
{
    m_sessions->SaveEnded(m_form.SaveSessionCommand());
    Sync();
}

void MainWindow::LoadSessionCommand()
{
    m_sessions->LoadEnded(m_form.LoadSessionCommand());
    Sync();
}

void MainWindow::RestoreDefaultCommand()
{
    m_form.RestoreDefaultCommand();
    Sync();
}

void MainWindow::ApplyRecord(const SessionRecord& record)
{
    std::string error;
    if (!m_form.Sessions().LoadRecord(record, error) && !error.empty())
        ShowMessage(error, MsgIcon::Error);
    Sync();
}

void MainWindow::OnExit()
{
    // Exit only leaves with a valid form; Escape and the close box always leave.
    const bool valid = m_form.ReadForm();
    Sync();
    if (valid)
        accept();
}

void MainWindow::OnAbout()
{
    AboutBox about(this);
    about.exec();
}

void MainWindow::OnUserGuide()
{
    // Nothing is reported when the guide is missing or no viewer is registered.
    const QString path = DecodePath(m_files.ModuleFolder()) + "/Help/help_Varn_EEE_Calc.pdf";
    if (QFileInfo::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace eee
