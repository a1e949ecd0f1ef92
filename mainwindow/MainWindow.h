// MainWindow: the window of the drill and the run controller behind it.
//
// Start-up (StartUp) builds the key table and the kana–romaji table,
// applies Roman.ini, reads the list in use (the command line's, else the one
// kanoby.ini remembers, else word.txt), selects the input mode and clears the
// display. Enter or startButton starts and stops a run; while it runs, every
// key-down is translated (the key table), judged (Judge) and drawn (progressPicture).
#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "engine/Judge.h"
#include "engine/KanaRomajiTable.h"
#include "engine/KeyTable.h"
#include "files/FileLocations.h"
#include "files/PracticeOrder.h"
#include "files/ProgramSettings.h"
#include "files/QuestionFile.h"
#include "platform/EnterRepeat.h"
#include "record/RunRecorder.h"
#include "translations/Language.h"

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace kanoby {

class MessageBoxes;
class ProgressPicture;

class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    // Runs StartUp: `files` says where word.txt and Roman.ini are, and
    // messages for the user go through `boxes`. A `listToOpen` (the command
    // line's) is opened instead of the list in use.
    MainWindow(FileLocations files, MessageBoxes& boxes, const QString& listToOpen = {});
    ~MainWindow() override;

    // Controls, under their designer names.
    QLabel* questionLabel = nullptr;
    QGroupBox* inputModeBox = nullptr;
    QRadioButton* romajiOption = nullptr;
    QRadioButton* kanaOption = nullptr;
    ProgressPicture* progressPicture = nullptr;
    QPushButton* startButton = nullptr;
    QLabel* enterHint = nullptr;
    QWidget* menuLine = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* openListAction = nullptr;
    QMenu* recentMenu = nullptr;
    QMenu* shippedListsMenu = nullptr;
    QAction* openFolderAction = nullptr;
    QAction* quitAction = nullptr;
    QMenu* practiceMenu = nullptr;
    QAction* fileOrderAction = nullptr;
    QAction* randomOrderAction = nullptr;
    QAction* resumeAction = nullptr;
    QAction* keepInputModeAction = nullptr;
    QMenu* recordMenu = nullptr;
    QMenu* viewMenu = nullptr;
    QMenu* languageMenu = nullptr;
    QAction* automaticLanguageAction = nullptr;
    QAction* japaneseLanguageAction = nullptr;
    QAction* englishLanguageAction = nullptr;
    QAction* zoomInAction = nullptr;
    QAction* zoomOutAction = nullptr;
    QAction* zoomResetAction = nullptr;
    QMenu* settingsMenu = nullptr;
    QAction* romajiSettingsAction = nullptr;
    QAction* practiseMissedAction = nullptr;
    QAction* showRecordAction = nullptr;
    QAction* exportHistoryAction = nullptr;
    QAction* clearHistoryAction = nullptr;
    QAction* showMissedKeyAction = nullptr;
    QAction* showProgressAction = nullptr;
    // The opt-in lines: a rejected key under the picture, "5 / 33" by the question.
    QLabel* missedKeyLine = nullptr;
    QLabel* progressCount = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* usageAction = nullptr;
    QAction* aboutAction = nullptr;

    // Event procedures.
    void ToggleRun();
    void KeyDown(int keyCode, int shift);
    void OpenQuestionFolder();
    void ChooseList();
    // Makes the list at `path` the one in use; a list with no question to ask
    // leaves the one in use in place, and the user is told why.
    bool OpenList(const QString& path);
    void Quit();
    void OpenRomajiSettings();
    void RomajiOptionClicked();
    void KanaOptionClicked();
    // 練習 → ミスした問題を練習: a run of the questions missed in the list's last run.
    void PractiseMissedQuestions();
    void OpenRecordWindow();
    void ExportHistoryFromMenu();
    void ClearHistoryFromMenu();

    // The history file, in word.txt's folder.
    QString HistoryPath() const;
    // The monotonic clock, in milliseconds, that times the runs.
    void SetClock(std::function<qint64()> clock) { clock_ = std::move(clock); }
    // The ひらがな/カタカナ key: the other input mode.
    void ToggleInputMode();
    // 表示 → 言語: remembered in kanoby.ini and shown at once.
    void ChooseLanguage(LanguageChoice choice);
    // Ctrl++, Ctrl+- and Ctrl+0: the question and the picture larger or
    // smaller, in steps of 25% from 100% to 300%; remembered.
    void SetZoom(int percent);
    int Zoom() const { return zoomPercent_; }
    void ShowUsage();
    void ShowAbout();

    // The progress display.
    void ClearDisplay();
    void ShowQuestion();
    void DrawProgress(const QString& doneKana, const QString& currentKana,
                      const QString& remainingKana, const QString& typedKeys,
                      const QString& nextKey, const QString& restOfGuide);
    // DrawProgress with the parts of `judge`'s reading and guide, as after
    // an accepted key.
    void DrawTypingProgress(const Judge& judge);

    // What the settings dialog works on.
    KanaRomajiTable& JudgeTables() { return judgeTables_; }

    // The run, for reading.
    bool Running() const { return running_; }
    int QuestionIndex() const { return questionIndex_; }
    // The path of the list in use.
    QString CurrentListPath() const { return listPath_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;  // closing
    void changeEvent(QEvent* event) override;      // a new interface language
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildLayout();
    void BuildMenus();
    void BuildControls(QWidget* client);
    void BuildInputModeBox(QWidget* client);
    // Places the controls for the client area's size and the zoom: what the
    // window gains goes to the question and the picture.
    void LayOutControls();
    // questionLabel shows as much of the question as its width allows.
    void ShowQuestionText();
    // Every text of the interface, in the installed language.
    void Retranslate();
    // The picture's spoken form of the current state of the run.
    void DescribeProgress();
    void BuildPracticeMenu();
    void FillRecentMenu();
    void FillShippedListsMenu();
    void OpenRecentList(const QString& path);
    void StartUp(const QString& listToOpen);
    // A list file's size and time, to see whether it has changed since it was read.
    struct FileStamp {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp StampOf(const QString& path);
    // Reads the list at `path` into `list`, and what is wrong in it into `messages`.
    FileStamp ReadList(const QString& path, QuestionList& list, QStringList& messages);
    // Makes `list`, read from `path`, the one in use, and kanoby.ini remember it.
    void UseList(const QString& path, std::unique_ptr<QuestionList> list, const FileStamp& stamp);
    // Reads the list in use again when its file has changed since.
    void ReadChangedList();
    // Shows `error` when a choice could not be saved.
    void SaveFailed(bool saved, const QString& error);
    void EndRun();
    // Enter must start the next run without a click, after any dialog.
    void TakeKeyboardFocus();
    InputMode SelectedMode() const;
    void StartRun(RunKind kind);
    // Stores the run that ended, telling the user once if it cannot.
    void StoreRun();
    void RefreshMissedQuestions();
    // The questions of the current list still there among `questions`.
    void SetMissedQuestions(const std::set<int>& questions);
    void ShowMissedKey();
    void ShowProgressCount();
    void BuildRecordMenus();
    void ChangeInputMode(InputMode from, InputMode to);

    const FileLocations files_;
    MessageBoxes& boxes_;
    // kanoby.ini beside Roman.ini: what the menus remember.
    ProgramSettings programSettings_{files_.settingsDir};
    PracticeChoices practice_{programSettings_};

    KeyTable codeTable_;
    KanaRomajiTable judgeTables_;
    Judge judge_{judgeTables_};

    EnterRepeatFilter enterRepeats_;
    QuestionList questions_;
    // The list in use, and its size and time when it was read.
    QString listPath_;
    FileStamp listStamp_;
    // The questions of this run, and where in them it is.
    std::vector<int> runQuestions_;
    std::size_t runStep_ = 0;
    QuestionOrder runOrder_ = QuestionOrder::File;
    int completedInRun_ = -1;  // the last question completed in file order
    std::mt19937 random_{std::random_device{}()};
    int questionIndex_ = 0;
    int zoomPercent_ = 100;
    bool running_ = false;

    // The record of the runs.
    QElapsedTimer sinceStart_;
    std::function<qint64()> clock_;
    RunRecorder recorder_;
    RunKind runKind_ = RunKind::AllQuestions;
    std::set<int> missedQuestions_;  // of the list's last stored run
    bool storeFailureShown_ = false;
};

}  // namespace kanoby
