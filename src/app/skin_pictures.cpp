#include "app/skin_pictures.h"

#include "config/config_reads.h"
#include "config/skin_config.h"
#include "platform/app_error.h"
#include "platform/colour_number.h"
#include "platform/program_folder.h"

#include <QFileInfo>
#include <algorithm>

namespace fathomer {

namespace {

// The user-interface thread decodes too once it needs a picture nobody has started yet.
constexpr unsigned kWorkers = 2;

// The windowed colour key as the load reads it; none where it is no number (the load says so).
std::optional<QRgb> readableColourKey(const ProfileFile &ini) {
    try {
        return colourFromNumber(configColour(ini, config::transpColor)).rgb() | 0xFF000000u;
    } catch (const AppError &) {
        return std::nullopt;
    }
}

}  // namespace

SkinPictures::SkinPictures(const ProfileFile &ini, bool dense, bool fullscreen) : dense(dense) {
    if (fullscreen) {
        addJob(backdropPicturePath(ini), QSize(), false, true);
        addJob(backdropLogoPath(ini), QSize(), false);
    } else {
        seeThrough = readableColourKey(ini);
    }
    for (int n = 1; n <= kSkinImageCount; ++n) addJob(skinPicturePath(ini, n), skinPictureBox(ini, n), true);
    const unsigned count = std::min<unsigned>(kWorkers, unsigned(jobs.size()));
    for (unsigned i = 0; i < count; ++i) workers.emplace_back([this] { work(); });
}

void SkinPictures::addJob(const QString &path, QSize box, bool prepare, bool banded) {
    if (path.isEmpty() || (!banded && jobOfPath.contains(path)) || !QFileInfo(path).isFile()) return;
    if (banded)
        bandedJob = int(jobs.size());
    else
        jobOfPath.insert(path, int(jobs.size()));
    Job job;
    job.path = path;
    job.box = box;
    job.prepare = prepare;
    job.banded = banded;
    jobs.push_back(std::move(job));
}

SkinPictures::~SkinPictures() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    for (std::thread &worker : workers) worker.join();
}

SkinPictures::Job *SkinPictures::claimNext() {
    if (stopping) return nullptr;
    for (Job &job : jobs) {
        if (job.state != Job::State::Waiting) continue;
        job.state = Job::State::Running;
        return &job;
    }
    return nullptr;
}

void SkinPictures::work() {
    for (;;) {
        Job *job = nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex);
            job = claimNext();
        }
        if (!job) return;
        run(*job);
    }
}

void SkinPictures::run(Job &job) {
    LoadedPicture picture;
    std::exception_ptr error;
    try {
        if (job.banded) {
            picture = loadBandedScreenPicture(job.path, dense);
        } else {
            picture = loadScreenPicture(job.path, job.box, dense);
        }
        const bool keyCorner = picture.kind == SkinImage::Kind::Bitmap;
        if (job.prepare && (keyCorner || seeThrough))
            picture.prepared = preparePicture(picture.image, keyCorner, seeThrough);
    } catch (...) {
        error = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        job.picture = std::move(picture);
        job.error = error;
        job.state = Job::State::Done;
    }
    done.notify_all();
}

LoadedPicture SkinPictures::take(const QString &path, QSize box) {
    const auto previous = taken.constFind(path);
    if (previous != taken.cend() && (!previous->first.clipped || previous->second == box)) return previous->first;
    const auto at = jobOfPath.constFind(path);
    // A file that appeared since, or one decoded only for another box: decoded here.
    LoadedPicture picture;
    if (at == jobOfPath.cend() || previous != taken.cend() || jobs[size_t(*at)].box != box) {
        picture = loadScreenPicture(path, box, dense);
    } else {
        picture = finish(jobs[size_t(*at)]);
    }
    taken.insert(path, {picture, box});
    return picture;
}

LoadedPicture SkinPictures::takeBanded(const QString &path) {
    if (!bandedJob || jobs[size_t(*bandedJob)].path != path) return loadBandedScreenPicture(path, dense);
    return finish(jobs[size_t(*bandedJob)]);
}

LoadedPicture SkinPictures::finish(Job &job) {
    std::unique_lock<std::mutex> lock(mutex);
    if (job.state == Job::State::Waiting) {
        job.state = Job::State::Running;
        lock.unlock();
        run(job);
        lock.lock();
    }
    done.wait(lock, [&job] { return job.state == Job::State::Done; });
    if (job.error) std::rethrow_exception(job.error);
    return job.picture;
}

}  // namespace fathomer
