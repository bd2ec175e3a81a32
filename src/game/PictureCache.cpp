#include "PictureCache.h"

#include "host/Pictures.h"

#include <QThread>
#include <condition_variable>
#include <mutex>

namespace wq {

// One picture: queued, being decoded, done or dropped. Whoever moves it from
// queued to running decodes it, a worker or the game's thread.
struct PictureCache::Job {
    enum State { Queued, Running, Done, Dropped };
    PictureSource source;
    QSize box;
    std::mutex lock;
    std::condition_variable finished;
    State state = Queued;
    QImage image;

    bool claim()
    {
        const std::lock_guard guard(lock);
        if (state != Queued)
            return false;
        state = Running;
        return true;
    }
    void decode()
    {
        QImage result = source.embedded.isEmpty() ? pictures::fittedFromFile(source.path, box)
                                                  : pictures::fittedFromText(source.embedded, box);
        const std::lock_guard guard(lock);
        if (state == Running) {
            image = std::move(result);
            state = Done;
        }
        source = {}; // the picture's text is not needed any more
        finished.notify_all();
    }
    QImage waitForImage()
    {
        std::unique_lock guard(lock);
        finished.wait(guard, [this] { return state != Running; });
        return image;
    }
};

PictureCache::PictureCache()
{
    // One core stays with the board: on two cores, one worker.
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
}

PictureCache::~PictureCache()
{
    dropAll();
    m_pool.waitForDone();
}

void PictureCache::dropAll()
{
    m_pool.clear();
    for (auto &[field, job] : m_jobs) {
        const std::lock_guard guard(job->lock);
        if (job->state == Job::Queued)
            job->state = Job::Dropped;
    }
    m_jobs.clear();
}

void PictureCache::prepare(const QList<PictureSource> &sources, QSize box)
{
    dropAll();
    m_box = box;
    if (box.isEmpty())
        return;
    for (const PictureSource &source : sources) {
        auto job = std::make_shared<Job>();
        job->source = source;
        job->box = box;
        m_jobs[source.field] = job;
        m_pool.start([job] {
            // Decoding gives way to the board whenever the board has work: on
            // Linux the idle priority is the idle scheduling class.
            QThread::currentThread()->setPriority(QThread::IdlePriority);
            if (job->claim())
                job->decode();
        });
    }
}

QImage PictureCache::picture(int field)
{
    const auto found = m_jobs.find(field);
    if (found == m_jobs.end())
        return {};
    const std::shared_ptr<Job> job = found->second;
    if (job->claim())
        job->decode(); // not begun: this one now, here
    return job->waitForImage();
}

int PictureCache::readyCount() const
{
    int ready = 0;
    for (const auto &[field, job] : m_jobs) {
        const std::lock_guard guard(job->lock);
        ready += job->state == Job::Done;
    }
    return ready;
}

} // namespace wq
