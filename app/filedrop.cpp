#include "filedrop.h"

#include "addresslistview.h"
#include "form1.h"

#include <support/dropintake.h>
#include <support/fileutils.h>

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

FileDrop::FileDrop(Form1& form) : QObject(&form), form_(form) {
    AddressListView* list = form.ListView1;
    // The list's own item dragging would mix with reordering and file drops.
    list->setDragEnabled(false);
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
}

bool FileDrop::offersLocalFiles(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return !urls.isEmpty() &&
           std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

void FileDrop::acceptAsCopy(QDropEvent* event) {
    // Whatever the file manager proposes: a move taken would have it delete
    // the dragged files once the list has their paths.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (offersLocalFiles(drag->mimeData())) {
            acceptAsCopy(drag);
        } else {
            drag->setDropAction(Qt::IgnoreAction);
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!offersLocalFiles(drop->mimeData())) {
            drop->ignore();
            return true;
        }
        QStringList paths;
        for (const QUrl& url : drop->mimeData()->urls())
            paths << url.toLocalFile();
        acceptAsCopy(drop);
        // The drag data belongs to the drag, which may end while the walk
        // lets the window run, so only the copied paths are used.
        ListView1_OLEDragDrop(paths);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void FileDrop::ListView1_OLEDragDrop(const QStringList& paths) {
    AddressListModel& list = form_.ListView1->entries();
    for (const QString& path : paths) {
        if (support::IsDirectory(path))
            list.append(support::DroppedFolderFiles(path, form_.errorReporter()));
        else
            list.append(path); // the file itself is not opened or read
    }
}
