#include "skin/AccessibleNames.h"

#include <QWidget>

void SetAccessibleNames(std::initializer_list<std::pair<QWidget*, StringId>> controls) {
    for (const auto& [control, name] : controls) {
        control->setAccessibleName(StringTable::Load(name));
    }
}
