// The map object chooser.
#include "dialogs/map_object_dialog.h"

#include <vector>

#include "resource.h"
#include "win/controls.h"

namespace vondrel {

MapObjectDialog::MapObjectDialog(const SettingsStore& settings) : Dialog(IDD_MAP_OBJECTS), store(settings) {
    OnCommand(IDC_OBJECTS_ADD, &MapObjectDialog::Add);
    OnCommand(IDC_OBJECTS_DELETE, &MapObjectDialog::Delete);
}

BOOL MapObjectDialog::OnInitDialog() {
    objectNames = MergeObjectList(store);
    const win::ListBox list(Item(IDC_OBJECTS_LIST).Hwnd());
    objectCount = 0;
    for (const std::string& name : objectNames) {
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
        objectNames[static_cast<std::size_t>(objectCount)] = name;
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
    for (std::size_t i = 0; i < objectNames.size(); ++i) objectNames[i] = i < remaining.size() ? remaining[i] : "";
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

}  // namespace vondrel
