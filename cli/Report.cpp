#include "cli/Report.h"

#include "calc/Format.h"

namespace eee {

namespace {
void Line(std::string& out, const char* label, const std::string& value)
{
    out += label;
    out += ": ";
    out += value;
    out += '\n';
}
} // namespace

std::string EvaluationReport(const Evaluation& e)
{
    std::string out;
    Line(out, "File", e.File);
    Line(out, "Scheme", e.Scheme);
    Line(out, "LifeTime (Years)", e.LifeTimeText);
    Line(out, "No. of Blocks", std::to_string(e.Blocks.size()));
    std::string blocks;
    for (size_t k = 0; k < e.Blocks.size(); ++k) {
        if (k > 0)
            blocks += ", ";
        blocks += e.Blocks[k] + " (" + std::to_string(e.BlockBytes[k]) + " bytes)";
    }
    Line(out, "Block Size", blocks);
    Line(out, "Customize Overhead", e.CustomOverheadEnabled ? "on" : "off");
    Line(out, "Block Overhead", std::to_string(e.BlockOverhead));
    Line(out, "Total Data Types", std::to_string(e.DataTypes.size()));
    for (size_t i = 0; i < e.DataTypes.size(); ++i) {
        const DataTypeResult& t = e.DataTypes[i];
        out += Format(
            "  DataType%zu: Average Data Record Size %d, Updates %lld %s, Number of Records "
            "%d, Overhead %d\n",
            i + 1, t.DataSize, static_cast<long long>(t.Updates), t.Daily ? "Daily" : "Total",
            t.Records, t.RecordOverhead);
    }
    Line(out, "Total User Data Bytes", e.TotalUserDataBytesText);
    Line(out, "Total Overhead", e.TotalOverheadText);
    Line(out, "Total User Bytes + Overhead", e.TotalBytesText);
    Line(out, "Total Application Lifetime Updates", e.LifetimeUpdatesText);
    Line(out, "Maximum EEPROM Update Requirements", e.MaxUpdateRequirementText);
    Line(out, "Estimated Flash Cycles", e.FlashCyclesText);
    Line(out, "Mean Time between Refresh Cycles (days)",
        e.RefreshIntervalText ? *e.RefreshIntervalText : std::string("-"));
    Line(out, "In-spec years", Format("%.1f", static_cast<double>(e.InSpecYears)));
    out += "Spec Notification:\n";
    for (size_t k = 0; k < 2; ++k) {
        if (!e.Verdict[k].empty())
            out += "  " + e.Verdict[k] + '\n';
    }
    Line(out, "Memory Usage ", e.FlashUsedText);
    if (!e.Verdict[2].empty())
        out += e.Verdict[2] + '\n';
    return out;
}

std::string MessageLines(const std::string& file, const char* kind, const std::string& text)
{
    return file + ": " + kind + ": " + text + '\n';
}

std::string EvaluationMessages(const Evaluation& e)
{
    std::string text;
    for (const std::string& warning : e.Warnings)
        text += MessageLines(e.File, "warning", warning);
    if (!e.Ok) {
        text += MessageLines(e.File, "error", e.Error);
        if (const std::string reason = RefusalReason(e); !reason.empty())
            text += MessageLines(e.File, "reason", reason);
    }
    return text;
}

std::string RefusalReason(const Evaluation& e)
{
    return e.Ok ? std::string() : e.Reason;
}

} // namespace eee
