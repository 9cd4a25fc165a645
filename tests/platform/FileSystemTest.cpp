#include "platform/FileSystem.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / (name + "_" + std::to_string(getpid()))).string();
}

TEST(FileSystemTest, MissingFileHasNoLengthAndNoContent)
{
    const std::string path = TempPath("fs_missing");
    EXPECT_EQ(FileSystem::FileLength(path), -1);
    EXPECT_FALSE(FileSystem::ReadFile(path).has_value());
    EXPECT_FALSE(FileSystem::RemoveFile(path));
}

TEST(FileSystemTest, FolderIsNotAFile)
{
    const std::string path = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(FileSystem::FileLength(path), -1);
    EXPECT_FALSE(FileSystem::ReadFile(path).has_value());
}

TEST(FileSystemTest, WritesReadsAndRemoves)
{
    const std::string path = TempPath("fs_roundtrip");
    const std::string bytes("a\0b\r\n\xFF", 6);
    ASSERT_TRUE(FileSystem::WriteFile(path, bytes));
    EXPECT_EQ(FileSystem::FileLength(path), 6);
    EXPECT_EQ(FileSystem::ReadFile(path), bytes);
    EXPECT_EQ(FileSystem::ReadFile(path, 3), std::string("a\0b", 3));
    EXPECT_EQ(FileSystem::ReadFile(path, 0), "");
    EXPECT_EQ(FileSystem::ReadFile(path, 100), bytes);
    EXPECT_TRUE(FileSystem::RemoveFile(path));
    EXPECT_EQ(FileSystem::FileLength(path), -1);
}

TEST(FileSystemTest, ReadsLargeFileWhole)
{
    const std::string path = TempPath("fs_large");
    std::string bytes(200000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(FileSystem::WriteFile(path, bytes));
    EXPECT_EQ(FileSystem::ReadFile(path), bytes);
    EXPECT_EQ(FileSystem::ReadFile(path, 70000), bytes.substr(0, 70000));
    FileSystem::RemoveFile(path);
}

TEST(FileSystemTest, ExecutableDirIsTheFolderOfThisProgram)
{
    const std::string dir = FileSystem::ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(dir + "pakaponta_tests"));
}

TEST(FileSystemTest, WriteToMissingFolderFails)
{
    EXPECT_FALSE(FileSystem::WriteFile(TempPath("fs_no_such_folder") + "/file", "x"));
}

} // namespace
