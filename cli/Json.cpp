#include "cli/Json.h"

#include "cli/Report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include <cmath>

namespace eee {

namespace {

QString Text(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt writes a whole double as an integer ("10472") and any other with the
// fewest digits that read back to it.
QJsonValue Number(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

template <typename Range> QJsonArray Texts(const Range& texts)
{
    QJsonArray array;
    for (const std::string& text : texts)
        array.append(Text(text));
    return array;
}

QJsonObject DataTypeJson(const DataTypeResult& t)
{
    return QJsonObject {
        {"dataSize", t.DataSize},
        {"updates", static_cast<qint64>(t.Updates)},
        {"records", t.Records},
        {"frequency", t.Daily ? "daily" : "total"},
        {"customOverhead", t.CustomOverhead},
        {"recordOverhead", t.RecordOverhead},
    };
}

QJsonValue OptionalNumber(bool present, double value)
{
    return present ? Number(value) : QJsonValue(QJsonValue::Null);
}

QJsonValue ActivationEnergy(const DeviceProfile& profile)
{
    return OptionalNumber(
        profile.ActivationEnergyEv.has_value(), profile.ActivationEnergyEv.value_or(0.0));
}

} // namespace

QJsonObject EvaluationToJson(const Evaluation& e)
{
    QJsonObject o {{"file", Text(e.File)}, {"ok", e.Ok}, {"warnings", Texts(e.Warnings)}};
    if (!e.Ok) {
        o["error"] = Text(e.Error);
        if (const std::string reason = RefusalReason(e); !reason.empty())
            o["reason"] = Text(reason);
        return o;
    }
    QJsonArray blockBytes;
    for (const int64_t bytes : e.BlockBytes)
        blockBytes.append(static_cast<qint64>(bytes));
    QJsonArray dataTypes;
    for (const DataTypeResult& type : e.DataTypes)
        dataTypes.append(DataTypeJson(type));

    o["scheme"] = Text(e.Scheme);
    o["lifetimeYears"] = Number(e.LifeTime);
    o["blocks"] = Texts(e.Blocks);
    o["blockBytes"] = blockBytes;
    o["dataTypes"] = dataTypes;
    o["customOverheadEnabled"] = e.CustomOverheadEnabled;
    o["blockOverhead"] = static_cast<qint64>(e.BlockOverhead);
    o["totalUserDataBytes"] = static_cast<qint64>(e.TotalUserDataBytes);
    o["totalOverhead"] = static_cast<qint64>(e.TotalOverhead);
    o["totalBytes"] = static_cast<qint64>(e.TotalBytes);
    o["flashUsedBytes"] = static_cast<qint64>(e.FlashUsedBytes);
    o["flashUsedText"] = Text(e.FlashUsedText);
    o["lifetimeUpdates"] = Number(e.LifetimeUpdates);
    o["lifetimeUpdatesText"] = Text(e.LifetimeUpdatesText);
    o["maxUpdateRequirement"] = Number(e.MaxUpdateRequirement);
    o["flashCycles"] = Number(e.FlashCycles);
    o["refreshIntervalDays"]
        = e.RefreshIntervalDays ? Number(*e.RefreshIntervalDays) : QJsonValue(QJsonValue::Null);
    o["refreshIntervalText"] = e.RefreshIntervalText ? QJsonValue(Text(*e.RefreshIntervalText))
                                                     : QJsonValue(QJsonValue::Null);
    o["inSpecYears"] = Number(e.InSpecYears);
    o["verdict"] = Texts(e.Verdict);
    return o;
}

QJsonObject RetentionToJson(const DeviceProfile& profile, const RetentionResult& r)
{
    QJsonArray mission;
    for (const SegmentResult& segment : r.Mission) {
        mission.append(QJsonObject {
            {"years", Number(segment.Years)},
            {"celsius", Number(segment.Celsius)},
            {"accelerationFactor", Number(segment.AccelerationFactor)},
        });
    }
    const bool tier = r.Tier.has_value();
    return QJsonObject {
        {"profile", Text(r.ProfileName)},
        {"cyclesPerBlock", Number(r.CyclesPerBlock)},
        {"tierCycles",
            tier ? QJsonValue(static_cast<qint64>(r.Tier->MaxCycles))
                 : QJsonValue(QJsonValue::Null)},
        {"tierYears", OptionalNumber(tier, tier ? r.Tier->Years : 0.0)},
        {"referenceC", Number(profile.ReferenceCelsius)},
        {"activationEnergyEv", ActivationEnergy(profile)},
        {"mission", mission},
        {"consumedPercent", OptionalNumber(tier, 100.0 * r.Consumed)},
        {"effectiveYears", OptionalNumber(tier, r.EffectiveYears)},
        {"margin", OptionalNumber(tier, r.Margin)},
        {"inSpec", r.InSpec},
        {"note", Text(r.Note)},
    };
}

QJsonObject RetentionErrorToJson(const DeviceProfile& profile, const std::string& error)
{
    return QJsonObject {{"profile", Text(profile.Name)}, {"error", Text(error)}};
}

QJsonObject ProfileToJson(const DeviceProfile& profile, const std::string& source)
{
    QJsonArray tiers;
    for (const RetentionTier& tier : profile.Tiers) {
        tiers.append(QJsonObject {
            {"maxCycles", static_cast<qint64>(tier.MaxCycles)},
            {"years", Number(tier.Years)},
        });
    }
    return QJsonObject {
        {"name", Text(profile.Name)},
        {"enduranceCycles", static_cast<qint64>(profile.EnduranceCycles)},
        {"referenceC", Number(profile.ReferenceCelsius)},
        {"activationEnergyEv", ActivationEnergy(profile)},
        {"tiers", tiers},
        {"source", Text(source)},
    };
}

std::string JsonLine(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + '\n';
}

std::string JsonText(const QJsonValue& value)
{
    // Inside an array, so that any value can be written; then without the brackets.
    const QByteArray json = QJsonDocument(QJsonArray {value}).toJson(QJsonDocument::Compact);
    return json.mid(1, json.size() - 2).toStdString();
}

} // namespace eee
