// The program's user settings in a folder of the test's own, so that tests of
// the recent sessions keep them apart from the user's and from one another.
// Without it the window keeps its recent sessions for the run only (the test
// program sets no organisation name), and writes nothing.
#pragma once

#include "common/Identity.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace eee::testing_support {

class IsolatedSettings
{
public:
    IsolatedSettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
        ApplyIdentity();
    }
    ~IsolatedSettings() { QCoreApplication::setOrganizationName(QString()); }
    IsolatedSettings(const IsolatedSettings&) = delete;
    IsolatedSettings& operator=(const IsolatedSettings&) = delete;

    QString Folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};

} // namespace eee::testing_support
