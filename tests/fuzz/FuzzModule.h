// A throw-away module folder for the fuzz targets: the delivered schemas, and
// the input of the moment written under a data file's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace eee::fuzz {

class Module
{
public:
    Module(); // creates the folder (in /dev/shm where there is one) and copies the schemas
    ~Module(); // removes it again
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    const std::string& Path() const { return m_path; }
    void Write(const std::string& name, const uint8_t* data, std::size_t size) const;

private:
    std::string m_path;
};

// The one module folder of a fuzzing process, made at the first input.
inline Module& TheModule()
{
    static Module module;
    return module;
}

// Stops the fuzzer with a crash report when an invariant of the readers breaks.
inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace eee::fuzz
