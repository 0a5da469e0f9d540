// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The download's reader of HTTP/1.1 answers, against a model of the
// framing. An even first byte: the rest makes a body and a framing (chunks
// of sizes the input picks, with extensions and trailer fields, a length,
// or the close), encoded as a server would send it, cut at a place the
// input picks and fed in pieces it picks: whole exactly when nothing was
// cut (or the framing is the close), the body the one encoded or, cut, a
// start of it. An odd one: the rest as bytes off the wire, fed whole and in
// pieces: never a crash, the same answer either way.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "formats/http_response.h"
#include "fuzz_support.h"

using namespace azimora;
using namespace azimora::fuzzing;
using State = HttpResponseReader::State;

namespace {

// Bytes of the input taken one at a time, 0 when it runs out.
class Picks {
public:
    explicit Picks(std::string_view bytes) : bytes_(bytes) {}
    unsigned Next() { return at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_++]) : 0u; }
    std::string_view Rest() const { return bytes_.substr(std::min(at_, bytes_.size())); }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

struct Read {
    State state;
    HttpResponseReader::Fault fault;
    std::string body;
};

Read Feed(std::string_view wire, std::size_t piece, bool close) {
    Read read{State::Head, HttpResponseReader::Fault::None, {}};
    HttpResponseReader reader([&](std::string_view part) { read.body.append(part); });
    for (std::size_t at = 0; at < wire.size(); at += piece) reader.Feed(wire.substr(at, piece));
    if (close) reader.Close();
    Expect(reader.BodyBytes() == read.body.size(), "the body bytes counted are those handed on");
    Expect(reader.BodyBytes() <= reader.BytesTaken(), "no more body than bytes taken");
    if (reader.state() == State::Whole && reader.framing() == HttpResponseReader::Framing::Length)
        Expect(reader.ContentLength() == reader.BodyBytes(), "a whole answer with a length holds that many bytes");
    read.state = reader.state();
    read.fault = reader.fault();
    return read;
}

void Model(Picks& picks) {
    const unsigned framing = picks.Next() % 3;  // 0 chunked, 1 length, 2 the close
    const std::size_t bodySize = picks.Next() * 3 + picks.Next() % 3;
    std::string body;
    for (std::size_t i = 0; i < bodySize; ++i) body += static_cast<char>(picks.Next());
    const bool lf = picks.Next() % 4 == 0;  // lone LF line ends, as RFC 9112 lets a reader take them
    const std::string eol = lf ? "\n" : "\r\n";
    std::string wire;
    if (picks.Next() % 5 == 0) wire += "HTTP/1.1 100 Continue" + eol + eol;
    wire += "HTTP/1.1 200 OK" + eol + "Content-Type: text/plain" + eol;
    if (framing == 0) {
        wire += "Transfer-Encoding: chunked" + eol + eol;
        for (std::size_t at = 0; at < body.size();) {
            const std::size_t size = std::min<std::size_t>(body.size() - at, 1 + picks.Next() % 40);
            char hex[24];
            std::snprintf(hex, sizeof hex, picks.Next() % 2 ? "%zx" : "%03zX", size);
            wire += hex;
            if (picks.Next() % 4 == 0) wire += ";name=\"v\"";
            wire += eol + body.substr(at, size) + eol;
            at += size;
        }
        wire += "0" + eol;
        if (picks.Next() % 3 == 0) wire += "Expires: 0" + eol;
        wire += eol;
    } else if (framing == 1) {
        wire += "Content-Length: " + std::to_string(body.size()) + eol + eol + body;
    } else {
        wire += eol + body;
    }
    std::size_t cut = wire.size();
    if (picks.Next() % 2 == 0) {
        const unsigned high = picks.Next();
        cut = (high * 256 + picks.Next()) % (wire.size() + 1);
    }
    const std::size_t piece = 1 + picks.Next() % 64;
    const std::string_view sent = std::string_view(wire).substr(0, cut);
    const Read read = Feed(sent, piece, true);
    Expect(body.compare(0, read.body.size(), read.body) == 0, "what came is a start of the body");
    if (cut == wire.size()) {
        Expect(read.state == State::Whole, "a whole answer is whole");
        Expect(read.body == body, "a whole answer brings the body encoded");
    } else if (framing == 2 && read.state == State::Whole) {
        Expect(read.body == body.substr(0, read.body.size()), "the close ends a body framed by it");
    } else {
        Expect(read.state == State::Broken, "an answer cut short is never whole");
        Expect(read.fault == HttpResponseReader::Fault::ClosedEarly, "a cut is a close too early, no malformed answer");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Picks picks(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    if (data[0] % 2 == 0) {
        Model(picks);
        return 0;
    }
    const std::size_t piece = 1 + picks.Next() % 17;
    const bool close = picks.Next() % 2 == 0;
    const std::string_view wire = picks.Rest();
    const Read whole = Feed(wire, wire.size() + 1, close);
    const Read pieces = Feed(wire, piece, close);
    Expect(whole.state == pieces.state && whole.fault == pieces.fault && whole.body == pieces.body,
           "the same answer however the bytes are split");
    return 0;
}
