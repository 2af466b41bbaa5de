// Text rules of the message box: how a message becomes the box's HTML, the
// replace routine it uses, and the sizes it derives from the screen.
#pragma once

#include <string>

// Line breaks (CR LF, "<BR>" in any letter case) become "<br>"; empty lines
// at the start vanish (they still count); after the 21st line a text with
// more lines continues with a line of sixteen dots and its last line only.
std::string PrepareBoxText(const std::string& Text);

// Replace every OldPattern, letters compared without case over the ANSI
// letters. An empty pattern, or one longer than S, leaves S unchanged.
std::string FastReplace(const std::string& S, const std::string& OldPattern, const std::string& NewPattern);
void ReplaceInPlace(std::string& S, const std::string& OldPattern, const std::string& NewPattern);

// For text from outside (a server reply, an exception message) put into a
// box message: "&", "<" and ">" become entities, so the box shows them as
// they are instead of reading them as markup.
std::string EscapeBoxText(const std::string& Foreign);

// The box's maximum outer height: 70 % of the screen height, a half rounded
// to the even neighbour (717.5 -> 718, 537.6 -> 538).
int BoxMaxHeight(int ScreenHeight);

// What the box's buttons do with a key their OnSelectNext hands on.
enum class BoxButtonRole { Yes, No, Close };
// The modal result a key code gives on a button of the role (0: none):
// Enter gives Ok on "Ja"/"Übernehmen" and "Schließen", Cancel on
// "Nein"/"Abbrechen"; Escape always Cancel.
int BoxSelectNextResult(BoxButtonRole Role, int KeyCode);
