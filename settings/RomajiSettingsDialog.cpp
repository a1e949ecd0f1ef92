#include "settings/RomajiSettingsDialog.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "files/RomanIni.h"
#include "engine/KanaTable.h"
#include "platform/Colours.h"
#include "platform/DialogFrame.h"
#include "files/EngineText.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "files/FileLocations.h"

namespace kanoby {

namespace {

const QString kSingleNText = QStringLiteral("n");
const QString kDoublingText = QStringLiteral("子音重ね");

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // Enter presses OK wherever the focus is, a focused ｷｬﾝｾﾙ included.
    button->setAutoDefault(false);
    return button;
}

// A box too narrow for one of its entries (子音重ね, in most styles) draws
// them narrower rather than cut them.
void ShowEntriesWhole(QComboBox* box, QFont font) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    const int room =
        box->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
            .width();
    for (int stretch = 100; stretch > 50; stretch -= 5) {
        font.setStretch(stretch);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (int entry = 0; entry < box->count(); ++entry)
            widest = std::max(widest, metrics.horizontalAdvance(box->itemText(entry)));
        if (widest <= room)
            break;
    }
    box->setFont(font);
}

}  // namespace

RomanSetting::RomanSetting(JudgeTableSet& table, const QString& programDir, MessageBoxes& messages,
                           QWidget* owner)
    : QDialog(owner, kDialogFrame), table_(table), programDir_(programDir), messages_(messages) {
    setObjectName(QStringLiteral("RomanSetting"));
    setWindowTitle(QStringLiteral("Kanoby　ローマ字表示設定"));
    setModal(true);
    setFixedSize(TwipsToPixels(7155), TwipsToPixels(6045));
    setFont(JapaneseFont(9));

    Label1 = new QLabel(QStringLiteral("表示するローマ字の設定を行って下さい。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(TwipsRect(360, 120, 4695, 255));

    Label2 =
        new QLabel(QStringLiteral("　※表示にかかわらず大抵の入力は可能となっております。"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(TwipsRect(360, 480, 4695, 255));
    KeepTextColour(Label2, QColor(0x00, 0x00, 0xC0));

    OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"));
    OKButton->setGeometry(TwipsRect(4200, 5400, 1215, 375));
    OKButton->setDefault(true);
    CancelButton = MakeButton(this, QStringLiteral("CancelButton"), QStringLiteral("ｷｬﾝｾﾙ"));
    CancelButton->setGeometry(TwipsRect(5640, 5400, 1215, 375));

    for (int i = 0; i < kPairCount; ++i) {
        const int left = 240 + 960 * (i % 7);
        const int row = i / 7;
        Label3[i] = new QLabel(this);
        Label3[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
        Label3[i]->setGeometry(TwipsRect(left, 960 + 600 * row, 615, 255));
        // A list rather than an editable box: every spelling saved is then one
        // the unit really has.
        Combo1[i] = new QComboBox(this);
        Combo1[i]->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        Combo1[i]->setEditable(false);
        Combo1[i]->setGeometry(TwipsRect(left, 1200 + 600 * row, 855, 300));
    }

    setTabOrder(OKButton, CancelButton);
    setTabOrder(CancelButton, Combo1[0]);
    for (int i = 1; i < kPairCount; ++i)
        setTabOrder(Combo1[i - 1], Combo1[i]);

    connect(OKButton, &QPushButton::clicked, this, &RomanSetting::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &RomanSetting::CancelButton_Click);
}

QString RomanSetting::DisplayText(const QString& spelling) {
    if (spelling == QStringView(kSingleNMarker))
        return kSingleNText;
    if (spelling == QStringView(kDoublingMarker))
        return kDoublingText;
    return spelling;
}

QString RomanSetting::SpellingOf(const QString& displayText) {
    if (displayText == kSingleNText)
        return FromEngineText(kSingleNMarker);
    if (displayText == kDoublingText)
        return FromEngineText(kDoublingMarker);
    return displayText;
}

void RomanSetting::Form_Load() {
    int pair = 0;
    for (int unit = 0; unit < kUnitCount && pair < kPairCount; ++unit) {
        if (!table_.ChoiceFlagTable[unit])
            continue;
        Label3[pair]->setText(FromEngineText(table_.KanaTable[unit]));
        QComboBox* box = Combo1[pair];
        box->clear();
        for (const std::u16string& spelling : table_.RomajiTable[unit]) {
            if (spelling.empty())
                break;
            box->addItem(DisplayText(FromEngineText(spelling)));
        }
        box->setCurrentIndex(0);
        ShowEntriesWhole(box, font());
        box->show();
        ++pair;
    }
    for (; pair < kPairCount; ++pair) {
        Label3[pair]->clear();
        Combo1[pair]->clear();
        Combo1[pair]->hide();
    }
}

void RomanSetting::OKButton_Click() {
    QList<RomanIniRecord> records;
    for (int i = 0; i < kPairCount; ++i) {
        if (Label3[i]->text().isEmpty())
            continue;
        records.append({Label3[i]->text(), SpellingOf(Combo1[i]->currentText())});
    }
    QString reason;
    if (!WriteRomanIni(programDir_, records, &reason)) {
        // Nothing is applied, and the dialog stays so that the user can try
        // again or cancel.
        const QString path = ShownPath(QDir(programDir_).filePath(QStringLiteral("Roman.ini")));
        messages_.Show(this, QStringLiteral("設定を保存できませんでした：") + path +
                                 QStringLiteral("\n") + reason);
        return;
    }
    ApplyRomanIni(table_, programDir_);
    messages_.Show(this, QStringLiteral("設定を保存しました"));
    accept();
}

void RomanSetting::CancelButton_Click() {
    reject();
}

void RomanSetting::showEvent(QShowEvent* event) {
    // Every opening starts again from the table, so a cancelled choice never
    // lingers.
    if (!event->spontaneous()) {
        Form_Load();
        OKButton->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

}  // namespace kanoby
