#pragma once

#include <converter/drawtofile.h>

#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace cli {

// What became of one address's images, told in list order.
struct ImageOutcome {
    QString address;
    QString name;                   // of the image, without the folder and extension
    std::optional<QString> notMade; // why the image was not made
    int width = 0;                  // of the images made, at scale 1
    int height = 0;
    bool failedForEveryImage = false; // the font cannot be loaded: no image can be made
};

// Images drawn on up to `threads` threads of this process, each thread with a
// font of its own (FreeType's objects are never shared between threads).
// Their outcomes come out in the order the images were started, whichever
// ends first; at most a few per thread wait behind a slow older one, so
// memory stays bounded whatever the list. With one image at a time, or when
// no thread can be started (a limit on processes counts threads), the images
// are drawn on the calling thread as they are started.
class DrawingJobs {
public:
    DrawingJobs(converter::ImageFormat format, int outputFolder, int threads,
                const converter::DrawingStop& stop);
    ~DrawingJobs();
    DrawingJobs(const DrawingJobs&) = delete;
    DrawingJobs& operator=(const DrawingJobs&) = delete;

    int threads() const { return int(workers_.size()); }
    // Whether another image may be started (or refused) now.
    bool hasRoom() const;
    bool isIdle() const { return queue_.empty(); }

    // Starts the images of `text` named `name`, as `files` beneath the
    // output folder.
    void start(const QString& text, std::vector<converter::ImageFile> files, const QString& address,
               const QString& name);
    // Queues an address that is not converted at all, with the reason.
    void refuse(const QString& address, const QString& reason);

    // The oldest image's outcome once it is known.
    std::optional<ImageOutcome> takeOldest();
    // Waits until some image is done or `wakeUp` becomes readable.
    void waitForAnEnd(int wakeUp);

private:
    struct Job;
    struct Drawer;
    void work();
    void draw(Job& job, Drawer& drawer);

    converter::ImageFormat format_;
    int outputFolder_;
    converter::DrawingStop stop_;
    int ended_ = -1;                         // an eventfd each thread counts its ends on
    std::deque<std::unique_ptr<Job>> queue_; // in list order
    std::mutex mutex_;
    std::condition_variable work_;
    std::deque<Job*> waiting_; // started, not yet taken by a thread
    bool closing_ = false;
    std::vector<std::thread> workers_;
    std::unique_ptr<Drawer> ownDrawer_; // when no thread could be started
};

} // namespace cli
