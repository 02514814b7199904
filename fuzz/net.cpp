// SPDX-License-Identifier: GPL-3.0-or-later
// The server's side of a GETLIST/GETTEST exchange, fuzzed, through
// ServerClient::GetTest over an in-memory connection: the line and block
// framing, the offered list and the test received, handed to the loader.
// The first byte gives the size of the chunks the connection hands out
// (framing must not depend on them), the second the item the pupil picks;
// the rest is everything the server sends. A received test's folder goes
// with it.
#include "FuzzSupport.h"
#include "net/MemoryConnection.h"
#include "net/NetError.h"
#include "net/ServerClient.h"

#include <deque>

using namespace tevrix;

namespace {

class ScriptedConnector final : public Connector {
public:
    explicit ScriptedConnector(std::deque<std::string> chunks) : m_chunks(std::move(chunks)) {}
    std::unique_ptr<Connection> Connect(const ServerAddress&) override {
        if (m_used)
            throw NetError("one exchange only");
        m_used = true;
        return std::make_unique<testing::MemoryConnection>(std::move(m_chunks));
    }

private:
    std::deque<std::string> m_chunks;
    bool m_used = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const std::string& root = fuzz::PrivateTempRoot();
    const size_t chunkSize = size_t(data[0]) * 64 + 1;
    const size_t pick = data[1];
    const std::string_view reply = fuzz::AsText(data + 2, size - 2);
    std::deque<std::string> chunks;
    for (size_t at = 0; at < reply.size(); at += chunkSize)
        chunks.emplace_back(reply.substr(at, chunkSize));

    ScriptedConnector connector(std::move(chunks));
    ServerClient client(connector, TextLocale{});
    {
        const GetTestOutcome outcome = client.GetTest(
            ServerAddress{"server", 1}, "station",
            [&](const std::vector<std::string>&) { return std::optional<size_t>(pick); },
            [] { return std::optional<std::string>("secret"); });
        if (outcome.Load && outcome.Load->Status == LoadTestStatus::Loaded)
            fuzz::Check(fuzz::EntryCount(root) == 1, "a received test has its folder");
        else
            fuzz::Check(fuzz::EntryCount(root) == 0, "no test, no folder");
    }
    fuzz::Check(fuzz::EntryCount(root) == 0, "a received test removes its folder");
    fuzz::EmptyFolder(root);
    return 0;
}
