#include <gtest/gtest.h>
#include <signal.h>
#include <string.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <random>
#include <vector>

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

std::u16string_view U16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

// The non-empty spellings of `kana`, slot 0 first.
QStringList Slots(const JudgeTableSet& table, const QString& kana) {
    const int unit = table.FindUnit(U16(kana));
    if (unit < 0)
        return {u"<no such unit>"_s};
    QStringList order;
    for (const auto& spelling : table.RomajiTable[unit]) {
        if (!spelling.empty())
            order.append(QString::fromStdU16String(spelling));
    }
    return order;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
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
        if (table.ChoiceFlagTable[unit] != u"1")
            continue;
        records.append({QString::fromStdU16String(table.KanaTable[unit]),
                        QString::fromStdU16String(table.RomajiTable[unit][0])});
    }
    return records;
}

void ExpectSameSpellings(const JudgeTableSet& table, const JudgeTableSet& expected) {
    for (int unit = 0; unit < kUnitCount; ++unit) {
        EXPECT_EQ(table.RomajiTable[unit], expected.RomajiTable[unit]) << "unit " << unit;
    }
}

// ---- Byte-exact records ----

struct RecordBytesRow {
    const char* name;
    QString kana;
    QString spelling;
    QByteArray bytes;
};

void PrintTo(const RecordBytesRow& row, std::ostream* os) {
    *os << row.name;
}

class RecordBytesTest : public ::testing::TestWithParam<RecordBytesRow> {};

TEST_P(RecordBytesTest, IsQuotedCommaSeparatedCp932WithCrLf) {
    const RecordBytesRow& row = GetParam();
    EXPECT_EQ(RomanIniBytes({{row.kana, row.spelling}}).toHex(' '), row.bytes.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    RomanIni, RecordBytesTest,
    ::testing::Values(RecordBytesRow{"Ka", u"か"_s, u"ka"_s,
                                     QByteArray::fromHex("22 82 A9 22 2C 22 6B 61 22 0D 0A")},
                      RecordBytesRow{"NMarker", u"ん"_s, u"|"_s,
                                     QByteArray::fromHex("22 82 F1 22 2C 22 7C 22 0D 0A")},
                      RecordBytesRow{"SokuonMarker", u"っ"_s, u"~"_s,
                                     QByteArray::fromHex("22 82 C1 22 2C 22 7E 22 0D 0A")},
                      RecordBytesRow{
                          "TwoKanaUnit", u"しゃ"_s, u"sya"_s,
                          QByteArray::fromHex("22 82 B5 82 E1 22 2C 22 73 79 61 22 0D 0A")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RomanIniBytesTest, NoRecordsIsAnEmptyFile) {
    EXPECT_TRUE(RomanIniBytes({}).isEmpty());
}

// The file a save of the initial table writes, made with iconv rather than
// with the program's own encoder.
QByteArray UnchangedSaveFixture() {
    return ReadFile(QStringLiteral(KANOBY_PREFS_TEST_DATA "/unchanged-save.Roman.ini"));
}

TEST(RomanIniBytesTest, SaveWithoutChangesIs48RecordsByteForByte) {
    const auto table = InitialTable();
    const QList<RomanIniRecord> records = SaveRecords(*table);
    ASSERT_EQ(records.size(), 48);
    EXPECT_EQ(RomanIniBytes(records), UnchangedSaveFixture());
}

TEST(RomanIniBytesTest, ReadingTheUnchangedSaveChangesNothing) {
    const auto initial = InitialTable();
    auto table = InitialTable();
    ApplyRomanIniBytes(*table, UnchangedSaveFixture());
    ExpectSameSpellings(*table, *initial);
}

// ---- Reading: the table after applying a file ----

struct Change {
    QString kana;
    QStringList order;
};

struct ApplyRow {
    const char* name;
    QByteArray bytes;
    std::vector<Change> changes;  // every other unit keeps its initial order
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
    const ApplyRow& row = GetParam();
    const auto initial = InitialTable();
    auto table = InitialTable();
    ApplyRomanIniBytes(*table, row.bytes);

    auto expected = InitialTable();
    for (const Change& change : row.changes) {
        const int unit = expected->FindUnit(U16(change.kana));
        ASSERT_GE(unit, 0);
        EXPECT_EQ(Slots(*table, change.kana), change.order);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            expected->RomajiTable[unit][slot] =
                slot < change.order.size() ? U16(change.order[slot]) : std::u16string_view();
        }
    }
    ExpectSameSpellings(*table, *expected);
    EXPECT_EQ(TableInvariantFault(*table, *initial), "");
}

const QStringList kShiCi = {u"ci"_s, u"shi"_s, u"si"_s};
const QStringList kNNn = {u"nn"_s, u"|"_s, u"xn"_s};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, ApplyRomanIniBytesTest, ::testing::Values(
    ApplyRow{"ZeroBytes", QByteArray(), {}},
    ApplyRow{"ShiCi", Cp932(u"\"し\",\"ci\"\r\n"_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"ShiSiAlreadyFirst", Cp932(u"\"し\",\"si\"\r\n"_s), {}},
    ApplyRow{"NNn", Cp932(u"\"ん\",\"nn\"\r\n"_s), {{u"ん"_s, kNNn}}},
    ApplyRow{"LaterRecordForTheSameUnitWins", Cp932(u"\"し\",\"ci\"\r\n\"し\",\"shi\"\r\n"_s),
             {{u"し"_s, {u"shi"_s, u"ci"_s, u"si"_s}}}},
    ApplyRow{"UnitWithoutChoiceFlag", Cp932(u"\"い\",\"yi\"\r\n"_s), {{u"い"_s, {u"yi"_s, u"i"_s}}}},
    ApplyRow{"ThirdSlotKeepsItsSpelling", Cp932(u"\"く\",\"qu\"\r\n"_s),
             {{u"く"_s, {u"qu"_s, u"cu"_s, u"ku"_s}}}},
    ApplyRow{"MarkerBackToFirst", Cp932(u"\"っ\",\"xtu\"\r\n\"っ\",\"~\"\r\n"_s), {}},
    ApplyRow{"TwoKanaUnit", Cp932(u"\"ちゃ\",\"cha\"\r\n"_s),
             {{u"ちゃ"_s, {u"cha"_s, u"cya"_s, u"tya"_s}}}},
    ApplyRow{"KanaNotInTable", Cp932(u"\"ア\",\"a\"\r\n\"しゃあ\",\"sya\"\r\n"_s), {}},
    ApplyRow{"SpellingNotOfThatUnit", Cp932(u"\"し\",\"ka\"\r\n\"し\",\"sy\"\r\n"_s), {}},
    ApplyRow{"EmptySpelling", Cp932(u"\"し\",\"\"\r\n\"ゎ\",\"\"\r\n"_s), {}},
    ApplyRow{"CaseAndWidthMatter", Cp932(u"\"し\",\"CI\"\r\n\"し\",\"ｃｉ\"\r\n\"ｼ\",\"ci\"\r\n"_s), {}}
), [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(DamagedFiles, ApplyRomanIniBytesTest, ::testing::Values(
    ApplyRow{"OddFieldCount", Cp932(u"\"し\",\"ci\"\r\n\"ん\""_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"OddFieldCountWithLineEnd", Cp932(u"\"し\",\"ci\"\r\n\"ん\"\r\n"_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"NoFinalLineEnd", Cp932(u"\"し\",\"ci\""_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"LfLineEnds", Cp932(u"\"し\",\"ci\"\n\"ん\",\"nn\"\n"_s), {{u"し"_s, kShiCi}, {u"ん"_s, kNNn}}},
    ApplyRow{"LoneCrLineEnds", Cp932(u"\"し\",\"ci\"\r\"ん\",\"nn\"\r"_s), {{u"し"_s, kShiCi}, {u"ん"_s, kNNn}}},
    ApplyRow{"Unquoted", Cp932(u"し,ci\r\nん,nn\r\n"_s), {{u"し"_s, kShiCi}, {u"ん"_s, kNNn}}},
    ApplyRow{"SpacePadded", Cp932(u"  \"し\" ,\t\"ci\"  \r\n ん , nn \r\n"_s),
             {{u"し"_s, kShiCi}, {u"ん"_s, kNNn}}},
    ApplyRow{"SpacesInsideQuotesKept", Cp932(u"\" し\",\"ci\"\r\n\"ん\",\"nn \"\r\n"_s), {}},
    ApplyRow{"BlankLinesHoldNoField", Cp932(u"\r\n\"し\",\"ci\"\r\n\r\n \t\n\"ん\",\"nn\"\r\n\r\n"_s),
             {{u"し"_s, kShiCi}, {u"ん"_s, kNNn}}},
    ApplyRow{"CommaEndsAField", Cp932(u"\"し\",\"ci\",\"ん\",\"nn\"\r\n"_s),
             {{u"し"_s, kShiCi}, {u"ん"_s, kNNn}}},
    ApplyRow{"OneFieldLineShiftsThePairing", Cp932(u"\"か\"\r\n\"し\",\"ci\"\r\n\"ん\",\"nn\"\r\n"_s), {}},
    ApplyRow{"ThreeFieldLineShiftsThePairing",
             Cp932(u"\"し\",\"ci\",\"x\"\r\n\"ん\",\"nn\"\r\n\"ふ\",\"hu\"\r\n"_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"EmptyFieldAfterCommaCounts", Cp932(u"\"か\",\r\n\"し\",\"ci\"\r\n"_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"CommaInsideQuotesIsText", Cp932(u"\"、\",\",\"\r\n\"し\",\"ci\"\r\n"_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"UnclosedQuoteStopsAtLineEnd", Cp932(u"\"し,ci\r\n\"か\"\r\n\"ん\",\"nn\"\r\n"_s),
             {{u"ん"_s, kNNn}}},
    ApplyRow{"TextAfterClosingQuoteDropped", Cp932(u"\"し\"x,\"ci\" y\r\n"_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"QuoteInsideUnquotedField", Cp932(u"し\"\",ci\r\n"_s), {}},
    ApplyRow{"NulInField", Raw("\"\x82\xB5\0\",\"ci\"\r\n"), {}},
    ApplyRow{"GarbageBytesThenRecord",
             Raw("\xFF\xFE\x00\x85\x40,\x82\r\n\"\x82\xB5\",\"ci\"\r\n"), {{u"し"_s, kShiCi}}},
    ApplyRow{"Utf8IsNotCp932", QByteArray("\"し\",\"ci\"\r\n"), {}},
    ApplyRow{"OnlyLineEnds", QByteArray("\r\n\n\r,"), {}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Whatever the bytes, the table stays a valid table. Inputs are built from
// the pieces a Roman.ini is made of, so that many of them do match units.
TEST(ApplyRomanIniBytesTest, ArbitraryBytesKeepTheTableInvariants) {
    const auto initial = InitialTable();
    const std::vector<QByteArray> pieces = {"\"",
                                            ",",
                                            "\r\n",
                                            "\r",
                                            "\n",
                                            " ",
                                            "\t",
                                            "\x82\xB5",
                                            "\x82\xF1",
                                            "\x82\xC1",
                                            "\x82\xB5\x82\xE1",
                                            "\x82\xA2",
                                            "ci",
                                            "shi",
                                            "si",
                                            "nn",
                                            "xn",
                                            "|",
                                            "~",
                                            "xtu",
                                            "yi",
                                            "sha",
                                            "\xFF",
                                            "\x82",
                                            QByteArray(1, '\0')};
    std::mt19937 random(20240601);
    auto table = InitialTable();
    for (int round = 0; round < 3000; ++round) {
        if (round % 50 == 0)
            table->SetJudgeTable();  // also apply on top of earlier rounds
        QByteArray bytes;
        const int length = int(random() % 40);
        for (int i = 0; i < length; ++i) {
            if (random() % 8 == 0) {
                bytes.append(char(random() % 256));
            } else {
                bytes.append(pieces[random() % pieces.size()]);
            }
        }
        ApplyRomanIniBytes(*table, bytes);
        ASSERT_EQ(TableInvariantFault(*table, *initial), "") << bytes.toHex(' ').toStdString();
    }
}

// The check above and the fuzz target rely on this catching every kind of
// damage, so it is tried on broken tables.
struct BrokenTableRow {
    const char* name;
    std::function<void(JudgeTableSet&)> breakIt;
};

void PrintTo(const BrokenTableRow& row, std::ostream* os) {
    *os << row.name;
}

class TableInvariantsTest : public ::testing::TestWithParam<BrokenTableRow> {};

TEST_P(TableInvariantsTest, CatchesTheFault) {
    const auto initial = InitialTable();
    auto table = InitialTable();
    EXPECT_EQ(TableInvariantFault(*table, *initial), "");
    GetParam().breakIt(*table);
    EXPECT_NE(TableInvariantFault(*table, *initial), "");
}

INSTANTIATE_TEST_SUITE_P(
    Broken, TableInvariantsTest,
    ::testing::Values(
        BrokenTableRow{"KanaChanged", [](JudgeTableSet& t) { t.KanaTable[11] = u"す"; }},
        BrokenTableRow{"KanaDuplicated",
                       [](JudgeTableSet& t) { t.KanaTable[12] = t.KanaTable[11]; }},
        BrokenTableRow{"KeysChanged", [](JudgeTableSet& t) { t.HankakuTable[0] = u"ｲ"; }},
        BrokenTableRow{"ChoiceFlagChanged", [](JudgeTableSet& t) { t.ChoiceFlagTable[0] = u"1"; }},
        BrokenTableRow{
            "SlotZeroEmptied",
            [](JudgeTableSet& t) { std::swap(t.RomajiTable[1][0], t.RomajiTable[1][2]); }},
        BrokenTableRow{
            "GapAtSlotOne",
            [](JudgeTableSet& t) { std::swap(t.RomajiTable[17][1], t.RomajiTable[17][2]); }},
        BrokenTableRow{"SpellingReplaced", [](JudgeTableSet& t) { t.RomajiTable[11][2] = u"sy"; }},
        BrokenTableRow{"SpellingDuplicated",
                       [](JudgeTableSet& t) { t.RomajiTable[11][2] = t.RomajiTable[11][1]; }},
        BrokenTableRow{
            "SpellingMovedToAnotherUnit",
            [](JudgeTableSet& t) { std::swap(t.RomajiTable[5][1], t.RomajiTable[9][1]); }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Files in the program directory ----

class RomanIniFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString RomanIni() const { return dir.filePath(u"Roman.ini"_s); }
    QStringList Entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    std::unique_ptr<JudgeTableSet> initial = InitialTable();
    std::unique_ptr<JudgeTableSet> table = InitialTable();
};

TEST_F(RomanIniFileTest, MissingFileChangesNothing) {
    ApplyRomanIni(*table, dir.path());
    ExpectSameSpellings(*table, *initial);
}

TEST_F(RomanIniFileTest, DirectoryOfThatNameChangesNothing) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Roman.ini"_s));
    ApplyRomanIni(*table, dir.path());
    ExpectSameSpellings(*table, *initial);
}

TEST_F(RomanIniFileTest, FileIsApplied) {
    ASSERT_TRUE(WriteFile(RomanIni(), Cp932(u"\"し\",\"ci\"\r\n"_s)));
    ApplyRomanIni(*table, dir.path());
    EXPECT_EQ(Slots(*table, u"し"_s), kShiCi);
}

TEST_F(RomanIniFileTest, FileThatCannotBeOpenedChangesNothing) {
    ASSERT_TRUE(WriteFile(RomanIni(), Cp932(u"\"し\",\"ci\"\r\n"_s)));
    ASSERT_TRUE(QFile::setPermissions(RomanIni(), QFileDevice::WriteOwner));
    if (QFile file(RomanIni()); file.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "running as root, which reads files whatever their permissions";
    }
    ApplyRomanIni(*table, dir.path());
    ExpectSameSpellings(*table, *initial);
}

// Root cannot read the process's own memory from address 0 either: opening
// succeeds and reading fails.
TEST_F(RomanIniFileTest, FileThatFailsWhileReadingChangesNothing) {
    if (!QFile::exists(u"/proc/self/mem"_s))
        GTEST_SKIP() << "needs /proc/self/mem";
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, RomanIni()));
    ApplyRomanIni(*table, dir.path());
    ExpectSameSpellings(*table, *initial);
}

TEST_F(RomanIniFileTest, WriterWritesExactlyTheRecordsAndReplacesALongerFile) {
    ASSERT_TRUE(WriteFile(RomanIni(), QByteArray(5000, 'x')));
    const QList<RomanIniRecord> records = {{u"し"_s, u"ci"_s}, {u"ん"_s, u"|"_s}};
    QString error = u"untouched"_s;
    ASSERT_TRUE(WriteRomanIni(dir.path(), records, &error));
    EXPECT_EQ(error, u"untouched"_s);
    EXPECT_EQ(ReadFile(RomanIni()), RomanIniBytes(records));
    EXPECT_EQ(Entries(), QStringList{u"Roman.ini"_s});  // no temporary file left
}

TEST_F(RomanIniFileTest, WriterCreatesTheFile) {
    ASSERT_TRUE(WriteRomanIni(dir.path(), SaveRecords(*table)));
    EXPECT_EQ(ReadFile(RomanIni()), UnchangedSaveFixture());
}

// Write the table's current preferences, read them back: nothing moves. Read
// into a fresh table: every preferred spelling comes back.
TEST_F(RomanIniFileTest, RoundTripChangesNothing) {
    for (const auto& [kana, spelling] : {std::pair{u"し", u"ci"},
                                         {u"ん", u"nn"},
                                         {u"っ", u"xtu"},
                                         {u"ちゃ", u"cha"},
                                         {u"く", u"qu"},
                                         {u"い", u"yi"}}) {
        ASSERT_TRUE(table->PreferSpelling(kana, spelling));
    }
    const auto before = std::make_unique<JudgeTableSet>(*table);
    ASSERT_TRUE(WriteRomanIni(dir.path(), SaveRecords(*table)));
    ApplyRomanIni(*table, dir.path());
    ExpectSameSpellings(*table, *before);

    auto fresh = InitialTable();
    ApplyRomanIni(*fresh, dir.path());
    for (int unit = 0; unit < kUnitCount; ++unit) {
        if (table->ChoiceFlagTable[unit] != u"1")
            continue;
        EXPECT_EQ(fresh->RomajiTable[unit][0], before->RomajiTable[unit][0]) << "unit " << unit;
    }
}

// ---- Writer failures: the old file stays as it was ----

// Files may grow no further than `bytes` while it lives, as on a full disk.
// Root is bound by it too.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

  private:
    rlimit saved_{};
    sighandler_t oldHandler_ = SIG_DFL;
    bool active_ = false;
};

const QByteArray kOldFile = "\"\x82\xB5\",\"ci\"\r\n";

TEST_F(RomanIniFileTest, WriterFailsWhenRomanIniIsADirectory) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"Roman.ini/inside"_s));
    QString error;
    EXPECT_FALSE(WriteRomanIni(dir.path(), SaveRecords(*table), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(RomanIni()).isDir());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(u"Roman.ini/inside"_s)));
    EXPECT_EQ(Entries(), QStringList{u"Roman.ini"_s});
}

TEST_F(RomanIniFileTest, WriterFailsWhenTheProgramDirectoryIsAFile) {
    const QString notADirectory = dir.filePath(u"program"_s);
    ASSERT_TRUE(WriteFile(notADirectory, kOldFile));
    QString error;
    EXPECT_FALSE(WriteRomanIni(notADirectory, SaveRecords(*table), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadFile(notADirectory), kOldFile);
    EXPECT_EQ(Entries(), QStringList{u"program"_s});
}

TEST_F(RomanIniFileTest, WriterFailsWhenTheProgramDirectoryIsMissing) {
    QString error;
    EXPECT_FALSE(WriteRomanIni(dir.filePath(u"gone"_s), SaveRecords(*table), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(Entries().isEmpty());
    // Without a place for the reason it still fails cleanly.
    EXPECT_FALSE(WriteRomanIni(dir.filePath(u"gone"_s), SaveRecords(*table)));
}

TEST_F(RomanIniFileTest, WriterFailsOnAFullDiskAndKeepsTheOldFile) {
    ASSERT_TRUE(WriteFile(RomanIni(), kOldFile));
    QString error;
    bool written = true;
    {
        const FileSizeLimit limit(100);  // the 48 records need 594 bytes
        ASSERT_TRUE(limit.active());
        written = WriteRomanIni(dir.path(), SaveRecords(*table), &error);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(error, QString::fromLocal8Bit(strerror(EFBIG)));
    EXPECT_EQ(ReadFile(RomanIni()), kOldFile);
    EXPECT_EQ(Entries(), QStringList{u"Roman.ini"_s});
}

TEST_F(RomanIniFileTest, WriterFailsInADirectoryThatCannotBeWrittenAndKeepsTheOldFile) {
    ASSERT_TRUE(WriteFile(RomanIni(), kOldFile));
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadUser | QFileDevice::ExeUser;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readOnly));
    const bool rootCanWrite = WriteFile(dir.filePath(u"probe"_s), "x");
    QFile::remove(dir.filePath(u"probe"_s));
    if (rootCanWrite) {
        QFile::setPermissions(dir.path(), readOnly | QFileDevice::WriteOwner);
        GTEST_SKIP() << "running as root, which writes into directories whatever their "
                        "permissions; the full-disk and is-a-directory cases cover this path";
    }
    QString error;
    const bool written = WriteRomanIni(dir.path(), SaveRecords(*table), &error);
    QFile::setPermissions(dir.path(), readOnly | QFileDevice::WriteOwner);
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadFile(RomanIni()), kOldFile);
    EXPECT_EQ(Entries(), QStringList{u"Roman.ini"_s});
}

}  // namespace
}  // namespace kanoby
