// The program's own settings: values kept across instances, keys made of any path, and a
// write that fails said so.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "files/ProgramSettings.h"

using namespace kanoby;
using namespace Qt::StringLiterals;

TEST(ProgramSettingsTest, KeepsValuesUnderAnyKeyAndSaysWhenItCannotWrite) {
    const QTemporaryDir dir;
    const QString folder = dir.filePath(u"made/later"_s);
    const QString path = u"/home/a b/[x]=y;z,1/word.txt"_s;
    {
        ProgramSettings settings(folder);
        EXPECT_TRUE(settings.SetValue(u"view/showMissedKey"_s, true));
        EXPECT_TRUE(settings.SetValue(u"resume/"_s + ProgramSettings::KeyOf(path), 7));
    }
    const ProgramSettings again(folder);
    EXPECT_EQ(again.Value(u"view/showMissedKey"_s).toBool(), true);
    EXPECT_EQ(again.Value(u"resume/"_s + ProgramSettings::KeyOf(path)).toInt(), 7);
    EXPECT_EQ(again.Value(u"resume/"_s + ProgramSettings::KeyOf(u"/other"_s), -1).toInt(), -1);
    EXPECT_FALSE(ProgramSettings::KeyOf(path).contains(u'/'));
    // A folder where the file belongs.
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"blocked/kanoby.ini"_s));
    QString error;
    EXPECT_FALSE(ProgramSettings(dir.filePath(u"blocked"_s)).SetValue(u"a/b"_s, 1, &error));
    EXPECT_TRUE(error.startsWith(u"設定を保存できませんでした："_s)) << error.toStdString();
}
