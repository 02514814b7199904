// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

// An INI text read and written the way the Windows profile functions do it,
// so files written by the Windows station read the same here and the other
// way round:
//   - "[name]" starts a section; "name=value" is a key; a line starting with
//     ';' is a comment; a line without '=' is a key without a value; lines
//     before the first section belong to no section;
//   - names of sections and keys compare ignoring letter case, and the first
//     section and the first key of a name are the ones that count;
//   - blanks around names and values are removed, then one pair of matching
//     quotes around a value ("..." or '...'), and a value is read up to
//     kMaxValueLength characters;
//   - writing replaces a value in place and keeps every other line (comments,
//     foreign sections and keys, blank lines) where it was.
// Text is UTF-8 inside, Windows-1251 in the file, lines end with CR LF.
class IniDocument {
public:
    static constexpr size_t kMaxValueLength = 2047;

    // From the bytes of a file in Windows-1251 (lines ending in CR LF or LF).
    static IniDocument FromBytes(std::string_view bytes);
    // Windows-1251, every line ended by CR LF.
    std::string ToBytes() const;

    // The value of the key, or nothing when the section, the key or its '='
    // is missing.
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
    // The names of the section's keys in file order, comments left out.
    std::vector<std::string> KeyNames(std::string_view section) const;
    // Replaces the key's value in place; a missing key is added after the
    // last key of its section, a missing section at the end of the text.
    // Returns false and changes nothing when the names or the value could
    // not be read back as given: a line break, blanks at the ends of a name,
    // '=' in a key or a key starting with '[' or ';', a value longer than
    // kMaxValueLength, a character that Windows-1251 cannot hold. A value
    // with blanks at its ends or with matching quotes around it is written
    // inside double quotes, so that it reads back unchanged.
    bool WriteValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its lines.
    void EraseSection(std::string_view section);
    // Removes the key's line from the first section of that name; false when
    // there was no such key.
    bool EraseKey(std::string_view section, std::string_view key);

private:
    struct SectionRange {
        size_t Header; // index of the "[name]" line
        size_t End;    // index after its last line
    };

    std::optional<SectionRange> FindSection(std::string_view section) const;
    std::optional<size_t> FindKey(const SectionRange& range, std::string_view key) const;

    std::vector<std::string> m_lines; // UTF-8, without line ends
};

} // namespace tevrix
