#include "files/ShippedLists.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <memory>

#include "files/QuestionFile.h"

namespace kanoby {

using namespace Qt::StringLiterals;

QStringList ShippedListFolders(const QString& programDir) {
    QStringList folders{QDir(programDir).filePath(u"lists"_s)};
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        folders.append(QDir(data).filePath(u"lists"_s));
    return folders;
}

QList<ShippedList> FindShippedLists(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QFileInfoList files =
            QDir(folder).entryInfoList({u"*.txt"_s}, QDir::Files | QDir::Readable, QDir::Name);
        if (files.isEmpty())
            continue;
        QList<ShippedList> lists;
        for (const QFileInfo& file : files) {
            auto list = std::make_unique<QuestionList>();
            QStringList messages;
            LoadQuestionFile(
                file.filePath(), [](char16_t) { return true; }, *list, messages);
            const QString title =
                list->QuestionCount > 0 ? list->Questions[0].trimmed() : QString();
            lists.append({title.isEmpty() ? file.completeBaseName() : title, file.filePath()});
        }
        return lists;
    }
    return {};
}

}  // namespace kanoby
