// Failure codes of the XML layer and the component failure that ends an
// operation half-way. ComponentErrorText turns a code into a text.
#pragma once

#include <cstdint>
#include <string>

namespace eee {

// The XML layer keeps its own small table of failure codes. kXmlFileNotFound
// (declared in FileAccess.h) is the one code whose value others rely on.
inline constexpr uint32_t kXmlSuccess = 0x00000000u;
inline constexpr uint32_t kXmlUnspecified = 0x80004005u;
inline constexpr uint32_t kXmlNodeNotFound = 0xC00CE501u;
inline constexpr uint32_t kXmlOutOfMemory = 0xC00CE502u;
inline constexpr uint32_t kXmlInvalidCharacter = 0xC00CE503u;
inline constexpr uint32_t kXmlInvalidNumber = 0xC00CE504u;

// A system error number (errno) travels as kXmlSystemErrorBase | errno, so that
// the reason for a failed save ("No space left on device") reaches the user.
inline constexpr uint32_t kXmlSystemErrorBase = 0x80070000u;
inline constexpr uint32_t XmlCodeFromErrno(int err)
{
    return kXmlSystemErrorBase | (static_cast<uint32_t>(err) & 0xFFFFu);
}

// The description that the XML layer attaches to a missing node or attribute.
inline constexpr const char* kNodeNotFoundText = "Node not found.";

// Thrown by the tree walkers and builders when the XML layer fails; the
// operation that called them stops and reports it at its own boundary.
struct ComponentFailure
{
    uint32_t Code = kXmlUnspecified;
    std::string Description; // may be empty
};

} // namespace eee
