// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTestSupport.h"
#include "net/ExchangeCancel.h"
#include "net/ServerClient.h"
#include "support/ScriptedTcpServer.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace tevrix {
namespace {

using namespace testing;
using Clock = std::chrono::steady_clock;

constexpr const char* kComputer = "CLASS-PC7";

// A station that would wait 30 s for a silent server.
class ExchangeCancelTest : public ::testing::Test {
protected:
    ScriptedTcpServer server;
    ExchangeCancel cancel;
    TcpConnector connector{NetTimeouts{}, &cancel};
    ServerClient client{connector, SourceTexts()};
};

TEST_F(ExchangeCancelTest, CancellingFromAnotherThreadEndsAWaitAtOnce) {
    server.Expect({ReadLines(2)}); // never answers
    const Clock::time_point started = Clock::now();
    std::future<Outcome> exchange = std::async(
        std::launch::async, [this] { return client.TestConnection(server.Address(), kComputer); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_EQ(exchange.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout)
        << "the silent server must hold the exchange";
    cancel.Cancel();
    ASSERT_EQ(exchange.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_TRUE(exchange.get().Failed());
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(3));
}

TEST_F(ExchangeCancelTest, ACancelledConnectorRefusesUntilReset) {
    cancel.Cancel();
    EXPECT_TRUE(cancel.Cancelled());
    server.Expect({ReadLines(2)}); // would hold a station that is not cancelled
    EXPECT_TRUE(client.TestConnection(server.Address(), kComputer).Failed());

    cancel.Reset();
    EXPECT_FALSE(cancel.Cancelled());
    server.Expect({ReadLines(2), Send("OK\r\n")});
    EXPECT_FALSE(client.TestConnection(server.Address(), kComputer).Failed());
}

} // namespace
} // namespace tevrix
