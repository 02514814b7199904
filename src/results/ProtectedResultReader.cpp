// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ProtectedResultReader.h"

#include "io/BinaryReader.h"
#include "results/ProtectedResultFormat.h"
#include "text/Cp1251.h"

#include <algorithm>

namespace tevrix {

bool ProtectedResultReader::ReadSignature() {
    std::string head(tvpr::kSignature.size(), '\0');
    BinaryReader reader(m_file);
    const size_t got = reader.ReadSome(reinterpret_cast<uint8_t*>(head.data()), head.size());
    return got == head.size() && head == tvpr::kSignature;
}

ProtectedResultIdentity ProtectedResultReader::ReadIdentity() {
    m_content = std::make_unique<ZlibInputStream>(m_file);
    BinaryReader reader(*m_content);
    ProtectedResultIdentity identity;
    identity.UId = Cp1251ToUtf8(reader.ReadText());
    identity.ResultKey = Cp1251ToUtf8(reader.ReadText());
    return identity;
}

std::vector<TResultTest> ProtectedResultReader::ReadRecords() {
    if (!m_content)
        throw FormatError("the identity of a protected result file was not read");
    BinaryReader reader(*m_content);
    const int32_t count = reader.ReadInt32();
    if (count < 0 || count > tvpr::kMaxRecords)
        throw FormatError("bad record count in a protected result file");
    std::vector<TResultTest> records;
    // Grows with the records actually read, never with the count alone.
    records.reserve(std::min<size_t>(static_cast<size_t>(count), 1024));
    for (int32_t i = 0; i < count; ++i)
        records.emplace_back().LoadFromStream(*m_content);
    return records;
}

} // namespace tevrix
