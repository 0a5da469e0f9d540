// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "text/text_encoding.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "lists/list_file_io.h"

namespace azimora {
namespace {

TEST(Utf8Validity, RejectsMalformedSequences) {
    struct Case {
        const char* bytes;
        bool valid;
    };
    for (const Case& c : {Case{"plain", true}, Case{"\xC3\xA9", true}, Case{"\xE2\x82\xAC", true},
                          Case{"\xF0\x9F\x9B\xB0", true}, Case{"\xC3", false}, Case{"\xE9t\xE9", false},
                          Case{"\xC0\xAF", false} /* overlong */, Case{"\xED\xA0\x80", false} /* surrogate */,
                          Case{"\xF4\x90\x80\x80", false} /* beyond U+10FFFF */, Case{"\xFF", false}}) {
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
    }
}

// The Unicode Standard 15.0, section 3.9, Table 3-8: "61 F1 80 80 E1 80 C2
// 62 80 63 80 BF 64" is a, three U+FFFD, b, one, c, two, d (one for each
// maximal subpart); and other broken sequences as Table 3-7 decides them.
TEST(Utf8Validity, EachMaximalSubpartBecomesOneReplacementCharacter) {
    const std::string r(kReplacementCharacter);
    struct Case {
        const char* bytes;
        std::string text;
    };
    for (const Case& c : {Case{"\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64", "a" + r + r + r + "b" + r + "c" + r + r + "d"},
                          Case{"\xFF\xFE" "bad", r + r + "bad"}, Case{"\xC0\xAF", r + r} /* overlong */,
                          Case{"\xED\xA0\x80", r + r + r} /* a surrogate */, Case{"\xF4\x90\x80\x80", r + r + r + r},
                          Case{"\xE2\x82", r} /* cut short at the end */, Case{"Z\xC3\xBCrich \xF0\x9F\x9B\xB0", "Z\xC3\xBCrich \xF0\x9F\x9B\xB0"}}) {
        EXPECT_EQ(WellFormedUtf8(c.bytes), c.text) << c.bytes;
        EXPECT_TRUE(IsValidUtf8(WellFormedUtf8(c.bytes)));
    }
}

TEST(ListFileLines, EndAtCrLfLfOrLoneCr) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\r\r\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines(""), Lines{});
}

// Numbers that mean what a fixed code means take its message; any other
// number is told apart from every fixed code, with the system's words.
TEST(InOutCodes, OperatingSystemErrorsNeverPassForAnotherFixedCode) {
    struct Case {
        int error;
        const char* message;
    };
    for (const Case& c : {Case{ENOENT, "File not found"}, Case{ENOTDIR, "Invalid filename"},
                          Case{EMFILE, "Too many open files"}, Case{EROFS, "File access denied"},
                          Case{EACCES, "File access denied"}, Case{EDQUOT, "Disk full"}, Case{ENOSPC, "Disk full"},
                          Case{EIO, "I/O error 1005: Input/output error"},
                          Case{EINTR, "I/O error 1004: Interrupted system call"},
                          Case{ENETUNREACH, "I/O error 1101: Network is unreachable"},
                          Case{EISCONN, "I/O error 1106: Transport endpoint is already connected"},
                          Case{EFBIG, "I/O error 1027: File too large"}}) {
        EXPECT_STREQ(InOutErrorOfErrno(c.error).what(), c.message) << c.error;
    }
}

TEST(ListLineDecoding, EachLineDecidesItsOwnCharacterSet) {
    EXPECT_EQ(DecodeListLine("Z\xC3\xBCrich,1"), "Z\xC3\xBCrich,1");
    EXPECT_EQ(DecodeListLine("Z\xFCrich,1"), "Z\xC3\xBCrich,1");
    EXPECT_EQ(DecodeListLine("\x80\x9D"), "\xE2\x82\xAC\xC2\x9D");
}

}  // namespace
}  // namespace azimora
