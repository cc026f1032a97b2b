<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>AboutView</name>
    <message>
        <source>Version: %1</source>
        <extracomment>%1 is the version number</extracomment>
        <translation>Versione: %1</translation>
    </message>
    <message>
        <source>Build: %1</source>
        <extracomment>%1 is the build number</extracomment>
        <translation>Build: %1</translation>
    </message>
    <message>
        <source>[License](https://quillmere.org/license.txt)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Licenza](https://quillmere.org/license.txt)</translation>
    </message>
    <message>
        <source>© 2026 [Quillmere](https://quillmere.org)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>© 2026 [Quillmere](https://quillmere.org)</translation>
    </message>
    <message>
        <source>[Support](https://quillmere.org/donate) development</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Sostieni](https://quillmere.org/donate) lo sviluppo</translation>
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
        <translation>%1 non è in esecuzione</translation>
    </message>
    <message>
        <source>%1 did not answer</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 non ha risposto</translation>
    </message>
</context>
<context>
    <name>OsIntegration</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>né DISPLAY né WAYLAND_DISPLAY è impostata</translation>
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
        <translation>Campana tibetana</translation>
    </message>
    <message>
        <source>Whistle</source>
        <extracomment>The name of an alert sound: a whistle</extracomment>
        <translation>Fischietto</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>The desktop&apos;s own alert sound (its bell)</extracomment>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Interval in minutes</source>
        <translation>Intervallo in minuti</translation>
    </message>
    <message>
        <source>Restart after sleep</source>
        <translation>Riavvia dopo la sospensione</translation>
    </message>
    <message>
        <source>Auto restart timer</source>
        <translation>Riavvia il timer automaticamente</translation>
    </message>
    <message>
        <source>Show the time in the icon</source>
        <translation>Mostra il tempo nell’icona</translation>
    </message>
    <message>
        <source>Reminder sound</source>
        <translation>Suono del promemoria</translation>
    </message>
    <message>
        <source>Natural breaks</source>
        <extracomment>Counts time away from the computer as a break</extracomment>
        <translation>Pause naturali</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>After the minutes away that count as a break</extracomment>
        <translation>min</translation>
    </message>
    <message>
        <source>Hold when busy</source>
        <extracomment>Holds reminders back during full screen or do-not-disturb</extracomment>
        <translation>Attendi se occupato</translation>
    </message>
    <message>
        <source>No idle or lock source on this desktop</source>
        <translation>Questo desktop non segnala inattività né blocco</translation>
    </message>
    <message>
        <source>No full-screen or do-not-disturb source here</source>
        <translation>Qui non vengono segnalati schermo intero né «Non disturbare»</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Oops</source>
        <translation>Ops</translation>
    </message>
    <message>
        <source>Invalid interval</source>
        <translation>Intervallo non valido</translation>
    </message>
    <message>
        <source>Invalid minutes away (1 to 60)</source>
        <translation>Minuti di assenza non validi (da 1 a 60)</translation>
    </message>
    <message>
        <source>Notify without pop-up</source>
        <extracomment>Sends a desktop notification when the reminder window is switched off</extracomment>
        <translation>Notifica senza finestra</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Avvia all’accesso</translation>
    </message>
    <message>
        <source>Start at login could not be changed</source>
        <translation>Impossibile modificare l’avvio all’accesso</translation>
    </message>
</context>
<context>
    <name>UXControl</name>
    <message>
        <source>no command</source>
        <translation>nessun comando</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>comando sconosciuto</translation>
    </message>
    <message>
        <source>pause takes whole minutes, 1 to %1</source>
        <extracomment>%1 is the longest pause in minutes</extracomment>
        <translation>pause accetta minuti interi, da 1 a %1</translation>
    </message>
    <message>
        <source>status takes nothing or --json</source>
        <translation>status accetta solo --json o niente</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command&apos;s name</extracomment>
        <translation>%1 non accetta argomenti</translation>
    </message>
</context>
<context>
    <name>UXMenu</name>
    <message>
        <source>About %1</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>Informazioni su %1</translation>
    </message>
    <message>
        <source>Restart timer</source>
        <translation>Riavvia il timer</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>Sospendi per 30 minuti</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>Sospendi per 1 ora</translation>
    </message>
    <message>
        <source>Pause until tomorrow</source>
        <translation>Sospendi fino a domani</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Riprendi</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Silences the alert sound (a check mark shows it is on)</extracomment>
        <translation>Disattiva audio</translation>
    </message>
    <message>
        <source>Popup reminders</source>
        <translation>Finestre di promemoria</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Esci</translation>
    </message>
</context>
<context>
    <name>UXPopup</name>
    <message>
        <source>Look around. Take a breath. Stretch.</source>
        <translation>Guardati intorno. Fai un respiro profondo. Sgranchisciti.</translation>
    </message>
    <message>
        <source>Restart</source>
        <extracomment>Starts the next work interval now</extracomment>
        <translation>Riavvia</translation>
    </message>
    <message>
        <source>Snooze</source>
        <extracomment>Brings the reminder back in a minute</extracomment>
        <translation>Posticipa</translation>
    </message>
    <message>
        <source>Disable popup notifications</source>
        <translation>Disattiva le finestre di promemoria</translation>
    </message>
</context>
<context>
    <name>UXStatus</name>
    <message>
        <source>break</source>
        <extracomment>The item&apos;s short title while time away counts as a break</extracomment>
        <translation>pausa</translation>
    </message>
    <message>
        <source>On a break</source>
        <translation>In pausa</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Mancano %1</translation>
    </message>
    <message>
        <source>%1 left, paused</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>In pausa, mancano %1</translation>
    </message>
    <message>
        <source>Break due %1 ago</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Pausa prevista %1 fa</translation>
    </message>
    <message>
        <source>%1, muted</source>
        <extracomment>%1 is the rest of the tooltip</extracomment>
        <translation>%1, audio disattivato</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 needs a graphical session: %2</source>
        <extracomment>%1 is the program&apos;s name, %2 what is missing</extracomment>
        <translation>%1 richiede una sessione grafica: %2</translation>
    </message>
    <message>
        <source>%1 is already running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 è già in esecuzione</translation>
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
        <translation>Uso: quillmere-timer [-test]
     quillmere-timer COMANDO

Un timer per le pause nell&apos;area di stato del desktop. Senza argomenti si avvia; con il solo
-test si avvia in modalità di prova (intervalli di 30 secondi).

Comandi per il timer in esecuzione:
  restart          iniziare un nuovo intervallo (come &quot;Riavvia il timer&quot; nel menu)
  pause [MINUTI]   mettere in pausa per MINUTI, da 1 a 1440 (30 se omesso)
  resume           terminare la pausa
  mute             disattivare il suono del promemoria
  unmute           attivare il suono del promemoria
  status [--json]  mostrare il tempo rimanente a parole, oppure state, title, seconds_left,
                   muted e paused come oggetto JSON
  watch            mostrare il titolo ora e a ogni cambiamento, finché il timer termina

Opzioni:
  -h, --help       mostrare questo aiuto e uscire
  --version        mostrare la versione e uscire

Stato di uscita: 0 fatto; 1 il timer non è in esecuzione; 2 comando sconosciuto o argomento
non valido.
</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <extracomment>%1 is what was typed</extracomment>
        <translation>opzione sconosciuta %1</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Followed by the command line&apos;s form</extracomment>
        <translation>Uso:</translation>
    </message>
</context>
</TS>
