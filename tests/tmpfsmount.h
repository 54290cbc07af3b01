#pragma once

#include <QByteArray>
#include <QString>

#include <sys/mount.h>

// A small memory file system mounted for one test, where the machine lets
// tests mount (as root, outside a locked-down container); unmounted at the end.
class TmpfsMount {
public:
    // `flags` as for mount(2) (MS_NOEXEC...), `options` as tmpfs takes them ("size=8k").
    TmpfsMount(const QString& folder, unsigned long flags, const QByteArray& options = {})
        : target_(folder.toLocal8Bit()), mounted_(::mount("tmpfs", target_.constData(), "tmpfs",
                                                          flags, options.constData()) == 0) {}
    ~TmpfsMount() {
        if (mounted_)
            ::umount2(target_.constData(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return mounted_; }

private:
    QByteArray target_;
    bool mounted_;
};
