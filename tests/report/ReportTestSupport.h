// Reading reports back: the text of a PDF through pdftotext, its page size through
// pdfinfo, and texts compared with their white space collapsed (a PDF line may wrap).
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace eee::test {

inline QString RunTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF file, as pdftotext reads it with the rows of a table on one line.
inline QString PdfText(const QString& path)
{
    return RunTool("pdftotext", {"-layout", "-enc", "UTF-8", path, "-"});
}

inline QString PdfInfo(const QString& path)
{
    return RunTool("pdfinfo", {path});
}

// White space runs made one blank.
inline QString Collapsed(const QString& text)
{
    return text.simplified();
}

inline bool HasText(const QString& text, const QString& part)
{
    return Collapsed(text).contains(Collapsed(part));
}

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The text without the line of the date the report was made.
inline QString WithoutDate(const QString& text)
{
    QString copy = text;
    copy.remove(QRegularExpression("Date: \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}"));
    return Collapsed(copy);
}

} // namespace eee::test
