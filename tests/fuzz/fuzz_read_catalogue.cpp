// Fuzzes ReadSchemeList and ReadBlockInfo with arbitrary catalogue contents,
// validated against the delivered SchemeInfo.xsd.
#include "FuzzModule.h"

#include "files/FileAccess.h"

#include <cstdint>
#include <cstdlib>

using eee::fuzz::Check;
using eee::fuzz::TheModule;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const eee::fuzz::Module& module = TheModule();
    module.Write("SchemeInfo.xml", data, size);
    eee::FileAccess files(module.Path());

    std::string error;
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    names.push_back("ECC16 Var-Length");
    std::size_t asked = 0;
    for (const std::string& name : names) {
        if (++asked > 8)
            break;
        std::vector<eee::BlockInfo> blocks;
        int32_t alignment = 0;
        bool retention = false;
        const std::string result = files.ReadBlockInfo(name, error, blocks, alignment, retention);
        Check(result == error);
        Check(blocks.size() <= 6);
        Check(alignment >= 0);
        for (std::size_t i = 0; i < blocks.size(); ++i)
            Check(blocks[i].Index == static_cast<int32_t>(i));
    }
    return 0;
}
