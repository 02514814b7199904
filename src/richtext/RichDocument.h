// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tevrix {

// The neutral form of a rich text: what the RTF reader (or the plain-text
// reader) found, free of any toolkit. The GUI turns it into its own document;
// the plain-text form is taken from it too. Lengths are in twips (1/1440 inch),
// as RTF gives them.

struct RichColor {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    friend bool operator==(const RichColor&, const RichColor&) = default;
};

enum class RichVerticalPosition { Normal, Superscript, Subscript };

// Character formatting of a run. An empty font family, a size of 0 and an
// absent colour mean "the default of the area that shows the text".
struct RichCharFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    RichVerticalPosition VerticalPosition = RichVerticalPosition::Normal;
    std::string FontFamily;
    int FontSizeHalfPoints = 0;
    std::optional<RichColor> Color;
    std::optional<RichColor> Background;
    std::string Link; // target of a hyperlink; empty when the run is no link
    friend bool operator==(const RichCharFormat&, const RichCharFormat&) = default;
};

// The picture formats an RTF document can embed. A device-independent bitmap
// is stored as a complete BMP file (the reader adds the file header).
enum class RichPictureFormat { Png, Jpeg, Bmp, Wmf, Emf };

struct RichPicture {
    RichPictureFormat Format = RichPictureFormat::Png;
    std::string Data; // the picture's file bytes
    // The size the document asks for, in twips, scaling included; 0 when it
    // gives none and the picture's own size applies.
    int WidthTwips = 0;
    int HeightTwips = 0;
    friend bool operator==(const RichPicture&, const RichPicture&) = default;
};

// A stretch of text in one format, or one picture. Text is UTF-8; '\t' is a
// tab and '\n' a line break inside the paragraph.
struct RichRun {
    RichCharFormat Format;
    std::string Text;
    std::optional<RichPicture> Picture; // set: the run is this picture and Text is empty
};

enum class RichAlignment { Left, Center, Right, Justify };

enum class RichTabKind { Left, Center, Right, Decimal };

struct RichTabStop {
    int Position = 0; // from the left margin of the text, not from the indent
    RichTabKind Kind = RichTabKind::Left;
    friend bool operator==(const RichTabStop&, const RichTabStop&) = default;
};

struct RichParagraphFormat {
    RichAlignment Alignment = RichAlignment::Left;
    int LeftIndent = 0;
    int RightIndent = 0;
    int FirstLineIndent = 0; // relative to LeftIndent, negative for a hanging indent
    int SpaceBefore = 0;
    int SpaceAfter = 0;
    std::vector<RichTabStop> TabStops; // in the order given
    friend bool operator==(const RichParagraphFormat&, const RichParagraphFormat&) = default;
};

struct RichParagraph {
    RichParagraphFormat Format;
    std::vector<RichRun> Runs;
};

struct RichTableCell {
    int Width = 0; // twips; 0 when the row did not define this cell
    std::vector<RichParagraph> Paragraphs;
};

struct RichTableRow {
    std::vector<RichTableCell> Cells;
};

struct RichTable {
    bool Bordered = false; // some cell of the table has a border
    std::vector<RichTableRow> Rows;
};

using RichBlock = std::variant<RichParagraph, RichTable>;

struct RichDocument {
    std::vector<RichBlock> Blocks;
};

// Reads a rich text: an RTF document when it starts as one, otherwise plain
// Windows-1251 text with one paragraph (of one run) per line.
RichDocument ReadRichDocument(const RichText& text);

} // namespace tevrix
