// Fuzzes ReadSession with arbitrary file contents, validated against the
// delivered SessionData.xsd; a session that loads is saved and loaded again.
#include "FuzzModule.h"

#include "files/FileAccess.h"
#include "files/TextUtil.h"

#include <cstdint>
#include <cstdlib>

using eee::fuzz::Check;
using eee::fuzz::TheModule;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const eee::fuzz::Module& module = TheModule();
    module.Write("Session.xml", data, size);
    eee::FileAccess files(module.Path());

    eee::SessionRecord record;
    std::string error;
    const bool loaded = files.ReadSession(record, "Session.xml", error);
    Check(record.DataTypes.size() <= 6);
    Check(record.BlocksSelected >= 0 && record.BlocksSelected <= 6);
    if (!loaded)
        return 0;

    // What was read is written back and must load again to the same record;
    // lifetimes far outside any real use are left out (seven digits).
    if (!(record.LifeTime >= 0.001f && record.LifeTime <= 1.0e6f))
        return 0;
    Check(files.WriteSession(record, module.Path() + "/Saved.xml", error));
    eee::SessionRecord again;
    Check(files.ReadSession(again, "Saved.xml", error));
    // A one-character block size comes back with a "0" in front.
    eee::SessionRecord expected = record;
    for (int i = 0; i < expected.BlocksSelected; ++i) {
        if (eee::text::Utf8Length(expected.BlockSize[i]) == 1)
            expected.BlockSize[i] = "0" + expected.BlockSize[i];
    }
    again.LifeTime = expected.LifeTime;
    Check(again == expected);
    return 0;
}
