// Prints where the game puts its board elements on the screen, in pixels, for
// a window of a given size, from the program's own layout functions: the whole
// program test clicks and looks where the game itself places things.
//
//   board_positions --screen WxH --window WxH --board X,Y,WxH [--dpi N] [--scheme N]
//
// --board is the board widget (the window's client area below the menu bar)
// on the screen. Every line is "NAME LEFT TOP WIDTH HEIGHT CENTRE_X CENTRE_Y".
// With --scheme, lines "colour NAME X Y R G B" follow: the colour the board
// shows at screen point X,Y inside that element in that colour scheme.

#include "appearance/BoardLayout.h"
#include "appearance/ColourSchemes.h"
#include "host/Colours.h"

#include <QColor>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

using namespace wq;

namespace {

struct Pixels {
    int left = 0, top = 0, width = 0, height = 0;
};

double tx = 15, ty = 15;

// The window places every widget at its twips divided by twips per pixel,
// rounded, relative to its parent.
Pixels toPixels(const layout::Rect &r, const Pixels &parent)
{
    const auto round = [](double v) { return int(std::lround(v)); };
    return {parent.left + round(r.left / tx), parent.top + round(r.top / ty), std::max(0, round(r.width / tx)),
            std::max(0, round(r.height / ty))};
}

void print(const std::string &name, const Pixels &p)
{
    std::printf("%s %d %d %d %d %d %d\n", name.c_str(), p.left, p.top, p.width, p.height, p.left + p.width / 2,
                p.top + p.height / 2);
}

// The colour at X,Y of a panel whose face runs from its second colour at the
// top to its first at the bottom.
void printPoint(const std::string &name, int x, int y, const Pixels &face, const QColor &back,
                const QColor &back2)
{
    const double f = face.height > 1 ? double(y - face.top) / (face.height - 1) : 0.5;
    const auto mix = [f](int top, int bottom) { return int(std::lround(top + (bottom - top) * f)); };
    std::printf("colour %s %d %d %d %d %d\n", name.c_str(), x, y, mix(back2.red(), back.red()),
                mix(back2.green(), back.green()), mix(back2.blue(), back.blue()));
}

// A point a tenth in from the left, half way down: clear of the centred caption.
int sampleX(const Pixels &p) { return p.left + p.width / 10; }
int sampleY(const Pixels &p) { return p.top + p.height / 2; }

void printFace(const std::string &name, const Pixels &p, const QColor &back, const QColor &back2)
{
    printPoint(name, sampleX(p), sampleY(p), p, back, back2);
}

// A panel without a second colour of its own shows its colour 25 % lighter.
QColor lighter(const QColor &c) { return colours::shifted(c, 25); }

bool readPair(const char *text, char separator, int &a, int &b)
{
    char sep = 0;
    char rest = 0;
    return std::sscanf(text, "%d%c%d%c", &a, &sep, &b, &rest) == 3 && sep == separator;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: board_positions --screen WxH --window WxH --board X,Y,WxH [--dpi N] [--scheme N]\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    int screenW = 0, screenH = 0, windowW = 0, windowH = 0, boardX = 0, boardY = 0, boardW = 0, boardH = 0;
    int dpi = 96, scheme = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const char *option = argv[i];
        const char *value = argv[i + 1];
        bool ok = true;
        if (!std::strcmp(option, "--screen")) {
            ok = readPair(value, 'x', screenW, screenH);
        } else if (!std::strcmp(option, "--window")) {
            ok = readPair(value, 'x', windowW, windowH);
        } else if (!std::strcmp(option, "--board")) {
            char rest = 0;
            ok = std::sscanf(value, "%d,%d,%dx%d%c", &boardX, &boardY, &boardW, &boardH, &rest) == 4;
        } else if (!std::strcmp(option, "--dpi")) {
            ok = std::sscanf(value, "%d", &dpi) == 1 && dpi > 0;
        } else if (!std::strcmp(option, "--scheme")) {
            ok = std::sscanf(value, "%d", &scheme) == 1 && scheme >= 0 && scheme < SchemeCount;
        } else {
            ok = false;
        }
        if (!ok)
            return usage();
    }
    if (argc % 2 == 0 || screenW <= 0 || windowW <= 0 || boardW <= 0)
        return usage();

    tx = ty = 1440.0 / dpi;
    layout::WindowMetrics m;
    m.screenWidth = screenW * tx;
    m.screenHeight = screenH * ty;
    m.twipsPerPixelX = tx;
    m.twipsPerPixelY = ty;
    m.windowWidth = windowW * tx;
    m.windowHeight = windowH * ty;
    m.clientWidth = boardW * tx;
    m.clientHeight = boardH * ty;
    const layout::BoardLayout b = layout::formResize(m);

    const Pixels board{boardX, boardY, boardW, boardH};
    const Pixels wall = toPixels(b.wall, board);
    const Pixels info = toPixels(b.infoStrip, board);
    const Pixels panel = toPixels(b.questionPanel, board);
    const Pixels winner = toPixels(b.winnerPanel, board);
    print("board", board);
    print("SpielWand", wall);
    print("InfoFenster", info);
    print("FragFeld", panel);
    print("SiegerFenster", winner);
    // The winner text is centred vertically in its panel when it is shown.
    Pixels winnerText = toPixels(b.winnerText, winner);
    winnerText.top = winner.top + (winner.height - winnerText.height) / 2;
    print("lab_Sieger", winnerText);
    const layout::QuestionPanelLayout q = layout::questionPanelLayout(
        b.wall.width, b.wall.height, b.pictureWidth, b.pictureHeight, false, tx, boardW);
    const Pixels text = toPixels(q.text, panel);
    const Pixels ok = toPixels(b.ok, panel), wrong = toPixels(b.wrong, panel);
    const Pixels answer = toPixels(b.answer, panel), stopClock = toPixels(b.stopClock, panel);
    const Pixels stakeBox = toPixels(b.stakeBox, panel);
    print("lab_Frage", text);
    print("OK", ok);
    print("Falsch", wrong);
    print("ctl_Antwort", answer);
    print("ctl_Antwortbereit", stopClock);
    print("Risiko", stakeBox);
    for (int c = 0; c < 4; ++c)
        print("Thema_" + std::to_string(c), toPixels(b.topics[c], wall));
    for (int i = 0; i < 20; ++i)
        print("Feld_" + std::to_string(i), toPixels(b.fields[i], wall));
    for (int g = 0; g < 4; ++g) {
        print("Beschriftung_" + std::to_string(g), toPixels(b.names[g], info));
        print("Punkte_" + std::to_string(g), toPixels(b.scores[g], info));
    }

    if (scheme >= 0) {
        const ColourScheme s = colourScheme(scheme);
        // The board's own background shows in the margin left of the wall.
        std::printf("colour board %d %d %d %d %d\n", board.left + std::max(1, wall.left - board.left) / 2,
                    wall.top + wall.height / 2, s.windowBack.red(), s.windowBack.green(), s.windowBack.blue());
        for (int c = 0; c < 4; ++c)
            printFace("Thema_" + std::to_string(c), toPixels(b.topics[c], wall), s.topic, lighter(s.topic));
        for (int i = 0; i < 20; ++i) {
            const Pixels field = toPixels(b.fields[i], wall);
            const FieldShade shade = fieldShade(s, i);
            printFace("Feld_" + std::to_string(i), field, shade.back, shade.back2);
            // A played field leaves the wall behind it.
            printPoint("Feld_" + std::to_string(i) + "_gone", sampleX(field), sampleY(field), wall, s.wall,
                       lighter(s.wall));
        }
        for (int g = 0; g < 4; ++g) {
            const Pixels name = toPixels(b.names[g], info);
            printPoint("Beschriftung_" + std::to_string(g) + "_gone", sampleX(name), sampleY(name), info,
                       s.infoStrip, lighter(s.infoStrip));
        }
        // The question panel left of its text; the judging buttons take the
        // group panels' colours, the clock buttons keep a panel's own grey.
        const int panelX = (panel.left + text.left) / 2, panelY = panel.top + panel.height / 3;
        printPoint("FragFeld", panelX, panelY, panel, s.wall, s.questionBack2);
        // While a stake is awaited the panel blinks: white for its own colour.
        printPoint("FragFeld_blink", panelX, panelY, panel, Qt::white, s.questionBack2);
        printFace("OK", ok, s.score, lighter(s.score));
        printFace("Falsch", wrong, s.name, lighter(s.name));
        const QColor grey(0xC0, 0xC0, 0xC0);
        printFace("ctl_Antwort", answer, grey, lighter(grey));
        printFace("ctl_Antwortbereit", stopClock, grey, lighter(grey));
        printPoint("SiegerFenster", winner.left + winner.width / 20, winner.top + winner.height / 20, winner,
                   s.winnerBack, s.winnerBack2);
    }
    return 0;
}
