// The question list read from word.txt: pairs of lines, the display text
// first, then its reading.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

namespace kanoby {

class MessageBoxes;

inline constexpr int kMaxQuestions = 1001;

struct QuestionList {
    std::array<QString, kMaxQuestions> Questions;
    std::array<QString, kMaxQuestions> Readings;
    int QuestionCount = 0;
};

// Reads the pairs of `bytes` into `list` (which is cleared first). Messages
// for the user (too many pairs, unreadable characters) are appended to
// `messages`, already worded.
void ReadQuestions(const QByteArray& bytes, QuestionList& list, QStringList& messages);

// Reads word.txt from `questionDir` into `list` and shows every message,
// including the one for a missing or unreadable file, with the file's path,
// through `boxes`.
void LoadQuestions(const QString& questionDir, QuestionList& list, MessageBoxes& boxes);

}  // namespace kanoby
