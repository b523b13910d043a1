#include "platform/os/desktop/menu.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

namespace quendral::os {
namespace {

struct MenuItem {
  unsigned flags;
  std::uintptr_t id;
  MenuHandle submenu;
  std::string text;
};

struct Menu {
  std::vector<MenuItem> items;
};

// Every live menu by handle, so that a stale or made-up handle is refused
// instead of followed.
class MenuTable {
 public:
  MenuHandle Create() {
    std::lock_guard<std::mutex> lock(mutex_);
    const MenuHandle handle{++last_handle_};
    menus_[handle];
    return handle;
  }

  bool Destroy(MenuHandle handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    return DestroyLocked(handle);
  }

  // Runs `action` on the menu while no other thread can change the table;
  // `fallback` when there is no such menu.
  template <typename Result, typename Action>
  Result With(MenuHandle handle, Result fallback, Action action) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = menus_.find(handle);
    return found == menus_.end() ? fallback : action(found->second);
  }

  // For actions run by With, which hold the lock already.
  bool ExistsWhileLocked(MenuHandle handle) const { return menus_.count(handle) != 0; }
  std::size_t ItemCountWhileLocked(MenuHandle handle) const {
    const auto found = menus_.find(handle);
    return found == menus_.end() ? 0 : found->second.items.size();
  }

 private:
  bool DestroyLocked(MenuHandle handle) {
    const auto found = menus_.find(handle);
    if (found == menus_.end()) {
      return false;
    }
    const std::vector<MenuItem> items = std::move(found->second.items);
    menus_.erase(found);
    for (const MenuItem& item : items) {
      if (item.submenu != kNoMenu) {
        DestroyLocked(item.submenu);
      }
    }
    return true;
  }

  std::mutex mutex_;
  std::map<MenuHandle, Menu> menus_;
  std::uintptr_t last_handle_ = 0;
};

MenuTable& Menus() {
  static MenuTable table;
  return table;
}

const MenuItem* ItemAt(const Menu& menu, int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= menu.items.size()) {
    return nullptr;
  }
  return &menu.items[static_cast<std::size_t>(position)];
}

// The item `flags`, `item` and `text` describe; false when `item` should be
// a submenu of ours and is not. Runs inside MenuTable::With.
bool MakeItem(unsigned flags, std::uintptr_t item, const std::string& text, MenuItem* made) {
  const unsigned kept = flags & ~static_cast<unsigned>(kMenuByPosition);
  if ((flags & kMenuPopup) != 0) {
    const MenuHandle submenu{item};
    if (!Menus().ExistsWhileLocked(submenu)) {
      return false;
    }
    *made = {kept, 0, submenu, text};
  } else if ((flags & kMenuSeparator) != 0) {
    *made = {kept, 0, kNoMenu, std::string()};
  } else {
    *made = {kept, item, kNoMenu, text};
  }
  return true;
}

bool Insert(MenuHandle menu, std::size_t position, unsigned flags, std::uintptr_t item,
            const std::string& text) {
  return Menus().With(menu, false, [&](Menu& target) {
    MenuItem made;
    if (!MakeItem(flags, item, text, &made)) {
      return false;
    }
    const std::size_t at = std::min(position, target.items.size());
    target.items.insert(target.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(made));
    return true;
  });
}

}  // namespace

MenuHandle CreateMenuBar() { return Menus().Create(); }

MenuHandle CreatePopupMenu() { return Menus().Create(); }

bool DestroyMenu(MenuHandle menu) { return Menus().Destroy(menu); }

int MenuItemCount(MenuHandle menu) {
  return Menus().With(menu, -1, [](Menu& found) { return static_cast<int>(found.items.size()); });
}

bool MenuItemText(MenuHandle menu, int position, std::string* text) {
  return Menus().With(menu, false, [&](Menu& found) {
    const MenuItem* item = ItemAt(found, position);
    if (item == nullptr || item->text.empty()) {
      return false;
    }
    *text = item->text;
    return true;
  });
}

unsigned MenuItemState(MenuHandle menu, int position) {
  return Menus().With(menu, kNoMenuItem, [&](Menu& found) -> unsigned {
    const MenuItem* item = ItemAt(found, position);
    if (item == nullptr) {
      return kNoMenuItem;
    }
    if (item->submenu == kNoMenu) {
      return item->flags;
    }
    const auto count = static_cast<unsigned>(Menus().ItemCountWhileLocked(item->submenu));
    return (count << 8) | item->flags | kMenuPopup;
  });
}

unsigned MenuItemId(MenuHandle menu, int position) {
  return Menus().With(menu, kNoMenuItem, [&](Menu& found) -> unsigned {
    const MenuItem* item = ItemAt(found, position);
    return item == nullptr || item->submenu != kNoMenu ? kNoMenuItem
                                                       : static_cast<unsigned>(item->id);
  });
}

MenuHandle SubMenu(MenuHandle menu, int position) {
  return Menus().With(menu, kNoMenu, [&](Menu& found) {
    const MenuItem* item = ItemAt(found, position);
    return item == nullptr ? kNoMenu : item->submenu;
  });
}

bool AppendMenuItem(MenuHandle menu, unsigned flags, std::uintptr_t item, const std::string& text) {
  return Insert(menu, SIZE_MAX, flags, item, text);
}

bool InsertMenuItem(MenuHandle menu, int position, unsigned flags, std::uintptr_t item,
                    const std::string& text) {
  if ((flags & kMenuByPosition) == 0 || position < 0) {
    return false;
  }
  return Insert(menu, static_cast<std::size_t>(position), flags, item, text);
}

}  // namespace quendral::os
