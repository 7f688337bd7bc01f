#include "progressdisplay.h"

#include "interruption.h"
#include "printabletext.h"

#include <QCoreApplication>
#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>

namespace plenwick {

namespace {

constexpr int FallbackColumns = 80;
constexpr int BarCells = 24;

// One line per picture as it ends, for logs and pipes.
class LineDisplay final : public ProgressDisplay {
public:
    explicit LineDisplay(std::FILE* output)
        : output(output) {}

    void progressChanged(const BatchProgress& /*progress*/) override {}
    void pictureFinished(const PictureOutcome& outcome, qsizetype picturesDone,
                         qsizetype pictureCount) override {
        const QString done = QString::number(picturesDone);
        const QString count = QString::number(pictureCount);
        const QString name = BatchTexts::displayName(outcome.name);
        const QString line =
            outcome.converted
                ? QStringLiteral("%1/%2 %3").arg(done, count, name)
                : QCoreApplication::translate("CommandLine", "%1/%2 %3: not converted: %4")
                      .arg(done, count, name, outcome.reason);
        writeText(output, printableText(line) + u'\n');
    }
    void close() override {}

private:
    std::FILE* output;
};

// A bar with the count, the current picture and the time left, redrawn in place; pictures that
// fail are written above it as they fail.
class TerminalDisplay final : public ProgressDisplay {
public:
    explicit TerminalDisplay(std::FILE* output)
        : output(output) {}

    void progressChanged(const BatchProgress& progress) override {
        current = progress;
        draw();
    }
    void pictureFinished(const PictureOutcome& outcome, qsizetype picturesDone,
                         qsizetype pictureCount) override {
        done = picturesDone;
        count = pictureCount;
        if (!outcome.converted) {
            clearLine();
            writeText(output,
                      printableText(QCoreApplication::translate("CommandLine", "not converted: %1")
                                        .arg(BatchTexts::failureLine(outcome))) +
                          u'\n');
        }
        draw();
    }
    void close() override { clearLine(); }

private:
    void clearLine() { writeText(output, QStringLiteral("\r\x1b[K")); }

    void draw() {
        const qsizetype total = std::max(count, current.pictureCount);
        const qsizetype filled = total > 0 ? done * BarCells / total : 0;
        const QString bar =
            u'[' + QString(filled, u'#') + QString(BarCells - filled, u'.') + QStringLiteral("] ");
        QString text = bar + printableText(BatchTexts::progress(current));
        const int columns = terminalColumns();
        if (text.size() >= columns)
            text.truncate(std::max(columns - 1, 0));
        writeText(output, QStringLiteral("\r\x1b[K") + text);
    }

    [[nodiscard]] int terminalColumns() const {
        winsize size{};
        if (::ioctl(::fileno(output), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
            return size.ws_col;
        return FallbackColumns;
    }

    std::FILE* output;
    BatchProgress current;
    qsizetype done = 0;
    qsizetype count = 0;
};

} // namespace

std::unique_ptr<ProgressDisplay> ProgressDisplay::forStream(std::FILE* output) {
    if (::isatty(::fileno(output)))
        return std::make_unique<TerminalDisplay>(output);
    return std::make_unique<LineDisplay>(output);
}

void writeText(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream) !=
            static_cast<std::size_t>(bytes.size()) ||
        std::fflush(stream) != 0) {
        // Whoever read the output is gone (`| head`): stop as a shell pipeline expects.
        if (errno == EPIPE)
            Interruption::request(SIGPIPE);
    }
}

} // namespace plenwick
