#pragma once

#include <addresslistview.h>
#include <form1.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

// Small helpers shared by the tests of the address list commands.

inline QStringList entries(Form1& window) {
    return window.ListView1->entries().entries();
}

inline QPoint rowCenter(Form1& window, int row) {
    return window.ListView1->visualRect(window.ListView1->entries().index(row)).center();
}

// Writes `bytes` to `path`, making the folders on the way.
inline bool writeTestFile(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
