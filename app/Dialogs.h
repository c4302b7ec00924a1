// Message boxes and file dialogs of the window, behind a small interface so
// that tests can answer them without blocking.
#pragma once

#include "common/Identity.h"
#include "form/FormModel.h"

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace eee {

inline constexpr const char* kMessageCaption = kApplicationName;
inline constexpr const char* kDefaultSessionName = "SessionData.xml";

// File names cross between the window and the files layer here: the files
// layer takes the file system's own bytes (QFile::encodeName), the window
// shows text (QFile::decodeName). A byte that the file system's encoding
// cannot show as text (a name written in another encoding, such as
// "caf\xe9.xml" on a UTF-8 system) is kept as the character U+DC00 + byte, so
// that every name read from the disk names the same file when it goes back.
std::string EncodePath(const QString& path);
QString DecodePath(const std::string& path);

class IDialogs
{
public:
    virtual ~IDialogs() = default;
    virtual void Message(QWidget* parent, const QString& text, MsgIcon icon) = 0;
    // Full path of the chosen file, or nothing when the user cancelled; a
    // path as DecodePath gives it, for EncodePath to turn into the file's name.
    virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& folder) = 0;
    virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& folder) = 0;
    // The name of a report to write (.pdf or .html), suggested as `suggested`; nothing
    // when the user cancelled. Dialogs without a report dialog cancel.
    virtual std::optional<QString> ReportFileName(QWidget* parent, const QString& suggested)
    {
        (void)parent;
        (void)suggested;
        return std::nullopt;
    }
    // The name of a plot image to write (.svg or .png), suggested as `suggested`; nothing
    // when the user cancelled. Dialogs without an image dialog cancel.
    virtual std::optional<QString> ImageFileName(QWidget* parent, const QString& suggested)
    {
        (void)parent;
        (void)suggested;
        return std::nullopt;
    }
};

// The real dialogs: Qt message boxes with the program's caption, Qt file dialogs.
class QtDialogs : public IDialogs
{
public:
    void Message(QWidget* parent, const QString& text, MsgIcon icon) override;
    std::optional<QString> SaveFileName(QWidget* parent, const QString& folder) override;
    std::optional<QString> OpenFileName(QWidget* parent, const QString& folder) override;
    std::optional<QString> ReportFileName(QWidget* parent, const QString& suggested) override;
    std::optional<QString> ImageFileName(QWidget* parent, const QString& suggested) override;
};

} // namespace eee
