// The question list read from word.txt: pairs of lines, the display text
// first, then its reading.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace kanoby {

inline constexpr int kMaxQuestions = 1001;

// A longer line is cut to this many characters: the judge's work on every
// key grows with the reading.
inline constexpr qsizetype kMaxLineLength = 32767;

// No more of word.txt is read: far more than 1001 pairs of lines of any
// sensible length, and little enough memory whatever the file.
inline constexpr qsizetype kMaxWordFileBytes = qsizetype(32) << 20;

struct QuestionList {
    std::array<QString, kMaxQuestions> Questions;
    std::array<QString, kMaxQuestions> Readings;
    // A run passes over these: their reading is empty, or holds a character
    // no key types, so nobody could finish it.
    std::array<bool, kMaxQuestions> Skipped{};
    int QuestionCount = 0;
};

// Whether some key types a character of a reading.
using TypeableTest = std::function<bool(char16_t)>;

// Reads the pairs of `bytes` into `list` (which is cleared first). Messages
// for the user (an empty file, unreadable characters, too many pairs, the
// lines that need the user's eye) are appended to `messages`, already worded.
void ReadQuestions(const QByteArray& bytes, const TypeableTest& typeable, QuestionList& list,
                   QStringList& messages);

// Reads the list at `path` into `list`; the messages, including the one for
// a missing or unreadable file, are appended to `messages`, with the file's
// path.
void LoadQuestionFile(const QString& path, const TypeableTest& typeable, QuestionList& list,
                      QStringList& messages);

// LoadQuestionFile on word.txt in `questionDir`.
void LoadQuestions(const QString& questionDir, const TypeableTest& typeable, QuestionList& list,
                   QStringList& messages);

}  // namespace kanoby
