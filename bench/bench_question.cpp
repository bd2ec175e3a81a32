// A click on a field whose question shows a 12-megapixel photo, until the
// question panel is painted, beside the same click on a field of the same row
// without a picture, in the real window (frm_WQZ with a QtHost, on the display
// scripts/bench.sh starts, or offscreen without one). The wall is the
// autosave; its other fields are plain questions. Three cases:
//
//  - decoded ahead: the board was built up and the wall's pictures were
//    decoded for the question panel before the click (frm_WQZ::picturesReady);
//    between runs the question is judged ("Falsch") and the board started
//    anew through the menu (Optionen, 2 Gruppen), so the field is fresh;
//  - right after opening: every run is a new window that reads the wall from
//    the autosave, as the game does when it starts; the click comes as soon
//    as the field's row is painted by the build-up (it is the first row it
//    shows). The photo may or may not be decoded by then; how often it was
//    is counted and printed;
//  - on demand: the same, with the photo also in the four fields of the top
//    row. Pictures are decoded in field order (on two cores by one worker),
//    so at the click the clicked field's photo is still waiting its turn,
//    and the click decodes it.
//
// The photo (4000x3000, a JPEG of some 4 MB) is made here and embedded in the
// wall as the text of its file's bytes; nothing is kept afterwards.

#include "BenchTools.h"
#include "BenchWalls.h"
#include "game/frm_WQZ.h"
#include "host/Pictures.h"
#include "host/QtServices.h"
#include "model/cls_Wall.h"
#include "storage/WallPaths.h"
#include "widgets/Panel.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

using wq::frm_WQZ;

// Both fields are in the 100-point row, the first row the build-up shows.
constexpr int PhotoField = 16;
constexpr int PlainField = 17;

// Notes whether a widget got a paint event since the watch was made.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget &widget) : m_widget(&widget) { widget.installEventFilter(this); }
    ~PaintWatch() override
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
    }
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_widget;
};

// Handles events until `done` holds or `limitMs` have passed; whether it holds.
bool waitUntil(const std::function<bool()> &done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A press and a release in the middle of a panel, sent to it directly, as Qt
// passes on the mouse's once it knows the widget under it.
void click(wq::Panel &panel)
{
    const QPointF at = QRectF(panel.rect()).center();
    const QPointF global = panel.mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&panel, &press);
    QCoreApplication::sendEvent(&panel, &release);
}

// One timed click: milliseconds from the press on the field to the painted
// question panel, and the processor time the game's thread spent in them.
struct Click {
    double ms = 0;
    double cpuMs = 0;
    bool photoReady = false; // the photo was decoded before the click
    double atMs = 0;         // when it came, after the window was made
};

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Clicks `field` and handles events until the question panel is painted.
//
// The clock stops when the round of event handling in which the question
// panel got its paint event has returned: Qt paints every widget that changed
// into the window's backing store in one go and then hands the frame to the
// display, so at that point the frame with the question is on screen (on
// Xvfb: sent to the X server). Calling repaint() after the click instead
// would paint a frame that Qt's own update may already have painted, or paint
// it once more, and would not be what the player sees.
Click clickUntilPainted(frm_WQZ &window, int field)
{
    if (!window.FragFeld->isHidden()) {
        std::fprintf(stderr, "bench_question: the question panel is open before the click\n");
        std::exit(1);
    }
    PaintWatch watch(*window.FragFeld);
    Click result;
    const double cpuStart = threadCpuMs();
    QElapsedTimer clock;
    clock.start();
    click(*window.Feld[field]);
    while (!watch.painted && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    result.ms = clock.nsecsElapsed() / 1e6;
    result.cpuMs = threadCpuMs() - cpuStart;
    // The panel must show what the field holds: the photo, or no picture.
    const bool photoShown = !window.pic_ImageScaled->isHidden();
    if (!watch.painted || window.FragFeld->isHidden() || photoShown != (field == PhotoField)) {
        std::fprintf(stderr, "bench_question: field %d did not open as it should (painted %d, picture %d)\n",
                     field, watch.painted, photoShown);
        std::exit(1);
    }
    return result;
}

// "Uhr Stoppen", then "Falsch": the question is judged and its panel closes.
void judgeWrong(frm_WQZ &window)
{
    click(*window.ctl_Antwortbereit);
    click(*window.Falsch);
    if (!waitUntil([&] { return window.FragFeld->isHidden(); }, 5000)) {
        std::fprintf(stderr, "bench_question: the question panel stays open after Falsch\n");
        std::exit(1);
    }
    wait(100);
}

bool builtUp(const frm_WQZ &window)
{
    return !window.AufbauTimer.isActive() && window.Feld[0]->isVisible();
}

// A new board through the menu (Optionen, 2 Gruppen), built up and painted.
void newBoard(frm_WQZ &window)
{
    window.O_Spieler[1]->trigger();
    if (!waitUntil([&] { return builtUp(window); }, 5000)) {
        std::fprintf(stderr, "bench_question: the board was not built up\n");
        std::exit(1);
    }
    wait(200);
}

// The wall with the photo in `photoFields`, saved to `path`.
bool writeWall(const wq::Host &host, const QByteArray &photo, const QList<int> &photoFields, const QString &path)
{
    wq::cls_Wall wall(host);
    for (int c = 0; c < 4; ++c)
        wall.TOPICS().set(c + 1, QStringLiteral("Thema %1").arg(c + 1));
    for (int i = 0; i < wq::cls_Wall::FieldCount; ++i) {
        wq::cls_WallField &field = wall.Item(i, true);
        field.SORT = wq::KindQuestion;
        field.QUESTION = QStringLiteral("Was ist auf dem Foto zu sehen, Frage %1?").arg(i + 1);
        field.ANSWER = QStringLiteral("Farbverläufe und Rauschen, Antwort %1").arg(i + 1);
        if (photoFields.contains(i)) {
            field.IMAGENAME = wq::pictures::toText(photo);
            field.IMAGEMODE = wq::PictureWithQuestion;
        }
    }
    return wall.SAVE(path);
}

// The runs of one case, the photo's field beside the plain one.
struct Case {
    std::vector<double> photo, plain, photoCpu, plainCpu;
    int photoReadyAtClick = 0;
    void add(const Click &photoClick, const Click &plainClick)
    {
        photo.push_back(photoClick.ms);
        plain.push_back(plainClick.ms);
        photoCpu.push_back(photoClick.cpuMs);
        plainCpu.push_back(plainClick.cpuMs);
        photoReadyAtClick += photoClick.photoReady;
    }
};

// Decoded ahead: one window, a new board for every run.
Case decodedAhead(const wq::QtHost &host, int runs)
{
    Case result;
    frm_WQZ window(host.host());
    window.Form_Load({});
    if (!waitUntil([&] { return builtUp(window); }, 10000)
        || !waitUntil([&] { return window.picturesReady() >= 1; }, 10000)) {
        std::fprintf(stderr, "bench_question: the board or its picture was never ready\n");
        std::exit(1);
    }
    {
        const QByteArray text = window.wall().Item(PhotoField, true).IMAGENAME.utf8();
        const QSize box = window.pic_ImageScaled->size();
        const double ms = wq::bench::medianMs(5, [&] { wq::pictures::fittedFromText(text, box); });
        std::fprintf(stderr, "decoding the photo for its box of %dx%d here: %.1f ms\n", box.width(), box.height(), ms);
    }
    // One round uncounted: the first paint of the question panel lays out
    // its texts for the first time.
    for (int i = -1; i < runs; ++i) {
        newBoard(window);
        const bool ready = window.picturesReady() >= 1;
        Click photo, plain;
        // In turns, which of the two opens first.
        for (const int field : i % 2 ? std::array{PlainField, PhotoField} : std::array{PhotoField, PlainField}) {
            (field == PhotoField ? photo : plain) = clickUntilPainted(window, field);
            judgeWrong(window);
        }
        photo.photoReady = ready;
        if (i < 0)
            continue;
        result.add(photo, plain);
        std::fprintf(stderr, "decoded ahead, run %2d: photo %7.2f ms (cpu %6.2f ms, photo %s) | plain %7.2f ms (cpu %6.2f ms)\n",
                     i + 1, photo.ms, photo.cpuMs, ready ? "decoded" : "NOT decoded", plain.ms, plain.cpuMs);
    }
    return result;
}

// A new window that reads the wall from the autosave; `field` is clicked as
// soon as its row has been painted. The wall holds `photos` photos.
Click rightAfterOpening(const wq::QtHost &host, int field, int photos)
{
    QElapsedTimer sinceMade;
    sinceMade.start();
    auto window = std::make_unique<frm_WQZ>(host.host());
    // No game of an earlier window to resume: the game would ask whether to.
    QFile::remove(window->savedGamePath());
    PaintWatch rowPainted(*window->Feld[PhotoField]);
    window->Form_Load({});
    while (!rowPainted.painted && sinceMade.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The clicked field's photo is the last in the order they are decoded
    // in: with one worker, it is ready when all are.
    const bool ready = window->picturesReady() == photos;
    const double at = sinceMade.nsecsElapsed() / 1e6;
    Click result = clickUntilPainted(*window, field);
    result.photoReady = ready;
    result.atMs = at;
    window.reset(); // waits for a picture still being decoded
    return result;
}

// Runs in turns, each in a new window: the photo's field, then the plain
// one, or the other way round.
Case afterOpening(const wq::QtHost &host, int runs, int photos, const char *name)
{
    Case result;
    for (int i = -1; i < runs; ++i) {
        Click photo, plain;
        if (i % 2) {
            plain = rightAfterOpening(host, PlainField, photos);
            photo = rightAfterOpening(host, PhotoField, photos);
        } else {
            photo = rightAfterOpening(host, PhotoField, photos);
            plain = rightAfterOpening(host, PlainField, photos);
        }
        if (i < 0)
            continue; // the first window of each kind is not counted
        result.add(photo, plain);
        std::fprintf(stderr,
                     "%s, run %2d: photo %7.2f ms (cpu %6.2f ms; clicked %5.1f ms after the window was made, photo "
                     "%s) | plain %7.2f ms (cpu %6.2f ms; clicked after %5.1f ms)\n",
                     name, i + 1, photo.ms, photo.cpuMs, photo.atMs, photo.photoReady ? "decoded" : "not decoded yet",
                     plain.ms, plain.cpuMs, plain.atMs);
    }
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    // The display scripts/bench.sh starts shows real frames; without one, the
    // offscreen platform paints into memory.
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!display)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int runs = wq::bench::option(args, QStringLiteral("--runs"), QStringLiteral("11")).toInt();
    wq::QtHost host;

    std::fprintf(stderr, "bench_question: making a photo of 12 megapixels...\n");
    const QString photoPath = dir.filePath(QStringLiteral("foto.jpg"));
    QFile photoFile(photoPath);
    if (!wq::bench::writePhoto(photoPath, 1) || !photoFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_question: cannot write the photo\n");
        return 1;
    }
    const QByteArray photo = photoFile.readAll();
    std::fprintf(stderr, "bench_question: the photo is a JPEG of %.1f MB, %.1f MB as text in the wall\n",
                 photo.size() / 1e6, wq::pictures::toText(photo).size() / 1e6);
    const QString autosave = wq::autosavePath(*host.host().folders);
    const auto wall = [&](const QList<int> &photoFields) {
        if (!writeWall(host.host(), photo, photoFields, autosave)) {
            std::fprintf(stderr, "bench_question: cannot write %s\n", qPrintable(autosave));
            std::exit(1);
        }
    };
    // The game starts its sound as its board is first painted; here with the
    // first window, and it stays on for all of them.
    QTimer::singleShot(0, &app, [&host] { host.startSound(); });

    std::fprintf(stderr, "bench_question: decoded ahead, %d runs (%s)...\n", runs,
                 display ? "on the display" : "offscreen");
    wall({PhotoField});
    const Case ahead = decodedAhead(host, runs);
    std::fprintf(stderr, "bench_question: right after opening, %d runs...\n", runs);
    const Case opening = afterOpening(host, runs, 1, "right after opening");
    std::fprintf(stderr, "bench_question: on demand (the photo in the top row too), %d runs...\n", runs);
    const QList<int> topRowToo{0, 1, 2, 3, PhotoField};
    wall(topRowToo);
    const Case onDemand = afterOpening(host, runs, int(topRowToo.size()), "on demand");

    using wq::bench::median;
    using wq::bench::verdictAtMost;
    const QString baseline = QStringLiteral("same click, field without picture");
    const QString ms = QStringLiteral("ms");
    const QString aim = QStringLiteral("<= 50 ms");
    const auto decoded = [runs](const Case &c) { return QStringLiteral("%1/%2").arg(c.photoReadyAtClick).arg(runs); };
    const double a = median(ahead.photo), b = median(opening.photo), c = median(onDemand.photo);
    wq::bench::report(
        {{QStringLiteral("click to question painted, 12 MP photo decoded ahead"), a, median(ahead.plain), ms, baseline, aim, verdictAtMost(a, 50), runs},
         {QStringLiteral("  right after the wall opened (decoded: %1)").arg(decoded(opening)),
          b, median(opening.plain), ms, baseline, aim, verdictAtMost(b, 50), runs},
         {QStringLiteral("  photo decoded in the click (decoded: %1)").arg(decoded(onDemand)), c,
          median(onDemand.plain), ms, baseline, aim, verdictAtMost(c, 50), runs},
         {QStringLiteral("    processor time of that click (game thread)"), median(onDemand.photoCpu),
          median(onDemand.plainCpu), ms, baseline, {}, {}, runs}},
        args);
    return 0;
}
