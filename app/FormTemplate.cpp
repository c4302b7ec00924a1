#include "FormTemplate.h"

#include "DialogUnits.h"
#include "chart/ChartWidget.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace eee {

namespace {
constexpr int kClientWidthDu = 567;
constexpr int kClientHeightDu = 393;
// The chart's client area is the size the in-spec years are measured on.
const QRect kChartRect(500, 65, kChartWidth, kChartHeight);

constexpr std::array<int, kMaxBlocks> kBlockListTops {68, 84, 100, 116, 132, 148};
constexpr std::array<int, kMaxDataTypes> kRowLabelTops {221, 236, 250, 264, 278, 292};
constexpr std::array<int, kMaxDataTypes> kDataSizeTops {221, 235, 249, 264, 279, 293};
constexpr std::array<int, kMaxDataTypes> kFieldTops {221, 235, 249, 264, 278, 292};
constexpr std::array<int, kMaxDataTypes> kRadioTops {224, 237, 251, 266, 280, 294};

QRect DialogRect(int x, int y, int width, int height)
{
    return DialogUnits::DialogRect(x, y, width, height);
}

// Digits only, none for an empty field: what the pattern [0-9]* accepts, checked
// without compiling a regular expression at start-up.
class DigitsValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        for (const QChar c : std::as_const(input)) {
            if (c < u'0' || c > u'9') {
                pos = static_cast<int>(input.size());
                return Invalid;
            }
        }
        return Acceptable;
    }
};

QFont DialogFont()
{
    QFont font;
    // A narrow sans keeps every caption inside its place of the template.
    font.setFamilies({"DejaVu Sans Condensed", "Liberation Sans Narrow", "Tahoma", "DejaVu Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

} // namespace

FormTemplate::FormTemplate(QDialog& window, ChartModel& chart)
{
    window.setFont(DialogFont());
    BuildControls(window, chart);
    BuildMenu(window);
}

void FormTemplate::BuildControls(QDialog& window, ChartModel& chart)
{
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_ui.Menu = new QMenuBar(&window);
    layout->setMenuBar(m_ui.Menu);
    m_client = new QWidget(&window);
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
    const auto digits = new DigitsValidator(&window);
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
        m_frequencyGroups[row] = new QButtonGroup(&window);
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
    m_chart = new ChartWidget(chart, c);
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
    ChainTabOrder();
}

void FormTemplate::ChainTabOrder()
{
    // Tab order follows the template: inputs from top to bottom, left to right.
    QWidget* previous = m_ui.Scheme;
    auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
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
}

void FormTemplate::BuildMenu(QDialog& window)
{
    QMenu* file = m_ui.Menu->addMenu("&File");
    m_ui.LoadSession = file->addAction("&Load Session");
    m_ui.LoadSession->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_ui.SaveSession = file->addAction("&Save Session");
    m_ui.SaveSession->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // R belongs to Recent Sessions: Alt+F, X reaches the export.
    m_ui.ExportReport = file->addAction("E&xport Report...");
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
    m_ui.SensitivitySweep = tools->addAction("&Sensitivity Sweep...");
    QMenu* help = m_ui.Menu->addMenu("&Help");
    m_ui.UserGuide = help->addAction("&User Guide");
    m_ui.About = help->addAction("&About");

    // The accelerators work wherever the focus is in the window.
    for (QAction* action : {m_ui.LoadSession, m_ui.SaveSession, m_ui.Exit}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
    }
}

QMenu* FormTemplate::FileMenu() const
{
    return m_ui.Menu->actions().constFirst()->menu();
}

} // namespace eee
