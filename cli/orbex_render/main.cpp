// orbex-render KIND FILE [--png OUT] [--draw-log]: opens one monitor window offscreen at its
// creation size, replays the recording FILE into it as Orbex would, and writes the window as a
// PNG and/or prints every drawing call of one full paint as JSON lines on standard output.
#include <fcntl.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/common/output_check.h"
#include "cli/orbex_render/render_arguments.h"
#include "gui/fixed_formats.h"
#include "link/replay_lines.h"
#include "platform/system_error.h"
#include "platform/unique_fd.h"
#include "platform/whole_file.h"
#include "windows/registry/window_render.h"

namespace {

void Complain(const std::string& text) {
    std::fprintf(stderr, "orbex-render: %s\n", text.c_str());
}

// Feeds every line of the recording; false when reading failed part-way (the lines read
// before the failure have been fed).
bool ReplayInto(orbex::MonitorWindowRender& render, int fd) {
    orbex::ReplayLineReader reader(fd);
    std::string_view line;
    for (;;) {
        switch (reader.Next(line)) {
            case orbex::ReplayLineReader::Result::Line:
                render.FeedLine(line);
                break;
            case orbex::ReplayLineReader::Result::EndOfFile:
                return true;
            case orbex::ReplayLineReader::Result::Failed:
                Complain("reading stopped: " + std::string(std::strerror(orbex::SystemError())));
                return false;
        }
    }
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
    std::string error;
    const auto arguments = orbex::ParseRenderArguments(argc, argv, error);
    if (!arguments) {
        Complain(error);
        std::fputs(orbex::RenderUsage().c_str(), stderr);
        return 2;
    }
    if (arguments->help) {
        std::fputs(orbex::RenderUsage().c_str(), stdout);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    orbex::KeepFixedFormats();

    // The files named on the command line are checked before the work: bad use (2).
    orbex::UniqueFd file(::open(arguments->file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        Complain("cannot open " + arguments->file + ": " + std::strerror(errno));
        return 2;
    }
    if (!arguments->pngPath.empty()) {
        if (const auto problem = orbex::CheckFileToWrite(arguments->pngPath)) {
            Complain(*problem);
            return 2;
        }
    }
    // An empty title keeps the window's own.
    const orbex::WindowRow& row = *arguments->window;
    orbex::MonitorWindowRender render(row.feed, [&row](orbex::LineDecoder& decoder) {
        return row.make(QString(), row.transferMode, decoder);
    });
    const bool replayed = ReplayInto(render, file.Get());
    // Keys a user would type once the recording is in, such as "+" (zoom) or "C" (figures).
    for (const char key : arguments->keys) {
        const QString text(QChar::fromLatin1(key));
        QKeyEvent press(QEvent::KeyPress, QKeySequence(text)[0].key(), Qt::NoModifier, text);
        QCoreApplication::sendEvent(render.window(), &press);
    }

    int status = replayed ? 0 : 1;
    if (!arguments->pngPath.empty()) {
        std::string problem;
        if (!WritePng(render.Grab(), arguments->pngPath, problem)) {
            Complain(problem);
            status = 1;
        }
    }
    if (arguments->drawLog) {
        for (const QString& json : render.DrawLog()) {
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
