// TFormAbout: the product's version and release date, its web addresses, and
// the credits of what it is built with, from credits.rtf beside the program.
#pragma once

#include <windows.h>

#include "creator/RichEditURL.h"
#include "shared/ScopedWin.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

// The product's and the maker's web pages.
inline const wchar_t* const kProductAddress = L"https://www.brenwick.example/heapfold/";
inline const wchar_t* const kMakerAddress = L"https://www.brenwick.example/";

class TFormAbout : public TForm {
public:
  // owner: the creator's window, on which the box is centred.
  void FormCreate(HWND owner);

  TTabControl Tabs;
  TIconImage ImgProduct;
  TLabel LblAppName;
  TLabel LblReleaseDate;
  TLinkLabel LblURLHeapfold;
  TIconImage ImgMaker;
  TLabel LblBrenwick;
  TLabel LblNotice;
  TLinkLabel LblURLBrenwick;
  TLabel LblDonation;
  TRichEditURL REditCredits;
  TButton BtnClose;

  void REditCreditsURLClick(const std::wstring& link);

protected:
  void DpiChanged() override;

private:
  void LoadPictures();
  void LoadCredits();
};

// The release date as the about box writes it, in the user's language.
std::wstring ReleaseDateText();
