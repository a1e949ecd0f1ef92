// The platform layer: the code page 932 codec byte by byte, the physical JIS
// keys, the reasons for file failures, fonts and twips.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <tuple>

#include "ui/FileError.h"
#include "ui/Fonts.h"
#include "ui/JisKeys.h"
#include "ui/TextCodec.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

TEST(TextCodecTest, DecodesAndEncodesCodePage932) {
    ASSERT_TRUE(HasCp932Codec()) << "this Qt has no \"windows-31j\" codec (it needs ICU), so "
                                    "word.txt and Roman.ini can be neither read nor written";
    const std::tuple<QByteArray, QString, bool> decoded[] = {
        // Where code page 932 is not plain Shift_JIS, and the ends of each byte range.
        {"\x81\x5F\x81\x60\x87\x40\xFA\x40", u"＼～①ⅰ"_s, false},
        {"\x81\x40\x9F\xFC\xE0\x40\xFC\x4B\x81\xFC\xA1\xDF", u"\u3000滌漾黑◯｡ﾟ"_s, false},
        // ICU's table swaps the controls 0x1A, 0x1C and 0x7F, which Windows keeps.
        {QByteArray("a\x1A\x1C\x7F\0\r", 6), u"a\x1A\x1C\x7F\0\r"_s, false},
        {"a\x82", u"a\uFFFD"_s, true},
        {"\x82\r\n\x82\x7F\x82?\x82\xFD\x82\xA9", u"\uFFFD\r\n\uFFFD\x7F\uFFFD?\uFFFD\uFFFDか"_s,
         true},
        {"\x80\xA0\xFD\xFE\xFF\x85\x40", QString(6, QChar(0xFFFD)), true},
    };
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

// Each row is "key:virtual key".
template <typename VirtualKey>
void ExpectKeys(const std::string& rows, VirtualKey virtualKey) {
    std::istringstream in(rows);
    for (std::string row; in >> row;) {
        const size_t colon = row.rfind(':');
        EXPECT_EQ(std::to_string(virtualKey(row.substr(0, colon))), row.substr(colon + 1)) << row;
    }
}

TEST(JisKeysTest, PlaceOnTheKeyboardOrElseTheQtKeyAsJisPrintsIt) {
    const auto x = [](bool numLock) {
        return [=](const std::string& key) {
            return VirtualKeyFromXKeycode(std::stoul(key), numLock);
        };
    };
    ExpectKeys(
        "0:0 9:0 10:49 18:57 19:48 20:189 21:222 23:0 24:81 33:80 34:192 35:219 37:0 38:65 "
        "46:76 47:187 48:186 49:0 51:221 52:90 58:77 59:188 60:190 61:191 65:32 36:13 104:13 "
        "97:226 132:220 90:96 81:105 91:110 63:106 86:107 82:109 106:111",
        x(true));
    ExpectKeys("90:0 81:0 91:0 63:106 104:13", x(false));
    const auto qt = [](Qt::KeyboardModifiers modifiers) {
        return [=](const std::string& key) { return VirtualKeyFromQtKey(key[0], modifiers); };
    };
    ExpectKeys(
        "!:49 ):57 /:191 0:48 9:57 ::186 *:186 @:192 A:65 Z:90 [:219 \\:226 _:226 `:192 "
        "{:219 |:220 ~:222 ^:222 =:189 +:187",
        qt(Qt::NoModifier));
    ExpectKeys("0:96 9:105 *:106 +:107 -:109 .:110 ,:110 /:111 A:0", qt(Qt::KeypadModifier));
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Return, {}), 13);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_yen, {}) + VirtualKeyFromQtKey(Qt::Key_F1, {}), 220);
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftMask(Qt::KeyboardModifiers(0xFF000000)), 7);  // Meta and keypad play no part

    // A US layout types "[" on the JIS "@" key (X 34), a French one "A" on Q (X 24); the
    // keypad's digits and decimal point count with NumLock on, known from the Qt key.
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, quint32, JisKey> events[] = {
        {Qt::Key_BracketLeft, {}, 34, {192, 0}},
        {Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier, 24, {'Q', 3}},
        {Qt::Key_QuoteLeft, {}, 49, {0, 0}},
        {Qt::Key_0, Qt::KeypadModifier, 90, {96, 0}},
        {Qt::Key_9, Qt::KeypadModifier, 81, {105, 0}},
        {Qt::Key_Home, Qt::KeypadModifier, 79, {0, 0}},
        {Qt::Key_Comma, Qt::KeypadModifier, 91, {110, 0}},
        {Qt::Key_Period, Qt::KeypadModifier, 91, {110, 0}},
        {Qt::Key_Colon, {}, 0, {186, 0}},
        {Qt::Key_K, Qt::AltModifier, 0, {'K', 4}},
    };
    for (const auto& [qtKey, modifiers, scanCode, key] : events) {
        const QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, scanCode, 0, 0);
        EXPECT_EQ(JisKeyFromEvent(event), key) << "X " << scanCode << " Qt " << qtKey;
    }
}

TEST(PlatformTest, FailureReasonsFontsAndTwips) {
    EXPECT_EQ(FileErrorReason(EACCES, u"x"_s) + FileErrorReason(ENOSPC, u"x"_s) +
                  FileErrorReason(EROFS, u"x"_s) + FileErrorReason(EIO, u"x"_s),
              u"アクセスが許可されていません。ディスクの空き容量が足りません。"
              u"読み取り専用のファイルシステムです。ディスクの読み書きでエラーが起きました。"_s);
    EXPECT_EQ(FileErrorReason(ELOOP, u"system"_s), u"system"_s);
    EXPECT_EQ(FileErrorReason(ELOOP, {}), QString::fromLocal8Bit(std::strerror(ELOOP)));

    const QFont font = JapaneseFont(8.25, true);
    EXPECT_TRUE(font.italic() && font.pointSizeF() == 8.25 && font.weight() == QFont::Normal);
    EXPECT_TRUE(JapaneseFontFamilies().contains(QFontInfo(font).family()))
        << QFontInfo(font).family().toStdString() << "; scripts/install-deps installs fonts";
    EXPECT_TRUE(QFontMetrics(font).inFont(u'あ') && QFontMetrics(font).inFont(u'ｶ'));
    EXPECT_EQ(TwipsRect(7, 8, 1208, 7275), QRect(0, 1, 81, 485));
}

}  // namespace
}  // namespace kanoby
