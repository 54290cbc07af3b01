#include "tempfolder.h"

#include <support/failure.h>

#include <QDir>
#include <QFile>

#include <cerrno>
#include <functional>
#include <optional>
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
std::optional<QString> PrivateRuntimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.startsWith(u'/') && isPrivateFolder(QFile::encodeName(runtime)))
        return PrivateFolderIn(runtime, QStringLiteral("orvanta"));
    return std::nullopt;
}

QString CacheFolder() {
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    const QString folder = cache.startsWith(u'/') ? cache : QDir::homePath() + "/.cache";
    QDir().mkpath(folder);
    return folder;
}

QString UsualFolder() {
    const QString temp = qEnvironmentVariable("TEMP");
    if (!temp.isEmpty())
        return temp;
    if (const auto runtime = PrivateRuntimeFolder())
        return *runtime;
    return PrivateFolderIn(QDir::tempPath(), QStringLiteral("orvanta-%1").arg(::geteuid()));
}

// A folder that cannot be looked at is left for the run to fail on by itself.
bool allowsPrograms(const QString& folder) {
    struct statvfs st;
    return ::statvfs(QFile::encodeName(folder).constData(), &st) != 0 ||
           (st.f_flag & ST_NOEXEC) == 0;
}

} // namespace

QString TemporaryFolder() {
    const QString usual = UsualFolder();
    if (allowsPrograms(usual))
        return usual;
    // Each of these may be refused as not private; the next one is tried then.
    const QList<std::function<QString()>> fallbacks{
        [] { return PrivateRuntimeFolder().value_or(QString()); },
        [] { return PrivateFolderIn(CacheFolder(), QStringLiteral("orvanta")); },
    };
    for (const auto& fallback : fallbacks) {
        try {
            const QString folder = fallback();
            if (!folder.isEmpty() && allowsPrograms(folder))
                return folder;
        } catch (const support::Failure&) {
        }
    }
    support::fail(QStringLiteral("The temporary folder \"%1\" is on a file system that does not "
                                 "let programs run (mounted noexec), and so is every private "
                                 "folder to fall back on. Set TEMP to a folder of your own where "
                                 "programs may run.")
                      .arg(usual));
}

} // namespace conversion
