// word.txt read into pairs: line ends, encodings, bad bytes, the limits and
// the lines the start-up message points to.
#include <gtest/gtest.h>

#include <QStringList>
#include <memory>

#include "files/QuestionFile.h"
#include "tests/files/QuestionFileMessages.h"

// Failures show the text, not its code units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace kanoby::testing {
namespace {

struct ReadRow {
    QByteArray bytes;
    QString lines;  // the pairs read, every line followed by "|"
    QStringList messages = {};
};

// clang-format off
const ReadRow kReadRows[] = {
    {"A\na\rB\r\nb\n\rC\r\r\n", u"A|a|B|b||C|"_s, {Notes(u"5:blank rule"_s)}},  // line ends mixed
    {" A \r\n\t\xEF\xBD\x81\t\r\nB", u" A |\tａ\t|"_s},          // blanks kept, an unpaired line not
    {"\x81\x5F\r\n\x81\x60\r\n", u"＼|～|"_s},                   // where code page 932 is not Shift_JIS
    {"漢字\r\nかんじ\r\n\r\n", u"漢字|かんじ|"_s}, {"\xEF\xBB\xBF漢字\nかんじ", u"漢字|かんじ|"_s},  // UTF-8
    {"\xFF\xFE\x0A\x4E\x0D\x00\x0A\x00\x0D\x4E\x0A\x00\x61\x00\x0D\x00\x42\xD8\xB7\xDF"_ba, u"上|不|a|𠮷|"_s,
     {Notes(u"4:𠮷"_s)}},  // no key types 𠮷, named whole
    {"\xFE\xFF\x4E\x0A\x00\x0D\x4E\x0D\x00\x0D\x00\x0A\x00\x41\x00\x0A"_ba, u"上|不|"_s},  // A unpaired
    {"\xFF\xFE\x41\x00\x0A\x00\x00\xD8\x61\x00\x0A\x00\x42\x00\x0A\x00\x62\x00"_ba, u"A|\uFFFDa|B|b|"_s, {Unreadable(2)}},
    {"\xFF\xFE\x41\x00\x0A\x00\x62"_ba, u"A|\uFFFD|"_s, {Unreadable(2)}},  // an odd last byte
    {"\x8A\xBF\r\n\x82\xA9\x82", u"漢|か\uFFFD|"_s, {Unreadable(2)}},    // a lead byte cut off
    {"A\r\na\r\n\xFF\r\nb\r\n\x80\r\n\x80\r\n\xFF", u"A|a|\uFFFD|b|\uFFFD|\uFFFD|"_s, {Unreadable(3)}},
    {"\xEF\xBB\xBF" "A\r\n\xE3\x81\r\n"_ba, u"A|\uFFFD\uFFFD|"_s, {Unreadable(2)}},
    {"\x82\xA9\r\n\xE3\x81\x8B\r\n", u"か|\u7E3A\uFFFD|"_s, {Unreadable(2)}},  // not all UTF-8
    {"\x82\xCD\x82\xC8\r\n\x82\xCC\x82\xC9\x82\xD9\x82\xD0", u"はな|のにほひ|"_s},  // UTF-8's C8 82 ...
    {"日本語の文\r\nにほんごの\xFFぶん\r\n", u"日本語の文|にほんごの\uFFFDぶん|"_s, {Unreadable(2)}},
    {"A\r\na\r\nB\r\n", u"A|a|"_s},  // a CR LF at the end is one line end, in either form
    {"\xFF\xFE\x41\x00\x0D\x00\x0A\x00\x61\x00\x0D\x00\x0A\x00\x42\x00\x0D\x00\x0A\x00"_ba, u"A|a|"_s},
    {QByteArray("A\n\n").repeated(10), u"A||"_s.repeated(10), {Notes(u"2: 4: 6: 8: 10: 12: 14: 16: 18: 20: rule"_s)}},
    {"", u""_s, {u"問題文ファイルに問題がありません。"_s}},
    {"A\n \xE3\x81\x86 \nB\n\xE3\x80\x80x\nC\ny  \nD\nz\xE2\x80\xA8", u"A| う |B|\u3000x|C|y  |D|z\u2028|"_s,
     {Notes(u"2:最初と最後 4:最初 6:最後 8:U+2028"_s)}},  // typeable, but spaces no one sees
    {"\r\n字\r\nQ\r\n\r\n" + QByteArray(32768, 'a') + "\r\n字", u"|字|Q||"_s + QString(32767, u'a') + u"|字|"_s,
     {Notes(u"1:blank 2:字 4: 5:long 6:字 rule"_s)}},
};
// clang-format on

TEST(ReadQuestionsTest, ReadsThePairsAndWordsTheMessages) {
    auto list = std::make_unique<QuestionList>();
    // The window asks its tables.
    const TypeableTest typeable = [](char16_t c) {
        return c != u'字' && c != u'\u2028' && !QChar::isSurrogate(c);
    };
    for (const ReadRow& row : kReadRows) {
        QStringList messages;
        ReadQuestions(row.bytes, typeable, *list, messages);
        QString lines;
        for (int i = 0; i < list->QuestionCount; ++i)
            lines += list->Questions[i] + u'|' + list->Readings[i] + u'|';
        EXPECT_EQ(lines, row.lines) << row.bytes.toHex(' ').toStdString();
        EXPECT_EQ(messages, row.messages) << row.bytes.toHex(' ').toStdString();
    }
    for (const auto& [bytes, messages] :
         {std::pair{Pairs(0, 1001), QStringList{}},
          {Pairs(0, 1001) + "extra", QStringList{}},
          {Pairs(0, 1002), QStringList{u"問題は最初の1001問だけを使います。"_s}}}) {
        QStringList shown;
        ReadQuestions(bytes, typeable, *list, shown);
        EXPECT_EQ(list->QuestionCount, 1001);
        EXPECT_EQ(list->Readings[1000], u"q1000"_s);
        EXPECT_EQ(shown, messages);
    }
}

}  // namespace
}  // namespace kanoby::testing
