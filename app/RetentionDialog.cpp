#include "RetentionDialog.h"

#include "MissionTableModel.h"
#include "RetentionChart.h"
#include "calc/RetentionText.h"
#include "files/DeviceProfiles.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace eee {

namespace {

QString ToQ(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Years(double years)
{
    return QString::number(years, 'g', 6);
}

} // namespace

RetentionDialog::RetentionDialog(IDialogs& dialogs, FileAccess& files, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_files(files)
    , m_mission(new MissionTableModel(this))
{
    setWindowTitle("Retention Check");
    BuildControls();
    RestoreSettings();
    connect(m_mission, &MissionTableModel::MissionChanged, this, [this] {
        SaveSettings();
        Update();
    });
    connect(m_mission, &MissionTableModel::EditRefused, this,
        [this](const QString& reason) { m_dialogs.Message(this, reason, MsgIcon::Warning); });
    connect(m_ui.Profile, &QComboBox::currentIndexChanged, this, [this] {
        SaveSettings();
        Update();
    });
    Update();
}

RetentionDialog::~RetentionDialog() = default;

void RetentionDialog::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_ui.Profile = new QComboBox(this);
    m_ui.Profile->setToolTip("Device profile: the retention tiers of your flash");
    form->addRow("Device profile:", m_ui.Profile);
    m_ui.ProfileSummary = new QLabel(this);
    m_ui.ProfileSummary->setWordWrap(true);
    form->addRow(QString(), m_ui.ProfileSummary);
    layout->addLayout(form);

    layout->addWidget(new QLabel("Mission: the lifetime in years at temperatures", this));
    auto* missionRow = new QHBoxLayout;
    m_ui.Mission = new QTableView(this);
    m_ui.Mission->setModel(m_mission);
    m_ui.Mission->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ui.Mission->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ui.Mission->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_ui.Mission->setFixedHeight(120);
    missionRow->addWidget(m_ui.Mission);
    auto* buttons = new QVBoxLayout;
    m_ui.AddRow = new QPushButton("&Add Row", this);
    m_ui.RemoveRow = new QPushButton("&Remove Row", this);
    for (QPushButton* button : {m_ui.AddRow, m_ui.RemoveRow}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    missionRow->addLayout(buttons);
    layout->addLayout(missionRow);
    m_ui.MissionTotal = new QLabel(this);
    layout->addWidget(m_ui.MissionTotal);

    m_ui.Result = new QLabel(this);
    m_ui.Result->setWordWrap(true);
    m_ui.Result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_ui.Result);
    m_ui.Chart = new RetentionChart(this);
    m_ui.Chart->setMinimumSize(360, 180);
    layout->addWidget(m_ui.Chart, 1);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_ui.Close = box->button(QDialogButtonBox::Close);
    layout->addWidget(box);

    connect(m_ui.AddRow, &QPushButton::clicked, this, &RetentionDialog::AddRow);
    connect(m_ui.RemoveRow, &QPushButton::clicked, this, &RetentionDialog::RemoveRow);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(560, 680);
}

void RetentionDialog::Open()
{
    show();
    raise();
    activateWindow();
    // After showing: a message about the files stands in front of the dialog.
    LoadProfiles();
}

void RetentionDialog::LoadProfiles()
{
    // The choice stays by name: the user's own file may have changed.
    QString chosen = m_ui.Profile->currentText();
    if (m_ui.Profile->count() == 0)
        chosen = QSettings().value(kRetentionProfileKey).toString();
    const ProfileList list
        = LoadProfileList(m_files, OwnProfilesFile().toStdString(), OwnFileUse::IfPresent);
    m_profiles = list.Profiles;

    m_restoring = true;
    m_ui.Profile->clear();
    for (const DeviceProfile& profile : m_profiles)
        m_ui.Profile->addItem(ToQ(profile.Name));
    const DeviceProfile* found = FindProfile(m_profiles, chosen.toStdString());
    m_ui.Profile->setCurrentIndex(found ? static_cast<int>(found - m_profiles.data()) : 0);
    m_restoring = false;
    Update();
    if (const std::string problems = ProfileListProblems(list); !problems.empty())
        m_dialogs.Message(this, ToQ(problems), MsgIcon::Warning);
}

void RetentionDialog::RestoreSettings()
{
    // A mission that cannot be read (edited by hand) is left out: the table starts empty.
    std::vector<MissionSegment> mission;
    std::string error;
    if (ParseMission(
            QSettings().value(kRetentionMissionKey).toString().toStdString(), mission, error)) {
        m_restoring = true;
        m_mission->SetMission(std::move(mission));
        m_restoring = false;
    }
}

void RetentionDialog::SaveSettings() const
{
    if (m_restoring)
        return;
    QSettings settings;
    if (m_ui.Profile->currentIndex() >= 0)
        settings.setValue(kRetentionProfileKey, m_ui.Profile->currentText());
    settings.setValue(kRetentionMissionKey, ToQ(MissionText(m_mission->Mission())));
}

const DeviceProfile* RetentionDialog::ChosenProfile() const
{
    const int index = m_ui.Profile->currentIndex();
    if (index < 0 || index >= static_cast<int>(m_profiles.size()))
        return nullptr;
    return &m_profiles[static_cast<size_t>(index)];
}

std::optional<RetentionChoice> RetentionDialog::Choice() const
{
    const DeviceProfile* profile = ChosenProfile();
    if (profile == nullptr)
        return std::nullopt;
    return RetentionChoice {*profile, m_mission->Mission()};
}

void RetentionDialog::ShowCalculation(double flashCycles, float lifeTime)
{
    m_calculation = Calculation {flashCycles, lifeTime};
    Update();
}

void RetentionDialog::AddRow()
{
    // The new row takes the years still missing from the lifetime, so that a
    // mission split in two is one edit away from adding up.
    MissionSegment segment {1.0, 25.0};
    if (const DeviceProfile* profile = ChosenProfile())
        segment.Celsius = profile->ReferenceCelsius;
    if (m_calculation) {
        const double missing
            = static_cast<double>(m_calculation->LifeTime) - m_mission->TotalYears();
        if (missing > kMissionSumTolerance)
            segment.Years = missing;
    }
    m_mission->AppendRow(segment);
    m_ui.Mission->selectRow(m_mission->rowCount() - 1);
}

void RetentionDialog::RemoveRow()
{
    const QModelIndex current = m_ui.Mission->currentIndex();
    m_mission->RemoveRow(current.isValid() ? current.row() : m_mission->rowCount() - 1);
}

void RetentionDialog::Update()
{
    const DeviceProfile* profile = ChosenProfile();
    m_ui.ProfileSummary->setText(
        profile ? ToQ(ProfileSummary(*profile)) : QString("No device profile could be loaded."));
    m_ui.Chart->SetProfile(profile);
    m_ui.RemoveRow->setEnabled(m_mission->rowCount() > 0);

    const double total = m_mission->TotalYears();
    QString totalText;
    if (m_mission->rowCount() == 0) {
        totalText = m_calculation
            ? QString("No rows: the whole lifetime of %1 years at the profile's temperature.")
                  .arg(Years(m_calculation->LifeTime))
            : QString("No rows: the whole lifetime at the profile's temperature.");
    } else if (m_calculation) {
        const double lifetime = m_calculation->LifeTime;
        totalText = QString("Mission total: %1 of %2 years").arg(Years(total), Years(lifetime));
        if (!(std::fabs(total - lifetime) <= kMissionSumTolerance))
            totalText += ": it must add up to the lifetime.";
    } else {
        totalText = QString("Mission total: %1 years").arg(Years(total));
    }
    m_ui.MissionTotal->setText(totalText);

    m_result.reset();
    if (!profile || !m_calculation) {
        m_ui.Result->setText(
            profile ? "No calculation yet: press Submit in the calculator." : QString());
        m_ui.Chart->SetOperatingPoint(std::nullopt);
        return;
    }
    RetentionResult result;
    std::string error;
    RetentionChart::OperatingPoint point {
        m_calculation->FlashCycles, m_calculation->LifeTime, RetentionChart::Verdict::None};
    if (!CheckRetention(*profile, m_calculation->FlashCycles, m_calculation->LifeTime,
            m_mission->Mission(), result, error)) {
        m_ui.Result->setText(kRetentionLabel + QString("not checked: ") + ToQ(error));
        m_ui.Chart->SetOperatingPoint(point);
        return;
    }
    QString lines = ToQ(RetentionHeadline(result));
    for (const std::string& line : RetentionDetails(*profile, result))
        lines += '\n' + ToQ(line);
    m_ui.Result->setText(lines);
    point.Shown
        = result.InSpec ? RetentionChart::Verdict::InSpec : RetentionChart::Verdict::OutOfSpec;
    m_ui.Chart->SetOperatingPoint(point);
    m_result = std::move(result);
}

} // namespace eee
