#pragma once
// What a game in progress is: the fields played, the scores and names of
// the groups, how many play and whose turn it is. Kept after every judgement
// so a game survives a crash, and before it so a judgement can be taken back.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace wq {

class cls_Wall;

struct GameState {
    std::array<bool, 20> played{};
    QStringList scores;      // four score texts
    QStringList names;       // four group names
    int groupCount = 2;
    int currentGroup = 1;
    QString wallFingerprint; // the wall the game is played on

    bool operator==(const GameState &) const = default;
    // Nothing has happened yet: no field played, no points, the groups as
    // every game starts them.
    bool isFresh() const;
};

// A short text that changes whenever the wall's topics or fields change.
QString wallFingerprint(cls_Wall &wall);

// Writes the state atomically; false when it cannot be written.
bool saveGameState(const GameState &state, const QString &path);
// The state in the file, or nothing when the file is missing or damaged.
std::optional<GameState> loadGameState(const QString &path);

} // namespace wq
