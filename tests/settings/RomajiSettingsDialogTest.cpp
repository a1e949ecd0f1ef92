// The romaji settings dialog: the pairs it offers, and that only OK saves.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>

#include "files/TextCodec.h"
#include "platform/MessageBox.h"
#include "settings/RomajiSettingsDialog.h"
#include "tests/files/RomanIniSupport.h"

using namespace kanoby;
using namespace Qt::StringLiterals;
using namespace kanoby::testing;

// The pairs at first: label, then entries; い and う have choices never offered.
const QString kOpening =
    u"か:ka,ca く:ku,cu,qu こ:ko,co し:si,shi,ci せ:se,ce ち:ti,chi つ:tu,tsu ふ:fu,hu "
    u"ん:n,nn,xn じ:ji,zi ぁ:xa,la ぃ:xi,li ぅ:xu,lu ぇ:xe,le ぉ:xo,lo ゃ:xya,lya ゅ:xyu,lyu "
    u"ょ:xyo,lyo っ:子音重ね,xtu,ltu ゎ:xwa,lwa ヵ:xka,lka ヶ:xke,lke しゃ:sya,sha しゅ:syu,shu "
    u"しぇ:sye,she しょ:syo,sho ちゃ:tya,cya,cha ちぃ:tyi,cyi ちゅ:tyu,cyu,chu ちぇ:tye,cye,che "
    u"ちょ:tyo,cyo,cho ふぁ:fa,fwa ふぃ:fi,fwi,fyi ふぇ:fe,fwe,fye ふぉ:fo,fwo じゃ:ja,jya,zya "
    u"じぃ:jyi,zyi じゅ:ju,jyu,zyu じぇ:je,jye,zye じょ:jo,jyo,zyo ヴぃ:vi,vyi ヴぇ:ve,vye "
    u"くぁ:qa,kwa,qwa くぃ:qi,qwi,qyi くぇ:qe,qwe,qye くぉ:qo,qwo うぃ:wi,whi うぇ:we,whe :hidden"_s;

// Chooses each "kana:entry" of `choices`, then gives the pairs as kOpening
// does, with "*" after a box whose selected entry is not the first, and "!"
// after an entry too wide for its box.
std::string Pairs(const RomajiSettingsDialog& dialog, const QString& choices = {}) {
    QStringList pairs;
    for (int i = 0; i < RomajiSettingsDialog::kPairCount; ++i) {
        const QString kana = dialog.findChild<QLabel*>(u"kanaLabel_%1"_s.arg(i))->text();
        auto* box = dialog.findChild<QComboBox*>(u"spellingBox_%1"_s.arg(i));
        for (const auto& [chosen, entry] : Records(choices))
            box->setCurrentIndex(chosen == kana ? box->findText(entry) : box->currentIndex());
        QStyleOptionComboBox option;
        option.initFrom(box);
        const QRect room = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                        QStyle::SC_ComboBoxEditField, box);
        QStringList entries;
        for (int entry = 0; entry < box->count(); ++entry) {
            const QString text = box->itemText(entry);
            const bool cut = box->fontMetrics().horizontalAdvance(text) > room.width();
            entries.append(text + (cut ? u"!"_s : u""_s));
        }
        pairs.append(kana + u':' + (box->isVisible() ? entries.join(u',') : u"hidden"_s) +
                     (box->currentIndex() > 0 ? u"*"_s : u""_s) +
                     (box->isEditable() ? u" editable"_s : u""_s));
    }
    return pairs.join(u' ').toStdString();
}

TEST(RomanSettingTest, OnlyOkSavesAndAppliesAndAFailedSaveSaysWhy) {
    InitialTable table;
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"Roman.ini"_s);
    struct : MessageBoxes {
        void Show(QWidget*, const QString& text) override { shown += text.toStdString() + '\n'; }
        std::string shown;
    } boxes;
    QWidget owner;
    RomajiSettingsDialog dialog(table, dir.path(), boxes, &owner);
    auto* const ok = dialog.findChild<QPushButton*>(u"okButton"_s);
    auto* const cancel = dialog.findChild<QPushButton*>(u"cancelButton"_s);
    dialog.show();
    EXPECT_EQ(Pairs(dialog), kOpening.toStdString());
    // Every control shown lies inside the dialog and clear of the others (a
    // pixel's rounding aside), a label wide enough for its text.
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* a : controls) {
        for (const QWidget* b : controls) {
            const bool overlap = a->geometry().adjusted(1, 1, -1, -1).intersects(b->geometry());
            EXPECT_TRUE(!a->isVisible() || !b->isVisible() || (a == b) == overlap)
                << a->objectName().toStdString() << " " << b->objectName().toStdString();
        }
        const auto* label = qobject_cast<const QLabel*>(a);
        EXPECT_TRUE(!a->objectName().isEmpty() && dialog.rect().contains(a->geometry()) &&
                    (!label || label->fontMetrics().horizontalAdvance(label->text()) <=
                                   label->contentsRect().width()))
            << a->objectName().toStdString();
    }
    // Escape, ｷｬﾝｾﾙ and the window's frame close it unsaved.
    for (const int way : {0, 1, 2}) {
        Pairs(dialog, u"し:ci っ:ltu"_s);
        if (way == 0)
            QTest::keyClick(ok, Qt::Key_Escape);
        else
            way == 1 ? cancel->click() : void(dialog.close());
        EXPECT_FALSE(dialog.isVisible());
        dialog.show();
        EXPECT_EQ(Pairs(dialog), kOpening.toStdString());
    }
    EXPECT_EQ(boxes.shown + Hex(ini), "-");

    Pairs(dialog, u"ん:nn っ:xtu"_s);
    // Enter presses OK wherever the focus is.
    QTest::keyClick(dialog.findChild<QComboBox*>(u"spellingBox_3"_s), Qt::Key_Return);
    dialog.show();
    EXPECT_EQ(Pairs(dialog, u"ん:n っ:子音重ね"_s),
              QString(kOpening)
                  .replace(u"ん:n,nn,xn"_s, u"ん:nn,n,xn*"_s)
                  .replace(u"っ:子音重ね,xtu,ltu"_s, u"っ:xtu,子音重ね,ltu*"_s)
                  .toStdString());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(ChangedUnits(table), "");
    // 48 records: each box's first entry, the markers for what they show.
    QString first = QString(kOpening).remove(QRegularExpression(u",\\S*|:hidden"_s));
    first.replace(u":n "_s, u":| "_s).replace(u"子音重ね"_s, u"~"_s);
    EXPECT_EQ(Hex(ini), RomanIniBytes(Records(first)).toHex().toStdString());

    ASSERT_TRUE(QFile::remove(ini) && QDir(dir.path()).mkdir(u"Roman.ini"_s));
    dialog.show();
    Pairs(dialog, u"し:ci"_s);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(boxes.shown, "設定を保存しました\n設定を保存しました\n設定を保存できませんでした：" +
                               QDir::toNativeSeparators(ini).toStdString() +
                               "\n同じ名前のフォルダーがあります。\n");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ChangedUnits(table), "");
}

// A preset saves what choosing its spellings box by box saves, and choosing
// a box by hand afterwards makes the choice Custom.
TEST(RomanSettingTest, PresetsSaveWhatChoosingByHandSaves) {
    struct Row {
        RomajiPreset preset;
        QString byHand;  // the choices a user makes from the opening state
    };
    const Row rows[] = {
        {RomajiPreset::Hepburn,
         u"し:shi ち:chi つ:tsu ふ:fu じ:ji しゃ:sha しゅ:shu しぇ:she "
         u"しょ:sho ちゃ:cha ちゅ:chu ちぇ:che ちょ:cho じゃ:ja じゅ:ju "
         u"じぇ:je じょ:jo ん:n"_s},
        {RomajiPreset::Kunrei, u""_s},
    };
    for (const Row& row : rows) {
        QTemporaryDir byHandDir, presetDir;
        struct : MessageBoxes {
            void Show(QWidget*, const QString&) override {}
        } boxes;
        QWidget owner;
        InitialTable byHandTable;
        RomajiSettingsDialog byHand(byHandTable, byHandDir.path(), boxes, &owner);
        byHand.show();
        Pairs(byHand, row.byHand);
        byHand.findChild<QPushButton*>(u"okButton"_s)->click();

        // The preset from a table that holds other choices already.
        InitialTable table;
        table.PreferSpelling(u"し", u"ci");
        table.PreferSpelling(u"ちょ", u"cyo");
        RomajiSettingsDialog dialog(table, presetDir.path(), boxes, &owner);
        dialog.show();
        EXPECT_EQ(dialog.presetBox->currentIndex(), static_cast<int>(RomajiPreset::Custom));
        dialog.presetBox->setCurrentIndex(static_cast<int>(row.preset));
        emit dialog.presetBox->activated(static_cast<int>(row.preset));
        EXPECT_EQ(dialog.presetBox->currentIndex(), static_cast<int>(row.preset));
        dialog.findChild<QPushButton*>(u"okButton"_s)->click();
        EXPECT_EQ(Hex(presetDir.filePath(u"Roman.ini"_s)), Hex(byHandDir.filePath(u"Roman.ini"_s)));

        // Reopened, the dialog knows the preset; a box changed by hand makes it Custom,
        // and Custom brings back what the dialog opened with.
        dialog.show();
        EXPECT_EQ(dialog.presetBox->currentIndex(), static_cast<int>(row.preset));
        Pairs(dialog, u"ふ:hu"_s);
        EXPECT_EQ(dialog.presetBox->currentIndex(), static_cast<int>(RomajiPreset::Custom));
        dialog.ApplyPreset(RomajiPreset::Custom);
        EXPECT_EQ(Pairs(dialog), Pairs(dialog, u"ふ:fu"_s));
    }
}
