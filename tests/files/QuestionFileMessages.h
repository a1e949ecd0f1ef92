// The start-up messages about word.txt as the user reads them, and a file of
// numbered pairs; shared by the reader's test and the window's.
#pragma once

#include <QByteArray>
#include <QString>

namespace kanoby::testing {

using namespace Qt::StringLiterals;

inline QString Unreadable(int line) {
    return u"問題文ファイルの%1行目に読めない文字があります。"_s.arg(line);
}

// The paragraph on lines to look at: "4:字" for an untypeable 字 in line 4,
// "6:" for an empty reading, "5:blank" for an empty question, "2:long", "3:最後"
// for spaces at the reading's end, "4:U+2028" for a character named by code, "+2"
// for two lines more, "rule" for the rule on blank lines.
inline QString Notes(const QString& notes) {
    QString text = u"問題文ファイルの次の行を確かめてください。"_s;
    for (const QString& note : notes.split(u' ')) {
        const QString line = note.section(u':', 0, 0), what = note.section(u':', 1);
        text += line.startsWith(u'+') ? u"\nほか%1行"_s.arg(line.mid(1))
                : line == u"rule"_s
                    ? u"\n問題文と読みは、間に空の行を入れずに2行ずつ続けて書きます"
                      u"（空の行が1つあると、それより後の組がすべて1行ずれます）。"_s
                : what == u"blank"_s ? u"\n%1行目：問題文が空です。"_s.arg(line)
                : what == u"long"_s
                    ? u"\n%1行目：長すぎるため、最初の32767文字だけを使います。"_s.arg(line)
                : what.startsWith(u'最')
                    ? u"\n%1行目：読みの%2に空白があります。"_s.arg(line, what)
                    : u"\n%1行目：%2この問題は飛ばします。"_s.arg(
                          line, what.isEmpty() ? u"読みが空です。"_s
                                : what.startsWith(u"U+")
                                    ? u"読みの%1を打つキーがありません。"_s.arg(what)
                                    : u"読みの「%1」を打つキーがありません。"_s.arg(what));
    }
    return text;
}

inline QByteArray Pairs(int from, int to) {
    QByteArray bytes;
    for (int i = from; i < to; ++i)
        bytes += "Q\r\nq" + QByteArray::number(i) + "\r\n";
    return bytes;
}

}  // namespace kanoby::testing
