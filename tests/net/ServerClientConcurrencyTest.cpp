// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTestSupport.h"
#include "net/ServerClient.h"
#include "support/ResultRecords.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

namespace tevrix {
namespace {

// Connections that answer every read with "OK" after a pause, counting how
// many are open at once.
class SlowConnector final : public Connector {
public:
    std::unique_ptr<Connection> Connect(const ServerAddress&) override {
        ++m_made;
        return std::make_unique<SlowConnection>(*this);
    }
    int Made() const { return m_made; }
    int MostOpenAtOnce() const { return m_mostOpen; }

private:
    class SlowConnection final : public Connection {
    public:
        explicit SlowConnection(SlowConnector& owner) : m_owner(owner) {
            const int open = ++m_owner.m_open;
            int most = m_owner.m_mostOpen;
            while (open > most && !m_owner.m_mostOpen.compare_exchange_weak(most, open)) {
            }
        }
        ~SlowConnection() override { --m_owner.m_open; }
        void Send(std::span<const uint8_t>) override {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        size_t Receive(uint8_t* buffer, size_t size) override {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const size_t count = std::min<size_t>(size, 3);
            std::memcpy(buffer, "OK\n", count);
            return count;
        }

    private:
        SlowConnector& m_owner;
    };

    std::atomic<int> m_made{0};
    std::atomic<int> m_open{0};
    std::atomic<int> m_mostOpen{0};
};

TEST(ServerClientConcurrencyTest, AnExchangeAskedForDuringAnotherWaitsForIt) {
    SlowConnector connector;
    ServerClient client(connector, testing::SourceTexts());
    const TResultTest record = testing::SampleRecord();
    std::optional<Outcome> test;
    std::vector<bool> reported;
    std::thread worker([&] { test = client.TestConnection({"server", 1}, "PC"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    for (int i = 0; i < 3; ++i)
        reported.push_back(!client.ReportProgress({"server", 1}, "{R}", true, record).Failed());
    worker.join();

    EXPECT_EQ(connector.Made(), 4);
    EXPECT_EQ(connector.MostOpenAtOnce(), 1);
    ASSERT_TRUE(test);
    EXPECT_EQ(test->Message(), testing::SucceededBox());
    EXPECT_EQ(reported, std::vector<bool>(3, true));
}

} // namespace
} // namespace tevrix
