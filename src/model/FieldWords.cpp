#include "FieldWords.h"

namespace wq {

const WordChoices &kindWords()
{
    static const WordChoices words = {{QStringLiteral("Frage"), KindQuestion},
                                      {QStringLiteral("Risiko"), KindRisk},
                                      {QStringLiteral("Joker"), KindJoker}};
    return words;
}

const WordChoices &pictureModeWords()
{
    static const WordChoices words = {{QStringLiteral("zur Frage"), PictureWithQuestion},
                                      {QStringLiteral("zur Antwort"), PictureWithAnswer},
                                      {QStringLiteral("zu beiden"), PictureWithBoth}};
    return words;
}

QString wordOf(const WordChoices &words, int value, int fallback)
{
    for (const auto &[word, stands] : words)
        if (stands == value)
            return word;
    return value == fallback ? QString() : wordOf(words, fallback, fallback);
}

std::optional<int> valueOf(const WordChoices &words, const QString &word)
{
    const QString trimmed = word.trimmed();
    for (const auto &[name, value] : words)
        if (name.compare(trimmed, Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

} // namespace wq
