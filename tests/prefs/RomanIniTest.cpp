#include <gtest/gtest.h>
#include <signal.h>
#include <string.h>
#include <sys/resource.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>
#include <optional>
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

// The file a save of the initial table writes, made with iconv rather than
// with the program's own encoder.
QByteArray UnchangedSaveFixture() {
    return ReadFile(QStringLiteral(KANOBY_PREFS_TEST_DATA "/unchanged-save.Roman.ini"));
}

TEST(RomanIniBytesTest, SaveWithoutChangesIs48RecordsByteForByteAndReadsBackUnchanged) {
    const auto initial = InitialTable();
    const QList<RomanIniRecord> records = SaveRecords(*initial);
    ASSERT_EQ(records.size(), 48);
    EXPECT_EQ(RomanIniBytes(records), UnchangedSaveFixture());
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
    ApplyRow{"EmptyFieldAfterCommaCounts", Cp932(u"\"か\",\r\n\"し\",\"ci\"\r\n"_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"CommaInsideQuotesIsText", Cp932(u"\"、\",\",\"\r\n\"し\",\"ci\"\r\n"_s), {{u"し"_s, kShiCi}}},
    ApplyRow{"UnclosedQuoteStopsAtLineEnd", Cp932(u"\"し,ci\r\n\"か\"\r\n\"ん\",\"nn\"\r\n"_s),
             {{u"ん"_s, kNNn}}},
    ApplyRow{"NulInField", Raw("\"\x82\xB5\0\",\"ci\"\r\n"), {}},
    ApplyRow{"GarbageBytesThenRecord",
             Raw("\xFF\xFE\x00\x85\x40,\x82\r\n\"\x82\xB5\",\"ci\"\r\n"), {{u"し"_s, kShiCi}}},
    ApplyRow{"Utf8IsNotCp932", QByteArray("\"し\",\"ci\"\r\n"), {}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The fuzz target relies on the invariant check catching every kind of
// damage, so it is tried on broken tables.
struct BrokenTableRow {
    const char* name;
    void (*breakIt)(JudgeTableSet&);
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

// clang-format off
INSTANTIATE_TEST_SUITE_P(Broken, TableInvariantsTest, ::testing::Values(
    BrokenTableRow{"KanaChanged", [](JudgeTableSet& t) { t.KanaTable[11] = u"す"; }},
    BrokenTableRow{"KanaDuplicated", [](JudgeTableSet& t) { t.KanaTable[12] = t.KanaTable[11]; }},
    BrokenTableRow{"KeysChanged", [](JudgeTableSet& t) { t.HankakuTable[0] = u"ｲ"; }},
    BrokenTableRow{"ChoiceFlagChanged", [](JudgeTableSet& t) { t.ChoiceFlagTable[0] = u"1"; }},
    BrokenTableRow{"SlotZeroEmptied", [](JudgeTableSet& t) { std::swap(t.RomajiTable[1][0], t.RomajiTable[1][2]); }},
    BrokenTableRow{"GapAtSlotOne", [](JudgeTableSet& t) { std::swap(t.RomajiTable[17][1], t.RomajiTable[17][2]); }},
    BrokenTableRow{"SpellingReplaced", [](JudgeTableSet& t) { t.RomajiTable[11][2] = u"sy"; }},
    BrokenTableRow{"SpellingDuplicated", [](JudgeTableSet& t) { t.RomajiTable[11][2] = t.RomajiTable[11][1]; }},
    BrokenTableRow{"SpellingMovedToAnotherUnit", [](JudgeTableSet& t) { std::swap(t.RomajiTable[5][1], t.RomajiTable[9][1]); }}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- Files in the program directory ----

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

const QByteArray kOldFile = "\"\x82\xB5\",\"ci\"\r\n";

struct ReadFileRow {
    const char* name;
    void (*prepare)(const QString& romanIni);
    bool applied;
};

void PrintTo(const ReadFileRow& row, std::ostream* os) {
    *os << row.name;
}

class ApplyRomanIniTest : public ::testing::TestWithParam<ReadFileRow> {};

TEST_P(ApplyRomanIniTest, AppliesOnlyAFileThatCanBeRead) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    GetParam().prepare(dir.filePath(u"Roman.ini"_s));
    auto table = InitialTable();
    ApplyRomanIni(*table, dir.path());
    EXPECT_EQ(Slots(*table, u"し"_s),
              GetParam().applied ? kShiCi : (QStringList{u"si"_s, u"shi"_s, u"ci"_s}));
    EXPECT_EQ(TableInvariantFault(*table, *InitialTable()), "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(RomanIni, ApplyRomanIniTest, ::testing::Values(
    ReadFileRow{"FileIsApplied", [](const QString& ini) { ASSERT_TRUE(WriteFile(ini, kOldFile)); }, true},
    ReadFileRow{"MissingFile", [](const QString&) {}, false},
    ReadFileRow{"DirectoryOfThatName", [](const QString& ini) { ASSERT_TRUE(QDir().mkdir(ini)); }, false},
    // Opening succeeds and reading fails, for root too: the process's own
    // memory read from address 0.
    ReadFileRow{"FailsWhileReading", [](const QString& ini) { ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, ini)); }, false}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(WriteRomanIniTest, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(WriteFile(dir.filePath(u"Roman.ini"_s), QByteArray(5000, 'x')));
    const QList<RomanIniRecord> records = {{u"し"_s, u"ci"_s}, {u"ん"_s, u"|"_s}};
    QString error = u"untouched"_s;
    ASSERT_TRUE(WriteRomanIni(dir.path(), records, &error));
    EXPECT_EQ(error, u"untouched"_s);
    EXPECT_EQ(Snapshot(dir.path()),
              QStringList{u"/Roman.ini "_s + QString::fromLatin1(RomanIniBytes(records).toHex())});
}

// Write the table's preferences, read them back: nothing moves. Read into a
// fresh table: every preferred spelling comes back.
TEST(WriteRomanIniTest, RoundTripChangesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto table = InitialTable();
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
        if (table->ChoiceFlagTable[unit] == u"1") {
            EXPECT_EQ(fresh->RomajiTable[unit][0], before->RomajiTable[unit][0]) << "unit " << unit;
        }
    }
}

// ---- Writer failures, all of which hold for root too ----

// Files may grow no further than `bytes` while it lives, as on a full disk.
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

struct WriteFailureRow {
    const char* name;
    // Prepares `root` and gives the program directory to write into.
    QString (*prepare)(const QString& root);
    bool fullDisk;
};

void PrintTo(const WriteFailureRow& row, std::ostream* os) {
    *os << row.name;
}

class WriteFailureTest : public ::testing::TestWithParam<WriteFailureRow> {};

TEST_P(WriteFailureTest, GivesTheReasonAndLeavesEveryFileAsItWas) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString programDir = GetParam().prepare(root.path());
    ASSERT_FALSE(HasFatalFailure());
    const QStringList before = Snapshot(root.path());
    QString error;
    bool written = true;
    {
        std::optional<FileSizeLimit> limit;
        if (GetParam().fullDisk) {
            ASSERT_TRUE(limit.emplace(100).active());  // the 48 records need 594 bytes
        }
        written = WriteRomanIni(programDir, SaveRecords(*InitialTable()), &error);
        // Without a place for the reason it still fails cleanly.
        EXPECT_FALSE(WriteRomanIni(programDir, SaveRecords(*InitialTable())));
    }
    EXPECT_FALSE(written);
    if (GetParam().fullDisk) {
        EXPECT_EQ(error, QString::fromLocal8Bit(strerror(EFBIG)));
    } else {
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(Snapshot(root.path()), before);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(RomanIni, WriteFailureTest, ::testing::Values(
    WriteFailureRow{"FullDiskKeepsTheOldFile", [](const QString& root) {
        EXPECT_TRUE(WriteFile(root + u"/Roman.ini"_s, kOldFile));
        return root; }, true},
    WriteFailureRow{"RomanIniIsADirectory", [](const QString& root) {
        EXPECT_TRUE(QDir(root).mkpath(u"Roman.ini/inside"_s));
        return root; }, false},
    WriteFailureRow{"ProgramDirectoryIsAFile", [](const QString& root) {
        EXPECT_TRUE(WriteFile(root + u"/program"_s, kOldFile));
        return root + u"/program"_s; }, false},
    WriteFailureRow{"ProgramDirectoryMissing", [](const QString& root) {
        return root + u"/gone"_s; }, false}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace kanoby
