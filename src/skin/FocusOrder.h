#pragma once

class QWidget;

// Tab and Shift+Tab go through a skinned window's controls in reading order: row by row from the
// top, left to right within a row, wherever the skin has put them. From the window itself Tab
// goes to the first of them.
void SetFocusInReadingOrder(QWidget& window);
