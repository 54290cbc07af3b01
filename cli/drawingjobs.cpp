#include "drawingjobs.h"

#include <converter/conversionerror.h>
#include <converter/textdecode.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace cli {
namespace {

// Finished outcomes wait behind a slow older image only this far.
constexpr size_t kWaitingPerThread = 4;

} // namespace

struct DrawingJobs::Job {
    ImageOutcome outcome;
    std::string text;
    std::vector<converter::ImageFile> files;
    // Filled by the thread that draws it.
    std::optional<std::string> failure;
    bool outOfMemory = false;
    bool done = false; // under the mutex
};

// What one thread draws with, made on that thread at its first image; the
// glyphs it renders serve all its images.
struct DrawingJobs::Drawer {
    std::unique_ptr<converter::Font> font;
    std::unique_ptr<converter::GlyphCache> glyphs; // before the font goes
};

DrawingJobs::DrawingJobs(converter::ImageFormat format, int outputFolder, int threads,
                         const converter::DrawingStop& stop)
    : format_(format), outputFolder_(outputFolder), stop_(stop) {
    // One image at a time is drawn here, with no thread to wait for.
    if (threads < 2)
        return;
    ended_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (ended_ < 0)
        return; // drawn here, one at a time
    for (int i = 0; i < threads; ++i) {
        try {
            workers_.emplace_back(&DrawingJobs::work, this);
        } catch (const std::system_error&) {
            break; // fewer at once, every image still made
        }
    }
}

DrawingJobs::~DrawingJobs() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
        waiting_.clear();
    }
    work_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
    if (ended_ >= 0)
        ::close(ended_);
}

bool DrawingJobs::hasRoom() const {
    return queue_.size() < std::max<size_t>(workers_.size(), 1) * kWaitingPerThread;
}

void DrawingJobs::start(const QString& text, std::vector<converter::ImageFile> files,
                        const QString& address, const QString& name) {
    auto job = std::make_unique<Job>();
    job->outcome.address = address;
    job->outcome.name = name;
    job->text = text.toStdString();
    job->files = std::move(files);
    Job* const started = job.get();
    queue_.push_back(std::move(job));
    if (workers_.empty()) {
        if (!ownDrawer_)
            ownDrawer_ = std::make_unique<Drawer>();
        draw(*started, *ownDrawer_);
        started->done = true;
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        waiting_.push_back(started);
    }
    work_.notify_one();
}

void DrawingJobs::refuse(const QString& address, const QString& reason) {
    auto job = std::make_unique<Job>();
    job->outcome.address = address;
    job->outcome.notMade = reason;
    job->done = true;
    queue_.push_back(std::move(job));
}

std::optional<ImageOutcome> DrawingJobs::takeOldest() {
    if (queue_.empty())
        return std::nullopt;
    {
        const std::lock_guard lock(mutex_);
        if (!queue_.front()->done)
            return std::nullopt;
    }
    Job& job = *queue_.front();
    ImageOutcome outcome = std::move(job.outcome);
    if (job.outOfMemory)
        outcome.notMade = QStringLiteral("not enough memory to draw it");
    else if (job.failure)
        outcome.notMade = QString::fromStdString(*job.failure);
    queue_.pop_front();
    return outcome;
}

void DrawingJobs::waitForAnEnd(int wakeUp) {
    if (workers_.empty())
        return; // every image was drawn when started
    pollfd ends[] = {{ended_, POLLIN, 0}, {wakeUp, POLLIN, 0}};
    if (::poll(ends, wakeUp >= 0 ? 2 : 1, -1) > 0 && (ends[0].revents & POLLIN)) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t taken = ::read(ended_, &count, sizeof count);
    }
}

void DrawingJobs::work() {
    Drawer drawer;
    std::unique_lock lock(mutex_);
    for (;;) {
        work_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
        if (waiting_.empty())
            return;
        Job* const job = waiting_.front();
        waiting_.pop_front();
        lock.unlock();
        draw(*job, drawer);
        lock.lock();
        job->done = true;
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t told = ::write(ended_, &one, sizeof one);
    }
}

void DrawingJobs::draw(Job& job, Drawer& drawer) {
    try {
        if (!drawer.font) {
            drawer.font = std::make_unique<converter::Font>();
            drawer.glyphs = std::make_unique<converter::GlyphCache>(*drawer.font);
        }
        const converter::DrawnSize size =
            converter::DrawTextToFiles(converter::decodeText(job.text), *drawer.glyphs, format_,
                                       outputFolder_, job.files, stop_);
        job.outcome.width = size.width;
        job.outcome.height = size.height;
    } catch (const converter::ConversionError& error) {
        job.outcome.failedForEveryImage = error.kind() == converter::FailureKind::FontUnusable;
        job.failure = error.what();
    } catch (const converter::DrawingAbandoned&) {
        job.failure = "the run was stopped"; // never told: the program ends by its signal
    } catch (const std::bad_alloc&) {
        job.outOfMemory = true;
    }
    job.text = std::string();
    job.files = {};
}

} // namespace cli
