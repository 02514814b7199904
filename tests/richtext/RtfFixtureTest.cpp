// SPDX-License-Identifier: GPL-3.0-or-later
// Documents written by real programs: LibreOffice Writer 7.4 (formatting,
// table, picture; made from the HTML in rtf/sources) and a document in the
// shape Windows rich-edit controls write (richedit.rtf); small documents in
// the shape other word processors write (OtherWriterCase).
#include "richtext/RichToPlain.h"
#include "richtext/RtfTestSupport.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using test::FormatOf;
using test::Paragraphs;
using test::ParagraphText;
using test::Pictures;
using test::ReadFixture;
using test::Tables;

RichDocument ReadFixtureDocument(const std::string& name) {
    const std::string bytes = ReadFixture("rtf/" + name);
    EXPECT_FALSE(bytes.empty()) << name;
    return ReadRichDocument({bytes});
}

TEST(RtfFixtureTest, LibreOfficeFormatting) {
    const RichDocument document = ReadFixtureDocument("formatting.rtf");
    EXPECT_EQ(RichToPlain(document),
              "Вопрос по физике\n"
              "Какая из величин является векторной? Обычный, подчёркнутый и зачёркнутый текст.\n"
              "Красный и выделенный текст.\n"
              "Отступ слева, выравнивание по ширине. Ссылка: пример.\n"
              "Крупный Arial и формула E = mc2, H2O; café.\n"
              "•\tПервый пункт\n"
              "•\tВторой пункт");

    const auto paragraphs = Paragraphs(document);
    ASSERT_EQ(paragraphs.size(), 7u);
    EXPECT_EQ(paragraphs[0]->Format.Alignment, RichAlignment::Center);
    EXPECT_EQ(paragraphs[2]->Format.Alignment, RichAlignment::Right);
    EXPECT_EQ(paragraphs[3]->Format.Alignment, RichAlignment::Justify);
    EXPECT_EQ(paragraphs[3]->Format.LeftIndent, 1440);
    EXPECT_EQ(paragraphs[5]->Format.FirstLineIndent, -283); // the bullet hangs

    const RichCharFormat body = FormatOf(document, "Какая из величин является ");
    EXPECT_EQ(body.FontFamily, "Liberation Serif");
    EXPECT_EQ(body.FontSizeHalfPoints, 24);
    EXPECT_FALSE(body.Bold);
    EXPECT_TRUE(FormatOf(document, "Вопрос по физике").Bold);
    EXPECT_TRUE(FormatOf(document, "векторной").Italic);
    EXPECT_TRUE(FormatOf(document, "подчёркнутый").Underline);
    EXPECT_TRUE(FormatOf(document, "зачёркнутый").StrikeOut);
    EXPECT_EQ(FormatOf(document, "Красный").Color, (RichColor{255, 0, 0}));
    EXPECT_EQ(FormatOf(document, "выделенный").Background, (RichColor{255, 255, 0}));
    EXPECT_EQ(FormatOf(document, "пример").Link, "https://example.org/test");
    EXPECT_EQ(FormatOf(document, "Крупный Arial").FontFamily, "Arial");
    EXPECT_EQ(FormatOf(document, "Крупный Arial").FontSizeHalfPoints, 32);
    EXPECT_EQ(FormatOf(document, "O; café.").VerticalPosition, RichVerticalPosition::Normal);
}

TEST(RtfFixtureTest, LibreOfficeTable) {
    const RichDocument document = ReadFixtureDocument("table.rtf");
    ASSERT_EQ(document.Blocks.size(), 3u); // paragraph, table, paragraph
    const auto tables = Tables(document);
    ASSERT_EQ(tables.size(), 1u);
    const RichTable& table = *tables[0];
    EXPECT_TRUE(table.Bordered);
    ASSERT_EQ(table.Rows.size(), 3u);
    const char* expected[3][2] = {
        {"Величина", "Единица"}, {"Сила", "Ньютон"}, {"Работа", "Джоуль"}};
    for (size_t r = 0; r < 3; ++r) {
        ASSERT_EQ(table.Rows[r].Cells.size(), 2u);
        for (size_t c = 0; c < 2; ++c) {
            const RichTableCell& cell = table.Rows[r].Cells[c];
            EXPECT_GT(cell.Width, 0);
            ASSERT_EQ(cell.Paragraphs.size(), 1u);
            EXPECT_EQ(ParagraphText(cell.Paragraphs[0]), expected[r][c]);
        }
    }
    EXPECT_TRUE(FormatOf(document, "Величина").Bold);
    EXPECT_TRUE(FormatOf(document, "Джоуль").Italic);
    EXPECT_FALSE(FormatOf(document, "Сила").Bold);
    EXPECT_EQ(RichToPlain(document),
              "Сопоставьте величины и единицы:\nВеличина\tЕдиница\nСила\tНьютон\nРабота\tДжоуль\n"
              "Конец вопроса.");
}

TEST(RtfFixtureTest, LibreOfficePictures) {
    const RichDocument document = ReadFixtureDocument("picture.rtf");
    EXPECT_EQ(RichToPlain(document), "Что изображено на рисунке?\n и  и");
    // Each picture once: the WMF copies for old readers (\nonshppict) are skipped.
    const auto pictures = Pictures(document);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0]->Format, RichPictureFormat::Png);
    EXPECT_EQ(pictures[0]->Data, ReadFixture("pictures/picture.png"));
    EXPECT_EQ(pictures[0]->WidthTwips, 64 * 15);
    EXPECT_EQ(pictures[0]->HeightTwips, 32 * 15);
    EXPECT_EQ(pictures[1]->Format, RichPictureFormat::Jpeg);
    EXPECT_EQ(pictures[1]->Data, ReadFixture("pictures/picture.jpg"));
    EXPECT_EQ(pictures[1]->WidthTwips, 32 * 15);
    EXPECT_EQ(pictures[2]->Format, RichPictureFormat::Wmf);
    // RTF carries a metafile without its 22-byte placeable header.
    EXPECT_EQ(pictures[2]->Data, ReadFixture("pictures/picture.wmf").substr(22));
    EXPECT_EQ(pictures[2]->WidthTwips, 48 * 15);
}

TEST(RtfFixtureTest, RichEditDocument) {
    const RichDocument document = ReadFixtureDocument("richedit.rtf");
    EXPECT_EQ(RichToPlain(document),
              "Вопрос 1\nСколько будет 2 + 2?\n•\tпервый\n•\tвторой\nα = 3°, x ≥ 0, café");
    const auto paragraphs = Paragraphs(document);
    ASSERT_EQ(paragraphs.size(), 6u);
    EXPECT_EQ(paragraphs[0]->Format.Alignment, RichAlignment::Center);
    EXPECT_EQ(paragraphs[2]->Format.LeftIndent, 200);
    EXPECT_EQ(paragraphs[2]->Format.FirstLineIndent, -200);
    const RichCharFormat title = FormatOf(document, "Вопрос 1");
    EXPECT_TRUE(title.Bold);
    EXPECT_EQ(title.FontSizeHalfPoints, 32);
    EXPECT_EQ(title.FontFamily, "Times New Roman");
    EXPECT_EQ(FormatOf(document, "Сколько будет ").Color, (RichColor{255, 0, 0}));
    EXPECT_TRUE(FormatOf(document, "2 + 2").Italic);
    EXPECT_EQ(FormatOf(document, "α").FontFamily, ""); // no Symbol font for Unicode text
    EXPECT_EQ(FormatOf(document, "café").FontFamily, "Arial");
    const auto pictures = Pictures(document);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0]->Format, RichPictureFormat::Wmf);
    EXPECT_EQ(pictures[0]->Data, ReadFixture("pictures/picture.wmf").substr(22));
    EXPECT_EQ(pictures[0]->WidthTwips, 240);
}

// Documents in the shapes other writers give them: every word kept, and no
// character shown that the document does not hold.
struct OtherWriterCase {
    const char* Name;
    const char* File;
    const char* Plain;
};

class RtfOtherWriterTest : public ::testing::TestWithParam<OtherWriterCase> {};

TEST_P(RtfOtherWriterTest, KeepsEveryWord) {
    EXPECT_EQ(RichToPlain(ReadFixtureDocument(GetParam().File)), GetParam().Plain);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, RtfOtherWriterTest,
    ::testing::Values(
        // The nested table's cell text is inside its row definition.
        OtherWriterCase{"NestedTableTextInItsRowDefinition", "nested-table.rtf",
                        "Судьи\tИванов И.И.\tПетров П.П.\t\n\nРешение"},
        OtherWriterCase{"MacJapaneseAndMacRoman", "mac-japanese.rtf", "日本語 café"},
        OtherWriterCase{"OpenSymbolBulletsOfADoubleByteCharset", "opensymbol-list.rtf",
                        "•\tПервый\n•\tВторой"},
        OtherWriterCase{"FootnoteMarksShownTheirTextLeftOut", "footnotes.rtf", "aaa1 bbb2"}),
    testing::CaseName);

TEST(RtfFixtureTest, NestedRowDefinitionLeavesTheOuterRowItsCells) {
    const RichDocument document = ReadFixtureDocument("nested-table.rtf");
    const auto tables = Tables(document);
    ASSERT_EQ(tables.size(), 1u);
    ASSERT_EQ(tables[0]->Rows.size(), 1u);
    ASSERT_EQ(tables[0]->Rows[0].Cells.size(), 2u);
    EXPECT_EQ(tables[0]->Rows[0].Cells[0].Width, 3000);
    EXPECT_EQ(tables[0]->Rows[0].Cells[1].Width, 4000);
}

TEST(RtfFixtureTest, FootnoteMarkKeepsItsCharacterStyle) {
    const RichDocument document = ReadFixtureDocument("footnotes.rtf");
    EXPECT_EQ(FormatOf(document, "1").VerticalPosition, RichVerticalPosition::Superscript);
    EXPECT_EQ(FormatOf(document, "aaa").VerticalPosition, RichVerticalPosition::Normal);
}

} // namespace
} // namespace tevrix
