#pragma once
// Where every board element goes, computed in twips (1/1440 inch) from the
// window and screen sizes. Pure functions: the window applies the result at
// the screen's twips per pixel.

#include <array>

namespace wq::layout {

struct Rect {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const Rect &) const = default;
};

// Design sizes and positions the layout relies on but never changes.
inline constexpr double ButtonHeight = 555;        // OK, Falsch, ctl_Antwort, ctl_Antwortbereit
inline constexpr double TimeBarHeight = 495;       // ZeitAnz
inline constexpr double StakeBoxHeight = 420;      // Risiko
inline constexpr double StakePromptHeight = 495;   // lab_Risiko
inline constexpr double TopicTop = 180;            // Thema(c)
inline constexpr double GroupTop = 60;             // Beschriftung(0/2), Punkte(0/2)
inline constexpr double QuestionPanelLeft = 60;    // FragFeld
inline constexpr double QuestionPanelTop = 120;
inline constexpr double OkLeft = 360;              // OK inside FragFeld
inline constexpr double TimeBarLeft = 300;         // ZeitAnz inside FragFeld
inline constexpr double MinWindowWidth = 4620;
inline constexpr double MinWindowHeight = 5460;

struct WindowMetrics {
    double screenWidth = 0, screenHeight = 0;        // twips
    double twipsPerPixelX = 15, twipsPerPixelY = 15;
    double windowWidth = 0, windowHeight = 0;        // outer size, twips
    double clientWidth = 0, clientHeight = 0;        // inside frame, title and menu
    bool minimised = false;
};

// The question panel's text and picture (positions inside FragFeld).
struct QuestionPanelLayout {
    Rect picture;       // pic_ImageScaled
    Rect text;          // lab_Frage
    double fontPoints = 24;
};

struct BoardLayout {
    bool applied = false;          // false: the window is minimised, nothing moves
    double windowWidth = 0, windowHeight = 0; // after the minimum size was enforced
    int marginX = 0, marginY = 0;  // MX, MY
    Rect infoStrip;                // InfoFenster
    Rect wall;                     // SpielWand
    Rect questionPanel;            // FragFeld
    Rect winnerPanel;              // SiegerFenster
    Rect winnerText;               // lab_Sieger, inside SiegerFenster
    Rect stakePrompt;              // lab_Risiko
    Rect stakeBox;                 // Risiko
    Rect ok, wrong, answer, stopClock; // OK, Falsch, ctl_Antwort, ctl_Antwortbereit
    Rect timeBar;                  // ZeitAnz
    Rect joker;                    // pic_Joker
    double pictureWidth = 0, pictureHeight = 0; // pic_ImageScaled
    std::array<Rect, 4> topics;    // Thema(c), inside SpielWand
    std::array<Rect, 20> fields;   // Feld(i), inside SpielWand
    std::array<Rect, 4> names;     // Beschriftung(g), inside InfoFenster
    std::array<Rect, 4> scores;    // Punkte(g), inside InfoFenster
    double groupFontPoints = 0;
};

// The nearest whole number, halves to the even one.
double nearest(double value);

// One layout pass (the window's resize handler).
BoardLayout formResize(const WindowMetrics &metrics);

// The question panel's text and picture for a wall of `wallWidth` x
// `wallHeight` twips; `pictureShown` when a picture is on the panel.
QuestionPanelLayout questionPanelLayout(double wallWidth, double wallHeight, double pictureWidth,
                                        double pictureHeight, bool pictureShown,
                                        double twipsPerPixelX, double windowInnerWidthPixels);

// The smallest screen a class sees the board on: a window filling a
// 1024 x 768 projector at 15 twips per pixel, its client area 15360 x 10500
// twips beneath title and menu bar. What fits there fits everywhere.
inline constexpr double ProjectorTwipsPerPixel = 15;
inline constexpr int ProjectorWidthPixels = 1024;
BoardLayout projectorLayout();
QuestionPanelLayout projectorQuestionLayout(bool pictureShown);

} // namespace wq::layout
