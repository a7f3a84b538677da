// Telnet framing: 0xFF doubled out and undone in, commands taken out of the
// data in order, escapes split across reads.

#include "link/net/TelnetCodec.h"

#include <gtest/gtest.h>
#include <vector>

namespace zeb40::telnet {
namespace {

struct Received {
    std::string data;
    std::vector<Event> events;
};

// Feeds the bytes in pieces of the given size.
Received FeedInPieces(std::string_view bytes, std::size_t piece) {
    Receiver receiver;
    Received received;
    while (!bytes.empty()) {
        std::string_view part = bytes.substr(0, piece);
        bytes.remove_prefix(part.size());
        while (!part.empty()) {
            std::optional<Event> event;
            part.remove_prefix(receiver.Take(part, received.data, event));
            if (event)
                received.events.push_back(*event);
        }
    }
    return received;
}

std::string AllByteValues() {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    return all + "\xFF\xFF\xFF";
}

TEST(TelnetCodec, EveryByteValueSurvivesInEveryPieceSize) {
    const std::string data = AllByteValues();
    const std::string wire = Escaped(data);
    EXPECT_EQ(wire.size(), data.size() + 4);
    for (std::size_t piece : {1, 2, 3, 7, 300}) {
        Received received = FeedInPieces(wire, piece);
        EXPECT_EQ(received.data, data) << "pieces of " << piece;
        EXPECT_TRUE(received.events.empty());
    }
}

TEST(TelnetCodec, RequestsAndSubnegotiationsComeOutInOrder) {
    const std::string payload = std::string("\x65\x00\x00\xFF\x00", 5);
    const std::string wire = "ab" + Request(Will, BinaryOption) + "c" +
                             Subnegotiation(ComPortOption, payload) + "d" + Request(Dont, 7);
    for (std::size_t piece : {1, 2, 100}) {
        Receiver receiver;
        std::string data;
        std::vector<std::pair<std::size_t, Event>> seen; // data length when each came
        std::string_view rest = wire;
        std::string_view part;
        while (!rest.empty()) {
            part = rest.substr(0, piece);
            rest.remove_prefix(part.size());
            while (!part.empty()) {
                std::optional<Event> event;
                part.remove_prefix(receiver.Take(part, data, event));
                if (event)
                    seen.emplace_back(data.size(), *event);
            }
        }
        EXPECT_EQ(data, "abcd");
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ(seen[0].first, 2u);
        EXPECT_EQ(seen[0].second.kind, Event::Kind::Will);
        EXPECT_EQ(seen[1].first, 3u);
        EXPECT_EQ(seen[1].second.kind, Event::Kind::Subnegotiation);
        EXPECT_EQ(seen[1].second.option, ComPortOption);
        EXPECT_EQ(seen[1].second.payload, payload);
        EXPECT_EQ(seen[2].second.kind, Event::Kind::Dont);
        EXPECT_EQ(seen[2].second.option, 7);
    }
}

TEST(TelnetCodec, OtherCommandsAndBrokenSubnegotiationsLeaveTheDataAlone) {
    // NOP and go-ahead between data; a subnegotiation that a request ends.
    const std::string wire = std::string("x\xFF\xF1y\xFF\xF9z", 7) + "\xFF\xFA\x2C\x01\x02" +
                             Request(Do, SuppressGoAheadOption) + "w";
    Received received = FeedInPieces(wire, 1);
    EXPECT_EQ(received.data, "xyzw");
    ASSERT_EQ(received.events.size(), 2u);
    EXPECT_EQ(received.events[0].kind, Event::Kind::Subnegotiation);
    EXPECT_EQ(received.events[0].payload, "\x01\x02");
    EXPECT_EQ(received.events[1].kind, Event::Kind::Do);
}

TEST(TelnetCodec, OverlongSubnegotiationIsCut) {
    std::string wire = "\xFF\xFA\x2C" + std::string(10000, 'a') + "\xFF\xF0" + "ok";
    Received received = FeedInPieces(wire, 4096);
    EXPECT_EQ(received.data, "ok");
    ASSERT_EQ(received.events.size(), 1u);
    EXPECT_EQ(received.events[0].payload.size(), Receiver::MaxPayload);
}

} // namespace
} // namespace zeb40::telnet
