#include "cli/Csv.h"

#include "cli/Json.h"

#include <QJsonValue>

namespace eee {

namespace {

bool IsScalar(const QJsonValue& value)
{
    return !value.isArray() && !value.isObject() && !value.isUndefined();
}

std::string ValueText(const QJsonValue& value)
{
    if (value.isString())
        return value.toString().toStdString();
    if (value.isBool())
        return value.toBool() ? "true" : "false";
    if (value.isDouble())
        return JsonText(value);
    return std::string();
}

} // namespace

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string CsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += CsvField(fields[i]);
    }
    return line + '\n';
}

QStringList ScalarKeys(std::initializer_list<QJsonObject> objects)
{
    // An object keeps its keys in the JSON's order.
    QJsonObject keys;
    for (const QJsonObject& object : objects) {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (IsScalar(it.value()))
                keys.insert(it.key(), QJsonValue());
        }
    }
    return keys.keys();
}

std::string CsvRow(const QJsonObject& object, const QStringList& columns)
{
    std::vector<std::string> fields;
    fields.reserve(static_cast<size_t>(columns.size()));
    for (const QString& column : columns)
        fields.push_back(ValueText(object.value(column)));
    return CsvLine(fields);
}

} // namespace eee
