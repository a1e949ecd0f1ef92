// The platform layer: the code page 932 codec byte by byte, the JIS keys, where the files live.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <sstream>
#include <tuple>

#include "engine/KeyTable.h"
#include "files/EngineText.h"
#include "platform/Fonts.h"
#include "platform/JisKeys.h"
#include "files/FileLocations.h"
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

TEST(JisKeysTest, ThePlaceOnTheKeyboardNotTheLayout) {
    // X keycode:virtual key, or with "w" a Windows scan code in hex (extended keys
    // 0x100 up); "!" before a code read with NumLock off.
    std::istringstream rows(
        "0:0 9:0 10:49 18:57 19:48 20:189 21:222 23:0 24:81 33:80 34:192 35:219 37:0 38:65 "
        "46:76 47:187 48:186 49:0 51:221 52:90 58:77 59:188 60:190 61:191 65:32 36:13 104:13 "
        "97:226 132:220 90:96 81:105 91:110 63:106 86:107 82:109 106:111 !90:0 !81:0 !91:0 "
        "!63:106 !104:13 w10:81 w32:77 w2:49 wB:48 wC:189 wD:222 w7D:220 w1A:192 w1B:219 "
        "w27:187 w28:186 w2B:221 w35:191 w73:226 w39:32 w1C:13 w11C:13 w135:111 w37:106 "
        "w52:96 w49:105 w53:110 !w52:0 !w53:0 !w37:106 w148:0 w147:0 w11D:0 w138:0 w29:0 "
        "w70:0 w79:0 w7B:0 w0:0");
    for (std::string row; rows >> row;) {
        const bool off = row[0] == '!', windows = row[off] == 'w';
        const quint32 code = std::stoul(row.substr(off + windows), nullptr, windows ? 16 : 10);
        const int virtualKey = windows ? VirtualKeyFromWindowsScanCode(code, !off)
                                       : VirtualKeyFromXKeycode(code, !off);
        EXPECT_EQ(std::to_string(virtualKey), row.substr(row.find(':') + 1)) << row;
    }
}

// Key events as each layout delivers them (X keycode, 0 for none; Qt key; modifiers) and what
// they type in romaji input (by the layout) and kana input (by the place); "·": no table key.
TEST(JisKeysTest, RomajiByTheLayoutKanaByThePlace) {
#ifdef _WIN32
    GTEST_SKIP() << "the places are X keycodes; Windows' scan codes are typed under wine";
#endif
    CodeChangeTableSet table;
    table.SetCodeChangeTable();
    CodeChage lookup(table);
    const auto typed = [&](const JisKey& key, const bool romaji) {
        std::tie(lookup.InKeyCode, lookup.InShift) = std::pair(key.keyCode, key.shift);
        lookup.ChangeCode();
        return lookup.OutStatus != u"0" ? u"·"_s
                                        : FromEngineText(romaji ? lookup.OutChar : lookup.OutKana);
    };
    constexpr auto kShift = Qt::ShiftModifier, kNone = Qt::NoModifier, kPad = Qt::KeypadModifier;
    // clang-format off
    const std::tuple<quint32, int, Qt::KeyboardModifiers, QString> rows[] = {
        {11, Qt::Key_QuoteDbl, kShift, u"\"ﾌ"_s}, {19, Qt::Key_AsciiTilde, kShift, u"~ｦ"_s},  // Japanese
        {97, Qt::Key_Underscore, kShift, u"_ﾛ"_s}, {132, Qt::Key_Backslash, kNone, u"\\ｰ"_s},
        {11, Qt::Key_At, kShift, u"@ﾌ"_s}, {48, Qt::Key_Apostrophe, kNone, u"'ｹ"_s},  // US
        {87, Qt::Key_1, kPad, u"1"_s}, {79, Qt::Key_Home, kPad, u"··"_s}, {38, Qt::Key_A, Qt::ControlModifier, u"··"_s},
        {29, Qt::Key_Z, kNone, u"zﾝ"_s}, {52, Qt::Key_Y, kShift, u"Yｯ"_s}, {20, Qt::Key_ssharp, kNone, u"·ﾎ"_s},  // German
        {24, Qt::Key_A, kNone, u"aﾀ"_s}, {10, Qt::Key_Ampersand, kNone, u"&ﾇ"_s}, {10, Qt::Key_1, kShift, u"1ﾇ"_s},  // French
        {34, Qt::Key_Dead_Circumflex, kNone, u"·ﾞ"_s}, {58, Qt::Key_Comma, kNone, u",ﾓ"_s},
        {39, Qt::Key_O, kNone, u"oﾄ"_s}, {52, Qt::Key_Semicolon, kNone, u";ﾂ"_s}, {0, Qt::Key_Colon, kNone, u":ｹ"_s}};  // Dvorak
    // clang-format on
    for (const auto& [place, qtKey, modifiers, expected] : rows) {
        const QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, place, 0, 0);
        EXPECT_EQ(typed(JisKeyByLayout(event, table), true) + typed(JisKeyFromEvent(event), false),
                  expected)
            << place << " " << qtKey;
    }
    EXPECT_EQ(JisKeyByLayout(QKeyEvent(QEvent::KeyPress, Qt::Key_Enter, kShift, 104, 0, 0), table),
              (JisKey{13, 1}));
}

TEST(FileLocationsTest, BesideAPortableProgramElseInTheUsersFolders) {
    QCoreApplication::setApplicationName(u"kanoby"_s);
    const QTemporaryDir temporary;
    const QDir dir(temporary.path());
    const QString root = dir.path() + u'/';
    // Two samples, a portable folder's list, a file where a data folder belongs.
    for (const QString& name : {u"usr/share/kanoby/word.txt"_s, u"other/share/kanoby/word.txt"_s,
                                u"portable/word.txt"_s, u"blocked/kanoby"_s}) {
        QFile file(root + name);
        ASSERT_TRUE(dir.mkpath(QFileInfo(name).path()) && file.open(QIODevice::WriteOnly));
        file.write(QFileInfo(name).path().toUtf8());
    }
    qputenv("HOME", (root + u"home"_s).toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    // Program folder, XDG_DATA_HOME, XDG_DATA_DIRS; the folders, where word.txt came from, why not.
    // Windows has no such variables: the portable folder alone.
    const QString rows[] = {
        u"portable - usr/share portable|portable portable -"_s,
#ifndef _WIN32
        u"bin - none:usr/share home/.local/share/kanoby|home/.config/kanoby usr/share/kanoby -"_s,
        u"bin - other/share home/.local/share/kanoby|home/.config/kanoby usr/share/kanoby -"_s,
        u"bin home/new none home/new/kanoby|home/.config/kanoby - -"_s,
        u"bin blocked usr/share blocked/kanoby|home/.config/kanoby - 同じ名前のファイルがあります。"_s,
#endif
    };
    for (const QString& row : rows) {
        const QStringList field = row.split(u' ');
        qputenv("XDG_DATA_HOME", field[1] == u"-" ? QByteArray() : (root + field[1]).toUtf8());
        qputenv("XDG_DATA_DIRS", QString(root + field[2]).replace(u':', u':' + root).toUtf8());
        const FileLocations files = LocateFiles(root + field[0]);
        QString why = u"-"_s;
        EXPECT_EQ(ProvideQuestionFile(files, &why), field[5] == u"-") << row.toStdString();
        QFile words(files.questionDir + u"/word.txt"_s);
        const QString found =
            dir.relativeFilePath(files.questionDir) + u'|' +
            dir.relativeFilePath(files.settingsDir) + u' ' +
            (words.open(QIODevice::ReadOnly) ? QString::fromUtf8(words.readAll()) : u"-"_s) + u' ' +
            why;
        EXPECT_EQ(found.toStdString(), field.sliced(3).join(u' ').toStdString());
    }
}

TEST(FontsTest, NamesThePackageWhenNoFontShowsKana) {
    QFont latin(u"DejaVu Sans"_s);
    latin.setStyleStrategy(QFont::NoFontMerging);
    EXPECT_TRUE(MissingJapaneseFontMessage(JapaneseFont(12)).isEmpty() &&
                MissingJapaneseFontMessage(latin).contains(u"fonts-ipafont-gothic"_s));
}
