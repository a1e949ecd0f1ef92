#include <gtest/gtest.h>

#include <QStringList>
#include <string>
#include <vector>

#include "ui/TextCodec.h"

namespace kanoby {
namespace {

using namespace std::literals;

QString Text(std::u16string_view units) {
    return QString(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size()));
}

std::string Hex(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)
        .toHex(' ')
        .toStdString();
}

// Every other test here depends on it; this one says why they fail.
TEST(TextCodecTest, ThisQtHasTheCodePage932Codec) {
    ASSERT_TRUE(HasCp932Codec())
        << "Qt cannot convert code page 932 (\"windows-31j\"): it must be built with ICU. "
           "word.txt and Roman.ini cannot be read or written on this platform.";
}

struct DecodeRow {
    const char* name;
    QByteArray bytes;
    std::u16string_view text;
    bool invalid;
};

void PrintTo(const DecodeRow& row, std::ostream* os) {
    *os << row.name;
}

class DecodeTest : public ::testing::TestWithParam<DecodeRow> {};

TEST_P(DecodeTest, GivesTheTextAndFlagsInvalidBytes) {
    const DecodeRow& row = GetParam();
    bool invalid = !row.invalid;
    const QString text = DecodeCp932(row.bytes, &invalid);
    EXPECT_EQ(text, Text(row.text)) << Hex(text);
    EXPECT_EQ(invalid, row.invalid);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cp932, DecodeTest, ::testing::Values(
    // The characters where code page 932 differs from plain Shift_JIS.
    DecodeRow{"FullwidthReverseSolidus", QByteArray("\x81\x5F"), u"\uFF3C", false},
    DecodeRow{"FullwidthTilde", QByteArray("\x81\x60"), u"\uFF5E", false},
    DecodeRow{"CircledDigitOne", QByteArray("\x87\x40"), u"\u2460", false},
    DecodeRow{"SmallRomanNumeralOne", QByteArray("\xFA\x40"), u"\u2170", false},
    DecodeRow{"AsciiAsItIs", QByteArray("a\\~ \t\"|,\r\n\r"), u"a\\~ \t\"|,\r\n\r", false},
    // ICU's own substitute is U+001A; a real one in the file is not invalid.
    DecodeRow{"ControlCodesAsTheyAre", QByteArray("\x1A\x1C\x7F\x00", 4), u"\u001A\u001C\u007F\u0000"sv, false},
    DecodeRow{"SingleByteKana", QByteArray("\xA1\xB1\xDE\xDF"), u"｡ｱﾞﾟ", false},
    DecodeRow{"LeadByteCutOffAtEnd", QByteArray("a\x82"), u"a\uFFFD", true},
    DecodeRow{"LeadByteBeforeLineEnd", QByteArray("\x82\r\n"), u"\uFFFD\r\n", true},
    DecodeRow{"LeadByteBeforeSpaceKeepsTheSpace", QByteArray("\x82 b"), u"\uFFFD b", true},
    DecodeRow{"LeadByteBeforeDelete", QByteArray("\x82\x7F"), u"\uFFFD\u007F", true},
    DecodeRow{"LeadByteBeforeKana", QByteArray("\x82\xFD\x82\xA9"), u"\uFFFD\uFFFDか", true},
    DecodeRow{"BytesThatStartNothing", QByteArray("\x80\xA0\xFD\xFE\xFF"), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", true}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct EncodeRow {
    const char* name;
    std::u16string_view text;
    QByteArray bytes;
};

void PrintTo(const EncodeRow& row, std::ostream* os) {
    *os << row.name;
}

class EncodeTest : public ::testing::TestWithParam<EncodeRow> {};

TEST_P(EncodeTest, GivesTheBytes) {
    const EncodeRow& row = GetParam();
    EXPECT_EQ(EncodeCp932(Text(row.text)).toHex(' '), row.bytes.toHex(' '));
}

// Every two-byte character is encoded back by the test below.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cp932, EncodeTest, ::testing::Values(
    EncodeRow{"Record", u"\"しゃ\",\"sya\"\r\n", QByteArray("\x22\x82\xB5\x82\xE1\x22\x2C\x22sya\x22\r\n")},
    EncodeRow{"AsciiAsItIs", u"|~\\", QByteArray("|~\\")},
    EncodeRow{"MissingCharacterThenKana", u"\u00E9か", QByteArray("?\x82\xA9")},
    EncodeRow{"SurrogatePairIsOneCharacter", u"\U0001F600x", QByteArray("?x")},
    EncodeRow{"LoneSurrogate", u"\xD800x", QByteArray("?x")}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Every well-formed two-byte sequence is one character: a mapped one that
// encodes back to a sequence giving the same character, or U+FFFD with the
// invalid flag. Never ICU's U+001A substitute, never two characters.
TEST(TextCodecTest, EveryTwoByteSequenceIsOneCharacter) {
    QByteArray bytes;
    std::vector<int> sequences;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            bytes.append(char(lead)).append(char(trail)).append('\n');
            sequences.push_back(lead << 8 | trail);
        }
    }
    const QStringList lines = DecodeCp932(bytes).split(u'\n');
    ASSERT_EQ(lines.size(), qsizetype(sequences.size()) + 1);
    int mapped = 0;
    for (size_t i = 0; i < sequences.size(); ++i) {
        const QString& line = lines[qsizetype(i)];
        SCOPED_TRACE(testing::Message() << std::hex << sequences[i]);
        ASSERT_EQ(line.size(), 1) << Hex(line);
        const QByteArray pair = bytes.mid(qsizetype(3 * i), 2);
        bool invalid = false;
        EXPECT_EQ(DecodeCp932(pair, &invalid), line);
        EXPECT_NE(line[0], QChar(u'\u001A'));
        EXPECT_EQ(invalid, line[0] == QChar(0xFFFD));
        if (invalid)
            continue;
        ++mapped;
        EXPECT_EQ(DecodeCp932(EncodeCp932(line)), line);
    }
    // 7,915 assigned characters of code page 932 plus 1,880 user-defined.
    EXPECT_GT(mapped, 9000);
}

}  // namespace
}  // namespace kanoby
