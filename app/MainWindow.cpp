#include "MainWindow.h"

#include "AboutBox.h"
#include "AdvisorDialog.h"
#include "DetailsDialog.h"
#include "RecentSessions.h"
#include "ReportExport.h"
#include "RetentionDialog.h"
#include "SessionDropFilter.h"
#include "WearSimulationDialog.h"
#include "chart/ChartWidget.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QUrl>
#include <QVBoxLayout>

// Resources of a static library must be registered by hand.
static void InitWindowResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace eee {

namespace {
// The window's template is laid out in dialog units of its font: a quarter
// of the average character width across, an eighth of the height down.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
constexpr int kClientWidthDu = 567;
constexpr int kClientHeightDu = 393;
// The chart's client area is the size the in-spec years are measured on.
const QRect kChartRect(500, 65, kChartWidth, kChartHeight);
// How far each of the five data columns moves while the overhead column is hidden.
constexpr int kColumnShiftPixels = 10;

constexpr std::array<int, kMaxBlocks> kBlockListTops {68, 84, 100, 116, 132, 148};
constexpr std::array<int, kMaxDataTypes> kRowLabelTops {221, 236, 250, 264, 278, 292};
constexpr std::array<int, kMaxDataTypes> kDataSizeTops {221, 235, 249, 264, 279, 293};
constexpr std::array<int, kMaxDataTypes> kFieldTops {221, 235, 249, 264, 278, 292};
constexpr std::array<int, kMaxDataTypes> kRadioTops {224, 237, 251, 266, 280, 294};

QFont DialogFont()
{
    QFont font;
    // A narrow sans keeps every caption inside its place of the template.
    font.setFamilies({"DejaVu Sans Condensed", "Liberation Sans Narrow", "Tahoma", "DejaVu Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QString ToQ(const std::string& text)
{
    return QString::fromStdString(text);
}
std::string FromQ(const QString& text)
{
    return text.toStdString();
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

QRect MainWindow::DialogRect(int x, int y, int width, int height)
{
    auto mapX = [](int v) { return (v * kBaseUnitX + 2) / 4; };
    auto mapY = [](int v) { return (v * kBaseUnitY + 4) / 8; };
    return QRect(mapX(x), mapY(y), mapX(width), mapY(height));
}

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
    setFont(DialogFont());
    BuildControls();
    BuildMenu();
    Initialise();
    AddSessionOpeners();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_ui.Menu = new QMenuBar(this);
    layout->setMenuBar(m_ui.Menu);
    m_client = new QWidget(this);
    const QRect clientRect = DialogRect(0, 0, kClientWidthDu, kClientHeightDu);
    m_client->setFixedSize(clientRect.size());
    layout->addWidget(m_client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* c = m_client;
    auto group = [c](const char* title, int x, int y, int w, int h) {
        auto* box = new QGroupBox(title, c);
        box->setGeometry(DialogRect(x, y, w, h));
        return box;
    };
    auto label = [c](const char* text, int x, int y, int w, int h,
                     Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        auto* l = new QLabel(text, c);
        QRect r = DialogRect(x, y, w, h);
        // Where this font needs a few pixels more than the template gives, the
        // caption grows away from its anchor rather than being cut.
        const int need = l->fontMetrics().horizontalAdvance(l->text()) + 2;
        if (h <= 10 && need > r.width() && !(align & Qt::AlignTop)) {
            const int extra = need - r.width();
            if (align & Qt::AlignRight)
                r.setLeft(r.left() - extra);
            else if (align & Qt::AlignHCenter)
                r.adjust(-extra / 2, 0, extra - extra / 2, 0);
            else
                r.setRight(r.right() + extra);
        }
        l->setGeometry(r);
        l->setAlignment(align);
        return l;
    };
    auto combo = [c](int x, int y, int w, int h) {
        auto* box = new QComboBox(c);
        QRect r = DialogRect(x, y, w, h);
        r.setHeight(std::max(r.height(), 20));
        box->setGeometry(r);
        return box;
    };
    const auto digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
    auto field = [c, digits](int x, int y, int w, int h, bool digitsOnly, bool readOnly = false) {
        auto* edit = new QLineEdit(c);
        edit->setGeometry(DialogRect(x, y, w, h));
        edit->setAlignment(Qt::AlignCenter);
        if (digitsOnly)
            edit->setValidator(digits);
        if (readOnly) {
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::ClickFocus);
        }
        return edit;
    };
    const Qt::Alignment centred = Qt::AlignCenter;

    group("User Inputs", 3, 0, 320, 349);
    group("Flash Technology and Configuration", 9, 12, 152, 30);
    label("Scheme", 19, 25, 27, 8);
    m_ui.Scheme = combo(49, 23, 106, 15);
    group("Application Life", 165, 12, 154, 30);
    label("LifeTime (Years)", 172, 26, 53, 8);
    m_ui.LifeTime = field(230, 24, 83, 12, false);

    group("Flash Block Information", 8, 46, 311, 123);
    label("No. of Blocks", 17, 65, 43, 8);
    m_ui.BlockCount = combo(21, 77, 29, 17);
    label("Block Size", 99, 58, 33, 8);
    for (int k = 0; k < kMaxBlocks; ++k)
        m_ui.BlockSize[k] = combo(87, kBlockListTops[k], 57, 12);

    group("EEPROM Application Updates", 7, 172, 311, 169);
    label("Total Data Types", 18, 186, 56, 8);
    m_ui.DataTypes = combo(79, 184, 22, 17);
    m_ui.CustomizeOverhead = new QCheckBox("Customize Overhead", c);
    m_ui.CustomizeOverhead->setGeometry(DialogRect(120, 186, 83, 10));
    m_ui.CustomizeOverhead->setLayoutDirection(Qt::RightToLeft); // text left of the box
    m_ui.BlockOverheadLabel = label("Block Overhead", 215, 187, 51, 8);
    m_ui.BlockOverhead = field(272, 184, 40, 12, true);
    m_ui.BlockOverhead->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_ui.WriteFrequencyHeader = label("Write Frequency", 13, 202, 45, 19, centred);
    m_ui.WriteFrequencyHeader->setWordWrap(true);
    m_ui.ColumnHeaders[0] = label("Average Data Record Size", 67, 202, 46, 15, centred);
    m_ui.ColumnHeaders[1] = label("Updates", 124, 205, 47, 8, centred);
    m_ui.ColumnHeaders[2] = label("Number of Records", 187, 202, 37, 16, centred);
    m_ui.ColumnHeaders[3] = label("Total", 231, 205, 20, 8, centred);
    m_ui.ColumnHeaders[4] = label("Daily", 251, 205, 18, 8, centred);
    m_ui.ColumnHeaders[0]->setWordWrap(true);
    m_ui.ColumnHeaders[2]->setWordWrap(true);
    m_ui.OverheadHeader = label("Overhead", 275, 205, 32, 8, centred);

    for (int row = 0; row < kMaxDataTypes; ++row) {
        m_ui.RowLabel[row]
            = label(qPrintable(QString("DataType%1").arg(row + 1)), 17, kRowLabelTops[row], 38, 12);
        m_ui.DataSize[row] = field(65, kDataSizeTops[row], 48, 12, true);
        m_ui.Updates[row] = field(123, kFieldTops[row], 48, 12, true);
        m_ui.Records[row] = field(181, kFieldTops[row], 48, 12, true);
        m_ui.Total[row] = new QRadioButton(c);
        m_ui.Total[row]->setGeometry(DialogRect(237, kRadioTops[row], 9, 10));
        m_ui.Daily[row] = new QRadioButton(c);
        m_ui.Daily[row]->setGeometry(DialogRect(256, kRadioTops[row], 9, 10));
        // Each row's two buttons form a group of their own.
        m_frequencyGroups[row] = new QButtonGroup(this);
        m_frequencyGroups[row]->addButton(m_ui.Total[row], 0);
        m_frequencyGroups[row]->addButton(m_ui.Daily[row], 1);
        m_ui.Overhead[row] = field(272, kFieldTops[row], 40, 12, true);
        m_ui.Overhead[row]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    m_ui.TotalLabels[0] = label("Total User Data Bytes", 26, 308, 79, 9, centred);
    m_ui.TotalUserDataBytes = field(34, 321, 61, 12, false, true);
    m_ui.TotalLabels[1] = label("Total Overhead", 125, 308, 62, 9, centred);
    m_ui.TotalOverhead = field(125, 321, 62, 12, false, true);
    m_ui.TotalLabels[2] = label("Total User Bytes + Overhead", 199, 308, 105, 9, centred);
    m_ui.TotalBytes = field(218, 321, 62, 12, false, true);

    m_ui.Submit = new QPushButton("Submit", c);
    m_ui.Submit->setGeometry(DialogRect(138, 356, 50, 17));
    m_ui.Submit->setDefault(true);
    m_ui.Submit->setAutoDefault(true);

    group("Spec Envelope", 328, 0, 235, 190);
    auto legend = [&](const char* text, int x, QColor colour) {
        QLabel* box = label(text, x, 16, 57, 15, centred);
        box->setFrameShape(QFrame::Box);
        box->setAutoFillBackground(true);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Window, colour);
        palette.setColor(QPalette::WindowText, Qt::black);
        box->setPalette(palette);
        QFont font = box->font();
        font.setPointSize(9);
        font.setBold(true);
        box->setFont(font);
        return box;
    };
    m_ui.InSpecLegend = legend("In Spec", 380, QColor(0, 255, 0));
    m_ui.OutOfSpecLegend = legend("Out of Spec", 453, QColor(255, 0, 0));
    m_chart = new ChartWidget(m_chartModel, c);
    m_chart->setGeometry(kChartRect);

    group("Reliability Outputs", 328, 194, 235, 69);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    label("Total Application Lifetime Updates", 335, 206, 138, 8, right);
    m_ui.LifetimeUpdates = field(479, 203, 80, 12, false, true);
    label("Maximum EEPROM Update Requirements", 335, 219, 138, 8, right);
    m_ui.MaxUpdateRequirement = field(479, 217, 80, 12, false, true);
    label("Estimated Flash Cycles", 335, 233, 138, 8, right);
    m_ui.FlashCycles = field(479, 231, 80, 12, false, true);
    label("Mean Time between Refresh Cycles (days)", 335, 246, 138, 8, right);
    m_ui.RefreshInterval = field(479, 245, 80, 12, false, true);

    group("Spec Notification", 328, 266, 235, 83);
    m_ui.Verdict = label("", 334, 276, 216, 8);
    m_ui.Recommendation = label("", 334, 286, 216, 16, Qt::AlignLeft | Qt::AlignTop);
    m_ui.Recommendation->setWordWrap(true);
    label("Memory Usage :", 335, 304, 53, 8);
    m_ui.FlashUsed = label("", 338, 314, 145, 8);
    m_ui.LifetimeNote = label("", 335, 336, 224, 8);
    m_ui.Picture = new QLabel(c);
    const QPixmap picture(":/res/varn-logo.png");
    m_ui.Picture->setPixmap(picture);
    m_ui.Picture->setGeometry(QRect(DialogRect(489, 315, 58, 20).topLeft(), QSize(102, 32)));

    // The places the moving controls start from (the template's, with the overhead column shown).
    m_headerBase = {m_ui.ColumnHeaders[0]->geometry(), m_ui.ColumnHeaders[1]->geometry(),
        m_ui.ColumnHeaders[2]->geometry(), m_ui.ColumnHeaders[3]->geometry(),
        m_ui.ColumnHeaders[4]->geometry()};
    for (int row = 0; row < kMaxDataTypes; ++row) {
        m_columnBase[0][row] = m_ui.DataSize[row]->geometry();
        m_columnBase[1][row] = m_ui.Updates[row]->geometry();
        m_columnBase[2][row] = m_ui.Records[row]->geometry();
        m_columnBase[3][row] = m_ui.Total[row]->geometry();
        m_columnBase[4][row] = m_ui.Daily[row]->geometry();
    }

    // Tab order follows the template: inputs from top to bottom, left to right.
    QWidget* previous = m_ui.Scheme;
    auto chain = [&previous, this](QWidget* next) {
        setTabOrder(previous, next);
        previous = next;
    };
    chain(m_ui.LifeTime);
    chain(m_ui.BlockCount);
    for (auto* list : m_ui.BlockSize)
        chain(list);
    chain(m_ui.DataTypes);
    chain(m_ui.CustomizeOverhead);
    chain(m_ui.BlockOverhead);
    for (int row = 0; row < kMaxDataTypes; ++row) {
        chain(m_ui.DataSize[row]);
        chain(m_ui.Updates[row]);
        chain(m_ui.Records[row]);
        chain(m_ui.Total[row]);
        chain(m_ui.Daily[row]);
        chain(m_ui.Overhead[row]);
    }
    chain(m_ui.Submit);

    // The user's actions go to the form; the form's state comes back by Sync.
    connect(m_ui.Scheme, &QComboBox::activated, this, [this](int index) {
        m_form.UserSelectScheme(index);
        Sync();
    });
    connect(m_ui.BlockCount, &QComboBox::activated, this, [this](int index) {
        m_form.UserSelectBlockCount(index);
        Sync();
    });
    for (int k = 0; k < kMaxBlocks; ++k) {
        connect(m_ui.BlockSize[k], &QComboBox::activated, this, [this, k](int index) {
            m_form.UserSelectBlockSize(k, index);
            Sync();
        });
    }
    connect(m_ui.DataTypes, &QComboBox::activated, this, [this](int index) {
        m_form.UserSelectDataTypes(index);
        Sync();
    });
    connect(m_ui.CustomizeOverhead, &QCheckBox::clicked, this, [this](bool checked) {
        m_form.UserSetCustomizeOverhead(checked);
        Sync();
    });
    connect(m_ui.Submit, &QPushButton::clicked, this, &MainWindow::RunCalculation);
    ConnectField(m_ui.LifeTime, FieldId {FieldKind::LifeTime, 0}, false);
    ConnectField(m_ui.BlockOverhead, FieldId {FieldKind::BlockOverhead, 0}, true);
    for (int row = 0; row < kMaxDataTypes; ++row) {
        ConnectField(m_ui.DataSize[row], FieldId {FieldKind::DataSize, row}, true);
        ConnectField(m_ui.Updates[row], FieldId {FieldKind::Updates, row}, true);
        ConnectField(m_ui.Records[row], FieldId {FieldKind::Records, row}, true);
        ConnectField(m_ui.Overhead[row], FieldId {FieldKind::Overhead, row}, true);
        connect(m_ui.Total[row], &QRadioButton::clicked, this, [this, row] {
            m_form.UserClickFrequency(row, false);
            Sync();
        });
        connect(m_ui.Daily[row], &QRadioButton::clicked, this, [this, row] {
            m_form.UserClickFrequency(row, true);
            Sync();
        });
    }
}

void MainWindow::ConnectField(QLineEdit* edit, FieldId field, bool focusRecomputes)
{
    edit->setProperty("eeeFieldKind", static_cast<int>(field.Kind));
    edit->setProperty("eeeFieldRow", field.Row);
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        if (m_syncing)
            return;
        m_form.UserEditText(field, FromQ(text));
        Sync();
    });
    if (focusRecomputes)
        edit->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && !m_syncing && !m_form.NotificationsIgnored()) {
        // Only the user's own moves into a field recompute; focus that comes back
        // after a message box or a menu, or that the form moves itself, does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
            || reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason) {
            const FieldId field {static_cast<FieldKind>(watched->property("eeeFieldKind").toInt()),
                watched->property("eeeFieldRow").toInt()};
            m_form.OnInputFocus(field);
            Sync();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindow::BuildMenu()
{
    QMenu* file = m_ui.Menu->addMenu("&File");
    m_ui.LoadSession = file->addAction("&Load Session");
    m_ui.LoadSession->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_ui.SaveSession = file->addAction("&Save Session");
    m_ui.SaveSession->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_ui.ExportReport = file->addAction("Export &Report...");
    file->addSeparator();
    m_ui.Exit = file->addAction("&Exit");
    m_ui.Exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu* edit = m_ui.Menu->addMenu("&Edit");
    m_ui.RestoreDefault = edit->addAction("&Restore Default");
    // The tools stand on the last calculation; each opens a window of its own and leaves
    // the form's controls as they are.
    QMenu* tools = m_ui.Menu->addMenu("&Tools");
    m_ui.FindConfiguration = tools->addAction("&Find Configuration...");
    m_ui.CalculationDetails = tools->addAction("&Calculation Details...");
    m_ui.RetentionCheck = tools->addAction("&Retention Check...");
    m_ui.WearSimulation = tools->addAction("&Wear Simulation...");
    connect(m_ui.WearSimulation, &QAction::triggered, this, &MainWindow::OnWearSimulation);
    QMenu* help = m_ui.Menu->addMenu("&Help");
    m_ui.UserGuide = help->addAction("&User Guide");
    m_ui.About = help->addAction("&About");

    // The accelerators work wherever the focus is in the window.
    for (QAction* action : {m_ui.LoadSession, m_ui.SaveSession, m_ui.Exit}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(m_ui.LoadSession, &QAction::triggered, this, &MainWindow::LoadSessionCommand);
    connect(m_ui.SaveSession, &QAction::triggered, this, &MainWindow::SaveSessionCommand);
    connect(m_ui.Exit, &QAction::triggered, this, &MainWindow::OnExit);
    connect(m_ui.RestoreDefault, &QAction::triggered, this, &MainWindow::RestoreDefaultCommand);
    connect(m_ui.UserGuide, &QAction::triggered, this, &MainWindow::OnUserGuide);
    connect(m_ui.About, &QAction::triggered, this, &MainWindow::OnAbout);
    connect(m_ui.ExportReport, &QAction::triggered, this, &MainWindow::OnExportReport);
    connect(m_ui.FindConfiguration, &QAction::triggered, this, &MainWindow::OnFindConfiguration);
    connect(m_ui.CalculationDetails, &QAction::triggered, this, &MainWindow::OnCalculationDetails);
    connect(m_ui.RetentionCheck, &QAction::triggered, this, &MainWindow::OnRetentionCheck);
}

// The tools. Each is a window of its own over the form's last calculation.

void MainWindow::OnExportReport()
{
    ExportReport(
        this, m_dialogs, m_form.State(), m_chartModel, m_source, SessionFolder(), m_sessionFile);
}

void MainWindow::OnFindConfiguration()
{
    if (m_advisor == nullptr)
        m_advisor = new AdvisorDialog(*this, m_dialogs, m_source);
    m_advisor->Open();
}

void MainWindow::OnCalculationDetails()
{
    // Without a finished calculation (the catalogue could not be read) there is nothing to show.
    if (m_form.State().Calculations == 0) {
        m_dialogs.Message(this, "There is no calculation to show yet.", MsgIcon::Warning);
        return;
    }
    if (!m_details) {
        m_details = new DetailsDialog(this);
        connect(this, &MainWindow::CalculationFinished, m_details, [this] {
            m_details->ShowCalculation(m_form.State().LastConfig, m_form.State().LastResult);
        });
    }
    m_details->ShowCalculation(m_form.State().LastConfig, m_form.State().LastResult);
    m_details->show();
    m_details->raise();
    m_details->activateWindow();
}

void MainWindow::OnRetentionCheck()
{
    if (!m_retention) {
        m_retention = new RetentionDialog(m_dialogs, m_files, this);
        // It follows the calculations; before the first it waits for one.
        const auto follow = [this] {
            const FormState& s = m_form.State();
            if (s.Calculations > 0)
                m_retention->ShowCalculation(s.LastResult.FlashCycles, s.LastConfig.LifeTime);
        };
        connect(this, &MainWindow::CalculationFinished, m_retention, follow);
        follow();
    }
    m_retention->Open();
}

void MainWindow::OnWearSimulation()
{
    if (!m_wear) {
        m_wear = new WearSimulationDialog(this);
        // It follows the calculations; before the first it waits for one.
        const auto follow = [this] {
            const FormState& s = m_form.State();
            if (s.Calculations > 0)
                m_wear->ShowCalculation(s.LastConfig, s.LastResult);
        };
        connect(this, &MainWindow::CalculationFinished, m_wear, follow);
        follow();
    }
    m_wear->Open();
}

void MainWindow::ApplyRecord(const SessionRecord& record)
{
    std::string error;
    if (!m_form.Sessions().LoadRecord(record, error) && !error.empty())
        ShowMessage(error, MsgIcon::Error);
    Sync();
}

void MainWindow::AddToolTips()
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
    m_ui.Scheme->setToolTip(ToQ(m_form.State().SchemeToolTip));
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
    AddToolTips();
    m_ui.Scheme->setFocus(Qt::OtherFocusReason);
}

// The form's requests

void MainWindow::ShowMessage(const std::string& text, MsgIcon icon)
{
    Sync();
    m_dialogs.Message(this, ToQ(text), icon);
}

QLineEdit* MainWindow::FieldWidget(FieldId field) const
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

void MainWindow::FocusField(FieldId field)
{
    QLineEdit* edit = FieldWidget(field);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void MainWindow::Invalidate()
{
    update();
    m_chart->update();
}

QString MainWindow::SessionFolder() const
{
    // An installed program's folder is not writable: offer the home folder there.
    const QString module = DecodePath(m_files.ModuleFolder());
    const QFileInfo info(module);
    if (info.isDir() && info.isWritable())
        return module;
    return QDir::homePath();
}

std::optional<std::string> MainWindow::AskSaveFileName()
{
    Sync();
    const std::optional<QString> path = m_dialogs.SaveFileName(this, SessionFolder());
    NoteSessionPath(path);
    if (!path)
        return std::nullopt;
    m_sessionFile = *path;
    return EncodePath(*path);
}

std::optional<std::string> MainWindow::AskOpenFileName()
{
    Sync();
    if (std::optional<std::string> preset = TakePresetOpenPath())
        return preset;
    const std::optional<QString> path = m_dialogs.OpenFileName(this, SessionFolder());
    NoteSessionPath(path);
    if (!path)
        return std::nullopt;
    m_sessionFile = *path;
    return EncodePath(*path);
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
    const bool saved = m_form.SaveSessionCommand().has_value();
    ListSessionPath(saved);
    Sync();
}

void MainWindow::LoadSessionCommand()
{
    const std::optional<LoadOutcome> outcome = m_form.LoadSessionCommand();
    ListSessionPath(outcome && outcome->Announced());
    Sync();
}

void MainWindow::RestoreDefaultCommand()
{
    m_form.RestoreDefaultCommand();
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

// Showing the form

void MainWindow::Sync()
{
    ++m_syncing;
    const FormState& s = m_form.State();
    if (s.Calculations != m_shownCalculations) {
        m_shownCalculations = s.Calculations;
        emit CalculationFinished();
    }
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

    PlaceMovableControls();
    --m_syncing;
}

void MainWindow::PlaceMovableControls()
{
    const FormState& s = m_form.State();
    // With the overhead column hidden, the five data columns spread right into its room.
    const int shift = s.OverheadColumnVisible ? 0 : kColumnShiftPixels;
    for (int column = 0; column < 5; ++column) {
        const int dx = shift * (column + 1);
        m_ui.ColumnHeaders[column]->setGeometry(m_headerBase[column].translated(dx, 0));
        for (int row = 0; row < kMaxDataTypes; ++row) {
            const std::array<QWidget*, 5> cells {m_ui.DataSize[row], m_ui.Updates[row],
                m_ui.Records[row], m_ui.Total[row], m_ui.Daily[row]};
            QWidget* w = cells[static_cast<size_t>(column)];
            w->setGeometry(m_columnBase[column][row].translated(dx, 0));
        }
    }

    // The totals stand just below the last data type row shown.
    if (s.TotalsBelowRow < 1)
        return;
    const int row = std::clamp(s.TotalsBelowRow, 1, kMaxDataTypes) - 1;
    const int bottom = m_columnBase[0][row].bottom() + 1;
    const int labelHeight = m_ui.TotalLabels[2]->height();
    for (QLabel* l : m_ui.TotalLabels)
        l->move(l->x(), bottom + 5);
    for (QLineEdit* e : {m_ui.TotalUserDataBytes, m_ui.TotalOverhead, m_ui.TotalBytes})
        e->move(e->x(), bottom + labelHeight + 9);
}

// Sessions opened without the file dialog, and the list of recent ones

void MainWindow::AddSessionOpeners()
{
    m_recent = new RecentSessions(this);
    // In the File menu, after Load Session.
    QMenu* file = m_ui.Menu->actions().constFirst()->menu();
    const QList<QAction*> entries = file->actions();
    const qsizetype after = entries.indexOf(m_ui.LoadSession);
    file->insertMenu(entries.value(after + 1), m_recent->Menu());
    // Queued, so that the menu has closed before the load shows its message.
    connect(m_recent, &RecentSessions::Chosen, this, &MainWindow::LoadSessionFile,
        Qt::QueuedConnection);

    auto* drops = new SessionDropFilter(this);
    connect(drops, &SessionDropFilter::SessionDropped, this, &MainWindow::LoadSessionFile);
}

void MainWindow::LoadSessionFile(const QString& path)
{
    m_presetOpenPath = path;
    LoadSessionCommand();
    m_presetOpenPath.reset(); // unused when the form did not get as far as asking
}

void MainWindow::LoadSessionWhenShown(const QString& path)
{
    QMetaObject::invokeMethod(
        this, [this, path] { LoadSessionFile(path); }, Qt::QueuedConnection);
}

std::optional<std::string> MainWindow::TakePresetOpenPath()
{
    if (!m_presetOpenPath)
        return std::nullopt;
    const QString path = *std::exchange(m_presetOpenPath, std::nullopt);
    NoteSessionPath(path);
    m_sessionFile = path;
    return EncodePath(path);
}

void MainWindow::NoteSessionPath(const std::optional<QString>& path)
{
    // Set by the file dialog's answer, cleared when the command ends: a later
    // message of another command never lists a session that failed.
    m_notedSessionPath = path;
}

void MainWindow::ListSessionPath(bool succeeded)
{
    // Only a session the command saved or announced as loaded joins the list.
    const std::optional<QString> path = std::exchange(m_notedSessionPath, std::nullopt);
    if (succeeded && path)
        m_recent->Add(*path);
}

} // namespace eee
