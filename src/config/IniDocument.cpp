// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/IniDocument.h"

#include "text/Cp1251.h"
#include "text/Strings.h"

namespace tevrix {
namespace {

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind Kind = LineKind::Other;
    std::string Name;
    std::optional<std::string> Value; // the raw text after '=', trimmed
};

ParsedLine ParseLine(std::string_view line) {
    const std::string text = Trim(line);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        const size_t close = text.rfind(']');
        if (close != std::string::npos)
            return {LineKind::Section, Trim(std::string_view(text).substr(1, close - 1)), {}};
    }
    const size_t equals = text.find('=');
    if (equals == std::string::npos)
        return {LineKind::Key, text, {}};
    const std::string_view view(text);
    return {LineKind::Key, Trim(view.substr(0, equals)), Trim(view.substr(equals + 1))};
}

bool SameName(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && value.front() == value.back() &&
           (value.front() == '"' || value.front() == '\'');
}

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(std::string_view text, size_t count) {
    size_t pos = 0;
    for (size_t taken = 0; taken < count && pos < text.size(); ++taken)
        DecodeUtf8(text, pos);
    return std::string(text.substr(0, pos));
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); ++count)
        DecodeUtf8(text, pos);
    return count;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsWritableName(std::string_view name) {
    return !name.empty() && Trim(name) == name && !HasLineBreak(name) && FitsCp1251(name);
}

bool IsWritableKey(std::string_view key) {
    return IsWritableName(key) && key.find('=') == std::string_view::npos && key.front() != '[' &&
           key.front() != ';';
}

// The value as it goes into the file, or nothing when it would not read back.
std::optional<std::string> EncodeValue(std::string_view value) {
    if (HasLineBreak(value) || !FitsCp1251(value) ||
        CharacterCount(value) > IniDocument::kMaxValueLength)
        return std::nullopt;
    if (Trim(value) != value || IsQuoted(value))
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

} // namespace

IniDocument IniDocument::FromBytes(std::string_view bytes) {
    IniDocument document;
    const std::string text = Cp1251ToUtf8(bytes);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        document.m_lines.push_back(std::move(line));
        start = end + 1;
    }
    return document;
}

std::string IniDocument::ToBytes() const {
    std::string text;
    for (const std::string& line : m_lines)
        text += line + "\r\n";
    return Utf8ToCp1251(text);
}

std::optional<IniDocument::SectionRange> IniDocument::FindSection(std::string_view section) const {
    for (size_t header = 0; header < m_lines.size(); ++header) {
        const ParsedLine parsed = ParseLine(m_lines[header]);
        if (parsed.Kind != LineKind::Section || !SameName(parsed.Name, section))
            continue;
        size_t end = header + 1;
        while (end < m_lines.size() && ParseLine(m_lines[end]).Kind != LineKind::Section)
            ++end;
        return SectionRange{header, end};
    }
    return std::nullopt;
}

std::optional<size_t> IniDocument::FindKey(const SectionRange& range, std::string_view key) const {
    for (size_t index = range.Header + 1; index < range.End; ++index) {
        const ParsedLine parsed = ParseLine(m_lines[index]);
        if (parsed.Kind == LineKind::Key && SameName(parsed.Name, key))
            return index;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::ReadValue(std::string_view section,
                                                  std::string_view key) const {
    const auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    const auto index = FindKey(*range, key);
    if (!index)
        return std::nullopt;
    const std::optional<std::string> value = ParseLine(m_lines[*index]).Value;
    if (!value)
        return std::nullopt;
    std::string_view text(*value);
    if (IsQuoted(text))
        text = text.substr(1, text.size() - 2);
    return FirstCharacters(text, kMaxValueLength);
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const auto range = FindSection(section);
    if (!range)
        return names;
    for (size_t index = range->Header + 1; index < range->End; ++index) {
        ParsedLine parsed = ParseLine(m_lines[index]);
        if (parsed.Kind == LineKind::Key)
            names.push_back(std::move(parsed.Name));
    }
    return names;
}

bool IniDocument::WriteValue(std::string_view section, std::string_view key,
                             std::string_view value) {
    const std::optional<std::string> encoded = EncodeValue(value);
    if (!IsWritableName(section) || !IsWritableKey(key) || !encoded)
        return false;
    const auto range = FindSection(section);
    if (!range) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::string(key) + "=" + *encoded);
        return true;
    }
    if (const auto index = FindKey(*range, key)) {
        m_lines[*index] = ParseLine(m_lines[*index]).Name + "=" + *encoded;
        return true;
    }
    size_t insertAt = range->Header + 1;
    for (size_t index = range->Header + 1; index < range->End; ++index) {
        if (ParseLine(m_lines[index]).Kind == LineKind::Key)
            insertAt = index + 1;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   std::string(key) + "=" + *encoded);
    return true;
}

void IniDocument::EraseSection(std::string_view section) {
    while (const auto range = FindSection(section)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range->Header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(range->End));
    }
}

bool IniDocument::EraseKey(std::string_view section, std::string_view key) {
    const auto range = FindSection(section);
    const auto index = range ? FindKey(*range, key) : std::nullopt;
    if (!index)
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*index));
    return true;
}

} // namespace tevrix
