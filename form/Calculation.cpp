#include "form/Calculation.h"

#include "calc/Compute.h"
#include "calc/Format.h"

#include <algorithm>
#include <numeric>

namespace eee {

namespace {
// The record overheads and totals of the data types in use into the form's state.
void StoreSizes(FormState& s, const std::array<int32_t, kMaxDataTypes>& recordOverhead,
    const SizeTotals& totals)
{
    const int n = std::clamp(s.In.DataTypeCount, 0, kMaxDataTypes);
    std::copy_n(recordOverhead.begin(), n, s.In.RecordOverhead.begin());
    s.Out.TotalUserDataBytes = totals.UserDataBytes;
    s.Out.TotalOverhead = totals.Overhead;
    s.Out.TotalBytes = totals.Bytes;
}
} // namespace

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
    std::array<int32_t, kMaxDataTypes> recordOverhead {};
    const SizeTotals totals = eee::ComputeSizes(CurrentConfig(), recordOverhead);
    StoreSizes(s, recordOverhead, totals);
    m_form.WriteForm();
}

bool Calculation::CheckBlockSizes()
{
    if (BlocksFit(
            m_form.State().Out.TotalBytes, m_form.SelectedBlockBytes(), m_form.GetBlockCount()))
        return true;
    m_form.Tell(kMsgBlocksTooSmall, MsgIcon::Warning);
    return false;
}

void Calculation::RunCalculation()
{
    if (!m_form.State().In.ReadyFlag)
        return;
    if (!m_form.ReadForm())
        return;
    Calculate();
}

bool Calculation::Calculate()
{
    FormState& s = m_form.State();
    s.In.Scheme = m_form.GetSelectedScheme();
    s.In.CusOverheadEn = s.CusOverheadChecked;
    s.In.BlocksSelected = m_form.GetBlockCount();
    s.In.LifeTime = ShownLifeTime(s.In.LifeTime);

    const EvalConfig config = CurrentConfig();
    const EvalResult result = Evaluate(config);
    StoreSizes(s, result.RecordOverhead,
        SizeTotals {result.TotalUserDataBytes, result.TotalOverhead, result.TotalBytes});
    s.Out.FlashUsedBytes = result.FlashUsedBytes;
    s.FlashUsedLine = FlashUsedText(result.FlashUsedBytes);
    if (!result.Fits || result.NegativeRoom) {
        m_form.WriteForm();
        m_form.Tell(kMsgBlocksTooSmall, MsgIcon::Warning);
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
        double days = result.RefreshIntervalDays; // as its text reads back
        s.RefreshIntervalText = RefreshIntervalText(days);
        s.Out.RefreshIntervalDays = days;
    }
    s.In.CyclesLimit = kCyclesLimit;
    m_form.WriteForm();

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
    // Only the memory usage line is refreshed, for the blocks selected now: writing the
    // whole form back here would replace text the user has typed but not yet confirmed.
    const int nb = std::clamp(m_form.GetBlockCount(), 0, kMaxBlocks);
    const std::array<int64_t, kMaxBlocks> bytes = m_form.SelectedBlockBytes();
    s.Out.FlashUsedBytes = std::accumulate(bytes.begin(), bytes.begin() + nb, int64_t {0});
    s.FlashUsedLine = FlashUsedText(s.Out.FlashUsedBytes);
}

} // namespace eee
