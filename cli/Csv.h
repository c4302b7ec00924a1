// Comma-separated output: a header line and one line per record, fields quoted
// only where they must be (a comma, a quote or a line break in them).
#pragma once

#include <QJsonObject>
#include <QStringList>

#include <initializer_list>
#include <string>
#include <vector>

namespace eee {

// One field: as it is, or in double quotes with its quotes doubled.
std::string CsvField(const std::string& text);

// The fields joined by commas, with the line break.
std::string CsvLine(const std::vector<std::string>& fields);

// The keys of the objects whose values are numbers, texts, booleans or null
// (arrays and objects are left out), each once, in the JSON's key order.
QStringList ScalarKeys(std::initializer_list<QJsonObject> objects);

// One line of an object's values under the columns: numbers written as the
// JSON writes them, texts as they are, true or false, and null or a missing key
// as an empty field.
std::string CsvRow(const QJsonObject& object, const QStringList& columns);

} // namespace eee
