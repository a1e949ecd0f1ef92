// The order a run asks the questions of a list in, and what the program keeps
// of the learner's practice in kanoby.ini: the list in use, the lists opened
// lately, the order, where each list was left off, the input mode.
//
// In file order a run goes on to the end of the list; picking up where the
// learner left off, it starts after the last question completed, and after the
// list's last question at the first again. In random order each question a run
// can ask comes once, in a new order every run.
//
//   skipped {F, F, T, F}, file order, last completed 0  →  1 3
#pragma once

#include <QString>
#include <QStringList>
#include <random>
#include <span>
#include <vector>

#include "engine/Judge.h"
#include "files/ProgramSettings.h"

namespace kanoby {

enum class QuestionOrder { File, Random };

// How many lists 最近使ったファイル holds.
inline constexpr qsizetype kMaxRecentLists = 8;

// The questions of one run, as indexes into the list, in the order asked.
// `skipped` has an entry for each question of the list; `lastCompleted` is -1
// to start at the first question.
std::vector<int> RunQuestions(std::span<const bool> skipped, QuestionOrder order, int lastCompleted,
                              std::mt19937& random);

// `recent` with `path` moved to the front, at most kMaxRecentLists long.
QStringList WithRecentList(QStringList recent, const QString& path);

// The practice's choices, read from and written at once to kanoby.ini. Each
// setter returns false, with the reason for the user, when the file cannot be
// written.
class PracticeChoices {
  public:
    explicit PracticeChoices(ProgramSettings& settings) : settings_(settings) {}

    // The list in use; empty until one other than word.txt is opened.
    QString CurrentList() const;
    // Makes `path` the list in use and the first of the recent lists.
    bool SetCurrentList(const QString& path, QString* error);

    QStringList RecentLists() const;
    bool RemoveRecentList(const QString& path, QString* error);

    QuestionOrder Order() const;
    bool SetOrder(QuestionOrder order, QString* error);

    bool Resume() const;
    bool SetResume(bool on, QString* error);

    // The question of the list at `path` last completed in file order, or -1.
    int LastCompleted(const QString& path) const;
    bool SetLastCompleted(const QString& path, int question, QString* error);

    bool KeepInputMode() const;
    bool SetKeepInputMode(bool on, QString* error);
    InputMode LastInputMode() const;
    bool SetLastInputMode(InputMode mode, QString* error);

  private:
    ProgramSettings& settings_;
};

}  // namespace kanoby
