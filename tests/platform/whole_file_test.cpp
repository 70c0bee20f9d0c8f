#include "platform/whole_file.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orbex {
namespace {

using test::Slurp;

// A device that takes nothing fails the write itself, which a check of the open alone misses.
TEST(WholeFileTest, AFullDiskIsAFailureWithThePathAndTheReason) {
    std::string error;
    EXPECT_FALSE(WriteWholeFile("/dev/full", std::string(100000, 'x'), error));
    EXPECT_EQ(error, "cannot write /dev/full: No space left on device");
}

// A replacement is seen whole or not at all: the old file survives a failed one, and nothing
// is left beside it.
TEST(WholeFileTest, AReplacementLeavesTheOldFileOrTheNewOne) {
    const auto folder = std::filesystem::temp_directory_path() / "orbex-whole-file-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "summary.json").string();
    std::string error;
    ASSERT_TRUE(ReplaceWholeFile(path, "old", error)) << error;
    ASSERT_TRUE(ReplaceWholeFile(path, "new", error)) << error;
    EXPECT_EQ(Slurp(path), "new");
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    std::filesystem::create_directory(path + ".part");  // the temporary name cannot be a file
    EXPECT_FALSE(ReplaceWholeFile(path, "newer", error));
    EXPECT_NE(error.find(path), std::string::npos);
    EXPECT_EQ(Slurp(path), "new");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace orbex
