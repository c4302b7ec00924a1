#include "common/Identity.h"

#include "Version.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace eee {

void ApplyIdentity()
{
    QCoreApplication::setOrganizationName(kOrganisationName);
    QCoreApplication::setApplicationName(kApplicationName);
    QCoreApplication::setApplicationVersion(kVersion);
}

QString UserConfigFolder()
{
    // What QStandardPaths::AppConfigLocation gives once the names are set, without
    // setting them: a test program keeps its own names, and with them its settings.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        return {};
    return base + '/' + kOrganisationName + '/' + kApplicationName;
}

QString OwnProfilesFile()
{
    const QString folder = UserConfigFolder();
    return folder.isEmpty() ? QString() : folder + '/' + kOwnProfilesFileName;
}

} // namespace eee
