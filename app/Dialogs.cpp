#include "Dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace eee {

namespace {
const QStringList kSessionFilters {"XML files (*.xml)", "XML Files (*.XML)"};

std::optional<QString> RunFileDialog(QFileDialog& dialog)
{
    dialog.setNameFilters(kSessionFilters);
    dialog.setDefaultSuffix("xml");
    dialog.selectFile(kDefaultSessionName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
} // namespace

void QtDialogs::Message(QWidget* parent, const QString& text, MsgIcon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::Warning;
    if (icon == MsgIcon::Error)
        boxIcon = QMessageBox::Critical;
    else if (icon == MsgIcon::Information)
        boxIcon = QMessageBox::Information;
    QMessageBox box(boxIcon, kMessageCaption, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> QtDialogs::SaveFileName(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing an existing file is confirmed by the dialog itself.
    return RunFileDialog(dialog);
}

std::optional<QString> QtDialogs::OpenFileName(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
}

std::optional<QString> QtDialogs::ReportFileName(QWidget* parent, const QString& suggested)
{
    const QFileInfo info(suggested);
    QFileDialog dialog(parent, "Export Report", info.path());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({"PDF files (*.pdf)", "HTML files (*.html *.htm)"});
    dialog.setDefaultSuffix("pdf");
    dialog.selectFile(info.fileName());
    // The suffix follows the chosen filter unless the user typed one.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(filter.startsWith("HTML") ? "html" : "pdf");
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace eee
