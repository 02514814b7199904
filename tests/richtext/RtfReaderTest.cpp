// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RichToPlain.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfTestSupport.h"
#include "support/CaseNames.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

namespace tevrix {
namespace {

using test::AllRuns;
using test::FormatOf;
using test::Paragraphs;
using test::ParagraphText;
using test::Pictures;
using test::Tables;

std::string PlainOf(const std::string& rtf) {
    return RichToPlain(ReadRtf(rtf));
}

struct TextCase {
    const char* Name;
    const char* Rtf;
    const char* Expected;
};

class RtfTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfTextTest, ReadsTheText) {
    EXPECT_EQ(PlainOf(GetParam().Rtf), GetParam().Expected);
}

// Code pages: \ansicpg, the font's \fcharset, the station's Windows-1251 when
// nothing is said, and the Symbol font's glyphs.
INSTANTIATE_TEST_SUITE_P(
    CodePages, RtfTextTest,
    ::testing::Values(
        TextCase{"AnsiCodePage1251", R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})",
                 "Привет"},
        TextCase{"NoCodePageMeansWindows1251", R"({\rtf1\ansi \'e4\'e0})", "да"},
        TextCase{"FontCharset204OverAnsi1252",
                 R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset204 Arial;}}\f0 \'e4\'e0})", "да"},
        TextCase{
            "FontCharset0IsWestern",
            R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset204 Arial;}})"
            R"(\f0 caf\'e9 \f1\'e4\'e0})",
            "café да"},
        TextCase{"FontCodePageWins", R"({\rtf1\ansi{\fonttbl{\f0\fcharset0\cpg1251 A;}}\f0\'e4})",
                 "д"},
        TextCase{"EasternEuropeanThroughIconv",
                 R"({\rtf1\ansi{\fonttbl{\f0\fcharset238 Arial;}}\f0 \'9a\'e8})", "šč"},
        TextCase{
            "DefaultFontGivesTheCodePage",
            R"({\rtf1\ansi\ansicpg1252\deff1{\fonttbl{\f0\fcharset0 A;}{\f1\fcharset204 B;}}\'e4\'e0})",
            "да"},
        TextCase{"SymbolFontBytes",
                 R"({\rtf1\ansi{\fonttbl{\f1\fcharset2 Symbol;}}\f1 a\'b3\'b0\'d6p})", "α≥°√π"},
        TextCase{"SymbolFontPrivateUseCharacters",
                 R"({\rtf1\ansi{\fonttbl{\f1\fcharset2 Symbol;}}\f1\uc1\u-3933?\u-3998?})", "≤β"},
        TextCase{"OtherSymbolFontKeptInPrivateUse",
                 R"({\rtf1\ansi{\fonttbl{\f1\fcharset2 Wingdings;}}\f1 J})", "\uF04A"}),
    testing::CaseName);

// Mac code pages, and code pages the system cannot convert: the replacement
// character, never letters of another code page.
INSTANTIATE_TEST_SUITE_P(
    MacAndUnreadableCodePages, RtfTextTest,
    ::testing::Values(
        TextCase{"MacJapaneseCharset",
                 R"({\rtf1\mac{\fonttbl{\f0\fcharset78 Osaka;}}\f0 \'82\'a0\'93\'fa})", "あ日"},
        TextCase{"MacJapaneseCodePage", R"({\rtf1\mac\ansicpg10001 \'82\'a0})", "あ"},
        TextCase{"MacCyrillicCharset",
                 R"({\rtf1\mac{\fonttbl{\f0\fcharset89 Geneva;}}\f0 \'84\'e0})", "Да"},
        TextCase{"MacRomanCharset", R"({\rtf1\ansi{\fonttbl{\f0\fcharset77 Geneva;}}\f0 caf\'8e})",
                 "café"},
        TextCase{"MacGreekHasNoConverter",
                 R"({\rtf1\mac{\fonttbl{\f0\fcharset85 Geneva;}}\f0 a\'e1b})", "a\uFFFDb"},
        TextCase{"MacJohabHasNoCodePage",
                 R"({\rtf1\ansi{\fonttbl{\f0\fcharset82 X;}}\f0 a\'b0\'a1b})", "a\uFFFD\uFFFDb"},
        TextCase{"UnknownAnsiCodePage", R"({\rtf1\ansi\ansicpg12345 a\'e4b})", "a\uFFFDb"}),
    testing::CaseName);

// Symbol fonts are known by their names, whatever charset they declare; a
// lone lead byte of a double-byte code page takes no character with it.
INSTANTIATE_TEST_SUITE_P(
    SymbolFontsAndLeadBytes, RtfTextTest,
    ::testing::Values(
        TextCase{"OpenSymbolOfAShiftJisCharset",
                 R"({\rtf1{\fonttbl{\f1\fcharset128 OpenSymbol;}}{\f1 \'95}\tab x})", "•\tx"},
        TextCase{"SymbolOfAChineseCharset",
                 R"({\rtf1{\fonttbl{\f1\fcharset134 Symbol;}}\f1 \'b7\'b3})", "•≥"},
        TextCase{"WingdingsBullets",
                 R"({\rtf1{\fonttbl{\f1\fcharset2 Wingdings;}}\f1 \'a7\'d8\'fcl\'fe})", "▪➢✔●☑"},
        TextCase{"WingdingsOfTheWesternCharset",
                 R"({\rtf1{\fonttbl{\f1\fcharset0 wingdings;}}\f1 n})", "■"},
        TextCase{"WingdingsAsUnicode",
                 R"({\rtf1{\fonttbl{\f1\fcharset2 Wingdings;}}\f1\u-3929?\u-3964?})", "▪\uF084"},
        TextCase{"LeadByteBeforeAControlWord",
                 R"({\rtf1{\fonttbl{\f1\fcharset128 MS Mincho;}}\f1 \'82\tab x})", "\uFFFD\tx"},
        TextCase{"LeadByteBeforeAGroupEnd",
                 R"({\rtf1{\fonttbl{\f1\fcharset128 MS Mincho;}}{\f1 \'82}x})", "\uFFFDx"},
        TextCase{"LeadByteBeforeASpace", R"({\rtf1{\fonttbl{\f1\fcharset136 MingLiU;}}\f1 \'a4 x})",
                 "\uFFFD x"}),
    testing::CaseName);

// Nested tables and footnote references.
INSTANTIATE_TEST_SUITE_P(
    NestedTablesAndFootnotes, RtfTextTest,
    ::testing::Values(
        TextCase{"NestedCellsOutsideTheRowDefinition",
                 R"({\rtf1\trowd\cellx900\intbl a\cell\intbl\itap2 b\nestcell c\nestcell)"
                 R"({\*\nesttableprops\trowd\cellx400\cellx800\nestrow}{\nonesttables\par})"
                 R"(\intbl\itap1\cell\row})",
                 "a\tb\tc"},
        TextCase{
            "FootnotesCountedFromTheirStart",
            R"({\rtf1\ftnstart5 a{\super\chftn}{\footnote{\super\chftn} n}b\chftn{\footnote m}})",
            "a5b6"},
        TextCase{"EndnoteGroupsSkippedToo", R"({\rtf1 x\chftn{\footnote\ftnalt{\chftn} note}})",
                 "x1"}),
    testing::CaseName);

// \uN with the \ucN fallback that follows it.
INSTANTIATE_TEST_SUITE_P(
    Unicode, RtfTextTest,
    ::testing::Values(TextCase{"FallbackOfOneSkipped", R"({\rtf1 \u1044?\u1072?})", "Да"},
                      TextCase{"FallbackAsEscapeSkipped", R"({\rtf1 \u1044\'c4\u1072\'e0})", "Да"},
                      TextCase{"NoFallback", R"({\rtf1\uc0 \u1044\u1072 !})", "Да!"},
                      TextCase{"FallbackOfTwo", R"({\rtf1\uc2 \u8364\'80\'80 x})", "€ x"},
                      TextCase{"FallbackEndsAtGroupEnd", R"({\rtf1\uc3 {\u1044?}b})", "Дb"},
                      TextCase{"NegativeValues", R"({\rtf1 \u-3913?})", "\uF0B7"},
                      TextCase{"SurrogatePair", R"({\rtf1 \u-10179?\u-8704?})", "\U0001F600"},
                      TextCase{"LoneLowSurrogate", R"({\rtf1 \u-8704?x})", "\uFFFDx"},
                      TextCase{"OutOfRange", R"({\rtf1 \u99999999?x})", "\uFFFDx"},
                      TextCase{"ControlCharactersDropped", R"({\rtf1 a\u7?b\u0?c})", "abc"},
                      TextCase{"UnicodeSkipIsGroupScoped", R"({\rtf1 {\uc2 \u1044??}\u1072?})",
                               "Да"}),
    testing::CaseName);

// Escapes, special characters and what is no text.
INSTANTIATE_TEST_SUITE_P(
    Characters, RtfTextTest,
    ::testing::Values(
        TextCase{"EscapedSpecials", R"({\rtf1 a\\b\{c\}})", "a\\b{c}"},
        TextCase{"NamedCharacters",
                 R"({\rtf1 \lquote a\rquote  \ldblquote b\rdblquote \emdash \endash \bullet})",
                 "‘a’ “b”—–•"},
        TextCase{"NonBreakingSpaceAndHyphen", R"({\rtf1 a\~b\_c\-d})", "a\u00A0b\u2011cd"},
        TextCase{"TabAndLine", R"({\rtf1 a\tab b\line c})", "a\tb\nc"},
        TextCase{"LineEndsInTheSourceAreNoText", "{\\rtf1 ab\r\ncd\nef}", "abcdef"},
        TextCase{"BackslashNewlineIsAParagraph", "{\\rtf1 ab\\\ncd}", "ab\ncd"},
        TextCase{"DelimitingSpaceSwallowed", R"({\rtf1 \b bold\b0  plain})", "bold plain"},
        TextCase{"HiddenTextLeftOut", R"({\rtf1 a{\v hidden}b\v c\v0 d})", "abd"},
        TextCase{"RawControlBytesDropped", "{\\rtf1 a\x01\x1f\tb}", "a\tb"},
        TextCase{"TextAfterTheDocumentIgnored", R"({\rtf1 a} b)", "a"}),
    testing::CaseName);

// Destinations: known ones skipped, \* ones skipped, unknown words ignored.
INSTANTIATE_TEST_SUITE_P(
    Destinations, RtfTextTest,
    ::testing::Values(
        TextCase{"HeaderTables",
                 R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;})"
                 R"({\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}x})",
                 "x"},
        TextCase{"StarredUnknownSkipped", R"({\rtf1 a{\*\unknowndest b{c}}d})", "ad"},
        TextCase{"UnknownWordKeepsText", R"({\rtf1 a{\unknownword b}c})", "abc"},
        TextCase{"HeadersFootersFootnotes",
                 R"({\rtf1{\header h}{\footer f}a{\footnote n}b{\*\bkmkstart m}{\*\bkmkend m}})",
                 "ab"},
        TextCase{"ParagraphNumberingTextShown",
                 R"({\rtf1{\pntext 1.\tab}{\*\pn\pnlvlbody{\pntxta .}}a\par{\pn{\pntxtb x}}b})",
                 "1.\ta\nb"},
        TextCase{"OtherFieldsShowTheirResult",
                 R"({\rtf1 {\field{\*\fldinst { PAGE }}{\fldrslt 3}} of 5})", "3 of 5"},
        TextCase{"ObjectShowsItsResult",
                 R"({\rtf1 a{\object\objemb{\*\objclass Equation.3}{\objdata 0102}{\result b}}c})",
                 "abc"},
        TextCase{"ShapeResultSkipped", R"({\rtf1 a{\shp{\*\shpinst{\shptxt t}}{\shprslt r}}b})",
                 "ab"}),
    testing::CaseName);

// Paragraph ends and what is trimmed.
INSTANTIATE_TEST_SUITE_P(Paragraphs, RtfTextTest,
                         ::testing::Values(TextCase{"SectionAndPageEndParagraphs",
                                                    R"({\rtf1 a\sect b\page c})", "a\nb\nc"},
                                           TextCase{"EmptyParagraphsKept",
                                                    R"({\rtf1 a\par\par b\par})", "a\n\nb"},
                                           TextCase{"EmptyDocument", R"({\rtf1 })", ""}),
                         testing::CaseName);

TEST(RtfReaderTest, AFinalParagraphMarkOpensNoEmptyParagraph) {
    EXPECT_EQ(Paragraphs(ReadRtf(R"({\rtf1 a\par })")).size(), 1u);
    EXPECT_EQ(Paragraphs(ReadRtf(R"({\rtf1 a\par b})")).size(), 2u);
    EXPECT_EQ(Paragraphs(ReadRtf(R"({\rtf1 a\par\par })")).size(), 2u);
}

TEST(RtfReaderTest, PlainTextIsOneParagraphPerLineInWindows1251) {
    const RichDocument document =
        ReadRichDocument({"\xcf\xe5\xf0\xe2\xe0\xff\r\n\xe2\xf2\xee\xf0\xe0\xff\n\r\n"});
    const auto paragraphs = Paragraphs(document);
    ASSERT_EQ(paragraphs.size(), 3u);
    EXPECT_EQ(ParagraphText(*paragraphs[0]), "Первая");
    EXPECT_EQ(ParagraphText(*paragraphs[1]), "вторая");
    EXPECT_EQ(ParagraphText(*paragraphs[2]), "");
    ASSERT_EQ(paragraphs[0]->Runs.size(), 1u);
    EXPECT_EQ(paragraphs[0]->Runs[0].Format, RichCharFormat{}); // the area's own format
}

TEST(RtfReaderTest, CharacterFormattingTogglesAndGroupScope) {
    const RichDocument document =
        ReadRtf(R"({\rtf1 \b B\b0 n{\i I}n\ul U\ulnone n\strike S\strike0 n\uldb D\ul0 )"
                R"(n{\super 2}{\sub 3}{\up6 4}\b\i\plain p})");
    EXPECT_TRUE(FormatOf(document, "B").Bold);
    EXPECT_TRUE(FormatOf(document, "I").Italic);
    EXPECT_TRUE(FormatOf(document, "U").Underline);
    EXPECT_TRUE(FormatOf(document, "S").StrikeOut);
    EXPECT_TRUE(FormatOf(document, "D").Underline);
    for (const RichRun* run : AllRuns(document)) {
        if (run->Text == "n") {
            EXPECT_EQ(run->Format, RichCharFormat{}) << "every toggle switched its style off";
        }
    }
    EXPECT_EQ(FormatOf(document, "2").VerticalPosition, RichVerticalPosition::Superscript);
    EXPECT_EQ(FormatOf(document, "3").VerticalPosition, RichVerticalPosition::Subscript);
    EXPECT_EQ(FormatOf(document, "4").VerticalPosition, RichVerticalPosition::Superscript);
    EXPECT_EQ(FormatOf(document, "p"), RichCharFormat{});
}

TEST(RtfReaderTest, FontsSizesAndColours) {
    const RichDocument document = ReadRtf(
        R"({\rtf1\deff0{\fonttbl{\f0\froman Times New Roman;}{\f1\fswiss{\*\panose 020b}Arial;}})"
        R"({\colortbl ;\red255\green0\blue0;\red0\green128\blue0;})"
        R"(d{\f1\fs28 a}{\cf1 r}{\cb2 g}{\highlight1 h}{\cf1\cf0 z}{\cf9 o}{\f7 u})"
        R"({\fs99999999 big}{\fs-4 neg}})");
    EXPECT_EQ(FormatOf(document, "d").FontFamily, "Times New Roman");
    EXPECT_EQ(FormatOf(document, "a").FontFamily, "Arial");
    EXPECT_EQ(FormatOf(document, "a").FontSizeHalfPoints, 28);
    EXPECT_EQ(FormatOf(document, "r").Color, (RichColor{255, 0, 0}));
    EXPECT_EQ(FormatOf(document, "g").Background, (RichColor{0, 128, 0}));
    EXPECT_EQ(FormatOf(document, "h").Background, (RichColor{255, 0, 0}));
    // "z" takes entry 0, which is "auto"; "o" an entry that does not exist.
    EXPECT_EQ(FormatOf(document, "zo"), FormatOf(document, "d"));
    EXPECT_EQ(FormatOf(document, "u").FontFamily, "");             // no such font
    EXPECT_EQ(FormatOf(document, "big").FontSizeHalfPoints, 3276); // 1638 points at most
    EXPECT_EQ(FormatOf(document, "neg").FontSizeHalfPoints, 0);
}

TEST(RtfReaderTest, FontTableWithoutGroupsAndCyrillicNames) {
    const RichDocument document = ReadRtf(
        R"({\rtf1{\fonttbl\f0\fnil Arial;\f1\fnil\fcharset204 \'d8\'f0\'e8\'f4\'f2;}\f1 x\f0 y})");
    EXPECT_EQ(FormatOf(document, "x").FontFamily, "Шрифт");
    EXPECT_EQ(FormatOf(document, "y").FontFamily, "Arial");
}

TEST(RtfReaderTest, ParagraphFormatting) {
    const RichDocument document =
        ReadRtf(R"({\rtf1\pard\qc c\par\qr r\par\qj j\par\pard\li720\ri360\fi-180\sb120\sa60 i\par)"
                R"(\pard l\par\li99999999 huge\par})");
    const auto paragraphs = Paragraphs(document);
    ASSERT_EQ(paragraphs.size(), 6u);
    EXPECT_EQ(paragraphs[0]->Format.Alignment, RichAlignment::Center);
    EXPECT_EQ(paragraphs[1]->Format.Alignment, RichAlignment::Right);
    EXPECT_EQ(paragraphs[2]->Format.Alignment, RichAlignment::Justify);
    EXPECT_EQ(paragraphs[3]->Format,
              (RichParagraphFormat{RichAlignment::Left, 720, 360, -180, 120, 60, {}}));
    EXPECT_EQ(paragraphs[4]->Format, RichParagraphFormat{}); // \pard resets
    EXPECT_EQ(paragraphs[5]->Format.LeftIndent, 31680);      // 22 inches at most
}

TEST(RtfReaderTest, TabStops) {
    std::string many;
    for (int i = 1; i <= 100; ++i)
        many += "\\tx" + std::to_string(i * 10);
    const RichDocument document = ReadRtf(
        R"({\rtf1\tqr\tx2000\tx500\tqc\tx900\tqdec\tx1200 a\par\pard b\par\pard)" + many + " c}");
    const auto paragraphs = Paragraphs(document);
    ASSERT_EQ(paragraphs.size(), 3u);
    const std::vector<RichTabStop> expected = {{2000, RichTabKind::Right},
                                               {500, RichTabKind::Left},
                                               {900, RichTabKind::Center},
                                               {1200, RichTabKind::Decimal}};
    EXPECT_EQ(paragraphs[0]->Format.TabStops, expected);
    EXPECT_TRUE(paragraphs[1]->Format.TabStops.empty()); // \pard clears them
    EXPECT_EQ(paragraphs[2]->Format.TabStops.size(), kRtfMaxTabStops);
}

TEST(RtfReaderTest, ParagraphFormattingIsGroupScoped) {
    // A writer may put paragraph properties inside a group (\listtext does).
    const RichDocument document = ReadRtf(R"({\rtf1\qc{\pard\ql x}y\par})");
    const auto paragraphs = Paragraphs(document);
    ASSERT_EQ(paragraphs.size(), 1u);
    EXPECT_EQ(paragraphs[0]->Format.Alignment, RichAlignment::Center);
}

TEST(RtfReaderTest, StylesApplyTheirFormatting) {
    const RichDocument document =
        ReadRtf(R"({\rtf1{\fonttbl{\f0 Serif;}{\f1 Sans;}}{\stylesheet{\s0\f0\fs24 Normal;})"
                R"({\s1\sbasedon0\qc\b\f1\fs32 Heading;}{\*\cs5\i Emphasis;}})"
                R"(\pard\plain\s1 Title\par\pard\plain\s0 Body\par})");
    const auto paragraphs = Paragraphs(document);
    ASSERT_EQ(paragraphs.size(), 2u);
    EXPECT_EQ(paragraphs[0]->Format.Alignment, RichAlignment::Center);
    const RichCharFormat title = FormatOf(document, "Title");
    EXPECT_TRUE(title.Bold);
    EXPECT_EQ(title.FontFamily, "Sans");
    EXPECT_EQ(title.FontSizeHalfPoints, 32);
    EXPECT_EQ(FormatOf(document, "Body").FontSizeHalfPoints, 24);
    EXPECT_FALSE(FormatOf(document, "Body").Bold);
}

struct LinkCase {
    const char* Name;
    const char* Instruction;
    const char* Target;
};

class RtfHyperlinkTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(RtfHyperlinkTest, LinksTheFieldResult) {
    const std::string rtf = std::string(R"({\rtf1 {\field{\*\fldinst{)") + GetParam().Instruction +
                            R"(}}{\fldrslt{\ul\cf1 site}}} after})";
    const RichDocument document = ReadRtf(rtf);
    EXPECT_EQ(FormatOf(document, "site").Link, GetParam().Target);
    EXPECT_EQ(FormatOf(document, " after").Link, "");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RtfHyperlinkTest,
    ::testing::Values(
        LinkCase{"Quoted", R"(HYPERLINK "https://example.org/a b")", "https://example.org/a b"},
        LinkCase{"Bare", R"( HYPERLINK http://example.org )", "http://example.org"},
        LinkCase{"LowerCaseAndTip", R"(hyperlink \\o "tip" "mailto:a@b.c")", "mailto:a@b.c"},
        LinkCase{"TipAfterTarget", R"(HYPERLINK "http://x.org" \\o "tip")", "http://x.org"},
        LinkCase{"BookmarkLeadsNowhere", R"(HYPERLINK \\l "part2")", ""},
        LinkCase{"NotAHyperlink", R"(DATE \\@ "dd.MM.yyyy")", ""}),
    testing::CaseName);

TEST(RtfReaderTest, LinkSurvivesPlainInsideTheResult) {
    const RichDocument document =
        ReadRtf(R"({\rtf1{\field{\*\fldinst HYPERLINK "http://a.org"}{\fldrslt\plain\b x}}})");
    EXPECT_EQ(FormatOf(document, "x").Link, "http://a.org");
    EXPECT_TRUE(FormatOf(document, "x").Bold);
}

TEST(RtfReaderTest, RichEditTable) {
    const RichDocument document = ReadRtf(
        R"({\rtf1 before\par\trowd\trgaph108\trleft-108\clbrdrt\brdrw10\brdrs\cellx1000\cellx3000)"
        R"(\pard\intbl a\cell\b b\b0\par b2\cell\row\trowd\cellx1000\cellx3000\pard\intbl c\cell d\cell\row)"
        R"(\pard after\par})");
    ASSERT_EQ(document.Blocks.size(), 3u);
    const auto tables = Tables(document);
    ASSERT_EQ(tables.size(), 1u);
    const RichTable& table = *tables[0];
    EXPECT_TRUE(table.Bordered);
    ASSERT_EQ(table.Rows.size(), 2u);
    ASSERT_EQ(table.Rows[0].Cells.size(), 2u);
    EXPECT_EQ(table.Rows[0].Cells[0].Width, 1108);
    EXPECT_EQ(table.Rows[0].Cells[1].Width, 2000);
    ASSERT_EQ(table.Rows[0].Cells[1].Paragraphs.size(), 2u);
    EXPECT_EQ(ParagraphText(table.Rows[0].Cells[1].Paragraphs[0]), "b");
    EXPECT_TRUE(table.Rows[0].Cells[1].Paragraphs[0].Runs[0].Format.Bold);
    EXPECT_EQ(ParagraphText(table.Rows[0].Cells[1].Paragraphs[1]), "b2");
    EXPECT_EQ(ParagraphText(table.Rows[1].Cells[1].Paragraphs[0]), "d");
    EXPECT_EQ(RichToPlain(document), "before\na\tb\nb2\nc\td\nafter");
}

TEST(RtfReaderTest, TableWithoutBordersAndARowCutOff) {
    const RichDocument document =
        ReadRtf(R"({\rtf1\trowd\cellx500\cellx900\intbl x\cell y\cell\row\intbl z\cell w)");
    const auto tables = Tables(document);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_FALSE(tables[0]->Bordered);
    ASSERT_EQ(tables[0]->Rows.size(), 2u);
    EXPECT_EQ(tables[0]->Rows[1].Cells.size(), 2u); // "z" and the unfinished "w"
    EXPECT_EQ(RichToPlain(document), "x\ty\nz\tw");
}

TEST(RtfReaderTest, RowsOfAnotherCellCountStartATableOfTheirOwn) {
    // One row of 3000 cells and 3000 rows of one: two grids of 3000 cells,
    // never one grid of 3000 x 3000.
    std::string wide = "\\trowd\\intbl";
    for (int i = 0; i < 3000; ++i)
        wide += " w\\cell";
    std::string tall;
    for (int i = 0; i < 3000; ++i)
        tall += "\\trowd\\intbl t\\cell\\row";
    const RichDocument document = ReadRtf("{\\rtf1" + wide + "\\row" + tall + "}");
    const auto tables = Tables(document);
    ASSERT_EQ(tables.size(), 2u);
    ASSERT_EQ(tables[0]->Rows.size(), 1u);
    EXPECT_EQ(tables[0]->Rows[0].Cells.size(), 3000u);
    ASSERT_EQ(tables[1]->Rows.size(), 3000u);
    EXPECT_EQ(tables[1]->Rows[0].Cells.size(), 1u);
}

TEST(RtfReaderTest, PicturesOfEveryFormat) {
    const RichDocument document = ReadRtf(
        R"({\rtf1 {\pict\pngblip 89504E47}{\pict\jpegblip ff d8}{\pict\emfblip 0100}{\pict\wmetafile8 0900})"
        R"({\pict\macpict 0102}{\pict\pngblip})");
    const auto pictures = Pictures(document);
    ASSERT_EQ(pictures.size(), 4u); // the Mac picture and the empty one are left out
    EXPECT_EQ(pictures[0]->Format, RichPictureFormat::Png);
    EXPECT_EQ(pictures[0]->Data, "\x89PNG");
    EXPECT_EQ(pictures[1]->Format, RichPictureFormat::Jpeg);
    EXPECT_EQ(pictures[1]->Data, "\xff\xd8");
    EXPECT_EQ(pictures[2]->Format, RichPictureFormat::Emf);
    EXPECT_EQ(pictures[3]->Format, RichPictureFormat::Wmf);
}

TEST(RtfReaderTest, PictureSizes) {
    const RichDocument document = ReadRtf(
        R"({\rtf1{\pict\pngblip\picw16\pich8\picwgoal480\pichgoal240\picscalex50\picscaley200 00})"
        R"({\pict\pngblip\picw16\pich8 00}{\pict\wmetafile8\picw2540\pich1270 00}})");
    const auto pictures = Pictures(document);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0]->WidthTwips, 240);
    EXPECT_EQ(pictures[0]->HeightTwips, 480);
    EXPECT_EQ(pictures[1]->WidthTwips, 240);  // 16 pixels at 96 an inch
    EXPECT_EQ(pictures[2]->WidthTwips, 1440); // 2540 hundredths of a millimetre = 1 inch
    EXPECT_EQ(pictures[2]->HeightTwips, 720);
}

TEST(RtfReaderTest, BinaryPictureDataMayHoldBraces) {
    const std::string rtf = std::string(R"({\rtf1{\pict\pngblip\bin4 )") + "{}\\}" + "} after}";
    const RichDocument document = ReadRtf(rtf);
    const auto pictures = Pictures(document);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0]->Data, "{}\\}");
    EXPECT_EQ(RichToPlain(document), "after");
}

TEST(RtfReaderTest, DeviceIndependentBitmapGetsItsFileHeader) {
    // A 2 x 1 DIB of 1 bit a pixel with two palette colours.
    const std::string info =
        "280000000200000001000000010001000000000004000000000000000000000002000000"
        "02000000";
    const RichDocument document =
        ReadRtf("{\\rtf1{\\pict\\dibitmap0 " + info + "0000ff00ffffff00" + "40000000}}");
    const auto pictures = Pictures(document);
    ASSERT_EQ(pictures.size(), 1u);
    const std::string& bmp = pictures[0]->Data;
    EXPECT_EQ(pictures[0]->Format, RichPictureFormat::Bmp);
    ASSERT_EQ(bmp.size(), 14u + 40 + 8 + 4);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[2]), bmp.size());
    EXPECT_EQ(static_cast<unsigned char>(bmp[10]), 14 + 40 + 8); // the pixels follow the palette
}

TEST(RtfReaderTest, ShapePicturesTakenOnceAndTheirIdentifiersSkipped) {
    const RichDocument document = ReadRtf(
        R"({\rtf1{\*\shppict{\pict{\*\picprop{\sp{\sn a}{\sv 1}}}{\*\blipuid abcdef}\pngblip 0102}})"
        R"({\nonshppict{\pict\wmetafile8 0304}})"
        R"({\shp{\*\shpinst{\sp{\sn pib}{\sv{\pict\jpegblip 0506}}}}{\shprslt{\pict\wmetafile8 0708}}}})");
    const auto pictures = Pictures(document);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0]->Data, "\x01\x02");
    EXPECT_EQ(pictures[1]->Data, "\x05\x06");
}

// Bad input: each case gives the best text it can and never crashes or
// allocates beyond the input.
TEST(RtfBadInputTest, DeepNestingIsBounded) {
    const std::string deep(100000, '{');
    const std::string rtf = "{\\rtf1 a" + deep + "b" + std::string(100000, '}') + "c}";
    EXPECT_EQ(PlainOf(rtf), "ac");
    EXPECT_EQ(PlainOf("{\\rtf1 a" + deep), "a");
}

TEST(RtfBadInputTest, NestingJustWithinTheBoundIsRead) {
    const int depth = kRtfMaxDepth - 1;
    const std::string rtf =
        "{\\rtf1 " + std::string(depth, '{') + "deep" + std::string(depth, '}') + "}";
    EXPECT_EQ(PlainOf(rtf), "deep");
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, RtfTextTest,
    ::testing::Values(
        TextCase{"Unclosed", R"({\rtf1 Hello)", "Hello"},
        TextCase{"ExtraClosingBraces", R"({\rtf1 {a}}}} b)", "a"},
        TextCase{"CutInAControlWord", R"({\rtf1 abc\pa)", "abc"},
        TextCase{"CutAfterBackslash", "{\\rtf1 abc\\", "abc"},
        TextCase{"CutInAnEscape", R"({\rtf1 abc\')", "abc"},
        TextCase{"BadEscapeDropped", R"({\rtf1 a\'zzb})", "azzb"},
        TextCase{"HalfAnEscape", R"({\rtf1 a\'4})", "a4"},
        TextCase{"HugeParameter",
                 R"({\rtf1 \uc99999999999999999999 \u1044???????????????????????x})", "Д???????x"},
        TextCase{"NegativeUnicodeSkip", R"({\rtf1\uc-5 \u1044?})", "Д?"},
        TextCase{"LongControlWord",
                 "{\\rtf1 \\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa x}", "x"},
        TextCase{"BinaryLongerThanTheData", R"({\rtf1 a\bin99999999 xyz)", "a"},
        TextCase{"NegativeBinary", R"({\rtf1 a\bin-5 b})", "ab"},
        TextCase{"FieldInstructionOutsideAField", R"({\rtf1 a{\*\fldinst HYPERLINK x}b})", "ab"},
        TextCase{"CellAndRowOutsideATable", R"({\rtf1 a\cell b\row c})", "a\tb\nc"},
        TextCase{"PictureOutsideEveryGroup", R"(a\pict\pngblip 0102)", "a"},
        TextCase{"PictureAfterABraceThatClosesNothing", R"(a}\pict\pngblip 0102})", "a"}),
    testing::CaseName);

TEST(RtfBadInputTest, PictureDataCutOffKeepsWhatArrived) {
    const RichDocument hex = ReadRtf(R"({\rtf1{\pict\pngblip 89504e4)");
    ASSERT_EQ(Pictures(hex).size(), 1u);
    EXPECT_EQ(Pictures(hex)[0]->Data, "\x89PN"); // the odd digit is dropped

    const RichDocument binary = ReadRtf(std::string(R"({\rtf1{\pict\pngblip\bin1000000 )") + "abc");
    ASSERT_EQ(Pictures(binary).size(), 1u);
    EXPECT_EQ(Pictures(binary)[0]->Data, "abc");
}

TEST(RtfBadInputTest, HugePictureSizesAreClamped) {
    const RichDocument document = ReadRtf(
        R"({\rtf1{\pict\pngblip\picwgoal2147483647\pichgoal-7\picscalex99999\picw2147483647 00}})");
    const auto pictures = Pictures(document);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0]->WidthTwips, 31680);
    EXPECT_EQ(pictures[0]->HeightTwips, 0);
}

TEST(RtfBadInputTest, WhatEveryGroupCopiesIsBounded) {
    // Every '{' copies the formatting state, so a huge link or font name in
    // it would make many small groups cost quadratic time and memory.
    std::string groups;
    for (int i = 0; i < 20000; ++i)
        groups += "{\\b y}";
    const std::string rtf = "{\\rtf1{\\fonttbl{\\f0 " + std::string(1000000, 'F') + ";}}\\f0 " +
                            "{\\field{\\*\\fldinst HYPERLINK \"http://" +
                            std::string(1000000, 'a') + "\"}{\\fldrslt x" + groups + "}}}";
    const RichDocument document = ReadRtf(rtf);
    EXPECT_EQ(FormatOf(document, "x").Link, ""); // no link that long
    EXPECT_EQ(FormatOf(document, "x").FontFamily, std::string(kRtfMaxFontNameLength, 'F'));
}

TEST(RtfBadInputTest, MalformedBitmapHeaderDropsThePicture) {
    EXPECT_TRUE(Pictures(ReadRtf(R"({\rtf1{\pict\dibitmap0 ffffffff0000}})")).empty());
}

bool IsValidUtf8(const std::string& text) {
    size_t position = 0;
    while (position < text.size()) {
        const auto lead = static_cast<unsigned char>(text[position]);
        const size_t extra = lead < 0x80             ? 0
                             : (lead & 0xE0) == 0xC0 ? 1
                             : (lead & 0xF0) == 0xE0 ? 2
                             : (lead & 0xF8) == 0xF0 ? 3
                                                     : 9;
        if (extra == 9 || position + extra >= text.size())
            return false;
        for (size_t i = 1; i <= extra; ++i) {
            if ((static_cast<unsigned char>(text[position + i]) & 0xC0) != 0x80)
                return false;
        }
        position += extra + 1;
    }
    return true;
}

// Every cut of a real document and many random corruptions of it read into
// valid UTF-8 no longer than the input allows.
// Seconds taken by ReadRtf on `rtf`, the best of three.
double ReadSeconds(const std::string& rtf) {
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const RichDocument document = ReadRtf(rtf);
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        EXPECT_FALSE(document.Blocks.empty());
    }
    return best;
}

TEST(RtfBadInputTest, TablesWhoseCellDefinitionsPileUpReadInLinearTime) {
    // Without \trowd every \cellx adds to the row definition: rows must not
    // each walk all of them.
    const auto rows = [](int count) {
        std::string rtf = "{\\rtf1 ";
        for (int i = 0; i < count; ++i)
            rtf += "\\cellx" + std::to_string(100 + i) + "\\intbl x\\cell\\row ";
        return rtf + "}";
    };
    const double small = ReadSeconds(rows(10'000));
    const double large = ReadSeconds(rows(40'000));
    // Linear: about 4 times; walking every definition at every row: 16 times.
    EXPECT_LT(large, 8 * small + 0.05) << small << " s, then " << large << " s";
}

TEST(RtfBadInputTest, CutAndCorruptedDocumentsStayWellFormed) {
    const std::string original = test::ReadFixture("rtf/formatting.rtf");
    ASSERT_FALSE(original.empty());
    const auto check = [](const std::string& rtf) {
        const std::string plain = RichToPlain(ReadRtf(rtf));
        EXPECT_LE(plain.size(), 4 * rtf.size());
        EXPECT_TRUE(IsValidUtf8(plain));
    };
    for (size_t size = 0; size < original.size(); size += 13)
        check(original.substr(0, size));
    uint32_t seed = 12345;
    for (int i = 0; i < 300; ++i) {
        std::string damaged = original;
        for (int j = 0; j < 8; ++j) {
            seed = seed * 1103515245 + 12345;
            damaged[(seed >> 8) % damaged.size()] = static_cast<char>(seed >> 24);
        }
        check(damaged);
    }
}

} // namespace
} // namespace tevrix
