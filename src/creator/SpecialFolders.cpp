#include "creator/SpecialFolders.h"

#include <shlobj.h>

#include <iterator>

namespace {

// A special folder of the menu: caption and CSIDL; a null caption is a separator.
struct TSpecialFolder {
  const wchar_t* Caption;
  int Csidl;
};
const TSpecialFolder kStartMenuFolders[] = {
    {L"Start Menu", CSIDL_STARTMENU},
    {L"Start Menu All Programs", CSIDL_PROGRAMS},
    {L"Common Start Menu", CSIDL_COMMON_STARTMENU},
    {L"Common Start Menu All Programs", CSIDL_COMMON_PROGRAMS},
    {nullptr, 0},
    {L"Startup", CSIDL_STARTUP},
    {L"Alternate Startup", CSIDL_ALTSTARTUP},
    {L"Common Alternate Startup", CSIDL_COMMON_ALTSTARTUP},
};
const TSpecialFolder kCommonFolders[] = {
    {L"Common AppData", CSIDL_COMMON_APPDATA},     {L"Common Desktop", CSIDL_COMMON_DESKTOPDIRECTORY},
    {L"Common Documents", CSIDL_COMMON_DOCUMENTS}, {L"Common Favorites", CSIDL_COMMON_FAVORITES},
    {L"Common Music", CSIDL_COMMON_MUSIC},         {L"Common Pictures", CSIDL_COMMON_PICTURES},
    {L"Common Startup", CSIDL_COMMON_STARTUP},     {L"Common Templates", CSIDL_COMMON_TEMPLATES},
    {L"Common Video", CSIDL_COMMON_VIDEO},
};
const TSpecialFolder kOtherFolders[] = {
    {L"Cookies", CSIDL_COOKIES},
    {L"History", CSIDL_HISTORY},
    {L"Internet Cache", CSIDL_INTERNET_CACHE},
    {L"Fonts", CSIDL_FONTS},
    {L"Local AppData", CSIDL_LOCAL_APPDATA},
    {L"Roaming AppData", CSIDL_APPDATA},
    {L"CD Burn Temp Folder", CSIDL_CDBURN_AREA},
    {nullptr, 0},
    {L"Program Files", CSIDL_PROGRAM_FILES},
    {L"Program Files Common", CSIDL_PROGRAM_FILES_COMMON},
    {L"Resources", CSIDL_RESOURCES},
    {L"System", CSIDL_SYSTEM},
    {L"Windows", CSIDL_WINDOWS},
};
const TSpecialFolder kTopLevelFolders[] = {
    {L"Desktop", CSIDL_DESKTOP},          {L"Favorites", CSIDL_FAVORITES},     {L"My Documents", CSIDL_PERSONAL},
    {L"My Music", CSIDL_MYMUSIC},         {L"My Pictures", CSIDL_MYPICTURES},  {L"My Video", CSIDL_MYVIDEO},
    {L"Personal Profile", CSIDL_PROFILE}, {L"Recent Documents", CSIDL_RECENT}, {L"Send To", CSIDL_SENDTO},
    {L"Templates", CSIDL_TEMPLATES},
};

}  // namespace

void BuildSpecialFolderMenu(TPopupMenu& menu, TSysImageList& sysImg, const std::function<void(int csidl)>& onChoose) {
  const auto addFolders = [onChoose](TMenuItem& parent, const TSpecialFolder* folders, std::size_t count) {
    parent.Clear();
    for (std::size_t i = 0; i < count; ++i) {
      TMenuItem& item = parent.Add();
      if (!folders[i].Caption) {
        item.Separator = true;
        continue;
      }
      item.Caption = folders[i].Caption;
      item.Tag = folders[i].Csidl;
      item.IconPath = GetSpecialFolderPath(folders[i].Csidl);
      item.OnClick = [onChoose](TMenuItem& chosen) { onChoose(chosen.Tag); };
    }
  };
  menu.Images = sysImg.Handle();
  menu.ImageIndexOf = [&sysImg](const std::wstring& path) { return path.empty() ? -1 : sysImg.GetIconIndex(path, 0); };
  TMenuItem& root = menu.Root;
  root.Clear();
  const struct {
    const wchar_t* Caption;
    const TSpecialFolder* Folders;
    std::size_t Count;
  } subMenus[] = {
      {L"Start Menu", kStartMenuFolders, std::size(kStartMenuFolders)},
      {L"Common Folders", kCommonFolders, std::size(kCommonFolders)},
      {L"Other", kOtherFolders, std::size(kOtherFolders)},
  };
  for (const auto& sub : subMenus) {
    TMenuItem& item = root.Add();
    item.Caption = sub.Caption;
    item.SubMenu = true;
    item.OnClick = [addFolders, sub](TMenuItem& opened) { addFolders(opened, sub.Folders, sub.Count); };
  }
  root.Add().Separator = true;
  TMenuItem top;
  addFolders(top, kTopLevelFolders, std::size(kTopLevelFolders));
  for (auto& item : top.Items) root.Items.push_back(std::move(item));
}
