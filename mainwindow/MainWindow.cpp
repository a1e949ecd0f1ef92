#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <algorithm>
#include <span>
#include <string>
#include <utility>

#include "engine/JudgeKeyDown.h"
#include "files/EngineText.h"
#include "files/RomanIni.h"
#include "files/ShippedLists.h"
#include "mainwindow/EndMessage.h"
#include "mainwindow/ProgressPicture.h"
#include "platform/Colours.h"
#include "platform/Fonts.h"
#include "platform/JisKeys.h"
#include "platform/MessageBox.h"
#include "platform/PlainText.h"
#include "settings/RomajiSettingsDialog.h"

namespace kanoby {

using namespace Qt::StringLiterals;

namespace {

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

// A space still to be typed shows as a mark: drawn as it is, nothing on
// screen would say what to press next.
QString VisibleSpaces(QString text) {
    return text.replace(u' ', u'\u2423').replace(u'\u3000', u'\u2423');
}

// A file's name or title as a menu item's text: "&" would mark an accelerator.
QString MenuText(QString text) {
    return text.replace(u'&', u"&&"_s);
}

// Whether a run of `list` has a question to ask.
bool HasAskedQuestion(const QuestionList& list) {
    const auto end = list.Skipped.begin() + list.QuestionCount;
    return std::find(list.Skipped.begin(), end, false) != end;
}

// The one local file dropped, or an empty string.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

MainWindow::MainWindow(FileLocations files, MessageBoxes& boxes, const QString& listToOpen)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      files_(std::move(files)),
      boxes_(boxes) {
    BuildLayout();

    // Every key-down of the window passes its native window first, whichever
    // control has the focus: that is where KeyDown sees it.
    create();
    windowHandle()->installEventFilter(this);
    QCoreApplication::instance()->installEventFilter(&enterRepeats_);

    StartUp(listToOpen);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildLayout() {
    setObjectName(u"MainWindow"_s);
    setWindowTitle(u"Kanoby"_s);
    BuildMenus();

    auto* client = new QWidget(this);
    client->setObjectName(u"Client"_s);
    client->setFixedSize(TwipsToPixels(7275), TwipsToPixels(3090));
    setCentralWidget(client);

    BuildControls(client);
    BuildInputModeBox(client);

    setTabOrder(startButton, romajiOption);
    setTabOrder(romajiOption, kanaOption);
    setTabOrder(kanaOption, progressPicture);
    startButton->setFocus(Qt::OtherFocusReason);

    // The window keeps the size of its menu bar and client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    setAcceptDrops(true);
    // Keys are read as JIS keys, never through an input method.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    const auto children = findChildren<QWidget*>();
    for (QWidget* child : children) {
        child->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
}

void MainWindow::BuildMenus() {
    fileMenu = menuBar()->addMenu(u"ファイル(&F)"_s);
    fileMenu->setObjectName(u"fileMenu"_s);
    openListAction = fileMenu->addAction(tr("問題文ファイルを開く(&O)…"));
    openListAction->setObjectName(u"openListAction"_s);
    connect(openListAction, &QAction::triggered, this, &MainWindow::ChooseList);
    recentMenu = fileMenu->addMenu(tr("最近使ったファイル(&R)"));
    recentMenu->setObjectName(u"recentMenu"_s);
    // Whether each list is still there is seen when the menu opens.
    connect(recentMenu, &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
    shippedListsMenu = fileMenu->addMenu(tr("問題集(&L)"));
    shippedListsMenu->setObjectName(u"shippedListsMenu"_s);
    FillShippedListsMenu();
    // Where word.txt is, for a user who wants to edit it.
    openFolderAction = fileMenu->addAction(tr("問題文ファイルのフォルダーを開く(&D)"));
    openFolderAction->setObjectName(u"openFolderAction"_s);
    connect(openFolderAction, &QAction::triggered, this, &MainWindow::OpenQuestionFolder);
    fileMenu->addSeparator();
    quitAction = fileMenu->addAction(u"終了(&X)"_s);
    quitAction->setObjectName(u"quitAction"_s);
    connect(quitAction, &QAction::triggered, this, &MainWindow::Quit);
    // The practice's choices, the record of the runs, and what the window shows.
    practiceMenu = menuBar()->addMenu(u"練習(&P)"_s);
    practiceMenu->setObjectName(u"practiceMenu"_s);
    BuildPracticeMenu();
    recordMenu = menuBar()->addMenu(u"記録(&R)"_s);
    recordMenu->setObjectName(u"recordMenu"_s);
    viewMenu = menuBar()->addMenu(u"表示(&V)"_s);
    viewMenu->setObjectName(u"viewMenu"_s);
    settingsMenu = menuBar()->addMenu(u"設定(&S)"_s);
    settingsMenu->setObjectName(u"settingsMenu"_s);
    romajiSettingsAction = settingsMenu->addAction(u"ﾛｰﾏ字表示(&R)"_s);
    romajiSettingsAction->setObjectName(u"romajiSettingsAction"_s);
    connect(romajiSettingsAction, &QAction::triggered, this, &MainWindow::OpenRomajiSettings);
}

// The question, the picture, the hint and the start button.
void MainWindow::BuildControls(QWidget* client) {
    // Created bottom to top: questionLabel's right end lies under inputModeBox.
    menuLine = new QWidget(client);
    menuLine->setObjectName(u"menuLine"_s);
    menuLine->setGeometry(0, 0, TwipsToPixels(7080), 1);
    menuLine->setAutoFillBackground(true);
    QPalette linePalette = menuLine->palette();
    linePalette.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    menuLine->setPalette(linePalette);

    questionLabel = new QLabel(client);
    questionLabel->setObjectName(u"questionLabel"_s);
    questionLabel->setGeometry(TwipsRect(120, 100, 6375, 375));
    questionLabel->setFont(JapaneseFont(12));
    questionLabel->setTextFormat(Qt::PlainText);  // display texts are shown as they are written
    questionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    progressPicture = new ProgressPicture(client);
    progressPicture->setObjectName(u"progressPicture"_s);
    progressPicture->setGeometry(TwipsRect(240, 1080, 6615, 1215));
    progressPicture->setFont(JapaneseFont(12));
    progressPicture->setFocusPolicy(Qt::StrongFocus);

    enterHint = new QLabel(u"Enter：スタート／中断"_s, client);
    enterHint->setObjectName(u"enterHint"_s);
    enterHint->setGeometry(TwipsRect(240, 2520, 3975, 255));
    enterHint->setFont(JapaneseFont(9, true));
    enterHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    KeepTextColour(enterHint, QColor(0x00, 0x00, 0xC0));

    startButton = new QPushButton(u"スタート"_s, client);
    startButton->setObjectName(u"startButton"_s);
    startButton->setGeometry(TwipsRect(6120, 2520, 855, 375));
    connect(startButton, &QPushButton::clicked, this, &MainWindow::ToggleRun);
}

// The two input-mode options in their box.
void MainWindow::BuildInputModeBox(QWidget* client) {
    inputModeBox = new QGroupBox(u"入力方式"_s, client);
    inputModeBox->setObjectName(u"inputModeBox"_s);
    inputModeBox->setGeometry(TwipsRect(5640, 120, 1215, 855));
    inputModeBox->setFont(JapaneseFont(8.25));
    // The style's caption and frame line can reach below where the layout
    // puts the first option, and its circle would then sit on the line: the
    // two options, keeping their spacing, go in the middle of what lies below
    // the caption, and never higher than the layout has them.
    const QRect option1Place = TwipsRect(120, 240, 975, 255);
    const QRect option2Place = TwipsRect(120, 480, 975, 255);
    const QRect belowCaption = inputModeBox->contentsRect();
    const int pairHeight = option2Place.bottom() - option1Place.top() + 1;
    const int down = std::max(
        0, belowCaption.top() + (belowCaption.height() - pairHeight) / 2 - option1Place.top());
    romajiOption = new QRadioButton(u"ローマ字"_s, inputModeBox);
    romajiOption->setObjectName(u"romajiOption"_s);
    romajiOption->setGeometry(option1Place.translated(0, down));
    romajiOption->setFont(JapaneseFont(8.25));
    kanaOption = new QRadioButton(u"かな"_s, inputModeBox);
    kanaOption->setObjectName(u"kanaOption"_s);
    kanaOption->setGeometry(option2Place.translated(0, down));
    kanaOption->setFont(JapaneseFont(8.25));
    connect(romajiOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RomajiOptionClicked();
    });
    connect(kanaOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            KanaOptionClicked();
    });
}

// The order of the questions, where a run starts, and the input mode kept.
void MainWindow::BuildPracticeMenu() {
    auto* orders = new QActionGroup(practiceMenu);
    fileOrderAction = practiceMenu->addAction(tr("ファイル順(&F)"));
    fileOrderAction->setObjectName(u"fileOrderAction"_s);
    randomOrderAction = practiceMenu->addAction(tr("ランダム(&N)"));
    randomOrderAction->setObjectName(u"randomOrderAction"_s);
    for (QAction* order : {fileOrderAction, randomOrderAction}) {
        order->setCheckable(true);
        orders->addAction(order);
    }
    (practice_.Order() == QuestionOrder::Random ? randomOrderAction : fileOrderAction)
        ->setChecked(true);
    connect(orders, &QActionGroup::triggered, this, [this](QAction* order) {
        QString error;
        SaveFailed(
            practice_.SetOrder(
                order == randomOrderAction ? QuestionOrder::Random : QuestionOrder::File, &error),
            error);
    });
    practiceMenu->addSeparator();
    resumeAction = practiceMenu->addAction(tr("つづきから始める(&C)"));
    resumeAction->setObjectName(u"resumeAction"_s);
    resumeAction->setCheckable(true);
    resumeAction->setChecked(practice_.Resume());
    connect(resumeAction, &QAction::toggled, this, [this](const bool on) {
        QString error;
        SaveFailed(practice_.SetResume(on, &error), error);
    });
    keepInputModeAction = practiceMenu->addAction(tr("入力方式を覚える(&I)"));
    keepInputModeAction->setObjectName(u"keepInputModeAction"_s);
    keepInputModeAction->setCheckable(true);
    keepInputModeAction->setChecked(practice_.KeepInputMode());
    connect(keepInputModeAction, &QAction::toggled, this, [this](const bool on) {
        QString error;
        SaveFailed(practice_.SetKeepInputMode(on, &error) &&
                       (!on || practice_.SetLastInputMode(SelectedMode(), &error)),
                   error);
    });
}

// The lists opened lately, newest first; one that has gone is greyed.
void MainWindow::FillRecentMenu() {
    recentMenu->clear();
    const QStringList recent = practice_.RecentLists();
    bool anyGone = false;
    for (qsizetype k = 0; k < recent.size(); ++k) {
        const QString& path = recent[k];
        QAction* item = recentMenu->addAction(
            u"&%1 %2"_s.arg(k + 1).arg(MenuText(ShownPath(QDir::cleanPath(path)))));
        const bool there = QFileInfo(path).isFile();
        item->setEnabled(there);
        anyGone = anyGone || !there;
        connect(item, &QAction::triggered, this, [this, path] { OpenRecentList(path); });
    }
    if (recent.isEmpty())
        recentMenu->addAction(tr("（なし）"))->setEnabled(false);
    if (anyGone) {
        recentMenu->addSeparator();
        QAction* forget = recentMenu->addAction(tr("見つからないファイルを一覧から消す(&C)"));
        connect(forget, &QAction::triggered, this, [this] {
            QString error;
            bool saved = true;
            for (const QString& path : practice_.RecentLists()) {
                if (!QFileInfo(path).isFile())
                    saved = saved && practice_.RemoveRecentList(path, &error);
            }
            SaveFailed(saved, error);
        });
    }
}

void MainWindow::OpenRecentList(const QString& path) {
    // It may have gone since the menu was filled.
    if (!QFileInfo(path).isFile()) {
        QString error;
        SaveFailed(practice_.RemoveRecentList(path, &error), error);
        boxes_.Show(this, tr("問題文ファイルが見つからないため、一覧から消しました：") + u'\n' +
                              ShownPath(path));
        return;
    }
    OpenList(path);
}

void MainWindow::FillShippedListsMenu() {
    shippedListsMenu->clear();
    const QList<ShippedList> lists = FindShippedLists(ShippedListFolders(ProgramDirectory()));
    for (const ShippedList& list : lists) {
        QAction* item = shippedListsMenu->addAction(MenuText(list.title));
        const QString path = list.path;
        connect(item, &QAction::triggered, this, [this, path] { OpenList(path); });
    }
    shippedListsMenu->setEnabled(!lists.isEmpty());
}

void MainWindow::ChooseList() {
    const QString folder =
        listPath_.isEmpty() ? files_.questionDir : QFileInfo(listPath_).absolutePath();
    const QString path =
        QFileDialog::getOpenFileName(this, tr("問題文ファイルを開く"), folder,
                                     tr("テキストファイル (*.txt);;すべてのファイル (*)"));
    if (!path.isEmpty())
        OpenList(path);
    TakeKeyboardFocus();
}

bool MainWindow::OpenList(const QString& path) {
    if (running_)
        EndRun();
    auto list = std::make_unique<QuestionList>();
    QStringList messages;
    FileStamp stamp;
    if (!QFileInfo(path).isFile())
        messages.append(tr("問題文ファイルが見つかりません：") + u'\n' + ShownPath(path));
    else
        stamp = ReadList(path, *list, messages);
    const bool usable = HasAskedQuestion(*list);
    if (!usable) {
        messages.append(
            tr("この問題文ファイルには練習できる問題がないため、"
               "今の問題文ファイルをそのまま使います。"));
    } else {
        UseList(path, std::move(list), stamp);
    }
    if (!messages.isEmpty())
        boxes_.Show(this, messages.join(u"\n\n"_s));
    TakeKeyboardFocus();
    return usable;
}

MainWindow::FileStamp MainWindow::StampOf(const QString& path) {
    const QFileInfo file(path);
    return {file.size(), file.lastModified()};
}

MainWindow::FileStamp MainWindow::ReadList(const QString& path, QuestionList& list,
                                           QStringList& messages) {
    // Taken before reading: a change made meanwhile is read at the next run.
    const FileStamp stamp = StampOf(path);
    LoadQuestionFile(
        path, [this](char16_t c) { return IsTypeable(judgeTables_, codeTable_, c); }, list,
        messages);
    return stamp;
}

void MainWindow::UseList(const QString& path, std::unique_ptr<QuestionList> list,
                         const FileStamp& stamp) {
    questions_ = std::move(*list);
    listPath_ = path;
    listStamp_ = stamp;
    QString error;
    SaveFailed(practice_.SetCurrentList(path, &error), error);
}

void MainWindow::ReadChangedList() {
    if (listPath_.isEmpty() || StampOf(listPath_) == listStamp_)
        return;
    QStringList messages;
    if (QFileInfo(listPath_).isFile()) {
        listStamp_ = ReadList(listPath_, questions_, messages);
    } else {
        // Said once: the questions read before are still there to practise.
        listStamp_ = StampOf(listPath_);
        messages.append(tr("問題文ファイルが見つかりません：") + u'\n' + ShownPath(listPath_) +
                        u"\n\n"_s + tr("読み込んであった問題で練習します。"));
    }
    if (!messages.isEmpty())
        boxes_.Show(this, messages.join(u"\n\n"_s));
}

void MainWindow::SaveFailed(const bool saved, const QString& error) {
    if (!saved)
        boxes_.Show(this, error);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drag's source waits until the drop returns.
    QMetaObject::invokeMethod(
        this, [this, path] { OpenList(path); }, Qt::QueuedConnection);
}

void MainWindow::StartUp(const QString& listToOpen) {
    if (const QString noFont = MissingJapaneseFontMessage(questionLabel->font());
        !noFont.isEmpty()) {
        boxes_.Show(nullptr, noFont);
    }
    codeTable_.Build();
    judgeTables_.Build();
    ApplyRomanIni(judgeTables_, files_.settingsDir);
    // Everything the user should know of the list comes in one message. The
    // command line's list comes first, then the one in use last time; one with
    // no question to ask gives way to the next, and word.txt is the last.
    QStringList messages;
    const QString wordFile = QuestionFilePath(files_.questionDir);
    QStringList candidates{listToOpen, practice_.CurrentList()};
    candidates.removeAll(QString());
    bool opened = false;
    for (const QString& path : std::as_const(candidates)) {
        if (path == wordFile)
            break;
        auto list = std::make_unique<QuestionList>();
        FileStamp stamp;
        if (!QFileInfo(path).isFile())
            messages.append(tr("問題文ファイルが見つかりません：") + u'\n' + ShownPath(path));
        else
            stamp = ReadList(path, *list, messages);
        if (HasAskedQuestion(*list)) {
            UseList(path, std::move(list), stamp);
            opened = true;
            break;
        }
        messages.append(tr("この問題文ファイルには練習できる問題がないため、使いません。"));
    }
    if (!opened) {
        listStamp_ = ReadList(wordFile, questions_, messages);
        listPath_ = wordFile;
        // word.txt stays the list in use only once the user has opened another.
        if (!practice_.CurrentList().isEmpty()) {
            QString error;
            SaveFailed(practice_.SetCurrentList(wordFile, &error), error);
        }
    }
    if (!messages.isEmpty())
        boxes_.Show(nullptr, messages.join(u"\n\n"_s));
    const bool kana = practice_.KeepInputMode() && practice_.LastInputMode() == InputMode::Kana;
    (kana ? kanaOption : romajiOption)->setChecked(true);
    ClearDisplay();
    running_ = false;
}

InputMode MainWindow::SelectedMode() const {
    return romajiOption->isChecked() ? InputMode::Romaji : InputMode::Kana;
}

void MainWindow::ToggleRun() {
    if (!running_) {
        ReadChangedList();
        startButton->setText(u"中断"_s);
        running_ = true;
        // Questions nobody could finish are passed over; with none left to
        // ask the run ends at once.
        runOrder_ = practice_.Order();
        completedInRun_ = -1;
        const int lastCompleted = practice_.Resume() ? practice_.LastCompleted(listPath_) : -1;
        runQuestions_ =
            RunQuestions(std::span<const bool>(questions_.Skipped.data(),
                                               static_cast<std::size_t>(questions_.QuestionCount)),
                         runOrder_, lastCompleted, random_);
        runStep_ = 0;
        questionIndex_ = runQuestions_.empty() ? 0 : runQuestions_.front();
        if (runQuestions_.empty()) {
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

void MainWindow::KeyDown(const int keyCode, const int shift) {
    if (keyCode == kVkEnter) {
        ToggleRun();
        return;
    }
    if (!running_) {
        return;
    }
    // romajiOption is read afresh at every keystroke: the mode may change mid-run.
    const KeyVerdict verdict = JudgeKeyDown(codeTable_, judge_, keyCode, shift, SelectedMode());
    if (verdict == KeyVerdict::NotInTable || verdict == KeyVerdict::Rejected) {
        return;
    }
    if (verdict == KeyVerdict::ReadingComplete) {
        // The last question's final keystroke is never drawn.
        if (runOrder_ == QuestionOrder::File)
            completedInRun_ = questionIndex_;
        if (++runStep_ >= runQuestions_.size()) {
            EndRun();
        } else {
            questionIndex_ = runQuestions_[runStep_];
            ShowQuestion();
        }
        return;
    }
    DrawTypingProgress(judge_);
}

void MainWindow::RomajiOptionClicked() {
    ChangeInputMode(InputMode::Kana, InputMode::Romaji);
}

void MainWindow::KanaOptionClicked() {
    ChangeInputMode(InputMode::Romaji, InputMode::Kana);
}

// During a run a half-typed kana starts over in the new mode, and its guide
// shows at once; while idle the display is clear and stays so.
void MainWindow::ChangeInputMode(const InputMode from, const InputMode to) {
    if (keepInputModeAction->isChecked() && practice_.LastInputMode() != to) {
        QString error;
        SaveFailed(practice_.SetLastInputMode(to, &error), error);
    }
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
    startButton->setText(u"スタート"_s);
    // Where the next run picks up, should the learner want it to.
    if (completedInRun_ >= 0) {
        QString error;
        SaveFailed(
            practice_.SetLastCompleted(listPath_, std::exchange(completedInRun_, -1), &error),
            error);
    }
    // Heap-allocated so that it goes with its owner should the owner go first.
    QPointer<EndMessage> dialog = new EndMessage(this, &enterRepeats_);
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

void MainWindow::OpenQuestionFolder() {
    // The folder is there to put a word.txt in, even before there is one.
    QDir().mkpath(files_.questionDir);
    const auto cannotOpen = [this] {
        boxes_.ShowFolder(this,
                          u"ファイルマネージャーでフォルダーを開けませんでした。"
                          u"問題文ファイルは次のフォルダーにあります："_s,
                          ShownPath(files_.questionDir));
    };
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    if (!QDesktopServices::openUrl(FolderUrl(files_.questionDir)))
        cannotOpen();
#else
    // Qt starts xdg-open and never learns whether a file manager took the
    // folder; its exit status says so. The opener is left unowned so that
    // closing Kanoby does not end a file manager that it started.
    auto* opener = new QProcess;
    connect(opener, &QProcess::finished, this,
            [opener, cannotOpen](const int exitCode, const QProcess::ExitStatus status) {
                opener->deleteLater();
                if (status != QProcess::NormalExit || exitCode != 0)
                    cannotOpen();
            });
    connect(opener, &QProcess::errorOccurred, this,
            [opener, cannotOpen](const QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart)
                    return;
                opener->deleteLater();
                cannotOpen();
            });
    opener->start(u"xdg-open"_s, {QString::fromLatin1(FolderUrl(files_.questionDir).toEncoded())});
#endif
}

void MainWindow::Quit() {
    close();
}

void MainWindow::OpenRomajiSettings() {
    // Modal over this window in either run state; the run and the guide on
    // screen stay as they are, and a saved choice shows from the next rebuild.
    RomajiSettingsDialog dialog(judgeTables_, files_.settingsDir, boxes_, this);
    dialog.exec();
    TakeKeyboardFocus();
}

void MainWindow::ClearDisplay() {
    progressPicture->Clear();
    SetPlainText(questionLabel, QString());
    questionLabel->setToolTip(QString());
}

void MainWindow::ShowQuestion() {
    // questionLabel runs on under inputModeBox: a display text too long for what shows of
    // it ends with "…" where inputModeBox begins, and the whole text is its tooltip.
    const QString& display = questions_.Questions[static_cast<std::size_t>(questionIndex_)];
    const int shownWidth = inputModeBox->x() - questionLabel->x();
    const QString shown =
        ElidedText(display.left(shownWidth), questionLabel->font(), Qt::ElideRight,
                   static_cast<long long>(shownWidth) * kTwipsPerPixel);
    SetPlainText(questionLabel, shown);
    questionLabel->setToolTip(shown == display ? QString() : PlainToolTip(display));
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
    progressPicture->Clear();
    const QString current = VisibleSpaces(currentKana);
    const QString remaining = VisibleSpaces(remainingKana);
    const QString next = VisibleSpaces(nextKey);
    const QString rest = VisibleSpaces(restOfGuide);
    const long long innerWidth = progressPicture->InnerWidth();
    // A row too wide for the picture scrolls so that its red part stays this
    // far in: what was just typed and what comes next both stay in view.
    const long long scrolledMiddleLeft = innerWidth / 3;
    // No character is narrower than a pixel (zero-width marks aside), so no
    // more of a part than the picture is wide can show: the rest is never
    // measured, and a key costs as much at the end of a long reading as in a
    // short one.
    const qsizetype visibleCharacters = progressPicture->contentsRect().width();
    const auto drawRow = [&](const QString& wholeFirst, const QString& middle,
                             const QString& wholeLast, const int top) {
        const QString first = wholeFirst.right(visibleCharacters);
        const QString last = wholeLast.left(visibleCharacters);
        const bool cut = first.size() < wholeFirst.size() || last.size() < wholeLast.size();
        const long long firstWidth = first.isEmpty() ? 0 : progressPicture->TextWidth(first);
        long long middleLeft = kLeftMargin + firstWidth;
        const long long middleWidth = middle.isEmpty() ? 0 : progressPicture->TextWidth(middle);
        const bool fits =
            !cut && middleLeft + middleWidth <= innerWidth &&
            (last.isEmpty() ||
             middleLeft + middleWidth + progressPicture->TextWidth(last) <= innerWidth);
        QString shownFirst = first;
        long long firstLeft = kLeftMargin;
        QString shownLast = last;
        if (!fits) {
            // What runs past either edge is cut, and "…" marks the cut.
            if (middleLeft > scrolledMiddleLeft) {
                middleLeft = scrolledMiddleLeft;
                shownFirst = progressPicture->ElidedText(first, Qt::ElideLeft,
                                                         scrolledMiddleLeft - kLeftMargin);
                firstLeft = scrolledMiddleLeft -
                            (shownFirst.isEmpty() ? 0 : progressPicture->TextWidth(shownFirst));
            }
            if (!last.isEmpty()) {
                shownLast = progressPicture->ElidedText(last, Qt::ElideRight,
                                                        innerWidth - middleLeft - middleWidth);
            }
        }
        if (!shownFirst.isEmpty()) {
            progressPicture->DrawText(shownFirst, kDoneColour, firstLeft, top);
        }
        if (!middle.isEmpty()) {
            progressPicture->DrawText(middle, kCurrentColour, middleLeft, top);
        }
        if (!shownLast.isEmpty()) {
            progressPicture->DrawText(shownLast, kRemainingColour, middleLeft + middleWidth, top);
        }
    };
    drawRow(doneKana, current, remaining, kReadingRowTop);
    drawRow(typedKeys, next, rest, kKeyRowTop);
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
    const KeyStroke key = SelectedMode() == InputMode::Romaji
                              ? JisKeyByLayout(*keyEvent, codeTable_)
                              : JisKeyFromEvent(*keyEvent);
    if (key.keyCode == kVkEnter) {
        // One press toggles once, however long Enter is held.
        if (!keyEvent->isAutoRepeat()) {
            KeyDown(key.keyCode, key.shift);
        }
        return true;
    }
    // A key typed for a reading goes to the judge only: the space bar must
    // not also click a focused button, nor a letter move a focused option.
    const bool consumed = running_ && codeTable_.FindRow(key.keyCode, key.shift) >= 0;
    KeyDown(key.keyCode, key.shift);
    return consumed;
}

}  // namespace kanoby
