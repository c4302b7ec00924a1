#include "Calculation.h"

#include "Compute.h"
#include "Format.h"

#include <algorithm>

namespace eee {

Calculation::Calculation(Form& form, ChartModel& chart)
    : m_form(form)
    , m_chart(chart)
{ }

EvalConfig Calculation::CurrentConfig() const
{
    return ConfigFromInputs(m_form.State().In, m_form.SelectedBlockBytes());
}

void Calculation::ComputeSizes()
{
    m_form.ReadForm();
    FormState& s = m_form.State();
    s.In.Scheme = m_form.GetSelectedScheme();
    s.In.CusOverheadEn = s.CusOverheadChecked;
    eee::ComputeSizes(s.In, s.Out);
    m_form.WriteForm();
}

void Calculation::ComputeFlashUsed(bool writeForm)
{
    FormState& s = m_form.State();
    const int nb = std::clamp(m_form.GetBlockCount(), 0, kMaxBlocks);
    const std::array<int64_t, kMaxBlocks> bytes = m_form.SelectedBlockBytes();
    int64_t total = 0;
    for (int k = 0; k < nb; ++k)
        total += bytes[static_cast<size_t>(k)];
    s.Out.FlashUsedBytes = total;
    s.FlashUsedLine = FlashUsedText(total);
    if (writeForm)
        m_form.WriteForm();
}

bool Calculation::CheckBlockSizes()
{
    const int nb = m_form.GetBlockCount();
    const int64_t total = LeadingInteger64(m_form.State().Fields.TotalBytes);
    if (BlocksFit(total, m_form.SelectedBlockBytes(), nb))
        return true;
    m_form.View().ShowMessage(kMsgBlocksTooSmall, MsgIcon::Warning);
    return false;
}

void Calculation::RunCalculation()
{
    if (!m_form.State().In.ReadyFlag)
        return;
    if (!m_form.ReadForm())
        return;
    ComputeFlashUsed();
    ComputeSizes();
    if (!CheckBlockSizes())
        return;
    if (!m_form.ReadForm())
        return;
    if (!ComputeEndurance())
        return;
    m_form.State().SubmitEnabled = false;
}

bool Calculation::ComputeEndurance()
{
    FormState& s = m_form.State();
    s.In.Scheme = m_form.GetSelectedScheme();
    s.In.CusOverheadEn = s.CusOverheadChecked;
    s.In.BlocksSelected = m_form.GetBlockCount();
    ComputeFlashUsed();

    const EvalConfig config = CurrentConfig();
    const EvalResult result = Evaluate(config);
    if (result.NegativeRoom) {
        m_form.View().ShowMessage(kMsgBlocksTooSmall, MsgIcon::Warning);
        return false;
    }
    s.LastConfig = config;
    s.LastResult = result;
    s.Out.LifetimeUpdates = result.LifetimeUpdates;
    s.LifetimeUpdatesText = WithThousandsSeparators(result.LifetimeUpdates);
    if (result.HasMaxUpdateRequirement)
        s.Out.MaxUpdateRequirement = result.MaxUpdateRequirement;
    s.Out.FlashCycles = result.FlashCycles;
    // Without cycles the refresh interval and its field keep their earlier values.
    if (result.HasRefreshInterval) {
        double days = result.RefreshIntervalDays;
        s.RefreshIntervalText = RefreshIntervalText(days);
        s.Out.RefreshIntervalDays = days;
    }
    m_form.WriteForm();

    s.In.CyclesLimit = kCyclesLimit;
    m_chart.SetCyclesLimit(kCyclesLimit);
    m_chart.SetOperatingPoint(s.In.LifeTime, s.Out.FlashCycles);
    ++s.Calculations;
    m_form.View().Invalidate();
    s.SubmitEnabled = false;
    return true;
}

void Calculation::ShowVerdict()
{
    FormState& s = m_form.State();
    // The lines speak of the lifetime and cycles the form holds now, and of the years
    // of the chart's operating point.
    const VerdictTexts verdict
        = MakeVerdict(s.In.LifeTime, s.Out.FlashCycles, s.In.CyclesLimit, m_chart.GetInSpecYears());
    s.VerdictLine = verdict.First;
    s.RecommendationLine = verdict.Second;
    s.LifetimeNote = verdict.Lifetime;
    // Only the memory usage line is refreshed: writing the whole form back here
    // would replace text the user has typed but not yet confirmed.
    ComputeFlashUsed(false);
}

} // namespace eee
