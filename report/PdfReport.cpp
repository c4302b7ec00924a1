#include "report/PdfReport.h"

#include "chart/ChartPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace eee {

std::optional<ReportPageSize> ParsePageSize(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == "a4")
        return ReportPageSize::A4;
    if (lower == "letter")
        return ReportPageSize::Letter;
    return std::nullopt;
}

namespace {

// Device units per inch: fine enough that text and rules sit where they are meant to.
constexpr int kDpi = 300;
constexpr double kMarginMm = 18.0;
// How wide the chart stands on the page; it keeps the window chart's proportions.
constexpr double kChartWidthMm = 150.0;

int Mm(double mm)
{
    return static_cast<int>(mm / 25.4 * kDpi + 0.5);
}

QFont Face(const char* family, QFont::StyleHint hint, double points, bool bold = false)
{
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setBold(bold);
    // Text copied or extracted from the report reads as typed, without ligatures (fi, ff).
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Lays the document out from top to bottom, page after page. y is the top of the
// free room on the current page; a block that does not fit moves to the next page.
class PdfPages
{
public:
    PdfPages(QPdfWriter& writer, QPainter& painter, const QString& footer)
        : m_writer(writer)
        , m_painter(painter)
        , m_footerText(footer)
        , m_body(Face("DejaVu Sans", QFont::SansSerif, 9.5))
        , m_bold(Face("DejaVu Sans", QFont::SansSerif, 9.5, true))
        , m_heading(Face("DejaVu Sans", QFont::SansSerif, 13, true))
        , m_title(Face("DejaVu Sans", QFont::SansSerif, 18, true))
        , m_small(Face("DejaVu Sans", QFont::SansSerif, 7.5))
        , m_mono(Face("DejaVu Sans Mono", QFont::Monospace, 8.5))
    {
        m_width = m_painter.device()->width();
        m_bottom = m_painter.device()->height() - Mm(8);
        Footer();
    }

    void Title(const QString& title, const QStringList& preamble)
    {
        Paragraph(title, m_title, 0);
        m_y += Mm(2);
        for (const QString& line : preamble)
            Paragraph(line, m_body, 0);
        m_y += Mm(3);
    }

    void Section(const ReportSection& section)
    {
        // A heading never stands alone at the foot of a page: it goes with the chart
        // that follows it, or with the first lines of anything else.
        const bool chartFirst = !section.Blocks().empty()
            && section.Blocks().front().Type == ReportBlock::Kind::Chart;
        Break(Height(section.Title(), m_heading, m_width) + Mm(5)
            + (chartFirst ? ChartHeight() : Mm(20)));
        m_y += Mm(3);
        Paragraph(section.Title(), m_heading, 0);
        m_y += Mm(1.5);
        for (const ReportBlock& block : section.Blocks()) {
            switch (block.Type) {
            case ReportBlock::Kind::Lines:
                for (const QString& line : block.Lines)
                    Paragraph(line, m_body, 0);
                break;
            case ReportBlock::Kind::Formulas:
                for (const QString& line : block.Lines)
                    Paragraph(line, m_mono, 0);
                break;
            case ReportBlock::Kind::Table:
                Table(block.Table);
                break;
            case ReportBlock::Kind::Chart:
                if (block.Chart)
                    Chart(*block.Chart);
                break;
            }
            m_y += Mm(2);
        }
    }

private:
    int Height(const QString& text, const QFont& font, int width) const
    {
        const QFontMetrics metrics(font, &m_writer);
        return metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text).height();
    }

    void Break(int needed)
    {
        if (m_y > 0 && m_y + needed > m_bottom) {
            m_writer.newPage();
            ++m_page;
            m_y = 0;
            Footer();
        }
    }

    void Footer()
    {
        m_painter.setFont(m_small);
        m_painter.setPen(QColor(90, 90, 90));
        const QRect area(0, m_bottom + Mm(3), m_width, Mm(5));
        m_painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, m_footerText);
        m_painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, QString("Page %1").arg(m_page));
        m_painter.setPen(Qt::black);
    }

    void Paragraph(const QString& text, const QFont& font, int indent)
    {
        const int width = m_width - indent;
        const int height = Height(text, font, width);
        Break(height);
        m_painter.setFont(font);
        m_painter.drawText(
            QRect(indent, m_y, width, height), Qt::AlignLeft | Qt::TextWordWrap, text);
        m_y += height;
    }

    // Column widths: each column as wide as its widest cell when the page allows; a
    // table wider than the page gives every column at least its longest word and shares
    // the rest of the page out by what each column still wants, its cells wrapping.
    std::vector<int> ColumnWidths(const ReportTable& table, int padding) const
    {
        const QFontMetrics body(m_body, &m_writer);
        const QFontMetrics bold(m_bold, &m_writer);
        size_t columns = static_cast<size_t>(table.Header.size());
        for (const QStringList& row : table.Rows)
            columns = std::max(columns, static_cast<size_t>(row.size()));
        std::vector<int> natural(columns, 0), least(columns, 0);
        auto measure = [&](const QString& text, size_t c, const QFontMetrics& metrics) {
            natural[c] = std::max(natural[c], metrics.horizontalAdvance(text));
            for (const QString& word : text.split(' ', Qt::SkipEmptyParts))
                least[c] = std::max(least[c], metrics.horizontalAdvance(word));
        };
        for (qsizetype c = 0; c < table.Header.size(); ++c)
            measure(table.Header[c], static_cast<size_t>(c), bold);
        for (const QStringList& row : table.Rows) {
            for (qsizetype c = 0; c < row.size(); ++c)
                measure(
                    row[c], static_cast<size_t>(c), table.Header.isEmpty() && c == 0 ? bold : body);
        }
        // A little room beyond the measure, so that no cell wraps on a rounding.
        const int room = 2 * padding + Mm(0.5);
        long long naturalTotal = 0, leastTotal = 0;
        for (size_t c = 0; c < columns; ++c) {
            natural[c] += room;
            least[c] += room;
            naturalTotal += natural[c];
            leastTotal += least[c];
        }
        if (naturalTotal <= m_width)
            return natural;
        std::vector<int> widths = least;
        if (leastTotal >= m_width) {
            for (int& width : widths)
                width = static_cast<int>(width * m_width / leastTotal);
            return widths;
        }
        const long long spare = m_width - leastTotal;
        const long long wanted = naturalTotal - leastTotal;
        for (size_t c = 0; c < columns; ++c)
            widths[c] += static_cast<int>((natural[c] - least[c]) * spare / wanted);
        return widths;
    }

    void Row(const ReportTable& table, const QStringList& cells, const std::vector<int>& widths,
        bool header)
    {
        const int padding = Mm(1.2);
        int height = 0;
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const QFont& font = header || (table.Header.isEmpty() && c == 0) ? m_bold : m_body;
            height = std::max(
                height, Height(cells[c], font, widths[static_cast<size_t>(c)] - 2 * padding));
        }
        height += 2 * padding;
        if (m_y > 0 && m_y + height > m_bottom) {
            Break(height);
            if (!header && !table.Header.isEmpty())
                Row(table, table.Header, widths, true);
        }
        int total = 0;
        for (int width : widths)
            total += width;
        if (header)
            m_painter.fillRect(QRect(0, m_y, total, height), QColor(225, 228, 232));
        int x = 0;
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const int width = widths[static_cast<size_t>(c)];
            const bool bold = header || (table.Header.isEmpty() && c == 0);
            m_painter.setFont(bold ? m_bold : m_body);
            const Qt::Alignment align = !header && table.IsNumberColumn(static_cast<int>(c))
                ? Qt::AlignRight
                : Qt::AlignLeft;
            m_painter.drawText(
                QRect(x + padding, m_y + padding, width - 2 * padding, height - 2 * padding),
                static_cast<int>(align | Qt::AlignTop | Qt::TextWordWrap), cells[c]);
            x += width;
        }
        m_painter.setPen(QPen(QColor(170, 170, 170), Mm(0.15)));
        m_painter.drawLine(0, m_y + height, total, m_y + height);
        m_painter.setPen(Qt::black);
        m_y += height;
    }

    void Table(const ReportTable& table)
    {
        const std::vector<int> widths = ColumnWidths(table, Mm(1.2));
        if (!table.Header.isEmpty())
            Row(table, table.Header, widths, true);
        for (const QStringList& row : table.Rows)
            Row(table, row, widths, false);
    }

    double ChartScale() const
    {
        return static_cast<double>(std::min(m_width, Mm(kChartWidthMm))) / kChartWidth;
    }
    int ChartHeight() const { return static_cast<int>(kChartHeight * ChartScale() + 0.5); }

    void Chart(const ChartModel& chart)
    {
        const double scale = ChartScale();
        const int height = ChartHeight();
        Break(height);
        m_painter.save();
        m_painter.translate(0, m_y);
        m_painter.scale(scale, scale);
        // The window chart's own size, so the report shows the very picture the
        // window shows, only sharper.
        PaintChart(m_painter, chart, kChartWidth, kChartHeight);
        m_painter.restore();
        m_y += height;
    }

    QPdfWriter& m_writer;
    QPainter& m_painter;
    QString m_footerText;
    QFont m_body, m_bold, m_heading, m_title, m_small, m_mono;
    int m_width = 0;
    int m_bottom = 0;
    int m_y = 0;
    int m_page = 1;
};

} // namespace

bool WritePdf(const ReportDocument& document, QIODevice& device, ReportPageSize pageSize)
{
    QPdfWriter writer(&device);
    writer.setResolution(kDpi);
    writer.setPageSize(
        QPageSize(pageSize == ReportPageSize::Letter ? QPageSize::Letter : QPageSize::A4));
    writer.setPageMargins(
        QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    writer.setTitle(document.Title);
    writer.setCreator("Varn EEE Calculator");
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    PdfPages pages(writer, painter, document.Title);
    pages.Title(document.Title, document.Preamble);
    for (const ReportSection& section : document.Sections())
        pages.Section(section);
    return painter.end();
}

} // namespace eee
