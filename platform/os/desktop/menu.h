// Menus: menu bars and popup menus of command items, separators and
// submenus, addressed by position.
//
// On Windows these are the user interface's menus (CreatePopupMenu,
// GetMenuItemCount, GetMenuStringA, GetMenuState, GetMenuItemID,
// GetSubMenu, AppendMenuA, InsertMenuA, DestroyMenu) and the flags are the
// MF_ flags. Elsewhere they are menus of ours, kept in memory with the same
// operations, flags and rules: a menu owns the submenus inserted into it and
// destroys them with itself, and an unknown handle makes every operation
// fail.
#ifndef QUENDRAL_PLATFORM_OS_DESKTOP_MENU_H_
#define QUENDRAL_PLATFORM_OS_DESKTOP_MENU_H_

#include <cstdint>
#include <string>

namespace quendral::os {

// A menu; kNoMenu is none.
enum class MenuHandle : std::uintptr_t {};
inline constexpr MenuHandle kNoMenu{};

// Item flags, as given to AppendMenuItem and InsertMenuItem and as read by
// MenuItemState.
enum MenuFlags : unsigned {
  kMenuString = 0x0000,
  kMenuGrayed = 0x0001,
  kMenuDisabled = 0x0002,
  kMenuChecked = 0x0008,
  kMenuPopup = 0x0010,
  kMenuByPosition = 0x0400,
  kMenuSeparator = 0x0800,
};

// What MenuItemState and MenuItemId give for a position without an item.
inline constexpr unsigned kNoMenuItem = 0xFFFFFFFFU;

MenuHandle CreateMenuBar();
MenuHandle CreatePopupMenu();
// Destroys the menu and every submenu it holds.
bool DestroyMenu(MenuHandle menu);

// -1 when `menu` is not a menu.
int MenuItemCount(MenuHandle menu);
// The text of the item at `position`; false when there is none (separators
// have no text).
bool MenuItemText(MenuHandle menu, int position, std::string* text);
// The flags of the item at `position`; for a submenu also its item count
// shifted left by 8. kNoMenuItem when there is no item.
unsigned MenuItemState(MenuHandle menu, int position);
// The command identifier of the item at `position`; kNoMenuItem for a
// submenu or when there is no item.
unsigned MenuItemId(MenuHandle menu, int position);
// The submenu of the item at `position`; kNoMenu for a command item.
MenuHandle SubMenu(MenuHandle menu, int position);

// Adds an item at the end: a command `item` with `text`, a separator
// (kMenuSeparator), or, with kMenuPopup, the submenu whose handle is `item`,
// which then belongs to `menu`.
bool AppendMenuItem(MenuHandle menu, unsigned flags, std::uintptr_t item, const std::string& text);
// As AppendMenuItem, but before the item at `position` (with
// kMenuByPosition; at the end when `position` is past the last item).
bool InsertMenuItem(MenuHandle menu, int position, unsigned flags, std::uintptr_t item,
                    const std::string& text);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DESKTOP_MENU_H_
