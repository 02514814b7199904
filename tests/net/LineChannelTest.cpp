// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryConnection.h"
#include "net/LineChannel.h"
#include "net/NetError.h"
#include "net/ServerProtocol.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using testing::MemoryConnection;

std::vector<uint8_t> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(LineChannelSendTest, LineIsWindows1251WithCrLf) {
    MemoryConnection connection({});
    LineChannel channel(connection);
    channel.SendLine("Иванов");
    channel.SendLine("");
    EXPECT_EQ(connection.Sent(), "\xC8\xE2\xE0\xED\xEE\xE2\r\n\r\n");
}

struct SafeLineCase {
    std::string Value;
    std::string Sent;
};

class LineChannelSafeLineTest : public ::testing::TestWithParam<SafeLineCase> {};

TEST_P(LineChannelSafeLineTest, CrAndLfInsideAValueBecomeBlanks) {
    MemoryConnection connection({});
    LineChannel channel(connection);
    channel.SendLine(GetParam().Value);
    EXPECT_EQ(connection.Sent(), GetParam().Sent);
}

INSTANTIATE_TEST_SUITE_P(Values, LineChannelSafeLineTest,
                         ::testing::Values(SafeLineCase{"key\r\nQUIT", "key  QUIT\r\n"},
                                           SafeLineCase{"a\nb", "a b\r\n"},
                                           SafeLineCase{"a\rb", "a b\r\n"},
                                           SafeLineCase{"\r\n", "  \r\n"},
                                           SafeLineCase{"a\tb", "a\tb\r\n"}),
                         testing::CaseName);

TEST(LineChannelSendTest, BlockLengthLineCountsTheBlockOnly) {
    MemoryConnection connection({});
    LineChannel channel(connection);
    channel.SendBlock(BytesOf(std::string("\x00\r\n\x01", 4)));
    channel.SendBlock({});
    EXPECT_EQ(connection.Sent(), std::string("4\r\n\x00\r\n\x01", 7) + "0\r\n");
}

TEST(LineChannelReceiveTest, LinesEndAtLfWithACrBeforeItRemoved) {
    MemoryConnection connection({"OK\r\nYES\nmid\rdle\r\n\r\r\n\n\xC8\xE2\r\n"});
    LineChannel channel(connection);
    EXPECT_EQ(channel.ReceiveLine(), "OK");
    EXPECT_EQ(channel.ReceiveLine(), "YES");
    EXPECT_EQ(channel.ReceiveLine(), "mid\rdle");
    EXPECT_EQ(channel.ReceiveLine(), "\r");
    EXPECT_EQ(channel.ReceiveLine(), "");
    EXPECT_EQ(channel.ReceiveLine(), "Ив");
}

TEST(LineChannelReceiveTest, LineSplitOverManyReadsIsOneLine) {
    MemoryConnection connection({"Y", "E", "S\r", "\nnext", "\n"});
    LineChannel channel(connection);
    EXPECT_EQ(channel.ReceiveLine(), "YES");
    EXPECT_EQ(channel.ReceiveLine(), "next");
}

struct LongLineCase {
    size_t Length;
    std::string Ending;
    bool Accepted;
};

class LineChannelLongLineTest : public ::testing::TestWithParam<LongLineCase> {};

TEST_P(LineChannelLongLineTest, LinesOverTheLimitFail) {
    const LongLineCase& c = GetParam();
    MemoryConnection connection({std::string(c.Length, 'a') + c.Ending + "after\n"});
    LineChannel channel(connection);
    if (c.Accepted) {
        EXPECT_EQ(channel.ReceiveLine().size(), c.Length);
        EXPECT_EQ(channel.ReceiveLine(), "after");
    } else {
        EXPECT_THROW(channel.ReceiveLine(), NetError);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, LineChannelLongLineTest,
                         ::testing::Values(LongLineCase{kMaxLineLength, "\r\n", true},
                                           LongLineCase{kMaxLineLength, "\n", true},
                                           LongLineCase{kMaxLineLength + 1, "\r\n", false},
                                           LongLineCase{kMaxLineLength + 1, "\n", false},
                                           LongLineCase{1'000'000, "\n", false}),
                         testing::CaseName);

TEST(LineChannelReceiveTest, EndlessLineFailsWithoutReadingItAll) {
    // A server streaming a line without end: the channel gives up soon after
    // the limit instead of collecting it.
    std::deque<std::string> chunks(1000, std::string(4096, 'x'));
    MemoryConnection connection(chunks);
    LineChannel channel(connection);
    EXPECT_THROW(channel.ReceiveLine(), NetError);
    size_t left = 0;
    uint8_t sink[4096];
    while (const size_t got = connection.Receive(sink, sizeof sink))
        left += got;
    EXPECT_GT(left, 990u * 4096);
}

TEST(LineChannelReceiveTest, ClosedBeforeTheLfFails) {
    MemoryConnection connection({"OK"});
    LineChannel channel(connection);
    EXPECT_THROW(channel.ReceiveLine(), NetError);
}

TEST(LineChannelReceiveTest, BytesComeFromTheBufferAndThenTheConnection) {
    MemoryConnection connection({"name\r\n5\r\nab", "c", "de", "rest\n"});
    LineChannel channel(connection);
    EXPECT_EQ(channel.ReceiveLine(), "name");
    EXPECT_EQ(channel.ReceiveCount(10), 5);
    EXPECT_EQ(channel.ReceiveBytes(5), BytesOf("abcde"));
    EXPECT_EQ(channel.ReceiveLine(), "rest");
}

TEST(LineChannelReceiveTest, BytesKeepCrAndLf) {
    MemoryConnection connection({std::string("3\r\n\r\n\x00", 6)});
    LineChannel channel(connection);
    EXPECT_EQ(channel.ReceiveBytes(channel.ReceiveCount(3)), BytesOf(std::string("\r\n\x00", 3)));
}

TEST(LineChannelReceiveTest, ConnectionClosedInTheMiddleOfABlockFails) {
    MemoryConnection connection({"10\r\n", "abcd"});
    LineChannel channel(connection);
    const int64_t size = channel.ReceiveCount(100);
    EXPECT_THROW(channel.ReceiveBytes(static_cast<size_t>(size)), NetError);
}

struct CountCase {
    std::string Line;
    bool Accepted;
    int64_t Value;
};

class LineChannelCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(LineChannelCountTest, CountLinesAreDecimalsWithinTheBound) {
    MemoryConnection connection({GetParam().Line + "\r\n"});
    LineChannel channel(connection);
    if (GetParam().Accepted)
        EXPECT_EQ(channel.ReceiveCount(1000), GetParam().Value);
    else
        EXPECT_THROW(channel.ReceiveCount(1000), NetError);
}

INSTANTIATE_TEST_SUITE_P(Lines, LineChannelCountTest,
                         ::testing::Values(CountCase{"0", true, 0}, CountCase{"1000", true, 1000},
                                           CountCase{" 42 ", true, 42}, CountCase{"+7", true, 7},
                                           CountCase{"1001", false, 0}, CountCase{"-1", false, 0},
                                           CountCase{"abc", false, 0}, CountCase{"12abc", false, 0},
                                           CountCase{"", false, 0}, CountCase{"0x10", false, 0},
                                           CountCase{"99999999999999999999", false, 0}),
                         testing::CaseName);

struct DecimalCase {
    std::string Text;
    std::optional<int64_t> Value;
};

class ParseDecimalTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(ParseDecimalTest, ReadsSignedDecimalsOnly) {
    EXPECT_EQ(ParseDecimal(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDecimalTest,
    ::testing::Values(DecimalCase{"5005", 5005}, DecimalCase{"-3", -3}, DecimalCase{"+3", 3},
                      DecimalCase{"\t12 ", 12}, DecimalCase{"+-3", std::nullopt},
                      DecimalCase{"++3", std::nullopt}, DecimalCase{"-", std::nullopt},
                      DecimalCase{"1 2", std::nullopt}, DecimalCase{"$10", std::nullopt},
                      DecimalCase{"", std::nullopt}),
    testing::CaseName);

} // namespace
} // namespace tevrix
