#pragma once

// Helpers shared by the support library's tests: small file chores, and a way
// to run code as a user whom permissions stop (the tests run as root).

#include <support/failure.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryFile>

#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fixture {

inline bool writeFile(const QString& path, const QByteArray& bytes = "x") {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The description of the Failure that `action` throws; empty when it throws none.
inline QString failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const support::Failure& failure) {
        return failure.description();
    }
    return {};
}

inline bool setMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Every open descriptor: to a file, a folder, a device or a pipe.
inline int openDescriptorCount() {
    const QDir::Filters all = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;
    return QDir(QStringLiteral("/proc/self/fd")).entryList(all).size();
}

// The folder's entries in the file system's own order, which the walk keeps
// (it is not creation order).
inline QStringList listingOrder(const QString& folder, QDir::Filters filters) {
    return QDir(folder).entryList(filters | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Unsorted);
}

// Runs `body` in a child process as "nobody" when the test runs as root, as
// the current user otherwise, and returns its result ("<child failed>" when
// the child could not run it; an empty string as the only result comes back
// as an empty list).
inline QStringList runUnprivileged(const std::function<QStringList()>& body) {
    QTemporaryFile result; // opened before the child drops its rights
    if (!result.open())
        return {QStringLiteral("<no result file>")};
    const pid_t child = ::fork();
    if (child == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (::geteuid() == 0 && (!nobody || ::setgroups(0, nullptr) != 0 ||
                                 ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
            ::_exit(2);
        const QByteArray out = body().join(QChar(0)).toUtf8();
        ::_exit(::write(result.handle(), out.constData(), out.size()) == out.size() ? 0 : 3);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {QStringLiteral("<child failed>")};
    const QByteArray in = contents(result.fileName());
    return in.isEmpty() ? QStringList() : QString::fromUtf8(in).split(QChar(0));
}

} // namespace fixture
