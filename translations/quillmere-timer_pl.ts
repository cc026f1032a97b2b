<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>AboutView</name>
    <message>
        <source>Version: %1</source>
        <extracomment>%1 is the version number</extracomment>
        <translation>Wersja: %1</translation>
    </message>
    <message>
        <source>Build: %1</source>
        <extracomment>%1 is the build number</extracomment>
        <translation>Kompilacja: %1</translation>
    </message>
    <message>
        <source>[License](https://quillmere.org/license.txt)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Licencja](https://quillmere.org/license.txt)</translation>
    </message>
    <message>
        <source>© 2026 [Quillmere](https://quillmere.org)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>© 2026 [Quillmere](https://quillmere.org)</translation>
    </message>
    <message>
        <source>[Support](https://quillmere.org/donate) development</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Wesprzyj](https://quillmere.org/donate) rozwój</translation>
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
        <translation>%1 nie jest uruchomiony</translation>
    </message>
    <message>
        <source>%1 did not answer</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 nie odpowiedział</translation>
    </message>
</context>
<context>
    <name>OsIntegration</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>nie ustawiono ani DISPLAY, ani WAYLAND_DISPLAY</translation>
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
        <translation>Misa tybetańska</translation>
    </message>
    <message>
        <source>Whistle</source>
        <extracomment>The name of an alert sound: a whistle</extracomment>
        <translation>Gwizdek</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>The desktop&apos;s own alert sound (its bell)</extracomment>
        <translation>System</translation>
    </message>
    <message>
        <source>Interval in minutes</source>
        <translation>Interwał w minutach</translation>
    </message>
    <message>
        <source>Restart after sleep</source>
        <translation>Uruchom ponownie po uśpieniu</translation>
    </message>
    <message>
        <source>Auto restart timer</source>
        <translation>Automatycznie uruchamiaj minutnik ponownie</translation>
    </message>
    <message>
        <source>Show the time in the icon</source>
        <translation>Pokazuj czas na ikonie</translation>
    </message>
    <message>
        <source>Reminder sound</source>
        <translation>Dźwięk przypomnienia</translation>
    </message>
    <message>
        <source>Natural breaks</source>
        <extracomment>Counts time away from the computer as a break</extracomment>
        <translation>Naturalne przerwy</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>After the minutes away that count as a break</extracomment>
        <translation>min</translation>
    </message>
    <message>
        <source>Hold when busy</source>
        <extracomment>Holds reminders back during full screen or do-not-disturb</extracomment>
        <translation>Wstrzymuj, gdy zajęty</translation>
    </message>
    <message>
        <source>No idle or lock source on this desktop</source>
        <translation>Ten pulpit nie zgłasza bezczynności ani blokady</translation>
    </message>
    <message>
        <source>No full-screen or do-not-disturb source here</source>
        <translation>Brak informacji o pełnym ekranie i trybie „Nie przeszkadzać”</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Oops</source>
        <translation>Ups</translation>
    </message>
    <message>
        <source>Invalid interval</source>
        <translation>Nieprawidłowy interwał</translation>
    </message>
    <message>
        <source>Invalid minutes away (1 to 60)</source>
        <translation>Nieprawidłowy czas nieobecności (od 1 do 60 minut)</translation>
    </message>
    <message>
        <source>Notify without pop-up</source>
        <extracomment>Sends a desktop notification when the reminder window is switched off</extracomment>
        <translation>Powiadamiaj bez okna</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Uruchamiaj po zalogowaniu</translation>
    </message>
    <message>
        <source>Start at login could not be changed</source>
        <translation>Nie udało się zmienić uruchamiania po zalogowaniu</translation>
    </message>
</context>
<context>
    <name>UXControl</name>
    <message>
        <source>no command</source>
        <translation>brak polecenia</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>nieznane polecenie</translation>
    </message>
    <message>
        <source>pause takes whole minutes, 1 to %1</source>
        <extracomment>%1 is the longest pause in minutes</extracomment>
        <translation>pause przyjmuje pełne minuty, od 1 do %1</translation>
    </message>
    <message>
        <source>status takes nothing or --json</source>
        <translation>status przyjmuje tylko --json albo nic</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command&apos;s name</extracomment>
        <translation>%1 nie przyjmuje argumentów</translation>
    </message>
</context>
<context>
    <name>UXMenu</name>
    <message>
        <source>About %1</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>O programie %1</translation>
    </message>
    <message>
        <source>Restart timer</source>
        <translation>Uruchom minutnik ponownie</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>Wstrzymaj na 30 minut</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>Wstrzymaj na 1 godzinę</translation>
    </message>
    <message>
        <source>Pause until tomorrow</source>
        <translation>Wstrzymaj do jutra</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Wznów</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Silences the alert sound (a check mark shows it is on)</extracomment>
        <translation>Wycisz</translation>
    </message>
    <message>
        <source>Popup reminders</source>
        <translation>Okna przypomnień</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Zakończ</translation>
    </message>
</context>
<context>
    <name>UXPopup</name>
    <message>
        <source>Look around. Take a breath. Stretch.</source>
        <translation>Rozejrzyj się. Weź głęboki oddech. Przeciągnij się.</translation>
    </message>
    <message>
        <source>Restart</source>
        <extracomment>Starts the next work interval now</extracomment>
        <translation>Uruchom ponownie</translation>
    </message>
    <message>
        <source>Snooze</source>
        <extracomment>Brings the reminder back in a minute</extracomment>
        <translation>Drzemka</translation>
    </message>
    <message>
        <source>Disable popup notifications</source>
        <translation>Wyłącz okna przypomnień</translation>
    </message>
</context>
<context>
    <name>UXStatus</name>
    <message>
        <source>break</source>
        <extracomment>The item&apos;s short title while time away counts as a break</extracomment>
        <translation>przerwa</translation>
    </message>
    <message>
        <source>On a break</source>
        <translation>Na przerwie</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Zostało %1</translation>
    </message>
    <message>
        <source>%1 left, paused</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Wstrzymano, zostało %1</translation>
    </message>
    <message>
        <source>Break due %1 ago</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Przerwa należna od %1</translation>
    </message>
    <message>
        <source>%1, muted</source>
        <extracomment>%1 is the rest of the tooltip</extracomment>
        <translation>%1, wyciszono</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 needs a graphical session: %2</source>
        <extracomment>%1 is the program&apos;s name, %2 what is missing</extracomment>
        <translation>%1 wymaga sesji graficznej: %2</translation>
    </message>
    <message>
        <source>%1 is already running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 już działa</translation>
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
        <translation>Użycie: quillmere-timer [-test]
        quillmere-timer POLECENIE

Minutnik przerw w obszarze powiadomień pulpitu. Bez argumentów uruchamia się; z samym -test
uruchamia się w trybie testowym (interwały 30-sekundowe).

Polecenia dla działającego minutnika:
  restart          rozpocznij nowy interwał (jak „Uruchom minutnik ponownie” w menu)
  pause [MINUTY]   wstrzymaj na MINUTY, od 1 do 1440 (bez podania 30)
  resume           zakończ wstrzymanie
  mute             wyłącz dźwięk przypomnienia
  unmute           włącz dźwięk przypomnienia
  status [--json]  wypisz pozostały czas słowami albo state, title, seconds_left, muted
                   i paused jako obiekt JSON
  watch            wypisz tytuł teraz i przy każdej zmianie, aż minutnik się zakończy

Opcje:
  -h, --help       wypisz tę pomoc i zakończ
  --version        wypisz wersję i zakończ

Kod wyjścia: 0 wykonano; 1 minutnik nie działa; 2 nieznane polecenie lub błędny argument.
</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <extracomment>%1 is what was typed</extracomment>
        <translation>nieznana opcja %1</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Followed by the command line&apos;s form</extracomment>
        <translation>Użycie:</translation>
    </message>
</context>
</TS>
