#include "imagejobs.h"

#include <conversion/imageconversion.h>
#include <conversion/imagepath.h>
#include <support/childprocess.h>
#include <support/failure.h>
#include <support/runandwait.h>

#include <cerrno>
#include <poll.h>

namespace cli {
namespace {

// Finished outcomes wait behind a slow older image only this far, so memory
// stays bounded whatever the list.
constexpr size_t kWaitingPerJob = 4;
// Without a pidfd an end is looked for this often.
constexpr int kEndPollMs = 1;

} // namespace

struct ImageJobs::Job {
    ImageOutcome outcome;
    std::unique_ptr<conversion::ImageConversion> image;
    std::unique_ptr<support::ChildProcess> child;
    int slot = -1;
    bool known = false;
};

ImageJobs::ImageJobs(conversion::Conversion& run, const conversion::ConverterTool& tool,
                     const QString& outputFolder, int jobs)
    : run_(run), tool_(tool), outputFolder_(outputFolder), jobs_(static_cast<size_t>(jobs)) {
    for (int slot = jobs - 1; slot >= 0; --slot)
        freeSlots_.push_back(slot);
}

ImageJobs::~ImageJobs() {
    while (running_ > 0)
        waitForAnEnd();
}

bool ImageJobs::hasRoom() const {
    return running_ < jobs_ && queue_.size() < jobs_ * kWaitingPerJob;
}

void ImageJobs::start(const QString& text, const QString& name, const QString& address) {
    auto job = std::make_unique<Job>();
    job->outcome.address = address;
    job->outcome.name = name;
    job->slot = freeSlots_.back();
    freeSlots_.pop_back();
    job->image = std::make_unique<conversion::ImageConversion>(run_, tool_, job->slot);
    try {
        job->image->writeText(text);
    } catch (const support::Failure&) {
        // Kept as the reason the image was not made.
    }
    job->image->aimAt(outputFolder_, name);
    job->outcome.path = conversion::ImagePath(outputFolder_, name, tool_.extension);
    job->child = job->image->startTool();
    ++running_;
    if (!job->child)
        finish(*job, 0);
    else if (job->child->startError() != 0)
        finish(*job, support::kStartFailureBase + job->child->startError());
    queue_.push_back(std::move(job));
}

void ImageJobs::refuse(const QString& address, const QString& reason) {
    auto job = std::make_unique<Job>();
    job->outcome.address = address;
    job->outcome.notMade = reason;
    job->known = true;
    queue_.push_back(std::move(job));
}

std::optional<ImageOutcome> ImageJobs::takeOldest() {
    if (queue_.empty() || !queue_.front()->known)
        return std::nullopt;
    ImageOutcome outcome = std::move(queue_.front()->outcome);
    queue_.pop_front();
    return outcome;
}

void ImageJobs::waitForAnEnd() {
    std::vector<pollfd> ends;
    std::vector<Job*> waiting;
    bool polling = false;
    for (const auto& job : queue_) {
        if (job->known)
            continue;
        const int fd = job->child->endDescriptor();
        polling = polling || fd < 0;
        ends.push_back({fd, POLLIN, 0});
        waiting.push_back(job.get());
    }
    if (waiting.empty())
        return;
    if (::poll(ends.data(), ends.size(), polling ? kEndPollMs : -1) < 0 && errno == EINTR)
        return; // a stop request is looked at between images
    for (size_t i = 0; i < waiting.size(); ++i) {
        const bool ended =
            ends[i].fd >= 0 ? (ends[i].revents & POLLIN) != 0 : waiting[i]->child->hasEnded();
        if (ended)
            finish(*waiting[i], waiting[i]->child->collect().value_or(support::kStatusLost));
    }
}

void ImageJobs::finish(Job& job, int result) {
    if (job.child)
        job.image->finishTool(result);
    job.image->removeText();
    job.outcome.notMade = job.image->notMadeReason();
    job.outcome.failedForEveryImage = job.image->failedForEveryImage();
    if (support::IsStartFailure(result)) // told once for the run: name the tool
        job.outcome.notMade =
            run_.fileInFolder(tool_.fileName).shown + QStringLiteral(": ") + *job.outcome.notMade;
    job.child.reset();
    job.image.reset();
    freeSlots_.push_back(job.slot);
    --running_;
    job.known = true;
}

} // namespace cli
