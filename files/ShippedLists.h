// The lists that come with the program, offered under ファイル → 問題集. They
// lie in lists/ beside the program (the portable Windows zip), else in the
// first lists/ of the system's data folders (share/kanoby/lists/, or data\lists
// of the Windows installer). A list's title is its first question, which each
// shipped list gives to its own name (基本の単語 / きほんのたんご).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kanoby {

struct ShippedList {
    QString title;
    QString path;
};

// The folders searched, the first that holds a list winning.
QStringList ShippedListFolders(const QString& programDir);

// The *.txt lists of the first folder of `folders` that has any, by file name.
QList<ShippedList> FindShippedLists(const QStringList& folders);

}  // namespace kanoby
