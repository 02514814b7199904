// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigTestSupport.h"
#include "config/IniFileAccess.h"
#include "config/SettingsFile.h"
#include "support/CaseNames.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace tevrix {
namespace {

using testing::FixturePath;
using testing::ReadWholeFile;
using testing::StationBytes;
using testing::WriteWholeFile;

class SettingsFileTest : public testing::ConfigFolderTest {
protected:
    std::string ConfigPath() const { return Root() + kConfigFileName; }

    void WriteConfig(const std::string& text) const {
        WriteWholeFile(ConfigPath(), StationBytes(text));
    }

    void CopyFixture(const std::string& name) const {
        std::filesystem::copy_file(FixturePath(name), ConfigPath());
    }

    // Every setting away from its default, with texts that test the file's
    // rules (Cyrillic, blanks at the ends, quotes, '=').
    static Settings ChangedSettings() {
        Settings s;
        s.RemoteHost = "учитель.школа";
        s.RemotePort = 6006;
        s.InitialDirOpenTest = "/home/ученик/тесты ";
        s.DirForResult = " /srv/результаты";
        s.IsSaveResult = false;
        s.IsSaveProtectionResult = true;
        s.IsSendResult = true;
        s.IsShowUserResult = false;
        s.IsShowDetailReport = false;
        s.IsSaveConfig = true;
        s.IsAutoGetTestFromStart = true;
        s.ColorCorrect = 0x00FF00;
        s.ColorError = -1;
        for (size_t i = 0; i < s.ColorCollation.size(); ++i)
            s.ColorCollation[i] = static_cast<TColor>(i * 1000);
        s.TitleUserName = "Ф.И.О.:";
        s.TitleUserGroup = "Класс:";
        s.DefaultUserName = "\"Фамилия\"";
        s.DefaultUserGroup = "";
        s.UserNameExpression = "^a=b$";
        s.UserGroupExpression = "";
        s.UserNameExample = "'Петров Пётр'";
        s.UserGroupExample = "11 Б";
        s.IsSaveLastUser = false;
        s.IsUseSound = false;
        s.IsUseDefaultSound = false;
        s.SoundFileName = "конец.wav";
        s.SoundFileDir = "/usr/share/sounds/";
        s.IsUseWindowSettings = true;
        return s;
    }
};

TEST_F(SettingsFileTest, DefaultsAreTheBuiltInValues) {
    Settings settings = ChangedSettings();
    settings.ResultFileName = "другой.txt";
    settings.ProtectionResultPrefix = "p_";
    SetDefaultSettings(settings);
    EXPECT_EQ(settings, Settings{});
    EXPECT_EQ(settings.RemoteHost, "127.0.0.1");
    EXPECT_EQ(settings.RemotePort, 5005);
    EXPECT_EQ(settings.ResultFileName, "TevrixStudent_Result.txt");
    EXPECT_EQ(settings.ProtectionResultPrefix, "");
    EXPECT_EQ(settings.ColorCorrect, 220 | 245 << 8 | 216 << 16);
    EXPECT_EQ(settings.ColorError, 255 | 230 << 8 | 204 << 16);
    EXPECT_EQ(settings.ColorCollation[0], 245 | 216 << 8 | 239 << 16);
    EXPECT_EQ(settings.ColorCollation[9], 238 | 216 << 8 | 245 << 16);
    // The file written from the defaults lists every file setting in its
    // section and order with its default.
    ASSERT_TRUE(SaveSettings(settings, ConfigPath()).Ok());
    EXPECT_EQ(ReadWholeFile(ConfigPath()), ReadWholeFile(FixturePath("defaults_saved.txt")));
}

TEST_F(SettingsFileTest, WithoutAFileNothingChangesAndNothingIsWritten) {
    Settings settings = ChangedSettings();
    const Outcome outcome = LoadSettings(settings, ConfigPath());
    EXPECT_TRUE(outcome.Ok());
    EXPECT_TRUE(!outcome.Message());
    EXPECT_EQ(settings, ChangedSettings());
    EXPECT_FALSE(std::filesystem::exists(ConfigPath()));
}

TEST_F(SettingsFileTest, HexadecimalPortIsReadAndTheRestKeepsDefaults) {
    CopyFixture("net_hex_port.txt");
    Settings settings;
    ASSERT_TRUE(LoadSettings(settings, ConfigPath()).Ok());
    Settings expected;
    expected.RemotePort = 8000;
    EXPECT_EQ(settings, expected);
}

TEST_F(SettingsFileTest, APortThatIsNoNumberKeepsTheDefaultWithoutAMessage) {
    CopyFixture("net_port_abc.txt");
    Settings settings;
    const Outcome outcome = LoadSettings(settings, ConfigPath());
    EXPECT_TRUE(outcome.Ok());
    EXPECT_TRUE(!outcome.Message());
    EXPECT_EQ(settings.RemotePort, 5005);
}

struct ValueCase {
    std::string Name;
    std::string File;
    bool IsSaveResult;
    int32_t RemotePort;
    std::string RemoteHost;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.Name;
}

class SettingsValueTest : public SettingsFileTest,
                          public ::testing::WithParamInterface<ValueCase> {};

TEST_P(SettingsValueTest, ReadsEachTypeByItsRule) {
    const ValueCase& c = GetParam();
    WriteConfig(c.File);
    Settings settings;
    ASSERT_TRUE(LoadSettings(settings, ConfigPath()).Ok());
    EXPECT_EQ(settings.IsSaveResult, c.IsSaveResult);
    EXPECT_EQ(settings.RemotePort, c.RemotePort);
    EXPECT_EQ(settings.RemoteHost, c.RemoteHost);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsValueTest,
    ::testing::Values(
        ValueCase{"EmptyValuesEmptyOnlyStrings",
                  "[Save]\nIsSaveResult=\n[Net]\nRemotePort=\nRemoteHost=\n", true, 5005, ""},
        ValueCase{"BoolZeroIsFalse", "[Save]\nIsSaveResult=0\n", false, 5005, "127.0.0.1"},
        ValueCase{"BoolHexZeroIsFalse", "[Save]\nIsSaveResult=$0\n", false, 5005, "127.0.0.1"},
        ValueCase{"AnyOtherNumberIsTrue", "[Save]\nIsSaveResult=-3\n", true, 5005, "127.0.0.1"},
        ValueCase{"BoolWordKeepsValue", "[Save]\nIsSaveResult=false\n", true, 5005, "127.0.0.1"},
        ValueCase{"KeysOfOtherSectionsDoNotCount",
                  "[Net]\nIsSaveResult=0\n[Save]\nRemotePort=1\nRemoteHost=x\n", true, 5005,
                  "127.0.0.1"},
        ValueCase{"NamesIgnoreCase", "[NET]\nremoteport=$10\nREMOTEHOST= srv \n", true, 16, "srv"},
        ValueCase{"NegativeDecimal", "[Net]\nRemotePort=-1\n", true, -1, "127.0.0.1"},
        ValueCase{"KeyWithoutEqualsKeepsValue", "[Net]\nRemoteHost\n", true, 5005, "127.0.0.1"}),
    testing::CaseName);

TEST_F(SettingsFileTest, LoadingNowRestoresFileKeysAndKeepsTheOthers) {
    WriteConfig("[Net]\nRemoteHost=сервер\n[Colors]\nColorCollation10=0x10\n");
    Settings settings;
    settings.RemoteHost = "changed in the dialog";
    settings.DirForResult = "/changed/too";
    settings.ColorCollation[9] = 1;
    settings.ResultFileName = "журнал.txt";
    ASSERT_TRUE(LoadSettings(settings, ConfigPath()).Ok());
    EXPECT_EQ(settings.RemoteHost, "сервер");
    EXPECT_EQ(settings.ColorCollation[9], 16);
    EXPECT_EQ(settings.DirForResult, "/changed/too");
    EXPECT_EQ(settings.ResultFileName, "журнал.txt");
}

TEST_F(SettingsFileTest, RunOnlySettingsNeverTouchTheFile) {
    WriteConfig("[Save]\nResultFileName=из файла.txt\nProtectionResultPrefix=pre\n"
                "[Dir]\nResultFileName=из файла.txt\n");
    Settings settings;
    ASSERT_TRUE(LoadSettings(settings, ConfigPath()).Ok());
    EXPECT_EQ(settings.ResultFileName, "TevrixStudent_Result.txt");
    EXPECT_EQ(settings.ProtectionResultPrefix, "");

    std::filesystem::remove(ConfigPath());
    settings.ResultFileName = "другой.txt";
    settings.ProtectionResultPrefix = "pre_";
    ASSERT_TRUE(SaveSettings(settings, ConfigPath()).Ok());
    const std::string bytes = ReadWholeFile(ConfigPath());
    EXPECT_EQ(bytes.find("ResultFileName"), std::string::npos);
    EXPECT_EQ(bytes.find("ProtectionResultPrefix"), std::string::npos);
    // A restart begins with the defaults again.
    Settings restarted;
    SetDefaultSettings(restarted);
    ASSERT_TRUE(LoadSettings(restarted, ConfigPath()).Ok());
    EXPECT_EQ(restarted.ResultFileName, "TevrixStudent_Result.txt");
}

TEST_F(SettingsFileTest, EverySettingOfTheFileRoundTrips) {
    ASSERT_TRUE(SaveSettings(ChangedSettings(), ConfigPath()).Ok());
    Settings loaded;
    ASSERT_TRUE(LoadSettings(loaded, ConfigPath()).Ok());
    EXPECT_EQ(loaded, ChangedSettings());
    // Saving again over the file changes no byte.
    const std::string first = ReadWholeFile(ConfigPath());
    ASSERT_TRUE(SaveSettings(loaded, ConfigPath()).Ok());
    EXPECT_EQ(ReadWholeFile(ConfigPath()), first);
}

TEST_F(SettingsFileTest, SavingIntoAFileKeepsItsOtherLinesInPlace) {
    CopyFixture("foreign_lines.txt");
    Settings settings;
    ASSERT_TRUE(LoadSettings(settings, ConfigPath()).Ok());
    EXPECT_FALSE(settings.IsSaveResult);
    EXPECT_TRUE(settings.IsSaveConfig);
    EXPECT_EQ(settings.RemoteHost, "сервер.школа");
    EXPECT_EQ(settings.RemotePort, 8000);
    EXPECT_EQ(settings.ColorCorrect, 255);
    settings.RemoteHost = "192.168.1.10";
    ASSERT_TRUE(SaveSettings(settings, ConfigPath()).Ok());
    EXPECT_EQ(ReadWholeFile(ConfigPath()), ReadWholeFile(FixturePath("foreign_lines_saved.txt")));
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadFailsToLoadAndIsNotOverwritten) {
    // A folder where the file should be cannot be read.
    std::filesystem::create_directory(ConfigPath());
    Settings settings = ChangedSettings();
    const Outcome load = LoadSettings(settings, ConfigPath());
    EXPECT_FALSE(load.Ok());
    EXPECT_EQ(load.MessageText(), "Ошибка при загрузке параметров программы!");
    EXPECT_EQ(settings, ChangedSettings());
    const Outcome save = SaveSettings(settings, ConfigPath());
    EXPECT_FALSE(save.Ok());
    EXPECT_EQ(save.MessageText(), "Ошибка при сохранении параметров программы!");
    EXPECT_TRUE(std::filesystem::is_directory(ConfigPath()));
}

TEST_F(SettingsFileTest, AnOversizedFileIsRefusedAndKept) {
    const std::string huge = "[Net]\r\nRemotePort=1\r\n" + std::string(kMaxIniFileSize, ';');
    WriteWholeFile(ConfigPath(), huge);
    Settings settings;
    EXPECT_EQ(LoadSettings(settings, ConfigPath()).MessageText(), kMsgLoadSettingsError);
    EXPECT_EQ(settings.RemotePort, 5005);
    EXPECT_EQ(SaveSettings(settings, ConfigPath()).MessageText(), kMsgSaveSettingsError);
    EXPECT_EQ(ReadWholeFile(ConfigPath()), huge);
}

TEST_F(SettingsFileTest, AFailedSaveLeavesTheOldFileWhole) {
    WriteConfig("; keep\n[Net]\nRemoteHost=old\n");
    const std::string before = ReadWholeFile(ConfigPath());
    Settings settings;
    settings.RemoteHost = "new";
    // A value the file cannot hold stops the save before anything is written.
    settings.SoundFileDir = "/home/学生/";
    const Outcome outcome = SaveSettings(settings, ConfigPath());
    EXPECT_FALSE(outcome.Ok());
    EXPECT_EQ(outcome.MessageText(), kMsgSaveSettingsError);
    EXPECT_EQ(ReadWholeFile(ConfigPath()), before);
}

TEST_F(SettingsFileTest, AFolderThatCannotHoldTheFileFailsToSave) {
    WriteWholeFile(Root() + "plain-file", "x");
    const Outcome outcome = SaveSettings(Settings{}, Root() + "plain-file/" + kConfigFileName);
    EXPECT_FALSE(outcome.Ok());
    EXPECT_EQ(outcome.MessageText(), kMsgSaveSettingsError);
}

} // namespace
} // namespace tevrix
