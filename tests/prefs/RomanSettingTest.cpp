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
const QStringList kGrid = {
    u"か"_s,   u"く"_s,   u"こ"_s,   u"し"_s,   u"せ"_s,   u"ち"_s,   u"つ"_s,   u"ふ"_s,
    u"ん"_s,   u"じ"_s,   u"ぁ"_s,   u"ぃ"_s,   u"ぅ"_s,   u"ぇ"_s,   u"ぉ"_s,   u"ゃ"_s,
    u"ゅ"_s,   u"ょ"_s,   u"っ"_s,   u"ゎ"_s,   u"ヵ"_s,   u"ヶ"_s,   u"しゃ"_s, u"しゅ"_s,
    u"しぇ"_s, u"しょ"_s, u"ちゃ"_s, u"ちぃ"_s, u"ちゅ"_s, u"ちぇ"_s, u"ちょ"_s, u"ふぁ"_s,
    u"ふぃ"_s, u"ふぇ"_s, u"ふぉ"_s, u"じゃ"_s, u"じぃ"_s, u"じゅ"_s, u"じぇ"_s, u"じょ"_s,
    u"ヴぃ"_s, u"ヴぇ"_s, u"くぁ"_s, u"くぃ"_s, u"くぇ"_s, u"くぉ"_s, u"うぃ"_s, u"うぇ"_s,
};

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

int Px(int twips) {
    return twips / 15;
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

    static QLabel* Label(const RomanSetting& dialog, int i) {
        return dialog.findChild<QLabel*>(QStringLiteral("Label3_%1").arg(i));
    }
    static QComboBox* Box(const RomanSetting& dialog, int i) {
        return dialog.findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(i));
    }
    static QPushButton* Button(const RomanSetting& dialog, const char16_t* name) {
        return dialog.findChild<QPushButton*>(QString::fromUtf16(name));
    }
    static QStringList Entries(const QComboBox& box) {
        QStringList entries;
        for (int i = 0; i < box.count(); ++i)
            entries.append(box.itemText(i));
        return entries;
    }
    // The box of `kana`, found through its label as a user would.
    static QComboBox* BoxOf(const RomanSetting& dialog, const QString& kana) {
        for (int i = 0; i < RomanSetting::kPairCount; ++i)
            if (Label(dialog, i)->text() == kana)
                return Box(dialog, i);
        ADD_FAILURE() << "no box for " << kana.toStdString();
        return nullptr;
    }
    static void Choose(const RomanSetting& dialog, const QString& kana, const QString& entry) {
        QComboBox* box = BoxOf(dialog, kana);
        ASSERT_NE(box, nullptr);
        const int index = box->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        box->setCurrentIndex(index);
    }

    QByteArray IniBytes() const {
        QFile file(dir.filePath(QStringLiteral("Roman.ini")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool IniExists() const { return QFile::exists(dir.filePath(QStringLiteral("Roman.ini"))); }
    void WriteIni(const QByteArray& bytes) const {
        QFile file(dir.filePath(QStringLiteral("Roman.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    JudgeTableSet table;
    JudgeTableSet initial;
    RecordingMessageBoxes boxes;
    QWidget owner;
};

TEST_F(RomanSettingTest, OpensWithTheTableInGridOrder) {
    const auto dialog = Open();
    for (int i = 0; i < kGrid.size(); ++i) {
        SCOPED_TRACE(kGrid[i].toStdString());
        const QLabel* label = Label(*dialog, i);
        const QComboBox* box = Box(*dialog, i);
        ASSERT_NE(label, nullptr);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(label->text(), kGrid[i]);
        const int left = 240 + 960 * (i % 7);
        EXPECT_EQ(label->geometry(), QRect(Px(left), Px(960 + 600 * (i / 7)), Px(615), Px(255)));
        EXPECT_EQ(box->geometry(), QRect(Px(left), Px(1200 + 600 * (i / 7)), Px(855), Px(300)));
        EXPECT_TRUE(box->isVisible());
        EXPECT_FALSE(box->isEditable());
        EXPECT_EQ(box->currentIndex(), 0);
        // Every box lists its unit's spellings in slot order.
        const auto& spellings = table.RomajiTable[table.FindUnit(U16(kGrid[i]))];
        QStringList expected;
        for (const auto& spelling : spellings)
            if (!spelling.empty())
                expected.append(RomanSetting::DisplayText(QString::fromStdU16String(spelling)));
        EXPECT_EQ(Entries(*box), expected);
    }
    EXPECT_EQ(Label(*dialog, 48)->text(), QString());
    EXPECT_FALSE(Box(*dialog, 48)->isVisible());

    EXPECT_EQ(Entries(*BoxOf(*dialog, u"し"_s)), (QStringList{u"si"_s, u"shi"_s, u"ci"_s}));
    EXPECT_EQ(Entries(*BoxOf(*dialog, u"ん"_s)), (QStringList{u"n"_s, u"nn"_s, u"xn"_s}));
    EXPECT_EQ(Entries(*BoxOf(*dialog, u"っ"_s)), (QStringList{u"子音重ね"_s, u"xtu"_s, u"ltu"_s}));
}

TEST_F(RomanSettingTest, HasTheFixedLayoutAndKeyboardOrder) {
    const auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), u"Kanoby　ローマ字表示設定"_s);
    EXPECT_EQ(dialog->size(), QSize(477, 403));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowContextHelpButtonHint);
    EXPECT_EQ(dialog->parentWidget(), &owner);
    // Centred on the main window.
    EXPECT_LE((dialog->geometry().center() - owner.geometry().center()).manhattanLength(), 2);

    const auto* label1 = dialog->findChild<QLabel*>(u"Label1"_s);
    const auto* label2 = dialog->findChild<QLabel*>(u"Label2"_s);
    ASSERT_NE(label1, nullptr);
    ASSERT_NE(label2, nullptr);
    EXPECT_EQ(label1->text(), u"表示するローマ字の設定を行って下さい。"_s);
    EXPECT_EQ(label1->geometry(), QRect(24, 8, 313, 17));
    EXPECT_EQ(label2->text(), u"　※表示にかかわらず大抵の入力は可能となっております。"_s);
    EXPECT_EQ(label2->geometry(), QRect(24, 32, 313, 17));
    EXPECT_EQ(label2->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xC0));

    QPushButton* ok = Button(*dialog, u"OKButton");
    QPushButton* cancel = Button(*dialog, u"CancelButton");
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->text(), u"OK"_s);
    EXPECT_EQ(ok->geometry(), QRect(280, 360, 81, 25));
    EXPECT_EQ(cancel->text(), u"ｷｬﾝｾﾙ"_s);
    EXPECT_EQ(cancel->geometry(), QRect(376, 360, 81, 25));
    for (const QPushButton* button : {ok, cancel}) {
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
    EXPECT_EQ(dialog->focusWidget(), ok);

    // Tab goes OK, Cancel, then the boxes in index order.
    std::vector<QWidget*> expectedOrder{ok, cancel};
    for (int i = 0; i < RomanSetting::kPairCount; ++i)
        expectedOrder.push_back(Box(*dialog, i));
    std::vector<QWidget*> order;
    QWidget* widget = ok;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != ok && order.size() <= expectedOrder.size());
    EXPECT_EQ(order, expectedOrder);
}

struct Choice {
    QString kana;
    QString entry;
};

struct Outcome {
    QString kana;
    std::vector<std::u16string> spellings;  // the unit's spellings after the saves
    QString record;                         // its spelling in Roman.ini
};

struct SaveRow {
    const char* name;
    std::vector<std::vector<Choice>> sessions;  // each one ends with OK
    std::vector<Outcome> outcomes;              // every other unit keeps its order
};

class RomanSettingSaveTest : public RomanSettingTest,
                             public ::testing::WithParamInterface<SaveRow> {};

TEST_P(RomanSettingSaveTest, OkWritesAppliesConfirmsAndCloses) {
    const SaveRow& row = GetParam();
    for (const auto& session : row.sessions) {
        const auto dialog = Open();
        for (const Choice& choice : session)
            Choose(*dialog, choice.kana, choice.entry);
        QTest::mouseClick(Button(*dialog, u"OKButton"), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        ASSERT_FALSE(boxes.texts.isEmpty());
        EXPECT_EQ(boxes.texts.back(), kSaved);
        EXPECT_EQ(boxes.parents.back(), dialog.get());
    }
    EXPECT_EQ(boxes.texts.size(), qsizetype(row.sessions.size()));

    JudgeTableSet expected;
    expected.SetJudgeTable();
    QByteArray file = InitialFile();
    for (const Outcome& outcome : row.outcomes) {
        const int unit = expected.FindUnit(U16(outcome.kana));
        ASSERT_GE(unit, 0);
        const QString before = u"\"%1\",\"%2\"\r\n"_s.arg(
            outcome.kana, QString::fromStdU16String(expected.RomajiTable[unit][0]));
        const QString after = u"\"%1\",\"%2\"\r\n"_s.arg(outcome.kana, outcome.record);
        ASSERT_TRUE(file.contains(EncodeCp932(before)));
        file.replace(EncodeCp932(before), EncodeCp932(after));
        for (std::size_t slot = 0; slot < outcome.spellings.size(); ++slot)
            expected.RomajiTable[unit][slot] = outcome.spellings[slot];
    }
    EXPECT_EQ(IniBytes().toHex(' '), file.toHex(' '));
    EXPECT_EQ(table.RomajiTable, expected.RomajiTable);

    // The next opening lists the new order with the preferred spelling chosen.
    const auto reopened = Open();
    for (const Outcome& outcome : row.outcomes) {
        SCOPED_TRACE(outcome.kana.toStdString());
        const QComboBox* box = BoxOf(*reopened, outcome.kana);
        ASSERT_NE(box, nullptr);
        QStringList entries;
        for (const auto& spelling : outcome.spellings)
            entries.append(RomanSetting::DisplayText(QString::fromStdU16String(spelling)));
        EXPECT_EQ(Entries(*box), entries);
        EXPECT_EQ(box->currentIndex(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RomanSettingSaveTest,
    ::testing::Values(
        SaveRow{"Unchanged", {{}}, {}},
        SaveRow{"NnForN", {{{u"ん"_s, u"nn"_s}}}, {{u"ん"_s, {u"nn", u"|", u"xn"}, u"nn"_s}}},
        SaveRow{"CiForShi", {{{u"し"_s, u"ci"_s}}}, {{u"し"_s, {u"ci", u"shi", u"si"}, u"ci"_s}}},
        SaveRow{"DoublingAgainAfterXtu",
                {{{u"っ"_s, u"xtu"_s}}, {{u"っ"_s, u"子音重ね"_s}}},
                {{u"っ"_s, {u"~", u"xtu", u"ltu"}, u"~"_s}}},
        SaveRow{"SingleNAgainAfterXn",
                {{{u"ん"_s, u"xn"_s}}, {{u"ん"_s, u"n"_s}}},
                {{u"ん"_s, {u"|", u"nn", u"xn"}, u"|"_s}}},
        // Exchanges follow the history: ci then shi leaves si last but one.
        SaveRow{"ShiAfterCi",
                {{{u"し"_s, u"ci"_s}}, {{u"し"_s, u"shi"_s}}},
                {{u"し"_s, {u"shi", u"ci", u"si"}, u"shi"_s}}},
        SaveRow{"SeveralAtOnce",
                {{{u"か"_s, u"ca"_s}, {u"ちゃ"_s, u"cha"_s}, {u"うぇ"_s, u"whe"_s}}},
                {{u"か"_s, {u"ca", u"ka"}, u"ca"_s},
                 {u"ちゃ"_s, {u"cha", u"cya", u"tya"}, u"cha"_s},
                 {u"うぇ"_s, {u"whe", u"we"}, u"whe"_s}}}),
    [](const auto& info) { return std::string(info.param.name); });

enum class CloseBy { CancelButton, WindowFrame };

struct DiscardRow {
    const char* name;
    CloseBy closeBy;
    bool fileBefore;
};

class RomanSettingDiscardTest : public RomanSettingTest,
                                public ::testing::WithParamInterface<DiscardRow> {};

TEST_P(RomanSettingDiscardTest, ClosingWithoutOkChangesNothing) {
    const DiscardRow& row = GetParam();
    const QByteArray before = InitialFile().replace("\"si\"", "\"ci\"");
    if (row.fileBefore) {
        WriteIni(before);
        table.PreferSpelling(u"し", u"ci");
    }
    const auto tableBefore = table.RomajiTable;
    {
        const auto dialog = Open();
        Choose(*dialog, u"し"_s, u"shi"_s);
        Choose(*dialog, u"ん"_s, u"nn"_s);
        Choose(*dialog, u"っ"_s, u"ltu"_s);
        if (row.closeBy == CloseBy::CancelButton)
            QTest::mouseClick(Button(*dialog, u"CancelButton"), Qt::LeftButton);
        else
            dialog->close();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_EQ(IniExists(), row.fileBefore);
    if (row.fileBefore) {
        EXPECT_EQ(IniBytes(), before);
    }
    EXPECT_EQ(table.RomajiTable, tableBefore);

    const auto reopened = Open();
    EXPECT_EQ(BoxOf(*reopened, u"し"_s)->currentText(), row.fileBefore ? u"ci"_s : u"si"_s);
    EXPECT_EQ(BoxOf(*reopened, u"ん"_s)->currentText(), u"n"_s);
    EXPECT_EQ(BoxOf(*reopened, u"っ"_s)->currentText(), u"子音重ね"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RomanSettingDiscardTest,
    ::testing::Values(DiscardRow{"CancelWithoutFile", CloseBy::CancelButton, false},
                      DiscardRow{"CancelKeepsFile", CloseBy::CancelButton, true},
                      DiscardRow{"FrameWithoutFile", CloseBy::WindowFrame, false},
                      DiscardRow{"FrameKeepsFile", CloseBy::WindowFrame, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RomanSettingTest, SameDialogReloadsOnEveryOpening) {
    const auto dialog = Open();
    Choose(*dialog, u"し"_s, u"ci"_s);
    QTest::mouseClick(Button(*dialog, u"CancelButton"), Qt::LeftButton);
    dialog->show();
    EXPECT_EQ(BoxOf(*dialog, u"し"_s)->currentText(), u"si"_s);
    EXPECT_EQ(dialog->focusWidget(), Button(*dialog, u"OKButton"));
}

TEST_F(RomanSettingTest, EnterAndEscapeAreNotBoundToTheButtons) {
    const auto dialog = Open();
    QPushButton* ok = Button(*dialog, u"OKButton");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(ok, key);
        QTest::keyClick(BoxOf(*dialog, u"し"_s), key);
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_FALSE(IniExists());

    // The focused OK button still answers the space bar.
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_EQ(boxes.texts, QStringList{kSaved});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(IniBytes(), InitialFile());
}

struct FailureRow {
    const char* name;
    // Makes the save fail in a way that holds for root too, and mends it.
    void (*breakDir)(const QString& programDir);
    void (*mendDir)(const QString& programDir);
};

class RomanSettingFailureTest : public RomanSettingTest,
                                public ::testing::WithParamInterface<FailureRow> {};

TEST_P(RomanSettingFailureTest, FailedSaveAppliesNothingAndStaysOpen) {
    const FailureRow& row = GetParam();
    row.breakDir(dir.path());
    const auto dialog = Open();
    Choose(*dialog, u"し"_s, u"ci"_s);
    QTest::mouseClick(Button(*dialog, u"OKButton"), Qt::LeftButton);

    ASSERT_EQ(boxes.texts.size(), 1);
    const QString path = QDir::toNativeSeparators(dir.filePath(u"Roman.ini"_s));
    EXPECT_TRUE(boxes.texts[0].startsWith(kNotSaved + path)) << boxes.texts[0].toStdString();
    EXPECT_GT(boxes.texts[0].size(), (kNotSaved + path).size()) << "no reason given";
    EXPECT_EQ(boxes.parents[0], dialog.get());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(table.RomajiTable, initial.RomajiTable);

    // The choice is still there, so once the cause is gone OK saves it.
    row.mendDir(dir.path());
    QTest::mouseClick(Button(*dialog, u"OKButton"), Qt::LeftButton);
    EXPECT_EQ(boxes.texts.size(), 2);
    EXPECT_EQ(boxes.texts.back(), kSaved);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(IniBytes(), InitialFile().replace("\"si\"", "\"ci\""));
    EXPECT_EQ(table.RomajiTable[table.FindUnit(u"し")][0], u"ci");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RomanSettingFailureTest,
    ::testing::Values(FailureRow{
                          "IniIsADirectory",
                          [](const QString& d) { ASSERT_TRUE(QDir(d).mkdir(u"Roman.ini"_s)); },
                          [](const QString& d) { ASSERT_TRUE(QDir(d).rmdir(u"Roman.ini"_s)); }},
                      FailureRow{"ProgramDirectoryGone",
                                 [](const QString& d) { ASSERT_TRUE(QDir(d).removeRecursively()); },
                                 [](const QString& d) { ASSERT_TRUE(QDir().mkpath(d)); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kanoby
