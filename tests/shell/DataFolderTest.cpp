// Where the program looks for its data: beside itself first, then where the install put it.
#include "shell/DataFolder.h"

#include "platform/FileSystem.h"
#include "support/TestGame.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(DataFolderTest, TheProgramsOwnFolderWinsThenTheInstalledOneThenItsOwnAgain)
{
    const std::string root = MakeTempDir();
    const std::string bin = root + "bin/";
    const std::string share = root + "share/pakaponta/";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);

    // Nothing anywhere: the program's folder, where card.dat will be reported missing.
    EXPECT_EQ(DataFolder(root + "bin"), bin);

    // Installed: bin/ holds only the program, share/pakaponta/ the data.
    ASSERT_TRUE(FileSystem::WriteFile(share + "card.dat", "installed"));
    const std::string installed = DataFolder(bin);
    EXPECT_NE(installed, bin);
    EXPECT_EQ(installed.back(), '/');
    EXPECT_EQ(FileSystem::ReadFile(installed + "card.dat"), "installed");

    // A copy of the data beside the program comes first.
    ASSERT_TRUE(FileSystem::WriteFile(bin + "card.dat", "beside"));
    EXPECT_EQ(DataFolder(bin), bin);
    std::filesystem::remove_all(root);
}

} // namespace
