#include "files/QuestionFile.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>
#include <algorithm>
#include <string_view>
#include <utility>

#include "engine/Utf8.h"
#include "files/FileError.h"
#include "files/FileLocations.h"
#include "files/TextCodec.h"

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF");
constexpr QByteArrayView kUtf16LeByteOrderMark("\xFF\xFE");
constexpr QByteArrayView kUtf16BeByteOrderMark("\xFE\xFF");
constexpr char16_t kReplacement = 0xFFFD;

QString TooManyQuestions() {
    return QCoreApplication::translate("kanoby::QuestionFile",
                                       "問題は最初の1001問だけを使います。");
}

struct Line {
    QString text;
    bool unreadable = false;
    bool tooLong = false;
};

// The non-ASCII sequences of some bytes taken as UTF-8: the well-formed ones
// of three or four bytes (where Japanese text lies), and the bytes that start
// no well-formed sequence.
struct Utf8Census {
    qsizetype nonAscii = 0;
    qsizetype wide = 0;
    qsizetype invalid = 0;
};

Utf8Census CountUtf8(QByteArrayView bytes) {
    const std::string_view text(bytes.data(), static_cast<std::size_t>(bytes.size()));
    Utf8Census census;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        census.nonAscii += length != 1;
        census.wide += length > 2;
        census.invalid += length == 0;
        i += std::max<std::size_t>(length, 1);
    }
    return census;
}

// A word list saved by a modern editor is UTF-8, now and then with a stray
// byte another program added. Code page 932 text with kana or kanji in it
// is mostly bytes that start no UTF-8 sequence and seldom forms one of three
// bytes, so nine in ten is a safe line between the two.
bool LooksLikeUtf8(QByteArrayView bytes) {
    const Utf8Census census = CountUtf8(bytes);
    return census.invalid == 0 ? census.nonAscii > 0 : census.wide >= 9 * census.invalid;
}

// Splits at CR LF, lone CR and LF. A final line end does not start another
// line. Stops once `maxLines` lines are found, since nothing after them is
// used. Neither 0x0D nor 0x0A occurs inside a code page 932 or UTF-8
// character, so splitting the bytes is the same as splitting the text.
QList<QByteArrayView> SplitLines(QByteArrayView bytes, qsizetype maxLines) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size() && lines.size() < maxLines) {
        const char byte = bytes[i];
        if (byte != '\r' && byte != '\n') {
            ++i;
            continue;
        }
        lines.append(bytes.sliced(start, i - start));
        i += (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < bytes.size() && lines.size() < maxLines)
        lines.append(bytes.sliced(start));
    return lines;
}

// Cuts a line longer than the longest kept, never between the halves of a
// surrogate pair.
void CutLongLine(Line& line) {
    if (line.text.size() <= kMaxLineLength)
        return;
    line.tooLong = true;
    line.text.truncate(line.text[kMaxLineLength].isLowSurrogate() ? kMaxLineLength - 1
                                                                  : kMaxLineLength);
}

QString DecodeLine(QByteArrayView line, bool utf8, bool* hadInvalid) {
    if (!utf8)
        return DecodeCp932(line.toByteArray(), hadInvalid);
    // Only the file's own byte order mark is dropped, and that has been done.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(line);
    *hadInvalid = decoder.hasError();
    return text;
}

QList<Line> DecodeLines(QByteArrayView bytes, bool utf8, qsizetype maxLines) {
    // No character takes more than three bytes a UTF-16 code unit, so this
    // many bytes hold more than a line keeps; only they are decoded.
    constexpr qsizetype kMaxLineBytes = 3 * (kMaxLineLength + 1);
    QList<Line> lines;
    for (const QByteArrayView bytesOfLine : SplitLines(bytes, maxLines)) {
        Line line;
        line.text = DecodeLine(bytesOfLine.first(std::min(bytesOfLine.size(), kMaxLineBytes)), utf8,
                               &line.unreadable);
        CutLongLine(line);
        // A character the slice cut in two is no fault of the file.
        if (bytesOfLine.size() > kMaxLineBytes)
            line.unreadable = line.text.contains(QChar(kReplacement));
        lines.append(std::move(line));
    }
    return lines;
}

// UTF-16 in the given byte order, split as the other encodings are. Its
// characters hold 0x0A and 0x0D bytes (上 is 0A 4E little-endian), so the
// lines are found in the decoded text. A surrogate without its partner, and
// an odd byte at the end, become U+FFFD.
QList<Line> DecodeUtf16Lines(QByteArrayView bytes, bool bigEndian, qsizetype maxLines) {
    const qsizetype units = bytes.size() / 2;
    const auto unitAt = [&](qsizetype i) {
        const auto first = static_cast<uchar>(bytes[2 * i]);
        const auto second = static_cast<uchar>(bytes[2 * i + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    QList<Line> lines;
    Line line;
    bool lineStarted = false;  // whether anything follows the last line end
    qsizetype i = 0;
    while (i < units && lines.size() < maxLines) {
        const char16_t unit = unitAt(i);
        if (unit == u'\r' || unit == u'\n') {
            lines.append(std::exchange(line, Line()));
            lineStarted = false;
            i += (unit == u'\r' && i + 1 < units && unitAt(i + 1) == u'\n') ? 2 : 1;
            continue;
        }
        lineStarted = true;
        if (QChar::isHighSurrogate(unit) && i + 1 < units && QChar::isLowSurrogate(unitAt(i + 1))) {
            line.text.append(QChar(unit)).append(QChar(unitAt(i + 1)));
            i += 2;
            continue;
        }
        if (QChar::isSurrogate(unit)) {
            line.text.append(QChar(kReplacement));
            line.unreadable = true;
        } else {
            line.text.append(QChar(unit));
        }
        ++i;
    }
    if (bytes.size() % 2 != 0 && lines.size() < maxLines) {
        line.text.append(QChar(kReplacement));
        line.unreadable = true;
        lineStarted = true;
    }
    if (lineStarted && lines.size() < maxLines)
        lines.append(std::move(line));
    return lines;
}

// A line that needs the user's eye, and what the program does about it.
struct LineNote {
    int line;  // 1-based
    QString text;
};

// The first character of `reading` no key types (a surrogate pair whole), or
// an empty string when all can be typed.
QString UntypeableCharacter(const QString& reading, const TypeableTest& typeable) {
    for (qsizetype i = 0; i < reading.size(); ++i) {
        if (!typeable(reading[i].unicode())) {
            const bool pair = reading[i].isHighSurrogate() && i + 1 < reading.size() &&
                              reading[i + 1].isLowSurrogate();
            return reading.mid(i, pair ? 2 : 1);
        }
    }
    return {};
}

// A tab, or another character that shows nothing, is named by its code.
QString Named(const QString& character) {
    const char32_t code = character.toUcs4().value(0);
    // A line or paragraph separator would break the message's line.
    const bool breaksLine = QChar::category(code) == QChar::Separator_Line ||
                            QChar::category(code) == QChar::Separator_Paragraph;
    return QChar::isPrint(code) && !breaksLine
               ? QCoreApplication::translate("kanoby::QuestionFile", "「%1」").arg(character)
               : u"U+"_s + QString::number(code, 16).toUpper().rightJustified(4, u'0');
}

// Spaces at either end of a reading, as an editor easily leaves them, are
// keys to press that the user cannot see in the file.
QString SpacesAtEnds(const QString& reading) {
    const auto isSpace = [](QChar c) { return c == u' ' || c == u'\u3000'; };
    const bool first = isSpace(reading.front());
    const bool last = isSpace(reading.back());
    return first && last ? QCoreApplication::translate("kanoby::QuestionFile", "最初と最後")
           : first       ? QCoreApplication::translate("kanoby::QuestionFile", "最初")
           : last        ? QCoreApplication::translate("kanoby::QuestionFile", "最後")
                         : QString();
}

// One paragraph naming the lines, the first ten of them and then how many
// more.
QString LineNotes(QList<LineNote> notes, bool emptyLines) {
    constexpr qsizetype kShown = 10;
    std::stable_sort(notes.begin(), notes.end(),
                     [](const LineNote& a, const LineNote& b) { return a.line < b.line; });
    QStringList text{QCoreApplication::translate("kanoby::QuestionFile",
                                                 "問題文ファイルの次の行を確かめてください。")};
    for (qsizetype k = 0; k < std::min(notes.size(), kShown); ++k)
        text.append(QCoreApplication::translate("kanoby::QuestionFile", "%1行目：%2")
                        .arg(notes[k].line)
                        .arg(notes[k].text));
    if (notes.size() > kShown)
        text.append(QCoreApplication::translate("kanoby::QuestionFile", "ほか%1行")
                        .arg(notes.size() - kShown));
    if (emptyLines) {
        text.append(QCoreApplication::translate(
            "kanoby::QuestionFile",
            "問題文と読みは、間に空の行を入れずに2行ずつ続けて書きます"
            "（空の行が1つあると、それより後の組がすべて1行ずれます）。"));
    }
    return text.join(u'\n');
}

// The lines of the file, in the encoding its first bytes or its text show.
QList<Line> DecodeFileLines(QByteArrayView content, qsizetype maxLines) {
    // Notepad saves "Unicode" as UTF-16 with its byte order mark first.
    if (content.startsWith(kUtf16LeByteOrderMark) || content.startsWith(kUtf16BeByteOrderMark)) {
        const bool bigEndian = content.startsWith(kUtf16BeByteOrderMark);
        return DecodeUtf16Lines(content.sliced(2), bigEndian, maxLines);
    }
    if (content.startsWith(kUtf8ByteOrderMark))
        return DecodeLines(content.sliced(kUtf8ByteOrderMark.size()), true, maxLines);
    return DecodeLines(content, LooksLikeUtf8(content), maxLines);
}

// What the lines kept showed, for the messages.
struct Findings {
    int firstUnreadableLine = 0;
    bool emptyLines = false;
    QList<LineNote> notes;
};

// Moves the text of line `lineNumber` (1-based), a question or a reading, to
// `target`, noting what is wrong with it.
void TakeLine(Line& line, int lineNumber, bool question, QString& target, Findings& findings) {
    if (line.unreadable && findings.firstUnreadableLine == 0)
        findings.firstUnreadableLine = lineNumber;
    findings.emptyLines = findings.emptyLines || line.text.isEmpty();
    // Where a blank line between two pairs shows first.
    if (line.text.isEmpty() && question)
        findings.notes.append(
            {lineNumber, QCoreApplication::translate("kanoby::QuestionFile", "問題文が空です。")});
    if (line.tooLong)
        findings.notes.append({lineNumber, QCoreApplication::translate(
                                               "kanoby::QuestionFile",
                                               "長すぎるため、最初の32767文字だけを使います。")});
    target = std::move(line.text);
}

// A run would stop at a reading no key can finish for good, so it passes over
// it: marks question `pair` skipped when its reading is such, and notes it.
void CheckReading(QuestionList& list, int pair, const TypeableTest& typeable,
                  QList<LineNote>& notes) {
    const QString& reading = list.Readings[pair];
    const QString untypeable = UntypeableCharacter(reading, typeable);
    list.Skipped[pair] = reading.isEmpty() || !untypeable.isEmpty();
    if (list.Skipped[pair]) {
        notes.append(
            {2 * pair + 2,
             (reading.isEmpty()
                  ? QCoreApplication::translate("kanoby::QuestionFile", "読みが空です。")
                  : QCoreApplication::translate("kanoby::QuestionFile",
                                                "読みの%1を打つキーがありません。")
                        .arg(Named(untypeable))) +
                 QCoreApplication::translate("kanoby::QuestionFile", "この問題は飛ばします。")});
    } else if (const QString where = SpacesAtEnds(reading); !where.isEmpty()) {
        notes.append({2 * pair + 2, QCoreApplication::translate("kanoby::QuestionFile",
                                                                "読みの%1に空白があります。")
                                        .arg(where)});
    }
}

void AppendMessages(int kept, qsizetype pairs, const Findings& findings, QStringList& messages) {
    if (kept == 0)
        messages.append(QCoreApplication::translate("kanoby::QuestionFile",
                                                    "問題文ファイルに問題がありません。"));
    if (findings.firstUnreadableLine > 0) {
        messages.append(
            QCoreApplication::translate("kanoby::QuestionFile",
                                        "問題文ファイルの%1行目に読めない文字があります。")
                .arg(findings.firstUnreadableLine));
    }
    if (pairs > kMaxQuestions)
        messages.append(TooManyQuestions());
    if (!findings.notes.isEmpty())
        messages.append(LineNotes(findings.notes, findings.emptyLines));
}

}  // namespace

void ReadQuestions(const QByteArray& bytes, const TypeableTest& typeable, QuestionList& list,
                   QStringList& messages) {
    list = QuestionList();

    // One line more than the pairs that are kept would need tells whether a
    // further complete pair exists.
    constexpr qsizetype kMaxLines = 2 * kMaxQuestions + 2;
    QList<Line> lines = DecodeFileLines(QByteArrayView(bytes), kMaxLines);

    const qsizetype pairs = lines.size() / 2;  // an unpaired last line is ignored
    const int kept = static_cast<int>(std::min<qsizetype>(pairs, kMaxQuestions));

    Findings findings;
    for (int pair = 0; pair < kept; ++pair) {
        TakeLine(lines[2 * pair], 2 * pair + 1, true, list.Questions[pair], findings);
        TakeLine(lines[2 * pair + 1], 2 * pair + 2, false, list.Readings[pair], findings);
        CheckReading(list, pair, typeable, findings.notes);
    }
    list.QuestionCount = kept;
    AppendMessages(kept, pairs, findings, messages);
}

void LoadQuestions(const QString& questionDir, const TypeableTest& typeable, QuestionList& list,
                   QStringList& messages) {
    LoadQuestionFile(QuestionFilePath(questionDir), typeable, list, messages);
}

void LoadQuestionFile(const QString& path, const TypeableTest& typeable, QuestionList& list,
                      QStringList& messages) {
    list = QuestionList();

    // Only an ordinary file counts: a directory, or anything else that is not
    // a file of text, of that name is treated as missing.
    if (!QFileInfo(path).isFile()) {
        messages.append(
            QCoreApplication::translate("kanoby::QuestionFile",
                                        "問題文ファイルが存在しません。処理続行不能！！\n") +
            ShownPath(path));
        return;
    }

    QFile file(path);
    QByteArray bytes;
    // The error is read right after the call that failed, where Qt leaves
    // the system's own; it is cleared before each so an old one is never taken.
    ClearFileError();
    if (file.open(QIODevice::ReadOnly)) {
        ClearFileError();
        // One byte more than is used tells whether the file goes on.
        bytes = file.read(kMaxWordFileBytes + 1);
    }
    const int errorNumber = LastFileError();
    if (file.error() != QFileDevice::NoError) {
        messages.append(QCoreApplication::translate("kanoby::QuestionFile",
                                                    "問題文ファイルを読み込めません：") +
                        ShownPath(path) + u'\n' + FileErrorReason(errorNumber, file.errorString()));
        return;
    }
    file.close();

    const bool cut = bytes.size() > kMaxWordFileBytes;
    bytes.truncate(kMaxWordFileBytes);
    const qsizetype before = messages.size();
    ReadQuestions(bytes, typeable, list, messages);
    if (cut && !messages.contains(TooManyQuestions()))
        messages.append(QCoreApplication::translate(
            "kanoby::QuestionFile", "問題文ファイルが大きすぎるため、最初の32MBだけを読みます。"));
    // What is said of the file's content is said of this file.
    if (messages.size() > before)
        messages.insert(before,
                        QCoreApplication::translate("kanoby::QuestionFile", "問題文ファイル：") +
                            ShownPath(path));
}

}  // namespace kanoby
