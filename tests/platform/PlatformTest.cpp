// The platform layer: the JIS keys by place and by layout, the fonts, plain-text tooltips.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTextDocument>
#include <tuple>

#include "engine/KeyTable.h"
#include "files/EngineText.h"
#include "platform/Fonts.h"
#include "platform/JisKeys.h"
#include "platform/PlainText.h"

using namespace kanoby;
using namespace Qt::StringLiterals;

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
    KeyTable table;
    table.Build();
    const auto typed = [&](const KeyStroke& key, const bool romaji) {
        const std::optional<KeyTranslation> out = table.Translate(key.keyCode, key.shift);
        return !out ? u"·"_s : FromEngineText(romaji ? out->character : out->kana);
    };
    constexpr auto kShift = Qt::ShiftModifier, kNone = Qt::NoModifier, kPad = Qt::KeypadModifier;
    // clang-format off
    const std::tuple<quint32, int, Qt::KeyboardModifiers, QString> rows[] = {
        {11, Qt::Key_QuoteDbl, kShift, u"\"ﾌ"_s}, {19, Qt::Key_AsciiTilde, kShift, u"~ｦ"_s},  // Japanese
        {97, Qt::Key_Underscore, kShift, u"_ﾛ"_s}, {132, Qt::Key_Backslash, kNone, u"\\ｰ"_s},
        {11, Qt::Key_At, kShift, u"@ﾌ"_s}, {48, Qt::Key_Apostrophe, kNone, u"'ｹ"_s},  // US
        {87, Qt::Key_1, kPad, u"1"_s}, {79, Qt::Key_Home, kPad, u"··"_s}, {38, Qt::Key_A, Qt::ControlModifier, u"··"_s},
        {81, Qt::Key_9, kPad, u"9"_s}, {0, Qt::Key_9, kPad, u"9"_s}, {0, Qt::Key_9, kNone, u"9ﾖ"_s},  // 9: the last digit
        {29, Qt::Key_Z, kNone, u"zﾝ"_s}, {52, Qt::Key_Y, kShift, u"Yｯ"_s}, {20, Qt::Key_ssharp, kNone, u"·ﾎ"_s},  // German
        {24, Qt::Key_A, kNone, u"aﾀ"_s}, {10, Qt::Key_Ampersand, kNone, u"&ﾇ"_s}, {10, Qt::Key_1, kShift, u"1ﾇ"_s},  // French
        {34, Qt::Key_Dead_Circumflex, kNone, u"^ﾞ"_s}, {58, Qt::Key_Comma, kNone, u",ﾓ"_s},
        {49, Qt::Key_Dead_Circumflex, kNone, u"^·"_s}, {48, Qt::Key_Dead_Acute, kNone, u"'ｹ"_s},  // dead keys
        {48, Qt::Key_Dead_Diaeresis, kShift, u"\"ｹ"_s}, {49, Qt::Key_Dead_Grave, kNone, u"`·"_s},
        {49, Qt::Key_Dead_Tilde, kShift, u"~·"_s}, {21, Qt::Key_Dead_Acute, kNone, u"'ﾍ"_s},
        {39, Qt::Key_O, kNone, u"oﾄ"_s}, {52, Qt::Key_Semicolon, kNone, u";ﾂ"_s}, {0, Qt::Key_Colon, kNone, u":ｹ"_s}};  // Dvorak
    // clang-format on
    for (const auto& [place, qtKey, modifiers, expected] : rows) {
        const QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, place, 0, 0);
        EXPECT_EQ(typed(JisKeyByLayout(event, table), true) + typed(JisKeyFromEvent(event), false),
                  expected)
            << place << " " << qtKey;
    }
    EXPECT_EQ(JisKeyByLayout(QKeyEvent(QEvent::KeyPress, Qt::Key_Enter, kShift, 104, 0, 0), table),
              (KeyStroke{13, 1}));
}

TEST(FontsTest, NamesThePackageWhenNoFontShowsKana) {
    QFont latin(u"DejaVu Sans"_s);
    latin.setStyleStrategy(QFont::NoFontMerging);
    EXPECT_TRUE(MissingJapaneseFontMessage(JapaneseFont(12)).isEmpty() &&
                MissingJapaneseFontMessage(latin).contains(u"fonts-ipafont-gothic"_s));
}

// A tooltip shows its text as written, cut to its length with "…", never inside a pair of
// surrogates.
TEST(PlainTextTest, ToolTipsAreCutWholeCharacters) {
    const QString full(kToolTipCharacters, u'a'), pair = u"😀"_s, shorter = full.chopped(1);
    for (const auto& [text, shown] : {std::pair{QString(), QString()},
                                      {full, full},
                                      {full + u'b', full + u'…'},
                                      {shorter + pair, shorter + u'…'},
                                      {u"<b>&amp;</b>"_s, u"<b>&amp;</b>"_s}}) {
        const QString html = PlainToolTip(text);
        QTextDocument tip;
        tip.setHtml(html);
        EXPECT_EQ(tip.toPlainText(), shown) << text.size();
        EXPECT_EQ(QString::fromUtf8(html.toUtf8()), html) << "half a pair";
    }
}
