#include "terminalprogress.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace cli {
namespace {

// A terminal redrawn more often than this only costs time.
constexpr qint64 kRedrawMilliseconds = 100;

int terminalColumns(std::FILE* stream) {
    struct winsize size {};
    if (::ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

} // namespace

TerminalProgress::TerminalProgress(std::FILE* stream, qsizetype total, bool wanted)
    : stream_(stream), total_(total), enabled_(wanted && ::isatty(fileno(stream))) {
    sinceStart_.start();
}

TerminalProgress::~TerminalProgress() {
    clear();
}

void TerminalProgress::show(qsizetype started, const QString& current) {
    if (!enabled_)
        return;
    const qint64 now = sinceStart_.elapsed();
    if (lastShownAt_ >= 0 && now - lastShownAt_ < kRedrawMilliseconds)
        return;
    lastShownAt_ = now;
    const qsizetype done = started - 1;
    const double percent = total_ > 0 ? 100.0 * done / total_ : 0;
    const double perSecond = now > 0 ? done * 1000.0 / now : 0;
    QString line = QStringLiteral("%1/%2 %3% %4/s %5")
                       .arg(started)
                       .arg(total_)
                       .arg(percent, 0, 'f', 0)
                       .arg(perSecond, 0, 'f', 0)
                       .arg(PrintableText(current));
    // A line longer than the terminal wraps, and the carriage return would
    // then rewrite only its last part.
    line.truncate(terminalColumns(stream_) - 1);
    std::fprintf(stream_, "\r\033[K%s", line.toLocal8Bit().constData());
    std::fflush(stream_);
    shown_ = true;
}

void TerminalProgress::clear() {
    if (!shown_)
        return;
    std::fputs("\r\033[K", stream_);
    std::fflush(stream_);
    shown_ = false;
}

QString PrintableText(const QString& text) {
    QString printable;
    printable.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            printable += QStringLiteral("\\n");
        else if (u == u'\r')
            printable += QStringLiteral("\\r");
        else if (u == u'\t')
            printable += QStringLiteral("\\t");
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            printable += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            printable += c;
    }
    // A list may hold an address of megabytes; the middle of it says least.
    constexpr qsizetype kShown = 300;
    if (printable.size() > kShown)
        printable =
            printable.left(kShown * 3 / 4) + QStringLiteral("...") + printable.right(kShown / 4);
    return printable;
}

} // namespace cli
