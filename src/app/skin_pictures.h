#pragma once

#include "platform/picture_file.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace fathomer {

class ProfileFile;

// The skin's picture files, decoded off the user-interface thread while it goes on creating
// windows. Every file the 52 image sections name is decoded once, for the box of the first
// section that names it; the loader takes the pictures in its own order, so a file that cannot
// be decoded raises its error where a decode on the spot would have. Only images are made here:
// pixmaps belong to the user-interface thread.
class SkinPictures {
public:
    // Starts decoding at once. dense: the screen takes "@2x" pictures where they exist;
    // fullscreen: the backdrop (checked, to be drawn in bands where it can) and its logo are
    // decoded too, first, being the largest. The
    // pictures of the image sections are also made ready to draw as a transparent holder of the
    // mode draws them (keyed on the window's colour key when windowed), which the first paint
    // then need not do.
    SkinPictures(const ProfileFile &ini, bool dense, bool fullscreen = false);
    // Waits for the decodes that are under way; those not started are dropped.
    ~SkinPictures();
    SkinPictures(const SkinPictures &) = delete;
    SkinPictures &operator=(const SkinPictures &) = delete;

    // The picture of one image section, decoded for box (raises the decoder's error). Each call
    // for a file already taken gives the same picture unless that one was decoded only as far
    // as another box shows it.
    LoadedPicture take(const QString &path, QSize box);
    // The fullscreen backdrop, as loadBandedScreenPicture gives it.
    LoadedPicture takeBanded(const QString &path);

private:
    struct Job {
        QString path;
        QSize box;
        bool prepare = false;
        bool banded = false;
        enum class State { Waiting, Running, Done } state = State::Waiting;
        LoadedPicture picture;
        std::exception_ptr error;
    };

    void addJob(const QString &path, QSize box, bool prepare, bool banded = false);
    void work();
    void run(Job &job);
    Job *claimNext();
    // Runs the job here if no worker has started it, and waits for it.
    LoadedPicture finish(Job &job);

    bool dense;
    std::optional<QRgb> seeThrough;  // windowed: the colour key, where the file names a readable one
    std::vector<Job> jobs;
    QHash<QString, int> jobOfPath;  // the jobs decoding whole
    std::optional<int> bandedJob;
    QHash<QString, std::pair<LoadedPicture, QSize>> taken;
    std::mutex mutex;
    std::condition_variable done;
    bool stopping = false;
    std::vector<std::thread> workers;
};

}  // namespace fathomer
