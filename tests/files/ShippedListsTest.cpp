// The lists that come with the program: found by their titles, each typeable to its end in
// either input mode with nothing in it for the start-up message to say.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "engine/JudgeKeyDown.h"
#include "engine/KanaRomajiTable.h"
#include "engine/KeyTable.h"
#include "files/QuestionFile.h"
#include "files/ShippedLists.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

TEST(ShippedListsTest, EachListIsTitledAndReadsWithoutAWord) {
    KeyTable keys;
    keys.Build();
    auto units = std::make_unique<KanaRomajiTable>();
    units->Build();
    const TypeableTest typeable = [&](char16_t c) { return IsTypeable(*units, keys, c); };
    const QString lists = QStringLiteral(KANOBY_SOURCE_DIR) + u"/data/lists"_s;
    // A folder without lists gives way to the next.
    const QTemporaryDir empty;
    const QList<ShippedList> found = FindShippedLists({empty.path(), lists});
    QStringList titles;
    for (const ShippedList& list : found)
        titles.append(list.title);
    EXPECT_EQ(titles, (QStringList{u"基本の単語"_s, u"短い文"_s, u"都道府県と県庁所在地"_s,
                                   u"ことわざ"_s}));
    auto questions = std::make_unique<QuestionList>();
    for (const ShippedList& list : found) {
        QStringList messages;
        LoadQuestionFile(list.path, typeable, *questions, messages);
        EXPECT_EQ(messages, QStringList()) << list.path.toStdString();
        EXPECT_GE(questions->QuestionCount, 100) << list.path.toStdString();
        EXPECT_LE(questions->QuestionCount, 500) << list.path.toStdString();
    }
    QStringList messages;
    LoadQuestionFile(QStringLiteral(KANOBY_SOURCE_DIR) + u"/data/word.txt"_s, typeable, *questions,
                     messages);
    EXPECT_EQ(messages, QStringList());
    EXPECT_EQ(questions->Readings[0], u"にほん"_s);
    LoadQuestionFile(empty.filePath(u"gone.txt"_s), typeable, *questions, messages);
    EXPECT_EQ(questions->QuestionCount, 0);  // nothing of the list read before
}

}  // namespace
}  // namespace kanoby
