// quillmere-sound-decoder FILE: decodes one sound file and writes it, as PCM with a one-line
// header, to standard output; exits 1 when the file can't be decoded. The timer runs it at start-up
// so that the decoding libraries are loaded in this short-lived process, never in the timer.
#include "platform/qt/SoundDecoder.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: quillmere-sound-decoder FILE\n", stderr);
        return 2;
    }
    const auto sound =
        quillmere::qt::decodeSound(QString::fromLocal8Bit(argv[1]), std::chrono::seconds(10));
    if (!sound) {
        return 1;
    }
    const QByteArray bytes = quillmere::qt::serializeSound(*sound);
    return std::fwrite(bytes.constData(), 1, bytes.size(), stdout) ==
                   static_cast<std::size_t>(bytes.size())
               ? 0
               : 1;
}
