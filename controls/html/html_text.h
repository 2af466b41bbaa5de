// Text rules of the mini-HTML dialect that need no window: colour values,
// entities, whole-text preparation, attribute values, numbers and the plain
// text of an HTML string.
#pragma once

#include <string>
#include <string_view>

#include "framework/colors.h"

// A colour name of the dialect ("clRed", "clBtnFace", ... any letter case);
// a name not in the list gives 0 (black).
TColor HTMLColorByName(std::string_view Name);
// "#RRGGBB" (red first, as on the web) as a colour with red in the low byte.
// A value that is not "#" and six hexadecimal digits gives 0 (black).
TColor HTMLHexColor(std::string_view Value);
// A value beginning with "#" as hexadecimal, anything else as a name.
TColor HTMLColorValue(std::string_view Value);

// Decodes the entities of the whole text until none is left: "&amp;",
// "&quot;", "&sect;", "&permil;", "&reg;", "&copy;", "&para;", "&trade;",
// "&euro;" (any letter case) become their CP1252 bytes. Decoding repeats, so
// "&amp;amp;" ends as "&" and "&amp;lt;" as "&lt;" (which the segment step
// then shows as "<"): the dialect has always worked this way.
std::string HTMLDecodeEntities(std::string_view Text);
// The text as the engine lays it out: entities decoded, the "<" of the first
// "<#" and the first ">" after it removed, every CR turned into "<BR>" and
// every LF dropped.
std::string HTMLPrepareText(std::string_view Text);
// The entities a text segment still holds: "&nbsp;" (a space), "&lt;" and
// "&gt;", written in lower case only.
std::string HTMLSegmentText(std::string_view Segment);

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
