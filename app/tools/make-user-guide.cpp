// Renders the User Guide from its Markdown source to PDF with Qt's own PDF
// writer: eee-make-user-guide SOURCE.md OUT.pdf
#include "Version.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: eee-make-user-guide SOURCE.md OUT.pdf\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    QFont font("DejaVu Sans");
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet("table { border-collapse: collapse; } td, th { padding: 3px; }");
    // The guide names the version as @VERSION@, filled in from the build.
    document.setMarkdown(QString::fromUtf8(source.readAll()).replace("@VERSION@", eee::kVersion));

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle("Varn EEE Calculator - User Guide");
    pdf.setCreator(QStringLiteral("Varn EEE Calculator %1").arg(eee::kVersion));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    document.print(&pdf);
    return QFile::exists(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
