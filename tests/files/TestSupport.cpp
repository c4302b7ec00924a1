#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace eee::test {

std::string DeliveredFile(const std::string& name)
{
    return std::string(EEE_DATA_DIR) + "/" + name;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteAll(const std::string& path, std::string_view content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = ReadAll(entry.path().string());
    }
    return files;
}

TempModule::TempModule()
{
    std::string pattern = (fs::temp_directory_path() / "eee-files-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
    CopyDelivered("SchemeInfo.xsd");
    CopyDelivered("SessionData.xsd");
}

TempModule::~TempModule()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void TempModule::Write(const std::string& name, std::string_view content) const
{
    WriteAll(File(name), content);
}

void TempModule::CopyDelivered(const std::string& name) const
{
    Write(name, ReadAll(DeliveredFile(name)));
}

void TempModule::Remove(const std::string& name) const
{
    fs::remove(File(name));
}

std::string CatalogueXml(std::string_view entries)
{
    return std::string("<?xml version=\"1.0\"?>\n<Products xmlns:xsi=\"") + kXsi
        + "\" xsi:noNamespaceSchemaLocation=\"SchemeInfo.xsd\">\n" + std::string(entries)
        + "</Products>\n";
}

std::string SessionXml(std::string_view elements)
{
    return std::string("<?xml version=\"1.0\"?>\n<SessionData xmlns:xsi=\"") + kXsi
        + "\" xsi:noNamespaceSchemaLocation=\"SessionData.xsd\">\n" + std::string(elements)
        + "</SessionData>\n";
}

std::string ValidSessionBody()
{
    return "<Scheme>ECC8 Var-Length</Scheme>\n"
           "<LifeTime>12.5</LifeTime>\n"
           "<BlocksSelected><BlockSize>x4000</BlockSize><BlockSize>x8000</BlockSize>"
           "<BlockSize>x10000</BlockSize></BlocksSelected>\n"
           "<CusOverheadEn>-1</CusOverheadEn>\n"
           "<BlockOverhead>64</BlockOverhead>\n"
           "<DataInfo><DataSize>100</DataSize><Updates>1000</Updates><Records>3</Records>"
           "<Frequency>1</Frequency><CusOverhead>12</CusOverhead></DataInfo>\n"
           "<DataInfo><DataSize>8</DataSize><Updates>5</Updates><Records>30</Records>"
           "<Frequency>0</Frequency><CusOverhead>4</CusOverhead></DataInfo>\n";
}

std::string LaxSchema(std::string_view rootName)
{
    return std::string("<?xml version=\"1.0\"?>\n"
                       "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n"
                       "<xs:element name=\"")
        + std::string(rootName)
        + "\"><xs:complexType mixed=\"true\"><xs:sequence>"
          "<xs:any processContents=\"skip\" minOccurs=\"0\" maxOccurs=\"unbounded\"/>"
          "</xs:sequence><xs:anyAttribute processContents=\"skip\"/></xs:complexType>"
          "</xs:element>\n</xs:schema>\n";
}

} // namespace eee::test
