// Files written whole or not at all: Kanoby's temporaries known by their name alone, a write
// cut short leaving nothing under the real name, and racing first copies that all succeed.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <thread>
#include <vector>

#include "files/WholeFile.h"

using namespace kanoby;
using namespace Qt::StringLiterals;

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "(none)";
}

TEST(WholeFileTest, OnlyNamesOfKanobysOwnFormAreItsTemporaries) {
    // clang-format off
    const std::pair<QString, bool> names[] = {
        {u".Roman.ini.kanoby-Ab12Cd.tmp"_s, true}, {u"Roman.ini.backup"_s, false},
        {u"Roman.ini.202612"_s, false}, {u"Roman.ini.x1Y2z3"_s, false}, {u".word.txt.kanoby-Ab12Cd.tmp"_s, false},
        {u".Roman.ini.kanoby-Ab12C.tmp"_s, false}, {u".Roman.ini.kanoby-Ab12Cde.tmp"_s, false},
        {u".Roman.ini.kanoby-Ab-2Cd.tmp"_s, false}, {u".Roman.ini.kanoby-Ａb12Cd.tmp"_s, false},
        {u"Roman.ini.kanoby-Ab12Cd.tmp"_s, false}, {u".Roman.ini.kanoby-Ab12Cd.tmpx"_s, false}};
    // clang-format on
    for (const auto& [name, own] : names)
        EXPECT_EQ(IsOwnTemporary(name, u"Roman.ini"_s), own) << name.toStdString();
}

TEST(WholeFileTest, AWriteIsWholeOrAbsentAndAFirstCopyMayComeFromAnyRacer) {
    const QTemporaryDir dir;
    const QString target = dir.filePath(u"word.txt"_s);
    const auto left = [&] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); };
#ifndef _WIN32
    // Cut short by a file-size limit (as a full disk would): the reason, and nothing left.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{1024, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    WriteFailure failure;
    EXPECT_FALSE(WriteWholeFile(target, QByteArray(4096, 'a'), Placement::KeepExisting, &failure));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(failure.errorNumber, EFBIG);
    EXPECT_EQ(left(), QStringList());
#endif
    // Instances copying at once all succeed, and the file is one copy whole.
    std::atomic<int> succeeded = 0;
    std::vector<std::thread> racers;
    for (const char letter : {'a', 'b', 'c', 'd', 'e', 'f'}) {
        racers.emplace_back([&, letter] {
            succeeded += WriteWholeFile(target, QByteArray(200000, letter), Placement::KeepExisting,
                                        nullptr);
        });
    }
    for (std::thread& racer : racers)
        racer.join();
    const QByteArray copied = Read(target);
    EXPECT_EQ(succeeded, 6);
    EXPECT_TRUE(copied.size() == 200000 && copied.count(copied[0]) == copied.size());
    EXPECT_EQ(left(), QStringList{u"word.txt"_s});
    // A kept file stays; a replaced one is replaced; a link's target is what changes.
    EXPECT_TRUE(WriteWholeFile(target, "kept?", Placement::KeepExisting, nullptr));
    EXPECT_EQ(Read(target), copied);
#ifndef _WIN32  // a link there is a shortcut file, not a symbolic link
    const QString link = dir.filePath(u"Roman.ini"_s);
    if (QFile::link(target, link)) {
        EXPECT_TRUE(WriteWholeFile(link, "new", Placement::Replace, nullptr));
        EXPECT_TRUE(Read(target) == "new" && QFileInfo(link).isSymLink());
    }
#endif
}

}  // namespace
