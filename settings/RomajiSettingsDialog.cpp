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
#include <memory>
#include <utility>

#include "engine/KanaRomajiTable.h"
#include "files/EngineText.h"
#include "files/FileLocations.h"
#include "files/RomanIni.h"
#include "platform/Colours.h"
#include "platform/DialogFrame.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

const QString kSingleNText = u"n"_s;

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

RomajiSettingsDialog::RomajiSettingsDialog(KanaRomajiTable& table, const QString& settingsDir,
                                           MessageBoxes& messages, QWidget* owner)
    : QDialog(owner, kDialogFrame), table_(table), settingsDir_(settingsDir), messages_(messages) {
    setObjectName(u"RomajiSettingsDialog"_s);
    setWindowTitle(tr("Kanoby　ローマ字表示設定"));
    setModal(true);
    setFixedSize(TwipsToPixels(7155), TwipsToPixels(6045));
    setFont(JapaneseFont(9));

    instructionLabel = new QLabel(tr("表示するローマ字の設定を行って下さい。"), this);
    instructionLabel->setObjectName(u"instructionLabel"_s);
    instructionLabel->setGeometry(TwipsRect(360, 120, 4695, 255));

    noteLabel = new QLabel(tr("　※表示にかかわらず大抵の入力は可能となっております。"), this);
    noteLabel->setObjectName(u"noteLabel"_s);
    noteLabel->setGeometry(TwipsRect(360, 480, 4695, 255));
    KeepTextColour(noteLabel, QColor(0x00, 0x00, 0xC0));

    okButton = MakeButton(this, u"okButton"_s, u"OK"_s);
    okButton->setGeometry(TwipsRect(4200, 5400, 1215, 375));
    okButton->setDefault(true);
    cancelButton = MakeButton(this, u"cancelButton"_s, tr("ｷｬﾝｾﾙ"));
    cancelButton->setGeometry(TwipsRect(5640, 5400, 1215, 375));

    presetBox = new QComboBox(this);
    presetBox->setObjectName(u"presetBox"_s);
    presetBox->setGeometry(TwipsRect(5160, 240, 1695, 330));
    presetBox->addItems({tr("訓令式"), tr("ヘボン式"), tr("個別に選択")});
    presetBox->setAccessibleName(tr("ローマ字の方式"));
    connect(presetBox, &QComboBox::activated, this,
            [this](const int index) { ApplyPreset(static_cast<RomajiPreset>(index)); });

    for (int i = 0; i < kPairCount; ++i) {
        const int left = 240 + 960 * (i % 7);
        const int row = i / 7;
        kanaLabels[i] = new QLabel(this);
        kanaLabels[i]->setObjectName(u"kanaLabel_%1"_s.arg(i));
        kanaLabels[i]->setGeometry(TwipsRect(left, 960 + 600 * row, 615, 255));
        // A list rather than an editable box: every spelling saved is then one
        // the unit really has.
        spellingBoxes[i] = new QComboBox(this);
        spellingBoxes[i]->setObjectName(u"spellingBox_%1"_s.arg(i));
        spellingBoxes[i]->setEditable(false);
        spellingBoxes[i]->setGeometry(TwipsRect(left, 1200 + 600 * row, 855, 300));
        connect(spellingBoxes[i], &QComboBox::currentIndexChanged, this, [this] {
            if (!applyingPreset_)
                presetBox->setCurrentIndex(static_cast<int>(MatchingPreset()));
        });
    }

    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, presetBox);
    setTabOrder(presetBox, spellingBoxes[0]);
    for (int i = 1; i < kPairCount; ++i)
        setTabOrder(spellingBoxes[i - 1], spellingBoxes[i]);

    connect(okButton, &QPushButton::clicked, this, &RomajiSettingsDialog::Save);
    connect(cancelButton, &QPushButton::clicked, this, &RomajiSettingsDialog::Cancel);
}

QString RomajiSettingsDialog::DoublingText() {
    return tr("子音重ね");
}

QString RomajiSettingsDialog::DisplayText(const QString& spelling) {
    if (spelling == QStringView(kSingleNMarker))
        return kSingleNText;
    if (spelling == QStringView(kDoublingMarker))
        return DoublingText();
    return spelling;
}

QString RomajiSettingsDialog::SpellingOf(const QString& displayText) {
    if (displayText == kSingleNText)
        return FromEngineText(kSingleNMarker);
    if (displayText == DoublingText())
        return FromEngineText(kDoublingMarker);
    return displayText;
}

void RomajiSettingsDialog::FillPairs() {
    int pair = 0;
    for (int unit = 0; unit < kUnitCount && pair < kPairCount; ++unit) {
        if (!table_.ChoiceFlagTable[unit])
            continue;
        kanaLabels[pair]->setText(FromEngineText(table_.KanaTable[unit]));
        QComboBox* box = spellingBoxes[pair];
        // A screen reader names each box by its kana.
        box->setAccessibleName(kanaLabels[pair]->text());
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
        kanaLabels[pair]->clear();
        spellingBoxes[pair]->clear();
        spellingBoxes[pair]->hide();
    }
    openedWith_.clear();
    for (const QComboBox* box : spellingBoxes)
        openedWith_.append(box->currentText());
    presetBox->setCurrentIndex(static_cast<int>(MatchingPreset()));
}

namespace {

// Hepburn's spellings where the table's order differs; ん keeps its single n.
const QList<std::pair<QString, QString>> kHepburn = {
    {u"し"_s, u"shi"_s},   {u"ち"_s, u"chi"_s},   {u"つ"_s, u"tsu"_s},   {u"ふ"_s, u"fu"_s},
    {u"じ"_s, u"ji"_s},    {u"しゃ"_s, u"sha"_s}, {u"しゅ"_s, u"shu"_s}, {u"しぇ"_s, u"she"_s},
    {u"しょ"_s, u"sho"_s}, {u"ちゃ"_s, u"cha"_s}, {u"ちゅ"_s, u"chu"_s}, {u"ちぇ"_s, u"che"_s},
    {u"ちょ"_s, u"cho"_s}, {u"じゃ"_s, u"ja"_s},  {u"じゅ"_s, u"ju"_s},  {u"じぇ"_s, u"je"_s},
    {u"じょ"_s, u"jo"_s},
};

// The spelling `preset` gives `kana`: the table's first, as built, unless
// Hepburn spells it otherwise.
QString PresetSpelling(const RomajiPreset preset, const QString& kana, const int unit) {
    if (preset == RomajiPreset::Hepburn) {
        for (const auto& [hepburnKana, spelling] : kHepburn) {
            if (hepburnKana == kana)
                return spelling;
        }
    }
    static const auto built = [] {
        auto table = std::make_unique<KanaRomajiTable>();
        table->Build();
        return table;
    }();
    return unit < 0 ? QString() : FromEngineText(built->RomajiTable[unit][0]);
}

}  // namespace

RomajiPreset RomajiSettingsDialog::MatchingPreset() const {
    for (const RomajiPreset preset : {RomajiPreset::Kunrei, RomajiPreset::Hepburn}) {
        bool all = true;
        for (int i = 0; i < kPairCount && all; ++i) {
            const QString kana = kanaLabels[i]->text();
            if (kana.isEmpty())
                continue;
            all = SpellingOf(spellingBoxes[i]->currentText()) ==
                  PresetSpelling(preset, kana, table_.FindUnit(ToEngineText(kana)));
        }
        if (all)
            return preset;
    }
    return RomajiPreset::Custom;
}

void RomajiSettingsDialog::ApplyPreset(const RomajiPreset preset) {
    applyingPreset_ = true;
    for (int i = 0; i < kPairCount; ++i) {
        const QString kana = kanaLabels[i]->text();
        if (kana.isEmpty())
            continue;
        const QString spelling =
            preset == RomajiPreset::Custom
                ? openedWith_.value(i)
                : DisplayText(PresetSpelling(preset, kana, table_.FindUnit(ToEngineText(kana))));
        const int index = spellingBoxes[i]->findText(spelling);
        if (index >= 0)
            spellingBoxes[i]->setCurrentIndex(index);
    }
    applyingPreset_ = false;
    presetBox->setCurrentIndex(static_cast<int>(preset));
}

void RomajiSettingsDialog::Save() {
    QList<RomanIniRecord> records;
    for (int i = 0; i < kPairCount; ++i) {
        if (kanaLabels[i]->text().isEmpty())
            continue;
        records.append({kanaLabels[i]->text(), SpellingOf(spellingBoxes[i]->currentText())});
    }
    QString reason;
    if (!WriteRomanIni(settingsDir_, records, &reason)) {
        // Nothing is applied, and the dialog stays so that the user can try
        // again or cancel.
        const QString path = ShownPath(RomanIniPath(settingsDir_));
        messages_.Show(this, tr("設定を保存できませんでした：") + path + u"\n"_s + reason);
        return;
    }
    ApplyRomanIni(table_, settingsDir_);
    messages_.Show(this, tr("設定を保存しました"));
    accept();
}

void RomajiSettingsDialog::Cancel() {
    reject();
}

void RomajiSettingsDialog::showEvent(QShowEvent* event) {
    // Every opening starts again from the table, so a cancelled choice never
    // lingers.
    if (!event->spontaneous()) {
        FillPairs();
        okButton->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

}  // namespace kanoby
