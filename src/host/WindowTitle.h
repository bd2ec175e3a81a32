#pragma once
// Window titles exactly as the program gives them. Qt on X11 shows the
// program's name in the title bar of a window whose title is empty; a box
// meant to have no title keeps an empty one.

class QWidget;

namespace wq {

// From now on, whenever `window` is shown, its title on screen is empty.
void keepTitleEmpty(QWidget &window);

} // namespace wq
