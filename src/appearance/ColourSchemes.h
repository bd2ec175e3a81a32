#pragma once
// The three colour schemes of the board.

#include <QColor>
#include <QStringList>
#include <array>

namespace wq {

struct ColourScheme {
    QColor windowBack;
    QColor wall;             // SpielWand
    QColor infoStrip;        // InfoFenster
    QColor topic;            // Thema(0..3)
    QColor name;             // Beschriftung(0..3)
    QColor score;            // Punkte(0..3)
    QColor winnerBack, winnerBack2;
    QColor questionBack2;    // FragFeld second back colour
    QColor questionText;     // lab_Frage
    QColor answerText;       // lab_Antwort
    QColor winnerText;       // lab_Sieger
    QColor timeBar, timeBarBack;
    std::array<QColor, 4> columnBase;
};

// "&Das kleine Wandquiz", "Blaue See", "Schwarzweiß"
inline constexpr int SchemeCount = 3;
inline constexpr int SchemeBlueSea = 1;
QStringList schemeCaptions();
ColourScheme colourScheme(int index);

struct FieldShade {
    QColor back;
    QColor back2;
};
// The field at board index i: its column's base colour, lighter in the top
// rows and darker in the bottom ones, the second colour 20 points lighter.
FieldShade fieldShade(const ColourScheme &scheme, int fieldIndex);

} // namespace wq
