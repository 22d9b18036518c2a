// MapObjectDialog: the "オブジェクト" dialog (template 161) that keeps the list of map object
// names in the settings, lets the user add and delete names, and records the chosen one.
#pragma once

#include <array>
#include <string>

#include "editing/map_object_list.h"
#include "win/dialog.h"

namespace vondrel {

class MapObjectDialog : public win::Dialog {
public:
    // `store`: the program's settings.
    explicit MapObjectDialog(const SettingsStore& store);

    std::array<std::string, kMaxMapObjects> objectNames;
    int objectCount = 0;
    std::string selectedObject;  // the name chosen with OK; "" when none was selected

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void Add();
    void Delete();
    void SelectCurrent();

    const SettingsStore& store;
};

}  // namespace vondrel
