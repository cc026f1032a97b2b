<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutView</name>
    <message>
        <source>Version: %1</source>
        <extracomment>%1 is the version number</extracomment>
        <translation>版本：%1</translation>
    </message>
    <message>
        <source>Build: %1</source>
        <extracomment>%1 is the build number</extracomment>
        <translation>构建：%1</translation>
    </message>
    <message>
        <source>[License](https://quillmere.org/license.txt)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[许可证](https://quillmere.org/license.txt)</translation>
    </message>
    <message>
        <source>© 2026 [Quillmere](https://quillmere.org)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>© 2026 [Quillmere](https://quillmere.org)</translation>
    </message>
    <message>
        <source>[Support](https://quillmere.org/donate) development</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[支持](https://quillmere.org/donate)开发</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>OsIntegration</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>DISPLAY 和 WAYLAND_DISPLAY 均未设置</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Sonar</source>
        <extracomment>The name of an alert sound: a sonar ping</extracomment>
        <translation>声呐</translation>
    </message>
    <message>
        <source>Bowl</source>
        <extracomment>The name of an alert sound: a singing bowl</extracomment>
        <translation>颂钵</translation>
    </message>
    <message>
        <source>Whistle</source>
        <extracomment>The name of an alert sound: a whistle</extracomment>
        <translation>哨子</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>The desktop&apos;s own alert sound (its bell)</extracomment>
        <translation>系统</translation>
    </message>
    <message>
        <source>Interval in minutes</source>
        <translation>间隔（分钟）</translation>
    </message>
    <message>
        <source>Restart after sleep</source>
        <translation>唤醒后重新计时</translation>
    </message>
    <message>
        <source>Auto restart timer</source>
        <translation>自动重新计时</translation>
    </message>
    <message>
        <source>Show the time in the icon</source>
        <translation>在图标中显示时间</translation>
    </message>
    <message>
        <source>Reminder sound</source>
        <translation>提醒声音</translation>
    </message>
    <message>
        <source>Natural breaks</source>
        <extracomment>Counts time away from the computer as a break</extracomment>
        <translation>自然休息</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>After the minutes away that count as a break</extracomment>
        <translation>分钟</translation>
    </message>
    <message>
        <source>Hold when busy</source>
        <extracomment>Holds reminders back during full screen or do-not-disturb</extracomment>
        <translation>忙碌时暂缓</translation>
    </message>
    <message>
        <source>No idle or lock source on this desktop</source>
        <translation>此桌面不提供空闲或锁屏信息</translation>
    </message>
    <message>
        <source>No full-screen or do-not-disturb source here</source>
        <translation>此处不提供全屏或勿扰信息</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Oops</source>
        <translation>哎呀</translation>
    </message>
    <message>
        <source>Invalid interval</source>
        <translation>间隔无效</translation>
    </message>
    <message>
        <source>Invalid minutes away (1 to 60)</source>
        <translation>离开分钟数无效（1 到 60）</translation>
    </message>
    <message>
        <source>Notify without pop-up</source>
        <extracomment>Sends a desktop notification when the reminder window is switched off</extracomment>
        <translation>不弹窗时发送通知</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>登录时启动</translation>
    </message>
    <message>
        <source>Start at login could not be changed</source>
        <translation>无法更改“登录时启动”</translation>
    </message>
</context>
<context>
    <name>UXMenu</name>
    <message>
        <source>About %1</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>关于 %1</translation>
    </message>
    <message>
        <source>Restart timer</source>
        <translation>重新计时</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>暂停 30 分钟</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>暂停 1 小时</translation>
    </message>
    <message>
        <source>Pause until tomorrow</source>
        <translation>暂停到明天</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Silences the alert sound (a check mark shows it is on)</extracomment>
        <translation>静音</translation>
    </message>
    <message>
        <source>Popup reminders</source>
        <translation>弹窗提醒</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>UXPopup</name>
    <message>
        <source>Look around. Take a breath. Stretch.</source>
        <translation>看看四周，深呼吸，伸个懒腰。</translation>
    </message>
    <message>
        <source>Restart</source>
        <extracomment>Starts the next work interval now</extracomment>
        <translation>重新开始</translation>
    </message>
    <message>
        <source>Snooze</source>
        <extracomment>Brings the reminder back in a minute</extracomment>
        <translation>稍后提醒</translation>
    </message>
    <message>
        <source>Disable popup notifications</source>
        <translation>关闭弹窗提醒</translation>
    </message>
</context>
<context>
    <name>UXStatus</name>
    <message>
        <source>break</source>
        <extracomment>The item&apos;s short title while time away counts as a break</extracomment>
        <translation>休息</translation>
    </message>
    <message>
        <source>On a break</source>
        <translation>休息中</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>剩余 %1</translation>
    </message>
    <message>
        <source>%1 left, paused</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>已暂停，剩余 %1</translation>
    </message>
    <message>
        <source>Break due %1 ago</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>已超过休息时间 %1</translation>
    </message>
    <message>
        <source>%1, muted</source>
        <extracomment>%1 is the rest of the tooltip</extracomment>
        <translation>%1，已静音</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 needs a graphical session: %2</source>
        <extracomment>%1 is the program&apos;s name, %2 what is missing</extracomment>
        <translation>%1 需要图形会话：%2</translation>
    </message>
    <message>
        <source>%1 is already running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 已在运行</translation>
    </message>
</context>
</TS>
