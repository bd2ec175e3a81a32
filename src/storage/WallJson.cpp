#include "WallJson.h"

#include "model/cls_Wall.h"

namespace wq {

namespace {
QString jsonString(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString jsonBool(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

QString fieldJson(const cls_WallField &field)
{
    // Concatenated, not formatted: the texts may hold "%1" themselves.
    return QStringLiteral("{\"question\": ") + jsonString(field.QUESTION)
           + QStringLiteral(", \"answer\": ") + jsonString(field.ANSWER)
           + QStringLiteral(", \"imagename\": ") + jsonString(field.IMAGENAME)
           + QStringLiteral(", \"imagemode\": ") + QString::number(field.IMAGEMODE)
           + QStringLiteral(", \"sort\": ") + QString::number(field.SORT)
           + QStringLiteral(", \"talign\": ") + QString::number(field.TALIGN) + u'}';
}
} // namespace

QString wallToJson(cls_Wall &wall, bool loaded)
{
    QStringList topics;
    for (const QString &topic : wall.TOPICS().items())
        topics.append(jsonString(topic));
    QStringList fields;
    const qint32 count = wall.DATABASE->count();
    for (qint32 index = 0; index < count; ++index)
        fields.append(QStringLiteral("    ") + fieldJson(wall.Item(index, true)));

    QString json = QStringLiteral("{\n");
    json += QStringLiteral("  \"loaded\": %1,\n").arg(jsonBool(loaded));
    json += QStringLiteral("  \"filename\": %1,\n").arg(jsonString(wall.FILENAME));
    json += QStringLiteral("  \"author\": %1,\n").arg(jsonString(wall.AUTHOR));
    json += QStringLiteral("  \"description\": %1,\n").arg(jsonString(wall.DESCRIPTION));
    json += QStringLiteral("  \"title\": %1,\n").arg(jsonString(wall.TITLE));
    json += QStringLiteral("  \"targetgroup\": %1,\n").arg(jsonString(wall.TARGETGROUP));
    json += QStringLiteral("  \"difficulty\": %1,\n").arg(wall.DIFFICULTY);
    json += QStringLiteral("  \"randomize\": %1,\n").arg(jsonBool(wall.RANDOMIZE));
    json += QStringLiteral("  \"topics\": [%1],\n").arg(topics.join(QStringLiteral(", ")));
    json += QStringLiteral("  \"fields\": [\n%1\n  ]\n}\n").arg(fields.join(QStringLiteral(",\n")));
    return json;
}

} // namespace wq
