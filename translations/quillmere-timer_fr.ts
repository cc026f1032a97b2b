<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AboutView</name>
    <message>
        <source>Version: %1</source>
        <extracomment>%1 is the version number</extracomment>
        <translation>Version : %1</translation>
    </message>
    <message>
        <source>Build: %1</source>
        <extracomment>%1 is the build number</extracomment>
        <translation>Compilation : %1</translation>
    </message>
    <message>
        <source>[License](https://quillmere.org/license.txt)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Licence](https://quillmere.org/license.txt)</translation>
    </message>
    <message>
        <source>© 2026 [Quillmere](https://quillmere.org)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>© 2026 [Quillmere](https://quillmere.org)</translation>
    </message>
    <message>
        <source>[Support](https://quillmere.org/donate) development</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Soutenir](https://quillmere.org/donate) le développement</translation>
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
        <translation>%1 n’est pas lancé</translation>
    </message>
    <message>
        <source>%1 did not answer</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 n’a pas répondu</translation>
    </message>
</context>
<context>
    <name>OsIntegration</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>ni DISPLAY ni WAYLAND_DISPLAY n’est défini</translation>
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
        <translation>Bol chantant</translation>
    </message>
    <message>
        <source>Whistle</source>
        <extracomment>The name of an alert sound: a whistle</extracomment>
        <translation>Sifflet</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>The desktop&apos;s own alert sound (its bell)</extracomment>
        <translation>Système</translation>
    </message>
    <message>
        <source>Interval in minutes</source>
        <translation>Intervalle en minutes</translation>
    </message>
    <message>
        <source>Restart after sleep</source>
        <translation>Relancer après la mise en veille</translation>
    </message>
    <message>
        <source>Auto restart timer</source>
        <translation>Relancer le minuteur automatiquement</translation>
    </message>
    <message>
        <source>Show the time in the icon</source>
        <translation>Afficher le temps dans l’icône</translation>
    </message>
    <message>
        <source>Reminder sound</source>
        <translation>Son du rappel</translation>
    </message>
    <message>
        <source>Natural breaks</source>
        <extracomment>Counts time away from the computer as a break</extracomment>
        <translation>Pauses naturelles</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>After the minutes away that count as a break</extracomment>
        <translation>min</translation>
    </message>
    <message>
        <source>Hold when busy</source>
        <extracomment>Holds reminders back during full screen or do-not-disturb</extracomment>
        <translation>Attendre si occupé</translation>
    </message>
    <message>
        <source>No idle or lock source on this desktop</source>
        <translation>Ce bureau ne signale ni inactivité ni verrouillage</translation>
    </message>
    <message>
        <source>No full-screen or do-not-disturb source here</source>
        <translation>Ni plein écran ni « Ne pas déranger » signalés ici</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Oops</source>
        <translation>Oups</translation>
    </message>
    <message>
        <source>Invalid interval</source>
        <translation>Intervalle non valide</translation>
    </message>
    <message>
        <source>Invalid minutes away (1 to 60)</source>
        <translation>Durée d’absence non valide (1 à 60 minutes)</translation>
    </message>
    <message>
        <source>Notify without pop-up</source>
        <extracomment>Sends a desktop notification when the reminder window is switched off</extracomment>
        <translation>Notifier sans fenêtre</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Start at login could not be changed</source>
        <translation>Impossible de modifier le lancement à l’ouverture de session</translation>
    </message>
</context>
<context>
    <name>UXControl</name>
    <message>
        <source>no command</source>
        <translation>aucune commande</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>commande inconnue</translation>
    </message>
    <message>
        <source>pause takes whole minutes, 1 to %1</source>
        <extracomment>%1 is the longest pause in minutes</extracomment>
        <translation>pause attend un nombre entier de minutes, de 1 à %1</translation>
    </message>
    <message>
        <source>status takes nothing or --json</source>
        <translation>status n’attend rien ou --json</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command&apos;s name</extracomment>
        <translation>%1 n’attend aucun argument</translation>
    </message>
</context>
<context>
    <name>UXMenu</name>
    <message>
        <source>About %1</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>Restart timer</source>
        <translation>Relancer le minuteur</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>Suspendre 30 minutes</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>Suspendre 1 heure</translation>
    </message>
    <message>
        <source>Pause until tomorrow</source>
        <translation>Suspendre jusqu’à demain</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Silences the alert sound (a check mark shows it is on)</extracomment>
        <translation>Sourdine</translation>
    </message>
    <message>
        <source>Popup reminders</source>
        <translation>Fenêtres de rappel</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>UXPopup</name>
    <message>
        <source>Look around. Take a breath. Stretch.</source>
        <translation>Regardez autour de vous. Respirez. Étirez-vous.</translation>
    </message>
    <message>
        <source>Restart</source>
        <extracomment>Starts the next work interval now</extracomment>
        <translation>Relancer</translation>
    </message>
    <message>
        <source>Snooze</source>
        <extracomment>Brings the reminder back in a minute</extracomment>
        <translation>Répéter</translation>
    </message>
    <message>
        <source>Disable popup notifications</source>
        <translation>Désactiver les fenêtres de rappel</translation>
    </message>
</context>
<context>
    <name>UXStatus</name>
    <message>
        <source>break</source>
        <extracomment>The item&apos;s short title while time away counts as a break</extracomment>
        <translation>pause</translation>
    </message>
    <message>
        <source>On a break</source>
        <translation>En pause</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Encore %1</translation>
    </message>
    <message>
        <source>%1 left, paused</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>En pause, encore %1</translation>
    </message>
    <message>
        <source>Break due %1 ago</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Pause due depuis %1</translation>
    </message>
    <message>
        <source>%1, muted</source>
        <extracomment>%1 is the rest of the tooltip</extracomment>
        <translation>%1, son coupé</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 needs a graphical session: %2</source>
        <extracomment>%1 is the program&apos;s name, %2 what is missing</extracomment>
        <translation>%1 a besoin d’une session graphique : %2</translation>
    </message>
    <message>
        <source>%1 is already running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 est déjà en cours d’exécution</translation>
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
        <translation>Utilisation : quillmere-timer [-test]
              quillmere-timer COMMANDE

Un minuteur de pauses dans la zone de notification du bureau. Sans argument, il démarre ;
avec -test seul, il démarre en mode test (intervalles de 30 secondes).

Commandes pour le minuteur en cours :
  restart           commencer un nouvel intervalle (« Relancer le minuteur » du menu)
  pause [MINUTES]   faire une pause de MINUTES, de 1 à 1440 (30 sans valeur)
  resume            terminer la pause
  mute              couper le son de rappel
  unmute            rétablir le son de rappel
  status [--json]   afficher le temps restant en toutes lettres, ou state, title,
                    seconds_left, muted et paused sous forme d’objet JSON
  watch             afficher le titre maintenant et à chaque changement, jusqu’à la fin
                    du minuteur

Options :
  -h, --help        afficher cette aide et quitter
  --version         afficher la version et quitter

Code de retour : 0 fait ; 1 le minuteur n’est pas lancé ; 2 commande inconnue ou argument
incorrect.
</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <extracomment>%1 is what was typed</extracomment>
        <translation>option inconnue %1</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Followed by the command line&apos;s form</extracomment>
        <translation>Utilisation :</translation>
    </message>
</context>
</TS>
