// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"
#include "model/Scrambler.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace tevrix {

// Descrambles a buffer in place on a second thread while the caller reads
// the plain bytes as they become ready. Descrambling is serial (each state
// depends on the byte before) and so is inflating; running the two side by
// side makes opening a large test cost about the longer of them instead of
// their sum.
class BackgroundDescrambler final : public InputStream {
public:
    BackgroundDescrambler(std::vector<uint8_t>& bytes, const ScrambleKey& key);
    ~BackgroundDescrambler() override;
    BackgroundDescrambler(const BackgroundDescrambler&) = delete;
    BackgroundDescrambler& operator=(const BackgroundDescrambler&) = delete;

    // Waits until at least one byte past the read position is plain.
    size_t Read(uint8_t* buffer, size_t size) override;

private:
    void Run(ScrambleKey key);
    size_t WaitReady(size_t position);

    std::vector<uint8_t>& m_bytes;
    size_t m_position = 0;
    size_t m_ready = 0; // guarded by m_mutex
    bool m_cancelled = false;
    std::mutex m_mutex;
    std::condition_variable m_progress;
    std::thread m_worker;
};

} // namespace tevrix
