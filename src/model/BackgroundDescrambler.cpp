// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/BackgroundDescrambler.h"

#include <algorithm>
#include <cstring>

namespace tevrix {
namespace {
constexpr size_t kChunk = 1024 * 1024;
} // namespace

BackgroundDescrambler::BackgroundDescrambler(std::vector<uint8_t>& bytes, const ScrambleKey& key)
    : m_bytes(bytes), m_worker(&BackgroundDescrambler::Run, this, key) {}

BackgroundDescrambler::~BackgroundDescrambler() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_worker.join();
}

void BackgroundDescrambler::Run(ScrambleKey key) {
    Scrambler scrambler(key);
    for (size_t done = 0; done < m_bytes.size();) {
        const size_t chunk = std::min(kChunk, m_bytes.size() - done);
        scrambler.Descramble(m_bytes.data() + done, chunk);
        done += chunk;
        {
            std::lock_guard lock(m_mutex);
            m_ready = done;
            if (m_cancelled)
                return;
        }
        m_progress.notify_one();
    }
}

size_t BackgroundDescrambler::WaitReady(size_t position) {
    std::unique_lock lock(m_mutex);
    m_progress.wait(lock, [&] { return m_ready > position || m_ready == m_bytes.size(); });
    return m_ready;
}

size_t BackgroundDescrambler::Read(uint8_t* buffer, size_t size) {
    if (m_position >= m_bytes.size() || size == 0)
        return 0;
    const size_t ready = WaitReady(m_position);
    const size_t count = std::min(size, ready - m_position);
    std::memcpy(buffer, m_bytes.data() + m_position, count);
    m_position += count;
    return count;
}

} // namespace tevrix
