// Where an installed program keeps its files: never beside itself in a system folder.
#include "platform/program_directory.h"

#include <gtest/gtest.h>

namespace orbex {
namespace {

TEST(ProgramDirectoryTest, SystemProgramFoldersCountAsReadOnly) {
    EXPECT_TRUE(IsSystemProgramDirectory("/usr/bin"));
    EXPECT_TRUE(IsSystemProgramDirectory("/usr/local/bin/"));
    EXPECT_TRUE(IsSystemProgramDirectory("/sbin"));
    EXPECT_FALSE(IsSystemProgramDirectory("/usr/src/orbex/build/app"));
    EXPECT_FALSE(IsSystemProgramDirectory("/home/user/orbex"));
}

}  // namespace
}  // namespace orbex
