// Merging one menu into another: where new submenus land, merging into
// submenus of the same name, and copying items with their state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os/desktop/menu.h"
#include "util/client_window/client_window.h"

namespace quendral::util {
namespace {

// A menu destroyed, submenus and all, at the end of the test.
class Menu {
 public:
  explicit Menu(os::MenuHandle handle) : handle_(handle) {}
  ~Menu() { os::DestroyMenu(handle_); }
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  os::MenuHandle get() const { return handle_; }

 private:
  os::MenuHandle handle_;
};

void AddCommand(os::MenuHandle menu, unsigned id, const std::string& text, unsigned flags = 0) {
  ASSERT_TRUE(os::AppendMenuItem(menu, os::kMenuString | flags, id, text));
}

// A new popup holding the commands, appended to `menu` as `text`.
os::MenuHandle AddPopup(os::MenuHandle menu, const std::string& text,
                        const std::vector<std::string>& commands) {
  const os::MenuHandle popup = os::CreatePopupMenu();
  unsigned id = 100;
  for (const std::string& command : commands) {
    os::AppendMenuItem(popup, os::kMenuString, id++, command);
  }
  os::AppendMenuItem(menu, os::kMenuPopup, static_cast<std::uintptr_t>(popup), text);
  return popup;
}

// The menu's items as text: "-" for a separator, "name>" for a submenu.
std::vector<std::string> Items(os::MenuHandle menu) {
  std::vector<std::string> items;
  for (int position = 0; position < os::MenuItemCount(menu); ++position) {
    std::string text;
    if ((os::MenuItemState(menu, position) & os::kMenuSeparator) != 0) {
      items.emplace_back("-");
      continue;
    }
    os::MenuItemText(menu, position, &text);
    items.push_back(os::SubMenu(menu, position) != os::kNoMenu ? text + ">" : text);
  }
  return items;
}

using Texts = std::vector<std::string>;

// A new menu bar of popups named `names`, each with one command.
os::MenuHandle MenuBar(const std::vector<std::string>& names) {
  const os::MenuHandle bar = os::CreateMenuBar();
  for (const std::string& name : names) {
    AddPopup(bar, name, {"Command"});
  }
  return bar;
}

void MergeTools(const Menu& destination) {
  Menu source(os::CreateMenuBar());
  AddPopup(source.get(), "&Tools", {"Repair"});
  ASSERT_TRUE(MergeMenu(destination.get(), source.get(), true));
}

TEST(MergeMenu, NewPopupGoesBeforeWindow) {
  const Menu destination(MenuBar({"&File", "&Window", "&Help"}));
  MergeTools(destination);
  EXPECT_EQ(Items(destination.get()), (Texts{"&File>", "&Tools>", "&Window>", "&Help>"}));
}

TEST(MergeMenu, NewPopupGoesBeforeHelpWithoutWindow) {
  const Menu destination(MenuBar({"&File", "&Help"}));
  MergeTools(destination);
  EXPECT_EQ(Items(destination.get()), (Texts{"&File>", "&Tools>", "&Help>"}));

  const Menu question(MenuBar({"&File", "?"}));
  MergeTools(question);
  EXPECT_EQ(Items(question.get()), (Texts{"&File>", "&Tools>", "?>"}));
}

TEST(MergeMenu, NewPopupGoesToTheEndOtherwise) {
  const Menu destination(MenuBar({"&File", "&Edit"}));
  MergeTools(destination);
  EXPECT_EQ(Items(destination.get()), (Texts{"&File>", "&Edit>", "&Tools>"}));
}

TEST(MergeMenu, SameNamedPopupIsMergedAfterASeparator) {
  Menu destination(os::CreateMenuBar());
  const os::MenuHandle file = AddPopup(destination.get(), "File", {"Open", "Close"});
  AddPopup(destination.get(), "Help", {"About"});
  Menu source(os::CreateMenuBar());
  AddPopup(source.get(), "&File", {"Repair", "Check"});

  ASSERT_TRUE(MergeMenu(destination.get(), source.get(), true));
  EXPECT_EQ(Items(destination.get()), (Texts{"File>", "Help>"}));
  EXPECT_EQ(Items(file), (Texts{"Open", "Close", "-", "Repair", "Check"}));
}

TEST(MergeMenu, EmptyPopupOfTheSameNameGetsNoSeparator) {
  Menu destination(os::CreateMenuBar());
  const os::MenuHandle file = AddPopup(destination.get(), "File", {});
  Menu source(os::CreateMenuBar());
  AddPopup(source.get(), "&File", {"Repair"});

  ASSERT_TRUE(MergeMenu(destination.get(), source.get(), true));
  EXPECT_EQ(Items(file), (Texts{"Repair"}));
}

TEST(MergeMenu, NamesDifferingInCaseAreNotTheSame) {
  const Menu destination(MenuBar({"file"}));
  Menu source(os::CreateMenuBar());
  AddPopup(source.get(), "&File", {"Repair"});
  ASSERT_TRUE(MergeMenu(destination.get(), source.get(), true));
  EXPECT_EQ(Items(destination.get()), (Texts{"file>", "&File>"}));
}

TEST(MergeMenu, CommandWithTheSameNameIsPassedOver) {
  Menu destination(os::CreateMenuBar());
  AddCommand(destination.get(), 7, "Tools");
  MergeTools(destination);
  EXPECT_EQ(Items(destination.get()), (Texts{"Tools", "&Tools>"}));
}

TEST(MergeMenu, CommandsKeepIdentifiersAndState) {
  Menu destination(os::CreatePopupMenu());
  Menu source(os::CreatePopupMenu());
  AddCommand(source.get(), 41, "Checked", os::kMenuChecked);
  AddCommand(source.get(), 42, "Grayed", os::kMenuGrayed);
  ASSERT_TRUE(os::AppendMenuItem(source.get(), os::kMenuSeparator, 0, ""));

  ASSERT_TRUE(MergeMenu(destination.get(), source.get(), true));
  EXPECT_EQ(Items(destination.get()), (Texts{"Checked", "Grayed", "-"}));
  EXPECT_EQ(os::MenuItemId(destination.get(), 0), 41U);
  EXPECT_EQ(os::MenuItemId(destination.get(), 1), 42U);
  EXPECT_NE(os::MenuItemState(destination.get(), 0) & os::kMenuChecked, 0U);
  EXPECT_NE(os::MenuItemState(destination.get(), 1) & os::kMenuGrayed, 0U);
}

TEST(MergeMenu, NestedPopupsAreCopiedNotShared) {
  Menu destination(os::CreateMenuBar());
  Menu source(os::CreateMenuBar());
  const os::MenuHandle tools = AddPopup(source.get(), "Tools", {"Repair"});
  AddPopup(tools, "More", {"Deep"});

  ASSERT_TRUE(MergeMenu(destination.get(), source.get(), true));
  const os::MenuHandle copied = os::SubMenu(destination.get(), 0);
  ASSERT_NE(copied, os::kNoMenu);
  EXPECT_NE(copied, tools);
  EXPECT_EQ(Items(copied), (Texts{"Repair", "More>"}));
  EXPECT_EQ(Items(os::SubMenu(copied, 1)), (Texts{"Deep"}));
}

TEST(MergeMenu, EmptySourceChangesNothing) {
  const Menu destination(MenuBar({"File"}));
  Menu source(os::CreatePopupMenu());
  EXPECT_TRUE(MergeMenu(destination.get(), source.get(), false));
  EXPECT_EQ(Items(destination.get()), (Texts{"File>"}));
}

TEST(MergeMenu, FailsWhenTheDestinationIsNotAMenu) {
  Menu source(os::CreatePopupMenu());
  AddCommand(source.get(), 1, "Repair");
  const os::MenuHandle gone = os::CreatePopupMenu();
  os::DestroyMenu(gone);
  EXPECT_FALSE(MergeMenu(gone, source.get(), true));
}

}  // namespace
}  // namespace quendral::util
