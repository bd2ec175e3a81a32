#include "BoardLayout.h"

#include <algorithm>
#include <cmath>

namespace wq::layout {

namespace {
// Sizes are kept in single precision, as the placement of the controls does.
double single(double value) { return double(float(value)); }

void placeColumns(BoardLayout &b, double sl, double sw)
{
    for (int c = 0; c < 4; ++c) {
        const double x0 = nearest(sl + nearest((sw - 2 * sl) / 4 * c));
        const double x1 = nearest(sl + nearest((sw - 2 * sl) / 4 * (c + 1)));
        b.topics[c].left = x0;
        b.topics[c].width = x1 - x0;
        b.topics[c].top = TopicTop;
        for (int r = 0; r < 5; ++r) {
            Rect &field = b.fields[4 * r + c];
            field.left = x0;
            field.width = single((x1 - x0) - b.marginX / 2.0);
        }
    }
}

void placeRows(BoardLayout &b, double st, double sh)
{
    const double unit = (sh - 2 * st) / 6.8;
    for (Rect &topic : b.topics)
        topic.height = nearest(st + nearest(unit));
    for (int k = 1; k <= 5; ++k) {
        const double previous = nearest(unit * (k - 1));
        const double next = nearest(st + nearest(unit * k));
        for (int c = 0; c < 4; ++c) {
            Rect &field = b.fields[4 * (k - 1) + c];
            field.top = b.topics[c].height + previous + 4 * st;
            field.height = single((next - previous) - 1.5 * b.marginY);
        }
    }
}

void placeGroupsVertically(BoardLayout &b)
{
    for (int i = 0; i < 4; ++i) {
        b.names[i].height = single((b.infoStrip.height - 2 * b.infoStrip.left) / 2);
        b.scores[i].height = b.names[i].height;
    }
    for (int i : {1, 3}) {
        b.names[i].top = b.names[i - 1].top + b.names[i - 1].height;
        b.scores[i].top = b.scores[i - 1].top + b.scores[i - 1].height;
    }
}

void placeGroups(BoardLayout &b)
{
    // Group 1 above group 2 on the left half, group 3 above group 4 on the right.
    for (int i = 0; i < 4; ++i) {
        const int nameColumn = i < 2 ? 0 : 2;
        b.names[i].left = b.topics[nameColumn].left;
        b.names[i].width = b.topics[nameColumn].width;
        b.scores[i].left = b.topics[nameColumn + 1].left;
        b.scores[i].width = b.topics[nameColumn + 1].width;
    }
    for (int i : {0, 2}) {
        b.names[i].top = GroupTop;
        b.scores[i].top = GroupTop;
    }
    placeGroupsVertically(b);
    b.groupFontPoints = b.names[0].height / 30;
    placeGroupsVertically(b);
}

void placeQuestionPanel(BoardLayout &b, double sl, double sw, double sh, double twipsPerPixelY)
{
    b.stakePrompt = {0, single(sh * 0.8), sw, StakePromptHeight};
    b.questionPanel = {QuestionPanelLeft, QuestionPanelTop, sw, sh};

    const Rect &f = b.questionPanel;
    const double buttonTop = f.height - ButtonHeight - f.left;
    const double buttonWidth = single((f.width - 2 * f.top) / 3);
    b.ok = {OkLeft, buttonTop, buttonWidth, ButtonHeight};
    b.wrong = {b.ok.left + buttonWidth, buttonTop, buttonWidth, ButtonHeight};
    b.answer = {b.wrong.left + buttonWidth, buttonTop, buttonWidth, ButtonHeight};
    b.stopClock = {single(b.wrong.left + buttonWidth / 2), buttonTop, buttonWidth, ButtonHeight};

    b.timeBar = {TimeBarLeft, b.ok.top - TimeBarHeight - sl, sw - 2 * sl, TimeBarHeight};
    b.joker = {sl, sl, sw - 2 * sl, sh - 2 * sl - ButtonHeight};
    b.stakeBox = {single(sw * 0.4), single(sh - StakeBoxHeight - 10 * twipsPerPixelY), single(sw * 0.2),
                  StakeBoxHeight};
}
} // namespace

double nearest(double value)
{
    // std::nearbyint rounds halves to even in the default rounding mode.
    return std::nearbyint(value);
}

BoardLayout formResize(const WindowMetrics &m)
{
    BoardLayout b;
    b.marginX = int(nearest(m.screenWidth / 800 * 5));
    b.marginY = int(nearest(m.screenHeight / 600 * 5));
    b.windowWidth = m.windowWidth;
    b.windowHeight = m.windowHeight;
    if (m.minimised)
        return b;
    b.applied = true;

    // The minimum outer size; the client area grows with the window.
    b.windowWidth = std::max(m.windowWidth, MinWindowWidth);
    b.windowHeight = std::max(m.windowHeight, MinWindowHeight);
    const double clientWidth = m.clientWidth + (b.windowWidth - m.windowWidth);
    const double clientHeight = m.clientHeight + (b.windowHeight - m.windowHeight);

    const double mx = b.marginX;
    const double my = b.marginY;
    b.infoStrip.height = single(b.windowHeight * 0.15);
    b.infoStrip.top = single(clientHeight - b.infoStrip.height - 2 * my);
    b.infoStrip.width = clientWidth - 2 * mx;
    b.infoStrip.left = mx;

    b.wall = {mx, my, clientWidth - 2 * mx, b.infoStrip.top - 2 * my};
    const double sl = b.wall.left, st = b.wall.top, sw = b.wall.width, sh = b.wall.height;

    b.pictureHeight = single(sh / 2);
    b.pictureWidth = single(sw / 3);
    placeQuestionPanel(b, sl, sw, sh, m.twipsPerPixelY);
    b.winnerPanel = b.wall;
    b.winnerText = {single(sw / 10), single(sh / 10), single(sw * 0.8), single(sh * 0.8)};

    placeColumns(b, sl, sw);
    placeRows(b, st, sh);
    placeGroups(b);
    return b;
}

QuestionPanelLayout questionPanelLayout(double w, double h, double pictureWidth, double pictureHeight,
                                        bool pictureShown, double twipsPerPixelX,
                                        double windowInnerWidthPixels)
{
    QuestionPanelLayout q;
    const double m = nearest(10 * twipsPerPixelX);
    const double band = nearest(TimeBarHeight + ButtonHeight + m);
    q.fontPoints = windowInnerWidthPixels * 24 / 1024;
    q.picture.width = pictureWidth;
    q.picture.height = pictureHeight;
    double textRight = w - 8 * m;
    if (pictureShown) {
        q.picture.top = single((h - pictureHeight - band) / 2);
        q.picture.left = single(w - pictureWidth - m);
        textRight = q.picture.left - 8 * m;
    }
    q.text = {8 * m, m, single(textRight - 8 * m), single(h - band - 2 * m)};
    return q;
}

BoardLayout projectorLayout()
{
    WindowMetrics m;
    m.screenWidth = m.windowWidth = m.clientWidth = ProjectorWidthPixels * ProjectorTwipsPerPixel;
    m.screenHeight = m.windowHeight = 768 * ProjectorTwipsPerPixel;
    m.clientHeight = 10500;
    m.twipsPerPixelX = m.twipsPerPixelY = ProjectorTwipsPerPixel;
    return formResize(m);
}

QuestionPanelLayout projectorQuestionLayout(bool pictureShown)
{
    const BoardLayout b = projectorLayout();
    return questionPanelLayout(b.wall.width, b.wall.height, b.pictureWidth, b.pictureHeight, pictureShown,
                               ProjectorTwipsPerPixel, ProjectorWidthPixels);
}

} // namespace wq::layout
