#include "platform/os/desktop/menu.h"

#include <vector>

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {
namespace {

HMENU Native(MenuHandle menu) { return reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(menu)); }

MenuHandle Ours(HMENU menu) {
  return static_cast<MenuHandle>(reinterpret_cast<std::uintptr_t>(menu));
}

}  // namespace

MenuHandle CreateMenuBar() { return Ours(::CreateMenu()); }

MenuHandle CreatePopupMenu() { return Ours(::CreatePopupMenu()); }

bool DestroyMenu(MenuHandle menu) { return ::DestroyMenu(Native(menu)) != FALSE; }

int MenuItemCount(MenuHandle menu) { return ::GetMenuItemCount(Native(menu)); }

bool MenuItemText(MenuHandle menu, int position, std::string* text) {
  const int length =
      ::GetMenuStringA(Native(menu), static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
  if (length <= 0) {
    return false;
  }
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = ::GetMenuStringA(Native(menu), static_cast<UINT>(position), buffer.data(),
                                      length + 1, MF_BYPOSITION);
  text->assign(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
  return copied > 0;
}

unsigned MenuItemState(MenuHandle menu, int position) {
  return ::GetMenuState(Native(menu), static_cast<UINT>(position), MF_BYPOSITION);
}

unsigned MenuItemId(MenuHandle menu, int position) {
  return ::GetMenuItemID(Native(menu), position);
}

MenuHandle SubMenu(MenuHandle menu, int position) {
  return Ours(::GetSubMenu(Native(menu), position));
}

bool AppendMenuItem(MenuHandle menu, unsigned flags, std::uintptr_t item, const std::string& text) {
  return ::AppendMenuA(Native(menu), flags, item, text.c_str()) != FALSE;
}

bool InsertMenuItem(MenuHandle menu, int position, unsigned flags, std::uintptr_t item,
                    const std::string& text) {
  return ::InsertMenuA(Native(menu), static_cast<UINT>(position), flags, item, text.c_str()) !=
         FALSE;
}

}  // namespace quendral::os
