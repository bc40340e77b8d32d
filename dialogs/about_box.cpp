#include "dialogs/about_box.h"

#include <string>

#include "forms/fonts.h"
#include "mirufo_version.h"
#include "resources/picture_ids.h"

namespace dialogs {

namespace {

using forms::Kind;

constexpr int32_t kMaroon = 0x000080;
constexpr int32_t kBlack = 0x000000;

// The subject names the product and its version; a mailto: link carries
// it percent-encoded in UTF-8 ("ミルフォ 4.1"). The version is digits and
// dots, which need no encoding.
constexpr const char* kMailSubject = "%E3%83%9F%E3%83%AB%E3%83%95%E3%82%A9%20" MIRUFO_VERSION;

platform::WindowOptions Options(platform::Window& owner) {
  return {.frame = platform::Frame::None, .caption = "バージョン情報", .stayOnTop = true, .centred = true,
          .owner = &owner, .size = {221, 291}, .clientSize = true};
}

// The labels lie on the picture, each about as wide as its text, so that a
// click beside a link still reaches the card.
const forms::ControlDecl kControls[] = {
    {"Panel3", Kind::Panel, nullptr, {0, 0, 221, 291}},
    {"Image1", Kind::Picture, "Panel3", {5, 5, 210, 280}, "", "", forms::anchor::kTopLeft, PICTURE_ABOUT},
    {"Label1", Kind::Label, "Image1", {22, 16, 68, 18}, "ミルフォ"},
    {"Label2", Kind::Label, "Image1", {98, 20, 62, 14}, "Virsion " MIRUFO_VERSION},
    {"Label7", Kind::Label, "Image1", {9, 64, 150, 14}, kHomePageLine1},
    {"Label4", Kind::Label, "Image1", {52, 80, 150, 14}, kHomePageLine2},
    {"Label5", Kind::Label, "Image1", {89, 243, 118, 14}, kMakerMail},
    {"Label3", Kind::Label, "Image1", {24, 267, 170, 13}, MIRUFO_COPYRIGHT},
};

}  // namespace

TFVersion::TFVersion(platform::Toolkit& toolkit, platform::Shell& shell, platform::Window& owner)
    : Form(toolkit, Options(owner), forms::WindowFont(12), kControls),
      Panel3(Get<platform::Panel>("Panel3")),
      Image1(Get<platform::Picture>("Image1")),
      Label1(Get<platform::Label>("Label1")),
      Label2(Get<platform::Label>("Label2")),
      Label7(Get<platform::Label>("Label7")),
      Label4(Get<platform::Label>("Label4")),
      Label5(Get<platform::Label>("Label5")),
      Label3(Get<platform::Label>("Label3")),
      shell_(shell) {
  Panel3.SetColor(kMaroon);
  for (platform::Label* label : {&Label1, &Label2, &Label7, &Label4, &Label5, &Label3}) {
    label->SetTransparent(true);
    label->SetColor(kBlack);
  }
  Label1.SetFont(forms::WindowFont(16, true));
  for (platform::Label* link : {&Label7, &Label4, &Label5}) link->SetLinkLook(true);

  Panel3.onClick = Handler(&TFVersion::Panel3Click);
  Image1.onClick = Handler(&TFVersion::Image1Click);
  Label7.onClick = Label4.onClick = Handler(&TFVersion::Label7Click);
  Label5.onClick = Handler(&TFVersion::Label5Click);
  FormCreate();
}

void TFVersion::FormCreate() {
  const platform::Rect at = Window().Bounds(), panel = Panel3.Bounds();
  Window().SetBounds({at.left, at.top, panel.width, panel.height});
}

void TFVersion::Panel3Click() { Window().Close(); }

void TFVersion::Image1Click() { Window().Close(); }

void TFVersion::Label7Click() { shell_.Open(Text(kHomePageLine1) + kHomePageLine2); }

void TFVersion::Label5Click() { shell_.Open(Text("mailto:") + kMakerMail + "?subject=" + kMailSubject); }

void ShowAboutBox(platform::Toolkit& toolkit, platform::Shell& shell, platform::Window& owner) {
  TFVersion box(toolkit, shell, owner);
  box.Window().ShowModal();
}

}  // namespace dialogs
