#pragma once
// The pictures of the wall on the board, decoded and scaled to the question
// panel's picture box ahead of time on threads of their own, so that a field
// opens with its picture in the next frame. A picture still being decoded
// when its field opens is waited for, and only that one; one not begun yet is
// decoded there and then. A new wall or a new box size drops what was made
// for the old ones, so at most the pictures of one wall at one size are kept.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <memory>
#include <unordered_map>

namespace wq {

// Where a field's picture comes from: embedded (its base64 text) or a file.
struct PictureSource {
    int field = -1;
    QByteArray embedded;
    QString path;
};

class PictureCache {
public:
    PictureCache();
    ~PictureCache();
    PictureCache(const PictureCache &) = delete;
    PictureCache &operator=(const PictureCache &) = delete;

    // Starts decoding `sources` for a box of `box` pixels, dropping what was
    // made or asked for before.
    void prepare(const QList<PictureSource> &sources, QSize box);
    QSize box() const { return m_box; }
    // The picture of `field` fitted into the box: ready, waited for, or
    // decoded now; a null image when the field has none or it cannot be read.
    QImage picture(int field);
    // How many pictures are ready (for tests and benchmarks).
    int readyCount() const;

    struct Job;

private:
    void dropAll();

    QThreadPool m_pool;
    QSize m_box;
    std::unordered_map<int, std::shared_ptr<Job>> m_jobs;
};

} // namespace wq
