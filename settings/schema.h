// Every key of the settings file's section "kao", described once: its
// type, its default and whether it is written in quotes. Everything that
// reads or writes a setting names it by one of these rows, so no two places
// can disagree on a spelling, a default or a quoting. Key names are matched
// without regard to letter case.
#pragma once


namespace settings {

enum class Type { Integer, Boolean, Text, Colour };

struct Key {
  const char* name;
  Type type;
  const char* fallback;  // as the file would hold it: "0", "1", "", "$00BBD7A8"
  bool quoted;           // written inside one pair of double quotes
};

// The stamp format a start writes when the file has none.
inline constexpr const char* kDefaultStamp = "yyyy/mm/dd hh:nn:ss";

inline constexpr Key kFaceFolder{"kaopath2", Type::Text, "", true};  // default: beside the program
inline constexpr Key kLinkMode{"linl1", Type::Boolean, "0", false};
inline constexpr Key kStampFormat{"time1", Type::Text, kDefaultStamp, true};
inline constexpr Key kLeft{"left", Type::Integer, "0", false};
inline constexpr Key kHeight{"height", Type::Integer, "400", false};
inline constexpr Key kTop{"top", Type::Integer, "0", false};
inline constexpr Key kWidth{"width", Type::Integer, "250", false};
inline constexpr Key kEdgeTop{"vtop", Type::Boolean, "0", false};
inline constexpr Key kEdgeLeft{"vleft", Type::Boolean, "0", false};
inline constexpr Key kEdgeBottom{"vheight", Type::Boolean, "0", false};
inline constexpr Key kEdgeRight{"vwidth", Type::Boolean, "0", false};
inline constexpr Key kHideAfter{"after", Type::Boolean, "0", false};
inline constexpr Key kStayOnTop{"stayontop", Type::Boolean, "1", false};
inline constexpr Key kSavePlace{"possave", Type::Boolean, "1", false};
inline constexpr Key kClipOnly{"clip1", Type::Boolean, "0", false};
inline constexpr Key kWithReturn{"return", Type::Boolean, "0", false};
inline constexpr Key kOneClick{"one", Type::Boolean, "0", false};
inline constexpr Key kMinimal{"small", Type::Boolean, "0", false};
inline constexpr Key kHints{"hint", Type::Boolean, "1", false};
inline constexpr Key kSaveDefaults{"defsave", Type::Boolean, "1", false};
inline constexpr Key kDropSkipsChooser{"dragdrop", Type::Boolean, "0", false};
inline constexpr Key kGroupHeight{"border", Type::Integer, "84", false};
inline constexpr Key kHistoryColour{"usercolor1", Type::Integer, "-16777201", false};  // the button face
inline constexpr Key kHistory1{"text1", Type::Text, "", true};
inline constexpr Key kHistory2{"text2", Type::Text, "", true};
// A history text's escaped form, there only while the text holds a line
// break or a NUL.
inline constexpr Key kHistory1Full{"text1full", Type::Text, "", true};
inline constexpr Key kHistory2Full{"text2full", Type::Text, "", true};
inline constexpr Key kHistoryLock{"favorit", Type::Boolean, "0", false};
// Quoted by the dialog; the exit writes the names bare.
inline constexpr Key kDefaultGroup{"defaultgroup", Type::Text, "", true};
inline constexpr Key kDefaultClass{"defaultclass", Type::Text, "", true};
inline constexpr Key kFontSize{"fontsize", Type::Integer, "12", true};  // points; the dialog writes its text
inline constexpr Key kEditColour{"richcolor", Type::Colour, "$00BBD7A8", true};
inline constexpr Key kFixedWindow{"window", Type::Boolean, "0", false};
inline constexpr Key kWindowName{"wname", Type::Text, "", true};
// The keys that bring the palette from anywhere, as platform::ChordText
// writes them; empty: none.
inline constexpr Key kHotKey{"hotkey", Type::Text, "Ctrl+Alt+K", true};
inline constexpr Key kLineMode{"line", Type::Integer, "2", false};
// Plain text that may be empty; as numbers an empty one is 0.
inline constexpr Key kLineFrom{"line1", Type::Integer, "", false};
inline constexpr Key kLineCount{"line2", Type::Integer, "", false};

}  // namespace settings
