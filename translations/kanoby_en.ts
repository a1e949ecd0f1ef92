<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Record</name>
    <message>
        <source>書き出せませんでした：</source>
        <translation>Could not export: </translation>
    </message>
    <message>
        <source>記録が大きいため、古い %1 バイトは読みませんでした。</source>
        <translation>The record is large: its oldest %1 bytes were not read.</translation>
    </message>
    <message>
        <source>記録でない %1 行を読み飛ばしました。</source>
        <translation>%1 lines that are not records were skipped.</translation>
    </message>
    <message>
        <source>途中で切れた最後の行を読み飛ばしました。</source>
        <translation>The last line, cut short, was skipped.</translation>
    </message>
    <message>
        <source>まだ記録がありません</source>
        <translation>No runs recorded yet</translation>
    </message>
    <message>
        <source>かな/分</source>
        <translation>kana/min</translation>
    </message>
    <message>
        <source>正確さ %</source>
        <translation>accuracy %</translation>
    </message>
    <message>
        <source>回（古い順、%1 回）&#x3000;● かな/分&#x3000;■ 正確さ&#x3000;白抜き：ミスした問題の練習</source>
        <translation>runs (oldest first, %1 runs)   ● kana/min   ■ accuracy   hollow: practice of missed questions</translation>
    </message>
</context>
<context>
    <name>kanoby::CommandLine</name>
    <message>
        <source>それ以外は両方とも %APPDATA%\kanoby\ にあります。
</source>
        <translation>otherwise both in %APPDATA%\kanoby\.
</translation>
    </message>
    <message>
        <source>それ以外は word.txt が $XDG_DATA_HOME/kanoby/ に、
Roman.ini と kanoby.ini が $XDG_CONFIG_HOME/kanoby/ にあります。
</source>
        <translation>otherwise word.txt in
$XDG_DATA_HOME/kanoby/ and Roman.ini and kanoby.ini in $XDG_CONFIG_HOME/kanoby/.
</translation>
    </message>
    <message>
        <source>Kanoby は日本語のタイピング練習です。問題の読みをローマ字またはかなキーで
入力します。FILE を問題の一覧としてウィンドウを開きます（なければ前回の一覧）。

  --export-history FILE  練習の記録を CSV（UTF-8）で FILE に書き出して終了します
                         （ウィンドウは開きません）

ファイル：word.txt（問題）、Roman.ini と kanoby.ini（設定）。プログラムの横に
word.txt があればそこに、</source>
        <translation>Kanoby is a typing drill for Japanese: type the reading of each question
in romaji or with the kana keys. It opens its window with FILE as its list
of questions, or else with the list last used.

  --export-history FILE  write the record of the runs to FILE as CSV
                         (UTF-8) and exit, without a window

Files: word.txt (the questions), Roman.ini and kanoby.ini (the settings) beside the
program when a word.txt is there, </translation>
    </message>
</context>
<context>
    <name>kanoby::EndMessage</name>
    <message>
        <source>終了！</source>
        <translation>Finished!</translation>
    </message>
</context>
<context>
    <name>kanoby::FileError</name>
    <message>
        <source>アクセスが許可されていません。</source>
        <translation>Access is not permitted.</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>ファイルの大きさが上限を超えます。</source>
        <translation>The file would exceed the size limit.</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>同じ名前のフォルダーがあります。</source>
        <translation>A folder of the same name is in the way.</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあります。</source>
        <translation>A file of the same name is in the way.</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダーが見つかりません。</source>
        <translation>The file or folder was not found.</translation>
    </message>
    <message>
        <source>ディスクの読み書きでエラーが起きました。</source>
        <translation>The disk reported an error while reading or writing.</translation>
    </message>
    <message>
        <source>ほかのプログラムが使用中です。</source>
        <translation>Another program is using it.</translation>
    </message>
</context>
<context>
    <name>kanoby::FileLocations</name>
    <message>
        <source>問題文ファイルの見本を読み込めません：</source>
        <translation>Cannot read the sample question file: </translation>
    </message>
    <message>
        <source>問題文ファイルの見本をコピーできません：</source>
        <translation>Cannot copy the sample question file: </translation>
    </message>
</context>
<context>
    <name>kanoby::HistoryFile</name>
    <message>
        <source>記録を読み込めません：</source>
        <translation>Cannot read the record: </translation>
    </message>
    <message>
        <source>記録を保存できませんでした：</source>
        <translation>Could not save the record: </translation>
    </message>
    <message>
        <source>ロックファイルを作れません。</source>
        <translation>Cannot make the lock file.</translation>
    </message>
    <message>
        <source>記録を消せませんでした：</source>
        <translation>Could not clear the record: </translation>
    </message>
</context>
<context>
    <name>kanoby::MainWindow</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>練習(&amp;P)</source>
        <translation>&amp;Practice</translation>
    </message>
    <message>
        <source>記録(&amp;R)</source>
        <translation>&amp;Record</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>言語 / Language(&amp;L)</source>
        <translation>言語 / &amp;Language</translation>
    </message>
    <message>
        <source>自動 / Automatic(&amp;A)</source>
        <translation>自動 / &amp;Automatic</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>ﾛｰﾏ字表示(&amp;R)</source>
        <translation>&amp;Romaji Guide…</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>使い方(&amp;U)</source>
        <translation>&amp;Using Kanoby</translation>
    </message>
    <message>
        <source>Kanoby について(&amp;A)</source>
        <translation>&amp;About Kanoby</translation>
    </message>
    <message>
        <source>Enter：スタート／中断</source>
        <translation>Enter: start / stop</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>入力方式</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>ローマ字</source>
        <translation>Romaji</translation>
    </message>
    <message>
        <source>かな</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>Alt+M：ローマ字、Alt+K：かな、ひらがな/カタカナ キー：切り替え</source>
        <translation>Alt+M: romaji, Alt+K: kana, the Hiragana/Katakana key: switch</translation>
    </message>
    <message>
        <source>問題文</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>区切り線</source>
        <translation>Separator</translation>
    </message>
    <message>
        <source>問題文が表示されたら、その読みを入力します。

・Enter（またはスタート）で始め、もう一度 Enter で中断します。
・入力方式はローマ字（Alt+M）またはかな（Alt+K）。ひらがな/カタカナ キーで切り替えます。
・下の枠の上の行は読み、下の行は次に打つキーです。青は入力済み、赤は次に打つところです。違うキーは何も変えません。
・よく使われるローマ字の綴りはどれでも入力できます。ガイドの綴りは 設定 → ﾛｰﾏ字表示 で選べます（ヘボン式も一度に選べます）。
・問題文ファイル word.txt は問題文と読みを1行ずつ交互に書いたテキストです。ファイル メニューからそのフォルダーを開けます。
・表示 → 言語 で表示の言語を選べます。</source>
        <translation>When a question shows, type its reading.

• Enter (or Start) starts a run; Enter again stops it.
• Input is romaji (Alt+M) or the kana keys of a Japanese keyboard (Alt+K); the Hiragana/Katakana key switches between them.
• In the box, the upper row is the reading and the lower row the keys to press: blue is done, red is what comes next. A wrong key changes nothing.
• Every usual romaji spelling is accepted. Settings → Romaji Guide chooses which one the guide shows (Hepburn in one choice).
• The question file word.txt is plain text: a question, then its reading, one line each, pair after pair. The File menu opens its folder.
• View → Language chooses the language of the interface.</translation>
    </message>
    <message>
        <source>Kanoby %1
日本語のタイピング練習

ライセンス：MIT
アプリケーション ID：io.github.kanoby.kanoby

問題文ファイルのフォルダー：
%2
設定のフォルダー：
%3</source>
        <translation>Kanoby %1
A typing drill for Japanese

Licence: MIT
Application ID: io.github.kanoby.kanoby

Folder of the question file:
%2
Folder of the settings:
%3</translation>
    </message>
    <message>
        <source>ファイルマネージャーでフォルダーを開けませんでした。問題文ファイルは次のフォルダーにあります：</source>
        <translation>The folder could not be opened in a file manager. The question file is in this folder:</translation>
    </message>
    <message>
        <source>拡大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>縮小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>標準の大きさ(&amp;N)</source>
        <translation>&amp;Normal Size</translation>
    </message>
    <message>
        <source>ミスした問題を練習(&amp;M)</source>
        <translation>Practise &amp;Missed Questions</translation>
    </message>
    <message>
        <source>成績を見る(&amp;S)…</source>
        <translation>&amp;Show Results…</translation>
    </message>
    <message>
        <source>書き出す(&amp;E)…</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>記録を消す…</source>
        <translation>Clear the Record…</translation>
    </message>
    <message>
        <source>ミスしたキーを表示(&amp;K)</source>
        <translation>Show Wrong &amp;Keys</translation>
    </message>
    <message>
        <source>進み具合を表示(&amp;P)</source>
        <translation>Show &amp;Progress</translation>
    </message>
    <message>
        <source>すべての記録を消しますか？&#x3000;元に戻せません。</source>
        <translation>Clear the whole record? This cannot be undone.</translation>
    </message>
    <message>
        <source>「%1」→ %2 は %3</source>
        <translation>“%1” → %2 is %3</translation>
    </message>
    <message>
        <source>スペース</source>
        <translation>space</translation>
    </message>
    <message>
        <source>問題文ファイルを開く(&amp;O)…</source>
        <translation>&amp;Open Question File…</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>問題集(&amp;L)</source>
        <translation>Question &amp;Lists</translation>
    </message>
    <message>
        <source>問題文ファイルのフォルダーを開く(&amp;D)</source>
        <translation>Open the Question File&apos;s &amp;Directory</translation>
    </message>
    <message>
        <source>ファイル順(&amp;F)</source>
        <translation>In &amp;File Order</translation>
    </message>
    <message>
        <source>ランダム(&amp;N)</source>
        <translation>Ra&amp;ndom Order</translation>
    </message>
    <message>
        <source>つづきから始める(&amp;C)</source>
        <translation>&amp;Continue Where I Left Off</translation>
    </message>
    <message>
        <source>入力方式を覚える(&amp;I)</source>
        <translation>Remember the &amp;Input Mode</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>見つからないファイルを一覧から消す(&amp;C)</source>
        <translation>&amp;Clear Missing Files</translation>
    </message>
    <message>
        <source>問題文ファイルが見つからないため、一覧から消しました：</source>
        <translation>The question file could not be found and was removed from the list:</translation>
    </message>
    <message>
        <source>問題文ファイルを開く</source>
        <translation>Open Question File</translation>
    </message>
    <message>
        <source>テキストファイル (*.txt);;すべてのファイル (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>問題文ファイルが見つかりません：</source>
        <translation>The question file cannot be found:</translation>
    </message>
    <message>
        <source>この問題文ファイルには練習できる問題がないため、今の問題文ファイルをそのまま使います。</source>
        <translation>This question file has no question to practise: the current one stays in use.</translation>
    </message>
    <message>
        <source>読み込んであった問題で練習します。</source>
        <translation>The questions read before are used.</translation>
    </message>
    <message>
        <source>この問題文ファイルには練習できる問題がないため、使いません。</source>
        <translation>This question file has no question to practise, so it is not used.</translation>
    </message>
</context>
<context>
    <name>kanoby::MessageBoxes</name>
    <message>
        <source>パスをコピー(&amp;C)</source>
        <translation>&amp;Copy Path</translation>
    </message>
</context>
<context>
    <name>kanoby::ProgramSettings</name>
    <message>
        <source>設定を保存できませんでした：</source>
        <translation>Could not save the settings: </translation>
    </message>
</context>
<context>
    <name>kanoby::ProgressPicture</name>
    <message>
        <source>練習の表示</source>
        <translation>Practice display</translation>
    </message>
    <message>
        <source>Enter で練習を始めます</source>
        <translation>Press Enter to start practising</translation>
    </message>
    <message>
        <source>%1 — 入力済み %2、現在 %3、キー：%4</source>
        <translation>%1 — typed %2, now %3, keys: %4</translation>
    </message>
    <message>
        <source>違うキーです。</source>
        <translation>Wrong key.</translation>
    </message>
</context>
<context>
    <name>kanoby::QuestionFile</name>
    <message>
        <source>問題は最初の1001問だけを使います。</source>
        <translation>Only the first 1001 questions are used.</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>最初と最後</source>
        <translation>start and end</translation>
    </message>
    <message>
        <source>最初</source>
        <translation>start</translation>
    </message>
    <message>
        <source>最後</source>
        <translation>end</translation>
    </message>
    <message>
        <source>問題文ファイルの次の行を確かめてください。</source>
        <translation>Please check these lines of the question file.</translation>
    </message>
    <message>
        <source>%1行目：%2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>ほか%1行</source>
        <translation>and %1 more lines</translation>
    </message>
    <message>
        <source>問題文と読みは、間に空の行を入れずに2行ずつ続けて書きます（空の行が1つあると、それより後の組がすべて1行ずれます）。</source>
        <translation>Write each question and its reading on two lines, pair after pair, with no blank line between them (one blank line shifts every later pair by a line).</translation>
    </message>
    <message>
        <source>問題文が空です。</source>
        <translation>The question is empty.</translation>
    </message>
    <message>
        <source>長すぎるため、最初の32767文字だけを使います。</source>
        <translation>Too long: only its first 32767 characters are used.</translation>
    </message>
    <message>
        <source>読みが空です。</source>
        <translation>The reading is empty.</translation>
    </message>
    <message>
        <source>読みの%1を打つキーがありません。</source>
        <translation>No key types the %1 of the reading.</translation>
    </message>
    <message>
        <source>この問題は飛ばします。</source>
        <translation> This question is skipped.</translation>
    </message>
    <message>
        <source>読みの%1に空白があります。</source>
        <translation>The reading has a space at its %1.</translation>
    </message>
    <message>
        <source>問題文ファイルに問題がありません。</source>
        <translation>The question file holds no questions.</translation>
    </message>
    <message>
        <source>問題文ファイルの%1行目に読めない文字があります。</source>
        <translation>Line %1 of the question file holds characters that cannot be read.</translation>
    </message>
    <message>
        <source>問題文ファイルが存在しません。処理続行不能！！
</source>
        <translation>The question file does not exist. Kanoby cannot go on!
</translation>
    </message>
    <message>
        <source>問題文ファイルを読み込めません：</source>
        <translation>Cannot read the question file: </translation>
    </message>
    <message>
        <source>問題文ファイルが大きすぎるため、最初の32MBだけを読みます。</source>
        <translation>The question file is too large: only its first 32 MB are read.</translation>
    </message>
    <message>
        <source>問題文ファイル：</source>
        <translation>Question file: </translation>
    </message>
</context>
<context>
    <name>kanoby::RecordWindow</name>
    <message>
        <source>%1&#x3000;%2&#x3000;%3%4</source>
        <translation>%1   %2   %3%4</translation>
    </message>
    <message>
        <source>ローマ字</source>
        <translation>romaji</translation>
    </message>
    <message>
        <source>かな</source>
        <translation>kana</translation>
    </message>
    <message>
        <source>（ミスした問題の練習）</source>
        <translation> (practice of missed questions)</translation>
    </message>
    <message>
        <source>問題 %1&#x3000;かな %2&#x3000;時間 %3 秒&#x3000;かな/分 %4&#x3000;キー/分 %5&#x3000;正確さ %6 %（正しいキー %7／ミス %8）</source>
        <translation>questions %1   kana %2   time %3 s   kana/min %4   keys/min %5   accuracy %6 % (%7 right keys / %8 wrong)</translation>
    </message>
    <message>
        <source>ミスはありませんでした。</source>
        <translation>No wrong keys.</translation>
    </message>
    <message>
        <source>スペース</source>
        <translation>space</translation>
    </message>
    <message>
        <source>「%1」← %2</source>
        <translation>“%1” ← %2</translation>
    </message>
    <message>
        <source>ミスしたかな（押したキー）：</source>
        <translation>Kana missed (keys pressed): </translation>
    </message>
    <message>
        <source>Kanoby&#x3000;成績</source>
        <translation>Kanoby — Results</translation>
    </message>
    <message>
        <source>この一覧のみ：%1</source>
        <translation>This list only: %1</translation>
    </message>
    <message>
        <source>すべての一覧</source>
        <translation>All lists</translation>
    </message>
    <message>
        <source>前回</source>
        <translation>Last run</translation>
    </message>
    <message>
        <source>かな/分と正確さのグラフ</source>
        <translation>Chart of kana per minute and accuracy</translation>
    </message>
    <message>
        <source>よくミスするかな（最近 %1 回）</source>
        <translation>Kana most often missed (last %1 runs)</translation>
    </message>
    <message>
        <source>ミス</source>
        <translation>Misses</translation>
    </message>
    <message>
        <source>ミス率</source>
        <translation>Miss rate</translation>
    </message>
    <message>
        <source>代わりに押したキー</source>
        <translation>Keys pressed instead</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>書き出す(&amp;E)…</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>記録を消す…</source>
        <translation>Clear the Record…</translation>
    </message>
    <message>
        <source>まだ記録がありません。</source>
        <translation>No runs recorded yet.</translation>
    </message>
    <message>
        <source>記録を書き出す</source>
        <translation>Export the Record</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>書き出しました。</source>
        <translation>Exported.</translation>
    </message>
    <message>
        <source>すべての記録を消しますか？&#x3000;元に戻せません。</source>
        <translation>Clear the whole record? This cannot be undone.</translation>
    </message>
</context>
<context>
    <name>kanoby::RomajiSettingsDialog</name>
    <message>
        <source>Kanoby&#x3000;ローマ字表示設定</source>
        <translation>Kanoby — Romaji Guide</translation>
    </message>
    <message>
        <source>表示するローマ字の設定を行って下さい。</source>
        <translation>Choose the romaji that the guide shows.</translation>
    </message>
    <message>
        <source>&#x3000;※表示にかかわらず大抵の入力は可能となっております。</source>
        <translation>  * Whatever is shown, nearly every spelling is accepted.</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>子音重ね</source>
        <translation>double</translation>
    </message>
    <message>
        <source>設定を保存できませんでした：</source>
        <translation>Could not save the settings: </translation>
    </message>
    <message>
        <source>設定を保存しました</source>
        <translation>The settings were saved.</translation>
    </message>
    <message>
        <source>訓令式</source>
        <translation>Kunrei</translation>
    </message>
    <message>
        <source>ヘボン式</source>
        <translation>Hepburn</translation>
    </message>
    <message>
        <source>個別に選択</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>ローマ字の方式</source>
        <translation>Romanisation</translation>
    </message>
</context>
</TS>
