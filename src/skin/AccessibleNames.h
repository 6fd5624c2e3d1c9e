#pragma once

#include <initializer_list>
#include <utility>

#include "platform/StringTable.h"

class QWidget;

// Names the controls for screen readers and other assistive technology, in the listener's
// language. Skinned controls show only pictures, so without a name they would be read as
// "button" and nothing more.
void SetAccessibleNames(std::initializer_list<std::pair<QWidget*, StringId>> controls);
