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
#include <QShortcut>
#include <QWindow>
#include <algorithm>
#include <span>
#include <string>
#include <tuple>
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
constexpr int kMinZoom = 100;
constexpr int kMaxZoom = 300;
constexpr int kZoomStep = 25;
// The client area at 100%, the size it always had.
constexpr int kClientWidth = 7275;
constexpr int kClientHeight = 3090;
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
                               Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      files_(std::move(files)),
      boxes_(boxes) {
    sinceStart_.start();
    clock_ = [this] { return sinceStart_.elapsed(); };
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
    client->setMinimumSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    setCentralWidget(client);
    client->installEventFilter(this);

    BuildControls(client);
    BuildInputModeBox(client);
    BuildRecordMenus();

    Retranslate();

    setTabOrder(startButton, romajiOption);
    setTabOrder(romajiOption, kanaOption);
    setTabOrder(kanaOption, progressPicture);
    startButton->setFocus(Qt::OtherFocusReason);

    // It opens at the size of its menu bar and client area, and may grow.
    zoomPercent_ =
        std::clamp(programSettings_.Value(u"view/zoom"_s, 100).toInt(), kMinZoom, kMaxZoom);
    SetZoom(zoomPercent_);
    resize(minimumSizeHint());

    setAcceptDrops(true);
    // Keys are read as JIS keys, never through an input method.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    const auto children = findChildren<QWidget*>();
    for (QWidget* child : children) {
        child->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
}

void MainWindow::BuildMenus() {
    fileMenu = menuBar()->addMenu(QString());
    fileMenu->setObjectName(u"fileMenu"_s);
    openListAction = fileMenu->addAction(QString());
    openListAction->setObjectName(u"openListAction"_s);
    connect(openListAction, &QAction::triggered, this, &MainWindow::ChooseList);
    recentMenu = fileMenu->addMenu(QString());
    recentMenu->setObjectName(u"recentMenu"_s);
    // Whether each list is still there is seen when the menu opens.
    connect(recentMenu, &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
    shippedListsMenu = fileMenu->addMenu(QString());
    shippedListsMenu->setObjectName(u"shippedListsMenu"_s);
    FillShippedListsMenu();
    // Where word.txt is, for a user who wants to edit it.
    openFolderAction = fileMenu->addAction(QString());
    openFolderAction->setObjectName(u"openFolderAction"_s);
    connect(openFolderAction, &QAction::triggered, this, &MainWindow::OpenQuestionFolder);
    fileMenu->addSeparator();
    quitAction = fileMenu->addAction(QString());
    quitAction->setObjectName(u"quitAction"_s);
    connect(quitAction, &QAction::triggered, this, &MainWindow::Quit);
    // The practice's choices, the record of the runs, and what the window shows.
    practiceMenu = menuBar()->addMenu(QString());
    practiceMenu->setObjectName(u"practiceMenu"_s);
    BuildPracticeMenu();
    recordMenu = menuBar()->addMenu(QString());
    recordMenu->setObjectName(u"recordMenu"_s);
    viewMenu = menuBar()->addMenu(QString());
    viewMenu->setObjectName(u"viewMenu"_s);
    languageMenu = viewMenu->addMenu(QString());
    languageMenu->setObjectName(u"languageMenu"_s);
    auto* languages = new QActionGroup(languageMenu);
    const LanguageChoice stored =
        LanguageChoiceFromKey(programSettings_.Value(u"view/language"_s).toString());
    for (auto [action, choice, name] :
         {std::tuple{&automaticLanguageAction, LanguageChoice::Automatic,
                     u"automaticLanguageAction"_s},
          std::tuple{&japaneseLanguageAction, LanguageChoice::Japanese,
                     u"japaneseLanguageAction"_s},
          std::tuple{&englishLanguageAction, LanguageChoice::English,
                     u"englishLanguageAction"_s}}) {
        *action = languageMenu->addAction(QString());
        (*action)->setObjectName(name);
        (*action)->setCheckable(true);
        (*action)->setChecked(choice == stored);
        languages->addAction(*action);
        connect(*action, &QAction::triggered, this,
                [this, choice = choice] { ChooseLanguage(choice); });
    }
    viewMenu->addSeparator();
    zoomInAction = viewMenu->addAction(QString());
    zoomInAction->setObjectName(u"zoomInAction"_s);
    // Ctrl++ is Ctrl+Shift+; on a Japanese keyboard and Ctrl+= on a US one.
    zoomInAction->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal),
                                QKeySequence(Qt::CTRL | Qt::Key_Semicolon)});
    connect(zoomInAction, &QAction::triggered, this, [this] { SetZoom(zoomPercent_ + kZoomStep); });
    zoomOutAction = viewMenu->addAction(QString());
    zoomOutAction->setObjectName(u"zoomOutAction"_s);
    zoomOutAction->setShortcuts({QKeySequence::ZoomOut, QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    connect(zoomOutAction, &QAction::triggered, this,
            [this] { SetZoom(zoomPercent_ - kZoomStep); });
    zoomResetAction = viewMenu->addAction(QString());
    zoomResetAction->setObjectName(u"zoomResetAction"_s);
    zoomResetAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(zoomResetAction, &QAction::triggered, this, [this] { SetZoom(100); });
    settingsMenu = menuBar()->addMenu(QString());
    settingsMenu->setObjectName(u"settingsMenu"_s);
    romajiSettingsAction = settingsMenu->addAction(QString());
    romajiSettingsAction->setObjectName(u"romajiSettingsAction"_s);
    connect(romajiSettingsAction, &QAction::triggered, this, &MainWindow::OpenRomajiSettings);
    helpMenu = menuBar()->addMenu(QString());
    helpMenu->setObjectName(u"helpMenu"_s);
    usageAction = helpMenu->addAction(QString());
    usageAction->setObjectName(u"usageAction"_s);
    usageAction->setShortcut(QKeySequence::HelpContents);
    connect(usageAction, &QAction::triggered, this, &MainWindow::ShowUsage);
    aboutAction = helpMenu->addAction(QString());
    aboutAction->setObjectName(u"aboutAction"_s);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::ShowAbout);
}

void MainWindow::Retranslate() {
    fileMenu->setTitle(tr("ファイル(&F)"));
    openListAction->setText(tr("問題文ファイルを開く(&O)…"));
    recentMenu->setTitle(tr("最近使ったファイル(&R)"));
    shippedListsMenu->setTitle(tr("問題集(&L)"));
    openFolderAction->setText(tr("問題文ファイルのフォルダーを開く(&D)"));
    quitAction->setText(tr("終了(&X)"));
    practiceMenu->setTitle(tr("練習(&P)"));
    fileOrderAction->setText(tr("ファイル順(&F)"));
    randomOrderAction->setText(tr("ランダム(&N)"));
    resumeAction->setText(tr("つづきから始める(&C)"));
    keepInputModeAction->setText(tr("入力方式を覚える(&I)"));
    practiseMissedAction->setText(tr("ミスした問題を練習(&M)"));
    recordMenu->setTitle(tr("記録(&R)"));
    showRecordAction->setText(tr("成績を見る(&S)…"));
    exportHistoryAction->setText(tr("書き出す(&E)…"));
    clearHistoryAction->setText(tr("記録を消す…"));
    showMissedKeyAction->setText(tr("ミスしたキーを表示(&K)"));
    showProgressAction->setText(tr("進み具合を表示(&P)"));
    viewMenu->setTitle(tr("表示(&V)"));
    languageMenu->setTitle(tr("言語 / Language(&L)"));
    automaticLanguageAction->setText(tr("自動 / Automatic(&A)"));
    // Each language by its own name, whichever is shown.
    japaneseLanguageAction->setText(u"日本語(&J)"_s);
    englishLanguageAction->setText(u"English(&E)"_s);
    zoomInAction->setText(tr("拡大(&I)"));
    zoomOutAction->setText(tr("縮小(&O)"));
    zoomResetAction->setText(tr("標準の大きさ(&N)"));
    settingsMenu->setTitle(tr("設定(&S)"));
    romajiSettingsAction->setText(tr("ﾛｰﾏ字表示(&R)"));
    helpMenu->setTitle(tr("ヘルプ(&H)"));
    usageAction->setText(tr("使い方(&U)"));
    aboutAction->setText(tr("Kanoby について(&A)"));

    enterHint->setText(tr("Enter：スタート／中断"));
    startButton->setText(running_ ? tr("中断") : tr("スタート"));
    inputModeBox->setTitle(tr("入力方式"));
    romajiOption->setText(tr("ローマ字"));
    kanaOption->setText(tr("かな"));
    const QString modeKeys = tr("Alt+M：ローマ字、Alt+K：かな、ひらがな/カタカナ キー：切り替え");
    romajiOption->setToolTip(modeKeys);
    kanaOption->setToolTip(modeKeys);
    romajiOption->setAccessibleDescription(modeKeys);
    kanaOption->setAccessibleDescription(modeKeys);
    questionLabel->setAccessibleDescription(tr("問題文"));
    enterHint->setAccessibleName(enterHint->text());
    menuLine->setAccessibleName(tr("区切り線"));
    DescribeProgress();
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QMainWindow::changeEvent(event);
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

    enterHint = new QLabel(client);
    enterHint->setObjectName(u"enterHint"_s);
    enterHint->setGeometry(TwipsRect(240, 2520, 3975, 255));
    enterHint->setFont(JapaneseFont(9, true));
    enterHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    KeepTextColour(enterHint, QColor(0x00, 0x00, 0xC0));

    startButton = new QPushButton(client);
    startButton->setObjectName(u"startButton"_s);
    startButton->setGeometry(TwipsRect(6120, 2520, 855, 375));
    connect(startButton, &QPushButton::clicked, this, &MainWindow::ToggleRun);
}

// The two input-mode options in their box.
void MainWindow::BuildInputModeBox(QWidget* client) {
    inputModeBox = new QGroupBox(tr("入力方式"), client);
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
    romajiOption = new QRadioButton(inputModeBox);
    romajiOption->setObjectName(u"romajiOption"_s);
    romajiOption->setGeometry(option1Place.translated(0, down));
    romajiOption->setFont(JapaneseFont(8.25));
    kanaOption = new QRadioButton(inputModeBox);
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
    // The options' captions stay as they are: their keys are these, from anywhere.
    for (auto [key, option] : {std::pair{Qt::ALT | Qt::Key_M, romajiOption},
                               std::pair{Qt::ALT | Qt::Key_K, kanaOption}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, option,
                [option = option] { option->setChecked(true); });
    }
}

// The order of the questions, where a run starts, and the input mode kept.
void MainWindow::BuildPracticeMenu() {
    auto* orders = new QActionGroup(practiceMenu);
    fileOrderAction = practiceMenu->addAction(QString());
    fileOrderAction->setObjectName(u"fileOrderAction"_s);
    randomOrderAction = practiceMenu->addAction(QString());
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
    resumeAction = practiceMenu->addAction(QString());
    resumeAction->setObjectName(u"resumeAction"_s);
    resumeAction->setCheckable(true);
    resumeAction->setChecked(practice_.Resume());
    connect(resumeAction, &QAction::toggled, this, [this](const bool on) {
        QString error;
        SaveFailed(practice_.SetResume(on, &error), error);
    });
    keepInputModeAction = practiceMenu->addAction(QString());
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
    // ミスした問題を練習 follows the list in use.
    RefreshMissedQuestions();
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
        RefreshMissedQuestions();  // UseList does it for the list it takes
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
        StartRun(RunKind::AllQuestions);
    } else {
        EndRun();
    }
    TakeKeyboardFocus();
}

void MainWindow::StartRun(const RunKind kind) {
    ReadChangedList();
    runKind_ = kind;
    recorder_.Begin(QDateTime::currentDateTime(), CurrentListPath(), kind);
    startButton->setText(tr("中断"));
    running_ = true;
    // Questions nobody could finish are passed over; with none left to ask
    // the run ends at once. A run of the missed questions asks just those,
    // in file order, and leaves where the list picks up as it was.
    runOrder_ = kind == RunKind::AllQuestions ? practice_.Order() : QuestionOrder::File;
    completedInRun_ = -1;
    const std::span<const bool> skipped(questions_.Skipped.data(),
                                        static_cast<std::size_t>(questions_.QuestionCount));
    if (kind == RunKind::AllQuestions) {
        const int lastCompleted = practice_.Resume() ? practice_.LastCompleted(listPath_) : -1;
        runQuestions_ = RunQuestions(skipped, runOrder_, lastCompleted, random_);
    } else {
        runQuestions_.clear();
        for (const int k : missedQuestions_) {
            if (k < questions_.QuestionCount && !skipped[static_cast<std::size_t>(k)])
                runQuestions_.push_back(k);
        }
    }
    runStep_ = 0;
    questionIndex_ = runQuestions_.empty() ? 0 : runQuestions_.front();
    if (runQuestions_.empty()) {
        EndRun();
    } else {
        ShowQuestion();
    }
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
    if (verdict == KeyVerdict::NotInTable) {
        return;
    }
    if (verdict == KeyVerdict::Rejected) {
        const InputMode mode = SelectedMode();
        recorder_.Rejected(
            clock_(), static_cast<int>(judge_.ReadPos),
            FromEngineText(mode == InputMode::Romaji ? judge_.KeyChar : judge_.KeyKana),
            FromEngineText(CharAt(judge_.GuideText, 1)));
        ShowMissedKey();
        progressPicture->AnnounceRejectedKey();
        return;
    }
    recorder_.Accepted(clock_(), verdict == KeyVerdict::ReadingComplete);
    missedKeyLine->hide();
    if (verdict == KeyVerdict::ReadingComplete) {
        // The last question's final keystroke is never drawn.
        if (runOrder_ == QuestionOrder::File && runKind_ == RunKind::AllQuestions)
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

void MainWindow::ToggleInputMode() {
    (SelectedMode() == InputMode::Romaji ? kanaOption : romajiOption)->setChecked(true);
}

void MainWindow::ChooseLanguage(const LanguageChoice choice) {
    QString error;
    if (!programSettings_.SetValue(u"view/language"_s, LanguageChoiceKey(choice), &error))
        boxes_.Show(this, error);
    InstallTranslators(ChosenLanguage(choice, QLocale::system().uiLanguages()));
}

void MainWindow::SetZoom(const int percent) {
    const int zoom = std::clamp(percent, kMinZoom, kMaxZoom);
    if (zoom != zoomPercent_) {
        zoomPercent_ = zoom;
        QString error;
        if (!programSettings_.SetValue(u"view/zoom"_s, zoom, &error))
            boxes_.Show(this, error);
    }
    questionLabel->setFont(JapaneseFont(12.0 * zoom / 100));
    progressPicture->setFont(JapaneseFont(12.0 * zoom / 100));
    zoomInAction->setEnabled(zoom < kMaxZoom);
    zoomOutAction->setEnabled(zoom > kMinZoom);
    LayOutControls();
}

void MainWindow::LayOutControls() {
    QWidget* client = centralWidget();
    const auto grown = [this](const int pixels) { return pixels * zoomPercent_ / 100 - pixels; };
    const QRect question = TwipsRect(120, 100, 6375, 375);
    const QRect picture = TwipsRect(240, 1080, 6615, 1215);
    const int questionGrowth = grown(question.height());
    const int pictureGrowth = grown(picture.height());
    client->setMinimumSize(TwipsToPixels(kClientWidth),
                           TwipsToPixels(kClientHeight) + questionGrowth + pictureGrowth);
    const int dx = std::max(0, client->width() - client->minimumWidth());
    const int dy = std::max(0, client->height() - client->minimumHeight());
    const int down = questionGrowth + pictureGrowth + dy;
    menuLine->setGeometry(0, 0, TwipsToPixels(7080) + dx, 1);
    questionLabel->setGeometry(question.adjusted(0, 0, dx, questionGrowth));
    inputModeBox->move(TwipsRect(5640, 120, 1215, 855).topLeft() + QPoint(dx, 0));
    progressPicture->setGeometry(
        picture.translated(0, questionGrowth).adjusted(0, 0, dx, pictureGrowth + dy));
    enterHint->move(TwipsRect(240, 2520, 3975, 255).topLeft() + QPoint(0, down));
    startButton->move(TwipsRect(6120, 2520, 855, 375).topLeft() + QPoint(dx, down));
    if (running_) {
        ShowQuestionText();
        DrawTypingProgress(judge_);
    }
}

void MainWindow::ShowUsage() {
    boxes_.Show(this,
                tr("問題文が表示されたら、その読みを入力します。\n\n"
                   "・Enter（またはスタート）で始め、もう一度 Enter で中断します。\n"
                   "・入力方式はローマ字（Alt+M）またはかな（Alt+K）。ひらがな/カタカナ "
                   "キーで切り替えます。\n"
                   "・下の枠の上の行は読み、下の行は次に打つキーです。青は入力済み、"
                   "赤は次に打つところです。違うキーは何も変えません。\n"
                   "・よく使われるローマ字の綴りはどれでも入力できます。ガイドの綴りは 設定 → "
                   "ﾛｰﾏ字表示 で選べます（ヘボン式も一度に選べます）。\n"
                   "・問題文ファイル word.txt は問題文と読みを1行ずつ交互に書いたテキストです。"
                   "ファイル メニューからそのフォルダーを開けます。\n"
                   "・表示 → 言語 で表示の言語を選べます。"));
    TakeKeyboardFocus();
}

void MainWindow::ShowAbout() {
    boxes_.Show(this, tr("Kanoby %1\n日本語のタイピング練習\n\n"
                         "ライセンス：MIT\nアプリケーション ID：io.github.kanoby.kanoby\n\n"
                         "問題文ファイルのフォルダー：\n%2\n設定のフォルダー：\n%3")
                          .arg(QCoreApplication::applicationVersion(),
                               ShownPath(files_.questionDir), ShownPath(files_.settingsDir)));
    TakeKeyboardFocus();
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
    if (running_)
        ShowQuestionText();
    DescribeProgress();
}

void MainWindow::DescribeProgress() {
    if (!running_) {
        progressPicture->Describe({});
        return;
    }
    const std::u16string& reading = judge_.Reading;
    const std::size_t pos = judge_.ReadPos;
    progressPicture->Describe({questions_.Questions[static_cast<std::size_t>(questionIndex_)],
                               FromEngineText(reading), Before(reading, pos),
                               FromEngineText(CharAt(reading, pos)),
                               FromEngineText(judge_.GuideText)});
}

void MainWindow::EndRun() {
    running_ = false;
    StoreRun();
    runKind_ = RunKind::AllQuestions;
    ClearDisplay();
    startButton->setText(tr("スタート"));
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
                          tr("ファイルマネージャーでフォルダーを開けませんでした。"
                             "問題文ファイルは次のフォルダーにあります："),
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
    missedKeyLine->hide();
    progressCount->hide();
    SetPlainText(questionLabel, QString());
    questionLabel->setToolTip(QString());
    progressPicture->Describe({});
}

void MainWindow::ShowQuestion() {
    ShowQuestionText();
    judge_.StartQuestion(
        ToEngineText(questions_.Readings[static_cast<std::size_t>(questionIndex_)]),
        SelectedMode());
    recorder_.Question(questionIndex_,
                       questions_.Readings[static_cast<std::size_t>(questionIndex_)]);
    missedKeyLine->hide();
    ShowProgressCount();
    const std::u16string& reading = judge_.Reading;
    DrawProgress(QString(), FromEngineText(CharAt(reading, 1)), After(reading, 1), QString(),
                 FromEngineText(CharAt(judge_.GuideText, 1)), After(judge_.GuideText, 1));
    DescribeProgress();
}

void MainWindow::ShowQuestionText() {
    // questionLabel runs on under inputModeBox: a display text too long for what shows of
    // it ends with "…" where inputModeBox begins, and the whole text is its tooltip.
    const QString& display = questions_.Questions[static_cast<std::size_t>(questionIndex_)];
    const int shownWidth = inputModeBox->x() - questionLabel->x();
    const long long room = static_cast<long long>(shownWidth) * kTwipsPerPixel;
    QString shown =
        ElidedText(display.left(shownWidth), questionLabel->font(), Qt::ElideRight, room);
    // A question too long for its line moves along with the reading, so that
    // its end shows by the time the reading's end comes.
    const std::size_t readingSize = judge_.Reading.size();
    if (shown != display && running_ && readingSize > 1 && judge_.ReadPos > 1) {
        const qsizetype fits = std::max<qsizetype>(1, shown.size() - 1);
        const qsizetype from = static_cast<qsizetype>(static_cast<double>(judge_.ReadPos - 1) /
                                                      static_cast<double>(readingSize - 1) *
                                                      static_cast<double>(display.size() - fits));
        const QString rest = display.mid(from, shownWidth);
        shown =
            from + fits >= display.size()
                ? ElidedText(display.right(shownWidth), questionLabel->font(), Qt::ElideLeft, room)
                : ElidedText(u"…"_s + rest, questionLabel->font(), Qt::ElideRight, room);
    }
    SetPlainText(questionLabel, shown);
    questionLabel->setToolTip(shown == display ? QString() : PlainToolTip(display));
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
    // Margins and rows grow with the zoom, as the text does.
    const auto zoomed = [this](const long long twips) { return twips * zoomPercent_ / 100; };
    const long long leftMargin = zoomed(kLeftMargin);
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
        long long middleLeft = leftMargin + firstWidth;
        const long long middleWidth = middle.isEmpty() ? 0 : progressPicture->TextWidth(middle);
        const bool fits =
            !cut && middleLeft + middleWidth <= innerWidth &&
            (last.isEmpty() ||
             middleLeft + middleWidth + progressPicture->TextWidth(last) <= innerWidth);
        QString shownFirst = first;
        long long firstLeft = leftMargin;
        QString shownLast = last;
        if (!fits) {
            // What runs past either edge is cut, and "…" marks the cut.
            if (middleLeft > scrolledMiddleLeft) {
                middleLeft = scrolledMiddleLeft;
                shownFirst = progressPicture->ElidedText(first, Qt::ElideLeft,
                                                         scrolledMiddleLeft - leftMargin);
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
    drawRow(doneKana, current, remaining, zoomed(kReadingRowTop));
    drawRow(typedKeys, next, rest, zoomed(kKeyRowTop));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        LayOutControls();
        return false;
    }
    if (watched != windowHandle() || event->type() != QEvent::KeyPress) {
        return QMainWindow::eventFilter(watched, event);
    }
    // While a dialog is modal the window takes no input.
    if (QApplication::activeModalWidget() != nullptr) {
        return false;
    }
    const auto* keyEvent = static_cast<const QKeyEvent*>(event);
    if (keyEvent->key() == Qt::Key_Hiragana_Katakana || keyEvent->key() == Qt::Key_Hiragana ||
        keyEvent->key() == Qt::Key_Katakana) {
        if (!keyEvent->isAutoRepeat())
            ToggleInputMode();
        return true;
    }
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
