#include "tempfolder.h"

#include <support/failure.h>

#include <QDir>
#include <QFile>

#include <cerrno>
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace conversion {

namespace {

// A runtime folder is only trusted when it is the user's own and closed to others.
bool isPrivateFolder(const QByteArray& path) {
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

// The folder `name` inside `parent`, made when missing and refused unless private.
QString PrivateFolderIn(const QString& parent, const QString& name) {
    const QString folder = parent + u'/' + name;
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        support::failErrno(QStringLiteral("Cannot make the temporary folder"), folder, errno);

    struct stat st;
    if (::lstat(native.constData(), &st) != 0)
        support::failErrno(QStringLiteral("Cannot use the temporary folder"), folder, errno);
    QString problem;
    if (S_ISLNK(st.st_mode))
        problem = QStringLiteral("it is a symbolic link");
    else if (!S_ISDIR(st.st_mode))
        problem = QStringLiteral("it is not a folder");
    else if (st.st_uid != ::geteuid())
        problem = QStringLiteral("it belongs to another user");
    else if ((st.st_mode & 077) != 0)
        problem = QStringLiteral("other users can enter it (mode %1)")
                      .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
    if (!problem.isEmpty())
        support::fail(QStringLiteral("The temporary folder \"%1\" is not private: %2. "
                                     "Remove it or set TEMP to a folder of your own.")
                          .arg(folder, problem));
    return folder;
}

// $XDG_RUNTIME_DIR/orvanta, when the runtime folder is there and private.
QString PrivateRuntimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.startsWith(u'/') && isPrivateFolder(QFile::encodeName(runtime)))
        return PrivateFolderIn(runtime, QStringLiteral("orvanta"));
    return {};
}

QString PrivateSystemTempFolder() {
    return PrivateFolderIn(QDir::tempPath(), QStringLiteral("orvanta-%1").arg(::geteuid()));
}

QString PrivateCacheFolder() {
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    const QString folder = cache.startsWith(u'/') ? cache : QDir::homePath() + "/.cache";
    QDir().mkpath(folder);
    return PrivateFolderIn(folder, QStringLiteral("orvanta"));
}

// A group of the user's own (Debian gives each user one, and a umask that
// lets it write) lets nobody else in.
bool isPrivateGroup(gid_t group) {
    const struct group* found = ::getgrgid(group);
    const struct passwd* user = ::getpwuid(::geteuid());
    return group == ::getegid() && found && user && (!found->gr_mem || !found->gr_mem[0]) &&
           qstrcmp(found->gr_name, user->pw_name) == 0;
}

// Why other users could move a run's folder aside and put their own in its
// place; nothing when they cannot.
std::optional<QString> renameableByOthers(const QString& folder) {
    struct stat st;
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt; // left for the run to fail on by itself
    if (st.st_uid != ::geteuid() && st.st_uid != 0)
        return QStringLiteral("it belongs to another user");
    const bool othersWrite =
        (st.st_mode & S_IWOTH) || ((st.st_mode & S_IWGRP) && !isPrivateGroup(st.st_gid));
    if (othersWrite && !(st.st_mode & S_ISVTX))
        return QStringLiteral("other users can write in it and it has no sticky bit (mode %1)")
            .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return std::nullopt;
}

// A folder that cannot be looked at is left for the run to fail on by itself.
bool allowsPrograms(const QString& folder) {
    struct statvfs st;
    return ::statvfs(QFile::encodeName(folder).constData(), &st) != 0 ||
           (st.f_flag & ST_NOEXEC) == 0;
}

} // namespace

QString TemporaryFolder(QString* passedOver) {
    const QString temp = qEnvironmentVariable("TEMP");
    bool tempRefusesPrograms = false;
    if (!temp.isEmpty()) {
        if (const auto reason = renameableByOthers(temp)) {
            if (passedOver)
                *passedOver = QStringLiteral("TEMP (\"%1\") is not used: %2, so other users "
                                             "can rename what stands in it. A private folder "
                                             "is used instead.")
                                  .arg(temp, *reason);
        } else if (allowsPrograms(temp)) {
            return temp;
        } else {
            tempRefusesPrograms = true;
        }
    }
    // Each of these may be refused as not private; the next one is tried then.
    QList<std::function<QString()>> candidates{PrivateRuntimeFolder};
    if (!tempRefusesPrograms) // the system's temporary folder is most likely no better
        candidates.append(PrivateSystemTempFolder);
    candidates.append(PrivateCacheFolder);
    std::optional<support::Failure> firstRefusal;
    QString refusesPrograms = tempRefusesPrograms ? temp : QString();
    for (const auto& candidate : candidates) {
        try {
            const QString folder = candidate();
            if (folder.isEmpty())
                continue;
            if (allowsPrograms(folder))
                return folder;
            if (refusesPrograms.isEmpty())
                refusesPrograms = folder;
        } catch (const support::Failure& failure) {
            if (!firstRefusal)
                firstRefusal = failure;
        }
    }
    if (firstRefusal && !tempRefusesPrograms)
        throw *firstRefusal;
    support::fail(QStringLiteral("The temporary folder \"%1\" is on a file system that does not "
                                 "let programs run (mounted noexec), and so is every private "
                                 "folder to fall back on. Set TEMP to a folder of your own where "
                                 "programs may run.")
                      .arg(refusesPrograms));
}

} // namespace conversion
