#include "text_encoding.h"

#include <gtest/gtest.h>

#include "list_file_io.h"

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

TEST(ListFileLines, EndAtCrLfLfOrLoneCr) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\r\r\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines(""), Lines{});
}

TEST(InOutCodes, OperatingSystemErrorsMapOntoTheUsualCodes) {
    EXPECT_EQ(InOutCodeOfErrno(ENOENT), 2);
    EXPECT_EQ(InOutCodeOfErrno(ENOTDIR), 3);
    EXPECT_EQ(InOutCodeOfErrno(EMFILE), 4);
    EXPECT_EQ(InOutCodeOfErrno(EROFS), 5);
    EXPECT_EQ(InOutCodeOfErrno(EDQUOT), 101);
    EXPECT_EQ(InOutCodeOfErrno(EIO), EIO);
}

}  // namespace
}  // namespace azimora
