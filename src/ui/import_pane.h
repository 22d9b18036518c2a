// ImportPane: the second list of the main window. It shows the points of another point file
// (its own table, never saved) so the user can drag some of them into the edited list.
#pragma once

#include <string>

#include "core/point_table.h"
#include "ui/point_list.h"

namespace vondrel {

class ImportPane : public PointListBase {
public:
    PointTable importTable;
    std::string importPath;
    int rowLimit = 0;
    bool dragging = false;
};

}  // namespace vondrel
