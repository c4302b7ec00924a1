// The design-review report: one PDF and one HTML document of a six-data-type session,
// built and written in memory, after the fonts are loaded (the benchmarks), and one
// PDF written by a fresh process, fonts and all (--write, timed from outside:
// bench/report.sh).
#include "calc/Breakdown.h"
#include "cli/ReportCommand.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"
#include "report/HtmlReport.h"
#include "report/PdfReport.h"
#include "report/ReportBuilder.h"

#include <QBuffer>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string g_session;

eee::ReportContent Content()
{
    eee::FileAccess files;
    eee::FileDataSource source(files);
    eee::Evaluator evaluator(source, std::nullopt);
    const eee::Evaluation e = evaluator.Evaluate(g_session, g_session);
    if (!e.Ok)
        std::fprintf(stderr, "bench_report: %s\n", e.Error.c_str());
    return eee::MakeReportContent(e.Config, e.Result, evaluator.Chart(), "bench.xml", std::nullopt);
}

void BM_PdfReport(benchmark::State& state)
{
    const eee::ReportContent content = Content();
    for (auto _ : state) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        eee::WritePdf(eee::BuildReport(content), buffer, eee::ReportPageSize::A4);
        benchmark::DoNotOptimize(pdf.size());
    }
}
BENCHMARK(BM_PdfReport)->Unit(benchmark::kMillisecond);

// The breakdown table and the trace alone, as the details window and evaluate --json make them.
void BM_Breakdown(benchmark::State& state)
{
    const eee::ReportContent content = Content();
    for (auto _ : state)
        benchmark::DoNotOptimize(eee::MakeBreakdown(content.Config, content.Result).Trace.size());
}
BENCHMARK(BM_Breakdown)->Unit(benchmark::kMicrosecond);

void BM_HtmlReport(benchmark::State& state)
{
    const eee::ReportContent content = Content();
    for (auto _ : state)
        benchmark::DoNotOptimize(eee::MakeHtml(eee::BuildReport(content)).size());
}
BENCHMARK(BM_HtmlReport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // bench_report --write SESSION OUT: one report, as eee-calc-cli report writes it.
    if (argc == 4 && std::strcmp(argv[1], "--write") == 0) {
        std::string errors;
        const int status = eee::RunReportCommand({argv[2], argv[3], {}, "a4"}, errors);
        std::fputs(errors.c_str(), stderr);
        return status;
    }
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    g_session = EEE_BENCH_SESSION;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
