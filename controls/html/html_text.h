// Text rules of the mini-HTML dialect that need no window: colour values,
// entities, whole-text preparation, attribute values, numbers and the plain
// text of an HTML string.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/colors.h"

// A colour name of the dialect ("clRed", "clBtnFace", ... any letter case);
// a name not in the list gives 0 (black).
TColor HTMLColorByName(std::string_view Name);
// "#RRGGBB" (red first, as on the web) as a colour with red in the low byte.
// A value that is not "#" and six hexadecimal digits gives 0 (black).
TColor HTMLHexColor(std::string_view Value);
// A value beginning with "#" as hexadecimal, anything else as a name.
TColor HTMLColorValue(std::string_view Value);

// Entities are decoded once, where the text is read: in a tag's text before
// its attributes are looked up, and in a text segment before it is measured
// and drawn. What an entity becomes is never read as an entity again, so
// "&amp;lt;" shows "&lt;" and escaped text shows exactly as it came.
//
// The entity Text begins with: its length (0 when there is none) and its
// byte in Value. Any letter case: "&amp;", "&quot;", "&sect;", "&permil;",
// "&reg;", "&copy;", "&para;", "&trade;", "&euro;" (their CP1252 bytes). With
// Segment also "&nbsp;" (a space), "&lt;" and "&gt;", in lower case only.
size_t HTMLEntityAt(std::string_view Text, bool Segment, char& Value);
// A tag's text with its entities (those of any letter case) decoded once.
std::string HTMLDecodeEntities(std::string_view Text);
// A text segment with all its entities decoded once. Map, when given, gets
// for every position of Segment (and its end) the position in the result
// where that byte's text begins.
std::string HTMLSegmentText(std::string_view Segment, std::vector<size_t>* Map = nullptr);
// The text as the engine lays it out: the "<" of the first "<#" and the
// first ">" after it removed, every CR turned into "<BR>" and every LF
// dropped. Entities stay for the segment and tag steps.
std::string HTMLPrepareText(std::string_view Text);

// The plain text of an HTML string: "<BR>" and "<HR>" (any case) become
// CR LF, every other tag from "<" to the next ">" goes (an unclosed tag
// ends the text), the text between tags stays.
std::string HTMLPlainText(std::string_view Html);

// A whole decimal number (optional sign, digits only, no blanks). False
// leaves Value untouched.
bool HTMLParseInt(std::string_view Text, int& Value);

// The value of the attribute Name (upper case) of a tag: the text between the
// first pair of double quotes after the name, found in the upper-cased tag
// but taken from the original text, so that links, faces and sources keep
// their letter case. False when the name or the quotes are missing.
bool HTMLTagAttribute(std::string_view Tag, std::string_view UpperTag, std::string_view Name, std::string& Value);
// The first double-quoted value anywhere in the tag (the link of an anchor).
bool HTMLFirstQuoted(std::string_view Tag, std::string& Value);
