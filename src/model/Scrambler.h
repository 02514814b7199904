// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tevrix {

// The key of the test file's byte-wise scrambling.
struct ScrambleKey {
    uint16_t Multiplier = 0;
    uint16_t Increment = 0;
    uint16_t InitialState = 0;
};

// Builds a key from a 32-bit seed and a 16-bit divisor:
//   Multiplier   = low 16 bits of |seed| / divisor
//   Increment    = low 16 bits of |seed| xor divisor
//   InitialState = low 16 bits of |seed| and divisor
ScrambleKey MakeScrambleKey(int32_t seed, uint16_t divisor);

// The key every test file of the project is written and read with.
const ScrambleKey& TestFileKey();

// The keyed stream transform. With a 16-bit state starting at InitialState,
// for each byte c: low = low byte of state; plain p = c xor low;
// state = ((p + low) mod 256) * Multiplier + Increment (mod 65536). The state
// advances from the plain byte, so scrambling runs the same sequence.
class Scrambler {
public:
    explicit Scrambler(const ScrambleKey& key);
    void Descramble(uint8_t* data, size_t size);
    void Scramble(uint8_t* data, size_t size);

private:
    // Only the low byte of the state ever reaches the output, and the low
    // byte of sum * Multiplier + Increment depends only on the low bytes of
    // its terms, so the transform runs on bytes alone. This keeps the serial
    // chain of dependent operations per byte as short as it can be.
    uint8_t m_multiplier;
    uint8_t m_increment;
    uint8_t m_low;
};

// Reads the whole file and returns it descrambled; throws FormatError when
// the file cannot be read.
std::vector<uint8_t> DescrambleFile(const std::string& path, const ScrambleKey& key);
// Descrambles the rest of `input` into a new buffer.
std::vector<uint8_t> DescrambleStream(InputStream& input, const ScrambleKey& key);

// Scrambles everything written through it into `output`.
class ScramblingOutputStream final : public OutputStream {
public:
    ScramblingOutputStream(OutputStream& output, const ScrambleKey& key)
        : m_output(output), m_scrambler(key) {}
    void Write(const uint8_t* data, size_t size) override;

private:
    OutputStream& m_output;
    Scrambler m_scrambler;
    std::vector<uint8_t> m_buffer;
};

} // namespace tevrix
