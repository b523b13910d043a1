#include <string_view>

#include "platform/os/debug_trace.h"
#include "util/client_window/client_window.h"

namespace quendral::util {
namespace {

// What an item's text reads as: its "&" marks only choose a shortcut key.
std::string WithoutAmpersands(std::string text) {
  std::erase(text, '&');
  return text;
}

std::string ItemText(os::MenuHandle menu, int position) {
  std::string text;
  os::MenuItemText(menu, position, &text);
  return text;
}

bool IsWindowOrHelp(const std::string& plain_text) {
  return plain_text == "Window" || plain_text == "?" || plain_text == "Help";
}

struct Placement {
  os::MenuHandle existing = os::kNoMenu;  // a submenu of the same name
  int insert_at = -1;                     // -1: at the end
};

// Where a top-level submenu named `plain_text` belongs in `destination`.
Placement PlaceTopLevel(os::MenuHandle destination, const std::string& plain_text) {
  Placement placement;
  const int count = os::MenuItemCount(destination);
  for (int position = 0; position < count; ++position) {
    const std::string existing = WithoutAmpersands(ItemText(destination, position));
    if (existing == plain_text) {
      const os::MenuHandle submenu = os::SubMenu(destination, position);
      if (submenu != os::kNoMenu) {
        placement.existing = submenu;
        return placement;
      }
    }
    if (placement.insert_at < 0 && IsWindowOrHelp(existing)) {
      placement.insert_at = position;
    }
  }
  return placement;
}

bool Fail(const char* trace) {
  os::DebugTrace(trace);
  return false;
}

bool MergeSubmenu(os::MenuHandle destination, os::MenuHandle submenu, const std::string& text,
                  bool top_level) {
  Placement placement;
  if (top_level) {
    placement = PlaceTopLevel(destination, WithoutAmpersands(text));
    if (placement.existing != os::kNoMenu) {
      return MergeMenu(placement.existing, submenu, false);
    }
  }
  const os::MenuHandle popup = os::CreatePopupMenu();
  if (popup == os::kNoMenu) {
    return Fail("MergeMenu: CreatePopupMenu failed!\n");
  }
  if (!MergeMenu(popup, submenu, false)) {
    // Not yet part of `destination`, so nothing else would free it.
    os::DestroyMenu(popup);
    return false;
  }
  const int position =
      placement.insert_at >= 0 ? placement.insert_at : os::MenuItemCount(destination);
  if (!os::InsertMenuItem(destination, position, os::kMenuByPosition | os::kMenuPopup,
                          static_cast<std::uintptr_t>(popup), text)) {
    os::DestroyMenu(popup);
    return Fail("MergeMenu: InsertMenu failed!\n");
  }
  return true;
}

}  // namespace

bool MergeMenu(os::MenuHandle destination, os::MenuHandle source, bool top_level) {
  const int count = os::MenuItemCount(source);
  if (count <= 0) {
    return true;
  }
  if (!top_level && os::MenuItemCount(destination) > 0) {
    os::AppendMenuItem(destination, os::kMenuSeparator, 0, "");
  }
  for (int position = 0; position < count; ++position) {
    const std::string text = ItemText(source, position);
    const os::MenuHandle submenu = os::SubMenu(source, position);
    if (submenu != os::kNoMenu) {
      if (!MergeSubmenu(destination, submenu, text, top_level)) {
        return false;
      }
    } else if (!os::AppendMenuItem(destination, os::MenuItemState(source, position),
                                   os::MenuItemId(source, position), text)) {
      return Fail("MergeMenu: AppendMenu failed!\n");
    }
  }
  return true;
}

}  // namespace quendral::util
