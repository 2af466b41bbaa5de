#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "foundation/fast_ini_file.h"

namespace {

class FastIniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("fastini_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    static std::string Content(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::filesystem::path dir_;
};

}  // namespace

TEST_F(FastIniFileTest, MissingFileGivesEmptySettings) {
    TFastIniFile* ini = Create<TFastIniFile>(Path("SHEMA.INI"));
    EXPECT_EQ(ini->ReadString("ASHEMA", "VALUE", "Standard"), "Standard");
    EXPECT_TRUE(ini->UpdateFile());  // nothing changed, nothing written
    EXPECT_FALSE(std::filesystem::exists(Path("SHEMA.INI")));
    ini->Free();
}

TEST_F(FastIniFileTest, ReadsTheFile) {
    std::ofstream(Path("SHEMA.INI"), std::ios::binary) << "[ASHEMA]\r\nVALUE=\"Grün;hell\" ; gewählt\r\n";
    TFastIniFile ini(Path("SHEMA.INI"));
    EXPECT_EQ(ini.ReadString("ASHEMA", "VALUE", ""), "\"Grün;hell\"");
}

TEST_F(FastIniFileTest, UpdateFileWritesChanges) {
    std::ofstream(Path("a.ini"), std::ios::binary) << "[S]\nx=1\n";
    TFastIniFile ini(Path("a.ini"));
    ini.WriteString("S", "y", "2");
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Content(Path("a.ini")), "[S]\r\nx=1\r\ny=2\r\n");
    TFastIniFile again(Path("a.ini"));
    EXPECT_EQ(again.ReadString("S", "y", ""), "2");
}

TEST_F(FastIniFileTest, UnwritableFileReportsFalse) {
    TFastIniFile ini(Path("no_such_folder/a.ini"));
    ini.WriteString("S", "k", "v");
    EXPECT_FALSE(ini.UpdateFile());
}
