// Reading the delivered data files through FileAccess, beside a baseline that
// parses the same file once and validates it once with libxml2 directly.
// Every FileAccess read parses the file twice (structural and validating
// parse) and compiles the schema afresh, nothing is cached; the aim is to
// stay within three times the baseline and well under a millisecond.
//
// Run from the build's bin folder, where the data files lie:
//   build/bin/bench_files
#include "files/FileAccess.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <string>
#include <vector>

namespace {

void ReadSchemeList(benchmark::State& state)
{
    eee::FileAccess files;
    for (auto _ : state) {
        std::string error;
        std::vector<std::string> names;
        files.ReadSchemeList(error, names);
        if (!error.empty() || names.empty()) {
            state.SkipWithError(("ReadSchemeList failed: " + error).c_str());
            break;
        }
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(ReadSchemeList)->Unit(benchmark::kMicrosecond);

void ReadBlockInfo(benchmark::State& state)
{
    eee::FileAccess files;
    for (auto _ : state) {
        std::string error;
        std::vector<eee::BlockInfo> blocks;
        int32_t alignment = 0;
        bool retention = false;
        files.ReadBlockInfo("ECC32 Var-Length", error, blocks, alignment, retention);
        if (!error.empty() || blocks.empty()) {
            state.SkipWithError(("ReadBlockInfo failed: " + error).c_str());
            break;
        }
        benchmark::DoNotOptimize(blocks.data());
    }
}
BENCHMARK(ReadBlockInfo)->Unit(benchmark::kMicrosecond);

void ReadSessionDefaults(benchmark::State& state)
{
    eee::FileAccess files;
    for (auto _ : state) {
        eee::SessionRecord record;
        std::string error;
        if (!files.ReadSession(record, "Defaults.xml", error)) {
            state.SkipWithError(("ReadSession failed: " + error).c_str());
            break;
        }
        benchmark::DoNotOptimize(record.DataTypes.data());
    }
}
BENCHMARK(ReadSessionDefaults)->Unit(benchmark::kMicrosecond);

// libxml2 on its own: read and parse the file, compile the schema from its
// file, validate the document. No checks, no walking, no error texts.
void Baseline(benchmark::State& state, const char* fileName, const char* schemaName)
{
    const std::string folder = eee::ExecutableFolder();
    const std::string file = folder + "/" + fileName;
    const std::string schemaFile = folder + "/" + schemaName;
    // FileAccess refuses every external load process-wide; the baseline
    // loads its files through libxml2's own loader.
    const xmlExternalEntityLoader saved = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(xmlNoNetExternalEntityLoader);
    for (auto _ : state) {
        xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET);
        xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(schemaFile.c_str());
        xmlSchemaPtr schema = parser != nullptr ? xmlSchemaParse(parser) : nullptr;
        xmlSchemaValidCtxtPtr validator
            = schema != nullptr ? xmlSchemaNewValidCtxt(schema) : nullptr;
        const int rc
            = (doc != nullptr && validator != nullptr) ? xmlSchemaValidateDoc(validator, doc) : -1;
        if (validator != nullptr)
            xmlSchemaFreeValidCtxt(validator);
        if (schema != nullptr)
            xmlSchemaFree(schema);
        if (parser != nullptr)
            xmlSchemaFreeParserCtxt(parser);
        if (doc != nullptr)
            xmlFreeDoc(doc);
        if (rc != 0) {
            state.SkipWithError("baseline parse or validation failed");
            break;
        }
    }
    xmlSetExternalEntityLoader(saved);
}
BENCHMARK_CAPTURE(Baseline, SchemeInfo, "SchemeInfo.xml", "SchemeInfo.xsd")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Baseline, Defaults, "Defaults.xml", "SessionData.xsd")
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
