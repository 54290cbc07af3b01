#include "windowfixture.h"

#include <addresslistview.h>

#include <support/productinfo.h>

#include <QDir>
#include <QSettings>

WindowFixture::WindowFixture() {
    lookFolders = {programFolder()};
    QDir().mkpath(programFolder());
}

bool WindowFixture::write(const QString& name, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(path(name)).absolutePath());
    QFile file(path(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QVariant WindowFixture::storedValue(const QString& key) const {
    // Read through a fresh copy: QSettings objects of one process share unsaved changes.
    static int reads = 0;
    const QString copy = path(QStringLiteral("read-%1.conf").arg(++reads));
    QFile::copy(path("Quillmark.conf"), copy);
    return QSettings(copy, QSettings::IniFormat).value(product::kName + u'/' + key);
}

void WindowFixture::storeValue(const QString& key, const QString& value) const {
    QSettings(path("Quillmark.conf"), QSettings::IniFormat)
        .setValue(product::kName + u'/' + key, value);
}

Form1& WindowFixture::open() {
    Form1Environment environment;
    environment.dialogs = dialogsInUse;
    environment.lookFolders = lookFolders;
    environment.settingsFile = path("Quillmark.conf");
    environment.randomFraction = [this] { return randomFraction; };
    environment.openUrl = [this](const QUrl& url) {
        openedUrls << url;
        return openUrlSucceeds;
    };
    environment.terminate = [this] { ++terminations; };
    environment.loadConverter = loadConverter;
    window_ = std::make_unique<Form1>(environment);
    window_->Form_Load();
    window_->show();
    return *window_;
}

QStringList WindowFixture::entries() const {
    const AddressListModel& list = window_->ListView1->entries();
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.text(row);
    return texts;
}

QPoint WindowFixture::rowCenter(int row) const {
    AddressListView* list = window_->ListView1;
    return list->visualRect(list->entries().index(row)).center();
}
