// FileAccess: the program's only gateway to XML files. Every data file is
// looked up in the module folder (the folder of the running executable).
#pragma once

#include "calc/Types.h"
#include "form/DataSource.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace eee {

struct DeviceProfile;

// Failure codes of the XML layer. The not-found code keeps the value that
// session texts and messages rely on.
inline constexpr uint32_t kXmlFileNotFound = 0x800C0006u;

// The folder of the running executable (symlinks resolved), without a trailing separator.
std::string ExecutableFolder();

class FileAccess
{
public:
    FileAccess(); // module folder = ExecutableFolder()
    explicit FileAccess(std::string moduleFolder);
    virtual ~FileAccess();
    FileAccess(const FileAccess&) = delete;
    FileAccess& operator=(const FileAccess&) = delete;

    const std::string& ModuleFolder() const { return m_moduleFolder; }

    // Structural parse of module folder + "/" + fileName (or of fileName itself
    // when it is an absolute path). Replaces the held document.
    bool ParseFile(const std::string& fileName, std::string& errorText);
    // Parse, check the root element and its schema reference, validate against
    // the schema file of that name in the module folder.
    bool OpenAndValidate(const std::string& fileName, const std::string& rootName,
        const std::string& schemaName, std::string& errorText);
    bool ValidateAgainstSchema(const std::string& fileName, std::string& errorText);

    // Every validation reads and compiles its schema afresh, so that a schema changed
    // on disk counts at once. While a SchemaReuse lives, each schema is read and
    // compiled once for all the files it validates (two profiles files, for instance).
    class SchemaReuse
    {
    public:
        explicit SchemaReuse(FileAccess& files);
        ~SchemaReuse();
        SchemaReuse(const SchemaReuse&) = delete;
        SchemaReuse& operator=(const SchemaReuse&) = delete;

    private:
        FileAccess& m_files;
        bool m_outermost = false;
    };

    static std::string ComponentErrorText(uint32_t code);
    static std::string SystemErrorText(uint32_t code);

    // The scheme catalogue SchemeInfo.xml.
    void ReadSchemeList(std::string& errorText, std::vector<std::string>& names);
    std::string ReadBlockInfo(const std::string& scheme, std::string& errorText,
        std::vector<BlockInfo>& blocks, int32_t& recordAlignment, bool& dataRetention);

    // Session files. WriteSession takes a full path and replaces the file atomically.
    // ReadSession takes a file name in the module folder or a full path; either
    // way the file is read in place and validated with the module folder's schema.
    bool WriteSession(const SessionRecord& record, const std::string& path, std::string& errorText);
    bool ReadSession(SessionRecord& record, const std::string& fileName, std::string& errorText);

    // Device profiles (files/DeviceProfiles.h): a file name in the module folder or a full path.
    bool ReadDeviceProfiles(
        const std::string& fileName, std::vector<DeviceProfile>& profiles, std::string& errorText);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::string m_moduleFolder;
};

} // namespace eee
