<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AboutView</name>
    <message>
        <source>Version: %1</source>
        <extracomment>%1 is the version number</extracomment>
        <translation>バージョン: %1</translation>
    </message>
    <message>
        <source>Build: %1</source>
        <extracomment>%1 is the build number</extracomment>
        <translation>ビルド: %1</translation>
    </message>
    <message>
        <source>[License](https://quillmere.org/license.txt)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[ライセンス](https://quillmere.org/license.txt)</translation>
    </message>
    <message>
        <source>© 2026 [Quillmere](https://quillmere.org)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>© 2026 [Quillmere](https://quillmere.org)</translation>
    </message>
    <message>
        <source>[Support](https://quillmere.org/donate) development</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>開発を[支援する](https://quillmere.org/donate)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ControlClient</name>
    <message>
        <source>%1 is not running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 は起動していません</translation>
    </message>
    <message>
        <source>%1 did not answer</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 から応答がありません</translation>
    </message>
</context>
<context>
    <name>OsIntegration</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>DISPLAY も WAYLAND_DISPLAY も設定されていません</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Sonar</source>
        <extracomment>The name of an alert sound: a sonar ping</extracomment>
        <translation>ソナー</translation>
    </message>
    <message>
        <source>Bowl</source>
        <extracomment>The name of an alert sound: a singing bowl</extracomment>
        <translation>シンギングボウル</translation>
    </message>
    <message>
        <source>Whistle</source>
        <extracomment>The name of an alert sound: a whistle</extracomment>
        <translation>ホイッスル</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>The desktop&apos;s own alert sound (its bell)</extracomment>
        <translation>システム</translation>
    </message>
    <message>
        <source>Interval in minutes</source>
        <translation>間隔（分）</translation>
    </message>
    <message>
        <source>Restart after sleep</source>
        <translation>スリープ後に再スタート</translation>
    </message>
    <message>
        <source>Auto restart timer</source>
        <translation>タイマーを自動で再スタート</translation>
    </message>
    <message>
        <source>Show the time in the icon</source>
        <translation>アイコンに時間を表示</translation>
    </message>
    <message>
        <source>Reminder sound</source>
        <translation>通知音</translation>
    </message>
    <message>
        <source>Natural breaks</source>
        <extracomment>Counts time away from the computer as a break</extracomment>
        <translation>自然な休憩</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>After the minutes away that count as a break</extracomment>
        <translation>分</translation>
    </message>
    <message>
        <source>Hold when busy</source>
        <extracomment>Holds reminders back during full screen or do-not-disturb</extracomment>
        <translation>取り込み中は保留</translation>
    </message>
    <message>
        <source>No idle or lock source on this desktop</source>
        <translation>このデスクトップはアイドルやロックを通知しません</translation>
    </message>
    <message>
        <source>No full-screen or do-not-disturb source here</source>
        <translation>全画面表示やおやすみモードの情報がありません</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Oops</source>
        <translation>おっと</translation>
    </message>
    <message>
        <source>Invalid interval</source>
        <translation>無効な間隔です</translation>
    </message>
    <message>
        <source>Invalid minutes away (1 to 60)</source>
        <translation>離席時間が正しくありません（1～60 分）</translation>
    </message>
    <message>
        <source>Notify without pop-up</source>
        <extracomment>Sends a desktop notification when the reminder window is switched off</extracomment>
        <translation>ポップアップなしで通知</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message>
        <source>Start at login could not be changed</source>
        <translation>「ログイン時に起動」を変更できませんでした</translation>
    </message>
</context>
<context>
    <name>UXControl</name>
    <message>
        <source>no command</source>
        <translation>コマンドがありません</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>不明なコマンドです</translation>
    </message>
    <message>
        <source>pause takes whole minutes, 1 to %1</source>
        <extracomment>%1 is the longest pause in minutes</extracomment>
        <translation>pause には 1 から %1 までの分数（整数）を指定します</translation>
    </message>
    <message>
        <source>status takes nothing or --json</source>
        <translation>status に指定できるのは --json だけです</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command&apos;s name</extracomment>
        <translation>%1 は引数を取りません</translation>
    </message>
</context>
<context>
    <name>UXMenu</name>
    <message>
        <source>About %1</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 について</translation>
    </message>
    <message>
        <source>Restart timer</source>
        <translation>タイマーを再スタート</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>30 分間一時停止</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>1 時間一時停止</translation>
    </message>
    <message>
        <source>Pause until tomorrow</source>
        <translation>明日まで一時停止</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>再開</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Silences the alert sound (a check mark shows it is on)</extracomment>
        <translation>ミュート</translation>
    </message>
    <message>
        <source>Popup reminders</source>
        <translation>ポップアップで通知</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>UXPopup</name>
    <message>
        <source>Look around. Take a breath. Stretch.</source>
        <translation>周りを見渡して、深呼吸して、ストレッチしましょう。</translation>
    </message>
    <message>
        <source>Restart</source>
        <extracomment>Starts the next work interval now</extracomment>
        <translation>再スタート</translation>
    </message>
    <message>
        <source>Snooze</source>
        <extracomment>Brings the reminder back in a minute</extracomment>
        <translation>スヌーズ</translation>
    </message>
    <message>
        <source>Disable popup notifications</source>
        <translation>ポップアップ通知をオフにする</translation>
    </message>
</context>
<context>
    <name>UXStatus</name>
    <message>
        <source>break</source>
        <extracomment>The item&apos;s short title while time away counts as a break</extracomment>
        <translation>休憩</translation>
    </message>
    <message>
        <source>On a break</source>
        <translation>休憩中</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>残り %1</translation>
    </message>
    <message>
        <source>%1 left, paused</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>一時停止中、残り %1</translation>
    </message>
    <message>
        <source>Break due %1 ago</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>休憩時間を %1 過ぎています</translation>
    </message>
    <message>
        <source>%1, muted</source>
        <extracomment>%1 is the rest of the tooltip</extracomment>
        <translation>%1、ミュート中</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 needs a graphical session: %2</source>
        <extracomment>%1 is the program&apos;s name, %2 what is missing</extracomment>
        <translation>%1 にはグラフィカルセッションが必要です: %2</translation>
    </message>
    <message>
        <source>%1 is already running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 は既に実行中です</translation>
    </message>
    <message>
        <source>Usage: quillmere-timer [-test]
       quillmere-timer COMMAND

A break-reminder timer in the desktop&apos;s status area. Without arguments it starts; with
-test alone it starts in test mode (30-second intervals).

Commands for the running timer:
  restart          start a fresh interval (the menu&apos;s Restart timer)
  pause [MINUTES]  pause for MINUTES, 1 to 1440 (30 without)
  resume           end the pause
  mute             switch the alert sound off
  unmute           switch the alert sound on
  status [--json]  print the time left in words, or state, title, seconds_left, muted
                   and paused as a JSON object
  watch            print the title now and each time it changes, until the timer ends

Options:
  -h, --help       print this help and exit
  --version        print the version and exit

Exit status: 0 done; 1 the timer is not running; 2 an unknown command or a bad argument.
</source>
        <extracomment>The command line&apos;s help; command names and options stay as they are</extracomment>
        <translation>使い方: quillmere-timer [-test]
        quillmere-timer コマンド

デスクトップのステータス領域に常駐する休憩リマインダーです。引数なしで起動します。
-test だけを付けるとテストモード（30 秒間隔）で起動します。

起動中のタイマーへのコマンド:
  restart          新しい間隔を始める（メニューの「タイマーを再スタート」と同じ）
  pause [分]       指定した分数だけ一時停止する（1〜1440、省略時は 30）
  resume           一時停止を終える
  mute             通知音をオフにする
  unmute           通知音をオンにする
  status [--json]  残り時間を文章で表示する。--json では state、title、seconds_left、
                   muted、paused を JSON オブジェクトで出力する
  watch            タイトルを今すぐ表示し、変わるたびに表示する（タイマー終了まで）

オプション:
  -h, --help       このヘルプを表示して終了する
  --version        バージョンを表示して終了する

終了ステータス: 0 完了、1 タイマーが起動していない、2 不明なコマンドまたは不正な引数
</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <extracomment>%1 is what was typed</extracomment>
        <translation>不明なオプション %1</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Followed by the command line&apos;s form</extracomment>
        <translation>使い方:</translation>
    </message>
</context>
</TS>
