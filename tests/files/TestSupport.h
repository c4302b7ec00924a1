// Helpers of the file tests: a throw-away module folder and small file texts.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace eee::test {

// Path of a delivered data file in the source tree.
std::string DeliveredFile(const std::string& name);

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, std::string_view content);

// Every regular file of a folder (not recursive) with its content.
std::map<std::string, std::string> Snapshot(const std::string& folder);

// A temporary module folder holding copies of the delivered schemas; removed
// with everything in it when the object goes.
class TempModule
{
public:
    TempModule();
    ~TempModule();
    TempModule(const TempModule&) = delete;
    TempModule& operator=(const TempModule&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    void Write(const std::string& name, std::string_view content) const;
    void CopyDelivered(const std::string& name) const;
    void Remove(const std::string& name) const;

private:
    std::string m_path;
};

inline constexpr const char* kXsi = "http://www.w3.org/2001/XMLSchema-instance";

// A catalogue with the given scheme entries inside a correct root element.
std::string CatalogueXml(std::string_view entries);
// A session file with the given elements inside a correct root element.
std::string SessionXml(std::string_view elements);
// The elements of a session file that the delivered schema accepts.
std::string ValidSessionBody();
// Schemas that accept anything below the right root element, so the reader's
// own handling of unusual files can be exercised.
std::string LaxSchema(std::string_view rootName);

} // namespace eee::test
