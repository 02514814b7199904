// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichDocument.h"
#include "richtext/RtfDocumentBuilder.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfTextDecoder.h"
#include "richtext/RtfTokenizer.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

// The state of one reading of an RTF document, behind ReadRtf (RtfReader.h):
// only the reader's own sources include this header.
class RtfParser {
public:
    static RichDocument Read(std::string_view rtf);

private:
    enum class Destination {
        Text, // the document's text
        FontTable,
        ColorTable,
        StyleSheet,
        Picture,          // \pict: properties and hexadecimal or \bin data
        FieldInstruction, // \fldinst: the field's code, e.g. HYPERLINK "url"
        ShapeInstance,    // \shpinst: only a picture in it counts
        Skip,             // everything up to the end of the group is ignored
    };

    // The state RTF scopes by groups.
    struct GroupState {
        Destination Target = Destination::Text;
        RichCharFormat Format; // font family is resolved when text is added
        int Font = -1;         // \f; -1 = the document's default font
        int UnicodeSkip = 1;   // \uc
        bool Hidden = false;   // \v
        RichParagraphFormat Paragraph;
        RichTabKind NextTabKind = RichTabKind::Left; // \tqr, \tqc, \tqdec before \tx
        bool InTable = false;                        // \intbl
        bool NestedRowDefinition = false;            // \nesttableprops
    };

    struct Font {
        std::string Name;
        int CodePage = 0; // 0 = the document's
        RtfSymbolFont SymbolFont = RtfSymbolFont::None;
    };

    struct Style {
        RichCharFormat Format;
        int Font = -1;
        RichParagraphFormat Paragraph;
    };

    // The picture of the \pict group under way.
    struct PictureState {
        std::optional<RichPictureFormat> Format;
        bool IsDib = false;
        std::string Data;
        int HighNibble = -1;
        int Width = 0; // \picw: pixels, or 0.01 mm for metafiles
        int Height = 0;
        int GoalWidth = 0; // \picwgoal, twips
        int GoalHeight = 0;
        int ScaleX = 100; // \picscalex, percent
        int ScaleY = 100;
    };

    explicit RtfParser(std::string_view rtf);
    RichDocument Run();

    void OnGroupStart();
    void OnGroupEnd();
    void OnControlWord(const RtfToken& token);
    void OnControlSymbol(const RtfToken& token);
    void OnText(std::string_view bytes);
    void OnBinary(int32_t count);

    enum class Keyword;
    static const Keyword* FindKeyword(std::string_view name);
    void OnKeyword(Keyword keyword, const RtfToken& token);
    bool OnDestinationKeyword(Keyword keyword);
    void OnTableDefinitionKeyword(Keyword keyword, int32_t parameter);
    void OnCharacterKeyword(Keyword keyword, bool on, int32_t parameter);
    void OnParagraphKeyword(Keyword keyword, int32_t parameter);
    void OnPictureKeyword(Keyword keyword, int32_t parameter);
    void OnFontTableKeyword(Keyword keyword, int32_t parameter);
    void OnColorTableKeyword(Keyword keyword, int32_t parameter);
    void OnUnicode(int32_t parameter);

    // Text of the current destination, as bytes in the current code page.
    void AddBytes(std::string_view bytes);
    // Text already in UTF-8 (\u, special characters).
    void AddUtf8(std::string_view utf8);
    void AddCodePoint(char32_t codePoint);
    void FlushBytes();

    void EndParagraph();
    void AddFontTableBytes(std::string_view bytes);
    void AddColorTableBytes(std::string_view bytes);
    void AddStyleBytes(std::string_view bytes);
    void AddPictureBytes(std::string_view bytes);
    void FinishPicture();
    void StartField();
    std::string FieldLink() const;

    const Font* FontOf(int number) const;
    int CodePageOf(int font) const;
    RtfSymbolFont SymbolFontOf(int font) const;
    RichCharFormat EffectiveFormat() const;
    std::optional<RichColor> ColorAt(int32_t index) const;
    GroupState& State() { return m_states.back(); }

    RtfTokenizer m_tokenizer;
    RtfTextDecoder m_decoder;
    RtfDocumentBuilder m_builder;
    std::vector<GroupState> m_states;
    int m_skippedDepth = 0; // groups nested beyond kRtfMaxDepth
    bool m_ended = false;   // the document's outermost group has closed
    bool m_starPending = false;

    int m_codePage = RtfTextDecoder::kDefaultCodePage;
    int m_defaultFont = -1;
    int m_nextFootnote = 1; // the number \chftn shows next
    std::map<int, Font> m_fonts;
    int m_fontEntry = -1; // font table entry under way
    std::string m_fontNameBytes;
    std::vector<std::optional<RichColor>> m_colors;
    RichColor m_colorEntry;
    bool m_colorEntrySet = false;
    std::map<int, Style> m_styles;
    int m_styleEntry = 0;

    std::string m_pendingBytes; // text bytes not yet decoded
    int m_fallbackToSkip = 0;   // \uN fallback characters still to skip
    char32_t m_highSurrogate = 0;

    std::optional<PictureState> m_picture;
    size_t m_pictureDepth = 0;

    // Fields under way: the group depth of each \field and its instruction.
    struct Field {
        size_t Depth = 0;
        std::string Instruction;
    };
    std::vector<Field> m_fields;

    // Row definition of the table under way.
    std::vector<int> m_cellRights;
    int m_rowLeft = 0;
    bool m_rowBordered = false;
    bool m_inBorder = false;
};

} // namespace tevrix
