// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// An HTTP/1.1 answer read as its bytes come, against RFC 9112's framing:
// whole only where the framing ends, whichever way the bytes are split.
#include <gtest/gtest.h>

#include <string>

#include "formats/http_response.h"

namespace azimora {
namespace {

using State = HttpResponseReader::State;
using Fault = HttpResponseReader::Fault;

struct Case {
    const char* what;
    std::string wire;
    bool closed;  // the connection closes after the bytes
    State state;
    Fault fault;
    std::string body;
};

const std::string kOk = "HTTP/1.1 200 OK\r\n";
const std::string kChunked = kOk + "Transfer-Encoding: chunked\r\n\r\n";

const Case kCases[] = {
    {"Content-Length, whole", kOk + "Content-Length: 5\r\n\r\nhello", false, State::Whole, Fault::None, "hello"},
    {"Content-Length, cut short", kOk + "Content-Length: 5\r\n\r\nhel", true, State::Broken, Fault::ClosedEarly, "hel"},
    {"Content-Length, still coming", kOk + "Content-Length: 5\r\n\r\nhel", false, State::Body, Fault::None, "hel"},
    {"Content-Length, bytes after it passed over", kOk + "Content-Length: 5\r\n\r\nhello, more", true, State::Whole,
     Fault::None, "hello"},
    {"Content-Length, twice the same", kOk + "Content-Length: 5, 5\r\n\r\nhello", false, State::Whole, Fault::None, "hello"},
    {"Content-Length, two that differ", kOk + "Content-Length: 5\r\nContent-Length: 6\r\n\r\nhello", false, State::Broken,
     Fault::Malformed, ""},
    {"Content-Length, negative", kOk + "Content-Length: -1\r\n\r\n", false, State::Broken, Fault::Malformed, ""},
    {"Content-Length, no number", kOk + "Content-Length: 5x\r\n\r\n", false, State::Broken, Fault::Malformed, ""},
    {"Content-Length, zero", kOk + "Content-Length: 0\r\n\r\n", false, State::Whole, Fault::None, ""},
    {"chunked, whole", kChunked + "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n", false, State::Whole, Fault::None, "hello world"},
    {"chunked, extensions, trailer fields", kChunked + "5 ; name=\"v\"\r\nhello\r\n0;last\r\nExpires: 0\r\nX-Sum: 1\r\n\r\n",
     false, State::Whole, Fault::None, "hello"},
    {"chunked, hex digits of both cases, leading zeros", kChunked + "00A\r\n0123456789\r\nb\r\nabcdefghijk\r\n0\r\n\r\n", false,
     State::Whole, Fault::None, "0123456789abcdefghijk"},
    {"chunked, no last chunk", kChunked + "5\r\nhello\r\n", true, State::Broken, Fault::ClosedEarly, "hello"},
    {"chunked, the last chunk without the trailer section's end", kChunked + "5\r\nhello\r\n0\r\n", true, State::Broken,
     Fault::ClosedEarly, "hello"},
    {"chunked, a trailer field cut off", kChunked + "5\r\nhello\r\n0\r\nExpires: 0\r\n", true, State::Broken,
     Fault::ClosedEarly, "hello"},
    {"chunked, cut inside a chunk", kChunked + "5\r\nhel", true, State::Broken, Fault::ClosedEarly, "hel"},
    {"chunked, cut inside a size", kChunked + "5\r\nhello\r\n1", true, State::Broken, Fault::ClosedEarly, "hello"},
    {"chunked, still coming", kChunked + "5\r\nhello\r\n0\r\n", false, State::Body, Fault::None, "hello"},
    {"chunked, a size that is no number", kChunked + "zz\r\n", false, State::Broken, Fault::Malformed, ""},
    {"chunked, a size with words after it", kChunked + "5 five\r\nhello\r\n0\r\n\r\n", false, State::Broken,
     Fault::Malformed, ""},
    {"chunked, a size that overflows", kChunked + "1000000000000000000\r\n", false, State::Broken, Fault::Malformed, ""},
    {"chunked, a chunk longer than its size", kChunked + "3\r\nhello\r\n0\r\n\r\n", false, State::Broken, Fault::Malformed,
     "hel"},
    {"chunked, a trailer line that is no field", kChunked + "0\r\nnot a field\r\n\r\n", false, State::Broken,
     Fault::Malformed, ""},
    {"chunked and a length at once", kOk + "Content-Length: 5\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
     false, State::Broken, Fault::Malformed, ""},
    {"a transfer coding not asked for", kOk + "Transfer-Encoding: gzip, chunked\r\n\r\n", false, State::Broken,
     Fault::Malformed, ""},
    {"no framing: the body ends at the close", kOk + "\r\nabc", true, State::Whole, Fault::None, "abc"},
    {"no framing, not closed yet", kOk + "\r\nabc", false, State::Body, Fault::None, "abc"},
    {"lone LF line ends", "HTTP/1.1 200 OK\nContent-Length: 2\n\nok", false, State::Whole, Fault::None, "ok"},
    {"a status line without a reason", "HTTP/1.1 200\r\nContent-Length: 2\r\n\r\nok", false, State::Whole, Fault::None, "ok"},
    {"an interim answer first", "HTTP/1.1 100 Continue\r\nX: 1\r\n\r\n" + kOk + "Content-Length: 2\r\n\r\nok", false,
     State::Whole, Fault::None, "ok"},
    {"no body with 204, whatever the length", "HTTP/1.1 204 No Content\r\nContent-Length: 5\r\n\r\n", false, State::Whole,
     Fault::None, ""},
    {"a head cut off", kOk + "Content-Le", true, State::Broken, Fault::ClosedEarly, ""},
    {"nothing at all", "", true, State::Broken, Fault::ClosedEarly, ""},
    {"no status line", "<html>hello</html>\r\n", false, State::Broken, Fault::Malformed, ""},
    {"HTTP/2", "HTTP/2.0 200 OK\r\n\r\n", false, State::Broken, Fault::Malformed, ""},
    {"a status below 100", "HTTP/1.1 099 Odd\r\n\r\n", false, State::Broken, Fault::Malformed, ""},
    {"a status above 599", "HTTP/1.1 600 Odd\r\n\r\n", false, State::Broken, Fault::Malformed, ""},
    {"a switch of protocols", "HTTP/1.1 101 Switching Protocols\r\n\r\n", false, State::Broken, Fault::Malformed, ""},
    {"a bare CR in a field", kOk + "Content-Length: 2\rX: 1\r\n\r\nok", false, State::Broken, Fault::Malformed, ""},
    {"a blank before the colon", kOk + "Content-Length : 2\r\n\r\nok", false, State::Broken, Fault::Malformed, ""},
    {"a NUL in a field", kOk + std::string("X: a\0b\r\n\r\n", 10), false, State::Broken, Fault::Malformed, ""},
    {"a head of more than 64 KiB", kOk + "X: " + std::string(70000, 'a'), false, State::Broken, Fault::Malformed, ""},
    {"a chunk's size line of more than 4 KiB", kChunked + "5;" + std::string(5000, 'a'), false, State::Broken,
     Fault::Malformed, ""},
};

struct Read {
    State state;
    Fault fault;
    std::string body;
};

// The case fed in pieces of the given size (0: whole at once).
Read ReadInPieces(const Case& c, std::size_t piece) {
    std::string body;
    HttpResponseReader reader([&](std::string_view part) { body.append(part); });
    const std::string_view wire = c.wire;
    for (std::size_t at = 0; at < wire.size(); at += piece == 0 ? wire.size() : piece)
        reader.Feed(wire.substr(at, piece == 0 ? wire.size() : piece));
    if (c.closed) reader.Close();
    EXPECT_EQ(reader.BodyBytes(), body.size());
    return {reader.state(), reader.fault(), body};
}

class HttpFraming : public ::testing::TestWithParam<Case> {};

TEST_P(HttpFraming, TheSameWhicheverWayTheBytesAreSplit) {
    const Case& c = GetParam();
    for (const std::size_t piece : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}}) {
        const Read read = ReadInPieces(c, piece);
        EXPECT_EQ(read.state, c.state) << "pieces of " << piece;
        EXPECT_EQ(read.fault, c.fault) << "pieces of " << piece;
        EXPECT_EQ(read.body, c.body) << "pieces of " << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(Rfc9112, HttpFraming, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name;
    for (const char c : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST(HttpHead, FieldsByNameInAnyCaseJoinedAndUnfolded) {
    HttpResponseReader reader(nullptr);
    reader.Feed("HTTP/1.1 404 Not Found\r\nX-Note: one\r\nx-note: two\r\nX-Folded: a\r\n\t b\r\nContent-Length: 0\r\n\r\n");
    EXPECT_EQ(reader.state(), State::Whole);
    EXPECT_EQ(reader.Status(), 404);
    EXPECT_EQ(reader.Reason(), "Not Found");
    ASSERT_NE(reader.Field("X-NOTE"), nullptr);
    EXPECT_EQ(*reader.Field("X-NOTE"), "one, two");
    ASSERT_NE(reader.Field("x-folded"), nullptr);
    EXPECT_EQ(*reader.Field("x-folded"), "a b");
    EXPECT_EQ(reader.Field("Location"), nullptr);
    EXPECT_EQ(reader.ContentLength(), 0u);
}

TEST(HttpHead, AnAnswerToHeadHasNoBody) {
    HttpResponseReader reader(nullptr, true);
    EXPECT_EQ(reader.Feed(kOk + "Content-Length: 1000\r\n\r\n"), State::Whole);
    EXPECT_EQ(reader.framing(), HttpResponseReader::Framing::NoBody);
}

TEST(HttpHead, TheProblemNamesWhereItBrokeOff) {
    HttpResponseReader length(nullptr), chunked(nullptr), trailer(nullptr), nothing(nullptr);
    length.Feed(kOk + "Content-Length: 10\r\n\r\nabc");
    chunked.Feed(kChunked + "3\r\nabc\r\n");
    trailer.Feed(kChunked + "3\r\nabc\r\n0\r\n");
    length.Close();
    chunked.Close();
    trailer.Close();
    nothing.Close();
    EXPECT_EQ(length.Problem(), "the connection closed after 3 of 10 bytes");
    EXPECT_EQ(chunked.Problem(), "the connection closed after 3 bytes, before the last chunk");
    EXPECT_EQ(trailer.Problem(), "the connection closed after 3 bytes, inside the trailer section after the last chunk");
    EXPECT_EQ(nothing.Problem(), "the connection closed without an answer");
}

}  // namespace
}  // namespace azimora
