#include "cli/Console.h"

namespace eee {

namespace {
bool g_outputLost = false;
} // namespace

void Write(std::FILE* stream, const std::string& text)
{
    if (std::fwrite(text.data(), 1, text.size(), stream) != text.size() && stream == stdout)
        g_outputLost = true;
}

void Complain(const std::string& text)
{
    Write(stderr, std::string(kProgram) + ": " + text + '\n');
}

int OutputStatus()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)
        g_outputLost = true;
    if (!g_outputLost)
        return 0;
    Complain("could not write the results to standard output");
    return 1;
}

} // namespace eee
