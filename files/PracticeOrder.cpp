#include "files/PracticeOrder.h"

#include <algorithm>

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

const QString kCurrentList = u"list/current"_s;
const QString kRecentLists = u"list/recent"_s;
const QString kOrder = u"practice/order"_s;
const QString kResume = u"practice/resume"_s;
const QString kKeepInputMode = u"practice/keepInputMode"_s;
const QString kInputMode = u"practice/inputMode"_s;

QString ResumeKey(const QString& path) {
    return u"resume/"_s + ProgramSettings::KeyOf(path);
}

}  // namespace

std::vector<int> RunQuestions(const std::span<const bool> skipped, const QuestionOrder order,
                              const int lastCompleted, std::mt19937& random) {
    const int count = static_cast<int>(skipped.size());
    std::vector<int> asked;
    for (int k = 0; k < count; ++k) {
        if (!skipped[static_cast<std::size_t>(k)])
            asked.push_back(k);
    }
    if (order == QuestionOrder::Random) {
        std::shuffle(asked.begin(), asked.end(), random);
        return asked;
    }
    // Past the last question asked, the next run starts at the first again.
    const auto start = std::upper_bound(asked.begin(), asked.end(), lastCompleted);
    if (start == asked.end())
        return asked;
    return {start, asked.end()};
}

QStringList WithRecentList(QStringList recent, const QString& path) {
    recent.removeAll(path);
    recent.prepend(path);
    return recent.mid(0, kMaxRecentLists);
}

QString PracticeChoices::CurrentList() const {
    return settings_.Value(kCurrentList).toString();
}

bool PracticeChoices::SetCurrentList(const QString& path, QString* error) {
    return settings_.SetValue(kCurrentList, path, error) &&
           settings_.SetValue(kRecentLists, WithRecentList(RecentLists(), path), error);
}

QStringList PracticeChoices::RecentLists() const {
    QStringList recent = settings_.Value(kRecentLists).toStringList();
    recent.removeAll(QString());
    return recent.mid(0, kMaxRecentLists);
}

bool PracticeChoices::RemoveRecentList(const QString& path, QString* error) {
    QStringList recent = RecentLists();
    recent.removeAll(path);
    return settings_.SetValue(kRecentLists, recent, error);
}

QuestionOrder PracticeChoices::Order() const {
    return settings_.Value(kOrder).toString() == u"random"_s ? QuestionOrder::Random
                                                             : QuestionOrder::File;
}

bool PracticeChoices::SetOrder(const QuestionOrder order, QString* error) {
    return settings_.SetValue(kOrder, order == QuestionOrder::Random ? u"random"_s : u"file"_s,
                              error);
}

bool PracticeChoices::Resume() const {
    return settings_.Value(kResume, false).toBool();
}

bool PracticeChoices::SetResume(const bool on, QString* error) {
    return settings_.SetValue(kResume, on, error);
}

int PracticeChoices::LastCompleted(const QString& path) const {
    bool number = false;
    const int question = settings_.Value(ResumeKey(path), -1).toInt(&number);
    return number && question >= 0 ? question : -1;
}

bool PracticeChoices::SetLastCompleted(const QString& path, const int question, QString* error) {
    return settings_.SetValue(ResumeKey(path), question, error);
}

bool PracticeChoices::KeepInputMode() const {
    return settings_.Value(kKeepInputMode, false).toBool();
}

bool PracticeChoices::SetKeepInputMode(const bool on, QString* error) {
    return settings_.SetValue(kKeepInputMode, on, error);
}

InputMode PracticeChoices::LastInputMode() const {
    return settings_.Value(kInputMode).toString() == u"kana"_s ? InputMode::Kana
                                                               : InputMode::Romaji;
}

bool PracticeChoices::SetLastInputMode(const InputMode mode, QString* error) {
    return settings_.SetValue(kInputMode, mode == InputMode::Kana ? u"kana"_s : u"romaji"_s, error);
}

}  // namespace kanoby
