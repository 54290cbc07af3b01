#pragma once

#include <conversion/conversion.h>

#include <QByteArray>
#include <QString>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace conversion {
class ImageConversion;
}
namespace support {
class ChildProcess;
}

namespace cli {

// What became of one address, told in list order.
struct ImageOutcome {
    QString address;
    QString name;                   // of the image, without the folder and extension
    QString path;                   // of the image, as the run's core names it
    std::optional<QString> notMade; // why the image was not made
    bool failedForEveryImage = false;
};

// Up to `jobs` converters at once in one run, each with its own text file;
// their outcomes come out in the order the images were started, whichever
// converter ends first. The images go to `outputFolder`.
class ImageJobs {
public:
    ImageJobs(conversion::Conversion& run, const conversion::ConverterTool& tool,
              const QString& outputFolder, int jobs);
    ~ImageJobs();
    ImageJobs(const ImageJobs&) = delete;
    ImageJobs& operator=(const ImageJobs&) = delete;

    // Whether another image may be started (or refused) now.
    bool hasRoom() const;
    bool isIdle() const { return queue_.empty(); }

    // Starts the image of `text` named `name`.
    void start(const QString& text, const QString& name, const QString& address);
    // Queues an address that is not converted at all, with the reason.
    void refuse(const QString& address, const QString& reason);

    // The oldest image's outcome once it is known.
    std::optional<ImageOutcome> takeOldest();
    // Waits until some converter ends (or a signal arrives) and takes note.
    void waitForAnEnd();

private:
    struct Job;
    void finish(Job& job, int result);

    conversion::Conversion& run_;
    const conversion::ConverterTool& tool_;
    QString outputFolder_;
    size_t jobs_;
    std::deque<std::unique_ptr<Job>> queue_;
    std::vector<int> freeSlots_;
    size_t running_ = 0;
};

} // namespace cli
