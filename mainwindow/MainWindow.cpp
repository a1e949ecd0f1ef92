#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <algorithm>
#include <string>
#include <utility>

#include "engine/JudgeKeyDown.h"
#include "mainwindow/EndMessage.h"
#include "mainwindow/ProgressPicture.h"
#include "files/RomanIni.h"
#include "settings/RomajiSettingsDialog.h"
#include "platform/Colours.h"
#include "files/EngineText.h"
#include "platform/Fonts.h"
#include "platform/JisKeys.h"
#include "platform/MessageBox.h"

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

constexpr int kVkEnter = 13;

constexpr int kLeftMargin = 120;
constexpr int kReadingRowTop = 480;
constexpr int kKeyRowTop = 840;

const QColor kDoneColour{0x00, 0x00, 0xFF};
const QColor kCurrentColour{0xFF, 0x00, 0x00};
const QColor kRemainingColour{0x00, 0x00, 0x00};

// The 1-based character at `pos`, everything before it and everything after
// it; parts past either end are empty.
QString Before(const std::u16string& text, std::size_t pos) {
    return FromEngineText(std::u16string_view(text).substr(0, pos > 0 ? pos - 1 : 0));
}

QString After(const std::u16string& text, std::size_t pos) {
    return pos < text.size() ? FromEngineText(std::u16string_view(text).substr(pos)) : QString();
}

}  // namespace

MainWindow::MainWindow(FileLocations files, MessageBoxes& boxes)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      files_(std::move(files)),
      boxes_(boxes) {
    BuildLayout();

    // Every key-down of the window passes its native window first, whichever
    // control has the focus: that is where Form_KeyDown sees it.
    create();
    windowHandle()->installEventFilter(this);
    QCoreApplication::instance()->installEventFilter(&enterRepeats_);

    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildLayout() {
    setObjectName(u"MainWindow"_s);
    setWindowTitle(u"Kanoby"_s);

    MenuFile = menuBar()->addMenu(u"ファイル(&F)"_s);
    MenuFile->setObjectName(u"MenuFile"_s);
    // Where word.txt is, for a user who wants to edit it.
    MenuFolder = MenuFile->addAction(u"問題文ファイルのフォルダーを開く(&O)"_s);
    MenuFolder->setObjectName(u"MenuFolder"_s);
    connect(MenuFolder, &QAction::triggered, this, &MainWindow::MenuFolder_Click);
    MenuFile->addSeparator();
    MenuEnd = MenuFile->addAction(u"終了(&X)"_s);
    MenuEnd->setObjectName(u"MenuEnd"_s);
    connect(MenuEnd, &QAction::triggered, this, &MainWindow::MenuEnd_Click);
    MenuSetting = menuBar()->addMenu(u"設定(&S)"_s);
    MenuSetting->setObjectName(u"MenuSetting"_s);
    MenuRoma = MenuSetting->addAction(u"ﾛｰﾏ字表示(&R)"_s);
    MenuRoma->setObjectName(u"MenuRoma"_s);
    connect(MenuRoma, &QAction::triggered, this, &MainWindow::MenuRoma_Click);

    auto* client = new QWidget(this);
    client->setObjectName(u"Client"_s);
    client->setFixedSize(TwipsToPixels(7275), TwipsToPixels(3090));
    setCentralWidget(client);

    // Created bottom to top: Label1's right end lies under Frame1.
    Line1 = new QWidget(client);
    Line1->setObjectName(u"Line1"_s);
    Line1->setGeometry(0, 0, TwipsToPixels(7080), 1);
    Line1->setAutoFillBackground(true);
    QPalette linePalette = Line1->palette();
    linePalette.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    Line1->setPalette(linePalette);

    Label1 = new QLabel(client);
    Label1->setObjectName(u"Label1"_s);
    Label1->setGeometry(TwipsRect(120, 100, 6375, 375));
    Label1->setFont(JapaneseFont(12));
    Label1->setTextFormat(Qt::PlainText);  // display texts are shown as they are written
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Picture1 = new ProgressPicture(client);
    Picture1->setObjectName(u"Picture1"_s);
    Picture1->setGeometry(TwipsRect(240, 1080, 6615, 1215));
    Picture1->setFont(JapaneseFont(12));
    Picture1->setFocusPolicy(Qt::StrongFocus);

    Label14 = new QLabel(u"Enter：スタート／中断"_s, client);
    Label14->setObjectName(u"Label14"_s);
    Label14->setGeometry(TwipsRect(240, 2520, 3975, 255));
    Label14->setFont(JapaneseFont(9, true));
    Label14->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    KeepTextColour(Label14, QColor(0x00, 0x00, 0xC0));

    Command1 = new QPushButton(u"スタート"_s, client);
    Command1->setObjectName(u"Command1"_s);
    Command1->setGeometry(TwipsRect(6120, 2520, 855, 375));
    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);

    Frame1 = new QGroupBox(u"入力方式"_s, client);
    Frame1->setObjectName(u"Frame1"_s);
    Frame1->setGeometry(TwipsRect(5640, 120, 1215, 855));
    Frame1->setFont(JapaneseFont(8.25));
    // The style's caption and frame line can reach below where the layout
    // puts the first option, and its circle would then sit on the line: the
    // two options, keeping their spacing, go in the middle of what lies below
    // the caption, and never higher than the layout has them.
    const QRect option1Place = TwipsRect(120, 240, 975, 255);
    const QRect option2Place = TwipsRect(120, 480, 975, 255);
    const QRect belowCaption = Frame1->contentsRect();
    const int pairHeight = option2Place.bottom() - option1Place.top() + 1;
    const int down = std::max(
        0, belowCaption.top() + (belowCaption.height() - pairHeight) / 2 - option1Place.top());
    Option1 = new QRadioButton(u"ローマ字"_s, Frame1);
    Option1->setObjectName(u"Option1"_s);
    Option1->setGeometry(option1Place.translated(0, down));
    Option1->setFont(JapaneseFont(8.25));
    Option2 = new QRadioButton(u"かな"_s, Frame1);
    Option2->setObjectName(u"Option2"_s);
    Option2->setGeometry(option2Place.translated(0, down));
    Option2->setFont(JapaneseFont(8.25));
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click();
    });

    setTabOrder(Command1, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Picture1);
    Command1->setFocus(Qt::OtherFocusReason);

    // The window keeps the size of its menu bar and client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Keys are read as JIS keys, never through an input method.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    const auto children = findChildren<QWidget*>();
    for (QWidget* child : children) {
        child->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
}

void MainWindow::Form_Load() {
    if (const QString noFont = MissingJapaneseFontMessage(Label1->font()); !noFont.isEmpty()) {
        boxes_.Show(nullptr, noFont);
    }
    codeTable_.SetCodeChangeTable();
    judgeTables_.SetJudgeTable();
    ApplyRomanIni(judgeTables_, files_.settingsDir);
    // Everything the user should know of word.txt comes in one message.
    QStringList messages;
    LoadQuestions(
        files_.questionDir, [this](char16_t c) { return IsTypeable(judgeTables_, codeTable_, c); },
        questions_, messages);
    if (!messages.isEmpty())
        boxes_.Show(nullptr, messages.join(u"\n\n"_s));
    Option1->setChecked(true);
    ClearDisplay();
    running_ = false;
}

int MainWindow::NextAskedQuestion(const int from) const {
    for (int k = from; k < questions_.QuestionCount; ++k) {
        if (!questions_.Skipped[static_cast<std::size_t>(k)])
            return k;
    }
    return -1;
}

InputMode MainWindow::SelectedMode() const {
    return Option1->isChecked() ? InputMode::Romaji : InputMode::Kana;
}

void MainWindow::Command1_Click() {
    if (!running_) {
        Command1->setText(u"中断"_s);
        running_ = true;
        // Questions nobody could finish are passed over; with none left to
        // ask the run ends at once.
        const int first = NextAskedQuestion(0);
        questionIndex_ = std::max(first, 0);
        if (first < 0) {
            EndRun();
        } else {
            ShowQuestion();
        }
    } else {
        EndRun();
    }
    TakeKeyboardFocus();
}

void MainWindow::TakeKeyboardFocus() {
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void MainWindow::Form_KeyDown(const int keyCode, const int shift) {
    if (keyCode == kVkEnter) {
        Command1_Click();
        return;
    }
    if (!running_) {
        return;
    }
    // Option1 is read afresh at every keystroke: the mode may change mid-run.
    const KeyVerdict verdict = JudgeKeyDown(codeTable_, judge_, keyCode, shift, SelectedMode());
    if (verdict == KeyVerdict::NotInTable || verdict == KeyVerdict::Rejected) {
        return;
    }
    if (verdict == KeyVerdict::ReadingComplete) {
        // The last question's final keystroke is never drawn.
        const int next = NextAskedQuestion(questionIndex_ + 1);
        if (next < 0) {
            EndRun();
        } else {
            questionIndex_ = next;
            ShowQuestion();
        }
        return;
    }
    DrawTypingProgress(judge_);
}

void MainWindow::Option1_Click() {
    ChangeInputMode(InputMode::Kana, InputMode::Romaji);
}

void MainWindow::Option2_Click() {
    ChangeInputMode(InputMode::Romaji, InputMode::Kana);
}

// During a run a half-typed kana starts over in the new mode, and its guide
// shows at once; while idle the display is clear and stays so.
void MainWindow::ChangeInputMode(const InputMode from, const InputMode to) {
    if (!running_) {
        return;
    }
    judge_.ChangeInputMode(from, to);
    DrawTypingProgress(judge_);
}

void MainWindow::DrawTypingProgress(const Judge& judge) {
    const std::u16string& reading = judge.Reading;
    const std::size_t pos = judge.ReadPos;
    DrawProgress(Before(reading, pos), FromEngineText(CharAt(reading, pos)), After(reading, pos),
                 FromEngineText(judge.TypedKeys), FromEngineText(CharAt(judge.GuideText, 1)),
                 After(judge.GuideText, 1));
}

void MainWindow::EndRun() {
    running_ = false;
    ClearDisplay();
    Command1->setText(u"スタート"_s);
    // Heap-allocated so that it goes with its owner should the owner go first.
    QPointer<EndMessage> dialog = new EndMessage(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->exec();
    TakeKeyboardFocus();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (running_) {
        EndRun();
    }
    // The end dialog exists only while EndRun waits on it, so none is left
    // to unload here.
    event->accept();
}

void MainWindow::MenuFolder_Click() {
    // The folder is there to put a word.txt in, even before there is one.
    QDir().mkpath(files_.questionDir);
    if (!QDesktopServices::openUrl(FolderUrl(files_.questionDir)))
        boxes_.Show(this, u"フォルダーを開けません："_s + ShownPath(files_.questionDir));
}

void MainWindow::MenuEnd_Click() {
    close();
}

void MainWindow::MenuRoma_Click() {
    // Modal over this window in either run state; the run and the guide on
    // screen stay as they are, and a saved choice shows from the next rebuild.
    RomanSetting dialog(judgeTables_, files_.settingsDir, boxes_, this);
    dialog.exec();
    TakeKeyboardFocus();
}

void MainWindow::ClearDisplay() {
    Picture1->Clear();
    Label1->setText(QString());
    Label1->setToolTip(QString());
}

void MainWindow::ShowQuestion() {
    // Label1 runs on under Frame1: a display text too long for what shows of
    // it ends with "…" where Frame1 begins, and the whole text is its tooltip.
    const QString& display = questions_.Questions[static_cast<std::size_t>(questionIndex_)];
    const int shownWidth = Frame1->x() - Label1->x();
    const QString shown = ElidedText(display.left(shownWidth), Label1->font(), Qt::ElideRight,
                                     static_cast<long long>(shownWidth) * kTwipsPerPixel);
    Label1->setText(shown);
    Label1->setToolTip(shown == display ? QString() : display);
    judge_.StartQuestion(
        ToEngineText(questions_.Readings[static_cast<std::size_t>(questionIndex_)]),
        SelectedMode());
    const std::u16string& reading = judge_.Reading;
    DrawProgress(QString(), FromEngineText(CharAt(reading, 1)), After(reading, 1), QString(),
                 FromEngineText(CharAt(judge_.GuideText, 1)), After(judge_.GuideText, 1));
}

void MainWindow::DrawProgress(const QString& doneKana, const QString& currentKana,
                              const QString& remainingKana, const QString& typedKeys,
                              const QString& nextKey, const QString& restOfGuide) {
    Picture1->Clear();
    const long long innerWidth = Picture1->InnerWidth();
    // A row too wide for the picture scrolls so that its red part stays this
    // far in: what was just typed and what comes next both stay in view.
    const long long scrolledMiddleLeft = innerWidth / 3;
    // No character is narrower than a pixel (zero-width marks aside), so no
    // more of a part than the picture is wide can show: the rest is never
    // measured, and a key costs as much at the end of a long reading as in a
    // short one.
    const qsizetype visibleCharacters = Picture1->contentsRect().width();
    const auto drawRow = [&](const QString& wholeFirst, const QString& middle,
                             const QString& wholeLast, const int top) {
        const QString first = wholeFirst.right(visibleCharacters);
        const QString last = wholeLast.left(visibleCharacters);
        const bool cut = first.size() < wholeFirst.size() || last.size() < wholeLast.size();
        const long long firstWidth = first.isEmpty() ? 0 : Picture1->TextWidth(first);
        long long middleLeft = kLeftMargin + firstWidth;
        const long long middleWidth = middle.isEmpty() ? 0 : Picture1->TextWidth(middle);
        const bool fits =
            !cut && middleLeft + middleWidth <= innerWidth &&
            (last.isEmpty() || middleLeft + middleWidth + Picture1->TextWidth(last) <= innerWidth);
        QString shownFirst = first;
        long long firstLeft = kLeftMargin;
        QString shownLast = last;
        if (!fits) {
            // What runs past either edge is cut, and "…" marks the cut.
            if (middleLeft > scrolledMiddleLeft) {
                middleLeft = scrolledMiddleLeft;
                shownFirst =
                    Picture1->ElidedText(first, Qt::ElideLeft, scrolledMiddleLeft - kLeftMargin);
                firstLeft = scrolledMiddleLeft -
                            (shownFirst.isEmpty() ? 0 : Picture1->TextWidth(shownFirst));
            }
            if (!last.isEmpty()) {
                shownLast = Picture1->ElidedText(last, Qt::ElideRight,
                                                 innerWidth - middleLeft - middleWidth);
            }
        }
        if (!shownFirst.isEmpty()) {
            Picture1->DrawText(shownFirst, kDoneColour, firstLeft, top);
        }
        if (!middle.isEmpty()) {
            Picture1->DrawText(middle, kCurrentColour, middleLeft, top);
        }
        if (!shownLast.isEmpty()) {
            Picture1->DrawText(shownLast, kRemainingColour, middleLeft + middleWidth, top);
        }
    };
    drawRow(doneKana, currentKana, remainingKana, kReadingRowTop);
    drawRow(typedKeys, nextKey, restOfGuide, kKeyRowTop);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != windowHandle() || event->type() != QEvent::KeyPress) {
        return QMainWindow::eventFilter(watched, event);
    }
    // While a dialog is modal the window takes no input.
    if (QApplication::activeModalWidget() != nullptr) {
        return false;
    }
    const auto* keyEvent = static_cast<const QKeyEvent*>(event);
    const JisKey key = SelectedMode() == InputMode::Romaji ? JisKeyByLayout(*keyEvent, codeTable_)
                                                           : JisKeyFromEvent(*keyEvent);
    if (key.keyCode == kVkEnter) {
        // One press toggles once, however long Enter is held.
        if (!keyEvent->isAutoRepeat()) {
            Form_KeyDown(key.keyCode, key.shift);
        }
        return true;
    }
    // A key typed for a reading goes to the judge only: the space bar must
    // not also click a focused button, nor a letter move a focused option.
    const bool consumed = running_ && codeTable_.FindRow(key.keyCode, key.shift) >= 0;
    Form_KeyDown(key.keyCode, key.shift);
    return consumed;
}

}  // namespace kanoby
