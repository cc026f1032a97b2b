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
</context>
</TS>
