#include "mainwindow/QuestionFile.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>
#include <cerrno>
#include <utility>

#include "ui/FileError.h"
#include "ui/MessageBox.h"
#include "ui/ProgramDir.h"
#include "ui/TextCodec.h"

namespace kanoby {
namespace {

constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF");
constexpr QByteArrayView kUtf16LeByteOrderMark("\xFF\xFE");
constexpr QByteArrayView kUtf16BeByteOrderMark("\xFE\xFF");
constexpr char16_t kReplacement = 0xFFFD;

struct Line {
    QString text;
    bool unreadable = false;
};

bool HasNonAsciiByte(QByteArrayView bytes) {
    for (const char byte : bytes) {
        if (static_cast<uchar>(byte) >= 0x80)
            return true;
    }
    return false;
}

bool IsValidUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    // The conversion happens only when the result is taken as a QString.
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
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
    QList<Line> lines;
    for (const QByteArrayView bytesOfLine : SplitLines(bytes, maxLines)) {
        Line line;
        line.text = DecodeLine(bytesOfLine, utf8, &line.unreadable);
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

}  // namespace

void ReadQuestions(const QByteArray& bytes, QuestionList& list, QStringList& messages) {
    list = QuestionList();

    // One line more than the pairs that are kept would need tells whether a
    // further complete pair exists.
    constexpr qsizetype kMaxLines = 2 * kMaxQuestions + 2;
    QByteArrayView content(bytes);
    QList<Line> lines;
    // Notepad saves "Unicode" as UTF-16 with its byte order mark first.
    if (content.startsWith(kUtf16LeByteOrderMark) || content.startsWith(kUtf16BeByteOrderMark)) {
        const bool bigEndian = content.startsWith(kUtf16BeByteOrderMark);
        lines = DecodeUtf16Lines(content.sliced(2), bigEndian, kMaxLines);
    } else if (content.startsWith(kUtf8ByteOrderMark)) {
        lines = DecodeLines(content.sliced(kUtf8ByteOrderMark.size()), true, kMaxLines);
    } else {
        // A word list saved by a modern editor is UTF-8. Real code page 932
        // text with kana or kanji in it is never valid UTF-8, so the test is
        // safe.
        const bool utf8 = HasNonAsciiByte(content) && IsValidUtf8(content);
        lines = DecodeLines(content, utf8, kMaxLines);
    }

    const qsizetype pairs = lines.size() / 2;  // an unpaired last line is ignored
    const int kept = static_cast<int>(std::min<qsizetype>(pairs, kMaxQuestions));

    int firstUnreadableLine = 0;
    for (int pair = 0; pair < kept; ++pair) {
        for (int half = 0; half < 2; ++half) {
            const int lineIndex = 2 * pair + half;
            Line& line = lines[lineIndex];
            if (line.unreadable && firstUnreadableLine == 0)
                firstUnreadableLine = lineIndex + 1;
            (half == 0 ? list.Questions : list.Readings)[pair] = std::move(line.text);
        }
    }
    list.QuestionCount = kept;

    if (firstUnreadableLine > 0) {
        messages.append(QStringLiteral("問題文ファイルの%1行目に読めない文字があります。")
                            .arg(firstUnreadableLine));
    }
    if (pairs > kMaxQuestions)
        messages.append(QStringLiteral("問題は最初の1001問だけを使います。"));
}

void LoadQuestions(const QString& questionDir, QuestionList& list, MessageBoxes& boxes) {
    list = QuestionList();
    const QString path = QDir(questionDir).filePath(QStringLiteral("word.txt"));

    // Only an ordinary file counts: a directory, or anything else that is not
    // a file of text, of that name is treated as missing.
    if (!QFileInfo(path).isFile()) {
        boxes.Show(nullptr, QStringLiteral("問題文ファイルが存在しません。処理続行不能！！\n") +
                                ShownPath(path));
        return;
    }

    QFile file(path);
    QByteArray bytes;
    // errno is read right after the call that failed, where Qt leaves the
    // system's own; it is cleared before each so an old one is never taken.
    errno = 0;
    if (file.open(QIODevice::ReadOnly)) {
        errno = 0;
        bytes = file.readAll();
    }
    const int errorNumber = errno;
    if (file.error() != QFileDevice::NoError) {
        boxes.Show(nullptr, QStringLiteral("問題文ファイルを読み込めません：") + ShownPath(path) +
                                u'\n' + FileErrorReason(errorNumber, file.errorString()));
        return;
    }
    file.close();

    QStringList messages;
    ReadQuestions(bytes, list, messages);
    for (const QString& message : messages)
        boxes.Show(nullptr, message + u'\n' + ShownPath(path));
}

}  // namespace kanoby
