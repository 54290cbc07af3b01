#pragma once

#include <QObject>

class Form1;
class QDropEvent;
class QMimeData;

// Files and folders dropped on the address list from a file manager: a file
// adds its own path, a folder the paths of the files in its tree. Anything
// that is not a list of local files is refused while it is dragged over.
class FileDrop : public QObject {
    Q_OBJECT
public:
    explicit FileDrop(Form1& form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool offersLocalFiles(const QMimeData* data);
    static void acceptAsCopy(QDropEvent* event);
    void ListView1_OLEDragDrop(const QStringList& paths);

    Form1& form_;
};
