#pragma once
// A wall as JSON, for `wandquiz-wall dump` and the tools that read it.

#include <QString>

namespace wq {

class cls_Wall;

// The wall as JSON, in a fixed shape other tools rely on:
// {"loaded", "filename", "author", "description", "title", "targetgroup",
//  "difficulty", "randomize", "topics": [...], "fields": [{"question",
//  "answer", "imagename", "imagemode", "sort", "talign"}, ...]}
QString wallToJson(cls_Wall &wall, bool loaded);

} // namespace wq
