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
    <name>ControlClient</name>
    <message>
        <source>%1 is not running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 未在运行</translation>
    </message>
    <message>
        <source>%1 did not answer</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 没有响应</translation>
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
    <name>UXControl</name>
    <message>
        <source>no command</source>
        <translation>没有命令</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>未知命令</translation>
    </message>
    <message>
        <source>pause takes whole minutes, 1 to %1</source>
        <extracomment>%1 is the longest pause in minutes</extracomment>
        <translation>pause 需要整数分钟，1 到 %1</translation>
    </message>
    <message>
        <source>status takes nothing or --json</source>
        <translation>status 只接受 --json 或不带参数</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command&apos;s name</extracomment>
        <translation>%1 不接受参数</translation>
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
        <translation>用法：quillmere-timer [-test]
      quillmere-timer 命令

位于桌面状态区域的休息提醒计时器。不带参数时启动；只带 -test 时以测试模式启动
（间隔为 30 秒）。

用于正在运行的计时器的命令：
  restart          开始新的间隔（同菜单中的“重新计时”）
  pause [分钟]     暂停指定的分钟数，1 到 1440（不指定则为 30）
  resume           结束暂停
  mute             关闭提醒声音
  unmute           打开提醒声音
  status [--json]  用文字显示剩余时间，或以 JSON 对象输出 state、title、seconds_left、
                   muted 和 paused
  watch            立即输出标题，之后每次变化时输出，直到计时器退出

选项：
  -h, --help       显示此帮助并退出
  --version        显示版本并退出

退出状态：0 完成；1 计时器未在运行；2 未知命令或参数错误。
</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <extracomment>%1 is what was typed</extracomment>
        <translation>未知选项 %1</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Followed by the command line&apos;s form</extracomment>
        <translation>用法：</translation>
    </message>
</context>
</TS>
