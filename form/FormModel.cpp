#include "form/FormModel.h"

#include "calc/Format.h"

namespace eee {

namespace {
constexpr ChartColor kInSpecColor {0, 255, 0};
constexpr ChartColor kOutOfSpecColor {255, 0, 0};
constexpr ChartColor kBackgroundColor {236, 233, 216};
} // namespace

FormModel::FormModel(IDataSource& data, IFormView& view, ChartModel& chart)
    : m_data(data)
    , m_chart(chart)
    , m_form(view)
    , m_calculation(m_form, chart)
    , m_behaviour(m_form, m_calculation, data, chart)
    , m_sessions(m_form, m_behaviour, m_calculation, data, chart)
{ }

void FormModel::Startup(const std::optional<SessionRecord>& defaults)
{
    FormState& s = m_form.State();
    m_form.WriteForm();
    m_chart.SetupChart(20.0f, 50.0, 0.0, "Application LifeTime (in years)",
        "Estimated Flash Cycles", kInSpecColor, kOutOfSpecColor, kBackgroundColor, kLifetimeLimit,
        s.In.CyclesLimit);

    s.Fields.Frequency.fill(0);
    s.DataTypesList.Clear();
    for (int i = 1; i <= kMaxDataTypes; ++i)
        s.DataTypesList.Add(Format("%d", i));
    s.DataTypesList.Selected = kMaxDataTypes - 1;
    s.BlockCountList.Clear();
    for (int i = 2; i <= kMaxBlocks; ++i)
        s.BlockCountList.Add(Format("%d", i));
    s.BlockCountList.Selected = 0;

    m_behaviour.HideOverheadColumn();
    s.SubmitEnabled = true;

    std::string error;
    std::vector<std::string> names;
    m_data.ReadSchemeList(error, names);
    if (names.empty() || !error.empty()) {
        m_form.Tell(
            Format("Schemes information could not be loaded!\n%s", error.c_str()), MsgIcon::Error);
    } else {
        s.SchemeList.Clear();
        for (const auto& name : names)
            s.SchemeList.Add(name);
        s.SchemeList.Selected = 0;
    }

    if (defaults) {
        // Only the scheme and the blocks of the defaults are applied at start-up.
        if (!s.SchemeList.SelectPrefix(defaults->Scheme))
            m_form.Tell(
                Format("Unable to select Scheme '%s'.", defaults->Scheme.c_str()), MsgIcon::Error);
        error.clear();
        if (!m_behaviour.LoadBlocks(defaults->Scheme, error) && !error.empty())
            m_form.Tell(error, MsgIcon::Error);
        // A count the No. of Blocks list does not offer is taken as two blocks.
        int count = defaults->BlocksSelected;
        if (count < 2 || count > kMaxBlocks)
            count = 2;
        s.BlockCountList.Selected = count - 2;
        if (m_form.GetBlockCount() == count) {
            m_form.ReadForm();
            for (int k = 0; k < kMaxBlocks; ++k)
                s.BlockListVisible[k] = k < count;
            m_form.WriteForm();
            s.SubmitEnabled = true;
        }
        for (int k = 0; k < count; ++k) {
            const std::string& text = defaults->BlockSize[static_cast<size_t>(k)];
            if (!s.BlockLists[k].SelectPrefix(text))
                m_form.Tell(
                    Format("Unable to select block size '%s' at index '%d'.", text.c_str(), k),
                    MsgIcon::Error);
        }
    }

    s.In.ReadyFlag = true;
    s.In.CyclesLimit = kCyclesLimit;
    m_chart.SetCyclesLimit(kCyclesLimit);

    m_calculation.ComputeSizes();
    if (m_calculation.CheckBlockSizes())
        m_calculation.Calculate();
    m_behaviour.SetSchemeToolTip();
}

} // namespace eee
