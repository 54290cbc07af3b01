#include "windowfront.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <dlfcn.h>

namespace cli {
namespace {

using WindowMain = int (*)(int*, char**, const QStringList*);

constexpr int kNoWindow = 1;

QString modulePath() {
    const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QString beside = programFolder + QStringLiteral("/orvanta-window.so");
    if (QFile::exists(beside))
        return beside;
    return programFolder + QStringLiteral("/" ORVANTA_WINDOW_MODULE_FROM_PROGRAM);
}

} // namespace

int OpenWindow(int& argc, char** argv, const QStringList& listFiles) {
    const QByteArray path = QFile::encodeName(modulePath());
    void* module = ::dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    const auto windowMain =
        module ? reinterpret_cast<WindowMain>(::dlsym(module, "orvanta_window_main")) : nullptr;
    if (!windowMain) {
        std::fprintf(stderr, "orvanta: cannot open the window: %s\n", ::dlerror());
        return kNoWindow;
    }
    // The module stays loaded to the end: Qt's exit handlers may run its code.
    return windowMain(&argc, argv, &listFiles);
}

} // namespace cli
