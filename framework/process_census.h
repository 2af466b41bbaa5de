// How many GDI objects this process holds, counted from the handle table
// the system maps into every process (the process environment block's GDI
// shared handle table, on Windows as under Wine): an entry with a type gives
// a full handle (its index and the entry's upper word), and GetObjectType
// tells whether that handle is a live object of this process. Stock objects
// and DCs count too. Leak checks compare two counts; the system's own
// per-process count answers 0 under Wine 8.
#pragma once

int ProcessGdiObjectCount();
