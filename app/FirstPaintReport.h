#pragma once
// Start-up measuring without screenshots: with WANDQUIZ_REPORT_FIRST_PAINT
// set, one line "first paint after N ms" goes to stderr once `widget` has
// been painted and handed to the window system for the first time. N counts
// from the process start as the kernel records it (10 ms steps); a launcher
// that wants finer figures times the line's arrival itself.
// Depends on Qt Widgets only, so a bare comparison program can use it too.

#include <functional>

class QWidget;

namespace wq {

void reportFirstPaint(QWidget *widget);
// Calls `then` once, when `widget` has been painted for the first time.
void whenFirstPainted(QWidget *widget, std::function<void()> then);

} // namespace wq
