// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CaseNames.h"
#include "support/TempFolder.h"
#include "text/InterfaceLanguage.h"
#include "text/Translate.h"

#include <fstream>
#include <gtest/gtest.h>

namespace tevrix {
namespace {

struct LanguageCase {
    const char* Name;
    std::string Text;
    const char* Expected;
};

class LanguageOfTextTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageOfTextTest, TakesTheFirstLanguageLine) {
    EXPECT_EQ(LanguageOfText(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageOfTextTest,
    ::testing::Values(
        LanguageCase{"Ukrainian", "language=uk", "uk"},
        LanguageCase{"Belarusian", "language=be\n", "be"},
        LanguageCase{"Russian", "language=ru", "ru"},
        LanguageCase{"ValueInCapitals", "language=UK", "ru"},
        LanguageCase{"NameInAnyCase", "LANGUAGE=uk\r\n", "uk"},
        LanguageCase{"BlanksAroundNameAndValue", "  Language \t=  be \r\n", "be"},
        LanguageCase{"AfterOtherLines", "# station\r\nfont=big\r\nlanguage=uk\r\n", "uk"},
        LanguageCase{"FirstLineCounts", "language=be\nlanguage=uk\n", "be"},
        LanguageCase{"FirstLineCountsWhenUnknown", "language=de\nlanguage=uk\n", "ru"},
        LanguageCase{"UnknownCode", "language=ukr", "ru"},
        LanguageCase{"BlankInsideValue", "language=u k", "ru"},
        LanguageCase{"OtherName", "languages=uk\nlang=uk", "ru"},
        LanguageCase{"WithoutEquals", "language uk", "ru"}, LanguageCase{"Empty", "", "ru"},
        LanguageCase{"NulInValue", std::string("language=uk\0x", 13), "ru"}),
    testing::CaseName);

class LanguageFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& text) const {
        const std::string path = m_folder.File(kLanguageFileName);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    testing::TempFolder m_folder;
};

TEST_F(LanguageFileTest, ReadsTheFile) {
    EXPECT_EQ(LanguageOfFile(Write("language=uk\r\n")), "uk");
    EXPECT_EQ(LanguageOfFile(Write("language=UK\r\n")), "ru");
}

TEST_F(LanguageFileTest, MissingFileOrFolderMeansRussian) {
    EXPECT_EQ(LanguageOfFile(m_folder.File("absent.txt")), "ru");
    EXPECT_EQ(LanguageOfFile(m_folder.Path()), "ru");
}

TEST_F(LanguageFileTest, AHugeFileIsReadOnlyAtItsBeginning) {
    EXPECT_EQ(LanguageOfFile(Write("language=be\n" + std::string(8 << 20, 'x'))), "be");
    EXPECT_EQ(LanguageOfFile(Write(std::string(8 << 20, '\n') + "language=be\n")), "ru");
}

// The catalogues the build compiles from po/.
class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { BindCatalogues(TEVRIX_CATALOGUE_DIR); }
    void TearDown() override { UseLanguage(kRussian); }
};

TEST_F(CatalogueTest, EachLanguageSpeaksFromItsCatalogue) {
    const struct {
        const char* Language;
        const char* Expected;
    } cases[] = {{"uk", "Неправильний пароль!"},
                 {"be", "Няправільны пароль!"},
                 {"ru", "Неверный пароль!"},
                 // Back again: nothing of the previous language is remembered.
                 {"uk", "Неправильний пароль!"}};
    for (const auto& c : cases) {
        UseLanguage(c.Language);
        EXPECT_EQ(CurrentLanguage(), c.Language);
        EXPECT_EQ(TranslateText("Неверный пароль!"), c.Expected) << c.Language;
    }
}

TEST_F(CatalogueTest, ATextWithoutEntryStaysRussian) {
    UseLanguage(kUkrainian);
    EXPECT_EQ(TranslateText("Этого текста нет в каталоге"), "Этого текста нет в каталоге");
    EXPECT_EQ(TranslateText(""), "");
}

TEST_F(CatalogueTest, ALanguageWithoutCatalogueShowsTheSourceTexts) {
    const testing::TempFolder empty;
    BindCatalogues(empty.Path());
    UseLanguage(kBelarusian);
    EXPECT_EQ(TranslateText("Неверный пароль!"), "Неверный пароль!");
}

} // namespace
} // namespace tevrix
