#include "WallDocument.h"

#include "host/TextTools.h"

#include <QFileInfo>
#include <functional>

namespace wq {

namespace {
// A change of one value. Consecutive changes of the same text merge into one
// step, so typing a question is undone as a whole, not letter by letter.
template <typename T> class ValueCommand final : public QUndoCommand {
public:
    ValueCommand(const QString &what, int mergeId, T before, T after, std::function<void(const T &)> apply)
        : QUndoCommand(what), m_mergeId(mergeId), m_before(std::move(before)), m_after(std::move(after)),
          m_apply(std::move(apply))
    {
    }
    void redo() override { m_apply(m_after); }
    void undo() override { m_apply(m_before); }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = dynamic_cast<const ValueCommand *>(other);
        if (!next || m_mergeId < 0)
            return false;
        m_after = next->m_after;
        return true;
    }

private:
    int m_mergeId;
    T m_before, m_after;
    std::function<void(const T &)> m_apply;
};

// Merge ids: one per text that is typed into; -1 never merges.
constexpr int NoMerge = -1;
int textMergeId(int slot) { return 1 + slot; }
constexpr int TopicSlots = 10;
} // namespace

WallContent WallContent::of(cls_Wall &wall)
{
    WallContent content;
    content.topics = wall.TOPICS().items();
    for (int i = 0; i < cls_Wall::FieldCount; ++i) {
        const cls_WallField &f = wall.Item(i, true);
        content.fields.append({f.QUESTION, f.ANSWER, f.IMAGENAME, f.IMAGEMODE, f.SORT, f.TALIGN});
    }
    return content;
}

void WallContent::applyTo(cls_Wall &wall) const
{
    StringList &list = wall.TOPICS();
    list.clear();
    for (const QString &topic : topics)
        list.append(topic);
    for (int i = 0; i < fields.size() && i < cls_Wall::FieldCount; ++i) {
        cls_WallField &f = wall.Item(i, true);
        const Field &from = fields[i];
        f.QUESTION = from.question;
        f.ANSWER = from.answer;
        f.IMAGENAME = from.picture;
        f.IMAGEMODE = from.mode;
        f.SORT = from.kind;
        f.TALIGN = from.align;
    }
}

WallDocument::WallDocument(const Host &host, QObject *parent)
    : QObject(parent), m_host(host), m_wall(std::make_unique<cls_Wall>(host))
{
}

WallDocument::~WallDocument() = default;

QString WallDocument::name()
{
    if (!m_wall->TITLE.trimmed().isEmpty())
        return m_wall->TITLE.trimmed();
    if (!m_path.isEmpty())
        return QFileInfo(m_path).completeBaseName();
    return QStringLiteral("Neue Wand");
}

bool WallDocument::load(const QString &path)
{
    auto wall = std::make_unique<cls_Wall>(m_host);
    if (!wall->LOAD(path, QString()) || wall->FILENAME != path)
        return false;
    m_wall = std::move(wall);
    m_path = path;
    m_undo.clear();
    Q_EMIT changed();
    return true;
}

void WallDocument::startEmpty()
{
    m_wall = std::make_unique<cls_Wall>(m_host);
    m_undo.clear();
    Q_EMIT changed();
}

template <typename T>
void WallDocument::change(const QString &what, int mergeId, T before, T after, std::function<void(const T &)> apply)
{
    if (before == after)
        return;
    auto applyAndTell = [this, apply = std::move(apply)](const T &value) {
        apply(value);
        Q_EMIT changed();
    };
    m_undo.push(new ValueCommand<T>(what, mergeId, std::move(before), std::move(after), std::move(applyAndTell)));
}

QString &WallDocument::wallTextOf(WallText which) const
{
    switch (which) {
    case WallText::Author:
        return m_wall->AUTHOR;
    case WallText::Description:
        return m_wall->DESCRIPTION;
    case WallText::TargetGroup:
        return m_wall->TARGETGROUP;
    case WallText::Title:
        break;
    }
    return m_wall->TITLE;
}

QString WallDocument::wallText(WallText which) const
{
    return wallTextOf(which);
}

QString WallDocument::topic(int column) const
{
    return m_wall->TOPICS().at(column + 1);
}

const cls_WallField &WallDocument::field(int index) const
{
    return m_wall->Item(index, true);
}

void WallDocument::setWallText(WallText which, const QString &text)
{
    change<QString>(QStringLiteral("Angaben zur Wand"), textMergeId(int(which)), wallText(which), text,
                    [this, which](const QString &value) { wallTextOf(which) = value; });
}

void WallDocument::setDifficulty(int difficulty)
{
    change<qint32>(QStringLiteral("Schwierigkeit"), NoMerge, m_wall->DIFFICULTY, difficulty,
                   [this](const qint32 &value) { m_wall->DIFFICULTY = value; });
}

void WallDocument::setTopic(int column, const QString &title)
{
    change<QString>(QStringLiteral("Thema %1").arg(column + 1), textMergeId(TopicSlots + column), topic(column), title,
                    [this, column](const QString &value) { m_wall->TOPICS().set(column + 1, value); });
}

void WallDocument::setFieldText(int index, FieldText which, const QString &text)
{
    const bool question = which == FieldText::Question;
    const cls_WallField &f = field(index);
    change<QString>(question ? QStringLiteral("Frage") : QStringLiteral("Antwort"),
                    textMergeId(2 * TopicSlots + 2 * index + (question ? 0 : 1)), question ? f.QUESTION : f.ANSWER, text,
                    [this, index, question](const QString &value) {
                        cls_WallField &changed = m_wall->Item(index, true);
                        (question ? changed.QUESTION : changed.ANSWER) = value;
                    });
}

void WallDocument::setKind(int index, qint32 kind)
{
    change<qint32>(QStringLiteral("Art"), NoMerge, field(index).SORT, kind,
                   [this, index](const qint32 &value) { m_wall->Item(index, true).SORT = value; });
}

void WallDocument::setPicture(int index, const QString &picture, qint32 mode)
{
    using Choice = std::pair<QString, qint32>;
    const cls_WallField &f = field(index);
    change<Choice>(QStringLiteral("Bild"), NoMerge, Choice(f.IMAGENAME, f.IMAGEMODE), Choice(picture, mode),
                   [this, index](const Choice &value) {
                       cls_WallField &changed = m_wall->Item(index, true);
                       changed.IMAGENAME = value.first;
                       changed.IMAGEMODE = value.second;
                   });
}

void WallDocument::replaceContent(const WallContent &content, const QString &what)
{
    change<WallContent>(what, NoMerge, WallContent::of(*m_wall), content,
                        [this](const WallContent &value) { value.applyTo(*m_wall); });
}

} // namespace wq
