#include "report/HtmlReport.h"

#include "chart/ChartPainter.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace eee {

namespace {

// Shown at twice the window chart's size; the picture is vectors, so it stays sharp.
constexpr int kChartZoom = 2;

constexpr const char* kStyle = R"(
body { font-family: "DejaVu Sans", Verdana, sans-serif; font-size: 10pt; margin: 2em auto;
       max-width: 60em; color: #111; }
h1 { font-size: 18pt; margin-bottom: 0.3em; }
h2 { font-size: 13pt; margin-top: 1.6em; border-bottom: 1px solid #bbb; }
p { margin: 0.2em 0; }
.preamble p { color: #444; }
table { border-collapse: collapse; margin: 0.5em 0; }
th, td { border-bottom: 1px solid #ccc; padding: 0.25em 0.6em; text-align: left;
         vertical-align: top; }
th { background: #e1e4e8; }
td.number { text-align: right; }
table.pairs td:first-child { font-weight: bold; }
pre { font-family: "DejaVu Sans Mono", monospace; font-size: 9pt; white-space: pre-wrap; }
.chart svg { display: block; width: %1px; height: %2px; }
)";

QString Escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

void AppendTable(QString& html, const ReportTable& table)
{
    html += table.Header.isEmpty() ? "<table class=\"pairs\">\n" : "<table>\n";
    if (!table.Header.isEmpty()) {
        html += "<tr>";
        for (const QString& cell : table.Header)
            html += "<th>" + Escaped(cell) + "</th>";
        html += "</tr>\n";
    }
    for (const QStringList& row : table.Rows) {
        html += "<tr>";
        for (qsizetype c = 0; c < row.size(); ++c) {
            html += table.IsNumberColumn(static_cast<int>(c)) ? "<td class=\"number\">" : "<td>";
            html += Escaped(row[c]) + "</td>";
        }
        html += "</tr>\n";
    }
    html += "</table>\n";
}

void AppendBlock(QString& html, const ReportBlock& block)
{
    switch (block.Type) {
    case ReportBlock::Kind::Lines:
        for (const QString& line : block.Lines)
            html += "<p>" + Escaped(line) + "</p>\n";
        break;
    case ReportBlock::Kind::Formulas:
        html += "<pre>" + Escaped(block.Lines.join('\n')) + "</pre>\n";
        break;
    case ReportBlock::Kind::Table:
        AppendTable(html, block.Table);
        break;
    case ReportBlock::Kind::Chart:
        if (block.Chart)
            html
                += "<div class=\"chart\">" + QString::fromUtf8(ChartSvg(*block.Chart)) + "</div>\n";
        break;
    }
}

} // namespace

QByteArray ChartSvg(const ChartModel& chart)
{
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(kChartWidth, kChartHeight));
    generator.setViewBox(QRect(0, 0, kChartWidth, kChartHeight));
    generator.setTitle("Spec envelope");
    {
        QPainter painter(&generator);
        PaintChart(painter, chart, kChartWidth, kChartHeight);
    }
    // Inside an HTML page the picture starts at its <svg> element.
    const qsizetype start = svg.indexOf("<svg");
    return start > 0 ? svg.mid(start) : svg;
}

QByteArray MakeHtml(const ReportDocument& document)
{
    QString html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
        + Escaped(document.Title) + "</title>\n<style>"
        + QString(kStyle).arg(kChartWidth * kChartZoom).arg(kChartHeight * kChartZoom)
        + "</style>\n</head>\n<body>\n<h1>" + Escaped(document.Title)
        + "</h1>\n<div class=\"preamble\">\n";
    for (const QString& line : document.Preamble)
        html += "<p>" + Escaped(line) + "</p>\n";
    html += "</div>\n";
    for (const ReportSection& section : document.Sections()) {
        html += "<h2>" + Escaped(section.Title()) + "</h2>\n";
        for (const ReportBlock& block : section.Blocks())
            AppendBlock(html, block);
    }
    html += "</body>\n</html>\n";
    return html.toUtf8();
}

} // namespace eee
