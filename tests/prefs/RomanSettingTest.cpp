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
#include "tables/JudgeTableSet.h"
#include "ui/MessageBox.h"
#include "ui/TextCodec.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

const QString kSaved = QStringLiteral("設定を保存しました");
const QString kNotSaved = QStringLiteral("設定を保存できませんでした：");

// The 48 kana that offer a choice, row by row as the dialog shows them.
const QStringList kGrid =
    u"か く こ し せ ち つ ふ ん じ ぁ ぃ ぅ ぇ ぉ ゃ ゅ ょ っ ゎ ヵ ヶ しゃ しゅ "
    u"しぇ しょ ちゃ ちぃ ちゅ ちぇ ちょ ふぁ ふぃ ふぇ ふぉ じゃ じぃ じゅ "
    u"じぇ じょ ヴぃ ヴぇ くぁ くぃ くぇ くぉ うぃ うぇ"_s.split(u' ');

// Roman.ini as a save of the initial table writes it, made independently of
// the program's own encoder.
QByteArray InitialFile() {
    QFile file(QStringLiteral(KANOBY_PREFS_TEST_DATA "/unchanged-save.Roman.ini"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

std::u16string U16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), text.size());
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
        ASSERT_TRUE(dir.isValid());
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
    static QComboBox* Box(const RomanSetting& dialog, int i) {
        return Find<QComboBox>(dialog, u"Combo1_%1"_s.arg(i));
    }
    static void Click(const RomanSetting& dialog, const QString& button) {
        QTest::mouseClick(Find<QPushButton>(dialog, button), Qt::LeftButton);
    }
    static QStringList Entries(const QComboBox& box) {
        QStringList entries;
        for (int i = 0; i < box.count(); ++i)
            entries.append(box.itemText(i));
        return entries;
    }
    // The box of `kana`, found through its label as a user would.
    static QComboBox* BoxOf(const RomanSetting& dialog, const QString& kana) {
        for (int i = 0; i < RomanSetting::kPairCount; ++i) {
            if (Find<QLabel>(dialog, u"Label3_%1"_s.arg(i))->text() == kana)
                return Box(dialog, i);
        }
        ADD_FAILURE() << "no box for " << kana.toStdString();
        return nullptr;
    }
    static void Choose(const RomanSetting& dialog, const QString& kana, const QString& entry) {
        QComboBox* box = BoxOf(dialog, kana);
        ASSERT_NE(box, nullptr);
        ASSERT_GE(box->findText(entry), 0) << entry.toStdString();
        box->setCurrentIndex(box->findText(entry));
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

TEST_F(RomanSettingTest, OpensWithTheTableInGridOrder) {
    const auto dialog = Open();
    for (int i = 0; i < RomanSetting::kPairCount; ++i) {
        const auto* label = Find<QLabel>(*dialog, u"Label3_%1"_s.arg(i));
        const QComboBox* box = Box(*dialog, i);
        ASSERT_TRUE(label != nullptr && box != nullptr) << i;
        if (i == kGrid.size()) {  // the spare pair
            EXPECT_EQ(label->text(), QString());
            EXPECT_FALSE(box->isVisible());
            break;
        }
        SCOPED_TRACE(kGrid[i].toStdString());
        EXPECT_EQ(label->text(), kGrid[i]);
        const int left = 240 + 960 * (i % 7);
        EXPECT_EQ(label->geometry(), QRect(left / 15, (960 + 600 * (i / 7)) / 15, 41, 17));
        EXPECT_EQ(box->geometry(), QRect(left / 15, (1200 + 600 * (i / 7)) / 15, 57, 20));
        EXPECT_TRUE(box->isVisible());
        EXPECT_FALSE(box->isEditable());
        EXPECT_EQ(box->currentIndex(), 0);
        // Every box lists its unit's spellings in slot order.
        QStringList expected;
        for (const auto& spelling : table.RomajiTable[table.FindUnit(U16(kGrid[i]))]) {
            if (!spelling.empty())
                expected.append(RomanSetting::DisplayText(QString::fromStdU16String(spelling)));
        }
        EXPECT_EQ(Entries(*box), expected);
    }
    EXPECT_EQ(Entries(*BoxOf(*dialog, u"し"_s)), (QStringList{u"si"_s, u"shi"_s, u"ci"_s}));
    EXPECT_EQ(Entries(*BoxOf(*dialog, u"ん"_s)), (QStringList{u"n"_s, u"nn"_s, u"xn"_s}));
    EXPECT_EQ(Entries(*BoxOf(*dialog, u"っ"_s)), (QStringList{u"子音重ね"_s, u"xtu"_s, u"ltu"_s}));
}

TEST_F(RomanSettingTest, HasTheFixedLayoutAndKeyboardOrder) {
    const auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), u"Kanoby　ローマ字表示設定"_s);
    EXPECT_EQ(dialog->minimumSize(), QSize(477, 403));
    EXPECT_EQ(dialog->maximumSize(), QSize(477, 403));
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), &owner);
    EXPECT_LE((dialog->geometry().center() - owner.geometry().center()).manhattanLength(), 2);
    for (const auto& [name, text] :
         {std::pair{u"Label1"_s, u"表示するローマ字の設定を行って下さい。"_s},
          {u"Label2"_s, u"　※表示にかかわらず大抵の入力は可能となっております。"_s},
          {u"OKButton"_s, u"OK"_s},
          {u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s}}) {
        ASSERT_NE(Find(*dialog, name), nullptr) << name.toStdString();
        EXPECT_EQ(Find(*dialog, name)->property("text").toString(), text);
    }
    EXPECT_EQ(Find(*dialog, u"Label2"_s)->palette().color(QPalette::WindowText),
              QColor(0, 0, 0xC0));

    // OK has the focus; Tab goes OK, Cancel, then the boxes in index order.
    std::vector<QWidget*> expected{Find(*dialog, u"OKButton"_s), Find(*dialog, u"CancelButton"_s)};
    for (int i = 0; i < RomanSetting::kPairCount; ++i)
        expected.push_back(Box(*dialog, i));
    std::vector<QWidget*> order;
    for (QWidget* widget = dialog->focusWidget(); order.size() < expected.size();
         widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus)
            order.push_back(widget);
    }
    EXPECT_EQ(order, expected);
}

struct Choice {
    QString kana;
    QString entry;
};

struct Outcome {
    QString kana;
    std::vector<std::u16string> spellings;  // the unit's spellings after the saves
};

struct SaveRow {
    const char* name;
    std::vector<std::vector<Choice>> sessions;  // each one ends with OK
    std::vector<Outcome> outcomes;              // every other unit keeps its order
};

void PrintTo(const SaveRow& row, std::ostream* os) {
    *os << row.name;
}

class RomanSettingSaveTest : public RomanSettingTest,
                             public ::testing::WithParamInterface<SaveRow> {};

TEST_P(RomanSettingSaveTest, OkWritesAppliesConfirmsAndCloses) {
    const SaveRow& row = GetParam();
    for (const auto& session : row.sessions) {
        const auto dialog = Open();
        for (const Choice& choice : session)
            Choose(*dialog, choice.kana, choice.entry);
        Click(*dialog, u"OKButton"_s);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(boxes.texts.value(boxes.texts.size() - 1), kSaved);
        EXPECT_EQ(boxes.parents.back(), dialog.get());
    }
    EXPECT_EQ(boxes.texts.size(), qsizetype(row.sessions.size()));

    // The file is the unchanged save with the record of each changed unit
    // now naming its new first spelling.
    QByteArray file = InitialFile();
    for (const Outcome& outcome : row.outcomes) {
        const int unit = initial.FindUnit(U16(outcome.kana));
        ASSERT_GE(unit, 0);
        const QString record = u"\"%1\",\"%2\"\r\n"_s;
        const QByteArray before = EncodeCp932(
            record.arg(outcome.kana, QString::fromStdU16String(initial.RomajiTable[unit][0])));
        ASSERT_TRUE(file.contains(before));
        file.replace(before, EncodeCp932(record.arg(
                                 outcome.kana, QString::fromStdU16String(outcome.spellings[0]))));
        for (std::size_t slot = 0; slot < outcome.spellings.size(); ++slot)
            initial.RomajiTable[unit][slot] = outcome.spellings[slot];
    }
    EXPECT_EQ(IniBytes().toHex(' '), file.toHex(' '));
    EXPECT_EQ(table.RomajiTable, initial.RomajiTable);

    // The next opening lists the new order with the preferred spelling chosen.
    const auto reopened = Open();
    for (const Outcome& outcome : row.outcomes) {
        QStringList entries;
        for (const auto& spelling : outcome.spellings)
            entries.append(RomanSetting::DisplayText(QString::fromStdU16String(spelling)));
        EXPECT_EQ(Entries(*BoxOf(*reopened, outcome.kana)), entries);
        EXPECT_EQ(BoxOf(*reopened, outcome.kana)->currentIndex(), 0);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, RomanSettingSaveTest, ::testing::Values(
    SaveRow{"Unchanged", {{}}, {}},
    SaveRow{"NnForN", {{{u"ん"_s, u"nn"_s}}}, {{u"ん"_s, {u"nn", u"|", u"xn"}}}},
    SaveRow{"DoublingAgainAfterXtu", {{{u"っ"_s, u"xtu"_s}}, {{u"っ"_s, u"子音重ね"_s}}},
            {{u"っ"_s, {u"~", u"xtu", u"ltu"}}}},
    // Exchanges follow the history: ci then shi leaves si last.
    SaveRow{"ShiAfterCi", {{{u"し"_s, u"ci"_s}}, {{u"し"_s, u"shi"_s}}}, {{u"し"_s, {u"shi", u"ci", u"si"}}}},
    SaveRow{"SeveralAtOnce", {{{u"か"_s, u"ca"_s}, {u"ちゃ"_s, u"cha"_s}, {u"うぇ"_s, u"whe"_s}}},
            {{u"か"_s, {u"ca", u"ka"}}, {u"ちゃ"_s, {u"cha", u"cya", u"tya"}}, {u"うぇ"_s, {u"whe", u"we"}}}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

enum class CloseBy { CancelButton, WindowFrame };

struct DiscardRow {
    const char* name;
    CloseBy closeBy;
    bool fileBefore;
};

void PrintTo(const DiscardRow& row, std::ostream* os) {
    *os << row.name;
}

class RomanSettingDiscardTest : public RomanSettingTest,
                                public ::testing::WithParamInterface<DiscardRow> {};

TEST_P(RomanSettingDiscardTest, ClosingWithoutOkChangesNothingAndTheNextOpeningReloads) {
    const DiscardRow& row = GetParam();
    const QByteArray before = InitialFile().replace("\"si\"", "\"ci\"");
    if (row.fileBefore) {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
        table.PreferSpelling(u"し", u"ci");
    }
    const auto tableBefore = table.RomajiTable;
    const auto dialog = Open();
    Choose(*dialog, u"し"_s, u"shi"_s);
    Choose(*dialog, u"ん"_s, u"nn"_s);
    Choose(*dialog, u"っ"_s, u"ltu"_s);
    if (row.closeBy == CloseBy::CancelButton)
        Click(*dialog, u"CancelButton"_s);
    else
        dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_EQ(QFile::exists(IniPath()), row.fileBefore);
    EXPECT_EQ(IniBytes(), row.fileBefore ? before : QByteArray());
    EXPECT_EQ(table.RomajiTable, tableBefore);

    dialog->show();
    EXPECT_EQ(BoxOf(*dialog, u"し"_s)->currentText(), row.fileBefore ? u"ci"_s : u"si"_s);
    EXPECT_EQ(BoxOf(*dialog, u"ん"_s)->currentText(), u"n"_s);
    EXPECT_EQ(BoxOf(*dialog, u"っ"_s)->currentText(), u"子音重ね"_s);
    EXPECT_EQ(dialog->focusWidget(), Find(*dialog, u"OKButton"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RomanSettingDiscardTest,
    ::testing::Values(DiscardRow{"CancelKeepsFile", CloseBy::CancelButton, true},
                      DiscardRow{"FrameWithoutFile", CloseBy::WindowFrame, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RomanSettingTest, EnterAndEscapeAreNotBoundToTheButtons) {
    const auto dialog = Open();
    QWidget* ok = Find(*dialog, u"OKButton"_s);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(ok, key);
        QTest::keyClick(BoxOf(*dialog, u"し"_s), key);
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_FALSE(QFile::exists(IniPath()));

    // The focused OK button still answers the space bar.
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_EQ(boxes.texts, QStringList{kSaved});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(IniBytes(), InitialFile());
}

// A Roman.ini that cannot be replaced, also for root: a directory of that name.
TEST_F(RomanSettingTest, FailedSaveSaysWhyAppliesNothingAndStaysOpenForARetry) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Roman.ini"_s));
    const auto dialog = Open();
    Choose(*dialog, u"し"_s, u"ci"_s);
    Click(*dialog, u"OKButton"_s);
    ASSERT_EQ(boxes.texts.size(), 1);
    const QString prefix = kNotSaved + QDir::toNativeSeparators(IniPath());
    EXPECT_TRUE(boxes.texts[0].startsWith(prefix)) << boxes.texts[0].toStdString();
    EXPECT_GT(boxes.texts[0].size(), prefix.size()) << "no reason given";
    EXPECT_EQ(boxes.parents[0], dialog.get());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(table.RomajiTable, initial.RomajiTable);

    // The choice is still there, so once the cause is gone OK saves it.
    ASSERT_TRUE(QDir(dir.path()).rmdir(u"Roman.ini"_s));
    Click(*dialog, u"OKButton"_s);
    EXPECT_EQ(boxes.texts.value(1), kSaved);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(IniBytes(), InitialFile().replace("\"si\"", "\"ci\""));
    EXPECT_EQ(table.RomajiTable[table.FindUnit(u"し")][0], u"ci");
}

}  // namespace
}  // namespace kanoby
