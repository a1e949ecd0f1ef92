// Roman.ini: its exact bytes, every kind of record and damage a reader meets,
// and a writer that never loses the old file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "prefs/RomanIni.h"
#include "tables/JudgeTableSet.h"
#include "tests/prefs/TableInvariants.h"
#include "ui/TextCodec.h"

// Failures show the text, not its bytes.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

std::unique_ptr<JudgeTableSet> InitialTable() {
    auto table = std::make_unique<JudgeTableSet>();
    table->SetJudgeTable();
    return table;
}

QString Changes(const JudgeTableSet& table, const JudgeTableSet& initial) {
    return QString::fromStdU16String(ChangedUnits(table, initial));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The records a save of `table` writes: slot 0 of every unit that offers a
// choice, in unit order.
QList<RomanIniRecord> SaveRecords(const JudgeTableSet& table) {
    QList<RomanIniRecord> records;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        if (table.ChoiceFlagTable[unit] == u"1") {
            records.append({QString::fromStdU16String(table.KanaTable[unit]),
                            QString::fromStdU16String(table.RomajiTable[unit][0])});
        }
    }
    return records;
}

// The file a save of the initial table writes, made with iconv rather than
// with the program's own encoder.
QByteArray UnchangedSaveFixture() {
    return ReadFile(QStringLiteral(KANOBY_PREFS_TEST_DATA "/unchanged-save.Roman.ini"));
}

TEST(RomanIniBytesTest, RecordsAreQuotedCommaSeparatedCp932WithCrLf) {
    const QList<RomanIniRecord> records = {
        {u"か"_s, u"ka"_s}, {u"ん"_s, u"|"_s}, {u"っ"_s, u"~"_s}, {u"しゃ"_s, u"sya"_s}};
    EXPECT_EQ(RomanIniBytes(records).toHex(' '),
              QByteArray::fromHex("22 82 A9 22 2C 22 6B 61 22 0D 0A"
                                  "22 82 F1 22 2C 22 7C 22 0D 0A"
                                  "22 82 C1 22 2C 22 7E 22 0D 0A"
                                  "22 82 B5 82 E1 22 2C 22 73 79 61 22 0D 0A")
                  .toHex(' '));
}

TEST(RomanIniBytesTest, SaveWithoutChangesIs48RecordsByteForByteAndReadsBackUnchanged) {
    const auto initial = InitialTable();
    const QList<RomanIniRecord> records = SaveRecords(*initial);
    ASSERT_EQ(records.size(), 48);
    EXPECT_EQ(RomanIniBytes(records), UnchangedSaveFixture());
    auto table = InitialTable();
    ApplyRomanIniBytes(*table, UnchangedSaveFixture());
    EXPECT_EQ(Changes(*table, *initial), u""_s);
}

// ---- Reading: the table after applying a file ----

struct ApplyRow {
    const char* name;
    QByteArray bytes;
    const char16_t* changes;  // as Changes() gives them
};

void PrintTo(const ApplyRow& row, std::ostream* os) {
    *os << row.name;
}

QByteArray Cp932(const QString& text) {
    return EncodeCp932(text);
}

// Bytes of a literal that holds NUL bytes.
template <size_t N>
QByteArray Raw(const char (&bytes)[N]) {
    return QByteArray(bytes, N - 1);
}

class ApplyRomanIniBytesTest : public ::testing::TestWithParam<ApplyRow> {};

TEST_P(ApplyRomanIniBytesTest, ReordersExactlyTheMatchingUnits) {
    const auto initial = InitialTable();
    auto table = InitialTable();
    ApplyRomanIniBytes(*table, GetParam().bytes);
    EXPECT_EQ(Changes(*table, *initial), QString::fromUtf16(GetParam().changes));
    EXPECT_EQ(TableInvariantFault(*table, *initial), "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, ApplyRomanIniBytesTest, ::testing::Values(
    ApplyRow{"ZeroBytes", QByteArray(), u""},
    ApplyRow{"ShiCi", Cp932(u"\"し\",\"ci\"\r\n"_s), u"し:ci,shi,si"},
    ApplyRow{"ShiSiAlreadyFirst", Cp932(u"\"し\",\"si\"\r\n"_s), u""},
    ApplyRow{"NNn", Cp932(u"\"ん\",\"nn\"\r\n"_s), u"ん:nn,|,xn"},
    ApplyRow{"LaterRecordForTheSameUnitWins", Cp932(u"\"し\",\"ci\"\r\n\"し\",\"shi\"\r\n"_s), u"し:shi,ci,si"},
    ApplyRow{"UnitWithoutChoiceFlag", Cp932(u"\"い\",\"yi\"\r\n"_s), u"い:yi,i"},
    ApplyRow{"ThirdSlotKeepsItsSpelling", Cp932(u"\"く\",\"qu\"\r\n"_s), u"く:qu,cu,ku"},
    ApplyRow{"MarkerBackToFirst", Cp932(u"\"っ\",\"xtu\"\r\n\"っ\",\"~\"\r\n"_s), u""},
    ApplyRow{"TwoKanaUnit", Cp932(u"\"ちゃ\",\"cha\"\r\n"_s), u"ちゃ:cha,cya,tya"},
    ApplyRow{"KanaNotInTable", Cp932(u"\"ア\",\"a\"\r\n\"しゃあ\",\"sya\"\r\n"_s), u""},
    ApplyRow{"SpellingNotOfThatUnit", Cp932(u"\"し\",\"ka\"\r\n\"し\",\"sy\"\r\n"_s), u""},
    ApplyRow{"EmptySpelling", Cp932(u"\"し\",\"\"\r\n\"ゎ\",\"\"\r\n"_s), u""},
    ApplyRow{"CaseAndWidthMatter", Cp932(u"\"し\",\"CI\"\r\n\"し\",\"ｃｉ\"\r\n\"ｼ\",\"ci\"\r\n"_s), u""}
), [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(DamagedFiles, ApplyRomanIniBytesTest, ::testing::Values(
    ApplyRow{"OddFieldCount", Cp932(u"\"し\",\"ci\"\r\n\"ん\""_s), u"し:ci,shi,si"},
    ApplyRow{"NoFinalLineEnd", Cp932(u"\"し\",\"ci\""_s), u"し:ci,shi,si"},
    ApplyRow{"LfLineEnds", Cp932(u"\"し\",\"ci\"\n\"ん\",\"nn\"\n"_s), u"し:ci,shi,si ん:nn,|,xn"},
    ApplyRow{"LoneCrLineEnds", Cp932(u"\"し\",\"ci\"\r\"ん\",\"nn\"\r"_s), u"し:ci,shi,si ん:nn,|,xn"},
    ApplyRow{"Unquoted", Cp932(u"し,ci\r\nん,nn\r\n"_s), u"し:ci,shi,si ん:nn,|,xn"},
    ApplyRow{"SpacePadded", Cp932(u"  \"し\" ,\t\"ci\"  \r\n ん , nn \r\n"_s), u"し:ci,shi,si ん:nn,|,xn"},
    ApplyRow{"SpacesInsideQuotesKept", Cp932(u"\" し\",\"ci\"\r\n\"ん\",\"nn \"\r\n"_s), u""},
    ApplyRow{"BlankLinesHoldNoField", Cp932(u"\r\n\"し\",\"ci\"\r\n\r\n \t\n\"ん\",\"nn\"\r\n\r\n"_s), u"し:ci,shi,si ん:nn,|,xn"},
    ApplyRow{"CommaEndsAField", Cp932(u"\"し\",\"ci\",\"ん\",\"nn\"\r\n"_s), u"し:ci,shi,si ん:nn,|,xn"},
    ApplyRow{"OneFieldLineShiftsThePairing", Cp932(u"\"か\"\r\n\"し\",\"ci\"\r\n\"ん\",\"nn\"\r\n"_s), u""},
    ApplyRow{"EmptyFieldAfterCommaCounts", Cp932(u"\"か\",\r\n\"し\",\"ci\"\r\n"_s), u"し:ci,shi,si"},
    ApplyRow{"CommaInsideQuotesIsText", Cp932(u"\"、\",\",\"\r\n\"し\",\"ci\"\r\n"_s), u"し:ci,shi,si"},
    ApplyRow{"UnclosedQuoteStopsAtLineEnd", Cp932(u"\"し,ci\r\n\"か\"\r\n\"ん\",\"nn\"\r\n"_s), u"ん:nn,|,xn"},
    ApplyRow{"TextAfterClosingQuoteDropped", Cp932(u"\"し\"x,\"ci\" y\r\n"_s), u"し:ci,shi,si"},
    ApplyRow{"NulInField", Raw("\"\x82\xB5\0\",\"ci\"\r\n"), u""},
    ApplyRow{"GarbageBytesThenRecord", Raw("\xFF\xFE\x00\x85\x40,\x82\r\n\"\x82\xB5\",\"ci\"\r\n"), u"し:ci,shi,si"},
    ApplyRow{"Utf8IsNotCp932", QByteArray("\"し\",\"ci\"\r\n"), u""}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The fuzz target relies on the invariant check catching every kind of
// damage, so it is tried on broken tables.
TEST(TableInvariantsTest, CatchesEveryKindOfDamage) {
    using Break = void (*)(JudgeTableSet&);
    // clang-format off
    for (const auto& [damage, breakIt] : std::initializer_list<std::pair<const char*, Break>>{
             {"kana changed", [](JudgeTableSet& t) { t.KanaTable[11] = u"す"; }},
             {"kana duplicated", [](JudgeTableSet& t) { t.KanaTable[12] = t.KanaTable[11]; }},
             {"keys changed", [](JudgeTableSet& t) { t.HankakuTable[0] = u"ｲ"; }},
             {"choice flag changed", [](JudgeTableSet& t) { t.ChoiceFlagTable[0] = u"1"; }},
             {"slot 0 emptied", [](JudgeTableSet& t) { std::swap(t.RomajiTable[1][0], t.RomajiTable[1][2]); }},
             {"gap at slot 1", [](JudgeTableSet& t) { std::swap(t.RomajiTable[17][1], t.RomajiTable[17][2]); }},
             {"spelling replaced", [](JudgeTableSet& t) { t.RomajiTable[11][2] = u"sy"; }},
             {"spelling duplicated", [](JudgeTableSet& t) { t.RomajiTable[11][2] = t.RomajiTable[11][1]; }},
             {"spelling moved", [](JudgeTableSet& t) { std::swap(t.RomajiTable[5][1], t.RomajiTable[9][1]); }}}) {
        // clang-format on
        const auto initial = InitialTable();
        auto table = InitialTable();
        ASSERT_EQ(TableInvariantFault(*table, *initial), "");
        breakIt(*table);
        EXPECT_NE(TableInvariantFault(*table, *initial), "") << damage;
    }
}

// ---- Files in the program directory ----

const QByteArray kShiCiFile = "\"\x82\xB5\",\"ci\"\r\n";

// clang-format off
TEST(ApplyRomanIniTest, AppliesOnlyAFileThatCanBeRead) {
    const std::pair<const char*, void (*)(const QString&)> cases[] = {
        {"", [](const QString& ini) { ASSERT_TRUE(WriteFile(ini, kShiCiFile)); }},
        {"missing", [](const QString&) {}},
        {"a directory", [](const QString& ini) { ASSERT_TRUE(QDir().mkdir(ini)); }},
        // Opening succeeds and reading fails, for root too: the process's own
        // memory read from address 0.
        {"unreadable", [](const QString& ini) { ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, ini)); }},
    };
    // clang-format on
    for (const auto& [what, prepare] : cases) {
        QTemporaryDir dir;
        prepare(dir.filePath(u"Roman.ini"_s));
        auto table = InitialTable();
        ApplyRomanIni(*table, dir.path());
        EXPECT_EQ(Changes(*table, *InitialTable()), *what == '\0' ? u"し:ci,shi,si"_s : QString())
            << what;
    }
}

// Every file and directory under `root` with the bytes of each file: what a
// failed write must leave exactly as it was.
QStringList Snapshot(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries.append(
            info.filePath().mid(root.size()) + u' ' +
            QString::fromLatin1(info.isDir() ? "<dir>" : ReadFile(info.filePath()).toHex()));
    }
    entries.sort();
    return entries;
}

TEST(WriteRomanIniTest, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(WriteFile(dir.filePath(u"Roman.ini"_s), QByteArray(5000, 'x')));
    const QList<RomanIniRecord> records = {{u"し"_s, u"ci"_s}, {u"ん"_s, u"|"_s}};
    QString error = u"untouched"_s;
    ASSERT_TRUE(WriteRomanIni(dir.path(), records, &error));
    EXPECT_EQ(error, u"untouched"_s);
    EXPECT_EQ(Snapshot(dir.path()),
              QStringList{u"/Roman.ini "_s + QString::fromLatin1(RomanIniBytes(records).toHex())});
}

// Write the table's preferences and read them back, into it and into a fresh
// table: each comes back to the same order.
TEST(WriteRomanIniTest, RoundTripChangesNothing) {
    QTemporaryDir dir;
    auto table = InitialTable();
    for (const auto& [kana, spelling] : {std::pair{u"し", u"ci"},
                                         {u"ん", u"nn"},
                                         {u"っ", u"xtu"},
                                         {u"ちゃ", u"cha"},
                                         {u"く", u"qu"}}) {
        ASSERT_TRUE(table->PreferSpelling(kana, spelling));
    }
    const auto initial = InitialTable();
    const QString changes = Changes(*table, *initial);
    ASSERT_TRUE(WriteRomanIni(dir.path(), SaveRecords(*table)));
    ApplyRomanIni(*table, dir.path());
    EXPECT_EQ(Changes(*table, *initial), changes);
    auto fresh = InitialTable();
    ApplyRomanIni(*fresh, dir.path());
    EXPECT_EQ(Changes(*fresh, *initial), changes);
}

// ---- Writer failures, all of which hold for root too ----

struct WriteFailureRow {
    const char* name;
    // Prepares `root` and gives the program directory to write into.
    QString (*prepare)(const QString& root);
    bool fullDisk;  // files may grow no further than 100 bytes; 48 records need 594
    const char16_t* reason;
};

void PrintTo(const WriteFailureRow& row, std::ostream* os) {
    *os << row.name;
}

class WriteFailureTest : public ::testing::TestWithParam<WriteFailureRow> {};

TEST_P(WriteFailureTest, GivesTheReasonAndLeavesEveryFileAsItWas) {
    QTemporaryDir root;
    const QString programDir = GetParam().prepare(root.path());
    const QStringList before = Snapshot(root.path());
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
    if (GetParam().fullDisk) {
        const rlimit limit{100, saved.rlim_max};
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    QString error;
    const bool written = WriteRomanIni(programDir, SaveRecords(*InitialTable()), &error);
    // Without a place for the reason it fails just as cleanly.
    const bool writtenWithoutReason = WriteRomanIni(programDir, SaveRecords(*InitialTable()));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written || writtenWithoutReason);
    EXPECT_EQ(error, QString::fromUtf16(GetParam().reason));
    EXPECT_EQ(Snapshot(root.path()), before);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(RomanIni, WriteFailureTest, ::testing::Values(
    WriteFailureRow{"FullDiskKeepsTheOldFile", [](const QString& root) {
        EXPECT_TRUE(WriteFile(root + u"/Roman.ini"_s, kShiCiFile));
        return root; }, true, u"ファイルの大きさが上限を超えます。"},
    WriteFailureRow{"RomanIniIsADirectory", [](const QString& root) {
        EXPECT_TRUE(QDir(root).mkpath(u"Roman.ini/inside"_s));
        return root; }, false, u"同じ名前のフォルダーがあります。"},
    WriteFailureRow{"ProgramDirectoryMissing", [](const QString& root) {
        return root + u"/gone"_s; }, false, u"ファイルまたはフォルダーが見つかりません。"}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace kanoby
