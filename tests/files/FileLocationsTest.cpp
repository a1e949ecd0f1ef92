// Where word.txt and Roman.ini live: portable or the user's folders, and the
// first copy of the sample.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "files/FileLocations.h"

using namespace kanoby;
using namespace Qt::StringLiterals;

TEST(FileLocationsTest, BesideAPortableProgramElseInTheUsersFolders) {
    QCoreApplication::setApplicationName(u"kanoby"_s);
    const QTemporaryDir temporary;
    const QDir dir(temporary.path());
    const QString root = dir.path() + u'/';
    // Two samples, a portable folder's list, a file where a data folder belongs.
    for (const QString& name : {u"usr/share/kanoby/word.txt"_s, u"other/share/kanoby/word.txt"_s,
                                u"portable/word.txt"_s, u"blocked/kanoby"_s}) {
        QFile file(root + name);
        ASSERT_TRUE(dir.mkpath(QFileInfo(name).path()) && file.open(QIODevice::WriteOnly));
        file.write(QFileInfo(name).path().toUtf8());
    }
    qputenv("HOME", (root + u"home"_s).toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    // Program folder, XDG_DATA_HOME, XDG_DATA_DIRS; the folders, where word.txt came from, why not.
    // Windows has no such variables: the portable folder alone.
    const QString rows[] = {
        u"portable - usr/share portable|portable portable -"_s,
#ifndef _WIN32
        u"bin - none:usr/share home/.local/share/kanoby|home/.config/kanoby usr/share/kanoby -"_s,
        u"bin - other/share home/.local/share/kanoby|home/.config/kanoby usr/share/kanoby -"_s,
        u"bin home/new none home/new/kanoby|home/.config/kanoby - -"_s,
        u"bin ./rel none:usr/share home/.local/share/kanoby|home/.config/kanoby usr/share/kanoby -"_s,
        u"bin blocked usr/share blocked/kanoby|home/.config/kanoby - 同じ名前のファイルがあります。"_s,
#endif
    };
    for (const QString& row : rows) {
        const QStringList field = row.split(u' ');
        // A relative folder is ignored, as the XDG rules say, for the settings too.
        const QString dataHome = field[1].startsWith(u'.') ? field[1] : root + field[1];
        qputenv("XDG_DATA_HOME", field[1] == u"-" ? QByteArray() : dataHome.toUtf8());
        qputenv("XDG_CONFIG_HOME", field[1].startsWith(u'.') ? "./rel" : "");
        qputenv("XDG_DATA_DIRS", QString(root + field[2]).replace(u':', u':' + root).toUtf8());
        const FileLocations files = LocateFiles(root + field[0]);
        QString why = u"-"_s;
        EXPECT_EQ(ProvideQuestionFile(files, &why), field[5] == u"-") << row.toStdString();
        QFile words(files.questionDir + u"/word.txt"_s);
        const QString found =
            dir.relativeFilePath(files.questionDir) + u'|' +
            dir.relativeFilePath(files.settingsDir) + u' ' +
            (words.open(QIODevice::ReadOnly) ? QString::fromUtf8(words.readAll()) : u"-"_s) + u' ' +
            why.section(u'\n', -1);
        EXPECT_EQ(found.toStdString(), field.sliced(3).join(u' ').toStdString());
    }
}
