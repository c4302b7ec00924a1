#include "FuzzModule.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace eee::fuzz {

namespace {

void CopyFile(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fuzz: cannot read %s\n", from.c_str());
        std::abort();
    }
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
}

} // namespace

Module::Module()
{
    // Sessions are saved with fsync; a memory file system keeps that cheap.
    std::error_code ec;
    const fs::path base
        = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "eee-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("fuzz: mkdtemp");
        std::abort();
    }
    m_path = pattern;
    for (const char* schema : {"SchemeInfo.xsd", "SessionData.xsd"})
        CopyFile(std::string(EEE_DATA_DIR) + "/" + schema, m_path + "/" + schema);
}

Module::~Module()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void Module::Write(const std::string& name, const uint8_t* data, std::size_t size) const
{
    std::ofstream out(m_path + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace eee::fuzz
