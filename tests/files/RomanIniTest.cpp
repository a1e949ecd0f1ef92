// Roman.ini byte for byte: records read and applied, the file written whole or
// not at all.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include "files/TextCodec.h"
#include "tests/files/RomanIniSupport.h"

using namespace kanoby;
using namespace kanoby::testing;

TEST(RomanIniTest, RecordsMoveSpellingsFirstAndWritesKeepTheFileWhole) {
    // Each file written with ' for ", then changed units.
    const std::pair<const char16_t*, const char*> rows[] = {
        {u"", ""},
        // Records for no unit or none of its spellings, then exchanges, one undone.
        {u"'ア','a'\r\n'しゃあ','sya'\r\n'し','ka'\r\n'し',''\r\n'し','CI'\r\n'し','ｃｉ'\r\n"
         u"'ｼ','ci'\r\n' し','ci'\r\n'ん','nn '\r\n'し','ci'\r\n'し','shi'\r\n'ん','nn'\r\n"
         u"'い','yi'\r\n'く','qu'\r\n'っ','xtu'\r\n'っ','~'\r\n'ちゃ','cha'\r\n'か','ka'\r\n",
         "い:yi,i く:qu,cu,ku し:shi,ci,si ん:nn,|,xn ちゃ:cha,cya,tya"},
        // Hand edits: LF and lone CR, blanks, no quotes, blank lines, commas anywhere.
        {u"\r\n'か','ca'\n く , qu \r\r\n \t\n'こ','co','せ','ce'\r\n'ち'x,\t'chi' y\r\n"
         u"'、',','\r\n'つ','tsu'",
         "か:ca,ka く:qu,cu,ku こ:co,ko せ:ce,se ち:chi,ti つ:tsu,tu"},
        // A line of one field shifts the pairing; an empty field after a comma is one.
        {u"'か'\r\n'し','ci'\r\n'ん','nn'\r\n", ""},
        {u"'か',\r\n'し','ci'\r\n'ん'", "し:ci,shi,si"},
        {u"'し,ci\r\n'か'\r\n'ん','nn'\r\n", "ん:nn,|,xn"},  // a quote ends with its line
    };
    for (const auto& [text, changes] : rows) {
        InitialTable table;
        ApplyRomanIniBytes(table, EncodeCp932(QString::fromUtf16(text).replace(u'\'', u'"')));
        EXPECT_EQ(ChangedUnits(table), changes) << QString::fromUtf16(text).toStdString();
    }

    // A write replaces the whole file, or gives the reason and leaves it; a full disk is a
    // file-size limit here, which holds for root too; on Windows, a read-only file. An earlier
    // save cut short left its temporary file; a file over a megabyte is no preference file.
    QTemporaryDir root;
    // The user's own files stay, however they are named; only Kanoby's stale temporaries go.
    for (const QString& name :
         {u"Roman.ini.x1Y2z3"_s, u"Roman.ini.bak"_s, u".Roman.ini.kanoby-Ab12Cd.tmp"_s,
          u".Roman.ini.kanoby-Fresh1.tmp"_s}) {
        QFile file(root.filePath(name));
        file.open(QIODevice::WriteOnly);
        if (name.contains(u"Ab12Cd"_s))
            file.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                             QFile::FileModificationTime);
    }
    ASSERT_TRUE(WriteRomanIni(root.path(), Records(u"し:ci ん:|"_s)));
    ASSERT_TRUE(WriteRomanIni(root.path(), Records(u"しゃ:sya っ:~"_s)));
    QString full, missing;
#ifdef _WIN32
    const QString ini = root.filePath(u"Roman.ini"_s);
    QFile::setPermissions(ini, QFile::ReadOwner);
    EXPECT_FALSE(WriteRomanIni(root.path(), Records(u"し:ci "_s.repeated(10)), &full));
    QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
    const std::string why = "アクセスが許可されていません。同じ名前のファイルがあります。";
#else
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{100, saved.rlim_max};
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    EXPECT_FALSE(WriteRomanIni(root.path(), Records(u"し:ci "_s.repeated(10)), &full));
    setrlimit(RLIMIT_FSIZE, &saved);
    const std::string why =
        "ファイルの大きさが上限を超えます。ファイルまたはフォルダーが見つかりません。";
#endif
    EXPECT_FALSE(WriteRomanIni(root.filePath(u"Roman.ini/gone"_s), {}, &missing));
    EXPECT_EQ((full + missing).toStdString(), why);
    const QString left = QDir(root.path()).entryList(QDir::Files | QDir::Hidden).join(u' ');
    EXPECT_EQ(left.toStdString() + Hex(root.filePath(u"Roman.ini"_s)),
              ".Roman.ini.kanoby-Fresh1.tmp Roman.ini Roman.ini.bak Roman.ini.x1Y2z3"
              "2282b582e1222c22737961220d0a2282c1222c227e220d0a");
    InitialTable table;
    QFile big(root.filePath(u"Roman.ini"_s));
    ASSERT_TRUE(big.open(QIODevice::Append) && big.write(QByteArray(1 << 20, ' ')) == 1 << 20);
    big.close();
    ApplyRomanIni(table, root.path());
    EXPECT_EQ(ChangedUnits(table), "");
}
