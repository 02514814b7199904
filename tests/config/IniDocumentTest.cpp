// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigTestSupport.h"
#include "config/IniDocument.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tevrix {
namespace {

using testing::StationBytes;

IniDocument FromText(const std::string& text) {
    return IniDocument::FromBytes(StationBytes(text));
}

std::string Repeat(const std::string& piece, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

struct ReadCase {
    std::string Name;
    std::string Text;
    std::string Section;
    std::string Key;
    std::optional<std::string> Expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.Name;
}

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, ReadsAsTheProfileFunctionsDo) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(FromText(c.Text).ReadValue(c.Section, c.Key), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniReadTest,
    ::testing::Values(
        ReadCase{"Plain", "[Net]\nRemotePort=5005\n", "Net", "RemotePort", "5005"},
        ReadCase{"NamesIgnoreCase", "[net]\nremoteport=1\n", "NET", "RemotePort", "1"},
        ReadCase{"CyrillicNamesIgnoreCase", "[Имя]\nключ=да\n", "ИМЯ", "Ключ", "да"},
        ReadCase{"BlanksAroundRemoved", "  [ Net ]  \n\t RemotePort =  7 \t\n", "Net", "RemotePort",
                 "7"},
        ReadCase{"DoubleQuotesRemoved", "[S]\nK=\"  a b  \"\n", "S", "K", "  a b  "},
        ReadCase{"SingleQuotesRemoved", "[S]\nK='x'\n", "S", "K", "x"},
        ReadCase{"UnmatchedQuotesKept", "[S]\nK=\"x'\n", "S", "K", "\"x'"},
        ReadCase{"LoneQuoteKept", "[S]\nK=\"\n", "S", "K", "\""},
        ReadCase{"EqualsInValue", "[S]\nK=a=b\n", "S", "K", "a=b"},
        ReadCase{"EmptyValue", "[S]\nK=\n", "S", "K", ""},
        ReadCase{"KeyWithoutEquals", "[S]\nK\n", "S", "K", std::nullopt},
        ReadCase{"CommentIsNoKey", "[S]\n;K=1\n", "S", ";K", std::nullopt},
        ReadCase{"KeyBeforeAnySection", "K=1\n[S]\n", "S", "K", std::nullopt},
        ReadCase{"OtherSection", "[T]\nK=1\n[S]\nL=2\n", "S", "K", std::nullopt},
        ReadCase{"FirstKeyCounts", "[S]\nK=1\nk=2\n", "S", "K", "1"},
        ReadCase{"FirstSectionCounts", "[S]\nA=1\n[T]\n[S]\nK=2\n", "S", "K", std::nullopt},
        ReadCase{"HeaderUpToLastBracket", "[a]b]\nK=1\n", "a]b", "K", "1"},
        ReadCase{"BareLineFeeds", "[S]\nK=v\n", "S", "K", "v"},
        ReadCase{"MissingSection", "", "S", "K", std::nullopt}),
    testing::CaseName);

TEST(IniDocumentTest, ReadsLineFeedOnlyFiles) {
    const IniDocument document = IniDocument::FromBytes("[S]\nK=v\n[T]\nL=w");
    EXPECT_EQ(document.ReadValue("S", "K"), "v");
    EXPECT_EQ(document.ReadValue("T", "L"), "w");
    EXPECT_EQ(document.ToBytes(), "[S]\r\nK=v\r\n[T]\r\nL=w\r\n");
}

TEST(IniDocumentTest, ReadsValuesUpToTheLengthLimit) {
    const std::string longValue = Repeat("я", 3000);
    const IniDocument document = FromText("[S]\nK=" + longValue + "\n");
    EXPECT_EQ(document.ReadValue("S", "K"), Repeat("я", IniDocument::kMaxValueLength));
}

TEST(IniDocumentTest, ListsKeyNamesInFileOrderWithoutComments) {
    const IniDocument document =
        FromText("[S]\n;comment=1\nB=1\n\nA\n c = 3\n[T]\nD=4\n[S]\nE=5\n");
    EXPECT_EQ(document.KeyNames("s"), (std::vector<std::string>{"B", "A", "c"}));
    EXPECT_TRUE(document.KeyNames("missing").empty());
}

TEST(IniDocumentTest, KeepsEveryByteOfAnUntouchedFile) {
    const std::string bytes = StationBytes(
        "; комментарий\n\n[Раздел]\n  Ключ = значение с пробелами  \nбез знака\n[S]\nK=\"q\"\n");
    EXPECT_EQ(IniDocument::FromBytes(bytes).ToBytes(), bytes);
    // Every byte value survives, the one Windows-1251 leaves undefined too.
    std::string all = "[S]\r\nK=";
    for (int b = 0x20; b < 0x100; ++b)
        all += static_cast<char>(b);
    all += "\r\n";
    EXPECT_EQ(IniDocument::FromBytes(all).ToBytes(), all);
}

TEST(IniDocumentTest, WritesInPlaceAndKeepsEveryOtherLine) {
    IniDocument document =
        FromText("; top\n[Net]\n  remoteport = 7 \nHost=a\n\n; next\n[Dir]\nX=1\n");
    ASSERT_TRUE(document.WriteValue("NET", "RemotePort", "8000"));
    EXPECT_EQ(document.ToBytes(),
              StationBytes("; top\n[Net]\nremoteport=8000\nHost=a\n\n; next\n[Dir]\nX=1\n"));
}

TEST(IniDocumentTest, AddsAMissingKeyAfterTheLastKeyOfItsSection) {
    IniDocument document = FromText("[Net]\nHost=a\n\n; next\n[Dir]\nX=1\n");
    ASSERT_TRUE(document.WriteValue("Net", "Port", "1"));
    ASSERT_TRUE(document.WriteValue("Dir", "Y", "2"));
    EXPECT_EQ(document.ToBytes(),
              StationBytes("[Net]\nHost=a\nPort=1\n\n; next\n[Dir]\nX=1\nY=2\n"));
}

TEST(IniDocumentTest, AddsAMissingSectionAtTheEnd) {
    IniDocument document = FromText("[Net]\nHost=a");
    ASSERT_TRUE(document.WriteValue("Звук", "Файл", "ок"));
    ASSERT_TRUE(document.WriteValue("Empty", "Key", ""));
    EXPECT_EQ(document.ToBytes(), StationBytes("[Net]\nHost=a\n[Звук]\nФайл=ок\n[Empty]\nKey=\n"));
}

class IniValueRoundTripTest : public ::testing::TestWithParam<std::string> {};

TEST_P(IniValueRoundTripTest, ReadsBackWhatWasWritten) {
    IniDocument document;
    ASSERT_TRUE(document.WriteValue("S", "K", GetParam()));
    EXPECT_EQ(IniDocument::FromBytes(document.ToBytes()).ReadValue("S", "K"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Values, IniValueRoundTripTest,
                         ::testing::Values("", "plain", "Фамилия Имя", " leading", "trailing ",
                                           "\tboth\t", "\"quoted\"", "'quoted'", "\"half", "a=b;c",
                                           "[x]", "$^[А-Я]{1}$", "€",
                                           Repeat("ё", IniDocument::kMaxValueLength)),
                         testing::CaseName);

TEST(IniDocumentTest, QuotesOnlyTheValuesThatNeedIt) {
    IniDocument document;
    ASSERT_TRUE(document.WriteValue("S", "A", " x"));
    ASSERT_TRUE(document.WriteValue("S", "B", "'y'"));
    ASSERT_TRUE(document.WriteValue("S", "C", "a b"));
    EXPECT_EQ(document.ToBytes(), "[S]\r\nA=\" x\"\r\nB=\"'y'\"\r\nC=a b\r\n");
}

struct RefusedCase {
    std::string Name;
    std::string Section;
    std::string Key;
    std::string Value;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.Name;
}

class IniRefusedWriteTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(IniRefusedWriteTest, ChangesNothing) {
    const RefusedCase& c = GetParam();
    IniDocument document = FromText("[S]\nK=old\n");
    const std::string before = document.ToBytes();
    EXPECT_FALSE(document.WriteValue(c.Section, c.Key, c.Value));
    EXPECT_EQ(document.ToBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRefusedWriteTest,
    ::testing::Values(RefusedCase{"LineBreakInValue", "S", "K", "a\r\n[T]\r\nX=1"},
                      RefusedCase{"LineFeedInValue", "S", "K", "a\nb"},
                      RefusedCase{"NotInCodePage", "S", "K", "中文"},
                      RefusedCase{"TooLong", "S", "K",
                                  Repeat("a", IniDocument::kMaxValueLength + 1)},
                      RefusedCase{"EqualsInKey", "S", "K=1", "v"},
                      RefusedCase{"KeyLooksLikeSection", "S", "[T]", "v"},
                      RefusedCase{"KeyLooksLikeComment", "S", ";K", "v"},
                      RefusedCase{"BlankAroundKey", "S", " K", "v"},
                      RefusedCase{"EmptyKey", "S", "", "v"},
                      RefusedCase{"EmptySection", "", "K", "v"},
                      RefusedCase{"LineBreakInSection", "S]\n[T", "K", "v"},
                      RefusedCase{"LineBreakInKey", "S", "K\nL", "v"}),
    testing::CaseName);

TEST(IniDocumentTest, ErasesEverySectionOfTheNameWithItsLines) {
    IniDocument document =
        FromText("; top\n[S]\nA=1\n\n[T]\nB=2\n[s]\nC=3\n; tail of s\n[U]\nD=4\n");
    document.EraseSection("S");
    EXPECT_EQ(document.ToBytes(), StationBytes("; top\n[T]\nB=2\n[U]\nD=4\n"));
    EXPECT_EQ(document.ReadValue("S", "A"), std::nullopt);
}

} // namespace
} // namespace tevrix
