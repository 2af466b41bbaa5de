// The program-wide short date format of the edit controls: day, month and a
// four-digit year joined by the date separator. Call once at start-up, after
// the format settings have their values (it reads the separator then).
#pragma once

void InitEditShortDateFormat();
