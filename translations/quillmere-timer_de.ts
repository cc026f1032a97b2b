<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutView</name>
    <message>
        <source>Version: %1</source>
        <extracomment>%1 is the version number</extracomment>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Build: %1</source>
        <extracomment>%1 is the build number</extracomment>
        <translation>Build: %1</translation>
    </message>
    <message>
        <source>[License](https://quillmere.org/license.txt)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Lizenz](https://quillmere.org/license.txt)</translation>
    </message>
    <message>
        <source>© 2026 [Quillmere](https://quillmere.org)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>© 2026 [Quillmere](https://quillmere.org)</translation>
    </message>
    <message>
        <source>[Support](https://quillmere.org/donate) development</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>Entwicklung [unterstützen](https://quillmere.org/donate)</translation>
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
        <translation>%1 läuft nicht</translation>
    </message>
    <message>
        <source>%1 did not answer</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 hat nicht geantwortet</translation>
    </message>
</context>
<context>
    <name>OsIntegration</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Sonar</source>
        <extracomment>The name of an alert sound: a sonar ping</extracomment>
        <translation>Sonar</translation>
    </message>
    <message>
        <source>Bowl</source>
        <extracomment>The name of an alert sound: a singing bowl</extracomment>
        <translation>Klangschale</translation>
    </message>
    <message>
        <source>Whistle</source>
        <extracomment>The name of an alert sound: a whistle</extracomment>
        <translation>Pfeife</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>The desktop&apos;s own alert sound (its bell)</extracomment>
        <translation>System</translation>
    </message>
    <message>
        <source>Interval in minutes</source>
        <translation>Intervall in Minuten</translation>
    </message>
    <message>
        <source>Restart after sleep</source>
        <translation>Nach dem Ruhezustand neu starten</translation>
    </message>
    <message>
        <source>Auto restart timer</source>
        <translation>Timer automatisch neu starten</translation>
    </message>
    <message>
        <source>Show the time in the icon</source>
        <translation>Zeit im Symbol anzeigen</translation>
    </message>
    <message>
        <source>Reminder sound</source>
        <translation>Erinnerungston</translation>
    </message>
    <message>
        <source>Natural breaks</source>
        <extracomment>Counts time away from the computer as a break</extracomment>
        <translation>Natürliche Pausen</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>After the minutes away that count as a break</extracomment>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Hold when busy</source>
        <extracomment>Holds reminders back during full screen or do-not-disturb</extracomment>
        <translation>Warten, wenn beschäftigt</translation>
    </message>
    <message>
        <source>No idle or lock source on this desktop</source>
        <translation>Dieser Desktop meldet weder Leerlauf noch Sperre</translation>
    </message>
    <message>
        <source>No full-screen or do-not-disturb source here</source>
        <translation>Hier wird weder Vollbild noch „Nicht stören“ gemeldet</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Oops</source>
        <translation>Hoppla</translation>
    </message>
    <message>
        <source>Invalid interval</source>
        <translation>Ungültiges Intervall</translation>
    </message>
    <message>
        <source>Invalid minutes away (1 to 60)</source>
        <translation>Ungültige Abwesenheitsdauer (1 bis 60 Minuten)</translation>
    </message>
    <message>
        <source>Notify without pop-up</source>
        <extracomment>Sends a desktop notification when the reminder window is switched off</extracomment>
        <translation>Benachrichtigung statt Fenster</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Start at login could not be changed</source>
        <translation>„Beim Anmelden starten“ konnte nicht geändert werden</translation>
    </message>
</context>
<context>
    <name>UXControl</name>
    <message>
        <source>no command</source>
        <translation>kein Befehl</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>unbekannter Befehl</translation>
    </message>
    <message>
        <source>pause takes whole minutes, 1 to %1</source>
        <extracomment>%1 is the longest pause in minutes</extracomment>
        <translation>pause erwartet ganze Minuten, 1 bis %1</translation>
    </message>
    <message>
        <source>status takes nothing or --json</source>
        <translation>status erwartet nichts oder --json</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command&apos;s name</extracomment>
        <translation>%1 erwartet keine Argumente</translation>
    </message>
</context>
<context>
    <name>UXMenu</name>
    <message>
        <source>About %1</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Restart timer</source>
        <translation>Timer neu starten</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>30 Minuten pausieren</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>1 Stunde pausieren</translation>
    </message>
    <message>
        <source>Pause until tomorrow</source>
        <translation>Bis morgen pausieren</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Silences the alert sound (a check mark shows it is on)</extracomment>
        <translation>Stummschalten</translation>
    </message>
    <message>
        <source>Popup reminders</source>
        <translation>Erinnerungsfenster</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>UXPopup</name>
    <message>
        <source>Look around. Take a breath. Stretch.</source>
        <translation>Schau dich um. Atme tief durch. Streck dich.</translation>
    </message>
    <message>
        <source>Restart</source>
        <extracomment>Starts the next work interval now</extracomment>
        <translation>Neu starten</translation>
    </message>
    <message>
        <source>Snooze</source>
        <extracomment>Brings the reminder back in a minute</extracomment>
        <translation>Schlummern</translation>
    </message>
    <message>
        <source>Disable popup notifications</source>
        <translation>Erinnerungsfenster ausschalten</translation>
    </message>
</context>
<context>
    <name>UXStatus</name>
    <message>
        <source>break</source>
        <extracomment>The item&apos;s short title while time away counts as a break</extracomment>
        <translation>Pause</translation>
    </message>
    <message>
        <source>On a break</source>
        <translation>In der Pause</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Noch %1</translation>
    </message>
    <message>
        <source>%1 left, paused</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Pausiert, noch %1</translation>
    </message>
    <message>
        <source>Break due %1 ago</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Pause seit %1 fällig</translation>
    </message>
    <message>
        <source>%1, muted</source>
        <extracomment>%1 is the rest of the tooltip</extracomment>
        <translation>%1, stumm</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 needs a graphical session: %2</source>
        <extracomment>%1 is the program&apos;s name, %2 what is missing</extracomment>
        <translation>%1 benötigt eine grafische Sitzung: %2</translation>
    </message>
    <message>
        <source>%1 is already running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 läuft bereits</translation>
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
        <translation>Aufruf: quillmere-timer [-test]
        quillmere-timer BEFEHL

Ein Pausen-Timer im Statusbereich des Desktops. Ohne Argumente startet er; mit -test allein
startet er im Testmodus (Intervalle von 30 Sekunden).

Befehle für den laufenden Timer:
  restart          ein neues Intervall beginnen (wie „Timer neu starten“ im Menü)
  pause [MINUTEN]  für MINUTEN pausieren, 1 bis 1440 (ohne Angabe 30)
  resume           die Pause beenden
  mute             den Erinnerungston ausschalten
  unmute           den Erinnerungston einschalten
  status [--json]  die verbleibende Zeit in Worten ausgeben, oder state, title, seconds_left,
                   muted und paused als JSON-Objekt
  watch            den Titel jetzt und bei jeder Änderung ausgeben, bis der Timer endet

Optionen:
  -h, --help       diese Hilfe ausgeben und beenden
  --version        die Version ausgeben und beenden

Rückgabewert: 0 erledigt; 1 der Timer läuft nicht; 2 unbekannter Befehl oder falsches Argument.
</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <extracomment>%1 is what was typed</extracomment>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Followed by the command line&apos;s form</extracomment>
        <translation>Aufruf:</translation>
    </message>
</context>
</TS>
