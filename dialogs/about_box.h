// TFVersion, the about box: a borderless card centred on the screen with the
// product's name, its version and the maker's links. A click on the card
// closes it; a click on a link opens the link instead.
#pragma once
#include "forms/form.h"
#include "mirufo_version.h"
#include "platform/shell.h"

namespace dialogs {

// The maker's addresses as the card shows and opens them (CMakeLists.txt).
inline constexpr const char* kHomePageLine1 = MIRUFO_HOMEPAGE_SITE;
inline constexpr const char* kHomePageLine2 = MIRUFO_HOMEPAGE_PAGE;
inline constexpr const char* kMakerMail = MIRUFO_MAIL;

class TFVersion : public forms::Form {
 public:
  TFVersion(platform::Toolkit& toolkit, platform::Shell& shell, platform::Window& owner);

  void FormCreate();
  void Panel3Click();
  void Image1Click();
  void Label7Click();  // either line of the home page address
  void Label5Click();  // the mail address

  platform::Panel& Panel3;
  platform::Picture& Image1;
  platform::Label &Label1, &Label2, &Label7, &Label4, &Label5, &Label3;

 private:
  platform::Shell& shell_;
};

// Shows the about box modally over the owner until it is closed.
void ShowAboutBox(platform::Toolkit& toolkit, platform::Shell& shell, platform::Window& owner);

}  // namespace dialogs
