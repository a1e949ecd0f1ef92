// The romaji settings dialog: what it shows on every opening, what OK writes
// and applies, and that every other way out changes nothing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "prefs/RomanSetting.h"
#include "tests/prefs/TableInvariants.h"
#include "ui/EngineText.h"
#include "ui/MessageBox.h"
#include "ui/TextCodec.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

const QString kSaved = u"設定を保存しました"_s;

// The 48 kana that offer a choice, row by row as the dialog shows them.
// clang-format off
const QStringList kGrid = u"か く こ し せ ち つ ふ ん じ ぁ ぃ ぅ ぇ ぉ ゃ ゅ ょ っ ゎ ヵ ヶ しゃ しゅ しぇ しょ ちゃ ちぃ "
                          u"ちゅ ちぇ ちょ ふぁ ふぃ ふぇ ふぉ じゃ じぃ じゅ じぇ じょ ヴぃ ヴぇ くぁ くぃ くぇ くぉ うぃ うぇ"_s.split(u' ');
// clang-format on

// Roman.ini as a save of the initial table writes it, made independently of
// the program's own encoder.
QByteArray InitialFile() {
    QFile file(QStringLiteral(KANOBY_PREFS_TEST_DATA "/unchanged-save.Roman.ini"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A unit's spellings as its box lists them.
QString Displayed(QString spellings) {
    return spellings.replace(u'|', u'n').replace(u'~', u"子音重ね"_s);
}

class RecordingMessageBoxes final : public MessageBoxes {
  public:
    void Show(QWidget* parent, const QString& text) override {
        parents.push_back(parent);
        texts.append(text);
    }
    std::vector<QWidget*> parents;
    QStringList texts;
};

class RomanSettingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        table.SetJudgeTable();
        initial.SetJudgeTable();
        owner.setGeometry(200, 150, 640, 360);
        owner.show();
    }

    std::unique_ptr<RomanSetting> Open() {
        auto dialog = std::make_unique<RomanSetting>(table, dir.path(), boxes, &owner);
        dialog->show();
        return dialog;
    }

    template <typename Widget = QWidget>
    static Widget* Find(const RomanSetting& dialog, const QString& name) {
        return dialog.findChild<Widget*>(name);
    }
    static void Click(const RomanSetting& dialog, const QString& button) {
        QTest::mouseClick(Find<QPushButton>(dialog, button), Qt::LeftButton);
    }
    // The box of `kana`, found through its label as a user would.
    static QComboBox* BoxOf(const RomanSetting& dialog, const QString& kana) {
        for (int i = 0; i < RomanSetting::kPairCount; ++i) {
            if (Find<QLabel>(dialog, u"Label3_%1"_s.arg(i))->text() == kana)
                return Find<QComboBox>(dialog, u"Combo1_%1"_s.arg(i));
        }
        ADD_FAILURE() << "no box for " << kana.toStdString();
        return nullptr;
    }
    static QString Entries(const QComboBox* box) {
        QStringList entries;
        for (int i = 0; box != nullptr && i < box->count(); ++i)
            entries.append(box->itemText(i));
        return entries.join(u',');
    }
    // Each choice is "kana=entry".
    static void Choose(const RomanSetting& dialog, const QStringList& choices) {
        for (const QString& choice : choices) {
            QComboBox* box = BoxOf(dialog, choice.section(u'=', 0, 0));
            ASSERT_NE(box, nullptr);
            const int index = box->findText(choice.section(u'=', 1));
            ASSERT_GE(index, 0) << choice.toStdString();
            box->setCurrentIndex(index);
        }
    }

    QString IniPath() const { return dir.filePath(u"Roman.ini"_s); }
    QByteArray IniBytes() const {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    JudgeTableSet table;
    JudgeTableSet initial;
    RecordingMessageBoxes boxes;
    QWidget owner;
};

TEST_F(RomanSettingTest, OpensModalOverItsOwnerWithTheTableInGridOrder) {
    const auto dialog = Open();
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_LE((dialog->geometry().center() - owner.geometry().center()).manhattanLength(), 2);
    EXPECT_EQ(dialog->focusWidget(), Find(*dialog, u"OKButton"_s));
    for (const auto& [name, text] :
         {std::pair{u"OKButton"_s, u"OK"_s}, {u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s}}) {
        EXPECT_EQ(Find(*dialog, name)->property("text").toString(), text);
    }
    for (int i = 0; i < RomanSetting::kPairCount; ++i) {
        const auto* label = Find<QLabel>(*dialog, u"Label3_%1"_s.arg(i));
        const auto* box = Find<QComboBox>(*dialog, u"Combo1_%1"_s.arg(i));
        ASSERT_TRUE(label != nullptr && box != nullptr) << i;
        EXPECT_EQ(label->text(), kGrid.value(i)) << i;  // the spare pair is blank
        EXPECT_EQ(box->isVisible(), i < kGrid.size()) << i;
        if (i == kGrid.size())
            break;
        const int left = (240 + 960 * (i % 7)) / 15;
        EXPECT_EQ(label->geometry(), QRect(left, (960 + 600 * (i / 7)) / 15, 41, 17)) << i;
        EXPECT_EQ(box->geometry(), QRect(left, (1200 + 600 * (i / 7)) / 15, 57, 20)) << i;
        EXPECT_FALSE(box->isEditable());
        EXPECT_EQ(box->currentIndex(), 0);
    }
    EXPECT_EQ(Entries(BoxOf(*dialog, u"し"_s)), u"si,shi,ci"_s);
    EXPECT_EQ(Entries(BoxOf(*dialog, u"ん"_s)), u"n,nn,xn"_s);
    EXPECT_EQ(Entries(BoxOf(*dialog, u"っ"_s)), u"子音重ね,xtu,ltu"_s);
}

struct SaveRow {
    const char* name;
    std::vector<QStringList> sessions;  // each one "kana=entry" choices, then OK
    const char16_t* changes;            // of the table afterwards, as ChangedUnits gives them
};

void PrintTo(const SaveRow& row, std::ostream* os) {
    *os << row.name;
}

class RomanSettingSaveTest : public RomanSettingTest,
                             public ::testing::WithParamInterface<SaveRow> {};

TEST_P(RomanSettingSaveTest, OkWritesAppliesConfirmsAndCloses) {
    const SaveRow& row = GetParam();
    for (const QStringList& choices : row.sessions) {
        const auto dialog = Open();
        Choose(*dialog, choices);
        Click(*dialog, u"OKButton"_s);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(boxes.texts.value(boxes.texts.size() - 1), kSaved);
        EXPECT_EQ(boxes.parents.back(), dialog.get());
    }
    EXPECT_EQ(boxes.texts.size(), qsizetype(row.sessions.size()));
    const QString changes = QString::fromUtf16(row.changes);
    EXPECT_EQ(QString::fromStdU16String(ChangedUnits(table, initial)), changes);

    // The file is the unchanged save with each changed unit's record naming
    // its new first spelling; the next opening lists the new order.
    QByteArray file = InitialFile();
    const auto reopened = Open();
    for (const QString& unit : changes.split(u' ', Qt::SkipEmptyParts)) {
        const QString kana = unit.section(u':', 0, 0);
        const QString spellings = unit.section(u':', 1);
        const QString initialFirst =
            QString::fromStdU16String(initial.RomajiTable[initial.FindUnit(ToEngineText(kana))][0]);
        const QString record = u"\"%1\",\"%2\"\r\n"_s;
        ASSERT_TRUE(file.contains(EncodeCp932(record.arg(kana, initialFirst))));
        file.replace(EncodeCp932(record.arg(kana, initialFirst)),
                     EncodeCp932(record.arg(kana, spellings.section(u',', 0, 0))));
        EXPECT_EQ(Entries(BoxOf(*reopened, kana)), Displayed(spellings));
        EXPECT_EQ(BoxOf(*reopened, kana)->currentIndex(), 0);
    }
    EXPECT_EQ(IniBytes().toHex(' '), file.toHex(' '));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, RomanSettingSaveTest, ::testing::Values(
    SaveRow{"Unchanged", {{}}, u""},
    SaveRow{"NnForN", {{u"ん=nn"_s}}, u"ん:nn,|,xn"},
    SaveRow{"DoublingAgainAfterXtu", {{u"っ=xtu"_s}, {u"っ=子音重ね"_s}}, u""},
    // Exchanges follow the history: ci then shi leaves si last.
    SaveRow{"ShiAfterCi", {{u"し=ci"_s}, {u"し=shi"_s}}, u"し:shi,ci,si"},
    SaveRow{"SeveralAtOnce", {{u"か=ca"_s, u"ちゃ=cha"_s, u"うぇ=whe"_s}}, u"か:ca,ka ちゃ:cha,cya,tya うぇ:whe,we"}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Cancel or the window frame, with or without a file before: nothing is
// written or applied, and the next opening shows the table again.
TEST_F(RomanSettingTest, ClosingWithoutOkChangesNothing) {
    const QByteArray before = InitialFile().replace("\"si\"", "\"ci\"");
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "Cancel" : "window frame");
        if (!cancel) {
            QFile file(IniPath());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
            table.PreferSpelling(u"し", u"ci");
        }
        const auto tableBefore = table.RomajiTable;
        const auto dialog = Open();
        Choose(*dialog, {u"し=shi"_s, u"ん=nn"_s, u"っ=ltu"_s});
        if (cancel)
            Click(*dialog, u"CancelButton"_s);
        else
            dialog->close();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_TRUE(boxes.texts.isEmpty());
        EXPECT_EQ(QFile::exists(IniPath()), !cancel);
        EXPECT_EQ(IniBytes(), cancel ? QByteArray() : before);
        EXPECT_EQ(table.RomajiTable, tableBefore);
        dialog->show();
        EXPECT_EQ(BoxOf(*dialog, u"し"_s)->currentText(), cancel ? u"si"_s : u"ci"_s);
        EXPECT_EQ(BoxOf(*dialog, u"ん"_s)->currentText() + BoxOf(*dialog, u"っ"_s)->currentText(),
                  u"n子音重ね"_s);
        EXPECT_EQ(dialog->focusWidget(), Find(*dialog, u"OKButton"_s));
    }
}

// Neither button is the default or the cancel button; the focused OK still
// answers the space bar.
TEST_F(RomanSettingTest, EnterAndEscapeAreNotBoundToTheButtons) {
    const auto dialog = Open();
    QWidget* ok = Find(*dialog, u"OKButton"_s);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(ok, key);
        QTest::keyClick(BoxOf(*dialog, u"し"_s), key);
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(QFile::exists(IniPath()));
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_EQ(boxes.texts, QStringList{kSaved});
    EXPECT_EQ(IniBytes(), InitialFile());
}

// A Roman.ini that cannot be replaced, also for root: a directory of that name.
TEST_F(RomanSettingTest, FailedSaveSaysWhyAppliesNothingAndStaysOpenForARetry) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Roman.ini"_s));
    const auto dialog = Open();
    Choose(*dialog, {u"し=ci"_s});
    Click(*dialog, u"OKButton"_s);
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0], u"設定を保存できませんでした："_s +
                                  QDir::toNativeSeparators(IniPath()) +
                                  u"\n同じ名前のフォルダーがあります。"_s);
    EXPECT_EQ(boxes.parents[0], dialog.get());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(table.RomajiTable, initial.RomajiTable);

    // The choice is still there, so once the cause is gone OK saves it.
    ASSERT_TRUE(QDir(dir.path()).rmdir(u"Roman.ini"_s));
    Click(*dialog, u"OKButton"_s);
    EXPECT_EQ(boxes.texts.value(1), kSaved);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(IniBytes(), InitialFile().replace("\"si\"", "\"ci\""));
    EXPECT_EQ(QString::fromStdU16String(ChangedUnits(table, initial)), u"し:ci,shi,si"_s);
}

}  // namespace
}  // namespace kanoby
