#include "GameState.h"

#include "model/cls_Wall.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>

namespace wq {

namespace {
constexpr qint64 MaxStateFileSize = 1 << 20;
constexpr int GroupSlots = 4;

QStringList texts(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        list.append(item.toString());
    return list;
}
} // namespace

bool GameState::isFresh() const
{
    const bool nonePlayed = std::none_of(played.begin(), played.end(), [](bool p) { return p; });
    bool asStarted = groupCount == 2 && currentGroup == 1;
    for (int g = 0; g < GroupSlots; ++g)
        asStarted = asStarted && scores.value(g) == u"0" && names.value(g) == QStringLiteral("Gruppe %1").arg(g + 1);
    return nonePlayed && asStarted;
}

QString wallFingerprint(cls_Wall &wall)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &topic : wall.TOPICS().items())
        hash.addData(topic.toUtf8() + '\0');
    for (int i = 0; i < cls_Wall::FieldCount; ++i) {
        const cls_WallField &field = wall.Item(i, true);
        for (const QString &text : {field.QUESTION, field.ANSWER})
            hash.addData(text.toUtf8() + '\0');
        hash.addData(field.IMAGENAME.utf8() + '\0');
        hash.addData(QByteArray::number(field.SORT) + '\0' + QByteArray::number(field.IMAGEMODE) + '\0');
    }
    return QString::fromLatin1(hash.result().toHex());
}

bool saveGameState(const GameState &state, const QString &path)
{
    QJsonArray played;
    for (int i = 0; i < 20; ++i)
        if (state.played[i])
            played.append(i);
    const QJsonObject object{
        {"played", played},
        {"scores", QJsonArray::fromStringList(state.scores)},
        {"names", QJsonArray::fromStringList(state.names)},
        {"groupCount", state.groupCount},
        {"currentGroup", state.currentGroup},
        {"wall", state.wallFingerprint},
    };
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(object).toJson()) > 0 && file.commit();
}

std::optional<GameState> loadGameState(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxStateFileSize)
        return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    GameState state;
    state.scores = texts(object["scores"]);
    state.names = texts(object["names"]);
    state.groupCount = object["groupCount"].toInt();
    state.currentGroup = object["currentGroup"].toInt();
    state.wallFingerprint = object["wall"].toString();
    for (const QJsonValue &index : object["played"].toArray()) {
        const int i = index.toInt(-1);
        if (i < 0 || i >= 20)
            return std::nullopt;
        state.played[i] = true;
    }
    const bool whole = state.scores.size() == GroupSlots && state.names.size() == GroupSlots
                       && state.groupCount >= 1 && state.groupCount <= GroupSlots && state.currentGroup >= 1
                       && state.currentGroup <= state.groupCount && !state.wallFingerprint.isEmpty();
    if (!whole)
        return std::nullopt;
    return state;
}

} // namespace wq
