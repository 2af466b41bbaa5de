// Writes onto a full disk: every write path raises instead of losing the
// data quietly.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/exceptions.h"
#include "framework/streams.h"
#include "framework/strings.h"

namespace {
// The always-full device (under Wine through its drive Z:).
#if defined(_WIN32)
const char kFullDisk[] = "Z:\\dev\\full";
#else
const char kFullDisk[] = "/dev/full";
#endif
}  // namespace

TEST(FileStreamWrite, AFullDiskRaisesOnEveryWritePath) {
    const std::string block(100, 'x');
    struct Case {
        const char* path;
        std::function<void()> write;
    };
    const Case cases[] = {
        {"WriteBuffer",
         [&] {
             TFileStream f(kFullDisk, fmCreate);
             f.WriteBuffer(block.data(), static_cast<int64_t>(block.size()));
         }},
        {"TStrings::SaveToFile",
         [&] {
             TStringList list;
             list.Add(block);
             list.SaveToFile(kFullDisk);
         }},
        {"TMemoryStream::SaveToFile",
         [&] {
             TStringStream data(block);
             data.SaveToFile(kFullDisk);
         }},
    };
    for (const Case& c : cases) EXPECT_THROW(c.write(), EWriteError) << c.path;
}
