// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigTestSupport.h"
#include "config/NiceSettings.h"
#include "config/UserStore.h"
#include "support/CaseNames.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tevrix {
namespace {

using testing::ReadWholeFile;
using testing::StationBytes;
using testing::WriteWholeFile;
using Values = std::vector<std::pair<std::string, std::string>>;

// A component with integer properties, one enumeration "WindowState" and
// one string "Caption", and child components.
class FakeComponent : public PropertyOwner {
public:
    explicit FakeComponent(std::string name) : m_name(std::move(name)) {}

    std::string ComponentName() const override { return m_name; }

    std::optional<std::string> GetProperty(std::string_view name) const override {
        const auto found = Properties.find(std::string(name));
        if (found == Properties.end())
            return std::nullopt;
        return found->second;
    }

    bool SetProperty(std::string_view name, std::string_view text) override {
        const auto found = Properties.find(std::string(name));
        if (found == Properties.end() || !Accepts(name, text))
            return false;
        found->second = text;
        return true;
    }

    PropertyOwner* FindChild(std::string_view name) override {
        const auto found = Children.find(std::string(name));
        return found == Children.end() ? nullptr : found->second.get();
    }

    FakeComponent& AddChild(const std::string& name) {
        return *(Children[name] = std::make_unique<FakeComponent>(name));
    }

    std::map<std::string, std::string> Properties;
    std::map<std::string, std::unique_ptr<FakeComponent>> Children;

private:
    static bool Accepts(std::string_view name, std::string_view text) {
        if (name == "Caption")
            return true;
        if (name == "WindowState")
            return text == "wsNormal" || text == "wsMinimized" || text == "wsMaximized";
        return !text.empty() && text.find_first_not_of("-0123456789") == std::string_view::npos;
    }

    std::string m_name;
};

class NiceSettingsTest : public testing::ConfigFolderTest {
protected:
    void SetUp() override {
        ConfigFolderTest::SetUp();
        m_window.Properties = {{"Left", "10"},
                               {"Top", "20"},
                               {"Width", "800"},
                               {"Height", "700"},
                               {"WindowState", "wsNormal"},
                               {"Caption", "TevrixStudent"}};
        m_window.AddChild("PanelQuestion").Properties = {{"Height", "150"}};
    }

    NiceSettingsPlaces Places() const { return {Root() + "config", Root() + "exe"}; }

    // The main window's instance.
    TNiceSettings MainWindowSettings() {
        TNiceSettings settings(m_window, Places());
        settings.StoredProps = {"Left",   "Top",         "Width",
                                "Height", "WindowState", "PanelQuestion.Height"};
        settings.RegKey = "Software\\TevrixX\\Student";
        settings.StoreTarget = TStoreTarget::stRegistry;
        return settings;
    }

    std::string RegistryFile() const { return Root() + "config/TevrixX/Student.ini"; }

    void MoveEverything() {
        m_window.Properties["Left"] = "0";
        m_window.Properties["Width"] = "1";
        m_window.Properties["WindowState"] = "wsMinimized";
        m_window.Children["PanelQuestion"]->Properties["Height"] = "1";
    }

    FakeComponent m_window{"StudentMainForm"};
};

TEST_F(NiceSettingsTest, HasTheComponentDefaults) {
    const TNiceSettings settings(m_window, Places());
    EXPECT_TRUE(settings.StoredProps.empty());
    EXPECT_EQ(settings.RegKey, "Software\\My Company\\My Program");
    EXPECT_EQ(settings.IniFile, "Settings.ini");
    EXPECT_EQ(settings.StoreTarget, TStoreTarget::stIniFile);
}

TEST_F(NiceSettingsTest, StoresTheWindowBesideTheStationsOtherValues) {
    UserStore store(RegistryFile());
    ASSERT_TRUE(store.WriteString("PreviousFiles", "1", "/t/a.tvf"));
    m_window.Properties["WindowState"] = "wsMaximized";

    MainWindowSettings().SaveProps();
    EXPECT_EQ(ReadWholeFile(RegistryFile()),
              StationBytes("[PreviousFiles]\n1=/t/a.tvf\n[StudentMainForm]\nLeft=10\nTop=20\n"
                           "Width=800\nHeight=700\nWindowState=wsMaximized\n"
                           "PanelQuestion.Height=150\n"));
}

class NiceSettingsTargetTest : public NiceSettingsTest,
                               public ::testing::WithParamInterface<TStoreTarget> {};

TEST_P(NiceSettingsTargetTest, RestoresWhatItSaved) {
    TNiceSettings settings = MainWindowSettings();
    settings.StoreTarget = GetParam();
    settings.SaveProps();
    const auto saved = m_window.Properties;
    MoveEverything();
    settings.LoadProps();
    EXPECT_EQ(m_window.Properties, saved);
    EXPECT_EQ(m_window.Children["PanelQuestion"]->Properties["Height"], "150");
    const std::string file =
        GetParam() == TStoreTarget::stRegistry ? RegistryFile() : Root() + "exe/Settings.ini";
    EXPECT_EQ(UserStore(file).Values("StudentMainForm").size(), 6u);
}

INSTANTIATE_TEST_SUITE_P(Targets, NiceSettingsTargetTest,
                         ::testing::Values(TStoreTarget::stIniFile, TStoreTarget::stRegistry),
                         testing::CaseName);

TEST_F(NiceSettingsTest, LoadingSkipsUnknownChildrenAndValuesThePropertyRefuses) {
    UserStore store(RegistryFile());
    ASSERT_TRUE(store.ReplaceSubkey("StudentMainForm", {{"Ghost.Height", "5"},
                                                        {"Width", "abc"},
                                                        {"Top", ""},
                                                        {"NoSuchProperty", "1"},
                                                        {"PanelQuestion.Depth", "3"},
                                                        {"WindowState", "wsHuge"},
                                                        {"Left", "33"},
                                                        {"PanelQuestion.Height", "222"}}));
    MainWindowSettings().LoadProps();
    EXPECT_EQ(m_window.Properties["Left"], "33");
    EXPECT_EQ(m_window.Properties["Width"], "800");
    EXPECT_EQ(m_window.Properties["Top"], "20");
    EXPECT_EQ(m_window.Properties["WindowState"], "wsNormal");
    EXPECT_EQ(m_window.Children["PanelQuestion"]->Properties,
              (std::map<std::string, std::string>{{"Height", "222"}}));
    EXPECT_FALSE(m_window.Properties.contains("NoSuchProperty"));
}

TEST_F(NiceSettingsTest, LoadingAppliesStoredValuesThatAreNoLongerListed) {
    UserStore store(RegistryFile());
    ASSERT_TRUE(store.ReplaceSubkey("StudentMainForm", {{"Caption", "Старое окно"}}));
    MainWindowSettings().LoadProps();
    EXPECT_EQ(m_window.Properties["Caption"], "Старое окно");
}

TEST_F(NiceSettingsTest, SavingDropsValuesThatAreNoLongerListed) {
    TNiceSettings settings = MainWindowSettings();
    settings.SaveProps();
    settings.StoredProps = {"  Width  ", "", "Ghost.Height", "NoSuchProperty",
                            "PanelQuestion.Height"};
    settings.SaveProps();
    EXPECT_EQ(UserStore(RegistryFile()).Values("StudentMainForm"),
              (Values{{"Width", "800"}, {"PanelQuestion.Height", "150"}}));
}

TEST_F(NiceSettingsTest, WithoutStoredPropsTheStoreIsNotTouched) {
    UserStore store(RegistryFile());
    ASSERT_TRUE(store.ReplaceSubkey("StudentMainForm", {{"Left", "99"}}));
    const std::string before = ReadWholeFile(RegistryFile());
    TNiceSettings settings = MainWindowSettings();
    settings.StoredProps.clear();
    settings.LoadProps();
    EXPECT_EQ(m_window.Properties["Left"], "10");
    settings.SaveProps();
    EXPECT_EQ(ReadWholeFile(RegistryFile()), before);
    settings.StoreTarget = TStoreTarget::stIniFile;
    settings.SaveProps();
    EXPECT_FALSE(std::filesystem::exists(Root() + "exe"));
}

TEST_F(NiceSettingsTest, AnIniFileNameOutsideTheExecutablesFolderIsNotUsed) {
    TNiceSettings settings(m_window, Places());
    settings.StoredProps = {"Left"};
    settings.IniFile = "../outside.ini";
    settings.SaveProps();
    settings.IniFile = "";
    settings.SaveProps();
    EXPECT_FALSE(std::filesystem::exists(Root() + "outside.ini"));
    EXPECT_FALSE(std::filesystem::exists(Root() + "exe"));
}

TEST_F(NiceSettingsTest, TheIniFileHoldsOneSectionPerOwner) {
    std::filesystem::create_directories(Root() + "exe");
    WriteWholeFile(Root() + "exe/Settings.ini",
                   StationBytes("[OtherForm]\nLeft=1\n[StudentMainForm]\nOld=1\n"));
    TNiceSettings settings(m_window, Places());
    settings.StoredProps = {"Left", "PanelQuestion.Height"};
    settings.SaveProps();
    EXPECT_EQ(ReadWholeFile(Root() + "exe/Settings.ini"),
              StationBytes("[OtherForm]\nLeft=1\n[StudentMainForm]\nLeft=10\n"
                           "PanelQuestion.Height=150\n"));
}

} // namespace
} // namespace tevrix
