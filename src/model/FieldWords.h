#pragma once
// The German words for a field's kind and its picture mode, as the editor
// shows them and spreadsheet tables hold them: one table for reading and
// writing them everywhere.

#include "cls_WallField.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace wq {

using WordChoices = QList<std::pair<QString, int>>;

// "Frage", "Risiko", "Joker".
const WordChoices &kindWords();
// "zur Frage", "zur Antwort", "zu beiden".
const WordChoices &pictureModeWords();

// The word of `value`; `fallback`'s word where no word stands for it.
QString wordOf(const WordChoices &words, int value, int fallback);
// The value a word stands for, in any case and with blanks around it.
std::optional<int> valueOf(const WordChoices &words, const QString &word);

} // namespace wq
