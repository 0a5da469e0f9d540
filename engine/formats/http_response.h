// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// An HTTP/1.1 response read as its bytes come off the connection (RFC 9112):
// the status line, the header fields, then the body as the header frames it.
// The message is whole only when its framing says so: after the last chunk
// and the end of its trailer section (chunked), after exactly Content-Length
// bytes, or, with neither, at the connection's orderly close (RFC 9112
// section 6.3 and 8). Interim (1xx) answers are read past. Every part is
// bounded: a head, a chunk's size line or a trailer too long, a size that
// overflows, a line with a bare CR, is a broken message, never more memory.
namespace azimora {

inline constexpr std::size_t kMaxHttpHeadBytes = 64 * 1024;  // all heads of one answer, interim ones too
inline constexpr std::size_t kMaxChunkLineBytes = 4096;      // a chunk's size with its extensions

class HttpResponseReader {
public:
    enum class State {
        Head,    // the status line and header fields are still coming
        Body,    // the head is read; the body is coming
        Whole,   // the framing says the message ended
        Broken,  // the bytes break the framing, or the connection closed before its end
    };
    enum class Framing { NotYetKnown, NoBody, Length, Chunked, UntilClose };
    enum class Fault { None, ClosedEarly, Malformed };

    // Body bytes go to body as they are decoded, out of their chunks. A
    // response to a HEAD request has no body whatever its header says.
    explicit HttpResponseReader(std::function<void(std::string_view)> body, bool headRequest = false);

    // The next bytes from the connection. Bytes after a whole message are
    // no part of it and are passed over.
    State Feed(std::string_view bytes);
    // The connection closed in order (no error beneath): a body framed by
    // the close is whole now; anything else not yet whole broke off.
    State Close();

    [[nodiscard]] State state() const noexcept { return state_; }
    [[nodiscard]] Framing framing() const noexcept { return framing_; }
    [[nodiscard]] Fault fault() const noexcept { return fault_; }
    // Why it is broken: "the connection closed after 812 of 1024 bytes".
    [[nodiscard]] const std::string& Problem() const noexcept { return problem_; }

    [[nodiscard]] int Status() const noexcept { return status_; }  // 0 until the final status line is read
    [[nodiscard]] const std::string& Reason() const noexcept { return reason_; }
    // A header field by its name, in any case; lines of one name joined by
    // ", " (RFC 9110 section 5.3). nullptr when the head has none.
    [[nodiscard]] const std::string* Field(std::string_view name) const;
    [[nodiscard]] std::optional<std::uint64_t> ContentLength() const noexcept { return length_; }
    [[nodiscard]] std::uint64_t BodyBytes() const noexcept { return bodyBytes_; }
    [[nodiscard]] std::uint64_t BytesTaken() const noexcept { return taken_; }

private:
    enum class Part { StatusLine, FieldLine, ChunkSize, ChunkData, ChunkEnd, TrailerLine, LengthData, CloseData, Done };

    bool TakeLine(std::string_view& bytes, std::string& line);
    void StatusLine(const std::string& line);
    void FieldLine(const std::string& line);
    void HeadEnded();
    void ChunkSize(const std::string& line);
    void TrailerLine(const std::string& line);
    void Body(std::string_view bytes);
    void Fail(Fault fault, std::string problem);

    std::function<void(std::string_view)> body_;
    bool headRequest_;
    State state_ = State::Head;
    Part part_ = Part::StatusLine;
    Framing framing_ = Framing::NotYetKnown;
    Fault fault_ = Fault::None;
    std::string problem_;
    std::string line_;               // a line not yet ended
    std::size_t lineBytes_ = 0;      // of the head, or of the trailer section, so far
    int status_ = 0;
    int interimStatus_ = 0;
    std::string reason_;
    std::vector<std::pair<std::string, std::string>> fields_;  // names in lower case
    std::optional<std::uint64_t> length_;
    std::uint64_t remaining_ = 0;    // of the chunk, or of the length
    std::uint64_t bodyBytes_ = 0;
    std::uint64_t taken_ = 0;
};

}  // namespace azimora
