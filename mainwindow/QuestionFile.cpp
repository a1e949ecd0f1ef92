#include "mainwindow/QuestionFile.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>

#include "ui/MessageBox.h"
#include "ui/TextCodec.h"

namespace kanoby {
namespace {

constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF");

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

}  // namespace

void ReadQuestions(const QByteArray& bytes, QuestionList& list, QStringList& messages) {
    list = QuestionList();

    QByteArrayView content(bytes);
    // A word list saved by a modern editor is UTF-8. Real code page 932 text
    // with kana or kanji in it is never valid UTF-8, so the test is safe.
    bool utf8 = false;
    if (content.startsWith(kUtf8ByteOrderMark)) {
        content = content.sliced(kUtf8ByteOrderMark.size());
        utf8 = true;
    } else if (HasNonAsciiByte(content) && IsValidUtf8(content)) {
        utf8 = true;
    }

    // One line more than the pairs that are kept would need tells whether a
    // further complete pair exists.
    const QList<QByteArrayView> lines = SplitLines(content, 2 * kMaxQuestions + 2);
    const qsizetype pairs = lines.size() / 2;  // an unpaired last line is ignored
    const int kept = static_cast<int>(std::min<qsizetype>(pairs, kMaxQuestions));

    int firstUnreadableLine = 0;
    for (int pair = 0; pair < kept; ++pair) {
        for (int half = 0; half < 2; ++half) {
            const int lineIndex = 2 * pair + half;
            bool invalid = false;
            QString text = DecodeLine(lines[lineIndex], utf8, &invalid);
            if (invalid && firstUnreadableLine == 0)
                firstUnreadableLine = lineIndex + 1;
            (half == 0 ? list.Questions : list.Readings)[pair] = std::move(text);
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

void LoadQuestions(const QString& programDir, QuestionList& list, MessageBoxes& boxes) {
    list = QuestionList();
    const QString path = QDir(programDir).filePath(QStringLiteral("word.txt"));

    // Only an ordinary file counts: a directory, or anything else that is not
    // a file of text, of that name is treated as missing.
    if (!QFileInfo(path).isFile()) {
        boxes.Show(nullptr, QStringLiteral("問題文ファイルが存在しません。処理続行不能！！"));
        return;
    }

    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        boxes.Show(nullptr, QStringLiteral("問題文ファイルを読み込めません：") +
                                QDir::toNativeSeparators(path) + u'\n' + file.errorString());
        return;
    }
    file.close();

    QStringList messages;
    ReadQuestions(bytes, list, messages);
    for (const QString& message : messages)
        boxes.Show(nullptr, message);
}

}  // namespace kanoby
