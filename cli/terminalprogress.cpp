#include "terminalprogress.h"

#include <QList>

#include <clocale>
#include <cwchar>
#include <locale.h>
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

TerminalProgress::TerminalProgress(std::FILE* stream, bool wanted)
    : stream_(stream), enabled_(wanted && ::isatty(fileno(stream))) {
    const QByteArray term = qgetenv("TERM");
    escapes_ = !term.isEmpty() && term != "dumb";
    sinceStart_.start();
}

TerminalProgress::~TerminalProgress() {
    clear();
}

void TerminalProgress::show(qsizetype done, const QString& current) {
    if (!enabled_)
        return;
    const qint64 now = sinceStart_.elapsed();
    if (lastShownAt_ >= 0 && now - lastShownAt_ < kRedrawMilliseconds)
        return;
    lastShownAt_ = now;
    const double perSecond = now > 0 ? done * 1000.0 / now : 0;
    // A line longer than the terminal wraps, and the carriage return would
    // then rewrite only its last part.
    int columns = 0;
    const QString line = FitColumns(QStringLiteral("%1 done, %2/s: %3")
                                        .arg(done)
                                        .arg(perSecond, 0, 'f', 0)
                                        .arg(PrintableText(current)),
                                    terminalColumns(stream_) - 1, &columns);
    clear();
    std::fputs(line.toLocal8Bit().constData(), stream_);
    std::fflush(stream_);
    shownColumns_ = qMax(columns, 1);
}

void TerminalProgress::clear() {
    if (shownColumns_ == 0)
        return;
    if (escapes_)
        std::fputs("\r\033[K", stream_);
    else
        std::fprintf(stream_, "\r%*s\r", shownColumns_, "");
    std::fflush(stream_);
    shownColumns_ = 0;
}

void TerminalProgress::summarize(qsizetype made, qsizetype notMade) {
    if (!enabled_)
        return;
    clear();
    std::fprintf(stream_, "orvanta: %lld made, %lld not made, %.1f s\n", qlonglong(made),
                 qlonglong(notMade), sinceStart_.elapsed() / 1000.0);
    std::fflush(stream_);
}

QString FitColumns(const QString& text, int columns, int* taken) {
    // Widths as a UTF-8 terminal gives them, whatever the program's own locale.
    static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    const locale_t previous = utf8 ? ::uselocale(utf8) : locale_t(0);
    *taken = 0;
    qsizetype end = 0;
    for (const uint c : text.toUcs4()) {
        const int width = qMax(::wcwidth(static_cast<wchar_t>(c)), 0);
        if (*taken + width > columns)
            break;
        *taken += width;
        end += QChar::requiresSurrogates(c) ? 2 : 1;
    }
    if (previous)
        ::uselocale(previous);
    return text.left(end);
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
