// Key combinations as a person reads and writes them: "Ctrl+Alt+K",
// "Shift+Insert", "Win+F12". The same notation stores the program's hotkey
// and any other keys a setting names, so it covers every key code, not only
// the ones a hotkey would use.
#pragma once
#include <optional>
#include <string_view>

#include "platform/text.h"

namespace platform {

// The modifier keys of a chord, as bits.
namespace modifier {
constexpr int kCtrl = 1, kAlt = 2, kShift = 4, kWin = 8;
constexpr int kAll = kCtrl | kAlt | kShift | kWin;
}  // namespace modifier

// Modifiers held while one key goes down. Chord{} is no chord at all.
struct Chord {
  int modifiers = 0;  // modifier:: bits
  int key = 0;        // a Windows virtual-key code; 0: none
  bool Empty() const { return key == 0; }
  bool operator==(const Chord&) const = default;
};

// Whether the virtual-key code is one of the modifier keys (either side),
// which a chord holds as a bit, never as its key.
bool IsModifierKey(int key);

// Modifiers Ctrl, Alt, Shift, Win in that order, joined by "+", then the
// key's name: the canonical text. Chord{} is the empty text; a key without
// a name is written as its code, "0xE5".
Text ChordText(const Chord& chord);

// What a field that records chords makes of a key pressed with modifiers:
// the chord it records (the key with Ctrl, Alt or Win, or an F key),
// Chord{} for Backspace or Delete alone, which empty it, or nothing for a
// key that leaves it as it was: a modifier key, Tab and Shift+Tab (they
// move on to the next field), any other key alone or with Shift.
std::optional<Chord> CapturedChord(int key, int modifiers);

// The chord a text names, letter case and spaces around "+" ignored, the
// modifiers in any order. Nothing for a text that names none: an unknown
// key, a modifier alone or twice, an empty part. The empty text is not a
// chord either; callers take it as "off" before asking.
std::optional<Chord> ParseChord(std::string_view text);

}  // namespace platform
