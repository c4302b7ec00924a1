#include "Dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>

namespace eee {

namespace {
const QStringList kSessionFilters {"XML files (*.xml)", "XML Files (*.XML)"};

// The characters that stand for single bytes of a name.
constexpr char16_t kEscapeFirst = 0xDC00;
constexpr char16_t kEscapeLast = 0xDCFF;
// The longest byte sequence of one character in any encoding Qt uses for names.
constexpr qsizetype kMaxCharacterBytes = 4;

bool DecodesExactly(const QByteArray& bytes, QString& text)
{
    text = QFile::decodeName(bytes);
    return QFile::encodeName(text) == bytes;
}

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

QString DecodePath(const std::string& path)
{
    const QByteArray bytes = QByteArray::fromStdString(path);
    QString text;
    if (DecodesExactly(bytes, text))
        return text;
    // Piece by piece: the longest run of bytes at the start that reads and
    // writes back unchanged is text; a byte that starts no such run is kept.
    QString out;
    for (qsizetype i = 0; i < bytes.size();) {
        qsizetype length = std::min(kMaxCharacterBytes, bytes.size() - i);
        for (; length > 0; --length) {
            if (DecodesExactly(bytes.mid(i, length), text))
                break;
        }
        if (length > 0) {
            out += text;
            i += length;
        } else {
            out += QChar(
                static_cast<char16_t>(kEscapeFirst + static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return out;
}

std::string EncodePath(const QString& path)
{
    QByteArray out;
    QString run;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path.at(i).unicode();
        // The low half of a surrogate pair is part of a character, not a byte.
        const bool byte
            = c >= kEscapeFirst && c <= kEscapeLast && !(i > 0 && path.at(i - 1).isHighSurrogate());
        if (!byte) {
            run += path.at(i);
            continue;
        }
        out += QFile::encodeName(run);
        run.clear();
        out += static_cast<char>(c - kEscapeFirst);
    }
    out += QFile::encodeName(run);
    return out.toStdString();
}

void QtDialogs::Message(QWidget* parent, const QString& text, MsgIcon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::Warning;
    if (icon == MsgIcon::Error)
        boxIcon = QMessageBox::Critical;
    else if (icon == MsgIcon::Information)
        boxIcon = QMessageBox::Information;
    QMessageBox box(boxIcon, kMessageCaption, text, QMessageBox::Ok, parent);
    // Messages carry names and texts read from files: they are shown as they are, never
    // taken for markup (a scheme named "<h1>...</h1>" must not become a heading).
    box.setTextFormat(Qt::PlainText);
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

std::optional<QString> QtDialogs::ImageFileName(QWidget* parent, const QString& suggested)
{
    const QFileInfo info(suggested);
    QFileDialog dialog(parent, "Export Plot", info.path());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({"SVG images (*.svg)", "PNG images (*.png)"});
    dialog.setDefaultSuffix("svg");
    dialog.selectFile(info.fileName());
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(filter.startsWith("PNG") ? "png" : "svg");
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace eee
