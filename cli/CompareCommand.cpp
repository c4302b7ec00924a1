#include "cli/CompareCommand.h"

#include "cli/Calculator.h"
#include "cli/Console.h"
#include "cli/EvaluateCommand.h"
#include "cli/Json.h"
#include "cli/Report.h"

#include <QJsonArray>

#include <algorithm>

namespace eee {

namespace {

// A value wider than this does not widen the column of the first file.
constexpr size_t kWidestColumn = 40;

QList<QCommandLineOption> Options()
{
    return {
        QCommandLineOption("json",
            "One JSON object: \"a\" and \"b\", each what evaluate --json prints for its file, "
            "and \"differences\", the keys whose values differ."),
    };
}

std::string Check(CommandOptions& options)
{
    return options.Positional().size() == 2 ? std::string()
                                            : std::string("compare takes two session files");
}

// A value on one line: texts as they are, "-" for null or a value the file's
// object lacks, an object's keys each with its value, the rest as the JSON
// writes it.
std::string ValueText(const QJsonValue& value)
{
    if (value.isUndefined() || value.isNull())
        return "-";
    if (value.isString())
        return value.toString().toStdString();
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        std::string text;
        for (auto it = object.begin(); it != object.end(); ++it)
            text += (text.empty() ? "" : ", ") + it.key().toStdString() + ' ' + ValueText(*it);
        return text;
    }
    return JsonText(value);
}

// One line of the side-by-side view.
struct Row
{
    bool Differs = false;
    std::string Label;
    std::string A;
    std::string B;
};

// A key's lines: one for its value, or one for each element of an array
// (labelled key[1], key[2], ...), marked where the two sides differ.
void AddRows(std::vector<Row>& rows, const KeyComparison& k)
{
    const std::string key = k.Key.toStdString();
    if (!k.A.isArray() && !k.B.isArray()) {
        rows.push_back({k.Differs, key, ValueText(k.A), ValueText(k.B)});
        return;
    }
    const QJsonArray a = k.A.toArray();
    const QJsonArray b = k.B.toArray();
    const qsizetype count = std::max(a.size(), b.size());
    if (count == 0)
        rows.push_back({k.Differs, key, k.A.isArray() ? "(none)" : ValueText(k.A),
            k.B.isArray() ? "(none)" : ValueText(k.B)});
    for (qsizetype i = 0; i < count; ++i) {
        const QJsonValue x = i < a.size() ? a[i] : QJsonValue(QJsonValue::Undefined);
        const QJsonValue y = i < b.size() ? b[i] : QJsonValue(QJsonValue::Undefined);
        rows.push_back(
            {x != y, key + '[' + std::to_string(i + 1) + ']', ValueText(x), ValueText(y)});
    }
}

std::string Padded(const std::string& text, size_t width)
{
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string SideBySide(const std::vector<KeyComparison>& keys)
{
    std::vector<Row> rows;
    std::string differing;
    for (const KeyComparison& k : keys) {
        AddRows(rows, k);
        if (k.Differs)
            differing += (differing.empty() ? "" : ", ") + k.Key.toStdString();
    }
    size_t labelWidth = 0;
    size_t aWidth = 0;
    for (const Row& row : rows) {
        labelWidth = std::max(labelWidth, row.Label.size());
        aWidth = std::max(aWidth, std::min(kWidestColumn, row.A.size()));
    }
    std::string out;
    for (const Row& row : rows) {
        out += row.Differs ? "* " : "  ";
        out += Padded(row.Label, labelWidth + 2) + Padded(row.A, aWidth) + " | " + row.B + '\n';
    }
    return out + "Differing: " + (differing.empty() ? "none" : differing) + '\n';
}

int Run(const CommandOptions& options)
{
    const std::vector<std::string> files = options.Positional();
    Calculator calculator;
    const Evaluation a = calculator.Evaluate(files[0]);
    const Evaluation b = calculator.Evaluate(files[1]);
    const QJsonObject aJson = EvaluateJson(a);
    const QJsonObject bJson = EvaluateJson(b);
    const std::vector<KeyComparison> keys = CompareKeys(aJson, bJson);
    if (options.IsSet("json")) {
        QJsonArray differences;
        for (const KeyComparison& k : keys) {
            if (k.Differs)
                differences.append(k.Key);
        }
        Write(stdout,
            JsonLine(QJsonObject {{"a", aJson}, {"b", bJson}, {"differences", differences}}));
    } else {
        Write(stderr, EvaluationMessages(a) + EvaluationMessages(b));
        Write(stdout, SideBySide(keys));
    }
    return a.Ok && b.Ok ? 0 : 1;
}

} // namespace

std::vector<KeyComparison> CompareKeys(const QJsonObject& a, const QJsonObject& b)
{
    // An object keeps its keys in the JSON's order.
    QJsonObject keys = a;
    for (auto it = b.begin(); it != b.end(); ++it)
        keys.insert(it.key(), QJsonValue());
    std::vector<KeyComparison> comparisons;
    for (const QString& key : keys.keys()) {
        KeyComparison k {key, a.value(key), b.value(key), false};
        k.Differs = key != QLatin1String("file") && k.A != k.B;
        comparisons.push_back(k);
    }
    return comparisons;
}

const Command kCompareCommand {
    "compare",
    "compare A.xml B.xml [--json]",
    "Evaluates two session files as evaluate does and shows their inputs and results side by "
    "side, one line per key of evaluate's JSON (per element of a list) with the value of A, then "
    "of B, and a * before each line whose values differ; the last line names the differing "
    "keys. With --json, one "
    "JSON object: \"a\" and \"b\", each the object evaluate --json prints for its file, and "
    "\"differences\", the keys (but \"file\") whose values differ. A refused file is compared "
    "as its refusal. Exit status: 0 when both files were evaluated, 1 when one was refused, 2 "
    "for a usage error.",
    Options,
    Check,
    Run,
};

} // namespace eee
