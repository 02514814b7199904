// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Scrambler.h"

#include "model/TestFileFormat.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstdlib>

namespace tevrix {

ScrambleKey MakeScrambleKey(int32_t seed, uint16_t divisor) {
    const uint32_t magnitude =
        seed < 0 ? 0u - static_cast<uint32_t>(seed) : static_cast<uint32_t>(seed);
    ScrambleKey key;
    key.Multiplier = static_cast<uint16_t>(magnitude / divisor);
    key.Increment = static_cast<uint16_t>(magnitude ^ divisor);
    key.InitialState = static_cast<uint16_t>(magnitude & divisor);
    return key;
}

const ScrambleKey& TestFileKey() {
    static const ScrambleKey key = MakeScrambleKey(tvf::kKeySeed, tvf::kKeyDivisor);
    return key;
}

Scrambler::Scrambler(const ScrambleKey& key)
    : m_multiplier(static_cast<uint8_t>(key.Multiplier)),
      m_increment(static_cast<uint8_t>(key.Increment)),
      m_low(static_cast<uint8_t>(key.InitialState)) {}

void Scrambler::Descramble(uint8_t* data, size_t size) {
    const uint8_t multiplier = m_multiplier;
    const uint8_t increment = m_increment;
    uint8_t low = m_low;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t plain = data[i] ^ low;
        data[i] = plain;
        low = static_cast<uint8_t>(static_cast<uint8_t>(plain + low) * multiplier + increment);
    }
    m_low = low;
}

void Scrambler::Scramble(uint8_t* data, size_t size) {
    const uint8_t multiplier = m_multiplier;
    const uint8_t increment = m_increment;
    uint8_t low = m_low;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t plain = data[i];
        data[i] = plain ^ low;
        low = static_cast<uint8_t>(static_cast<uint8_t>(plain + low) * multiplier + increment);
    }
    m_low = low;
}

std::vector<uint8_t> DescrambleFile(const std::string& path, const ScrambleKey& key) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    Scrambler(key).Descramble(bytes.data(), bytes.size());
    return bytes;
}

std::vector<uint8_t> DescrambleStream(InputStream& input, const ScrambleKey& key) {
    std::vector<uint8_t> bytes;
    uint8_t chunk[64 * 1024];
    for (size_t got; (got = input.Read(chunk, sizeof chunk)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + got);
    Scrambler(key).Descramble(bytes.data(), bytes.size());
    return bytes;
}

void ScramblingOutputStream::Write(const uint8_t* data, size_t size) {
    m_buffer.assign(data, data + size);
    m_scrambler.Scramble(m_buffer.data(), m_buffer.size());
    m_output.Write(m_buffer.data(), m_buffer.size());
}

} // namespace tevrix
