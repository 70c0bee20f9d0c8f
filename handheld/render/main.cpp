// orbexce-render FILE [--png OUT] [--draw-log]: the viewer dialog offscreen, without a port,
// fed the bytes of FILE through its line buffer and sentence processing as the timer would
// hand them on. Writes the dialog as a PNG and/or prints every drawing call, from the first
// screen on, as one JSON object per line.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/common/output_check.h"
#include "handheld/recording_drawing.h"
#include "handheld/viewer_dialog.h"
#include "platform/whole_file.h"

namespace {

constexpr const char* kUsage =
    "usage: orbexce-render FILE [--png OUT] [--draw-log]\n"
    "Shows OrbexCE's viewer offscreen without a port, feeds it the bytes of the recording FILE\n"
    "as its timer would, and writes the screen as a PNG and/or every drawing call as JSON\n"
    "lines on standard output.\n"
    "  --png OUT     write the viewer as a PNG picture\n"
    "  --draw-log    print every drawing call from the first screen on\n"
    "  --help        this text\n"
    "Exit status: 0 written; 1 the recording could not be read to its end or a write failed\n"
    "part-way (a full disk); 2 bad arguments, or a FILE that cannot be opened or an OUT that\n"
    "cannot be written at the start.\n";

struct Arguments {
    std::string file;
    std::string png;
    bool drawLog = false;
    bool help = false;
};

bool Parse(int argc, char** argv, Arguments& arguments, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            arguments.help = true;
            return true;
        }
        if (argument == "--png") {
            if (i + 1 >= argc) {
                error = "--png needs a file name";
                return false;
            }
            arguments.png = argv[++i];
        } else if (argument == "--draw-log") {
            arguments.drawLog = true;
        } else if (argument.rfind("--", 0) == 0) {
            error = "unknown option " + argument;
            return false;
        } else if (arguments.file.empty()) {
            arguments.file = argument;
        } else {
            error = "more than one FILE";
            return false;
        }
    }
    if (arguments.file.empty()) {
        error = "no FILE";
        return false;
    }
    if (arguments.png.empty() && !arguments.drawLog) {
        error = "nothing to write: give --png OUT and/or --draw-log";
        return false;
    }
    return true;
}

void Complain(const std::string& text) {
    std::fprintf(stderr, "orbexce-render: %s\n", text.c_str());
}

// Writes the picture as a PNG file; the bytes are made in memory first so that a write or
// close that fails (a full disk) is seen, which Qt's own file writing does not report.
bool WritePng(const QImage& picture, const std::string& path, std::string& error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) {
        error = "cannot make the PNG picture";
        return false;
    }
    return orbex::WriteWholeFile(path, std::string_view(bytes.constData(), bytes.size()), error);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    std::string error;
    if (!Parse(argc, argv, arguments, error)) {
        Complain(error);
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (arguments.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // The files named on the command line are checked before the work: bad use (2).
    const int fd = ::open(arguments.file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Complain("cannot open " + arguments.file + ": " + std::strerror(errno));
        return 2;
    }
    if (!arguments.png.empty()) {
        if (const auto problem = orbex::CheckFileToWrite(arguments.png)) {
            Complain(*problem);
            ::close(fd);
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    orbexce::ViewerOptions options;
    options.openAtStart = false;
    options.messageBox = [](const QString& text) { Complain(text.toStdString()); };
    orbexce::CViewerDialog dialog(std::move(options));
    // The recording keeps every call of the whole file, so it is made only when asked for.
    orbexce::RecordingDrawing recording(&dialog.imageDrawing());
    if (arguments.drawLog) {
        dialog.SetDrawing(&recording);
    }
    dialog.ShowFirstScreen();

    int status = 0;
    // The bytes go in as reads of at most 200, the most one timer tick takes.
    std::array<char, 200> chunk{};
    for (;;) {
        const ssize_t count = ::read(fd, chunk.data(), chunk.size());
        if (count > 0) {
            dialog.ProcessBytes(chunk.data(), static_cast<std::size_t>(count));
        } else if (count == 0) {
            break;
        } else if (errno != EINTR) {
            Complain("reading stopped: " + std::string(std::strerror(errno)));
            status = 1;
            break;
        }
    }
    ::close(fd);

    std::string problem;
    if (!arguments.png.empty() && !WritePng(dialog.grab().toImage(), arguments.png, problem)) {
        Complain(problem);
        status = 1;
    }
    if (arguments.drawLog) {
        for (const QString& json : recording.ToJsonLines()) {
            const QByteArray utf8 = json.toUtf8();
            std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
            std::fputc('\n', stdout);
        }
        if (std::fflush(stdout) != 0) {
            Complain("cannot write the draw log: " + std::string(std::strerror(errno)));
            status = 1;
        }
    }
    return status;
}
