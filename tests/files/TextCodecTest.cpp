// The code page 932 codec, byte by byte.
#include <gtest/gtest.h>

#include <sstream>

#include "files/TextCodec.h"

using namespace kanoby;
using namespace Qt::StringLiterals;

TEST(TextCodecTest, DecodesAndEncodesCodePage932) {
    ASSERT_TRUE(HasCp932Codec()) << "no \"windows-31j\" in this Qt: it needs ICU for word.txt";
    const std::tuple<QByteArray, QString, bool> decoded[] = {
        // Where code page 932 is not plain Shift_JIS, the ends of each byte range, and ASCII
        // as it is: ICU's table swaps the controls 0x1A, 0x1C and 0x7F, which Windows keeps.
        {"\x81\x5F\x81\x60\x87\x40\xFA\x40\x81\x40\x9F\xFC\xE0\x40\xFC\x4B\x81\xFC"
         "\xA1\xDF\x61\x1A\x1C\x7F\0\r"_ba,
         u"＼～①ⅰ\u3000滌漾黑◯｡ﾟa\x1A\x1C\x7F\0\r"_s, false},
        // Bytes that start nothing, lead bytes without their trail byte, the last at the end.
        {"\x82\r\n\x82\x7F\x82?\x82\xFD\x82\xA9\x80\xA0\xFD\xFE\xFF\x61\x82",
         u"\uFFFD\r\n\uFFFD\x7F\uFFFD?\uFFFD\uFFFDか\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDa\uFFFD"_s, true},
        {"\x85\x40", u"\uFFFD"_s, true}};  // well formed, but no character
    const auto hex = [](const QByteArray& bytes) { return bytes.toHex(' ').toStdString(); };
    for (const auto& [bytes, text, invalid] : decoded) {
        bool hadInvalid = !invalid;
        EXPECT_EQ(DecodeCp932(bytes, &hadInvalid), text) << hex(bytes);
        EXPECT_EQ(hadInvalid, invalid) << hex(bytes);
    }
    // What Windows writes: "?" for each character the code page lacks, one for a pair.
    EXPECT_EQ(hex(EncodeCp932(u"\"しゃ\",\"|~\\\x1A\x1C\x7F\"\r\n\u00E9か\u0080\xD800x😀"_s)),
              hex("\"\x82\xB5\x82\xE1\",\"|~\\\x1A\x1C\x7F\"\r\n?\x82\xA9??x?"));
}
