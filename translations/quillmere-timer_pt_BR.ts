<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AboutView</name>
    <message>
        <source>Version: %1</source>
        <extracomment>%1 is the version number</extracomment>
        <translation>Versão: %1</translation>
    </message>
    <message>
        <source>Build: %1</source>
        <extracomment>%1 is the build number</extracomment>
        <translation>Compilação: %1</translation>
    </message>
    <message>
        <source>[License](https://quillmere.org/license.txt)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Licença](https://quillmere.org/license.txt)</translation>
    </message>
    <message>
        <source>© 2026 [Quillmere](https://quillmere.org)</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>© 2026 [Quillmere](https://quillmere.org)</translation>
    </message>
    <message>
        <source>[Support](https://quillmere.org/donate) development</source>
        <extracomment>Markdown: keep the brackets, the parentheses and the address</extracomment>
        <translation>[Apoie](https://quillmere.org/donate) o desenvolvimento</translation>
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
        <translation>%1 não está em execução</translation>
    </message>
    <message>
        <source>%1 did not answer</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 não respondeu</translation>
    </message>
</context>
<context>
    <name>OsIntegration</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>nem DISPLAY nem WAYLAND_DISPLAY está definida</translation>
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
        <translation>Tigela tibetana</translation>
    </message>
    <message>
        <source>Whistle</source>
        <extracomment>The name of an alert sound: a whistle</extracomment>
        <translation>Apito</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>The desktop&apos;s own alert sound (its bell)</extracomment>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Interval in minutes</source>
        <translation>Intervalo em minutos</translation>
    </message>
    <message>
        <source>Restart after sleep</source>
        <translation>Reiniciar após a suspensão</translation>
    </message>
    <message>
        <source>Auto restart timer</source>
        <translation>Reiniciar o temporizador automaticamente</translation>
    </message>
    <message>
        <source>Show the time in the icon</source>
        <translation>Mostrar o tempo no ícone</translation>
    </message>
    <message>
        <source>Reminder sound</source>
        <translation>Som do lembrete</translation>
    </message>
    <message>
        <source>Natural breaks</source>
        <extracomment>Counts time away from the computer as a break</extracomment>
        <translation>Pausas naturais</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>After the minutes away that count as a break</extracomment>
        <translation>min</translation>
    </message>
    <message>
        <source>Hold when busy</source>
        <extracomment>Holds reminders back during full screen or do-not-disturb</extracomment>
        <translation>Aguardar quando ocupado</translation>
    </message>
    <message>
        <source>No idle or lock source on this desktop</source>
        <translation>Este ambiente não informa ociosidade nem bloqueio</translation>
    </message>
    <message>
        <source>No full-screen or do-not-disturb source here</source>
        <translation>Aqui não há aviso de tela cheia nem de “Não perturbe”</translation>
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
        <translation>Intervalo inválido</translation>
    </message>
    <message>
        <source>Invalid minutes away (1 to 60)</source>
        <translation>Minutos de ausência inválidos (1 a 60)</translation>
    </message>
    <message>
        <source>Notify without pop-up</source>
        <extracomment>Sends a desktop notification when the reminder window is switched off</extracomment>
        <translation>Notificar sem janela</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Iniciar ao entrar na sessão</translation>
    </message>
    <message>
        <source>Start at login could not be changed</source>
        <translation>Não foi possível alterar o início ao entrar na sessão</translation>
    </message>
</context>
<context>
    <name>UXControl</name>
    <message>
        <source>no command</source>
        <translation>nenhum comando</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>comando desconhecido</translation>
    </message>
    <message>
        <source>pause takes whole minutes, 1 to %1</source>
        <extracomment>%1 is the longest pause in minutes</extracomment>
        <translation>pause aceita minutos inteiros, de 1 a %1</translation>
    </message>
    <message>
        <source>status takes nothing or --json</source>
        <translation>status não aceita nada além de --json</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command&apos;s name</extracomment>
        <translation>%1 não aceita argumentos</translation>
    </message>
</context>
<context>
    <name>UXMenu</name>
    <message>
        <source>About %1</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>Sobre o %1</translation>
    </message>
    <message>
        <source>Restart timer</source>
        <translation>Reiniciar o temporizador</translation>
    </message>
    <message>
        <source>Pause for 30 minutes</source>
        <translation>Pausar por 30 minutos</translation>
    </message>
    <message>
        <source>Pause for 1 hour</source>
        <translation>Pausar por 1 hora</translation>
    </message>
    <message>
        <source>Pause until tomorrow</source>
        <translation>Pausar até amanhã</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Retomar</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Silences the alert sound (a check mark shows it is on)</extracomment>
        <translation>Silenciar</translation>
    </message>
    <message>
        <source>Popup reminders</source>
        <translation>Janelas de lembrete</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
</context>
<context>
    <name>UXPopup</name>
    <message>
        <source>Look around. Take a breath. Stretch.</source>
        <translation>Olhe ao redor. Respire fundo. Alongue-se.</translation>
    </message>
    <message>
        <source>Restart</source>
        <extracomment>Starts the next work interval now</extracomment>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Snooze</source>
        <extracomment>Brings the reminder back in a minute</extracomment>
        <translation>Adiar</translation>
    </message>
    <message>
        <source>Disable popup notifications</source>
        <translation>Desativar as janelas de lembrete</translation>
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
        <translation>Em pausa</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Faltam %1</translation>
    </message>
    <message>
        <source>%1 left, paused</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Em pausa, faltam %1</translation>
    </message>
    <message>
        <source>Break due %1 ago</source>
        <extracomment>%1 is a short time: 10m, 4s or &gt;1h</extracomment>
        <translation>Pausa pendente há %1</translation>
    </message>
    <message>
        <source>%1, muted</source>
        <extracomment>%1 is the rest of the tooltip</extracomment>
        <translation>%1, sem som</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 needs a graphical session: %2</source>
        <extracomment>%1 is the program&apos;s name, %2 what is missing</extracomment>
        <translation>%1 precisa de uma sessão gráfica: %2</translation>
    </message>
    <message>
        <source>%1 is already running</source>
        <extracomment>%1 is the program&apos;s name</extracomment>
        <translation>%1 já está em execução</translation>
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

Um temporizador de pausas na área de status da área de trabalho. Sem argumentos, ele inicia;
só com -test, inicia no modo de teste (intervalos de 30 segundos).

Comandos para o temporizador em execução:
  restart          começar um novo intervalo (como &quot;Reiniciar o temporizador&quot; no menu)
  pause [MINUTOS]  pausar por MINUTOS, de 1 a 1440 (30 se omitido)
  resume           encerrar a pausa
  mute             desligar o som do lembrete
  unmute           ligar o som do lembrete
  status [--json]  mostrar o tempo restante por extenso, ou state, title, seconds_left,
                   muted e paused como objeto JSON
  watch            mostrar o título agora e a cada mudança, até o temporizador terminar

Opções:
  -h, --help       mostrar esta ajuda e sair
  --version        mostrar a versão e sair

Status de saída: 0 feito; 1 o temporizador não está em execução; 2 comando desconhecido ou
argumento inválido.
</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <extracomment>%1 is what was typed</extracomment>
        <translation>opção desconhecida %1</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Followed by the command line&apos;s form</extracomment>
        <translation>Uso:</translation>
    </message>
</context>
</TS>
