// The map object chooser.
#include "dialogs/map_object_dialog.h"

#include <vector>

#include "editing/map_object_list.h"
#include "resource.h"
#include "win/controls.h"
#include "win/dialog.h"

namespace vondrel {

namespace {

class MapObjectDialog : public win::Dialog {
public:
    explicit MapObjectDialog(const SettingsStore& store);

    const std::string& SelectedObject() const { return selectedObject; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void Add();
    void Delete();
    void SelectCurrent();

    const SettingsStore& store;
    int objectCount = 0;  // the names listed
    std::string selectedObject;  // the name chosen with OK; "" when none was selected
};

MapObjectDialog::MapObjectDialog(const SettingsStore& settings) : Dialog(IDD_MAP_OBJECTS), store(settings) {
    OnCommand(IDC_OBJECTS_ADD, &MapObjectDialog::Add);
    OnCommand(IDC_OBJECTS_DELETE, &MapObjectDialog::Delete);
}

BOOL MapObjectDialog::OnInitDialog() {
    const win::ListBox list(Item(IDC_OBJECTS_LIST).Hwnd());
    objectCount = 0;
    for (const std::string& name : MergeObjectList(store)) {
        if (name.empty()) break;  // an empty name ends the list shown
        list.Add(name);
        ++objectCount;
    }
    SelectCurrent();
    return TRUE;
}

void MapObjectDialog::SelectCurrent() {
    const win::ListBox list(Item(IDC_OBJECTS_LIST).Hwnd());
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i) entries.push_back(list.EntryText(i));
    list.Select(CurrentObjectIndex(store, entries));
}

void MapObjectDialog::Add() {
    if (objectCount >= kMaxMapObjects) return;  // the list is full; the typed name stays
    const win::Window edit = Item(IDC_OBJECTS_NEW_NAME);
    const std::string name = edit.GetText();
    if (!name.empty()) {
        win::ListBox(Item(IDC_OBJECTS_LIST).Hwnd()).Add(name);
        StoreAddedObject(store, objectCount, name);
        ++objectCount;
    }
    edit.SetText("");
}

void MapObjectDialog::Delete() {
    const win::ListBox list(Item(IDC_OBJECTS_LIST).Hwnd());
    const int selected = list.Selection();
    if (selected >= 0) list.Remove(selected);
    std::vector<std::string> remaining;
    for (int i = 0; i < list.Count(); ++i) remaining.push_back(list.EntryText(i));
    StoreObjectList(store, remaining);
    objectCount = static_cast<int>(remaining.size());
    SelectCurrent();
}

void MapObjectDialog::OnOK() {
    const win::ListBox list(Item(IDC_OBJECTS_LIST).Hwnd());
    const int selected = list.Selection();
    if (selected >= 0) {
        selectedObject = list.EntryText(selected);
        store.WriteStringValue(kChosenObjectValue, selectedObject);
    } else {
        selectedObject.clear();
    }
    End(IDOK);
}

}  // namespace

std::optional<std::string> ChooseMapObject(HWND owner, const SettingsStore& store) {
    MapObjectDialog dialog(store);
    if (dialog.RunModal(owner) != IDOK) return std::nullopt;
    return dialog.SelectedObject();
}

}  // namespace vondrel
