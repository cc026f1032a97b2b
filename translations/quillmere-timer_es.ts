<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AboutView</name>
    <message>
        <source>Version: %1</source>
        <extracomment>%1 is the version number</extracomment>
        <translation>Versión: %1</translation>
    </message>
    <message>
        <source>Build: %1</source>
        <extracomment>%1 is the build number</extracomment>
        <translation>Compilación: %1</translation>
    </message>
    <message>
        <source>[License](https://quillmere.org/license.txt)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Licencia](https://quillmere.org/license.txt)</translation>
    </message>
    <message>
        <source>© 2026 [Quillmere](https://quillmere.org)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>© 2026 [Quillmere](https://quillmere.org)</translation>
    </message>
    <message>
        <source>[Support](https://quillmere.org/donate) development</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Apoya](https://quillmere.org/donate) el desarrollo</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>ControlClient</name>
    <message>
        <source>%1 is not running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 no se está ejecutando</translation>
    </message>
    <message>
        <source>%1 did not answer</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 no respondió</translation>
    </message>
</context>
<context>
    <name>OsIntegration</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>no está definida ni DISPLAY ni WAYLAND_DISPLAY</translation>
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
        <translation>Cuenco tibetano</translation>
    </message>
    <message>
        <source>Whistle</source>
        <extracomment>The name of an alert sound: a whistle</extracomment>
        <translation>Silbato</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>The desktop&apos;s own alert sound (its bell)</extracomment>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Interval in minutes</source>
        <translation>Intervalo en minutos</translation>
    </message>
    <message>
        <source>Restart after sleep</source>
        <translation>Reiniciar tras la suspensión</translation>
    </message>
    <message>
        <source>Auto restart timer</source>
        <translation>Reiniciar el temporizador automáticamente</translation>
    </message>
    <message>
        <source>Show the time in the icon</source>
        <translation>Mostrar el tiempo en el icono</translation>
    </message>
    <message>
        <source>Reminder sound</source>
        <translation>Sonido del aviso</translation>
    </message>
    <message>
        <source>Natural breaks</source>
        <extracomment>Counts time away from the computer as a break</extracomment>
        <translation>Descansos naturales</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>After the minutes away that count as a break</extracomment>
        <translation>min</translation>
    </message>
    <message>
        <source>Hold when busy</source>
        <extracomment>Holds reminders back during full screen or do-not-disturb</extracomment>
        <translation>Esperar si estoy ocupado</translation>
    </message>
    <message>
        <source>No idle or lock source on this desktop</source>
        <translation>Este escritorio no informa de inactividad ni de bloqueo</translation>
    </message>
    <message>
        <source>No full-screen or do-not-disturb source here</source>
        <translation>Aquí no se informa de pantalla completa ni de «No molestar»</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Oops</source>
        <translation>Vaya</translation>
    </message>
    <message>
        <source>Invalid interval</source>
        <translation>Intervalo no válido</translation>
    </message>
    <message>
        <source>Invalid minutes away (1 to 60)</source>
        <translation>Minutos de ausencia no válidos (de 1 a 60)</translation>
    </message>
    <message>
        <source>Notify without pop-up</source>
        <extracomment>Sends a desktop notification when the reminder window is switched off</extracomment>
        <translation>Notificar sin ventana</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Iniciar al iniciar sesión</translation>
    </message>
    <message>
        <source>Start at login could not be changed</source>
        <translation>No se pudo cambiar el inicio al iniciar sesión</translation>
    </message>
</context>
<context>
    <name>UXControl</name>
    <message>
        <source>no command</source>
        <translation>ninguna orden</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>orden desconocida</translation>
    </message>
    <message>
        <source>pause takes whole minutes, 1 to %1</source>
        <extracomment>%1 is the longest pause in minutes</extracomment>
        <translation>pause admite minutos enteros, de 1 a %1</translation>
    </message>
    <message>
        <source>status takes nothing or --json</source>
        <translation>status no admite nada más que --json</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command&apos;s name</extracomment>
        <translation>%1 no admite argumentos</translation>
    </message>
</context>
<context>
    <name>UXMenu</name>
    <message>
        <source>About %1</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>Acerca de %1</translation>
    </message>
    <message>
        <source>Restart timer</source>
        <translation>Reiniciar el temporizador</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>Pausar 30 minutos</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>Pausar 1 hora</translation>
    </message>
    <message>
        <source>Pause until tomorrow</source>
        <translation>Pausar hasta mañana</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Silences the alert sound (a check mark shows it is on)</extracomment>
        <translation>Silenciar</translation>
    </message>
    <message>
        <source>Popup reminders</source>
        <translation>Ventanas de aviso</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>UXPopup</name>
    <message>
        <source>Look around. Take a breath. Stretch.</source>
        <translation>Mira a tu alrededor. Respira hondo. Estírate.</translation>
    </message>
    <message>
        <source>Restart</source>
        <extracomment>Starts the next work interval now</extracomment>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Snooze</source>
        <extracomment>Brings the reminder back in a minute</extracomment>
        <translation>Posponer</translation>
    </message>
    <message>
        <source>Disable popup notifications</source>
        <translation>Desactivar las ventanas de aviso</translation>
    </message>
</context>
<context>
    <name>UXStatus</name>
    <message>
        <source>break</source>
        <extracomment>The item&apos;s short title while time away counts as a break</extracomment>
        <translation>descanso</translation>
    </message>
    <message>
        <source>On a break</source>
        <translation>En un descanso</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Quedan %1</translation>
    </message>
    <message>
        <source>%1 left, paused</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>En pausa, quedan %1</translation>
    </message>
    <message>
        <source>Break due %1 ago</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Descanso pendiente desde hace %1</translation>
    </message>
    <message>
        <source>%1, muted</source>
        <extracomment>%1 is the rest of the tooltip</extracomment>
        <translation>%1, silenciado</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 needs a graphical session: %2</source>
        <extracomment>%1 is the program&apos;s name, %2 what is missing</extracomment>
        <translation>%1 necesita una sesión gráfica: %2</translation>
    </message>
    <message>
        <source>%1 is already running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 ya se está ejecutando</translation>
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
     quillmere-timer ORDEN

Un temporizador de descansos en el área de estado del escritorio. Sin argumentos, se inicia;
solo con -test, se inicia en modo de prueba (intervalos de 30 segundos).

Órdenes para el temporizador en marcha:
  restart          empezar un intervalo nuevo (como «Reiniciar el temporizador» del menú)
  pause [MINUTOS]  pausar durante MINUTOS, de 1 a 1440 (30 si no se indica)
  resume           terminar la pausa
  mute             desactivar el sonido de aviso
  unmute           activar el sonido de aviso
  status [--json]  mostrar el tiempo restante en palabras, o state, title, seconds_left,
                   muted y paused como objeto JSON
  watch            mostrar el título ahora y cada vez que cambie, hasta que el temporizador
                   termine

Opciones:
  -h, --help       mostrar esta ayuda y salir
  --version        mostrar la versión y salir

Estado de salida: 0 hecho; 1 el temporizador no está en marcha; 2 orden desconocida o
argumento incorrecto.
</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <extracomment>%1 is what was typed</extracomment>
        <translation>opción desconocida %1</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Followed by the command line&apos;s form</extracomment>
        <translation>Uso:</translation>
    </message>
</context>
</TS>
