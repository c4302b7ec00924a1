// eee-calc-cli compare A.xml B.xml [--json]: two session files evaluated as
// evaluate does, their inputs and results side by side with the differing ones
// marked.
#pragma once

#include "cli/CommandLine.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <vector>

namespace eee {

// One key of two JSON objects: its value in each (undefined where the object
// lacks it) and whether they differ.
struct KeyComparison
{
    QString Key;
    QJsonValue A;
    QJsonValue B;
    bool Differs = false;
};

// Every top-level key of either object, once, in the JSON's key order. "file"
// never differs: two files to compare always have two names.
std::vector<KeyComparison> CompareKeys(const QJsonObject& a, const QJsonObject& b);

extern const Command kCompareCommand;

} // namespace eee
