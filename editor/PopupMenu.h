#pragma once

#include <string>
#include <vector>

// The items of a value prompt's menu, shown by the window layer.
class PopupMenu {
 public:
  struct Item {
    std::string text;
    bool checked = false;
    bool enabled = true;
  };

  void AddItem(const char* text, bool checked = false, bool enabled = true) {
    items.push_back(Item{text ? text : "", checked, enabled});
  }
  int NItems() const { return static_cast<int>(items.size()); }
  // Null for an index outside the menu.
  const Item* GetItem(int index) const {
    return index >= 0 && index < NItems() ? &items[static_cast<std::size_t>(index)] : nullptr;
  }

 private:
  std::vector<Item> items;
};
