// The platform layer: the code page 932 codec byte by byte, the JIS keys, where the files live.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <sstream>
#include <tuple>

#include "ui/JisKeys.h"
#include "ui/ProgramDir.h"
#include "ui/TextCodec.h"

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
    // X keycode:virtual key, "!" before a keycode read with NumLock off.
    std::istringstream rows(
        "0:0 9:0 10:49 18:57 19:48 20:189 21:222 23:0 24:81 33:80 34:192 35:219 37:0 38:65 "
        "46:76 47:187 48:186 49:0 51:221 52:90 58:77 59:188 60:190 61:191 65:32 36:13 104:13 "
        "97:226 132:220 90:96 81:105 91:110 63:106 86:107 82:109 106:111 !90:0 !81:0 !91:0 "
        "!63:106 !104:13");
    for (std::string row; rows >> row;) {
        const int virtualKey =
            VirtualKeyFromXKeycode(std::stoul(row.substr(row[0] == '!')), row[0] != '!');
        EXPECT_EQ(std::to_string(virtualKey), row.substr(row.find(':') + 1)) << row;
    }

    // A French layout types "A" on the Q key (X 24); the keypad's digits and decimal
    // point count with NumLock on, known from the Qt key; a key of no place types nothing.
    const auto key = [](int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode) {
        const JisKey key =
            JisKeyFromEvent(QKeyEvent(QEvent::KeyPress, qtKey, modifiers, scanCode, 0, 0));
        return std::to_string(key.keyCode) + '+' + std::to_string(key.shift) + ' ';
    };
    const auto keypad = Qt::KeypadModifier;
    EXPECT_EQ(key(Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier, 24) +
                  key(Qt::Key_QuoteLeft, {}, 49) + key(Qt::Key_0, keypad, 90) +
                  key(Qt::Key_9, keypad, 81) + key(Qt::Key_Home, keypad, 79) +
                  key(Qt::Key_Comma, keypad, 91) + key(Qt::Key_Colon, Qt::AltModifier, 0),
              "81+3 0+0 96+0 105+0 0+0 110+0 186+4 ");
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
