// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RtfParser.h"

#include "text/Cp1251.h"
#include "text/Strings.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace tevrix {

enum class RtfParser::Keyword {
    // destinations
    FontTable,
    ColorTable,
    StyleSheet,
    Pict,
    Field,
    FieldInstruction,
    FieldResult,
    ShapePicture,
    ShapeInstance,
    ShapeResult,
    ObjectResult,
    NestedRowProperties,
    Ignored,
    // document
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    Binary,
    FootnoteStart,
    FootnoteMark,
    // font and colour tables
    Font,
    Charset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // character formatting
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Color,
    Background,
    Superscript,
    Subscript,
    NoSuperSub,
    Up,
    Down,
    Hidden,
    // paragraph formatting
    ParagraphDefault,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    TabStop,
    TabKindCenter,
    TabKindRight,
    TabKindDecimal,
    InTable,
    Style,
    BasedOn,
    // tables
    RowDefault,
    RowLeft,
    CellRight,
    BorderSide,
    BorderStyle,
    Cell,
    Row,
    // breaks
    ParagraphEnd,
    LineBreak,
    // pictures
    Png,
    Jpeg,
    Emf,
    Wmf,
    Dib,
    OtherPicture,
    PictureWidth,
    PictureHeight,
    GoalWidth,
    GoalHeight,
    ScaleX,
    ScaleY,
};

namespace {

// Lengths are clamped to 22 inches, the largest page a word processor makes.
constexpr int kMaxTwips = 31680;
// Font sizes are clamped to 1..1638 points, the range of the rich-edit control.
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxFootnoteNumber = 1'000'000'000;

// Words that stand for one character (UTF-8).
const std::unordered_map<std::string_view, std::string_view>& SpecialCharacters() {
    static const std::unordered_map<std::string_view, std::string_view> table = {
        {"tab", "\t"},
        {"emdash", "\u2014"},
        {"endash", "\u2013"},
        {"emspace", "\u2003"},
        {"enspace", "\u2002"},
        {"qmspace", "\u2005"},
        {"bullet", "\u2022"},
        {"lquote", "\u2018"},
        {"rquote", "\u2019"},
        {"ldblquote", "\u201C"},
        {"rdblquote", "\u201D"},
        {"zwj", "\u200D"},
        {"zwnj", "\u200C"},
        // Cells of nested tables are kept apart within the outer cell.
        {"nestcell", "\t"},
        {"nestrow", "\n"},
    };
    return table;
}

int ClampTwips(int32_t value) {
    return std::clamp<int32_t>(value, -kMaxTwips, kMaxTwips);
}

uint32_t ReadLittleEndian(std::string_view data, size_t offset, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= uint32_t{static_cast<unsigned char>(data[offset + i])} << (8 * i);
    return value;
}

void AppendLittleEndian(std::string& out, uint32_t value, size_t size) {
    for (size_t i = 0; i < size; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// \dibitmap holds a BMP file without its 14-byte file header:
//   "BM", uint32 file size, uint32 reserved, uint32 offset of the pixels.
// The offset follows the info header and the colour table; a core header
// (12 bytes) has 3-byte colours, the others 4-byte ones, and a 40-byte header
// with BI_BITFIELDS (3) is followed by three colour masks. Empty when the
// info header does not fit in the data.
std::string BmpFileFromDib(const std::string& dib) {
    if (dib.size() < 12)
        return {};
    const uint32_t headerSize = ReadLittleEndian(dib, 0, 4);
    if (headerSize < 12 || headerSize > dib.size() || (headerSize > 12 && headerSize < 40))
        return {};
    const bool core = headerSize == 12;
    const uint32_t bitCount = ReadLittleEndian(dib, core ? 10 : 14, 2);
    const uint32_t compression = core ? 0 : ReadLittleEndian(dib, 16, 4);
    const uint32_t colorsUsed = core ? 0 : ReadLittleEndian(dib, 32, 4);
    uint32_t colors = colorsUsed != 0 ? std::min<uint32_t>(colorsUsed, 256)
                                      : (bitCount <= 8 ? 1u << bitCount : 0);
    const uint32_t masks = (headerSize == 40 && compression == 3) ? 12 : 0;
    const uint32_t offset = 14 + headerSize + colors * (core ? 3 : 4) + masks;
    std::string file = "BM";
    AppendLittleEndian(file, static_cast<uint32_t>(14 + dib.size()), 4);
    AppendLittleEndian(file, 0, 4);
    AppendLittleEndian(file, offset, 4);
    return file + dib;
}

// The next argument of a field instruction at `position`: a quoted text or
// a word. Returns false at the end.
bool NextFieldArgument(std::string_view instruction, size_t& position, std::string& argument) {
    while (position < instruction.size() &&
           static_cast<unsigned char>(instruction[position]) <= ' ')
        ++position;
    if (position >= instruction.size())
        return false;
    argument.clear();
    if (instruction[position] == '"') {
        const size_t close = instruction.find('"', position + 1);
        const size_t end = close == std::string_view::npos ? instruction.size() : close;
        argument = instruction.substr(position + 1, end - position - 1);
        position = end + 1;
        return true;
    }
    while (position < instruction.size() && static_cast<unsigned char>(instruction[position]) > ' ')
        argument += instruction[position++];
    return true;
}

// The target of "HYPERLINK target [switches]"; empty for other fields and
// for links to a bookmark of the document (\l), which lead nowhere here.
std::string HyperlinkTarget(std::string_view instruction) {
    size_t position = 0;
    std::string argument;
    if (!NextFieldArgument(instruction, position, argument) ||
        !EqualsIgnoringAsciiCase(argument, "HYPERLINK"))
        return {};
    std::string target;
    while (NextFieldArgument(instruction, position, argument)) {
        if (argument == "\\l")
            return {};
        if (argument.size() == 2 && argument[0] == '\\') { // \o "tip", \t "frame", \m, \n, \h
            if (argument == "\\o" || argument == "\\t")
                NextFieldArgument(instruction, position, argument);
            continue;
        }
        if (target.empty())
            target = argument;
    }
    return target;
}

} // namespace

const RtfParser::Keyword* RtfParser::FindKeyword(std::string_view name) {
    using K = Keyword;
    static const std::unordered_map<std::string_view, K> table = {
        {"fonttbl", K::FontTable},
        {"colortbl", K::ColorTable},
        {"stylesheet", K::StyleSheet},
        {"pict", K::Pict},
        {"field", K::Field},
        {"fldinst", K::FieldInstruction},
        {"fldrslt", K::FieldResult},
        {"shppict", K::ShapePicture},
        {"shpinst", K::ShapeInstance},
        {"shprslt", K::ShapeResult},
        {"result", K::ObjectResult},
        {"nesttableprops", K::NestedRowProperties},
        // Destinations whose content is never shown. Those written with \*
        // are skipped anyway; these are the ones older writers give without.
        {"info", K::Ignored},
        {"header", K::Ignored},
        {"headerl", K::Ignored},
        {"headerr", K::Ignored},
        {"headerf", K::Ignored},
        {"footer", K::Ignored},
        {"footerl", K::Ignored},
        {"footerr", K::Ignored},
        {"footerf", K::Ignored},
        {"footnote", K::Ignored},
        {"annotation", K::Ignored},
        {"atnid", K::Ignored},
        {"atnauthor", K::Ignored},
        {"xe", K::Ignored},
        {"tc", K::Ignored},
        {"txe", K::Ignored},
        {"rxe", K::Ignored},
        {"listtable", K::Ignored},
        {"listoverridetable", K::Ignored},
        {"revtbl", K::Ignored},
        {"filetbl", K::Ignored},
        {"nonshppict", K::Ignored},
        {"objdata", K::Ignored},
        {"objclass", K::Ignored},
        {"objname", K::Ignored},
        {"template", K::Ignored},
        {"bkmkstart", K::Ignored},
        {"bkmkend", K::Ignored},
        {"pn", K::Ignored},
        {"pntxta", K::Ignored},
        {"pntxtb", K::Ignored},
        {"pnseclvl", K::Ignored},
        {"ftnsep", K::Ignored},
        {"ftnsepc", K::Ignored},
        {"ftncn", K::Ignored},
        {"aftnsep", K::Ignored},
        {"aftnsepc", K::Ignored},
        {"aftncn", K::Ignored},
        // The text of nested tables again, for readers that do not know them.
        {"nonesttables", K::Ignored},
        {"do", K::Ignored},
        {"comment", K::Ignored},
        {"title", K::Ignored},
        {"subject", K::Ignored},
        {"author", K::Ignored},
        {"operator", K::Ignored},
        {"keywords", K::Ignored},
        {"doccomm", K::Ignored},
        {"company", K::Ignored},
        {"userprops", K::Ignored},
        {"docvar", K::Ignored},
        {"creatim", K::Ignored},
        {"revtim", K::Ignored},
        {"printim", K::Ignored},
        {"buptim", K::Ignored},
        {"ansi", K::Ansi},
        {"mac", K::Mac},
        {"pc", K::Pc},
        {"pca", K::Pca},
        {"ansicpg", K::AnsiCodePage},
        {"deff", K::DefaultFont},
        {"uc", K::UnicodeSkip},
        {"u", K::Unicode},
        {"bin", K::Binary},
        {"ftnstart", K::FootnoteStart},
        {"chftn", K::FootnoteMark},
        {"f", K::Font},
        {"fcharset", K::Charset},
        {"cpg", K::FontCodePage},
        {"red", K::Red},
        {"green", K::Green},
        {"blue", K::Blue},
        {"plain", K::Plain},
        {"b", K::Bold},
        {"i", K::Italic},
        {"ul", K::Underline},
        {"uld", K::Underline},
        {"uldash", K::Underline},
        {"uldashd", K::Underline},
        {"uldashdd", K::Underline},
        {"uldb", K::Underline},
        {"ulhwave", K::Underline},
        {"ulldash", K::Underline},
        {"ulth", K::Underline},
        {"ulthd", K::Underline},
        {"ulthdash", K::Underline},
        {"ulw", K::Underline},
        {"ulwave", K::Underline},
        {"ulnone", K::UnderlineNone},
        {"strike", K::Strike},
        {"striked", K::Strike},
        {"fs", K::FontSize},
        {"cf", K::Color},
        {"cb", K::Background},
        {"highlight", K::Background},
        {"chcbpat", K::Background},
        {"super", K::Superscript},
        {"sub", K::Subscript},
        {"nosupersub", K::NoSuperSub},
        {"up", K::Up},
        {"dn", K::Down},
        {"v", K::Hidden},
        {"pard", K::ParagraphDefault},
        {"ql", K::AlignLeft},
        {"qc", K::AlignCenter},
        {"qr", K::AlignRight},
        {"qj", K::AlignJustify},
        {"qd", K::AlignJustify},
        {"li", K::LeftIndent},
        {"ri", K::RightIndent},
        {"fi", K::FirstIndent},
        {"sb", K::SpaceBefore},
        {"sa", K::SpaceAfter},
        {"tx", K::TabStop},
        {"tqc", K::TabKindCenter},
        {"tqr", K::TabKindRight},
        {"tqdec", K::TabKindDecimal},
        {"intbl", K::InTable},
        {"s", K::Style},
        {"sbasedon", K::BasedOn},
        {"trowd", K::RowDefault},
        {"trleft", K::RowLeft},
        {"cellx", K::CellRight},
        {"clbrdrt", K::BorderSide},
        {"clbrdrb", K::BorderSide},
        {"clbrdrl", K::BorderSide},
        {"clbrdrr", K::BorderSide},
        {"trbrdrt", K::BorderSide},
        {"trbrdrb", K::BorderSide},
        {"trbrdrl", K::BorderSide},
        {"trbrdrr", K::BorderSide},
        {"trbrdrh", K::BorderSide},
        {"trbrdrv", K::BorderSide},
        {"brdrs", K::BorderStyle},
        {"brdrth", K::BorderStyle},
        {"brdrsh", K::BorderStyle},
        {"brdrdb", K::BorderStyle},
        {"brdrdot", K::BorderStyle},
        {"brdrdash", K::BorderStyle},
        {"brdrhair", K::BorderStyle},
        {"brdrinset", K::BorderStyle},
        {"brdroutset", K::BorderStyle},
        {"brdrtriple", K::BorderStyle},
        {"brdrdashsm", K::BorderStyle},
        {"brdrdashd", K::BorderStyle},
        {"brdrdashdd", K::BorderStyle},
        {"brdrwavy", K::BorderStyle},
        {"brdrwavydb", K::BorderStyle},
        {"brdremboss", K::BorderStyle},
        {"brdrengrave", K::BorderStyle},
        {"cell", K::Cell},
        {"row", K::Row},
        {"par", K::ParagraphEnd},
        {"sect", K::ParagraphEnd},
        {"page", K::ParagraphEnd},
        {"column", K::ParagraphEnd},
        {"line", K::LineBreak},
        {"pngblip", K::Png},
        {"jpegblip", K::Jpeg},
        {"emfblip", K::Emf},
        {"wmetafile", K::Wmf},
        {"dibitmap", K::Dib},
        {"wbitmap", K::OtherPicture},
        {"macpict", K::OtherPicture},
        {"pmmetafile", K::OtherPicture},
        {"picw", K::PictureWidth},
        {"pich", K::PictureHeight},
        {"picwgoal", K::GoalWidth},
        {"pichgoal", K::GoalHeight},
        {"picscalex", K::ScaleX},
        {"picscaley", K::ScaleY},
    };
    const auto found = table.find(name);
    return found == table.end() ? nullptr : &found->second;
}

RichDocument RtfParser::Read(std::string_view rtf) {
    RtfParser reader(rtf);
    return reader.Run();
}

RtfParser::RtfParser(std::string_view rtf) : m_tokenizer(rtf) {
    m_states.emplace_back(); // outside every group
}

RichDocument RtfParser::Run() {
    while (!m_ended) {
        const RtfToken token = m_tokenizer.Next();
        switch (token.Type) {
        case RtfTokenType::End: m_ended = true; break;
        case RtfTokenType::GroupStart: OnGroupStart(); break;
        case RtfTokenType::GroupEnd: OnGroupEnd(); break;
        case RtfTokenType::ControlWord: OnControlWord(token); break;
        case RtfTokenType::ControlSymbol: OnControlSymbol(token); break;
        case RtfTokenType::Text: OnText(token.Text); break;
        }
    }
    // A document cut off inside a picture keeps what arrived of it.
    FlushBytes();
    if (m_picture && m_skippedDepth == 0) {
        m_states.resize(std::min(m_states.size(), m_pictureDepth + 1));
        FinishPicture();
    }
    return m_builder.Finish(State().Paragraph, State().InTable);
}

void RtfParser::OnGroupStart() {
    FlushBytes();
    m_fallbackToSkip = 0;
    m_starPending = false;
    if (m_skippedDepth > 0 || m_states.size() > kRtfMaxDepth) {
        ++m_skippedDepth;
        return;
    }
    if (State().Target == Destination::StyleSheet)
        m_styleEntry = 0; // an entry without \s is style 0
    m_states.push_back(State());
}

void RtfParser::OnGroupEnd() {
    FlushBytes();
    m_fallbackToSkip = 0;
    m_starPending = false;
    if (m_skippedDepth > 0) {
        --m_skippedDepth;
        return;
    }
    if (m_states.size() <= 1)
        return;                 // a brace that closes nothing
    if (m_states.size() == 2) { // the document's own group
        m_ended = true;
        return;
    }
    const size_t depth = m_states.size() - 1;
    if (State().Target == Destination::FontTable && m_fontEntry >= 0)
        AddFontTableBytes(";"); // an entry whose name has no terminator
    if (m_picture && depth == m_pictureDepth)
        FinishPicture();
    if (!m_fields.empty() && m_fields.back().Depth == depth)
        m_fields.pop_back();
    m_states.pop_back();
}

void RtfParser::OnControlWord(const RtfToken& token) {
    const Keyword* keyword = FindKeyword(token.Text);
    if (keyword && *keyword == Keyword::Binary) { // its data is never tokenised
        OnBinary(token.HasParameter ? token.Parameter : 0);
        return;
    }
    if (m_skippedDepth > 0 || State().Target == Destination::Skip)
        return;
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    FlushBytes();
    if (m_starPending) {
        // \* marks a destination a reader may skip when it does not know it.
        m_starPending = false;
        if (!keyword || !OnDestinationKeyword(*keyword))
            State().Target = Destination::Skip;
        return;
    }
    const auto special = SpecialCharacters().find(token.Text);
    if (special != SpecialCharacters().end()) {
        AddUtf8(special->second);
        return;
    }
    if (keyword)
        OnKeyword(*keyword, token);
}

void RtfParser::OnKeyword(Keyword keyword, const RtfToken& token) {
    using K = Keyword;
    const int32_t parameter = token.Parameter;
    switch (State().Target) {
    case Destination::FontTable: return OnFontTableKeyword(keyword, parameter);
    case Destination::ColorTable: return OnColorTableKeyword(keyword, parameter);
    case Destination::Picture: return OnPictureKeyword(keyword, parameter);
    default: break;
    }
    if (OnDestinationKeyword(keyword))
        return;
    switch (keyword) {
    case K::Ansi: m_codePage = RtfTextDecoder::kDefaultCodePage; return;
    case K::Mac: m_codePage = 10000; return;
    case K::Pc: m_codePage = 437; return;
    case K::Pca: m_codePage = 850; return;
    case K::AnsiCodePage:
        if (parameter > 0)
            m_codePage = parameter;
        return;
    case K::DefaultFont: m_defaultFont = parameter; return;
    case K::FootnoteStart: m_nextFootnote = std::clamp(parameter, 0, kMaxFootnoteNumber); return;
    case K::FootnoteMark:
        // The reference to a footnote; inside the footnote, which is
        // skipped, the same word would repeat the mark before its text.
        AddUtf8(std::to_string(m_nextFootnote));
        m_nextFootnote = std::min(m_nextFootnote + 1, kMaxFootnoteNumber);
        return;
    case K::UnicodeSkip: State().UnicodeSkip = std::clamp(parameter, 0, kMaxUnicodeSkip); return;
    case K::Unicode: return OnUnicode(parameter);
    case K::ParagraphEnd: return EndParagraph();
    case K::LineBreak: return AddUtf8("\n");
    case K::Cell:
        if (State().Target == Destination::Text)
            m_builder.EndCell(State().Paragraph);
        return;
    case K::Row:
        if (State().Target == Destination::Text) {
            // Only the row's own cells get a width: the \cellx of a table
            // without \trowd pile up row after row.
            const size_t cells = std::min(m_cellRights.size(), m_builder.RowCellCount());
            std::vector<int> widths;
            int left = m_rowLeft;
            for (size_t i = 0; i < cells; ++i) {
                widths.push_back(std::max(0, m_cellRights[i] - left));
                left = m_cellRights[i];
            }
            m_builder.EndRow(widths, m_rowBordered);
        }
        return;
    default: break;
    }
    OnTableDefinitionKeyword(keyword, parameter);
    OnParagraphKeyword(keyword, parameter);
    const bool on = !token.HasParameter || parameter != 0;
    OnCharacterKeyword(keyword, on, parameter);
}

bool RtfParser::OnDestinationKeyword(Keyword keyword) {
    using K = Keyword;
    GroupState& state = State();
    switch (keyword) {
    case K::FontTable: state.Target = Destination::FontTable; return true;
    case K::ColorTable: state.Target = Destination::ColorTable; return true;
    case K::StyleSheet: state.Target = Destination::StyleSheet; return true;
    case K::Pict:
        state.Target = Destination::Picture;
        m_picture = PictureState{};
        m_pictureDepth = m_states.size() - 1;
        return true;
    case K::Field: StartField(); return true;
    case K::FieldInstruction:
        state.Target = m_fields.empty() ? Destination::Skip : Destination::FieldInstruction;
        return true;
    case K::FieldResult:
        state.Target = Destination::Text;
        if (const std::string link = FieldLink(); !link.empty())
            state.Format.Link = link;
        return true;
    case K::ShapePicture:
    case K::ObjectResult: return true; // their content is the document's own
    case K::NestedRowProperties:
        // The row definition of a nested table, before its \nestrow; some
        // writers put the nested cells' text in here too.
        state.NestedRowDefinition = true;
        return true;
    case K::ShapeInstance: state.Target = Destination::ShapeInstance; return true;
    case K::ShapeResult: // the same shape again, for readers that do not know \shpinst
    case K::Ignored: state.Target = Destination::Skip; return true;
    default: return false;
    }
}

void RtfParser::OnTableDefinitionKeyword(Keyword keyword, int32_t parameter) {
    using K = Keyword;
    if (State().NestedRowDefinition)
        return; // nested tables are flattened: the outer row keeps its cells
    switch (keyword) {
    case K::RowDefault:
        m_cellRights.clear();
        m_rowLeft = 0;
        m_rowBordered = false;
        m_inBorder = false;
        break;
    case K::RowLeft: m_rowLeft = ClampTwips(parameter); break;
    case K::CellRight:
        m_cellRights.push_back(ClampTwips(parameter));
        m_inBorder = false;
        break;
    case K::BorderSide: m_inBorder = true; break;
    case K::BorderStyle: m_rowBordered = m_rowBordered || m_inBorder; break;
    default: break;
    }
}

void RtfParser::OnParagraphKeyword(Keyword keyword, int32_t parameter) {
    using K = Keyword;
    GroupState& state = State();
    RichParagraphFormat& paragraph = state.Paragraph;
    switch (keyword) {
    case K::ParagraphDefault:
        paragraph = {};
        state.InTable = false;
        break;
    case K::AlignLeft: paragraph.Alignment = RichAlignment::Left; break;
    case K::AlignCenter: paragraph.Alignment = RichAlignment::Center; break;
    case K::AlignRight: paragraph.Alignment = RichAlignment::Right; break;
    case K::AlignJustify: paragraph.Alignment = RichAlignment::Justify; break;
    case K::LeftIndent: paragraph.LeftIndent = ClampTwips(parameter); break;
    case K::RightIndent: paragraph.RightIndent = ClampTwips(parameter); break;
    case K::FirstIndent: paragraph.FirstLineIndent = ClampTwips(parameter); break;
    case K::SpaceBefore: paragraph.SpaceBefore = std::clamp(parameter, 0, kMaxTwips); break;
    case K::SpaceAfter: paragraph.SpaceAfter = std::clamp(parameter, 0, kMaxTwips); break;
    case K::TabKindCenter: state.NextTabKind = RichTabKind::Center; break;
    case K::TabKindRight: state.NextTabKind = RichTabKind::Right; break;
    case K::TabKindDecimal: state.NextTabKind = RichTabKind::Decimal; break;
    case K::TabStop:
        if (paragraph.TabStops.size() < kRtfMaxTabStops)
            paragraph.TabStops.push_back({std::clamp(parameter, 0, kMaxTwips), state.NextTabKind});
        state.NextTabKind = RichTabKind::Left;
        break;
    case K::InTable: state.InTable = true; break;
    case K::Style:
        if (state.Target == Destination::StyleSheet) {
            m_styleEntry = parameter;
        } else if (const auto style = m_styles.find(parameter); style != m_styles.end()) {
            const std::string link = state.Format.Link;
            state.Format = style->second.Format;
            state.Format.Link = link;
            state.Font = style->second.Font;
            paragraph = style->second.Paragraph;
        }
        break;
    case K::BasedOn:
        if (const auto style = m_styles.find(parameter);
            state.Target == Destination::StyleSheet && style != m_styles.end()) {
            state.Format = style->second.Format;
            state.Font = style->second.Font;
            paragraph = style->second.Paragraph;
        }
        break;
    default: break;
    }
}

void RtfParser::OnCharacterKeyword(Keyword keyword, bool on, int32_t parameter) {
    using K = Keyword;
    GroupState& state = State();
    RichCharFormat& format = state.Format;
    switch (keyword) {
    case K::Plain: {
        std::string link = std::move(format.Link); // a link is no character property
        format = {};
        format.Link = std::move(link);
        state.Font = -1;
        state.Hidden = false;
        break;
    }
    case K::Bold: format.Bold = on; break;
    case K::Italic: format.Italic = on; break;
    case K::Underline: format.Underline = on; break;
    case K::UnderlineNone: format.Underline = false; break;
    case K::Strike: format.StrikeOut = on; break;
    case K::Hidden: state.Hidden = on; break;
    case K::Font: state.Font = parameter; break;
    case K::FontSize:
        format.FontSizeHalfPoints = parameter <= 0 ? 0 : std::clamp(parameter, 2, kMaxHalfPoints);
        break;
    case K::Color: format.Color = ColorAt(parameter); break;
    case K::Background: format.Background = ColorAt(parameter); break;
    case K::Superscript: format.VerticalPosition = RichVerticalPosition::Superscript; break;
    case K::Subscript: format.VerticalPosition = RichVerticalPosition::Subscript; break;
    case K::NoSuperSub: format.VerticalPosition = RichVerticalPosition::Normal; break;
    case K::Up:
        format.VerticalPosition =
            parameter > 0 ? RichVerticalPosition::Superscript : RichVerticalPosition::Normal;
        break;
    case K::Down:
        format.VerticalPosition =
            parameter > 0 ? RichVerticalPosition::Subscript : RichVerticalPosition::Normal;
        break;
    default: break;
    }
}

void RtfParser::OnPictureKeyword(Keyword keyword, int32_t parameter) {
    using K = Keyword;
    PictureState& picture = *m_picture;
    switch (keyword) {
    case K::Png: picture.Format = RichPictureFormat::Png; break;
    case K::Jpeg: picture.Format = RichPictureFormat::Jpeg; break;
    case K::Emf: picture.Format = RichPictureFormat::Emf; break;
    case K::Wmf: picture.Format = RichPictureFormat::Wmf; break;
    case K::Dib:
        picture.Format = RichPictureFormat::Bmp;
        picture.IsDib = true;
        break;
    case K::OtherPicture: picture.Format.reset(); break;
    case K::PictureWidth: picture.Width = std::clamp(parameter, 0, 1 << 20); break;
    case K::PictureHeight: picture.Height = std::clamp(parameter, 0, 1 << 20); break;
    case K::GoalWidth: picture.GoalWidth = std::clamp(parameter, 0, kMaxTwips); break;
    case K::GoalHeight: picture.GoalHeight = std::clamp(parameter, 0, kMaxTwips); break;
    case K::ScaleX: picture.ScaleX = parameter > 0 ? std::min(parameter, 1000) : 100; break;
    case K::ScaleY: picture.ScaleY = parameter > 0 ? std::min(parameter, 1000) : 100; break;
    default: break;
    }
}

void RtfParser::OnFontTableKeyword(Keyword keyword, int32_t parameter) {
    switch (keyword) {
    case Keyword::Font:
        m_fontEntry = parameter;
        m_fonts[parameter] = {};
        m_fontNameBytes.clear();
        break;
    case Keyword::Charset:
        if (m_fontEntry >= 0)
            m_fonts[m_fontEntry].CodePage = RtfTextDecoder::CodePageOfCharset(parameter);
        break;
    case Keyword::FontCodePage:
        if (m_fontEntry >= 0 && parameter > 0)
            m_fonts[m_fontEntry].CodePage = parameter;
        break;
    default: break;
    }
}

void RtfParser::OnColorTableKeyword(Keyword keyword, int32_t parameter) {
    const auto component = static_cast<uint8_t>(std::clamp(parameter, 0, 255));
    switch (keyword) {
    case Keyword::Red: m_colorEntry.Red = component; break;
    case Keyword::Green: m_colorEntry.Green = component; break;
    case Keyword::Blue: m_colorEntry.Blue = component; break;
    default: return;
    }
    m_colorEntrySet = true;
}

void RtfParser::OnUnicode(int32_t parameter) {
    // Values above 32767 are written as negative numbers.
    const int64_t value = parameter < 0 ? int64_t{parameter} + 65536 : parameter;
    m_fallbackToSkip = State().UnicodeSkip;
    if (value >= 0xD800 && value <= 0xDBFF) {
        m_highSurrogate = static_cast<char32_t>(value);
        return;
    }
    char32_t codePoint = static_cast<char32_t>(value);
    if (value >= 0xDC00 && value <= 0xDFFF) {
        codePoint = m_highSurrogate == 0
                        ? char32_t{0xFFFD}
                        : 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (codePoint - 0xDC00);
    } else if (value < 0 || value > 0x10FFFF) {
        codePoint = 0xFFFD;
    }
    m_highSurrogate = 0;
    AddCodePoint(codePoint);
}

void RtfParser::OnControlSymbol(const RtfToken& token) {
    if (m_skippedDepth > 0 || State().Target == Destination::Skip)
        return;
    const char symbol = token.Text[0];
    if (m_fallbackToSkip > 0 && symbol != '*') {
        --m_fallbackToSkip;
        return;
    }
    switch (symbol) {
    case '*': m_starPending = true; return;
    case '\'':
        if (token.Hex >= 0) {
            const char byte = static_cast<char>(token.Hex);
            if (State().Target == Destination::FontTable)
                AddFontTableBytes({&byte, 1});
            else
                AddBytes({&byte, 1});
        }
        return;
    case '\\':
    case '{':
    case '}': return AddBytes(token.Text);
    case '~': return AddUtf8("\u00A0");
    case '_': return AddUtf8("\u2011");
    case '\r':
    case '\n': return EndParagraph();
    default: return; // \- optional hyphen, \| \: and the unknown ones
    }
}

void RtfParser::OnText(std::string_view bytes) {
    if (m_skippedDepth > 0)
        return;
    if (m_fallbackToSkip > 0) {
        const size_t skipped = std::min<size_t>(m_fallbackToSkip, bytes.size());
        m_fallbackToSkip -= static_cast<int>(skipped);
        bytes.remove_prefix(skipped);
    }
    m_starPending = false;
    switch (State().Target) {
    case Destination::FontTable: return AddFontTableBytes(bytes);
    case Destination::ColorTable: return AddColorTableBytes(bytes);
    case Destination::StyleSheet: return AddStyleBytes(bytes);
    case Destination::Picture: return AddPictureBytes(bytes);
    case Destination::Text:
    case Destination::FieldInstruction: return AddBytes(bytes);
    default: return;
    }
}

void RtfParser::OnBinary(int32_t count) {
    const std::string_view data = m_tokenizer.TakeBinary(count);
    if (m_skippedDepth == 0 && State().Target == Destination::Picture) {
        m_picture->Data.append(data);
        m_picture->HighNibble = -1;
    }
}

void RtfParser::AddBytes(std::string_view bytes) {
    if (State().Target != Destination::Text && State().Target != Destination::FieldInstruction)
        return;
    for (const char c : bytes) {
        // Control characters are no text; a tab byte is a tab.
        if (static_cast<unsigned char>(c) >= ' ' || c == '\t')
            m_pendingBytes.push_back(c);
    }
}

void RtfParser::AddUtf8(std::string_view utf8) {
    FlushBytes();
    switch (State().Target) {
    case Destination::Text:
        if (!State().Hidden)
            m_builder.AppendText(utf8, EffectiveFormat());
        break;
    case Destination::FieldInstruction:
        if (!m_fields.empty()) {
            std::string& instruction = m_fields.back().Instruction;
            instruction.append(utf8.substr(
                0, 2 * kRtfMaxLinkLength - std::min(instruction.size(), 2 * kRtfMaxLinkLength)));
        }
        break;
    default: break;
    }
}

void RtfParser::AddCodePoint(char32_t codePoint) {
    // Symbol fonts written as \uN: Windows puts their glyphs at U+F0xx.
    const RtfSymbolFont symbolFont = SymbolFontOf(State().Font);
    if (codePoint >= 0xF020 && codePoint <= 0xF0FF &&
        (symbolFont == RtfSymbolFont::Symbol || symbolFont == RtfSymbolFont::Wingdings))
        codePoint = RtfTextDecoder::SymbolCharacter(symbolFont,
                                                    static_cast<unsigned char>(codePoint - 0xF000));
    if (codePoint < 0x20 && codePoint != '\t')
        return;
    std::string utf8;
    AppendUtf8(utf8, codePoint);
    AddUtf8(utf8);
}

void RtfParser::FlushBytes() {
    if (m_pendingBytes.empty())
        return;
    std::string utf8;
    const int font = State().Font;
    m_decoder.Decode(CodePageOf(font), SymbolFontOf(font), m_pendingBytes, utf8);
    m_pendingBytes.clear();
    AddUtf8(utf8);
}

void RtfParser::EndParagraph() {
    FlushBytes();
    if (State().Target == Destination::Text)
        m_builder.EndParagraph(State().Paragraph, State().InTable);
}

void RtfParser::AddFontTableBytes(std::string_view bytes) {
    for (const char c : bytes) {
        if (c != ';') {
            if (m_fontNameBytes.size() < kRtfMaxFontNameLength)
                m_fontNameBytes.push_back(c);
            continue;
        }
        if (m_fontEntry >= 0) {
            Font& font = m_fonts[m_fontEntry];
            const int codePage =
                font.CodePage == RtfTextDecoder::kSymbolCodePage || font.CodePage == 0
                    ? m_codePage
                    : font.CodePage;
            std::string name;
            m_decoder.Decode(codePage, RtfSymbolFont::None, Trim(m_fontNameBytes), name);
            font.Name = std::move(name);
            font.SymbolFont = RtfTextDecoder::SymbolFontOf(font.Name, font.CodePage);
        }
        m_fontEntry = -1;
        m_fontNameBytes.clear();
    }
}

void RtfParser::AddColorTableBytes(std::string_view bytes) {
    for (const char c : bytes) {
        if (c != ';')
            continue;
        // An entry without components is "auto": the area's own colour.
        m_colors.push_back(m_colorEntrySet ? std::optional<RichColor>(m_colorEntry) : std::nullopt);
        m_colorEntry = {};
        m_colorEntrySet = false;
    }
}

void RtfParser::AddStyleBytes(std::string_view bytes) {
    if (bytes.find(';') == std::string_view::npos)
        return;
    const GroupState& state = State();
    m_styles[m_styleEntry] = {state.Format, state.Font, state.Paragraph};
}

void RtfParser::AddPictureBytes(std::string_view bytes) {
    PictureState& picture = *m_picture;
    for (const char c : bytes) {
        int nibble;
        if (c >= '0' && c <= '9')
            nibble = c - '0';
        else if (c >= 'a' && c <= 'f')
            nibble = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            nibble = c - 'A' + 10;
        else
            continue; // blanks between the digits
        if (picture.HighNibble < 0) {
            picture.HighNibble = nibble;
        } else {
            picture.Data.push_back(static_cast<char>(picture.HighNibble * 16 + nibble));
            picture.HighNibble = -1;
        }
    }
}

void RtfParser::FinishPicture() {
    PictureState picture = std::move(*m_picture);
    m_picture.reset();
    // A \pict outside every group (text that is no RTF document read as one)
    // has no destination around it to take the picture.
    if (m_states.size() < 2)
        return;
    const Destination outer = m_states[m_states.size() - 2].Target;
    if (!picture.Format || picture.Data.empty() ||
        (outer != Destination::Text && outer != Destination::ShapeInstance))
        return;
    RichPicture result;
    result.Format = *picture.Format;
    result.Data = picture.IsDib ? BmpFileFromDib(picture.Data) : std::move(picture.Data);
    if (result.Data.empty())
        return;
    // Without a goal size the picture's own: pixels at 96 per inch for
    // bitmaps, hundredths of a millimetre for metafiles.
    const bool metafile =
        result.Format == RichPictureFormat::Wmf || result.Format == RichPictureFormat::Emf;
    const auto natural = [&](int size) {
        return metafile ? int64_t{size} * 1440 / 2540 : int64_t{size} * 15;
    };
    const int64_t width = picture.GoalWidth > 0 ? picture.GoalWidth : natural(picture.Width);
    const int64_t height = picture.GoalHeight > 0 ? picture.GoalHeight : natural(picture.Height);
    result.WidthTwips =
        static_cast<int>(std::min<int64_t>(width * picture.ScaleX / 100, kMaxTwips));
    result.HeightTwips =
        static_cast<int>(std::min<int64_t>(height * picture.ScaleY / 100, kMaxTwips));
    m_builder.AppendPicture(std::move(result), EffectiveFormat());
}

void RtfParser::StartField() {
    m_fields.push_back({m_states.size() - 1, {}});
}

std::string RtfParser::FieldLink() const {
    std::string target =
        m_fields.empty() ? std::string() : HyperlinkTarget(m_fields.back().Instruction);
    return target.size() <= kRtfMaxLinkLength ? target : std::string();
}

const RtfParser::Font* RtfParser::FontOf(int number) const {
    const auto found = m_fonts.find(number < 0 ? m_defaultFont : number);
    return found == m_fonts.end() ? nullptr : &found->second;
}

int RtfParser::CodePageOf(int font) const {
    const Font* found = FontOf(font);
    return found && found->CodePage != 0 ? found->CodePage : m_codePage;
}

RtfSymbolFont RtfParser::SymbolFontOf(int font) const {
    const Font* found = FontOf(font);
    return found ? found->SymbolFont : RtfSymbolFont::None;
}

RichCharFormat RtfParser::EffectiveFormat() const {
    RichCharFormat format = m_states.back().Format;
    // Text of the Symbol font is already turned into the characters it
    // shows; the font itself (its glyphs at Latin positions) must not be used.
    const int font = m_states.back().Font;
    if (const Font* found = FontOf(font); found && found->SymbolFont != RtfSymbolFont::Symbol)
        format.FontFamily = found->Name;
    return format;
}

std::optional<RichColor> RtfParser::ColorAt(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_colors.size())
        return std::nullopt;
    return m_colors[index];
}

} // namespace tevrix
